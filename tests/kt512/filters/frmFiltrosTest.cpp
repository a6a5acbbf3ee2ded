// The filter dialog: its load, the order in which accept reports unmatched codes, cancel, the
// keys, and the board's reload once the dialog is accepted.

#include "kt512/filters/frmFiltros.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/trips/frmKT512.h"
#include "platform/forms/ListView.h"
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
    void aceptar() {
        QTest::mouseClick(widget("Controles")->findChild<QAbstractButton*>(QStringLiteral("btnB1")),
                          Qt::LeftButton);
    }
    void cancelar() {
        QTest::mouseClick(widget("Controles")->findChild<QAbstractButton*>(QStringLiteral("btnB2")),
                          Qt::LeftButton);
    }
};

TEST_F(DialogoDeFiltros, AlCargarseTomaElPadreDelTableroYLosFormatosDeLasClaves) {
    otra->Load();
    tablero().setPadre(com::Ptr<com::IDispatch>(otra.get()));
    sistema->parametros.insert(QStringLiteral("FTO_SUCURSAL"), QStringLiteral("000"));
    filtros().Aceptado = true;
    filtros().Load();

    EXPECT_FALSE(filtros().Aceptado);
    EXPECT_EQ(filtros().Padre(), tablero().sPadre());
    EXPECT_FALSE(tablero().isLoaded());
    EXPECT_EQ(sistema->parametrosLeidos,
              QStringList({"FTO_TIPO_VEHICULO", "FTO_CHOFER", "FTO_SUCURSAL", "FTO_VEHICULO"}));
    EXPECT_EQ(filtros().window()->windowTitle(), QStringLiteral("Filtros"));

    // Each code box writes its code in its own pattern.
    mostrarDialogo();
    for (const auto& [nombre, esperado] : std::vector<std::pair<const char*, const char*>>{
             {"txtSucursal", "007"}, {"txtChofer", "0007"}, {"txtVehiculo", "0000000007"}}) {
        widget(nombre)->setFocus();
        QTest::keyClicks(widget(nombre), QStringLiteral("7"));
        QTest::keyClick(widget(nombre), Qt::Key_Return);
        EXPECT_EQ(caja(nombre)->Text(), QString::fromLatin1(esperado)) << nombre;
    }
}

TEST_F(DialogoDeFiltros, AceptarAvisaSoloElPrimerCodigoSinDescripcionYLoEnfoca) {
    mostrarDialogo();
    // Codes written as their patterns write them: leaving a box does not look them up again.
    for (const auto& [codigo, valor] :
         std::vector<std::pair<const char*, const char*>>{{"txtEstado", "XX"},
                                                          {"txtTipoVehiculo", "0009"},
                                                          {"txtChofer", "0009"},
                                                          {"txtSucursal", "0009"},
                                                          {"txtVehiculo", "0000000009"}})
        caja(codigo)->setText(QString::fromLatin1(valor));
    const std::vector<std::tuple<const char*, const char*, const char*, const char*>> orden{
        {"txtSucursal", "txtNSucursal", "ERR-ID:7500003", "Debe especificar una sucursal válida"},
        {"txtEstado", "txtNEstado", "ERR-ID:7500004", "Debe especificar un estado válido"},
        {"txtTipoVehiculo", "txtNTipoVehiculo", "ERR-ID:7500005",
         "Debe especificar un tipo de vehículo válido"},
        {"txtVehiculo", "txtNVehiculo", "ERR-ID:7500006", "Debe especificar un vehículo válido"},
        {"txtChofer", "txtNChofer", "ERR-ID:7500007", "Debe especificar un chofer válido"}};
    for (const auto& [codigo, descripcion, id, texto] : orden) {
        sistema->mensajes.clear();
        aceptar();
        ASSERT_EQ(sistema->mensajes.size(), 1) << codigo;
        const ktest::Mensaje m = sistema->mensajes.constFirst();
        EXPECT_EQ(m.texto, QString::fromUtf8(texto));
        EXPECT_EQ(m.estilo, 48);
        EXPECT_EQ(m.titulo, QStringLiteral("Kestrova"));
        EXPECT_EQ(m.hWnd, filtros().hWnd());
        EXPECT_EQ(m.modulo, QStringLiteral("KT512"));
        EXPECT_EQ(m.idError, QString::fromLatin1(id));
        EXPECT_EQ(filtros().ActiveControlName(), QString::fromLatin1(codigo));
        EXPECT_TRUE(filtros().isVisible());
        EXPECT_FALSE(filtros().Aceptado);
        // The pair passes once its description is there.
        caja(descripcion)->setText(QStringLiteral("ENCONTRADO"));
    }
    sistema->mensajes.clear();
    aceptar();
    EXPECT_TRUE(sistema->mensajes.isEmpty());
    EXPECT_TRUE(filtros().Aceptado);
    EXPECT_FALSE(filtros().isVisible());
    EXPECT_TRUE(filtros().isLoaded());
}

