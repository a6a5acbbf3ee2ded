#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace ado {
class Connection;
}

namespace suite {

// The database a command-line tool works on: --db FILE or --connect ODBC-STRING, exactly one.
class DatabaseArgument {
public:
    // Takes args[i] and its value when it is --db or --connect, moving i past the value. False
    // when args[i] is something else; a missing value sets error.
    bool take(const QStringList& args, int& i, QString& error);
    // Why the options given do not name one database; empty when they do.
    QString problem() const;
    // What messages call the database: the file, or the connection string with its secrets hidden.
    QString name() const;
    // The open database, or null with error saying why in the operator's words.
    std::unique_ptr<ado::Connection> open(QString& error) const;

private:
    QString m_file;
    QString m_odbc;
    bool m_haveFile = false;
    bool m_haveOdbc = false;
};

} // namespace suite
