#include "ContratoPantalla.h"

#include "Publico.h"
#include "platform/com/LateBinding.h"
#include "platform/com/StandardErrors.h"
#include "platform/com/Variant.h"

namespace kt512 {

ContratoPantalla::~ContratoPantalla() = default;

QString ContratoPantalla::Transaccion() const {
    if (!m_padre)
        throw com::objectNotSet();
    const QString delPadre =
        com::getProperty(m_padre.get(), QStringLiteral("Transaccion")).toString();
    return Funciones().ObtenerTransaccion(delPadre, QStringLiteral("Kestrova"));
}

QStringList ContratoPantalla::miembrosDelContrato() {
    return {QStringLiteral("Padre"), QStringLiteral("Transaccion")};
}

std::optional<QVariant> ContratoPantalla::miembroDelContrato(const QString& name,
                                                             com::InvokeKind kind,
                                                             QVariantList& args,
                                                             QLatin1String alias) {
    const auto es = [&name](QLatin1String miembro) {
        return !miembro.isEmpty() && name.compare(miembro, Qt::CaseInsensitive) == 0;
    };
    if (es(QLatin1String("Padre")) || es(alias)) {
        if (kind == com::InvokeKind::PropertyGet)
            return com::objectVariant(Padre());
        if ((kind == com::InvokeKind::PropertyPutRef || kind == com::InvokeKind::PropertyPut) &&
            !args.isEmpty()) {
            // Nothing clears the parent.
            const com::Ptr<com::IUnknown> objeto = com::objectOf(args.constFirst());
            setPadre(objeto ? objeto.as<com::IDispatch>() : com::Ptr<com::IDispatch>());
            return QVariant();
        }
    }
    if (es(QLatin1String("Transaccion")) && kind == com::InvokeKind::PropertyGet)
        return Transaccion();
    return std::nullopt;
}

} // namespace kt512
