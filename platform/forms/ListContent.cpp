#include "ListContent.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace forms {

ListContent::ListContent(std::initializer_list<QStringList> rows)
    : ListContent(std::vector<QStringList>(rows)) {}

ListContent::ListContent(const std::vector<QStringList>& rows) {
    m_rowStart.reserve(rows.size());
    for (const QStringList& row : rows) {
        addRow();
        for (const QString& text : row)
            addCell(text);
    }
    squeeze();
}

void ListContent::addRow() {
    m_rowStart.push_back(static_cast<quint32>(m_cells.size()));
}

void ListContent::addCell(QStringView text) {
    if (m_rowStart.empty())
        addRow();
    const size_t row = m_rowStart.size() - 1;
    const size_t column = m_cells.size() - m_rowStart[row];
    const auto size = static_cast<quint32>(text.size());
    if (row > 0) {
        const size_t above = m_rowStart[row - 1] + column;
        if (above < m_rowStart[row]) {
            const Cell& cell = m_cells[above];
            if (cell.size == size &&
                std::equal(text.utf16(), text.utf16() + size, m_text.data() + cell.offset)) {
                m_cells.push_back(cell);
                return;
            }
        }
    }
    if (m_text.size() + size > std::numeric_limits<quint32>::max())
        throw std::length_error("list text beyond 4 GB");
    const auto offset = static_cast<quint32>(m_text.size());
    m_text.insert(m_text.end(), text.utf16(), text.utf16() + size);
    m_cells.push_back({offset, size});
}

void ListContent::squeeze() {
    m_text.shrink_to_fit();
    m_cells.shrink_to_fit();
    m_rowStart.shrink_to_fit();
}

void ListContent::extendCell(int row, int column, QStringView suffix) {
    if (column < 0 || column >= cellCount(row))
        return;
    Cell& cell = m_cells[cellIndex(row, column)];
    const size_t size = size_t(cell.size) + size_t(suffix.size());
    if (m_text.size() + size > std::numeric_limits<quint32>::max())
        throw std::length_error("list text beyond 4 GB");
    // The cell gets a copy at the end of the text: a cell below may share the old one.
    const size_t offset = m_text.size();
    m_text.resize(offset + size);
    std::copy_n(m_text.begin() + cell.offset, cell.size, m_text.begin() + offset);
    std::copy_n(suffix.utf16(), suffix.size(), m_text.begin() + offset + cell.size);
    cell = {static_cast<quint32>(offset), static_cast<quint32>(size)};
}

void ListContent::chopCell(int row, int column, int n) {
    if (column < 0 || column >= cellCount(row))
        return;
    Cell& c = m_cells[cellIndex(row, column)];
    c.size -= std::min<quint32>(c.size, static_cast<quint32>(std::max(0, n)));
}

} // namespace forms
