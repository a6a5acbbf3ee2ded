#pragma once

#include "KitControl.h"

class QToolButton;

namespace suite {

// The kit's image button (lvButtonVEX.lvButton). The form files carry the picture as binary
// data that does not travel; the button shows instead an icon of the desktop's theme (or Qt's
// own) chosen by what its tooltip or name says: refresh, view, search, save, print, delete...
// Raises "Click". Keys: tooltiptext, enab (enabled); the drawing keys are accepted.
class LvButton : public KitControl<QToolButton> {
public:
    LvButton();
    ~LvButton() override;

    void applyDesign(const forms::DesignKeys& keys) override;

private:
    void chooseIcon();
};

} // namespace suite
