// Reprogramming through the rescheduling screen's ReprogramarDocumento, with the suite's own host
// and business services, against the same work written by hand with Qt SQL's prepared statements.
// On a demo database, an order of 1,000 lines with 50 document links, a remission and a sale
// moves to a new date; then one shipment does. The yardstick runs on a second connection to the
// same file, in one transaction: it reads the rows once, steps the folio counter, cancels the sale
// and the remission, inserts the copy, copies the links and marks the old record "RP".
// layer_read_ms times one read of the order's lines through the database layer, as the copy reads
// them, to tell the screen's reading apart from its writing.
//
// Each side works on a record of its own that is set back between iterations (the copy deleted,
// the states restored), untimed, so every iteration starts alike. Each side also starts on an
// emptied write-ahead log: the first commit into a restarted log syncs once more, and only the
// side that came first would pay for it. Both sides run in the same iterations; the ratios are
// reported as counters, by wall clock and by this thread's CPU time.

#include "bench/support/BenchApplication.h"
#include "bench/support/DemoHost.h"
#include "bench/support/Die.h"
#include "bench/support/LazyData.h"
#include "bench/support/Timing.h"
#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/shell/Publico.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/SqliteConnection.h"
#include "platform/com/Runtime.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/RecordingPresenter.h"
#include "platform/forms/TimerSwitch.h"
#include "suite/business/BusinessServices.h"
#include "suite/host/HostSession.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <QVector>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

using suite::bench::Clock;
using suite::bench::cpuSeconds;
using suite::bench::die;
using suite::bench::since;

constexpr int kLineas = 1000;
constexpr int kVinculos = 50;
const QString kUsuario = QStringLiteral("BENCH");
const QString kNuevaFecha = QStringLiteral("2024-07-15");

// The records of one side: the order with its remission and sale, and the shipment. A copy is
// found by what it shares with its original: the remission of its lines, the document of the
// shipment.
struct Lado {
    QString orden, remision, venta, embarque, documento;
};
const Lado kPantalla{QStringLiteral("OBENCH0001"), QStringLiteral("RBENCH0001"),
                     QStringLiteral("VBENCH0001"), QStringLiteral("EBENCH0001"),
                     QStringLiteral("TBENCH0001")};
const Lado kDirecto{QStringLiteral("OBENCH0002"), QStringLiteral("RBENCH0002"),
                    QStringLiteral("VBENCH0002"), QStringLiteral("EBENCH0002"),
                    QStringLiteral("TBENCH0002")};

QSqlQuery ejecutar(QSqlDatabase db, const QString& sql, const QVariantList& valores = {}) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        die(sql + QStringLiteral(": ") + q.lastError().text());
    for (int i = 0; i < valores.size(); ++i)
        q.bindValue(i, valores.at(i));
    if (!q.exec())
        die(sql + QStringLiteral(": ") + q.lastError().text());
    return q;
}

QVariant valor(QSqlDatabase db, const QString& sql, const QVariantList& valores = {}) {
    QSqlQuery q = ejecutar(db, sql, valores);
    return q.next() ? q.value(0) : QVariant();
}

