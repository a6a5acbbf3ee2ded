#include "EventHandlers.h"

#include "ErrorReporter.h"

#include <vector>

namespace forms {

struct EventHandlers::Data {
    struct Entry {
        int cookie;
        QString event; // folded to lower case
        EventHandler handler;
    };
    std::vector<Entry> entries;
    int nextCookie = 1;
};

EventHandlers::EventHandlers() : d(std::make_unique<Data>()) {}

EventHandlers::~EventHandlers() = default;

int EventHandlers::add(const QString& event, EventHandler handler) {
    const int cookie = d->nextCookie++;
    d->entries.push_back({cookie, event.toLower(), std::move(handler)});
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
