#include "Runtime.h"

#include "ApplicationOwned.h"
#include "ClassRegistry.h"
#include "ErrorInfo.h"
#include "Guid.h"
#include "ServerExports.h"
#include "StandardErrors.h"
#include "Variant.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QtDebug>
#include <algorithm>
#include <dlfcn.h>
#include <vector>

namespace com {

namespace {

// The runtimes of the application, the current one last.
class RuntimesOfApplication : public QObject {
public:
    using QObject::QObject;
    std::vector<Runtime*> stack;
};

Runtime* currentRuntime() {
    const auto* all = applicationOwnedIfAny<RuntimesOfApplication>();
    return all && !all->stack.empty() ? all->stack.back() : nullptr;
}

struct Library {
    QString path;
    void* handle = nullptr;
    DllGetClassObjectFunction getClassObject = nullptr;
    DllCanUnloadNowFunction canUnloadNow = nullptr;
    DllRegisterServerFunction registerServer = nullptr;
    DllUnregisterServerFunction unregisterServer = nullptr;
};

struct ClassObject {
    QString progId;
    Ptr<IClassFactory> factory;
};

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString dlError() {
    const char* e = dlerror();
    return e ? QString::fromLocal8Bit(e) : QString();
}

// The error a failed export left behind, or a plain one naming the call.
RuntimeError exportFailure(const QString& what, long code) {
    if (auto error = takeErrorInfo())
        return *error;
    return RuntimeError(QStringLiteral("%1 (código 0x%2).")
                            .arg(what)
                            .arg(static_cast<quint32>(code), 8, 16, QLatin1Char('0')),
                        code);
}

} // namespace

class Runtime::Private {
public:
    explicit Private(QString file) : registry(std::move(file)) {}

    Library& load(const QString& path);
    void unload(Library& library);

