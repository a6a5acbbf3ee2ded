#pragma once

#include "ColourScheme.h"
#include "KitControl.h"
#include "kt512/services/IcolorVEX.h"

namespace suite {

// The kit's colour scheme (coloresVEX.colorVEX): invisible on its form. AplicarColores gives the
// form that holds it the suite's colours, as they stand in its keys: the background of the
// window (and with it of frames, labels and tab pages), the enabled, disabled and focus colours
// of the text boxes and date pickers that do not set their own, the calendars' colours, the
// font sizes of labels and text boxes, and the lists' grid colours when the keys give them.
// Controls created after the call keep their own colours.
class ColorVex : public KitControl<QWidget, kt512::IcolorVEX> {
public:
    ColorVex();
    ~ColorVex() override;

    void applyDesign(const forms::DesignKeys& keys) override;
    void AplicarColores() override;

    const ColourScheme& scheme() const { return m_scheme; }

private:
    QVariantMap m_keys;
    ColourScheme m_scheme;
};

} // namespace suite
