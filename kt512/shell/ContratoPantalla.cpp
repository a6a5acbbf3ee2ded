#include "ContratoPantalla.h"

#include "Publico.h"
#include "platform/com/LateBinding.h"
#include "platform/com/StandardErrors.h"

namespace kt512 {

ContratoPantalla::~ContratoPantalla() = default;

QString ContratoPantalla::Transaccion() const {
    if (!m_padre)
        throw com::objectNotSet();
    const QString delPadre =
        com::getProperty(m_padre.get(), QStringLiteral("Transaccion")).toString();
    return Funciones().ObtenerTransaccion(delPadre, QStringLiteral("Kestrova"));
}

} // namespace kt512
