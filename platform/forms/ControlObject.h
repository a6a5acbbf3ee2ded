#pragma once

#include "EventHandlers.h"
#include "IControl.h"
#include "platform/com/Object.h"

#include <QPointer>
#include <QWidget>

namespace forms {

// The COM side of the runtime's own controls: reference counting, IControl beside the control's
// own interface, the subscribers of its events, and the widget it owns (none for the controls
// that draw nothing). The widget goes with the object.
template <class Interface, class... More>
class ControlObject : public com::Object<Interface, More...> {
public:
    QWidget* widget() override { return m_widget.data(); }
    void on(const QString& event, EventHandler handler) override {
        m_events.add(event, std::move(handler));
    }

protected:
    // events: the names of the events the control raises.
    ControlObject(QWidget* widget, const QStringList& events)
        : m_widget(widget), m_events(events) {}
    ~ControlObject() override { delete m_widget.data(); }

    void* queryExtra(const QUuid& iid) override {
        if (iid == IControl::IID)
            return static_cast<IControl*>(static_cast<Interface*>(this));
        return nullptr;
    }

    const EventHandlers& events() const { return m_events; }
    // For a derived control whose widget talks to members that die before this base does.
    void destroyWidget() { delete m_widget.data(); }
    void replaceWidget(QWidget* widget) {
        delete m_widget.data();
        m_widget = widget;
    }

private:
    QPointer<QWidget> m_widget;
    EventHandlers m_events;
};

} // namespace forms
