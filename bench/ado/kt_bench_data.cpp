// The database layer against the bare sqlite3 C API, on a demo database of 100,000 trips
// (KESTROVA_BENCH_TRIPS to change it): the "Viajes" query read into strings, and 1,000 order
// lines inserted as the order copy writes them, as quoted text in one transaction. Each
// benchmark times both sides in the same iterations and reports their ratio.

#include "platform/ado/Providers.h"
#include "platform/ado/SqlText.h"
#include "platform/com/RuntimeError.h"
#include "suite/db/DemoData.h"
#include "suite/db/HostData.h"
#include "suite/db/Schema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <sqlite3.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// The machine is shared: CPU time of this thread tells the two sides apart when others load it.
double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Wall and CPU time of the layer and of the bare API over all iterations.
struct Tally {
    double wall[2] = {0, 0};
    double cpu[2] = {0, 0};

    void report(benchmark::State& state) const {
        using benchmark::Counter;
        state.counters["ado_ms"] = Counter(wall[0] * 1000, Counter::kAvgIterations);
        state.counters["sqlite3_ms"] = Counter(wall[1] * 1000, Counter::kAvgIterations);
        state.counters["ratio"] = wall[0] / wall[1];
        state.counters["cpu_ratio"] = cpu[0] / cpu[1];
    }
};

// Times one side of an iteration.
class Lap {
public:
    Lap(Tally& tally, int side) : m_tally(tally), m_side(side) {}
    double stop() {
        const double w = seconds(m_start);
        m_tally.wall[m_side] += w;
        m_tally.cpu[m_side] += cpuSeconds() - m_cpu;
        return w;
    }

private:
    Tally& m_tally;
    int m_side;
    Clock::time_point m_start = Clock::now();
    double m_cpu = cpuSeconds();
};

[[noreturn]] void die(const QString& what) {
    std::fprintf(stderr, "kt_bench_data: %s\n", qPrintable(what));
    std::exit(1);
}

void check(sqlite3* db, int rc, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        die(QStringLiteral("%1: %2").arg(what, sqlite3_errmsg(db)));
}

// The columns of the order copy, in its order: every column of the order line but the state,
// which the copy leaves to the column's default.
QStringList copiedLineColumns() {
    QStringList columns = suite::Schema::table(QStringLiteral("Orden_Entrega")).columnNames();
    columns.removeAll(QStringLiteral("Es_Cve_Estado"));
    return columns;
}

constexpr int insertedLines = 1000;

struct Data {
    QTemporaryDir dir;
    QString path;
    std::unique_ptr<ado::Connection> connection;
    sqlite3* bare = nullptr;
    QString viajes;
    const QStringList lineColumns = copiedLineColumns();
    const int lineColumnCount = int(lineColumns.size());
    // The values of 1,000 existing lines, as the copy writes them (text, empty for a null).
    std::vector<QStringList> lines;

    Data() {
        const int trips = qEnvironmentVariableIsSet("KESTROVA_BENCH_TRIPS")
                              ? qEnvironmentVariableIntValue("KESTROVA_BENCH_TRIPS")
                              : 100000;
        path = dir.filePath("bench.db");
        QElapsedTimer clock;
        clock.start();
        try {
            connection = ado::openSqlite(path, true);
            suite::Schema::create(*connection);
            const suite::DemoData::Summary summary =
                suite::DemoData::generate(*connection, {trips, 1, QDate(2024, 3, 15)});
            std::fprintf(stderr, "Demo database: %s in %.1f s\n", qPrintable(summary.text()),
                         clock.elapsed() / 1000.0);
            readLines();
        } catch (const com::RuntimeError& e) {
            die(e.description());
        }
        viajes = suite::HostData::query("Viajes");
        viajes.replace("{PARAMETROS}", " Viaje.Vj_Fecha BETWEEN '2024-01-01' AND '2024-12-31' ");
        if (sqlite3_open_v2(path.toUtf8().constData(), &bare, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK)
            die(QStringLiteral("cannot open %1 with sqlite3").arg(path));
        sqlite3_busy_timeout(bare, 30000);
    }
    ~Data() { sqlite3_close(bare); }

    void readLines() {
        std::unique_ptr<ado::Recordset> rs = connection->Execute(
            QStringLiteral("SELECT %1 FROM Orden_Entrega WHERE Oe_ID <= 3 ORDER BY Oe_Folio, "
                           "Oe_ID LIMIT %2")
                .arg(lineColumns.join(", "))
                .arg(insertedLines));
        for (; !rs->Eof(); rs->MoveNext()) {
            QStringList values;
            for (int i = 0; i < lineColumnCount; ++i) {
                const QVariant v = rs->Fields(i).Value();
                values << (v.isNull() ? QString() : v.toString());
            }
            lines.push_back(values);
        }
        if (int(lines.size()) != insertedLines)
            die(QStringLiteral("the demo database has only %1 order lines").arg(lines.size()));
    }

    // Copies under folios that sort after every demo folio, so that they are easy to remove.
    static QString folio(char prefix, int line) {
        return QLatin1Char(prefix) + QString::number(line).rightJustified(9, QLatin1Char('0'));
    }

    void removeCopies() {
        connection->BeginTrans();
        connection->Execute("DELETE FROM Orden_Entrega WHERE Oe_Folio >= 'A'");
        connection->CommitTrans();
    }
};

Data* data = nullptr;

void ViajesQuery(benchmark::State& state) {
    Tally tally;
    qint64 rows = 0;
    for (auto _ : state) {
        qint64 chars = 0, adoRows = 0, bareRows = 0;
        Lap ado(tally, 0);
        {
            std::unique_ptr<ado::Recordset> rs = data->connection->Execute(data->viajes);
            const int n = rs->Eof() ? 0 : rs->FieldCount();
            QStringList row(n);
            for (; !rs->Eof(); rs->MoveNext(), ++adoRows)
                for (int i = 0; i < n; ++i) {
                    row[i] = rs->Fields(i).Value().toString();
                    chars += row[i].size();
                }
        }
        const double a = ado.stop();

        Lap bare(tally, 1);
        {
            sqlite3_stmt* st = nullptr;
            check(
                data->bare,
                sqlite3_prepare_v2(data->bare, data->viajes.toUtf8().constData(), -1, &st, nullptr),
                "prepare Viajes");
            const int n = sqlite3_column_count(st);
            QStringList row(n);
            int rc;
            while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
                ++bareRows;
                for (int i = 0; i < n; ++i) {
                    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
                    row[i] =
                        text ? QString::fromUtf8(text, sqlite3_column_bytes(st, i)) : QString();
                    chars += row[i].size();
                }
            }
            check(data->bare, rc, "step Viajes");
            sqlite3_finalize(st);
        }
        bare.stop();
        if (adoRows != bareRows)
            state.SkipWithError("the two readings gave different row counts");
        benchmark::DoNotOptimize(chars);
        state.SetIterationTime(a);
        rows = adoRows;
    }
    state.counters["rows"] = double(rows);
    tally.report(state);
}

