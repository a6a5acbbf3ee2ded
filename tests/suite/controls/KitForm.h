#pragma once

#include "platform/com/Ptr.h"
#include "platform/com/Runtime.h"
#include "platform/forms/IControl.h"

#include <QTemporaryDir>
#include <QVariantMap>
#include <QWidget>
#include <memory>
#include <vector>

namespace suite {
class HostSession;
}

namespace ktest {

// A window holding kit controls the way the forms runtime places them: each control created by
// its ProgID through the runtime, its widget named and parented into the window, then its design
// keys applied. The controls are released before the window goes, as on unload.
class KitForm {
public:
    explicit KitForm(std::shared_ptr<suite::HostSession> session = {});
    ~KitForm();

    QWidget& window() { return *m_window; }
    // Creates a control of the kit at (x, y) pixels with the given size and keys.
    com::Ptr<forms::IControl> add(const char* progId, const QString& name,
                                  const QVariantMap& keys = {}, QRect geometry = {});
    template <class I>
    com::Ptr<I> add(const char* progId, const QString& name, const QVariantMap& keys = {},
                    QRect geometry = {}) {
        return add(progId, name, keys, geometry).template as<I>();
    }
    // Shows the window and waits until it is active, so that focus and keys work.
    void showActive();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<com::Runtime> m_runtime;
    std::unique_ptr<QWidget> m_window;
    std::vector<com::Ptr<forms::IControl>> m_controls;
    int m_nextTop = 8;
};

// Subscribes to an event and counts it, keeping the arguments of the last one.
struct EventLog {
    int count = 0;
    QVariantList lastArgs;
    void listen(forms::IControl& control, const QString& event);
};

} // namespace ktest
