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

// A fresh SQLite database file for one test, made from the production schema with the suite
// parameters and stored queries in place, and demo data when asked for. The file lives in a
// temporary directory removed with the object. Every failure throws com::RuntimeError with the
// database's message and the statement, which GoogleTest prints as the test's failure.
class TestDatabase {
public:
    struct Demo {
        int trips = 0;
        quint32 seed = 1;
        QDate today; // null: the machine's date, so that the board's default range shows trips
    };

    TestDatabase();
    explicit TestDatabase(const Demo& demo);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const QString& path() const { return m_path; }
    ado::Connection& connection() { return *m_connection; }
    // What the demo generator wrote (all zero without demo data).
    const suite::DemoData::Summary& summary() const { return m_summary; }

    // Another connection to the same file, as a second operator has.
    std::unique_ptr<ado::Connection> open() const;
    // The same file through the SQLite ODBC driver.
    QString odbcConnectionString() const;

    // Helpers to arrange and check rows on connection().
    long exec(const QString& sql);
    // The first column of the first row; a null QVariant when there is no row.
    QVariant scalar(const QString& sql);
    // Every row, each value as text (NULL for a null).
    QList<QStringList> rows(const QString& sql);

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<ado::Connection> m_connection;
    suite::DemoData::Summary m_summary;
};

} // namespace ktest
