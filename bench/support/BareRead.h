#pragma once

#include <QString>
#include <cstddef>

namespace ado {
class Connection;
}

namespace suite::bench {

// The yardstick of the screens' list fills: a statement's rows read through the database layer
// into strings, and nothing else. Returns the number of rows.
size_t bareRead(ado::Connection& connection, const QString& sql);

} // namespace suite::bench
