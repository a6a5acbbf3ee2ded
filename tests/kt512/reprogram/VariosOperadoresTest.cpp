// Many operators on one database, file or server: folios, reprogrammings racing for the same
// orders, and an operator's process killed in the middle of a reprogramming.

#include "suite/db/Schema.h"
#include "tests/support/PrintQString.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Engine = ktest::TestDatabase::Engine;

constexpr int kProcesos = 8;

class VariosOperadores : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        QString why;
        if (!ktest::TestDatabase::available(GetParam(), &why))
            GTEST_SKIP() << why.toStdString();
        db = std::make_unique<ktest::TestDatabase>(GetParam(), ktest::TestDatabase::Demo{});
    }

    // An order of the branch 0001 with `lineas` lines, made by doubling its first one.
    void orden(const QString& folio, int lineas) {
        db->exec("INSERT INTO Orden_Entrega (Oe_Folio, Oe_ID, Oe_Fecha_Entrega, "
                 "Sc_Cve_Sucursal, Oe_Comentario, Oe_Cantidad, Oe_Precio_Neto_Importe, "
                 "Oper_Alta, Fecha_Alta, Oper_Ult_Modif, Fecha_Ult_Modif) VALUES ('" +
                 folio +
                 "', 1, '2026-12-04', '0001', 'Entrega de O''Brien', 2.5, 1234.5678, 'ALTA', "
                 "'2026-11-30 10:00:00', 'ALTA', '2026-11-30 10:00:00')");
        const QStringList columnas = suite::Schema::table("Orden_Entrega").columnNames();
        for (int hechas = 1; hechas < lineas; hechas = std::min(lineas, 2 * hechas)) {
            QStringList valores = columnas;
            valores[1] = QStringLiteral("Oe_ID + %1").arg(hechas);
            db->exec(QStringLiteral("INSERT INTO Orden_Entrega (%1) SELECT %2 FROM Orden_Entrega "
                                    "WHERE Oe_Folio = '%3' AND Oe_ID <= %4")
                         .arg(columnas.join(", "), valores.join(", "), folio)
                         .arg(lineas - hechas));
        }
    }

    // Another operator's process; with `traza`, the file its SQL trace goes to.
    std::unique_ptr<QProcess> operador(const char* programa, const QStringList& args,
                                       const QString& traza = {}) {
        auto proceso = std::make_unique<QProcess>();
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.remove("KESTROVA_SQL_TRACE");
        if (!traza.isEmpty())
            entorno.insert("KESTROVA_SQL_TRACE", traza);
        proceso->setProcessEnvironment(entorno);
        proceso->start(programa, args);
        return proceso;
    }

    // Every line each process printed; the test fails for a process that ended badly.
    QStringList salidas(std::vector<std::unique_ptr<QProcess>>& procesos) {
        QStringList lineas;
        for (auto& p : procesos) {
            EXPECT_TRUE(p->waitForFinished(240000));
            EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().constData();
            lineas << QString::fromUtf8(p->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        }
        return lineas;
    }

    int contar(const char* sql) { return db->scalar(sql).toInt(); }

    std::unique_ptr<ktest::TestDatabase> db;
};

TEST_P(VariosOperadores, OchoProcesosNuncaTomanElMismoFolio) {
    constexpr int kCada = 50;
    std::vector<std::unique_ptr<QProcess>> procesos;
    for (int i = 0; i < kProcesos; ++i)
        procesos.push_back(
            operador(KT_FOLIO_WORKER, {db->location(), "0001", QString::number(kCada)}));
    const QStringList folios = salidas(procesos);
    ASSERT_EQ(folios.size(), kProcesos * kCada);
    EXPECT_EQ(QSet<QString>(folios.begin(), folios.end()).size(), kProcesos * kCada);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Embarque"), kProcesos * kCada);
    EXPECT_EQ(contar("SELECT Fo_Ultimo FROM Folio WHERE Sc_Cve_Sucursal = '0001' AND "
                     "Fo_Tabla = 'EMBARQUE'"),
              kProcesos * kCada);
}

