// The real main window under Xvfb: start-up, editing with keyboard and mouse, the runs, the About
// box, Help, and every way of closing, driven with simulated input.
#include "tests/gui/GuiHarness.h"

#include <httplib.h>
#include <wx/button.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

#include <thread>

#include "app/HelpPage.h"
#include "platform/wx/WxListCtrl.h"
#include "platform/wx/WxText.h"
#include "res/Strings.h"

using namespace sqgui;
using platform::wx::WxDialog;

namespace {

const std::string kThreeEntries =
    "CREATOR=SITEQUILL 1.0\r\n"
    "TITLE=Alpha\r\nURL=http://127.0.0.1/a\r\nPOS1=a1\r\nPOS2=\r\nNEG1=\r\nNEG2=\r\nDESC=first\r\n"
    "\r\n"
    "TITLE=Beta\r\nURL=http://127.0.0.1/b\r\nPOS1=\r\nPOS2=b2\r\nNEG1=\r\nNEG2=\r\nDESC=\r\n"
    "\r\n"
    "TITLE=Gamma\r\nURL=http://127.0.0.1/"
    "c\r\nPOS1=\r\nPOS2=\r\nNEG1=c1\r\nNEG2=c2\r\nDESC=last\r\n";

}  // namespace

TEST_F(WindowTest, StartUpShowsTheCatalogueNewestFirstWithFocusOnQuit) {
    sqtest::WriteBytes("sq.dat", kThreeEntries);
    Open();
    if (!LoaderBuilt())
        GTEST_SKIP() << "the catalogue file is not loaded yet";
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Gamma", "Beta", "Alpha"}));
    EXPECT_EQ(Text(res::IDC_TEST_COUNT), "3");
    for (int id : sqtest::kFieldBoxes)
        EXPECT_EQ(Text(id), "") << id;
    EXPECT_EQ(Text(res::IDC_STATUS), "");
    EXPECT_EQ(wxWindow::FindFocus(), window->Control(res::IDC_QUIT));
}

TEST_F(WindowTest, MissingCatalogueGivesZeroAndAnEmptyFile) {
    Open();
    EXPECT_EQ(Text(res::IDC_TEST_COUNT), "0");
    EXPECT_EQ(Titles().size(), 0u);
    if (LoaderBuilt()) {
        EXPECT_TRUE(std::filesystem::exists("sq.dat"));
    }
}

TEST_F(WindowTest, TypedTestIsAddedOnTopAndBlankTitleIsRefused) {
    Open();
    TypeInto(res::IDC_TITLE, "First");
    TypeInto(res::IDC_URL, "http://127.0.0.1/1");
    ClickControl(res::IDC_ADD);
    TypeInto(res::IDC_TITLE, "Second");
    ClickControl(res::IDC_ADD);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Second", "First"}));
    EXPECT_EQ(window->List()->CellText(1, 1), "http://127.0.0.1/1");
    EXPECT_EQ(Text(res::IDC_TEST_COUNT), "2");

    // Title box emptied by the keyboard: Add shows the program's own error box.
    Focus(res::IDC_TITLE);
    static_cast<wxTextCtrl*>(window->Control(res::IDC_TITLE))->SelectAll();
    Key(WXK_DELETE);
    wxTEST_DIALOG(ClickControl(res::IDC_ADD),
                  ExpectBox("Course Name Blank.\nNo entry added.", "Error", wxID_OK));
    EXPECT_EQ(Titles().size(), 2u);
}

TEST_F(WindowTest, MouseClickOnRowFillsTheBoxesAndUpdateRemoveActOnIt) {
    Open();
    for (const char* title : {"One", "Two", "Three"}) {
        TypeInto(res::IDC_TITLE, title);
        TypeInto(res::IDC_DESCRIPTION, std::string("about ") + title);
        ClickControl(res::IDC_ADD);
    }
    ASSERT_EQ(Titles(), (std::vector<std::string>{"Three", "Two", "One"}));
    ClickRow(1);
    EXPECT_EQ(Text(res::IDC_TITLE), "Two");
    EXPECT_EQ(Text(res::IDC_DESCRIPTION), "about Two");
    EXPECT_EQ(window->List()->SelectionMark(), 1);

    // Keyboard moves select other rows but leave the boxes alone.
    Key(WXK_DOWN);
    EXPECT_EQ(window->List()->SelectionMark(), 2);
    EXPECT_EQ(Text(res::IDC_TITLE), "Two");

    ClickRow(0);
    TypeInto(res::IDC_TITLE, "Three bis");
    ClickControl(res::IDC_UPDATE);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Three bis", "Two", "One"}));

    ClickRow(2);
    ClickControl(res::IDC_REMOVE);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Three bis", "Two"}));
    EXPECT_EQ(Text(res::IDC_TEST_COUNT), "2");
    EXPECT_EQ(window->List()->SelectionMark(), -1);
}