TEST_F(DialogoDeFiltros, SoloUnCodigoEscritoSinDescripcionFalla) {
    mostrarDialogo();
    // A description beside an empty code passes; a code of blanks counts as typed.
    caja("txtNEstado")->setText(QStringLiteral("EN RUTA"));
    caja("txtChofer")->setText(QStringLiteral(" "));
    aceptar();
    ASSERT_EQ(sistema->mensajes.size(), 1);
    EXPECT_EQ(sistema->mensajes.constFirst().idError, QStringLiteral("ERR-ID:7500007"));

    caja("txtChofer")->setText(QString());
    aceptar();
    EXPECT_EQ(sistema->mensajes.size(), 1);
    EXPECT_TRUE(filtros().Aceptado);
}

TEST_F(DialogoDeFiltros, CancelarBorraLosCodigosSinDescripcionYBajaLaBandera) {
    mostrarDialogo();
    filtro("txtEstado", "ER", "txtNEstado", "EN RUTA");
    for (const char* codigo : {"txtTipoVehiculo", "txtChofer", "txtSucursal", "txtVehiculo"})
        caja(codigo)->setText(QStringLiteral("9"));
    filtros().Aceptado = true;
    cancelar();
    EXPECT_FALSE(filtros().Aceptado);
    EXPECT_FALSE(filtros().isVisible());
    EXPECT_EQ(caja("txtEstado")->Text(), QStringLiteral("ER"));
    EXPECT_EQ(caja("txtNEstado")->Text(), QStringLiteral("EN RUTA"));
    for (const char* codigo : {"txtTipoVehiculo", "txtChofer", "txtSucursal", "txtVehiculo"})
        EXPECT_TRUE(caja(codigo)->Text().isEmpty()) << codigo;
    EXPECT_TRUE(sistema->mensajes.isEmpty());
}

TEST_F(DialogoDeFiltros, EscCancelaSinAceptarYF4Acepta) {
    mostrarDialogo();
    caja("txtSucursal")->setText(QStringLiteral("9"));
    filtros().Aceptado = true;
    QTest::keyClick(widget("txtEstado"), Qt::Key_Escape);
    EXPECT_FALSE(filtros().isVisible());
    EXPECT_FALSE(filtros().Aceptado);
    EXPECT_TRUE(caja("txtSucursal")->Text().isEmpty());
    EXPECT_TRUE(sistema->mensajes.isEmpty());

    mostrarDialogo();
    QTest::keyClick(widget("txtEstado"), Qt::Key_F4);
    EXPECT_FALSE(filtros().isVisible());
    EXPECT_TRUE(filtros().Aceptado);
}

TEST_F(DialogoDeFiltros, ElTableroRecargaConLosFiltrosAceptadosYNoConLosCancelados) {
    mostrar();
    QTimer vigia;
    bool pulsarF4 = true;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QStringLiteral("frmFiltros"))
            return;
        filtro("txtSucursal", "0002", "txtNSucursal", "SUR");
        QTest::keyClick(widget("txtEstado"), pulsarF4 ? Qt::Key_F4 : Qt::Key_Escape);
    });
    vigia.start(20);
    QWidget* boton = tablero().ctl(QStringLiteral("cmdFiltros")).widget();

    pulsarF4 = false;
    int antes = cargas();
    QTest::mouseClick(boton, Qt::LeftButton);
    EXPECT_EQ(cargas(), antes);
    EXPECT_FALSE(filtros().Aceptado);

    pulsarF4 = true;
    antes = cargas();
    QTest::mouseClick(boton, Qt::LeftButton);
    vigia.stop();
    EXPECT_TRUE(filtros().Aceptado);
    EXPECT_GT(cargas(), antes);
    EXPECT_EQ(ultimaCondicion(), kFechas + QStringLiteral(" AND Viaje.Sc_Cve_Sucursal = '0002' "));

    // The flag stays up: every later activation of the board reloads.
    antes = cargas();
    reactivar();
    EXPECT_EQ(cargas(), antes + 1);
}

} // namespace
