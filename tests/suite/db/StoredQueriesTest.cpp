#include "platform/ado/DateValue.h"
#include "platform/ado/Providers.h"
#include "platform/ado/SqlText.h"
#include "suite/db/HostData.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestProvider.h"

#include <gtest/gtest.h>

namespace {

const QDate today(2024, 3, 15);

using ktest::Provider;

QString day(const QDate& d) {
    return d.toString("yyyy-MM-dd");
}

// A filter of a screen's condition: a code and its column.
using Filter = std::pair<QString, QString>;

// A screen's condition text: the date range, then each filter, the code's quotes doubled.
QString condition(const QDate& from, const QDate& to, const QList<Filter>& filters = {}) {
    QString c = " Viaje.Vj_Fecha BETWEEN '" + day(from) + "' AND '" + day(to) + "' ";
    for (const auto& [value, column] : filters)
        c += QStringLiteral(" AND %1 = '%2' ").arg(column, ado::sqlText(value));
    return c;
}

// The first column of every row, sorted, as one text.
std::string folios(std::unique_ptr<ado::Recordset> rs, QStringList* columns = nullptr) {
    QStringList out;
    for (int i = 0; columns && !rs->Eof() && i < rs->FieldCount(); ++i)
        *columns << rs->Fields(i).Name();
    for (; !rs->Eof(); rs->MoveNext())
        out << rs->Fields(0).Value().toString();
    out.sort();
    return out.join(' ').toStdString();
}

class StoredQueriesTest : public ::testing::TestWithParam<Provider> {
protected:
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
        // One database per engine for the whole suite: the queries only read.
        std::unique_ptr<ktest::TestDatabase>& made = databases[int(engine)];
        if (!made)
            made = std::make_unique<ktest::TestDatabase>(engine,
                                                         ktest::TestDatabase::Demo{400, 11, today});
        db = made.get();
        connection =
            GetParam() == Provider::Odbc ? ado::openOdbc(db->odbcConnectionString()) : db->open();
    }

    // What a stored query lists with the condition in place.
    std::string run(const char* query, const QString& condition, QStringList* columns = nullptr) {
        QString sql = suite::HostData::query(QLatin1String(query));
        return folios(connection->Execute(sql.replace("{PARAMETROS}", condition)), columns);
    }
    // The answer of a plain query over the base tables.
    static std::string expected(const QString& sql) {
        return folios(db->connection().Execute(sql));
    }
    static std::unique_ptr<ktest::TestDatabase> databases[2];
    static ktest::TestDatabase* db;
    std::unique_ptr<ado::Connection> connection;
};

std::unique_ptr<ktest::TestDatabase> StoredQueriesTest::databases[2];
ktest::TestDatabase* StoredQueriesTest::db = nullptr;

TEST_P(StoredQueriesTest, TripsOfTheDateRangeWithTheirFolioFirst) {
    QStringList columns;
    const std::string week =
        run("Viajes", condition(today.addDays(-7), today.addDays(7)), &columns);
    EXPECT_EQ(columns.first().toStdString(), "Folio");
    for (const char* caption :
         {"Fecha", "Estado", "Sucursal", "Chofer", "Vehículo", "Tipo", "Inicio", "Fin"})
        EXPECT_TRUE(columns.contains(QString::fromUtf8(caption)))
            << caption << " in " << columns.join(", ").toStdString();
    const std::string all =
        expected("SELECT Vj_Folio FROM Viaje WHERE Vj_Fecha BETWEEN '" + day(today.addDays(-7)) +
                 "' AND '" + day(today.addDays(7)) + "'");
    ASSERT_GT(std::count(all.begin(), all.end(), ' '), 20) << "a week of the demo holds many trips";
    EXPECT_EQ(week, all);

    // The bounds are days: trips of both end days are in.
    EXPECT_EQ(run("Viajes", condition(today, today)),
              expected("SELECT Vj_Folio FROM Viaje WHERE Vj_Fecha = '" + day(today) + "'"));
    EXPECT_EQ(run("Viajes", condition(today, today.addDays(-1))), "");
}

