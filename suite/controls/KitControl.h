#pragma once

#include "KitObject.h"
#include "platform/com/Object.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/IControl.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

namespace suite {

// The COM side shared by the kit's controls: IControl over a widget of type W that the control
// owns, plus the control's own interfaces. Connections from the widget to the control use
// hooks() as their context, so that none fires into a control being destroyed.
template <class W, class... Interfaces>
class KitControl : public com::Object<forms::IControl, Interfaces...>, public KitObject {
public:
    QWidget* widget() override { return m_widget.data(); }
    void on(const QString& event, forms::EventHandler handler) override {
        subscribe(event, std::move(handler));
    }
    com::IUnknown* unknown() override { return static_cast<forms::IControl*>(this); }

protected:
    // events: the names of the events the control raises.
    KitControl(W* widget, const QStringList& events)
        : KitObject(events), m_widget(widget), m_hooks(std::make_unique<QObject>()) {
        attach(widget);
    }
    ~KitControl() override {
        m_hooks.reset();
        if (m_widget) {
            detach(m_widget.data());
            delete m_widget.data();
        }
    }

    // The widget; a control whose widget went with its window answers as VB does for a control
    // of an unloaded form.
    W* view() const {
        if (!m_widget)
            throw com::RuntimeError(
                QStringLiteral("Object variable or With block variable not set"), 91);
        return m_widget.data();
    }
    QObject* hooks() const { return m_hooks.get(); }

private:
    QPointer<W> m_widget;
    std::unique_ptr<QObject> m_hooks;
};

} // namespace suite
