// Searching, sorting and opening the trips of the board's list.

#include "EntornoTablero.h"
#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/trips/frmKT512.h"
#include "platform/forms/ErrorReporter.h"
#include "platform/forms/ListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QTimer>
#include <QTreeView>
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

// A double click or Enter opens the trip with its branch; the list may be reloaded while the
// screen is open, and the position is then looked for in the list as it has become.
TEST_F(ListaDeViajes, ElDobleClicOEnterAbrenElViajeYVuelvenASuPosicionEnLaListaComoQuedo) {
    const auto recargar = [&] {
        auto fin = tablero().control<IdpFecha>(QStringLiteral("dpFechaFin"));
        fin->setValue(fin->Value().addDays(1));
    };
    struct Caso {
        int fila;
        int filasAlVolver;
        int seleccion;
        bool enter;
    };
    for (const Caso& caso :
         {Caso{4, 4, 4, false}, Caso{1, 2, 1, false}, Caso{4, 3, 0, false}, Caso{2, 4, 2, true}}) {
        SCOPED_TRACE(caso.fila);
        filas({{"V1"}, {"V2"}, {"V3"}, {"V4"}});
        recargar();
        std::vector<QStringList> nuevas;
        for (int i = 1; i <= caso.filasAlVolver; ++i)
            nuevas.push_back({QStringLiteral("W%1").arg(i)});
        QString abierta;
        QTimer vigia;
        QObject::connect(&vigia, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget(); modal && abierta.isEmpty()) {
                abierta = modal->objectName();
                filas(nuevas);
                recargar();
                QTest::keyClick(modal, Qt::Key_Escape);
            }
        });
        vigia.start(20);
        QTest::mouseClick(vista()->viewport(), Qt::LeftButton, {}, fila(caso.fila));
        if (caso.enter)
            QTest::keyClick(vista(), Qt::Key_Return);
        else
            QTest::mouseDClick(vista()->viewport(), Qt::LeftButton, {}, fila(caso.fila));
        vigia.stop();
        EXPECT_EQ(abierta, QStringLiteral("frmReprogramarViaje"));
        EXPECT_EQ(funciones->llamadasCampo.value(funciones->llamadasCampo.size() - 1),
                  QStringLiteral("Viaje|Vj_Folio|V%1|Sc_Cve_Sucursal|").arg(caso.fila));
        EXPECT_FALSE(publico->reprogramarViaje().isLoaded());
        ASSERT_EQ(lista().Count(), caso.filasAlVolver);
        EXPECT_EQ(lista().SelectedIndex(), caso.seleccion);
        EXPECT_EQ(tablero().IndiceSeleccionado, caso.fila);
    }
    // Enter with no trip selected opens nothing.
    const qsizetype llamadas = funciones->llamadasCampo.size();
    lista().setSelectedIndex(0);
    QTest::keyClick(vista(), Qt::Key_Return);
    EXPECT_EQ(funciones->llamadasCampo.size(), llamadas);
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
