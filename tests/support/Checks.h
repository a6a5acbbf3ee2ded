#pragma once

#include "platform/com/RuntimeError.h"

#include <QFile>
#include <dlfcn.h>

namespace ktest {

// The error that `action` raises; number 0 and no text when it raises none.
template <typename Action> com::RuntimeError errorOf(Action&& action) {
    try {
        action();
    } catch (const com::RuntimeError& e) {
        return e;
    }
    return com::RuntimeError(QString(), 0);
}

// Whether the shared object at path is in this process now (without loading it).
inline bool libraryLoaded(const QString& path) {
    void* h = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_NOLOAD);
    if (h)
        dlclose(h);
    return h != nullptr;
}

} // namespace ktest
