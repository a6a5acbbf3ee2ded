// The rescheduling screen over recording host services and a recording connection: the exact
// statements it sends, its checks, its flags, keys, tabs and lists.

#include "kt512/reschedule/frmReprogramarViaje.h"
#include "ConexionGrabada.h"
#include "kt512/filters/frmFiltros.h"
#include "kt512/reprogram/frmRecalendarizar.h"
#include "kt512/services/ClassIds.h"
#include "kt512/services/IFormatoLista.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/services/IssTbVex.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/shell/Publico.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/FunctionFactory.h"
#include "platform/com/Runtime.h"
#include "platform/forms/ListView.h"
#include "platform/forms/TimerSwitch.h"
#include "suite/controls/ControlKit.h"
#include "suite/host/HostSession.h"
#include "tests/support/FakeFunciones.h"
#include "tests/support/FakeSistema.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QMenu>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kt512;

namespace {

class FormatoContado : public com::Object<IFormatoLista> {
public:
    explicit FormatoContado(int& aplicados) : m_aplicados(aplicados) {}
    void Aplicar(forms::ListView&) override { ++m_aplicados; }

private:
    int& m_aplicados;
};

const QString kFolio = QStringLiteral("V0'01");

class PantallaReprogramar : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        forms::setTimersPaused(true);
        runtime = std::make_unique<com::Runtime>(dir.filePath(QStringLiteral("registry.json")));
        auto propia = std::make_unique<ktest::ConexionGrabada>();
        conexion = propia.get();
        sesion = std::make_shared<suite::HostSession>(std::move(propia), QStringLiteral("PRUEBA"));
        suite::registerControlKit(*runtime, sesion);
        runtime->registerClassObject(
            ClassIds::FormatoLista, QStringLiteral("Kestrova.FormatoLista"),
            com::Ptr<com::IClassFactory>::adopt(com::make<com::FunctionFactory>(
                [this]() -> com::IUnknown* { return new FormatoContado(formatosAplicados); })));
        sistema = com::Ptr<ktest::FakeSistema>::adopt(com::make<ktest::FakeSistema>());
        funciones = com::Ptr<ktest::FakeFunciones>::adopt(com::make<ktest::FakeFunciones>());
        sistema->conexion = conexion;
        funciones->consultas = {
            {QStringLiteral("Viajes"), QStringLiteral("VIAJES {PARAMETROS}")},
            {QStringLiteral("ORDENES_X_VIAJE"), QStringLiteral("ORDENES {PARAMETROS}")},
            {QStringLiteral("EMBARQUES_X_VIAJE"), QStringLiteral("EMBARQUES {PARAMETROS}")}};
        funciones->filas = {{QStringLiteral("OE0001")}, {QStringLiteral("OE0002")}};
        publico = std::make_unique<Publico>(com::Ptr<ISistema>(sistema.get()),
                                            com::Ptr<IFunciones>(funciones.get()));
        conexion->filas = {filaDelViaje()};
        rangoDelTablero(QDate(2026, 12, 1), QDate(2026, 12, 31));
        funciones->sqlListas.clear();
        formatosAplicados = 0;
    }

    void TearDown() override {
        publico.reset();
        forms::setTimersPaused(false);
    }

    static ktest::Fila filaDelViaje() {
        return {{QStringLiteral("Fecha_Inicio"), QDateTime(QDate(2026, 12, 1), QTime(8, 15))},
                {QStringLiteral("Hora_Inicio"), QStringLiteral("08:15:00")},
                {QStringLiteral("Fecha_Fin"), QDateTime(QDate(2026, 12, 1), QTime(17, 45, 30))},
                {QStringLiteral("Hora_Fin"), QStringLiteral("17:45:30")},
                {QStringLiteral("Km_Inicial"), 1500.25},
                {QStringLiteral("Km_Final"), QStringLiteral("1730.5")}};
    }

    void rangoDelTablero(const QDate& desde, const QDate& hasta) {
        frmKT512& tablero = publico->board();
        tablero.control<IdpFecha>(QStringLiteral("dpFechaInicio"))->setValue(QDateTime(desde, {}));
        tablero.control<IdpFecha>(QStringLiteral("dpFechaFin"))->setValue(QDateTime(hasta, {}));
    }

    frmReprogramarViaje& pantalla() { return publico->reprogramarViaje(); }

    // Loads the trip and shows the screen as the board would, without waiting on it.
    frmReprogramarViaje& abrir() {
        frmReprogramarViaje& p = pantalla();
        p.Cargar(kFolio, QStringLiteral("0001"));
        p.Show();
        p.window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(p.window()));
        conexion->sentencias.clear();
        sistema->mensajes.clear();
        funciones->sqlListas.clear();
        return p;
    }

    // The condition texts of the detail lists filled since the last clear, by list.
    QStringList condiciones(const QString& lista) const {
        QStringList r;
        for (const QString& sql : funciones->sqlListas)
            if (sql.startsWith(lista + QLatin1Char(' ')))
                r << sql.mid(lista.size() + 1);
        return r;
    }

    void kilometros(const QString& inicial, const QString& final_) {
        pantalla().control<ItxtVEX>(QStringLiteral("txtKmInicial"))->setText(inicial);
        pantalla().control<ItxtVEX>(QStringLiteral("txtKmFinal"))->setText(final_);
    }

    void momento(const char* fecha, const char* hora, const QDateTime& valor) {
        pantalla().control<IdpFecha>(QString::fromLatin1(fecha))->setValue(valor);
        pantalla().control<IdpFecha>(QString::fromLatin1(hora))->setValue(valor);
    }

    // The toolbar's buttons: "btnB1" (Aceptar), "btnB2" (Cancelar), "btnSalir" (hidden here).
    void pulsar(const char* boton) {
        auto* b = pantalla()
                      .ctl(QStringLiteral("Controles"))
                      .widget()
                      ->findChild<QAbstractButton*>(QString::fromLatin1(boton));
        ASSERT_NE(b, nullptr) << boton;
        b->click();
    }

    QWidget* widget(const char* nombre) {
        return pantalla().ctl(QString::fromLatin1(nombre)).widget();
    }

    QStringList idsMostrados() const {
        QStringList r;
        for (const auto& m : sistema->mensajes)
            r << m.idError;
        return r;
    }

    QTemporaryDir dir;
    std::unique_ptr<com::Runtime> runtime;
    ktest::ConexionGrabada* conexion = nullptr;
    std::shared_ptr<suite::HostSession> sesion;
    com::Ptr<ktest::FakeSistema> sistema;
    com::Ptr<ktest::FakeFunciones> funciones;
    std::unique_ptr<Publico> publico;
    int formatosAplicados = 0;
};

