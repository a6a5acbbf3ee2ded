// Loading one trip into the rescheduling screen against the three queries it runs, on a demo
// database where one trip carries 500 delivery orders and 500 shipments: Cargar (header read,
// both lists filled and formatted by the host services) and the same three statements read
// through the database layer into strings. Both sides run in the same iterations; the ratio is
// reported as a counter, by wall clock and by this thread's CPU time.

#include "bench/support/BareRead.h"
#include "bench/support/BenchApplication.h"
#include "bench/support/DemoHost.h"
#include "bench/support/Die.h"
#include "bench/support/LazyData.h"
#include "bench/support/Timing.h"
#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/shell/Publico.h"
#include "kt512/trips/frmKT512.h"
#include "platform/ado/Connection.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/ListView.h"
#include "platform/forms/TimerSwitch.h"
#include "suite/db/HostData.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using suite::bench::Clock;
using suite::bench::cpuSeconds;
using suite::bench::die;
using suite::bench::since;

constexpr int kDocumentos = 500;

QString folioDePrueba(char prefijo, int i) {
    return QLatin1Char(prefijo) + QStringLiteral("%1").arg(i, 9, 10, QLatin1Char('0'));
}

// Gives the trip kDocumentos orders (copies of one order with all its lines) and kDocumentos
// shipments, all reprogrammable and linked to it.
void cargarDocumentos(ado::Connection& cn, const QString& viaje) {
    auto valor = [&cn](const QString& sql) {
        auto rs = cn.Execute(sql);
        return rs->Eof() ? QString() : rs->Fields(0).Value().toString();
    };
    const QString orden = valor(QStringLiteral("SELECT MIN(Oe_Folio) FROM Orden_Entrega"));
    const QString embarque = valor(QStringLiteral("SELECT MIN(Eb_Folio) FROM Embarque"));
    cn.BeginTrans();
    cn.Execute(QStringLiteral("CREATE TEMP TABLE o AS SELECT * FROM Orden_Entrega WHERE Oe_Folio "
                              "= '%1'")
                   .arg(orden));
    cn.Execute(QStringLiteral("CREATE TEMP TABLE e AS SELECT * FROM Embarque WHERE Eb_Folio = '%1'")
                   .arg(embarque));
    cn.Execute(QStringLiteral("UPDATE o SET Es_Cve_Estado = 'RM'"));
    cn.Execute(QStringLiteral("UPDATE e SET Es_Cve_Estado = 'RMT'"));
    for (int i = 1; i <= kDocumentos; ++i) {
        const QString oe = folioDePrueba('8', i);
        const QString eb = folioDePrueba('9', i);
        cn.Execute(QStringLiteral("UPDATE o SET Oe_Folio = '%1'").arg(oe));
        cn.Execute(QStringLiteral("INSERT INTO Orden_Entrega SELECT * FROM o"));
        cn.Execute(QStringLiteral("UPDATE e SET Eb_Folio = '%1'").arg(eb));
        cn.Execute(QStringLiteral("INSERT INTO Embarque SELECT * FROM e"));
        cn.Execute(QStringLiteral("INSERT INTO Viaje_Documento (Vj_Folio, Vd_Tabla, Vd_Documento) "
                                  "VALUES ('%1', 'ORDEN_ENTREGA', '%2'), ('%1', 'EMBARQUE', '%3')")
                       .arg(viaje, oe, eb));
    }
    cn.Execute(QStringLiteral("DROP TABLE o"));
    cn.Execute(QStringLiteral("DROP TABLE e"));
    cn.CommitTrans();
}

struct Datos {
    std::unique_ptr<suite::bench::DemoHost> host;
    std::unique_ptr<kt512::Publico> publico;
    QString viaje;
    QString sucursal;
    QStringList consultas;

