#include "LabelControl.h"

#include "VbColor.h"

#include <QLabel>

namespace forms {

LabelControl::LabelControl() : ControlObject(new QLabel, {}) {}

void LabelControl::applyDesign(const DesignKeys& keys) {
    auto* label = static_cast<QLabel*>(widget());
    label->setText(keys.value(QStringLiteral("caption")).toString());
    label->setTextFormat(Qt::PlainText);
    Qt::Alignment horizontal = Qt::AlignLeft;
    switch (keys.value(QStringLiteral("alignment")).toInt()) {
    case 1:
        horizontal = Qt::AlignRight;
        break;
    case 2:
        horizontal = Qt::AlignHCenter;
        break;
    default:
        break;
    }
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setWordWrap(keys.value(QStringLiteral("wordwrap")).toBool());

    QPalette palette = label->palette();
    const QColor fore = vbColor(keys.value(QStringLiteral("forecolor")));
    if (fore.isValid())
        palette.setColor(QPalette::WindowText, fore);
    const QColor back = vbColor(keys.value(QStringLiteral("backcolor")));
    const bool opaque = keys.value(QStringLiteral("backstyle"), 1).toInt() != 0;
    if (back.isValid() && opaque) {
        palette.setColor(QPalette::Window, back);
        label->setAutoFillBackground(true);
    }
    label->setPalette(palette);

    QFont font = label->font();
    if (keys.contains(QStringLiteral("fontbold")))
        font.setBold(keys.value(QStringLiteral("fontbold")).toBool());
    if (keys.contains(QStringLiteral("fontsize")))
        font.setPointSizeF(keys.value(QStringLiteral("fontsize")).toDouble());
    label->setFont(font);
}

} // namespace forms
