// The rescheduling screen on one open trip with an order and a shipment: its header, its lists
// and the "Reprogramar" entry of their menu, driven as the operator does. Statements are read
// back from the SQL trace, messages from a recording presenter.

#include "tests/kt512/reprogram/EntornoReprogramacion.h"

#include "kt512/filters/frmFiltros.h"
#include "kt512/reprogram/frmRecalendarizar.h"
#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/services/IControles.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/services/IssTbVex.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/LateBinding.h"
#include "platform/forms/ListView.h"
#include "platform/forms/MonthView.h"
#include "suite/controls/Controles.h"
#include "suite/db/Schema.h"
#include "tests/support/TraceFile.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace kt512;

namespace {

using Engine = ktest::TestDatabase::Engine;
const QString kEnSql = QStringLiteral("'0001V''0001'");
const QDateTime kNueva(QDate(2026, 12, 20), QTime(0, 0));

class PantallaReprogramarViaje : public ktest::EntornoReprogramacion {
protected:
    using EntornoReprogramacion::EntornoReprogramacion;

    void SetUp() override {
        EntornoReprogramacion::SetUp();
        if (IsSkipped())
            return;
        db.exec(QStringLiteral("UPDATE Viaje SET Vj_Fecha_Inicio_Viaje = '2026-12-01 08:15:00', "
                               "Vj_Fecha_Fin_Viaje = '2026-12-01 17:45:30', Vj_Kilometro_Inicial "
                               "= '1500.25', Vj_Kilometro_Final = '1730.5'"));
        for (const char* picker : {"dpFechaInicio", "dpFechaFin"})
            publico()
                .board()
                .control<IdpFecha>(QString::fromLatin1(picker))
                ->setValue(QDateTime(QDate(2026, 12, 4), {}));
        abrir();
    }

    frmReprogramarViaje& p() { return publico().reprogramarViaje(); }
    frmRecalendarizar& dialogo() { return publico().recalendarizar(); }
    // Whether the screen shows, and the flags the board reloads on: its own and the dialog's.
    std::tuple<bool, bool, bool> banderas() {
        return {p().isVisible(), p().Aceptado, dialogo().Aceptado};
    }

    void abrir(const QString& sucursal = {}) {
        p().Cargar(kViaje, sucursal);
        p().Show();
        p().window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(p().window()));
        traza();
    }

    // The condition texts of the order and shipment lists filled since the last trace read.
    QStringList condiciones() {
        QStringList r;
        for (const QString& sql : traza().filter(QStringLiteral("_Folio AS \"Folio\"")))
            r << sql.mid(sql.indexOf(QLatin1String("WHERE ")) + 6).section(QLatin1Char('\n'), 0, 0);
        return r;
    }

    void pulsar(const char* boton) {
        w("Controles")->findChild<QAbstractButton*>(QString::fromLatin1(boton))->click();
    }
    QWidget* w(const char* nombre) { return p().ctl(QString::fromLatin1(nombre)).widget(); }
    com::Ptr<ItxtVEX> caja(const char* nombre) {
        return p().control<ItxtVEX>(QString::fromLatin1(nombre));
    }
    com::Ptr<IdpFecha> fecha(const char* nombre) {
        return p().control<IdpFecha>(QString::fromLatin1(nombre));
    }
    void momento(const char* dia, const char* hora, const QDateTime& valor) {
        fecha(dia)->setValue(valor);
        fecha(hora)->setValue(valor);
    }
    QDateTime leido(const char* dia, const char* hora) {
        return QDateTime(fecha(dia)->Value().date(), fecha(hora)->Value().time());
    }
    QStringList folios(const char* lista) {
        QStringList r;
        forms::ListView& lv = p().listView(QString::fromLatin1(lista));
        for (int i = 1; i <= lv.Count(); ++i)
            r << lv.itemText(i);
        return r;
    }

