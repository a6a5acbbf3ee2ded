#pragma once

#include <QString>

namespace ado {

// An ODBC connection string as a message or a log may show it: the value of every secret key
// (PWD, Password and any other key naming a password, in any case) replaced by ***, braced
// values included, whatever they hold ({ab;c}, {a}}b}).
QString maskConnectionString(const QString& connectionString);

// The value of key (in any case) in an ODBC connection string, braces taken off ("{a}}b}" gives
// "a}b"); empty when the key is not there.
QString connectionStringValue(const QString& connectionString, const QString& key);

} // namespace ado
