#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace forms {

// While it lives, the application shows the wait cursor and the window takes no mouse or
// keyboard input; what the user pressed in the meantime is dropped when it ends, so that no
// click lands on a screen that has changed under it. Other windows, such as a message box
// shown during the work, still take their input.
class BusyWindow : public QObject {
public:
    explicit BusyWindow(QWidget* window);
    ~BusyWindow() override;
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
};

} // namespace forms
