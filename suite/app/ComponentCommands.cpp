#include "ComponentCommands.h"

#include "platform/com/Runtime.h"
#include "platform/com/RuntimeError.h"
#include "platform/com/VersionInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace suite {

namespace {

const char* const regsvrHelp = R"(Usage: kestrova regsvr [-u] LIBRARY

Registers the in-process server LIBRARY (a component such as libKT512.so) in the class
registry: its classes, their ProgIDs and its type library. With -u, removes them.
The registry is KESTROVA_REGISTRY, or ~/.config/kestrova/registry.json.
)";

const char* const versionHelp = R"(Usage: kestrova version [FILE]

Prints the version record of a component library, read from the file without loading it.
FILE defaults to the suite's libKT512.so.
)";

} // namespace

QString componentLibraryPath() {
    const QString bin = QCoreApplication::applicationDirPath();
    // Installed, the component sits in the suite's own library folder.
    for (const QString& candidate :
         {bin + QStringLiteral("/../lib/libKT512.so"),
          bin + QStringLiteral("/../" KESTROVA_INSTALL_LIBDIR "/libKT512.so"),
          bin + QStringLiteral("/libKT512.so")}) {
        const QFileInfo info(candidate);
        if (info.isFile())
            return info.canonicalFilePath();
    }
    return QDir::cleanPath(bin + QStringLiteral("/../lib/libKT512.so"));
}

int runRegsvrCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    bool unregister = false;
    QString library;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            out << regsvrHelp;
            return 0;
        }
        if (arg == QLatin1String("-u")) {
            unregister = true;
        } else if (arg.startsWith(QLatin1Char('-')) || !library.isEmpty()) {
            err << "kestrova regsvr: argumento no válido \"" << arg << "\"\n" << regsvrHelp;
            return 1;
        } else {
            library = arg;
        }
    }
    if (library.isEmpty()) {
        err << "kestrova regsvr: falta la biblioteca\n" << regsvrHelp;
        return 1;
    }
    try {
        com::Runtime runtime;
        if (unregister) {
            runtime.unregisterServer(library);
            out << "Se quitó el registro de " << QDir::toNativeSeparators(library) << " en "
                << QDir::toNativeSeparators(runtime.registryFile()) << "\n";
        } else {
            runtime.registerServer(library);
            out << "Registrado " << QDir::toNativeSeparators(library) << " en "
                << QDir::toNativeSeparators(runtime.registryFile()) << "\n";
        }
        return 0;
    } catch (const com::RuntimeError& e) {
        err << "kestrova regsvr: " << e.description() << "\n";
        return 1;
    }
}

int runVersionCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        out << versionHelp;
        return 0;
    }
    if (args.size() > 1) {
        err << "kestrova version: indique un solo archivo\n" << versionHelp;
        return 1;
    }
    const QString file = args.isEmpty() ? componentLibraryPath() : args.constFirst();
    try {
        const com::VersionInfo info = com::VersionInfo::read(file);
        for (const QString& key : info.keys())
            out << key << ": " << info.value(key) << "\n";
        return 0;
    } catch (const com::RuntimeError& e) {
        err << "kestrova version: " << e.description() << "\n";
        return 1;
    }
}

int runVersionOption(QTextStream& out, QTextStream& err) {
    out << "kestrova (Kestrova) " << KESTROVA_VERSION << "\n";
    const QString library = componentLibraryPath();
    try {
        const com::VersionInfo info = com::VersionInfo::read(library);
        out << "Componente KT512: " << QDir::toNativeSeparators(library) << "\n";
        for (const QString& key : info.keys())
            out << "  " << key << ": " << info.value(key) << "\n";
        return 0;
    } catch (const com::RuntimeError& e) {
        err << "kestrova: " << e.description() << "\n";
        return 1;
    }
}

} // namespace suite
