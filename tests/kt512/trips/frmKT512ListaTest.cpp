// What the user does with the trip list: search it, sort it, pick a trip and open it.

#include "EntornoTablero.h"
#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/trips/frmKT512.h"
#include "platform/forms/ErrorReporter.h"
#include "platform/forms/ListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace kt512;

namespace {

class ListaDeViajes : public ktest::EntornoTablero {
protected:
    void SetUp() override {
        EntornoTablero::SetUp();
        filas({{"V0001", "Norte", "ÁRBOL", "Jiménez"},
               {"V0002", "Sur", "arbol", "camión"},
               {"V0003", "Centro", "", "señal-5"},
               {"V0004", "Oeste", "pino", "x"},
               {"SEÑAL-5", "Este", "roble", "y"}});
        mostrar();
    }

    int buscar(const QString& texto) { return tablero().Buscar(lista(), texto); }

    QPoint centroDeFila(int posicion) {
        const QModelIndex i = vista()->model()->index(posicion - 1, 0);
        return vista()->visualRect(i).center();
    }
    void clicEnFila(int posicion) {
        QTest::mouseClick(vista()->viewport(), Qt::LeftButton, {}, centroDeFila(posicion));
    }
    void clicEnColumna(int columna) {
        QHeaderView* h = vista()->header();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(columna - 1) + 5, h->height() / 2));
    }
    QString folios() {
        QStringList r;
        for (int i = 1; i <= lista().Count(); ++i)
            r << lista().itemText(i);
        return r.join(QLatin1Char(' '));
    }
};

TEST_F(ListaDeViajes, BuscarIgnoraMayusculasPeroNoAcentosYVaPorFilasAntesQuePorCeldas) {
    EXPECT_EQ(buscar(QStringLiteral("SUR")), 2);
    EXPECT_EQ(buscar(QStringLiteral("árbol")), 1);
    EXPECT_EQ(buscar(QStringLiteral("arbol")), 2);
    EXPECT_EQ(buscar(QStringLiteral("CAMIÓN")), 2);
    EXPECT_EQ(buscar(QStringLiteral("jimenez")), 0);
    // In item 3's last column and in item 5's first one.
    EXPECT_EQ(buscar(QStringLiteral("Señal-5")), 3);
    // The same search finds the same item again, wherever the selection is.
    lista().setSelectedIndex(4);
    EXPECT_EQ(buscar(QStringLiteral("Señal-5")), 3);
    EXPECT_EQ(buscar(QString()), 1);
    EXPECT_TRUE(lista().FullRowSelect());
}

TEST_F(ListaDeViajes, UnaBusquedaSinResultadoLimpiaLaSeleccion) {
    lista().setSelectedIndex(2);
    EXPECT_EQ(buscar(QStringLiteral("no está")), 0);
    EXPECT_EQ(lista().SelectedIndex(), 0);

    filas({});
    QTest::keyClick(tablero().window(), Qt::Key_F5);
    EXPECT_EQ(buscar(QString()), 0);
}

TEST_F(ListaDeViajes, LaLupaSeleccionaLoEncontradoYLoRecuerda) {
    auto caja = tablero().control<ItxtVEX>(QStringLiteral("txtBuscar"));
    QWidget* cajaV = tablero().ctl(QStringLiteral("txtBuscar")).widget();
    caja->setText(QStringLiteral("PINO"));
    QTest::keyClick(cajaV, Qt::Key_F3);
    EXPECT_EQ(lista().SelectedIndex(), 4);
    EXPECT_EQ(tablero().IndiceSeleccionado, 4);
    EXPECT_EQ(tablero().ActiveControlName(), QStringLiteral("lvViajes"));

    caja->setText(QStringLiteral("ninguno"));
    QTest::keyClick(cajaV, Qt::Key_F3);
    EXPECT_EQ(lista().SelectedIndex(), 0);
    EXPECT_EQ(tablero().IndiceSeleccionado, 4);
}

