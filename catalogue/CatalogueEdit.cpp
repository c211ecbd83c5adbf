// Editing the catalogue: the list's columns and rows, and the current fields.
#include <array>
#include <string>

#include "ui/SitequillDlg.h"

using namespace platform;

namespace {

struct Column {
    const char* heading;
    int format;
};

constexpr std::array<Column, 7> kColumns{{
    {"Title", LVCFMT_LEFT},
    {"URL", LVCFMT_LEFT},
    {"POS1", LVCFMT_LEFT},
    {"POS2", LVCFMT_LEFT},
    {"NEG1", LVCFMT_LEFT},
    {"NEG2", LVCFMT_LEFT},
    {"Description", LVCFMT_LEFT},
}};

}  // namespace

void CSitequillDlg::SetupColumns() {
    for (int i = 0; i < static_cast<int>(kColumns.size()); ++i)
        m_testList.InsertColumn(i, kColumns[static_cast<std::size_t>(i)].heading,
                                kColumns[static_cast<std::size_t>(i)].format);
    m_testList.SetExtendedStyle(0, LVS_EX_FULLROWSELECT);
    AutoSizeColumns();
}

void CSitequillDlg::AutoSizeColumns() {
    const int columns = m_testList.GetHeaderItemCount();
    if (columns < 0)
        return;  // no header control
    m_testList.SetRedraw(false);
    for (int i = 0; i < columns; ++i) {
        m_testList.SetColumnWidth(i, LVSCW_AUTOSIZE);
        const int cells = m_testList.GetColumnWidth(i);
        m_testList.SetColumnWidth(i, LVSCW_AUTOSIZE_USEHEADER);
        const int heading = m_testList.GetColumnWidth(i);
        m_testList.SetColumnWidth(i, cells > heading ? cells : heading);
    }
    m_testList.SetRedraw(true);
    m_testList.Invalidate(true);
}

void CSitequillDlg::RefreshTestCount() {
    m_testCount = m_testList.GetItemCount();
    UpdateData(false);
}

bool CSitequillDlg::IsDuplicate() {
    UpdateData(true);
    m_testCount = m_testList.GetItemCount();
    for (int r = 0; r < m_testCount; ++r)
        if (m_testList.GetItemText(r, 0) == m_title && m_testList.GetItemText(r, 1) == m_url)
            return true;
    return false;
}

namespace {

/// A new row 0 holding the seven current fields.
void InsertCurrentFields(CListCtrl& list, const CSitequillDlg& d) {
    list.InsertItem(0, d.m_title);
    list.SetItemText(0, 1, d.m_url);
    list.SetItemText(0, 2, d.m_pos1);
    list.SetItemText(0, 3, d.m_pos2);
    list.SetItemText(0, 4, d.m_neg1);
    list.SetItemText(0, 5, d.m_neg2);
    list.SetItemText(0, 6, d.m_description);
}

}  // namespace

void CSitequillDlg::AddEntry() {
    UpdateData(true);
    if (m_title.empty()) {
        MessageBox("Course Name Blank.\r\nNo entry added.", "Error", MB_OK);
        return;
    }
    if (IsDuplicate() &&
        AfxMessageBox("This entry is already in the list.\r\nDo you really want to add this item?",
                      MB_YESNO) != IDYES)
        return;
    InsertCurrentFields(m_testList, *this);
    AutoSizeColumns();
    RefreshTestCount();
}

void CSitequillDlg::InsertEntry() {
    UpdateData(true);
    RefreshTestCount();
    if (m_title.empty())
        return;
    InsertCurrentFields(m_testList, *this);
    UpdateData(false);
    AutoSizeColumns();
    RefreshTestCount();
}

void CSitequillDlg::SelectEntry(int r) {
    UpdateData(true);
    // A row that does not exist (a click in an empty list) leaves what the user typed alone.
    if (r >= 0 && r < m_testList.GetItemCount()) {
        m_title = m_testList.GetItemText(r, 0);
        m_url = m_testList.GetItemText(r, 1);
        m_pos1 = m_testList.GetItemText(r, 2);
        m_pos2 = m_testList.GetItemText(r, 3);
        m_neg1 = m_testList.GetItemText(r, 4);
        m_neg2 = m_testList.GetItemText(r, 5);
        m_description = m_testList.GetItemText(r, 6);
    }
    UpdateData(false);
}

void CSitequillDlg::UpdateEntry() {
    UpdateData(true);
    if (!m_title.empty()) {
        const int r = m_testList.GetSelectionMark();
        m_testList.SetItemText(r, 0, m_title);
        m_testList.SetItemText(r, 1, m_url);
        m_testList.SetItemText(r, 2, m_pos1);
        m_testList.SetItemText(r, 3, m_pos2);
        m_testList.SetItemText(r, 4, m_neg1);
        m_testList.SetItemText(r, 5, m_neg2);
        m_testList.SetItemText(r, 6, m_description);
    }
    AutoSizeColumns();
}

void CSitequillDlg::RemoveEntry() {
    m_testList.DeleteItem(m_testList.GetSelectionMark());
    AutoSizeColumns();
    RefreshTestCount();
}

void CSitequillDlg::ReverseRows() {
    UpdateData(true);
    const int n = m_testList.GetItemCount();
    m_testCount = n;
    constexpr int kFields = static_cast<int>(kColumns.size());
    for (int j = 0; j < n / 2; ++j) {
        const int k = n - 1 - j;
        std::array<std::string, kColumns.size()> held;
        for (int c = 0; c < kFields; ++c)
            held[static_cast<std::size_t>(c)] = m_testList.GetItemText(k, c);
        for (int c = 0; c < kFields; ++c)
            m_testList.SetItemText(k, c, m_testList.GetItemText(j, c));
        for (int c = 0; c < kFields; ++c)
            m_testList.SetItemText(j, c, held[static_cast<std::size_t>(c)]);
    }
    UpdateData(false);
}

void CSitequillDlg::ClearFields() {
    UpdateData(true);
    m_title.clear();
    m_url.clear();
    m_pos1.clear();
    m_pos2.clear();
    m_neg1.clear();
    m_neg2.clear();
    m_description.clear();
    UpdateData(false);
}
