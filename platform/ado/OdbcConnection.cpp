#include "OdbcConnection.h"

#include "ConnectionStringMask.h"

#include "Errors.h"
#include "QueryRecordset.h"
#include "SqlServerToPostgres.h"
#include "SqlServerToSqlite.h"
#include "SqlTrace.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlResult>
#include <atomic>
#include <iterator>
#include <sql.h>
#include <sqlext.h>

namespace ado {

namespace {

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("kado-odbc-%1").arg(++counter);
}

// What the ODBC driver says it reaches (SQL_DBMS_NAME): Qt knows SQL Server by it, not SQLite.
QString dbmsName(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || handle.metaType().sizeOf() != sizeof(SQLHANDLE))
        return {};
    const SQLHANDLE connection = *static_cast<const SQLHANDLE*>(handle.constData());
    SQLCHAR name[256] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(connection, SQL_DBMS_NAME, name, sizeof name, &length)))
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(name));
}

// Whether a statement follows the first one: a ';' outside quotes, names and comments with more
// than blanks and semicolons after it.
bool secondStatement(const QString& sql) {
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            while (++i < n && sql.at(i) != close) {
            }
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            while (i < n && sql.at(i) != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 1;
        } else if (c == QLatin1Char(';')) {
            for (qsizetype j = i + 1; j < n; ++j)
                if (!sql.at(j).isSpace() && sql.at(j) != QLatin1Char(';'))
                    return true;
            return false;
        }
    }
    return false;
}

// The key of the suite's write lock on a PostgreSQL server ("KT512" in ASCII).
constexpr qint64 writeLockKey = 0x4b54353132;

// A cell of the current row read again as the text the driver holds, NULL as an empty QVariant.
QVariant cellText(const QSqlQuery& query, int column) {
    const QVariant handle = query.result()->handle();
    if (!handle.isValid() || handle.metaType().sizeOf() != sizeof(SQLHANDLE))
        throw com::RuntimeError(QStringLiteral("El controlador ODBC no da acceso a su sentencia"));
    const SQLHANDLE statement = *static_cast<const SQLHANDLE*>(handle.constData());
    static_assert(sizeof(SQLWCHAR) == sizeof(char16_t));
    QString text;
    for (;;) {
        char16_t chunk[64];
        SQLLEN length = 0;
        const SQLRETURN r = SQLGetData(statement, SQLUSMALLINT(column + 1), SQL_C_WCHAR, chunk,
                                       sizeof chunk, &length);
        if (r == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(r))
            throw com::RuntimeError(
                QStringLiteral("No se pudo leer como texto la columna %1").arg(column + 1));
        if (length == SQL_NULL_DATA)
            return QVariant();
        // The last chunk holds what is left; a longer one is full but for its terminator.
        const qsizetype capacity = qsizetype(std::size(chunk)) - 1;
        const qsizetype got =
            length == SQL_NO_TOTAL || length / qsizetype(sizeof(char16_t)) > capacity
                ? capacity
                : length / qsizetype(sizeof(char16_t));
        text += QStringView(chunk, got);
        if (r == SQL_SUCCESS)
            break;
    }
    return text;
}

double elapsedMs(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

OdbcConnection::OdbcConnection(const QString& name) : m_name(name) {}

std::unique_ptr<OdbcConnection> OdbcConnection::open(const QString& connectionString) {
    std::unique_ptr<OdbcConnection> connection(new OdbcConnection(nextConnectionName()));
    QSqlDatabase& db = connection->m_db;
    db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), connection->m_name);
    if (!db.isValid()) {
        throw com::RuntimeError(
            QStringLiteral("El controlador ODBC de Qt (QODBC) no está disponible."),
            error::providerFailed);
    }
    db.setDatabaseName(connectionString);
    if (!db.open()) {
        throw com::RuntimeError(
            QStringLiteral("No se pudo conectar por ODBC con '%1': %2")
                .arg(maskConnectionString(connectionString), db.lastError().text()),
            error::providerFailed);
    }
    const QString dbms = dbmsName(db);
    if (db.driver()->dbmsType() == QSqlDriver::SQLite ||
        dbms.contains(QLatin1String("SQLite"), Qt::CaseInsensitive))
        connection->m_dialect = Dialect::SQLite;
    else if (db.driver()->dbmsType() == QSqlDriver::PostgreSQL ||
             dbms.contains(QLatin1String("PostgreSQL"), Qt::CaseInsensitive))
        connection->m_dialect = Dialect::PostgreSQL;
    else
        connection->m_dialect = Dialect::SqlServer;
    return connection;
}

