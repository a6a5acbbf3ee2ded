#include "platform/ado/Providers.h"
#include "tests/support/PrintQString.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SqlTraceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_connection = ado::openSqlite(m_dir.filePath("kt.db"), true);
        m_connection->Execute("CREATE TABLE Venta (Vn_Folio TEXT, Vn_Importe REAL)");
        m_trace = m_dir.filePath("sql.jsonl");
        qputenv("KESTROVA_SQL_TRACE", m_trace.toUtf8());
    }
    void TearDown() override { qunsetenv("KESTROVA_SQL_TRACE"); }

    std::vector<QJsonObject> entries() const {
        std::vector<QJsonObject> result;
        QFile file(m_trace);
        if (!file.open(QIODevice::ReadOnly))
            return result;
        while (!file.atEnd())
            result.push_back(QJsonDocument::fromJson(file.readLine()).object());
        return result;
    }

    QTemporaryDir m_dir;
    QString m_trace;
    std::unique_ptr<ado::Connection> m_connection;
};

TEST_F(SqlTraceTest, EveryStatementIsOneJsonLineWithWhatWasSentAndHowItEnded) {
    const QString select = "SELECT TOP 1 ISNULL(Vn_Importe, 0) FROM Venta";
    m_connection->BeginTrans();
    m_connection->Execute("INSERT INTO Venta VALUES ('it''s', 1)");
    m_connection->Execute(select);
    EXPECT_THROW(m_connection->Execute("SELECT Vn_Nada FROM Venta"), com::RuntimeError);
    m_connection->RollbackTrans();

    // Each line: the statement as written, as executed, and the database's message or null.
    QStringList seen;
    for (const QJsonObject& line : entries()) {
        EXPECT_GE(line.value("ms").toDouble(-1), 0.0);
        const QJsonValue error = line.value("error");
        seen << line.value("sql").toString() + " -> " + line.value("executed").toString() +
                    (error.isNull() ? QString() : " ! " + error.toString());
    }
    EXPECT_EQ(
        seen,
        (QStringList{
            "BEGIN TRANSACTION -> BEGIN IMMEDIATE",
            "INSERT INTO Venta VALUES ('it''s', 1) -> INSERT INTO Venta "
            "VALUES ('it''s', 1)",
            select + " -> SELECT IFNULL(Vn_Importe, 0) FROM Venta LIMIT 1",
            "SELECT Vn_Nada FROM Venta -> SELECT Vn_Nada FROM Venta ! no such column: Vn_Nada",
            "ROLLBACK TRANSACTION -> ROLLBACK"}));
}

// A write the cache cannot prepare still runs, parsed anew each time: the trace says so.
TEST_F(SqlTraceTest, AWriteSaysWhetherTheStatementCacheServedItAndWhyNot) {
    const QString insert = "INSERT INTO Venta VALUES ('%1', 1)";
    m_connection->Execute(insert.arg(QLatin1Char('a')));
    m_connection->Execute(insert.arg(QLatin1Char('b')));
    m_connection->Execute("INSERT INTO 'Venta' ('Vn_Folio') VALUES ('c')");
    m_connection->Execute("INSERT INTO Venta VALUES ('d', 2) RETURNING 1");
    EXPECT_THROW(m_connection->Execute(insert.arg("e', 'f")), com::RuntimeError);
    m_connection->Execute("SELECT * FROM Venta");

    QStringList seen;
    for (const QJsonObject& line : entries())
        seen << line.value("cache").toString() + QLatin1Char('|') + line.value("why").toString();
    EXPECT_EQ(seen, (QStringList{"prepared|", "hit|",
                                 "bypassed|SQLite does not prepare the shape: near \"?1\": "
                                 "syntax error",
                                 "bypassed|the statement gives rows",
                                 "bypassed|SQLite does not prepare the shape: table Venta has 2 "
                                 "columns but 3 values were supplied",
                                 "|"}));
}

} // namespace
