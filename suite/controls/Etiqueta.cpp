#include "Etiqueta.h"

#include "ColourScheme.h"
#include "DesignValue.h"

#include <QLabel>

namespace suite {

Etiqueta::Etiqueta() : KitControl(new QLabel, {}) {
    view()->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette p = view()->palette();
    p.setColor(QPalette::WindowText, QColor(0x33, 0x41, 0x55));
    view()->setPalette(p);
}

Etiqueta::~Etiqueta() = default;

void Etiqueta::applyDesign(const forms::DesignKeys& keys) {
    QLabel* label = view();
    const auto has = [&keys](const char* key) { return keys.contains(QLatin1String(key)); };
    const auto value = [&keys](const char* key) { return keys.value(QLatin1String(key)); };
    if (has("caption"))
        label->setText(value("caption").toString());
    if (has("idetiqueta"))
        m_idEtiqueta = value("idetiqueta").toString();
    if (has("alignment")) {
        const int alignment = DesignValue::toInt(value("alignment"), 0);
        const Qt::Alignment h = alignment == 1   ? Qt::AlignRight
                                : alignment == 2 ? Qt::AlignHCenter
                                                 : Qt::AlignLeft;
        label->setAlignment(h | Qt::AlignVCenter);
    }
    QPalette p = label->palette();
    if (has("forecolor"))
        p.setColor(QPalette::WindowText,
                   DesignValue::toColor(value("forecolor"), p.color(QPalette::WindowText)));
    // A system colour as background is the old default of labels: here they show the form's.
    if (has("backcolor") && DesignValue::toInt(value("backcolor"), -1) >= 0) {
        p.setColor(QPalette::Window, DesignValue::toColor(value("backcolor")));
        label->setAutoFillBackground(true);
    }
    label->setPalette(p);
    if (has("font") || has("fontsize") || has("fontbold") || has("fontitalic")) {
        m_designFontSize = m_designFontSize || has("fontsize");
        label->setFont(DesignValue::font(keys, label->font()));
    }
    if (has("enabled"))
        label->setEnabled(DesignValue::toBool(value("enabled"), true));
}

void Etiqueta::applyScheme(const ColourScheme& scheme) {
    if (m_designFontSize)
        return;
    QFont f = view()->font();
    f.setPointSizeF(DesignValue::pointSize(scheme.labelFontSize));
    view()->setFont(f);
}

} // namespace suite
