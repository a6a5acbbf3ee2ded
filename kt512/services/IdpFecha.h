#pragma once

#include "platform/com/Unknown.h"

#include <QDateTime>

namespace kt512 {

// The kit's date or time picker. Design keys: format (2: time of day), font, tabonenter,
// calendar colours. Event: "Change" when the picked value changes, by the user or by code.
class IdpFecha : public com::IUnknown {
public:
    static constexpr QUuid IID{0x3a8e5b10, 0x7d2c, 0x4f61, 0xb0, 0x3e, 0x55, 0x19, 0xc2, 0x7a, 0x01, 0x02};

    virtual QDateTime Value() = 0;
    virtual void setValue(const QDateTime& value) = 0;
    virtual bool Enabled() = 0;
};

} // namespace kt512
