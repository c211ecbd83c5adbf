// Scratch working directories and whole-file reads and writes, for tests and benchmarks.
#include "tests/ScratchDir.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace sqtest {

namespace fs = std::filesystem;

ScratchDir::ScratchDir() : m_previous(fs::current_path()) {
    std::string pattern = (fs::temp_directory_path() / "sitequill-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a scratch directory in " +
                                 fs::temp_directory_path().string());
    m_path = pattern;
    fs::current_path(m_path);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::current_path(m_previous, ec);
    // Tests may leave read-only directories behind; make them writable so they can go.
    for (auto it = fs::recursive_directory_iterator(m_path, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec))
        if (!it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace sqtest