TEST_F(WindowTest, TestAllOverTwoRowsAgainstALoopbackServer) {
    if (!RunsBuilt())
        GTEST_SKIP() << "the test runs are not built yet";
    httplib::Server server;
    server.Get("/good", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("<html>all is well</html>", "text/html");
    });
    server.Get("/bad", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("<html>error page</html>", "text/html");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { server.listen_after_bind(); });
    const std::string base = "http://127.0.0.1:" + std::to_string(port);

    sqtest::WriteBytes("Header.htm", "<h1>Run</h1>");
    sqtest::WriteBytes("Footer.htm", "<hr>");
    Open();
    TypeInto(res::IDC_TITLE, "Bad");
    TypeInto(res::IDC_URL, base + "/bad");
    TypeInto(res::IDC_NEG1, "error");
    ClickControl(res::IDC_ADD);
    TypeInto(res::IDC_TITLE, "Good");
    TypeInto(res::IDC_URL, base + "/good");
    TypeInto(res::IDC_POS1, "well");
    TypeInto(res::IDC_NEG1, "");
    ClickControl(res::IDC_ADD);

    wxTEST_DIALOG(ClickControl(res::IDC_TEST_ALL),
                  ExpectBox("Your Tests Have Been Performed.\nYour report was written to:\n"
                            "Report.htm\nWould you like to view it now?",
                            platform::AfxGetAppName(), wxID_NO, true));
    EXPECT_EQ(Text(res::IDC_STATUS), "Done.");
    const std::string log = sqtest::ReadBytes("tester.log");
    EXPECT_NE(log.find("OK"), std::string::npos) << log;
    EXPECT_NE(log.find("error"), std::string::npos) << log;
    const std::string report = sqtest::ReadBytes("report.htm");
    EXPECT_EQ(report.rfind("<h1>Run</h1>", 0), 0u) << report;
    EXPECT_NE(report.find("<br>"), std::string::npos);
    EXPECT_TRUE(opened.empty());

    // Answered Yes, the prompt hands the report to the viewer.
    wxTEST_DIALOG(ClickControl(res::IDC_TEST_ALL),
                  ExpectBox("Your Tests Have Been Performed.\nYour report was written to:\n"
                            "Report.htm\nWould you like to view it now?",
                            platform::AfxGetAppName(), wxID_YES, true));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(wxString(opened[0].first).IsSameAs("Report.htm", false)) << opened[0].first;
    server.stop();
    serving.join();
}

TEST_F(WindowTest, TestOneWithNothingMarkedSaysSo) {
    if (!RunsBuilt())
        GTEST_SKIP() << "the test runs are not built yet";
    Open();
    TypeInto(res::IDC_TITLE, "Only");
    ClickControl(res::IDC_ADD);
    wxTEST_DIALOG(ClickControl(res::IDC_TEST_ONE),
                  ExpectBox("Please Select a Test to Run from the list", "Error", wxID_OK));
    EXPECT_FALSE(std::filesystem::exists("tester.log"));
}

TEST_F(WindowTest, AboutBoxOpensFromTheContextMenuAndClosesWithOk) {
    Open();
    TypeInto(res::IDC_TITLE, "kept");
    std::string label;
    bool sawAbout = false;
    WxDialog::PopupSeam() = [&](wxWindow&, wxMenu& menu) {
        label = menu.FindItemByPosition(0)->GetItemLabel().utf8_string();
        // The About box runs for real; once it is up, its OK button is clicked with the mouse.
        wxTheApp->CallAfter([&] {
            for (int i = 0; i < 100 && !sawAbout; ++i) {
                Pump(1);
                for (wxWindow* top : wxTopLevelWindows) {
                    auto* about = dynamic_cast<WxDialog*>(top);
                    if (about && about->IsModal() && top->GetLabel() == "About Sitequill") {
                        sawAbout = true;
                        EXPECT_EQ(about->Control(res::IDC_ABOUT_OK)->GetLabel(), "OK");
                        ClickWindow(about->Control(res::IDC_ABOUT_OK));
                        if (!about->Ended())  // never leave the test waiting on the box
                            about->EndModal(wxID_CANCEL);
                        break;
                    }
                }
            }
        });
        return menu.FindItemByPosition(0)->GetId();
    };
    Focus(res::IDC_QUIT);
    Key(WXK_MENU);
    Pump();
    EXPECT_EQ(label, "&About Sitequill...");
    EXPECT_TRUE(sawAbout);
    EXPECT_FALSE(window->Ended());
    EXPECT_EQ(Text(res::IDC_TITLE), "kept");
}

