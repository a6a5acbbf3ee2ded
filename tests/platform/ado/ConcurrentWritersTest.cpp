#include "platform/ado/Providers.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace {

// Two operators on one database file, each with a connection of their own, each taking the next
// number from a counter inside a transaction, as folio numbering does.
class ConcurrentWritersTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath("folios.db");
        auto setup = ado::openSqlite(m_path, true);
        setup->Execute("CREATE TABLE Folio (Fo_Tabla TEXT, Fo_Numero INTEGER)");
        setup->Execute("INSERT INTO Folio VALUES ('VIAJE', 0)");
        m_trace = m_dir.filePath("trace.jsonl");
        qputenv("KESTROVA_SQL_TRACE", m_trace.toUtf8());
    }
    void TearDown() override { qunsetenv("KESTROVA_SQL_TRACE"); }

    // Read, increment and write back the counter `times` times; the first failure is kept.
    void takeFolios(int times) {
        try {
            auto connection = ado::openSqlite(m_path);
            for (int i = 0; i < times; ++i) {
                connection->BeginTrans();
                auto rs =
                    connection->Execute("SELECT Fo_Numero FROM Folio WHERE Fo_Tabla = 'VIAJE'");
                const qlonglong next = rs->Fields(0).Value().toLongLong() + 1;
                connection->Execute(QStringLiteral("UPDATE Folio SET Fo_Numero = %1 WHERE "
                                                   "Fo_Tabla = 'VIAJE'")
                                        .arg(next));
                connection->CommitTrans();
            }
        } catch (const com::RuntimeError& e) {
            std::lock_guard<std::mutex> lock(m_failureMutex);
            ++m_failures;
            m_lastFailure = e.description().toStdString();
        }
    }

    QTemporaryDir m_dir;
    QString m_path;
    QString m_trace;
    std::mutex m_failureMutex;
    std::atomic<int> m_failures{0};
    std::string m_lastFailure;
};

TEST_F(ConcurrentWritersTest, WritersWaitForEachOtherAndLoseNoUpdate) {
    constexpr int perWriter = 150;
    std::thread first([this] { takeFolios(perWriter); });
    std::thread second([this] { takeFolios(perWriter); });
    first.join();
    second.join();
    ASSERT_EQ(m_failures, 0) << m_lastFailure;

    auto check = ado::openSqlite(m_path);
    EXPECT_EQ(check->Execute("SELECT Fo_Numero FROM Folio")->Fields(0).Value(),
              QVariant(qlonglong(2 * perWriter)));

    // Both writers traced into one file: every line whole, none lost.
    QFile trace(m_trace);
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    QMap<QString, int> counts;
    while (!trace.atEnd()) {
        const QByteArray line = trace.readLine();
        QJsonParseError error{};
        const QJsonObject entry = QJsonDocument::fromJson(line, &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << line.constData();
        EXPECT_TRUE(entry.value("error").isNull()) << line.constData();
        ++counts[entry.value("executed").toString().section(QLatin1Char(' '), 0, 0)];
    }
    EXPECT_EQ(counts.value("BEGIN"), 2 * perWriter);
    EXPECT_EQ(counts.value("UPDATE"), 2 * perWriter);
    EXPECT_EQ(counts.value("COMMIT"), 2 * perWriter);
}

} // namespace
