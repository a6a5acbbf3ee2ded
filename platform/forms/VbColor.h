#pragma once

#include <QColor>
#include <QVariant>

namespace forms {

// A colour of a design key: a QColor, or a VB colour number &HBBGGRR. System colours
// (&H800000xx) and anything else give an invalid colour: keep the palette's own.
QColor vbColor(const QVariant& value);

} // namespace forms