TEST_F(WindowTest, HelpButtonAndF1ReachTheOpenRequest) {
    Open();
    TypeInto(res::IDC_TITLE, "stays");
    ClickControl(res::IDC_HELP_BUTTON);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, "http://" + res::SiteName() + "/help.htm");
    EXPECT_EQ(opened[0].second, platform::SW_HIDE);
    EXPECT_EQ(Text(res::IDC_TITLE), "stays");
    Key(WXK_F1);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].first, app::HelpPagePath());
    EXPECT_TRUE(std::filesystem::exists(opened[1].first));
}

TEST_F(WindowTest, EnterInTheTitleBoxTakesTheBoxesEndsAndSaves) {
    Open();
    TypeInto(res::IDC_TITLE, "Saved");
    ClickControl(res::IDC_ADD);
    TypeInto(res::IDC_TITLE, "typed");
    Key(WXK_RETURN);
    ASSERT_TRUE(window->Ended());
    EXPECT_EQ(window->Result(), platform::IDOK);
    EXPECT_EQ(dlg.m_title, "typed");
    FinishWindow();
    if (SaverBuilt()) {
        EXPECT_NE(sqtest::ReadBytes("sq.dat").find("TITLE=Saved"), std::string::npos);
    }
}

TEST_F(WindowTest, EscapeEndsWithoutTakingTheBoxesAndSaves) {
    Open();
    TypeInto(res::IDC_TITLE, "Saved");
    ClickControl(res::IDC_ADD);
    TypeInto(res::IDC_TITLE, "not taken");
    Key(WXK_ESCAPE);
    ASSERT_TRUE(window->Ended());
    EXPECT_EQ(window->Result(), platform::IDCANCEL);
    EXPECT_EQ(dlg.m_title, "Saved");  // what the last exchange took, not what was typed since
    FinishWindow();
    if (SaverBuilt()) {
        EXPECT_NE(sqtest::ReadBytes("sq.dat").find("TITLE=Saved"), std::string::npos);
    }
}

TEST_F(WindowTest, BytesThatAreNotUtf8AreShownAsLatin1AndComeBackExact) {
    Open();
    const std::string latin1 = "caf\xE9 \xFF";
    const std::string utf8 = "caf\xC3\xA9";
    window->SetDlgItemText(res::IDC_TITLE, latin1);
    window->SetDlgItemText(res::IDC_URL, utf8);
    auto* title = static_cast<wxTextCtrl*>(window->Control(res::IDC_TITLE));
    EXPECT_EQ(title->GetValue(), wxString::FromUTF8("caf\xC3\xA9 \xC3\xBF"));
    EXPECT_EQ(window->GetDlgItemText(res::IDC_TITLE), latin1);
    EXPECT_EQ(window->GetDlgItemText(res::IDC_URL), utf8);
    // Typed on, the text becomes the user's (UTF-8).
    Focus(res::IDC_TITLE);
    title->SetInsertionPointEnd();
    sim.Text("x");
    Pump();
    EXPECT_EQ(window->GetDlgItemText(res::IDC_TITLE), "caf\xC3\xA9 \xC3\xBFx");

    window->List()->Backend().InsertItem(0, latin1);
    EXPECT_EQ(window->List()->CellText(0, 0), latin1);
}

TEST(AppTest, FailedInternetStartUpShowsString103AndTouchesNoFile) {
    sqtest::ScratchDir dir;
    auto saved = CSitequillApp::s_internetStartup;
    CSitequillApp::s_internetStartup = [] { return false; };
    wxTEST_DIALOG(EXPECT_FALSE(wxGetApp().InitInstance()),
                  ExpectBox("Windows sockets initialization failed.", platform::AfxGetAppName(),
                            wxID_OK, true));
    CSitequillApp::s_internetStartup = saved;
    EXPECT_FALSE(std::filesystem::exists("sq.dat"));
}
