#include "suite/db/DemoData.h"
#include "platform/com/RuntimeError.h"
#include "suite/db/Schema.h"
#include "tests/support/Checks.h"
#include "tests/support/TestDatabase.h"

#include <QCryptographicHash>
#include <gtest/gtest.h>

namespace {

const QDate today(2024, 3, 15);

// Every row the generator writes, in key order, folded into one digest. (The schema's own rows
// carry the moment it was made.)
std::string digest(ktest::TestDatabase& db) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const suite::Table& t : suite::Schema::tables())
        if (t.name != "Parametro" && t.name != "Consulta" && t.name != "Estado")
            for (const QStringList& row :
                 db.rows("SELECT * FROM " + t.name + " ORDER BY " + t.primaryKey.join(", ")))
                hash.addData(row.join('\x1f').toUtf8() + '\n');
    return hash.result().toHex().toStdString();
}

class DemoDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { db = new ktest::TestDatabase({300, 4, today}); }
    static void TearDownTestSuite() {
        delete db;
        db = nullptr;
    }

    static int count(const QString& sql) { return db->scalar(sql).toInt(); }
    static QStringList column(const QString& sql) {
        QStringList out;
        for (const QStringList& row : db->rows(sql))
            out << row.first();
        return out;
    }
    static std::string str(const QStringList& l) { return l.join(' ').toStdString(); }

    static ktest::TestDatabase* db;
};

ktest::TestDatabase* DemoDataTest::db = nullptr;

TEST(DemoDataSeed, SameOptionsGiveTheSameRowsAndAnotherSeedOthers) {
    ktest::TestDatabase a({60, 9, today}), b({60, 9, today}), c({60, 10, today});
    const std::string first = digest(a);
    EXPECT_EQ(first, digest(b));
    EXPECT_NE(first, digest(c));
    EXPECT_EQ(a.summary().trips, 60);
    EXPECT_EQ(a.summary().orderLines, a.scalar("SELECT COUNT(*) FROM Orden_Entrega").toInt());
}

TEST_F(DemoDataTest, TripsAroundTodayInEveryStateWithOpenTimes) {
    EXPECT_EQ(count("SELECT COUNT(*) FROM Viaje WHERE Vj_Fecha NOT BETWEEN '2024-02-14' AND "
                    "'2024-04-14'"),
              0);
    EXPECT_EQ(str(column("SELECT DISTINCT Es_Cve_Estado FROM Viaje ORDER BY 1")), "AB CA CE TR");
    EXPECT_GT(count("SELECT COUNT(*) FROM Viaje WHERE Vj_Fecha_Inicio_Viaje IS NULL"), 0);
    EXPECT_GT(count("SELECT COUNT(*) FROM Viaje WHERE Vj_Fecha_Inicio_Viaje IS NOT NULL AND "
                    "Vj_Fecha_Fin_Viaje IS NULL"),
              0);
    // A closed trip has run: both moments, in order, and both readings.
    EXPECT_EQ(
        count("SELECT COUNT(*) FROM Viaje WHERE Es_Cve_Estado = 'CE' AND NOT ("
              "Vj_Fecha_Fin_Viaje > Vj_Fecha_Inicio_Viaje AND Vj_Kilometro_Final IS NOT NULL)"),
        0);
}

