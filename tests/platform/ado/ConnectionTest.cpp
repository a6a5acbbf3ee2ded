#include "platform/ado/DateValue.h"
#include "platform/ado/Errors.h"
#include "platform/ado/Providers.h"
#include "platform/ado/SqliteConnection.h"
#include "tests/support/Checks.h"
#include "tests/support/PostgresServer.h"
#include "tests/support/PrintQString.h"
#include "tests/support/TestProvider.h"
#include "tests/support/TraceFile.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

using ktest::Provider;

// What every provider owes the screens, on the embedded file, on the same file through the SQLite
// ODBC driver, and on a PostgreSQL server through its ODBC driver.
class ConnectionTest : public ::testing::TestWithParam<Provider> {
protected:
    void SetUp() override {
        std::unique_ptr<ado::Connection> setup;
        if (GetParam() == Provider::Postgres) {
            QString why;
            ktest::PostgresServer* server = ktest::PostgresServer::instance(&why);
            if (!server)
                GTEST_SKIP() << why.toStdString();
            m_location = server->createDatabase({}, nullptr, nullptr);
            setup = ado::openOdbc(m_location);
        } else {
            m_location = m_dir.filePath("kt.db");
            setup = ado::openSqlite(m_location, true);
            if (GetParam() == Provider::Odbc)
                m_location = "Driver=SQLite3;Database=" + m_location;
        }
        run("CREATE TABLE Viaje (Vj_Folio VARCHAR(10) PRIMARY KEY, Vj_Fecha_Inicio_Viaje "
            "TIMESTAMP NULL, Vj_Kilometro_Inicial NUMERIC NULL, Es_Cve_Estado VARCHAR(3))",
            setup.get());
        run("INSERT INTO Viaje VALUES ('A', '2024-03-05 10:20:30', 12.5, 'RM'), "
            "('B', NULL, NULL, 'RM'), ('C', '2024-03-05T07:08:09', 3, 'RM')",
            setup.get());
        setup.reset();
        m_connection = open();
    }

    std::unique_ptr<ado::Connection> open() {
        return GetParam() == Provider::Sqlite ? ado::openSqlite(m_location)
                                              : ado::openOdbc(m_location);
    }

    // A statement that fails fails the test with the database's message.
    std::unique_ptr<ado::Recordset> run(const QString& sql, ado::Connection* on = nullptr) {
        return (on ? on : m_connection.get())->Execute(sql);
    }

    // Every value from the current row on, NULL for a null, joined by commas.
    static QString cells(ado::Recordset& rs) {
        QStringList out;
        for (; !rs.Eof(); rs.MoveNext())
            for (int i = 0; i < rs.FieldCount(); ++i) {
                const QVariant v = rs.Fields(i).Value();
                out << (v.isNull() ? "NULL" : v.toString());
            }
        return out.join(',');
    }

    long long trips(ado::Connection* on = nullptr) {
        return run("SELECT COUNT(*) FROM Viaje", on)->Fields(0).Value().toLongLong();
    }

    QTemporaryDir m_dir;
    QString m_location;
    std::unique_ptr<ado::Connection> m_connection;
};

TEST_P(ConnectionTest, RecordsetsReadByNameAndPositionWithNullsAsNullVariants) {
    long affected = 0;
    auto update = m_connection->Execute("UPDATE Viaje SET Es_Cve_Estado = 'RM' WHERE Vj_Folio "
                                        "<> 'C'",
                                        &affected);
    EXPECT_EQ(affected, 2);
    EXPECT_TRUE(update->Eof());
    EXPECT_EQ(ktest::errorOf([&] { update->Fields(0); }).number(), ado::error::objectClosed);

    auto rs = run("SELECT TOP 2 Vj_Folio, Vj_Fecha_Inicio_Viaje AS Inicio, Vj_Kilometro_Inicial "
                  "FROM Viaje ORDER BY Vj_Folio");
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->FieldCount(), 3);
    EXPECT_EQ(rs->Fields(0).Value().toString(), "A");
    // The server folds an alias to lower case unless it is quoted; the others keep it as written.
    const Qt::CaseSensitivity aliasCase =
        GetParam() == Provider::Postgres ? Qt::CaseInsensitive : Qt::CaseSensitive;
    EXPECT_EQ(rs->Fields("INICIO").Name().compare("Inicio", aliasCase), 0);
    EXPECT_EQ(ado::toDateTime(rs->Fields("inicio").Value()),
              QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30)));
    EXPECT_EQ(rs->Fields("vj_kilometro_inicial").Value().toString(), "12.5");
    const com::RuntimeError unknown = ktest::errorOf([&] { rs->Fields("Vj_Nada"); });
    EXPECT_EQ(unknown.number(), ado::error::itemNotFound);
    EXPECT_TRUE(unknown.description().contains("Vj_Nada"));
    EXPECT_EQ(ktest::errorOf([&] { rs->Fields(3); }).number(), ado::error::itemNotFound);
    rs->MoveNext();
    ASSERT_FALSE(rs->Eof());
    EXPECT_TRUE(rs->Fields(1).Value().isNull());
    EXPECT_TRUE(rs->Fields(2).Value().isNull());
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(ktest::errorOf([&] { rs->Fields(0); }).number(), ado::error::noCurrentRecord);
    EXPECT_EQ(ktest::errorOf([&] { rs->MoveNext(); }).number(), ado::error::noCurrentRecord);

    // An empty result still names its columns, for a list's headers.
    auto none = run("SELECT Vj_Folio AS Folio FROM Viaje WHERE Vj_Folio = 'nada'");
    EXPECT_TRUE(none->Eof());
    EXPECT_EQ(none->FieldCount(), 1);
    EXPECT_EQ(none->FieldName(0).compare("Folio", aliasCase), 0);
}

