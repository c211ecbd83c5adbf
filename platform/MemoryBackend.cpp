// In-memory window and list control for tests and benchmarks.
#include "platform/MemoryBackend.h"

#include <algorithm>

namespace platform {

std::string MemoryList::GetItemText(int row, int column) const {
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= kMaxColumns)
        return {};
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void MemoryList::SetItemText(int row, int column, const std::string& text) {
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= kMaxColumns)
        return;
    std::string& cell = m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    m_widest.Changed(static_cast<std::size_t>(column), TextWidth(cell), TextWidth(text));
    cell = text;
}

void MemoryList::InsertItem(int row, const std::string& text) {
    row = std::clamp(row, 0, GetItemCount());
    m_rows.insert(m_rows.begin() + row, Row(kMaxColumns));
    // The mark stays on the row it was on.
    if (m_mark >= row)
        ++m_mark;
    SetItemText(row, 0, text);
}

void MemoryList::DeleteItem(int row) {
    if (row < 0 || row >= GetItemCount())
        return;
    m_widest.RowRemoved(m_rows[static_cast<std::size_t>(row)], TextWidth);
    m_rows.erase(m_rows.begin() + row);
    if (m_mark == row)
        m_mark = -1;
    else if (m_mark > row)
        --m_mark;
}

void MemoryList::InsertColumn(int column, const std::string& heading, int format) {
    column = std::clamp(column, 0, static_cast<int>(m_headings.size()));
    m_headings.insert(m_headings.begin() + column, heading);
    m_formats.insert(m_formats.begin() + column, format);
    m_widths.insert(m_widths.begin() + column, TextWidth(heading));
}

void MemoryList::SetExtendedStyle(unsigned mask, unsigned style) {
    extendedStyle = mask == 0 ? style : ((extendedStyle & ~mask) | (style & mask));
}

void MemoryList::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= static_cast<int>(m_widths.size()))
        return;
    if (width == LVSCW_AUTOSIZE) {
        ++autoSizeRequests;
        width = m_widest.Widest(static_cast<std::size_t>(column), m_rows, TextWidth(""), TextWidth);
    } else if (width == LVSCW_AUTOSIZE_USEHEADER) {
        width = TextWidth(m_headings[static_cast<std::size_t>(column)]);
    }
    m_widths[static_cast<std::size_t>(column)] = width;
}

int MemoryList::GetColumnWidth(int column) const {
    if (column < 0 || column >= static_cast<int>(m_widths.size()))
        return 0;
    return m_widths[static_cast<std::size_t>(column)];
}

void MemoryList::SetRedraw(bool on) {
    if (!on)
        ++redrawOffCount;
    redraw = on;
}

std::vector<MemoryList::Row> MemoryList::Rows() const {
    const std::size_t columns = std::max<std::size_t>(7, m_headings.size());
    std::vector<Row> rows;
    rows.reserve(m_rows.size());
    for (const Row& row : m_rows)
        rows.emplace_back(row.begin(), row.begin() + columns);
    return rows;
}

void MemoryList::SetRows(const std::vector<Row>& rows) {
    m_rows.clear();
    for (const Row& row : rows) {
        Row full(kMaxColumns);
        std::copy_n(row.begin(), std::min<std::size_t>(row.size(), kMaxColumns), full.begin());
        m_rows.push_back(std::move(full));
    }
    m_widest.MarkStale();
}

void MemoryBackend::SetDlgItemText(int id, const std::string& text) {
    controls[id] = text;
    if (recordWrites)
        writes.push_back({id, text});
}

int MemoryBackend::MessageBox(const std::string& text, const std::string& caption, unsigned type) {
    int answer = IDOK;
    if ((type & MB_TYPEMASK) == MB_YESNO) {
        if (answers.empty()) {
            ++unansweredQuestions;
            answer = IDNO;
        } else {
            answer = answers.front();
            answers.pop_front();
        }
    }
    boxes.push_back({text, caption, type, answer});
    return answer;
}

void MemoryBackend::ShellOpen(const std::string& target, int showCommand) {
    opened.push_back({target, showCommand});
}

bool MemoryBackend::AppendSystemMenuItem(const std::string& text, unsigned command) {
    if (!hasSystemMenu)
        return false;
    systemMenuItems.emplace_back(text, command);
    return true;
}

void MemoryBackend::SetIcon(IconHandle icon, bool big) {
    icons.emplace_back(icon, big);
}

std::vector<std::string> MemoryBackend::TextsShown(int id) const {
    std::vector<std::string> shown;
    for (const Write& w : writes)
        if (w.id == id && (shown.empty() || shown.back() != w.text))
            shown.push_back(w.text);
    return shown;
}

}  // namespace platform
