#pragma once

#include "DesignKeys.h"
#include "EventHandler.h"
#include "platform/com/Unknown.h"

#include <QString>
#include <QVariantMap>

class QWidget;

namespace forms {

// What the forms runtime needs of every control it places on a form, whatever library the
// control comes from. The control object owns its widget and deletes it when the object goes;
// the runtime releases every control before it destroys the window on unload.
class IControl : public com::IUnknown {
public:
    static constexpr QUuid IID{0x6f1d2a40, 0x3c11, 0x4b7e, 0x9a, 0x51, 0x2e,
                               0x0b,       0x71,   0x8c,   0x44, 0x01};

    virtual QWidget* widget() = 0;
    // The design-time keys of the form file, key names in lower case ("caption", "maxlength").
    virtual void applyDesign(const DesignKeys& keys) = 0;
    // Subscribes to a named event ("Click", "Change", "KeyPress"...). Several handlers may
    // subscribe; they run in order of subscription.
    virtual void on(const QString& event, EventHandler handler) = 0;
};

} // namespace forms
