// Fetching and judging a page against servers on 127.0.0.1, and the result lines it appends.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <mutex>
#include <thread>

#include "LoopbackServer.h"
#include "PageCheck.h"

using namespace sqtest;
namespace fs = std::filesystem;

namespace {

constexpr const char* kMissing = "Bad - Test String text Not Found";

struct OutcomeCase {
    const char* name;
    std::string body;
    int status;
    const char* pos1;
    const char* pos2;
    const char* neg1;
    const char* neg2;
    std::string expected;
};

std::string Filler(std::size_t n) {
    return std::string(n, '.');
}

const std::vector<OutcomeCase> kOutcomes{
    {"BothAtStartAndMiddle", "Welcome to the shop", 200, "Welcome", "shop", "", "", "OK"},
    {"PosAtOffsetOne", " Welcome", 200, "Welcome", "", "", "", "OK"},
    {"PosTwoAlone", "a shop", 200, "", "shop", "", "", "OK"},
    {"OnePosMissing", "Welcome", 200, "Welcome", "Basket", "", "", kMissing},
    {"CaseDiffers", "welcome", 200, "Welcome", "", "", "", kMissing},
    {"NegAtFirstByte", "Internal Server Error", 200, "", "", "Internal", "",
     "Error String Found:Internal"},
    {"BothNegNamesFirst", "Oops, Fatal", 200, "", "", "Oops", "Fatal", "Error String Found:Oops"},
    {"NegTwoOnly", "x Fatal", 200, "Welcome", "", "", "Fatal", "Error String Found:Fatal"},
    {"NegBeatsPos", "Welcome Fatal", 200, "Welcome", "", "Fatal", "", "Error String Found:Fatal"},
    {"BothPosEmpty", "anything", 200, "", "", "", "", kMissing},
    {"EmptyNegNeverFound", "Welcome", 200, "Welcome", "", "", "", "OK"},
    {"EmptyBody", "", 200, "Welcome", "", "", "", kMissing},
    {"Http404WithPage", "<h1>Not here</h1> but Welcome", 404, "Welcome", "", "", "", "OK"},
    {"Http500IsJudged", "Server Error", 500, "", "", "Server Error", "",
     "Error String Found:Server Error"},
    {"StraddlesBlocks", Filler(1020) + "Welcome" + Filler(3000), 200, "Welcome", "", "", "", "OK"},
    {"TextAfterNul", std::string("a\0b", 3) + "Welcome", 200, "Welcome", "", "", "", "OK"},
    {"NegAfterNul", std::string("Welcome\0", 8) + "Fatal", 200, "Welcome", "", "Fatal", "",
     "Error String Found:Fatal"},
};

class PageCheckTest : public CheckTest {
protected:
    void SetUp() override {
        server.Server().Get(R"(/case/(\d+))",
                            [](const httplib::Request& req, httplib::Response& res) {
                                const OutcomeCase& c = kOutcomes.at(std::stoul(req.matches[1]));
                                res.status = c.status;
                                res.set_content(c.body, "text/html");
                            });
        server.Server().Get("/echo", [this](const httplib::Request& req, httplib::Response& res) {
            std::lock_guard lock(mutex);
            requests.push_back(req);
            res.set_content("Welcome", "text/html");
        });
        server.Server().Get("/moved", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/echo");
        });
        server.Server().Get("/loop", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/loop");
        });
        server.Start();
    }

    HttpServer server;
    std::mutex mutex;
    std::vector<httplib::Request> requests;
};

