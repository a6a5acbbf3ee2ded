#include "AltKey.h"

#include <QKeyEvent>

namespace suite {

bool typesWithAlt(const QKeyEvent* event) {
    if (!(event->modifiers() & Qt::AltModifier))
        return false;
    const int key = event->key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return true;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace suite
