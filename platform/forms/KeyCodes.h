#pragma once

#include <Qt>

class QKeyEvent;

namespace forms {

// VB's view of a key event: the key code of KeyDown / KeyUp (F1 112, Esc 27, Enter 13, digits of
// the main row 48-57 whatever Shift does to them, letters 65-90, numeric keypad digits 96-105),
// the shift mask (1 Shift, 2 Ctrl, 4 Alt) and the character code of KeyPress. 0: none.
int vbKeyCode(const QKeyEvent& event);
int vbShift(Qt::KeyboardModifiers modifiers);
int vbKeyAscii(const QKeyEvent& event);

// The mouse button as VB numbers it: 1 left, 2 right, 4 middle.
int vbButton(Qt::MouseButton button);

} // namespace forms
