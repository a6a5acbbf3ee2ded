// The board's trip query, every way it reloads, its refresh parameter, its window, and the
// searching, sorting and opening of the trips of its list.

#include "kt512/trips/frmKT512.h"
#include "EntornoTablero.h"
#include "kt512/filters/frmFiltros.h"
#include "kt512/reprogram/frmRecalendarizar.h"
#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/services/ItxtVEX.h"
#include "platform/com/LateBinding.h"
#include "platform/forms/ErrorReporter.h"
#include "platform/forms/ListView.h"
#include "platform/forms/Timer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>

using namespace kt512;

namespace {

class Tablero : public ktest::EntornoTablero {
protected:
    // Ticks until the list reloads; 0 when it does not within limite ticks.
    int ticksHastaRecargar(int limite) {
        const int antes = cargas();
        for (int i = 1; i <= limite; ++i) {
            tablero().timer("TmrRefresh").tick();
            if (cargas() != antes)
                return i;
        }
        return 0;
    }
    void abrirCon(const char* tiempo) {
        sistema->parametros.insert("LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES", tiempo);
        tablero().Load();
    }
    void fecha(const char* selector, const QDate& dia) {
        tablero().control<IdpFecha>(selector)->setValue(QDateTime(dia, {}));
    }
    QWidget* w(const char* nombre) { return tablero().ctl(nombre).widget(); }
};

TEST_F(Tablero, LaCondicionLlevaLasFechasYLosFiltrosQueTienenSuCajaDePrueba) {
    tablero().Load();
    EXPECT_EQ(ultimaCondicion(), kFechas);
    EXPECT_TRUE(filtros().isLoaded() && !filtros().isVisible());

    // The vehicle is tested on its own code box, the others on their description, which counts
    // when it is not empty, blanks and all.
    filtro("txtTipoVehiculo", "0002", "txtNTipoVehiculo", "");
    filtro("txtVehiculo", "0000000007", "txtNVehiculo", "");
    filtro("txtEstado", "", "txtNEstado", "EN RUTA");
    filtro("txtChofer", "", "txtNChofer", " ");
    filtro("txtSucursal", "0009", "txtNSucursal", "");
    teclaF5();
    EXPECT_EQ(ultimaCondicion(), kFechas +
                                     " AND Vehiculo.Vh_Cve_Vehiculo = '0000000007'  AND "
                                     "Viaje.Es_Cve_Estado = ''  AND Viaje.Ch_Cve_Chofer = '' ");

    filtro("txtSucursal", "0'01", "txtNSucursal", "NORTE");
    filtro("txtChofer", "0003", "txtNChofer", "JUAN");
    filtro("txtEstado", "ER", "txtNEstado", "EN RUTA");
    filtro("txtTipoVehiculo", "0002", "txtNTipoVehiculo", "TORTON");
    teclaF5();
    EXPECT_EQ(ultimaCondicion(),
              kFechas + " AND Tipo_Vehiculo.Tv_Cve_Tipo_Vehiculo = '0002'  AND "
                        "Vehiculo.Vh_Cve_Vehiculo = '0000000007'  AND Viaje.Es_Cve_Estado = 'ER' "
                        " AND Viaje.Ch_Cve_Chofer = '0003'  AND Viaje.Sc_Cve_Sucursal = '0''01' ");
}

TEST_F(Tablero, LaMarcaSeCambiaDondeEsteYLasFallasSeMuestranConSuEstilo) {
    funciones->consultas["Viajes"] = "A{PARAMETROS}B{PARAMETROS}";
    tablero().Load();
    EXPECT_EQ(sSQL(), "A" + kFechas + "B" + kFechas);

    funciones->resultadoLlenar = false;
    teclaF5();
    funciones->fallarEn = "ObtenerConsulta";
    teclaF5();
    ASSERT_EQ(sistema->mensajes.size(), 2);
    const QString esperados[][3] = {{funciones->ultimoError, "48", "ERR-ID:7500001"},
                                    {"Falla provocada en ObtenerConsulta", "16", "ERR-ID:7500002"}};
    for (int i = 0; i < 2; ++i) {
        const ktest::Mensaje& m = sistema->mensajes.at(i);
        EXPECT_EQ(std::tuple(m.texto, QString::number(m.estilo), m.idError),
                  std::tuple(esperados[i][0], esperados[i][1], esperados[i][2]));
        EXPECT_EQ(std::tuple(m.titulo, m.hWnd, m.modulo),
                  std::tuple("CARGAR VIAJES", tablero().hWnd(), "KT512"));
    }
    EXPECT_EQ(formatosAplicados, 1);
}

TEST_F(Tablero, RecargaAlAbrirConF5ElBotonLasFechasYCadaActivacionConUnaBandera) {
    tablero().Load();
    mostrar();
    EXPECT_EQ(cargas(), 1);
    for (const auto m : {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
        teclaF5(m);
    QTest::keyClick(tablero().window(), Qt::Key_F4);
    EXPECT_EQ(cargas(), 5);
    QTest::mouseClick(w("cmdRefrescar"), Qt::LeftButton);
    EXPECT_EQ(cargas(), 6);
    EXPECT_EQ(tablero().ActiveControlName(), "lvViajes");
    fecha("dpFechaInicio", QDate(2026, 12, 20));
    fecha("dpFechaFin", QDate(2026, 1, 2));
    EXPECT_EQ(cargas(), 8);
    EXPECT_EQ(ultimaCondicion(), " Viaje.Vj_Fecha BETWEEN '2026-12-20' AND '2026-01-02' ");

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
    EXPECT_EQ(tablero().ActiveControlName(), "dpFechaInicio");
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
    ASSERT_EQ(tablero().ActiveControlName(), "dpFechaInicio");
    activarContenedor();
    EXPECT_EQ(tablero().window()->focusWidget(), w("lvViajes"));
    EXPECT_EQ(cargas(), 1);
}

// A time that is not a short whole number is told, and the board opens without reloading by
// itself; a valid one reloads after that many ticks and one more.
TEST_F(Tablero, ElTiempoDeRecargaSeLeeDelParametroYElTemporizadorReseleccionaPorPosicion) {
    for (const char* valor : {"veinte", "40000", ""}) {
        SCOPED_TRACE(valor);
        sistema->mensajes.clear();
        abrirCon(valor);
        EXPECT_TRUE(tablero().isLoaded());
        EXPECT_FALSE(tablero().timer("TmrRefresh").Enabled());
        ASSERT_EQ(sistema->mensajes.size(), 1);
        const ktest::Mensaje m = sistema->mensajes.constFirst();
        EXPECT_TRUE(m.texto.contains("LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES") &&
                    m.texto.contains(QStringLiteral("\"%1\"").arg(QString::fromLatin1(valor))))
            << m.texto.toStdString();
        EXPECT_EQ(m.idError, "ERR-ID:7500020");
        tablero().Unload();
    }
    abrirCon(" 2.5 ");
    EXPECT_EQ(ticksHastaRecargar(5), 3);
    EXPECT_EQ(ticksHastaRecargar(5), 3);
    tablero().Unload();
    abrirCon("0");
    EXPECT_EQ(ticksHastaRecargar(50), 0);
    tablero().Unload();

    filas({{"V1"}, {"V2"}, {"V3"}});
    sistema->parametros.clear();
    tablero().Load();
    tablero().IndiceSeleccionado = 2;
    for (int i = 0; i < 10; ++i)
        tablero().timer("TmrRefresh").tick();
    teclaF5();
    filas({{"N1"}, {"N2"}, {"N3"}, {"N4"}});
    // The default is 20; other reloads do not restart the count.
    EXPECT_EQ(ticksHastaRecargar(30), 11);
    EXPECT_EQ(std::tuple(lista().SelectedIndex(), lista().itemText(2)), std::tuple(2, "N2"));
    // The position is kept at the list's last row and at its first; a list grown shorter than
    // the position, or empty, gets no selection.
    const std::tuple<std::vector<QStringList>, int, int> casos[] = {
        {{{"D1"}, {"D2"}}, 2, 2}, {{{"D1"}, {"D2"}}, 1, 1}, {{{"C1"}}, 2, 0}, {{}, 2, 0}};
    for (const auto& [nuevas, posicion, seleccion] : casos) {
        filas(nuevas);
        tablero().IndiceSeleccionado = posicion;
        EXPECT_EQ(ticksHastaRecargar(30), 21);
        EXPECT_EQ(lista().SelectedIndex(), seleccion) << posicion;
        EXPECT_EQ(tablero().IndiceSeleccionado, posicion);
    }
}

TEST_F(Tablero, LaListaSeEstiraConLaVentanaYLaSalidaCierraElContenedor) {
    mostrar();
    QWidget* ventana = tablero().window();
    QWidget* buscar = w("txtBuscar");

    // However small it is made, the search box stays at the right edge clear of the filter
    // button, and the list fills the width and keeps some rows.
    for (const QSize tamano : {QSize(1000, 600), QSize(10, 20)}) {
        ventana->resize(tamano);
        EXPECT_NEAR(buscar->x() + buscar->width() + vista()->x(), ventana->width(), 1);
        EXPECT_NEAR(2 * vista()->x() + vista()->width(), ventana->width(), 1);
        EXPECT_GT(buscar->x(), w("cmdFiltros")->geometry().right());
        EXPECT_GE(vista()->height(), 60);
    }
    ventana->resize(1000, 600);
    EXPECT_NEAR(vista()->y() + vista()->height() + 175 / 15, 600, 1);

    // At the design's width the search box lies over the detail button, which is then no tab
    // stop: Tab goes from the filter button to the next control the user can see.
    ventana->resize(722, 337);
    tablero().ctl("cmdFiltros").SetFocus();
    QTest::keyClick(tablero().window()->focusWidget(), Qt::Key_Tab);
    EXPECT_NE(tablero().ActiveControlName(), "cmdVer");
    EXPECT_NE(tablero().ActiveControlName(), "cmdFiltros");

    otra->Load();
    com::putPropertyRef(&tablero(), "Padre",
                        com::Ptr<com::IUnknown>(static_cast<com::IDispatch*>(otra.get())));
    QTest::mouseClick(w("Controles")->findChild<QAbstractButton*>("btnSalir"), Qt::LeftButton);
    EXPECT_FALSE(otra->isLoaded());
    EXPECT_TRUE(tablero().isLoaded());

    publico->recalendarizar().Load();
    publico->reprogramarViaje().Load();
    tablero().Unload();
    EXPECT_FALSE(filtros().isLoaded());
    EXPECT_FALSE(publico->reprogramarViaje().isLoaded());
    EXPECT_TRUE(publico->recalendarizar().isLoaded());
}

class ListaDeViajes : public ktest::EntornoTablero {
protected:
    void SetUp() override {
        EntornoTablero::SetUp();
        filas({{"V1", "Norte", "ÁRBOL"},
               {"V2", "Sur", "arbol"},
               {"V3", "Centro", "señal-5"},
               {"SEÑAL-5", "Este", "pino"}});
        mostrar();
    }
    QPoint fila(int posicion) {
        return vista()->visualRect(vista()->model()->index(posicion - 1, 0)).center();
    }
    void clicEnColumna(int columna) {
        QHeaderView* h = vista()->header();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          {h->sectionViewportPosition(columna - 1) + 5, h->height() / 2});
    }
    QString folios() {
        QStringList r;
        for (int i = 1; i <= lista().Count(); ++i)
            r << lista().itemText(i);
        return r.join(QLatin1Char(' '));
    }
    // Opens the trip at `posicion` by a double click, or by a click and Enter; `alAbrir` runs
    // once the screen shows, which is then left with Esc. The name of the modal form seen.
    QString abrir(
        int posicion, bool enter, const std::function<void()>& alAbrir = [] {}) {
        QString abierta;
        QTimer vigia;
        QObject::connect(&vigia, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget(); modal && abierta.isEmpty()) {
                abierta = modal->objectName();
                alAbrir();
                QTest::keyClick(modal, Qt::Key_Escape);
            }
        });
        vigia.start(20);
        QTest::mouseClick(vista()->viewport(), Qt::LeftButton, {}, fila(posicion));
        if (enter)
            QTest::keyClick(vista(), Qt::Key_Return);
        else
            QTest::mouseDClick(vista()->viewport(), Qt::LeftButton, {}, fila(posicion));
        return abierta;
    }
};

