// Memory and search time of the check of one 100 MiB page whose texts stand near its end. The
// page server runs in this process; each check runs in a child process of its own that does
// nothing else, so that its peak resident memory is the check's.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "platform/MemoryBackend.h"
#include "tests/LoopbackServer.h"
#include "ui/SitequillDlg.h"

using namespace sqbench;

namespace {

constexpr std::size_t kPageBytes = std::size_t{100} << 20;
constexpr int kRuns = 3;
constexpr const char* kPos1 = "Add to basket";
constexpr const char* kPos2 = "Item 4711 in stock";
constexpr const char* kNeg1 = "Out of stock";
constexpr const char* kNeg2 = "Internal Server Error";

/// Filler lines full of the texts' first letters, then both needed texts in the last 2 KB.
std::string BigPage() {
    const std::string line =
        "<p>Adds In Out of Item stocks: an Order is Sent In Stock, Add to it Or Inspect.</p>\n";
    std::string page;
    page.reserve(kPageBytes);
    while (page.size() + line.size() <= kPageBytes - 2048)
        page += line;
    page += std::string("<button>") + kPos1 + "</button>\n<p>" + kPos2 + "</p>\n";
    page.resize(kPageBytes, ' ');
    return page;
}

/// The peak resident memory of this process image, in KiB. getrusage's ru_maxrss will not do:
/// a child inherits the parent's figure across fork and exec, and the parent holds the page.
long PeakKiB() {
    std::istringstream status(ReadBytes("/proc/self/status"));
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stol(line.substr(6));
    throw std::runtime_error("no VmHWM in /proc/self/status");
}

/// Notes when the check's search begins and when the run's closing prompt comes.
class TimingBackend : public platform::MemoryBackend {
public:
    void SetDlgItemText(int id, const std::string& text) override {
        if (id == res::IDC_STATUS && text == "Searching Page..." && !searching)
            searching = Clock::now();
        MemoryBackend::SetDlgItemText(id, text);
    }
    int MessageBox(const std::string& text, const std::string& caption, unsigned type) override {
        if (!prompted)
            prompted = Clock::now();
        return MemoryBackend::MessageBox(text, caption, type);
    }
    std::optional<Clock::time_point> searching;
    std::optional<Clock::time_point> prompted;
};

/// The child: one Test One of the big page. Prints baseline KiB, peak KiB, download and check
/// seconds.
int Child(const std::string& url) {
    ScratchDir dir;
    TimingBackend backend;
    backend.recordWrites = false;
    CSitequillDlg dlg;
    dlg.SetBackend(&backend);
    dlg.Dispatch(platform::Message::Plain(platform::WM_INITDIALOG));
    backend.list.SetRows({{"Big page", url, kPos1, kPos2, kNeg1, kNeg2, ""}});
    backend.list.SetSelectionMark(0);
    const long baseline = PeakKiB();
    const auto start = Clock::now();
    dlg.Dispatch(platform::Message::Command(res::IDC_TEST_ONE));
    const long peak = PeakKiB();
    if (!backend.searching || !backend.prompted)
        throw std::runtime_error("the check did not search the page");
    if (ReadBytes("tester.log").find(" OK") == std::string::npos)
        throw std::runtime_error("the check did not find the page good: " +
                                 ReadBytes("tester.log"));
    std::printf("%ld %ld %.6f %.6f\n", baseline, peak, Seconds(start, *backend.searching),
                Seconds(*backend.searching, *backend.prompted));
    return 0;
}

struct ChildFigures {
    double baselineMiB;
    double peakMiB;
    double download;
    double check;
};

ChildFigures RunChild(const std::string& self, const std::string& url) {
    int out[2];
    if (::pipe(out) != 0)
        throw std::runtime_error("pipe");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::execl(self.c_str(), self.c_str(), "--child", url.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the check's process failed");
    std::istringstream in(text);
    long baseline = 0;
    long peak = 0;
    ChildFigures f{};
    in >> baseline >> peak >> f.download >> f.check;
    if (!in)
        throw std::runtime_error("the check's process said: " + text);
    f.baselineMiB = baseline / 1024.0;
    f.peakMiB = peak / 1024.0;
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
            return Child(argv[2]);

        const std::string page = BigPage();
        sqtest::HttpServer server;
        server.Server().Get("/big.html", [&page](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(
                page.size(), "text/html",
                [&page](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                    const std::size_t n = std::min<std::size_t>(length, 1 << 20);
                    return sink.write(page.data() + offset, n);
                });
        });
        server.Start();

        const std::string self = std::filesystem::canonical("/proc/self/exe").string();
        std::vector<double> growth;
        std::vector<double> download;
        std::vector<double> check;
        for (int run = 0; run < kRuns; ++run) {
            const ChildFigures f = RunChild(self, server.Url("/big.html"));
            growth.push_back(f.peakMiB - f.baselineMiB);
            download.push_back(f.download);
            check.push_back(f.check);
        }
        const double pageMiB = static_cast<double>(kPageBytes) / (1 << 20);
        const double peak = Median(growth);
        const double ratio = peak / pageMiB;
        PrintRow({"Big page 100 MiB: peak resident memory beyond the process's baseline",
                  FormatNumber(peak, 1) + " MiB", FormatNumber(ratio, 2) + "x page size", "< 2.5x",
                  Verdict(ratio < 2.5), kRuns});
        PrintRow(
            {"Big page 100 MiB: download", FormatSeconds(Median(download)), "", "", "", kRuns});
        const double search = Median(check);
        PrintRow({"Big page 100 MiB, texts near the end: check beyond the download",
                  FormatSeconds(search), "", "< 1 s", Verdict(search < 1), kRuns});
    } catch (const std::exception& e) {
        PrintRow({"Big page 100 MiB", std::string("failed: ") + e.what(), "", "", "MISS", 0});
        return 1;
    }
    return 0;
}