TEST_F(PantallaReprogramar, CargarReadsTheHeaderAndFillsBothListsInOrder) {
    funciones->llamadas.clear();
    pantalla().Cargar(kFolio, QStringLiteral("0001"));

    EXPECT_EQ(conexion->sentenciasDelViaje(),
              QStringList{QStringLiteral(
                  "SELECT ISNULL(Vj_Fecha_Inicio_Viaje,  '') AS Fecha_Inicio ,   "
                  "CONVERT(VARCHAR, ISNULL(Vj_Fecha_Inicio_Viaje,  ''), 108) AS Hora_Inicio, "
                  "ISNULL(Vj_Fecha_Fin_Viaje,'') AS Fecha_Fin ,   CONVERT(VARCHAR, "
                  "ISNULL(Vj_Fecha_Fin_Viaje,  ''), 108) AS Hora_Fin, "
                  "ISNULL(Vj_Kilometro_Inicial,0) AS Km_Inicial ,ISNULL(Vj_Kilometro_Final, 0) "
                  "As Km_Final FROM    Viaje WHERE    Vj_Folio = 'V0''01' AND   Es_cve_estado "
                  "NOT IN ( 'CE', 'CA' )")});
    EXPECT_EQ(funciones->llamadas.mid(0, 2),
              (QStringList{QStringLiteral("ReiniciarForma"), QStringLiteral("PrepararForma")}));
    EXPECT_EQ(condiciones(QStringLiteral("ORDENES")).size(), 1);
    EXPECT_EQ(condiciones(QStringLiteral("EMBARQUES")).size(), 1);
    EXPECT_TRUE(funciones->sqlListas.last().startsWith(QLatin1String("EMBARQUES ")));
    EXPECT_EQ(formatosAplicados, 2);
    EXPECT_TRUE(sistema->mensajes.isEmpty());

    auto& p = pantalla();
    EXPECT_EQ(p.control<ItxtVEX>(QStringLiteral("txtKmInicial"))->ValorNumerico().toDouble(),
              1500.25);
    EXPECT_EQ(p.control<ItxtVEX>(QStringLiteral("txtKmFinal"))->ValorNumerico().toDouble(), 1730.5);
    EXPECT_EQ(p.control<IdpFecha>(QStringLiteral("dpFechaInicial"))->Value().date(),
              QDate(2026, 12, 1));
    EXPECT_EQ(p.control<IdpFecha>(QStringLiteral("dpHoraFinal"))->Value().time(),
              QTime(17, 45, 30));
    EXPECT_EQ(p.listView(QStringLiteral("lvOrdenes")).Count(), 2);
}

