// Test One and Test All through the window's buttons: framing, order, status texts, the prompt.
#include <gtest/gtest.h>

#include <filesystem>

#include "LoopbackServer.h"
#include "PageCheck.h"

using namespace sqtest;
namespace fs = std::filesystem;

namespace {

constexpr const char* kAllPrompt =
    "Your Tests Have Been Performed.\nYour report was written to:\nReport.htm\nWould you like to "
    "view it now?";
constexpr const char* kOnePrompt =
    "Your Test Has Been Performed.\nYour report was written to:\nReport.htm\nWould you like to "
    "view it now?";
constexpr const char* kHeader = "<html><body>\r\n";
constexpr const char* kFooter = "</body></html>\r\n";

class TestRunTest : public CheckTest {
protected:
    void SetUp() override {
        server.Server().Get(
            R"(/page/(\w+))", [](const httplib::Request& req, httplib::Response& res) {
                res.set_content("Welcome to page " + std::string(req.matches[1]), "text/html");
            });
        server.Server().Get("/drop", [](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(100000, "text/html",
                                     [](size_t, size_t, httplib::DataSink& sink) {
                                         sink.write("Welcome", 7);
                                         return false;  // breaks the connection mid-body
                                     });
        });
        server.Start();
        Open();
        WriteBytes("Header.htm", kHeader);
        WriteBytes("Footer.htm", kFooter);
    }

    /// Adds rows so that the list shows `titles` from the top; each tests /page/<title>.
    void AddRows(const std::vector<std::string>& titles) {
        for (auto it = titles.rbegin(); it != titles.rend(); ++it)
            Add({*it, server.Url("/page/" + *it), "page " + *it, "", "", "", "d"});
    }

    void Run(int button) {
        ::testing::internal::CaptureStderr();
        Click(button);
        stderrText = ::testing::internal::GetCapturedStderr();
    }

    std::string Line(const std::string& title, const char* result = "OK") {
        return LogLine(server.Url("/page/" + title), result);
    }

