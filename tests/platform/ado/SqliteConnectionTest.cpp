#include "platform/ado/Errors.h"
#include "platform/ado/Providers.h"

#include <QFile>
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
    void run(const char* sql) {
        try {
            m_connection->Execute(QString::fromUtf8(sql));
        } catch (const com::RuntimeError& e) {
            FAIL() << qPrintable(e.description());
        }
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ado::Connection> m_connection;
};

TEST_F(SqliteConnectionTest, SelectReadsRowsByNameAndPositionWithNullsAsNullVariants) {
    run("INSERT INTO Viaje VALUES ('0000000001', '2024-03-05 10:20:30', 12.5, 'RM')");
    run("INSERT INTO Viaje VALUES ('0000000002', NULL, NULL, 'RM')");
    auto rs = m_connection->Execute(
        QStringLiteral("SELECT Vj_Folio, Vj_Fecha_Inicio_Viaje AS Inicio, Vj_Kilometro_Inicial "
                       "FROM Viaje ORDER BY Vj_Folio"));
    ASSERT_FALSE(rs->Eof());
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
}

} // namespace
