#pragma once

#include "platform/com/Unknown.h"

#include <QString>

namespace kt512 {

// The suite's sale component: cancels a sale on the host's connection.
class IServicioVenta : public com::IUnknown {
public:
    static constexpr QUuid IID{0x8C699FB2, 0x7D1A, 0x4B4D, 0x98, 0x0C, 0x46, 0x2E, 0x18, 0x92, 0x96, 0x41};

    virtual bool Cancelar(const QString& folio) = 0;
    virtual QString MensajeError() = 0;
};

} // namespace kt512