// The screens' own SQL Server statements give what SQL Server gives; the trace shows both texts.
TEST_P(ConnectionTest, TranslatedStatementsGiveWhatSqlServerGives) {
    const QString trace = m_dir.filePath("trace.jsonl");
    qputenv("KESTROVA_SQL_TRACE", QFile::encodeName(trace));
    const QString sql = "SELECT ISNULL(Vj_Fecha_Inicio_Viaje,  '') AS Fecha ,   CONVERT(VARCHAR, "
                        "ISNULL(Vj_Fecha_Inicio_Viaje,  ''), 108) AS Hora, "
                        "ISNULL(Vj_Kilometro_Inicial,0) AS Km, CONVERT(VARCHAR(5), "
                        "Vj_Fecha_Inicio_Viaje, 108) AS HM FROM    Viaje WHERE    Vj_Folio = '%1' "
                        "AND   Es_cve_estado NOT IN ( 'CE', 'CA' )";
    const auto header = [&](const char* folio) {
        auto rs = run(sql.arg(QLatin1String(folio)));
        EXPECT_FALSE(rs->Eof());
        return QStringList{ado::toDateTime(rs->Fields(0).Value()).toString(Qt::ISODate),
                           rs->Fields(1).Value().toString(), rs->Fields(2).Value().toString(),
                           rs->Fields(3).Value().toString()};
    };
    EXPECT_EQ(header("A"), QStringList({"2024-03-05T10:20:30", "10:20:30", "12.5", "10:20"}));
    EXPECT_EQ(header("B"), QStringList({"1900-01-01T00:00:00", "00:00:00", "0", ""}));
    EXPECT_EQ(header("C"), QStringList({"2024-03-05T07:08:09", "07:08:09", "3", "07:08"}));
    qunsetenv("KESTROVA_SQL_TRACE");
    const std::vector<ktest::TraceLine> lines = ktest::takeTraceLines(trace);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].sql, sql.arg("A"));
    EXPECT_FALSE(lines[0].executed.contains("ISNULL")) << qPrintable(lines[0].executed);
}

TEST_P(ConnectionTest, TransactionsCommitRollBackAndRefuseMisuse) {
    m_connection->BeginTrans();
    EXPECT_TRUE(m_connection->inTransaction());
    EXPECT_EQ(ktest::errorOf([&] { m_connection->BeginTrans(); }).number(),
              ado::error::transactionOpen);
    run("DELETE FROM Viaje");
    m_connection->RollbackTrans();
    EXPECT_FALSE(m_connection->inTransaction());
    EXPECT_EQ(trips(), 3);

    m_connection->BeginTrans();
    run("DELETE FROM Viaje WHERE Vj_Folio = 'A'");
    m_connection->CommitTrans();
    auto other = open();
    EXPECT_EQ(trips(other.get()), 2);

    const com::RuntimeError commit = ktest::errorOf([&] { m_connection->CommitTrans(); });
    EXPECT_EQ(commit.number(), ado::error::noTransaction);
    EXPECT_TRUE(commit.description().contains("CommitTrans"));
    EXPECT_EQ(ktest::errorOf([&] { m_connection->RollbackTrans(); }).number(),
              ado::error::noTransaction);

    // Closing a connection in the middle of a transaction rolls it back.
    other->BeginTrans();
    run("DELETE FROM Viaje", other.get());
    other.reset();
    EXPECT_EQ(trips(), 2);
}

