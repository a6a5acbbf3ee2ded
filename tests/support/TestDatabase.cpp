#include "TestDatabase.h"

#include "platform/ado/Providers.h"
#include "platform/com/RuntimeError.h"
#include "suite/db/Schema.h"

namespace ktest {

namespace {

[[noreturn]] void fail(const com::RuntimeError& e, const QString& sql) {
    throw com::RuntimeError(QStringLiteral("%1\n    in: %2").arg(e.description(), sql), e.number());
}

} // namespace

TestDatabase::TestDatabase() : TestDatabase(Demo{}) {}

TestDatabase::TestDatabase(const Demo& demo) {
    if (!m_dir.isValid())
        throw com::RuntimeError(
            QStringLiteral("Test database: no temporary directory: %1").arg(m_dir.errorString()));
    m_path = m_dir.filePath(QStringLiteral("kestrova.db"));
    try {
        m_connection = ado::openSqlite(m_path, true);
        suite::Schema::create(*m_connection);
        if (demo.trips > 0)
            m_summary =
                suite::DemoData::generate(*m_connection, {demo.trips, demo.seed, demo.today});
    } catch (const com::RuntimeError& e) {
        throw com::RuntimeError(
            QStringLiteral("Test database %1 could not be built: %2").arg(m_path, e.description()),
            e.number());
    }
}

TestDatabase::~TestDatabase() = default;

std::unique_ptr<ado::Connection> TestDatabase::open() const {
    return ado::openSqlite(m_path, false);
}

QString TestDatabase::odbcConnectionString() const {
    return QStringLiteral("Driver=SQLite3;Database=%1").arg(m_path);
}

long TestDatabase::exec(const QString& sql) {
    long changed = 0;
    try {
        m_connection->Execute(sql, &changed);
    } catch (const com::RuntimeError& e) {
        fail(e, sql);
    }
    return changed;
}

QVariant TestDatabase::scalar(const QString& sql) {
    try {
        std::unique_ptr<ado::Recordset> rs = m_connection->Execute(sql);
        return rs->Eof() ? QVariant() : rs->Fields(0).Value();
    } catch (const com::RuntimeError& e) {
        fail(e, sql);
    }
}

QList<QStringList> TestDatabase::rows(const QString& sql) {
    QList<QStringList> out;
    try {
        std::unique_ptr<ado::Recordset> rs = m_connection->Execute(sql);
        for (; !rs->Eof(); rs->MoveNext()) {
            QStringList row;
            for (int i = 0; i < rs->FieldCount(); ++i) {
                const QVariant v = rs->Fields(i).Value();
                row << (v.isNull() ? QStringLiteral("NULL") : v.toString());
            }
            out << row;
        }
    } catch (const com::RuntimeError& e) {
        fail(e, sql);
    }
    return out;
}

} // namespace ktest
