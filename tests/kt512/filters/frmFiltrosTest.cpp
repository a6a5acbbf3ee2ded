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
    com::Ptr<ItxtVEX> caja(const char* nombre) {
        return filtros().control<ItxtVEX>(QString::fromLatin1(nombre));
    }
    QWidget* widget(const char* nombre) {
        return filtros().ctl(QString::fromLatin1(nombre)).widget();
    }
    void mostrarDialogo() {
        filtros().Show();
        filtros().window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(filtros().window()));
    }
    void boton(const char* nombre) {
        QTest::mouseClick(
            widget("Controles")->findChild<QAbstractButton*>(QString::fromLatin1(nombre)),
            Qt::LeftButton);
    }
};

TEST_F(DialogoDeFiltros, AlCargarseTomaElPadreDelTableroYLosFormatosDeLasClaves) {
    otra->Load();
    tablero().setPadre(com::Ptr<com::IDispatch>(otra.get()));
    sistema->parametros.insert(QStringLiteral("FTO_SUCURSAL"), QStringLiteral("000"));
    filtros().Aceptado = true;
    mostrarDialogo();
    EXPECT_FALSE(filtros().Aceptado);
    const auto* barra = dynamic_cast<suite::Controles*>(
        filtros().control<IControles>(QStringLiteral("Controles")).get());
    ASSERT_NE(barra, nullptr);
    EXPECT_GE(barra->notificaciones(), 1) << "the activation does not reach the bar";
    EXPECT_FALSE(barra->ultimaNotificacion());
    EXPECT_EQ(filtros().Padre(), tablero().sPadre());
    EXPECT_EQ(sistema->parametrosLeidos,
              QStringList({"FTO_TIPO_VEHICULO", "FTO_CHOFER", "FTO_SUCURSAL", "FTO_VEHICULO"}));
    for (const auto& [nombre, esperado] : std::vector<std::pair<const char*, const char*>>{
             {"txtSucursal", "007"}, {"txtChofer", "0007"}, {"txtVehiculo", "0000000007"}}) {
        widget(nombre)->setFocus();
        QTest::keyClicks(widget(nombre), QStringLiteral("7"));
        QTest::keyClick(widget(nombre), Qt::Key_Return);
        EXPECT_EQ(caja(nombre)->Text(), QString::fromLatin1(esperado));
    }
}

TEST_F(DialogoDeFiltros, AceptarAvisaSoloElPrimerCodigoSinDescripcionYLoEnfoca) {
    mostrarDialogo();
    // Codes as their patterns write them, so that leaving a box does not look them up again.
    filtro("txtEstado", "XX", "txtNEstado", "");
    filtro("txtTipoVehiculo", "0009", "txtNTipoVehiculo", "");
    filtro("txtChofer", " ", "txtNChofer", "");
    filtro("txtSucursal", "0009", "txtNSucursal", "");
    filtro("txtVehiculo", "0000000009", "txtNVehiculo", "");
    const std::vector<std::tuple<const char*, const char*, const char*>> orden{
        {"txtSucursal", "txtNSucursal", "ERR-ID:7500003"},
        {"txtEstado", "txtNEstado", "ERR-ID:7500004"},
        {"txtTipoVehiculo", "txtNTipoVehiculo", "ERR-ID:7500005"},
        {"txtVehiculo", "txtNVehiculo", "ERR-ID:7500006"},
        {"txtChofer", "txtNChofer", "ERR-ID:7500007"}};
    for (const auto& [codigo, descripcion, id] : orden) {
        sistema->mensajes.clear();
        boton("btnB1");
        ASSERT_EQ(sistema->mensajes.size(), 1) << codigo;
        EXPECT_EQ(sistema->mensajes.at(0).idError, QString::fromLatin1(id));
        EXPECT_EQ(filtros().ActiveControlName(), QString::fromLatin1(codigo));
        EXPECT_TRUE(filtros().isVisible() && !filtros().Aceptado);
        caja(descripcion)->setText(QStringLiteral("ENCONTRADO"));
    }
    const ktest::Mensaje m = sistema->mensajes.at(0);
    EXPECT_EQ(std::tuple(m.texto, m.estilo, m.titulo, m.hWnd),
              std::tuple(QStringLiteral("Debe especificar un chofer válido"), 48L,
                         QStringLiteral("Kestrova"), filtros().hWnd()));
    sistema->mensajes.clear();
    boton("btnB1");
    EXPECT_TRUE(sistema->mensajes.isEmpty());
    EXPECT_TRUE(filtros().Aceptado && !filtros().isVisible());
}

TEST_F(DialogoDeFiltros, EscYLaVentanaCerradaCancelanBorrandoLosCodigosSinDescripcionYF4Acepta) {
    for (const bool esc : {true, false}) {
        SCOPED_TRACE(esc ? "Esc" : "cerrar la ventana");
        mostrarDialogo();
        filtro("txtEstado", "ER", "txtNEstado", "EN RUTA");
        for (const char* codigo : {"txtTipoVehiculo", "txtChofer", "txtSucursal", "txtVehiculo"})
            caja(codigo)->setText(QStringLiteral("9"));
        filtros().Aceptado = true;
        if (esc)
            QTest::keyClick(widget("txtEstado"), Qt::Key_Escape);
        else
            filtros().window()->close();
        EXPECT_TRUE(!filtros().Aceptado && !filtros().isVisible() && filtros().isLoaded());
        EXPECT_TRUE(sistema->mensajes.isEmpty()) << "cancelling does not go on to accept";
        EXPECT_EQ(caja("txtEstado")->Text(), QStringLiteral("ER"));
        for (const char* codigo : {"txtTipoVehiculo", "txtChofer", "txtSucursal", "txtVehiculo"})
            EXPECT_TRUE(caja(codigo)->Text().isEmpty()) << codigo;
    }
    mostrarDialogo();
    QTest::keyClick(widget("txtEstado"), Qt::Key_F4);
    EXPECT_TRUE(filtros().Aceptado && !filtros().isVisible());
}

TEST_F(DialogoDeFiltros, ElTableroRecargaConLosFiltrosAceptadosYNoConLosCancelados) {
    mostrar();
    Qt::Key tecla = Qt::Key_Escape;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == QStringLiteral("frmFiltros")) {
            filtro("txtSucursal", "0002", "txtNSucursal", "SUR");
            QTest::keyClick(widget("txtEstado"), tecla);
        }
    });
    vigia.start(20);
    int antes = cargas();
    QTest::mouseClick(tablero().ctl(QStringLiteral("cmdFiltros")).widget(), Qt::LeftButton);
    EXPECT_EQ(cargas(), antes);
    tecla = Qt::Key_F4;
    QTest::mouseClick(tablero().ctl(QStringLiteral("cmdFiltros")).widget(), Qt::LeftButton);
    vigia.stop();
    EXPECT_GT(cargas(), antes);
    EXPECT_EQ(ultimaCondicion(), kFechas + QStringLiteral(" AND Viaje.Sc_Cve_Sucursal = '0002' "));
}

} // namespace
