#pragma once

#include "kt512/services/IFormatoLista.h"
#include "platform/com/Object.h"

namespace suite {

// Makes a filled list readable: each column as wide as its header and its longest text (within
// a cap), numbers aligned right, and dates in the operators' format.
class FormatoLista : public com::Object<kt512::IFormatoLista> {
public:
    void Aplicar(forms::ListView& lista) override;
};

} // namespace suite
