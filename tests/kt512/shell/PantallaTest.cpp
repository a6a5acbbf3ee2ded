#include "kt512/shell/Pantalla.h"
#include "kt512/shell/Publico.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/LateBinding.h"
#include "platform/com/Variant.h"
#include "tests/support/Checks.h"
#include "tests/support/FakeFunciones.h"
#include "tests/support/FakeSistema.h"

#include <gtest/gtest.h>

namespace {

com::Ptr<kt512::IPantalla> nuevaPantalla(com::ModuleCount& modulo) {
    return com::newObject<kt512::Pantalla>(modulo);
}

long numeroDeError(const std::function<void()>& llamada) {
    return ktest::errorOf(llamada).number();
}

class PantallaTest : public ::testing::Test {
protected:
    com::ModuleCount modulo;
    kt512::Publico publico{com::newObject<ktest::FakeSistema>(),
                           com::newObject<ktest::FakeFunciones>()};
};

TEST_F(PantallaTest, EveryPantallaHandsOutTheOneBoardWithoutLoadingIt) {
    auto primera = nuevaPantalla(modulo);
    auto segunda = nuevaPantalla(modulo);
    EXPECT_EQ(modulo.count(), 2);
    EXPECT_FALSE(publico.boardExists());

    const auto tablero = com::objectOf(primera->GetPantalla());
    const auto otra = com::objectOf(
        com::getProperty(segunda.query<com::IDispatch>().get(), kt512::IPantalla::DispGetPantalla));
    ASSERT_TRUE(tablero);
    EXPECT_EQ(tablero, otra);
    ASSERT_TRUE(publico.boardExists());
    EXPECT_EQ(tablero, com::Ptr<com::IDispatch>(&publico.board()).query<com::IUnknown>());
    EXPECT_FALSE(publico.board().isLoaded());

    primera = nullptr;
    segunda = nullptr;
    EXPECT_EQ(modulo.count(), 0);
}

TEST_F(PantallaTest, ModuloAndGetPantallaAreReadOnlyMembersOfTheDispatchInterface) {
    const auto pantalla = nuevaPantalla(modulo).as<com::IDispatch>();
    EXPECT_EQ(com::getProperty(pantalla.get(), QStringLiteral("modulo")).toString(),
              QStringLiteral("LOGISTICA"));
    EXPECT_EQ(com::getProperty(pantalla.get(), 0x68030000).toString(), QStringLiteral("LOGISTICA"));
    EXPECT_EQ(pantalla->idOfName(QStringLiteral("GetPantalla")), 0x68030001);
    EXPECT_EQ(numeroDeError([&] {
                  com::putProperty(pantalla.get(), QStringLiteral("Modulo"), QStringLiteral("X"));
              }),
              438);
    EXPECT_EQ(numeroDeError([&] { com::getProperty(pantalla.get(), QStringLiteral("Padre")); }),
              438);
    EXPECT_EQ(pantalla.query<kt512::IPantalla>().query<com::IUnknown>(),
              pantalla.query<com::IUnknown>());
}

TEST(PantallaSinComponenteTest, GetPantallaGivesAnEmptyObjectInsteadOfAnError) {
    com::ModuleCount modulo;
    const auto pantalla = nuevaPantalla(modulo);
    QVariant resultado;
    EXPECT_NO_THROW(resultado = pantalla->GetPantalla());
    EXPECT_TRUE(com::holdsObject(resultado));
    EXPECT_FALSE(com::objectOf(resultado));
}

} // namespace
