#include "platform/ado/Errors.h"
#include "platform/ado/Providers.h"
#include "platform/ado/SqlText.h"

#include "tests/support/Checks.h"
#include "tests/support/PrintQString.h"
#include "tests/support/TraceFile.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Data-changing statements built as text run from prepared statements with their quoted values
// bound. What they store, change and report must be what the text written out gives: that is
// run on a second, plain Qt connection to the same file.
class StatementCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_connection = ado::openSqlite(path(), true);
        for (const char* table : {"Ligado", "Escrito"}) {
            run(QStringLiteral("CREATE TABLE %1 (Clave TEXT PRIMARY KEY, Texto TEXT, Numero "
                               "NUMERIC, Entero INTEGER, Real REAL, Nada, Fecha DATETIME)")
                    .arg(QLatin1String(table)));
        }
        m_written = QSqlDatabase::addDatabase("QSQLITE", "escrito");
        m_written.setDatabaseName(path());
        ASSERT_TRUE(m_written.open()) << qPrintable(m_written.lastError().text());
    }
    void TearDown() override {
        m_written.close();
        m_written = QSqlDatabase();
        QSqlDatabase::removeDatabase("escrito");
    }

    QString path() const { return m_dir.filePath("kt.db"); }
    // The first value of a query's first row, as text.
    QString first(const QString& sql) {
        return m_connection->Execute(sql)->Fields(0).Value().toString();
    }

    // The rows a statement changed; one that fails fails the test with the database's message.
    long run(const QString& sql, ado::Connection* on = nullptr) {
        long affected = -1;
        (on ? on : m_connection.get())->Execute(sql, &affected);
        return affected;
    }

    // Runs `sql` with {T} as Ligado through the connection and as Escrito written out; both
    // must change as many rows.
    void both(const QString& sql) {
        const long bound = run(QString(sql).replace(QLatin1String("{T}"), QLatin1String("Ligado")));
        QSqlQuery query(m_written);
        ASSERT_TRUE(
            query.exec(QString(sql).replace(QLatin1String("{T}"), QLatin1String("Escrito"))))
            << qPrintable(query.lastError().text());
        EXPECT_EQ(bound, query.numRowsAffected()) << qPrintable(sql);
    }

    // Every row of a table, each value as its storage class and SQL literal.
    QStringList contents(const char* table) {
        QStringList rows, cells{"Clave"};
        for (const char* column : {"Texto", "Numero", "Entero", "Real", "Nada", "Fecha"})
            cells << QString("typeof(%1) || quote(%1)").arg(QLatin1String(column));
        auto rs = m_connection->Execute(QString("SELECT %1 FROM %2 ORDER BY Clave")
                                            .arg(cells.join(" || ' ' || "), QLatin1String(table)));
        for (; !rs->Eof(); rs->MoveNext())
            rows << rs->Fields(0).Value().toString();
        return rows;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ado::Connection> m_connection;
    QSqlDatabase m_written;
};

TEST_F(StatementCacheTest, ValuesAreStoredComparedAndCountedAsTheTextWrittenOutGives) {
    const QStringList values = QStringLiteral("12.5|12|12,5||O'Brien|ñandú €| 7 |1e3|0x10|-0|+5|"
                                              "12.50|007|9223372036854775808|2024-03-05 10:20:30")
                                   .split(QLatin1Char('|'));
    for (int k = 0; k < values.size(); ++k) {
        const QString v = ado::sqlText(values[k]);
        both(QStringLiteral("INSERT INTO {T} (Clave, Texto, Numero, Entero, Real, Nada, Fecha) "
                            "VALUES ('%1', '%2', '%2', '%2', '%2', '%2', '%2')")
                 .arg(QString::number(k).rightJustified(2, QLatin1Char('0')), v));
    }
    both("INSERT INTO {T} (Clave, Texto, Numero) VALUES ('nulo', NULL, NULL)");
    both("INSERT INTO {T} (Clave, Nada) VALUES ('blob', X'41')");
    // Quotes inside comments and quoted names are no literals.
    both("INSERT INTO {T} (\"Clave\", [Texto]) VALUES ('c1', 'a -- b') -- it's a comment");
    both("INSERT /* don't */ INTO {T} (`Clave`, Texto) VALUES ('c2', '/* x */');");
    both("UPDATE {T} SET Texto = Texto || '''' WHERE Clave = 'c2' -- it's the end\n");
    both("INSERT INTO {T} (Clave, Texto) VALUES ('c3', 'it''s') /* to the end, unclosed");
    // Comparisons take the column's affinity on both paths.
    both("UPDATE {T} SET Texto = 'doce' WHERE Numero = '12.0'");
    both("UPDATE {T} SET Real = '1' WHERE Entero IN ('7', '5', '1000')");
    both("DELETE FROM {T} WHERE Texto LIKE 'ñ%' OR Fecha = '2024-03-05 10:20:30'");
    both("UPDATE {T} SET Nada = 'x' WHERE Clave = 'nada'");

    const QStringList bound = contents("Ligado");
    EXPECT_EQ(bound, contents("Escrito"));
    // The comparison above is only as good as what it compares.
    EXPECT_TRUE(bound.contains("00 text'12.5' real12.5 real12.5 real12.5 text'12.5' real12.5"));
    EXPECT_TRUE(bound.contains("03 text'' text'' text'' text'' text'' text''"));
    EXPECT_TRUE(bound.contains("blob nullNULL nullNULL nullNULL nullNULL blobX'41' nullNULL"));
}

