// Shared test fixture: a fresh working directory and the main window on the in-memory backend.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/MemoryBackend.h"
#include "tests/ScratchDir.h"
#include "ui/SitequillDlg.h"

namespace sqtest {

/// Seven texts in column order: Title, URL, POS1, POS2, NEG1, NEG2, Description.
using Entry = std::array<std::string, 7>;

inline constexpr std::array<int, 7> kFieldBoxes{
    res::IDC_TITLE, res::IDC_URL,  res::IDC_POS1,        res::IDC_POS2,
    res::IDC_NEG1,  res::IDC_NEG2, res::IDC_DESCRIPTION,
};

/// While it lives, file permissions bind the process as they bind an ordinary user: run as root,
/// it takes the effective ids of "nobody" (no supplementary groups) and gives them back when it
/// goes; otherwise it changes nothing. Files that such a test must own are given to that user with
/// GiveToUser().
class WithoutPrivilege {
public:
    WithoutPrivilege();
    ~WithoutPrivilege();
    WithoutPrivilege(const WithoutPrivilege&) = delete;
    WithoutPrivilege& operator=(const WithoutPrivilege&) = delete;

    /// Makes a file or directory belong to the user that the process is while one lives.
    static void GiveToUser(const std::filesystem::path& path);

private:
    bool m_dropped = false;
    std::vector<unsigned> m_groups;
};

/// The main window on the memory backend, in a scratch working directory.
class DialogTest : public ::testing::Test {
protected:
    DialogTest() { dlg.SetBackend(&backend); }

    /// Runs the window's start-up as the real window does.
    void Open() { dlg.Dispatch(platform::Message::Plain(platform::WM_INITDIALOG)); }
    /// Runs the window's destruction (which saves the catalogue).
    void Close() { dlg.Dispatch(platform::Message::Plain(platform::WM_DESTROY)); }
    /// Types an entry into the seven field boxes.
    void Type(const Entry& e);
    /// The seven field boxes as the user sees them.
    Entry Boxes();
    void Click(int buttonId) { dlg.Dispatch(platform::Message::Command(buttonId)); }
    /// A mouse click on a row (-1: below the last row of a list with no mark).
    void ClickRow(int row);
    /// Adds an entry through the boxes and the Add button.
    void Add(const Entry& e);
    std::vector<Entry> Rows() const;
    std::vector<std::string> Titles() const;

    ScratchDir dir;
    platform::MemoryBackend backend;
    CSitequillDlg dlg;
};

/// An entry with only a title and a URL.
inline Entry Titled(std::string title, std::string url = {}) {
    return {std::move(title), std::move(url), "", "", "", "", ""};
}

}  // namespace sqtest