TEST_F(PantallaReprogramar, AMissingTripIsReportedAndTheListsStillFill) {
    conexion->filas.clear();
    pantalla().Cargar(kFolio, QString());
    ASSERT_EQ(idsMostrados(), QStringList{QStringLiteral("ERR-ID:7500018")});
    EXPECT_EQ(sistema->mensajes[0].texto, QStringLiteral("No existen datos en el viaje"));
    EXPECT_EQ(sistema->mensajes[0].estilo, 48);
    EXPECT_EQ(funciones->sqlListas.size(), 2);
}

TEST_F(PantallaReprogramar, ATripWithoutStartOrEndOpensOnTheServerDateAtMidnight) {
    const QDateTime vacia(QDate(1900, 1, 1), QTime(0, 0));
    conexion->filas = {{{QStringLiteral("Fecha_Inicio"), vacia},
                        {QStringLiteral("Hora_Inicio"), QStringLiteral("00:00:00")},
                        {QStringLiteral("Fecha_Fin"), QString()},
                        {QStringLiteral("Hora_Fin"), QStringLiteral("00:00:00")},
                        {QStringLiteral("Km_Inicial"), 0},
                        {QStringLiteral("Km_Final"), 0}}};
    pantalla().Cargar(kFolio, QString());
    for (const char* fecha : {"dpFechaInicial", "dpFechaFinal"})
        EXPECT_EQ(pantalla().control<IdpFecha>(QString::fromLatin1(fecha))->Value().date(),
                  funciones->fechaServidor.date());
    EXPECT_EQ(pantalla().control<IdpFecha>(QStringLiteral("dpHoraInicial"))->Value().time(),
              QTime(0, 0));
}

TEST_F(PantallaReprogramar, TheDetailConditionCarriesOnlyTheFiltersWhoseDescriptionIsSet) {
    frmFiltros& filtros = publico->filtros();
    const auto filtro = [&](const char* codigo, const char* descripcion, const QString& valor) {
        filtros.control<ItxtVEX>(QString::fromLatin1(codigo))->setText(valor);
        filtros.control<ItxtVEX>(QString::fromLatin1(descripcion))
            ->setText(valor.isEmpty() ? QString() : QStringLiteral("descripción"));
    };
    const auto soloCon = [&](const QString& tipo, const QString& estado, const QString& chofer) {
        filtro("txtTipoVehiculo", "txtNTipoVehiculo", tipo);
        filtro("txtEstado", "txtNEstado", estado);
        filtro("txtChofer", "txtNChofer", chofer);
        funciones->sqlListas.clear();
        pantalla().Cargar(kFolio, QString());
        return condiciones(QStringLiteral("ORDENES")).value(0) + QLatin1Char('|') +
               condiciones(QStringLiteral("EMBARQUES")).value(0);
    };
    const QString fechas = QStringLiteral(" Viaje.Vj_Fecha BETWEEN '2026-12-01' AND '2026-12-31' ");
    const QString viaje = QStringLiteral("AND  Viaje.Vj_Folio = 'V0''01' ");
    const QString ordenes = QStringLiteral(" AND Orden_Entrega.Es_Cve_Estado  IN ('RM','RMT') ");
    const QString embarques = QStringLiteral(" AND Embarque.Es_Cve_Estado  IN ('RM','RMT') ");

    EXPECT_EQ(soloCon({}, {}, {}), fechas + viaje + ordenes + '|' + fechas + viaje + embarques);
    EXPECT_EQ(soloCon(QStringLiteral("0'02"), {}, {}),
              fechas + " AND Orden_Entrega.Oe_Tipo_Vehiculo = '0''02' " + viaje + ordenes + '|' +
                  fechas + " AND Embarque.Oe_Tipo_Vehiculo = '0''02' " + viaje + embarques);
    EXPECT_EQ(soloCon({}, QStringLiteral("AB"), {}),
              fechas + "  AND Viaje.Es_Cve_Estado = 'AB' " + viaje + ordenes + '|' + fechas +
                  "  AND Viaje.Es_Cve_Estado = 'AB' " + viaje + embarques);
    EXPECT_EQ(soloCon({}, {}, QStringLiteral("0007")),
              fechas + " AND Viaje.Ch_Cve_Chofer = '0007' " + viaje + ordenes + '|' + fechas +
                  " AND Viaje.Ch_Cve_Chofer = '0007' " + viaje + embarques);

    // A code the catalogue did not find leaves its description empty: no condition.
    filtros.control<ItxtVEX>(QStringLiteral("txtChofer"))->setText(QStringLiteral("9999"));
    filtros.control<ItxtVEX>(QStringLiteral("txtNChofer"))->setText(QString());
    funciones->sqlListas.clear();
    pantalla().Cargar(kFolio, QString());
    EXPECT_EQ(condiciones(QStringLiteral("ORDENES")).value(0), fechas + viaje + ordenes);
}

