// The four entry points of libKT512.so, the only symbols it exports.
#include "Server.h"
#include "platform/com/ServerExports.h"

long DllGetClassObject(const QUuid* clsid, const QUuid* iid, void** out) {
    if (!clsid || !iid)
        return com::hr::Pointer;
    return kt512::Server::instance().getClassObject(*clsid, *iid, out);
}

long DllCanUnloadNow() {
    return kt512::Server::instance().canUnloadNow();
}

long DllRegisterServer() {
    return kt512::Server::instance().registerServer();
}

long DllUnregisterServer() {
    return kt512::Server::instance().unregisterServer();
}
