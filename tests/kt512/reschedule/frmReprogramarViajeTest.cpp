// The rescheduling screen on a demo database with the suite's own host services. Statements are
// read back from the SQL trace, messages from a recording presenter.

#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/filters/frmFiltros.h"
#include "kt512/reprogram/frmRecalendarizar.h"
#include "kt512/services/IControles.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/services/IssTbVex.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/shell/Publico.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/Runtime.h"
#include "platform/forms/ListView.h"
#include "platform/forms/RecordingPresenter.h"
#include "platform/forms/TimerSwitch.h"
#include "suite/controls/ControlKit.h"
#include "suite/controls/Controles.h"
#include "suite/host/HostSession.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TraceFile.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kt512;

namespace {

const QString kFolio = QStringLiteral("V0'01");
const QString kEnSql = QStringLiteral("'V0''01'");

using Engine = ktest::TestDatabase::Engine;

class PantallaReprogramarViaje : public ::testing::Test {
protected:
    virtual Engine engine() const { return Engine::SqliteFile; }

    void SetUp() override {
        QString why;
        if (!ktest::TestDatabase::available(engine(), &why))
            GTEST_SKIP() << why.toStdString();
        db = std::make_unique<ktest::TestDatabase>(
            engine(), ktest::TestDatabase::Demo{80, 11, QDate(2026, 12, 5)});
        forms::setTimersPaused(true);
        qputenv("KESTROVA_SQL_TRACE", QFile::encodeName(db->path() + QStringLiteral(".trace")));
        runtime = std::make_unique<com::Runtime>(db->path() + QStringLiteral(".registry"));
        sesion =
            std::make_shared<suite::HostSession>(db->open(), QStringLiteral("PRUEBA"), mensajes);
        suite::registerHostServices(*runtime, sesion);
        suite::registerControlKit(*runtime, sesion);
        publico = Publico::Iniciar();

        // An open trip with orders and shipments to reprogram, renamed to a folio that holds a
        // quote.
        const QString conDocumentos = QStringLiteral(
            " AND Vj_Folio IN (SELECT v.Vj_Folio FROM Viaje_Documento v JOIN %1 d ON d.%2 = "
            "v.Vd_Documento WHERE d.Es_Cve_Estado IN ('RM', 'RMT'))");
        const QString viaje =
            db->scalar(
                  QStringLiteral("SELECT MIN(Vj_Folio) FROM Viaje WHERE Es_Cve_Estado NOT IN "
                                 "('CE', 'CA')") +
                  conDocumentos.arg(QStringLiteral("Orden_Entrega"), QStringLiteral("Oe_Folio")) +
                  conDocumentos.arg(QStringLiteral("Embarque"), QStringLiteral("Eb_Folio")))
                .toString();
        ASSERT_FALSE(viaje.isEmpty());
        for (const char* tabla : {"Viaje_Documento", "Viaje"})
            db->exec(QStringLiteral("UPDATE %1 SET Vj_Folio = %2 WHERE Vj_Folio = '%3'")
                         .arg(QLatin1String(tabla), kEnSql, viaje));
        db->exec(QStringLiteral("UPDATE Viaje SET Vj_Fecha_Inicio_Viaje = '2026-12-01 08:15:00', "
                                "Vj_Fecha_Fin_Viaje = '2026-12-01 17:45:30', Vj_Kilometro_Inicial "
                                "= '1500.25', Vj_Kilometro_Final = '1730.5' WHERE Vj_Folio = ") +
                 kEnSql);
        dia = db->scalar(QStringLiteral("SELECT date(Vj_Fecha) FROM Viaje WHERE Vj_Folio = ") +
                         kEnSql)
                  .toDate();
        for (const char* picker : {"dpFechaInicio", "dpFechaFin"})
            publico->board()
                .control<IdpFecha>(QString::fromLatin1(picker))
                ->setValue(QDateTime(dia, {}));
        traza();
    }

    void TearDown() override {
        publico.reset();
        qunsetenv("KESTROVA_SQL_TRACE");
        forms::setTimersPaused(false);
    }

