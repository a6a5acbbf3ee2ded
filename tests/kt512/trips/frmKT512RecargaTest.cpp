// Every way the board reloads its trip list, the refresh parameter, and reselection by position
// after an automatic reload.

#include "EntornoTablero.h"
#include "kt512/filters/frmFiltros.h"
#include "kt512/reprogram/frmRecalendarizar.h"
#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/trips/frmKT512.h"
#include "platform/forms/ListView.h"
#include "platform/forms/Timer.h"

#include <QApplication>
#include <QTest>

using namespace kt512;

namespace {

class RecargaDelTablero : public ktest::EntornoTablero {
protected:
    forms::Timer& reloj() { return tablero().timer(QStringLiteral("TmrRefresh")); }

    // Ticks until the list reloads; 0 when it did not within limite ticks.
    int ticksHastaRecargar(int limite) {
        const int antes = cargas();
        for (int i = 1; i <= limite; ++i) {
            reloj().tick();
            if (cargas() != antes)
                return i;
        }
        return 0;
    }

    void abrirConParametro(const QVariant& valor) {
        sistema->parametros.insert(QStringLiteral("LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES"), valor);
        tablero().Load();
    }
};

TEST_F(RecargaDelTablero, AlAbrirCargaUnaVezAntesDeMostrarse) {
    tablero().Load();
    EXPECT_EQ(cargas(), 1);
    mostrar();
    EXPECT_EQ(cargas(), 1);
}

TEST_F(RecargaDelTablero, CadaActivacionRecargaMientrasUnaBanderaSigaPuesta) {
    mostrar();
    const std::vector<std::pair<const char*, bool*>> banderas{
        {"filtros", &filtros().Aceptado},
        {"recalendarizar", &publico->recalendarizar().Aceptado},
        {"reprogramar viaje", &publico->reprogramarViaje().Aceptado}};
    for (const auto& [nombre, bandera] : banderas) {
        const int antes = cargas();
        reactivar();
        EXPECT_EQ(cargas(), antes) << nombre;
        *bandera = true;
        reactivar();
        EXPECT_EQ(cargas(), antes + 1) << nombre;
        reactivar();
        EXPECT_EQ(cargas(), antes + 2) << nombre << ": the flag is never reset by the board";
        EXPECT_TRUE(*bandera);
        *bandera = false;
    }
    EXPECT_EQ(tablero().ActiveControlName(), QStringLiteral("dpFechaInicio"));
}

TEST_F(RecargaDelTablero, F5RecargaConCualquierTeclaDeCambio) {
    mostrar();
    int esperadas = cargas();
    for (const Qt::KeyboardModifiers m :
         {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier),
          Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::AltModifier),
          Qt::ShiftModifier | Qt::ControlModifier}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5, m);
        EXPECT_EQ(cargas(), ++esperadas) << int(m);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(cargas(), esperadas);
}

TEST_F(RecargaDelTablero, ElBotonDeRefrescarRecargaYEnfocaLaLista) {
    mostrar();
    QTest::mouseClick(tablero().ctl(QStringLiteral("cmdRefrescar")).widget(), Qt::LeftButton);
    EXPECT_EQ(cargas(), 2);
    EXPECT_EQ(tablero().ActiveControlName(), QStringLiteral("lvViajes"));
}

TEST_F(RecargaDelTablero, CadaSelectorDeFechaRecargaConSuFecha) {
    mostrar();
    tablero()
        .control<IdpFecha>(QStringLiteral("dpFechaInicio"))
        ->setValue(QDateTime(QDate(2026, 11, 1), QTime(0, 0)));
    EXPECT_EQ(cargas(), 2);
    EXPECT_EQ(ultimaCondicion(), QStringLiteral(" Viaje.Vj_Fecha BETWEEN '2026-11-01' AND "
                                                "'2026-12-12' "));
    tablero()
        .control<IdpFecha>(QStringLiteral("dpFechaFin"))
        ->setValue(QDateTime(QDate(2026, 12, 31), QTime(0, 0)));
    EXPECT_EQ(cargas(), 3);
    EXPECT_EQ(ultimaCondicion(), QStringLiteral(" Viaje.Vj_Fecha BETWEEN '2026-11-01' AND "
                                                "'2026-12-31' "));
}

