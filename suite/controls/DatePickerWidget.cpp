#include "DatePickerWidget.h"

#include "AltKey.h"

#include <QKeyEvent>

namespace suite {

DatePickerWidget::DatePickerWidget(QWidget* parent) : QDateTimeEdit(parent) {}

void DatePickerWidget::keyPressEvent(QKeyEvent* event) {
    if (keyHook && keyHook(event)) {
        event->accept();
        return;
    }
    if (typesWithAlt(event)) {
        event->accept();
        return;
    }
    QDateTimeEdit::keyPressEvent(event);
}

void DatePickerWidget::focusInEvent(QFocusEvent* event) {
    QDateTimeEdit::focusInEvent(event);
    if (focusHook)
        focusHook(true);
}

void DatePickerWidget::focusOutEvent(QFocusEvent* event) {
    QDateTimeEdit::focusOutEvent(event);
    if (focusHook)
        focusHook(false);
}

} // namespace suite
