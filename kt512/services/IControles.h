#pragma once

#include "platform/com/Unknown.h"

#include <QString>

namespace kt512 {

// The kit's title toolbar. Design keys: caption, tabwidth, b1caption, b2caption,
// easyaccessenabled, showmenupopup, showwindowslist, showexitbutton ("SI"/"NO"),
// permitir_mover. Events: "SalirClick", "B1Click", "B2Click".
class IControles : public com::IUnknown {
public:
    static constexpr QUuid IID{0x3a8e5b10, 0x7d2c, 0x4f61, 0xb0, 0x3e, 0x55, 0x19, 0xc2, 0x7a, 0x01, 0x03};

    virtual void NotificarActivacion(bool valor) = 0;
    // The title shown on the band; a screen names in it what it is working on.
    virtual QString Caption() = 0;
    virtual void setCaption(const QString& caption) = 0;
};

} // namespace kt512
