#pragma once

#include "IClassFactory.h"
#include "Ptr.h"

#include <QString>
#include <QUuid>
#include <memory>

namespace com {

// The process's object runtime: the class registry file (CLSID -> in-process server library,
// ProgID -> CLSID, type libraries) plus the class objects that the process itself registered,
// which are looked up first. main() (or a test) creates one, after the application object, and
// owns it; current() is the newest one alive in the application.
class Runtime {
public:
    // registryFile empty: KESTROVA_REGISTRY, else ~/.config/kestrova/registry.json.
    explicit Runtime(const QString& registryFile = {});
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    static Runtime& current();
    static bool exists();
    QString registryFile() const;

    // Class objects of this process (CoRegisterClassObject).
    void registerClassObject(const QUuid& clsid, const QString& progId, Ptr<IClassFactory> factory);
    void revokeClassObject(const QUuid& clsid);

    // Registering an in-process server: loads the library and calls its DllRegisterServer, or
    // DllUnregisterServer. Raise RuntimeError with a clear message; nothing is left half-done.
    void registerServer(const QString& libraryPath);
    void unregisterServer(const QString& libraryPath);

    QUuid clsidFromProgId(const QString& progId) const; // raises for an unknown ProgID
    // New object of a class, by CLSID or ProgID ("KT512.Pantalla"); loads its server on demand.
    Ptr<IUnknown> createInstance(const QUuid& clsid);
    // The class object (factory) of a class, as createInstance finds it (CoGetClassObject).
    Ptr<IClassFactory> getClassObject(const QUuid& clsid);
    Ptr<IUnknown> createInstance(const QString& progId);
    template <class I> Ptr<I> create(const QUuid& clsid) {
        return createInstance(clsid).template as<I>();
    }

    // Unloads every loaded server whose DllCanUnloadNow answers yes (CoFreeUnusedLibraries).
    void freeUnusedLibraries();

private:
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace com
