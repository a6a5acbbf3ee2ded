// Reprogramming an order of 1,000 lines with 50 document links on a server database
// (KESTROVA_BENCH_CONNECT, an ODBC connection string) through the rescheduling screen's
// ReprogramarDocumento, against the very statements it sends, as the server received them, sent
// bare through Qt SQL on a second connection, those of its transaction in one transaction, the
// rows of each SELECT read into values. The statements are taken from the SQL trace of one untimed
// run; the timed runs are not traced. The order is set back between iterations, untimed, so each
// starts alike; the ratio is a counter, by wall clock.

#include "bench/support/BenchApplication.h"
#include "bench/support/DemoHost.h"
#include "bench/support/Die.h"
#include "bench/support/LazyData.h"
#include "bench/support/Timing.h"
#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/shell/Publico.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/com/Runtime.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/TimerSwitch.h"
#include "suite/business/BusinessServices.h"
#include "suite/db/Schema.h"
#include "suite/host/HostSession.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

using suite::bench::Clock;
using suite::bench::die;
using suite::bench::since;

constexpr int kLineas = 1000;
constexpr int kVinculos = 50;
const QString kOrden = QStringLiteral("0001OB0001");

void run(ado::Connection& cn, const QString& sql) {
    cn.Execute(sql);
}

// The order, made by doubling one line, and its links.
void crearOrden(ado::Connection& cn) {
    run(cn, QStringLiteral("INSERT INTO Orden_Entrega (Oe_Folio, Oe_ID, Oe_Fecha_Entrega, "
                           "Sc_Cve_Sucursal, Cl_Cve_Cliente, Oe_Comentario, Oe_Cantidad, "
                           "Oe_Precio_Neto_Importe, Oe_Contacto, Oper_Alta, Fecha_Alta, "
                           "Oper_Ult_Modif, Fecha_Ult_Modif) VALUES ('%1', 1, '2024-06-15', "
                           "'0001', '0000000001', 'Entrega de O''Brien', 2.5, 1234.5678, "
                           "'BENCH', 'ALTA', '2024-06-01 10:00:00', 'ALTA', "
                           "'2024-06-01 10:00:00')")
                .arg(kOrden));
    const QStringList columnas = suite::Schema::table("Orden_Entrega").columnNames();
    for (int hechas = 1; hechas < kLineas; hechas = std::min(kLineas, 2 * hechas)) {
        QStringList valores = columnas;
        valores[1] = QStringLiteral("Oe_ID + %1").arg(hechas);
        run(cn, QStringLiteral("INSERT INTO Orden_Entrega (%1) SELECT %2 FROM Orden_Entrega "
                               "WHERE Oe_Folio = '%3' AND Oe_ID <= %4")
                    .arg(columnas.join(", "), valores.join(", "), kOrden)
                    .arg(kLineas - hechas));
    }
    for (int i = 1; i <= kVinculos; ++i)
        run(cn, QStringLiteral("INSERT INTO Entrega_Documento (Ed_Tabla, Ed_Documento, De_ID, "
                               "De_Tabla, De_Documento) VALUES ('ORDEN_ENTREGA', '%1', %2, "
                               "'PEDIDO', 'PB%2')")
                    .arg(kOrden)
                    .arg(i));
}

struct Datos {
    std::unique_ptr<suite::bench::DemoHost> host;
    std::unique_ptr<kt512::Publico> publico;
    QString cadena = qEnvironmentVariable("KESTROVA_BENCH_CONNECT");
    QString nombreDirecto = QStringLiteral("kt-bench-bare-server");
    QSqlDatabase directo;
    // What the screen sent, in order: an empty text stands for the transaction's start, "COMMIT"
    // for its end.
    QStringList sentencias;

