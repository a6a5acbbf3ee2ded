#pragma once

#include "kt512/services/IServicioRemision.h"
#include "platform/com/Object.h"

#include <memory>

namespace suite {

class HostSession;

// Cancels a remission (Remision.Es_Cve_Estado "CA") on the host's connection, within the caller's
// transaction when one is open.
class ServicioRemision : public com::Object<kt512::IServicioRemision> {
public:
    explicit ServicioRemision(std::shared_ptr<HostSession> session);
    ~ServicioRemision() override;

    bool Cancelar(const QString& folio) override;
    QString MensajeError() override;

private:
    std::shared_ptr<HostSession> m_session;
    QString m_mensajeError;
};

} // namespace suite
