// A component with one class, "KTest.Contador", whose objects count the calls of "Incrementar".
// It counts its objects and server locks as a real component does.
#include "platform/com/Boundary.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/Dispatch.h"
#include "platform/com/ModuleClassFactory.h"
#include "platform/com/ModulePath.h"
#include "platform/com/Object.h"
#include "platform/com/ServerExports.h"
#include "platform/com/StandardErrors.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

const QUuid kClsid{0x1b7f0c3e, 0x2f49, 0x4c55, 0x8a, 0x1e, 0x5d, 0x0c, 0x9e, 0x44, 0x71, 0x20};
const QUuid kLibrary{0x1b7f0c3e, 0x2f49, 0x4c55, 0x8a, 0x1e, 0x5d, 0x0c, 0x9e, 0x44, 0x71, 0x21};

com::ModuleCount module;

class Contador : public com::Object<com::IDispatch> {
public:
    int idOfName(const QString& name) override {
        if (name.compare("Incrementar", Qt::CaseInsensitive) != 0)
            throw com::notSupported(name);
        return 1;
    }
    QVariant invoke(int, com::InvokeKind, QVariantList&) override { return ++m_value; }

private:
    com::ModuleCount::Lock m_alive{module};
    int m_value = 0;
};

com::ServerRegistration registration() {
    const QString path = com::modulePath(reinterpret_cast<const void*>(&DllGetClassObject));
    return {{{kClsid, "KTest.Contador", "Contador", path, kLibrary}},
            {{kLibrary, "KTest", "1.0", path}}};
}

} // namespace

EXPORT long DllGetClassObject(const QUuid* clsid, const QUuid* iid, void** out) {
    *out = nullptr;
    if (*clsid != kClsid)
        return com::hr::ClassNotAvailable;
    const auto factory = com::newObject<com::ModuleClassFactory>(
        module, []() -> com::Ptr<com::IUnknown> { return com::newObject<Contador>(); });
    *out = factory->queryInterface(*iid);
    return *out ? com::hr::Ok : com::hr::NoInterface;
}

EXPORT long DllCanUnloadNow() {
    return module.count() == 0 ? com::hr::Ok : com::hr::False;
}

EXPORT long DllRegisterServer() {
    return com::guardExport("DllRegisterServer", [] {
        com::ClassRegistry::inUse().add(registration());
        return com::hr::Ok;
    });
}

EXPORT long DllUnregisterServer() {
    return com::guardExport("DllUnregisterServer", [] {
        com::ClassRegistry::inUse().remove(registration());
        return com::hr::Ok;
    });
}
