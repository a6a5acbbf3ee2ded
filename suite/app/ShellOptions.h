#pragma once

#include <QString>
#include <QStringList>

namespace suite {

// What the suite shell is started with: the database (a SQLite file or an ODBC connection
// string; neither: the demo database), the operator and the VNC port used without a display.
struct ShellOptions {
    QString dbFile;
    QString odbc;
    QString usuario;
    int vncPort = 5900;
    QString vncAddress = QStringLiteral("127.0.0.1");
    bool help = false;
    bool version = false;
    // Set once the screens go out over VNC, on a display of the suite's own.
    bool remoteScreen = false;

    // Reads the options; the message for the first bad one, empty when all are good.
    static QString parse(const QStringList& args, ShellOptions& options);
};

} // namespace suite
