#pragma once

#include <QLineEdit>
#include <functional>

namespace suite {

// The line edit of the kit's text box. Its control decides what keys and focus changes mean.
class TextBoxWidget : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBoxWidget(QWidget* parent = nullptr);

    // A key the control handled (returns true) does not reach the line edit.
    std::function<bool(QKeyEvent*)> keyHook;
    std::function<void()> focusInHook;
    std::function<void()> focusOutHook;

    // Moves the focus on as Tab does.
    void focusNext() { focusNextChild(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace suite
