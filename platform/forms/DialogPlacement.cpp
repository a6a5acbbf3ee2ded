#include "DialogPlacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace forms {

namespace {

bool canCall(const QWidget* w, const QWidget* dialog) {
    if (!w || w == dialog || !w->isVisible() || !w->isWindow())
        return false;
    const Qt::WindowType type = w->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

} // namespace

QWidget* DialogPlacement::callingWindow(const QWidget* dialog) {
    if (QWidget* active = QApplication::activeWindow(); canCall(active, dialog))
        return active;
    if (QWidget* modal = QApplication::activeModalWidget(); canCall(modal, dialog))
        return modal;
    // A message box that just closed leaves no window active: the last shown of the others is
    // the one the user was working in.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (canCall(*it, dialog))
            return *it;
    return nullptr;
}

void DialogPlacement::centerOver(QWidget* dialog, const QWidget* caller) {
    QScreen* screen = caller ? caller->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame = dialog->frameGeometry();
    frame.moveCenter(caller ? caller->frameGeometry().center() : area.center());
    frame.moveLeft(std::clamp(frame.left(), area.left(),
                              std::max(area.left(), area.right() + 1 - frame.width())));
    frame.moveTop(std::clamp(frame.top(), area.top(),
                             std::max(area.top(), area.bottom() + 1 - frame.height())));
    dialog->move(frame.topLeft());
}

void DialogPlacement::makeDialog(QWidget* window) {
    const Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (window->windowFlags() != flags)
        window->setWindowFlags(flags);
}

} // namespace forms
