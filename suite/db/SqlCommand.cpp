#include "Commands.h"

#include "platform/ado/ConnectionStringMask.h"
#include "platform/ado/Providers.h"
#include "platform/com/RuntimeError.h"

#include <QDateTime>
#include <QFileInfo>
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
    QString file;
    QString odbc;
    QString statement;
    bool help = false;
};

QString parse(const QStringList& args, SqlArgs& a) {
    bool haveFile = false, haveOdbc = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            a.help = true;
        } else if (arg == "--db" || arg == "--connect") {
            if (i + 1 >= args.size())
                return QStringLiteral("falta el valor después de %1").arg(arg);
            (arg == "--db" ? a.file : a.odbc) = args[++i];
            (arg == "--db" ? haveFile : haveOdbc) = true;
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
    if (haveFile == haveOdbc)
        return QStringLiteral("indique la base de datos con --db ARCHIVO o con --connect CADENA "
                              "(una de las dos)");
    if (haveFile && a.file.isEmpty())
        return QStringLiteral("--db espera el nombre de un archivo");
    if (haveOdbc && a.odbc.trimmed().isEmpty())
        return QStringLiteral("--connect espera una cadena de conexión ODBC");
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

std::unique_ptr<ado::Connection> open(const SqlArgs& a, QString& error) {
    if (!a.file.isEmpty()) {
        const QFileInfo info(a.file);
        if (!info.exists()) {
            error = QStringLiteral("no existe el archivo de base de datos %1").arg(a.file);
            return nullptr;
        }
        if (!info.isFile() || !info.isReadable()) {
            error = QStringLiteral("no se puede leer el archivo de base de datos %1").arg(a.file);
            return nullptr;
        }
    }
    try {
        return a.file.isEmpty() ? ado::openOdbc(a.odbc) : ado::openSqlite(a.file, false);
    } catch (const com::RuntimeError& e) {
        error = a.file.isEmpty() ? QStringLiteral("no se pudo conectar con \"%1\": %2")
                                       .arg(ado::maskConnectionString(a.odbc), e.description())
                                 : QStringLiteral("no se pudo abrir la base de datos %1: %2")
                                       .arg(a.file, e.description());
        return nullptr;
    }
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
    std::unique_ptr<ado::Connection> connection = open(a, error);
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
