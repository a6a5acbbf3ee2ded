#pragma once

#include <QString>

namespace com {

// The absolute path of the loaded file (library or executable) holding the given address: a
// server uses the address of one of its own functions to learn where it was loaded from.
QString modulePath(const void* address);

} // namespace com
