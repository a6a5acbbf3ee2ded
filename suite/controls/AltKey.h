#pragma once

class QKeyEvent;

namespace suite {

// Whether a key held with Alt would type into a box. Alt with a letter or a digit is the
// screens' own shortcut (Alt+1 picks a tab): it must never edit the box that has the focus.
bool typesWithAlt(const QKeyEvent* event);

} // namespace suite
