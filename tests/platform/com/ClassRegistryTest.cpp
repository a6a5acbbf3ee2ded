#include "platform/com/ClassRegistry.h"
#include "platform/com/Guid.h"
#include "platform/com/RuntimeError.h"
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
    EXPECT_EQ(clase->server, "/opt/lib/libKT512.so");
    EXPECT_EQ(clase->progId, "KT512.Pantalla");
    EXPECT_EQ(clase->typeLibrary, kTipos);
    EXPECT_EQ(reread.clsidOf("kt512.pantalla"), kClase);
    const auto tipos = reread.findTypeLibrary(kTipos);
    ASSERT_TRUE(tipos);
    EXPECT_EQ(tipos->version, "1.0");
    EXPECT_EQ(tipos->name, "KT512");
    EXPECT_TRUE(contenido(file).contains("{5215602E-2232-4857-B080-3566C9A08A4E}"));
    EXPECT_EQ(com::guidFromString("5215602e-2232-4857-b080-3566c9a08a4e"), kClase);
    EXPECT_TRUE(com::guidFromString("KT512.Pantalla").isNull());

    com::ClassRegistry(file).remove({{{kClase, {}, {}, {}, {}}}, {}});
    EXPECT_FALSE(reread.findClass(kClase));
    EXPECT_TRUE(reread.clsidOf("KT512.Pantalla").isNull());
    EXPECT_EQ(reread.clsidOf("KT512.Otra"), kOtra);
}

TEST_F(ClassRegistryTest, ACorruptFileIsReportedByNameAndLeftAsItWas) {
    const QList<QByteArray> danados{"{\"classes\": {", "[1, 2]", "{\"classes\": []}",
                                    "{\"classes\": {\"no-es-guid\": {\"server\": \"x\"}}}",
                                    "{\"progIds\": {\"KT512.Pantalla\": 7}}"};
    for (const QByteArray& texto : danados) {
        SCOPED_TRACE(texto.constData());
        QFile::remove(file);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(texto);
        f.close();

        com::ClassRegistry registry(file);
        const QString error =
            ktest::errorOf([&] { registry.add(servidor(kClase, "KT512.Pantalla")); }).description();
        EXPECT_TRUE(error.contains(file) && error.contains("dañado")) << error.toStdString();
        EXPECT_THROW(registry.findClass(kClase), com::RuntimeError);
        EXPECT_EQ(contenido(file), texto);
    }
}

TEST_F(ClassRegistryTest, AFileThatCannotBeWrittenRaisesAndRegistersNothing) {
    // A regular file where the folder should be: no one, not even root, can write below it.
    const QString bloqueo = dir.filePath("bloqueo");
    QFile f(bloqueo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString imposible = bloqueo + "/registry.json";

    com::ClassRegistry registry(imposible);
    const QString error =
        ktest::errorOf([&] { registry.add(servidor(kClase, "KT512.Pantalla")); }).description();
    EXPECT_TRUE(error.contains(imposible)) << error.toStdString();
    EXPECT_FALSE(registry.findClass(kClase));
}

} // namespace
