// The list control seen by the program: a thin handle over a list backend (a real window or
// memory).
#pragma once

#include <string>

namespace platform {

inline constexpr int LVCFMT_LEFT = 0;
inline constexpr unsigned LVS_EX_FULLROWSELECT = 0x20;
inline constexpr int LVSCW_AUTOSIZE = -1;
inline constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

/// What a list control must offer; realised by the wx list and by the in-memory list of tests.
class IListBackend {
public:
    virtual ~IListBackend() = default;

    virtual int GetItemCount() const = 0;
    /// The whole text of a cell; "" for a cell that does not exist.
    virtual std::string GetItemText(int row, int column) const = 0;
    /// Ignored for a row or column that does not exist.
    virtual void SetItemText(int row, int column, const std::string& text) = 0;
    /// Inserts a row at `row` with `text` in column 0; the rows from there move down.
    virtual void InsertItem(int row, const std::string& text) = 0;
    /// Removes a row; the rows below move up. Ignored for -1 or a row that does not exist.
    virtual void DeleteItem(int row) = 0;
    /// The row last selected by the user, or -1.
    virtual int GetSelectionMark() const = 0;

    virtual void InsertColumn(int column, const std::string& heading, int format) = 0;
    /// Number of columns of the list's header, or -1 when the list has no header.
    virtual int GetHeaderItemCount() const = 0;
    virtual void SetExtendedStyle(unsigned mask, unsigned style) = 0;
    /// Sets a width in pixels, or sizes to the widest cell (LVSCW_AUTOSIZE) or to the heading
    /// (LVSCW_AUTOSIZE_USEHEADER).
    virtual void SetColumnWidth(int column, int width) = 0;
    virtual int GetColumnWidth(int column) const = 0;

    virtual void SetRedraw(bool redraw) = 0;
    virtual void Invalidate(bool erase) = 0;
};

/// The program's handle on a list control. Until it is attached by the dialog's first exchange,
/// every call does nothing and every query answers as an empty list would.
class CListCtrl {
public:
    void Attach(IListBackend* backend) { m_backend = backend; }
    bool IsAttached() const { return m_backend != nullptr; }
    IListBackend* Backend() const { return m_backend; }

    int GetItemCount() const { return m_backend ? m_backend->GetItemCount() : 0; }
    std::string GetItemText(int row, int column) const {
        return m_backend ? m_backend->GetItemText(row, column) : std::string();
    }
    void SetItemText(int row, int column, const std::string& text) {
        if (m_backend)
            m_backend->SetItemText(row, column, text);
    }
    void InsertItem(int row, const std::string& text) {
        if (m_backend)
            m_backend->InsertItem(row, text);
    }
    void DeleteItem(int row) {
        if (m_backend)
            m_backend->DeleteItem(row);
    }
    int GetSelectionMark() const { return m_backend ? m_backend->GetSelectionMark() : -1; }
    void InsertColumn(int column, const std::string& heading, int format) {
        if (m_backend)
            m_backend->InsertColumn(column, heading, format);
    }
    int GetHeaderItemCount() const { return m_backend ? m_backend->GetHeaderItemCount() : -1; }
    void SetExtendedStyle(unsigned mask, unsigned style) {
        if (m_backend)
            m_backend->SetExtendedStyle(mask, style);
    }
    void SetColumnWidth(int column, int width) {
        if (m_backend)
            m_backend->SetColumnWidth(column, width);
    }
    int GetColumnWidth(int column) const {
        return m_backend ? m_backend->GetColumnWidth(column) : 0;
    }
    void SetRedraw(bool redraw) {
        if (m_backend)
            m_backend->SetRedraw(redraw);
    }
    void Invalidate(bool erase = true) {
        if (m_backend)
            m_backend->Invalidate(erase);
    }

private:
    IListBackend* m_backend = nullptr;
};

}  // namespace platform
