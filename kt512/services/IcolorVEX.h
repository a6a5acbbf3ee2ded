#pragma once

#include "platform/com/Unknown.h"

namespace kt512 {

// The kit's colour scheme: applies the suite's colours to the form that holds it.
class IcolorVEX : public com::IUnknown {
public:
    static constexpr QUuid IID{0x3a8e5b10, 0x7d2c, 0x4f61, 0xb0, 0x3e, 0x55, 0x19, 0xc2, 0x7a, 0x01, 0x04};

    virtual void AplicarColores() = 0;
};

} // namespace kt512
