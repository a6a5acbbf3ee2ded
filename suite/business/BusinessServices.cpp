#include "BusinessServices.h"

#include "ServicioRemision.h"
#include "ServicioVenta.h"
#include "kt512/services/ClassIds.h"
#include "platform/com/FunctionFactory.h"
#include "platform/com/Runtime.h"

namespace suite {

void registerBusinessServices(com::Runtime& runtime, std::shared_ptr<HostSession> session) {
    runtime.registerClassObject(kt512::ClassIds::ServicioVenta,
                                QStringLiteral("Kestrova.ServicioVenta"),
                                com::newObject<com::FunctionFactory>(
                                    [session] { return com::newObject<ServicioVenta>(session); }));
    runtime.registerClassObject(kt512::ClassIds::ServicioRemision,
                                QStringLiteral("Kestrova.ServicioRemision"),
                                com::newObject<com::FunctionFactory>([session] {
                                    return com::newObject<ServicioRemision>(session);
                                }));
}

} // namespace suite