// The records of both sides, made from demo rows: 1,000 lines of several orders renumbered as one
// order, links to 50 documents, a remission, a sale made from it, and a shipment.
void crearRegistros(QSqlDatabase db, const QString& sucursal) {
    ejecutar(db, QStringLiteral("CREATE TEMP TABLE l AS SELECT * FROM Orden_Entrega ORDER BY "
                                "Oe_Folio, Oe_ID LIMIT %1")
                     .arg(kLineas));
    if (valor(db, QStringLiteral("SELECT COUNT(*) FROM l")).toInt() != kLineas)
        die(QStringLiteral("the demo database holds fewer than %1 order lines").arg(kLineas));
    ejecutar(db,
             QStringLiteral("UPDATE l SET Oe_ID = rowid, Sc_Cve_Sucursal = ?, "
                            "Es_Cve_Estado = 'RM'"),
             {sucursal});
    ejecutar(db, QStringLiteral("CREATE TEMP TABLE r AS SELECT * FROM Remision LIMIT 1"));
    ejecutar(db, QStringLiteral("CREATE TEMP TABLE v AS SELECT * FROM Venta LIMIT 1"));
    ejecutar(db, QStringLiteral("CREATE TEMP TABLE e AS SELECT * FROM Embarque WHERE Eb_Fecha IS "
                                "NOT NULL LIMIT 1"));
    ejecutar(db, QStringLiteral("CREATE TEMP TABLE d AS SELECT * FROM Entrega_Documento LIMIT 1"));
    ejecutar(db, QStringLiteral("CREATE TEMP TABLE n AS WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL "
                                "SELECT i + 1 FROM k WHERE i < %1) SELECT i FROM k")
                     .arg(kVinculos));
    for (const Lado& lado : {kPantalla, kDirecto}) {
        ejecutar(db, QStringLiteral("UPDATE l SET Oe_Folio = ?, Rm_Folio = ?"),
                 {lado.orden, lado.remision});
        ejecutar(db, QStringLiteral("INSERT INTO Orden_Entrega SELECT * FROM l"));
        ejecutar(db, QStringLiteral("UPDATE r SET Rm_Folio = ?, Es_Cve_Estado = 'AC'"),
                 {lado.remision});
        ejecutar(db, QStringLiteral("INSERT INTO Remision SELECT * FROM r"));
        ejecutar(db,
                 QStringLiteral("UPDATE v SET Vn_Folio = ?, Vn_Tabla = 'REMISION', "
                                "Vn_Documento = ?, Es_Cve_Estado = 'FA'"),
                 {lado.venta, lado.remision});
        ejecutar(db, QStringLiteral("INSERT INTO Venta SELECT * FROM v"));
        ejecutar(db, QStringLiteral("UPDATE d SET Ed_Tabla = 'ORDEN_ENTREGA', Ed_Documento = ?"),
                 {lado.orden});
        ejecutar(db, QStringLiteral("INSERT INTO Entrega_Documento SELECT d.Ed_Tabla, "
                                    "d.Ed_Documento, n.i, d.De_Tabla, 'P' || substr('00000000' || "
                                    "n.i, -9), d.Oper_Alta, d.Fecha_Alta, d.Oper_Ult_Modif, "
                                    "d.Fecha_Ult_Modif FROM d, n"));
        ejecutar(db,
                 QStringLiteral("UPDATE e SET Eb_Folio = ?, Eb_Documento = ?, Sc_Cve_Sucursal "
                                "= ?, Es_Cve_Estado = 'RM'"),
                 {lado.embarque, lado.documento, sucursal});
        ejecutar(db, QStringLiteral("INSERT INTO Embarque SELECT * FROM e"));
    }
    for (const char* tabla : {"l", "r", "v", "e", "d", "n"})
        ejecutar(db, QStringLiteral("DROP TABLE ") + QLatin1String(tabla));
    // The yardstick's own counter, stepped as the screen steps the branch's.
    ejecutar(db,
             QStringLiteral("INSERT INTO Folio (Sc_Cve_Sucursal, Fo_Tabla, Fo_Ultimo, "
                            "Oper_Alta, Oper_Ult_Modif) VALUES (?, 'BENCH', 0, ?, ?)"),
             {sucursal, kUsuario, kUsuario});
}

struct Tramo {
    double wall = 0, cpu = 0;
};

template <class Paso> void medir(Tramo& tramo, Paso&& paso) {
    const auto inicio = Clock::now();
    const double cpu = cpuSeconds();
    paso();
    tramo.wall += since(inicio);
    tramo.cpu += cpuSeconds() - cpu;
}

struct Datos {
    std::unique_ptr<suite::bench::DemoHost> host;
    std::unique_ptr<kt512::Publico> publico;
    QString sucursal;
    QString nombreDirecto = QStringLiteral("kt-bench-bare");
    QSqlDatabase directo;
    // The copy's statement: the 49 columns it writes are the table's first 49, in its order.
    static constexpr int kColumnas = 49;
    QString insercionOrden;

