#include "platform/com/VersionInfo.h"
#include "platform/com/Guid.h"
#include "platform/com/ModulePath.h"
#include "platform/com/RuntimeError.h"
#include "tests/support/Checks.h"

#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace {

TEST(VersionInfoTest, EmptyValuesAndPaddingAreKept) {
    static const char seccion[] = "KESTROVA-VERSION-1\0OLESelfRegister\0\0Clave\0valor\0\0\0";
    const QByteArray bytes(seccion, sizeof seccion);
    const auto info = com::VersionInfo::parse(bytes);
    EXPECT_EQ(info.keys(), (QStringList{"OLESelfRegister", "Clave"}));
    EXPECT_TRUE(info.contains("OLESelfRegister"));
    EXPECT_TRUE(info.value("OLESelfRegister").isEmpty());
    EXPECT_THROW(com::VersionInfo::parse(QByteArray("OTRA-COSA\0a\0b", 14)), com::RuntimeError);
}

TEST(VersionInfoTest, FilesWithoutARecordAreReportedByName) {
    QTemporaryFile texto;
    ASSERT_TRUE(texto.open());
    texto.write("texto plano, no un ELF");
    texto.flush();
    const QString sinRegistro = com::modulePath(reinterpret_cast<const void*>(&com::guidString));
    for (const QString& file : {texto.fileName(), sinRegistro, QString("/no/existe.so")}) {
        const QString error = ktest::errorOf([&] { com::VersionInfo::read(file); }).description();
        EXPECT_TRUE(error.contains(file)) << "read " << file.toStdString();
    }
}

} // namespace
