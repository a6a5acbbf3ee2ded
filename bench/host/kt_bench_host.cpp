// The host's list fill against a bare read of the same rows, on a demo database of 100,000
// trips (KESTROVA_BENCH_TRIPS to change it): Funciones.LlenarLista of the board's "Viajes" query
// into a list view, and the same query read through the database layer into strings. Both sides
// run in the same iterations; the ratio is reported as a counter. FormatoLista.Aplicar on the
// filled list is timed on its own.

#include "bench/support/BareRead.h"
#include "bench/support/BenchApplication.h"
#include "bench/support/DemoHost.h"
#include "bench/support/Die.h"
#include "bench/support/LazyData.h"
#include "bench/support/Timing.h"
#include "platform/com/Ptr.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListView.h"
#include "suite/db/HostData.h"
#include "suite/host/FormatoLista.h"
#include "suite/host/Funciones.h"
#include "suite/host/HostSession.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using suite::bench::Clock;
using suite::bench::cpuSeconds;
using suite::bench::die;
using suite::bench::since;

forms::FormDesign listForm() {
    forms::FormDesign design;
    design.name = QStringLiteral("frmBench");
    design.clientWidth = 15000;
    design.clientHeight = 9000;
    forms::ControlDesign list;
    list.progId = QStringLiteral("MSComctlLib.ListView");
    list.name = QStringLiteral("lvViajes");
    list.width = 14000;
    list.height = 8000;
    design.controls << list;
    return design;
}

suite::bench::DemoHost::Options demoOptions() {
    suite::bench::DemoHost::Options options;
    options.trips = suite::bench::DemoHost::tripsFromEnvironment();
    options.today = QDate(2024, 6, 15);
    return options;
}

struct Data {
    std::unique_ptr<suite::bench::DemoHost> host;
    com::Ptr<kt512::IFunciones> funciones;
    QString viajes;
    forms::Form form{listForm()};

    Data() {
        try {
            host = std::make_unique<suite::bench::DemoHost>(demoOptions());
        } catch (const com::RuntimeError& e) {
            die(e.description());
        }
        funciones = com::newObject<suite::Funciones>(host->session());
        viajes = suite::HostData::query(QStringLiteral("Viajes"));
        viajes.replace(QStringLiteral("{PARAMETROS}"),
                       QStringLiteral(" Viaje.Vj_Fecha BETWEEN '2000-01-01' AND '2099-12-31' "));
        form.Show();
    }

    forms::ListView& list() { return form.listView(QStringLiteral("lvViajes")); }

    // The same rows read through the database layer into strings, and nothing else.
    size_t bareRead() { return suite::bench::bareRead(host->connection(), viajes); }
};

suite::bench::LazyData<Data> g_data;

void BM_LlenarLista(benchmark::State& state) {
    Data& d = g_data.get();
    double fill = 0, bare = 0, fillCpu = 0, bareCpu = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        double cpu = cpuSeconds();
        if (!d.funciones->LlenarLista(d.viajes, d.list(), true))
            die(d.funciones->UltimoError());
        QCoreApplication::processEvents();
        fill += since(start);
        fillCpu += cpuSeconds() - cpu;
        start = Clock::now();
        cpu = cpuSeconds();
        benchmark::DoNotOptimize(d.bareRead());
        bare += since(start);
        bareCpu += cpuSeconds() - cpu;
    }
    state.counters["rows"] = d.list().Count();
    state.counters["fill_ms"] = benchmark::Counter(fill * 1000, benchmark::Counter::kAvgIterations);
    state.counters["bare_ms"] = benchmark::Counter(bare * 1000, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = fill / bare;
    state.counters["cpu_ratio"] = fillCpu / bareCpu;
}
BENCHMARK(BM_LlenarLista)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FormatoLista(benchmark::State& state) {
    Data& d = g_data.get();
    if (!d.funciones->LlenarLista(d.viajes, d.list(), true))
        die(d.funciones->UltimoError());
    auto formato = com::newObject<suite::FormatoLista>();
    for (auto _ : state)
        formato->Aplicar(d.list());
}
BENCHMARK(BM_FormatoLista)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    suite::bench::BenchApplication app(argc, argv);
    app.run();
    g_data.reset();
    return 0;
}
