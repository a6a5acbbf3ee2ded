#pragma once

#include "platform/com/Unknown.h"

namespace forms {
class ListView;
}

namespace kt512 {

// The suite's list formatter, created fresh for each list load.
class IFormatoLista : public com::IUnknown {
public:
    static constexpr QUuid IID{0x57BB82C2, 0x6307, 0x48BB, 0xB5, 0x01, 0x93, 0x68, 0xA8, 0x35, 0x49, 0xCB};

    virtual void Aplicar(forms::ListView& lista) = 0;
};

} // namespace kt512
