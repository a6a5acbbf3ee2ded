#include "SqliteConnection.h"

#include "Errors.h"
#include "QueryRecordset.h"
#include "SqlServerToSqlite.h"
#include "SqlTrace.h"
#include "SqliteRecordset.h"
#include "StatementShape.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <limits>
#include <sqlite3.h>
#include <utility>

namespace ado {

namespace {

// How long a statement waits for another connection's write to end. Eight operators saving at
// once wait a few hundred milliseconds at most; a lock held longer than this is someone's long
// work, and the operator is told to try again instead of facing a screen that does not answer.
constexpr int busyTimeoutMs = 4000;

// SQLite's message for the last failure, in the operator's words when the cause is one that the
// operator can act on.
QString failureText(sqlite3* handle) {
    const QString message = QString::fromUtf8(sqlite3_errmsg(handle));
    switch (sqlite3_errcode(handle) & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("Otro usuario está guardando en la base de datos; inténtelo de "
                              "nuevo en unos momentos (%1)")
            .arg(message);
    case SQLITE_FULL:
        return QStringLiteral("No queda espacio en el disco para la base de datos (%1)")
            .arg(message);
    case SQLITE_READONLY:
        return QStringLiteral("La base de datos está en un lugar de solo lectura: no se pueden "
                              "guardar cambios (%1)")
            .arg(message);
    default:
        return message;
    }
}

// Whether the text holds a statement after its first one (blanks, comments and semicolons aside).
// Asked only of a text with a semicolon inside.
bool secondStatement(sqlite3* handle, const QByteArray& text) {
    const char* tail = nullptr;
    sqlite3_stmt* first = nullptr;
    if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &first, &tail) !=
        SQLITE_OK) {
        sqlite3_finalize(first);
        return false;
    }
    sqlite3_finalize(first);
    while (tail && *tail) {
        sqlite3_stmt* next = nullptr;
        const char* after = nullptr;
        if (sqlite3_prepare_v2(handle, tail, -1, &next, &after) != SQLITE_OK) {
            sqlite3_finalize(next);
            return true;
        }
        const bool statement = next != nullptr;
        sqlite3_finalize(next);
        if (statement)
            return true;
        tail = after;
    }
    return false;
}

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("kado-sqlite-%1").arg(++counter);
}

[[noreturn]] void cannotOpen(const QString& text) {
    throw com::RuntimeError(text, error::providerFailed);
}

// Finalizes a prepared statement however its use ends.
class PreparedStatement {
public:
    PreparedStatement() = default;
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;
    ~PreparedStatement() { sqlite3_finalize(m_statement); }
    sqlite3_stmt** out() { return &m_statement; }
    sqlite3_stmt* get() const { return m_statement; }
    sqlite3_stmt* release() { return std::exchange(m_statement, nullptr); }

private:
    sqlite3_stmt* m_statement = nullptr;
};