TEST_F(ListaDeViajes, CadaClicEnUnEncabezadoInvierteElOrdenDeTodaLaLista) {
    clicEnColumna(2);
    EXPECT_EQ(lista().SortKey(), 1);
    EXPECT_TRUE(lista().Sorted());
    EXPECT_EQ(lista().sortOrder(), forms::ListView::Descending);
    EXPECT_EQ(folios(), QStringLiteral("V0002 V0004 V0001 SEÑAL-5 V0003"));
    clicEnColumna(2);
    EXPECT_EQ(lista().sortOrder(), forms::ListView::Ascending);
    EXPECT_EQ(folios(), QStringLiteral("V0003 SEÑAL-5 V0001 V0004 V0002"));

    // Another column takes the opposite of the order the last one had.
    clicEnColumna(1);
    EXPECT_EQ(lista().SortKey(), 0);
    EXPECT_EQ(lista().sortOrder(), forms::ListView::Descending);
    EXPECT_EQ(folios(), QStringLiteral("V0004 V0003 V0002 V0001 SEÑAL-5"));
}

TEST_F(ListaDeViajes, UnClicRecuerdaLaPosicionDeLaFila) {
    clicEnFila(3);
    EXPECT_EQ(tablero().IndiceSeleccionado, 3);
    EXPECT_EQ(lista().SelectedIndex(), 3);
}

TEST_F(ListaDeViajes, ElDobleClicAbreElViajeEnLaPantallaDeReprogramacion) {
    funciones->campos.insert(QStringLiteral("Viaje|Vj_Folio|V0002|Sc_Cve_Sucursal"),
                             QStringLiteral("0001"));
    QString abierta;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || !abierta.isEmpty())
            return;
        abierta = modal->objectName();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    vigia.start(20);

    clicEnFila(2);
    QTest::mouseDClick(vista()->viewport(), Qt::LeftButton, {}, centroDeFila(2));
    vigia.stop();

    EXPECT_EQ(abierta, QStringLiteral("frmReprogramarViaje"));
    EXPECT_EQ(funciones->llamadasCampo,
              QStringList{QStringLiteral("Viaje|Vj_Folio|V0002|Sc_Cve_Sucursal|")});
    EXPECT_FALSE(publico->reprogramarViaje().isLoaded());
    EXPECT_EQ(tablero().IndiceSeleccionado, 2);
    EXPECT_EQ(lista().SelectedIndex(), 2);
}

TEST_F(ListaDeViajes, UnDobleClicSinSeleccionNoHaceNada) {
    lista().setSelectedIndex(0);
    QTest::mouseDClick(vista()->viewport(), Qt::LeftButton, {},
                       QPoint(5, vista()->viewport()->height() - 5));
    EXPECT_TRUE(funciones->llamadasCampo.isEmpty());
    EXPECT_FALSE(publico->reprogramarViaje().isLoaded());
}

TEST_F(ListaDeViajes, UnErrorEnElDobleClicLlegaAlUsuarioYLaAplicacionSigue) {
    QStringList errores;
    const forms::ErrorReporter anterior =
        forms::setErrorReporter([&](const QString& descripcion, long) { errores << descripcion; });
    funciones->fallarEn = QStringLiteral("ObtenerCampo");
    clicEnFila(1);
    QTest::mouseDClick(vista()->viewport(), Qt::LeftButton, {}, centroDeFila(1));
    forms::setErrorReporter(anterior);

    EXPECT_EQ(errores, QStringList{QStringLiteral("Falla provocada en ObtenerCampo")});
    EXPECT_TRUE(tablero().isVisible());
    EXPECT_FALSE(publico->reprogramarViaje().isLoaded());
    QTest::keyClick(tablero().window(), Qt::Key_F5);
    EXPECT_EQ(cargas(), 2);
}

} // namespace
