// The test list on wxWidgets: a virtual report-view wxListCtrl over a byte-exact row store.
#pragma once

#include <wx/listctrl.h>

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/ListCtrl.h"
#include "platform/WidestCells.h"

namespace platform::wx {

/// A report-view list with single selection that is never sorted. Rows are kept as the bytes the
/// program stored; the control only shows them. The selection mark is the row the user last
/// selected (by mouse or keyboard) and moves with its row as rows come and go.
class WxListCtrl : public wxListCtrl {
public:
    WxListCtrl(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size);

    /// Called after a real mouse click in the list (not on its header), once the list has
    /// handled the click.
    void SetClickHandler(std::function<void()> onClick) { m_onClick = std::move(onClick); }

    /// The program's view of this list.
    IListBackend& Backend() { return m_adapter; }

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    std::string CellText(int row, int column) const;
    void SetCellText(int row, int column, const std::string& text);
    void InsertRow(int row, const std::string& text);
    void DeleteRow(int row);
    int SelectionMark() const { return m_mark; }
    void AddColumn(int column, const std::string& heading);
    int ColumnCount() const { return static_cast<int>(m_headings.size()); }
    void SetWidth(int column, int width);
    int Width(int column) const;
    void SetRedraw(bool redraw);
    void Repaint();

    /// Width of a cell's text in pixels, as auto-sizing measures it.
    int TextWidth(const std::string& text) const;
    /// Selects a row as a user would (for the window's own keyboard and mouse paths and tests).
    void SelectRow(int row);

protected:
    wxString OnGetItemText(long item, long column) const override;

private:
    void OnSelected(wxListEvent& event);
    void OnDeselected(wxListEvent& event);
    void OnMouseUp(wxMouseEvent& event);
    void OnIdle(wxIdleEvent& event);
    /// Moves the shown selection without telling the program.
    void MoveSelection(int from, int to);
    /// Brings the control up to date with the row store and the widths.
    void Flush();

    std::deque<std::vector<std::string>> m_rows;
    std::vector<std::string> m_headings;
    std::vector<int> m_widths;                 ///< widths the program set, in pixels
    std::vector<int> m_shownWidths;            ///< widths the control has
    WidestCells m_widest;                      ///< widest cell per column (text width)
    mutable std::array<int, 128> m_advance{};  ///< pixel advance of each ASCII character
    mutable bool m_advanceKnown = false;
    int m_mark = -1;       ///< selection mark
    int m_selected = -1;   ///< row shown selected
    bool m_quiet = false;  ///< true while the window itself changes the selection
    bool m_redraw = true;
    bool m_dirty = false;
    std::function<void()> m_onClick;

    /// IListBackend over this control (its names clash with wxListCtrl's own).
    class Adapter : public IListBackend {
    public:
        explicit Adapter(WxListCtrl& list) : m_list(list) {}
        int GetItemCount() const override { return m_list.RowCount(); }
        std::string GetItemText(int row, int column) const override {
            return m_list.CellText(row, column);
        }
        void SetItemText(int row, int column, const std::string& text) override {
            m_list.SetCellText(row, column, text);
        }
        void InsertItem(int row, const std::string& text) override { m_list.InsertRow(row, text); }
        void DeleteItem(int row) override { m_list.DeleteRow(row); }
        int GetSelectionMark() const override { return m_list.SelectionMark(); }
        void InsertColumn(int column, const std::string& heading, int) override {
            m_list.AddColumn(column, heading);
        }
        int GetHeaderItemCount() const override { return m_list.ColumnCount(); }
        void SetExtendedStyle(unsigned, unsigned) override {}  // rows are always selected whole
        void SetColumnWidth(int column, int width) override { m_list.SetWidth(column, width); }
        int GetColumnWidth(int column) const override { return m_list.Width(column); }
        void SetRedraw(bool redraw) override { m_list.SetRedraw(redraw); }
        void Invalidate(bool) override { m_list.Repaint(); }

    private:
        WxListCtrl& m_list;
    };
    Adapter m_adapter{*this};
};

}  // namespace platform::wx
