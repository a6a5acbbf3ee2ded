#pragma once

#include "Connection.h"
#include "platform/com/RuntimeError.h"

#include <QString>
#include <memory>

namespace ado {

// The embedded provider: a SQLite database file. With create = false the file must exist and be
// a readable SQLite database; with create = true a missing file is created empty.
std::unique_ptr<Connection> openSqlite(const QString& path, bool create = false);

// An ODBC connection string, e.g. "Driver=FreeTDS;Server=HOST;Port=1433;Database=DB;UID=u;PWD=p"
// for SQL Server or "Driver=SQLite3;Database=FILE".
std::unique_ptr<Connection> openOdbc(const QString& connectionString);

} // namespace ado
