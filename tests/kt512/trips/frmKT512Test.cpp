// The board's trip query, every way it reloads, its refresh parameter and its window.

#include "kt512/trips/frmKT512.h"
#include "EntornoTablero.h"
#include "kt512/filters/frmFiltros.h"
#include "kt512/reprogram/frmRecalendarizar.h"
#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/services/ItxtVEX.h"
#include "platform/com/LateBinding.h"
#include "platform/forms/ListView.h"
#include "platform/forms/Timer.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QScreen>
#include <QTest>
#include <QTreeView>
#include <algorithm>

using namespace kt512;

namespace {

class Tablero : public ktest::EntornoTablero {
protected:
    // Ticks until the list reloads; 0 when it does not within limite ticks.
    int ticksHastaRecargar(int limite) {
        const int antes = cargas();
        for (int i = 1; i <= limite; ++i) {
            tablero().timer(QStringLiteral("TmrRefresh")).tick();
            if (cargas() != antes)
                return i;
        }
        return 0;
    }
    void abrirCon(const char* tiempo) {
        sistema->parametros.insert(QStringLiteral("LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES"),
                                   QString::fromLatin1(tiempo));
        tablero().Load();
    }
    void fecha(const char* selector, const QDate& dia) {
        tablero().control<IdpFecha>(QString::fromLatin1(selector))->setValue(QDateTime(dia, {}));
    }
};

TEST_F(Tablero, LaCondicionLlevaLasFechasYLosFiltrosQueTienenSuCajaDePrueba) {
    tablero().Load();
    EXPECT_EQ(ultimaCondicion(), kFechas);
    EXPECT_EQ(sSQL(), kPlantilla + kFechas);
    EXPECT_EQ(formatosAplicados, 1);
    EXPECT_TRUE(filtros().isLoaded() && !filtros().isVisible());

    const QString todos = QStringLiteral(
        " AND Tipo_Vehiculo.Tv_Cve_Tipo_Vehiculo = '0002' "
        " AND Vehiculo.Vh_Cve_Vehiculo = '0000000007'  AND Viaje.Es_Cve_Estado = 'ER' "
        " AND Viaje.Ch_Cve_Chofer = '0003'  AND Viaje.Sc_Cve_Sucursal = '0''01' ");
    const std::vector<std::pair<std::function<void()>, QString>> casos{
        // The vehicle is tested on its own code box; the others on their description.
        {[&] { filtro("txtVehiculo", "0000000007", "txtNVehiculo", ""); },
         " AND Vehiculo.Vh_Cve_Vehiculo = '0000000007' "},
        {[&] {
             filtro("txtEstado", "XX", "txtNEstado", "");
             filtro("txtSucursal", "0009", "txtNSucursal", "");
         },
         ""},
        {[&] { filtro("txtEstado", "", "txtNEstado", "EN RUTA"); },
         " AND Viaje.Es_Cve_Estado = '' "},
        {[&] { filtro("txtChofer", "0003", "txtNChofer", " "); },
         " AND Viaje.Ch_Cve_Chofer = '0003' "},
        {[&] {
             filtro("txtSucursal", "0'01", "txtNSucursal", "NORTE");
             filtro("txtChofer", "0003", "txtNChofer", "JUAN");
             filtro("txtEstado", "ER", "txtNEstado", "EN RUTA");
             filtro("txtVehiculo", "0000000007", "txtNVehiculo", "");
             filtro("txtTipoVehiculo", "0002", "txtNTipoVehiculo", "TORTON");
         },
         todos}};
    for (const auto& [arreglar, condicion] : casos) {
        for (const char* caja :
             {"txtEstado", "txtNEstado", "txtChofer", "txtNChofer", "txtSucursal", "txtNSucursal",
              "txtVehiculo", "txtNVehiculo", "txtTipoVehiculo", "txtNTipoVehiculo"})
            filtros().control<ItxtVEX>(QString::fromLatin1(caja))->setText(QString());
        arreglar();
        teclaF5();
        EXPECT_EQ(ultimaCondicion(), kFechas + condicion);
    }
}

TEST_F(Tablero, LaMarcaSeCambiaDondeEsteYLasFallasSeMuestranConSuEstilo) {
    funciones->consultas[QStringLiteral("Viajes")] = QStringLiteral("A{PARAMETROS}B{PARAMETROS}");
    tablero().Load();
    EXPECT_EQ(sSQL(), QStringLiteral("A") + kFechas + QStringLiteral("B") + kFechas);

    funciones->resultadoLlenar = false;
    teclaF5();
    funciones->fallarEn = QStringLiteral("ObtenerConsulta");
    teclaF5();
    ASSERT_EQ(sistema->mensajes.size(), 2);
    const ktest::Mensaje llenar = sistema->mensajes.at(0), error = sistema->mensajes.at(1);
    EXPECT_EQ(llenar.texto, funciones->ultimoError);
    EXPECT_EQ(llenar.estilo, 48);
    EXPECT_EQ(llenar.idError, QStringLiteral("ERR-ID:7500001"));
    EXPECT_EQ(error.texto, QStringLiteral("Falla provocada en ObtenerConsulta"));
    EXPECT_EQ(error.estilo, 16);
    EXPECT_EQ(error.idError, QStringLiteral("ERR-ID:7500002"));
    for (const ktest::Mensaje& m : sistema->mensajes) {
        EXPECT_EQ(m.titulo, QStringLiteral("CARGAR VIAJES"));
        EXPECT_EQ(m.hWnd, tablero().hWnd());
        EXPECT_EQ(m.modulo, QStringLiteral("KT512"));
    }
    EXPECT_EQ(formatosAplicados, 1);
}

TEST_F(Tablero, RecargaAlAbrirConF5ElBotonLasFechasYCadaActivacionConUnaBandera) {
    tablero().Load();
    EXPECT_EQ(cargas(), 1);
    mostrar();
    EXPECT_EQ(cargas(), 1);
    for (const auto m : {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
        teclaF5(m);
    QTest::keyClick(tablero().window(), Qt::Key_F4);
    EXPECT_EQ(cargas(), 5);
    QTest::mouseClick(tablero().ctl(QStringLiteral("cmdRefrescar")).widget(), Qt::LeftButton);
    EXPECT_EQ(cargas(), 6);
    EXPECT_EQ(tablero().ActiveControlName(), QStringLiteral("lvViajes"));
    fecha("dpFechaInicio", QDate(2026, 12, 20));
    fecha("dpFechaFin", QDate(2026, 1, 2));
    EXPECT_EQ(cargas(), 8);
    EXPECT_EQ(ultimaCondicion(),
              QStringLiteral(" Viaje.Vj_Fecha BETWEEN '2026-12-20' AND '2026-01-02' "));

    for (bool* bandera : {&filtros().Aceptado, &publico->recalendarizar().Aceptado,
                          &publico->reprogramarViaje().Aceptado}) {
        int antes = cargas();
        reactivar();
        EXPECT_EQ(cargas(), antes);
        *bandera = true;
        reactivar();
        reactivar();
        EXPECT_EQ(cargas(), antes + 2) << "the board never lowers the flag";
        *bandera = false;
    }
    EXPECT_EQ(tablero().ActiveControlName(), QStringLiteral("dpFechaInicio"));
}

// The container's activation reaches the board only as the focus it puts on the list.
TEST_F(Tablero, LaActivacionDelContenedorEnfocaLaListaYNoCargaElTablero) {
    otra->Load();
    tablero().setPadre(com::Ptr<com::IDispatch>(otra.get()));
    const auto activarContenedor = [&] {
        otra->Show();
        otra->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(otra->window()));
    };
    activarContenedor();
    EXPECT_FALSE(tablero().isLoaded());
    EXPECT_EQ(cargas(), 0);

    mostrar();
    ASSERT_EQ(tablero().ActiveControlName(), QStringLiteral("dpFechaInicio"));
    activarContenedor();
    EXPECT_EQ(tablero().window()->focusWidget(),
              tablero().ctl(QStringLiteral("lvViajes")).widget());
    EXPECT_EQ(cargas(), 1);
}

TEST_F(Tablero, ElTemporizadorRecargaTrasTantosTicksMasUnoYReseleccionaPorPosicion) {
    abrirCon("1");
    EXPECT_EQ(ticksHastaRecargar(5), 2);
    EXPECT_EQ(ticksHastaRecargar(5), 2);
    tablero().Unload();
    abrirCon("0");
    EXPECT_EQ(ticksHastaRecargar(50), 0);
    tablero().Unload();

    filas({{"V1"}, {"V2"}, {"V3"}});
    sistema->parametros.clear();
    tablero().Load();
    EXPECT_EQ(tablero().TiempoActualizacion, 20);
    tablero().IndiceSeleccionado = 2;
    for (int i = 0; i < 10; ++i)
        tablero().timer(QStringLiteral("TmrRefresh")).tick();
    teclaF5();
    filas({{"N1"}, {"N2"}, {"N3"}, {"N4"}});
    EXPECT_EQ(ticksHastaRecargar(30), 11) << "other reloads do not restart the count";
    EXPECT_EQ(lista().SelectedIndex(), 2);
    EXPECT_EQ(lista().itemText(2), QStringLiteral("N2"));
    // The position is kept at the list's last row and at its first.
    filas({{"D1"}, {"D2"}});
    EXPECT_EQ(ticksHastaRecargar(30), 21);
    EXPECT_EQ(lista().SelectedIndex(), 2);
    tablero().IndiceSeleccionado = 1;
    EXPECT_EQ(ticksHastaRecargar(30), 21);
    EXPECT_EQ(lista().SelectedIndex(), 1);
    tablero().IndiceSeleccionado = 2;
    // A list grown shorter than the position, or empty, gets no selection.
    filas({{"C1"}});
    EXPECT_EQ(ticksHastaRecargar(30), 21);
    EXPECT_EQ(lista().SelectedIndex(), 0);
    filas({});
    EXPECT_EQ(ticksHastaRecargar(30), 21);
    EXPECT_EQ(tablero().IndiceSeleccionado, 2);
}

TEST_F(Tablero, UnTiempoQueNoEsEnteroCortoSeAvisaYElTableroAbreSinRecargarSolo) {
    for (const char* valor : {"veinte", "40000", ""}) {
        sistema->mensajes.clear();
        abrirCon(valor);
        EXPECT_TRUE(tablero().isLoaded());
        EXPECT_FALSE(tablero().timer(QStringLiteral("TmrRefresh")).Enabled()) << valor;
        ASSERT_EQ(sistema->mensajes.size(), 1) << valor;
        const ktest::Mensaje m = sistema->mensajes.constFirst();
        EXPECT_TRUE(m.texto.contains(QStringLiteral("LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES")));
        EXPECT_TRUE(m.texto.contains(QStringLiteral("\"%1\"").arg(QString::fromLatin1(valor))));
        EXPECT_EQ(m.idError, QStringLiteral("ERR-ID:7500020"));
        tablero().Unload();
    }
    abrirCon(" 2.5 ");
    EXPECT_EQ(tablero().TiempoActualizacion, 2);
}

TEST_F(Tablero, LaListaSeEstiraConLaVentanaYLaSalidaCierraElContenedor) {
    // Columns wider together than the design's window: the board opens showing all of them.
    const QString ancho(60, QLatin1Char('x'));
    filas({{"V1", ancho, ancho, "Norte"}});
    mostrar();
    QWidget* ventana = tablero().window();
    auto* listaV = qobject_cast<QTreeView*>(tablero().ctl(QStringLiteral("lvViajes")).widget());
    QWidget* buscar = tablero().ctl(QStringLiteral("txtBuscar")).widget();
    const int columnas = listaV->header()->length();
    EXPECT_GT(columnas, 722);
    EXPECT_GE(listaV->viewport()->width(),
              std::min(columnas, ventana->screen()->availableGeometry().width() - 40));

    ventana->resize(1000, 600);
    EXPECT_NEAR(2 * listaV->x() + listaV->width(), 1000, 1);
    EXPECT_NEAR(listaV->y() + listaV->height() + 175 / 15, 600, 1);
    EXPECT_NEAR(buscar->x() + buscar->width() + listaV->x(), 1000, 1);
    // However small it is made, the search box stays clear of the filter button and the list
    // keeps some rows.
    ventana->resize(10, 20);
    const QRect filtrosV = tablero().ctl(QStringLiteral("cmdFiltros")).widget()->geometry();
    EXPECT_GT(buscar->x(), filtrosV.right());
    EXPECT_NEAR(buscar->x() + buscar->width() + listaV->x(), ventana->width(), 1);
    EXPECT_NEAR(2 * listaV->x() + listaV->width(), ventana->width(), 1);
    EXPECT_GE(listaV->height(), 60);

    // At the design's width the search box lies over the detail button, which is then no tab
    // stop: Tab goes from the filter button to the next control the user can see.
    ventana->resize(722, 337);
    tablero().ctl(QStringLiteral("cmdFiltros")).SetFocus();
    QTest::keyClick(tablero().window()->focusWidget(), Qt::Key_Tab);
    EXPECT_NE(tablero().ActiveControlName(), QStringLiteral("cmdVer"));
    EXPECT_NE(tablero().ActiveControlName(), QStringLiteral("cmdFiltros"));

    otra->Load();
    com::putPropertyRef(&tablero(), QStringLiteral("Padre"),
                        com::Ptr<com::IUnknown>(static_cast<com::IDispatch*>(otra.get())));
    QTest::mouseClick(tablero()
                          .ctl(QStringLiteral("Controles"))
                          .widget()
                          ->findChild<QAbstractButton*>(QStringLiteral("btnSalir")),
                      Qt::LeftButton);
    EXPECT_FALSE(otra->isLoaded());
    EXPECT_TRUE(tablero().isLoaded());

    publico->recalendarizar().Load();
    publico->reprogramarViaje().Load();
    tablero().Unload();
    EXPECT_FALSE(filtros().isLoaded());
    EXPECT_FALSE(publico->reprogramarViaje().isLoaded());
    EXPECT_TRUE(publico->recalendarizar().isLoaded());
}

} // namespace
