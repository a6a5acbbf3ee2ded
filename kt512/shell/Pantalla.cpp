#include "Pantalla.h"

#include "Publico.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/Boundary.h"
#include "platform/com/StandardErrors.h"
#include "platform/com/Variant.h"

#include <QtDebug>

namespace kt512 {

Pantalla::Pantalla(com::ModuleCount& modulo) : m_vivo(modulo) {}

QVariant Pantalla::GetPantalla() {
    // The host gets an empty object, never an error, when the board cannot be had.
    try {
        frmKT512& board = Publico::current().board();
        return com::objectVariant(com::Ptr<com::IDispatch>(&board).query<com::IUnknown>());
    } catch (...) {
        qWarning("KT512: GetPantalla gives no board: %s",
                 qUtf8Printable(com::caughtError().description()));
        return com::objectVariant(com::Ptr<com::IUnknown>());
    }
}

QVariant Pantalla::Modulo() {
    return QStringLiteral("LOGISTICA");
}

int Pantalla::idOfName(const QString& name) {
    if (name.compare(QLatin1String("GetPantalla"), Qt::CaseInsensitive) == 0)
        return DispGetPantalla;
    if (name.compare(QLatin1String("Modulo"), Qt::CaseInsensitive) == 0)
        return DispModulo;
    throw com::notSupported(name);
}

QVariant Pantalla::invoke(int dispId, com::InvokeKind kind, QVariantList&) {
    // Both are read-only properties; a host may also invoke a property get as a method.
    if (kind == com::InvokeKind::PropertyGet || kind == com::InvokeKind::Method) {
        if (dispId == DispGetPantalla)
            return GetPantalla();
        if (dispId == DispModulo)
            return Modulo();
    }
    throw com::notSupported();
}

void* Pantalla::queryExtra(const QUuid& iid) {
    if (iid == com::IDispatch::IID)
        return static_cast<com::IDispatch*>(this);
    return nullptr;
}

} // namespace kt512