TEST_F(ListaDeViajes, BuscarIgnoraLaCajaNoLosAcentosYPrefiereLaFilaAnterior) {
    // The list's own search, from the first row, on every column.
    const std::pair<const char*, int> casos[] = {{"SUR", 2}, {"árbol", 1}, {"Señal-5", 3}};
    for (const auto& [texto, fila] : casos)
        EXPECT_EQ(tablero().Buscar(lista(), QString::fromUtf8(texto)), fila) << texto;

    auto caja = tablero().control<ItxtVEX>("txtBuscar");
    caja->setText("PINO");
    QTest::keyClick(tablero().ctl("txtBuscar").widget(), Qt::Key_F3);
    EXPECT_EQ(std::tuple(lista().SelectedIndex(), tablero().IndiceSeleccionado), std::tuple(4, 4));
    EXPECT_EQ(tablero().ActiveControlName(), "lvViajes");
    // No match: the selection goes, the remembered position stays.
    caja->setText("roble");
    QTest::keyClick(tablero().ctl("txtBuscar").widget(), Qt::Key_F3);
    EXPECT_EQ(std::tuple(lista().SelectedIndex(), tablero().IndiceSeleccionado), std::tuple(0, 4));
}

TEST_F(ListaDeViajes, CadaClicEnUnEncabezadoInvierteElOrdenDeTodaLaLista) {
    clicEnColumna(2);
    EXPECT_EQ(folios(), "V2 V1 SEÑAL-5 V3");
    clicEnColumna(2);
    EXPECT_EQ(folios(), "V3 SEÑAL-5 V1 V2");
    clicEnColumna(1);
    EXPECT_EQ(folios(), "V3 V2 V1 SEÑAL-5");
}

