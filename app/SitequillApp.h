// CSitequillApp: the application object; starts the platform and runs the main window.
#pragma once

#include <wx/app.h>

class CSitequillDlg;
namespace platform::wx {
class WxDialog;
}

class CSitequillApp : public wxApp {
public:
    bool OnInit() override;
    int OnRun() override;

    /// Start-up: the HTTP library, then the main window modally until it closes. Always false:
    /// the program ends when it returns.
    bool InitInstance();

    /// The HTTP library's global start-up; tests replace it to see its failure.
    static bool (*s_internetStartup)();
    /// Called with the main window once it exists and before it runs (window tests).
    static void (*s_onMainWindow)(CSitequillDlg& dlg, platform::wx::WxDialog& window);

    /// Runs the About box modally over its owner.
    static void RunAboutBox(wxWindow* owner);
    /// Opens the help page in the user's viewer.
    static void OpenHelp();
};

wxDECLARE_APP(CSitequillApp);