    frmReprogramarViaje& p() { return publico->reprogramarViaje(); }

    frmReprogramarViaje& abrir(const QString& folio = kFolio) {
        p().Cargar(folio, QString());
        p().Show();
        p().window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(p().window()));
        return p();
    }

    // The statements run since the last call, as the screen built them.
    QStringList traza() { return ktest::takeTrace(db->path() + QStringLiteral(".trace")); }

    // The condition texts of the order and shipment lists filled since the last trace read.
    QStringList condiciones() {
        QStringList r;
        for (const QString& sql : traza())
            if (sql.contains(QLatin1String("_Folio AS \"Folio\"")) &&
                !sql.contains(QLatin1String("Viaje.Vj_Folio AS")))
                r << sql.mid(sql.indexOf(QLatin1String("WHERE ")) + 6)
                         .section(QLatin1Char('\n'), 0, 0);
        return r;
    }

    QStringList ids() {
        QStringList r;
        for (const auto& m : mensajes->messages())
            r << m.id;
        mensajes->clear();
        return r;
    }

    void pulsar(const char* boton) {
        auto* b = p().ctl(QStringLiteral("Controles"))
                      .widget()
                      ->findChild<QAbstractButton*>(QString::fromLatin1(boton));
        ASSERT_NE(b, nullptr) << boton;
        b->click();
    }

    QWidget* w(const char* nombre) { return p().ctl(QString::fromLatin1(nombre)).widget(); }
    com::Ptr<ItxtVEX> caja(const char* nombre) {
        return p().control<ItxtVEX>(QString::fromLatin1(nombre));
    }
    void momento(const char* fecha, const char* hora, const QDateTime& valor) {
        p().control<IdpFecha>(QString::fromLatin1(fecha))->setValue(valor);
        p().control<IdpFecha>(QString::fromLatin1(hora))->setValue(valor);
    }

    std::unique_ptr<ktest::TestDatabase> db;
    std::unique_ptr<com::Runtime> runtime;
    std::shared_ptr<forms::RecordingPresenter> mensajes =
        std::make_shared<forms::RecordingPresenter>();
    std::shared_ptr<suite::HostSession> sesion;
    std::unique_ptr<Publico> publico;
    QDate dia;
};

