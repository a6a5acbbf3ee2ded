#include "platform/ado/SqliteConnection.h"
#include "platform/ado/DateValue.h"
#include "platform/ado/Errors.h"
#include "platform/ado/Providers.h"

#include "tests/support/Checks.h"
#include "tests/support/PrintQString.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The Qt connection beneath, which only the embedded provider hands out.
QSqlDatabase qtConnection(ado::Connection& connection) {
    return dynamic_cast<ado::SqliteConnection&>(connection).database();
}

class SqliteConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_connection = ado::openSqlite(path(), true);
        run("CREATE TABLE Viaje (Vj_Folio TEXT PRIMARY KEY, Vj_Fecha_Inicio_Viaje DATETIME, "
            "Vj_Kilometro_Inicial NUMERIC, Es_Cve_Estado TEXT)");
    }

    QString path() const { return m_dir.filePath(QStringLiteral("kt.db")); }

    // Runs a statement and reports the database's message when it fails.
    std::unique_ptr<ado::Recordset> run(const QString& sql, ado::Connection* on = nullptr) {
        try {
            return (on ? on : m_connection.get())->Execute(sql);
        } catch (const com::RuntimeError& e) {
            ADD_FAILURE() << qPrintable(e.description());
            return nullptr;
        }
    }
    std::unique_ptr<ado::Recordset> run(const char* sql) { return run(QString::fromUtf8(sql)); }

    long long trips(ado::Connection* on = nullptr) {
        auto rs = run(QStringLiteral("SELECT COUNT(*) FROM Viaje"), on);
        return rs ? rs->Fields(0).Value().toLongLong() : -1;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ado::Connection> m_connection;
};

TEST_F(SqliteConnectionTest, RecordsetsReadByNameAndPositionWithNullsAsNullVariants) {
    long affected = 0;
    auto insert = m_connection->Execute(
        QStringLiteral("INSERT INTO Viaje VALUES ('1', '2024-03-05 10:20:30', 12.5, 'RM'), "
                       "('2', NULL, NULL, 'RM')"),
        &affected);
    EXPECT_EQ(affected, 2);
    EXPECT_TRUE(insert->Eof());
    EXPECT_EQ(ktest::errorOf([&] { insert->Fields(0); }).number(), ado::error::objectClosed);

    auto rs = run("SELECT Vj_Folio, Vj_Fecha_Inicio_Viaje AS Inicio, Vj_Kilometro_Inicial "
                  "FROM Viaje ORDER BY Vj_Folio");
    ASSERT_TRUE(rs && !rs->Eof());
    EXPECT_EQ(rs->FieldCount(), 3);
    EXPECT_EQ(rs->Fields(0).Value().toString(), QStringLiteral("1"));
    EXPECT_EQ(rs->Fields(QStringLiteral("INICIO")).Name(), QStringLiteral("Inicio"));
    EXPECT_EQ(rs->Fields(QStringLiteral("inicio")).Value().toString(),
              QStringLiteral("2024-03-05 10:20:30"));
    EXPECT_EQ(rs->Fields(QStringLiteral("vj_kilometro_inicial")).Value().toString(),
              QStringLiteral("12.5"));
    const com::RuntimeError unknown =
        ktest::errorOf([&] { rs->Fields(QStringLiteral("Vj_Nada")); });
    EXPECT_EQ(unknown.number(), ado::error::itemNotFound);
    EXPECT_TRUE(unknown.description().contains(QStringLiteral("Vj_Nada")));
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
    EXPECT_EQ(none->FieldName(0), QStringLiteral("Folio"));
}

