#pragma once

#include "ColumnNames.h"
#include "Recordset.h"

#include <QByteArray>
#include <vector>

struct sqlite3_stmt;

namespace ado {

class SqliteConnection;

// The rows of one SQLite SELECT. While its connection does nothing else the rows stream straight
// from the statement, as fast as the bare C API reads them. Before the connection runs anything
// else (a statement, a transaction step, code of the suite on the Qt connection) it detaches its
// open results: each reads the rest of its rows into memory and lets the statement go. So a
// result keeps the rows it was opened on, as ADO's forward-only cursor does, whatever the
// connection writes later (copies of those very rows, say), and no statement is left open at
// COMMIT.
class SqliteRecordset final : public Recordset {
public:
    // Takes over a statement that has been stepped once; rowReady tells whether that step
    // gave a row. sql is the caller's text, for the message of a failure while reading.
    SqliteRecordset(SqliteConnection* owner, sqlite3_stmt* statement, bool rowReady,
                    ColumnNames columns, QString sql);
    ~SqliteRecordset() override;
    SqliteRecordset(const SqliteRecordset&) = delete;
    SqliteRecordset& operator=(const SqliteRecordset&) = delete;

    bool streaming() const { return m_statement != nullptr; }
    // Read the remaining rows into memory and release the statement.
    void detach();

    bool Eof() const override;
    void MoveNext() override;
    int FieldCount() const override;
    Field Fields(int index) const override;
    Field Fields(const QString& name) const override;
    QString FieldName(int index) const override;
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

    void appendRow();
    void release();
    QVariant valueAt(int index) const;
    void checkCurrent() const;

    SqliteConnection* m_owner;
    sqlite3_stmt* m_statement;
    ColumnNames m_columns;
    QString m_sql;
    // Rows read ahead by detach(), text as UTF-8 in one buffer.
    std::vector<Cell> m_cells;
    QByteArray m_bytes;
    qsizetype m_rowCount = 0;
    qsizetype m_row = 0;
    // A failure met while reading ahead, raised when the reader gets there.
    QString m_pendingError;
    bool m_open = true;
};

} // namespace ado
