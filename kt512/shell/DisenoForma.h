#pragma once

#include "platform/forms/ControlDesign.h"

#include <QString>
#include <QVariantMap>

namespace kt512 {

// One control of a screen's design, as its form file lists it.
inline forms::ControlDesign control(const char* progId, const QString& name, int left, int top,
                                    int width, int height, QVariantMap keys, int tabIndex,
                                    const QString& container, int index = -1) {
    forms::ControlDesign c;
    c.progId = QString::fromLatin1(progId);
    c.name = name;
    c.index = index;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.keys = std::move(keys);
    c.container = container;
    c.tabIndex = tabIndex;
    return c;
}

inline forms::ControlDesign control(const char* progId, const QString& name, int left, int top,
                                    int width, int height, QVariantMap keys = {}, int tabIndex = -1,
                                    int index = -1) {
    return control(progId, name, left, top, width, height, std::move(keys), tabIndex, QString(),
                   index);
}

// The toolbar of a dialog: its title and the two buttons Aceptar and Cancelar, none of the
// suite's menus; dragging it moves the window.
inline QVariantMap barraDeDialogo(const QString& titulo) {
    return {{QStringLiteral("caption"), titulo},
            {QStringLiteral("b1caption"), QStringLiteral("Aceptar")},
            {QStringLiteral("b2caption"), QStringLiteral("Cancelar")},
            {QStringLiteral("tabwidth"), QStringLiteral("0")},
            {QStringLiteral("easyaccessenabled"), QStringLiteral("NO")},
            {QStringLiteral("showmenupopup"), QStringLiteral("NO")},
            {QStringLiteral("showwindowslist"), QStringLiteral("NO")},
            {QStringLiteral("showexitbutton"), QStringLiteral("NO")},
            {QStringLiteral("permitir_mover"), true}};
}

// The suite's colours, the same on every screen's colour scheme control.
inline QVariantMap coloresDelSistema() {
    return {{QStringLiteral("backcolor"), 16119285},
            {QStringLiteral("calendarbackcolor"), 16777215},
            {QStringLiteral("calendarforecolor"), 0},
            {QStringLiteral("calendartitlebackcolor"), 8405056},
            {QStringLiteral("calendartitleforecolor"), 16777215},
            {QStringLiteral("calendartrailingforecolor"), 8421504},
            {QStringLiteral("dbgridbackcolor"), 16777215},
            {QStringLiteral("dbgridbackcoloreven"), 16119285},
            {QStringLiteral("dbgridbackcolorodd"), 16777215},
            {QStringLiteral("enablecolor"), 16777215},
            {QStringLiteral("disablecolor"), 14540253},
            {QStringLiteral("focuscolor"), 12648447},
            {QStringLiteral("labelfontsize"), 8.25},
            {QStringLiteral("textfontsize"), 8.25},
            {QStringLiteral("menubackcolor"), 16119285},
            {QStringLiteral("menufontbackcolor"), 0},
            {QStringLiteral("menuselbackcolor"), 16764057}};
}

} // namespace kt512