double elapsedMs(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

SqliteConnection::SqliteConnection(const QString& name, const QString& path)
    : m_name(name), m_path(path) {}

std::unique_ptr<SqliteConnection> SqliteConnection::open(const QString& path, bool create) {
    const QFileInfo file(path);
    if (!create) {
        if (!file.exists())
            cannotOpen(QStringLiteral("No existe el archivo de base de datos '%1'.").arg(path));
        if (!file.isFile())
            cannotOpen(QStringLiteral("'%1' no es un archivo de base de datos.").arg(path));
        QFile header(path);
        if (!file.isReadable() || !header.open(QIODevice::ReadOnly)) {
            cannotOpen(
                QStringLiteral("No se puede leer el archivo de base de datos '%1'.").arg(path));
        }
        // Opening must never turn a file that is not a database into one.
        if (file.size() == 0)
            cannotOpen(
                QStringLiteral("El archivo '%1' está vacío: no es una base de datos.").arg(path));
        if (header.read(16) != QByteArray("SQLite format 3\0", 16))
            cannotOpen(QStringLiteral("El archivo '%1' no es una base de datos SQLite.").arg(path));
    }
    // A file in a place where it cannot be written (the file itself, or its folder, where the
    // write-ahead log lives) is opened to be read as it is, without touching anything on disk.
    const bool readOnly =
        file.exists() && (!file.isWritable() || !QFileInfo(file.absolutePath()).isWritable());

    std::unique_ptr<SqliteConnection> connection(new SqliteConnection(nextConnectionName(), path));
    connection->m_readOnly = readOnly;
    QSqlDatabase& db = connection->m_db;
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection->m_name);
    if (!db.isValid())
        cannotOpen(QStringLiteral("El controlador SQLite de Qt (QSQLITE) no está disponible."));
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
    if (readOnly) {
        QUrl uri = QUrl::fromLocalFile(file.absoluteFilePath());
        uri.setQuery(QStringLiteral("mode=ro&immutable=1"));
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        options += QStringLiteral(";QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
    } else {
        db.setDatabaseName(path);
    }
    db.setConnectOptions(options);
    if (!db.open()) {
        cannotOpen(QStringLiteral("No se pudo abrir la base de datos '%1': %2")
                       .arg(path, db.lastError().text()));
    }
    const QVariant handle = db.driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0 ||
        !*static_cast<sqlite3* const*>(handle.constData()))
        cannotOpen(QStringLiteral("La base de datos '%1' no dio su conexión SQLite.").arg(path));
    connection->m_handle = *static_cast<sqlite3* const*>(handle.constData());
    sqlite3_busy_timeout(connection->m_handle, busyTimeoutMs);

    // The first statement reads the file's header and, for writing, takes the write-ahead log.
    const QString check = readOnly ? QStringLiteral("SELECT count(*) FROM sqlite_master")
                                   : QStringLiteral("PRAGMA journal_mode=WAL");
    try {
        connection->traced(check, check);
    } catch (const com::RuntimeError& e) {
        switch (sqlite3_errcode(connection->m_handle) & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            cannotOpen(QStringLiteral("La base de datos '%1' está ocupada: otro programa la "
                                      "está modificando. Inténtelo de nuevo en unos momentos.")
                           .arg(path));
        case SQLITE_FULL:
            cannotOpen(QStringLiteral("No queda espacio en el disco para abrir la base de datos "
                                      "'%1'.")
                           .arg(path));
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_IOERR:
            cannotOpen(QStringLiteral("No se puede escribir junto a la base de datos '%1' (su "
                                      "carpeta o el archivo): %2")
                           .arg(path, e.description()));
        default:
            cannotOpen(QStringLiteral("El archivo '%1' no es una base de datos SQLite legible: %2")
                           .arg(path, e.description()));
        }
    }
    return connection;
}

