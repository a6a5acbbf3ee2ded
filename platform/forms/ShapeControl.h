#pragma once

#include "ControlObject.h"

namespace forms {

// "VB.Shape": a drawn figure and nothing else; mouse clicks go through it. Keys: shape
// (0 rectangle, 1 square, 2 oval, 3 circle, 4 rounded rectangle, 5 rounded square),
// borderstyle (0 none), borderwidth, bordercolor, backstyle (1 opaque), backcolor,
// fillstyle (0 solid), fillcolor.
class ShapeControl : public ControlObject<IControl> {
public:
    ShapeControl();

    void applyDesign(const DesignKeys& keys) override;
};

} // namespace forms
