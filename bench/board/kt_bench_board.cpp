// The trip board over 100,000 trips of a demo database (KESTROVA_BENCH_TRIPS to change it), with
// the real host services and control kit, as the user meets it:
// - BM_Memoria: what the full list costs over the empty board (resident memory, MB);
// - BM_CargarViajes: a reload through F5 (query, list fill, formatting, first paint) against a
//   bare read of the same statement into strings, in the same iterations; the ratio is a counter;
// - BM_BuscarSinResultado: a search that finds nothing, the longest search there is;
// - BM_Ordenar: a click on a column header, the rows then read in their new order.

#include "bench/support/BareRead.h"
#include "bench/support/BenchApplication.h"
#include "bench/support/DemoHost.h"
#include "bench/support/Die.h"
#include "bench/support/LazyData.h"
#include "bench/support/Timing.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/shell/Publico.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/ListView.h"
#include "platform/forms/TimerSwitch.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <unistd.h>

namespace {

using suite::bench::Clock;
using suite::bench::die;
using suite::bench::since;

double residentMegabytes() {
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

const QDate kHoy(2024, 6, 15);

struct Data {
    std::unique_ptr<suite::bench::DemoHost> host;
    std::unique_ptr<kt512::Publico> publico;

    Data() {
        try {
            suite::bench::DemoHost::Options options;
            options.trips = suite::bench::DemoHost::tripsFromEnvironment();
            options.today = kHoy;
            host = std::make_unique<suite::bench::DemoHost>(options);
            host->startRuntime();
            publico = kt512::Publico::Iniciar();
        } catch (const com::RuntimeError& e) {
            die(e.description());
        }
        forms::setTimersPaused(true);
        board().Show();
        QCoreApplication::processEvents();
    }

    kt512::frmKT512& board() { return publico->board(); }
    forms::ListView& list() { return board().listView(QStringLiteral("lvViajes")); }
    QTreeView* view() { return qobject_cast<QTreeView*>(list().widget()); }

    // The range of the date pickers. Each change reloads the list: the end moves first, to a
    // day before the current start, so that only the second change loads the range's trips.
    void range(const QDate& from, const QDate& to) {
        const auto picker = [this](const char* name) {
            return board().control<kt512::IdpFecha>(QString::fromLatin1(name));
        };
        picker("dpFechaFin")->setValue(QDateTime(from.addDays(-1), QTime(0, 0)));
        picker("dpFechaInicio")->setValue(QDateTime(from, QTime(0, 0)));
        picker("dpFechaFin")->setValue(QDateTime(to, QTime(0, 0)));
        QCoreApplication::processEvents();
    }
    void allTrips() { range(kHoy.addDays(-40), kHoy.addDays(40)); }

    void pressF5() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_F5, Qt::NoModifier);
        QCoreApplication::sendEvent(board().window(), &press);
        QCoreApplication::sendEvent(board().window(), &release);
        QCoreApplication::processEvents();
    }

    void clickHeader(int column) {
        QHeaderView* header = view()->header();
        const QPointF at(header->sectionViewportPosition(column - 1) + 5, header->height() / 2.0);
        const QPointF global = header->viewport()->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(header->viewport(), &press);
        QCoreApplication::sendEvent(header->viewport(), &release);
    }

    // The board's last statement read through the database layer into strings, and no more.
    size_t bareRead() { return suite::bench::bareRead(host->connection(), kt512::sSQL()); }
};

suite::bench::LazyData<Data> g_data;

void BM_Memoria(benchmark::State& state) {
    Data& d = g_data.get();
    double over = 0;
    for (auto _ : state) {
        d.range(kHoy.addDays(100), kHoy.addDays(101));
        if (d.list().Count() != 0)
            die(QStringLiteral("the empty range lists trips"));
        const double empty = residentMegabytes();
        d.allTrips();
        over = residentMegabytes() - empty;
    }
    state.counters["rows"] = d.list().Count();
    state.counters["MB_over_empty"] = over;
}
BENCHMARK(BM_Memoria)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_CargarViajes(benchmark::State& state) {
    Data& d = g_data.get();
    d.allTrips();
    double load = 0, bare = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        d.pressF5();
        load += since(start);
        start = Clock::now();
        benchmark::DoNotOptimize(d.bareRead());
        bare += since(start);
    }
    state.counters["rows"] = d.list().Count();
    state.counters["load_ms"] = benchmark::Counter(load * 1000, benchmark::Counter::kAvgIterations);
    state.counters["bare_ms"] = benchmark::Counter(bare * 1000, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = load / bare;
}
BENCHMARK(BM_CargarViajes)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_BuscarSinResultado(benchmark::State& state) {
    Data& d = g_data.get();
    const QString text = QStringLiteral("no está en ningún viaje");
    for (auto _ : state)
        if (d.board().Buscar(d.list(), text) != 0)
            die(QStringLiteral("the search found a trip"));
    state.counters["rows"] = d.list().Count();
}
BENCHMARK(BM_BuscarSinResultado)->Unit(benchmark::kMillisecond);

void BM_Ordenar(benchmark::State& state) {
    Data& d = g_data.get();
    // The driver's name: many rows share one, the sort has to compare them all.
    const int column = 5;
    for (auto _ : state) {
        d.clickHeader(column);
        benchmark::DoNotOptimize(d.list().itemText(1));
    }
    state.counters["rows"] = d.list().Count();
}
BENCHMARK(BM_Ordenar)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    suite::bench::BenchApplication app(argc, argv);
    g_data.get();
    app.run();
    g_data.reset();
    return 0;
}
