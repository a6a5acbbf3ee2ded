#include "Boundary.h"

#include "ErrorInfo.h"
#include "ServerExports.h"

#include <QtDebug>
#include <exception>

namespace com {

RuntimeError caughtError() {
    try {
        throw;
    } catch (const RuntimeError& e) {
        return e;
    } catch (const std::exception& e) {
        return RuntimeError(QString::fromLocal8Bit(e.what()), 5);
    } catch (...) {
        return RuntimeError(QStringLiteral("Internal error"), 51);
    }
}

long guardExport(const char* exportName, const std::function<long()>& work) {
    try {
        return work();
    } catch (...) {
        const RuntimeError error = caughtError();
        qWarning("%s failed: error %ld: %s", exportName, error.number(),
                 qUtf8Printable(error.description()));
        setErrorInfo(error);
        return hr::Fail;
    }
}

} // namespace com
