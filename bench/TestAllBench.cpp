// Test All throughput: 1,000 tests against a page server on 127.0.0.1, on the memory backend,
// beside two baselines measured in the same run on the same server and pages: one curl process
// fetching the 1,000 URLs one after another, and a shell loop running curl and grep per URL.
#include <cstdio>
#include <exception>
#include <sstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "platform/MemoryBackend.h"
#include "tests/LoopbackServer.h"
#include "ui/SitequillDlg.h"

using namespace sqbench;

namespace {

constexpr int kTests = 1'000;
constexpr int kRuns = 5;
constexpr int kLoopRuns = 3;  // the shell loop is slow
constexpr const char* kNeeded = "Add to basket";
constexpr const char* kForbidden = "Out of stock";

/// A product page of about 4 KB that carries the needed text and not the forbidden one.
std::string Page(const std::string& id) {
    std::string page = "<!DOCTYPE html>\n<html><head><title>Item " + id +
                       "</title></head>\n<body>\n<h1>Item " + id + "</h1>\n";
    for (int i = 0; i < 40; ++i)
        page += "<p>Line " + std::to_string(i) +
                " of the description of this item, with enough words to look real.</p>\n";
    page += "<button>" + std::string(kNeeded) + "</button>\n</body></html>\n";
    return page;
}

/// The ratio of two figures as "2.35x".
std::string Ratio(double a, double b) {
    return FormatNumber(a / b, 2) + "x";
}

struct Figures {
    std::vector<double> product;
    std::vector<double> curlOne;
    std::vector<double> shellLoop;
};

/// Runs Test All once over the catalogue and returns its duration.
double RunProduct(const std::vector<platform::MemoryList::Row>& rows) {
    std::filesystem::remove("tester.log");
    std::filesystem::remove("report.htm");
    platform::MemoryBackend backend;
    backend.recordWrites = false;
    CSitequillDlg dlg;
    dlg.SetBackend(&backend);
    dlg.Dispatch(platform::Message::Plain(platform::WM_INITDIALOG));
    backend.list.SetRows(rows);
    const auto start = Clock::now();
    dlg.Dispatch(platform::Message::Command(res::IDC_TEST_ALL));
    const double seconds = Seconds(start, Clock::now());
    // Every test must have been checked and found good, or the figure means nothing.
    std::istringstream log(ReadBytes("tester.log"));
    int good = 0;
    for (std::string line; std::getline(log, line);)
        if (line.ends_with(" OK\r") || line.ends_with(" OK"))
            ++good;
    if (good != kTests)
        throw std::runtime_error("Test All found " + std::to_string(good) + " of " +
                                 std::to_string(kTests) + " pages good");
    return seconds;
}

/// Baseline (a): one curl process, the URLs one after another, a new connection for each.
double RunCurl() {
    const auto start = Clock::now();
    const std::string out =
        Capture("curl -s -H 'Connection: close' --config urls.cfg -w '%{num_connects}\\n'");
    const double seconds = Seconds(start, Clock::now());
    std::istringstream lines(out);
    int connects = 0;
    int transfers = 0;
    for (std::string line; std::getline(lines, line); ++transfers)
        connects += std::stoi(line);
    if (transfers != kTests || connects != kTests)
        throw std::runtime_error("curl made " + std::to_string(connects) + " connections for " +
                                 std::to_string(transfers) + " transfers");
    return seconds;
}

/// Baseline (b): what a user would script, curl and grep once per URL.
double RunShellLoop() {
    std::filesystem::remove("loop.log");
    const auto start = Clock::now();
    RunShell("bash loop.sh");
    const double seconds = Seconds(start, Clock::now());
    std::istringstream log(ReadBytes("loop.log"));
    int good = 0;
    for (std::string line; std::getline(log, line);)
        if (line.ends_with(" OK"))
            ++good;
    if (good != kTests)
        throw std::runtime_error("the shell loop found " + std::to_string(good) + " pages good");
    return seconds;
}

Figures Measure() {
    sqtest::HttpServer server;
    // One request per connection, answered with "Connection: close": every client, the product
    // and both baselines alike, opens a new connection for every page.
    server.Server().set_keep_alive_max_count(1);
    server.Server().Get(R"(/item/(\d+)\.html)",
                        [](const httplib::Request& req, httplib::Response& res) {
                            res.set_content(Page(req.matches[1]), "text/html");
                        });
    server.Start();

    ScratchDir dir;
    WriteBytes("Header.htm", "<html><body>\n");
    WriteBytes("Footer.htm", "\n</body></html>\n");
    std::vector<platform::MemoryList::Row> rows;
    std::string config;
    std::string urls;
    for (int i = 0; i < kTests; ++i) {
        const std::string url = server.Url("/item/" + std::to_string(i) + ".html");
        rows.push_back({"Item " + std::to_string(i), url, kNeeded, "", kForbidden, "", ""});
        config += "url = \"" + url + "\"\noutput = \"/dev/null\"\n";
        urls += url + "\n";
    }
    WriteBytes("urls.cfg", config);
    WriteBytes("urls.txt", urls);
    WriteBytes("loop.sh", std::string("while read -r url; do\n"
                                      "  if curl -s -H 'Connection: close' \"$url\" | grep -qF '") +
                              kNeeded +
                              "'; then echo \"$url OK\"; else echo \"$url Bad\"; fi\n"
                              "done < urls.txt >> loop.log\n");

    Figures figures;
    // Interleaved, so that a burst of load on the machine touches all three alike.
    for (int run = 0; run < kRuns; ++run) {
        figures.product.push_back(RunProduct(rows));
        figures.curlOne.push_back(RunCurl());
        if (run < kLoopRuns)
            figures.shellLoop.push_back(RunShellLoop());
    }
    return figures;
}

}  // namespace

int main() {
    try {
        const Figures f = Measure();
        const double product = Median(f.product);
        const double curlOne = Median(f.curlOne);
        const double loop = Median(f.shellLoop);
        PrintRow(
            {"Test All, 1,000 tests, memory backend", FormatSeconds(product), "", "", "", kRuns});
        PrintRow({"Baseline (a): one curl process, 1,000 URLs, new connection each",
                  FormatSeconds(curlOne), "", "", "", kRuns});
        PrintRow({"Baseline (b): shell loop, curl and grep per URL", FormatSeconds(loop), "", "",
                  "", kLoopRuns});
        PrintRow({"Test All, memory backend / baseline (a)", "", Ratio(product, curlOne), "<= 2x",
                  Verdict(product <= 2 * curlOne), kRuns});
        PrintRow({"Baseline (b) / Test All, memory backend", "", Ratio(loop, product), ">= 5x",
                  Verdict(loop >= 5 * product), kLoopRuns});
    } catch (const std::exception& e) {
        PrintRow({"Test All throughput", std::string("failed: ") + e.what(), "", "", "MISS", 0});
        return 1;
    }
    return 0;
}