// The cases where the database is the point, on the embedded file and on the server.
class PantallaReprogramarViajeEnCadaBase : public PantallaReprogramarViaje,
                                           public ::testing::WithParamInterface<Engine> {
protected:
    Engine engine() const override { return GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(Bases, PantallaReprogramarViajeEnCadaBase,
                         ::testing::Values(Engine::SqliteFile, Engine::PostgresServer),
                         [](const ::testing::TestParamInfo<Engine>& p) {
                             return ktest::TestDatabase::name(p.param);
                         });

TEST_P(PantallaReprogramarViajeEnCadaBase, CargarReadsTheHeaderThenFillsOrdersAndShipments) {
    abrir();
    const QStringList sentencias = traza().filter(QStringLiteral("Viaje"));
    ASSERT_GE(sentencias.size(), 3);
    EXPECT_EQ(sentencias[0],
              QStringLiteral("SELECT ISNULL(Vj_Fecha_Inicio_Viaje,  '') AS Fecha_Inicio ,   "
                             "CONVERT(VARCHAR, ISNULL(Vj_Fecha_Inicio_Viaje,  ''), 108) AS "
                             "Hora_Inicio, ISNULL(Vj_Fecha_Fin_Viaje,'') AS Fecha_Fin ,   "
                             "CONVERT(VARCHAR, ISNULL(Vj_Fecha_Fin_Viaje,  ''), 108) AS Hora_Fin, "
                             "ISNULL(Vj_Kilometro_Inicial,0) AS Km_Inicial ,"
                             "ISNULL(Vj_Kilometro_Final, 0) As Km_Final FROM    Viaje WHERE    "
                             "Vj_Folio = 'V0''01' AND   Es_cve_estado NOT IN ( 'CE', 'CA' )"));
    EXPECT_TRUE(sentencias[1].contains(QLatin1String("Orden_Entrega.Oe_Folio AS \"Folio\"")));
    EXPECT_TRUE(sentencias[2].contains(QLatin1String("Embarque.Eb_Folio AS \"Folio\"")));
    EXPECT_TRUE(ids().isEmpty());
    const auto* barra =
        dynamic_cast<suite::Controles*>(p().control<IControles>(QStringLiteral("Controles")).get());
    ASSERT_NE(barra, nullptr);
    EXPECT_GE(barra->notificaciones(), 1) << "the activation does not reach the bar";
    EXPECT_FALSE(barra->ultimaNotificacion());
    EXPECT_EQ(caja("txtKmFinal")->ValorNumerico().toDouble(), 1730.5);
    EXPECT_EQ(p().control<IdpFecha>(QStringLiteral("dpHoraFinal"))->Value().time(),
              QTime(17, 45, 30));
}

TEST_P(PantallaReprogramarViajeEnCadaBase, TheTitleNamesTheTripAndItsBranchWhereThereIsOne) {
    const auto banda = [&] {
        return p()
            .ctl(QStringLiteral("Controles"))
            .widget()
            ->findChild<QLabel*>(QStringLiteral("caption"));
    };
    db->exec(QStringLiteral("UPDATE Sucursal SET Sc_Descripcion = 'Monterrey O''Neill' WHERE "
                            "Sc_Cve_Sucursal = '0001'"));
    p().Cargar(kFolio, QStringLiteral("0001"));
    EXPECT_EQ(p().window()->windowTitle(),
              QStringLiteral("Reprogramar viajes — Viaje V0'01, sucursal 0001 Monterrey O'Neill"));
    ASSERT_NE(banda(), nullptr);
    EXPECT_EQ(banda()->text(), p().window()->windowTitle());

    // A branch missing from the catalogue still shows by its code.
    p().Cargar(kFolio, QStringLiteral("MTY"));
    EXPECT_EQ(p().window()->windowTitle(),
              QStringLiteral("Reprogramar viajes — Viaje V0'01, sucursal MTY"));

    // The next trip opened without a branch leaves nothing of the previous one behind.
    p().Cargar(kFolio, QStringLiteral("  "));
    EXPECT_EQ(p().window()->windowTitle(), QStringLiteral("Reprogramar viajes — Viaje V0'01"));
    EXPECT_EQ(banda()->text(), p().window()->windowTitle());
}

TEST_P(PantallaReprogramarViajeEnCadaBase,
       TheDetailConditionCarriesEachFilterWhoseDescriptionIsSet) {
    frmFiltros& filtros = publico->filtros();
    const auto con = [&](const QString& tipo, const QString& estado, const QString& chofer) {
        const auto filtro = [&](const char* codigo, const char* descripcion, const QString& valor) {
            filtros.control<ItxtVEX>(QString::fromLatin1(codigo))->setText(valor);
            filtros.control<ItxtVEX>(QString::fromLatin1(descripcion))
                ->setText(valor.isEmpty() ? QString() : QStringLiteral("elegido"));
        };
        filtro("txtTipoVehiculo", "txtNTipoVehiculo", tipo);
        filtro("txtEstado", "txtNEstado", estado);
        filtro("txtChofer", "txtNChofer", chofer);
        traza();
        p().Cargar(kFolio, QString());
        return condiciones();
    };
    const QString fechas =
        QStringLiteral(" Viaje.Vj_Fecha BETWEEN '%1' AND '%1' ").arg(dia.toString(Qt::ISODate));
    const QString viaje = QStringLiteral("AND  Viaje.Vj_Folio = 'V0''01' ");
    const auto esperado = [&](const QString& filtro, const QString& filtroEmbarque) {
        return QStringList{
            fechas + filtro + viaje + " AND Orden_Entrega.Es_Cve_Estado  IN ('RM','RMT') ",
            fechas + filtroEmbarque + viaje + " AND Embarque.Es_Cve_Estado  IN ('RM','RMT') "};
    };
    EXPECT_EQ(con({}, {}, {}), esperado({}, {}));
    EXPECT_EQ(con(QStringLiteral("0'2"), {}, {}),
              esperado(" AND Orden_Entrega.Oe_Tipo_Vehiculo = '0''2' ",
                       " AND Embarque.Oe_Tipo_Vehiculo = '0''2' "));
    const QString estado = QStringLiteral("  AND Viaje.Es_Cve_Estado = 'TR' ");
    EXPECT_EQ(con({}, QStringLiteral("TR"), {}), esperado(estado, estado));
    const QString chofer = QStringLiteral(" AND Viaje.Ch_Cve_Chofer = '0007' ");
    EXPECT_EQ(con({}, {}, QStringLiteral("0007")), esperado(chofer, chofer));
    EXPECT_TRUE(ids().isEmpty());

    // A code the catalogue did not find leaves its description empty: no condition.
    filtros.control<ItxtVEX>(QStringLiteral("txtChofer"))->setText(QStringLiteral("9999"));
    traza();
    p().Cargar(kFolio, QString());
    EXPECT_EQ(condiciones(), esperado({}, {}));
}

TEST_F(PantallaReprogramarViaje, FailuresOfTheLoadAreReportedAndTheNextStepStillRuns) {
    p().Cargar(QStringLiteral("NO EXISTE"), QString());
    EXPECT_EQ(ids(), QStringList{QStringLiteral("ERR-ID:7500018")});
    EXPECT_EQ(condiciones().size(), 2);

    db->exec(
        QStringLiteral("UPDATE Consulta SET Cs_Texto = 'SELECT x FROM nada WHERE {PARAMETROS}' "
                       "WHERE Cs_Nombre = 'ORDENES_X_VIAJE'"));
    db->exec(QStringLiteral("DELETE FROM Consulta WHERE Cs_Nombre = 'EMBARQUES_X_VIAJE'"));
    p().Cargar(kFolio, QString());
    const auto& m = mensajes->messages();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].title, QStringLiteral("CARGAR DETALLE"));
    EXPECT_TRUE(m[0].text.contains(QLatin1String("nada"))) << m[0].text.toStdString();
    EXPECT_EQ(ids(),
              (QStringList{QStringLiteral("ERR-ID:7500013"), QStringLiteral("ERR-ID:7500014")}));
}

