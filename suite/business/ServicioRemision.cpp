#include "ServicioRemision.h"

#include "CancelacionDocumento.h"

namespace suite {

ServicioRemision::ServicioRemision(std::shared_ptr<HostSession> session)
    : m_session(std::move(session)) {}

ServicioRemision::~ServicioRemision() = default;

bool ServicioRemision::Cancelar(const QString& folio) {
    static const CancelacionDocumento::Documento documento{
        QStringLiteral("Remision"), QStringLiteral("Rm_Folio"), QStringLiteral("la remisión")};
    return CancelacionDocumento::cancelar(*m_session, documento, folio, m_mensajeError);
}

QString ServicioRemision::MensajeError() {
    return m_mensajeError;
}

} // namespace suite
