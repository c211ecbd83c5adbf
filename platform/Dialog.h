// The dialog base: data exchange, message boxes, the message map and its dispatch, over a backend.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/ListCtrl.h"
#include "platform/Messages.h"

namespace platform {

/// An icon resource, by number.
struct IconHandle {
    int resource = 0;
    friend bool operator==(IconHandle, IconHandle) = default;
};

/// The window side of a dialog: its controls, boxes and shell requests. Realised by the wx window
/// and by the memory backend of the tests.
class IDialogBackend {
public:
    virtual ~IDialogBackend() = default;

    /// Whole text of an edit control, as bytes.
    virtual std::string GetDlgItemText(int id) = 0;
    /// Replaces the whole text of an edit control.
    virtual void SetDlgItemText(int id, const std::string& text) = 0;
    /// The list control with that id, or nullptr.
    virtual IListBackend* GetListControl(int id) = 0;

    /// A modal box owned by the dialog; returns IDOK, IDYES or IDNO.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned type) = 0;
    /// Hands a file name or web address to the user's viewer or browser.
    virtual void ShellOpen(const std::string& target, int showCommand) = 0;

    /// Appends a separator and a command to the window's system menu; false when it has none.
    virtual bool AppendSystemMenuItem(const std::string& text, unsigned command) = 0;
    virtual void SetIcon(IconHandle icon, bool big) = 0;
    virtual bool IsIconic() { return false; }
    /// Draws the icon centred in the client area of the minimised window.
    virtual void DrawIcon(IconHandle) {}
    /// The platform's own handling of a message that the dialog does not handle itself.
    virtual void DefaultProcessing(const Message&) {}
    /// Ends the modal loop with a result; the window is then destroyed.
    virtual void EndDialog(int result) = 0;
    /// Opens the About box (template 100) modally.
    virtual void RunAboutBox() {}
    /// Called during long blocking work, so the window stays painted while it takes no input.
    virtual void KeepAlive() {}
};

/// Direction and target of one exchange.
class CDataExchange {
public:
    CDataExchange(IDialogBackend& backend, bool saveAndValidate)
        : m_backend(backend), m_bSaveAndValidate(saveAndValidate) {}

    IDialogBackend& Backend() const { return m_backend; }
    bool SaveAndValidate() const { return m_bSaveAndValidate; }
    bool Failed() const { return m_failed; }
    void Fail() { m_failed = true; }

private:
    IDialogBackend& m_backend;
    bool m_bSaveAndValidate;
    bool m_failed = false;
};

/// Attaches the list control with that id on the first exchange.
void DDX_Control(CDataExchange* pDX, int id, CListCtrl& control);
/// Whole text of an edit control.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
/// A decimal integer; a text that is not one fails the exchange and leaves the member as it is.
void DDX_Text(CDataExchange* pDX, int id, std::int32_t& value);

/// The application's name: the caption of every message box shown through AfxMessageBox.
const std::string& AfxGetAppName();
void AfxSetAppName(std::string name);

class CDialog;

/// One entry of a message map: what message, from which control, and the handler to run.
struct MessageMapEntry {
    unsigned code;     ///< WM_* code
    int id;            ///< control id for WM_COMMAND and WM_NOTIFY; ignored otherwise
    int notification;  ///< BN_CLICKED or NM_CLICK; ignored for other codes
    void (*handler)(CDialog& dialog, Message& message);
};

/// A modal dialog whose window is provided by a backend.
class CDialog {
public:
    explicit CDialog(int templateId) : m_templateId(templateId) {}
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    int TemplateId() const { return m_templateId; }

    /// Connects the dialog to its window (or a stand-in). Must outlive the dialog's use of it.
    void SetBackend(IDialogBackend* backend) { m_backend = backend; }
    IDialogBackend* Backend() const { return m_backend; }

    /// Delivers one message through the message map, then the base class's defaults. An exception
    /// that escapes a handler is reported in a message box and the dialog goes on.
    /// Returns true when something handled the message.
    bool Dispatch(Message& message);
    bool Dispatch(Message&& message) { return Dispatch(message); }

    /// true: every control into its member; false: every member into its control.
    bool UpdateData(bool saveAndValidate = true);

    /// A box with a caption of the program's own; owned by the dialog.
    int MessageBox(const std::string& text, const std::string& caption, unsigned type = MB_OK);
    /// A box captioned with the application's name, with the warning icon.
    int AfxMessageBox(const std::string& text, unsigned type = MB_OK);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual std::span<const MessageMapEntry> GetMessageMap() const { return {}; }
    /// Base start-up: the first exchange towards the controls. Returns true so that the focus
    /// goes to the first tab stop.
    virtual bool OnInitDialog();
    /// Base OK: exchange into the members and, when that succeeds, end with IDOK.
    virtual void OnOK();
    /// Base cancel: end with IDCANCEL, no exchange.
    virtual void OnCancel();
    void EndDialog(int result);
    /// The platform's default handling of the message being dispatched.
    void Default();

private:
    bool DefaultHandling(Message& message);

    int m_templateId;
    IDialogBackend* m_backend = nullptr;
    const Message* m_current = nullptr;
};

}  // namespace platform
