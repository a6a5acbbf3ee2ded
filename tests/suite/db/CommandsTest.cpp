#include "suite/db/Commands.h"
#include "platform/ado/Providers.h"
#include "tests/support/PostgresServer.h"
#include "tests/support/PrintQString.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

// Runs one of the commands as its executable does, catching what it prints.
Outcome run(int (*command)(const QStringList&, QTextStream&, QTextStream&),
            const QStringList& args) {
    Outcome r;
    QTextStream o(&r.out), e(&r.err);
    r.status = command(args, o, e);
    o.flush();
    e.flush();
    return r;
}

const auto demoDb = [](const QStringList& args) { return run(suite::runDemoDbCommand, args); };
const auto sql = [](const QStringList& args) { return run(suite::runSqlCommand, args); };
const auto check = [](const QStringList& args) { return run(suite::runCheckCommand, args); };

// A refusal: status 1 and the reason on stderr, naming `named` and never a password.
void expectRefused(const Outcome& r, const QString& named) {
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(named)) << qPrintable(r.err);
    EXPECT_FALSE(r.err.contains("s3creto")) << qPrintable(r.err);
}

class DemoDbCommandTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file = dir.filePath("demo.db");
    QString files() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(' ');
    }
};

// A server keeps its database: the tool fills it, refuses to fill it twice unless told, and the
// other tools read it through the same connection string, its password never shown.
TEST(DemoDbOnAServer, FillsTheServerDatabaseThatCheckAndSqlThenRead) {
    QString why;
    ktest::PostgresServer* server = ktest::PostgresServer::instance(&why);
    if (!server)
        GTEST_SKIP() << why.toStdString();
    const QString connect = server->createDatabase({}, nullptr, nullptr) + ";Pwd=s3creto";
    const QStringList count{"--connect", connect, "SELECT COUNT(*) AS n FROM Viaje"};
    const Outcome r =
        demoDb({"--connect", connect, "--trips", "25", "--seed", "3", "--today", "2024-03-15"});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.out.contains("25 viajes")) << qPrintable(r.out);
    EXPECT_FALSE(r.out.contains("s3creto")) << qPrintable(r.out);
    EXPECT_EQ(sql(count).out, "n\n25\n");
    EXPECT_EQ(check({"--connect", connect}).status, 0);

    expectRefused(demoDb({"--connect", connect, "--trips", "3"}), "--force");
    ASSERT_EQ(demoDb({"--connect", connect, "--trips", "3", "--force"}).status, 0);
    EXPECT_EQ(sql(count).out, "n\n3\n");
}

// A file of the user's is replaced only with --force, a database in use not even then, and the
// scratch files of a run killed while it built (its process gone) are cleared.
TEST_F(DemoDbCommandTest, AnExistingFileIsReplacedOnlyWithForceAndNeverWhileInUse) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.write("datos del usuario");
    ASSERT_TRUE(f.flush());
    expectRefused(demoDb({file, "--trips", "5"}), "--force");
    ASSERT_TRUE(f.seek(0));
    EXPECT_EQ(f.readAll(), "datos del usuario");
    f.close();

    const Outcome made =
        demoDb({file, "--trips", "5", "--seed", "3", "--today", "2024-03-15", "--force"});
    ASSERT_EQ(made.status, 0) << qPrintable(made.err);
    EXPECT_TRUE(made.out.contains("5 viajes")) << qPrintable(made.out);
    const QStringList count{"--db", file, "SELECT COUNT(*) AS n FROM Viaje"};
    {
        std::unique_ptr<ado::Connection> enUso = ado::openSqlite(file);
        ASSERT_EQ(enUso->Execute("SELECT COUNT(*) FROM Viaje")->Fields(0).Value().toInt(), 5);
        expectRefused(demoDb({file, "--trips", "7", "--force"}), "abierta en otro programa");
        EXPECT_EQ(sql(count).out, "n\n5\n");
    }
    for (const char* resto : {".demo.db.999999999.part", ".demo.db.999999999.part-journal"})
        ASSERT_TRUE(QFile(dir.filePath(resto)).open(QIODevice::WriteOnly));
    ASSERT_EQ(demoDb({file, "--trips", "7", "--force"}).status, 0);
    EXPECT_EQ(sql(count).out, "n\n7\n");
    EXPECT_EQ(files(), "demo.db");
}

TEST_F(DemoDbCommandTest, CheckFindsDamagedPagesAndAMissingPieceOfTheSchema) {
    ASSERT_EQ(demoDb({file, "--trips", "200"}).status, 0);
    const Outcome sana = check({"--db", file});
    EXPECT_EQ(sana.status, 0) << qPrintable(sana.err);
    EXPECT_TRUE(sana.out.contains("buen estado")) << qPrintable(sana.out);
    EXPECT_EQ(check({"--connect", "Driver=SQLite3;Database=" + file}).status, 0);

    const std::pair<const char*, const char*> faltas[] = {
        {"ALTER TABLE Embarque DROP COLUMN Eb_Comentario", "Eb_Comentario"},
        {"DELETE FROM Consulta WHERE Cs_Nombre = 'Viajes'", "Viajes"},
    };
    for (const auto& [cambio, nombre] : faltas) {
        SCOPED_TRACE(cambio);
        const QString copia = dir.filePath("copia.db");
        QFile::remove(copia);
        ASSERT_TRUE(QFile::copy(file, copia));
        ASSERT_EQ(sql({"--db", copia, cambio}).status, 0);
        expectRefused(check({"--db", copia}), nombre);
    }

    // Garbage in the middle of the file, where the data pages lie.
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(f.size() / 2 / 4096 * 4096 + 8));
    f.write(QByteArray(2000, '\xAB'));
    f.close();
    const Outcome danada = check({"--db", file});
    EXPECT_EQ(danada.status, 1);
    EXPECT_FALSE(danada.err.isEmpty());
    EXPECT_EQ(check({"--db", dir.filePath("no-existe.db")}).status, 1);
}

