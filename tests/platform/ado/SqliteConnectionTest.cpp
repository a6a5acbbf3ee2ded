#include "platform/ado/DateValue.h"
#include "platform/ado/Errors.h"
#include "platform/ado/Providers.h"
#include "platform/ado/SqlText.h"

#include "PrintQString.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

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

    // The error that `action` raises; number 0 when it raises none.
    template <typename Action> static com::RuntimeError failureOf(Action action) {
        try {
            action();
        } catch (const com::RuntimeError& e) {
            return e;
        }
        return com::RuntimeError(QString(), 0);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ado::Connection> m_connection;
};

TEST_F(SqliteConnectionTest, SelectReadsRowsByNameAndPositionWithNullsAsNullVariants) {
    run("INSERT INTO Viaje VALUES ('0000000001', '2024-03-05 10:20:30', 12.5, 'RM')");
    run("INSERT INTO Viaje VALUES ('0000000002', NULL, NULL, 'RM')");
    auto rs = run("SELECT Vj_Folio, Vj_Fecha_Inicio_Viaje AS Inicio, Vj_Kilometro_Inicial "
                  "FROM Viaje ORDER BY Vj_Folio");
    ASSERT_TRUE(rs && !rs->Eof());
    EXPECT_EQ(rs->FieldCount(), 3);
    EXPECT_EQ(rs->Fields(0).Value().toString(), QStringLiteral("0000000001"));
    EXPECT_EQ(rs->Fields(QStringLiteral("inicio")).Name(), QStringLiteral("Inicio"));
    EXPECT_EQ(rs->Fields(QStringLiteral("INICIO")).Value().toString(),
              QStringLiteral("2024-03-05 10:20:30"));
    EXPECT_EQ(rs->Fields(QStringLiteral("vj_kilometro_inicial")).Value().toString(),
              QStringLiteral("12.5"));
    rs->MoveNext();
    ASSERT_FALSE(rs->Eof());
    EXPECT_TRUE(rs->Fields(1).Value().isNull());
    EXPECT_TRUE(rs->Fields(2).Value().isNull());
    EXPECT_EQ(rs->Fields(0).Value().toString(), QStringLiteral("0000000002"));
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(failureOf([&] { rs->Fields(0); }).number(), ado::error::noCurrentRecord);
    EXPECT_EQ(failureOf([&] { rs->MoveNext(); }).number(), ado::error::noCurrentRecord);

    auto none = run("SELECT Vj_Folio FROM Viaje WHERE Vj_Folio = 'nada'");
    EXPECT_TRUE(none->Eof());
    EXPECT_EQ(none->FieldCount(), 1);
}

TEST_F(SqliteConnectionTest, WritesCountTheirRowsAndGiveAClosedRecordset) {
    long affected = 0;
    auto rs = m_connection->Execute(
        QStringLiteral("INSERT INTO Viaje (Vj_Folio) VALUES ('1'), ('2'), ('3')"), &affected);
    EXPECT_EQ(affected, 3);
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(rs->FieldCount(), 0);
    EXPECT_EQ(failureOf([&] { rs->Fields(0); }).number(), ado::error::objectClosed);
    m_connection->Execute(
        QStringLiteral("UPDATE Viaje SET Es_Cve_Estado = 'RP' WHERE Vj_Folio > '1'"), &affected);
    EXPECT_EQ(affected, 2);
}

TEST_F(SqliteConnectionTest, UnknownFieldsAndClosedRecordsetsRaise) {
    run("INSERT INTO Viaje (Vj_Folio) VALUES ('1')");
    auto rs = run("SELECT Vj_Folio FROM Viaje");
    const com::RuntimeError byName = failureOf([&] { rs->Fields(QStringLiteral("Vj_Nada")); });
    EXPECT_EQ(byName.number(), ado::error::itemNotFound);
    EXPECT_TRUE(byName.description().contains(QStringLiteral("Vj_Nada")));
    EXPECT_EQ(failureOf([&] { rs->Fields(1); }).number(), ado::error::itemNotFound);
    EXPECT_EQ(failureOf([&] { rs->Fields(-1); }).number(), ado::error::itemNotFound);
    rs->Close();
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(failureOf([&] { rs->Fields(0); }).number(), ado::error::objectClosed);
}

