#pragma once

#include <QString>

namespace ado {

// When KESTROVA_SQL_TRACE names a file, every statement a connection runs (transaction
// statements included) is appended to it as one JSON line:
// {"sql": as the caller built it, "executed": as sent, "ms": duration, "error": message or null}.
// A statement run from a prepared statement of its shape shows as the text it stands for.
// A data-changing statement that the statement cache could serve adds "cache": "hit" (a kept
// statement ran it), "prepared" (its shape was prepared now and kept) or "bypassed" (its shape
// could not be prepared, so the text ran as written, each time parsed anew), with "why" saying
// what kept it out. Other statements carry no "cache".
// Each line goes out in one append, so several processes can share the file.
class SqlTrace {
public:
    static bool enabled();
    // error: the failure's message, or a null QString when the statement succeeded.
    // cache, why: as above; null for a statement the cache does not take.
    static void record(const QString& sql, const QString& executed, double ms, const QString& error,
                       const char* cache = nullptr, const QString& why = QString());
};

} // namespace ado