TEST_F(PantallaReprogramarViaje, AcceptAfterAFailedReadOfTheHeaderWritesNothing) {
    const QString fila = QStringLiteral("SELECT * FROM Viaje WHERE Vj_Folio = ") + kEnSql;
    for (const char* arreglo :
         {"Vj_Fecha_Inicio_Viaje = '2026-02-30 10:00:00'", "Vj_Kilometro_Final = 'abc'"}) {
        SCOPED_TRACE(arreglo);
        db->exec(
            QStringLiteral("UPDATE Viaje SET %1 WHERE Vj_Folio = ").arg(QLatin1String(arreglo)) +
            kEnSql);
        const QList<QStringList> antes = db->rows(fila);
        abrir();
        EXPECT_EQ(ids(), QStringList{QStringLiteral("ERR-ID:7500019")});
        traza();
        pulsar("btnB1");
        EXPECT_EQ(ids(), QStringList{QStringLiteral("ERR-ID:7500019")});
        EXPECT_TRUE(traza().filter(QStringLiteral("UPDATE")).isEmpty());
        EXPECT_EQ(db->rows(fila), antes);
        EXPECT_TRUE(p().isVisible());
        p().Unload();
    }
}

TEST_P(PantallaReprogramarViajeEnCadaBase, ATripNeverStartedOpensOnTheServerDateAtMidnight) {
    db->exec(QStringLiteral("UPDATE Viaje SET Vj_Fecha_Inicio_Viaje = NULL WHERE Vj_Folio = ") +
             kEnSql);
    const QDate antes = Funciones().FechaServidor().date();
    abrir();
    const QDate abierto = p().control<IdpFecha>(QStringLiteral("dpFechaInicial"))->Value().date();
    EXPECT_TRUE(abierto == antes || abierto == Funciones().FechaServidor().date());
    EXPECT_EQ(p().control<IdpFecha>(QStringLiteral("dpHoraInicial"))->Value().time(), QTime(0, 0));
    EXPECT_TRUE(ids().isEmpty());
}

