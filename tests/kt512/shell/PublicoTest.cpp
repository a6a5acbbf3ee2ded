// The shell inside the test binary, around recording host services: the module's start-up, the
// public class the host creates, and the trip code asked of the host's container.

#include "kt512/shell/Publico.h"
#include "Contenedor.h"
#include "kt512/filters/frmFiltros.h"
#include "kt512/services/ClassIds.h"
#include "kt512/shell/ContratoPantalla.h"
#include "kt512/shell/Pantalla.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/FunctionFactory.h"
#include "platform/com/LateBinding.h"
#include "platform/com/Runtime.h"
#include "platform/com/StandardErrors.h"
#include "platform/com/Variant.h"
#include "tests/support/Checks.h"
#include "tests/support/FakeFunciones.h"
#include "tests/support/FakeSistema.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

long numeroDeError(const std::function<void()>& llamada) {
    return ktest::errorOf(llamada).number();
}

class PublicoTest : public ::testing::Test {
protected:
    template <class T> void registrar(const QUuid& clsid, const QString& nombre) {
        runtime.registerClassObject(
            clsid, nombre,
            com::newObject<com::FunctionFactory>([this, nombre]() -> com::Ptr<com::IUnknown> {
                creados << nombre;
                return com::newObject<T>();
            }));
    }

    QTemporaryDir dir;
    com::Runtime runtime{dir.filePath(QStringLiteral("registry.json"))};
    QStringList creados;
    com::ModuleCount modulo;
};

TEST_F(PublicoTest, StartUpCreatesSistemaThenFuncionesAndNoForm) {
    EXPECT_EQ(numeroDeError([] { kt512::Publico::Iniciar(); }), 429);
    registrar<ktest::FakeSistema>(kt512::ClassIds::Sistema, QStringLiteral("Sistema"));
    EXPECT_EQ(numeroDeError([] { kt512::Publico::Iniciar(); }), 429);
    EXPECT_EQ(numeroDeError([] { kt512::Publico::current(); }), 91);
    creados.clear();

    registrar<ktest::FakeFunciones>(kt512::ClassIds::Funciones, QStringLiteral("Funciones"));
    const auto publico = kt512::Publico::Iniciar();
    EXPECT_EQ(creados, (QStringList{QStringLiteral("Sistema"), QStringLiteral("Funciones")}));
    EXPECT_EQ(&kt512::Publico::current(), publico.get());
    EXPECT_EQ(kt512::Sistema().Usuario(), QStringLiteral("PRUEBA"));
    EXPECT_FALSE(publico->boardExists());
    kt512::sSQL() = QStringLiteral("SELECT 1");
    EXPECT_EQ(publico->sSQL, QStringLiteral("SELECT 1"));
    EXPECT_EQ(&publico->filtros(), &publico->filtros());
    EXPECT_FALSE(publico->filtros().isLoaded());
}

TEST_F(PublicoTest, EveryPantallaHandsOutTheOneBoardWithoutLoadingIt) {
    // Before the module starts, an empty object instead of an error.
    const QVariant sinModulo = com::newObject<kt512::Pantalla>(modulo)->GetPantalla();
    EXPECT_TRUE(com::holdsObject(sinModulo) && !com::objectOf(sinModulo));
    kt512::Publico publico{com::newObject<ktest::FakeSistema>(),
                           com::newObject<ktest::FakeFunciones>()};
    com::Ptr<kt512::IPantalla> primera = com::newObject<kt512::Pantalla>(modulo);
    const auto segunda = com::newObject<kt512::Pantalla>(modulo).as<com::IDispatch>();
    EXPECT_EQ(modulo.count(), 2);
    EXPECT_FALSE(publico.boardExists());

    const auto tablero = com::objectOf(primera->GetPantalla());
    ASSERT_TRUE(tablero);
    EXPECT_EQ(com::objectOf(com::getProperty(segunda.get(), QStringLiteral("GetPantalla"))),
              tablero);
    EXPECT_EQ(tablero, com::Ptr<com::IDispatch>(&publico.board()).query<com::IUnknown>());
    EXPECT_FALSE(publico.board().isLoaded());

    // Modulo and GetPantalla are read-only members of the dispatch interface.
    EXPECT_EQ(com::getProperty(segunda.get(), QStringLiteral("modulo")).toString(),
              QStringLiteral("LOGISTICA"));
    EXPECT_EQ(segunda->idOfName(QStringLiteral("GetPantalla")), 0x68030001);
    EXPECT_EQ(numeroDeError([&] {
                  com::putProperty(segunda.get(), QStringLiteral("Modulo"), QStringLiteral("X"));
              }),
              438);
    EXPECT_EQ(numeroDeError([&] { com::getProperty(segunda.get(), QStringLiteral("Padre")); }),
              438);
    primera = nullptr;
    EXPECT_EQ(modulo.count(), 1);
}

TEST_F(PublicoTest, TransaccionAsksTheParentForItsCodeOnEveryRead) {
    auto funciones = com::newObject<ktest::FakeFunciones>();
    kt512::Publico publico(com::newObject<ktest::FakeSistema>(),
                           com::Ptr<kt512::IFunciones>(funciones.get()));
    kt512::ContratoPantalla pantalla;
    // No parent: an error, never an empty code.
    EXPECT_EQ(numeroDeError([&] { pantalla.Transaccion(); }), 91);
    EXPECT_TRUE(funciones->llamadas.isEmpty());

    const auto padre = com::newObject<ktest::Contenedor>();
    pantalla.setPadre(com::Ptr<com::IDispatch>(padre.get()));
    EXPECT_EQ(pantalla.Transaccion(), QStringLiteral("LOG0001/Kestrova"));
    padre->transaccion = 512; // converted to text, and not cached
    EXPECT_EQ(pantalla.Transaccion(), QStringLiteral("512/Kestrova"));

    padre->conMiembro = false;
    EXPECT_EQ(numeroDeError([&] { pantalla.Transaccion(); }), 438);
}

} // namespace
