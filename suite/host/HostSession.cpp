#include "HostSession.h"

#include "platform/ado/Connection.h"
#include "platform/ado/Providers.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/MessagePresenter.h"

#include <pwd.h>
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
    std::unique_ptr<ado::Connection> connection =
        dbFile.isEmpty() ? ado::openOdbc(odbc) : ado::openSqlite(dbFile, false);
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
