#include "platform/ado/DateValue.h"
#include "platform/ado/Providers.h"
#include "platform/ado/SqlText.h"
#include "suite/db/HostData.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestProvider.h"

#include <QSet>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QDate today(2024, 3, 15);

using ktest::Provider;

// The filter boxes of the filter dialog: a code counts when its description box is filled;
// the vehicle code counts on its own.
struct Filters {
    QString vehicleType, vehicle, state, driver, branch;
};

QString day(const QDate& d) {
    return d.toString("yyyy-MM-dd");
}

// The trip board's condition text, piece by piece as the board builds it; codes reach it with
// their quotes doubled.
QString tripCondition(const QDate& from, const QDate& to, const Filters& f) {
    QString c = " Viaje.Vj_Fecha BETWEEN '" + day(from) + "' AND '" + day(to) + "' ";
    if (!f.vehicleType.isEmpty())
        c += " AND Tipo_Vehiculo.Tv_Cve_Tipo_Vehiculo = '" + ado::sqlText(f.vehicleType) + "' ";
    if (!f.vehicle.isEmpty())
        c += " AND Vehiculo.Vh_Cve_Vehiculo = '" + ado::sqlText(f.vehicle) + "' ";
    if (!f.state.isEmpty())
        c += " AND Viaje.Es_Cve_Estado = '" + ado::sqlText(f.state) + "' ";
    if (!f.driver.isEmpty())
        c += " AND Viaje.Ch_Cve_Chofer = '" + ado::sqlText(f.driver) + "' ";
    if (!f.branch.isEmpty())
        c += " AND Viaje.Sc_Cve_Sucursal = '" + ado::sqlText(f.branch) + "' ";
    return c;
}

// The rescheduling screen's condition text for one detail list.
QString detailCondition(const QString& table, const QDate& from, const QDate& to, const Filters& f,
                        const QString& trip) {
    QString c = " Viaje.Vj_Fecha BETWEEN '" + day(from) + "' AND '" + day(to) + "' ";
    if (!f.vehicleType.isEmpty())
        c += " AND " + table + ".Oe_Tipo_Vehiculo = '" + f.vehicleType + "' ";
    if (!f.state.isEmpty())
        c += "  AND Viaje.Es_Cve_Estado = '" + f.state + "' ";
    if (!f.driver.isEmpty())
        c += " AND Viaje.Ch_Cve_Chofer = '" + f.driver + "' ";
    c += "AND  Viaje.Vj_Folio = '" + trip + "' ";
    c += " AND " + table + ".Es_Cve_Estado  IN ('RM','RMT') ";
    return c;
}

std::string str(const QStringList& l) {
    return l.join(' ').toStdString();
}

struct Result {
    QStringList columns;
    QStringList folios; // first column of every row
};

class StoredQueriesTest : public ::testing::TestWithParam<Provider> {
protected:
    // One database per engine for the whole suite: the queries only read.
    static ktest::TestDatabase* databaseFor(ktest::TestDatabase::Engine engine) {
        std::unique_ptr<ktest::TestDatabase>& made = databases[int(engine)];
        if (!made) {
            made = std::make_unique<ktest::TestDatabase>(engine,
                                                         ktest::TestDatabase::Demo{400, 11, today});
            // A driver whose code holds a quote, with one trip of its own.
            made->exec("INSERT INTO Chofer (Ch_Cve_Chofer, Ch_Descripcion, Es_Cve_Estado) "
                       "VALUES ('O''B1', 'Prueba O''Brien', 'AC')");
            made->exec("INSERT INTO Viaje (Vj_Folio, Vj_Fecha, Es_Cve_Estado, Sc_Cve_Sucursal, "
                       "Ch_Cve_Chofer, Vh_Cve_Vehiculo) VALUES ('0001999999', '" +
                       day(today) + "', 'AB', '0001', 'O''B1', '0000000001')");
        }
        return made.get();
    }
    static void TearDownTestSuite() {
        for (auto& d : databases)
            d.reset();
        db = nullptr;
    }
    void SetUp() override {
        const auto engine = GetParam() == Provider::Postgres
                                ? ktest::TestDatabase::Engine::PostgresServer
                                : ktest::TestDatabase::Engine::SqliteFile;
        QString why;
        if (!ktest::TestDatabase::available(engine, &why))
            GTEST_SKIP() << why.toStdString();
        db = databaseFor(engine);
        connection =
            GetParam() == Provider::Odbc ? ado::openOdbc(db->odbcConnectionString()) : db->open();
    }