// The screens' own SQL Server statements, run on SQLite.
TEST_F(SqliteConnectionTest, TranslatedStatementsGiveWhatSqlServerGives) {
    run("INSERT INTO Viaje VALUES ('A', '2024-03-05 10:20:30', 12.5, 'RM'), "
        "('B', NULL, NULL, 'RM'), ('C', '2024-03-05T07:08:09', 3, 'RM')");
    const auto header = [this](const char* folio) {
        auto rs =
            run(QStringLiteral("SELECT ISNULL(Vj_Fecha_Inicio_Viaje,  '') AS Fecha ,"
                               "   CONVERT(VARCHAR, ISNULL(Vj_Fecha_Inicio_Viaje,  ''), 108) "
                               "AS Hora, ISNULL(Vj_Kilometro_Inicial,0) AS Km, CONVERT(VARCHAR(5), "
                               "Vj_Fecha_Inicio_Viaje, 108) AS HM FROM    Viaje "
                               "WHERE    Vj_Folio = '%1' AND   Es_cve_estado NOT IN ( 'CE', "
                               "'CA' )")
                    .arg(QLatin1String(folio)));
        EXPECT_TRUE(rs && !rs->Eof());
        return QStringList{ado::toDateTime(rs->Fields(0).Value()).toString(Qt::ISODate),
                           rs->Fields(1).Value().toString(), rs->Fields(2).Value().toString(),
                           rs->Fields(3).Value().toString()};
    };
    EXPECT_EQ(header("A"), QStringList({"2024-03-05T10:20:30", "10:20:30", "12.5", "10:20"}));
    EXPECT_EQ(header("B"), QStringList({"1900-01-01T00:00:00", "00:00:00", "0", ""}));
    EXPECT_EQ(header("C"), QStringList({"2024-03-05T07:08:09", "07:08:09", "3", "07:08"}));
}

// Results left half read while the connection goes on: writes into the table being read, a
// second query, a transaction step, suite code on the Qt connection, the connection closing.
// Each result keeps the rows it was opened on, and nothing keeps the transaction from committing.
TEST_F(SqliteConnectionTest, ResultsKeepTheRowsTheyWereOpenedOn) {
    run("INSERT INTO Viaje (Vj_Folio, Es_Cve_Estado) VALUES ('1', 'RM'), ('2', 'RM'), ('3', 'RM')");
    const auto folios = [](ado::Recordset& rs) {
        QStringList read;
        for (; !rs.Eof(); rs.MoveNext())
            read << rs.Fields(0).Value().toString();
        return read.join(QLatin1Char(','));
    };
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
    ASSERT_TRUE(query.exec(QStringLiteral("DELETE FROM Viaje WHERE Vj_Folio = '2'")));
    m_connection->CommitTrans();
    auto last = run("SELECT Vj_Folio FROM Viaje WHERE Vj_Folio < '4' ORDER BY Vj_Folio");
    m_connection.reset();

    EXPECT_EQ(folios(*first), QStringLiteral("2,3"));
    EXPECT_EQ(folios(*second), QStringLiteral("3,2,1"));
    EXPECT_EQ(folios(*inside), QStringLiteral("1,1-copia,2,2-copia,3,3-copia"));
    EXPECT_EQ(folios(*last), QStringLiteral("1,1-copia,2-copia,3,3-copia"));
}

TEST_F(SqliteConnectionTest, TransactionsCommitRollBackAndRefuseMisuse) {
    m_connection->BeginTrans();
    EXPECT_TRUE(m_connection->inTransaction());
    EXPECT_EQ(ktest::errorOf([&] { m_connection->BeginTrans(); }).number(),
              ado::error::transactionOpen);
    run("INSERT INTO Viaje (Vj_Folio) VALUES ('1')");
    m_connection->RollbackTrans();
    EXPECT_FALSE(m_connection->inTransaction());
    EXPECT_EQ(trips(), 0);

    m_connection->BeginTrans();
    run("INSERT INTO Viaje (Vj_Folio) VALUES ('2')");
    m_connection->CommitTrans();
    auto other = ado::openSqlite(path());
    EXPECT_EQ(trips(other.get()), 1);

    const com::RuntimeError commit = ktest::errorOf([&] { m_connection->CommitTrans(); });
    EXPECT_EQ(commit.number(), ado::error::noTransaction);
    EXPECT_TRUE(commit.description().contains(QStringLiteral("CommitTrans")));
    EXPECT_EQ(ktest::errorOf([&] { m_connection->RollbackTrans(); }).number(),
              ado::error::noTransaction);

    // Closing a connection in the middle of a transaction rolls it back, and lets its Qt
    // connection go.
    const QString name = qtConnection(*other).connectionName();
    EXPECT_NE(name, qtConnection(*m_connection).connectionName());
    other->BeginTrans();
    run(QStringLiteral("INSERT INTO Viaje (Vj_Folio) VALUES ('3')"), other.get());
    other.reset();
    EXPECT_EQ(trips(), 1);
    EXPECT_FALSE(QSqlDatabase::contains(name));
}