TEST_F(PantallaReprogramarViaje, AcceptChecksTheReadingsThenTheOrderOfTheMoments) {
    abrir();
    momento("dpFechaInicial", "dpHoraInicial", QDateTime(QDate(2026, 12, 2), QTime(9, 0)));
    momento("dpFechaFinal", "dpHoraFinal", QDateTime(QDate(2026, 12, 2), QTime(8, 59)));
    for (const auto& [inicial, final_] :
         {std::pair{"1000000000", "1000000000"}, std::pair{"999999999.999999999", "1000000000"},
          std::pair{"999999999.999999999", "999999999"}}) {
        caja("txtKmInicial")->setText(QString::fromLatin1(inicial));
        caja("txtKmFinal")->setText(QString::fromLatin1(final_));
        pulsar("btnB1");
    }
    for (const auto& m : mensajes->messages())
        EXPECT_EQ(std::tuple(m.style, m.title, m.module),
                  std::tuple(48L, QStringLiteral("Kestrova"), QStringLiteral("KT512")));
    EXPECT_EQ(ids(),
              (QStringList{QStringLiteral("ERR-ID:7500009"), QStringLiteral("ERR-ID:7500010"),
                           QStringLiteral("ERR-ID:7500011")}));
    EXPECT_EQ(p().ActiveControlName(), QStringLiteral("dpFechaInicial"));
    traza();

    // The same moment at both ends passes.
    momento("dpFechaFinal", "dpHoraFinal", QDateTime(QDate(2026, 12, 2), QTime(9, 0)));
    pulsar("btnB1");
    EXPECT_TRUE(ids().isEmpty());
    EXPECT_FALSE(p().isVisible());
    EXPECT_EQ(traza().filter(QStringLiteral("UPDATE Viaje")).size(), 1);
}

TEST_P(PantallaReprogramarViajeEnCadaBase,
       ASavedHeaderIsOneUpdateInOneTransactionAndReadsBackUnchanged) {
    abrir();
    publico->recalendarizar().Aceptado = true;
    caja("txtKmInicial")->setText(QStringLiteral("123456789.123456789"));
    caja("txtKmFinal")->setText(QStringLiteral("123456790.000000001"));
    momento("dpFechaInicial", "dpHoraInicial", QDateTime(QDate(2026, 12, 3), QTime(7, 5, 9)));
    momento("dpFechaFinal", "dpHoraFinal", QDateTime(QDate(2026, 12, 4), QTime(18, 30)));
    traza();
    pulsar("btnB1");

    EXPECT_EQ(
        traza().filter(QRegularExpression(QStringLiteral("^(BEGIN|COMMIT|ROLLBACK|UPDATE)"))),
        (QStringList{QStringLiteral("BEGIN TRANSACTION"),
                     QStringLiteral(
                         "UPDATE Viaje SET    Vj_Fecha_Inicio_Viaje ='2026-12-03 07:05:09',    "
                         "Vj_Fecha_Fin_Viaje ='2026-12-04 18:30:00',    Vj_Kilometro_Inicial "
                         "='123456789.123456789',    Vj_Kilometro_Final ='123456790.000000001' "
                         "WHERE    Vj_Folio = 'V0''01' AND   Es_cve_estado NOT IN ( 'CE', 'CA' )"),
                     QStringLiteral("COMMIT TRANSACTION")}));
    EXPECT_TRUE(p().Aceptado);
    EXPECT_FALSE(publico->recalendarizar().Aceptado);
    EXPECT_FALSE(p().isVisible());

    p().Unload();
    abrir();
    const auto leido = [&](const char* fecha, const char* hora) {
        return QDateTime(p().control<IdpFecha>(QString::fromLatin1(fecha))->Value().date(),
                         p().control<IdpFecha>(QString::fromLatin1(hora))->Value().time());
    };
    EXPECT_EQ(caja("txtKmInicial")->ValorNumerico(), QStringLiteral("123456789.123456789"));
    EXPECT_EQ(caja("txtKmFinal")->ValorNumerico(), QStringLiteral("123456790.000000001"));
    EXPECT_EQ(leido("dpFechaInicial", "dpHoraInicial"),
              QDateTime(QDate(2026, 12, 3), QTime(7, 5, 9)));
    EXPECT_EQ(leido("dpFechaFinal", "dpHoraFinal"), QDateTime(QDate(2026, 12, 4), QTime(18, 30)));
}

