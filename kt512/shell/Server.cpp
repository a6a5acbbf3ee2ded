#include "Server.h"

#include "IPantalla.h"
#include "Pantalla.h"
#include "Publico.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/ApplicationOwned.h"
#include "platform/com/Boundary.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/ErrorInfo.h"
#include "platform/com/Guid.h"
#include "platform/com/ModuleClassFactory.h"
#include "platform/com/ModulePath.h"
#include "platform/com/ServerExports.h"

namespace kt512 {

namespace {

// An address inside this library, to learn its path from.
void anchor() {}

QString libraryPath() {
    return com::modulePath(reinterpret_cast<const void*>(&anchor));
}

} // namespace

// Nothing of the library may stay with the application once it is unloaded: not even a
// connection, whose slot object the application would free with code no longer mapped.
Server::Server(QObject* application) : QObject(application) {}

Server::~Server() = default;

Server& Server::instance() {
    return com::applicationOwned<Server>();
}

long Server::canUnloadNowAndEnd() {
    Server* server = com::applicationOwnedIfAny<Server>();
    if (!server)
        return com::hr::Ok;
    const long answer = server->canUnloadNow();
    if (answer == com::hr::Ok)
        delete server;
    return answer;
}

long Server::getClassObject(const QUuid& clsid, const QUuid& iid, void** out) {
    if (!out)
        return com::hr::Pointer;
    *out = nullptr;
    if (clsid != Componente::ClasePantalla) {
        com::setErrorInfo(com::RuntimeError(
            QStringLiteral("KT512 no ofrece la clase %1.").arg(com::guidString(clsid)), 429));
        return com::hr::ClassNotAvailable;
    }
    try {
        if (!m_publico)
            m_publico = Publico::Iniciar();
    } catch (...) {
        const com::RuntimeError e = com::caughtError();
        com::setErrorInfo(com::RuntimeError(
            QStringLiteral("KT512 no puede iniciarse: %1").arg(e.description()), e.number()));
        return com::hr::Fail;
    }
    const auto factory =
        com::newObject<com::ModuleClassFactory>(m_objects, [this]() -> com::Ptr<com::IUnknown> {
            return com::newObject<Pantalla>(m_objects);
        });
    *out = factory->queryInterface(iid);
    return *out ? com::hr::Ok : com::hr::NoInterface;
}

long Server::canUnloadNow() const {
    if (m_objects.count() != 0)
        return com::hr::False;
    // The board is handed to the host, which may hold it after releasing every Pantalla.
    if (m_publico && m_publico->boardExists()) {
        frmKT512& board = m_publico->board();
        board.addRef();
        if (board.release() != 0)
            return com::hr::False;
    }
    return com::hr::Ok;
}

com::ServerRegistration Server::registration(const QString& path) {
    com::ServerRegistration r;
    r.classes.append({Componente::ClasePantalla, QString::fromLatin1(Componente::ProgIdPantalla),
                      QStringLiteral("Pantalla"), path, Componente::BibliotecaTipos});
    r.typeLibraries.append({Componente::BibliotecaTipos,
                            QString::fromLatin1(Componente::NombreBiblioteca),
                            QString::fromLatin1(Componente::VersionBiblioteca), path});
    return r;
}

long Server::registerServer() {
    try {
        com::ClassRegistry::inUse().add(registration(libraryPath()));
        return com::hr::Ok;
    } catch (...) {
        com::setErrorInfo(com::caughtError());
        return com::hr::ClassRegistration;
    }
}

long Server::unregisterServer() {
    try {
        com::ClassRegistry::inUse().remove(registration(libraryPath()));
        return com::hr::Ok;
    } catch (...) {
        com::setErrorInfo(com::caughtError());
        return com::hr::ClassRegistration;
    }
}

} // namespace kt512
