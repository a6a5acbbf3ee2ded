// The trip query the board builds from its date range and the filter dialog's boxes, and the two
// ways a load reports failure.

#include "EntornoTablero.h"
#include "kt512/filters/frmFiltros.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/trips/frmKT512.h"

#include <QTest>

using namespace kt512;

namespace {

class CargaDeViajes : public ktest::EntornoTablero {
protected:
    // Reloads with the filters as they stand and gives the condition text.
    QString recargar() {
        QTest::keyClick(tablero().window(), Qt::Key_F5);
        return ultimaCondicion();
    }
};

TEST_F(CargaDeViajes, AlAbrirSinFiltrosSoloCuentaElRangoDeFechas) {
    tablero().Load();
    ASSERT_EQ(cargas(), 1);
    EXPECT_EQ(ultimaCondicion(), kFechas);
    EXPECT_EQ(sSQL(), kPlantilla + kFechas);
    EXPECT_EQ(formatosAplicados, 1);
    // Reading the boxes loaded the filter dialog without showing it.
    EXPECT_TRUE(filtros().isLoaded());
    EXPECT_FALSE(filtros().isVisible());
    EXPECT_TRUE(sistema->mensajes.isEmpty());
}

TEST_F(CargaDeViajes, CadaFiltroSePruebaEnSuCajaYTomaElCodigo) {
    mostrar();
    struct Caso {
        const char* nombre;
        std::function<void()> arreglar;
        QString condicion;
    };
    const std::vector<Caso> casos{
        {"tipo de vehículo",
         [&] { filtro("txtTipoVehiculo", "0002", "txtNTipoVehiculo", "TORTON"); },
         kFechas + " AND Tipo_Vehiculo.Tv_Cve_Tipo_Vehiculo = '0002' "},
        {"vehículo sin descripción",
         [&] { filtro("txtVehiculo", "0000000007", "txtNVehiculo", ""); },
         kFechas + " AND Vehiculo.Vh_Cve_Vehiculo = '0000000007' "},
        {"códigos sin descripción",
         [&] {
             filtro("txtEstado", "XX", "txtNEstado", "");
             filtro("txtChofer", "0009", "txtNChofer", "");
             filtro("txtSucursal", "0009", "txtNSucursal", "");
             filtro("txtTipoVehiculo", "0009", "txtNTipoVehiculo", "");
         },
         kFechas},
        {"descripción sin código", [&] { filtro("txtEstado", "", "txtNEstado", "EN RUTA"); },
         kFechas + " AND Viaje.Es_Cve_Estado = '' "},
        {"descripción en blanco", [&] { filtro("txtChofer", "0003", "txtNChofer", " "); },
         kFechas + " AND Viaje.Ch_Cve_Chofer = '0003' "},
        {"los cinco, en su orden",
         [&] {
             filtro("txtSucursal", "0001", "txtNSucursal", "NORTE");
             filtro("txtChofer", "0003", "txtNChofer", "JUAN");
             filtro("txtEstado", "ER", "txtNEstado", "EN RUTA");
             filtro("txtVehiculo", "0000000007", "txtNVehiculo", "KENWORTH");
             filtro("txtTipoVehiculo", "0002", "txtNTipoVehiculo", "TORTON");
         },
         kFechas + " AND Tipo_Vehiculo.Tv_Cve_Tipo_Vehiculo = '0002' " +
             " AND Vehiculo.Vh_Cve_Vehiculo = '0000000007' " + " AND Viaje.Es_Cve_Estado = 'ER' " +
             " AND Viaje.Ch_Cve_Chofer = '0003' " + " AND Viaje.Sc_Cve_Sucursal = '0001' "},
        {"códigos con apóstrofo",
         [&] {
             filtro("txtSucursal", "0'01", "txtNSucursal", "NORTE");
             filtro("txtVehiculo", "'; --", "txtNVehiculo", "");
         },
         kFechas + " AND Vehiculo.Vh_Cve_Vehiculo = '''; --' " +
             " AND Viaje.Sc_Cve_Sucursal = '0''01' "},
    };
    for (const Caso& caso : casos) {
        limpiarFiltros();
        caso.arreglar();
        EXPECT_EQ(recargar(), caso.condicion) << caso.nombre;
    }
}

TEST_F(CargaDeViajes, LasFechasSonLasDeLosSelectoresAunqueElInicioSeaPosterior) {
    tablero().Load();
    tablero()
        .control<IdpFecha>(QStringLiteral("dpFechaFin"))
        ->setValue(QDateTime(QDate(2026, 1, 2), QTime(0, 0)));
    EXPECT_EQ(ultimaCondicion(), QStringLiteral(" Viaje.Vj_Fecha BETWEEN '2026-11-28' AND "
                                                "'2026-01-02' "));
}

TEST_F(CargaDeViajes, LaMarcaSeReemplazaDondeEsteYSinMarcaLaConsultaVaIntacta) {
    funciones->consultas[QStringLiteral("Viajes")] =
        QStringLiteral("A{PARAMETROS}B{PARAMETROS}{parametros}");
    tablero().Load();
    EXPECT_EQ(funciones->sqlListas.constLast(), QStringLiteral("A") + kFechas +
                                                    QStringLiteral("B") + kFechas +
                                                    QStringLiteral("{parametros}"));

    funciones->consultas[QStringLiteral("Viajes")] = QStringLiteral("SELECT * FROM Viaje");
    QTest::keyClick(tablero().window(), Qt::Key_F5);
    EXPECT_EQ(funciones->sqlListas.constLast(), QStringLiteral("SELECT * FROM Viaje"));
}

TEST_F(CargaDeViajes, UnaListaQueNoSeLlenaMuestraElErrorDelAnfitrion) {
    funciones->resultadoLlenar = false;
    funciones->ultimoError = QStringLiteral("no such table: Viaje");
    tablero().Load();
    ASSERT_EQ(sistema->mensajes.size(), 1);
    const ktest::Mensaje m = sistema->mensajes.constFirst();
    EXPECT_EQ(m.texto, QStringLiteral("no such table: Viaje"));
    EXPECT_EQ(m.estilo, 48);
    EXPECT_EQ(m.titulo, QStringLiteral("CARGAR VIAJES"));
    EXPECT_EQ(m.hWnd, tablero().hWnd());
    EXPECT_EQ(m.modulo, QStringLiteral("KT512"));
    EXPECT_EQ(m.idError, QStringLiteral("ERR-ID:7500001"));
    EXPECT_EQ(formatosAplicados, 0);
}

TEST_F(CargaDeViajes, UnErrorDentroDeLaCargaSeMuestraYNoSaleDeElla) {
    funciones->fallarEn = QStringLiteral("ObtenerConsulta");
    tablero().Load();
    ASSERT_TRUE(tablero().isLoaded());
    ASSERT_EQ(sistema->mensajes.size(), 1);
    const ktest::Mensaje m = sistema->mensajes.constFirst();
    EXPECT_EQ(m.texto, QStringLiteral("Falla provocada en ObtenerConsulta"));
    EXPECT_EQ(m.estilo, 16);
    EXPECT_EQ(m.titulo, QStringLiteral("CARGAR VIAJES"));
    EXPECT_EQ(m.idError, QStringLiteral("ERR-ID:7500002"));
    EXPECT_TRUE(sSQL().isEmpty());
    EXPECT_EQ(cargas(), 0);

    // The next load works again.
    QTest::keyClick(tablero().window(), Qt::Key_F5);
    EXPECT_EQ(cargas(), 1);
    EXPECT_EQ(sistema->mensajes.size(), 1);
}

} // namespace