TEST_F(DemoDbCommandTest, BadArgumentsSayWhatIsWrongAndWriteNothing) {
    const QStringList cases[] = {{},
                                 {file, "--trips"},
                                 {file, "--trips", "muchos"},
                                 {file, "--trips", "-4"},
                                 {file, "--seed", "x"},
                                 {file, "--today", "2024-13-01"},
                                 {file, "--colores"},
                                 {file, dir.filePath("otro.db")},
                                 {dir.filePath("no/existe/demo.db")}};
    for (const QStringList& args : cases) {
        SCOPED_TRACE(qPrintable(args.join(' ')));
        const Outcome r = demoDb(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_EQ(files(), "");
    EXPECT_EQ(demoDb({"--help"}).status, 0);
}

class SqlCommandTest : public ::testing::Test {
protected:
    ktest::TestDatabase db;
    Outcome sqlOn(const QString& statement) { return sql({"--db", db.path(), statement}); }
};

TEST_F(SqlCommandTest, QueriesPrintTheirRowsAndOtherStatementsTheRowsChanged) {
    const Outcome r = sqlOn("SELECT Pa_Nombre, Pa_Valor FROM Parametro WHERE Pa_Nombre LIKE "
                            "'FTO_%' ORDER BY Pa_Nombre");
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, "Pa_Nombre\tPa_Valor\n"
                     "FTO_CHOFER\t0000\n"
                     "FTO_SUCURSAL\t0000\n"
                     "FTO_TIPO_VEHICULO\t0000\n"
                     "FTO_VEHICULO\t0000000000\n");

    // SQL Server's forms are translated; a value's own tabs, breaks and quotes survive.
    db.exec("INSERT INTO Chofer (Ch_Cve_Chofer, Ch_Descripcion, Ch_Licencia, Es_Cve_Estado) "
            "VALUES ('0001', 'Ana O''Neil' || char(9) || 'x' || char(10) || 'y', NULL, 'AC')");
    EXPECT_EQ(sqlOn("SELECT TOP 1 Ch_Descripcion, ISNULL(Ch_Licencia, 'sin') AS L, Ch_Licencia "
                    "FROM Chofer")
                  .out,
              "Ch_Descripcion\tL\tCh_Licencia\nAna O'Neil\\tx\\ny\tsin\tNULL\n");
    const Outcome none = sqlOn("SELECT * FROM Viaje");
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "");

    // A query takes no write lock: it reads the committed rows while another operator writes.
    std::unique_ptr<ado::Connection> other = db.open();
    other->BeginTrans();
    other->Execute("UPDATE Parametro SET Pa_Valor = '1' WHERE Pa_Nombre = 'FTO_CHOFER'");
    EXPECT_EQ(sqlOn("SELECT Pa_Valor FROM Parametro WHERE Pa_Nombre = 'FTO_CHOFER'").out,
              "Pa_Valor\n0000\n");
    other->RollbackTrans();

    // Other statements print the rows they changed.
    const Outcome r2 = sqlOn("UPDATE Parametro SET Pa_Valor = '30' WHERE Pa_Nombre LIKE 'FTO_%'");
    EXPECT_EQ(r2.out, "Filas afectadas: 4\n") << qPrintable(r2.err);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Parametro WHERE Pa_Valor = '30'").toInt(), 4);
}

TEST_F(SqlCommandTest, FailuresGoToStderrWithStatusOneAndWriteNothing) {
    // The second row breaks the key: the first must not stay.
    const Outcome r = sqlOn("INSERT INTO Estado (Es_Cve_Estado) SELECT 'X1' UNION ALL SELECT 'X1'");
    expectRefused(r, "UNIQUE");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Estado WHERE Es_Cve_Estado = 'X1'").toInt(), 0);

    const QString missing = db.path() + ".no";
    const std::pair<QStringList, QString> cases[] = {
        {{"--db", missing, "SELECT 1"}, missing},
        {{"--db", db.path(), "SELECT * FROM NoHay"}, "NoHay"},
        {{"--connect", "Driver=NoHayDriver;Database=x;PWD=s3creto", "SELECT 1"}, "NoHayDriver"},
        {{"SELECT 1"}, "--db"},
        {{"--db", db.path(), "--connect", "Driver=SQLite3", "SELECT 1"}, "--db"},
        {{"--db", db.path()}, "sentencia"},
        {{"--db", db.path(), "SELECT 1", "SELECT 2"}, "SELECT 2"},
    };
    for (const auto& [args, named] : cases) {
        SCOPED_TRACE(qPrintable(args.join(' ')));
        expectRefused(sql(args), named);
    }
    EXPECT_EQ(sql({"--help"}).status, 0);
}

} // namespace
