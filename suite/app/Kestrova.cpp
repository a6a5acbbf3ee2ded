#include "Kestrova.h"

#include "ComponentCommands.h"
#include "RemoteScreen.h"
#include "Shell.h"
#include "ShellOptions.h"
#include "SpanishTranslations.h"
#include "platform/forms/Messages.h"
#include "platform/forms/RecordingPresenter.h"
#include "suite/db/Commands.h"

#include <QApplication>
#include <QCoreApplication>
#include <QSysInfo>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace suite {

namespace {

const char* const usage = R"(Usage: kestrova [options]
  or:  kestrova COMMAND [arguments]

Without a command, opens the suite shell on the trip control screen (KT512).

Options of the shell:
  --db FILE              the suite's SQLite database
  --connect ODBC-STRING  the suite's database through ODBC (SQL Server in production)
  --user CODE            the operator (default: the login name)
  --vnc-port N           the VNC port used when there is no display (default 5900)
  --vnc-listen ADDRESS   the address VNC listens on (default 127.0.0.1, this machine only;
                         another address lets other machines in, without a password)
  --help                 show this help
  --version              show the suite's version and the version record of its component
Without --db or --connect the shell opens a demo database, made on first start in the
user's data folder. Without a display (no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM) it
serves its screens over VNC on this machine's loopback address and says where to connect;
from another machine, tunnel the port through SSH.

Commands:
  regsvr [-u] LIBRARY    register (or unregister) an in-process server such as libKT512.so
  version [FILE]         print the version record of a component library
  demo-db FILE ...       create a demo database, a file or on a server (kestrova demo-db --help)
  sql ...                run one statement on a database (kestrova sql --help)
  check ...              check a database's integrity and schema (kestrova check --help)
  help                   show this help

Environment:
  KESTROVA_REGISTRY      the class registry file (default ~/.config/kestrova/registry.json)
  KESTROVA_SQL_TRACE     a file to which every statement is appended as one JSON line
  KESTROVA_MESSAGE_LOG   a file to which every message shown is appended as one JSON line
  KESTROVA_MESSAGES      "log": messages go only to the message log, with no box to dismiss
                         (for scripts that run the shell unattended)
)";

// Without any display the screens go out over VNC, from a display of the suite's own; the
// platform is chosen before the application object exists. False when it cannot be served.
bool chooseDisplay(ShellOptions& options, RemoteScreen& screen, QTextStream& out,
                   QTextStream& err) {
    if (!qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    const bool loopback = options.vncAddress == QLatin1String("127.0.0.1");
    if (!loopback)
        err << "kestrova: AVISO: la pantalla por VNC queda abierta a otras máquinas en "
            << options.vncAddress << ", sin contraseña: quien llegue a ese puerto puede trabajar "
            << "con los viajes. Prefiera un túnel SSH (vea el README).\n";
    err.flush();
    QString problem;
    if (!screen.start(options.vncAddress, options.vncPort, problem)) {
        err << "kestrova: " << problem << "\n";
        return false;
    }
    options.remoteScreen = true;
    out << "Sin pantalla: Kestrova sirve sus pantallas por VNC en " << options.vncAddress << ":"
        << options.vncPort << ". ";
    if (loopback)
        out << "Conéctese con un visor VNC a localhost:" << options.vncPort
            << ", o desde otra máquina por un túnel SSH (ssh -L " << options.vncPort
            << ":localhost:" << options.vncPort << " " << QSysInfo::machineHostName() << ").\n";
    else
        out << "Conéctese con un visor VNC a " << QSysInfo::machineHostName() << ":"
            << options.vncPort << ".\n";
    out.flush();
    return true;
}

} // namespace

int kestrovaMain(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("kestrova"));
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);

    const QString command = args.value(0);
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("help")) {
        out << usage;
        return 0;
    }
    if (command == QLatin1String("regsvr") || command == QLatin1String("version") ||
        command == QLatin1String("demo-db") || command == QLatin1String("sql") ||
        command == QLatin1String("check")) {
        QCoreApplication app(argc, argv);
        if (command == QLatin1String("regsvr"))
            return runRegsvrCommand(rest, out, err);
        if (command == QLatin1String("version"))
            return runVersionCommand(rest, out, err);
        if (command == QLatin1String("demo-db"))
            return runDemoDbCommand(rest, out, err);
        if (command == QLatin1String("check"))
            return runCheckCommand(rest, out, err);
        return runSqlCommand(rest, out, err);
    }
    if (!command.isEmpty() && !command.startsWith(QLatin1Char('-'))) {
        err << "kestrova: orden desconocida \"" << command << "\" (kestrova --help)\n";
        return 1;
    }

    ShellOptions options;
    const QString problem = ShellOptions::parse(args, options);
    if (!problem.isEmpty()) {
        err << "kestrova: " << problem << " (kestrova --help)\n";
        return 1;
    }
    if (options.help) {
        out << usage;
        return 0;
    }
    if (options.version) {
        QCoreApplication app(argc, argv);
        return runVersionOption(out, err);
    }
    // The remote screen outlives the application that draws on it.
    RemoteScreen screen;
    if (!chooseDisplay(options, screen, out, err))
        return 1;
    QApplication app(argc, argv);
    installSpanishTranslations(app);
    if (qEnvironmentVariable("KESTROVA_MESSAGES") == QLatin1String("log"))
        forms::setMessagePresenter(std::make_shared<forms::RecordingPresenter>());
    return runShell(options, out, err);
}

} // namespace suite
