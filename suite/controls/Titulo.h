#pragma once

#include "KitControl.h"

namespace suite {

class TitleBandWidget;

// The kit's title bar (titlebarVex.Titulo): icon (pictureicono), caption and the window's
// buttons. showminbutton and showmaxbutton ("SI"/"NO") minimise and maximise the window
// themselves; the exit button (showexitbutton, shown unless "NO") raises "SalirClick". The bar
// drags its window.
class Titulo : public KitControl<TitleBandWidget> {
public:
    Titulo();
    ~Titulo() override;

    void applyDesign(const forms::DesignKeys& keys) override;
};

} // namespace suite
