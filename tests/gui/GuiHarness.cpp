// Window test harness: the application object, simulated input and the main window's set-up.
#include "tests/gui/GuiHarness.h"

#include <wx/app.h>
#include <wx/textctrl.h>

#include "platform/MemoryBackend.h"
#include "platform/wx/WxListCtrl.h"
#include "platform/wx/WxText.h"

wxIMPLEMENT_APP_NO_MAIN(CSitequillApp);

namespace sqgui {

void Pump(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        wxYield();
        wxMilliSleep(10);
    }
    wxYield();
}

namespace {

/// The logic on the memory backend, to see which of its parts exist yet.
struct Probe {
    sqtest::ScratchDir dir;
    platform::MemoryBackend backend;
    CSitequillDlg dlg;
    Probe() { dlg.SetBackend(&backend); }
};

}  // namespace

bool LoaderBuilt() {
    static const bool built = [] {
        Probe p;
        sqtest::WriteBytes("sq.dat", "CREATOR=SITEQUILL 1.0\r\nTITLE=x\r\n");
        p.dlg.Dispatch(platform::Message::Plain(platform::WM_INITDIALOG));
        return p.backend.list.GetItemCount() == 1;
    }();
    return built;
}

bool SaverBuilt() {
    static const bool built = [] {
        Probe p;
        p.dlg.Dispatch(platform::Message::Plain(platform::WM_INITDIALOG));
        p.dlg.Dispatch(platform::Message::Plain(platform::WM_DESTROY));
        return std::filesystem::exists("sq.dat");
    }();
    return built;
}

bool RunsBuilt() {
    static const bool built = [] {
        Probe p;
        p.dlg.Dispatch(platform::Message::Plain(platform::WM_INITDIALOG));
        p.dlg.Dispatch(platform::Message::Command(res::IDC_TEST_ALL));
        return p.dlg.m_status == "Done.";
    }();
    return built;
}

void ClickWindow(wxWindow* w) {
    wxUIActionSimulator sim;
    const wxRect r = w->GetScreenRect();
    sim.MouseMove(r.GetLeft() + r.GetWidth() / 2, r.GetTop() + r.GetHeight() / 2);
    Pump(2);
    sim.MouseClick();
    Pump();
}

WindowTest::WindowTest() {
    platform::wx::WxDialog::ShellOpenSeam() = [this](const std::string& target, int show) {
        opened.emplace_back(target, show);
    };
}

WindowTest::~WindowTest() {
    if (window && !finished) {
        window->EndDialog(platform::IDCANCEL);
        window->Finish();
    }
    Pump(2);
    platform::wx::WxDialog::ShellOpenSeam() = [](const std::string& target, int) {
        platform::wx::WxDialog::LaunchDefault(target);
    };
    platform::wx::WxDialog::PopupSeam() = [](wxWindow& owner, wxMenu& menu) {
        return owner.GetPopupMenuSelectionFromUser(menu);
    };
}

void WindowTest::Open() {
    window = new platform::wx::WxDialog(dlg, nullptr);
    window->SetHelpHandler(&CSitequillApp::OpenHelp);
    window->SetAboutBoxRunner(
        [](platform::wx::WxDialog& owner) { CSitequillApp::RunAboutBox(&owner); });
    window->Move(20, 20);
    window->Start();
    // Xvfb has no window manager: give the window the keyboard ourselves.
    window->Raise();
    Pump(20);
    window->Control(res::IDC_QUIT)->SetFocus();
    Pump();
}

void WindowTest::FinishWindow() {
    window->Finish();
    finished = true;
    Pump(2);
}

void WindowTest::Focus(int id) {
    window->Control(id)->SetFocus();
    Pump(3);
}

void WindowTest::TypeInto(int id, const std::string& text) {
    Focus(id);
    auto* box = static_cast<wxTextCtrl*>(window->Control(id));
    box->SelectAll();
    Key(WXK_DELETE);
    if (!text.empty())
        sim.Text(text.c_str());
    Pump();
}

void WindowTest::Key(int keyCode, int modifiers) {
    sim.Char(keyCode, modifiers);
    Pump();
}

void WindowTest::ClickControl(int id) {
    ClickWindow(window->Control(id));
}

void WindowTest::ClickRow(int row) {
    platform::wx::WxListCtrl* list = window->List();
    wxRect r;
    ASSERT_TRUE(list->GetItemRect(row, r));
    const wxPoint at =
        list->ClientToScreen(wxPoint(r.GetLeft() + 10, r.GetTop() + r.GetHeight() / 2));
    sim.MouseMove(at);
    Pump(2);
    sim.MouseClick();
    Pump();
}

std::string WindowTest::Text(int id) {
    return platform::wx::FromWx(static_cast<wxTextCtrl*>(window->Control(id))->GetValue());
}

std::vector<std::string> WindowTest::Titles() {
    std::vector<std::string> titles;
    for (int r = 0; r < window->List()->RowCount(); ++r)
        titles.push_back(window->List()->CellText(r, 0));
    return titles;
}

}  // namespace sqgui

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new CSitequillApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "no display: run the window tests under xvfb-run\n");
        return 1;
    }
    // Expectations of the toolkit's own that fail must fail the test, even in release builds.
    wxSetAssertHandler([](const wxString& file, int line, const wxString&, const wxString& cond,
                          const wxString& msg) {
        ADD_FAILURE_AT(file.utf8_str(), line) << cond.utf8_string() << " " << msg.utf8_string();
    });
    const int rc = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}
