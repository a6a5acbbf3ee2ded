#include "Timing.h"

#include <ctime>

namespace suite::bench {

double since(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

} // namespace suite::bench