SqliteConnection::~SqliteConnection() {
    detachResults();
    // Qt's driver cannot close a handle that still has statements: the file would stay open.
    m_shapes.clear();
    if (m_handle && inTransaction()) {
        try {
            RollbackTrans();
        } catch (const com::RuntimeError& e) {
            qWarning("Closing %s: the open transaction did not roll back: %s", qPrintable(m_path),
                     qPrintable(e.description()));
        }
    }
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

std::unique_ptr<Recordset> SqliteConnection::Execute(const QString& sql, long* recordsAffected) {
    if (sql.contains(QChar(0)))
        throw error::nulInStatement(sql);
    QElapsedTimer timer;
    timer.start();
    const QByteArray text = sql.toUtf8();
    const StatementShape shape(text);
    if (shape.kind() == StatementShape::Kind::Schema)
        m_shapes.clear();
    // A statement the cache could serve and did not is traced as such, with the reason: it
    // still runs, as written, but every run parses it anew.
    ShapeUse use;
    if (shape.parameterized()) {
        // The trace shows what the statement means: its text as it would run written out.
        try {
            if (runShaped(shape, recordsAffected, use)) {
                if (SqlTrace::enabled()) {
                    SqlTrace::record(sql, SqlServerToSqlite::translate(sql), elapsedMs(timer),
                                     QString(), use.cache);
                }
                return std::make_unique<QueryRecordset>();
            }
        } catch (const com::RuntimeError& e) {
            if (SqlTrace::enabled()) {
                SqlTrace::record(sql, SqlServerToSqlite::translate(sql), elapsedMs(timer),
                                 e.description(), use.cache);
            }
            throw error::commandFailure(e.description(), sql);
        }
    }

    const QString executed = SqlServerToSqlite::translate(sql);
    timer.start();
    try {
        auto result = run(sql, executed == sql ? text : executed.toUtf8(), recordsAffected);
        SqlTrace::record(sql, executed, elapsedMs(timer), QString(), use.cache, use.why);
        return result;
    } catch (const com::RuntimeError& e) {
        SqlTrace::record(sql, executed, elapsedMs(timer), e.description(), use.cache, use.why);
        throw error::commandFailure(e.description(), sql);
    }
}

// Runs every statement of the text; the first that gives columns gives the recordset. Raises the
// database's bare message.
std::unique_ptr<Recordset> SqliteConnection::run(const QString& sql, const QByteArray& text,
                                                 long* recordsAffected) {
    const char* next = text.constData();
    const char* const end = next + text.size();
    std::unique_ptr<Recordset> result;
    long changes = -1;
    // One text, one statement, as the ODBC provider runs it: a second one would run unseen.
    const char* rest = next;
    while (rest < end && (std::isspace(static_cast<unsigned char>(*rest)) || *rest == ';'))
        ++rest;
    if (std::memchr(rest, ';', size_t(end - rest)) && secondStatement(m_handle, text))
        throw com::RuntimeError(QStringLiteral("El texto lleva más de una sentencia; se ejecuta "
                                               "una sola sentencia a la vez"));
    while (next < end) {
        detachResults();
        PreparedStatement statement;
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(m_handle, next, static_cast<int>(end - next), statement.out(),
                               &tail) != SQLITE_OK)
            throw com::RuntimeError(failureText(m_handle));
        next = tail;
        sqlite3_stmt* const st = statement.get();
        if (!st)
            continue;
        const int columns = sqlite3_column_count(st);
        int rc = SQLITE_OK;
        if (columns > 0 && !result) {
            rc = sqlite3_step(st);
            if (rc != SQLITE_ROW && rc != SQLITE_DONE)
                throw com::RuntimeError(failureText(m_handle));
            QStringList names;
            for (int i = 0; i < columns; ++i)
                names << QString::fromUtf8(sqlite3_column_name(st, i));
            auto rows = std::make_unique<SqliteRecordset>(
                this, statement.release(), rc == SQLITE_ROW, ColumnNames(names), sql);
            if (rows->streaming())
                m_streaming.push_back(rows.get());
            result = std::move(rows);
            continue;
        }
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            throw com::RuntimeError(failureText(m_handle));
        if (columns == 0)
            changes = (changes < 0 ? 0 : changes) + sqlite3_changes(m_handle);
    }
    if (recordsAffected)
        *recordsAffected = changes;
    if (!result)
        result = std::make_unique<QueryRecordset>();
    return result;
}