// More shapes than the cache keeps, each coming back after others pushed it out.
TEST_F(StatementCacheTest, ManyShapesInTurnEachKeepTheirOwnValues) {
    m_connection->BeginTrans();
    for (int round = 0; round < 3; ++round) {
        for (int shape = 0; shape < 40; ++shape) {
            run(QStringLiteral("INSERT INTO Ligado (Clave, Texto, Entero) VALUES ('%1-%2', "
                               "'vuelta %1', %2)")
                    .arg(round)
                    .arg(shape));
        }
    }
    for (int shape = 0; shape < 40; ++shape) {
        EXPECT_EQ(run(QStringLiteral("UPDATE Ligado SET Numero = Entero * %1 WHERE Texto <> "
                                     "'vuelta 1'  AND Entero = %1")
                          .arg(shape)),
                  2);
    }
    m_connection->CommitTrans();
    EXPECT_EQ(first("SELECT COUNT(*) || ' ' || SUM(Clave = substr(Texto, 8) || '-' || Entero) || "
                    "' ' || SUM(Numero) FROM Ligado"),
              "120 120 41080"); // 2 × Σ k² for k < 40
}

// SQL Server forms are rewritten with the values in place, wherever the rewriting puts them.
TEST_F(StatementCacheTest, TranslatedStatementsBindTheirValuesWhereTheTranslationPutsThem) {
    run("INSERT INTO Ligado (Clave) VALUES ('a')");
    for (const char* time : {"08:09:10", "21:22:23"}) {
        run(QStringLiteral("UPDATE Ligado SET Texto = CONVERT(VARCHAR(5), ISNULL(Fecha, "
                           "'2024-01-01 %1'), 108) WHERE Clave = 'a'")
                .arg(QLatin1String(time)));
        EXPECT_EQ(first("SELECT Texto FROM Ligado"), QLatin1String(time).left(5));
    }
}

TEST_F(StatementCacheTest, FaultyStatementsGiveTheirOwnMessageAndTheRestRunsAsWritten) {
    run("INSERT INTO Ligado (Clave, Texto) VALUES ('O''Brien', 'x')");
    const QString duplicate = "INSERT INTO Ligado (Clave, Texto) VALUES ('O''Brien', 'y')";
    const com::RuntimeError unique = ktest::errorOf([&] { m_connection->Execute(duplicate); });
    EXPECT_EQ(unique.number(), ado::error::commandFailed);
    EXPECT_EQ(unique.description(),
              "UNIQUE constraint failed: Ligado.Clave\nSentencia: " + duplicate);

    // A syntax error names the literal the caller wrote, not a mark of ours.
    const com::RuntimeError syntax = ktest::errorOf(
        [&] { m_connection->Execute("INSERT INTO Ligado (Clave, Texto) VALUES ('a' 'b')"); });
    EXPECT_TRUE(syntax.description().startsWith("near \"'b'\": syntax error"))
        << qPrintable(syntax.description());

    // Strings where SQLite takes a name, a parameter of the caller's own, RETURNING.
    EXPECT_EQ(run("INSERT INTO 'Ligado' ('Clave', 'Texto') VALUES ('n', 'nombre')"), 1);
    EXPECT_EQ(run("INSERT INTO Ligado (Clave, Texto) VALUES ('p', ?)"), 1);
    auto returning =
        m_connection->Execute("INSERT INTO Ligado (Clave) VALUES ('r') RETURNING Clave || '!'");
    ASSERT_FALSE(returning->Eof());
    EXPECT_EQ(returning->Fields(0).Value().toString(), "r!");
    EXPECT_EQ(first("SELECT group_concat(Clave || '=' || IFNULL(Texto, 'NULL'), ' ') FROM "
                    "(SELECT * FROM Ligado ORDER BY Clave)"),
              "O'Brien=x n=nombre p=NULL r=NULL");
}

