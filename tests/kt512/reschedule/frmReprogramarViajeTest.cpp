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
#include <string_view>

using namespace kt512;
using namespace Qt::StringLiterals;

namespace {

using Engine = ktest::TestDatabase::Engine;
// The condition every statement on the trip's header ends with.
const QString kDelViaje = u"WHERE    Vj_Folio = '0001V''0001' AND   Es_cve_estado NOT IN ( 'CE', "
                          "'CA' )"_s;
const QDateTime kNueva(QDate(2026, 12, 20), QTime(0, 0));

class PantallaReprogramarViaje : public ktest::EntornoReprogramacion {
protected:
    using EntornoReprogramacion::EntornoReprogramacion;

    void SetUp() override {
        EntornoReprogramacion::SetUp();
        if (IsSkipped())
            return;
        db.exec("UPDATE Viaje SET Vj_Fecha_Inicio_Viaje = '2026-12-01 08:15:00', "
                "Vj_Fecha_Fin_Viaje = '2026-12-01 17:45:30', Vj_Kilometro_Inicial = '1500.25', "
                "Vj_Kilometro_Final = '1730.5'");
        for (const char* picker : {"dpFechaInicio", "dpFechaFin"})
            publico().board().control<IdpFecha>(picker)->setValue(
                QDateTime(QDate(2026, 12, 4), {}));
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
        for (const QString& sql : traza().filter(u"_Folio AS \"Folio\""_s))
            r << sql.mid(sql.indexOf("WHERE "_L1) + 6).section(u'\n', 0, 0);
        return r;
    }

    void pulsar(const char* boton) { w("Controles")->findChild<QAbstractButton*>(boton)->click(); }
    QWidget* w(const char* nombre) { return p().ctl(nombre).widget(); }
    com::Ptr<ItxtVEX> caja(const char* nombre) { return p().control<ItxtVEX>(nombre); }
    com::Ptr<IdpFecha> fecha(const QString& nombre) { return p().control<IdpFecha>(nombre); }
    // The day and time pickers of one end of the trip, "Inicial" or "Final".
    void momento(const char* extremo, const QDateTime& valor) {
        fecha(u"dpFecha"_s + extremo)->setValue(valor);
        fecha(u"dpHora"_s + extremo)->setValue(valor);
    }
    QDateTime leido(const char* extremo) {
        return QDateTime(fecha(u"dpFecha"_s + extremo)->Value().date(),
                         fecha(u"dpHora"_s + extremo)->Value().time());
    }
    QStringList folios(const char* lista) {
        QStringList r;
        forms::ListView& lv = p().listView(lista);
        for (int i = 1; i <= lv.Count(); ++i)
            r << lv.itemText(i);
        return r;
    }

