#include "FrameControl.h"

#include "VbColor.h"

#include <QGroupBox>

namespace forms {

FrameControl::FrameControl() : ControlObject(new QGroupBox, {}) {}

void FrameControl::applyDesign(const DesignKeys& keys) {
    auto* box = static_cast<QGroupBox*>(widget());
    box->setTitle(keys.value(QStringLiteral("caption")).toString());
    const QColor back = vbColor(keys.value(QStringLiteral("backcolor")));
    if (back.isValid()) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Window, back);
        box->setPalette(palette);
        box->setAutoFillBackground(true);
    }
}

QWidget* FrameControl::childArea(const DesignKeys&) {
    return widget();
}

} // namespace forms
