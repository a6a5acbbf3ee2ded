#pragma once

#include "IControl.h"

namespace forms {

// A menu of the form's design. A top-level menu with items is what PopupMenu shows;
// an item raises "Click".
class Menu : public IControl {
public:
    static constexpr QUuid IID{0x6f1d2a40, 0x3c11, 0x4b7e, 0x9a, 0x51, 0x2e,
                               0x0b,       0x71,   0x8c,   0x44, 0x13};

    virtual QString Caption() const = 0;
    virtual bool Enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
};

} // namespace forms