    Datos() {
        if (cadena.isEmpty())
            die(QStringLiteral("KESTROVA_BENCH_CONNECT names no server database"));
        forms::setTimersPaused(true);
        try {
            suite::bench::DemoHost::Options opciones;
            opciones.trips = 50;
            opciones.today = QDate(2024, 6, 15);
            opciones.prepare = crearOrden;
            host = std::make_unique<suite::bench::DemoHost>(opciones);
            host->startRuntime();
            suite::registerBusinessServices(com::Runtime::current(), host->session());
            publico = kt512::Publico::Iniciar();
            publico->reprogramarViaje().Load();
        } catch (const com::RuntimeError& e) {
            die(e.description());
        }
        directo = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nombreDirecto);
        directo.setDatabaseName(cadena);
        if (!directo.open())
            die(directo.lastError().text());
        grabar();
    }

    ~Datos() {
        directo.close();
        directo = QSqlDatabase();
        QSqlDatabase::removeDatabase(nombreDirecto);
    }

    // One traced run, whose statements the bare side sends.
    void grabar() {
        QTemporaryDir dir;
        const QString traza = dir.filePath(QStringLiteral("trace.jsonl"));
        qputenv("KESTROVA_SQL_TRACE", QFile::encodeName(traza));
        reprogramar();
        qunsetenv("KESTROVA_SQL_TRACE");
        QFile archivo(traza);
        if (!archivo.open(QIODevice::ReadOnly))
            die(QStringLiteral("no SQL trace"));
        for (const QByteArray& linea : archivo.readAll().split('\n')) {
            if (linea.isEmpty())
                continue;
            const QString sql = QJsonDocument::fromJson(linea)
                                    .object()
                                    .value(QStringLiteral("executed"))
                                    .toString();
            if (sql == QLatin1String("BEGIN TRANSACTION"))
                sentencias << QString();
            else if (sql == QLatin1String("COMMIT TRANSACTION"))
                sentencias << QStringLiteral("COMMIT");
            else
                sentencias << sql;
        }
        if (sentencias.size() < kLineas)
            die(QStringLiteral("the traced run sent %1 statements").arg(sentencias.size()));
        restaurar();
    }

    void reprogramar() {
        kt512::frmReprogramarViaje& pantalla = publico->reprogramarViaje();
        if (!pantalla.ReprogramarDocumento(kOrden, QStringLiteral("Ordenes"),
                                           QDateTime(QDate(2024, 7, 15), QTime(0, 0))))
            die(QStringLiteral("ReprogramarDocumento: ") + pantalla.mensajeError());
    }

    void ejecutar(const QString& sql) {
        QSqlQuery q(directo);
        q.setForwardOnly(true);
        q.setNumericalPrecisionPolicy(QSql::HighPrecision);
        if (!q.exec(sql))
            die(sql.left(200) + QStringLiteral(": ") + q.lastError().text());
        if (q.isSelect()) {
            const int n = q.record().count();
            std::vector<QVariant> valores;
            while (q.next())
                for (int i = 0; i < n; ++i)
                    valores.push_back(q.value(i));
            benchmark::DoNotOptimize(valores.data());
        }
    }

    void directa() {
        for (const QString& sql : sentencias) {
            if (sql.isEmpty()) {
                if (!directo.transaction())
                    die(directo.lastError().text());
            } else if (sql == QLatin1String("COMMIT")) {
                if (!directo.commit())
                    die(directo.lastError().text());
            } else {
                ejecutar(sql);
            }
        }
    }

    // The copies and their links gone, the order reprogrammable again.
    void restaurar() {
        ejecutar(QStringLiteral("DELETE FROM Entrega_Documento WHERE Ed_Tabla = 'ORDEN_ENTREGA' "
                                "AND Ed_Documento <> '%1' AND De_Documento LIKE 'PB%'")
                     .arg(kOrden));
        ejecutar(QStringLiteral("DELETE FROM Orden_Entrega WHERE Oe_Contacto = 'BENCH' AND "
                                "Oe_Folio <> '%1'")
                     .arg(kOrden));
        ejecutar(QStringLiteral("UPDATE Orden_Entrega SET Es_Cve_Estado = 'RM' WHERE Oe_Folio = "
                                "'%1'")
                     .arg(kOrden));
    }

    int copias() {
        QSqlQuery q(directo);
        if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM Orden_Entrega WHERE Oe_Contacto = "
                                   "'BENCH' AND Oe_Folio <> '%1'")
                        .arg(kOrden)) ||
            !q.next())
            die(q.lastError().text());
        return q.value(0).toInt();
    }
};

suite::bench::LazyData<Datos> g_datos;

void BM_ReprogramarOrdenEnServidor(benchmark::State& state) {
    Datos& d = g_datos.get();
    double pantalla = 0, directa = 0;
    for (auto _ : state) {
        state.PauseTiming();
        d.restaurar();
        state.ResumeTiming();
        auto inicio = Clock::now();
        d.reprogramar();
        pantalla += since(inicio);
        state.PauseTiming();
        if (d.copias() != kLineas)
            die(QStringLiteral("the screen copied %1 lines").arg(d.copias()));
        d.restaurar();
        state.ResumeTiming();
        inicio = Clock::now();
        d.directa();
        directa += since(inicio);
        state.PauseTiming();
        if (d.copias() != kLineas)
            die(QStringLiteral("the bare statements copied %1 lines").arg(d.copias()));
        state.ResumeTiming();
    }
    const auto promedio = [](double segundos) {
        return benchmark::Counter(segundos * 1000, benchmark::Counter::kAvgIterations);
    };
    state.counters["screen_ms"] = promedio(pantalla);
    state.counters["bare_ms"] = promedio(directa);
    state.counters["statements"] = double(d.sentencias.size());
    state.counters["ratio"] = pantalla / directa;
}
BENCHMARK(BM_ReprogramarOrdenEnServidor)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    suite::bench::BenchApplication app(argc, argv);
    app.run();
    g_datos.reset();
    return 0;
}
