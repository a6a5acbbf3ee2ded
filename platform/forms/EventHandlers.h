#pragma once

#include "EventHandler.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace forms {

// The subscribers of an object's named events, in order of subscription. Event names match
// without regard to letter case, as VB names do.
class EventHandlers {
public:
    // events: the names of the events the object raises. A subscription to any other name is a
    // mistake in the subscriber's code: add raises error 459 for it instead of never running it.
    explicit EventHandlers(const QStringList& events);
    ~EventHandlers();
    EventHandlers(const EventHandlers&) = delete;
    EventHandlers& operator=(const EventHandlers&) = delete;

    // Returns a cookie for remove.
    int add(const QString& event, EventHandler handler);
    void remove(int cookie);
    bool has(const QString& event) const;

    // Runs the event's handlers in order; an error leaves through the caller. A handler may
    // subscribe or unsubscribe others, or destroy the object raising the event.
    void raise(const QString& event, QVariantList& args) const;
    // As raise, for events that come from the event loop: an error goes to the reporter.
    // Returns false when a handler failed.
    bool fire(const QString& event, QVariantList& args) const;
    bool fire(const QString& event) const;

private:
    struct Data;
    std::unique_ptr<Data> d;
};

} // namespace forms