TEST_F(PantallaReprogramar, TheMarkerIsReplacedWhereverItStandsAndAFailedFillIsReported) {
    funciones->consultas[QStringLiteral("ORDENES_X_VIAJE")] =
        QStringLiteral("ORDENES {PARAMETROS} UNION {PARAMETROS}");
    funciones->consultas[QStringLiteral("EMBARQUES_X_VIAJE")] = QStringLiteral("EMBARQUES SIN");
    funciones->resultadoLlenar = false;
    pantalla().Cargar(kFolio, QString());

    ASSERT_EQ(funciones->sqlListas.size(), 2);
    EXPECT_EQ(funciones->sqlListas[0].count(QLatin1String("Viaje.Vj_Folio = 'V0''01'")), 2);
    EXPECT_EQ(funciones->sqlListas[1], QStringLiteral("EMBARQUES SIN"));
    ASSERT_EQ(idsMostrados(),
              (QStringList{QStringLiteral("ERR-ID:7500013"), QStringLiteral("ERR-ID:7500013")}));
    EXPECT_EQ(sistema->mensajes[0].titulo, QStringLiteral("CARGAR DETALLE"));
    EXPECT_EQ(sistema->mensajes[0].texto, funciones->ultimoError);
    EXPECT_EQ(formatosAplicados, 0);

    // Any other failure is reported under its own number, and the next list still loads.
    funciones->resultadoLlenar = true;
    funciones->fallarEn = QStringLiteral("ObtenerConsulta");
    sistema->mensajes.clear();
    pantalla().Cargar(kFolio, QString());
    EXPECT_EQ(idsMostrados(), QStringList{QStringLiteral("ERR-ID:7500014")});
    EXPECT_EQ(formatosAplicados, 1);
}

TEST_F(PantallaReprogramar, AcceptChecksTheReadingsThenTheOrderOfTheMoments) {
    abrir();
    const QDateTime tarde(QDate(2026, 12, 2), QTime(9, 0));
    const QDateTime temprano(QDate(2026, 12, 2), QTime(8, 59));
    momento("dpFechaInicial", "dpHoraInicial", tarde);
    momento("dpFechaFinal", "dpHoraFinal", temprano);

    kilometros(QStringLiteral("1000000000"), QStringLiteral("1000000000"));
    pulsar("btnB1");
    kilometros(QStringLiteral("999999999.999999999"), QStringLiteral("1000000000"));
    pulsar("btnB1");
    kilometros(QStringLiteral("999999999.999999999"), QStringLiteral("999999999"));
    pulsar("btnB1");

    EXPECT_EQ(idsMostrados(),
              (QStringList{QStringLiteral("ERR-ID:7500009"), QStringLiteral("ERR-ID:7500010"),
                           QStringLiteral("ERR-ID:7500011")}));
    for (const auto& m : sistema->mensajes) {
        EXPECT_EQ(m.estilo, 48);
        EXPECT_EQ(m.titulo, QStringLiteral("Kestrova"));
        EXPECT_EQ(m.modulo, QStringLiteral("KT512"));
    }
    EXPECT_EQ(pantalla().ActiveControlName(), QStringLiteral("dpFechaInicial"));
    EXPECT_TRUE(conexion->sentencias.isEmpty());
    EXPECT_TRUE(pantalla().isVisible());

    // The same minute at both ends passes.
    momento("dpFechaFinal", "dpHoraFinal", tarde);
    pulsar("btnB1");
    EXPECT_EQ(sistema->mensajes.size(), 3);
    EXPECT_FALSE(pantalla().isVisible());
    EXPECT_TRUE(pantalla().Aceptado);
}