    ClassRegistry registry;
    QHash<QUuid, ClassObject> classObjects;
    std::vector<Library> libraries; // in load order
};

Library& Runtime::Private::load(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        throw RuntimeError(QStringLiteral("No existe el componente «%1».").arg(native(path)), 53);
    const QString canonical = info.canonicalFilePath();
    for (Library& library : libraries) {
        if (library.path == canonical)
            return library;
    }
    dlerror();
    Library library;
    library.path = canonical;
    library.handle = dlopen(QFile::encodeName(canonical).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library.handle)
        throw RuntimeError(QStringLiteral("«%1» no es un componente: no se puede cargar como "
                                          "biblioteca compartida (%2).")
                               .arg(native(path), dlError()),
                           48);
    const auto resolve = [&library](const char* name) { return dlsym(library.handle, name); };
    library.getClassObject =
        reinterpret_cast<DllGetClassObjectFunction>(resolve("DllGetClassObject"));
    library.canUnloadNow = reinterpret_cast<DllCanUnloadNowFunction>(resolve("DllCanUnloadNow"));
    library.registerServer =
        reinterpret_cast<DllRegisterServerFunction>(resolve("DllRegisterServer"));
    library.unregisterServer =
        reinterpret_cast<DllUnregisterServerFunction>(resolve("DllUnregisterServer"));
    QStringList missing;
    if (!library.getClassObject)
        missing << QStringLiteral("DllGetClassObject");
    if (!library.canUnloadNow)
        missing << QStringLiteral("DllCanUnloadNow");
    if (!library.registerServer)
        missing << QStringLiteral("DllRegisterServer");
    if (!library.unregisterServer)
        missing << QStringLiteral("DllUnregisterServer");
    if (!missing.isEmpty()) {
        dlclose(library.handle);
        throw RuntimeError(QStringLiteral("«%1» no es un componente: no ofrece %2.")
                               .arg(native(path), missing.join(QStringLiteral(", "))),
                           453);
    }
    libraries.push_back(library);
    return libraries.back();
}

void Runtime::Private::unload(Library& library) {
    if (dlclose(library.handle) != 0)
        qWarning().noquote() << "com: cannot unload" << library.path << dlError();
    library.handle = nullptr;
}

Runtime::Runtime(const QString& registryFile)
    : d(std::make_unique<Private>(registryFile.isEmpty() ? ClassRegistry::defaultFile()
                                                         : registryFile)) {
    qRegisterMetaType<Ptr<IUnknown>>("com::Ptr<com::IUnknown>");
    applicationOwned<RuntimesOfApplication>().stack.push_back(this);
}

Runtime::~Runtime() {
    d->classObjects.clear();
    // As at the end of a COM apartment, every server goes, unless its objects are still in
    // use: unloading it then would leave them pointing at unmapped code.
    for (auto it = d->libraries.rbegin(); it != d->libraries.rend(); ++it) {
        if (it->canUnloadNow() == hr::Ok)
            d->unload(*it);
        else
            qWarning().noquote() << "com: objects of" << it->path << "are still alive; left loaded";
    }
    if (auto* all = applicationOwnedIfAny<RuntimesOfApplication>())
        all->stack.erase(std::remove(all->stack.begin(), all->stack.end(), this), all->stack.end());
}

Runtime& Runtime::current() {
    Runtime* runtime = currentRuntime();
    if (!runtime)
        throw cannotCreateObject(QStringLiteral("No hay un entorno de objetos activo."));
    return *runtime;
}

bool Runtime::exists() {
    return currentRuntime() != nullptr;
}

QString Runtime::registryFile() const {
    return d->registry.file();
}

void Runtime::registerClassObject(const QUuid& clsid, const QString& progId,
                                  Ptr<IClassFactory> factory) {
    d->classObjects.insert(clsid, ClassObject{progId, std::move(factory)});
}

void Runtime::revokeClassObject(const QUuid& clsid) {
    d->classObjects.remove(clsid);
}

void Runtime::registerServer(const QString& libraryPath) {
    const std::size_t loadedBefore = d->libraries.size();
    Library& library = d->load(libraryPath);
    const bool loadedHere = d->libraries.size() > loadedBefore;
    clearErrorInfo();
    const long result = library.registerServer();
    if (loadedHere && library.canUnloadNow() == hr::Ok) {
        d->unload(library);
        d->libraries.pop_back();
    }
    if (result < 0)
        throw exportFailure(QStringLiteral("No se pudo registrar «%1»").arg(native(libraryPath)),
                            result);
}

void Runtime::unregisterServer(const QString& libraryPath) {
    const std::size_t loadedBefore = d->libraries.size();
    Library& library = d->load(libraryPath);
    const bool loadedHere = d->libraries.size() > loadedBefore;
    clearErrorInfo();
    const long result = library.unregisterServer();
    if (loadedHere && library.canUnloadNow() == hr::Ok) {
        d->unload(library);
        d->libraries.pop_back();
    }
    if (result < 0)
        throw exportFailure(
            QStringLiteral("No se pudo quitar el registro de «%1»").arg(native(libraryPath)),
            result);
}

QUuid Runtime::clsidFromProgId(const QString& progId) const {
    for (auto it = d->classObjects.cbegin(); it != d->classObjects.cend(); ++it) {
        if (it->progId.compare(progId, Qt::CaseInsensitive) == 0)
            return it.key();
    }
    const QUuid clsid = d->registry.clsidOf(progId);
    if (clsid.isNull())
        throw cannotCreateObject(
            QStringLiteral("No se puede crear el objeto: la clase «%1» no está registrada (%2).")
                .arg(progId, native(d->registry.file())));
    return clsid;
}

Ptr<IClassFactory> Runtime::getClassObject(const QUuid& clsid) {
    const auto own = d->classObjects.constFind(clsid);
    if (own != d->classObjects.cend())
        return own->factory;
    const auto entry = d->registry.findClass(clsid);
    if (!entry)
        throw cannotCreateObject(
            QStringLiteral("No se puede crear el objeto: la clase %1 no está registrada (%2).")
                .arg(guidString(clsid), native(d->registry.file())));
    Library& library = d->load(entry->server);
    clearErrorInfo();
    void* out = nullptr;
    const long result = library.getClassObject(&clsid, &IClassFactory::IID, &out);
    if (result < 0 || !out) {
        const RuntimeError failure =
            exportFailure(QStringLiteral("No se puede crear el objeto: «%1» no ofrece la clase %2")
                              .arg(native(entry->server), guidString(clsid)),
                          result < 0 ? result : hr::ClassNotAvailable);
        throw cannotCreateObject(failure.description());
    }
    return Ptr<IClassFactory>::adopt(static_cast<IClassFactory*>(out));
}

Ptr<IUnknown> Runtime::createInstance(const QUuid& clsid) {
    // A local copy: a process factory may revoke itself while it works.
    const Ptr<IClassFactory> factory = getClassObject(clsid);
    return Ptr<IUnknown>::adopt(static_cast<IUnknown*>(factory->createInstance(IUnknown::IID)));
}

Ptr<IUnknown> Runtime::createInstance(const QString& progId) {
    return createInstance(clsidFromProgId(progId));
}

void Runtime::freeUnusedLibraries() {
    for (auto it = d->libraries.begin(); it != d->libraries.end();) {
        if (it->canUnloadNow() == hr::Ok) {
            d->unload(*it);
            it = d->libraries.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace com