TEST_P(ConnectionTest, RefusedStatementsNameThemselvesAndChangeNothing) {
    // No NUL inside a text, and one statement a text: refused before anything runs.
    for (const QString& sql :
         {QString("DELETE FROM Viaje WHERE Vj_Folio = 'a") + QChar(0) + "' OR 1=1",
          QString("DELETE FROM Viaje; DROP TABLE Viaje"),
          QString("INSERT INTO Viaje (Vj_Folio) VALUES ('a') ; -- y\nDELETE FROM Viaje")}) {
        SCOPED_TRACE(qPrintable(sql));
        EXPECT_EQ(ktest::errorOf([&] { m_connection->Execute(sql); }).number(),
                  ado::error::commandFailed);
    }
    EXPECT_EQ(trips(), 3);
    run("INSERT INTO Viaje (Vj_Folio) VALUES ('x;y');  ; ");
    EXPECT_EQ(trips(), 4);

    const com::RuntimeError statement =
        ktest::errorOf([&] { m_connection->Execute("SELECT * FROM Nada WHERE x = 1"); });
    EXPECT_EQ(statement.number(), ado::error::commandFailed);
    const QStringList parts = statement.description().split("\nSentencia: ");
    ASSERT_EQ(parts.size(), 2) << qPrintable(statement.description());
    EXPECT_TRUE(parts[0].contains("nada", Qt::CaseInsensitive)) << qPrintable(parts[0]);
    EXPECT_EQ(parts[1], "SELECT * FROM Nada WHERE x = 1");
}

// On the embedded file: the Qt connection beneath, which only this provider hands out.
class SqliteFileTest : public ConnectionTest {
protected:
    QSqlDatabase qtConnection(ado::Connection& connection) {
        return dynamic_cast<ado::SqliteConnection&>(connection).database();
    }
};

// Results left half read while the connection goes on: writes into the table being read, a
// second query, a transaction step, suite code on the Qt connection, the connection closing.
// Each result keeps the rows it was opened on, and nothing keeps the transaction from committing.
TEST_P(SqliteFileTest, ResultsKeepTheRowsTheyWereOpenedOn) {
    run("DELETE FROM Viaje");
    run("INSERT INTO Viaje (Vj_Folio, Es_Cve_Estado) VALUES ('1', 'RM'), ('2', 'RM'), ('3', 'RM')");
    auto first = run("SELECT Vj_Folio FROM Viaje ORDER BY Vj_Folio");
    first->MoveNext();
    auto second = run("SELECT Vj_Folio FROM Viaje ORDER BY Vj_Folio DESC");
    m_connection->BeginTrans();
    auto copied = run("SELECT Vj_Folio FROM Viaje WHERE Es_Cve_Estado  IN ('RM','RMT') ");
    for (; !copied->Eof(); copied->MoveNext()) {
        run(QStringLiteral("INSERT INTO Viaje (Vj_Folio, Es_Cve_Estado) VALUES ('%1-copia', 'RM')")
                .arg(copied->Fields(0).Value().toString()));
    }
    auto inside = run("SELECT Vj_Folio FROM Viaje WHERE Vj_Folio < '4' ORDER BY Vj_Folio");
    QSqlQuery query(qtConnection(*m_connection));
    ASSERT_TRUE(query.exec("DELETE FROM Viaje WHERE Vj_Folio = '2'"));
    m_connection->CommitTrans();
    auto last = run("SELECT Vj_Folio FROM Viaje WHERE Vj_Folio < '4' ORDER BY Vj_Folio");
    const QString name = qtConnection(*m_connection).connectionName();
    m_connection.reset();
    EXPECT_FALSE(QSqlDatabase::contains(name)) << "the Qt connection outlived its connection";

    EXPECT_EQ(cells(*first), "2,3");
    EXPECT_EQ(cells(*second), "3,2,1");
    EXPECT_EQ(cells(*inside), "1,1-copia,2,2-copia,3,3-copia");
    EXPECT_EQ(cells(*last), "1,1-copia,2-copia,3,3-copia");
}

TEST_P(SqliteFileTest, BadInputGetsAMessageNamingTheFailure) {
    const QString missing = m_dir.filePath("nada.db");
    const com::RuntimeError notThere = ktest::errorOf([&] { ado::openSqlite(missing); });
    EXPECT_TRUE(notThere.description().contains(missing)) << qPrintable(notThere.description());
    EXPECT_FALSE(QFile::exists(missing));

    const QString text = m_dir.filePath("notas.txt"), empty = m_dir.filePath("vacio.db");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')) == 4096);
    file.close();
    ASSERT_TRUE(QFile(empty).open(QIODevice::WriteOnly));
    // Neither a file of something else nor an empty one is made into a database.
    for (const QString& path : {text, empty}) {
        const QString refused = ktest::errorOf([&] { ado::openSqlite(path); }).description();
        EXPECT_TRUE(refused.contains(path) && refused.contains("no es una base de datos"))
            << qPrintable(refused);
        EXPECT_FALSE(QFile::exists(path + "-wal"));
    }
    EXPECT_EQ(QFileInfo(empty).size(), 0);
    EXPECT_EQ(QFileInfo(text).size(), 4096);

    // A full disk is named as such, and the failed write leaves nothing behind.
    run("PRAGMA max_page_count = 4");
    const com::RuntimeError full = ktest::errorOf([&] {
        m_connection->Execute(QStringLiteral("INSERT INTO Viaje (Vj_Folio) VALUES ('%1')")
                                  .arg(QString(20000, QLatin1Char('x'))));
    });
    EXPECT_TRUE(full.description().startsWith("No queda espacio en el disco"))
        << qPrintable(full.description());
    EXPECT_EQ(trips(), 3);
}

