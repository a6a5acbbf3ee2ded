#pragma once

#include "Connection.h"
#include "StatementCache.h"

#include <QSqlDatabase>
#include <vector>

struct sqlite3;

namespace ado {

class SqliteRecordset;
class StatementShape;

// The embedded provider: a SQLite file opened through Qt's QSQLITE driver, whose sqlite3 handle
// runs the statements directly (reading a result through QSqlQuery costs twice as much).
// Statements are translated from SQL Server's dialect first. A data-changing statement runs as a
// prepared statement of its shape with its quoted values bound: the screens build the same
// INSERT and UPDATE as text again and again, and SQLite would otherwise parse each one anew.
// BeginTrans takes the write lock at once and a busy database is waited on, so several operators
// on one file serialise cleanly.
class SqliteConnection final : public Connection {
public:
    // create = false: the file must exist and be a readable SQLite database.
    static std::unique_ptr<SqliteConnection> open(const QString& path, bool create);
    ~SqliteConnection() override;

    std::unique_ptr<Recordset> Execute(const QString& sql, long* recordsAffected) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;
    bool inTransaction() const override;
    Dialect dialect() const override { return Dialect::SQLite; }
    // The Qt connection beneath, for the suite's bulk loading, which binds its rows straight on
    // the handle; it bypasses translation, the trace and the statement cache. Open results are
    // read to their end first: the caller is about to use the connection.
    QSqlDatabase database() const;

    // Opened where nothing can be written: it reads, and every write fails with its reason.
    bool readOnly() const { return m_readOnly; }

    // A result whose statement is finished, no longer to be detached.
    void forget(SqliteRecordset* result);

private:
    SqliteConnection(const QString& name, const QString& path);
    std::unique_ptr<Recordset> run(const QString& sql, const QByteArray& text,
                                   long* recordsAffected);
    // How a data-changing statement met the statement cache, for the trace: "hit", "prepared" or
    // "bypassed", and why it was bypassed.
    struct ShapeUse {
        const char* cache = nullptr;
        QString why;
    };
    // Runs a data-changing statement as its shape; false, with use saying why, when it is to
    // run as written.
    bool runShaped(const StatementShape& statement, long* recordsAffected, ShapeUse& use);
    void detachResults() const;
    // Runs a statement of the connection's own, traced, raising the database's bare message.
    void traced(const QString& sql, const QString& executed);
    // Transaction control: as traced, with a message naming the step and the file.
    void control(const QString& sql, const QString& executed);

    QString m_name;
    QString m_path;
    QSqlDatabase m_db;
    sqlite3* m_handle = nullptr;
    bool m_readOnly = false;
    // Results still streaming from a statement of this connection.
    mutable std::vector<SqliteRecordset*> m_streaming;
    // Prepared shapes of data-changing statements, finalized before anything that wants the
    // connection without statements: closing and schema changes.
    mutable StatementCache m_shapes;
};

} // namespace ado
