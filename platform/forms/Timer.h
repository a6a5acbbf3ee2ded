#pragma once

#include "IControl.h"

namespace forms {

// VB's Timer control: raises "Timer" every Interval milliseconds while Enabled.
// Tests pause the clock (setTimersPaused in TimerSwitch.h) and drive ticks by hand.
class Timer : public IControl {
public:
    static constexpr QUuid IID{0x6f1d2a40, 0x3c11, 0x4b7e, 0x9a, 0x51, 0x2e,
                               0x0b,       0x71,   0x8c,   0x44, 0x11};

    virtual int Interval() const = 0;
    virtual void setInterval(int ms) = 0;
    virtual bool Enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    // Raises "Timer" now, as an elapsed interval would: not while disabled or at interval 0.
    virtual void tick() = 0;
};

} // namespace forms
