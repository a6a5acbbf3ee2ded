#include "KitObject.h"

#include <QWidget>

namespace suite {

namespace {

const char* const kControlProperty = "_kestrova_kit_control";

} // namespace

KitObject::KitObject(const QStringList& events) : m_handlers(events) {}

KitObject::~KitObject() = default;

void KitObject::applyScheme(const ColourScheme&) {}

KitObject* KitObject::of(const QWidget* widget) {
    if (!widget)
        return nullptr;
    return reinterpret_cast<KitObject*>(widget->property(kControlProperty).value<quintptr>());
}

KitObject* KitObject::sibling(const QWidget* widget, const QString& name) {
    if (!widget || name.isEmpty())
        return nullptr;
    const auto found = widget->window()->findChildren<QWidget*>(name);
    for (QWidget* w : found)
        if (KitObject* k = of(w))
            return k;
    return nullptr;
}

void KitObject::attach(QWidget* widget) {
    widget->setProperty(kControlProperty, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
}

void KitObject::detach(QWidget* widget) {
    widget->setProperty(kControlProperty, QVariant());
}

void KitObject::subscribe(const QString& event, forms::EventHandler handler) {
    m_handlers.add(event, std::move(handler));
}

bool KitObject::hasSubscribers(const QString& event) const {
    return m_handlers.has(event);
}

void KitObject::raise(const QString& event, QVariantList& args) {
    m_handlers.fire(event, args);
}

void KitObject::raise(const QString& event) {
    m_handlers.fire(event);
}

} // namespace suite
