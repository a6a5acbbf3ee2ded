// The host's list fill against a bare read of the same rows, on a demo database of 100,000
// trips (KESTROVA_BENCH_TRIPS to change it): Funciones.LlenarLista of the board's "Viajes" query
// into a list view, and the same query read through the database layer into strings. Both sides
// run in the same iterations; the ratio is reported as a counter. FormatoLista.Aplicar on the
// filled list is timed on its own.

#include "platform/ado/Connection.h"
#include "platform/ado/Providers.h"
#include "platform/com/Ptr.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListView.h"
#include "suite/db/DemoData.h"
#include "suite/db/HostData.h"
#include "suite/db/Schema.h"
#include "suite/host/FormatoLista.h"
#include "suite/host/Funciones.h"
#include "suite/host/HostSession.h"
#include "suite/host/RecordingPresenter.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// The machine is shared: this thread's CPU time tells the two sides apart under others' load.
double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

[[noreturn]] void die(const QString& what) {
    std::fprintf(stderr, "kt_bench_host: %s\n", qPrintable(what));
    std::exit(1);
}

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

struct Data {
    QTemporaryDir dir;
    std::shared_ptr<suite::HostSession> session;
    com::Ptr<kt512::IFunciones> funciones;
    QString viajes;
    forms::Form form{listForm()};

    Data() {
        const int trips = qEnvironmentVariableIsSet("KESTROVA_BENCH_TRIPS")
                              ? qEnvironmentVariableIntValue("KESTROVA_BENCH_TRIPS")
                              : 100000;
        const QString path = dir.filePath(QStringLiteral("bench.db"));
        try {
            {
                std::unique_ptr<ado::Connection> build = ado::openSqlite(path, true);
                suite::Schema::create(*build);
                suite::DemoData::generate(*build, {trips, 1, QDate(2024, 6, 15)});
            }
            session =
                std::make_shared<suite::HostSession>(ado::openSqlite(path), QStringLiteral("BENCH"),
                                                     std::make_shared<suite::RecordingPresenter>());
        } catch (const com::RuntimeError& e) {
            die(e.description());
        }
        funciones = com::Ptr<kt512::IFunciones>::adopt(com::make<suite::Funciones>(session));
        viajes = suite::HostData::query(QStringLiteral("Viajes"));
        viajes.replace(QStringLiteral("{PARAMETROS}"),
                       QStringLiteral(" Viaje.Vj_Fecha BETWEEN '2000-01-01' AND '2099-12-31' "));
        form.Show();
    }

    forms::ListView& list() { return form.listView(QStringLiteral("lvViajes")); }

    // The same rows read through the database layer into strings, and nothing else.
    size_t bareRead() {
        std::unique_ptr<ado::Recordset> rs = session->connection().Execute(viajes);
        const int n = rs->FieldCount();
        std::vector<QStringList> rows;
        for (; !rs->Eof(); rs->MoveNext()) {
            QStringList row;
            row.reserve(n);
            for (int i = 0; i < n; ++i)
                row << rs->Fields(i).Value().toString();
            rows.push_back(std::move(row));
        }
        return rows.size();
    }
};

Data& data() {
    static Data d;
    return d;
}

void BM_LlenarLista(benchmark::State& state) {
    Data& d = data();
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
    Data& d = data();
    if (!d.funciones->LlenarLista(d.viajes, d.list(), true))
        die(d.funciones->UltimoError());
    auto formato = com::Ptr<kt512::IFormatoLista>::adopt(com::make<suite::FormatoLista>());
    for (auto _ : state)
        formato->Aplicar(d.list());
}
BENCHMARK(BM_FormatoLista)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
