#pragma once

#include "Recordset.h"

#include <QString>
#include <memory>

namespace ado {

// One open database connection. Statements are SQL Server's dialect, as the screens build
// them; a provider translates them when its database is not SQL Server. Every failure raises
// com::RuntimeError carrying the database's own message.
class Connection {
public:
    enum class Dialect { SQLite, SqlServer, PostgreSQL };

    virtual ~Connection() = default;

    // A SELECT gives its rows; any other statement runs in place and gives a closed, empty
    // recordset. recordsAffected, when given, receives the rows changed.
    virtual std::unique_ptr<Recordset> Execute(const QString& sql,
                                               long* recordsAffected = nullptr) = 0;
    virtual void BeginTrans() = 0;
    virtual void CommitTrans() = 0;
    virtual void RollbackTrans() = 0;
    virtual bool inTransaction() const = 0;

    virtual Dialect dialect() const = 0;
};

} // namespace ado
