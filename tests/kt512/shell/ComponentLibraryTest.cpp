#include "Contenedor.h"
#include "kt512/services/ClassIds.h"
#include "kt512/services/IFunciones.h"
#include "kt512/services/ISistema.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/FunctionFactory.h"
#include "platform/com/LateBinding.h"
#include "platform/com/Runtime.h"
#include "platform/com/StandardErrors.h"
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

bool cargada() {
    return ktest::libraryLoaded(kBiblioteca);
}

// A host process: its own runtime over a registry of its own (KESTROVA_REGISTRY, as the
// component reads it when it registers), with the host services as process class objects.
class ComponentLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("KESTROVA_REGISTRY", QFile::encodeName(registro));
        runtime = std::make_unique<com::Runtime>();
    }
    void TearDown() override {
        runtime.reset();
        qunsetenv("KESTROVA_REGISTRY");
        EXPECT_FALSE(cargada());
    }
    void serviciosDelAnfitrion() {
        runtime->registerClassObject(kt512::ClassIds::Sistema, {},
                                     com::newObject<com::FunctionFactory>(
                                         [] { return com::newObject<ktest::FakeSistema>(); }));
        runtime->registerClassObject(kt512::ClassIds::Funciones, {},
                                     com::newObject<com::FunctionFactory>(
                                         [] { return com::newObject<ktest::FakeFunciones>(); }));
    }

    QTemporaryDir dir;
    QString registro = dir.filePath(QStringLiteral("kestrova/registry.json"));
    std::unique_ptr<com::Runtime> runtime;
};

TEST_F(ComponentLibraryTest, RegistrationWritesTheComponentsIdentityAndIsUndone) {
    runtime->registerServer(kBiblioteca);
    const com::ClassRegistry registry(registro);
    const auto clase = registry.findClass(kPantalla);
    ASSERT_TRUE(clase);
    EXPECT_EQ(std::tuple(clase->server, clase->typeLibrary), std::tuple(kBiblioteca, kTipos));
    EXPECT_EQ(registry.clsidOf(QStringLiteral("KT512.Pantalla")), kPantalla);
    const auto tipos = registry.findTypeLibrary(kTipos);
    ASSERT_TRUE(tipos);
    EXPECT_EQ(std::tuple(tipos->name, tipos->version),
              std::tuple(QStringLiteral("KT512"), QStringLiteral("1.0")));

    // Without the host services the component cannot start, and does not stay loaded.
    const com::RuntimeError e =
        ktest::errorOf([&] { runtime->createInstance(QStringLiteral("KT512.Pantalla")); });
    EXPECT_EQ(e.number(), 429);
    EXPECT_TRUE(e.description().contains(QStringLiteral("KT512"))) << e.what();
    runtime->freeUnusedLibraries();
    EXPECT_FALSE(cargada());

    runtime->unregisterServer(kBiblioteca);
    EXPECT_FALSE(registry.findClass(kPantalla));
    EXPECT_TRUE(registry.clsidOf(QStringLiteral("KT512.Pantalla")).isNull());
}

// A host reaches the board and its contract through dispatch; the library stays loaded while
// one of its objects, the board handed out included, or a lock on it is alive.
TEST_F(ComponentLibraryTest, AHostReachesTheBoardAndTheLibraryStaysWhileItsObjectsLive) {
    serviciosDelAnfitrion();
    runtime->registerServer(kBiblioteca);
    EXPECT_FALSE(cargada());
    auto pantalla = runtime->createInstance(QStringLiteral("KT512.Pantalla")).as<com::IDispatch>();
    auto otra = runtime->createInstance(kPantalla).as<com::IDispatch>();
    EXPECT_EQ(com::getProperty(pantalla.get(), 0x68030000).toString(), QStringLiteral("LOGISTICA"));
    auto tablero = com::dispatchOf(com::getProperty(pantalla.get(), kGetPantalla));
    EXPECT_EQ(com::dispatchOf(com::getProperty(otra.get(), kGetPantalla)), tablero);
    const auto contenedor = com::newObject<ktest::Contenedor>();
    com::putPropertyRef(tablero.get(), QStringLiteral("Padre"), contenedor.query<com::IUnknown>());
    EXPECT_EQ(com::getProperty(tablero.get(), QStringLiteral("Transaccion")).toString(),
              QStringLiteral("LOG0001/Kestrova"));
    com::putPropertyRef(tablero.get(), QStringLiteral("Padre"), {});

    pantalla = nullptr;
    otra = nullptr;
    runtime->freeUnusedLibraries();
    EXPECT_TRUE(cargada());
    tablero = nullptr;
    runtime->freeUnusedLibraries();
    EXPECT_FALSE(cargada());

    runtime->getClassObject(kPantalla)->lockServer(true);
    runtime->freeUnusedLibraries();
    EXPECT_TRUE(cargada());
    runtime->getClassObject(kPantalla)->lockServer(false);
    runtime->freeUnusedLibraries();
    EXPECT_FALSE(cargada());
}

TEST_F(ComponentLibraryTest, TheVersionRecordIsReadFromTheFile) {
    const auto info = com::VersionInfo::read(kBiblioteca);
    QStringList leido;
    for (const char* clave : {"FileVersion", "ProductVersion", "InternalName", "OriginalFilename",
                              "ProductName", "OLESelfRegister", "Language", "CodePage",
                              "FixedFileVersion", "FixedProductVersion", "FileType"})
        leido << QLatin1String(clave) + QLatin1Char('=') +
                     (info.contains(QLatin1String(clave)) ? info.value(QLatin1String(clave))
                                                          : QStringLiteral("(none)"));
    EXPECT_EQ(leido.join(QLatin1Char(' ')),
              QStringLiteral("FileVersion=6.00.0048 ProductVersion=6.00.0048 InternalName=KT512 "
                             "OriginalFilename=KT512.dll ProductName=Kestrova OLESelfRegister= "
                             "Language=0x0C0A CodePage=1200 FixedFileVersion=6.0.0.48 "
                             "FixedProductVersion=6.0.0.48 FileType=DLL"));
}

TEST_F(ComponentLibraryTest, TheLibraryExportsItsFourEntryPointsAndNothingElse) {
    QProcess nm;
    nm.start(QStringLiteral("nm"),
             {QStringLiteral("-D"), QStringLiteral("--defined-only"), kBiblioteca});
    ASSERT_TRUE(nm.waitForFinished(30000)) << nm.errorString().toStdString();
    ASSERT_EQ(nm.exitCode(), 0) << nm.readAllStandardError().constData();
    QStringList simbolos;
    for (const QByteArray& linea : nm.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> partes = linea.simplified().split(' ');
        if (partes.size() == 3)
            simbolos << QString::fromLatin1(partes[2]);
    }
    simbolos.sort();
    EXPECT_EQ(
        simbolos,
        (QStringList{QStringLiteral("DllCanUnloadNow"), QStringLiteral("DllGetClassObject"),
                     QStringLiteral("DllRegisterServer"), QStringLiteral("DllUnregisterServer")}));
}

} // namespace
