#pragma once

#include "ControlObject.h"

namespace forms {

// "VB.Label": static text. Keys: caption, alignment (0 left, 1 right, 2 centre), wordwrap,
// backstyle (0 transparent), backcolor, forecolor, fontbold, fontsize.
class LabelControl : public ControlObject<IControl> {
public:
    LabelControl();

    void applyDesign(const DesignKeys& keys) override;
};

} // namespace forms
