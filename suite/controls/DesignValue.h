#pragma once

#include "platform/forms/DesignKeys.h"
#include <QColor>
#include <QFont>
#include <QVariant>
#include <QVariantMap>

namespace suite {

// Reading the values a form file stores for a control. Form files were written by hand and by
// tools over the years, so a Boolean may come as true, -1, "True" or "SI", a colour as 16119285,
// "&HF5F5F5&" or a system colour (&H80000005), and a font as a family name or a full QFont.
class DesignValue {
public:
    static bool toBool(const QVariant& value, bool fallback = false);
    static int toInt(const QVariant& value, int fallback = 0);
    // A colour number &HBBGGRR; negative numbers (high bit set) name a system colour, taken
    // from the application's palette.
    static QColor toColor(const QVariant& value, const QColor& fallback = {});
    // The point size to use for a form file's size: 8.25, the size every form was drawn with,
    // is the application's own font size here, and other sizes keep their proportion to it.
    static double pointSize(double designSize);
    // base changed by the keys font, fontsize, fontbold, fontitalic and fontunderline.
    static QFont font(const forms::DesignKeys& keys, const QFont& base);
};

} // namespace suite
