#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace ktest {

// One statement of a SQL trace: as the screen built it, and how the statement cache met it
// ("hit", "prepared", "bypassed" with why, or empty for a statement the cache does not take).
struct TraceLine {
    QString sql;
    QString cache;
    QString why;
    QString executed; // what reached the database, translated
    QString error;    // the database's message; empty when the statement ran
    double ms = -1;
};

// The statements recorded in a SQL trace file (KESTROVA_SQL_TRACE), in order; the file is
// removed, so that the next call returns only what ran since.
std::vector<TraceLine> takeTraceLines(const QString& path);
// The same, as the screens built them.
QStringList takeTrace(const QString& path);

} // namespace ktest
