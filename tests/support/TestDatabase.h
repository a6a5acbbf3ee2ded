#pragma once

#include "platform/ado/Connection.h"
#include "suite/db/DemoData.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

namespace ktest {

// A fresh database for one test, made from the production schema with the suite parameters and
// stored queries in place, and demo data when asked for: a SQLite file in a temporary directory
// removed with the object, or a database of its own on the test binary's PostgreSQL server
// (PostgresServer). Every failure throws com::RuntimeError with the database's message and the
// statement, which GoogleTest prints as the test's failure.
class TestDatabase {
public:
    enum class Engine { SqliteFile, PostgresServer };

    struct Demo {
        int trips = 0;
        quint32 seed = 1;
        QDate today; // null: the machine's date, so that the board's default range shows trips
    };

    TestDatabase();
    explicit TestDatabase(const Demo& demo);
    // Raises com::RuntimeError when the engine cannot run here: see available().
    TestDatabase(Engine engine, const Demo& demo);
    // Whether the engine runs on this machine; why says what is missing when it does not.
    static bool available(Engine engine, QString* why);
    // "SQLite" or "PostgreSQL", for test names.
    static const char* name(Engine engine);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // The database file; on a server, a file name in the test's temporary directory all the
    // same, for the test's own files to go beside it.
    const QString& path() const { return m_path; }
    Engine engine() const { return m_engine; }
    ado::Connection& connection() { return *m_connection; }
    // What the demo generator wrote (all zero without demo data).
    const suite::DemoData::Summary& summary() const { return m_summary; }

    // Another connection to the same file, as a second operator has.
    std::unique_ptr<ado::Connection> open() const;
    // The same database through ODBC: the SQLite ODBC driver for a file.
    QString odbcConnectionString() const;

    // What another process opens with connect(): the file, or the server database's ODBC string.
    QString location() const;
    // A connection to a location(), as a second operator's process opens it.
    static std::unique_ptr<ado::Connection> connect(const QString& location);

    // Helpers to arrange and check rows on connection().
    long exec(const QString& sql);
    // The first column of the first row; a null QVariant when there is no row.
    QVariant scalar(const QString& sql);
    // Every row, each value as text (NULL for a null, a server's date as yyyy-MM-dd HH:mm:ss).
    QList<QStringList> rows(const QString& sql);

private:
    QTemporaryDir m_dir;
    QString m_path;
    Engine m_engine = Engine::SqliteFile;
    QString m_server; // the server database's connection string
    std::unique_ptr<ado::Connection> m_connection;
    suite::DemoData::Summary m_summary;
};

} // namespace ktest
