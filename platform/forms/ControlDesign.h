#pragma once

#include <QString>
#include <QVariantMap>

namespace forms {

// One control of a form's design, as a form file describes it.
struct ControlDesign {
    QString progId; // "textoVEX.txtVEX", "MSComctlLib.ListView", "VB.Label", "VB.Menu"...
    QString name;   // becomes the widget's objectName
    int index = -1; // position in a control array, -1 when not in one
    int left = 0, top = 0, width = 0, height = 0; // twips
    QVariantMap keys;                             // design-time keys, lower-case names
    QString container; // name of the frame (or parent menu) holding it; empty: the form
    int tabIndex = -1;
};

} // namespace forms
