#pragma once

#include "ControlDesign.h"

#include <QColor>
#include <QList>
#include <QString>

namespace forms {

struct FormDesign {
    QString name;                          // the window's objectName ("frmKT512")
    QString caption;                       // the window title
    int clientWidth = 0, clientHeight = 0; // twips
    QColor backColor;
    bool keyPreview = false;
    bool sizable = true;
    QList<ControlDesign> controls; // in creation order; containers before what they hold
};

} // namespace forms