bool SqliteConnection::runShaped(const StatementShape& statement, long* recordsAffected,
                                 ShapeUse& use) {
    detachResults();
    sqlite3_stmt* st = m_shapes.find(statement.shape());
    use.cache = "hit";
    if (!st) {
        // The shape is translated like any text: numbered marks keep their values wherever the
        // translation puts them. A shape SQLite refuses (a quoted name, where a value cannot
        // stand; too many values) runs as written, which also gives a faulty statement its own
        // message.
        use.cache = "bypassed";
        const QByteArray shape =
            SqlServerToSqlite::translate(QString::fromUtf8(statement.numberedShape())).toUtf8();
        PreparedStatement prepared;
        if (shape.size() > std::numeric_limits<int>::max()) {
            use.why = QStringLiteral("the shape is too long to prepare");
            return false;
        }
        if (sqlite3_prepare_v3(m_handle, shape.constData(), int(shape.size()),
                               SQLITE_PREPARE_PERSISTENT, prepared.out(), nullptr) != SQLITE_OK ||
            !prepared.get()) {
            use.why = QStringLiteral("SQLite does not prepare the shape: ") +
                      QString::fromUtf8(sqlite3_errmsg(m_handle));
            return false;
        }
        // RETURNING gives rows, which only the general path reads.
        if (sqlite3_column_count(prepared.get()) != 0) {
            use.why = QStringLiteral("the statement gives rows");
            return false;
        }
        if (sqlite3_bind_parameter_count(prepared.get()) != statement.parameterCount()) {
            use.why = QStringLiteral("the shape has %1 marks for %2 values")
                          .arg(sqlite3_bind_parameter_count(prepared.get()))
                          .arg(statement.parameterCount());
            return false;
        }
        st = prepared.release();
        m_shapes.add(statement.shape(), st);
        use.cache = "prepared";
    }
    int rc = statement.bind(st);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(st);
    const QString failure = rc == SQLITE_DONE ? QString() : failureText(m_handle);
    const long changes = sqlite3_changes(m_handle);
    // The values bound belong to the caller's text: none stays behind in the cached statement.
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    if (!failure.isNull())
        throw com::RuntimeError(failure);
    if (recordsAffected)
        *recordsAffected = changes;
    return true;
}

void SqliteConnection::detachResults() const {
    // Detaching a result takes it off the list.
    while (!m_streaming.empty())
        m_streaming.back()->detach();
}

void SqliteConnection::forget(SqliteRecordset* result) {
    m_streaming.erase(std::remove(m_streaming.begin(), m_streaming.end(), result),
                      m_streaming.end());
}

QSqlDatabase SqliteConnection::database() const {
    detachResults();
    return m_db;
}

void SqliteConnection::traced(const QString& sql, const QString& executed) {
    QElapsedTimer timer;
    timer.start();
    try {
        run(sql, executed.toUtf8(), nullptr);
    } catch (const com::RuntimeError& e) {
        SqlTrace::record(sql, executed, elapsedMs(timer), e.description());
        throw;
    }
    SqlTrace::record(sql, executed, elapsedMs(timer), QString());
}

void SqliteConnection::control(const QString& sql, const QString& executed) {
    try {
        traced(sql, executed);
    } catch (const com::RuntimeError& e) {
        throw com::RuntimeError(QStringLiteral("%1 falló en la base de datos '%2': %3")
                                    .arg(sql, m_path, e.description()),
                                error::commandFailed);
    }
}

void SqliteConnection::BeginTrans() {
    if (inTransaction())
        throw error::transactionAlreadyOpen();
    control(QStringLiteral("BEGIN TRANSACTION"), QStringLiteral("BEGIN IMMEDIATE"));
}

void SqliteConnection::CommitTrans() {
    if (!inTransaction())
        throw error::noTransactionOpen(QStringLiteral("CommitTrans"));
    control(QStringLiteral("COMMIT TRANSACTION"), QStringLiteral("COMMIT"));
}

void SqliteConnection::RollbackTrans() {
    if (!inTransaction())
        throw error::noTransactionOpen(QStringLiteral("RollbackTrans"));
    control(QStringLiteral("ROLLBACK TRANSACTION"), QStringLiteral("ROLLBACK"));
}

bool SqliteConnection::inTransaction() const {
    return sqlite3_get_autocommit(m_handle) == 0;
}

} // namespace ado
