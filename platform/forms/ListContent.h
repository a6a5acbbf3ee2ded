#pragma once

#include <QStringList>
#include <QStringView>
#include <initializer_list>
#include <vector>

namespace forms {

// The rows of a list, kept compact: every text in one buffer and each cell a slice of it, so that a
// hundred thousand rows cost a few large blocks instead of a million small strings. A cell equal to
// the one above it in its column shares that one's text, as dates, states and names often do in a
// sorted list. Rows may hold fewer cells than the list has columns.
class ListContent {
public:
    ListContent() = default;
    ListContent(std::initializer_list<QStringList> rows);
    ListContent(const std::vector<QStringList>& rows);

    void addRow(); // the cells added next belong to a new last row
    void addCell(QStringView text);
    // Gives back the room kept for growth; called once the list is filled.
    void squeeze();

    // The readers are inline: a search calls them for every cell of a long list.
    int rowCount() const { return static_cast<int>(m_rowStart.size()); }
    int cellCount(int row) const {
        const size_t r = static_cast<size_t>(row);
        const size_t end = r + 1 < m_rowStart.size() ? m_rowStart[r + 1] : m_cells.size();
        return static_cast<int>(end - m_rowStart[r]);
    }
    // Valid until the content changes; empty past the row's last cell.
    QStringView cell(int row, int column) const {
        if (column < 0 || column >= cellCount(row))
            return {};
        const Cell& c = m_cells[cellIndex(row, column)];
        return QStringView(m_text.data() + c.offset, static_cast<qsizetype>(c.size));
    }
    void chopCell(int row, int column, int n);
    // Adds text at the end of one cell; nothing for a cell the row lacks.
    void extendCell(int row, int column, QStringView suffix);

private:
    struct Cell {
        quint32 offset;
        quint32 size;
    };
    size_t cellIndex(int row, int column) const {
        return m_rowStart[static_cast<size_t>(row)] + static_cast<size_t>(column);
    }

    std::vector<char16_t> m_text;
    std::vector<Cell> m_cells;
    std::vector<quint32> m_rowStart;
};

} // namespace forms
