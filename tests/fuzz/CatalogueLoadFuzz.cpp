// libFuzzer target for the catalogue load: any bytes as "sq.dat" load without harm, and what was
// loaded saves and loads again to the same rows, and saves again to the same bytes.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/MemoryBackend.h"
#include "res/Resource.h"
#include "ui/SitequillDlg.h"

namespace {

using Rows = std::vector<platform::MemoryList::Row>;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "catalogue fuzz: %s\n", what);
    std::abort();
}

/// The main window on the memory backend, started as the program starts it.
struct Window {
    platform::MemoryBackend backend;
    CSitequillDlg dlg;

    Window() {
        backend.recordWrites = false;
        dlg.SetBackend(&backend);
        dlg.Dispatch(platform::Message::Plain(platform::WM_INITDIALOG));
        if (!backend.boxes.empty())
            Fail("the load showed a message");
        for (const auto& row : backend.list.Rows())
            if (row[0].empty())
                Fail("a row with an empty title");
        if (backend.controls[res::IDC_TEST_COUNT] != std::to_string(backend.list.GetItemCount()))
            Fail("the test count does not match the rows");
    }
    void Close() {
        dlg.Dispatch(platform::Message::Plain(platform::WM_DESTROY));
        if (!backend.boxes.empty())
            Fail("the save failed");
    }
};

std::string ReadRaw(const char* name) {
    std::string bytes;
    if (std::FILE* f = std::fopen(name, "rb")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

void WriteRaw(const char* name, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(name, "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0)
        Fail("cannot write the input");
}

/// A scratch directory for "sq.dat", in memory where there is one: every save syncs to disk.
const std::string& ScratchDir() {
    static const std::string dir = [] {
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::getenv("TMPDIR");
        std::string path = std::string(base ? base : "/tmp") + "/sitequill-fuzz-XXXXXX";
        if (!::mkdtemp(path.data()))
            Fail("cannot make a scratch directory");
        static std::string removeAtExit = path;
        std::atexit([] {
            ::unlink((removeAtExit + "/sq.dat").c_str());
            ::rmdir(removeAtExit.c_str());
        });
        return path;
    }();
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The program works in its working directory; go there for this input only, so that
    // libFuzzer's own relative paths (corpus, artifacts) stay as they were given.
    const int home = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (home < 0 || ::chdir(ScratchDir().c_str()) != 0)
        Fail("cannot enter the scratch directory");

    WriteRaw("sq.dat", data, size);
    Rows loaded;
    std::string saved;
    {
        Window first;
        loaded = first.backend.list.Rows();
        first.Close();
        if (first.backend.list.Rows() != loaded)
            Fail("the save changed the list");
        saved = ReadRaw("sq.dat");
    }
    {
        Window second;
        if (second.backend.list.Rows() != loaded)
            Fail("save and load changed the rows");
        second.Close();
        if (ReadRaw("sq.dat") != saved)
            Fail("a second save wrote other bytes");
    }

    if (::fchdir(home) != 0)
        Fail("cannot go back to the starting directory");
    ::close(home);
    return 0;
}
