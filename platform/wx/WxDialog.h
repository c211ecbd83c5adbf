// A dialog window on wxWidgets, built from a dialog template, that delivers every user action to
// the program's dialog object as one message.
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/Dialog.h"
#include "res/Templates.h"

class wxTextCtrl;
class wxWindowDisabler;
class wxMenu;
class wxPaintDC;

namespace platform::wx {

class WxListCtrl;

/// The window of a CDialog: controls from its template with the template's ids, message boxes
/// owned by it, and the shell. It is the dialog's backend while it lives.
class WxDialog : public wxDialog, public IDialogBackend {
public:
    /// Builds the window of `dialog` from its template (parent nullptr: a top-level window).
    WxDialog(CDialog& dialog, wxWindow* parent);
    ~WxDialog() override;

    /// Runs the dialog: start-up, the modal loop, then the destroy message. Returns the result
    /// that ended it.
    int DoModal();
    /// Start-up without a modal loop (window tests): initialisation, shown, focus on the first
    /// tab stop.
    void Start();
    /// The destroy message, then the window goes (window tests, after the dialog ended).
    void Finish();
    bool Ended() const { return m_ended; }
    int Result() const { return m_result; }

    /// The control with a template id, or nullptr.
    wxWindow* Control(int id) const;
    WxListCtrl* List() const { return m_list; }

    /// What F1 does (the application's help).
    void SetHelpHandler(std::function<void()> onHelp) { m_onHelp = std::move(onHelp); }
    /// What the About item's system command opens.
    void SetAboutBoxRunner(std::function<void(WxDialog& owner)> run) {
        m_runAbout = std::move(run);
    }

    /// Opens a document or web address; tests replace it so no viewer starts.
    static std::function<void(const std::string& target, int showCommand)>& ShellOpenSeam();
    /// Shows the context menu and returns the chosen command id (wxID_NONE: none); tests
    /// replace it to choose an item.
    static std::function<int(wxWindow& owner, wxMenu& menu)>& PopupSeam();
    /// The system's handling of a document or web address (the viewer or browser).
    static void LaunchDefault(const std::string& target);

    // IDialogBackend
    std::string GetDlgItemText(int id) override;
    void SetDlgItemText(int id, const std::string& text) override;
    IListBackend* GetListControl(int id) override;
    int MessageBox(const std::string& text, const std::string& caption, unsigned type) override;
    void ShellOpen(const std::string& target, int showCommand) override;
    bool AppendSystemMenuItem(const std::string& text, unsigned command) override;
    void SetIcon(IconHandle icon, bool big) override;
    bool IsIconic() override { return IsIconized(); }
    void DrawIcon(IconHandle icon) override;
    void DefaultProcessing(const Message& message) override;
    void EndDialog(int result) override;
    void RunAboutBox() override;
    void KeepAlive() override;

    /// Delivers one user action, unless a handler is already running.
    void Deliver(Message message);
    /// Shows the window's context menu (the About item).
    void ShowContextMenu();

private:
    struct Box {
        wxTextCtrl* ctrl = nullptr;
        std::string bytes;     ///< what the program last wrote, exactly
        bool edited = false;   ///< the user changed the text since
        bool pending = false;  ///< `bytes` not yet shown in the control
    };

    void Build(const res::DialogTemplate& tpl);
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnPaint(wxPaintEvent& event);
    /// Shows in each box the text the program last wrote to it.
    void FlushBoxes();
    /// Dispatches a message; the boxes are brought up to date when it has been handled, or
    /// whenever the handler lets the window paint.
    void DispatchDeferringBoxes(Message& message);

    CDialog& m_dialog;
    std::map<int, wxWindow*> m_controls;
    std::map<int, Box> m_boxes;
    WxListCtrl* m_list = nullptr;
    wxWindow* m_firstTabStop = nullptr;
    std::string m_menuText;  ///< the About item, once added
    unsigned m_menuCommand = 0;
    bool m_inHandler = false;    ///< a message of the program is being dispatched
    bool m_flushQueued = false;  ///< FlushBoxes will run once the toolkit gets its turn
    bool m_busy = false;
    bool m_ended = false;
    bool m_destroyed = false;
    int m_result = 0;
    std::unique_ptr<wxWindowDisabler> m_disabler;
    wxWindow* m_focusBeforeRun = nullptr;
    wxPaintDC* m_paintDC = nullptr;
    std::function<void()> m_onHelp;
    std::function<void(WxDialog&)> m_runAbout;
};

}  // namespace platform::wx
