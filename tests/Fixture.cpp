// Shared test fixture: scratch working directories and driving the window on the memory backend.
#include "Fixture.h"

#include <unistd.h>
#include <atomic>
#include <fstream>
#include <sstream>

namespace sqtest {

namespace fs = std::filesystem;

ScratchDir::ScratchDir() : m_previous(fs::current_path()) {
    static std::atomic<int> counter{0};
    m_path = fs::temp_directory_path() /
             ("sitequill-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(m_path);
    fs::create_directories(m_path);
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
    out << bytes;
}

void DialogTest::Type(const Entry& e) {
    for (std::size_t i = 0; i < e.size(); ++i)
        backend.controls[kFieldBoxes[i]] = e[i];
}

Entry DialogTest::Boxes() {
    Entry e;
    for (std::size_t i = 0; i < e.size(); ++i)
        e[i] = backend.controls[kFieldBoxes[i]];
    return e;
}

void DialogTest::ClickRow(int row) {
    if (row >= 0)
        backend.list.SetSelectionMark(row);
    dlg.Dispatch(platform::Message::Notify(res::IDC_TEST_LIST, platform::NM_CLICK));
}

void DialogTest::Add(const Entry& e) {
    Type(e);
    Click(res::IDC_ADD);
}

std::vector<Entry> DialogTest::Rows() const {
    std::vector<Entry> rows;
    for (const auto& row : backend.list.Rows()) {
        Entry e;
        for (std::size_t i = 0; i < e.size(); ++i)
            e[i] = row[i];
        rows.push_back(e);
    }
    return rows;
}

std::vector<std::string> DialogTest::Titles() const {
    std::vector<std::string> titles;
    for (const auto& row : backend.list.Rows())
        titles.push_back(row[0]);
    return titles;
}

}  // namespace sqtest