TEST_F(PageCheckTest, DecidesTheOutcomeOfEachPage) {
    for (std::size_t i = 0; i < kOutcomes.size(); ++i) {
        const OutcomeCase& c = kOutcomes[i];
        const std::string url = server.Url("/case/" + std::to_string(i));
        fs::remove("tester.log");
        Check({c.name, url, c.pos1, c.pos2, c.neg1, c.neg2, ""});
        EXPECT_EQ(dlg.m_resultText, c.expected) << c.name;
        EXPECT_EQ(ReadBytes("tester.log"), LogLine(url, c.expected)) << c.name;
        EXPECT_EQ(dlg.m_pageText, c.body) << c.name << ": the body is kept whole";
        EXPECT_EQ(dlg.m_status, "Searching Page...") << c.name;
        EXPECT_EQ(stderrText, "") << c.name;
    }
    EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(PageCheckTest, SendsAGetWithAgentAndAcceptDirectlyDespiteProxies) {
    const int dead = ClosedPort();
    const std::string proxy = "http://127.0.0.1:" + std::to_string(dead);
    for (const char* var : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
        ::setenv(var, proxy.c_str(), 1);
    Check({"t", server.Url("/moved"), "Welcome", "", "", "", ""});
    for (const char* var : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
        ::unsetenv(var);

    EXPECT_EQ(dlg.m_resultText, "OK") << "the redirect was followed, no proxy was used";
    std::lock_guard lock(mutex);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].get_header_value("User-Agent"), "Sitequill 1.0 Agent");
    EXPECT_EQ(requests[0].get_header_value("Accept"), "*/*");
    EXPECT_EQ(requests[0].get_header_value_count("Accept"), 1u);
}

TEST_F(PageCheckTest, AUrlThatCannotBeOpenedGives404AndOneDiagnosticLine) {
    const std::vector<std::pair<std::string, std::string>> urls{
        {"refused", "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/"},
        {"empty", ""},
        {"no scheme", "127.0.0.1/page.htm"},
        {"malformed", "http://[127.0.0.1/"},
        {"other scheme", "gopher://127.0.0.1/"},
        {"endless redirects", server.Url("/loop")},
    };
    for (const auto& [what, url] : urls) {
        fs::remove("tester.log");
        fs::remove("report.htm");
        Check({"t", url, "Welcome", "", "", "", ""});
        EXPECT_EQ(dlg.m_resultText, "404") << what;
        EXPECT_EQ(ReadBytes("tester.log"), LogLine(url, "404")) << what;
        EXPECT_EQ(ReadBytes("report.htm"), LogLine(url, "404") + "<br>") << what;
        EXPECT_TRUE(stderrText.starts_with("OpenUrl failed: ")) << what << ": " << stderrText;
        EXPECT_EQ(std::count(stderrText.begin(), stderrText.end(), '\n'), 1) << what;
        EXPECT_EQ(dlg.m_pageText, "") << what;
    }
}

/// A server that answers with headers and part of a body, then misbehaves.
std::function<void(int)> PartialBody(bool stall) {
    return [stall](int socket) {
        ReadRequest(socket);
        SendAll(socket, "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\nWelcome, and then");
        if (stall)
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    };
}

TEST_F(PageCheckTest, ATransferThatBreaksOffGives404AndTheNextCheckStillRuns) {
    struct Case {
        const char* name;
        std::function<void(int)> serve;
        const char* diagnostic;
        bool waits;  // until the time limit: the window must be kept alive meanwhile
    };
    const std::vector<Case> cases{
        {"dropped mid-body", PartialBody(false), "Read failed: 18\n", false},
        {"stalled mid-body", PartialBody(true), "Read failed: 28\n", true},
        {"silent before the response",
         [](int socket) {
             ReadRequest(socket);
             std::this_thread::sleep_for(std::chrono::milliseconds(1500));
         },
         "OpenUrl failed: 28\n", true},
    };
    for (const Case& c : cases) {
        RawServer bad(c.serve);
        backend.keepAlives = 0;
        Check({"t", bad.Url("/"), "Welcome", "", "", "", ""});
        EXPECT_EQ(dlg.m_resultText, "404") << c.name;
        EXPECT_EQ(stderrText, c.diagnostic) << c.name;
        EXPECT_EQ(dlg.m_pageText, "") << c.name;
        if (c.waits) {
            EXPECT_GE(backend.keepAlives, 2) << c.name;
        }

        Check({"t", server.Url("/echo"), "Welcome", "", "", "", ""});
        EXPECT_EQ(dlg.m_resultText, "OK") << c.name;
    }
}

TEST_F(PageCheckTest, ABodyOverTheLimitFailsAsATransfer) {
    platform::CurrentInternetLimits().maxBodyBytes = 4096;
    const std::string big = Filler(10000) + "Welcome";
    server.Server().Get("/big", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content(big, "text/html");
    });
    Check({"t", server.Url("/big"), "Welcome", "", "", "", ""});
    EXPECT_EQ(dlg.m_resultText, "404");
    EXPECT_TRUE(stderrText.starts_with("Read failed: ")) << stderrText;
    EXPECT_EQ(dlg.m_pageText, "");
}

