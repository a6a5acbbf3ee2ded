#include "platform/ado/ConnectionStringMask.h"
#include "platform/ado/DateValue.h"
#include "platform/ado/Errors.h"
#include "platform/ado/Providers.h"
#include "platform/ado/SqlServerToPostgres.h"
#include "platform/ado/SqlServerToSqlite.h"
#include "tests/support/Checks.h"
#include "tests/support/PrintQString.h"

#include <QDateTime>
#include <QVariant>
#include <gtest/gtest.h>

namespace {

struct Case {
    const char* sql;
    const char* expected; // null: the statement comes back byte for byte
};

void expectTranslations(QString (*translate)(const QString&), std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(translate(QString::fromUtf8(c.sql)),
                  QString::fromUtf8(c.expected ? c.expected : c.sql));
    }
}

TEST(SqlServerToSqlite, TheScreensFormsBecomeSqlitesAndEverythingElseStaysAsWritten) {
    const std::initializer_list<Case> cases = {
        // (The plain ISNULL(x, 0) of the screens is pinned by the statement cache's trace.)
        {"SELECT isnull (a, isNull(b, 'x')) FROM t", "SELECT IFNULL (a, IFNULL(b, 'x')) FROM t"},
        {"SELECT a FROM t WHERE ISNULL(b, ')''(') = '' AND (ISNULL(c, 0) > 1)",
         "SELECT a FROM t WHERE IFNULL(b, ')''(') = '' AND (IFNULL(c, 0) > 1)"},
        // SQLite's own postfix ISNULL stays.
        {"SELECT a FROM t WHERE b ISNULL", nullptr},
        // TOP becomes a LIMIT at the end of its own SELECT, inside a subquery's parentheses.
        {"SELECT TOP 1 Vn_Folio FROM Venta WHERE Vn_Tabla = 'REMISION' AND    Vn_Documento = "
         "'R1' ",
         "SELECT Vn_Folio FROM Venta WHERE Vn_Tabla = 'REMISION' AND    Vn_Documento = 'R1' "
         "LIMIT 1 "},
        {"select distinct top 10 a from t order by a",
         "select distinct a from t order by a LIMIT 10"},
        {"SELECT TOP (5) a FROM t;", "SELECT a FROM t LIMIT (5);"},
        {"SELECT TOP 3 a FROM t -- the first three\n",
         "SELECT a FROM t LIMIT 3 -- the first three\n"},
        {"SELECT a FROM t WHERE b IN (SELECT TOP 2 c FROM u WHERE (d > (1)) ORDER BY c) ORDER "
         "BY a",
         "SELECT a FROM t WHERE b IN (SELECT c FROM u WHERE (d > (1)) ORDER BY c LIMIT 2) "
         "ORDER BY "
         "a"},
        {"SELECT TOP 1 a FROM t; SELECT TOP 2 b FROM u",
         "SELECT a FROM t LIMIT 1; SELECT b FROM u LIMIT 2"},
        // A limit cannot say these: left for SQLite to refuse rather than answer wrongly.
        {"SELECT TOP 10 PERCENT a FROM t", nullptr},
        {"SELECT TOP 1 a FROM t UNION SELECT b FROM u", nullptr},
        // An insert from a parenthesised SELECT loses the parentheses.
        {"INSERT  INTO Entrega_Documento (   Ed_Tabla ,   De_ID     )     ( SELECT    "
         "'ORDEN_ENTREGA' as Ed_Tabla ,   De_ID      From Entrega_Documento      WHERE     "
         "Ed_Documento = '0001'     )",
         "INSERT  INTO Entrega_Documento (   Ed_Tabla ,   De_ID     )      SELECT    "
         "'ORDEN_ENTREGA' as Ed_Tabla ,   De_ID      From Entrega_Documento      WHERE     "
         "Ed_Documento = '0001'     "},
        {"INSERT INTO t(a)(SELECT TOP 1 a FROM u)", "INSERT INTO t(a) SELECT a FROM u LIMIT 1"},
        {"INSERT INTO dbo.[t] (SELECT * FROM u);", "INSERT INTO dbo.[t] SELECT * FROM u;"},
        // Literals, quoted names and comments that look like the forms above.
        {"SELECT 'ISNULL(a, b)', 'it''s TOP 1 ( SELECT', N'CONVERT(VARCHAR, x, 108)' FROM t",
         nullptr},
        {"SELECT \"ISNULL\"(x), [TOP] FROM [SELECT TOP 1]", nullptr},
        {"SELECT a -- ISNULL(a, b) TOP 1\nFROM t /* CONVERT(VARCHAR, x, 108) ) */", nullptr},
        // CONVERT to other types or styles is not ours to guess: SQLite will say so.
        {"SELECT CONVERT(VARCHAR, f, 103), CONVERT(INT, f), CONVERT(CHAR(8), f, 108) FROM t",
         nullptr},
        // Parenthesised SELECTs that are not the whole source of an insert.
        {"INSERT INTO t (a) VALUES ((SELECT 1))", nullptr},
        {"INSERT INTO t (a) (SELECT 1) UNION (SELECT 2)", nullptr},
        // Statements of the screens, and broken ones.
        {"UPDATE Viaje SET    Vj_Kilometro_Inicial = '12.5' ,\r\n\tOper_Ult_Modif = 'ANA' "
         "WHERE Vj_Folio = '0000000001' ",
         nullptr},
        {"INSERT INTO Embarque( Eb_Folio ,VALUES   ( '1' )", nullptr},
        {"SELECT ISNULL(a, b) FROM t WHERE (b = 1", nullptr},
        {"SELECT 'unterminated", nullptr},
        {"", nullptr},
    };
    expectTranslations(ado::SqlServerToSqlite::translate, cases);
}

