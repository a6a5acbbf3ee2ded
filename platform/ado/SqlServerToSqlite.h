#pragma once

#include <QString>

namespace ado {

// Rewrites the few SQL Server forms the screens send into SQLite's:
//   ISNULL(a, b)                        -> IFNULL(a, b)
//   CONVERT(VARCHAR[(n)], x, 108)       -> the time of day of x as 'HH:mm:ss' ('' gives
//                                          '00:00:00', as SQL Server reads '' as 1900-01-01)
//   SELECT [ALL|DISTINCT] TOP n ...     -> SELECT ... LIMIT n, at the end of that SELECT
//   INSERT INTO t (cols) ( SELECT ... ) -> INSERT INTO t (cols) SELECT ...
// The text is read as tokens: string literals, quoted identifiers and comments are never
// touched, and a statement with none of these forms comes back byte for byte. The result needs
// no function of our own, so it also runs on SQLite reached through ODBC.
class SqlServerToSqlite {
public:
    static QString translate(const QString& sql);
};

} // namespace ado