// A double click or Enter opens the trip with its branch; the list may be reloaded while the
// screen is open, and the position is then looked for in the list as it has become.
TEST_F(ListaDeViajes, ElDobleClicOEnterAbrenElViajeYVuelvenASuPosicionEnLaListaComoQuedo) {
    const auto recargar = [&] {
        auto fin = tablero().control<IdpFecha>("dpFechaFin");
        fin->setValue(fin->Value().addDays(1));
    };
    // The row opened, the rows when the screen closes, the selection then, and whether by Enter.
    const std::tuple<int, int, int, bool> casos[] = {
        {4, 4, 4, false}, {1, 2, 1, false}, {4, 3, 0, false}, {2, 4, 2, true}};
    for (const auto& [posicion, filasAlVolver, seleccion, enter] : casos) {
        SCOPED_TRACE(posicion);
        filas({{"V1"}, {"V2"}, {"V3"}, {"V4"}});
        recargar();
        std::vector<QStringList> nuevas;
        for (int i = 1; i <= filasAlVolver; ++i)
            nuevas.push_back({QStringLiteral("W%1").arg(i)});
        EXPECT_EQ(abrir(posicion, enter,
                        [&] {
                            filas(nuevas);
                            recargar();
                        }),
                  "frmReprogramarViaje");
        EXPECT_EQ(funciones->llamadasCampo.value(funciones->llamadasCampo.size() - 1),
                  QStringLiteral("Viaje|Vj_Folio|V%1|Sc_Cve_Sucursal|").arg(posicion));
        EXPECT_FALSE(publico->reprogramarViaje().isLoaded());
        ASSERT_EQ(lista().Count(), filasAlVolver);
        EXPECT_EQ(lista().SelectedIndex(), seleccion);
        EXPECT_EQ(tablero().IndiceSeleccionado, posicion);
    }
    // Enter with no trip selected opens nothing.
    const qsizetype llamadas = funciones->llamadasCampo.size();
    lista().setSelectedIndex(0);
    QTest::keyClick(vista(), Qt::Key_Return);
    EXPECT_EQ(funciones->llamadasCampo.size(), llamadas);

    // An error of the double click reaches the user, and the board goes on.
    QStringList errores;
    const forms::ErrorReporter anterior =
        forms::setErrorReporter([&](const QString& texto, long) { errores << texto; });
    funciones->fallarEn = "ObtenerCampo";
    EXPECT_EQ(abrir(1, false), QString());
    forms::setErrorReporter(anterior);
    EXPECT_EQ(errores, QStringList{"Falla provocada en ObtenerCampo"});
    EXPECT_TRUE(tablero().isVisible());
    EXPECT_FALSE(publico->reprogramarViaje().isLoaded());
}

} // namespace