    HttpServer server;
};

TEST_F(TestRunTest, TestAllChecksEveryRowFromTheTopBetweenHeaderAndFooter) {
    AddRows({"a", "b", "c"});
    backend.list.SetSelectionMark(1);
    backend.writes.clear();
    backend.answers = {platform::IDNO};
    Run(res::IDC_TEST_ALL);

    EXPECT_EQ(ReadBytes("report.htm"),
              kHeader + Line("a") + "<br>" + Line("b") + "<br>" + Line("c") + "<br>" + kFooter);
    EXPECT_EQ(ReadBytes("tester.log"), Line("a") + Line("b") + Line("c"));
    EXPECT_EQ(Boxes()[0], "c") << "the boxes end on the bottom row";
    EXPECT_EQ(backend.TextsShown(res::IDC_STATUS),
              (std::vector<std::string>{"Downloading...", "Searching Page...", "Downloading...",
                                        "Searching Page...", "Downloading...", "Searching Page...",
                                        "Done."}));
    ASSERT_EQ(backend.boxes.size(), 1u);
    EXPECT_EQ(backend.boxes[0].text, kAllPrompt);
    EXPECT_EQ(backend.boxes[0].caption, platform::AfxGetAppName());
    EXPECT_EQ(backend.boxes[0].type, platform::MB_YESNO | platform::MB_ICONEXCLAMATION);
    EXPECT_TRUE(backend.opened.empty()) << "No opens nothing";
    EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(backend.list.GetSelectionMark(), 1) << "a run never moves the mark";
    EXPECT_EQ(stderrText, "");
}

TEST_F(TestRunTest, TestAllOverAnEmptyListFramesNothing) {
    Type(Titled("typed"));
    backend.answers = {platform::IDYES};
    Run(res::IDC_TEST_ALL);
    EXPECT_EQ(ReadBytes("report.htm"), std::string(kHeader) + kFooter);
    EXPECT_FALSE(fs::exists("tester.log"));
    EXPECT_EQ(backend.controls[res::IDC_STATUS], "Done.");
    EXPECT_EQ(Boxes()[0], "typed");
    ASSERT_EQ(backend.boxes.size(), 1u);
    ASSERT_EQ(backend.opened.size(), 1u) << "Yes opens the report";
    EXPECT_EQ(backend.opened[0].target, "report.htm");
    EXPECT_EQ(backend.opened[0].showCommand, platform::SW_SHOWNORMAL);
    EXPECT_TRUE(fs::exists(backend.opened[0].target));
}

TEST_F(TestRunTest, TestOneChecksTheMarkedRowAsStored) {
    AddRows({"a", "b"});
    backend.list.SetSelectionMark(1);
    Type(Titled("unsaved", server.Url("/page/zzz")));
    backend.writes.clear();
    backend.answers = {platform::IDYES};
    Run(res::IDC_TEST_ONE);

    EXPECT_EQ(ReadBytes("report.htm"), kHeader + Line("b") + "<br>" + kFooter);
    EXPECT_EQ(Boxes()[0], "b");
    ASSERT_EQ(backend.boxes.size(), 1u);
    EXPECT_EQ(backend.boxes[0].text, kOnePrompt);
    EXPECT_EQ(backend.opened.size(), 1u);
    EXPECT_EQ(backend.TextsShown(res::IDC_STATUS),
              (std::vector<std::string>{"", "Checking...", "Searching Page..."}));
}

TEST_F(TestRunTest, TestOneOfAPageThatCannotBeOpenedEndsOnChecking) {
    Add(Titled("gone", "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/"));
    backend.list.SetSelectionMark(0);
    Run(res::IDC_TEST_ONE);
    EXPECT_EQ(backend.controls[res::IDC_STATUS], "Checking...");
    EXPECT_EQ(dlg.m_resultText, "404");
    EXPECT_EQ(backend.boxes.size(), 1u) << "the prompt still comes";
}

TEST_F(TestRunTest, TestOneWithoutAMarkReadsAndWritesNothing) {
    fs::remove("Header.htm");
    fs::remove("Footer.htm");
    AddRows({"a"});
    Run(res::IDC_TEST_ONE);
    ASSERT_EQ(backend.boxes.size(), 1u);
    EXPECT_EQ(backend.boxes[0].text, "Please Select a Test to Run from the list");
    EXPECT_EQ(backend.boxes[0].caption, "Error");
    EXPECT_EQ(backend.boxes[0].type, platform::MB_OK);
    for (const char* file : {"report.htm", "tester.log", "Header.htm", "Footer.htm"})
        EXPECT_FALSE(fs::exists(file)) << file;
}

TEST_F(TestRunTest, TwoRunsLeaveTwoBlocks) {
    AddRows({"a"});
    Run(res::IDC_TEST_ALL);
    Run(res::IDC_TEST_ALL);
    const std::string block = kHeader + Line("a") + "<br>" + kFooter;
    EXPECT_EQ(ReadBytes("report.htm"), block + block);
}

TEST_F(TestRunTest, FragmentsArriveWholeAndMissingOnesAreCreatedEmpty) {
    AddRows({"a"});
    WriteBytes("Header.htm", "one\r\ntwo\n\tthree  \r\n  four");
    fs::remove("Footer.htm");
    Run(res::IDC_TEST_ALL);
    EXPECT_EQ(ReadBytes("report.htm"), "one\r\ntwo\r\n\tthree  \r\n  four" + Line("a") + "<br>");
    EXPECT_TRUE(fs::exists("Footer.htm"));
    EXPECT_EQ(fs::file_size("Footer.htm"), 0u);
    EXPECT_EQ(backend.boxes.size(), 1u) << "only the prompt: a missing fragment is no error";
}

TEST_F(TestRunTest, AFragmentThatCannotBeReadIsReportedOnceAndTheRunGoesOn) {
    AddRows({"a"});
    fs::remove("Header.htm");
    fs::create_directory("Header.htm");
    Run(res::IDC_TEST_ALL);
    ASSERT_EQ(backend.boxes.size(), 2u);
    EXPECT_EQ(backend.boxes[0].text, "Error loading file");
    EXPECT_EQ(backend.boxes[0].caption, "Error");
    EXPECT_EQ(backend.boxes[1].text, kAllPrompt);
    EXPECT_EQ(ReadBytes("report.htm"), Line("a") + "<br>" + kFooter);
}

TEST_F(TestRunTest, ADownloadThatBreaksOffDoesNotStopTestAll) {
    AddRows({"a", "b"});
    Add({"broken", server.Url("/drop"), "Welcome", "", "", "", ""});  // the top row
    Run(res::IDC_TEST_ALL);
    EXPECT_EQ(ReadBytes("report.htm"), kHeader + LogLine(server.Url("/drop"), "404") + "<br>" +
                                           Line("a") + "<br>" + Line("b") + "<br>" + kFooter);
    EXPECT_TRUE(stderrText.starts_with("Read failed: ")) << stderrText;
    EXPECT_EQ(backend.boxes.size(), 1u);
    EXPECT_EQ(backend.boxes.back().text, kAllPrompt);
}

}  // namespace
