#pragma once

#include "platform/forms/EventHandlers.h"

#include <QString>

class QWidget;

namespace com {
class IUnknown;
}

namespace suite {

class ColourScheme;

// What every control of the kit shares beyond COM: the named events it raises to the form,
// the link from its widget back to it (so that one control reaches another of the same form by
// name), and how it takes the suite's colour scheme.
class KitObject {
public:
    explicit KitObject(const QStringList& events);
    virtual ~KitObject();
    KitObject(const KitObject&) = delete;
    KitObject& operator=(const KitObject&) = delete;

    virtual com::IUnknown* unknown() = 0;
    // Takes the colours of the form's colour scheme; design colours of the control win.
    virtual void applyScheme(const ColourScheme& scheme);

    // The kit control drawn by widget, or nullptr.
    static KitObject* of(const QWidget* widget);
    // The kit control named name in the window of widget, or nullptr.
    static KitObject* sibling(const QWidget* widget, const QString& name);

    void subscribe(const QString& event, forms::EventHandler handler);
    bool hasSubscribers(const QString& event) const;

protected:
    void attach(QWidget* widget);
    static void detach(QWidget* widget);
    // Runs the subscribers of event in order. A subscriber that fails does not unwind through
    // Qt's event loop or the kit's code: the forms runtime reports the failure.
    void raise(const QString& event, QVariantList& args);
    void raise(const QString& event);

private:
    forms::EventHandlers m_handlers;
};

} // namespace suite
