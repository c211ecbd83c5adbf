// Shared test fixture: scratch working directories and driving the window on the memory backend.
#include "Fixture.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace sqtest {

namespace fs = std::filesystem;

namespace {

/// The ids of "nobody", taken on by root to lose its power over file permissions.
std::pair<uid_t, gid_t> Nobody() {
    if (const passwd* pw = ::getpwnam("nobody"))
        return {pw->pw_uid, pw->pw_gid};
    return {65534, 65534};
}

}  // namespace

WithoutPrivilege::WithoutPrivilege() {
    if (::geteuid() != 0)
        return;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(count > 0 ? count : 0));
    if (count > 0 && ::getgroups(count, groups.data()) != count)
        groups.clear();
    m_groups.assign(groups.begin(), groups.end());
    const auto [uid, gid] = Nobody();
    if (::setgroups(0, nullptr) != 0 || ::setegid(gid) != 0 || ::seteuid(uid) != 0)
        throw std::runtime_error("cannot give up root's privileges");
    m_dropped = true;
}

WithoutPrivilege::~WithoutPrivilege() {
    if (!m_dropped)
        return;
    const std::vector<gid_t> groups(m_groups.begin(), m_groups.end());
    if (::seteuid(0) != 0 || ::setegid(0) != 0 || ::setgroups(groups.size(), groups.data()) != 0)
        std::abort();  // the rest of the run would test the wrong thing
}

void WithoutPrivilege::GiveToUser(const fs::path& path) {
    if (::geteuid() != 0)
        return;
    const auto [uid, gid] = Nobody();
    if (::lchown(path.c_str(), uid, gid) != 0)
        throw std::runtime_error("cannot chown " + path.string());
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
