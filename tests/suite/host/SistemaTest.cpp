#include "SesionDePrueba.h"
#include "kt512/services/ClassIds.h"
#include "kt512/services/IFormatoLista.h"
#include "kt512/services/ISistema.h"
#include "platform/com/Runtime.h"
#include "platform/com/RuntimeError.h"
#include "tests/support/Checks.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Sistema as the component's start-up creates it: by class identifier, from the session's
// registered services.
class SistemaTest : public SesionDePrueba {
protected:
    void SetUp() override {
        suite::registerHostServices(runtime, session);
        sistema = runtime.create<kt512::ISistema>(kt512::ClassIds::Sistema);
    }
    QString parametro(const QString& nombre, const QString& valorDefault) {
        return sistema->LeerParametro(nombre, 0, QStringLiteral("T"), valorDefault).toString();
    }

    QTemporaryDir dir;
    com::Runtime runtime{dir.filePath(QStringLiteral("registry.json"))};
    com::Ptr<kt512::ISistema> sistema;
};

TEST_F(SistemaTest, EveryServiceObjectWorksOnTheOneSessionConnection) {
    EXPECT_EQ(&sistema->Conexion(), &session->connection());
    EXPECT_EQ(&runtime.create<kt512::ISistema>(kt512::ClassIds::Sistema)->Conexion(),
              &session->connection());
    EXPECT_EQ(sistema->Usuario(), QStringLiteral("MGARCIA"));
    EXPECT_TRUE(runtime.createInstance(QStringLiteral("Kestrova.FormatoLista"))
                    .query<kt512::IFormatoLista>());
}

TEST_F(SistemaTest, ParametersGiveTheirValueOrTheDefault) {
    EXPECT_EQ(parametro(QStringLiteral("LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES"), QStringLiteral("99")),
              QStringLiteral("20"));
    EXPECT_EQ(parametro(QStringLiteral("NO_CONFIGURADO"), QStringLiteral("7")),
              QStringLiteral("7"));
    EXPECT_EQ(parametro(QStringLiteral("O'BRIEN"), QStringLiteral("7")), QStringLiteral("7"));
    db.exec(
        QStringLiteral("UPDATE Parametro SET Pa_Valor = '  ' WHERE Pa_Nombre = 'FTO_SUCURSAL'"));
    EXPECT_EQ(parametro(QStringLiteral("FTO_SUCURSAL"), QStringLiteral("0000")),
              QStringLiteral("0000"));

    db.exec(QStringLiteral("DROP TABLE Parametro"));
    const com::RuntimeError e = ktest::errorOf(
        [&] { parametro(QStringLiteral("FTO_VEHICULO"), QStringLiteral("0000000000")); });
    EXPECT_TRUE(e.description().contains(QStringLiteral("FTO_VEHICULO"))) << e.what();
}

TEST_F(SistemaTest, MessagesReachThePresenterAndTheLog) {
    const QString log = dir.filePath(QStringLiteral("mensajes.jsonl"));
    qputenv("KESTROVA_MESSAGE_LOG", log.toLocal8Bit());
    for (int i = 0; i < 2; ++i)
        sistema->MostrarMensaje(QStringLiteral("near \"'x'\": syntax error"), 16,
                                QStringLiteral("CARGAR VIAJES"), qlonglong(4242),
                                QStringLiteral("KT512"), QStringLiteral("ERR-ID:7500002"));
    qunsetenv("KESTROVA_MESSAGE_LOG");

    ASSERT_EQ(mensajes->messages().size(), 2u);
    const forms::Message& shown = mensajes->messages()[1];
    EXPECT_EQ(QStringList({shown.text, QString::number(shown.style), shown.title,
                           QString::number(shown.hWnd), shown.module, shown.id}),
              QStringList({"near \"'x'\": syntax error", "16", "CARGAR VIAJES", "4242", "KT512",
                           "ERR-ID:7500002"}));
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.errorString());
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(QJsonDocument::fromJson(lines[1]).object(), QJsonObject({{"text", shown.text},
                                                                       {"style", 16},
                                                                       {"title", "CARGAR VIAJES"},
                                                                       {"module", "KT512"},
                                                                       {"id", "ERR-ID:7500002"}}));
}

} // namespace