    // Right-clicks row `fila` of the list (past the last, on no item), picks the first entry of
    // the menu, whose texts land in `menu`, and runs enDialogo once the date dialog shows.
    // True when the dialog was shown.
    bool reprogramar(const char* lista, const std::function<void()>& enDialogo, int fila = 0) {
        const bool embarques = std::string_view(lista) == "lvEmbarques";
        QTest::keyClick(p().window(), embarques ? Qt::Key_2 : Qt::Key_1, Qt::AltModifier);
        bool visto = false;
        int esperas = 0;
        menu.clear();
        QTimer vigia;
        QObject::connect(&vigia, &QTimer::timeout, [&] {
            if (auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* a : m->actions())
                    menu += a->text();
                m->setActiveAction(m->actions().value(0));
                QTest::keyClick(m, Qt::Key_Return);
            } else if (!visto && dialogo().isVisible() &&
                       // Keys and focus need the dialog to be the active window.
                       (dialogo().window()->isActiveWindow() || ++esperas > 500)) {
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
        dialogo().monthView(u"MvFechaEntrega"_s).setValue(kNueva.date());
        qobject_cast<QAbstractButton*>(dialogo().ctl(u"cmdAceptar"_s).widget())->click();
    }
    void escapar() { QTest::keyClick(dialogo().window(), Qt::Key_Escape); }
    QWidget* enDialogo(const char* nombre) { return dialogo().ctl(nombre).widget(); }
    QAbstractItemView* dias() {
        return enDialogo("MvFechaEntrega")->findChild<QAbstractItemView*>();
    }
    // Clicks a day of December 2026 (it starts on a Tuesday) in the dialog's calendar, once the
    // right button that opened the menu is up.
    void clicEnDia(int dia, bool doble = false) {
        QTest::mouseRelease(p().window()->windowHandle(), Qt::RightButton);
        QAbstractItemModel* modelo = dias()->model();
        for (int r = 1; r < modelo->rowCount(); ++r)
            for (int c = 0; c < modelo->columnCount(); ++c) {
                const QModelIndex i = modelo->index(r, c);
                if (i.data().toInt() != dia || (dia >= 20 && r <= 2) || (dia <= 10 && r >= 4))
                    continue;
                QWindow* ventana = dias()->window()->windowHandle();
                const QPoint punto =
                    dias()->viewport()->mapTo(dias()->window(), dias()->visualRect(i).center());
                if (doble)
                    return QTest::mouseDClick(ventana, Qt::LeftButton, {}, punto);
                return QTest::mouseClick(ventana, Qt::LeftButton, {}, punto);
            }
        ADD_FAILURE() << "no day " << dia;
    }
    // The one message shown since the last call.
    forms::Message mensaje() {
        const auto m = mensajes->messages();
        mensajes->clear();
        EXPECT_EQ(m.size(), 1u);
        return m.empty() ? forms::Message() : m.front();
    }

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
    EXPECT_EQ(traza().filter(u"Viaje"_s).value(0),
              "SELECT ISNULL(Vj_Fecha_Inicio_Viaje,  '') AS Fecha_Inicio ,   CONVERT(VARCHAR, "
              "ISNULL(Vj_Fecha_Inicio_Viaje,  ''), 108) AS Hora_Inicio, "
              "ISNULL(Vj_Fecha_Fin_Viaje,'') AS Fecha_Fin ,   CONVERT(VARCHAR, "
              "ISNULL(Vj_Fecha_Fin_Viaje,  ''), 108) AS Hora_Fin, ISNULL(Vj_Kilometro_Inicial,0) "
              "AS Km_Inicial ,ISNULL(Vj_Kilometro_Final, 0) As Km_Final FROM    Viaje " +
                  kDelViaje);
    EXPECT_EQ(folios("lvOrdenes"), QStringList{kOrden});
    EXPECT_EQ(folios("lvEmbarques"), QStringList{kEmbarque});
    EXPECT_EQ(leido("Final"), QDateTime(QDate(2026, 12, 1), QTime(17, 45, 30)));
    const auto* barra = dynamic_cast<suite::Controles*>(p().control<IControles>("Controles").get());
    EXPECT_TRUE(barra->notificaciones() >= 1 && !barra->ultimaNotificacion())
        << "the activation does not reach the bar";

    dialogo().Aceptado = true;
    caja("txtKmInicial")->setText("123456789.123456789");
    caja("txtKmFinal")->setText("123456790.000000001");
    const QDateTime inicio(QDate(2026, 12, 3), QTime(7, 5, 9)), fin(QDate(2026, 12, 4), {18, 30});
    momento("Inicial", inicio);
    momento("Final", fin);
    pulsar("btnB1");
    EXPECT_EQ(traza().filter(QRegularExpression(u"^(BEGIN|COMMIT|ROLLBACK|UPDATE)"_s)),
              (QStringList{"BEGIN TRANSACTION",
                           "UPDATE Viaje SET    Vj_Fecha_Inicio_Viaje ='2026-12-03 07:05:09',    "
                           "Vj_Fecha_Fin_Viaje ='2026-12-04 18:30:00',    Vj_Kilometro_Inicial "
                           "='123456789.123456789',    Vj_Kilometro_Final ='123456790.000000001' " +
                               kDelViaje,
                           "COMMIT TRANSACTION"}));
    EXPECT_EQ(banderas(), std::tuple(false, true, false));

    p().Unload();
    abrir();
    EXPECT_EQ(std::tuple(caja("txtKmInicial")->ValorNumerico(), caja("txtKmFinal")->ValorNumerico(),
                         leido("Inicial"), leido("Final")),
              std::tuple(u"123456789.123456789"_s, u"123456790.000000001"_s, inicio, fin));

    // A trip never started opens on the server's date at midnight.
    db.exec("UPDATE Viaje SET Vj_Fecha_Inicio_Viaje = NULL");
    const QDate hoy = Funciones().FechaServidor().date();
    abrir();
    const QDate abierto = fecha(u"dpFechaInicial"_s)->Value().date();
    EXPECT_TRUE(abierto == hoy || abierto == Funciones().FechaServidor().date());
    EXPECT_EQ(fecha(u"dpHoraInicial"_s)->Value().time(), QTime(0, 0));
    EXPECT_TRUE(ids().isEmpty());
}

TEST_F(PantallaReprogramarViaje, TheTitleNamesTheTripAndItsBranchWhereThereIsOne) {
    db.exec("INSERT INTO Sucursal (Sc_Cve_Sucursal, Sc_Descripcion, Es_Cve_Estado) VALUES "
            "('0001', 'Monterrey O''Neill', 'AC')");
    const std::pair<const char*, const char*> casos[] = {
        {"0001", ", sucursal 0001 Monterrey O'Neill"},
        {"MTY", ", sucursal MTY"}, // missing from the catalogue
        {"  ", ""},                // nothing of the previous trip's branch is left
    };
    for (const auto& [sucursal, cola] : casos) {
        p().Cargar(kViaje, sucursal);
        const QString titulo = u"Reprogramar viajes — Viaje 0001V'0001"_s + cola;
        EXPECT_EQ(p().window()->windowTitle(), titulo);
        EXPECT_EQ(w("Controles")->findChild<QLabel*>(u"caption"_s)->text(), titulo);
    }
}

TEST_F(PantallaReprogramarViaje, TheDetailConditionCarriesEachFilterWhoseDescriptionIsSet) {
    const auto poner = [&](const char* nombre, const char* texto) {
        publico().filtros().control<ItxtVEX>(nombre)->setText(texto);
    };
    const std::tuple<const char*, const char*, const char*, const char*> casos[] = {
        {"txtTipoVehiculo", "0'2", "txtNTipoVehiculo", " AND %1.Oe_Tipo_Vehiculo = '0''2' "},
        {"txtEstado", "TR", "txtNEstado", "  AND Viaje.Es_Cve_Estado = 'TR' "},
        {"txtChofer", "0007", "txtNChofer", " AND Viaje.Ch_Cve_Chofer = '0007' "},
        // A code the catalogue did not find leaves its description empty: no condition.
        {"txtChofer", "9999", "txtNChofer", ""},
    };
    for (const auto& [codigo, valor, descripcion, filtro] : casos) {
        SCOPED_TRACE(valor);
        poner(codigo, valor);
        poner(descripcion, *filtro ? "elegido" : "");
        traza();
        p().Cargar(kViaje, QString());
        QStringList esperado;
        for (const QString& tabla : {u"Orden_Entrega"_s, u"Embarque"_s})
            esperado << " Viaje.Vj_Fecha BETWEEN '2026-12-04' AND '2026-12-04' " +
                            QString::fromUtf8(filtro).replace("%1"_L1, tabla) +
                            u"AND  Viaje.Vj_Folio = '0001V''0001'  AND %1.Es_Cve_Estado  IN "
                            "('RM','RMT') "_s.arg(tabla);
        EXPECT_EQ(condiciones(), esperado);
        poner(codigo, "");
        poner(descripcion, "");
    }
    EXPECT_TRUE(ids().isEmpty());
}

TEST_F(PantallaReprogramarViaje, FailuresOfTheLoadAreReportedAndNothingIsSavedOverThem) {
    p().Cargar(u"NO EXISTE"_s, QString());
    EXPECT_EQ(ids(), QStringList{u"ERR-ID:7500018"_s});
    EXPECT_EQ(condiciones().size(), 2);

    db.exec("UPDATE Consulta SET Cs_Texto = 'SELECT x FROM nada WHERE {PARAMETROS}' WHERE "
            "Cs_Nombre = 'ORDENES_X_VIAJE'");
    db.exec("DELETE FROM Consulta WHERE Cs_Nombre = 'EMBARQUES_X_VIAJE'");
    p().Cargar(kViaje, QString());
    ASSERT_EQ(mensajes->messages().size(), 2u);
    const forms::Message m = mensajes->messages()[0];
    EXPECT_TRUE(m.title == "CARGAR DETALLE"_L1 && m.text.contains("nada"_L1))
        << m.text.toStdString();
    EXPECT_EQ(ids(), (QStringList{u"ERR-ID:7500013"_s, u"ERR-ID:7500014"_s}));

    // A header that cannot be read is not saved over with the defaults shown instead.
    for (const char* arreglo :
         {"Vj_Fecha_Inicio_Viaje = '2026-02-30 10:00:00'", "Vj_Kilometro_Final = 'abc'"}) {
        SCOPED_TRACE(arreglo);
        db.exec(u"UPDATE Viaje SET "_s + arreglo);
        abrir();
        EXPECT_EQ(ids().value(0), "ERR-ID:7500019");
        pulsar("btnB1");
        EXPECT_EQ(ids(), QStringList{u"ERR-ID:7500019"_s});
        EXPECT_TRUE(traza().filter(u"UPDATE"_s).isEmpty());
        EXPECT_TRUE(p().isVisible());
    }
}

TEST_F(PantallaReprogramarViaje, AcceptChecksTheReadingsThenTheOrderOfTheMoments) {
    momento("Inicial", QDateTime(QDate(2026, 12, 2), QTime(9, 0)));
    momento("Final", QDateTime(QDate(2026, 12, 2), QTime(8, 59)));
    for (const auto& [inicial, final_] :
         {std::pair{"1000000000", "1000000000"}, std::pair{"999999999.999999999", "1000000000"},
          std::pair{"999999999.999999999", "999999999"}}) {
        caja("txtKmInicial")->setText(inicial);
        caja("txtKmFinal")->setText(final_);
        pulsar("btnB1");
    }
    for (const auto& m : mensajes->messages())
        EXPECT_EQ(std::tuple(m.style, m.title, m.module), std::tuple(48L, "Kestrova", "KT512"));
    EXPECT_EQ(ids(), (QStringList{"ERR-ID:7500009", "ERR-ID:7500010", "ERR-ID:7500011"}));
    EXPECT_EQ(p().ActiveControlName(), "dpFechaInicial");
    traza();

    // The same moment at both ends passes.
    momento("Final", QDateTime(QDate(2026, 12, 2), QTime(9, 0)));
    pulsar("btnB1");
    EXPECT_TRUE(ids().isEmpty());
    EXPECT_EQ(traza().filter(u"UPDATE Viaje"_s).size(), 1);
}

// A save the database refuses, by a fault or because another user holds the write lock, changes
// nothing, is told once, and leaves the screen open with what was typed and the flags as they were.
TEST_F(PantallaReprogramarViaje, ARefusedSaveLeavesTheTripTheScreenAndTheFlagsAsTheyWere) {
    const QString fila = u"SELECT quote(Vj_Fecha_Inicio_Viaje), quote(Vj_Kilometro_Final), * "
                         "FROM Viaje"_s;
    const QList<QStringList> antes = db.rows(fila);
    for (const bool bloqueado : {true, false}) {
        SCOPED_TRACE(bloqueado ? "bloqueado" : "otro usuario");
        if (bloqueado)
            db.exec("CREATE TRIGGER bloqueo BEFORE UPDATE ON Viaje BEGIN SELECT RAISE(ABORT, 'el "
                    "viaje está bloqueado'); END");
        abrir();
        dialogo().Aceptado = true;
        caja("txtKmFinal")->setText("987654");
        auto otro = bloqueado ? nullptr : db.open();
        if (otro)
            otro->BeginTrans();
        pulsar("btnB1");
        if (otro)
            otro->RollbackTrans();

        EXPECT_EQ(db.rows(fila), antes);
        EXPECT_FALSE(sesion->connection().inTransaction());
        const forms::Message m = mensaje();
        EXPECT_EQ(std::tuple(m.id, m.title, m.style),
                  std::tuple("ERR-ID:7500012", "Kestrova", 16L));
        EXPECT_TRUE(m.text.startsWith("ActualizaValores() - "_L1) &&
                    m.text.contains(bloqueado ? u"el viaje está bloqueado"_s
                                              : u"Otro usuario está guardando"_s))
            << m.text.toStdString();
        EXPECT_EQ(banderas(), std::tuple(true, false, true));
        EXPECT_EQ(caja("txtKmFinal")->ValorNumerico(), "987654");
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        if (bloqueado)
            db.exec("DROP TRIGGER bloqueo");
    }
}

TEST_F(PantallaReprogramarViaje, LeavingSetsTheFlagsTheBoardReloadsOnAndF4AcceptsOutsideDates) {
    // How the screen is left, the dialog's flag before and the one the board then reads.
    const std::tuple<const char*, bool, bool> casos[] = {
        {"Cancelar", false, true}, {"Salir", true, false}, {"Esc", true, true}, {"X", true, false}};
    for (const auto& [como, antes, despues] : casos) {
        SCOPED_TRACE(como);
        abrir();
        p().Aceptado = true;
        dialogo().Aceptado = antes;
        if (std::string_view(como) == "Esc")
            QTest::keyClick(w("txtKmFinal"), Qt::Key_Escape);
        else if (std::string_view(como) == "X")
            p().window()->close();
        else
            pulsar(std::string_view(como) == "Cancelar" ? "btnB2" : "btnSalir");
        EXPECT_EQ(banderas(), std::tuple(false, false, despues));
        EXPECT_TRUE(traza().filter(u"UPDATE"_s).isEmpty());
    }

    abrir();
    for (const char* nombre : {"dpFechaInicial", "dpFechaFinal", "dpHoraInicial"}) {
        p().ctl(nombre).SetFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        EXPECT_EQ(p().isVisible(), std::string_view(nombre) != "dpHoraInicial") << nombre;
    }
    EXPECT_EQ(traza().filter(u"UPDATE Viaje"_s).size(), 1);
}

TEST_F(PantallaReprogramarViaje, TabsFollowAltDigitsAndClicksListsEnterAndF5) {
    const auto estado = [&] {
        return std::tuple(p().control<IssTbVex>("ssTabVex")->Tab(), p().ctl("fr1").Enabled(),
                          p().ctl("fr2").Enabled());
    };
    // Alt with another modifier picks no tab; a click on the strip does, as Alt and a digit do.
    for (auto otras : {Qt::ControlModifier, Qt::ShiftModifier, Qt::KeypadModifier})
        QTest::keyClick(w("txtKmInicial"), Qt::Key_2, Qt::AltModifier | otras);
    EXPECT_EQ(estado(), std::tuple(0, true, false));
    auto* barra = w("ssTabVex")->findChild<QTabBar*>();
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(1).center());
    EXPECT_EQ(estado(), std::tuple(1, false, true));
    QTest::keyClick(w("lvEmbarques"), Qt::Key_F5);
    EXPECT_TRUE(condiciones().isEmpty());
    QTest::keyClick(w("txtKmInicial"), Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(estado(), std::tuple(0, true, false));
    p().ctl("lvOrdenes").SetFocus();
    QTest::keyClick(w("lvOrdenes"), Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), w("lvOrdenes"));
    traza();
    QTest::keyClick(w("lvOrdenes"), Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_EQ(condiciones().size(), 2);
}

// An order, then a shipment, reprogrammed from their lists, and the header saved: every
// data-changing statement of the session must come from the statement cache. A shape the cache
// cannot prepare still runs, as text parsed anew each time: only the trace tells.
TEST_F(PantallaReprogramarViaje, AcceptedDatesReprogramFromTheListsThroughTheStatementCache) {
    p().Aceptado = false;
    ASSERT_TRUE(reprogramar("lvOrdenes", [&] { aceptar(); }));
    EXPECT_EQ(menu, "Reprogramar");
    // The new order is not on the trip, and the old one is no longer reprogrammable.
    EXPECT_TRUE(folios("lvOrdenes").isEmpty());
    EXPECT_EQ(folios("lvEmbarques"), QStringList{kEmbarque});
    EXPECT_EQ(banderas(), std::tuple(true, true, true));
    EXPECT_FALSE(dialogo().isLoaded());
    // A shipment fills the screen's empty branch with its own.
    ASSERT_TRUE(reprogramar("lvEmbarques", [&] { aceptar(); }));
    EXPECT_EQ(p().sucursal(), kSucursal);
    p().Cargar(kViaje, QString());
    pulsar("btnB1");
    EXPECT_TRUE(ids().isEmpty());

    int escrituras = 0;
    int reusadas = 0;
    for (const ktest::TraceLine& linea : ktest::takeTraceLines(db.path() + ".trace")) {
        if (!linea.sql.trimmed().contains(QRegularExpression(u"^(INSERT|UPDATE|DELETE)\\b"_s)))
            continue;
        ++escrituras;
        reusadas += linea.cache == "hit"_L1;
        EXPECT_TRUE(linea.cache == "hit"_L1 || linea.cache == "prepared"_L1)
            << "cache [" << linea.cache.toStdString() << "] " << linea.why.toStdString() << "\n"
            << linea.sql.toStdString();
    }
    // The order, its three lines, its links, the shipment, the states and the header.
    EXPECT_GE(escrituras, 10);
    EXPECT_GT(reusadas, 0) << "no shape was ever found again in the cache";

    // An empty list offers no menu; a branch the screen has is never replaced.
    EXPECT_FALSE(reprogramar("lvOrdenes", [] {}));
    EXPECT_TRUE(menu.isEmpty());
    db.exec("UPDATE Embarque SET Es_Cve_Estado = 'RM'");
    abrir(u"0009"_s);
    ASSERT_TRUE(reprogramar("lvEmbarques", [&] { aceptar(); }));
    EXPECT_EQ(p().sucursal(), "0009");
    EXPECT_TRUE(ids().isEmpty());

    // The screen answers its contract by name.
    EXPECT_TRUE(p().Aceptado && com::getProperty(&p(), u"Aceptado"_s).toBool());
    com::putProperty(&p(), u"aceptado"_s, false);
    EXPECT_FALSE(p().Aceptado);
    EXPECT_NO_THROW(com::getProperty(&p(), u"Padre"_s));
}

// Nothing is written when no row is under the click, when the record's date is no date, when the
// dialog is cancelled or when the record went meanwhile; the row offered is the one clicked, the
// list's last as well as its first.
TEST_F(PantallaReprogramarViaje, OnlyTheRowClickedIsOfferedAndNothingShortOfAnAcceptedDateWrites) {
    QStringList valores = suite::Schema::table(u"Orden_Entrega"_s).columnNames();
    const QString columnas = valores.join(u", "_s);
    valores[0] = u"'0001O''0002'"_s;
    db.exec(u"INSERT INTO Orden_Entrega (%1) SELECT %2 FROM Orden_Entrega"_s.arg(
        columnas, valores.join(u", "_s)));
    db.exec("INSERT INTO Viaje_Documento (Vj_Folio, Vd_Tabla, Vd_Documento) VALUES "
            "('0001V''0001', 'ORDEN_ENTREGA', '0001O''0002')");
    abrir();
    const QStringList lista = folios("lvOrdenes");
    ASSERT_EQ(lista.size(), 2);
    const auto antes = tablas();
    // Past the last row, on no item.
    EXPECT_FALSE(reprogramar(
        "lvOrdenes", [] {}, 5));
    EXPECT_EQ(ids(), QStringList{u"ERR-ID:7500015"_s});
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

    db.exec("UPDATE Orden_Entrega SET Oe_Fecha_Entrega = '2026-02-30'");
    EXPECT_FALSE(reprogramar("lvOrdenes", [] {}));
    const forms::Message m = mensaje();
    EXPECT_EQ(std::tuple(m.id, m.title, m.style),
              std::tuple("ERR-ID:7500015", "cmdAceptar()", 16L));
    db.exec("UPDATE Orden_Entrega SET Oe_Fecha_Entrega = '2026-12-04'");

    p().Aceptado = true;
    traza();
    EXPECT_TRUE(reprogramar("lvOrdenes", [&] { escapar(); }));
    EXPECT_FALSE(p().Aceptado);
    EXPECT_TRUE(condiciones().isEmpty());

    // Cancelled by someone else after the list was read: nothing to move, no dialog, no word.
    db.exec("UPDATE Orden_Entrega SET Es_Cve_Estado = 'CA'");
    p().Aceptado = true;
    EXPECT_FALSE(reprogramar("lvOrdenes", [] {}));
    EXPECT_TRUE(p().Aceptado);
    EXPECT_TRUE(ids().isEmpty());
    db.exec("UPDATE Orden_Entrega SET Es_Cve_Estado = CASE Oe_ID WHEN 2 THEN 'RMT' WHEN 4 THEN "
            "'CA' ELSE 'RM' END");
    EXPECT_EQ(tablas(), antes);
}

// The date dialog opens on the record's day: that day, whatever its time, or a later one is
// accepted; an earlier one is refused and the dialog stays; every other way out cancels.
TEST_F(PantallaReprogramarViaje, TheDateDialogTakesTheRecordsDayOrALaterOneAndOtherExitsCancel) {
    const std::pair<const char*, std::function<void()>> salidas[] = {
        {"Cancelar", [&] { qobject_cast<QAbstractButton*>(enDialogo("cmdCancelar"))->click(); }},
        {"Esc en el calendario",
         [&] {
             enDialogo("MvFechaEntrega")->setFocus();
             QTest::keyClick(dias(), Qt::Key_Escape);
         }},
        {"salir de la barra",
         [&] { enDialogo("Titulo")->findChild<QAbstractButton*>("btnSalir")->click(); }},
        {"cerrar la ventana", [&] { dialogo().window()->close(); }},
    };
    const auto antes = tablas();
    for (const auto& [como, salir] : salidas) {
        SCOPED_TRACE(como);
        EXPECT_TRUE(reprogramar("lvOrdenes", [&] {
            dialogo().monthView("MvFechaEntrega").setValue(QDate(2026, 12, 3));
            qobject_cast<QAbstractButton*>(enDialogo("cmdAceptar"))->click();
            EXPECT_TRUE(dialogo().isVisible());
            salir();
        }));
        EXPECT_FALSE(dialogo().Aceptado);
        const forms::Message m = mensaje();
        EXPECT_EQ(std::tuple(m.text, m.style, m.title, m.module, m.id),
                  std::tuple("La fecha de entrega no puede ser menor a la fecha actual", 48L,
                             "Kestrova", "KT512", "ERR-ID:7500008"));
    }
    EXPECT_EQ(tablas(), antes);

    db.exec("UPDATE Orden_Entrega SET Oe_Fecha_Entrega = '2026-12-10 15:30:45'");
    ASSERT_TRUE(reprogramar(
        "lvOrdenes", [&] { qobject_cast<QAbstractButton*>(enDialogo("cmdAceptar"))->click(); }));
    EXPECT_EQ(dialogo().FechaSeleccionada(), QDateTime(QDate(2026, 12, 10), QTime(0, 0)));
    // F4 in the calendar accepts (the order again, its remission gone with the first copy).
    db.exec("UPDATE Orden_Entrega SET Es_Cve_Estado = 'RM', Rm_Folio = NULL");
    abrir();
    ASSERT_TRUE(reprogramar("lvOrdenes", [&] {
        dialogo().monthView("MvFechaEntrega").setValue(QDate(2026, 12, 31));
        enDialogo("MvFechaEntrega")->setFocus();
        QTest::keyClick(dias(), Qt::Key_F4);
    }));
    EXPECT_EQ(dialogo().FechaSeleccionada().date(), QDate(2026, 12, 31));
    // A single click only moves the focus; a double click on a later day accepts it.
    ASSERT_TRUE(reprogramar("lvEmbarques", [&] {
        clicEnDia(2);
        EXPECT_EQ(QApplication::focusWidget(), enDialogo("cmdAceptar"));
        EXPECT_TRUE(dialogo().isVisible());
        clicEnDia(12, true);
    }));
    EXPECT_EQ(dialogo().FechaSeleccionada().date(), QDate(2026, 12, 12));
    EXPECT_TRUE(dialogo().Aceptado);
    EXPECT_TRUE(ids().isEmpty());
}

// A write refused by the database anywhere in the reprogramming leaves every table as it was,
// tells the operator once while the busy pointer still shows, and still reloads both lists.
TEST_F(PantallaReprogramarViaje, AFailureAtAnyWriteLeavesEveryTableAsItWas) {
    sesion->connection().Execute(u"PRAGMA foreign_keys = ON"_s);
    db.exec("CREATE TABLE Ancla (Id INTEGER PRIMARY KEY)");
    db.exec("CREATE TABLE Vigia (Id INTEGER REFERENCES Ancla (Id) DEFERRABLE INITIALLY DEFERRED)");
    // The list, the trigger that refuses (none: a deferred foreign key refuses the commit), and
    // the message's id and title.
    const std::tuple<const char*, const char*, const char*, const char*> casos[] = {
        {"lvOrdenes", "BEFORE INSERT ON Folio", "ERR-ID:7500015", "cmdAceptar()"},
        {"lvOrdenes", "BEFORE UPDATE ON Venta", "ERR-ID:7500016", "Cancelar_Venta()"},
        {"lvOrdenes", "BEFORE UPDATE ON Remision", "ERR-ID:7500017", "Cancelar_Remision()"},
        // The last line of the copy.
        {"lvOrdenes", "BEFORE INSERT ON Orden_Entrega WHEN NEW.Oe_ID = 3", "ERR-ID:7500015",
         "cmdAceptar()"},
        {"lvOrdenes", "BEFORE INSERT ON Entrega_Documento", "ERR-ID:7500015", "cmdAceptar()"},
        {"lvOrdenes", "BEFORE UPDATE ON Orden_Entrega", "ERR-ID:7500015", "cmdAceptar()"},
        {"lvOrdenes", nullptr, "ERR-ID:7500015", "cmdAceptar()"},
        {"lvEmbarques", "BEFORE INSERT ON Embarque", "ERR-ID:7500015", "cmdAceptar()"},
    };
    std::vector<Qt::CursorShape> punteros;
    mensajes->setOnShow([&](const forms::Message&) {
        punteros.push_back(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                          : Qt::ArrowCursor);
    });
    const auto antes = tablas();
    for (const auto& [lista, disparador, id, titulo] : casos) {
        SCOPED_TRACE(disparador ? disparador : "commit");
        db.exec(disparador ? u"CREATE TRIGGER falla %1 BEGIN SELECT RAISE(ABORT, 'falla forzada'); "
                             "END"_s.arg(QLatin1String(disparador))
                           : u"CREATE TRIGGER falla AFTER UPDATE ON Orden_Entrega BEGIN INSERT "
                             "INTO Vigia VALUES (7); END"_s);
        traza();
        ASSERT_TRUE(reprogramar(lista, [&] { aceptar(); }));
        EXPECT_EQ(tablas(), antes);
        const forms::Message m = mensaje();
        EXPECT_EQ(std::tuple(m.id, m.title, m.style), std::tuple(id, titulo, 16L));
        EXPECT_TRUE(m.text.contains(disparador ? "falla forzada"_L1 : "FOREIGN KEY"_L1))
            << m.text.toStdString();
        EXPECT_EQ(condiciones().size(), 2);
        EXPECT_TRUE(p().Aceptado);
        EXPECT_EQ(punteros, std::vector<Qt::CursorShape>{Qt::WaitCursor});
        punteros.clear();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        db.exec("DROP TRIGGER falla");
    }
}

} // namespace