// The same reading of the text with PostgreSQL's words: only the words and the reading of dates
// as text differ, so what the SQLite table shows (literals, comments, TOP, inserts) is not
// repeated here.
TEST(SqlServerToPostgres, TheScreensFormsInPostgresqlsWords) {
    const std::initializer_list<Case> cases = {
        {"SELECT ISNULL(Vj_Kilometro_Inicial,0) AS Km_Inicial FROM Viaje",
         "SELECT COALESCE(Vj_Kilometro_Inicial,0) AS Km_Inicial FROM Viaje"},
        // An empty text stands for a date only on SQL Server: the value is read as text.
        {"SELECT ISNULL(Vj_Fecha_Inicio_Viaje,  '') AS Fecha_Inicio FROM Viaje",
         "SELECT COALESCE(CAST(Vj_Fecha_Inicio_Viaje AS VARCHAR),  '') AS Fecha_Inicio FROM "
         "Viaje"},
        {"SELECT isnull (a, isNull(b, 'x')) FROM t",
         "SELECT COALESCE (a, COALESCE(b, 'x')) FROM t"},
        {"SELECT CONVERT(VARCHAR, ISNULL(Vj_Fecha_Fin_Viaje,  ''), 108) AS Hora FROM Viaje",
         "SELECT COALESCE(to_char(CAST(NULLIF(CAST( COALESCE(CAST(Vj_Fecha_Fin_Viaje AS "
         "VARCHAR),  "
         "'') AS VARCHAR), '') AS TIMESTAMP), 'HH24:MI:SS'), CASE WHEN "
         "CAST( COALESCE(CAST(Vj_Fecha_Fin_Viaje AS VARCHAR),  '') AS VARCHAR) = '' THEN "
         "'00:00:00' END) AS Hora FROM Viaje"},
        {"SELECT CONVERT(VARCHAR(5), f, 108) FROM t",
         "SELECT substr(COALESCE(to_char(CAST(NULLIF(CAST( f AS VARCHAR), '') AS TIMESTAMP), "
         "'HH24:MI:SS'), CASE WHEN CAST( f AS VARCHAR) = '' THEN '00:00:00' END), 1, 5) FROM "
         "t"},
        {"SELECT 'ISNULL(a, '''')' FROM t WHERE b ISNULL", nullptr},
    };
    expectTranslations(ado::SqlServerToPostgres::translate, cases);
}

// A server's date value, a date and time as text, an empty text and a day past the month's end
// are read by the provider tests and the screens on every engine.
TEST(DateValue, ReadsTheDatabaseFormsOfADateAndNothingElse) {
    const auto at = [](int y, int m, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, mi, s, ms));
    };
    const struct {
        QVariant value;
        QDateTime expected; // null: a type mismatch
    } cases[] = {
        {QVariant(QDate(2024, 2, 29)), at(2024, 2, 29)},
        {QVariant("2024-03-05"), at(2024, 3, 5)},
        {QVariant("2024-03-05 10:20:30.250"), at(2024, 3, 5, 10, 20, 30, 250)},
        {QVariant("2024-03-05 10:20:30.5"), at(2024, 3, 5, 10, 20, 30, 500)},
        {QVariant("2024-03-05T23:59:59"), at(2024, 3, 5, 23, 59, 59)},
        {QVariant("20240305"), at(2024, 3, 5)},
        {QVariant(QString()), at(1900, 1, 1)},
        {QVariant("05/03/2024"), {}},
        {QVariant("2024-03-05 25:00:00"), {}},
        {QVariant(" 2024-03-05"), {}},
        {QVariant("mañana"), {}},
        {QVariant(45000), {}},
        {QVariant(), {}},
        {QVariant(QMetaType(QMetaType::QString)), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.value.toString()));
        if (c.expected.isValid()) {
            EXPECT_EQ(ado::toDateTime(c.value), c.expected);
            continue;
        }
        const com::RuntimeError e = ktest::errorOf([&] { ado::toDateTime(c.value); });
        EXPECT_EQ(e.number(), 13);
        EXPECT_EQ(e.description(), "Type mismatch");
    }
}

// (That the password is not shown is seen by the sql command's test, which prints this message.)
TEST(OdbcDriver, AMissingDriverIsNamed) {
    const com::RuntimeError driver =
        ktest::errorOf([] { ado::openOdbc("Driver=NoSuchDriver;Server=x;UID=ana;PWD=secreto"); });
    EXPECT_TRUE(driver.description().contains("NoSuchDriver")) << driver.what();
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
