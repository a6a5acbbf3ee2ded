#pragma once

#include <QString>

namespace ado {

// Rewrites the few SQL Server forms the screens send into PostgreSQL's, as SqlServerToSqlite
// does for SQLite and with the same reading of the text:
//   ISNULL(a, b)                        -> COALESCE(a, b); with b = '' a is read as text, so
//                                          that an empty date reads as '' (1900-01-01)
//   CONVERT(VARCHAR[(n)], x, 108)       -> the time of day of x as 'HH:mm:ss' ('' gives
//                                          '00:00:00')
//   SELECT [ALL|DISTINCT] TOP n ...     -> SELECT ... LIMIT n
//   INSERT INTO t (cols) ( SELECT ... ) -> INSERT INTO t (cols) SELECT ...
class SqlServerToPostgres {
public:
    static QString translate(const QString& sql);
};

} // namespace ado
