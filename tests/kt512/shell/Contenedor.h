#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/Object.h"
#include "platform/com/StandardErrors.h"

#include <QVariant>

namespace ktest {

// The host's container as the screens see it: an object with a late-bound "Transaccion".
class Contenedor : public com::Object<com::IDispatch> {
public:
    int idOfName(const QString& name) override {
        if (conMiembro && name == QLatin1String("Transaccion"))
            return 1;
        throw com::notSupported(name);
    }
    QVariant invoke(int, com::InvokeKind, QVariantList&) override { return transaccion; }
    QVariant transaccion = QStringLiteral("LOG0001");
    bool conMiembro = true;
};

} // namespace ktest
