#pragma once

#include "EventHandler.h"
#include "platform/com/Unknown.h"

#include <QString>

namespace forms {

// An object that raises named events to subscribers, as a form raises Activate to the
// objects that hold it WithEvents.
class IEventSource : public com::IUnknown {
public:
    static constexpr QUuid IID{0x6f1d2a40, 0x3c11, 0x4b7e, 0x9a, 0x51, 0x2e,
                               0x0b,       0x71,   0x8c,   0x44, 0x02};

    // Returns a cookie for unadvise.
    virtual int advise(const QString& event, EventHandler handler) = 0;
    virtual void unadvise(int cookie) = 0;
};

} // namespace forms
