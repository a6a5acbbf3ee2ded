#pragma once

#include "DesignKeys.h"
#include "platform/com/Unknown.h"

#include <QVariantMap>

class QWidget;

namespace forms {

// A control that holds other controls (a frame, a tab strip). The runtime asks it where a child
// goes; the child's design keys may say more (a tab strip reads "tab", the tab index).
class IContainer : public com::IUnknown {
public:
    static constexpr QUuid IID{0x6f1d2a40, 0x3c11, 0x4b7e, 0x9a, 0x51, 0x2e,
                               0x0b,       0x71,   0x8c,   0x44, 0x03};

    virtual QWidget* childArea(const DesignKeys& childKeys) = 0;
};

} // namespace forms
