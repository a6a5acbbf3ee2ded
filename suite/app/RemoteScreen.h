#pragma once

#include <QString>
#include <sys/types.h>

namespace suite {

// The screen of a machine without a display: a VNC server with an X display of its own
// (Xvnc), started before the application object and stopped with this object. It listens on
// the loopback address unless told otherwise, so that other machines reach it only through an
// SSH tunnel.
class RemoteScreen {
public:
    RemoteScreen();
    ~RemoteScreen();
    RemoteScreen(const RemoteScreen&) = delete;
    RemoteScreen& operator=(const RemoteScreen&) = delete;

    // Starts the server on address:port and points the application at its display (DISPLAY,
    // QT_QPA_PLATFORM=xcb). False with error saying why, in Spanish, when the port is taken or
    // the server cannot start.
    bool start(const QString& address, int port, QString& error);

private:
    pid_t m_server = -1;
};

} // namespace suite
