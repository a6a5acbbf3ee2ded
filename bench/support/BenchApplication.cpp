#include "BenchApplication.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace suite::bench {

struct BenchApplication::Private {
    Private(int& argc, char** argv) : app(argc, argv) {}
    QApplication app;
};

BenchApplication::BenchApplication(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    d = std::make_unique<Private>(argc, argv);
    benchmark::Initialize(&argc, argv);
}

BenchApplication::~BenchApplication() = default;

void BenchApplication::run() {
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}

} // namespace suite::bench
