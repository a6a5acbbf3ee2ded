#include "EventHandlers.h"

#include "ErrorReporter.h"
#include "platform/com/RuntimeError.h"

#include <vector>

namespace forms {

struct EventHandlers::Data {
    struct Entry {
        int cookie;
        QString event; // folded to lower case
        EventHandler handler;
    };
    QStringList events; // folded to lower case
    std::vector<Entry> entries;
    int nextCookie = 1;
};

EventHandlers::EventHandlers(const QStringList& events) : d(std::make_unique<Data>()) {
    for (const QString& e : events)
        d->events << e.toLower();
}

EventHandlers::~EventHandlers() = default;

int EventHandlers::add(const QString& event, EventHandler handler) {
    const QString key = event.toLower();
    if (!d->events.contains(key))
        throw com::RuntimeError(
            QStringLiteral("Object or class does not support the event '%1'").arg(event), 459);
    const int cookie = d->nextCookie++;
    d->entries.push_back({cookie, key, std::move(handler)});
    return cookie;
}

void EventHandlers::remove(int cookie) {
    for (auto it = d->entries.begin(); it != d->entries.end(); ++it) {
        if (it->cookie == cookie) {
            d->entries.erase(it);
            return;
        }
    }
}

bool EventHandlers::has(const QString& event) const {
    const QString key = event.toLower();
    for (const auto& e : d->entries)
        if (e.event == key)
            return true;
    return false;
}

void EventHandlers::raise(const QString& event, QVariantList& args) const {
    // The handlers run from a copy: one of them may change the subscriptions or end the object.
    const QString key = event.toLower();
    std::vector<EventHandler> handlers;
    for (const auto& e : d->entries)
        if (e.event == key)
            handlers.push_back(e.handler);
    for (const auto& handler : handlers)
        handler(args);
}

bool EventHandlers::fire(const QString& event, QVariantList& args) const {
    return runGuarded([&] { raise(event, args); });
}

bool EventHandlers::fire(const QString& event) const {
    QVariantList args;
    return fire(event, args);
}

} // namespace forms
