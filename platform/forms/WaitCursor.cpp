#include "WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace forms {

WaitCursor::WaitCursor() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_shown = true;
}

WaitCursor::~WaitCursor() {
    if (m_shown)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace forms
