#include "FormatoLista.h"
#include "Funciones.h"
#include "HostSession.h"
#include "Sistema.h"
#include "kt512/services/ClassIds.h"
#include "platform/com/FunctionFactory.h"
#include "platform/com/Runtime.h"

namespace suite {

namespace {

void registerClass(com::Runtime& runtime, const QUuid& clsid, const QString& progId,
                   std::function<com::Ptr<com::IUnknown>()> make) {
    runtime.registerClassObject(clsid, progId,
                                com::newObject<com::FunctionFactory>(std::move(make)));
}

} // namespace

void registerHostServices(com::Runtime& runtime, std::shared_ptr<HostSession> session) {
    registerClass(runtime, kt512::ClassIds::Sistema, QStringLiteral("Kestrova.Sistema"),
                  [session] { return com::newObject<Sistema>(session); });
    registerClass(runtime, kt512::ClassIds::Funciones, QStringLiteral("Kestrova.Funciones"),
                  [session] { return com::newObject<Funciones>(session); });
    registerClass(runtime, kt512::ClassIds::FormatoLista, QStringLiteral("Kestrova.FormatoLista"),
                  [] { return com::newObject<FormatoLista>(); });
}

} // namespace suite
