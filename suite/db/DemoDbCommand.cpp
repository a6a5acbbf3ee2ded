#include "Commands.h"

#include "DemoData.h"
#include "Schema.h"
#include "platform/ado/ConnectionStringMask.h"
#include "platform/ado/Providers.h"
#include "platform/com/RuntimeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>

namespace suite {

namespace {

const char* const demoHelp = R"help(Usage: kestrova demo-db (FILE | --connect ODBC-STRING) [options]

Creates a SQLite database FILE, or fills the empty server database that ODBC-STRING reaches
(PostgreSQL), with the suite schema, the suite parameters, the stored queries and a believable
demo data set: branches, drivers, vehicles, trips around today with their delivery orders,
shipments, remissions and sales. The same options always give the same data.

Options:
  --connect ODBC-STRING  a server database instead of a file, e.g.
                       "Driver=PostgreSQL Unicode;Server=HOST;Port=5432;Database=DB;Uid=U;Pwd=P"
  --trips N            number of trips (default 500)
  --seed S             seed of the data set (default 1)
  --today YYYY-MM-DD   the day the trips lie around (default: today)
  --force              replace FILE if it exists, or the suite's tables on the server
  --help               show this help
)help";

struct DemoArgs {
    QString file;
    QString odbc;
    DemoData::Options options;
    bool force = false;
    bool help = false;
};

// Fills a; returns the message for the first bad argument, empty when all are good.
QString parse(const QStringList& args, DemoArgs& a) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const auto value = [&](QString& into) {
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        QString v;
        if (arg == "--help" || arg == "-h") {
            a.help = true;
        } else if (arg == "--force") {
            a.force = true;
        } else if (arg == "--trips") {
            bool ok = false;
            if (!value(v))
                return QStringLiteral("falta el número de viajes después de --trips");
            a.options.trips = v.toInt(&ok);
            if (!ok || a.options.trips < 0 || a.options.trips > 10000000)
                return QStringLiteral("--trips espera un número entre 0 y 10000000, no \"%1\"")
                    .arg(v);
        } else if (arg == "--seed") {
            bool ok = false;
            if (!value(v))
                return QStringLiteral("falta la semilla después de --seed");
            a.options.seed = v.toUInt(&ok);
            if (!ok)
                return QStringLiteral("--seed espera un número entero positivo, no \"%1\"").arg(v);
        } else if (arg == "--today") {
            if (!value(v))
                return QStringLiteral("falta la fecha después de --today");
            a.options.today = QDate::fromString(v, QStringLiteral("yyyy-MM-dd"));
            if (!a.options.today.isValid())
                return QStringLiteral("--today espera una fecha AAAA-MM-DD, no \"%1\"").arg(v);
        } else if (arg == "--connect") {
            if (!value(a.odbc) || a.odbc.trimmed().isEmpty())
                return QStringLiteral("falta la cadena de conexión después de --connect");
        } else if (arg.startsWith(QLatin1Char('-'))) {
            return QStringLiteral("opción desconocida: %1").arg(arg);
        } else if (a.file.isEmpty()) {
            a.file = arg;
        } else {
            return QStringLiteral("sobra el argumento \"%1\": solo se crea un archivo").arg(arg);
        }
    }
    if (!a.help && !a.file.isEmpty() && !a.odbc.isEmpty())
        return QStringLiteral("indique un archivo o --connect, no los dos");
    if (!a.help && a.file.isEmpty() && a.odbc.isEmpty())
        return QStringLiteral("falta el archivo de la base de datos (o --connect CADENA)");
    return {};
}

void removeDatabaseFiles(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

// True when another connection has the database open. The suite keeps its files in write-ahead
// mode, and leaving that mode needs the only connection: a busy answer means someone else is
// there. A file that is no database at all is nobody's.
bool inUse(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    // The answer is the mode in force afterwards: still "wal" when the change was refused.
    sqlite3_stmt* statement = nullptr;
    bool busy = false;
    if (sqlite3_prepare_v2(db, "PRAGMA journal_mode=DELETE", -1, &statement, nullptr) ==
        SQLITE_OK) {
        const int rc = sqlite3_step(statement);
        busy = rc == SQLITE_BUSY || rc == SQLITE_LOCKED ||
               (rc == SQLITE_ROW &&
                qstricmp(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)), "wal") ==
                    0);
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return busy;
}

// The scratch files of earlier runs that were stopped before they could clean up: a file is
// left to a process that still runs.
void removeStaleScratch(const QDir& dir, const QString& fileName) {
    const QString prefix = QLatin1Char('.') + fileName + QLatin1Char('.');
    for (const QString& name : dir.entryList({prefix + QStringLiteral("*.part*")},
                                             QDir::Files | QDir::Hidden | QDir::System)) {
        bool ok = false;
        const qint64 pid = name.mid(prefix.size()).section(QLatin1Char('.'), 0, 0).toLongLong(&ok);
        if (!ok || pid <= 0 || pid == QCoreApplication::applicationPid())
            continue;
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue;
        QFile::remove(dir.filePath(name));
    }
}

