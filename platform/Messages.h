// Window messages, command ids and message-box constants shared by the dialog layer and its
// backends.
#pragma once

namespace platform {

// Message codes, numbered as on the platform the program was first written for.
inline constexpr unsigned WM_DESTROY = 0x0002;
inline constexpr unsigned WM_PAINT = 0x000F;
inline constexpr unsigned WM_QUERYDRAGICON = 0x0037;
inline constexpr unsigned WM_NOTIFY = 0x004E;
inline constexpr unsigned WM_INITDIALOG = 0x0110;
inline constexpr unsigned WM_COMMAND = 0x0111;
inline constexpr unsigned WM_SYSCOMMAND = 0x0112;

// Notification codes.
inline constexpr int BN_CLICKED = 0;
inline constexpr int NM_CLICK = -2;

// Dialog commands and message-box results.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Message-box types.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_TYPEMASK = 0x0F;
inline constexpr unsigned MB_ICONMASK = 0xF0;

// Show commands for opening a document.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;

/// One user action or window event, as delivered to CDialog::Dispatch.
struct Message {
    unsigned code = 0;     ///< WM_* code
    int id = 0;            ///< control id (WM_COMMAND, WM_NOTIFY) or system command (WM_SYSCOMMAND)
    int notification = 0;  ///< BN_CLICKED, NM_CLICK
    long param = 0;        ///< extra parameter of a system command
    long result = 0;       ///< the handler's result (notifications, WM_QUERYDRAGICON)

    static Message Command(int controlId) { return {WM_COMMAND, controlId, BN_CLICKED, 0, 0}; }
    static Message Notify(int controlId, int code) { return {WM_NOTIFY, controlId, code, 0, 0}; }
    static Message SysCommand(int command, long param = 0) {
        return {WM_SYSCOMMAND, command, 0, param, 0};
    }
    static Message Plain(unsigned code) { return {code, 0, 0, 0, 0}; }
};

}  // namespace platform
