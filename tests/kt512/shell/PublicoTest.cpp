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
#include "platform/com/Variant.h"
#include "tests/support/Checks.h"
#include "tests/support/FakeFunciones.h"
#include "tests/support/FakeSistema.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

long numeroDeError(const std::function<void()>& llamada) {
    return ktest::errorOf(llamada).number();
}

// Before the module starts GetPantalla gives an empty object instead of an error. The start-up
// fails without a host service; it creates Sistema, then Funciones, and no form. Every Pantalla
// then hands out the one board, unloaded, through read-only members. Transaccion asks the parent
// for its code on every read, and without a parent is an error, never an empty code.
TEST(PublicoTest, TheModuleStartsAndEveryPantallaHandsOutTheOneBoard) {
    com::ModuleCount modulo;
    const QVariant sinModulo = com::newObject<kt512::Pantalla>(modulo)->GetPantalla();
    EXPECT_TRUE(com::holdsObject(sinModulo) && !com::objectOf(sinModulo));
    QTemporaryDir dir;
    com::Runtime runtime{dir.filePath("registry.json")};
    QStringList creados;
    const auto registrar = [&](const QUuid& clsid, const QString& nombre, auto crear) {
        runtime.registerClassObject(clsid, nombre,
                                    com::newObject<com::FunctionFactory>([&creados, nombre, crear] {
                                        creados << nombre;
                                        return crear();
                                    }));
    };
    registrar(kt512::ClassIds::Sistema, "Sistema",
              [] { return com::newObject<ktest::FakeSistema>(); });
    EXPECT_EQ(numeroDeError([] { kt512::Publico::Iniciar(); }), 429);
    EXPECT_EQ(numeroDeError([] { kt512::Publico::current(); }), 91);
    creados.clear();
    registrar(kt512::ClassIds::Funciones, "Funciones",
              [] { return com::newObject<ktest::FakeFunciones>(); });
    const auto publico = kt512::Publico::Iniciar();
    EXPECT_EQ(creados, (QStringList{"Sistema", "Funciones"}));

    com::Ptr<kt512::IPantalla> primera = com::newObject<kt512::Pantalla>(modulo);
    const auto segunda = com::newObject<kt512::Pantalla>(modulo).as<com::IDispatch>();
    EXPECT_EQ(modulo.count(), 2);
    EXPECT_FALSE(publico->boardExists());
    EXPECT_FALSE(publico->filtros().isLoaded());
    const auto tablero = com::objectOf(primera->GetPantalla());
    EXPECT_EQ(tablero, com::Ptr<com::IDispatch>(&publico->board()).query<com::IUnknown>());
    EXPECT_FALSE(publico->board().isLoaded());
    EXPECT_EQ(segunda->idOfName("GetPantalla"), 0x68030001);
    EXPECT_EQ(com::getProperty(segunda.get(), "modulo").toString(), "LOGISTICA");
    EXPECT_EQ(numeroDeError([&] { com::putProperty(segunda.get(), "Modulo", "X"); }), 438);
    EXPECT_EQ(numeroDeError([&] { com::getProperty(segunda.get(), "Padre"); }), 438);
    primera = nullptr;
    EXPECT_EQ(modulo.count(), 1);

    kt512::ContratoPantalla pantalla;
    EXPECT_EQ(numeroDeError([&] { pantalla.Transaccion(); }), 91);
    EXPECT_TRUE(dynamic_cast<ktest::FakeFunciones&>(publico->Funciones()).llamadas.isEmpty());
    const auto padre = com::newObject<ktest::Contenedor>();
    pantalla.setPadre(com::Ptr<com::IDispatch>(padre.get()));
    EXPECT_EQ(pantalla.Transaccion(), "LOG0001/Kestrova");
    padre->transaccion = 512; // converted to text, and not cached
    EXPECT_EQ(pantalla.Transaccion(), "512/Kestrova");
    padre->conMiembro = false;
    EXPECT_EQ(numeroDeError([&] { pantalla.Transaccion(); }), 438);
}

} // namespace
