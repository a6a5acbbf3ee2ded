#pragma once

#include <memory>

namespace com {
class Runtime;
}

namespace suite {

class HostSession;

// Class objects of ServicioVenta and ServicioRemision over the session ("Kestrova.ServicioVenta",
// "Kestrova.ServicioRemision"): each object the component creates cancels on the host's
// connection.
void registerBusinessServices(com::Runtime& runtime, std::shared_ptr<HostSession> session);

} // namespace suite
