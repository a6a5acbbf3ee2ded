#pragma once

#include <QString>
#include <memory>

namespace ado {
class Connection;
}

namespace com {
class Runtime;
}

namespace forms {
class MessagePresenter;
}

namespace suite {

// What the host services of one process share: the one open database connection, the operator
// and the message presenter. The shell makes it from its command line; tests make their own.
class HostSession {
public:
    // presenter empty: the application's (forms::messagePresenter).
    HostSession(std::unique_ptr<ado::Connection> connection, QString usuario,
                std::shared_ptr<forms::MessagePresenter> presenter = {});
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Opens the SQLite file dbFile or the ODBC connection string odbc (exactly one of the two).
    // usuario empty: the login name. Raises com::RuntimeError saying what could not be opened.
    static std::shared_ptr<HostSession> open(const QString& dbFile, const QString& odbc,
                                             const QString& usuario);

    ado::Connection& connection() const;
    const QString& usuario() const;
    // The session's own presenter; nullptr when it uses the application's.
    forms::MessagePresenter* presenter() const;
    void setPresenter(std::shared_ptr<forms::MessagePresenter> presenter);

private:
    class Private;
    std::unique_ptr<Private> d;
};

// Class objects of Sistema, Funciones and FormatoLista over the session, so that the component's
// start-up creates them by class identifier ("Kestrova.Sistema", "Kestrova.Funciones",
// "Kestrova.FormatoLista").
void registerHostServices(com::Runtime& runtime, std::shared_ptr<HostSession> session);

} // namespace suite
