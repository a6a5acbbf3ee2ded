// The four entry points of libKT512.so, the only symbols it exports.
#include "Server.h"
#include "platform/com/Boundary.h"
#include "platform/com/ServerExports.h"

long DllGetClassObject(const QUuid* clsid, const QUuid* iid, void** out) {
    return com::guardExport("DllGetClassObject", [&] {
        if (!clsid || !iid)
            return com::hr::Pointer;
        return kt512::Server::instance().getClassObject(*clsid, *iid, out);
    });
}

long DllCanUnloadNow() {
    return com::guardExport("DllCanUnloadNow", [] { return kt512::Server::canUnloadNowAndEnd(); });
}

long DllRegisterServer() {
    return com::guardExport("DllRegisterServer",
                            [] { return kt512::Server::instance().registerServer(); });
}

long DllUnregisterServer() {
    return com::guardExport("DllUnregisterServer",
                            [] { return kt512::Server::instance().unregisterServer(); });
}