    // Right-clicks row `fila` of the list (past the last, on no item), picks the first entry of
    // the menu, whose texts land in `menu`, and runs enDialogo once the date dialog shows.
    // True when the dialog was shown.
    bool reprogramar(const char* lista, const std::function<void()>& enDialogo, int fila = 0) {
        if (QLatin1String(lista) == QLatin1String("lvEmbarques"))
            QTest::keyClick(p().window(), Qt::Key_2, Qt::AltModifier);
        bool visto = false;
        menu.clear();
        QTimer vigia;
        QObject::connect(&vigia, &QTimer::timeout, [&] {
            if (auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* a : m->actions())
                    menu += a->text();
                m->setActiveAction(m->actions().value(0));
                QTest::keyClick(m, Qt::Key_Return);
            } else if (!visto && dialogo().isVisible()) {
                visto = true;
                enDialogo();
                if (dialogo().isVisible()) {
                    ADD_FAILURE() << "the date dialog stayed open";
                    dialogo().Unload();
                }
            }
        });
        vigia.start(10);
        auto* vista = qobject_cast<QAbstractItemView*>(w(lista));
        const QRect celda = vista->visualRect(vista->model()->index(0, 0));
        const QPoint punto =
            celda.isValid() ? celda.center() + QPoint(0, fila * celda.height()) : QPoint(20, 20);
        QTest::mouseClick(vista->window()->windowHandle(), Qt::RightButton, {},
                          vista->viewport()->mapTo(vista->window(), punto));
        QTest::qWait(150);
        return visto;
    }
    void aceptar() {
        dialogo().monthView(QStringLiteral("MvFechaEntrega")).setValue(kNueva.date());
        qobject_cast<QAbstractButton*>(dialogo().ctl(QStringLiteral("cmdAceptar")).widget())
            ->click();
    }
    void escapar() { QTest::keyClick(dialogo().window(), Qt::Key_Escape); }

    QString menu;
};

// The cases where the database is the point, on the embedded file and on the server.
class PantallaReprogramarViajeEnCadaBase : public PantallaReprogramarViaje,
                                           public ::testing::WithParamInterface<Engine> {
protected:
    PantallaReprogramarViajeEnCadaBase() : PantallaReprogramarViaje(GetParam()) {}
};

INSTANTIATE_TEST_SUITE_P(Bases, PantallaReprogramarViajeEnCadaBase,
                         ::testing::Values(Engine::SqliteFile, Engine::PostgresServer),
                         [](const ::testing::TestParamInfo<Engine>& p) {
                             return ktest::TestDatabase::name(p.param);
                         });

