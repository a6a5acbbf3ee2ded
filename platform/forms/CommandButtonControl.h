#pragma once

#include "ControlObject.h"

namespace forms {

// "VB.CommandButton": a push button. Key: caption. Event: "Click".
class CommandButtonControl : public ControlObject<IControl> {
public:
    CommandButtonControl();

    void applyDesign(const QVariantMap& keys) override;
};

} // namespace forms