// The screens' own SQL Server statements, run on SQLite.
TEST_F(SqliteConnectionTest, TranslatedStatementsGiveWhatSqlServerGives) {
    run("INSERT INTO Viaje VALUES ('A', '2024-03-05 10:20:30', 12.5, 'RM')");
    run("INSERT INTO Viaje VALUES ('B', NULL, NULL, 'RM')");
    run("INSERT INTO Viaje VALUES ('C', '2024-03-05T07:08:09', 3, 'RM')");
    const auto header = [this](const QString& folio) {
        return run(QStringLiteral("SELECT ISNULL(Vj_Fecha_Inicio_Viaje,  '') AS Fecha_Inicio ,"
                                  "   CONVERT(VARCHAR, ISNULL(Vj_Fecha_Inicio_Viaje,  ''), 108) "
                                  "AS Hora_Inicio, ISNULL(Vj_Kilometro_Inicial,0) AS Km_Inicial "
                                  "FROM    Viaje WHERE    Vj_Folio = '") +
                   folio + QStringLiteral("' AND   Es_cve_estado NOT IN ( 'CE', 'CA' )"));
    };
    auto a = header(QStringLiteral("A"));
    ASSERT_TRUE(a && !a->Eof());
    EXPECT_EQ(ado::toDateTime(a->Fields(QStringLiteral("Fecha_Inicio")).Value()),
              QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30)));
    EXPECT_EQ(a->Fields(QStringLiteral("Hora_Inicio")).Value().toString(),
              QStringLiteral("10:20:30"));
    auto b = header(QStringLiteral("B"));
    ASSERT_TRUE(b && !b->Eof());
    EXPECT_EQ(ado::toDateTime(b->Fields(QStringLiteral("Fecha_Inicio")).Value()),
              QDateTime(QDate(1900, 1, 1), QTime(0, 0)));
    EXPECT_EQ(b->Fields(QStringLiteral("Hora_Inicio")).Value().toString(),
              QStringLiteral("00:00:00"));
    EXPECT_EQ(b->Fields(QStringLiteral("Km_Inicial")).Value().toString(), QStringLiteral("0"));
    auto c = header(QStringLiteral("C"));
    ASSERT_TRUE(c && !c->Eof());
    EXPECT_EQ(c->Fields(QStringLiteral("Hora_Inicio")).Value().toString(),
              QStringLiteral("07:08:09"));

    auto top = run("SELECT TOP 1 Vj_Folio FROM Viaje WHERE Es_Cve_Estado <> 'CA' AND "
                   "   Vj_Folio > 'A' ORDER BY Vj_Folio ");
    ASSERT_TRUE(top && !top->Eof());
    EXPECT_EQ(top->Fields(0).Value().toString(), QStringLiteral("B"));
    top->MoveNext();
    EXPECT_TRUE(top->Eof());

    run("INSERT  INTO Viaje ( Vj_Folio , Es_Cve_Estado )     ( SELECT    Vj_Folio || '2' ,"
        "  'RP' From Viaje      WHERE  Vj_Folio = 'A'    )");
    EXPECT_EQ(trips(), 4);
}

TEST_F(SqliteConnectionTest, QuotedValuesKeepTheirApostrophes) {
    const QString name = QStringLiteral("O'Brien'); DELETE FROM Viaje; --");
    run(QStringLiteral("INSERT INTO Viaje (Vj_Folio, Es_Cve_Estado) VALUES ('") +
        ado::sqlText(name) + QStringLiteral("', 'RM')"));
    auto rs = run(QStringLiteral("SELECT Vj_Folio FROM Viaje WHERE Vj_Folio = '") +
                  ado::sqlText(name) + QStringLiteral("'"));
    ASSERT_TRUE(rs && !rs->Eof());
    EXPECT_EQ(rs->Fields(0).Value().toString(), name);
}

// A result stays as it was read: rows written meanwhile on the same connection, into the same
// table, neither show up in it nor keep the transaction from committing.
TEST_F(SqliteConnectionTest, ARecordsetReadBeforeWritesIsUnaffectedByThem) {
    run("INSERT INTO Viaje (Vj_Folio, Es_Cve_Estado) VALUES ('1', 'RM'), ('2', 'RM')");
    auto read = run("SELECT * FROM Viaje WHERE Es_Cve_Estado  IN ('RM','RMT') ");
    m_connection->BeginTrans();
    int copies = 0;
    while (!read->Eof()) {
        run(QStringLiteral("INSERT INTO Viaje (Vj_Folio, Es_Cve_Estado) VALUES ('") +
            read->Fields(QStringLiteral("Vj_Folio")).Value().toString() +
            QStringLiteral("-copia', 'RM')"));
        ++copies;
        read->MoveNext();
    }
    EXPECT_EQ(copies, 2);
    m_connection->CommitTrans();
    EXPECT_EQ(trips(), 4);
}

