#pragma once

#include "platform/com/ModuleCount.h"
#include "platform/com/ServerRegistration.h"

#include <QObject>
#include <QUuid>
#include <memory>

namespace kt512 {

class Publico;

// The component as an in-process server: what its four exports do. The server belongs to the
// application. The module's globals start with the first class object handed out and end with
// the server: when the library answers that it may be unloaded, before the host unloads it, or
// with the application when the library stays loaded to the end.
class Server : public QObject {
public:
    explicit Server(QObject* application);
    ~Server() override;
    static Server& instance();

    long getClassObject(const QUuid& clsid, const QUuid& iid, void** out);
    // Yes (0) only while no Pantalla, no class factory, no server lock and no reference to the
    // board handed out is alive.
    long canUnloadNow() const;
    // DllCanUnloadNow: canUnloadNow of the application's server, which ends on a yes.
    static long canUnloadNowAndEnd();
    long registerServer();
    long unregisterServer();

    com::ModuleCount& objects() { return m_objects; }
    // The registry entries of the library at that path: type library and class Pantalla.
    static com::ServerRegistration registration(const QString& libraryPath);

private:
    com::ModuleCount m_objects;
    std::unique_ptr<Publico> m_publico;
};

} // namespace kt512
