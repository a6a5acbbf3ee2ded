#include "ShellOptions.h"

namespace suite {

QString ShellOptions::parse(const QStringList& args, ShellOptions& options) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const auto value = [&](QString& into) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty())
                return false;
            into = args[++i];
            return true;
        };
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--version")) {
            options.version = true;
        } else if (arg == QLatin1String("--db")) {
            if (!value(options.dbFile))
                return QStringLiteral("falta el archivo de base de datos después de --db");
        } else if (arg == QLatin1String("--connect")) {
            if (!value(options.odbc))
                return QStringLiteral("falta la cadena de conexión ODBC después de --connect");
        } else if (arg == QLatin1String("--user")) {
            if (!value(options.usuario))
                return QStringLiteral("falta la clave del operador después de --user");
        } else if (arg == QLatin1String("--vnc-port")) {
            QString port;
            bool ok = false;
            if (value(port))
                options.vncPort = port.toInt(&ok);
            if (!ok || options.vncPort < 1 || options.vncPort > 65535)
                return QStringLiteral("--vnc-port espera un puerto entre 1 y 65535");
        } else if (arg == QLatin1String("--vnc-listen")) {
            if (!value(options.vncAddress))
                return QStringLiteral("falta la dirección después de --vnc-listen");
        } else {
            return QStringLiteral("opción desconocida \"%1\"").arg(arg);
        }
    }
    if (!options.dbFile.isEmpty() && !options.odbc.isEmpty())
        return QStringLiteral("indique --db o --connect, no ambos");
    return {};
}

} // namespace suite
