#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace forms {

// The rows of a list view: one QStringList per row, one text per column. Sorting reorders the
// rows themselves, so row i is the i-th row shown; the selection follows its rows.
class ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setContent(QStringList columns, std::vector<QStringList> rows);
    void clear();
    const QStringList& columns() const { return m_columns; }
    const QStringList& row(int row) const { return m_rows[static_cast<size_t>(row)]; }
    void setAlignment(int column, Qt::Alignment alignment);

    // By the text of one column, as a Spanish word list orders it (letter case and accents do
    // not count, ñ after n); equal texts keep their order, cells a row lacks count as empty.
    void sortByColumn(int column, Qt::SortOrder order);

private:
    QStringList m_columns;
    std::vector<QStringList> m_rows;
    std::vector<Qt::Alignment> m_alignments;
};

} // namespace forms
