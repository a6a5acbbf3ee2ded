#pragma once

#include "platform/com/Ptr.h"
#include "platform/com/Runtime.h"
#include "platform/forms/IControl.h"
#include "suite/controls/ControlKit.h"
#include "suite/host/HostSession.h"

#include <QTemporaryDir>
#include <QTest>
#include <QVariantMap>
#include <QWidget>
#include <memory>
#include <vector>

namespace ktest {

// A window holding kit controls the way the forms runtime places them: each control created by
// its ProgID through the runtime, its widget named and parented into the window, then its design
// keys applied. The controls are released before the window goes, as on unload.
class KitForm {
public:
    explicit KitForm(std::shared_ptr<suite::HostSession> session = {}) {
        suite::registerControlKit(m_runtime, std::move(session));
        m_window->resize(640, 400);
    }
    ~KitForm() {
        m_controls.clear();
        m_window.reset();
    }

    QWidget& window() { return *m_window; }
    // Creates a control of the kit with the given keys, below the last one unless a geometry in
    // pixels is given.
    com::Ptr<forms::IControl> add(const char* progId, const QString& name,
                                  const QVariantMap& keys = {}, QRect geometry = {}) {
        auto control = m_runtime.createInstance(QString::fromLatin1(progId)).as<forms::IControl>();
        QWidget* w = control->widget();
        w->setObjectName(name);
        w->setParent(m_window.get());
        if (geometry.isNull()) {
            geometry = QRect(8, m_nextTop, 200, 22);
            m_nextTop += 30;
        }
        w->setGeometry(geometry);
        control->applyDesign(keys);
        if (!w->testAttribute(Qt::WA_WState_ExplicitShowHide))
            w->show();
        m_controls.push_back(control);
        return control;
    }
    template <class I>
    com::Ptr<I> add(const char* progId, const QString& name, const QVariantMap& keys = {},
                    QRect geometry = {}) {
        return add(progId, name, keys, geometry).template as<I>();
    }
    // Shows the window and waits until it is active, so that focus and keys work.
    void showActive() {
        m_window->show();
        m_window->activateWindow();
        if (!QTest::qWaitForWindowActive(m_window.get()))
            qWarning("the test window did not become active");
    }

private:
    QTemporaryDir m_dir;
    com::Runtime m_runtime{m_dir.filePath("registry.json")};
    std::unique_ptr<QWidget> m_window = std::make_unique<QWidget>();
    std::vector<com::Ptr<forms::IControl>> m_controls;
    int m_nextTop = 8;
};

// Subscribes to an event and counts it, keeping the arguments of the last one.
struct EventLog {
    int count = 0;
    QVariantList lastArgs;
    void listen(forms::IControl& control, const QString& event) {
        control.on(event, [this](QVariantList& args) {
            ++count;
            lastArgs = args;
        });
    }
};

} // namespace ktest
