#pragma once

#include "platform/forms/Form.h"
#include "tests/support/PrintQString.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>
#include <functional>

// A form whose handlers are set by the test; every handler that runs leaves its name in log.
class ScriptedForm : public forms::Form {
public:
    explicit ScriptedForm(forms::FormDesign design) : forms::Form(std::move(design)) {}

    QStringList log;
    std::function<void()> onConnect, onLoad, onActivate, onResize;
    std::function<void(int& cancel)> onUnload;
    std::function<void(int&keyCode, int shift)> onKeyDown, onKeyUp;
    std::function<void(int& keyAscii)> onKeyPress;
    std::function<QVariant(const QString&, com::InvokeKind, QVariantList&)> onMember;
    QStringList members;

    using forms::Form::raiseEvent;

protected:
    void connectEvents() override { run("connectEvents", onConnect); }
    void Form_Load() override { run("Load", onLoad); }
    void Form_Activate() override { run("Activate", onActivate); }
    void Form_Resize() override { run("Resize", onResize); }
    void Form_Unload(int& cancel) override {
        log << "Unload";
        if (onUnload)
            onUnload(cancel);
    }
    void Form_KeyDown(int& keyCode, int shift) override {
        log << QStringLiteral("KeyDown %1 %2").arg(keyCode).arg(shift);
        if (onKeyDown)
            onKeyDown(keyCode, shift);
    }
    void Form_KeyUp(int& keyCode, int shift) override {
        log << QStringLiteral("KeyUp %1 %2").arg(keyCode).arg(shift);
        if (onKeyUp)
            onKeyUp(keyCode, shift);
    }
    void Form_KeyPress(int& keyAscii) override {
        log << QStringLiteral("KeyPress %1").arg(keyAscii);
        if (onKeyPress)
            onKeyPress(keyAscii);
    }
    QStringList memberNames() const override { return members; }
    QVariant invokeMember(const QString& name, com::InvokeKind kind, QVariantList& args) override {
        if (onMember)
            return onMember(name, kind, args);
        return forms::Form::invokeMember(name, kind, args);
    }

private:
    void run(const QString& name, const std::function<void()>& handler) {
        log << name;
        if (handler)
            handler();
    }
};

// One control of a design, geometry in twips.
inline forms::ControlDesign designOf(const QString& progId, const QString& name, int left = 0,
                                     int top = 0, int width = 0, int height = 0,
                                     QVariantMap keys = {}) {
    forms::ControlDesign c;
    c.progId = progId;
    c.name = name;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.keys = std::move(keys);
    return c;
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
