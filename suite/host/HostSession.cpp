#include "HostSession.h"

#include "platform/ado/Connection.h"
#include "platform/ado/ConnectionStringMask.h"
#include "platform/ado/Providers.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/MessagePresenter.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <pwd.h>
#include <sqlite3.h>
#include <unistd.h>

namespace suite {

namespace {

QString loginName() {
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("LOGNAME");
    if (name.isEmpty()) {
        if (const passwd* pw = getpwuid(getuid()))
            name = QString::fromLocal8Bit(pw->pw_name);
    }
    return name.isEmpty() ? QStringLiteral("SISTEMA") : name;
}

// Refuses a SQLite file that is a database but not the suite's, before anything opens it to
// write; a file that is no database at all is left to the provider, which says so.
void requireSuiteFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(16) != QByteArray("SQLite format 3\0", 16))
        return;
    file.close();
    sqlite3* db = nullptr;
    const QByteArray uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())
                               .toString(QUrl::FullyEncoded)
                               .toUtf8() +
                           "?mode=ro";
    int tables = -1;
    if (sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db,
                               "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                               "name IN ('Viaje', 'Consulta', 'Parametro')",
                               -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            tables = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    if (tables >= 0 && tables < 3)
        throw com::RuntimeError(QStringLiteral("El archivo '%1' es una base de datos, pero no de "
                                               "Kestrova: no tiene sus tablas de viajes, consultas "
                                               "y parámetros. No se abrió ni se cambió.")
                                    .arg(path),
                                5);
}

std::unique_ptr<ado::Connection> openOdbc(const QString& odbc) {
    // The SQLite driver makes a new, empty file of a mistyped name; the mistake would show only
    // later, as a missing table.
    if (ado::connectionStringValue(odbc, QStringLiteral("Driver"))
            .contains(QLatin1String("sqlite"), Qt::CaseInsensitive)) {
        const QString file = ado::connectionStringValue(odbc, QStringLiteral("Database"));
        if (!QFileInfo(file).isFile())
            throw com::RuntimeError(
                QStringLiteral("No existe el archivo de base de datos '%1' que nombra la cadena "
                               "ODBC.")
                    .arg(file),
                5);
        requireSuiteFile(file);
    }
    std::unique_ptr<ado::Connection> connection = ado::openOdbc(odbc);
    try {
        connection->Execute(QStringLiteral("SELECT Cs_Nombre FROM Consulta WHERE 1 = 0"));
    } catch (const com::RuntimeError& e) {
        throw com::RuntimeError(QStringLiteral("La base de datos de '%1' no es de Kestrova: %2")
                                    .arg(ado::maskConnectionString(odbc), e.description()),
                                5);
    }
    return connection;
}

} // namespace

class HostSession::Private {
public:
    std::unique_ptr<ado::Connection> connection;
    QString usuario;
    std::shared_ptr<forms::MessagePresenter> presenter;
};

HostSession::HostSession(std::unique_ptr<ado::Connection> connection, QString usuario,
                         std::shared_ptr<forms::MessagePresenter> presenter)
    : d(std::make_unique<Private>()) {
    if (!connection)
        throw com::RuntimeError(QStringLiteral("La sesión necesita una conexión abierta"), 3704);
    d->connection = std::move(connection);
    d->usuario = std::move(usuario);
    setPresenter(std::move(presenter));
}

HostSession::~HostSession() = default;

std::shared_ptr<HostSession> HostSession::open(const QString& dbFile, const QString& odbc,
                                               const QString& usuario) {
    if (dbFile.isEmpty() == odbc.isEmpty())
        throw com::RuntimeError(
            QStringLiteral("Indique una base de datos: un archivo o una cadena ODBC, no ambos"), 5);
    if (!dbFile.isEmpty() && QFileInfo(dbFile).isFile())
        requireSuiteFile(dbFile);
    std::unique_ptr<ado::Connection> connection =
        dbFile.isEmpty() ? openOdbc(odbc) : ado::openSqlite(dbFile, false);
    const QString operador = usuario.trimmed().isEmpty() ? loginName() : usuario.trimmed();
    return std::make_shared<HostSession>(std::move(connection), operador);
}

ado::Connection& HostSession::connection() const {
    return *d->connection;
}

const QString& HostSession::usuario() const {
    return d->usuario;
}

forms::MessagePresenter* HostSession::presenter() const {
    return d->presenter.get();
}

void HostSession::setPresenter(std::shared_ptr<forms::MessagePresenter> presenter) {
    d->presenter = std::move(presenter);
}

} // namespace suite
