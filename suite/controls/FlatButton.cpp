#include "FlatButton.h"

#include "DesignValue.h"

#include <QPushButton>

namespace suite {

FlatButton::FlatButton() : KitControl(new QPushButton, {QStringLiteral("Click")}) {
    view()->setCursor(Qt::PointingHandCursor);
    view()->setAutoDefault(false);
    QObject::connect(view(), &QPushButton::clicked, hooks(),
                     [this] { raise(QStringLiteral("Click")); });
    updateStyle();
}

FlatButton::~FlatButton() = default;

void FlatButton::applyDesign(const forms::DesignKeys& keys) {
    const auto has = [&keys](const char* key) { return keys.contains(QLatin1String(key)); };
    const auto value = [&keys](const char* key) { return keys.value(QLatin1String(key)); };
    if (has("caption"))
        view()->setText(value("caption").toString());
    m_back = DesignValue::toColor(value("backcolor"), m_back);
    m_border = DesignValue::toColor(value("bordercolor"), m_border);
    m_fore = DesignValue::toColor(value("forecolor"), m_fore);
    m_focus = DesignValue::toColor(value("focuscolor"), m_focus);
    if (has("font") || has("fontsize") || has("fontbold") || has("fontitalic"))
        view()->setFont(DesignValue::font(keys, view()->font()));
    updateStyle();
}

void FlatButton::updateStyle() {
    const QColor hover = m_back.lightness() > 200 ? m_back.darker(106) : m_back.lighter(115);
    view()->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid %3;"
                       " border-radius: 3px; padding: 0 10px; }"
                       "QPushButton:hover { background: %4; }"
                       "QPushButton:pressed { background: %5; }"
                       "QPushButton:focus { border: 1px solid %6; }"
                       "QPushButton:disabled { color: #9AA5B1; border-color: #C6CDD5; }")
            .arg(m_back.name(), m_fore.name(), m_border.name(), hover.name(),
                 m_back.darker(115).name(), m_focus.name()));
}

} // namespace suite
