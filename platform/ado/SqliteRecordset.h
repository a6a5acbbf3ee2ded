#pragma once

#include "ColumnNames.h"
#include "Recordset.h"

#include <QByteArray>
#include <vector>

struct sqlite3_stmt;

namespace ado {

// The rows of one SQLite SELECT, read in full when the statement runs, as ADO's forward-only
// cursor hands them over: later writes on the same connection (say, inserting copies of the rows
// being read) cannot show up in, or lock against, a result already open. Values are kept
// compactly (text as UTF-8 in one buffer) and become QVariants only when a field is read.
class SqliteRecordset final : public Recordset {
public:
    explicit SqliteRecordset(ColumnNames columns);

    // Copy the row the statement stands on.
    void appendRow(sqlite3_stmt* statement);

    bool Eof() const override;
    void MoveNext() override;
    int FieldCount() const override;
    Field Fields(int index) const override;
    Field Fields(const QString& name) const override;
    void Close() override;

private:
    struct Cell {
        union {
            qint64 integer;
            double real;
            qint64 offset;
        };
        int size;
        int type;
    };

    QVariant valueAt(int index) const;
    void checkCurrent() const;

    ColumnNames m_columns;
    std::vector<Cell> m_cells;
    QByteArray m_bytes;
    qsizetype m_rowCount = 0;
    qsizetype m_row = 0;
    bool m_open = true;
};

} // namespace ado
