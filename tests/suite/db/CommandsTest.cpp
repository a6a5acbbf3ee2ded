#include "suite/db/Commands.h"
#include "platform/ado/Providers.h"
#include "tests/support/PostgresServer.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs one of the commands as its executable does, catching what it prints.
Outcome run(int (*command)(const QStringList&, QTextStream&, QTextStream&),
            const QStringList& args) {
    QString out, err;
    QTextStream o(&out), e(&err);
    Outcome r;
    r.status = command(args, o, e);
    o.flush();
    e.flush();
    r.out = out.toStdString();
    r.err = err.toStdString();
    return r;
}

const auto demoDb = [](const QStringList& args) { return run(suite::runDemoDbCommand, args); };
const auto sql = [](const QStringList& args) { return run(suite::runSqlCommand, args); };
const auto check = [](const QStringList& args) { return run(suite::runCheckCommand, args); };

class DemoDbCommandTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file = dir.filePath("demo.db");
};

// A server keeps its database: the tool fills it, refuses to fill it twice unless told, and the
// other tools read it through the same connection string, its password never shown.
TEST(DemoDbOnAServer, FillsTheServerDatabaseThatCheckAndSqlThenRead) {
    QString why;
    ktest::PostgresServer* server = ktest::PostgresServer::instance(&why);
    if (!server)
        GTEST_SKIP() << why.toStdString();
    const QString connect = server->createDatabase({}, nullptr, nullptr) + ";Pwd=s3creto";
    Outcome r =
        demoDb({"--connect", connect, "--trips", "25", "--seed", "3", "--today", "2024-03-15"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("25 viajes"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("s3creto"), std::string::npos) << r.out;
    EXPECT_EQ(sql({"--connect", connect, "SELECT COUNT(*) AS n FROM Viaje"}).out, "n\n25\n");
    r = check({"--connect", connect});
    EXPECT_EQ(r.status, 0) << r.err;

    r = demoDb({"--connect", connect, "--trips", "3"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("--force"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("s3creto"), std::string::npos) << r.err;
    ASSERT_EQ(demoDb({"--connect", connect, "--trips", "3", "--force"}).status, 0);
    EXPECT_EQ(sql({"--connect", connect, "SELECT COUNT(*) AS n FROM Viaje"}).out, "n\n3\n");
}

TEST_F(DemoDbCommandTest, AnExistingFileIsReplacedOnlyWithForce) {
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("datos del usuario");
    }
    const Outcome refused = demoDb({file, "--trips", "5"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), "datos del usuario");
    f.close();

    ASSERT_EQ(demoDb({file, "--trips", "5", "--force"}).status, 0);
    EXPECT_EQ(sql({"--db", file, "SELECT COUNT(*) AS n FROM Viaje"}).out, "n\n5\n");
}

TEST_F(DemoDbCommandTest, ADatabaseInUseIsNotReplacedAndScratchOfDeadRunsIsCleared) {
    const Outcome made = demoDb({file, "--trips", "5", "--seed", "3", "--today", "2024-03-15"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.out.find("5 viajes"), std::string::npos) << made.out;
    {
        std::unique_ptr<ado::Connection> enUso = ado::openSqlite(file);
        const auto viajes = [&] {
            return enUso->Execute("SELECT COUNT(*) FROM Viaje")->Fields(0).Value();
        };
        ASSERT_EQ(viajes(), QVariant(qlonglong(5)));
        const Outcome refused = demoDb({file, "--trips", "7", "--force"});
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.err.find("abierta en otro programa"), std::string::npos) << refused.err;
        EXPECT_EQ(viajes(), QVariant(qlonglong(5)));
    }
    // A run killed while it built (its process gone) left its scratch file behind.
    for (const char* resto : {".demo.db.999999999.part", ".demo.db.999999999.part-journal"}) {
        QFile f(dir.filePath(resto));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_EQ(demoDb({file, "--trips", "7", "--force"}).status, 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString(),
              "demo.db");
}

TEST_F(DemoDbCommandTest, CheckFindsDamagedPagesAndAMissingPieceOfTheSchema) {
    ASSERT_EQ(demoDb({file, "--trips", "200"}).status, 0);
    const Outcome sana = check({"--db", file});
    EXPECT_EQ(sana.status, 0) << sana.err;
    EXPECT_NE(sana.out.find("buen estado"), std::string::npos) << sana.out;
    const Outcome odbc = check({"--connect", "Driver=SQLite3;Database=" + file});
    EXPECT_EQ(odbc.status, 0) << odbc.err;

    const std::pair<const char*, const char*> faltas[] = {
        {"ALTER TABLE Embarque DROP COLUMN Eb_Comentario", "Eb_Comentario"},
        {"DELETE FROM Consulta WHERE Cs_Nombre = 'Viajes'", "Viajes"},
    };
    for (const auto& [cambio, nombre] : faltas) {
        const QString copia = dir.filePath("copia.db");
        QFile::remove(copia);
        ASSERT_TRUE(QFile::copy(file, copia));
        ASSERT_EQ(sql({"--db", copia, cambio}).status, 0) << cambio;
        const Outcome r = check({"--db", copia});
        EXPECT_EQ(r.status, 1) << cambio;
        EXPECT_NE(r.err.find(nombre), std::string::npos) << r.err;
    }

    // Garbage in the middle of the file, where the data pages lie.
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek(f.size() / 2 / 4096 * 4096 + 8));
        f.write(QByteArray(2000, '\xAB'));
    }
    const Outcome danada = check({"--db", file});
    EXPECT_EQ(danada.status, 1);
    EXPECT_FALSE(danada.err.empty());
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
        const Outcome r = demoDb(args);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.empty()) << args.join(' ').toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(demoDb({"--help"}).status, 0);
}

class SqlCommandTest : public ::testing::Test {
protected:
    ktest::TestDatabase db;
};

TEST_F(SqlCommandTest, QueriesPrintTheirRowsAndOtherStatementsTheRowsChanged) {
    const Outcome r = sql({"--db", db.path(),
                           "SELECT Pa_Nombre, Pa_Valor FROM Parametro WHERE Pa_Nombre LIKE 'FTO_%' "
                           "ORDER BY Pa_Nombre"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Pa_Nombre\tPa_Valor\n"
                     "FTO_CHOFER\t0000\n"
                     "FTO_SUCURSAL\t0000\n"
                     "FTO_TIPO_VEHICULO\t0000\n"
                     "FTO_VEHICULO\t0000000000\n");

    // SQL Server's forms are translated; a value's own tabs, breaks and quotes survive.
    db.exec("INSERT INTO Chofer (Ch_Cve_Chofer, Ch_Descripcion, Ch_Licencia, Es_Cve_Estado) "
            "VALUES ('0001', 'Ana O''Neil' || char(9) || 'x' || char(10) || 'y', NULL, 'AC')");
    EXPECT_EQ(sql({"--db", db.path(),
                   "SELECT TOP 1 Ch_Descripcion, ISNULL(Ch_Licencia, 'sin') AS L, Ch_Licencia "
                   "FROM Chofer"})
                  .out,
              "Ch_Descripcion\tL\tCh_Licencia\nAna O'Neil\\tx\\ny\tsin\tNULL\n");

    const Outcome none = sql({"--db", db.path(), "SELECT * FROM Viaje"});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "");

    // A query takes no write lock: it reads the committed rows while another operator writes.
    std::unique_ptr<ado::Connection> other = db.open();
    other->BeginTrans();
    other->Execute("UPDATE Parametro SET Pa_Valor = '1' WHERE Pa_Nombre = 'FTO_CHOFER'");
    const QString read = "SELECT Pa_Valor FROM Parametro WHERE Pa_Nombre = 'FTO_CHOFER'";
    EXPECT_EQ(sql({"--db", db.path(), read}).out, "Pa_Valor\n0000\n");
    other->RollbackTrans();

    // Other statements print the rows they changed.
    const Outcome r2 = sql(
        {"--db", db.path(), "UPDATE Parametro SET Pa_Valor = '30' WHERE Pa_Nombre LIKE 'FTO_%'"});
    EXPECT_EQ(r2.out, "Filas afectadas: 4\n") << r2.err;
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Parametro WHERE Pa_Valor = '30'").toInt(), 4);
}

TEST_F(SqlCommandTest, FailuresGoToStderrWithStatusOneAndWriteNothing) {
    // The second row breaks the key: the first must not stay.
    const Outcome r = sql({"--db", db.path(),
                           "INSERT INTO Estado (Es_Cve_Estado) SELECT 'X1' UNION ALL SELECT 'X1'"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("UNIQUE"), std::string::npos) << r.err;
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Estado WHERE Es_Cve_Estado = 'X1'").toInt(), 0);

    const QString missing = db.path() + ".no";
    const std::pair<QStringList, std::string> cases[] = {
        {{"--db", missing, "SELECT 1"}, missing.toStdString()},
        {{"--db", db.path(), "SELECT * FROM NoHay"}, "NoHay"},
        {{"--connect", "Driver=NoHayDriver;Database=x;PWD=secreto", "SELECT 1"}, "NoHayDriver"},
        {{"SELECT 1"}, "--db"},
        {{"--db", db.path(), "--connect", "Driver=SQLite3", "SELECT 1"}, "--db"},
        {{"--db", db.path()}, "sentencia"},
        {{"--db", db.path(), "SELECT 1", "SELECT 2"}, "SELECT 2"},
    };
    for (const auto& [args, named] : cases) {
        const Outcome bad = sql(args);
        EXPECT_EQ(bad.status, 1) << args.join(' ').toStdString();
        EXPECT_NE(bad.err.find(named), std::string::npos) << bad.err;
        EXPECT_EQ(bad.err.find("secreto"), std::string::npos) << bad.err;
    }
    EXPECT_EQ(sql({"--help"}).status, 0);
}

TEST_F(SqlCommandTest, OdbcConnectionGivesTheSameOutput) {
    const QStringList statement{"SELECT Pa_Valor FROM Parametro WHERE Pa_Nombre = "
                                "'LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES'"};
    const Outcome odbc = sql(QStringList{"--connect", db.odbcConnectionString()} + statement);
    EXPECT_EQ(odbc.status, 0) << odbc.err;
    EXPECT_EQ(odbc.out, sql(QStringList{"--db", db.path()} + statement).out);
    EXPECT_EQ(odbc.out, "Pa_Valor\n20\n");
}

} // namespace
