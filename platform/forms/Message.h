#pragma once

#include <QString>
#include <QtGlobal>

namespace forms {

// One message for the user, with the six arguments a screen hands to Sistema.MostrarMensaje
// read as text (the window handle as a number).
struct Message {
    QString text;
    long style = 0;
    QString title;
    qint64 hWnd = 0;
    QString module;
    QString id;
};

} // namespace forms
