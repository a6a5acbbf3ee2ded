#pragma once

#include <QEvent>
#include <QPointer>

namespace forms {

// Qt hands a key event the focus widget ignored on to its parents, as the same event object.
// A filter watching a widget and its ancestors uses this to act on each key only once.
class KeyPropagation {
public:
    // True when event reaches receiver for the first time, false when it is the same event
    // going on to an ancestor of the widget that had it before.
    bool firstDelivery(QObject* receiver, const QEvent* event);

private:
    const QEvent* m_event = nullptr;
    QEvent::Type m_type = QEvent::None;
    int m_key = 0;
    QPointer<QObject> m_receiver;
};

} // namespace forms
