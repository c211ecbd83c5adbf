// The widest cell of each column of a list, for sizing columns to their contents.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace platform {

/// Keeps the width of each column's widest cell up to date as cells change and rows go, so that
/// sizing a column after every change does not measure every row. A change that may narrow a
/// column's widest cell only marks the figures stale; the next query measures the rows again.
class WidestCells {
public:
    WidestCells() = default;
    WidestCells(std::size_t columns, int emptyWidth) : m_widest(columns, emptyWidth) {}

    /// A column whose cells are all empty comes in at `column`.
    void InsertColumn(std::size_t column, int emptyWidth) {
        m_widest.insert(m_widest.begin() + static_cast<std::ptrdiff_t>(column), emptyWidth);
    }
    /// A cell of `column` goes from `before` to `after` wide.
    void Changed(std::size_t column, int before, int after) {
        if (!m_valid)
            return;
        int& widest = m_widest[column];
        if (before == widest && after < widest)
            m_valid = false;
        widest = std::max(widest, after);
    }
    /// A row (a sequence of cell texts, measured with `measure`) goes.
    template <class Row, class Measure>
    void RowRemoved(const Row& row, Measure measure) {
        for (std::size_t c = 0; c < m_widest.size() && c < row.size() && m_valid; ++c)
            if (measure(row[c]) >= m_widest[c])
                m_valid = false;
    }
    /// Whether the figures may be wrong: a change then has nothing to update.
    bool Stale() const { return !m_valid; }
    void MarkStale() { m_valid = false; }

    /// The widest cell of `column` of `rows` (each a sequence of cell texts), measured with
    /// `measure` when the figures are stale; an empty column is `emptyWidth` wide.
    template <class Rows, class Measure>
    int Widest(std::size_t column, const Rows& rows, int emptyWidth, Measure measure) {
        if (!m_valid) {
            std::fill(m_widest.begin(), m_widest.end(), emptyWidth);
            for (const auto& row : rows)
                for (std::size_t c = 0; c < m_widest.size() && c < row.size(); ++c)
                    m_widest[c] = std::max(m_widest[c], measure(row[c]));
            m_valid = true;
        }
        return m_widest[column];
    }

private:
    std::vector<int> m_widest;
    bool m_valid = true;
};

}  // namespace platform