// Each process reprograms the same ten orders, starting at a different one: every order ends
// with exactly one copy, and the others find it gone.
TEST_P(VariosOperadores, OchoProcesosReprogramandoLasMismasOrdenesDejanUnaCopiaDeCada) {
    constexpr int kOrdenes = 10;
    QStringList ordenes;
    for (int i = 1; i <= kOrdenes; ++i) {
        ordenes << QStringLiteral("0001O%1").arg(i, 5, 10, QLatin1Char('0'));
        orden(ordenes.back(), 3);
    }
    std::vector<std::unique_ptr<QProcess>> procesos;
    for (int i = 0; i < kProcesos; ++i) {
        QStringList turno = ordenes.mid(i % kOrdenes) + ordenes.mid(0, i % kOrdenes);
        QStringList args{db->location(), turno.takeFirst(), "Ordenes", "2026-12-20"};
        procesos.push_back(operador(KT_REPROGRAM_WORKER, args + turno));
    }
    const QStringList lineas = salidas(procesos);
    ASSERT_EQ(lineas.size(), kProcesos * kOrdenes) << lineas.join('\n').toStdString();
    EXPECT_EQ(lineas.count("ok"), kOrdenes) << lineas.join('\n').toStdString();
    EXPECT_EQ(lineas.count("La tabla Orden_Entrega no tiene registros!"),
              (kProcesos - 1) * kOrdenes);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Orden_Entrega WHERE Es_Cve_Estado = 'RP'"),
              3 * kOrdenes);
    EXPECT_EQ(contar("SELECT COUNT(DISTINCT Oe_Folio) FROM Orden_Entrega "
                     "WHERE Es_Cve_Estado = 'RM' AND Oe_Fecha_Entrega = '2026-12-20'"),
              kOrdenes);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Orden_Entrega WHERE Es_Cve_Estado = 'RM'"),
              3 * kOrdenes);
}

// kill -9 while the copy's lines are being written: the order stays as it was, no line of the
// copy remains and the folio counter is where it was, every time.
TEST_P(VariosOperadores, UnProcesoMatadoAMitadDeLaReprogramacionNoDejaNadaAMedias) {
    // Far more lines than the kill waits for, so that a slow machine still kills before the end.
    orden("0001O00001", 1000);
    const char* const tablas[] = {"SELECT * FROM Orden_Entrega ORDER BY 1, 2",
                                  "SELECT * FROM Folio ORDER BY 1, 2"};
    const QList<QStringList> antes[] = {db->rows(tablas[0]), db->rows(tablas[1])};
    const QString traza = db->path() + ".operador";
    for (int vez = 1; vez <= 20; ++vez) {
        SCOPED_TRACE(vez);
        QFile::remove(traza);
        auto proceso = operador(KT_REPROGRAM_WORKER,
                                {db->location(), "0001O00001", "Ordenes", "2026-12-20"}, traza);
        // Some lines of the copy written, far from all of them.
        bool escribiendo = false;
        for (int intento = 0; intento < 3000 && !escribiendo; ++intento) {
            QFile f(traza);
            escribiendo = f.open(QIODevice::ReadOnly) &&
                          f.readAll().count("INSERT  INTO Orden_Entrega") >= 10 + 7 * vez;
            if (!escribiendo)
                QTest::qWait(5);
        }
        ASSERT_TRUE(escribiendo) << proceso->readAllStandardOutput().constData();
        ::kill(pid_t(proceso->processId()), SIGKILL);
        ASSERT_TRUE(proceso->waitForFinished(30000));
        ASSERT_EQ(proceso->exitStatus(), QProcess::CrashExit);
        ASSERT_EQ(db->rows(tablas[0]), antes[0]);
        ASSERT_EQ(db->rows(tablas[1]), antes[1]);
    }
}

INSTANTIATE_TEST_SUITE_P(Bases, VariosOperadores,
                         ::testing::Values(Engine::SqliteFile, Engine::PostgresServer),
                         [](const ::testing::TestParamInfo<Engine>& p) {
                             return ktest::TestDatabase::name(p.param);
                         });

} // namespace
