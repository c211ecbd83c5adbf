// The test list on wxWidgets: a virtual report-view wxListCtrl over a byte-exact row store.
#include "platform/wx/WxListCtrl.h"

#include <wx/dcclient.h>

#include <algorithm>

#include "platform/wx/WxText.h"

namespace platform::wx {

namespace {
// Room around a cell's and a heading's text, as the generic list leaves it.
constexpr int kCellMargin = 12;
constexpr int kHeadingMargin = 16;
}  // namespace

WxListCtrl::WxListCtrl(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size)
    : wxListCtrl(parent, id, pos, size,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxBORDER_SUNKEN) {
    Bind(wxEVT_LIST_ITEM_SELECTED, &WxListCtrl::OnSelected, this);
    Bind(wxEVT_LIST_ITEM_DESELECTED, &WxListCtrl::OnDeselected, this);
    Bind(wxEVT_IDLE, &WxListCtrl::OnIdle, this);
    // Mouse events go to the list's inner window, not to the list; the header is left out so
    // that a click on a heading is not a click in the list.
    for (wxWindow* child : GetChildren())
        if (wxString(child->GetClassInfo()->GetClassName()) != "wxListHeaderWindow")
            child->Bind(wxEVT_LEFT_UP, &WxListCtrl::OnMouseUp, this);
}

std::string WxListCtrl::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0)
        return {};
    const auto& cells = m_rows[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                           : std::string();
}

void WxListCtrl::SetCellText(int row, int column, const std::string& text) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        return;
    std::string& cell = m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (cell == text)
        return;
    if (!m_widest.Stale())
        m_widest.Changed(static_cast<std::size_t>(column), TextWidth(cell), TextWidth(text));
    cell = text;
    m_dirty = true;
}

void WxListCtrl::InsertRow(int row, const std::string& text) {
    row = std::clamp(row, 0, RowCount());
    m_rows.insert(m_rows.begin() + row, std::vector<std::string>(m_headings.size()));
    if (m_mark >= row)
        ++m_mark;
    if (m_selected >= row) {
        SetItemCount(RowCount());
        MoveSelection(m_selected, m_selected + 1);
    }
    m_dirty = true;
    if (!m_headings.empty())
        SetCellText(row, 0, text);
}

void WxListCtrl::DeleteRow(int row) {
    if (row < 0 || row >= RowCount())
        return;
    m_widest.RowRemoved(m_rows[static_cast<std::size_t>(row)],
                        [this](const std::string& text) { return TextWidth(text); });
    m_rows.erase(m_rows.begin() + row);
    if (m_mark == row)
        m_mark = -1;
    else if (m_mark > row)
        --m_mark;
    if (m_selected == row)
        MoveSelection(row, -1);
    else if (m_selected > row)
        MoveSelection(m_selected, m_selected - 1);
    m_dirty = true;
    Flush();
}

void WxListCtrl::MoveSelection(int from, int to) {
    m_quiet = true;
    if (from >= 0 && from < RowCount() + 1)
        SetItemState(from, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    if (to >= 0 && to < RowCount()) {
        SetItemCount(RowCount());
        SetItemState(to, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                     wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    }
    m_selected = to;
    m_quiet = false;
}

void WxListCtrl::SelectRow(int row) {
    if (row < 0 || row >= RowCount())
        return;
    Flush();
    SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                 wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_mark = row;
    m_selected = row;
}

void WxListCtrl::AddColumn(int column, const std::string& heading) {
    column = std::clamp(column, 0, ColumnCount());
    m_headings.insert(m_headings.begin() + column, heading);
    for (auto& cells : m_rows)
        cells.insert(cells.begin() + column, std::string());
    m_widest.InsertColumn(static_cast<std::size_t>(column), TextWidth(""));
    const int width = TextWidth(heading) + kHeadingMargin;
    m_widths.insert(m_widths.begin() + column, width);
    m_shownWidths.insert(m_shownWidths.begin() + column, width);
    wxListCtrl::InsertColumn(column, ToWx(heading), wxLIST_FORMAT_LEFT, width);
}

void WxListCtrl::SetWidth(int column, int width) {
    if (column < 0 || column >= ColumnCount())
        return;
    if (width == LVSCW_AUTOSIZE)
        width = m_widest.Widest(static_cast<std::size_t>(column), m_rows, TextWidth(""),
                                [this](const std::string& text) { return TextWidth(text); }) +
                kCellMargin;
    else if (width == LVSCW_AUTOSIZE_USEHEADER)
        width = TextWidth(m_headings[static_cast<std::size_t>(column)]) + kHeadingMargin;
    m_widths[static_cast<std::size_t>(column)] = width;
    if (m_redraw)
        Flush();
}

int WxListCtrl::Width(int column) const {
    if (column < 0 || column >= ColumnCount())
        return 0;
    return m_widths[static_cast<std::size_t>(column)];
}

void WxListCtrl::SetRedraw(bool redraw) {
    m_redraw = redraw;
    if (redraw)
        Flush();
}

void WxListCtrl::Repaint() {
    m_dirty = true;
    Flush();
}

void WxListCtrl::Flush() {
    if (static_cast<long>(m_rows.size()) != wxListCtrl::GetItemCount()) {
        m_quiet = true;
        SetItemCount(static_cast<long>(m_rows.size()));
        m_quiet = false;
        m_dirty = true;
    }
    for (std::size_t c = 0; c < m_widths.size(); ++c)
        if (m_widths[c] != m_shownWidths[c]) {
            wxListCtrl::SetColumnWidth(static_cast<int>(c), m_widths[c]);
            m_shownWidths[c] = m_widths[c];
        }
    if (m_dirty) {
        Refresh(false);
        m_dirty = false;
    }
}

void WxListCtrl::OnIdle(wxIdleEvent& event) {
    Flush();
    event.Skip();
}

int WxListCtrl::TextWidth(const std::string& text) const {
    // Texts of plain ASCII are measured by their characters' advances, so sizing a column costs
    // no text layout per cell; anything else is laid out by the toolkit.
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
    if (!ascii) {
        wxClientDC dc(const_cast<WxListCtrl*>(this));
        dc.SetFont(GetFont());
        return dc.GetTextExtent(ToWx(text)).GetWidth();
    }
    if (!m_advanceKnown) {
        wxClientDC dc(const_cast<WxListCtrl*>(this));
        dc.SetFont(GetFont());
        for (int c = 0x20; c < 0x7F; ++c)
            m_advance[static_cast<std::size_t>(c)] =
                dc.GetTextExtent(wxString(static_cast<wchar_t>(c))).GetWidth();
        m_advanceKnown = true;
    }
    int width = 0;
    for (char c : text)
        width += m_advance[static_cast<unsigned char>(c)];
    return width;
}

wxString WxListCtrl::OnGetItemText(long item, long column) const {
    return ToWx(CellText(static_cast<int>(item), static_cast<int>(column)));
}

void WxListCtrl::OnSelected(wxListEvent& event) {
    if (!m_quiet) {
        m_mark = static_cast<int>(event.GetIndex());
        m_selected = m_mark;
    }
    event.Skip();
}

void WxListCtrl::OnDeselected(wxListEvent& event) {
    if (!m_quiet && m_selected == event.GetIndex())
        m_selected = -1;
    event.Skip();
}

void WxListCtrl::OnMouseUp(wxMouseEvent& event) {
    event.Skip();  // the list handles the click as usual
    if (m_onClick)
        CallAfter([this] { m_onClick(); });
}

}  // namespace platform::wx
