#pragma once

#include <memory>

namespace suite::bench {

// The application object of a benchmark that shows windows, offscreen unless QT_QPA_PLATFORM
// says otherwise, with Google Benchmark's own options taken from the command line.
class BenchApplication {
public:
    BenchApplication(int& argc, char** argv);
    ~BenchApplication();
    BenchApplication(const BenchApplication&) = delete;
    BenchApplication& operator=(const BenchApplication&) = delete;

    // Runs the benchmarks the command line picks, then shuts the library down.
    void run();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace suite::bench
