#pragma once

#include <QString>

namespace ado {

// How a target database writes the SQL Server forms that the translation rewrites.
struct SqlServerForms {
    // The function that stands for ISNULL(a, b).
    const char* nullFunction;
    // ISNULL(a, '') reads a as text, for a database that cannot read '' as a date.
    bool emptyTextAsText;
    // CONVERT(VARCHAR, x, 108), with %1 for x: the time of day as 'HH:mm:ss', '00:00:00' for ''.
    const char* timeOfDay;
};

// The translation of SqlServerToSqlite with another target's forms; TOP n and
// INSERT ... ( SELECT ... ) are rewritten the same way for every target.
QString translateSqlServer(const QString& sql, const SqlServerForms& forms);

} // namespace ado
