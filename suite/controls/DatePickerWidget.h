#pragma once

#include <QDateTimeEdit>
#include <functional>

namespace suite {

// The editor of the kit's date picker. Its control decides what keys and focus changes mean.
class DatePickerWidget : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit DatePickerWidget(QWidget* parent = nullptr);

    // A key the control handled (returns true) does not reach the editor.
    std::function<bool(QKeyEvent*)> keyHook;
    std::function<void(bool focused)> focusHook;

    // Moves the focus on to the next control. (Tab itself walks the day, month and year first.)
    void focusNext() { QWidget::focusNextPrevChild(true); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace suite