TEST_P(PantallaReprogramarViajeEnCadaBase, TheHeaderIsReadSavedInOneTransactionAndReadBack) {
    p().Cargar(kViaje, QString());
    const QStringList leidas = traza().filter(QStringLiteral("Viaje"));
    ASSERT_GE(leidas.size(), 3);
    EXPECT_EQ(leidas[0],
              QStringLiteral("SELECT ISNULL(Vj_Fecha_Inicio_Viaje,  '') AS Fecha_Inicio ,   "
                             "CONVERT(VARCHAR, ISNULL(Vj_Fecha_Inicio_Viaje,  ''), 108) AS "
                             "Hora_Inicio, ISNULL(Vj_Fecha_Fin_Viaje,'') AS Fecha_Fin ,   "
                             "CONVERT(VARCHAR, ISNULL(Vj_Fecha_Fin_Viaje,  ''), 108) AS Hora_Fin, "
                             "ISNULL(Vj_Kilometro_Inicial,0) AS Km_Inicial ,"
                             "ISNULL(Vj_Kilometro_Final, 0) As Km_Final FROM    Viaje WHERE    "
                             "Vj_Folio = ") +
                  kEnSql + QStringLiteral(" AND   Es_cve_estado NOT IN ( 'CE', 'CA' )"));
    EXPECT_TRUE(leidas[1].contains(QLatin1String("Orden_Entrega.Oe_Folio AS \"Folio\"")));
    EXPECT_TRUE(leidas[2].contains(QLatin1String("Embarque.Eb_Folio AS \"Folio\"")));
    EXPECT_EQ(folios("lvOrdenes"), QStringList{kOrden});
    EXPECT_EQ(folios("lvEmbarques"), QStringList{kEmbarque});
    EXPECT_EQ(leido("dpFechaFinal", "dpHoraFinal"),
              QDateTime(QDate(2026, 12, 1), QTime(17, 45, 30)));
    const auto* barra =
        dynamic_cast<suite::Controles*>(p().control<IControles>(QStringLiteral("Controles")).get());
    ASSERT_NE(barra, nullptr);
    EXPECT_GE(barra->notificaciones(), 1) << "the activation does not reach the bar";
    EXPECT_FALSE(barra->ultimaNotificacion());

    dialogo().Aceptado = true;
    caja("txtKmInicial")->setText(QStringLiteral("123456789.123456789"));
    caja("txtKmFinal")->setText(QStringLiteral("123456790.000000001"));
    momento("dpFechaInicial", "dpHoraInicial", QDateTime(QDate(2026, 12, 3), QTime(7, 5, 9)));
    momento("dpFechaFinal", "dpHoraFinal", QDateTime(QDate(2026, 12, 4), QTime(18, 30)));
    pulsar("btnB1");
    EXPECT_EQ(
        traza().filter(QRegularExpression(QStringLiteral("^(BEGIN|COMMIT|ROLLBACK|UPDATE)"))),
        (QStringList{
            QStringLiteral("BEGIN TRANSACTION"),
            QStringLiteral("UPDATE Viaje SET    Vj_Fecha_Inicio_Viaje ='2026-12-03 07:05:09',    "
                           "Vj_Fecha_Fin_Viaje ='2026-12-04 18:30:00',    Vj_Kilometro_Inicial "
                           "='123456789.123456789',    Vj_Kilometro_Final ='123456790.000000001' "
                           "WHERE    Vj_Folio = ") +
                kEnSql + QStringLiteral(" AND   Es_cve_estado NOT IN ( 'CE', 'CA' )"),
            QStringLiteral("COMMIT TRANSACTION")}));
    EXPECT_EQ(banderas(), std::tuple(false, true, false));

    p().Unload();
    abrir();
    EXPECT_EQ(caja("txtKmInicial")->ValorNumerico(), QStringLiteral("123456789.123456789"));
    EXPECT_EQ(caja("txtKmFinal")->ValorNumerico(), QStringLiteral("123456790.000000001"));
    EXPECT_EQ(leido("dpFechaInicial", "dpHoraInicial"),
              QDateTime(QDate(2026, 12, 3), QTime(7, 5, 9)));
    EXPECT_EQ(leido("dpFechaFinal", "dpHoraFinal"), QDateTime(QDate(2026, 12, 4), QTime(18, 30)));

    // A trip never started opens on the server's date at midnight.
    db.exec(QStringLiteral("UPDATE Viaje SET Vj_Fecha_Inicio_Viaje = NULL"));
    const QDate hoy = Funciones().FechaServidor().date();
    abrir();
    const QDate abierto = fecha("dpFechaInicial")->Value().date();
    EXPECT_TRUE(abierto == hoy || abierto == Funciones().FechaServidor().date());
    EXPECT_EQ(fecha("dpHoraInicial")->Value().time(), QTime(0, 0));
    EXPECT_TRUE(ids().isEmpty());
}

TEST_F(PantallaReprogramarViaje, TheTitleNamesTheTripAndItsBranchWhereThereIsOne) {
    const auto banda = [&] {
        return w("Controles")->findChild<QLabel*>(QStringLiteral("caption"));
    };
    db.exec(QStringLiteral("INSERT INTO Sucursal (Sc_Cve_Sucursal, Sc_Descripcion, Es_Cve_Estado) "
                           "VALUES ('0001', 'Monterrey O''Neill', 'AC')"));
    const std::pair<const char*, const char*> casos[] = {
        {"0001", ", sucursal 0001 Monterrey O'Neill"},
        {"MTY", ", sucursal MTY"}, // missing from the catalogue
        {"  ", ""},                // nothing of the previous trip's branch is left
    };
    for (const auto& [sucursal, cola] : casos) {
        p().Cargar(kViaje, QString::fromLatin1(sucursal));
        EXPECT_EQ(p().window()->windowTitle(),
                  QStringLiteral("Reprogramar viajes — Viaje 0001V'0001") +
                      QString::fromUtf8(cola));
        ASSERT_NE(banda(), nullptr);
        EXPECT_EQ(banda()->text(), p().window()->windowTitle());
    }
}