// A save the database refuses, by a fault or because another user holds the write lock, changes
// nothing, is told once, and leaves the screen open with what was typed and the flags as they were.
TEST_F(PantallaReprogramarViaje, ARefusedSaveLeavesTheTripTheScreenAndTheFlagsAsTheyWere) {
    const QString fila =
        QStringLiteral("SELECT quote(Vj_Fecha_Inicio_Viaje), quote(Vj_Fecha_Fin_Viaje), "
                       "quote(Vj_Kilometro_Inicial), quote(Vj_Kilometro_Final), * FROM Viaje WHERE "
                       "Vj_Folio = ") +
        kEnSql;
    const QList<QStringList> antes = db->rows(fila);
    for (const bool bloqueado : {true, false}) {
        SCOPED_TRACE(bloqueado ? "bloqueado" : "otro usuario");
        if (bloqueado)
            db->exec(QStringLiteral("CREATE TRIGGER bloqueo BEFORE UPDATE ON Viaje BEGIN SELECT "
                                    "RAISE(ABORT, 'el viaje está bloqueado'); END"));
        abrir();
        publico->recalendarizar().Aceptado = true;
        caja("txtKmFinal")->setText(QStringLiteral("987654"));
        decltype(db->open()) otro;
        if (!bloqueado) {
            otro = db->open();
            otro->BeginTrans();
        }
        pulsar("btnB1");
        if (otro)
            otro->RollbackTrans();

        EXPECT_EQ(db->rows(fila), antes);
        EXPECT_FALSE(sesion->connection().inTransaction());
        ASSERT_EQ(mensajes->messages().size(), 1u);
        const forms::Message m = mensajes->messages().front();
        EXPECT_TRUE(m.text.startsWith(QStringLiteral("ActualizaValores() - ")) &&
                    m.text.contains(bloqueado ? QStringLiteral("el viaje está bloqueado")
                                              : QStringLiteral("Otro usuario está guardando")))
            << m.text.toStdString();
        EXPECT_EQ(std::tuple(m.style, m.id), std::tuple(16L, QStringLiteral("ERR-ID:7500012")));
        EXPECT_TRUE(p().isVisible());
        EXPECT_EQ(caja("txtKmFinal")->ValorNumerico(), QStringLiteral("987654"));
        EXPECT_FALSE(p().Aceptado);
        EXPECT_TRUE(publico->recalendarizar().Aceptado);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        mensajes->clear();
        if (bloqueado)
            db->exec(QStringLiteral("DROP TRIGGER bloqueo"));
        p().Unload();
    }
}

TEST_F(PantallaReprogramarViaje, LeavingSetsTheFlagsTheBoardReloadsOn) {
    struct Caso {
        const char* como;
        bool recalendarizarAntes, recalendarizarDespues;
    };
    for (const Caso& caso : {Caso{"Cancelar", false, true}, Caso{"Salir", true, false},
                             Caso{"Esc", true, true}, Caso{"Cerrar la ventana", true, false}}) {
        SCOPED_TRACE(caso.como);
        abrir().Aceptado = true;
        publico->recalendarizar().Aceptado = caso.recalendarizarAntes;
        traza();
        const QString como = QString::fromLatin1(caso.como);
        if (como == QLatin1String("Esc"))
            QTest::keyClick(w("txtKmFinal"), Qt::Key_Escape);
        else if (como.startsWith(QLatin1String("Cerrar")))
            p().window()->close();
        else
            pulsar(como == QLatin1String("Cancelar") ? "btnB2" : "btnSalir");
        EXPECT_FALSE(p().isVisible());
        EXPECT_FALSE(p().Aceptado);
        EXPECT_EQ(publico->recalendarizar().Aceptado, caso.recalendarizarDespues);
        EXPECT_TRUE(traza().filter(QStringLiteral("UPDATE")).isEmpty());
        p().Unload();
    }
}

