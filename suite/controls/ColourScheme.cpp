#include "ColourScheme.h"

#include "DesignValue.h"

namespace suite {

ColourScheme ColourScheme::fromKeys(const QVariantMap& keys) {
    ColourScheme s;
    const auto colour = [&keys](const char* key, QColor& target) {
        target = DesignValue::toColor(keys.value(QLatin1String(key)), target);
    };
    colour("backcolor", s.back);
    colour("enablecolor", s.enabled);
    colour("disablecolor", s.disabled);
    colour("focuscolor", s.focus);
    colour("calendarbackcolor", s.calendarBack);
    colour("calendarforecolor", s.calendarFore);
    colour("calendartitlebackcolor", s.calendarTitleBack);
    colour("calendartitleforecolor", s.calendarTitleFore);
    colour("calendartrailingforecolor", s.calendarTrailingFore);
    colour("dbgridbackcolor", s.gridBack);
    colour("dbgridbackcoloreven", s.gridEven);
    colour("dbgridbackcolorodd", s.gridOdd);
    bool ok = false;
    const double label = keys.value(QStringLiteral("labelfontsize")).toDouble(&ok);
    if (ok && label > 0)
        s.labelFontSize = label;
    const double text = keys.value(QStringLiteral("textfontsize")).toDouble(&ok);
    if (ok && text > 0)
        s.textFontSize = text;
    return s;
}

} // namespace suite
