#include "platform/ado/ConnectionStringMask.h"
#include "platform/ado/Errors.h"
#include "platform/ado/Providers.h"
#include "tests/support/Checks.h"
#include "tests/support/PrintQString.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The ODBC path against a real ODBC driver: SQLite's, on a file the embedded provider built.
class OdbcConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath("odbc.db");
        auto setup = ado::openSqlite(m_path, true);
        setup->Execute(QStringLiteral("CREATE TABLE Venta (Vn_Folio TEXT, Vn_Documento TEXT, "
                                      "Vn_Fecha DATETIME, Vn_Importe NUMERIC)"));
        setup->Execute(QStringLiteral("INSERT INTO Venta VALUES ('V1', 'R1', '2024-03-05 "
                                      "08:15:00', 10), ('V2', 'R1', NULL, NULL)"));
        setup.reset();
        try {
            m_connection = ado::openOdbc(QStringLiteral("Driver=SQLite3;Database=") + m_path);
        } catch (const com::RuntimeError& e) {
            FAIL() << qPrintable(e.description());
        }
    }

    long count(ado::Connection& c) {
        return c.Execute("SELECT COUNT(*) AS n FROM Venta")->Fields(0).Value().toLongLong();
    }

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<ado::Connection> m_connection;
};

// Both ways to a file give the same values for the same data, dates the driver cannot read
// included.
TEST_F(OdbcConnectionTest, TheEmbeddedAndTheOdbcPathsAgree) {
    auto embedded = ado::openSqlite(m_path);
    embedded->Execute(QStringLiteral("INSERT INTO Venta (Vn_Folio, Vn_Fecha) VALUES ('V3', ''), "
                                     "('V4', '2026-02-30 10:00:00'), ('V5', '2024-03-05'), "
                                     "('V6', '%1')")
                          .arg(QString(70, QLatin1Char('x'))));
    const auto cells = [](ado::Connection& c, const QString& sql) {
        QStringList out;
        for (auto rs = c.Execute(sql); !rs->Eof(); rs->MoveNext())
            for (int i = 0; i < rs->FieldCount(); ++i) {
                const QVariant v = rs->Fields(i).Value();
                out << (v.isNull() ? "NULL" : v.toString());
            }
        return out;
    };
    for (const QString& sql :
         {QString("SELECT Vn_Folio, Vn_Fecha, Vn_Importe FROM Venta ORDER BY Vn_Folio"),
          QStringLiteral("SELECT Vn_Folio, CONVERT(VARCHAR, ISNULL(Vn_Fecha, ''), 108) AS Hora "
                         "FROM Venta ORDER BY Vn_Folio")}) {
        const QStringList expected = cells(*embedded, sql);
        EXPECT_EQ(cells(*m_connection, sql), expected) << qPrintable(sql);
    }
    EXPECT_EQ(cells(*m_connection, QStringLiteral("SELECT Vn_Fecha FROM Venta WHERE Vn_Folio IN "
                                                  "('V2', 'V3', 'V4') ORDER BY Vn_Folio")),
              QStringList({"NULL", QString(), "2026-02-30 10:00:00"}));
    EXPECT_EQ(count(*m_connection), 6);
}

TEST(OdbcDriver, AMissingDriverIsNamedAndThePasswordIsNot) {
    const com::RuntimeError driver =
        ktest::errorOf([] { ado::openOdbc("Driver=NoSuchDriver;Server=x;UID=ana;PWD=secreto"); });
    EXPECT_TRUE(driver.description().contains("NoSuchDriver")) << driver.what();
    EXPECT_FALSE(driver.description().contains("secreto"));
    EXPECT_EQ(driver.number(), ado::error::providerFailed);
}

TEST(ConnectionStringMask, EverySecretIsHiddenWhateverItsBracesHold) {
    const std::pair<const char*, const char*> casos[] = {
        {"Driver=FreeTDS;UID=ana;PWD=secreto", "Driver=FreeTDS;UID=ana;PWD=***"},
        {"PWD={ab;SECRETPART};Server=x", "PWD=***;Server=x"},
        {"pwd={a}}b;c}}};Database=d", "pwd=***;Database=d"},
        {"Uid=ana;Password={x;y};SSLPassword=z", "Uid=ana;Password=***;SSLPassword=***"},
        {"Pwd = {sec}}ret} ;Server={srv;1}", "Pwd =***;Server={srv;1}"},
        {"Driver={SQLite3};Database=/tmp/a.db", "Driver={SQLite3};Database=/tmp/a.db"},
        {"PASSWORD=abc", "PASSWORD=***"},
    };
    for (const auto& [cadena, esperada] : casos)
        EXPECT_EQ(ado::maskConnectionString(QString::fromLatin1(cadena)),
                  QString::fromLatin1(esperada))
            << cadena;
}

} // namespace
