// CSitequillApp: the application object; starts the platform and runs the main window.
#include "app/SitequillApp.h"

#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "app/AboutBox.h"
#include "app/HelpPage.h"
#include "platform/InternetSession.h"
#include "platform/wx/WxDialog.h"
#include "platform/wx/WxText.h"
#include "res/Resource.h"
#include "res/Strings.h"
#include "ui/SitequillDlg.h"

using platform::wx::WxDialog;

bool (*CSitequillApp::s_internetStartup)() = platform::InternetStartup;
void (*CSitequillApp::s_onMainWindow)(CSitequillDlg&, WxDialog&) = nullptr;

bool CSitequillApp::OnInit() {
    // The application's name is the executable's name without its extension.
    if (argc > 0)
        platform::AfxSetAppName(wxFileName(argv[0]).GetName().utf8_string());
    SetAppName(platform::wx::ToWx(platform::AfxGetAppName()));
    return true;
}

int CSitequillApp::OnRun() {
    InitInstance();
    return 0;
}

void CSitequillApp::RunAboutBox(wxWindow* owner) {
    CAboutBox about;
    auto* window = new WxDialog(about, owner);
    window->SetHelpHandler(&CSitequillApp::OpenHelp);
    window->DoModal();
}

void CSitequillApp::OpenHelp() {
    WxDialog::ShellOpenSeam()(app::HelpPagePath(), platform::SW_SHOWNORMAL);
}

bool CSitequillApp::InitInstance() {
    if (!s_internetStartup()) {
        wxMessageDialog box(nullptr,
                            platform::wx::ToWx(res::LoadString(res::IDP_SOCKETS_INIT_FAILED)),
                            platform::wx::ToWx(platform::AfxGetAppName()), wxOK | wxICON_WARNING);
        box.ShowModal();
        return false;
    }
    // Control containment and the three-dimensional look have no counterpart here.
    {
        CSitequillDlg dlg;
        auto* window = new WxDialog(dlg, nullptr);
        SetTopWindow(window);
        window->SetHelpHandler(&CSitequillApp::OpenHelp);
        window->SetAboutBoxRunner([](WxDialog& owner) { RunAboutBox(&owner); });
        if (s_onMainWindow)
            s_onMainWindow(dlg, *window);
        window->DoModal();
        SetTopWindow(nullptr);
    }
    platform::InternetCleanup();
    return false;
}
