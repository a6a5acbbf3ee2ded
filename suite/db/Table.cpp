#include "Table.h"

namespace suite {

QStringList Table::columnNames() const {
    QStringList names;
    for (const Column& c : columns)
        names << c.name;
    return names;
}

const Table::Column* Table::column(const QString& wanted) const {
    for (const Column& c : columns)
        if (c.name.compare(wanted, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

} // namespace suite
