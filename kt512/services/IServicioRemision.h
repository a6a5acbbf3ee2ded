#pragma once

#include "platform/com/Unknown.h"

#include <QString>

namespace kt512 {

// The suite's remission component: cancels a remission on the host's connection.
class IServicioRemision : public com::IUnknown {
public:
    static constexpr QUuid IID{0x795DDD6D, 0x9181, 0x4B10, 0x99, 0x89, 0xA1, 0x42, 0x0B, 0x22, 0x86, 0xD2};

    virtual bool Cancelar(const QString& folio) = 0;
    virtual QString MensajeError() = 0;
};

} // namespace kt512
