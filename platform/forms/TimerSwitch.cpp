#include "TimerSwitch.h"

#include "platform/com/ApplicationOwned.h"

namespace forms {

namespace {

class TimerSwitchOfApplication : public QObject {
public:
    using QObject::QObject;
    bool paused = false;
};

} // namespace

void setTimersPaused(bool paused) {
    com::applicationOwned<TimerSwitchOfApplication>().paused = paused;
}

bool timersPaused() {
    return com::applicationOwned<TimerSwitchOfApplication>().paused;
}

} // namespace forms
