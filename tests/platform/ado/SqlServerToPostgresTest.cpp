#include "platform/ado/SqlServerToPostgres.h"

#include "tests/support/PrintQString.h"

#include <gtest/gtest.h>

namespace {

void expectTranslations(std::initializer_list<std::pair<const char*, const char*>> cases) {
    for (const auto& [sql, expected] : cases) {
        EXPECT_EQ(ado::SqlServerToPostgres::translate(QString::fromUtf8(sql)),
                  QString::fromUtf8(expected))
            << "from: " << sql;
    }
}

// The same reading of the text as for SQLite, with PostgreSQL's words; what SQLite's
// translation already shows (literals, comments, TOP inside subqueries) is not repeated here.
TEST(SqlServerToPostgres, TheScreensFormsInPostgresqlsWords) {
    expectTranslations({
        {"SELECT ISNULL(Vj_Kilometro_Inicial,0) AS Km_Inicial FROM Viaje",
         "SELECT COALESCE(Vj_Kilometro_Inicial,0) AS Km_Inicial FROM Viaje"},
        // An empty text stands for a date only on SQL Server: the value is read as text.
        {"SELECT ISNULL(Vj_Fecha_Inicio_Viaje,  '') AS Fecha_Inicio FROM Viaje",
         "SELECT COALESCE(CAST(Vj_Fecha_Inicio_Viaje AS VARCHAR),  '') AS Fecha_Inicio FROM "
         "Viaje"},
        {"SELECT isnull (a, isNull(b, 'x')) FROM t",
         "SELECT COALESCE (a, COALESCE(b, 'x')) FROM t"},
        {"SELECT CONVERT(VARCHAR, ISNULL(Vj_Fecha_Fin_Viaje,  ''), 108) AS Hora FROM Viaje",
         "SELECT COALESCE(to_char(CAST(NULLIF(CAST( COALESCE(CAST(Vj_Fecha_Fin_Viaje AS VARCHAR),  "
         "'') AS VARCHAR), '') AS TIMESTAMP), 'HH24:MI:SS'), CASE WHEN "
         "CAST( COALESCE(CAST(Vj_Fecha_Fin_Viaje AS VARCHAR),  '') AS VARCHAR) = '' THEN "
         "'00:00:00' END) AS Hora FROM Viaje"},
        {"SELECT CONVERT(VARCHAR(5), f, 108) FROM t",
         "SELECT substr(COALESCE(to_char(CAST(NULLIF(CAST( f AS VARCHAR), '') AS TIMESTAMP), "
         "'HH24:MI:SS'), CASE WHEN CAST( f AS VARCHAR) = '' THEN '00:00:00' END), 1, 5) FROM t"},
        {"SELECT TOP 1 Vn_Folio FROM Venta WHERE Vn_Documento = 'R1' ",
         "SELECT Vn_Folio FROM Venta WHERE Vn_Documento = 'R1' LIMIT 1 "},
        {"INSERT INTO t(a)(SELECT TOP 1 a FROM u)", "INSERT INTO t(a) SELECT a FROM u LIMIT 1"},
        {"SELECT 'ISNULL(a, '''')' FROM t WHERE b ISNULL",
         "SELECT 'ISNULL(a, '''')' FROM t WHERE b ISNULL"},
    });
}

} // namespace
