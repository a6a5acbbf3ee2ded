#pragma once

#include <QDateTime>
#include <QVariant>

namespace ado {

// A database value read as a Date. QDateTime and QDate pass as they are; text may be
// 'yyyy-MM-dd', 'yyyy-MM-dd HH:mm:ss[.fff]', 'yyyy-MM-ddTHH:mm:ss[.fff]' or 'yyyyMMdd', and ''
// reads as 1900-01-01 00:00:00, the date SQL Server makes of an empty text. Anything else
// raises com::RuntimeError("Type mismatch", 13).
QDateTime toDateTime(const QVariant& value);

} // namespace ado
