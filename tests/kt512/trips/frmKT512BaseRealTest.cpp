// The board on a demo database, a file and a server, through the real host services and control
// kit: a filter set in the dialog narrows the real list.

#include "kt512/filters/frmFiltros.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/shell/Publico.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/Runtime.h"
#include "platform/forms/ListView.h"
#include "platform/forms/RecordingPresenter.h"
#include "suite/controls/ControlKit.h"
#include "suite/host/HostSession.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kt512;

namespace {

using Engine = ktest::TestDatabase::Engine;

class TableroSobreLaBaseDemo : public ::testing::TestWithParam<Engine> {};

INSTANTIATE_TEST_SUITE_P(Bases, TableroSobreLaBaseDemo,
                         ::testing::Values(Engine::SqliteFile, Engine::PostgresServer),
                         [](const ::testing::TestParamInfo<Engine>& p) {
                             return ktest::TestDatabase::name(p.param);
                         });

TEST_P(TableroSobreLaBaseDemo, UnaSucursalPuestaEnElDialogoAcotaLaLista) {
    QString why;
    if (!ktest::TestDatabase::available(GetParam(), &why))
        GTEST_SKIP() << why.toStdString();
    ktest::TestDatabase db(GetParam(), ktest::TestDatabase::Demo{400, 1, QDate()});
    QTemporaryDir dir;
    com::Runtime runtime(dir.filePath("registry.json"));
    auto mensajes = std::make_shared<forms::RecordingPresenter>();
    auto sesion = std::make_shared<suite::HostSession>(db.open(), "PRUEBA", mensajes);
    suite::registerHostServices(runtime, sesion);
    suite::registerControlKit(runtime, sesion);
    const auto publico = Publico::Iniciar();
    frmKT512& tablero = publico->board();
    tablero.Show();
    tablero.window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(tablero.window()));
    forms::ListView& lista = tablero.listView("lvViajes");
    const int todos = lista.Count();
    ASSERT_GT(todos, 0);

    const QString sucursal =
        db.scalar("SELECT Sc_Cve_Sucursal FROM Viaje WHERE Vj_Folio = '" + lista.itemText(1) + "'")
            .toString();
    QString descripcion;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != "frmFiltros")
            return;
        vigia.stop();
        QWidget* caja = publico->filtros().ctl("txtSucursal").widget();
        caja->setFocus();
        QTest::keyClicks(caja, sucursal);
        QTest::keyClick(caja, Qt::Key_Return);
        descripcion = publico->filtros().control<ItxtVEX>("txtNSucursal")->Text();
        QTest::keyClick(caja, Qt::Key_F4);
    });
    vigia.start(20);
    QTest::mouseClick(tablero.ctl("cmdFiltros").widget(), Qt::LeftButton);
    EXPECT_FALSE(descripcion.isEmpty());
    EXPECT_TRUE(mensajes->messages().empty());
    EXPECT_TRUE(sSQL().contains(" AND Viaje.Sc_Cve_Sucursal = '" + sucursal + "' "));
    EXPECT_GT(lista.Count(), 0);
    EXPECT_LT(lista.Count(), todos);
    EXPECT_EQ(lista.Count(), db.rows(sSQL()).size());
    for (int i = 1; i <= lista.Count(); ++i)
        ASSERT_EQ(lista.subItem(i, 3), descripcion) << "the branch column of item " << i;
}

} // namespace
