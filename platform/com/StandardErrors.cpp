#include "StandardErrors.h"

namespace com {

RuntimeError typeMismatch() {
    return RuntimeError(QStringLiteral("Type mismatch"), 13);
}

RuntimeError objectNotSet() {
    return RuntimeError(QStringLiteral("Object variable or With block variable not set"), 91);
}

RuntimeError cannotCreateObject(const QString& reason) {
    return RuntimeError(
        reason.isEmpty() ? QStringLiteral("ActiveX component can't create object") : reason, 429);
}

RuntimeError notSupported(const QString& member) {
    return RuntimeError(QStringLiteral("Object doesn't support this property or method"), 438,
                        member);
}

} // namespace com