TEST_F(PantallaReprogramarViaje, TheDetailConditionCarriesEachFilterWhoseDescriptionIsSet) {
    frmFiltros& filtros = publico().filtros();
    const auto poner = [&](const char* caja, const char* texto) {
        filtros.control<ItxtVEX>(QString::fromLatin1(caja))->setText(QString::fromUtf8(texto));
    };
    const std::tuple<const char*, const char*, const char*, const char*> casos[] = {
        {"txtTipoVehiculo", "0'2", "txtNTipoVehiculo", " AND %1.Oe_Tipo_Vehiculo = '0''2' "},
        {"txtEstado", "TR", "txtNEstado", "  AND Viaje.Es_Cve_Estado = 'TR' "},
        {"txtChofer", "0007", "txtNChofer", " AND Viaje.Ch_Cve_Chofer = '0007' "},
        // A code the catalogue did not find leaves its description empty: no condition.
        {"txtChofer", "9999", "txtNChofer", ""},
        {"txtChofer", "", "txtNChofer", ""},
    };
    for (const auto& [codigo, valor, descripcion, filtro] : casos) {
        SCOPED_TRACE(valor);
        poner(codigo, valor);
        poner(descripcion, *filtro ? "elegido" : "");
        traza();
        p().Cargar(kViaje, QString());
        QStringList esperado;
        for (const char* tabla : {"Orden_Entrega", "Embarque"})
            esperado << QStringLiteral(" Viaje.Vj_Fecha BETWEEN '2026-12-04' AND '2026-12-04' ") +
                            QString::fromUtf8(filtro).replace(QLatin1String("%1"),
                                                              QLatin1String(tabla)) +
                            QStringLiteral("AND  Viaje.Vj_Folio = %1  AND %2.Es_Cve_Estado  IN "
                                           "('RM','RMT') ")
                                .arg(kEnSql, QLatin1String(tabla));
        EXPECT_EQ(condiciones(), esperado);
        poner(codigo, "");
        poner(descripcion, "");
    }
    EXPECT_TRUE(ids().isEmpty());
}

TEST_F(PantallaReprogramarViaje, FailuresOfTheLoadAreReportedAndNothingIsSavedOverThem) {
    p().Cargar(QStringLiteral("NO EXISTE"), QString());
    EXPECT_EQ(ids(), QStringList{QStringLiteral("ERR-ID:7500018")});
    EXPECT_EQ(condiciones().size(), 2);

    db.exec(QStringLiteral("UPDATE Consulta SET Cs_Texto = 'SELECT x FROM nada WHERE {PARAMETROS}' "
                           "WHERE Cs_Nombre = 'ORDENES_X_VIAJE'"));
    db.exec(QStringLiteral("DELETE FROM Consulta WHERE Cs_Nombre = 'EMBARQUES_X_VIAJE'"));
    p().Cargar(kViaje, QString());
    ASSERT_EQ(mensajes->messages().size(), 2u);
    const forms::Message m = mensajes->messages()[0];
    EXPECT_TRUE(m.title == QStringLiteral("CARGAR DETALLE") &&
                m.text.contains(QLatin1String("nada")))
        << m.text.toStdString();
    EXPECT_EQ(ids(),
              (QStringList{QStringLiteral("ERR-ID:7500013"), QStringLiteral("ERR-ID:7500014")}));

    // A header that cannot be read is not saved over with the defaults shown instead.
    const QString fila = QStringLiteral("SELECT * FROM Viaje");
    for (const char* arreglo :
         {"Vj_Fecha_Inicio_Viaje = '2026-02-30 10:00:00'", "Vj_Kilometro_Final = 'abc'"}) {
        SCOPED_TRACE(arreglo);
        db.exec(QStringLiteral("UPDATE Viaje SET %1").arg(QLatin1String(arreglo)));
        const QList<QStringList> antes = db.rows(fila);
        abrir();
        EXPECT_EQ(ids().value(0), QStringLiteral("ERR-ID:7500019"));
        pulsar("btnB1");
        EXPECT_EQ(ids(), QStringList{QStringLiteral("ERR-ID:7500019")});
        EXPECT_TRUE(traza().filter(QStringLiteral("UPDATE")).isEmpty());
        EXPECT_EQ(db.rows(fila), antes);
        EXPECT_TRUE(p().isVisible());
    }
}

