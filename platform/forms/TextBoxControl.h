#pragma once

#include "ControlObject.h"

namespace forms {

// "VB.TextBox": a one-line text box. Keys: text, maxlength, locked. Event: "Change".
class TextBoxControl : public ControlObject<IControl> {
public:
    TextBoxControl();

    void applyDesign(const DesignKeys& keys) override;
};

} // namespace forms
