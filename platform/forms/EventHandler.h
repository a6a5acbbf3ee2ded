#pragma once

#include <QVariantList>
#include <functional>

namespace forms {

// An event handler receives the event's arguments by reference, as VB event procedures do:
// a handler that writes args[0] of a KeyPress changes the KeyAscii the control goes on with.
using EventHandler = std::function<void(QVariantList& args)>;

} // namespace forms
