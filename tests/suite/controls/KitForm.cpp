#include "KitForm.h"

#include "suite/controls/ControlKit.h"
#include "suite/host/HostSession.h"

#include <QApplication>
#include <QTest>

namespace ktest {

KitForm::KitForm(std::shared_ptr<suite::HostSession> session)
    : m_runtime(std::make_unique<com::Runtime>(m_dir.filePath("registry.json"))),
      m_window(std::make_unique<QWidget>()) {
    suite::registerControlKit(*m_runtime, std::move(session));
    m_window->setObjectName("frmPrueba");
    m_window->resize(640, 400);
}

KitForm::~KitForm() {
    m_controls.clear();
    m_window.reset();
}

com::Ptr<forms::IControl> KitForm::add(const char* progId, const QString& name,
                                       const QVariantMap& keys, QRect geometry) {
    auto control = m_runtime->createInstance(QString::fromLatin1(progId)).as<forms::IControl>();
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

void KitForm::showActive() {
    m_window->show();
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qWarning("the test window did not become active");
}

void EventLog::listen(forms::IControl& control, const QString& event) {
    control.on(event, [this](QVariantList& args) {
        ++count;
        lastArgs = args;
    });
}

} // namespace ktest
