#pragma once

#include <QString>

namespace ado {

// An ODBC connection string as a message or a log may show it: the value of every secret key
// (PWD, Password and any other key naming a password, in any case) replaced by ***, braced
// values included, whatever they hold ({ab;c}, {a}}b}).
QString maskConnectionString(const QString& connectionString);

} // namespace ado