TEST_F(PantallaReprogramar, AcceptWritesTheHeaderInOneTransaction) {
    abrir();
    publico->recalendarizar().Aceptado = true;
    auto& p = pantalla();
    const QString inicial = p.control<ItxtVEX>(QStringLiteral("txtKmInicial"))->ValorNumerico();
    const QString final_ = p.control<ItxtVEX>(QStringLiteral("txtKmFinal"))->ValorNumerico();
    pulsar("btnB1");

    EXPECT_EQ(conexion->sentencias,
              (QStringList{QStringLiteral("BEGIN"),
                           QStringLiteral("UPDATE Viaje SET    Vj_Fecha_Inicio_Viaje ='2026-12-01 "
                                          "08:15:00',    Vj_Fecha_Fin_Viaje ='2026-12-01 "
                                          "17:45:30',    Vj_Kilometro_Inicial ='") +
                               inicial + QStringLiteral("',    Vj_Kilometro_Final ='") + final_ +
                               QStringLiteral("' WHERE    Vj_Folio = 'V0''01' AND   "
                                              "Es_cve_estado NOT IN ( 'CE', 'CA' )"),
                           QStringLiteral("COMMIT")}));
    EXPECT_TRUE(p.Aceptado);
    EXPECT_FALSE(publico->recalendarizar().Aceptado);
    EXPECT_FALSE(p.isVisible());
}

TEST_F(PantallaReprogramar, AFailedSaveRollsBackAndKeepsTheScreenOpen) {
    abrir();
    conexion->fallarCon = QStringLiteral("UPDATE Viaje");
    publico->recalendarizar().Aceptado = true;
    pulsar("btnB1");

    EXPECT_EQ(conexion->sentencias.last(), QStringLiteral("ROLLBACK"));
    ASSERT_EQ(idsMostrados(), QStringList{QStringLiteral("ERR-ID:7500012")});
    EXPECT_EQ(sistema->mensajes[0].texto,
              QStringLiteral("ActualizaValores() - falla de la base de datos"));
    EXPECT_EQ(sistema->mensajes[0].estilo, 16);
    EXPECT_TRUE(pantalla().isVisible());
    EXPECT_FALSE(pantalla().Aceptado);
    EXPECT_TRUE(publico->recalendarizar().Aceptado);
}

TEST_F(PantallaReprogramar, LeavingSetsTheFlagsTheBoardReloadsOn) {
    struct Caso {
        const char* como;
        bool recalendarizarAntes;
        bool recalendarizarDespues;
    };
    for (const Caso& caso :
         {Caso{"Cancelar", false, true}, Caso{"Salir", true, false}, Caso{"Esc", true, true}}) {
        SCOPED_TRACE(caso.como);
        auto& p = abrir();
        p.Aceptado = true;
        publico->recalendarizar().Aceptado = caso.recalendarizarAntes;
        const QString como = QString::fromLatin1(caso.como);
        if (como == QLatin1String("Esc"))
            QTest::keyClick(widget("txtKmFinal"), Qt::Key_Escape);
        else
            pulsar(como == QLatin1String("Cancelar") ? "btnB2" : "btnSalir");
        EXPECT_FALSE(p.isVisible());
        EXPECT_FALSE(p.Aceptado);
        EXPECT_EQ(publico->recalendarizar().Aceptado, caso.recalendarizarDespues);
        EXPECT_TRUE(conexion->sentencias.isEmpty());
        p.Unload();
    }
}