TEST_F(PantallaReprogramarViaje, AcceptChecksTheReadingsThenTheOrderOfTheMoments) {
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

// A save the database refuses, by a fault or because another user holds the write lock, changes
// nothing, is told once, and leaves the screen open with what was typed and the flags as they were.
TEST_F(PantallaReprogramarViaje, ARefusedSaveLeavesTheTripTheScreenAndTheFlagsAsTheyWere) {
    const QString fila = QStringLiteral("SELECT quote(Vj_Fecha_Inicio_Viaje), "
                                        "quote(Vj_Kilometro_Final), * FROM Viaje");
    const QList<QStringList> antes = db.rows(fila);
    for (const bool bloqueado : {true, false}) {
        SCOPED_TRACE(bloqueado ? "bloqueado" : "otro usuario");
        if (bloqueado)
            db.exec(QStringLiteral("CREATE TRIGGER bloqueo BEFORE UPDATE ON Viaje BEGIN SELECT "
                                   "RAISE(ABORT, 'el viaje está bloqueado'); END"));
        abrir();
        dialogo().Aceptado = true;
        caja("txtKmFinal")->setText(QStringLiteral("987654"));
        auto otro = bloqueado ? nullptr : db.open();
        if (otro)
            otro->BeginTrans();
        pulsar("btnB1");
        if (otro)
            otro->RollbackTrans();

        EXPECT_EQ(db.rows(fila), antes);
        EXPECT_FALSE(sesion->connection().inTransaction());
        ASSERT_EQ(mensajes->messages().size(), 1u);
        const forms::Message m = mensajes->messages().front();
        EXPECT_TRUE(m.text.startsWith(QStringLiteral("ActualizaValores() - ")) &&
                    m.text.contains(bloqueado ? QStringLiteral("el viaje está bloqueado")
                                              : QStringLiteral("Otro usuario está guardando")))
            << m.text.toStdString();
        EXPECT_EQ(std::tuple(m.style, m.id), std::tuple(16L, QStringLiteral("ERR-ID:7500012")));
        EXPECT_EQ(banderas(), std::tuple(true, false, true));
        EXPECT_EQ(caja("txtKmFinal")->ValorNumerico(), QStringLiteral("987654"));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        mensajes->clear();
        if (bloqueado)
            db.exec(QStringLiteral("DROP TRIGGER bloqueo"));
    }
}

TEST_F(PantallaReprogramarViaje, LeavingSetsTheFlagsTheBoardReloadsOnAndF4AcceptsOutsideDates) {
    struct Caso {
        const char* como;
        bool recalendarizarAntes, recalendarizarDespues;
    };
    for (const Caso& caso : {Caso{"Cancelar", false, true}, Caso{"Salir", true, false},
                             Caso{"Esc", true, true}, Caso{"Cerrar la ventana", true, false}}) {
        SCOPED_TRACE(caso.como);
        abrir();
        p().Aceptado = true;
        dialogo().Aceptado = caso.recalendarizarAntes;
        const QString como = QString::fromLatin1(caso.como);
        if (como == QLatin1String("Esc"))
            QTest::keyClick(w("txtKmFinal"), Qt::Key_Escape);
        else if (como.startsWith(QLatin1String("Cerrar")))
            p().window()->close();
        else
            pulsar(como == QLatin1String("Cancelar") ? "btnB2" : "btnSalir");
        EXPECT_EQ(banderas(), std::tuple(false, false, caso.recalendarizarDespues));
        EXPECT_TRUE(traza().filter(QStringLiteral("UPDATE")).isEmpty());
    }

    abrir();
    for (const char* nombre : {"dpFechaInicial", "dpFechaFinal", "dpHoraInicial"}) {
        p().ctl(QString::fromLatin1(nombre)).SetFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        EXPECT_EQ(p().isVisible(), nombre != std::string("dpHoraInicial")) << nombre;
    }
    EXPECT_EQ(traza().filter(QStringLiteral("UPDATE Viaje")).size(), 1);
}

TEST_F(PantallaReprogramarViaje, TabsFollowAltDigitsAndClicksListsEnterAndF5) {
    auto pestanas = p().control<IssTbVex>(QStringLiteral("ssTabVex"));
    const auto estado = [&] {
        return std::tuple(pestanas->Tab(), p().ctl(QStringLiteral("fr1")).Enabled(),
                          p().ctl(QStringLiteral("fr2")).Enabled());
    };
    QTest::keyClick(w("txtKmInicial"), Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(estado(), std::tuple(1, false, true));
    for (auto otras : {Qt::ControlModifier, Qt::ShiftModifier, Qt::KeypadModifier})
        QTest::keyClick(w("txtKmInicial"), Qt::Key_1, Qt::AltModifier | otras);
    EXPECT_EQ(pestanas->Tab(), 1);
    QTest::keyClick(w("txtKmInicial"), Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(estado(), std::tuple(0, true, false));
    auto* barra = w("ssTabVex")->findChild<QTabBar*>();
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(1).center());
    EXPECT_EQ(estado(), std::tuple(1, false, true));

    QTest::keyClick(w("lvEmbarques"), Qt::Key_F5);
    EXPECT_TRUE(condiciones().isEmpty());
    QTest::keyClick(w("txtKmInicial"), Qt::Key_1, Qt::AltModifier);
    p().ctl(QStringLiteral("lvOrdenes")).SetFocus();
    QTest::keyClick(w("lvOrdenes"), Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), w("lvOrdenes"));
    traza();
    QTest::keyClick(w("lvOrdenes"), Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_EQ(condiciones().size(), 2);
}

TEST_F(PantallaReprogramarViaje, AnAcceptedDateReprogramsTheOrderAndReloadsBothLists) {
    p().Aceptado = false;
    ASSERT_TRUE(reprogramar("lvOrdenes", [&] {
        EXPECT_EQ(dialogo().Folio(), kOrden);
        EXPECT_EQ(dialogo().monthView(QStringLiteral("MvFechaEntrega")).MinDate(),
                  QDate(2026, 12, 4));
        aceptar();
    }));
    EXPECT_EQ(menu, QStringLiteral("Reprogramar"));
    EXPECT_TRUE(ids().isEmpty());
    EXPECT_EQ(foliosNuevos("Orden_Entrega", "Oe_Folio").size(), 1);
    // The new order is not on the trip, and the old one is no longer reprogrammable.
    EXPECT_TRUE(folios("lvOrdenes").isEmpty());
    EXPECT_EQ(folios("lvEmbarques"), QStringList{kEmbarque});
    EXPECT_EQ(banderas(), std::tuple(true, true, true));
    EXPECT_FALSE(dialogo().isLoaded());
    EXPECT_EQ(dialogo().FechaSeleccionada(), kNueva);

    // An empty list offers no menu.
    EXPECT_FALSE(reprogramar("lvOrdenes", [] {}));
    EXPECT_TRUE(menu.isEmpty());
}

// Nothing is written when the dialog is cancelled, when the record went meanwhile, when no row is
// under the click or when the record's date is no date.
TEST_F(PantallaReprogramarViaje, WhatNeverReachesAnAcceptedDateWritesNothing) {
    const auto antes = tablas();
    EXPECT_FALSE(reprogramar(
        "lvOrdenes", [] {}, 5));
    EXPECT_EQ(ids(), QStringList{QStringLiteral("ERR-ID:7500015")});

    db.exec(QStringLiteral("UPDATE Orden_Entrega SET Oe_Fecha_Entrega = '2026-02-30'"));
    EXPECT_FALSE(reprogramar("lvOrdenes", [] {}));
    ASSERT_EQ(mensajes->messages().size(), 1u);
    EXPECT_EQ(std::tuple(mensajes->messages()[0].id, mensajes->messages()[0].style),
              std::tuple(QStringLiteral("ERR-ID:7500015"), 16L));
    mensajes->clear();
    db.exec(QStringLiteral("UPDATE Orden_Entrega SET Oe_Fecha_Entrega = '2026-12-04'"));

    p().Aceptado = true;
    traza();
    EXPECT_TRUE(reprogramar("lvOrdenes", [&] { escapar(); }));
    EXPECT_FALSE(p().Aceptado);
    EXPECT_TRUE(condiciones().isEmpty());

    // Cancelled by someone else after the list was read: nothing to move, no dialog, no word.
    db.exec(QStringLiteral("UPDATE Orden_Entrega SET Es_Cve_Estado = 'CA'"));
    p().Aceptado = true;
    EXPECT_FALSE(reprogramar("lvOrdenes", [] {}));
    EXPECT_TRUE(p().Aceptado);
    EXPECT_TRUE(ids().isEmpty());
    db.exec(QStringLiteral("UPDATE Orden_Entrega SET Es_Cve_Estado = CASE Oe_ID WHEN 2 THEN 'RMT' "
                           "WHEN 4 THEN 'CA' ELSE 'RM' END"));
    EXPECT_EQ(tablas(), antes);
}

// The row right-clicked is the one offered, the list's last as well as its first.
TEST_F(PantallaReprogramarViaje, TheRowRightClickedIsTheOneOfferedUpToTheLast) {
    QStringList valores = suite::Schema::table(QStringLiteral("Orden_Entrega")).columnNames();
    const QString columnas = valores.join(QStringLiteral(", "));
    valores[0] = QStringLiteral("'0001O''0002'");
    db.exec(QStringLiteral("INSERT INTO Orden_Entrega (%1) SELECT %2 FROM Orden_Entrega")
                .arg(columnas, valores.join(QStringLiteral(", "))));
    db.exec(QStringLiteral("INSERT INTO Viaje_Documento (Vj_Folio, Vd_Tabla, Vd_Documento) VALUES "
                           "(%1, 'ORDEN_ENTREGA', '0001O''0002')")
                .arg(kEnSql));
    abrir();
    const QStringList lista = folios("lvOrdenes");
    ASSERT_EQ(lista.size(), 2);
    for (int fila : {1, 0}) {
        QString ofrecido;
        EXPECT_TRUE(reprogramar(
            "lvOrdenes",
            [&] {
                ofrecido = dialogo().Folio();
                escapar();
            },
            fila));
        EXPECT_EQ(ofrecido, lista[fila]);
    }
}

TEST_F(PantallaReprogramarViaje, AShipmentFillsAnEmptyBranchAndNeverReplacesOne) {
    ASSERT_TRUE(reprogramar("lvEmbarques", [&] { aceptar(); }));
    EXPECT_EQ(p().sucursal(), kSucursal);
    EXPECT_EQ(foliosNuevos("Embarque", "Eb_Folio").size(), 1);

    db.exec(QStringLiteral("UPDATE Embarque SET Es_Cve_Estado = 'RM'"));
    abrir(QStringLiteral("0009"));
    ASSERT_TRUE(reprogramar("lvEmbarques", [&] { aceptar(); }));
    EXPECT_EQ(p().sucursal(), QStringLiteral("0009"));
    EXPECT_TRUE(ids().isEmpty());
}

// A write refused by the database anywhere in the reprogramming leaves every table as it was,
// tells the operator once while the busy pointer still shows, and still reloads both lists.
TEST_F(PantallaReprogramarViaje, AFailureAtAnyWriteLeavesEveryTableAsItWas) {
    sesion->connection().Execute(QStringLiteral("PRAGMA foreign_keys = ON"));
    db.exec(QStringLiteral("CREATE TABLE Ancla (Id INTEGER PRIMARY KEY)"));
    db.exec(QStringLiteral("CREATE TABLE Vigia (Id INTEGER REFERENCES Ancla (Id) DEFERRABLE "
                           "INITIALLY DEFERRED)"));
    struct Caso {
        const char *lista, *disparador, *id, *titulo;
    };
    const Caso casos[] = {
        {"lvOrdenes", "BEFORE INSERT ON Folio", "ERR-ID:7500015", "cmdAceptar()"},
        {"lvOrdenes", "BEFORE UPDATE ON Venta", "ERR-ID:7500016", "Cancelar_Venta()"},
        {"lvOrdenes", "BEFORE UPDATE ON Remision", "ERR-ID:7500017", "Cancelar_Remision()"},
        {"lvOrdenes", "BEFORE INSERT ON Orden_Entrega WHEN NEW.Oe_ID = 1", "ERR-ID:7500015",
         "cmdAceptar()"},
        {"lvOrdenes", "BEFORE INSERT ON Orden_Entrega WHEN NEW.Oe_ID = 3", "ERR-ID:7500015",
         "cmdAceptar()"},
        {"lvOrdenes", "BEFORE INSERT ON Entrega_Documento", "ERR-ID:7500015", "cmdAceptar()"},
        {"lvOrdenes", "BEFORE UPDATE ON Orden_Entrega", "ERR-ID:7500015", "cmdAceptar()"},
        // Refused only at the commit, by a deferred foreign key.
        {"lvOrdenes", nullptr, "ERR-ID:7500015", "cmdAceptar()"},
        {"lvEmbarques", "BEFORE INSERT ON Embarque", "ERR-ID:7500015", "cmdAceptar()"},
        {"lvEmbarques", "BEFORE UPDATE ON Embarque", "ERR-ID:7500015", "cmdAceptar()"},
    };
    std::vector<Qt::CursorShape> punteros;
    mensajes->setOnShow([&](const forms::Message&) {
        punteros.push_back(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                          : Qt::ArrowCursor);
    });
    const auto antes = tablas();
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.disparador ? caso.disparador : "commit");
        db.exec(caso.disparador
                    ? QStringLiteral("CREATE TRIGGER falla %1 BEGIN SELECT RAISE(ABORT, 'falla "
                                     "forzada'); END")
                          .arg(QLatin1String(caso.disparador))
                    : QStringLiteral("CREATE TRIGGER falla AFTER UPDATE ON Orden_Entrega BEGIN "
                                     "INSERT INTO Vigia VALUES (7); END"));
        traza();
        ASSERT_TRUE(reprogramar(caso.lista, [&] { aceptar(); }));
        EXPECT_EQ(tablas(), antes);
        ASSERT_EQ(mensajes->messages().size(), 1u);
        const forms::Message m = mensajes->messages().front();
        EXPECT_EQ(std::tuple(m.id, m.title, m.style),
                  std::tuple(QString::fromLatin1(caso.id), QString::fromLatin1(caso.titulo), 16L));
        EXPECT_TRUE(m.text.contains(caso.disparador ? QStringLiteral("falla forzada")
                                                    : QStringLiteral("FOREIGN KEY")))
            << m.text.toStdString();
        mensajes->clear();
        EXPECT_EQ(condiciones().size(), 2);
        EXPECT_TRUE(p().Aceptado);
        EXPECT_EQ(punteros, std::vector<Qt::CursorShape>{Qt::WaitCursor});
        punteros.clear();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        db.exec(QStringLiteral("DROP TRIGGER falla"));
        QTest::keyClick(p().window(), Qt::Key_1, Qt::AltModifier);
    }
}

