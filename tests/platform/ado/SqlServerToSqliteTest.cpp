#include "platform/ado/SqlServerToSqlite.h"

#include "tests/support/PrintQString.h"

#include <gtest/gtest.h>

namespace {

QString translate(const QString& sql) {
    return ado::SqlServerToSqlite::translate(sql);
}

struct Case {
    const char* sql;
    const char* expected;
};

void expectTranslations(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(translate(QString::fromUtf8(c.sql)), QString::fromUtf8(c.expected))
            << "from: " << c.sql;
    }
}

TEST(SqlServerToSqlite, IsNullBecomesIfNullWhereverItIsCalled) {
    expectTranslations({
        {"SELECT ISNULL(Vj_Kilometro_Inicial,0) AS Km_Inicial FROM Viaje",
         "SELECT IFNULL(Vj_Kilometro_Inicial,0) AS Km_Inicial FROM Viaje"},
        {"SELECT isnull (a, isNull(b, 'x')) FROM t", "SELECT IFNULL (a, IFNULL(b, 'x')) FROM t"},
        {"SELECT a FROM t WHERE ISNULL(b, ')''(') = '' AND (ISNULL(c, 0) > 1)",
         "SELECT a FROM t WHERE IFNULL(b, ')''(') = '' AND (IFNULL(c, 0) > 1)"},
        // SQLite's own postfix ISNULL stays.
        {"SELECT a FROM t WHERE b ISNULL", "SELECT a FROM t WHERE b ISNULL"},
    });
}

TEST(SqlServerToSqlite, TopBecomesALimitAtTheEndOfItsOwnSelect) {
    expectTranslations({
        {"SELECT TOP 1 Vn_Folio FROM Venta WHERE Vn_Tabla = 'REMISION' AND    Vn_Documento = "
         "'R1' ",
         "SELECT Vn_Folio FROM Venta WHERE Vn_Tabla = 'REMISION' AND    Vn_Documento = 'R1' "
         "LIMIT 1 "},
        {"select distinct top 10 a from t order by a",
         "select distinct a from t order by a LIMIT 10"},
        {"SELECT TOP (5) a FROM t;", "SELECT a FROM t LIMIT (5);"},
        {"SELECT TOP 3 a FROM t -- the first three\n",
         "SELECT a FROM t LIMIT 3 -- the first three\n"},
        // The limit closes the subquery, inside its parentheses, whatever they hold.
        {"SELECT a FROM t WHERE b IN (SELECT TOP 2 c FROM u WHERE (d > (1)) ORDER BY c) ORDER BY a",
         "SELECT a FROM t WHERE b IN (SELECT c FROM u WHERE (d > (1)) ORDER BY c LIMIT 2) ORDER BY "
         "a"},
        {"SELECT TOP 1 a FROM t; SELECT TOP 2 b FROM u",
         "SELECT a FROM t LIMIT 1; SELECT b FROM u LIMIT 2"},
        // A limit cannot say these: left for SQLite to refuse rather than answer wrongly.
        {"SELECT TOP 10 PERCENT a FROM t", "SELECT TOP 10 PERCENT a FROM t"},
        {"SELECT TOP 1 a FROM t UNION SELECT b FROM u",
         "SELECT TOP 1 a FROM t UNION SELECT b FROM u"},
    });
}

TEST(SqlServerToSqlite, InsertFromAParenthesisedSelectLosesTheParentheses) {
    expectTranslations({
        {"INSERT  INTO Entrega_Documento (   Ed_Tabla ,   De_ID     )     ( SELECT    "
         "'ORDEN_ENTREGA' as Ed_Tabla ,   De_ID      From Entrega_Documento      WHERE     "
         "Ed_Documento = '0001'     )",
         "INSERT  INTO Entrega_Documento (   Ed_Tabla ,   De_ID     )      SELECT    "
         "'ORDEN_ENTREGA' as Ed_Tabla ,   De_ID      From Entrega_Documento      WHERE     "
         "Ed_Documento = '0001'     "},
        {"INSERT INTO t(a)(SELECT TOP 1 a FROM u)", "INSERT INTO t(a) SELECT a FROM u LIMIT 1"},
        {"INSERT INTO dbo.[t] (SELECT * FROM u);", "INSERT INTO dbo.[t] SELECT * FROM u;"},
    });
}

TEST(SqlServerToSqlite, EverythingElseComesBackByteForByte) {
    for (const char* sql : {
             // Literals, quoted names and comments that look like the forms above.
             "SELECT 'ISNULL(a, b)', 'it''s TOP 1 ( SELECT', N'CONVERT(VARCHAR, x, 108)' FROM t",
             "SELECT \"ISNULL\"(x), [TOP] FROM [SELECT TOP 1]",
             "SELECT a -- ISNULL(a, b) TOP 1\nFROM t /* CONVERT(VARCHAR, x, 108) ) */",
             // CONVERT to other types or styles is not ours to guess: SQLite will say so.
             "SELECT CONVERT(VARCHAR, f, 103), CONVERT(INT, f), CONVERT(CHAR(8), f, 108) FROM t",
             // Parenthesised SELECTs that are not the whole source of an insert.
             "INSERT INTO t (a) VALUES ((SELECT 1))",
             "INSERT INTO t (a) (SELECT 1) UNION (SELECT 2)",
             // Statements of the screens, and broken ones.
             "UPDATE Viaje SET    Vj_Kilometro_Inicial = '12.5' ,\r\n\tOper_Ult_Modif = 'ANA' "
             "WHERE Vj_Folio = '0000000001' ",
             "SELECT * FROM Orden_Entrega WHERE Oe_Folio = 'x' AND Es_Cve_Estado  IN ('RM','RMT') ",
             "INSERT INTO Embarque( Eb_Folio ,VALUES   ( '1' )",
             "SELECT ISNULL(a, b) FROM t WHERE (b = 1",
             "SELECT 'unterminated",
             "",
         }) {
        EXPECT_EQ(translate(QString::fromUtf8(sql)), QString::fromUtf8(sql));
    }
}

} // namespace
