#pragma once

#include "ServerRegistration.h"

#include <QString>
#include <QUuid>
#include <optional>

namespace com {

// The class registry file: CLSID -> in-process server, ProgID -> CLSID, type libraries, as
// JSON. Every read takes the file as it is now (another process may have registered a server);
// every change is one atomic rewrite. A corrupt file, or one that cannot be written, raises
// RuntimeError naming the file, and the file is left as it was.
class ClassRegistry {
public:
    explicit ClassRegistry(QString file = defaultFile());

    // KESTROVA_REGISTRY when set, else kestrova/registry.json under the user's configuration.
    static QString defaultFile();
    // The registry of the running Runtime, or the default one when there is none: where a
    // server's DllRegisterServer writes.
    static ClassRegistry inUse();
    const QString& file() const { return m_file; }

    std::optional<ServerRegistration::Class> findClass(const QUuid& clsid) const;
    // ProgIDs compare without regard to case; a null QUuid when the ProgID is not registered.
    QUuid clsidOf(const QString& progId) const;
    std::optional<ServerRegistration::TypeLibrary> findTypeLibrary(const QUuid& id) const;
    ServerRegistration contents() const;

    // Adds (or replaces) every entry of the registration, all in one write.
    void add(const ServerRegistration& registration);
    // Removes the classes, their ProgIDs and the type libraries of the registration.
    void remove(const ServerRegistration& registration);

private:
    QString m_file;
};

} // namespace com
