#pragma once

#include "platform/forms/Form.h"
#include "tests/support/PrintQString.h"

#include <QCoreApplication>
#include <QMap>
#include <QStringList>
#include <QThread>
#include <functional>

// A form whose handlers are set by the test; every handler that runs leaves its name in log.
class ScriptedForm : public forms::Form {
public:
    explicit ScriptedForm(forms::FormDesign design) : forms::Form(std::move(design)) {}

    QStringList log;
    std::function<void()> onConnect, onLoad;
    std::function<void(int& cancel)> onUnload;
    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void(int& keyAscii)> onKeyPress;
    std::function<QVariant(const QString&, com::InvokeKind, QVariantList&)> onMember;
    QStringList members;
    // Events of controls noted in events as "control.Event arg arg...", from the next load on.
    QMap<QString, QStringList> recorded;
    QStringList events;

protected:
    void connectEvents() override {
        for (auto it = recorded.cbegin(); it != recorded.cend(); ++it)
            for (const QString& event : it.value())
                controlObject(it.key())->on(
                    event, [this, name = it.key() + '.' + event](QVariantList& args) {
                        QStringList parts{name};
                        for (const QVariant& a : args)
                            parts << a.toString();
                        events << parts.join(QLatin1Char(' '));
                    });
        run("connectEvents", onConnect);
    }
    void Form_Load() override { run("Load", onLoad); }
    void Form_Activate() override { log << "Activate"; }
    void Form_Unload(int& cancel) override { run("Unload", onUnload, cancel); }
    void Form_KeyDown(int& keyCode, int shift) override {
        run(QStringLiteral("KeyDown %1 %2").arg(keyCode).arg(shift), onKeyDown, keyCode, shift);
    }
    void Form_KeyUp(int& keyCode, int shift) override {
        log << QStringLiteral("KeyUp %1 %2").arg(keyCode).arg(shift);
    }
    void Form_KeyPress(int& keyAscii) override {
        run(QStringLiteral("KeyPress %1").arg(keyAscii), onKeyPress, keyAscii);
    }
    QStringList memberNames() const override { return members; }
    QVariant invokeMember(const QString& name, com::InvokeKind kind, QVariantList& args) override {
        return onMember ? onMember(name, kind, args) : forms::Form::invokeMember(name, kind, args);
    }

private:
    template <class Handler, class... Args>
    void run(const QString& name, const Handler& handler, Args&... args) {
        log << name;
        if (handler)
            handler(args...);
    }
};

// One control of a design, geometry in twips.
inline forms::ControlDesign designOf(const QString& progId, const QString& name, int left = 0,
                                     int top = 0, int width = 0, int height = 0,
                                     QVariantMap keys = {}) {
    return {progId, name, -1, left, top, width, height, std::move(keys), {}, -1};
}

// Runs the event loop until condition holds (or a generous deadline passes); returns condition.
inline bool waitUntil(const std::function<bool()>& condition) {
    for (int i = 0; i < 500 && !condition(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!condition())
            QThread::msleep(5);
    }
    return condition();
}
