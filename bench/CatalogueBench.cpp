// Catalogue size: the load of "sq.dat" at start-up and its save at close, for catalogues of
// 1,000, 10,000 and 50,000 entries, on the memory backend.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "platform/MemoryBackend.h"
#include "ui/SitequillDlg.h"

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
Timing Measure(int entries, int runs) {
    ScratchDir dir;
    const std::string bytes = CatalogueBytes(entries);
    Timing timing;
    for (int run = 0; run < runs; ++run) {
        WriteBytes("sq.dat", bytes);
        platform::MemoryBackend backend;
        backend.recordWrites = false;
        CSitequillDlg dlg;
        dlg.SetBackend(&backend);
        const auto start = Clock::now();
        dlg.Dispatch(platform::Message::Plain(platform::WM_INITDIALOG));
        const auto loaded = Clock::now();
        const int rows = backend.list.GetItemCount();
        dlg.Dispatch(platform::Message::Plain(platform::WM_DESTROY));
        const auto saved = Clock::now();
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

}  // namespace

int main() {
    struct Size {
        int entries;
        int runs;
    };
    const std::vector<Size> sizes{{1'000, 5}, {10'000, 5}, {50'000, 3}};
    std::vector<double> load(sizes.size());
    std::vector<double> save(sizes.size());
    try {
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            const Timing t = Measure(sizes[i].entries, sizes[i].runs);
            load[i] = Median(t.load);
            save[i] = Median(t.save);
            PrintRow({"Catalogue load, " + Entries(sizes[i].entries) + " entries, memory backend",
                      FormatSeconds(load[i]), "", "", "", sizes[i].runs});
            PrintRow({"Catalogue save, " + Entries(sizes[i].entries) + " entries, memory backend",
                      FormatSeconds(save[i]), "", "", "", sizes[i].runs});
        }
    } catch (const std::exception& e) {
        PrintRow({"Catalogue load and save, memory backend", std::string("failed: ") + e.what(), "",
                  "", "MISS", 0});
        return 1;
    }
    const double loadRatio = load[2] / load[1];
    const double saveRatio = save[2] / save[1];
    PrintRow({"Catalogue load, 50,000 / 10,000, memory backend", "",
              FormatNumber(loadRatio, 2) + "x", "<= 6x", Verdict(loadRatio <= 6), sizes[2].runs});
    PrintRow({"Catalogue save, 50,000 / 10,000, memory backend", "",
              FormatNumber(saveRatio, 2) + "x", "<= 6x", Verdict(saveRatio <= 6), sizes[2].runs});
    return 0;
}
