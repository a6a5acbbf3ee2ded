// The board as a window: its layout when resized, its parent container, and what its unloading
// takes with it.

#include "EntornoTablero.h"
#include "kt512/filters/frmFiltros.h"
#include "kt512/reprogram/frmRecalendarizar.h"
#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/LateBinding.h"
#include "platform/forms/ListView.h"

#include <QAbstractButton>
#include <QTest>
#include <QWidget>

using namespace kt512;

namespace {

class PantallaDelTablero : public ktest::EntornoTablero {
protected:
    QWidget* control(const char* nombre) {
        return tablero().ctl(QString::fromLatin1(nombre)).widget();
    }

    void asignarPadre() {
        otra->Load();
        com::putPropertyRef(&tablero(), QStringLiteral("Padre"),
                            com::Ptr<com::IUnknown>(static_cast<com::IDispatch*>(otra.get())));
    }
};

TEST_F(PantallaDelTablero, LaListaOcupaElAnchoYElBuscadorSigueAlBordeDerecho) {
    mostrar();
    QWidget* ventana = tablero().window();
    EXPECT_EQ(ventana->objectName(), QStringLiteral("frmKT512"));
    EXPECT_EQ(ventana->windowTitle(), QStringLiteral("Control de viajes"));

    for (const QSize tamano : {QSize(1000, 600), QSize(760, 420)}) {
        ventana->resize(tamano);
        QWidget* listaV = control("lvViajes");
        QWidget* buscar = control("txtBuscar");
        // One pixel of rounding between twips and pixels either way.
        EXPECT_NEAR(listaV->x() + listaV->width() + listaV->x(), tamano.width(), 1);
        EXPECT_NEAR(listaV->y() + listaV->height() + 175 / 15, tamano.height(), 1);
        EXPECT_NEAR(buscar->x() + buscar->width() + listaV->x(), tamano.width(), 1);
        // Nothing else moves.
        EXPECT_EQ(control("cmdFiltros")->x(), 6360 / 15);
        EXPECT_EQ(control("dpFechaFin")->width(), 1935 / 15);
    }
}

TEST_F(PantallaDelTablero, EnUnaVentanaMuyAngostaSoloFallaElAnchoDeLaLista) {
    mostrar();
    QWidget* ventana = tablero().window();
    ventana->resize(900, 500);
    const int anchoAntes = control("lvViajes")->width();
    ventana->resize(10, 420);
    EXPECT_EQ(control("lvViajes")->width(), anchoAntes);
    EXPECT_NEAR(control("lvViajes")->height(), 420 - 1200 / 15 - 175 / 15, 1);
    EXPECT_LT(control("txtBuscar")->x(), 0);
    EXPECT_TRUE(tablero().isLoaded());
}

TEST_F(PantallaDelTablero, AlDescargarseDescargaLosFiltrosYLaReprogramacionNoElCalendario) {
    tablero().Load();
    publico->recalendarizar().Load();
    ASSERT_TRUE(filtros().isLoaded());
    tablero().Unload();
    EXPECT_FALSE(tablero().isLoaded());
    EXPECT_FALSE(filtros().isLoaded());
    EXPECT_FALSE(publico->reprogramarViaje().isLoaded());
    EXPECT_TRUE(publico->recalendarizar().isLoaded());

    // Loading again runs the load again: a fresh list and filter boxes.
    tablero().Load();
    EXPECT_EQ(cargas(), 2);
    EXPECT_TRUE(filtros().isLoaded());
}

TEST_F(PantallaDelTablero, LaSalidaDeLaBarraDescargaElContenedorYNoElTablero) {
    asignarPadre();
    mostrar();
    auto* salir = control("Controles")->findChild<QAbstractButton*>(QStringLiteral("btnSalir"));
    ASSERT_NE(salir, nullptr);
    ASSERT_TRUE(salir->isVisible());
    QTest::mouseClick(salir, Qt::LeftButton);
    EXPECT_TRUE(otra->descargada);
    EXPECT_TRUE(tablero().isLoaded());
}

TEST_F(PantallaDelTablero, LaActivacionDelContenedorEnfocaLaLista) {
    asignarPadre();
    // The container's activation does not load a board that is not loaded.
    otra->Show();
    otra->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(otra->window()));
    EXPECT_FALSE(tablero().isLoaded());

    mostrar();
    EXPECT_EQ(tablero().ActiveControlName(), QStringLiteral("dpFechaInicio"));
    otra->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(otra->window()));
    QWidget* foco = tablero().window()->focusWidget();
    ASSERT_NE(foco, nullptr);
    EXPECT_TRUE(foco == control("lvViajes") || control("lvViajes")->isAncestorOf(foco));

    // Once the parent is cleared its activation no longer reaches the board.
    com::putPropertyRef(&tablero(), QStringLiteral("Padre"), com::Ptr<com::IUnknown>());
    EXPECT_FALSE(tablero().sPadre());
    tablero().window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(tablero().window()));
    otra->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(otra->window()));
    QWidget* fecha = control("dpFechaInicio");
    foco = tablero().window()->focusWidget();
    EXPECT_TRUE(foco == fecha || fecha->isAncestorOf(foco));
}

} // namespace
