#pragma once

#include "ControlObject.h"
#include "IContainer.h"

namespace forms {

// "VB.Frame": a captioned box holding other controls, placed from its top-left corner.
// Disabling it disables what it holds.
class FrameControl : public ControlObject<IControl, IContainer> {
public:
    FrameControl();

    void applyDesign(const DesignKeys& keys) override;
    QWidget* childArea(const DesignKeys& childKeys) override;
};

} // namespace forms
