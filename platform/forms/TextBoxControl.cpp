#include "TextBoxControl.h"

#include <QLineEdit>

namespace forms {

TextBoxControl::TextBoxControl() : ControlObject(new QLineEdit, {QStringLiteral("Change")}) {
    auto* edit = static_cast<QLineEdit*>(widget());
    QObject::connect(edit, &QLineEdit::textChanged, edit,
                     [this] { events().fire(QStringLiteral("Change")); });
}

void TextBoxControl::applyDesign(const DesignKeys& keys) {
    auto* edit = static_cast<QLineEdit*>(widget());
    if (keys.contains(QStringLiteral("maxlength"))) {
        const int length = keys.value(QStringLiteral("maxlength")).toInt();
        edit->setMaxLength(length > 0 ? length : 32767);
    }
    edit->setReadOnly(keys.value(QStringLiteral("locked")).toBool());
    edit->setText(keys.value(QStringLiteral("text")).toString());
}

} // namespace forms
