#include "BusinessServices.h"

#include "ServicioRemision.h"
#include "ServicioVenta.h"
#include "kt512/services/ClassIds.h"
#include "platform/com/FunctionFactory.h"
#include "platform/com/Runtime.h"

namespace suite {

void registerBusinessServices(com::Runtime& runtime, std::shared_ptr<HostSession> session) {
    runtime.registerClassObject(
        kt512::ClassIds::ServicioVenta, QStringLiteral("Kestrova.ServicioVenta"),
        com::Ptr<com::IClassFactory>::adopt(com::make<com::FunctionFactory>(
            [session]() -> com::IUnknown* { return new ServicioVenta(session); })));
    runtime.registerClassObject(
        kt512::ClassIds::ServicioRemision, QStringLiteral("Kestrova.ServicioRemision"),
        com::Ptr<com::IClassFactory>::adopt(com::make<com::FunctionFactory>(
            [session]() -> com::IUnknown* { return new ServicioRemision(session); })));
}

} // namespace suite
