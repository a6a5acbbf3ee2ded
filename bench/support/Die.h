#pragma once

#include <QString>

namespace suite::bench {

// Ends the benchmark run: the executable's name and 'what' on stderr, exit status 1.
[[noreturn]] void die(const QString& what);

} // namespace suite::bench
