#include "Kestrova.h"

#include "ComponentCommands.h"
#include "Shell.h"
#include "ShellOptions.h"
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
       kestrova COMMAND [arguments]

Without a command, opens the suite shell on the trip control screen (KT512).

Options of the shell:
  --db FILE              the suite's SQLite database
  --connect ODBC-STRING  the suite's database through ODBC (SQL Server in production)
  --user CODE            the operator (default: the login name)
  --vnc-port N           the VNC port used when there is no display (default 5900)
  --help                 show this help
Without --db or --connect the shell opens a demo database, made on first start in the
user's data folder. Without a display (no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM) it
serves its screens over VNC and says where to connect.

Commands:
  regsvr [-u] LIBRARY    register (or unregister) an in-process server such as libKT512.so
  version [FILE]         print the version record of a component library
  demo-db FILE ...       create a demo database (kestrova demo-db --help)
  sql ...                run one statement on a database (kestrova sql --help)
  help                   show this help

Environment:
  KESTROVA_REGISTRY      the class registry file (default ~/.config/kestrova/registry.json)
  KESTROVA_SQL_TRACE     a file to which every statement is appended as one JSON line
  KESTROVA_MESSAGE_LOG   a file to which every message shown is appended as one JSON line
  KESTROVA_MESSAGES      "log": messages go only to the message log, with no box to dismiss
                         (for scripts that run the shell unattended)
)";

// Without any display the screens go out over VNC; the platform is chosen before the
// application object exists.
void chooseDisplay(int vncPort, QTextStream& out) {
    if (!qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    qputenv("QT_QPA_PLATFORM", QStringLiteral("vnc:size=1280x800:port=%1").arg(vncPort).toLatin1());
    out << "Sin pantalla: Kestrova sirve sus pantallas por VNC. Conéctese con un visor VNC a "
        << QSysInfo::machineHostName() << ":" << vncPort << " (o localhost:" << vncPort << ").\n";
    out.flush();
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
        command == QLatin1String("demo-db") || command == QLatin1String("sql")) {
        QCoreApplication app(argc, argv);
        if (command == QLatin1String("regsvr"))
            return runRegsvrCommand(rest, out, err);
        if (command == QLatin1String("version"))
            return runVersionCommand(rest, out, err);
        if (command == QLatin1String("demo-db"))
            return runDemoDbCommand(rest, out, err);
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
    chooseDisplay(options.vncPort, out);
    QApplication app(argc, argv);
    if (qEnvironmentVariable("KESTROVA_MESSAGES") == QLatin1String("log"))
        forms::setMessagePresenter(std::make_shared<forms::RecordingPresenter>());
    return runShell(options, out, err);
}

} // namespace suite
