#include "KeyPropagation.h"

#include <QKeyEvent>

namespace forms {

bool KeyPropagation::firstDelivery(QObject* receiver, const QEvent* event) {
    const int key = static_cast<const QKeyEvent*>(event)->key();
    if (event == m_event && event->type() == m_type && key == m_key && m_receiver) {
        for (QObject* o = m_receiver->parent(); o; o = o->parent())
            if (o == receiver)
                return false;
    }
    m_event = event;
    m_type = event->type();
    m_key = key;
    m_receiver = receiver;
    return true;
}

} // namespace forms
