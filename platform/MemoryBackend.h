// In-memory stand-ins for the window and the list control: the backend that tests and benchmarks
// drive the program with. Texts are kept as exact bytes.
#pragma once

#include <array>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "platform/ListCtrl.h"
#include "platform/WidestCells.h"

namespace platform {

/// A list of rows of text with a selection mark that the test sets, as a user's click would.
class MemoryList : public IListBackend {
public:
    static constexpr int kMaxColumns = 16;
    using Row = std::vector<std::string>;

    int GetItemCount() const override { return static_cast<int>(m_rows.size()); }
    std::string GetItemText(int row, int column) const override;
    void SetItemText(int row, int column, const std::string& text) override;
    void InsertItem(int row, const std::string& text) override;
    void DeleteItem(int row) override;
    int GetSelectionMark() const override { return m_mark; }

    void InsertColumn(int column, const std::string& heading, int format) override;
    int GetHeaderItemCount() const override { return static_cast<int>(m_headings.size()); }
    void SetExtendedStyle(unsigned mask, unsigned style) override;
    void SetColumnWidth(int column, int width) override;
    int GetColumnWidth(int column) const override;
    void SetRedraw(bool redraw) override;
    void Invalidate(bool) override { ++invalidations; }

    /// Sets the mark as a user's click on a row would (-1: none).
    void SetSelectionMark(int row) { m_mark = row; }
    /// The rows, top first, each cut to the columns that exist (at least seven).
    std::vector<Row> Rows() const;
    /// Replaces every row (the mark is kept).
    void SetRows(const std::vector<Row>& rows);
    const std::vector<std::string>& Headings() const { return m_headings; }
    const std::vector<int>& Formats() const { return m_formats; }

    /// Width of a text in this list's model of pixels.
    static int TextWidth(const std::string& text) { return 12 + 6 * static_cast<int>(text.size()); }

    unsigned extendedStyle = 0;
    bool redraw = true;
    int redrawOffCount = 0;
    int invalidations = 0;
    int autoSizeRequests = 0;

private:
    std::deque<Row> m_rows;
    std::vector<std::string> m_headings;
    std::vector<int> m_formats;
    std::vector<int> m_widths;
    int m_mark = -1;
    WidestCells m_widest{kMaxColumns, TextWidth("")};
};

/// A dialog backend whose controls are strings kept by id. It records every exchange towards
/// the controls, every message box and every shell request, and answers questions from a script.
class MemoryBackend : public IDialogBackend {
public:
    explicit MemoryBackend(int listId = 1000) : m_listId(listId) {}

    std::string GetDlgItemText(int id) override { return controls[id]; }
    void SetDlgItemText(int id, const std::string& text) override;
    IListBackend* GetListControl(int id) override { return id == m_listId ? &list : nullptr; }
    int MessageBox(const std::string& text, const std::string& caption, unsigned type) override;
    void ShellOpen(const std::string& target, int showCommand) override;
    bool AppendSystemMenuItem(const std::string& text, unsigned command) override;
    void SetIcon(IconHandle icon, bool big) override;
    bool IsIconic() override { return iconic; }
    void DrawIcon(IconHandle icon) override { drawnIcons.push_back(icon); }
    void DefaultProcessing(const Message& message) override { defaultProcessed.push_back(message); }
    void EndDialog(int result) override { endResults.push_back(result); }
    void RunAboutBox() override { ++aboutBoxes; }
    void KeepAlive() override { ++keepAlives; }

    /// Texts written to one control, in order, with immediate repeats folded: what a user would
    /// have seen that control show.
    std::vector<std::string> TextsShown(int id) const;

    struct Write {
        int id;
        std::string text;
    };
    struct Box {
        std::string text;
        std::string caption;
        unsigned type;
        int answer;
    };
    struct Open {
        std::string target;
        int showCommand;
    };

    std::map<int, std::string> controls;
    MemoryList list;
    bool recordWrites = true;     ///< benchmarks switch this off
    std::vector<Write> writes;    ///< every exchange towards a control
    std::vector<Box> boxes;       ///< every message box, in order
    std::deque<int> answers;      ///< answers for Yes/No questions, used in order
    int unansweredQuestions = 0;  ///< questions asked with no scripted answer (answered No)
    std::vector<Open> opened;
    bool hasSystemMenu = true;
    std::vector<std::pair<std::string, unsigned>> systemMenuItems;
    std::vector<std::pair<IconHandle, bool>> icons;
    bool iconic = false;
    std::vector<IconHandle> drawnIcons;
    std::vector<Message> defaultProcessed;
    std::vector<int> endResults;
    int aboutBoxes = 0;
    int keepAlives = 0;

private:
    int m_listId;
};

}  // namespace platform
