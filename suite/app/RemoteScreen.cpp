#include "RemoteScreen.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QList>

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace suite {

namespace {

// Whether the port can be listened on at the address; errno's text otherwise.
QString portProblem(const QString& address, int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(quint16(port));
    if (::inet_pton(AF_INET, address.toLatin1().constData(), &where.sin_addr) != 1) {
        ::close(s);
        return QStringLiteral("la dirección %1 no es válida").arg(address);
    }
    const bool ok =
        ::bind(s, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0 && ::listen(s, 1) == 0;
    const int code = errno;
    ::close(s);
    return ok ? QString() : QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

RemoteScreen::RemoteScreen() = default;

RemoteScreen::~RemoteScreen() {
    if (m_server <= 0)
        return;
    ::kill(m_server, SIGTERM);
    int status = 0;
    ::waitpid(m_server, &status, 0);
}

bool RemoteScreen::start(const QString& address, int port, QString& error) {
    const QString taken = portProblem(address, port);
    if (!taken.isEmpty()) {
        error = QStringLiteral("no se puede servir la pantalla por VNC en %1:%2 (%3); elija otro "
                               "puerto con --vnc-port")
                    .arg(address)
                    .arg(port)
                    .arg(taken);
        return false;
    }

    // The server picks a free display and writes its number to the pipe once it accepts
    // clients.
    int ready[2];
    if (::pipe(ready) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    const QList<QByteArray> args{"Xvnc",
                                 "-displayfd",
                                 QByteArray::number(ready[1]),
                                 "-rfbport",
                                 QByteArray::number(port),
                                 "-interface",
                                 address.toLatin1(),
                                 "-SecurityTypes",
                                 "None",
                                 "-geometry",
                                 "1280x800",
                                 "-depth",
                                 "24",
                                 "-nolisten",
                                 "tcp",
                                 "-quiet"};
    QList<char*> argv;
    for (const QByteArray& a : args)
        argv << const_cast<char*>(a.constData());
    argv << nullptr;
    m_server = ::fork();
    if (m_server == 0) {
        // The server goes with the shell, however the shell ends.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        ::close(ready[0]);
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDOUT_FILENO);
        ::dup2(quiet, STDERR_FILENO);
        ::execvp("Xvnc", argv.data());
        ::_exit(127);
    }
    const int forkError = errno;
    ::close(ready[1]);
    if (m_server < 0) {
        ::close(ready[0]);
        error = QStringLiteral("no se pudo iniciar el servidor VNC (Xvnc): %1")
                    .arg(QString::fromLocal8Bit(std::strerror(forkError)));
        return false;
    }

    QByteArray display;
    QElapsedTimer clock;
    clock.start();
    pollfd wait{ready[0], POLLIN, 0};
    while (clock.elapsed() < 15000 && !display.endsWith('\n')) {
        if (::poll(&wait, 1, 200) > 0) {
            char buffer[16];
            const ssize_t n = ::read(ready[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            display.append(buffer, int(n));
        }
        int status = 0;
        if (::waitpid(m_server, &status, WNOHANG) == m_server) {
            m_server = -1;
            break;
        }
    }
    ::close(ready[0]);
    display = display.trimmed();
    if (m_server <= 0 || display.isEmpty()) {
        error = QStringLiteral("el servidor VNC (Xvnc) no arrancó en %1:%2; ¿está instalado "
                               "tigervnc-standalone-server?")
                    .arg(address)
                    .arg(port);
        return false;
    }
    qputenv("DISPLAY", ":" + display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    return true;
}

} // namespace suite