INSTANTIATE_TEST_SUITE_P(Sqlite, SqliteFileTest, ::testing::Values(Provider::Sqlite));

// The file through ODBC gives what the embedded provider gives for the same rows, dates the
// driver cannot read included.
class OdbcPathTest : public ConnectionTest {};

TEST_P(OdbcPathTest, TheOdbcAndTheEmbeddedPathsAgree) {
    auto embedded = ado::openSqlite(m_dir.filePath("kt.db"));
    run(QString("INSERT INTO Viaje (Vj_Folio, Vj_Fecha_Inicio_Viaje) VALUES ('D', ''), "
                "('E', '2026-02-30 10:00:00'), ('F', '2024-03-05'), ('G', '%1')")
            .arg(QString(70, QLatin1Char('x'))),
        embedded.get());
    for (const char* sql : {"SELECT * FROM Viaje ORDER BY Vj_Folio",
                            "SELECT Vj_Folio, CONVERT(VARCHAR, ISNULL(Vj_Fecha_Inicio_Viaje, ''), "
                            "108) AS Hora FROM Viaje ORDER BY Vj_Folio"})
        EXPECT_EQ(cells(*m_connection->Execute(sql)), cells(*embedded->Execute(sql))) << sql;
    EXPECT_EQ(cells(*m_connection->Execute("SELECT Vj_Fecha_Inicio_Viaje FROM Viaje WHERE Vj_Folio "
                                           "IN ('B', 'D', 'E') ORDER BY Vj_Folio")),
              "NULL,,2026-02-30 10:00:00");
}

INSTANTIATE_TEST_SUITE_P(Odbc, OdbcPathTest, ::testing::Values(Provider::Odbc));

// Two operators, each on a connection of their own, take the next number from a counter inside a
// transaction, as folio numbering does: the second's BeginTrans waits for the first's commit and
// then reads its work, so no update is lost; both trace into one file, every line whole.
TEST_P(ConnectionTest, WritersTakingNumbersWaitForEachOtherAndLoseNoUpdate) {
    constexpr int perWriter = 100;
    run("UPDATE Viaje SET Vj_Kilometro_Inicial = 0 WHERE Vj_Folio = 'B'");
    const QString trace = m_dir.filePath("writers.jsonl");
    qputenv("KESTROVA_SQL_TRACE", QFile::encodeName(trace));
    std::atomic<int> failures{0};
    const QString counter = "SELECT Vj_Kilometro_Inicial FROM Viaje WHERE Vj_Folio = 'B'";
    const auto takeNumbers = [&] {
        try {
            auto connection = open();
            for (int i = 0; i < perWriter; ++i) {
                connection->BeginTrans();
                const auto rs = connection->Execute(counter);
                connection->Execute(
                    QString("UPDATE Viaje SET Vj_Kilometro_Inicial = %1 WHERE Vj_Folio = 'B'")
                        .arg(rs->Fields(0).Value().toLongLong() + 1));
                connection->CommitTrans();
            }
        } catch (const com::RuntimeError& e) {
            ++failures;
            ADD_FAILURE() << qPrintable(e.description());
        }
    };
    std::thread first(takeNumbers), second(takeNumbers);
    first.join();
    second.join();
    qunsetenv("KESTROVA_SQL_TRACE");
    ASSERT_EQ(failures, 0);
    EXPECT_EQ(run(counter)->Fields(0).Value().toLongLong(), 2 * perWriter);
    // A torn or interleaved line reads as no statement, and the counts fall short.
    QMap<QString, int> counts;
    for (const ktest::TraceLine& line : ktest::takeTraceLines(trace))
        ++counts[line.sql.section(' ', 0, 0)];
    for (const char* step : {"BEGIN", "UPDATE", "COMMIT"})
        EXPECT_EQ(counts.value(step), 2 * perWriter) << step;
}

INSTANTIATE_TEST_SUITE_P(Providers, ConnectionTest,
                         ::testing::Values(Provider::Sqlite, Provider::Odbc, Provider::Postgres),
                         ktest::ProviderName());

} // namespace
