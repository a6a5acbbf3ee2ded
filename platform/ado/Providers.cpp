#include "Providers.h"

#include "OdbcConnection.h"
#include "SqliteConnection.h"

namespace ado {

std::unique_ptr<Connection> openSqlite(const QString& path, bool create) {
    return SqliteConnection::open(path, create);
}

std::unique_ptr<Connection> openOdbc(const QString& connectionString) {
    return OdbcConnection::open(connectionString);
}

} // namespace ado
