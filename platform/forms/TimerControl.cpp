#include "TimerControl.h"

#include "TimerSwitch.h"
#include "platform/com/RuntimeError.h"

#include <QTimer>

namespace forms {

struct TimerControl::State {
    QTimer clock;
    int interval = 0;
    bool enabled = true;
};

TimerControl::TimerControl()
    : ControlObject(nullptr, {QStringLiteral("Timer")}), d(std::make_unique<State>()) {
    QObject::connect(&d->clock, &QTimer::timeout, &d->clock, [this] {
        if (!timersPaused())
            tick();
    });
}

TimerControl::~TimerControl() = default;

void TimerControl::applyDesign(const DesignKeys& keys) {
    if (keys.contains(QStringLiteral("interval")))
        setInterval(keys.value(QStringLiteral("interval")).toInt());
    if (keys.contains(QStringLiteral("enabled")))
        setEnabled(keys.value(QStringLiteral("enabled")).toBool());
}

int TimerControl::Interval() const {
    return d->interval;
}

void TimerControl::setInterval(int ms) {
    if (ms < 0 || ms > 65535)
        throw com::RuntimeError(QStringLiteral("Invalid property value"), 380);
    d->interval = ms;
    restart();
}

bool TimerControl::Enabled() const {
    return d->enabled;
}

void TimerControl::setEnabled(bool enabled) {
    if (enabled == d->enabled)
        return;
    d->enabled = enabled;
    restart();
}

void TimerControl::tick() {
    // No interval elapses for a timer that is off.
    if (!d->enabled || d->interval <= 0)
        return;
    events().fire(QStringLiteral("Timer"));
}

void TimerControl::restart() {
    // A new interval, or switching the timer on, starts the count from the beginning.
    d->clock.stop();
    if (d->enabled && d->interval > 0)
        d->clock.start(d->interval);
}

} // namespace forms
