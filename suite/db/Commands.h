#pragma once

#include <QStringList>

class QTextStream;

namespace suite {

// The command-line tools of the kestrova executable. args come without the program and the
// subcommand name; the result is the process exit status (0 done, 1 failed). Each says what it
// did on out and why it failed on err, and answers --help.

// kestrova demo-db FILE [--trips N] [--seed S] [--today YYYY-MM-DD] [--force]
int runDemoDbCommand(const QStringList& args);
int runDemoDbCommand(const QStringList& args, QTextStream& out, QTextStream& err);

// kestrova sql (--db FILE | --connect ODBC-STRING) STATEMENT
int runSqlCommand(const QStringList& args);
int runSqlCommand(const QStringList& args, QTextStream& out, QTextStream& err);

// kestrova check (--db FILE | --connect ODBC-STRING): the database's integrity and schema
int runCheckCommand(const QStringList& args);
int runCheckCommand(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace suite
