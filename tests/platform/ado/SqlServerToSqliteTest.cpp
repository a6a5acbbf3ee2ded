#include "platform/ado/SqlServerToSqlite.h"

#include "PrintQString.h"

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

const char* const time108 = "COALESCE(strftime('%H:%M:%S', %1), CASE WHEN (%1) = '' THEN "
                            "'00:00:00' END)";

TEST(SqlServerToSqlite, IsNullBecomesIfNullWhereverItIsCalled) {
    expectTranslations({
        {"SELECT ISNULL(Vj_Kilometro_Inicial,0) AS Km_Inicial FROM Viaje",
         "SELECT IFNULL(Vj_Kilometro_Inicial,0) AS Km_Inicial FROM Viaje"},
        {"SELECT isnull (a, isNull(b, 'x')) FROM t", "SELECT IFNULL (a, IFNULL(b, 'x')) FROM t"},
        {"SELECT a FROM t WHERE ISNULL(b, '') = '' AND (ISNULL(c, 0) > 1)",
         "SELECT a FROM t WHERE IFNULL(b, '') = '' AND (IFNULL(c, 0) > 1)"},
        // SQLite's own postfix ISNULL, and a column that happens to bear the name, stay.
        {"SELECT a FROM t WHERE b ISNULL", "SELECT a FROM t WHERE b ISNULL"},
    });
}

TEST(SqlServerToSqlite, Convert108BecomesTheTimeOfDayOfItsArgument) {
    const QString inner = QStringLiteral(" IFNULL(Vj_Fecha_Inicio_Viaje,  '')");
    EXPECT_EQ(translate(QStringLiteral(
                  "SELECT    CONVERT(VARCHAR, ISNULL(Vj_Fecha_Inicio_Viaje,  ''), 108) AS Hora")),
              QStringLiteral("SELECT    ") + QString::fromUtf8(time108).arg(inner) +
                  QStringLiteral(" AS Hora"));
    EXPECT_EQ(translate(QStringLiteral("SELECT convert( varchar(5) , f , 108 ) FROM t")),
              QStringLiteral("SELECT substr(%1, 1, 5) FROM t")
                  .arg(QString::fromUtf8(time108).arg(QStringLiteral(" f "))));
    // Other styles and target types are not ours to guess: they stay, and SQLite says so.
    expectTranslations({
        {"SELECT CONVERT(VARCHAR, f, 103) FROM t", "SELECT CONVERT(VARCHAR, f, 103) FROM t"},
        {"SELECT CONVERT(INT, f) FROM t", "SELECT CONVERT(INT, f) FROM t"},
        {"SELECT CONVERT(CHAR(8), f, 108) FROM t", "SELECT CONVERT(CHAR(8), f, 108) FROM t"},
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
    const QString folio = QStringLiteral("0000000123");
    const QString copy = QStringLiteral("INSERT  INTO Entrega_Documento (     Ed_Tabla ,         "
                                        "Ed_Documento ,         De_ID ,         De_Tabla ,         "
                                        "De_Documento     )     ( SELECT    'ORDEN_ENTREGA' as "
                                        "Ed_Tabla ,              '") +
                         folio +
                         QStringLiteral("' AS Ed_Documento ,                De_ID ,                "
                                        "De_Tabla ,                De_Documento      From "
                                        "Entrega_Documento      WHERE     Ed_Tabla = "
                                        "'ORDEN_ENTREGA'                AND Ed_Documento = '0001' "
                                        "    )");
    QString expected = copy;
    expected.remove(copy.indexOf(QLatin1String("( SELECT")), 1);
    expected.chop(1);
    EXPECT_EQ(translate(copy), expected);

    expectTranslations({
        {"INSERT INTO t(a)(SELECT TOP 1 a FROM u)", "INSERT INTO t(a) SELECT a FROM u LIMIT 1"},
        {"INSERT INTO dbo.[t] (SELECT * FROM u);", "INSERT INTO dbo.[t] SELECT * FROM u;"},
        // Not a parenthesised SELECT standing alone: nothing to drop.
        {"INSERT INTO t (a) VALUES ((SELECT 1))", "INSERT INTO t (a) VALUES ((SELECT 1))"},
        {"INSERT INTO t (a) (SELECT 1) UNION (SELECT 2)",
         "INSERT INTO t (a) (SELECT 1) UNION (SELECT 2)"},
    });
}

TEST(SqlServerToSqlite, LiteralsQuotedNamesAndCommentsAreNeverTouched) {
    expectTranslations({
        {"SELECT 'ISNULL(a, b)', 'it''s TOP 1 ( SELECT', N'CONVERT(VARCHAR, x, 108)' FROM t",
         "SELECT 'ISNULL(a, b)', 'it''s TOP 1 ( SELECT', N'CONVERT(VARCHAR, x, 108)' FROM t"},
        {"SELECT \"ISNULL\"(x), [TOP] FROM [SELECT TOP 1]",
         "SELECT \"ISNULL\"(x), [TOP] FROM [SELECT TOP 1]"},
        {"SELECT a -- ISNULL(a, b) TOP 1\nFROM t /* CONVERT(VARCHAR, x, 108) ) */",
         "SELECT a -- ISNULL(a, b) TOP 1\nFROM t /* CONVERT(VARCHAR, x, 108) ) */"},
        // A quote or a parenthesis inside a literal does not upset what follows it.
        {"SELECT ISNULL(a, ')''(') FROM t WHERE b = 'O''Brien'",
         "SELECT IFNULL(a, ')''(') FROM t WHERE b = 'O''Brien'"},
    });
}

TEST(SqlServerToSqlite, EveryOtherStatementComesBackByteForByte) {
    for (const char* sql : {
             "UPDATE Viaje SET    Vj_Kilometro_Inicial = '12.5' ,\r\n\tOper_Ult_Modif = 'ANA' "
             "WHERE Vj_Folio = '0000000001' ",
             "SELECT  Tv_Descripcion FROM   Tipo_Vehiculo WHERE Tv_Cve_Tipo_Vehiculo = '0001' AND "
             "Es_Cve_Estado <> 'BA'",
             "SELECT * FROM Orden_Entrega WHERE Oe_Folio = 'x' AND Es_Cve_Estado  IN ('RM','RMT') ",
             "INSERT INTO Embarque( Eb_Folio ,VALUES   ( '1' )",
             "SELECT a FROM t WHERE (b = 1",
             "SELECT 'unterminated",
             "",
             "   ",
         }) {
        const QString text = QString::fromUtf8(sql);
        const QString result = translate(text);
        EXPECT_EQ(result, text);
        EXPECT_EQ(result.toUtf8(), text.toUtf8());
    }
}

} // namespace
