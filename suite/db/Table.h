#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace suite {

// One table of the suite database, described once and written out in either dialect.
struct Table {
    enum class Type {
        Text,     // VARCHAR(size)
        LongText, // a stored query's text
        Integer,
        Decimal,  // DECIMAL(size, scale)
        DateTime, // date-only columns hold midnight
        // An odometer reading: 9 integer digits and up to 14 decimals, read back exactly as
        // written. SQLite's NUMERIC affinity would keep 15 significant digits and turn
        // '999999999.999999999' into 1000000000, so SQLite stores the text itself.
        ExactDecimal,
    };
    enum class Default { None, Zero, Now, Text };

    struct Column {
        QString name;
        Type type = Type::Text;
        int size = 0;
        int scale = 0;
        bool nullable = true;
        Default defaultKind = Default::None;
        QString defaultText; // Default::Text only
    };

    struct Index {
        QString name;
        QStringList columns;
    };

    QString name;
    std::vector<Column> columns;
    QStringList primaryKey;
    std::vector<Index> indexes;

    QStringList columnNames() const;
    const Column* column(const QString& name) const; // case-insensitive; null when absent
};

} // namespace suite
