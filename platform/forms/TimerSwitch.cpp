#include "TimerSwitch.h"

namespace forms {

namespace {
bool g_paused = false;
}

void setTimersPaused(bool paused) {
    g_paused = paused;
}

bool timersPaused() {
    return g_paused;
}

} // namespace forms