TEST_F(DemoDataTest, OrdersAndShipmentsBelongToOneTripEach) {
    EXPECT_EQ(str(column("SELECT DISTINCT Es_Cve_Estado FROM Orden_Entrega WHERE Es_Cve_Estado "
                         "IN ('RM','RMT','CA') ORDER BY 1")),
              "CA RM RMT");
    const QString lines = "SELECT %1(n) FROM (SELECT COUNT(*) AS n FROM Orden_Entrega GROUP BY "
                          "Oe_Folio) x";
    EXPECT_EQ(count(lines.arg("MIN")), 1);
    EXPECT_LE(count(lines.arg("MAX")), 20);
    EXPECT_GT(count(lines.arg("MAX")), 5);
    for (const char* table : {"ORDEN_ENTREGA", "EMBARQUE"}) {
        const QString key = QString(table) == "EMBARQUE" ? "Eb_Folio" : "Oe_Folio";
        const QString source = QString(table) == "EMBARQUE" ? "Embarque" : "Orden_Entrega";
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM (SELECT DISTINCT %1 FROM %2) d WHERE "
                                       "(SELECT COUNT(*) FROM Viaje_Documento WHERE Vd_Tabla = "
                                       "'%3' AND Vd_Documento = d.%1) <> 1")
                            .arg(key, source, table)),
                  0)
            << table;
    }
    // The lines of one order share its trip's vehicle type and branch.
    EXPECT_EQ(count("SELECT COUNT(*) FROM Orden_Entrega o JOIN Viaje_Documento d ON "
                    "d.Vd_Documento = o.Oe_Folio AND d.Vd_Tabla = 'ORDEN_ENTREGA' JOIN Viaje v ON "
                    "v.Vj_Folio = d.Vj_Folio JOIN Vehiculo vh ON vh.Vh_Cve_Vehiculo = "
                    "v.Vh_Cve_Vehiculo WHERE o.Oe_Tipo_Vehiculo <> vh.Tv_Cve_Tipo_Vehiculo OR "
                    "o.Sc_Cve_Sucursal <> v.Sc_Cve_Sucursal"),
              0);
}

TEST_F(DemoDataTest, RemissionsSalesAndDocumentLinks) {
    EXPECT_GT(count("SELECT COUNT(DISTINCT Oe_Folio) FROM Orden_Entrega WHERE Rm_Folio IS NULL"),
              0);
    const QString withSale =
        "SELECT COUNT(*) FROM Remision r WHERE %1 EXISTS (SELECT 1 FROM Venta v WHERE v.Vn_Tabla "
        "= 'REMISION' AND v.Vn_Documento = r.Rm_Folio %2)";
    EXPECT_GT(count(withSale.arg("", "")), 0);
    EXPECT_GT(count(withSale.arg("NOT", "")), 0);
    // A remission whose only sale was cancelled: the reprogramming cancels the remission alone.
    EXPECT_GT(count(withSale.arg("NOT", "AND v.Es_Cve_Estado <> 'CA'") +
                    " AND EXISTS (SELECT 1 "
                    "FROM Venta v WHERE v.Vn_Documento = r.Rm_Folio)"),
              0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Orden_Entrega o WHERE Rm_Folio IS NOT NULL AND NOT "
                    "EXISTS (SELECT 1 FROM Remision r WHERE r.Rm_Folio = o.Rm_Folio)"),
              0);
    EXPECT_GT(count("SELECT COUNT(*) FROM Entrega_Documento WHERE Ed_Tabla = 'ORDEN_ENTREGA'"), 0);
    EXPECT_GT(count("SELECT COUNT(DISTINCT Oe_Folio) FROM Orden_Entrega o WHERE NOT EXISTS "
                    "(SELECT 1 FROM Entrega_Documento e WHERE e.Ed_Documento = o.Oe_Folio)"),
              0);
}

TEST_F(DemoDataTest, CataloguesKeepTheirFormatsAndSomeWithdrawnRows) {
    const std::pair<const char*, const char*> catalogues[] = {
        {"Sucursal", "Sc_Cve_Sucursal"},
        {"Tipo_Vehiculo", "Tv_Cve_Tipo_Vehiculo"},
        {"Chofer", "Ch_Cve_Chofer"},
        {"Vehiculo", "Vh_Cve_Vehiculo"}};
    for (const auto& [table, key] : catalogues) {
        const int width = QString(table) == "Vehiculo" ? 10 : 4;
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE length(%2) <> %3 OR %2 GLOB "
                                       "'*[^0-9]*'")
                            .arg(table, key)
                            .arg(width)),
                  0)
            << table;
        for (const char* state : {"BA", "AC"})
            EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE Es_Cve_Estado = '%2'")
                                .arg(table, state)),
                      0)
                << table << " " << state;
    }
}

TEST(DemoDataFailure, AFailedRunLeavesNothingBehind) {
    ktest::TestDatabase db({20, 1, today});
    const std::string before = digest(db);
    // A second run on the same rows collides on the first catalogue key.
    const QString error = ktest::errorOf([&] {
                              suite::DemoData::generate(db.connection(), {20, 2, today});
                          }).description();
    EXPECT_TRUE(error.contains("Sucursal")) << error.toStdString();
    EXPECT_FALSE(db.connection().inTransaction());
    EXPECT_EQ(digest(db), before);
}

} // namespace
