#pragma once

#include "Connection.h"

#include <QSqlDatabase>

namespace ado {

// The ODBC provider, through Qt's QODBC driver. SQL Server (FreeTDS in production) gets the
// statements exactly as the screens build them; a SQLite database behind ODBC gets them
// translated, as the embedded provider does.
class OdbcConnection final : public Connection {
public:
    static std::unique_ptr<OdbcConnection> open(const QString& connectionString);
    ~OdbcConnection() override;

    std::unique_ptr<Recordset> Execute(const QString& sql, long* recordsAffected) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;
    bool inTransaction() const override { return m_inTransaction; }
    Dialect dialect() const override { return m_dialect; }

private:
    explicit OdbcConnection(const QString& name);
    // Runs one step of transaction control and traces it under `sql`: through the driver, or on
    // SQLite as the statement `executed` (autocommit stays on and SQLite keeps the transaction).
    void control(const QString& sql, bool (QSqlDatabase::*step)(), const char* executed);

    QString m_name;
    QSqlDatabase m_db;
    Dialect m_dialect = Dialect::SqlServer;
    bool m_inTransaction = false;
};

} // namespace ado
