#pragma once

#include "platform/ado/Connection.h"

#include <QDateTime>
#include <QString>

namespace suite {

// Dates as SQL text and the database's clock. The texts are literals that each database reads
// unambiguously whatever its language settings, and they sort in time order as plain strings:
// SQLite and PostgreSQL yyyy-MM-dd / yyyy-MM-dd HH:mm:ss, SQL Server yyyyMMdd /
// yyyy-MM-ddTHH:mm:ss.
class SqlDates {
public:
    // Raise com::RuntimeError for an invalid date.
    static QString date(ado::Connection::Dialect dialect, const QDateTime& value);
    static QString dateTime(ado::Connection::Dialect dialect, const QDateTime& value);
    // The server's local time, to the second.
    static QDateTime serverNow(ado::Connection& connection);
};

} // namespace suite
