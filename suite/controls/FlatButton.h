#pragma once

#include "KitControl.h"

class QPushButton;

namespace suite {

// The kit's flat button (flatButtonVEX.flatButton): a caption on a flat face with a thin border.
// Keys: caption, backcolor, bordercolor, forecolor, focuscolor (the border while it has the
// focus), font, fontsize, fontbold, fontitalic; iconsize is accepted. Raises "Click".
class FlatButton : public KitControl<QPushButton> {
public:
    FlatButton();
    ~FlatButton() override;

    void applyDesign(const forms::DesignKeys& keys) override;

private:
    void updateStyle();

    QColor m_back{Qt::white};
    QColor m_border{0xAE, 0xB8, 0xC4};
    QColor m_fore{0x23, 0x36, 0x4A};
    QColor m_focus{0x3B, 0x82, 0xC4};
};

} // namespace suite
