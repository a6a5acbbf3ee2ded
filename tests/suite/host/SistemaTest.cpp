#include "suite/host/Sistema.h"
#include "platform/ado/Connection.h"
#include "platform/com/Ptr.h"
#include "platform/com/RuntimeError.h"
#include "suite/host/HostSession.h"
#include "suite/host/RecordingPresenter.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SistemaTest : public ::testing::Test {
protected:
    ktest::TestDatabase db;
    std::shared_ptr<suite::RecordingPresenter> recorder =
        std::make_shared<suite::RecordingPresenter>();
    std::shared_ptr<suite::HostSession> session =
        std::make_shared<suite::HostSession>(db.open(), QStringLiteral("MGARCIA"), recorder);
    com::Ptr<kt512::ISistema> sistema =
        com::Ptr<kt512::ISistema>::adopt(com::make<suite::Sistema>(session));

    QString parametro(const QString& nombre, const QString& valorDefault) {
        return sistema->LeerParametro(nombre, 0, QStringLiteral("T"), valorDefault).toString();
    }
};

TEST_F(SistemaTest, GivesTheOneSessionConnection) {
    ado::Connection* first = &sistema->Conexion();
    EXPECT_EQ(first, &sistema->Conexion());
    EXPECT_EQ(first, &session->connection());
    EXPECT_EQ(sistema->Usuario(), QStringLiteral("MGARCIA"));
}

TEST_F(SistemaTest, ParametersGiveTheirValueOrTheDefault) {
    EXPECT_EQ(parametro(QStringLiteral("LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES"), QStringLiteral("99")),
              QStringLiteral("20"));
    db.exec(QStringLiteral("UPDATE Parametro SET Pa_Valor = '000' WHERE Pa_Nombre = 'FTO_CHOFER'"));
    EXPECT_EQ(parametro(QStringLiteral("FTO_CHOFER"), QStringLiteral("0000")),
              QStringLiteral("000"));

    EXPECT_EQ(parametro(QStringLiteral("NO_CONFIGURADO"), QStringLiteral("7")),
              QStringLiteral("7"));
    EXPECT_EQ(parametro(QStringLiteral("O'BRIEN"), QStringLiteral("7")), QStringLiteral("7"));
    db.exec(
        QStringLiteral("UPDATE Parametro SET Pa_Valor = '  ' WHERE Pa_Nombre = 'FTO_SUCURSAL'"));
    EXPECT_EQ(parametro(QStringLiteral("FTO_SUCURSAL"), QStringLiteral("0000")),
              QStringLiteral("0000"));
}

TEST_F(SistemaTest, AParameterThatCannotBeReadRaisesNamingIt) {
    db.exec(QStringLiteral("DROP TABLE Parametro"));
    try {
        parametro(QStringLiteral("FTO_VEHICULO"), QStringLiteral("0000000000"));
        FAIL() << "no error raised";
    } catch (const com::RuntimeError& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("FTO_VEHICULO"))) << e.what();
        EXPECT_TRUE(e.description().contains(QStringLiteral("Parametro"))) << e.what();
    }
}

TEST_F(SistemaTest, MessagesAreShownInOrderAndLogged) {
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("mensajes.jsonl"));
    qputenv("KESTROVA_MESSAGE_LOG", log.toLocal8Bit());
    sistema->MostrarMensaje(QStringLiteral("No existen datos en el viaje"), 48,
                            QStringLiteral("Kestrova"), qlonglong(4242), QStringLiteral("KT512"),
                            QStringLiteral("ERR-ID:7500018"));
    sistema->MostrarMensaje(QStringLiteral("near \"'x'\": syntax error <b>"), 16,
                            QStringLiteral("CARGAR VIAJES"), 0, QStringLiteral("KT512"),
                            QStringLiteral("ERR-ID:7500002"));
    qunsetenv("KESTROVA_MESSAGE_LOG");

    const std::vector<suite::Message>& shown = recorder->messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, QStringLiteral("No existen datos en el viaje"));
    EXPECT_EQ(shown[0].style, 48);
    EXPECT_EQ(shown[0].title, QStringLiteral("Kestrova"));
    EXPECT_EQ(shown[0].hWnd, 4242);
    EXPECT_EQ(shown[0].module, QStringLiteral("KT512"));
    EXPECT_EQ(shown[0].id, QStringLiteral("ERR-ID:7500018"));
    EXPECT_EQ(shown[1].title, QStringLiteral("CARGAR VIAJES"));

    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.errorString());
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject second = QJsonDocument::fromJson(lines[1]).object();
    EXPECT_EQ(second.value(QStringLiteral("text")).toString(), shown[1].text);
    EXPECT_EQ(second.value(QStringLiteral("style")).toInt(), 16);
    EXPECT_EQ(second.value(QStringLiteral("title")).toString(), QStringLiteral("CARGAR VIAJES"));
    EXPECT_EQ(second.value(QStringLiteral("module")).toString(), QStringLiteral("KT512"));
    EXPECT_EQ(second.value(QStringLiteral("id")).toString(), QStringLiteral("ERR-ID:7500002"));
}

} // namespace
