#include "FormWindow.h"

#include <QApplication>

namespace forms {

namespace {

QWidget* focusTarget(QWidget* w) {
    while (w->focusProxy())
        w = w->focusProxy();
    return w;
}

// Whether a control lies under another one of its container, created after it, that covers its
// middle: the user cannot see what such a control would be doing with the focus. A caption with
// no background of its own over a control hides nothing of it.
bool covered(const QWidget* w) {
    const QWidget* parent = w->parentWidget();
    if (!parent)
        return false;
    const QPoint middle = w->geometry().center();
    const QObjectList& siblings = parent->children();
    for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(w)) + 1; i < siblings.size(); ++i) {
        const auto* above = qobject_cast<const QWidget*>(siblings.at(i));
        if (above && !above->isWindow() && above->isVisible() &&
            (above->focusPolicy() != Qt::NoFocus || above->focusProxy() ||
             above->autoFillBackground()) &&
            above->geometry().contains(middle))
            return true;
    }
    return false;
}

bool takesTabFocus(QWidget* w) {
    if (!w || !w->isVisible() || !w->isEnabled() || covered(w))
        return false;
    QWidget* target = focusTarget(w);
    return target->isVisible() && target->isEnabled() && (target->focusPolicy() & Qt::TabFocus);
}

} // namespace

FormWindow::FormWindow() : QWidget(nullptr, Qt::Window) {}

void FormWindow::setTabOrder(std::vector<QPointer<QWidget>> order) {
    m_tabOrder = std::move(order);
}

bool FormWindow::focusNextPrevChild(bool next) {
    const int count = static_cast<int>(m_tabOrder.size());
    // Which control holds the focus: the focus may sit in a part of a compound control.
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !isAncestorOf(focus))
        focus = focusWidget();
    int current = -1;
    for (QWidget* w = focus; w && w != this && current < 0; w = w->parentWidget()) {
        for (int i = 0; i < count; ++i)
            if (m_tabOrder[size_t(i)] == w)
                current = i;
    }
    if (current < 0 && focus && isAncestorOf(focus))
        return QWidget::focusNextPrevChild(next);
    for (int step = 1; step <= count; ++step) {
        const int start = current < 0 ? (next ? -1 : count) : current;
        const int i = ((start + (next ? step : -step)) % count + count) % count;
        QWidget* candidate = m_tabOrder[size_t(i)];
        if (takesTabFocus(candidate)) {
            focusTarget(candidate)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return QWidget::focusNextPrevChild(next);
}

} // namespace forms
