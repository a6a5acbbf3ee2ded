#include "TextBoxWidget.h"

#include "AltKey.h"

#include <QKeyEvent>

namespace suite {

TextBoxWidget::TextBoxWidget(QWidget* parent) : QLineEdit(parent) {}

void TextBoxWidget::keyPressEvent(QKeyEvent* event) {
    if (keyHook && keyHook(event)) {
        event->accept();
        return;
    }
    if (typesWithAlt(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TextBoxWidget::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (focusInHook)
        focusInHook();
}

void TextBoxWidget::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (focusOutHook)
        focusOutHook();
}

} // namespace suite
