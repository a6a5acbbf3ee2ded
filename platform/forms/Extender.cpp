#include "Extender.h"

#include "Twips.h"
#include "platform/com/RuntimeError.h"

namespace forms {

namespace {

com::RuntimeError invalidPropertyValue() {
    return com::RuntimeError(QStringLiteral("Invalid property value"), 380);
}

} // namespace

Extender::Extender(QWidget* widget) : m_widget(widget) {}

// A control that draws nothing (a timer, a menu item) has no position, size or focus.
static QWidget* required(const QPointer<QWidget>& widget) {
    if (!widget)
        throw com::RuntimeError(QStringLiteral("Object doesn't support this property or method"),
                                438);
    return widget.data();
}

int Extender::Left() const {
    return pixelsToTwipsX(required(m_widget)->x());
}
int Extender::Top() const {
    return pixelsToTwipsY(required(m_widget)->y());
}
int Extender::Width() const {
    return pixelsToTwipsX(required(m_widget)->width());
}
int Extender::Height() const {
    return pixelsToTwipsY(required(m_widget)->height());
}

void Extender::setLeft(int twips) {
    QWidget* w = required(m_widget);
    w->move(twipsToPixelsX(twips), w->y());
}

void Extender::setTop(int twips) {
    QWidget* w = required(m_widget);
    w->move(w->x(), twipsToPixelsY(twips));
}

void Extender::setWidth(int twips) {
    QWidget* w = required(m_widget);
    if (twips < 0)
        throw invalidPropertyValue();
    w->resize(twipsToPixelsX(twips), w->height());
}

void Extender::setHeight(int twips) {
    QWidget* w = required(m_widget);
    if (twips < 0)
        throw invalidPropertyValue();
    w->resize(w->width(), twipsToPixelsY(twips));
}

// A control's own setting: one inside a disabled frame still says it is enabled.
bool Extender::Enabled() const {
    return !required(m_widget)->testAttribute(Qt::WA_ForceDisabled);
}

void Extender::setEnabled(bool enabled) {
    required(m_widget)->setEnabled(enabled);
}

bool Extender::Visible() const {
    return !required(m_widget)->isHidden();
}

void Extender::setVisible(bool visible) {
    required(m_widget)->setVisible(visible);
}

bool Extender::canFocus() const {
    QWidget* w = m_widget.data();
    return w && w->isEnabled() && w->isVisible() &&
           (w->focusPolicy() != Qt::NoFocus || w->focusProxy());
}

void Extender::SetFocus() {
    if (!canFocus())
        throw com::RuntimeError(QStringLiteral("Invalid procedure call or argument"), 5);
    m_widget->setFocus(Qt::OtherFocusReason);
}

} // namespace forms