    Datos() {
        forms::setTimersPaused(true);
        try {
            suite::bench::DemoHost::Options opciones;
            opciones.trips = 300;
            opciones.today = QDate(2024, 6, 15);
            opciones.prepare = [&](ado::Connection& cn) {
                QSqlDatabase db = dynamic_cast<ado::SqliteConnection&>(cn).database();
                sucursal = valor(db, QStringLiteral("SELECT MIN(Sc_Cve_Sucursal) FROM Folio WHERE "
                                                    "Fo_Tabla = 'ORDEN_ENTREGA'"))
                               .toString();
                if (!db.transaction())
                    die(db.lastError().text());
                crearRegistros(db, sucursal);
                if (!db.commit())
                    die(db.lastError().text());
            };
            host = std::make_unique<suite::bench::DemoHost>(opciones);
            host->startRuntime();
            suite::registerBusinessServices(com::Runtime::current(), host->session());
            publico = kt512::Publico::Iniciar();
            pantalla().Load();
        } catch (const com::RuntimeError& e) {
            die(e.description());
        }
        // The yardstick's connection: the same file, as plainly as Qt SQL opens it.
        const QString archivo = [this] {
            auto rs = host->connection().Execute(QStringLiteral("PRAGMA database_list"));
            return rs->Fields(2).Value().toString();
        }();
        directo = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombreDirecto);
        directo.setDatabaseName(archivo);
        if (!directo.open())
            die(directo.lastError().text());
        const QSqlRecord tabla = directo.record(QStringLiteral("Orden_Entrega"));
        QStringList nombres, marcas;
        for (int i = 0; i < kColumnas; ++i) {
            nombres << tabla.fieldName(i);
            marcas << QStringLiteral("?");
        }
        insercionOrden =
            QStringLiteral("INSERT INTO Orden_Entrega (%1) VALUES (%2)")
                .arg(nombres.join(QStringLiteral(", ")), marcas.join(QStringLiteral(", ")));
    }

    ~Datos() {
        directo.close();
        directo = QSqlDatabase();
        QSqlDatabase::removeDatabase(nombreDirecto);
    }

    kt512::frmReprogramarViaje& pantalla() { return publico->reprogramarViaje(); }

    // Back to where the first iteration started: no copies, the originals reprogrammable, their
    // remissions and sales active, the write-ahead log emptied into the file.
    void restaurar() {
        for (const Lado& lado : {kPantalla, kDirecto}) {
            ejecutar(directo,
                     QStringLiteral("DELETE FROM Entrega_Documento WHERE Ed_Tabla = "
                                    "'ORDEN_ENTREGA' AND Ed_Documento IN (SELECT Oe_Folio FROM "
                                    "Orden_Entrega WHERE Rm_Folio = ? AND Oe_Folio <> ?)"),
                     {lado.remision, lado.orden});
            ejecutar(
                directo,
                QStringLiteral("DELETE FROM Orden_Entrega WHERE Rm_Folio = ? AND Oe_Folio <> ?"),
                {lado.remision, lado.orden});
            ejecutar(
                directo,
                QStringLiteral("DELETE FROM Embarque WHERE Eb_Documento = ? AND Eb_Folio <> ?"),
                {lado.documento, lado.embarque});
            ejecutar(directo,
                     QStringLiteral("UPDATE Orden_Entrega SET Es_Cve_Estado = 'RM' WHERE Oe_Folio "
                                    "= ?"),
                     {lado.orden});
            ejecutar(directo,
                     QStringLiteral("UPDATE Embarque SET Es_Cve_Estado = 'RM' WHERE Eb_Folio = ?"),
                     {lado.embarque});
            ejecutar(directo,
                     QStringLiteral("UPDATE Remision SET Es_Cve_Estado = 'AC' WHERE Rm_Folio = ?"),
                     {lado.remision});
            ejecutar(directo,
                     QStringLiteral("UPDATE Venta SET Es_Cve_Estado = 'FA' WHERE Vn_Folio = ?"),
                     {lado.venta});
        }
        checkpoint();
    }

    void checkpoint() { ejecutar(directo, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")); }

    void reprogramar(const QString& folio, const QString& lista) {
        if (!pantalla().ReprogramarDocumento(
                folio, lista, QDateTime(QDate::fromString(kNuevaFecha, Qt::ISODate), QTime(0, 0))))
            die(QStringLiteral("ReprogramarDocumento(%1): %2")
                    .arg(folio, pantalla().mensajeError()));
        auto& mensajes =
            dynamic_cast<forms::RecordingPresenter&>(*host->session()->presenter()).messages();
        if (!mensajes.empty())
            die(QStringLiteral("a message was shown: ") + mensajes.front().text);
    }

    // Fails the run unless the side's order was copied whole with the new date, its links with
    // it, and the original, its remission and its sale are done with.
    void comprobarOrden(const Lado& lado) {
        const QVariantList clave{lado.remision, lado.orden};
        const int copiadas =
            valor(directo,
                  QStringLiteral("SELECT COUNT(*) FROM Orden_Entrega WHERE Rm_Folio = ? AND "
                                 "Oe_Folio <> ? AND date(Oe_Fecha_Entrega) = '%1'")
                      .arg(kNuevaFecha),
                  clave)
                .toInt();
        const int vinculos =
            valor(directo,
                  QStringLiteral("SELECT COUNT(*) FROM Entrega_Documento WHERE Ed_Tabla = "
                                 "'ORDEN_ENTREGA' AND Ed_Documento IN (SELECT Oe_Folio FROM "
                                 "Orden_Entrega WHERE Rm_Folio = ? AND Oe_Folio <> ?)"),
                  clave)
                .toInt();
        const int reprogramadas =
            valor(directo,
                  QStringLiteral("SELECT COUNT(*) FROM Orden_Entrega WHERE Oe_Folio = ? AND "
                                 "Es_Cve_Estado = 'RP'"),
                  {lado.orden})
                .toInt();
        const QString cancelados =
            valor(directo,
                  QStringLiteral("SELECT (SELECT Es_Cve_Estado FROM Remision WHERE Rm_Folio = ?) "
                                 "|| (SELECT Es_Cve_Estado FROM Venta WHERE Vn_Folio = ?)"),
                  {lado.remision, lado.venta})
                .toString();
        if (copiadas != kLineas || vinculos != kVinculos || reprogramadas != kLineas ||
            cancelados != QLatin1String("CACA"))
            die(QStringLiteral("order %1: %2 lines copied, %3 links, %4 lines RP, states %5")
                    .arg(lado.orden)
                    .arg(copiadas)
                    .arg(vinculos)
                    .arg(reprogramadas)
                    .arg(cancelados));
    }

    // One read of an order's lines through the database layer into values, as the copy reads
    // them: the screen's share of reading, told apart from its writing.
    size_t lecturaPorCapa(const QString& orden) {
        std::unique_ptr<ado::Recordset> rs = host->connection().Execute(
            QStringLiteral("SELECT * FROM Orden_Entrega WHERE Oe_Folio = '%1'").arg(orden));
        const int n = rs->FieldCount();
        std::vector<QVector<QVariant>> filas;
        for (; !rs->Eof(); rs->MoveNext()) {
            QVector<QVariant> fila(n);
            for (int i = 0; i < n; ++i)
                fila[i] = rs->Fields(i).Value();
            filas.push_back(std::move(fila));
        }
        return filas.size();
    }

    void comprobarEmbarque(const Lado& lado) {
        const QString estados =
            valor(directo,
                  QStringLiteral("SELECT group_concat(Es_Cve_Estado || date(Eb_Fecha_Salida), ' ') "
                                 "FROM (SELECT * FROM Embarque WHERE Eb_Documento = ? ORDER BY "
                                 "Eb_Folio <> ?)"),
                  {lado.documento, lado.embarque})
                .toString();
        const QString esperados =
            QStringLiteral("RP%1 RM%2")
                .arg(valor(directo,
                           QStringLiteral("SELECT date(Eb_Fecha_Salida) FROM Embarque WHERE "
                                          "Eb_Folio = ?"),
                           {lado.embarque})
                         .toString(),
                     kNuevaFecha);
        if (estados != esperados)
            die(QStringLiteral("shipment %1: %2, expected %3")
                    .arg(lado.embarque, estados, esperados));
    }

    // The new folio from the yardstick's own counter, stepped under the write lock.
    QString siguienteFolio(const QString& ahora) {
        ejecutar(directo,
                 QStringLiteral("UPDATE Folio SET Fo_Ultimo = Fo_Ultimo + 1, Oper_Ult_Modif = ?, "
                                "Fecha_Ult_Modif = ? WHERE Sc_Cve_Sucursal = ? AND Fo_Tabla = "
                                "'BENCH'"),
                 {kUsuario, ahora, sucursal});
        const qint64 n = valor(directo,
                               QStringLiteral("SELECT Fo_Ultimo FROM Folio WHERE Sc_Cve_Sucursal "
                                              "= ? AND Fo_Tabla = 'BENCH'"),
                               {sucursal})
                             .toLongLong();
        return QStringLiteral("N%1").arg(n, 9, 10, QLatin1Char('0'));
    }

    void comenzar() { ejecutar(directo, QStringLiteral("BEGIN IMMEDIATE")); }
    void terminar() { ejecutar(directo, QStringLiteral("COMMIT")); }

    static QString ahora() {
        return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }

    // The order's reprogramming written plainly; 'lectura' and 'escritura' take its two halves.
    void ordenDirecta(Tramo& lectura, Tramo& escritura) {
        const Lado& lado = kDirecto;
        std::vector<QVector<QVariant>> filas;
        filas.reserve(kLineas);
        QString folio;
        const QString momento = ahora();
        medir(lectura, [&] {
            comenzar();
            QSqlQuery q = ejecutar(directo,
                                   QStringLiteral("SELECT * FROM Orden_Entrega WHERE Oe_Folio = ? "
                                                  "AND Es_Cve_Estado IN ('RM','RMT')"),
                                   {lado.orden});
            const int n = q.record().count();
            while (q.next()) {
                QVector<QVariant> fila(n);
                for (int i = 0; i < n; ++i)
                    fila[i] = q.value(i);
                filas.push_back(std::move(fila));
            }
        });
        medir(escritura, [&] {
            folio = siguienteFolio(momento);
            ejecutar(directo,
                     QStringLiteral("UPDATE Venta SET Es_Cve_Estado = 'CA', Oper_Ult_Modif = ?, "
                                    "Fecha_Ult_Modif = ? WHERE Vn_Tabla = 'REMISION' AND "
                                    "Vn_Documento = ? AND Es_Cve_Estado <> 'CA'"),
                     {kUsuario, momento, lado.remision});
            ejecutar(directo,
                     QStringLiteral("UPDATE Remision SET Es_Cve_Estado = 'CA', Oper_Ult_Modif = "
                                    "?, Fecha_Ult_Modif = ? WHERE Rm_Folio = ?"),
                     {kUsuario, momento, lado.remision});
            QSqlQuery insercion(directo);
            if (!insercion.prepare(insercionOrden))
                die(insercion.lastError().text());
            const QVariant fecha(kNuevaFecha);
            for (const QVector<QVariant>& fila : filas) {
                for (int i = 0; i < kColumnas; ++i) {
                    switch (i) {
                    case 0:
                        insercion.bindValue(i, folio);
                        break;
                    case 2:
                        insercion.bindValue(i, fecha);
                        break;
                    case 42:
                    case 44:
                        insercion.bindValue(i, kUsuario);
                        break;
                    case 43:
                    case 45:
                        insercion.bindValue(i, momento);
                        break;
                    default:
                        insercion.bindValue(i, fila.at(i));
                    }
                }
                if (!insercion.exec())
                    die(insercion.lastError().text());
            }
            ejecutar(directo,
                     QStringLiteral("INSERT INTO Entrega_Documento (Ed_Tabla, Ed_Documento, De_ID, "
                                    "De_Tabla, De_Documento) SELECT 'ORDEN_ENTREGA', ?, De_ID, "
                                    "De_Tabla, De_Documento FROM Entrega_Documento WHERE Ed_Tabla "
                                    "= 'ORDEN_ENTREGA' AND Ed_Documento = ?"),
                     {folio, lado.orden});
            ejecutar(directo,
                     QStringLiteral("UPDATE Orden_Entrega SET Oper_Ult_Modif = ?, Fecha_Ult_Modif "
                                    "= ?, Es_Cve_Estado = 'RP' WHERE Oe_Folio = ?"),
                     {kUsuario, momento, lado.orden});
            terminar();
        });
    }

    // The shipment's reprogramming written plainly: the row read, the counter stepped, the copy
    // inserted and the original marked.
    void embarqueDirecto() {
        const Lado& lado = kDirecto;
        const QString momento = ahora();
        comenzar();
        QVector<QVariant> fila;
        {
            QSqlQuery q = ejecutar(directo,
                                   QStringLiteral("SELECT * FROM Embarque WHERE Eb_Folio = ? AND "
                                                  "Es_Cve_Estado IN ('RM','RMT')"),
                                   {lado.embarque});
            if (!q.next())
                die(QStringLiteral("shipment %1 is not reprogrammable").arg(lado.embarque));
            const int n = q.record().count();
            fila.resize(n);
            for (int i = 0; i < n; ++i)
                fila[i] = q.value(i);
        }
        const QString folio = siguienteFolio(momento);
        // Every column but the state, which the copy leaves to the table.
        QVariantList valores;
        for (int i = 0; i < fila.size() - 1; ++i)
            valores << fila.at(i);
        valores[0] = folio;
        valores[2] = kNuevaFecha;
        valores[12] = valores[14] = kUsuario;
        valores[13] = valores[15] = momento;
        QString marcas = QStringLiteral("?");
        for (int i = 1; i < valores.size(); ++i)
            marcas += QStringLiteral(", ?");
        ejecutar(directo,
                 QStringLiteral("INSERT INTO Embarque (Eb_Folio, Eb_Fecha, Eb_Fecha_Salida, "
                                "Sc_Cve_Sucursal, Eb_Tipo_Embarque, Eb_Tipo_Vehiculo, Eb_Peso, "
                                "Eb_Volumen, Eb_Comentario, Eb_Direccion_Entrega_Tabla, "
                                "Eb_Direccion_Entrega_Documento, Eb_Direccion_Entrega_ID, "
                                "Oper_Alta, Fecha_Alta, Oper_Ult_Modif, Fecha_Ult_Modif, "
                                "Eb_Tabla, Eb_Documento) VALUES (") +
                     marcas + QLatin1Char(')'),
                 valores);
        ejecutar(directo,
                 QStringLiteral("UPDATE Embarque SET Oper_Ult_Modif = ?, Fecha_Ult_Modif = ?, "
                                "Es_Cve_Estado = 'RP' WHERE Eb_Folio = ?"),
                 {kUsuario, momento, lado.embarque});
        terminar();
    }
};

suite::bench::LazyData<Datos> g_datos;

void BM_ReprogramarOrden(benchmark::State& state) {
    Datos& d = g_datos.get();
    Tramo pantalla, lectura, escritura, capa;
    for (auto _ : state) {
        state.PauseTiming();
        d.restaurar();
        state.ResumeTiming();
        medir(pantalla, [&] { d.reprogramar(kPantalla.orden, QStringLiteral("Ordenes")); });
        state.PauseTiming();
        d.checkpoint();
        state.ResumeTiming();
        d.ordenDirecta(lectura, escritura);
        medir(capa, [&] { benchmark::DoNotOptimize(d.lecturaPorCapa(kPantalla.orden)); });
        state.PauseTiming();
        d.comprobarOrden(kPantalla);
        d.comprobarOrden(kDirecto);
        state.ResumeTiming();
    }
    const auto promedio = [](double segundos) {
        return benchmark::Counter(segundos * 1000, benchmark::Counter::kAvgIterations);
    };
    state.counters["screen_ms"] = promedio(pantalla.wall);
    state.counters["bare_ms"] = promedio(lectura.wall + escritura.wall);
    state.counters["bare_read_ms"] = promedio(lectura.wall);
    state.counters["bare_write_ms"] = promedio(escritura.wall);
    state.counters["layer_read_ms"] = promedio(capa.wall);
    state.counters["ratio"] = pantalla.wall / (lectura.wall + escritura.wall);
    state.counters["cpu_ratio"] = pantalla.cpu / (lectura.cpu + escritura.cpu);
}
BENCHMARK(BM_ReprogramarOrden)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ReprogramarEmbarque(benchmark::State& state) {
    Datos& d = g_datos.get();
    Tramo pantalla, directo;
    for (auto _ : state) {
        state.PauseTiming();
        d.restaurar();
        state.ResumeTiming();
        medir(pantalla, [&] { d.reprogramar(kPantalla.embarque, QStringLiteral("EMBARQUES")); });
        state.PauseTiming();
        d.checkpoint();
        state.ResumeTiming();
        medir(directo, [&] { d.embarqueDirecto(); });
        state.PauseTiming();
        d.comprobarEmbarque(kPantalla);
        d.comprobarEmbarque(kDirecto);
        state.ResumeTiming();
    }
    const auto promedio = [](double segundos) {
        return benchmark::Counter(segundos * 1000, benchmark::Counter::kAvgIterations);
    };
    state.counters["screen_ms"] = promedio(pantalla.wall);
    state.counters["bare_ms"] = promedio(directo.wall);
    state.counters["ratio"] = pantalla.wall / directo.wall;
    state.counters["cpu_ratio"] = pantalla.cpu / directo.cpu;
}
BENCHMARK(BM_ReprogramarEmbarque)->Unit(benchmark::kMillisecond)->Iterations(100);

} // namespace

int main(int argc, char** argv) {
    suite::bench::BenchApplication app(argc, argv);
    app.run();
    g_datos.reset();
    return 0;
}