    Result run(const char* query, const QString& condition) {
        QString sql = suite::HostData::query(QLatin1String(query));
        sql.replace("{PARAMETROS}", condition);
        Result r;
        std::unique_ptr<ado::Recordset> rs = connection->Execute(sql);
        for (int i = 0; !rs->Eof() && i < rs->FieldCount(); ++i)
            r.columns << rs->Fields(i).Name();
        for (; !rs->Eof(); rs->MoveNext())
            r.folios << rs->Fields(0).Value().toString();
        return r;
    }
    // The answer of a plain query over the base tables, as a sorted list.
    static QStringList expected(const QString& sql) {
        QStringList out;
        for (const QStringList& row : db->rows(sql))
            out << row.first();
        out.sort();
        return out;
    }
    static QStringList sorted(QStringList l) {
        l.sort();
        return l;
    }
    // A trip of the range carrying reprogrammable orders and shipments.
    static QStringList busyTrip() {
        return db
            ->rows("SELECT v.Vj_Folio, v.Vj_Fecha, v.Es_Cve_Estado, v.Ch_Cve_Chofer, "
                   "vh.Tv_Cve_Tipo_Vehiculo FROM Viaje v JOIN Vehiculo vh ON "
                   "vh.Vh_Cve_Vehiculo = v.Vh_Cve_Vehiculo WHERE (SELECT COUNT(*) FROM "
                   "Viaje_Documento d JOIN Embarque e ON e.Eb_Folio = d.Vd_Documento AND "
                   "d.Vd_Tabla = 'EMBARQUE' WHERE d.Vj_Folio = v.Vj_Folio AND e.Es_Cve_Estado IN "
                   "('RM','RMT')) > 0 AND "
                   "(SELECT COUNT(DISTINCT o.Oe_Folio) FROM Viaje_Documento d JOIN "
                   "Orden_Entrega o ON o.Oe_Folio = d.Vd_Documento AND d.Vd_Tabla = "
                   "'ORDEN_ENTREGA' WHERE d.Vj_Folio = "
                   "v.Vj_Folio AND o.Es_Cve_Estado IN ('RM','RMT')) > 1 ORDER BY v.Vj_Folio")
            .first();
    }

    static std::unique_ptr<ktest::TestDatabase> databases[2];
    static ktest::TestDatabase* db;
    std::unique_ptr<ado::Connection> connection;
};

std::unique_ptr<ktest::TestDatabase> StoredQueriesTest::databases[2];
ktest::TestDatabase* StoredQueriesTest::db = nullptr;

TEST_P(StoredQueriesTest, TripsOfTheDateRangeWithTheirFolioFirst) {
    const Result r = run("Viajes", tripCondition(today.addDays(-7), today.addDays(7), {}));
    EXPECT_EQ(r.columns.first().toStdString(), "Folio");
    for (const char* caption :
         {"Fecha", "Estado", "Sucursal", "Chofer", "Vehículo", "Tipo", "Inicio", "Fin"})
        EXPECT_TRUE(r.columns.contains(QString::fromUtf8(caption)))
            << caption << " in " << r.columns.join(", ").toStdString();
    const QStringList all =
        expected("SELECT Vj_Folio FROM Viaje WHERE Vj_Fecha BETWEEN '" + day(today.addDays(-7)) +
                 "' AND '" + day(today.addDays(7)) + "'");
    ASSERT_GT(all.size(), 20);
    EXPECT_EQ(str(sorted(r.folios)), str(all));

    // The bounds are days: trips of both end days are in.
    EXPECT_EQ(str(sorted(run("Viajes", tripCondition(today, today, {})).folios)),
              str(expected("SELECT Vj_Folio FROM Viaje WHERE Vj_Fecha = '" + day(today) + "'")));
    EXPECT_TRUE(run("Viajes", tripCondition(today, today.addDays(-1), {})).folios.isEmpty());
    // A code with a quote, doubled, finds its trip.
    EXPECT_EQ(str(run("Viajes", tripCondition(today, today, {"", "", "", "O'B1", ""})).folios),
              "0001999999");
}

