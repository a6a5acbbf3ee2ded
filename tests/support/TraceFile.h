#pragma once

#include <QString>
#include <QStringList>

namespace ktest {

// The statements recorded in a SQL trace file (KESTROVA_SQL_TRACE), as the screens built them,
// in order; the file is removed, so that the next call returns only what ran since.
QStringList takeTrace(const QString& path);

} // namespace ktest
