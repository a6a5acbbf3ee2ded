#include "Commands.h"

#include "DatabaseArgument.h"
#include "platform/ado/Connection.h"

#include "platform/com/RuntimeError.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QTextStream>
#include <cstdio>

namespace suite {

namespace {

const char* const sqlHelp = R"help(Usage: kestrova sql (--db FILE | --connect ODBC-STRING) STATEMENT

Runs one SQL statement, written in SQL Server's dialect as the screens write theirs, on the
SQLite database FILE or on an ODBC data source, through the suite's own database layer (the
same translation for SQLite, the same trace in KESTROVA_SQL_TRACE). Any statement but a SELECT
runs in a transaction of its own, rolled back if it fails.

A query prints a header line with the column names and one line per row, tab-separated
(NULL for a null; tabs, line breaks and backslashes inside values as \t, \n and \\); a query
without rows prints nothing, and says "(0 filas)" on stderr. Any other statement prints the
number of rows it changed. Errors go to stderr, exit status 1.

Options:
  --db FILE              a SQLite database file (it must exist)
  --connect ODBC-STRING  an ODBC connection string, e.g.
                         "Driver=FreeTDS;Server=HOST;Port=1433;Database=DB;UID=u;PWD=p"
  --help                 show this help
)help";

struct SqlArgs {
    DatabaseArgument database;
    QString statement;
    bool help = false;
};

QString parse(const QStringList& args, SqlArgs& a) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        QString error;
        if (a.database.take(args, i, error)) {
            if (!error.isEmpty())
                return error;
        } else if (arg == "--help" || arg == "-h") {
            a.help = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            return QStringLiteral("opción desconocida: %1").arg(arg);
        } else if (a.statement.isEmpty()) {
            a.statement = arg;
        } else {
            return QStringLiteral("se espera una sola sentencia entre comillas; sobra \"%1\"")
                .arg(arg);
        }
    }
    if (a.help)
        return {};
    if (const QString problem = a.database.problem(); !problem.isEmpty())
        return problem;
    if (a.statement.trimmed().isEmpty())
        return QStringLiteral("falta la sentencia SQL");
    return {};
}

QString cell(const QVariant& v) {
    if (v.isNull())
        return QStringLiteral("NULL");
    QString s;
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        s = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        break;
    case QMetaType::QDate:
        s = v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        s = QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
        break;
    default:
        s = v.toString();
    }
    s.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    s.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    s.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    s.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return s;
}

} // namespace

int runSqlCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    SqlArgs a;
    const QString bad = parse(args, a);
    if (!bad.isEmpty()) {
        err << "kestrova sql: " << bad << "\n(kestrova sql --help muestra el uso)\n";
        return 1;
    }
    if (a.help) {
        out << sqlHelp;
        return 0;
    }
    QString error;
    std::unique_ptr<ado::Connection> connection = a.database.open(error);
    if (!connection) {
        err << "kestrova sql: " << error << "\n";
        return 1;
    }

    // Rows are collected before anything is printed: a statement that fails half way prints
    // nothing but its error.
    QString text;
    QTextStream rows(&text);
    bool empty = false;
    try {
        // A query writes nothing and must run on a file the user may only read; anything else
        // runs in a transaction of its own.
        static const QRegularExpression select(QStringLiteral("^\\s*\\(*\\s*SELECT\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
        const bool write = !select.match(a.statement).hasMatch();
        if (write)
            connection->BeginTrans();
        try {
            long changed = 0;
            std::unique_ptr<ado::Recordset> rs = connection->Execute(a.statement, &changed);
            if (rs && rs->FieldCount() > 0) {
                // The layer gives a field only on a current row: an empty result has no header.
                if (rs->Eof()) {
                    empty = true;
                } else {
                    QStringList header;
                    for (int i = 0; i < rs->FieldCount(); ++i)
                        header << cell(rs->Fields(i).Name());
                    rows << header.join(QLatin1Char('\t')) << '\n';
                }
                for (; !rs->Eof(); rs->MoveNext()) {
                    QStringList line;
                    for (int i = 0; i < rs->FieldCount(); ++i)
                        line << cell(rs->Fields(i).Value());
                    rows << line.join(QLatin1Char('\t')) << '\n';
                }
                rs->Close();
            } else {
                rows << "Filas afectadas: " << changed << '\n';
            }
            rs.reset();
            if (write)
                connection->CommitTrans();
        } catch (const com::RuntimeError&) {
            if (write)
                connection->RollbackTrans();
            throw;
        }
    } catch (const com::RuntimeError& e) {
        err << "kestrova sql: la sentencia falló: " << e.description() << "\n";
        return 1;
    }
    rows.flush();
    out << text;
    if (empty)
        err << "(0 filas)\n";
    return 0;
}

int runSqlCommand(const QStringList& args) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runSqlCommand(args, out, err);
}

} // namespace suite
