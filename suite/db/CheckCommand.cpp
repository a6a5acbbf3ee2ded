#include "Commands.h"

#include "DatabaseArgument.h"

#include "HostData.h"
#include "Schema.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SqlText.h"
#include "platform/com/RuntimeError.h"

#include <QTextStream>
#include <cstdio>

namespace suite {

namespace {

const char* const checkHelp = R"help(Usage: kestrova check (--db FILE | --connect ODBC-STRING)

Checks a suite database: the database's own integrity check (every page and index of a SQLite
file, DBCC CHECKDB on SQL Server, a writable database on PostgreSQL), then that every table and column the suite works with is
there, and the stored queries the screens read. Says what it found in plain words; the exit
status is 0 when all is well and 1 on any problem.

Options:
  --db FILE              a SQLite database file
  --connect ODBC-STRING  an ODBC connection string
  --help                 show this help
)help";

struct CheckArgs {
    DatabaseArgument database;
    bool help = false;
};

QString parse(const QStringList& args, CheckArgs& a) {
    for (int i = 0; i < args.size(); ++i) {
        QString error;
        if (a.database.take(args, i, error)) {
            if (!error.isEmpty())
                return error;
        } else if (args[i] == "--help" || args[i] == "-h") {
            a.help = true;
        } else {
            return QStringLiteral("argumento desconocido: %1").arg(args[i]);
        }
    }
    return a.help ? QString() : a.database.problem();
}

// The database's own verdict on its pages; empty when it found nothing wrong.
QStringList integrity(ado::Connection& connection) {
    QStringList problems;
    if (connection.dialect() == ado::Connection::Dialect::SqlServer) {
        // CHECKDB raises on what it finds; with NO_INFOMSGS it says nothing otherwise.
        connection.Execute(QStringLiteral("DBCC CHECKDB WITH NO_INFOMSGS"));
        return problems;
    }
    if (connection.dialect() == ado::Connection::Dialect::PostgreSQL) {
        // The server keeps its pages to itself; what a client can see is a database that
        // takes connections and is not read-only.
        std::unique_ptr<ado::Recordset> rs =
            connection.Execute(QStringLiteral("SELECT current_setting('transaction_read_only')"));
        if (!rs->Eof() && rs->Fields(0).Value().toString() != QLatin1String("off"))
            problems << QStringLiteral("la base de datos solo admite lectura");
        rs->Close();
        return problems;
    }
    std::unique_ptr<ado::Recordset> rs =
        connection.Execute(QStringLiteral("PRAGMA integrity_check(20)"));
    for (; !rs->Eof(); rs->MoveNext()) {
        const QString found = rs->Fields(0).Value().toString();
        if (found != QLatin1String("ok"))
            for (const QString& line : found.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
                if (!line.startsWith(QLatin1String("***")))
                    problems << line;
    }
    rs->Close();
    return problems;
}

// Whether a query runs; the database's message otherwise.
QString fails(ado::Connection& connection, const QString& sql) {
    try {
        connection.Execute(sql)->Close();
        return {};
    } catch (const com::RuntimeError& e) {
        return e.description();
    }
}

QStringList schemaProblems(ado::Connection& connection) {
    QStringList problems;
    for (const Table& table : Schema::tables()) {
        if (!fails(connection, QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(table.name))
                 .isEmpty()) {
            problems << QStringLiteral("falta la tabla %1").arg(table.name);
            continue;
        }
        for (const Table::Column& column : table.columns)
            if (!fails(connection,
                       QStringLiteral("SELECT %1 FROM %2 WHERE 1 = 0").arg(column.name, table.name))
                     .isEmpty())
                problems << QStringLiteral("falta la columna %1 de la tabla %2")
                                .arg(column.name, table.name);
    }
    if (!problems.isEmpty())
        return problems;
    for (const HostData::Row& query : HostData::queries()) {
        std::unique_ptr<ado::Recordset> rs =
            connection.Execute(QStringLiteral("SELECT Cs_Texto FROM Consulta WHERE Cs_Nombre = '") +
                               ado::sqlText(query.name) + QStringLiteral("'"));
        if (rs->Eof())
            problems << QStringLiteral("falta la consulta guardada %1").arg(query.name);
        else if (!rs->Fields(0).Value().toString().contains(QLatin1String("{PARAMETROS}")))
            problems
                << QStringLiteral("la consulta guardada %1 no tiene {PARAMETROS}").arg(query.name);
        rs->Close();
    }
    return problems;
}

} // namespace

int runCheckCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    CheckArgs a;
    const QString bad = parse(args, a);
    if (!bad.isEmpty()) {
        err << "kestrova check: " << bad << "\n(kestrova check --help muestra el uso)\n";
        return 1;
    }
    if (a.help) {
        out << checkHelp;
        return 0;
    }
    const QString name = a.database.name();
    QString error;
    std::unique_ptr<ado::Connection> connection = a.database.open(error);
    if (!connection) {
        err << "kestrova check: " << error << "\n";
        return 1;
    }
    try {
        QStringList problems = integrity(*connection);
        if (!problems.isEmpty()) {
            err << "kestrova check: la base de datos " << name << " está dañada:\n";
            for (const QString& p : problems)
                err << "  " << p << "\n";
            return 1;
        }
        out << "Integridad: correcta.\n";
        problems = schemaProblems(*connection);
        if (!problems.isEmpty()) {
            err << "kestrova check: la base de datos " << name
                << " no tiene lo que la suite espera:\n";
            for (const QString& p : problems)
                err << "  " << p << "\n";
            return 1;
        }
        out << "Esquema: las " << Schema::tables().size()
            << " tablas y las consultas guardadas que usa la suite están completas.\n";
        out << "La base de datos " << name << " está en buen estado.\n";
        return 0;
    } catch (const com::RuntimeError& e) {
        err << "kestrova check: no se pudo revisar " << name << ": " << e.description() << "\n";
        return 1;
    }
}

int runCheckCommand(const QStringList& args) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runCheckCommand(args, out, err);
}

} // namespace suite
