#pragma once

#include "ControlObject.h"
#include "Timer.h"

#include <memory>

namespace forms {

// "VB.Timer": draws nothing; raises "Timer" every Interval milliseconds while Enabled and the
// interval is above 0.
class TimerControl : public ControlObject<Timer> {
public:
    TimerControl();
    ~TimerControl() override;

    void applyDesign(const DesignKeys& keys) override;
    int Interval() const override;
    void setInterval(int ms) override;
    bool Enabled() const override;
    void setEnabled(bool enabled) override;
    void tick() override;

private:
    void restart();

    struct State;
    std::unique_ptr<State> d;
};

} // namespace forms