TEST_F(StatementCacheTest, AFailureInsideATransactionLeavesItToRollBackOrCommit) {
    for (bool commit : {false, true}) {
        m_connection->BeginTrans();
        run("INSERT INTO Ligado (Clave) VALUES ('a')");
        EXPECT_THROW(m_connection->Execute("INSERT INTO Ligado (Clave) VALUES ('a')"),
                     com::RuntimeError);
        run("INSERT INTO Ligado (Clave) VALUES ('b')");
        ASSERT_TRUE(m_connection->inTransaction());
        commit ? m_connection->CommitTrans() : m_connection->RollbackTrans();
        EXPECT_EQ(contents("Ligado").size(), commit ? 2 : 0);
    }
}

TEST_F(StatementCacheTest, AShapeFollowsItsTableThroughASchemaChange) {
    const QString insert = "INSERT INTO Cambia (A, B) VALUES ('1', '2')";
    run("CREATE TABLE Cambia (A TEXT, B NUMERIC)");
    run(insert);
    run("DROP TABLE Cambia");
    run("CREATE TABLE Cambia (B TEXT, A NUMERIC)");
    run(insert);
    EXPECT_EQ(first("SELECT typeof(A) || typeof(B) FROM Cambia"), "integertext");
}

// Qt closes the file only once no statement of the connection is left: in WAL mode the last
// connection to close removes the log.
TEST_F(StatementCacheTest, ClosingTheConnectionLetsTheFileGo) {
    const QString file = m_dir.filePath("solo.db");
    auto alone = ado::openSqlite(file, true);
    run("CREATE TABLE Solo (Clave TEXT)", alone.get());
    run("INSERT INTO Solo VALUES ('1')", alone.get());
    run("UPDATE Solo SET Clave = '2' WHERE Clave = '1'", alone.get());
    ASSERT_TRUE(QFile::exists(file + "-wal"));
    alone.reset();
    EXPECT_FALSE(QFile::exists(file + "-wal"));
}

// Every statement is one line of the trace: as written, as executed, with its time, the
// database's message or null, and how the statement cache met a write ("prepared", "hit", or
// "bypassed" with why: a write the cache cannot prepare still runs, parsed anew each time).
TEST_F(StatementCacheTest, TheTraceSaysWhatRanAndHowTheCacheMetIt) {
    run("CREATE TABLE Venta (Vn_Folio TEXT, Vn_Importe REAL)");
    const QString trace = m_dir.filePath("sql.jsonl");
    qputenv("KESTROVA_SQL_TRACE", QFile::encodeName(trace));
    const QString insert = "INSERT INTO Venta VALUES ('%1', 1)";
    run(insert.arg(QLatin1Char('a')));
    run(insert.arg(QLatin1Char('b')));
    run("INSERT INTO 'Venta' ('Vn_Folio') VALUES ('c')");
    m_connection->Execute("INSERT INTO Venta VALUES ('d', 2) RETURNING 1");
    EXPECT_THROW(m_connection->Execute(insert.arg("e', 'f")), com::RuntimeError);
    m_connection->BeginTrans();
    run(insert.arg("it''s"));
    m_connection->Execute("SELECT TOP 1 ISNULL(Vn_Importe, 0) FROM Venta");
    EXPECT_THROW(m_connection->Execute("SELECT Vn_Nada FROM Venta"), com::RuntimeError);
    m_connection->RollbackTrans();
    qunsetenv("KESTROVA_SQL_TRACE");

    // A statement executed as written shows once.
    QStringList seen;
    for (const ktest::TraceLine& line : ktest::takeTraceLines(trace)) {
        EXPECT_GE(line.ms, 0.0);
        seen << line.sql + (line.executed == line.sql ? QString() : " -> " + line.executed) +
                    (line.error.isEmpty() ? QString() : " ! " + line.error) + " [" + line.cache +
                    "|" + line.why + "]";
    }
    const QString bypassed = " [bypassed|SQLite does not prepare the shape: ";
    EXPECT_EQ(seen,
              (QStringList{
                  insert.arg("a") + " [prepared|]", insert.arg("b") + " [hit|]",
                  "INSERT INTO 'Venta' ('Vn_Folio') VALUES ('c')" + bypassed +
                      "near \"?1\": syntax error]",
                  "INSERT INTO Venta VALUES ('d', 2) RETURNING 1 [bypassed|the statement "
                  "gives rows]",
                  insert.arg("e', 'f") + " ! table Venta has 2 columns but 3 values were supplied" +
                      bypassed + "table Venta has 2 columns but 3 values were supplied]",
                  "BEGIN TRANSACTION -> BEGIN IMMEDIATE [|]", insert.arg("it''s") + " [hit|]",
                  "SELECT TOP 1 ISNULL(Vn_Importe, 0) FROM Venta -> SELECT IFNULL(Vn_Importe, "
                  "0) FROM Venta LIMIT 1 [|]",
                  "SELECT Vn_Nada FROM Venta ! no such column: Vn_Nada [|]",
                  "ROLLBACK TRANSACTION -> ROLLBACK [|]"}));
}

} // namespace
