#include "platform/com/ClassRegistry.h"
#include "platform/com/Guid.h"
#include "platform/com/ModulePath.h"
#include "platform/com/RuntimeError.h"
#include "platform/com/VersionInfo.h"
#include "tests/support/Checks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QUuid kClase{0x5215602E, 0x2232, 0x4857, 0xB0, 0x80, 0x35, 0x66, 0xC9, 0xA0, 0x8A, 0x4E};
const QUuid kOtra{0x0e2c1a11, 0x7b9d, 0x4f1e, 0x93, 0x11, 0x0a, 0x5c, 0x6d, 0x7e, 0x8f, 0x90};
const QUuid kTipos{0x99511839, 0x493D, 0x4951, 0xB9, 0xA4, 0xBE, 0x36, 0x4F, 0x9A, 0x82, 0xBC};

com::ServerRegistration servidor(const QUuid& clsid, const QString& progId) {
    return {{{clsid, progId, "Pantalla", "/opt/lib/libKT512.so", kTipos}},
            {{kTipos, "KT512", "1.0", "/opt/lib/libKT512.so"}}};
}

QByteArray contenido(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString errorAlRegistrar(const QString& file) {
    com::ClassRegistry registry(file);
    return ktest::errorOf([&] { registry.add(servidor(kClase, "KT512.Pantalla")); }).description();
}

class ClassRegistryTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file = dir.filePath("config/kestrova/registry.json");
};

TEST_F(ClassRegistryTest, ClassesProgIdsAndTypeLibrariesSurviveARoundTrip) {
    com::ClassRegistry registry(file);
    EXPECT_FALSE(registry.findClass(kClase)); // no file yet: an empty registry
    registry.add(servidor(kClase, "KT512.Pantalla"));
    registry.add(servidor(kOtra, "KT512.Otra"));

    const com::ClassRegistry reread(file);
    const auto clase = reread.findClass(kClase);
    ASSERT_TRUE(clase);
    EXPECT_EQ(std::tuple(clase->server, clase->progId, clase->typeLibrary),
              std::tuple(QString("/opt/lib/libKT512.so"), QString("KT512.Pantalla"), kTipos));
    EXPECT_EQ(reread.clsidOf("kt512.pantalla"), kClase);
    EXPECT_TRUE(contenido(file).contains("{5215602E-2232-4857-B080-3566C9A08A4E}"));
    EXPECT_EQ(com::guidFromString("5215602e-2232-4857-b080-3566c9a08a4e"), kClase);
    EXPECT_TRUE(com::guidFromString("KT512.Pantalla").isNull());

    com::ClassRegistry(file).remove({{{kClase, {}, {}, {}, {}}}, {}});
    EXPECT_FALSE(reread.findClass(kClase));
    EXPECT_TRUE(reread.clsidOf("KT512.Pantalla").isNull());
    EXPECT_EQ(reread.clsidOf("KT512.Otra"), kOtra);
}

TEST_F(ClassRegistryTest, ADamagedOrUnwritableFileIsReportedByNameAndLeftAsItWas) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
    for (const QByteArray& texto :
         {QByteArray("{\"classes\": {"), QByteArray("[1, 2]"), QByteArray("{\"classes\": []}"),
          QByteArray("{\"classes\": {\"no-es-guid\": {\"server\": \"x\"}}}"),
          QByteArray("{\"progIds\": {\"KT512.Pantalla\": 7}}")}) {
        SCOPED_TRACE(texto.constData());
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(texto) == texto.size());
        f.close();
        const QString error = errorAlRegistrar(file);
        EXPECT_TRUE(error.contains(file) && error.contains("dañado")) << error.toStdString();
        EXPECT_THROW(com::ClassRegistry(file).findClass(kClase), com::RuntimeError);
        EXPECT_EQ(contenido(file), texto);
    }

    // A regular file where the folder should be: no one, not even root, can write below it.
    const QString imposible = file + "/registry.json";
    const QString error = errorAlRegistrar(imposible);
    EXPECT_TRUE(error.contains(imposible)) << error.toStdString();
    EXPECT_FALSE(com::ClassRegistry(imposible).findClass(kClase));
}

TEST(VersionInfoTest, TheRecordKeepsEmptyValuesAndFilesWithoutOneAreNamed) {
    static const char seccion[] = "KESTROVA-VERSION-1\0OLESelfRegister\0\0Clave\0valor\0\0\0";
    const auto info = com::VersionInfo::parse(QByteArray(seccion, sizeof seccion));
    EXPECT_EQ(info.keys(), (QStringList{"OLESelfRegister", "Clave"}));
    EXPECT_EQ(info.value("Clave"), "valor");
    EXPECT_THROW(com::VersionInfo::parse(QByteArray("OTRA-COSA\0a\0b", 14)), com::RuntimeError);

    QTemporaryDir dir;
    QFile texto(dir.filePath("texto.so"));
    ASSERT_TRUE(texto.open(QIODevice::WriteOnly) && texto.write("texto plano, no un ELF") > 0);
    texto.close();
    const QString sinRegistro = com::modulePath(reinterpret_cast<const void*>(&com::guidString));
    for (const QString& file : {texto.fileName(), sinRegistro, QString("/no/existe.so")}) {
        const QString error = ktest::errorOf([&] { com::VersionInfo::read(file); }).description();
        EXPECT_TRUE(error.contains(file)) << "read " << file.toStdString();
    }
}

} // namespace
