#pragma once

#include "RuntimeError.h"

#include <QCoreApplication>

namespace com {

// The one T of the running application: made on first use as a child of the application
// object, so that it goes with the application and never outlives it at process exit. T is a
// QObject taking its parent in its constructor. Raises when no application exists.
template <class T> T& applicationOwned() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        throw RuntimeError(QStringLiteral("No application is running"), 5);
    for (QObject* child : app->children()) {
        if (auto* owned = dynamic_cast<T*>(child))
            return *owned;
    }
    return *new T(app);
}

// The application's T when there is one already; for code that may run after the application.
template <class T> T* applicationOwnedIfAny() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return nullptr;
    for (QObject* child : app->children()) {
        if (auto* owned = dynamic_cast<T*>(child))
            return owned;
    }
    return nullptr;
}

} // namespace com
