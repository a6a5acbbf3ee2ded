#pragma once

#include <QColor>
#include <QVariantMap>

namespace suite {

// The suite's colours as a form's colour scheme control carries them. A colour the form file
// does not give keeps the suite's default; a grid colour it does not give is left invalid, and
// the lists then keep their own.
class ColourScheme {
public:
    static ColourScheme fromKeys(const QVariantMap& keys);

    QColor back{0xF5, 0xF5, 0xF5};
    QColor enabled{Qt::white};
    QColor disabled{0xDD, 0xDD, 0xDD};
    QColor focus{0xEA, 0xF3, 0xFF};
    QColor calendarBack{Qt::white};
    QColor calendarFore{0x20, 0x20, 0x20};
    QColor calendarTitleBack{0x3B, 0x6E, 0xA5};
    QColor calendarTitleFore{Qt::white};
    QColor calendarTrailingFore{0xA0, 0xA0, 0xA0};
    QColor gridBack;
    QColor gridEven;
    QColor gridOdd;
    double labelFontSize = 8.25;
    double textFontSize = 8.25;
};

} // namespace suite
