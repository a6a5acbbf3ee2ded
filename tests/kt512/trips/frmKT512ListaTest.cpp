// Searching, sorting and opening the trips of the board's list.

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
#include <functional>
#include <utility>
#include <vector>

using namespace kt512;

namespace {

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
    int buscar(const QString& texto) { return tablero().Buscar(lista(), texto); }
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
};

TEST_F(ListaDeViajes, BuscarIgnoraLaCajaNoLosAcentosYPrefiereLaFilaAnterior) {
    EXPECT_EQ(buscar(QStringLiteral("SUR")), 2);
    EXPECT_EQ(buscar(QStringLiteral("árbol")), 1);
    EXPECT_EQ(buscar(QStringLiteral("arbol")), 2);
    EXPECT_EQ(buscar(QStringLiteral("Señal-5")), 3) << "item 3's last cell before item 4's first";
    EXPECT_EQ(buscar(QString()), 1);

    auto caja = tablero().control<ItxtVEX>(QStringLiteral("txtBuscar"));
    caja->setText(QStringLiteral("PINO"));
    QTest::keyClick(tablero().ctl(QStringLiteral("txtBuscar")).widget(), Qt::Key_F3);
    EXPECT_EQ(lista().SelectedIndex(), 4);
    EXPECT_EQ(tablero().IndiceSeleccionado, 4);
    EXPECT_EQ(tablero().ActiveControlName(), QStringLiteral("lvViajes"));
    // No match: the selection goes, the remembered position stays.
    caja->setText(QStringLiteral("roble"));
    QTest::keyClick(tablero().ctl(QStringLiteral("txtBuscar")).widget(), Qt::Key_F3);
    EXPECT_EQ(lista().SelectedIndex(), 0);
    EXPECT_EQ(tablero().IndiceSeleccionado, 4);
}

TEST_F(ListaDeViajes, CadaClicEnUnEncabezadoInvierteElOrdenDeTodaLaLista) {
    clicEnColumna(2);
    EXPECT_EQ(lista().SortKey(), 1);
    EXPECT_EQ(folios(), QStringLiteral("V2 V1 SEÑAL-5 V3"));
    clicEnColumna(2);
    EXPECT_EQ(folios(), QStringLiteral("V3 SEÑAL-5 V1 V2"));
    clicEnColumna(1);
    EXPECT_EQ(folios(), QStringLiteral("V3 V2 V1 SEÑAL-5"));
}

TEST_F(ListaDeViajes, ElDobleClicOEnterAbrenElViajeConSuSucursalYVuelvenASuFila) {
    const std::vector<std::pair<const char*, std::function<void()>>> maneras{
        {"doble clic",
         [&] { QTest::mouseDClick(vista()->viewport(), Qt::LeftButton, {}, fila(2)); }},
        {"Enter", [&] { QTest::keyClick(vista(), Qt::Key_Return); }}};
    for (const auto& [manera, abrir] : maneras) {
        funciones->llamadasCampo.clear();
        QString abierta;
        QTimer vigia;
        QObject::connect(&vigia, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget(); modal && abierta.isEmpty()) {
                abierta = modal->objectName();
                QTest::keyClick(modal, Qt::Key_Escape);
            }
        });
        vigia.start(20);
        QTest::mouseClick(vista()->viewport(), Qt::LeftButton, {}, fila(2));
        abrir();
        vigia.stop();

        EXPECT_EQ(abierta, QStringLiteral("frmReprogramarViaje")) << manera;
        EXPECT_EQ(funciones->llamadasCampo, QStringList{"Viaje|Vj_Folio|V2|Sc_Cve_Sucursal|"})
            << manera;
        EXPECT_FALSE(publico->reprogramarViaje().isLoaded()) << manera;
        EXPECT_EQ(tablero().IndiceSeleccionado, 2) << manera;
        EXPECT_EQ(lista().SelectedIndex(), 2) << manera;
    }
    // Enter with no trip selected opens nothing.
    lista().setSelectedIndex(0);
    QTest::keyClick(vista(), Qt::Key_Return);
    EXPECT_EQ(funciones->llamadasCampo.size(), 1);
}

TEST_F(ListaDeViajes, UnErrorDelDobleClicLlegaAlUsuarioYElTableroSigue) {
    QStringList errores;
    const forms::ErrorReporter anterior =
        forms::setErrorReporter([&](const QString& texto, long) { errores << texto; });
    funciones->fallarEn = QStringLiteral("ObtenerCampo");
    QTest::mouseClick(vista()->viewport(), Qt::LeftButton, {}, fila(1));
    QTest::mouseDClick(vista()->viewport(), Qt::LeftButton, {}, fila(1));
    forms::setErrorReporter(anterior);

    EXPECT_EQ(errores, QStringList{"Falla provocada en ObtenerCampo"});
    EXPECT_TRUE(tablero().isVisible());
    EXPECT_FALSE(publico->reprogramarViaje().isLoaded());
}

} // namespace