OdbcConnection::~OdbcConnection() {
    if (m_inTransaction) {
        try {
            RollbackTrans();
        } catch (const com::RuntimeError& e) {
            qWarning("Closing an ODBC connection: the open transaction did not roll back: %s",
                     qPrintable(e.description()));
        }
    }
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

std::unique_ptr<Recordset> OdbcConnection::Execute(const QString& sql, long* recordsAffected) {
    if (sql.contains(QChar(0)))
        throw error::nulInStatement(sql);
    // The embedded provider runs one statement a text; SQLite behind ODBC and the PostgreSQL
    // server are held to the same. (SQL Server runs batches by design, and cannot be tried here.)
    if (m_dialect != Dialect::SqlServer && secondStatement(sql))
        throw error::commandFailure(
            QStringLiteral("El texto lleva más de una sentencia; se ejecuta "
                           "una sola sentencia a la vez"),
            sql);
    const bool postgres = m_dialect == Dialect::PostgreSQL;
    const QString executed = m_dialect == Dialect::SQLite ? SqlServerToSqlite::translate(sql)
                             : postgres                   ? SqlServerToPostgres::translate(sql)
                                                          : sql;
    QElapsedTimer timer;
    timer.start();
    try {
        QSqlQuery query(m_db);
        query.setForwardOnly(true);
        // An odometer reading keeps all its digits, as the embedded database keeps its text.
        if (postgres)
            query.setNumericalPrecisionPolicy(QSql::HighPrecision);
        if (!query.exec(executed))
            throw com::RuntimeError(query.lastError().text());
        std::unique_ptr<Recordset> result;
        if (query.isSelect()) {
            // SQLite keeps a date as the text it was given; its driver turns text it cannot read
            // as a date ('' or 30 February) into NULL, so dates are read as that text, as the
            // embedded provider gives them.
            if (m_dialect == Dialect::SQLite)
                result = QueryRecordset::readAll(
                    query, false, [&query](int column) { return cellText(query, column); });
            else
                result = QueryRecordset::readAll(query, postgres);
            if (recordsAffected)
                *recordsAffected = -1;
        } else {
            result = std::make_unique<QueryRecordset>();
            if (recordsAffected)
                *recordsAffected = query.numRowsAffected();
        }
        SqlTrace::record(sql, executed, elapsedMs(timer), QString());
        return result;
    } catch (const com::RuntimeError& e) {
        SqlTrace::record(sql, executed, elapsedMs(timer), e.description());
        throw error::commandFailure(e.description(), sql);
    }
}

void OdbcConnection::control(const QString& sql, bool (QSqlDatabase::*step)(),
                             const char* executed) {
    QElapsedTimer timer;
    timer.start();
    bool done = false;
    QString failure;
    QString ran = sql;
    if (m_dialect == Dialect::SQLite) {
        // The driver's own transaction begins lazily, at the first write; BEGIN IMMEDIATE takes
        // the write lock at once, so that two operators on one file serialise as the embedded
        // provider makes them.
        ran = QString::fromLatin1(executed);
        QSqlQuery query(m_db);
        done = query.exec(ran);
        if (!done)
            failure = query.lastError().text();
    } else {
        done = (m_db.*step)();
        if (!done)
            failure = m_db.lastError().text();
    }
    SqlTrace::record(sql, ran, elapsedMs(timer), failure);
    if (!done) {
        throw com::RuntimeError(
            QStringLiteral("%1 falló en la conexión ODBC: %2").arg(sql, failure),
            error::commandFailed);
    }
}

void OdbcConnection::BeginTrans() {
    if (m_inTransaction)
        throw error::transactionAlreadyOpen();
    control(QStringLiteral("BEGIN TRANSACTION"), &QSqlDatabase::transaction, "BEGIN IMMEDIATE");
    m_inTransaction = true;
    if (m_dialect == Dialect::PostgreSQL) {
        // The write lock at once, as SQLite's BEGIN IMMEDIATE: a second operator waits here, then
        // reads what the first committed, and no two writers can deadlock each other.
        try {
            Execute(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(writeLockKey), nullptr);
        } catch (const com::RuntimeError&) {
            RollbackTrans();
            throw;
        }
    }
}

void OdbcConnection::CommitTrans() {
    if (!m_inTransaction)
        throw error::noTransactionOpen(QStringLiteral("CommitTrans"));
    // A commit that fails leaves the transaction open, for the caller to roll back.
    control(QStringLiteral("COMMIT TRANSACTION"), &QSqlDatabase::commit, "COMMIT");
    m_inTransaction = false;
}

void OdbcConnection::RollbackTrans() {
    if (!m_inTransaction)
        throw error::noTransactionOpen(QStringLiteral("RollbackTrans"));
    control(QStringLiteral("ROLLBACK TRANSACTION"), &QSqlDatabase::rollback, "ROLLBACK");
    m_inTransaction = false;
}

} // namespace ado
