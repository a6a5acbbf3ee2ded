#include "platform/ado/Providers.h"
#include "platform/ado/SqlTrace.h"
#include "tests/support/PostgresServer.h"
#include "tests/support/PrintQString.h"

#include "platform/com/RuntimeError.h"

#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

// The ODBC provider against a real PostgreSQL server through Debian's driver.
class PostgresConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        QString why;
        m_server = ktest::PostgresServer::instance(&why);
        if (!m_server)
            GTEST_SKIP() << "PostgreSQL: " << why.toStdString();
        m_connectionString = m_server->createDatabase({}, nullptr, nullptr);
        m_connection = ado::openOdbc(m_connectionString);
        m_connection->Execute(
            "CREATE TABLE Viaje (Vj_Folio VARCHAR(10) PRIMARY KEY, Vj_Fecha_Inicio_Viaje "
            "TIMESTAMP(0) NULL, Vj_Kilometro_Inicial NUMERIC NULL, Vj_Importe DECIMAL(18,4))");
        m_connection->Execute("INSERT INTO Viaje VALUES ('V1', '2024-03-05 08:15:00', "
                              "'123456789.123456789', 12.5), ('V2', NULL, NULL, 3)");
    }

    ktest::PostgresServer* m_server = nullptr;
    QString m_connectionString;
    std::unique_ptr<ado::Connection> m_connection;
};

TEST_F(PostgresConnectionTest, TheScreensFormsGiveWhatTheEmbeddedDatabaseGives) {
    QTemporaryDir dir;
    const QString trace = dir.filePath("trace.jsonl");
    qputenv("KESTROVA_SQL_TRACE", QFile::encodeName(trace));
    ASSERT_EQ(m_connection->dialect(), ado::Connection::Dialect::PostgreSQL);
    const QString sql =
        "SELECT TOP 2 Vj_Folio, ISNULL(Vj_Fecha_Inicio_Viaje,  '') AS Inicio, "
        "CONVERT(VARCHAR, ISNULL(Vj_Fecha_Inicio_Viaje,  ''), 108) AS Hora, "
        "ISNULL(Vj_Kilometro_Inicial,0) AS Km, Vj_Importe FROM Viaje ORDER BY Vj_Folio";
    auto rs = m_connection->Execute(sql);
    qunsetenv("KESTROVA_SQL_TRACE");
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields("Inicio").Value().toString(), "2024-03-05 08:15:00");
    EXPECT_EQ(rs->Fields("Hora").Value().toString(), "08:15:00");
    EXPECT_EQ(rs->Fields("Km").Value().toString(), "123456789.123456789");
    EXPECT_EQ(rs->Fields("Vj_Importe").Value().toDouble(), 12.5);
    rs->MoveNext();
    EXPECT_EQ(rs->Fields("Inicio").Value().toString(), "");
    EXPECT_EQ(rs->Fields("Hora").Value().toString(), "00:00:00");
    EXPECT_EQ(rs->Fields("Km").Value().toInt(), 0);
    EXPECT_EQ(rs->Fields("vj_importe").Value().toString(), "3");

    QFile lines(trace);
    ASSERT_TRUE(lines.open(QIODevice::ReadOnly));
    const QString line = QString::fromUtf8(lines.readAll());
    EXPECT_TRUE(line.contains("SELECT TOP 2 Vj_Folio")) << line.toStdString();
    EXPECT_TRUE(line.contains("COALESCE(CAST(Vj_Fecha_Inicio_Viaje AS VARCHAR)"))
        << line.toStdString();

    // The parenthesised SELECT of an insert, and a refused statement naming itself.
    m_connection->Execute("INSERT INTO Viaje (Vj_Folio, Vj_Importe) ( SELECT 'V3', Vj_Importe "
                          "FROM Viaje WHERE Vj_Folio = 'V1' )");
    try {
        m_connection->Execute("SELECT Vj_Nada FROM Viaje");
        FAIL() << "no error";
    } catch (const com::RuntimeError& e) {
        EXPECT_TRUE(e.description().contains("SELECT Vj_Nada FROM Viaje"))
            << e.description().toStdString();
    }
}

// A second writer waits for the first and then sees its work: the re-read inside the transaction
// finds the record already changed.
TEST_F(PostgresConnectionTest, ASecondTransactionWaitsForTheFirstAndSeesItsWork) {
    m_connection->BeginTrans();
    m_connection->Execute("UPDATE Viaje SET Vj_Importe = 1 WHERE Vj_Folio = 'V2'");
    std::atomic<bool> began{false};
    QString seen;
    std::thread second([&] {
        auto other = ado::openOdbc(m_connectionString);
        other->BeginTrans();
        began = true;
        seen = other->Execute("SELECT Vj_Importe FROM Viaje WHERE Vj_Folio = 'V2'")
                   ->Fields(0)
                   .Value()
                   .toString();
        other->RollbackTrans();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(began) << "the second transaction did not wait";
    m_connection->Execute("UPDATE Viaje SET Vj_Importe = 7 WHERE Vj_Folio = 'V2'");
    m_connection->CommitTrans();
    second.join();
    EXPECT_EQ(seen, "7");

    m_connection->BeginTrans();
    m_connection->Execute("UPDATE Viaje SET Vj_Importe = 8 WHERE Vj_Folio = 'V2'");
    m_connection->RollbackTrans();
    EXPECT_EQ(m_connection->Execute("SELECT Vj_Importe FROM Viaje WHERE Vj_Folio = 'V2'")
                  ->Fields(0)
                  .Value()
                  .toString(),
              "7");
}

} // namespace