TEST_P(StoredQueriesTest, EachFilterOfTheBoardNarrowsTheTrips) {
    const QDate from = today.addDays(-30), to = today.addDays(30);
    // Each filter's column in the board's condition and in a plain query.
    const QStringList board{"Vehiculo.Vh_Cve_Vehiculo", "Tipo_Vehiculo.Tv_Cve_Tipo_Vehiculo",
                            "Viaje.Es_Cve_Estado", "Viaje.Ch_Cve_Chofer", "Viaje.Sc_Cve_Sucursal"};
    const QStringList plain{"v.Vh_Cve_Vehiculo", "vh.Tv_Cve_Tipo_Vehiculo", "v.Es_Cve_Estado",
                            "v.Ch_Cve_Chofer", "v.Sc_Cve_Sucursal"};
    const QString joined =
        " FROM Viaje v LEFT JOIN Vehiculo vh ON vh.Vh_Cve_Vehiculo = v.Vh_Cve_Vehiculo ";
    const QStringList sample = db->rows("SELECT " + plain.join(", ") + joined +
                                        "WHERE vh.Vh_Cve_Vehiculo IS NOT NULL ORDER BY v.Vj_Folio")
                                   .at(5);
    // Each filter alone, then all but the vehicle's together.
    for (const QList<int>& set : {QList<int>{0}, {1}, {2}, {3}, {4}, {1, 2, 3, 4}}) {
        QList<Filter> filters;
        QStringList where;
        for (int i : set) {
            filters << Filter{sample[i], board[i]};
            where << plain[i] + " = '" + sample[i] + "'";
        }
        SCOPED_TRACE(where.join(" AND ").toStdString());
        const std::string want =
            expected("SELECT v.Vj_Folio" + joined + "WHERE v.Vj_Fecha BETWEEN '" + day(from) +
                     "' AND '" + day(to) + "' AND " + where.join(" AND "));
        EXPECT_FALSE(want.empty());
        EXPECT_EQ(run("Viajes", condition(from, to, filters)), want);
    }
}

// One row per reprogrammable order or shipment of the trip; shipments take the orders' vehicle
// type condition.
TEST_P(StoredQueriesTest, DocumentsOfATripThatMayBeReprogrammed) {
    // A trip carrying reprogrammable shipments and an order of several reprogrammable lines.
    const QStringList trip =
        db->rows("SELECT v.Vj_Folio, v.Vj_Fecha, v.Es_Cve_Estado, v.Ch_Cve_Chofer, "
                 "vh.Tv_Cve_Tipo_Vehiculo FROM Viaje v JOIN Vehiculo vh ON vh.Vh_Cve_Vehiculo = "
                 "v.Vh_Cve_Vehiculo WHERE (SELECT COUNT(*) FROM Viaje_Documento d JOIN Embarque e "
                 "ON e.Eb_Folio = d.Vd_Documento AND d.Vd_Tabla = 'EMBARQUE' WHERE d.Vj_Folio = "
                 "v.Vj_Folio AND e.Es_Cve_Estado IN ('RM','RMT')) > 0 AND (SELECT COUNT(*) - "
                 "COUNT(DISTINCT "
                 "o.Oe_Folio) FROM Viaje_Documento d JOIN Orden_Entrega o ON o.Oe_Folio = "
                 "d.Vd_Documento AND d.Vd_Tabla = 'ORDEN_ENTREGA' WHERE d.Vj_Folio = v.Vj_Folio "
                 "AND o.Es_Cve_Estado IN ('RM','RMT')) > 0 ORDER BY v.Vj_Folio")
            .first();
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
        SCOPED_TRACE(query);
        // The screen's condition: the range, the filters, the trip, the states it moves.
        const QString vehicleType = QLatin1String(table) + ".Oe_Tipo_Vehiculo";
        const auto listed = [&](QList<Filter> filters, const QDate& from, const QDate& to) {
            filters << Filter{folio, "Viaje.Vj_Folio"};
            return run(query, condition(from, to, filters) + " AND " + QLatin1String(table) +
                                  ".Es_Cve_Estado  IN ('RM','RMT') ");
        };
        const std::string want = expected(plain);
        ASSERT_FALSE(want.empty());
        EXPECT_EQ(listed({{type, vehicleType},
                          {trip[2], "Viaje.Es_Cve_Estado"},
                          {trip[3], "Viaje.Ch_Cve_Chofer"}},
                         date, date),
                  want);
        EXPECT_EQ(listed({{"9999", vehicleType}}, date, date), "");
        EXPECT_EQ(listed({{"CE", "Viaje.Es_Cve_Estado"}}, date, date), "");
        EXPECT_EQ(listed({}, date.addDays(1), date.addDays(5)), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Providers, StoredQueriesTest,
                         ::testing::Values(Provider::Sqlite, Provider::Odbc, Provider::Postgres),
                         ktest::ProviderName());

} // namespace