TEST_F(SqliteConnectionTest, BadInputGetsAMessageNamingTheFailure) {
    const QString missing = m_dir.filePath(QStringLiteral("nada.db"));
    const com::RuntimeError notThere = ktest::errorOf([&] { ado::openSqlite(missing); });
    EXPECT_TRUE(notThere.description().contains(missing)) << qPrintable(notThere.description());
    EXPECT_FALSE(QFile::exists(missing));

    const QString text = m_dir.filePath(QStringLiteral("notas.txt"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const QString empty = m_dir.filePath(QStringLiteral("vacio.db"));
    QFile(empty).open(QIODevice::WriteOnly);
    // Neither a file of something else nor an empty one is made into a database.
    for (const QString& path : {text, empty}) {
        const com::RuntimeError refused = ktest::errorOf([&] { ado::openSqlite(path); });
        EXPECT_TRUE(refused.description().contains(path)) << qPrintable(refused.description());
        EXPECT_TRUE(refused.description().contains(QStringLiteral("no es una base de datos")))
            << qPrintable(refused.description());
        EXPECT_FALSE(QFile::exists(path + QStringLiteral("-wal")));
    }
    EXPECT_EQ(QFileInfo(empty).size(), 0);
    EXPECT_EQ(QFileInfo(text).size(), 4096);

    // One statement a text, and no NUL inside one: refused before anything runs.
    for (const QString& sql :
         {QStringLiteral("DELETE FROM Viaje; DROP TABLE Viaje"),
          QStringLiteral("INSERT INTO Viaje (Vj_Folio) VALUES ('a') ; -- y\nDELETE FROM Viaje"),
          QStringLiteral("INSERT INTO Viaje (Vj_Folio) VALUES ('a") + QChar(0) +
              QStringLiteral("b')")}) {
        const com::RuntimeError refused = ktest::errorOf([&] { m_connection->Execute(sql); });
        EXPECT_EQ(refused.number(), ado::error::commandFailed);
    }
    EXPECT_EQ(trips(), 0);
    run("INSERT INTO Viaje (Vj_Folio) VALUES ('x;y');  ; ");
    run("DELETE FROM Viaje");

    const com::RuntimeError statement = ktest::errorOf(
        [&] { m_connection->Execute(QStringLiteral("SELECT * FROM Nada WHERE x = 1")); });
    EXPECT_EQ(statement.number(), ado::error::commandFailed);
    EXPECT_TRUE(statement.description().contains(QStringLiteral("no such table: Nada")))
        << qPrintable(statement.description());
    EXPECT_TRUE(statement.description().contains(QStringLiteral("SELECT * FROM Nada WHERE x = 1")));

    // A full disk is named as such, and the failed write leaves nothing behind.
    run("PRAGMA max_page_count = 4");
    const com::RuntimeError full = ktest::errorOf([&] {
        m_connection->Execute(QStringLiteral("INSERT INTO Viaje (Vj_Folio) VALUES ('%1')")
                                  .arg(QString(20000, QLatin1Char('x'))));
    });
    EXPECT_TRUE(full.description().startsWith(QStringLiteral("No queda espacio en el disco")))
        << qPrintable(full.description());
    EXPECT_EQ(trips(), 0);
}

} // namespace
