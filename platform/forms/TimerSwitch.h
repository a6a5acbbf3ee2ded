#pragma once

namespace forms {

// While timers are paused no Timer control raises "Timer" by itself; Timer::tick() still does.
// Tests pause them to drive every tick by hand.
void setTimersPaused(bool paused);
bool timersPaused();

} // namespace forms