TEST_P(StoredQueriesTest, EachFilterOfTheBoardNarrowsTheTrips) {
    const QDate from = today.addDays(-30), to = today.addDays(30);
    const QStringList sample =
        db->rows("SELECT v.Vh_Cve_Vehiculo, vh.Tv_Cve_Tipo_Vehiculo, v.Es_Cve_Estado, "
                 "v.Ch_Cve_Chofer, v.Sc_Cve_Sucursal FROM Viaje v JOIN Vehiculo vh ON "
                 "vh.Vh_Cve_Vehiculo = v.Vh_Cve_Vehiculo ORDER BY v.Vj_Folio")
            .at(5);
    const QString base = "SELECT v.Vj_Folio FROM Viaje v LEFT JOIN Vehiculo vh ON "
                         "vh.Vh_Cve_Vehiculo = v.Vh_Cve_Vehiculo WHERE v.Vj_Fecha BETWEEN '" +
                         day(from) + "' AND '" + day(to) + "' AND ";
    const std::pair<Filters, QString> cases[] = {
        {{"", sample[0], "", "", ""}, "v.Vh_Cve_Vehiculo = '" + sample[0] + "'"},
        {{sample[1], "", "", "", ""}, "vh.Tv_Cve_Tipo_Vehiculo = '" + sample[1] + "'"},
        {{"", "", sample[2], "", ""}, "v.Es_Cve_Estado = '" + sample[2] + "'"},
        {{"", "", "", sample[3], ""}, "v.Ch_Cve_Chofer = '" + sample[3] + "'"},
        {{"", "", "", "", sample[4]}, "v.Sc_Cve_Sucursal = '" + sample[4] + "'"},
        {{sample[1], "", sample[2], sample[3], sample[4]},
         "vh.Tv_Cve_Tipo_Vehiculo = '" + sample[1] + "' AND v.Es_Cve_Estado = '" + sample[2] +
             "' AND v.Ch_Cve_Chofer = '" + sample[3] + "' AND v.Sc_Cve_Sucursal = '" + sample[4] +
             "'"},
    };
    for (const auto& [filters, where] : cases) {
        const QStringList want = expected(base + where);
        EXPECT_FALSE(want.isEmpty()) << where.toStdString();
        EXPECT_EQ(str(sorted(run("Viajes", tripCondition(from, to, filters)).folios)), str(want))
            << where.toStdString();
    }
}

// One row per reprogrammable order or shipment of the trip; shipments take the orders' vehicle
// type condition.
TEST_P(StoredQueriesTest, DocumentsOfATripThatMayBeReprogrammed) {
    const QStringList trip = busyTrip();
    const QString folio = trip[0], type = trip[4];
    const QDate date = ado::toDateTime(trip[1]).date();
    const std::tuple<const char*, const char*, QString> lists[] = {
        {"ORDENES_X_VIAJE", "Orden_Entrega",
         "SELECT DISTINCT o.Oe_Folio FROM Viaje_Documento d JOIN Orden_Entrega o ON o.Oe_Folio = "
         "d.Vd_Documento AND d.Vd_Tabla = 'ORDEN_ENTREGA' WHERE d.Vj_Folio = '" +
             folio + "' AND o.Es_Cve_Estado IN ('RM','RMT')"},
        {"EMBARQUES_X_VIAJE", "Embarque",
         "SELECT e.Eb_Folio FROM Viaje_Documento d JOIN Embarque e ON e.Eb_Folio = "
         "d.Vd_Documento AND d.Vd_Tabla = 'EMBARQUE' WHERE d.Vj_Folio = '" +
             folio + "' AND e.Es_Cve_Estado IN ('RM','RMT')"}};
    for (const auto& [query, table, plain] : lists) {
        const auto listed = [&](const Filters& f, const QDate& from, const QDate& to) {
            return str(sorted(
                run(query, detailCondition(QLatin1String(table), from, to, f, folio)).folios));
        };
        const QStringList want = expected(plain);
        ASSERT_FALSE(want.isEmpty()) << query;
        EXPECT_EQ(listed({}, date, date), str(want)) << query;
        EXPECT_EQ(listed({type, "", trip[2], trip[3], ""}, date, date), str(want)) << query;
        EXPECT_EQ(listed({"9999", "", "", "", ""}, date, date), "") << query;
        EXPECT_EQ(listed({"", "", "CE", "", ""}, date, date), "") << query;
        EXPECT_EQ(listed({}, date.addDays(1), date.addDays(5)), "") << query;
    }
}

INSTANTIATE_TEST_SUITE_P(Providers, StoredQueriesTest,
                         ::testing::Values(Provider::Sqlite, Provider::Odbc, Provider::Postgres),
                         ktest::ProviderName());

} // namespace