    Datos() {
        forms::setTimersPaused(true);
        QDate dia;
        try {
            suite::bench::DemoHost::Options opciones;
            opciones.trips = 200;
            opciones.today = QDate(2024, 6, 15);
            opciones.prepare = [&](ado::Connection& cn) {
                auto rs = cn.Execute(QStringLiteral(
                    "SELECT Vj_Folio, Sc_Cve_Sucursal, date(Vj_Fecha) FROM Viaje WHERE "
                    "Es_Cve_Estado NOT IN ('CE', 'CA') ORDER BY Vj_Folio"));
                viaje = rs->Fields(0).Value().toString();
                sucursal = rs->Fields(1).Value().toString();
                dia = rs->Fields(2).Value().toDate();
                rs.reset();
                cargarDocumentos(cn, viaje);
            };
            host = std::make_unique<suite::bench::DemoHost>(opciones);
            host->startRuntime();
            publico = kt512::Publico::Iniciar();
            kt512::frmKT512& tablero = publico->board();
            tablero.control<kt512::IdpFecha>(QStringLiteral("dpFechaInicio"))
                ->setValue(QDateTime(dia, {}));
            tablero.control<kt512::IdpFecha>(QStringLiteral("dpFechaFin"))
                ->setValue(QDateTime(dia, {}));
        } catch (const com::RuntimeError& e) {
            die(e.description());
        }

        const QString condicion = QStringLiteral(" Viaje.Vj_Fecha BETWEEN '%1' AND '%1' AND  "
                                                 "Viaje.Vj_Folio = '%2'  AND %3.Es_Cve_Estado  "
                                                 "IN ('RM','RMT') ")
                                      .arg(dia.toString(Qt::ISODate), viaje);
        consultas << QStringLiteral(
                         "SELECT ISNULL(Vj_Fecha_Inicio_Viaje,  '') AS Fecha_Inicio ,   "
                         "CONVERT(VARCHAR, ISNULL(Vj_Fecha_Inicio_Viaje,  ''), 108) AS "
                         "Hora_Inicio, ISNULL(Vj_Fecha_Fin_Viaje,'') AS Fecha_Fin ,   "
                         "CONVERT(VARCHAR, ISNULL(Vj_Fecha_Fin_Viaje,  ''), 108) AS Hora_Fin, "
                         "ISNULL(Vj_Kilometro_Inicial,0) AS Km_Inicial ,"
                         "ISNULL(Vj_Kilometro_Final, 0) As Km_Final FROM    Viaje WHERE    "
                         "Vj_Folio = '%1' AND   Es_cve_estado NOT IN ( 'CE', 'CA' )")
                         .arg(viaje)
                  << suite::HostData::query(QStringLiteral("ORDENES_X_VIAJE"))
                         .replace(QStringLiteral("{PARAMETROS}"),
                                  condicion.arg(QStringLiteral("Orden_Entrega")))
                  << suite::HostData::query(QStringLiteral("EMBARQUES_X_VIAJE"))
                         .replace(QStringLiteral("{PARAMETROS}"),
                                  condicion.arg(QStringLiteral("Embarque")));
    }

    kt512::frmReprogramarViaje& pantalla() { return publico->reprogramarViaje(); }

    // The three statements of Cargar read into strings, and nothing else.
    size_t lecturaDirecta() {
        size_t filas = 0;
        for (const QString& sql : consultas)
            filas += suite::bench::bareRead(host->connection(), sql);
        return filas;
    }
};

suite::bench::LazyData<Datos> g_datos;

// Each iteration unloads the screen, as the board does after every trip, and times apart the
// form's load (its window and controls), the first Cargar on the fresh form, a second Cargar of
// the same trip, and the bare read of Cargar's three queries. The first fill of a fresh list
// also fits its new columns to the rows; the second one replaces rows under known columns.
void BM_Cargar(benchmark::State& state) {
    Datos& d = g_datos.get();
    struct Tramo {
        double wall = 0, cpu = 0;
    } carga, primera, segunda, directa;
    const auto medir = [](Tramo& tramo, auto&& paso) {
        const auto inicio = Clock::now();
        const double cpu = cpuSeconds();
        paso();
        QCoreApplication::processEvents();
        tramo.wall += since(inicio);
        tramo.cpu += cpuSeconds() - cpu;
    };
    for (auto _ : state) {
        d.pantalla().Unload();
        medir(carga, [&] { d.pantalla().Load(); });
        medir(primera, [&] { d.pantalla().Cargar(d.viaje, d.sucursal); });
        medir(segunda, [&] { d.pantalla().Cargar(d.viaje, d.sucursal); });
        medir(directa, [&] { benchmark::DoNotOptimize(d.lecturaDirecta()); });
    }
    const int ordenes = d.pantalla().listView(QStringLiteral("lvOrdenes")).Count();
    const int embarques = d.pantalla().listView(QStringLiteral("lvEmbarques")).Count();
    if (ordenes < kDocumentos || embarques < kDocumentos)
        die(QStringLiteral("the lists hold %1 orders and %2 shipments")
                .arg(ordenes)
                .arg(embarques));
    const auto promedio = [](const Tramo& t) {
        return benchmark::Counter(t.wall * 1000, benchmark::Counter::kAvgIterations);
    };
    state.counters["orders"] = ordenes;
    state.counters["shipments"] = embarques;
    state.counters["load_ms"] = promedio(carga);
    state.counters["cargar_ms"] = promedio(primera);
    state.counters["again_ms"] = promedio(segunda);
    state.counters["bare_ms"] = promedio(directa);
    state.counters["ratio"] = primera.wall / directa.wall;
    state.counters["cpu_ratio"] = primera.cpu / directa.cpu;
    state.counters["again_ratio"] = segunda.wall / directa.wall;
    state.counters["again_cpu_ratio"] = segunda.cpu / directa.cpu;
}
BENCHMARK(BM_Cargar)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    suite::bench::BenchApplication app(argc, argv);
    app.run();
    g_datos.reset();
    return 0;
}
