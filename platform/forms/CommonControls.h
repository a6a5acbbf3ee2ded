#pragma once

#include "IControl.h"
#include "platform/com/Ptr.h"

#include <QString>

namespace forms {

// The controls the forms runtime brings itself: "MSComctlLib.ListView", "MSComctlLib.ImageList",
// "MSComCtl2.MonthView", "VB.Timer", "VB.Menu", "VB.Frame", "VB.Label", "VB.Shape",
// "VB.CommandButton" and "VB.TextBox". Any other class comes from the object runtime.
bool isCommonControl(const QString& progId);
// A new control of one of those classes, its widget not yet placed; empty for any other ProgID.
com::Ptr<IControl> createCommonControl(const QString& progId);

} // namespace forms
