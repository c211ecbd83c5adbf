// Catalogue size: the load of "sq.dat" at start-up and its save at close, for catalogues of
// 1,000, 10,000 and 50,000 entries, on the memory backend and in the real window (start to
// window ready; close to "sq.dat" written).
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "platform/MemoryBackend.h"
#include "ui/SitequillDlg.h"
#ifdef SQBENCH_WINDOW
#include "WindowSupport.h"
#endif

using namespace sqbench;

namespace {

/// A catalogue file of n entries as the program writes it: bottom row first, CR LF line ends.
std::string CatalogueBytes(int n) {
    std::string out = "CREATOR=SITEQUILL 1.0\r\n";
    for (int i = 0; i < n; ++i) {
        const std::string id = std::to_string(i);
        if (i)
            out += "\r\n";
        out += "TITLE=Product page " + id + "\r\n";
        out += "URL=http://127.0.0.1:8080/shop/item/" + id + ".html\r\n";
        out += "POS1=Add to basket\r\n";
        out += "POS2=Item " + id + "\r\n";
        out += "NEG1=Out of stock\r\n";
        out += "NEG2=\r\n";
        out += "DESC=Checks that item " + id + " can be bought\r\n";
    }
    return out;
}

struct Timing {
    std::vector<double> load;
    std::vector<double> save;
};

/// Opens the window on a fresh copy of the file, closes it again, and times both.
Timing Measure(int entries, int runs, bool inWindow) {
    ScratchDir dir;
    const std::string bytes = CatalogueBytes(entries);
    Timing timing;
    for (int run = 0; run < runs; ++run) {
        WriteBytes("sq.dat", bytes);
        int rows = 0;
        Clock::time_point start;
        Clock::time_point loaded;
        Clock::time_point saved;
        CSitequillDlg dlg;
        if (inWindow) {
#ifdef SQBENCH_WINDOW
            BenchWindow window(dlg);
            start = Clock::now();
            window.Open();
            loaded = Clock::now();
            rows = window.RowCount();
            window.Close();
            saved = Clock::now();
#endif
        } else {
            platform::MemoryBackend backend;
            backend.recordWrites = false;
            dlg.SetBackend(&backend);
            start = Clock::now();
            dlg.Dispatch(platform::Message::Plain(platform::WM_INITDIALOG));
            loaded = Clock::now();
            rows = backend.list.GetItemCount();
            dlg.Dispatch(platform::Message::Plain(platform::WM_DESTROY));
            saved = Clock::now();
            dlg.SetBackend(nullptr);
        }
        if (rows != entries)
            throw std::runtime_error("loaded " + std::to_string(rows) + " of " +
                                     std::to_string(entries) + " entries");
        if (run == 0 && ReadBytes("sq.dat") != bytes)
            throw std::runtime_error("the saved file differs from the loaded one");
        timing.load.push_back(Seconds(start, loaded));
        timing.save.push_back(Seconds(loaded, saved));
    }
    return timing;
}

/// "10,000": an entry count as the table shows it.
std::string Entries(int n) {
    return n >= 1000 ? std::to_string(n / 1000) + ",000" : std::to_string(n);
}

struct Size {
    int entries;
    int runs;
};
const std::vector<Size> kSizes{{1'000, 5}, {10'000, 5}, {50'000, 3}};

/// Measures every size on one backend and prints its rows; false when it failed.
bool Report(bool inWindow) {
    const std::string where = inWindow ? "window (Xvfb)" : "memory backend";
    std::vector<double> load(kSizes.size());
    std::vector<double> save(kSizes.size());
    try {
        for (std::size_t i = 0; i < kSizes.size(); ++i) {
            const Timing t = Measure(kSizes[i].entries, kSizes[i].runs, inWindow);
            load[i] = Median(t.load);
            save[i] = Median(t.save);
        }
    } catch (const std::exception& e) {
        PrintRow({"Catalogue load and save, " + where, std::string("failed: ") + e.what(), "", "",
                  "MISS", 0});
        return false;
    }
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        // The window's 10,000-entry figures have a target of their own.
        const bool target = inWindow && kSizes[i].entries == 10'000;
        const std::string entries = Entries(kSizes[i].entries);
        PrintRow({"Catalogue load, " + entries + " entries, " + where, FormatSeconds(load[i]), "",
                  target ? "< 1 s" : "", target ? Verdict(load[i] < 1) : "", kSizes[i].runs});
        PrintRow({"Catalogue save, " + entries + " entries, " + where, FormatSeconds(save[i]), "",
                  target ? "< 1 s" : "", target ? Verdict(save[i] < 1) : "", kSizes[i].runs});
    }
    const double loadRatio = load[2] / load[1];
    const double saveRatio = save[2] / save[1];
    PrintRow({"Catalogue load, 50,000 / 10,000, " + where, "", FormatNumber(loadRatio, 2) + "x",
              "<= 6x", Verdict(loadRatio <= 6), kSizes[2].runs});
    PrintRow({"Catalogue save, 50,000 / 10,000, " + where, "", FormatNumber(saveRatio, 2) + "x",
              "<= 6x", Verdict(saveRatio <= 6), kSizes[2].runs});
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    bool ok = Report(false);
#ifdef SQBENCH_WINDOW
    if (StartWindowToolkit(argc, argv)) {
        ok = Report(true) && ok;
        StopWindowToolkit();
    } else {
        PrintRow({"Catalogue load and save, window", "not measured: no display", "", "", "", 0});
    }
#else
    (void)argc;
    (void)argv;
    PrintRow({"Catalogue load and save, window", "not measured: window not built", "", "", "", 0});
#endif
    return ok ? 0 : 1;
}