void OrderLineInserts(benchmark::State& state) {
    const QStringList& lineColumns = data->lineColumns;
    const int lineColumnCount = data->lineColumnCount;
    // The statement text of the order copy: quoted values, as many statements as lines.
    std::vector<QString> statements;
    for (int k = 0; k < insertedLines; ++k) {
        const QStringList& v = data->lines[size_t(k)];
        QString sql = QStringLiteral("INSERT  INTO Orden_Entrega ( ");
        for (int i = 0; i < lineColumnCount; ++i)
            sql += QStringLiteral("   %1 ,").arg(lineColumns[i]);
        sql.chop(1);
        sql += QStringLiteral(")  VALUES ( ");
        for (int i = 0; i < lineColumnCount; ++i) {
            const QString value = i == 0 ? Data::folio('A', k) : ado::sqlText(v[i]);
            sql += (i < 2                     ? " '" + value + "' , "
                    : i < lineColumnCount - 1 ? "'" + value + "', "
                                              : "'" + value + "' ");
        }
        statements.push_back(sql + ") ");
    }
    const QStringList marks(lineColumnCount, QStringLiteral("?"));
    const QByteArray prepared = QStringLiteral("INSERT INTO Orden_Entrega (%1) VALUES (%2)")
                                    .arg(lineColumns.join(", "), marks.join(", "))
                                    .toUtf8();
    std::vector<std::vector<QByteArray>> values;
    for (int k = 0; k < insertedLines; ++k) {
        std::vector<QByteArray> row;
        for (int i = 0; i < lineColumnCount; ++i)
            row.push_back(i == 0 ? Data::folio('B', k).toUtf8()
                                 : data->lines[size_t(k)][i].toUtf8());
        values.push_back(std::move(row));
    }

    Tally tally;
    for (auto _ : state) {
        Lap ado(tally, 0);
        data->connection->BeginTrans();
        for (const QString& sql : statements)
            data->connection->Execute(sql);
        data->connection->CommitTrans();
        const double a = ado.stop();

        Lap bare(tally, 1);
        sqlite3* db = data->bare;
        check(db, sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), "begin");
        sqlite3_stmt* st = nullptr;
        check(db, sqlite3_prepare_v2(db, prepared.constData(), -1, &st, nullptr), "prepare");
        for (const std::vector<QByteArray>& row : values) {
            for (int i = 0; i < lineColumnCount; ++i)
                sqlite3_bind_text(st, i + 1, row[size_t(i)].constData(), int(row[size_t(i)].size()),
                                  SQLITE_STATIC);
            check(db, sqlite3_step(st), "insert");
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        check(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), "commit");
        bare.stop();

        data->removeCopies();
        state.SetIterationTime(a);
    }
    tally.report(state);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Data built;
    data = &built;
    benchmark::RegisterBenchmark("ViajesQuery", ViajesQuery)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("OrderLineInserts", OrderLineInserts)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    data = nullptr;
    return 0;
}