TEST_F(PantallaReprogramarViaje, F4AcceptsExceptInTheTwoDatePickers) {
    abrir();
    for (const char* nombre : {"dpFechaInicial", "dpFechaFinal", "dpHoraInicial"}) {
        p().ctl(QString::fromLatin1(nombre)).SetFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        EXPECT_EQ(p().isVisible(), nombre != std::string("dpHoraInicial")) << nombre;
    }
    EXPECT_EQ(traza().filter(QStringLiteral("UPDATE Viaje")).size(), 1);
}

TEST_F(PantallaReprogramarViaje, TabsFollowAltDigitsAndClicksWithTheirFrames) {
    abrir();
    auto pestanas = p().control<IssTbVex>(QStringLiteral("ssTabVex"));
    const auto marcos = [&] {
        return std::pair(p().ctl(QStringLiteral("fr1")).Enabled(),
                         p().ctl(QStringLiteral("fr2")).Enabled());
    };
    QTest::keyClick(w("txtKmInicial"), Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(pestanas->Tab(), 1);
    EXPECT_EQ(marcos(), std::pair(false, true));
    for (auto otras : {Qt::ControlModifier, Qt::ShiftModifier, Qt::KeypadModifier})
        QTest::keyClick(w("txtKmInicial"), Qt::Key_1, Qt::AltModifier | otras);
    EXPECT_EQ(pestanas->Tab(), 1);
    QTest::keyClick(w("txtKmInicial"), Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(std::pair(pestanas->Tab(), marcos()), std::pair(0, std::pair(true, false)));

    auto* barra = w("ssTabVex")->findChild<QTabBar*>();
    ASSERT_NE(barra, nullptr);
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(1).center());
    EXPECT_EQ(std::pair(pestanas->Tab(), marcos()), std::pair(1, std::pair(false, true)));
}

TEST_F(PantallaReprogramarViaje, ListsMoveOnWithEnterReloadWithF5AndOfferTheMenuWhenFilled) {
    abrir();
    p().ctl(QStringLiteral("lvOrdenes")).SetFocus();
    QTest::keyClick(w("lvOrdenes"), Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), w("lvOrdenes"));
    traza();
    QTest::keyClick(w("lvOrdenes"), Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_EQ(condiciones().size(), 2);

    const auto clicDerecho = [&](const char* lista) {
        QWidget* vista = qobject_cast<QAbstractItemView*>(w(lista))->viewport();
        QString visto;
        QTimer cerrar;
        QObject::connect(&cerrar, &QTimer::timeout, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* a : menu->actions())
                    visto += a->text();
                menu->close();
            }
        });
        cerrar.start(20);
        QTest::mouseClick(vista->window()->windowHandle(), Qt::RightButton, {},
                          vista->mapTo(vista->window(), QPoint(20, 20)));
        QTest::qWait(100);
        return visto;
    };
    p().listView(QStringLiteral("lvOrdenes")).Clear();
    EXPECT_EQ(clicDerecho("lvOrdenes"), QString());
    QTest::keyClick(w("txtKmInicial"), Qt::Key_2, Qt::AltModifier);
    QTest::keyClick(w("lvEmbarques"), Qt::Key_F5);
    EXPECT_TRUE(condiciones().isEmpty());
    ASSERT_GT(p().listView(QStringLiteral("lvEmbarques")).Count(), 0);
    EXPECT_EQ(clicDerecho("lvEmbarques"), QStringLiteral("Reprogramar"));
}

} // namespace
