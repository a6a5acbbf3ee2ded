// The filter dialog: its load, the order in which accept reports unmatched codes, cancel, Esc and
// F4, and the board's reload once the dialog is accepted.

#include "kt512/filters/frmFiltros.h"
#include "kt512/services/IControles.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/trips/frmKT512.h"
#include "suite/controls/Controles.h"
#include "tests/kt512/trips/EntornoTablero.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace kt512;

namespace {

class DialogoDeFiltros : public ktest::EntornoTablero {
protected:
    com::Ptr<ItxtVEX> caja(const char* nombre) { return filtros().control<ItxtVEX>(nombre); }
    QWidget* widget(const char* nombre) { return filtros().ctl(nombre).widget(); }
};

// On load the dialog takes the board's parent, tells its bar of the activation and writes each
// code in the pattern its parameter gives. Accept reports only the first code without a
// description, in this order, and focuses it.
TEST_F(DialogoDeFiltros, CargaPadreYFormatosYAceptarAvisaElPrimerCodigoSinDescripcion) {
    otra->Load();
    tablero().setPadre(com::Ptr<com::IDispatch>(otra.get()));
    sistema->parametros.insert("FTO_SUCURSAL", "000");
    filtros().Aceptado = true;
    filtros().Show();
    filtros().window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(filtros().window()));
    EXPECT_FALSE(filtros().Aceptado);
    const auto* barra =
        dynamic_cast<suite::Controles*>(filtros().control<IControles>("Controles").get());
    EXPECT_TRUE(barra->notificaciones() >= 1 && !barra->ultimaNotificacion())
        << "the activation does not reach the bar";
    EXPECT_EQ(filtros().Padre(), tablero().sPadre());
    EXPECT_EQ(sistema->parametrosLeidos,
              QStringList({"FTO_TIPO_VEHICULO", "FTO_CHOFER", "FTO_SUCURSAL", "FTO_VEHICULO"}));
    QStringList codigos;
    for (const char* nombre : {"txtSucursal", "txtChofer", "txtVehiculo"}) {
        widget(nombre)->setFocus();
        QTest::keyClicks(widget(nombre), "7");
        QTest::keyClick(widget(nombre), Qt::Key_Return);
        codigos << caja(nombre)->Text();
    }
    EXPECT_EQ(codigos, (QStringList{"007", "0007", "0000000007"}));

    // Codes as their patterns write them, so that leaving a box does not look them up again.
    filtro("txtEstado", "XX", "txtNEstado", "");
    filtro("txtTipoVehiculo", "0009", "txtNTipoVehiculo", "");
    filtro("txtChofer", " ", "txtNChofer", "");
    filtro("txtSucursal", "0009", "txtNSucursal", "");
    filtro("txtVehiculo", "0000000009", "txtNVehiculo", "");
    const auto aceptar = [&] {
        sistema->mensajes.clear();
        QTest::mouseClick(widget("Controles")->findChild<QAbstractButton*>("btnB1"),
                          Qt::LeftButton);
    };
    QStringList avisos;
    for (const char* descripcion :
         {"txtNSucursal", "txtNEstado", "txtNTipoVehiculo", "txtNVehiculo", "txtNChofer"}) {
        aceptar();
        for (const ktest::Mensaje& m : sistema->mensajes)
            avisos << m.idError + ' ' + filtros().ActiveControlName();
        EXPECT_TRUE(filtros().isVisible() && !filtros().Aceptado);
        caja(descripcion)->setText("ENCONTRADO");
    }
    ASSERT_EQ(avisos, (QStringList{"ERR-ID:7500003 txtSucursal", "ERR-ID:7500004 txtEstado",
                                   "ERR-ID:7500005 txtTipoVehiculo", "ERR-ID:7500006 txtVehiculo",
                                   "ERR-ID:7500007 txtChofer"}));
    const ktest::Mensaje m = sistema->mensajes.at(0);
    EXPECT_EQ(std::tuple(m.texto, m.estilo, m.titulo, m.hWnd),
              std::tuple(QStringLiteral("Debe especificar un chofer válido"), 48L,
                         QStringLiteral("Kestrova"), filtros().hWnd()));
    aceptar();
    EXPECT_TRUE(sistema->mensajes.isEmpty());
    EXPECT_TRUE(filtros().Aceptado && !filtros().isVisible());
}

// Opened from the board: Esc and closing the window cancel, emptying the codes that matched
// nothing, and the board does not reload; F4 accepts and the board reloads with the filters.
TEST_F(DialogoDeFiltros, CancelarBorraLosCodigosSinDescripcionYSoloLoAceptadoRecargaElTablero) {
    mostrar();
    QString como;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QStringLiteral("frmFiltros"))
            return;
        filtro("txtEstado", "ER", "txtNEstado", "EN RUTA");
        filtro("txtSucursal", "0002", "txtNSucursal", como == "F4" ? "SUR" : "");
        filtros().Aceptado = true;
        if (como == "F4") {
            QTest::keyClick(widget("txtEstado"), Qt::Key_F4);
            return;
        }
        for (const char* codigo : {"txtTipoVehiculo", "txtChofer", "txtVehiculo"})
            caja(codigo)->setText("9");
        if (como == "Esc")
            QTest::keyClick(widget("txtEstado"), Qt::Key_Escape);
        else
            filtros().window()->close();
    });
    vigia.start(20);
    for (const char* caso : {"Esc", "cerrar", "F4"}) {
        SCOPED_TRACE(caso);
        como = caso;
        const int antes = cargas();
        QTest::mouseClick(tablero().ctl("cmdFiltros").widget(), Qt::LeftButton);
        EXPECT_TRUE(sistema->mensajes.isEmpty());
        EXPECT_TRUE(!filtros().isVisible() && filtros().isLoaded());
        EXPECT_EQ(caja("txtEstado")->Text(), "ER");
        if (como == "F4")
            break;
        EXPECT_FALSE(filtros().Aceptado);
        EXPECT_EQ(cargas(), antes);
        for (const char* codigo : {"txtTipoVehiculo", "txtChofer", "txtSucursal", "txtVehiculo"})
            EXPECT_TRUE(caja(codigo)->Text().isEmpty()) << codigo;
    }
    EXPECT_TRUE(filtros().Aceptado);
    EXPECT_EQ(ultimaCondicion(), kFechas + " AND Viaje.Es_Cve_Estado = 'ER'  AND "
                                           "Viaje.Sc_Cve_Sucursal = '0002' ");
}

} // namespace
