#pragma once

namespace forms {

// The wait cursor, shown from construction to destruction: the operator sees at once that the
// screen is working, also while it waits on another user's lock.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_shown = false;
};

} // namespace forms
