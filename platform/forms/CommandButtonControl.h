#pragma once

#include "ControlObject.h"

namespace forms {

// "VB.CommandButton": a push button. Key: caption. Event: "Click".
class CommandButtonControl : public ControlObject<IControl> {
public:
    CommandButtonControl();

    void applyDesign(const DesignKeys& keys) override;
};

} // namespace forms
