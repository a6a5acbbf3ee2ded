#include "CommandButtonControl.h"

#include <QPushButton>

namespace forms {

CommandButtonControl::CommandButtonControl()
    : ControlObject(new QPushButton, {QStringLiteral("Click")}) {
    auto* button = static_cast<QPushButton*>(widget());
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button,
                     [this] { events().fire(QStringLiteral("Click")); });
}

void CommandButtonControl::applyDesign(const DesignKeys& keys) {
    static_cast<QPushButton*>(widget())->setText(keys.value(QStringLiteral("caption")).toString());
}

} // namespace forms
