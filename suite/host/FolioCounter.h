#pragma once

#include <QString>

namespace ado {
class Connection;
}

namespace suite {

// The counters of table Folio, one per branch and table. Each folio is the branch code followed
// by the counter, zero-padded to the folio's length. It must run inside a transaction: the
// counter's row stays locked until the caller commits, and a rollback gives the number back.
class FolioCounter {
public:
    FolioCounter(ado::Connection& connection, const QString& usuario);

    // Raises com::RuntimeError when the branch does not fit the length, the counter is used up
    // or the database fails.
    QString next(const QString& sucursal, const QString& tabla, int longitud);

private:
    ado::Connection& m_connection;
    QString m_usuario;
};

} // namespace suite
