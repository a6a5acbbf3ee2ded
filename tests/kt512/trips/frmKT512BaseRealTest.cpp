// The board on a demo database, a file and a server, through the real host services and control
// kit: a filter set in the dialog narrows the real list, and a code with a quote stays a value.

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

class TableroSobreLaBaseDemo : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        QString why;
        if (!ktest::TestDatabase::available(GetParam(), &why))
            GTEST_SKIP() << why.toStdString();
        m_db = std::make_unique<ktest::TestDatabase>(GetParam(),
                                                     ktest::TestDatabase::Demo{400, 1, QDate()});
        ASSERT_TRUE(dir.isValid());
        runtime = std::make_unique<com::Runtime>(dir.filePath(QStringLiteral("registry.json")));
        auto sesion =
            std::make_shared<suite::HostSession>(db().open(), QStringLiteral("PRUEBA"), mensajes);
        suite::registerHostServices(*runtime, sesion);
        suite::registerControlKit(*runtime, sesion);
        publico = Publico::Iniciar();
        publico->board().Show();
        publico->board().window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(publico->board().window()));
    }

    forms::ListView& lista() { return publico->board().listView(QStringLiteral("lvViajes")); }
    std::string textoDeMensajes() const {
        std::string r;
        for (const forms::Message& m : mensajes->messages())
            r += (m.id + QStringLiteral(": ") + m.text + QLatin1Char('\n')).toStdString();
        return r;
    }

    std::unique_ptr<ktest::TestDatabase> m_db;
    ktest::TestDatabase& db() { return *m_db; }
    QTemporaryDir dir;
    std::unique_ptr<com::Runtime> runtime;
    std::shared_ptr<forms::RecordingPresenter> mensajes =
        std::make_shared<forms::RecordingPresenter>();
    std::unique_ptr<Publico> publico;
};

TEST_P(TableroSobreLaBaseDemo, UnaSucursalPuestaEnElDialogoAcotaLaLista) {
    const int todos = lista().Count();
    ASSERT_GT(todos, 0) << textoDeMensajes();
    const QString sucursal =
        db().scalar(QStringLiteral("SELECT Sc_Cve_Sucursal FROM Viaje WHERE Vj_Folio = '%1'")
                        .arg(lista().itemText(1)))
            .toString();
    QString descripcion;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QStringLiteral("frmFiltros"))
            return;
        vigia.stop();
        QWidget* caja = publico->filtros().ctl(QStringLiteral("txtSucursal")).widget();
        caja->setFocus();
        QTest::keyClicks(caja, sucursal);
        QTest::keyClick(caja, Qt::Key_Return);
        descripcion = publico->filtros().control<ItxtVEX>(QStringLiteral("txtNSucursal"))->Text();
        QTest::keyClick(caja, Qt::Key_F4);
    });
    vigia.start(20);
    QTest::mouseClick(publico->board().ctl(QStringLiteral("cmdFiltros")).widget(), Qt::LeftButton);

    EXPECT_FALSE(descripcion.isEmpty());
    EXPECT_TRUE(mensajes->messages().empty()) << textoDeMensajes();
    EXPECT_TRUE(
        sSQL().contains(QStringLiteral(" AND Viaje.Sc_Cve_Sucursal = '%1' ").arg(sucursal)));
    EXPECT_GT(lista().Count(), 0);
    EXPECT_LT(lista().Count(), todos);
    EXPECT_EQ(lista().Count(), db().rows(sSQL()).size());
    for (int i = 1; i <= lista().Count(); ++i)
        ASSERT_EQ(lista().subItem(i, 3), descripcion) << "the branch column of item " << i;
}

TEST_P(TableroSobreLaBaseDemo, UnCodigoConApostrofoSeBuscaComoValor) {
    publico->filtros().control<ItxtVEX>(QStringLiteral("txtVehiculo"))->setText("0'01");
    QTest::keyClick(publico->board().window(), Qt::Key_F5);
    EXPECT_TRUE(mensajes->messages().empty()) << textoDeMensajes();
    EXPECT_TRUE(sSQL().contains(QStringLiteral("Vehiculo.Vh_Cve_Vehiculo = '0''01'")));
    EXPECT_EQ(lista().Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Bases, TableroSobreLaBaseDemo,
                         ::testing::Values(Engine::SqliteFile, Engine::PostgresServer),
                         [](const ::testing::TestParamInfo<Engine>& p) {
                             return ktest::TestDatabase::name(p.param);
                         });

} // namespace
