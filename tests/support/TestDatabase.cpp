#include "TestDatabase.h"

#include "PostgresServer.h"

#include "platform/ado/Providers.h"
#include "platform/com/RuntimeError.h"
#include "suite/db/Schema.h"

#include <QHash>

namespace ktest {

namespace {

// Runs work on the connection; a failure carries the statement it ran.
template <class Work> auto guarded(const QString& sql, Work work) {
    try {
        return work();
    } catch (const com::RuntimeError& e) {
        throw com::RuntimeError(QStringLiteral("%1\n    in: %2").arg(e.description(), sql),
                                e.number());
    }
}

void fill(ado::Connection& connection, const TestDatabase::Demo& demo,
          suite::DemoData::Summary& summary) {
    suite::Schema::create(connection);
    if (demo.trips > 0)
        summary = suite::DemoData::generate(connection, {demo.trips, demo.seed, demo.today});
}

struct Template {
    const TestDatabase::Demo* demo;
    suite::DemoData::Summary* summary;
};

} // namespace

bool TestDatabase::available(Engine engine, QString* why) {
    return engine == Engine::SqliteFile || PostgresServer::instance(why) != nullptr;
}

const char* TestDatabase::name(Engine engine) {
    return engine == Engine::SqliteFile ? "SQLite" : "PostgreSQL";
}

TestDatabase::TestDatabase() : TestDatabase(Demo{}) {}

TestDatabase::TestDatabase(const Demo& demo) : TestDatabase(Engine::SqliteFile, demo) {}

TestDatabase::TestDatabase(Engine engine, const Demo& demo) : m_engine(engine) {
    if (!m_dir.isValid())
        throw com::RuntimeError(
            QStringLiteral("Test database: no temporary directory: %1").arg(m_dir.errorString()));
    m_path = m_dir.filePath(QStringLiteral("kestrova.db"));
    try {
        if (engine == Engine::SqliteFile) {
            m_connection = ado::openSqlite(m_path, true);
            fill(*m_connection, demo, m_summary);
            return;
        }
        QString why;
        PostgresServer* server = PostgresServer::instance(&why);
        if (!server)
            throw com::RuntimeError(QStringLiteral("No PostgreSQL server: %1").arg(why));
        // Demo data is made once per binary and set: each test gets a copy of it.
        const QString key = QStringLiteral("%1/%2/%3")
                                .arg(demo.trips)
                                .arg(demo.seed)
                                .arg(demo.today.toString(Qt::ISODate));
        static QHash<QString, suite::DemoData::Summary> summaries;
        suite::DemoData::Summary made;
        const Template context{&demo, &made};
        m_server = server->createDatabase(
            key,
            [](const QString& connectionString, const void* c) {
                const Template* t = static_cast<const Template*>(c);
                fill(*ado::openOdbc(connectionString), *t->demo, *t->summary);
            },
            &context);
        if (made.trips > 0 || made.branches > 0)
            summaries.insert(key, made);
        m_summary = summaries.value(key);
        m_connection = ado::openOdbc(m_server);
    } catch (const com::RuntimeError& e) {
        throw com::RuntimeError(QStringLiteral("Test database %1 could not be built: %2")
                                    .arg(location(), e.description()),
                                e.number());
    }
}

TestDatabase::~TestDatabase() = default;

std::unique_ptr<ado::Connection> TestDatabase::open() const {
    return m_engine == Engine::PostgresServer ? ado::openOdbc(m_server)
                                              : ado::openSqlite(m_path, false);
}

QString TestDatabase::odbcConnectionString() const {
    return m_engine == Engine::PostgresServer
               ? m_server
               : QStringLiteral("Driver=SQLite3;Database=%1").arg(m_path);
}

QString TestDatabase::location() const {
    return m_engine == Engine::PostgresServer ? m_server : m_path;
}

std::unique_ptr<ado::Connection> TestDatabase::connect(const QString& location) {
    return location.startsWith(QLatin1String("Driver="), Qt::CaseInsensitive)
               ? ado::openOdbc(location)
               : ado::openSqlite(location, false);
}

long TestDatabase::exec(const QString& sql) {
    return guarded(sql, [&] {
        long changed = 0;
        m_connection->Execute(sql, &changed);
        return changed;
    });
}

QVariant TestDatabase::scalar(const QString& sql) {
    return guarded(sql, [&] {
        std::unique_ptr<ado::Recordset> rs = m_connection->Execute(sql);
        return rs->Eof() ? QVariant() : rs->Fields(0).Value();
    });
}

QList<QStringList> TestDatabase::rows(const QString& sql) {
    return guarded(sql, [&] {
        QList<QStringList> out;
        for (auto rs = m_connection->Execute(sql); !rs->Eof(); rs->MoveNext()) {
            QStringList row;
            for (int i = 0; i < rs->FieldCount(); ++i) {
                const QVariant v = rs->Fields(i).Value();
                row << (v.isNull() ? QStringLiteral("NULL")
                        : v.typeId() == QMetaType::QDateTime
                            ? v.toDateTime().toString("yyyy-MM-dd HH:mm:ss")
                            : v.toString());
            }
            out << row;
        }
        return out;
    });
}

} // namespace ktest
