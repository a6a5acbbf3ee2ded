#pragma once

#include "ListContent.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace forms {

// The rows of a list view over a ListContent. Sorting reorders an index of the rows, not their
// texts, so row i is the i-th row shown; the selection follows its rows.
class ListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setContent(QStringList columns, ListContent rows);
    void clear();
    const QStringList& columns() const { return m_columns; }
    int count() const { return static_cast<int>(m_order.size()); }
    // Of the row shown at that position; the text stays valid until the content changes.
    int cellCount(int row) const { return m_rows.cellCount(stored(row)); }
    QStringView cell(int row, int column) const { return m_rows.cell(stored(row), column); }
    void setAlignment(int column, Qt::Alignment alignment);

    // By the text of one column, as a Spanish word list orders it (letter case and accents do
    // not count, ñ after n); equal texts keep their order, cells a row lacks count as empty.
    // A column whose texts are all dates (dd/MM/yyyy, with HH:mm or not), or all numbers, sorts
    // by their values instead.
    void sortByColumn(int column, Qt::SortOrder order);
    // The first row shown, from `from` on, with a cell that holds the text (TextFolding's, folded
    // already); -1 when none does.
    int find(QStringView foldedText, int from) const;

private:
    // The values of a column of dates or of numbers, by stored row; false for any other column.
    bool valuesOf(int column, std::vector<double>& values) const;
    // Shows the rows now at shownRows[0], shownRows[1]... in that order.
    void reorder(const std::vector<int>& shownRows);
    int stored(int row) const { return m_order[static_cast<size_t>(row)]; }

    QStringList m_columns;
    ListContent m_rows;
    std::vector<int> m_order;
    std::vector<Qt::Alignment> m_alignments;
};

} // namespace forms