TEST_F(PantallaReprogramar, F4AcceptsExceptInTheTwoDatePickers) {
    abrir();
    for (const char* nombre : {"dpFechaInicial", "dpFechaFinal"}) {
        pantalla().ctl(QString::fromLatin1(nombre)).SetFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    }
    EXPECT_TRUE(conexion->sentencias.isEmpty());
    EXPECT_TRUE(pantalla().isVisible());

    pantalla().ctl(QStringLiteral("dpHoraInicial")).SetFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    EXPECT_EQ(conexion->sentencias.value(0), QStringLiteral("BEGIN"));
    EXPECT_FALSE(pantalla().isVisible());
}

TEST_F(PantallaReprogramar, AltWithADigitPicksTheTabAndItsFrame) {
    auto& p = abrir();
    auto pestanas = p.control<IssTbVex>(QStringLiteral("ssTabVex"));
    QWidget* foco = widget("txtKmInicial");

    QTest::keyClick(foco, Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(pestanas->Tab(), 1);
    EXPECT_TRUE(p.ctl(QStringLiteral("fr2")).Enabled());
    EXPECT_FALSE(p.ctl(QStringLiteral("fr1")).Enabled());

    QTest::keyClick(foco, Qt::Key_1, Qt::AltModifier | Qt::ControlModifier);
    QTest::keyClick(foco, Qt::Key_1, Qt::AltModifier | Qt::ShiftModifier);
    QTest::keyClick(foco, Qt::Key_1, Qt::AltModifier | Qt::KeypadModifier);
    EXPECT_EQ(pestanas->Tab(), 1);

    QTest::keyClick(foco, Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(pestanas->Tab(), 0);
    EXPECT_TRUE(p.ctl(QStringLiteral("fr1")).Enabled());

    // A click on a tab enables that tab's frame alone.
    auto* barra = widget("ssTabVex")->findChild<QTabBar*>();
    ASSERT_NE(barra, nullptr);
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(1).center());
    EXPECT_EQ(pestanas->Tab(), 1);
    EXPECT_FALSE(p.ctl(QStringLiteral("fr1")).Enabled());
    EXPECT_TRUE(p.ctl(QStringLiteral("fr2")).Enabled());
}

TEST_F(PantallaReprogramar, TheListsMoveOnWithEnterAndOnlyTheOrdersReloadWithF5) {
    auto& p = abrir();
    QTest::keyClick(widget("lvOrdenes"), Qt::Key_Return);
    QTest::keyClick(widget("lvOrdenes"), Qt::Key_F5, Qt::ShiftModifier);
    ASSERT_EQ(funciones->sqlListas.size(), 2);
    EXPECT_TRUE(funciones->sqlListas[0].startsWith(QLatin1String("ORDENES ")));

    QTest::keyClick(widget("txtKmInicial"), Qt::Key_2, Qt::AltModifier);
    QTest::keyClick(widget("lvEmbarques"), Qt::Key_Return);
    QTest::keyClick(widget("lvEmbarques"), Qt::Key_F5);
    EXPECT_EQ(funciones->sqlListas.size(), 2);
    EXPECT_EQ(funciones->teclasEnviadas, (QStringList{QStringLiteral("\t"), QStringLiteral("\t")}));
    EXPECT_TRUE(p.isVisible());
}

TEST_F(PantallaReprogramar, ARightClickOffersTheMenuOnlyOnAListWithRows) {
    auto& p = abrir();
    p.listView(QStringLiteral("lvOrdenes")).Clear();
    const auto clicDerecho = [&](const char* lista) {
        auto* vista = qobject_cast<QAbstractItemView*>(widget(lista))->viewport();
        QString menu;
        QTimer cerrar;
        QObject::connect(&cerrar, &QTimer::timeout, [&] {
            if (auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* a : m->actions())
                    menu += a->text();
                m->close();
            }
        });
        cerrar.start(20);
        QTest::mouseClick(vista->window()->windowHandle(), Qt::RightButton, {},
                          vista->mapTo(vista->window(), QPoint(20, 20)));
        QTest::qWait(100);
        return menu;
    };
    EXPECT_EQ(clicDerecho("lvOrdenes"), QString());
    QTest::keyClick(widget("txtKmInicial"), Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(clicDerecho("lvEmbarques"), QStringLiteral("Reprogramar"));
}

} // namespace
