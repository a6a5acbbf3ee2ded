#pragma once

#include "platform/forms/Form.h"

namespace kt512 {

// The new delivery date dialog. For now it holds only its result flag, which the board reads
// on every activation.
class frmRecalendarizar : public forms::Form {
    Q_OBJECT
public:
    frmRecalendarizar();
    ~frmRecalendarizar() override;

    // True only after the operator accepted a valid date.
    bool Aceptado = false;
};

} // namespace kt512
