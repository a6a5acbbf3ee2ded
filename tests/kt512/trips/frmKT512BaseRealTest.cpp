// The board on a demo database through the real host services and control kit: the filter
// dialog narrows the real list, codes with quotes stay values, and a double click opens the
// trip it names.

#include "kt512/filters/frmFiltros.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/shell/Publico.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/Runtime.h"
#include "platform/forms/ListView.h"
#include "platform/forms/TimerSwitch.h"
#include "suite/controls/ControlKit.h"
#include "suite/host/HostSession.h"
#include "suite/host/RecordingPresenter.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace kt512;

namespace {

class TableroSobreLaBaseDemo : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        forms::setTimersPaused(true);
        db = std::make_unique<ktest::TestDatabase>(ktest::TestDatabase::Demo{400, 1, QDate()});
        runtime = std::make_unique<com::Runtime>(dir.filePath(QStringLiteral("registry.json")));
        mensajes = std::make_shared<suite::RecordingPresenter>();
        sesion =
            std::make_shared<suite::HostSession>(db->open(), QStringLiteral("PRUEBA"), mensajes);
        suite::registerHostServices(*runtime, sesion);
        suite::registerControlKit(*runtime, sesion);
        publico = Publico::Iniciar();
        tablero().Show();
        tablero().window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(tablero().window()));
        ASSERT_GT(lista().Count(), 0) << textoDeMensajes().toStdString();
    }

    void TearDown() override {
        publico.reset();
        forms::setTimersPaused(false);
    }

    frmKT512& tablero() { return publico->board(); }
    forms::ListView& lista() { return tablero().listView(QStringLiteral("lvViajes")); }
    QTreeView* vista() { return qobject_cast<QTreeView*>(lista().widget()); }

    QString textoDeMensajes() const {
        QStringList r;
        for (const suite::Message& m : mensajes->messages())
            r << m.id + QStringLiteral(": ") + m.text;
        return r.join(QLatin1Char('\n'));
    }
    QStringList folios() {
        QStringList r;
        for (int i = 1; i <= lista().Count(); ++i)
            r << lista().itemText(i);
        return r;
    }
    // The folios the board's last statement gives, read straight from the database.
    QStringList foliosDeLaConsulta() {
        QStringList r;
        for (const QStringList& fila : db->rows(sSQL()))
            r << fila.value(0);
        return r;
    }

    QTemporaryDir dir;
    std::unique_ptr<ktest::TestDatabase> db;
    std::unique_ptr<com::Runtime> runtime;
    std::shared_ptr<suite::RecordingPresenter> mensajes;
    std::shared_ptr<suite::HostSession> sesion;
    std::unique_ptr<Publico> publico;
};

TEST_F(TableroSobreLaBaseDemo, UnaSucursalPuestaEnElDialogoAcotaLaLista) {
    const int todos = lista().Count();
    const QString sucursal =
        db->scalar(QStringLiteral("SELECT Sc_Cve_Sucursal FROM Viaje WHERE Vj_Folio = '%1'")
                       .arg(lista().itemText(1)))
            .toString();
    ASSERT_FALSE(sucursal.isEmpty());

    QString descripcion;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QStringLiteral("frmFiltros"))
            return;
        vigia.stop();
        frmFiltros& f = publico->filtros();
        QWidget* caja = f.ctl(QStringLiteral("txtSucursal")).widget();
        caja->setFocus();
        QTest::keyClicks(caja, sucursal);
        QTest::keyClick(caja, Qt::Key_Return);
        descripcion = f.control<ItxtVEX>(QStringLiteral("txtNSucursal"))->Text();
        QTest::keyClick(caja, Qt::Key_F4);
    });
    vigia.start(20);
    QTest::mouseClick(tablero().ctl(QStringLiteral("cmdFiltros")).widget(), Qt::LeftButton);
    vigia.stop();

    EXPECT_FALSE(descripcion.isEmpty());
    EXPECT_TRUE(publico->filtros().Aceptado);
    EXPECT_TRUE(mensajes->messages().empty()) << textoDeMensajes().toStdString();
    EXPECT_TRUE(
        sSQL().contains(QStringLiteral(" AND Viaje.Sc_Cve_Sucursal = '%1' ").arg(sucursal)));
    EXPECT_GT(lista().Count(), 0);
    EXPECT_LT(lista().Count(), todos);
    EXPECT_EQ(folios(), foliosDeLaConsulta());
    // The list shows the branch by its name, in the fourth column.
    for (int i = 1; i <= lista().Count(); ++i)
        ASSERT_EQ(lista().subItem(i, 3), descripcion) << i;
}

TEST_F(TableroSobreLaBaseDemo, UnCodigoConApostrofoSeBuscaComoValor) {
    frmFiltros& f = publico->filtros();
    f.control<ItxtVEX>(QStringLiteral("txtVehiculo"))->setText(QStringLiteral("0'01"));
    f.control<ItxtVEX>(QStringLiteral("txtSucursal"))->setText(QStringLiteral("0'1"));
    f.control<ItxtVEX>(QStringLiteral("txtNSucursal"))->setText(QStringLiteral("NINGUNA"));
    QTest::keyClick(tablero().window(), Qt::Key_F5);
    EXPECT_TRUE(mensajes->messages().empty()) << textoDeMensajes().toStdString();
    EXPECT_TRUE(sSQL().contains(QStringLiteral("Vehiculo.Vh_Cve_Vehiculo = '0''01'")));
    EXPECT_EQ(lista().Count(), 0);
}

TEST_F(TableroSobreLaBaseDemo, ElDobleClicAbreElViajeElegido) {
    // A trip the rescheduling screen can read: neither closed nor cancelled.
    int fila = 0;
    for (int i = 1; i <= lista().Count() && !fila; ++i) {
        const QString estado =
            db->scalar(QStringLiteral("SELECT Es_Cve_Estado FROM Viaje WHERE Vj_Folio = '%1'")
                           .arg(lista().itemText(i)))
                .toString();
        if (estado != QLatin1String("CE") && estado != QLatin1String("CA"))
            fila = i;
    }
    ASSERT_GT(fila, 0);
    vista()->scrollTo(vista()->model()->index(fila - 1, 0));
    const QPoint punto = vista()->visualRect(vista()->model()->index(fila - 1, 0)).center();

    QString abierta;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !abierta.isEmpty())
            return;
        abierta = modal->objectName();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    vigia.start(20);
    QTest::mouseClick(vista()->viewport(), Qt::LeftButton, {}, punto);
    QTest::mouseDClick(vista()->viewport(), Qt::LeftButton, {}, punto);
    vigia.stop();

    EXPECT_EQ(abierta, QStringLiteral("frmReprogramarViaje"));
    // A trip the screen could not find would have said so.
    EXPECT_TRUE(mensajes->messages().empty()) << textoDeMensajes().toStdString();
    EXPECT_EQ(tablero().IndiceSeleccionado, fila);
    EXPECT_EQ(lista().SelectedIndex(), fila);
}

} // namespace