TEST_F(RecargaDelTablero, ElTemporizadorRecargaTrasTantosTicksMasUno) {
    abrirConParametro(QStringLiteral("1"));
    EXPECT_TRUE(reloj().Enabled());
    EXPECT_EQ(reloj().Interval(), 1000);
    EXPECT_EQ(ticksHastaRecargar(10), 2);
    EXPECT_EQ(ticksHastaRecargar(10), 2);
}

TEST_F(RecargaDelTablero, PorOmisionRecargaCadaVeintiunTicksSinContarOtrasRecargas) {
    tablero().Load();
    EXPECT_EQ(tablero().TiempoActualizacion, 20);
    for (int i = 0; i < 10; ++i)
        reloj().tick();
    QTest::keyClick(tablero().window(), Qt::Key_F5);
    EXPECT_EQ(ticksHastaRecargar(30), 11);
    EXPECT_EQ(ticksHastaRecargar(30), 21);
}

TEST_F(RecargaDelTablero, ConCeroONegativoSoloRecargaAPeticion) {
    for (const char* valor : {"0", "-3"}) {
        abrirConParametro(QString::fromLatin1(valor));
        EXPECT_FALSE(reloj().Enabled()) << valor;
        EXPECT_EQ(ticksHastaRecargar(50), 0) << valor;
        tablero().Unload();
    }
    EXPECT_TRUE(sistema->mensajes.isEmpty());
}

TEST_F(RecargaDelTablero, UnParametroQueNoEsEnteroCortoSeAvisaYElTableroAbreSinRecargarSolo) {
    for (const char* valor : {"veinte", "40000", "-32769", ""}) {
        sistema->mensajes.clear();
        funciones->sqlListas.clear();
        abrirConParametro(QString::fromLatin1(valor));
        EXPECT_EQ(cargas(), 1) << valor;
        EXPECT_FALSE(reloj().Enabled()) << valor;
        ASSERT_EQ(sistema->mensajes.size(), 1) << valor;
        const ktest::Mensaje m = sistema->mensajes.constFirst();
        EXPECT_TRUE(m.texto.contains(QStringLiteral("LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES")))
            << valor;
        EXPECT_TRUE(m.texto.contains(QStringLiteral("\"%1\"").arg(QString::fromLatin1(valor))));
        EXPECT_EQ(m.estilo, 48);
        EXPECT_EQ(m.idError, QStringLiteral("ERR-ID:7500020"));
        EXPECT_EQ(m.hWnd, tablero().hWnd());
        tablero().Unload();
    }
    // Blanks around a number and a fraction convert as numbers do.
    abrirConParametro(QStringLiteral(" 7 "));
    EXPECT_EQ(tablero().TiempoActualizacion, 7);
    tablero().Unload();
    abrirConParametro(QStringLiteral("2.5"));
    EXPECT_EQ(tablero().TiempoActualizacion, 2);
}

TEST_F(RecargaDelTablero, TrasLaRecargaAutomaticaSeleccionaLaMismaPosicion) {
    filas({{"V1"}, {"V2"}, {"V3"}, {"V4"}});
    abrirConParametro(QStringLiteral("1"));
    tablero().IndiceSeleccionado = 3;
    filas({{"N1"}, {"N2"}, {"N3"}, {"N4"}, {"N5"}});
    ASSERT_EQ(ticksHastaRecargar(5), 2);
    EXPECT_EQ(lista().SelectedIndex(), 3);
    EXPECT_EQ(lista().itemText(lista().SelectedIndex()), QStringLiteral("N3"));

    // A shorter list, and then an empty one: nothing is selected and the position is kept.
    filas({{"C1"}, {"C2"}});
    ASSERT_EQ(ticksHastaRecargar(5), 2);
    EXPECT_EQ(lista().SelectedIndex(), 0);
    filas({});
    ASSERT_EQ(ticksHastaRecargar(5), 2);
    EXPECT_EQ(lista().Count(), 0);
    EXPECT_EQ(lista().SelectedIndex(), 0);
    EXPECT_EQ(tablero().IndiceSeleccionado, 3);
}

} // namespace