// A shape the cache cannot prepare still runs, as text parsed anew each time: only the trace
// tells. Every data-changing statement of a whole session must have come from the cache.
TEST_F(PantallaReprogramarViaje, EveryStatementTheScreensWriteIsServedByTheStatementCache) {
    ASSERT_TRUE(reprogramar("lvOrdenes", [&] { aceptar(); }));
    ASSERT_TRUE(reprogramar("lvEmbarques", [&] { aceptar(); }));
    p().Cargar(kViaje, QString());
    pulsar("btnB1");
    EXPECT_TRUE(ids().isEmpty());

    int escrituras = 0;
    int reusadas = 0;
    for (const ktest::TraceLine& linea : ktest::takeTraceLines(db.path() + ".trace")) {
        if (!linea.sql.trimmed().contains(
                QRegularExpression(QStringLiteral("^(INSERT|UPDATE|DELETE)\\b"))))
            continue;
        ++escrituras;
        reusadas += linea.cache == QLatin1String("hit");
        EXPECT_TRUE(linea.cache == QLatin1String("hit") || linea.cache == QLatin1String("prepared"))
            << "cache [" << linea.cache.toStdString() << "] " << linea.why.toStdString() << "\n"
            << linea.sql.toStdString();
    }
    // The order, its three lines, its links, the shipment, the states and the header.
    EXPECT_GE(escrituras, 10);
    EXPECT_GT(reusadas, 0) << "no shape was ever found again in the cache";

    // The screen answers its contract by name.
    p().Aceptado = true;
    EXPECT_TRUE(com::getProperty(&p(), QStringLiteral("Aceptado")).toBool());
    com::putProperty(&p(), QStringLiteral("aceptado"), false);
    EXPECT_FALSE(p().Aceptado);
    EXPECT_NO_THROW(com::getProperty(&p(), QStringLiteral("Padre")));
}

} // namespace