bool hasSuiteTables(ado::Connection& connection) {
    try {
        connection.Execute(QStringLiteral("SELECT Vj_Folio FROM Viaje WHERE 1 = 0"))->Close();
        return true;
    } catch (const com::RuntimeError&) {
        return false;
    }
}

void dropSuiteTables(ado::Connection& connection) {
    const std::vector<Table>& tables = Schema::tables();
    connection.BeginTrans();
    try {
        for (auto t = tables.rbegin(); t != tables.rend(); ++t)
            if (connection.dialect() == ado::Connection::Dialect::PostgreSQL)
                connection.Execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(t->name));
            else
                connection.Execute(
                    QStringLiteral("IF OBJECT_ID('%1') IS NOT NULL DROP TABLE %1").arg(t->name));
        connection.CommitTrans();
    } catch (const com::RuntimeError&) {
        connection.RollbackTrans();
        throw;
    }
}

// The server keeps its database: the suite's tables are made in it, and taken away again when
// the data cannot be written, so that a second try finds it empty.
int demoOnServer(const DemoArgs& a, QTextStream& out, QTextStream& err) {
    const QString name = ado::maskConnectionString(a.odbc);
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<ado::Connection> connection;
    bool created = false;
    try {
        connection = ado::openOdbc(a.odbc);
        if (hasSuiteTables(*connection)) {
            if (!a.force) {
                err << "kestrova demo-db: la base de datos " << name
                    << " ya tiene las tablas de la suite; use --force para reemplazarlas\n";
                return 1;
            }
            dropSuiteTables(*connection);
        }
        Schema::create(*connection);
        created = true;
        const DemoData::Summary summary = DemoData::generate(*connection, a.options);
        out << "Base de datos de demostración creada en " << name << " ("
            << QString::number(clock.elapsed() / 1000.0, 'f', 1) << " s): " << summary.text()
            << "\n";
        return 0;
    } catch (const com::RuntimeError& e) {
        QString cleanup;
        if (created) {
            try {
                dropSuiteTables(*connection);
            } catch (const com::RuntimeError& again) {
                cleanup = QStringLiteral(" (las tablas creadas no se pudieron quitar: %1)")
                              .arg(again.description());
            }
        }
        err << "kestrova demo-db: no se pudo llenar " << name << ": " << e.description() << cleanup
            << "\n";
        return 1;
    }
}

} // namespace

int runDemoDbCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    DemoArgs a;
    const QString bad = parse(args, a);
    if (!bad.isEmpty()) {
        err << "kestrova demo-db: " << bad << "\n(kestrova demo-db --help muestra el uso)\n";
        return 1;
    }
    if (a.help) {
        out << demoHelp;
        return 0;
    }
    if (!a.odbc.isEmpty())
        return demoOnServer(a, out, err);

    const QFileInfo target(a.file);
    if (target.exists() && !a.force) {
        err << "kestrova demo-db: el archivo " << a.file
            << " ya existe; use --force para reemplazarlo\n";
        return 1;
    }
    if (target.isDir()) {
        err << "kestrova demo-db: " << a.file << " es un directorio\n";
        return 1;
    }
    const QDir dir = target.absoluteDir();
    if (!dir.exists()) {
        err << "kestrova demo-db: no existe el directorio " << dir.path() << "\n";
        return 1;
    }

    if (target.exists() && inUse(target.absoluteFilePath())) {
        err << "kestrova demo-db: la base de datos " << a.file
            << " está abierta en otro programa; ciérrelo antes de reemplazarla\n";
        return 1;
    }

    removeStaleScratch(dir, target.fileName());
    // Built aside and moved into place at the end, so that a failure leaves FILE as it was.
    const QString part = dir.filePath(QStringLiteral(".%1.%2.part")
                                          .arg(target.fileName())
                                          .arg(QCoreApplication::applicationPid()));
    removeDatabaseFiles(part);
    QElapsedTimer clock;
    clock.start();
    DemoData::Summary summary;
    try {
        std::unique_ptr<ado::Connection> connection = ado::openSqlite(part, true);
        // A new file, thrown away on failure: it needs neither the write-ahead log, which
        // would write every page twice, nor a sync per page while it fills.
        connection->Execute(QStringLiteral("PRAGMA journal_mode=MEMORY"));
        connection->Execute(QStringLiteral("PRAGMA synchronous=OFF"));
        Schema::create(*connection);
        summary = DemoData::generate(*connection, a.options);
    } catch (const com::RuntimeError& e) {
        removeDatabaseFiles(part);
        err << "kestrova demo-db: no se pudo crear " << a.file << ": " << e.description() << "\n";
        return 1;
    }
    QFile::remove(target.absoluteFilePath() + QLatin1String("-wal"));
    QFile::remove(target.absoluteFilePath() + QLatin1String("-shm"));
    if (std::rename(QFile::encodeName(part).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        removeDatabaseFiles(part);
        err << "kestrova demo-db: no se pudo escribir " << a.file << ": " << reason << "\n";
        return 1;
    }
    out << "Base de datos de demostración creada en " << a.file << " ("
        << QString::number(clock.elapsed() / 1000.0, 'f', 1) << " s): " << summary.text() << "\n";
    return 0;
}

int runDemoDbCommand(const QStringList& args) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runDemoDbCommand(args, out, err);
}

} // namespace suite
