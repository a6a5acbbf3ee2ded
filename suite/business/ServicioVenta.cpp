#include "ServicioVenta.h"

#include "CancelacionDocumento.h"

namespace suite {

ServicioVenta::ServicioVenta(std::shared_ptr<HostSession> session)
    : m_session(std::move(session)) {}

ServicioVenta::~ServicioVenta() = default;

bool ServicioVenta::Cancelar(const QString& folio) {
    static const CancelacionDocumento::Documento documento{
        QStringLiteral("Venta"), QStringLiteral("Vn_Folio"), QStringLiteral("la venta")};
    return CancelacionDocumento::cancelar(*m_session, documento, folio, m_mensajeError);
}

QString ServicioVenta::MensajeError() {
    return m_mensajeError;
}

} // namespace suite
