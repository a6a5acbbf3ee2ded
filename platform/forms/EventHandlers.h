#pragma once

#include "EventHandler.h"

#include <QString>
#include <memory>

namespace forms {

// The subscribers of an object's named events, in order of subscription. Event names match
// without regard to letter case, as VB names do.
class EventHandlers {
public:
    EventHandlers();
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
