#pragma once

#include "kt512/services/IServicioVenta.h"
#include "platform/com/Object.h"

#include <memory>

namespace suite {

class HostSession;

// Cancels a sale (Venta.Es_Cve_Estado "CA") on the host's connection, within the caller's
// transaction when one is open.
class ServicioVenta : public com::Object<kt512::IServicioVenta> {
public:
    explicit ServicioVenta(std::shared_ptr<HostSession> session);
    ~ServicioVenta() override;

    bool Cancelar(const QString& folio) override;
    QString MensajeError() override;

private:
    std::shared_ptr<HostSession> m_session;
    QString m_mensajeError;
};

} // namespace suite
