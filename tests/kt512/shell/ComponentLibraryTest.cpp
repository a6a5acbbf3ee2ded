#include "Contenedor.h"
#include "kt512/services/ClassIds.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/FunctionFactory.h"
#include "platform/com/LateBinding.h"
#include "platform/com/Runtime.h"
#include "platform/com/Variant.h"
#include "platform/com/VersionInfo.h"
#include "tests/support/Checks.h"
#include "tests/support/FakeFunciones.h"
#include "tests/support/FakeSistema.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kBiblioteca = QFileInfo(QStringLiteral(KTEST_KT512)).canonicalFilePath();
const QUuid kPantalla{0x5215602E, 0x2232, 0x4857, 0xB0, 0x80, 0x35, 0x66, 0xC9, 0xA0, 0x8A, 0x4E};
const QUuid kTipos{0x99511839, 0x493D, 0x4951, 0xB9, 0xA4, 0xBE, 0x36, 0x4F, 0x9A, 0x82, 0xBC};
constexpr int kGetPantalla = 0x68030001;

// A host process: its own runtime over a registry of its own (KESTROVA_REGISTRY, as the
// component reads it when it registers). Nothing the tests do leaves the library loaded.
class ComponentLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("KESTROVA_REGISTRY", QFile::encodeName(registro));
        runtime = std::make_unique<com::Runtime>();
    }
    void TearDown() override {
        runtime.reset();
        qunsetenv("KESTROVA_REGISTRY");
        EXPECT_FALSE(ktest::libraryLoaded(kBiblioteca));
    }
    // Whether the library is still loaded once the runtime frees what it can.
    bool sigueCargada() {
        runtime->freeUnusedLibraries();
        return ktest::libraryLoaded(kBiblioteca);
    }

    QTemporaryDir dir;
    QString registro = dir.filePath("kestrova/registry.json");
    std::unique_ptr<com::Runtime> runtime;
};

// Registration writes the component's identity and is undone. Without the host services the
// component cannot start; with them (process class objects) a host reaches the board and its
// contract through dispatch, and the library stays loaded while one of its objects, the board
// handed out included, or a lock on it is alive.
TEST_F(ComponentLibraryTest, AHostRegistersTheLibraryReachesTheBoardAndUnloadsIt) {
    runtime->registerServer(kBiblioteca);
    EXPECT_FALSE(ktest::libraryLoaded(kBiblioteca));
    const com::ClassRegistry registry(registro);
    const auto clase = registry.findClass(kPantalla);
    ASSERT_TRUE(clase);
    EXPECT_EQ(std::tuple(clase->server, clase->typeLibrary), std::tuple(kBiblioteca, kTipos));
    EXPECT_EQ(registry.clsidOf("KT512.Pantalla"), kPantalla);
    const auto tipos = registry.findTypeLibrary(kTipos);
    ASSERT_TRUE(tipos);
    EXPECT_EQ(std::tuple(tipos->name, tipos->version),
              std::tuple(QString("KT512"), QString("1.0")));
    const com::RuntimeError e = ktest::errorOf([&] { runtime->createInstance("KT512.Pantalla"); });
    EXPECT_EQ(e.number(), 429);
    EXPECT_TRUE(e.description().contains("KT512")) << e.what();
    EXPECT_FALSE(sigueCargada());

    runtime->registerClassObject(
        kt512::ClassIds::Sistema, {},
        com::newObject<com::FunctionFactory>([] { return com::newObject<ktest::FakeSistema>(); }));
    runtime->registerClassObject(kt512::ClassIds::Funciones, {},
                                 com::newObject<com::FunctionFactory>(
                                     [] { return com::newObject<ktest::FakeFunciones>(); }));
    auto pantalla = runtime->createInstance("KT512.Pantalla").as<com::IDispatch>();
    auto otra = runtime->createInstance(kPantalla).as<com::IDispatch>();
    EXPECT_EQ(com::getProperty(pantalla.get(), 0x68030000).toString(), "LOGISTICA");
    auto tablero = com::dispatchOf(com::getProperty(pantalla.get(), kGetPantalla));
    EXPECT_EQ(com::dispatchOf(com::getProperty(otra.get(), kGetPantalla)), tablero);
    const auto contenedor = com::newObject<ktest::Contenedor>();
    com::putPropertyRef(tablero.get(), "Padre", contenedor.query<com::IUnknown>());
    EXPECT_EQ(com::getProperty(tablero.get(), "Transaccion").toString(), "LOG0001/Kestrova");
    com::putPropertyRef(tablero.get(), "Padre", {});
    pantalla = nullptr;
    otra = nullptr;
    EXPECT_TRUE(sigueCargada());
    tablero = nullptr;
    EXPECT_FALSE(sigueCargada());
    runtime->getClassObject(kPantalla)->lockServer(true);
    EXPECT_TRUE(sigueCargada());
    runtime->getClassObject(kPantalla)->lockServer(false);
    EXPECT_FALSE(sigueCargada());

    runtime->unregisterServer(kBiblioteca);
    EXPECT_FALSE(registry.findClass(kPantalla));
}

// The version record is read from the file, and the library exports its four entry points and
// nothing else.
TEST_F(ComponentLibraryTest, TheFileCarriesItsVersionRecordAndExportsOnlyItsEntryPoints) {
    const auto info = com::VersionInfo::read(kBiblioteca);
    QStringList leido;
    for (const QString& clave : info.keys())
        leido << clave + '=' + info.value(clave);
    EXPECT_EQ(leido.join(' '),
              "FixedFileVersion=6.0.0.48 FixedProductVersion=6.0.0.48 FileType=DLL "
              "Language=0x0C0A CodePage=1200 FileVersion=6.00.0048 "
              "ProductVersion=6.00.0048 InternalName=KT512 "
              "OriginalFilename=KT512.dll ProductName=Kestrova OLESelfRegister=");

    QProcess nm;
    nm.start("nm", {"-D", "--defined-only", "--format=just-symbols", kBiblioteca});
    ASSERT_TRUE(nm.waitForFinished(30000)) << nm.errorString().toStdString();
    QStringList simbolos =
        QString::fromLatin1(nm.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    simbolos.sort();
    EXPECT_EQ(simbolos, (QStringList{"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                     "DllUnregisterServer"}));
}

} // namespace
