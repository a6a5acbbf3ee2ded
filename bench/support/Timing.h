#pragma once

#include <chrono>

namespace suite::bench {

using Clock = std::chrono::steady_clock;

// Wall seconds since 'from'.
double since(Clock::time_point from);

// This thread's CPU time in seconds. The machine is shared: CPU time tells two timed sides apart
// when others load it.
double cpuSeconds();

} // namespace suite::bench
