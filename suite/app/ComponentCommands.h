#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace suite {

// Where the shell finds libKT512.so: the build's lib/ beside bin/, or its own folder.
QString componentLibraryPath();

// kestrova regsvr [-u] LIBRARY: registers (or unregisters) an in-process server in the class
// registry. Exit status 0 done, 1 failed.
int runRegsvrCommand(const QStringList& args, QTextStream& out, QTextStream& err);
// kestrova version [FILE]: prints the version record of a component library (default KT512).
int runVersionCommand(const QStringList& args, QTextStream& out, QTextStream& err);
// kestrova --version: the suite's version, then the version record of the component it loads.
int runVersionOption(QTextStream& out, QTextStream& err);

} // namespace suite
