#pragma once

#include <QString>
#include <QtGlobal>

namespace suite {

// One message as a screen hands it to Sistema.MostrarMensaje, its six arguments read as text
// (the window handle as a number).
struct Message {
    QString text;
    long style = 0;
    QString title;
    qint64 hWnd = 0;
    QString module;
    QString id;
};

// Shows the messages of the host services. The session owns one; tests put a recorder in its
// place to see what the user would have seen.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Returns once the user has dismissed the message.
    virtual void show(const Message& message) = 0;
};

} // namespace suite