// Results left half read while the connection goes on: a second query, a transaction step,
// suite code on the Qt connection, the connection closing. Each keeps the rows it was opened on.
TEST_F(SqliteConnectionTest, HalfReadResultsSurviveWhateverTheConnectionDoesNext) {
    run("INSERT INTO Viaje (Vj_Folio) VALUES ('1'), ('2'), ('3')");
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
    auto inside = run("SELECT Vj_Folio FROM Viaje ORDER BY Vj_Folio");
    QSqlQuery query(m_connection->database());
    ASSERT_TRUE(query.exec(QStringLiteral("DELETE FROM Viaje WHERE Vj_Folio = '2'")));
    m_connection->CommitTrans();
    auto last = run("SELECT Vj_Folio FROM Viaje ORDER BY Vj_Folio");
    m_connection.reset();

    EXPECT_EQ(folios(*first), QStringLiteral("2,3"));
    EXPECT_EQ(folios(*second), QStringLiteral("3,2,1"));
    EXPECT_EQ(folios(*inside), QStringLiteral("1,2,3"));
    EXPECT_EQ(folios(*last), QStringLiteral("1,3"));
    auto check = ado::openSqlite(path());
    EXPECT_EQ(trips(check.get()), 2);
}

TEST_F(SqliteConnectionTest, TransactionsCommitRollBackAndRefuseMisuse) {
    m_connection->BeginTrans();
    EXPECT_TRUE(m_connection->inTransaction());
    EXPECT_EQ(failureOf([&] { m_connection->BeginTrans(); }).number(), ado::error::transactionOpen);
    run("INSERT INTO Viaje (Vj_Folio) VALUES ('1')");
    // Code of the suite on the Qt connection beneath works inside the same transaction.
    QSqlQuery query(m_connection->database());
    ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO Viaje (Vj_Folio) VALUES ('2')")));
    m_connection->RollbackTrans();
    EXPECT_FALSE(m_connection->inTransaction());
    EXPECT_EQ(trips(), 0);

    m_connection->BeginTrans();
    run("INSERT INTO Viaje (Vj_Folio) VALUES ('3')");
    m_connection->CommitTrans();
    auto other = ado::openSqlite(path());
    EXPECT_EQ(trips(other.get()), 1);

    const com::RuntimeError commit = failureOf([&] { m_connection->CommitTrans(); });
    EXPECT_EQ(commit.number(), ado::error::noTransaction);
    EXPECT_TRUE(commit.description().contains(QStringLiteral("CommitTrans")));
    EXPECT_EQ(failureOf([&] { m_connection->RollbackTrans(); }).number(),
              ado::error::noTransaction);

    // Closing a connection in the middle of a transaction rolls it back.
    other->BeginTrans();
    run(QStringLiteral("INSERT INTO Viaje (Vj_Folio) VALUES ('4')"), other.get());
    other.reset();
    EXPECT_EQ(trips(), 1);
}

TEST_F(SqliteConnectionTest, EachConnectionHasItsOwnQtConnectionUntilClosed) {
    auto second = ado::openSqlite(path());
    const QString first = m_connection->database().connectionName();
    const QString name = second->database().connectionName();
    EXPECT_NE(first, name);
    EXPECT_TRUE(QSqlDatabase::contains(name));
    second.reset();
    EXPECT_FALSE(QSqlDatabase::contains(name));
}

TEST_F(SqliteConnectionTest, BadInputGetsAMessageNamingTheFailure) {
    const QString missing = m_dir.filePath(QStringLiteral("nada.db"));
    const com::RuntimeError notThere = failureOf([&] { ado::openSqlite(missing); });
    EXPECT_TRUE(notThere.description().contains(missing)) << qPrintable(notThere.description());
    EXPECT_FALSE(QFile::exists(missing));

    const com::RuntimeError folder = failureOf([&] { ado::openSqlite(m_dir.path()); });
    EXPECT_TRUE(folder.description().contains(m_dir.path())) << qPrintable(folder.description());

    const QString text = m_dir.filePath(QStringLiteral("notas.txt"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const com::RuntimeError garbage = failureOf([&] { ado::openSqlite(text); });
    EXPECT_TRUE(garbage.description().contains(text)) << qPrintable(garbage.description());
    EXPECT_TRUE(garbage.description().contains(QStringLiteral("not a database")))
        << qPrintable(garbage.description());

    const com::RuntimeError statement =
        failureOf([&] { m_connection->Execute(QStringLiteral("SELECT * FROM Nada WHERE x = 1")); });
    EXPECT_EQ(statement.number(), ado::error::commandFailed);
    EXPECT_TRUE(statement.description().contains(QStringLiteral("no such table: Nada")))
        << qPrintable(statement.description());
    EXPECT_TRUE(statement.description().contains(QStringLiteral("SELECT * FROM Nada WHERE x = 1")));

    // A statement failing halfway leaves its transaction open for the caller to roll back.
    m_connection->BeginTrans();
    run("INSERT INTO Viaje (Vj_Folio) VALUES ('1')");
    EXPECT_THROW(m_connection->Execute(QStringLiteral("INSERT INTO Viaje (Vj_Folio) VALUES ('1')")),
                 com::RuntimeError);
    EXPECT_TRUE(m_connection->inTransaction());
    m_connection->RollbackTrans();
    EXPECT_EQ(trips(), 0);
}

} // namespace