TEST_F(PageCheckTest, AppendsToBothFilesInOrderWithTextModeLineEnds) {
    const std::string url = server.Url("/echo");
    Check({"a", url, "Welcome", "", "", "", ""});
    Check({"b", url, "Absent", "", "", "", ""});
    EXPECT_EQ(ReadBytes("tester.log"), LogLine(url, "OK") + LogLine(url, kMissing));
    EXPECT_EQ(ReadBytes("report.htm"),
              LogLine(url, "OK") + "<br>" + LogLine(url, kMissing) + "<br>");
    EXPECT_EQ(dlg.m_resultTime, kFixedStamp);
    EXPECT_EQ(dlg.m_resultLine,
              std::string("\n") + kFixedStamp + " " + url + " " + kMissing + "<br>");
}

TEST_F(PageCheckTest, AReportThatCannotBeWrittenIsReportedAndTheLogStillWritten) {
    const std::string url = server.Url("/echo");
    struct Case {
        const char* name;
        std::function<void()> prepare;
    };
    std::vector<Case> cases{
        {"report is a directory", [] { fs::create_directory("report.htm"); }},
        {"report on a full disk", [] { fs::create_symlink("/dev/full", "report.htm"); }},
    };
    if (::geteuid() != 0)  // root may write to a read-only file
        cases.push_back({"read-only report", [] {
                             WriteBytes("report.htm", "old");
                             ::chmod("report.htm", 0444);
                         }});
    for (const Case& c : cases) {
        fs::remove_all("report.htm");
        fs::remove("tester.log");
        backend.boxes.clear();
        c.prepare();
        Check({"t", url, "Welcome", "", "", "", ""});
        ASSERT_EQ(backend.boxes.size(), 1u) << c.name;
        EXPECT_EQ(backend.boxes[0].text, "Could not write to log file") << c.name;
        EXPECT_EQ(backend.boxes[0].caption, "Error Log") << c.name;
        EXPECT_EQ(backend.boxes[0].type, platform::MB_OK) << c.name;
        EXPECT_EQ(ReadBytes("tester.log"), LogLine(url, "OK")) << c.name;
    }
    if (::geteuid() != 0) {
        EXPECT_EQ(ReadBytes("report.htm"), "old");
    }
}

TEST_F(PageCheckTest, AppendingNothingStillCreatesTheFile) {
    dlg.AppendToReport("");
    EXPECT_TRUE(fs::exists("report.htm"));
    EXPECT_EQ(fs::file_size("report.htm"), 0u);
}

TEST(LocalTimeTest, UsesEnglishMonthsWhateverTheLocale) {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    std::setlocale(LC_ALL, "de_DE.UTF-8");  // absent on most machines: then nothing changes
    EXPECT_EQ(platform::FormatLocalTime(FixedTime()), kFixedStamp);
    EXPECT_EQ(platform::FormatLocalTime(FixedTime() + 300 * 86400), "01 Jan 2007 09:05:03");
    std::setlocale(LC_ALL, "C");
}

}  // namespace
