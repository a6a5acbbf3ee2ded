#pragma once

#include <QString>
#include <QStringList>

namespace ado {

// The column names of a result and the lookups that Recordset::Fields makes on them: by name,
// ignoring case as ADO does (the first of equal names wins), and by position.
class ColumnNames {
public:
    ColumnNames() = default;
    explicit ColumnNames(QStringList names);

    int count() const { return static_cast<int>(m_names.size()); }
    const QString& at(int index) const { return m_names.at(index); }
    // Raise the "item not found" error for an unknown name or a position out of range.
    int indexOf(const QString& name) const;
    void checkIndex(int index) const;

private:
    QStringList m_names;
};

} // namespace ado
