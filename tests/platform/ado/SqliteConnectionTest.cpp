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

    QString path() const { return m_dir.filePath("kt.db"); }

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
        auto rs = run("SELECT COUNT(*) FROM Viaje", on);
        return rs ? rs->Fields(0).Value().toLongLong() : -1;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ado::Connection> m_connection;
};

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
    ASSERT_TRUE(query.exec("DELETE FROM Viaje WHERE Vj_Folio = '2'"));
    m_connection->CommitTrans();
    auto last = run("SELECT Vj_Folio FROM Viaje WHERE Vj_Folio < '4' ORDER BY Vj_Folio");
    const QString name = qtConnection(*m_connection).connectionName();
    m_connection.reset();
    EXPECT_FALSE(QSqlDatabase::contains(name)) << "the Qt connection outlived its connection";

    EXPECT_EQ(folios(*first), "2,3");
    EXPECT_EQ(folios(*second), "3,2,1");
    EXPECT_EQ(folios(*inside), "1,1-copia,2,2-copia,3,3-copia");
    EXPECT_EQ(folios(*last), "1,1-copia,2-copia,3,3-copia");
}

TEST_F(SqliteConnectionTest, BadInputGetsAMessageNamingTheFailure) {
    const QString missing = m_dir.filePath("nada.db");
    const com::RuntimeError notThere = ktest::errorOf([&] { ado::openSqlite(missing); });
    EXPECT_TRUE(notThere.description().contains(missing)) << qPrintable(notThere.description());
    EXPECT_FALSE(QFile::exists(missing));

    const QString text = m_dir.filePath("notas.txt");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const QString empty = m_dir.filePath("vacio.db");
    QFile(empty).open(QIODevice::WriteOnly);
    // Neither a file of something else nor an empty one is made into a database.
    for (const QString& path : {text, empty}) {
        const com::RuntimeError refused = ktest::errorOf([&] { ado::openSqlite(path); });
        EXPECT_TRUE(refused.description().contains(path)) << qPrintable(refused.description());
        EXPECT_TRUE(refused.description().contains("no es una base de datos"))
            << qPrintable(refused.description());
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
    EXPECT_EQ(trips(), 0);
}

} // namespace
