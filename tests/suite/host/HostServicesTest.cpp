#include "kt512/services/ClassIds.h"
#include "kt512/services/IFormatoLista.h"
#include "kt512/services/IFunciones.h"
#include "kt512/services/ISistema.h"
#include "platform/com/Runtime.h"
#include "suite/host/HostSession.h"
#include "suite/host/RecordingPresenter.h"
#include "tests/support/TestDatabase.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(HostServicesTest, TheComponentsStartUpFindsTheServicesOfTheSession) {
    QTemporaryDir dir;
    com::Runtime runtime(dir.filePath(QStringLiteral("registry.json")));
    ktest::TestDatabase db;
    auto session = std::make_shared<suite::HostSession>(
        db.open(), QStringLiteral("MGARCIA"), std::make_shared<suite::RecordingPresenter>());
    suite::registerHostServices(runtime, session);

    auto sistema = runtime.create<kt512::ISistema>(kt512::ClassIds::Sistema);
    auto funciones =
        runtime.createInstance(QStringLiteral("Kestrova.Funciones")).as<kt512::IFunciones>();
    EXPECT_EQ(&sistema->Conexion(), &session->connection());
    EXPECT_EQ(sistema->Usuario(), QStringLiteral("MGARCIA"));
    EXPECT_TRUE(funciones->ObtenerConsulta(QStringLiteral("Viajes")).contains("{PARAMETROS}"));
    EXPECT_TRUE(runtime.create<kt512::IFormatoLista>(kt512::ClassIds::FormatoLista));
}

} // namespace
