#include "BusyWindow.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace forms {

namespace {

bool isInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}

} // namespace

BusyWindow::BusyWindow(QWidget* window) : m_window(window) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qApp->installEventFilter(this);
}

BusyWindow::~BusyWindow() {
    // Input queued while the work ran reaches the filter now, and is dropped.
    QCoreApplication::processEvents();
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}

bool BusyWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!m_window || !isInput(event->type()) || !watched->isWidgetType())
        return false;
    return static_cast<QWidget*>(watched)->window() == m_window;
}

} // namespace forms
