#pragma once

#include "platform/forms/FormDesign.h"

// A form with two text boxes, a list and a third text box, in this tab order.
inline forms::FormDesign formaDePrueba() {
    forms::FormDesign design;
    design.name = QStringLiteral("frmPrueba");
    design.caption = QStringLiteral("Prueba");
    design.clientWidth = 9000;
    design.clientHeight = 6000;
    int tab = 0;
    auto add = [&](const char* progId, const char* name, int top, int height) {
        forms::ControlDesign c;
        c.progId = QLatin1String(progId);
        c.name = QLatin1String(name);
        c.left = 120;
        c.top = top;
        c.width = 8000;
        c.height = height;
        c.tabIndex = tab++;
        design.controls << c;
    };
    add("VB.TextBox", "txtUno", 120, 315);
    add("VB.TextBox", "txtDos", 540, 315);
    add("MSComctlLib.ListView", "lvLista", 960, 3000);
    add("VB.TextBox", "txtTres", 4200, 315);
    return design;
}
