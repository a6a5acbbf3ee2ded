#include "suite/db/DemoData.h"
#include "platform/com/RuntimeError.h"
#include "suite/db/Schema.h"
#include "tests/support/Checks.h"
#include "tests/support/PrintQString.h"
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

// The same options give the same rows, another seed others; a failed run leaves nothing behind.
TEST(DemoDataSeed, SameOptionsGiveTheSameRowsAndAFailedRunNoneAtAll) {
    ktest::TestDatabase a({60, 9, today}), b({60, 9, today}), c({60, 10, today});
    const std::string first = digest(a);
    EXPECT_EQ(first, digest(b));
    EXPECT_NE(first, digest(c));
    EXPECT_EQ(a.summary().trips, 60);
    EXPECT_EQ(a.summary().orderLines, a.scalar("SELECT COUNT(*) FROM Orden_Entrega").toInt());

    // A second run on the same rows collides on the first catalogue key.
    const QString error = ktest::errorOf([&] {
                              suite::DemoData::generate(a.connection(), {20, 2, today});
                          }).description();
    EXPECT_TRUE(error.contains("Sucursal")) << error.toStdString();
    EXPECT_FALSE(a.connection().inTransaction());
    EXPECT_EQ(digest(a), first);
}

// What the screens need to meet on the demo database: each statement counts the rows that break
// a rule (none may) or the rows of a case that must be there (some must).
TEST(DemoData, TheRowsTheScreensNeedAreThereAndConsistent) {
    ktest::TestDatabase db({300, 4, today});
    const auto count = [&](const QString& sql) { return db.scalar(sql).toInt(); };
    const char* const none[] = {
        // Trips lie around today; a closed one has run: both moments, in order, and both readings.
        "SELECT COUNT(*) FROM Viaje WHERE Vj_Fecha NOT BETWEEN '2024-02-14' AND '2024-04-14'",
        "SELECT COUNT(*) FROM Viaje WHERE Es_Cve_Estado = 'CE' AND NOT (Vj_Fecha_Fin_Viaje > "
        "Vj_Fecha_Inicio_Viaje AND Vj_Kilometro_Final IS NOT NULL)",
        // Every order and shipment belongs to one trip, and its lines share the trip's vehicle
        // type and branch.
        "SELECT COUNT(*) FROM (SELECT DISTINCT Oe_Folio FROM Orden_Entrega) d WHERE (SELECT "
        "COUNT(*) FROM Viaje_Documento WHERE Vd_Tabla = 'ORDEN_ENTREGA' AND Vd_Documento = "
        "d.Oe_Folio) <> 1",
        "SELECT COUNT(*) FROM Embarque d WHERE (SELECT COUNT(*) FROM Viaje_Documento WHERE "
        "Vd_Tabla = 'EMBARQUE' AND Vd_Documento = d.Eb_Folio) <> 1",
        "SELECT COUNT(*) FROM Orden_Entrega o JOIN Viaje_Documento d ON d.Vd_Documento = "
        "o.Oe_Folio AND d.Vd_Tabla = 'ORDEN_ENTREGA' JOIN Viaje v ON v.Vj_Folio = d.Vj_Folio JOIN "
        "Vehiculo vh ON vh.Vh_Cve_Vehiculo = v.Vh_Cve_Vehiculo WHERE o.Oe_Tipo_Vehiculo <> "
        "vh.Tv_Cve_Tipo_Vehiculo OR o.Sc_Cve_Sucursal <> v.Sc_Cve_Sucursal",
        "SELECT COUNT(*) FROM Orden_Entrega o WHERE Rm_Folio IS NOT NULL AND NOT EXISTS (SELECT 1 "
        "FROM Remision r WHERE r.Rm_Folio = o.Rm_Folio)",
    };
    for (const char* sql : none)
        EXPECT_EQ(count(sql), 0) << sql;
    const char* const some[] = {
        "SELECT COUNT(*) FROM Viaje WHERE Vj_Fecha_Inicio_Viaje IS NULL",
        "SELECT COUNT(*) FROM Viaje WHERE Vj_Fecha_Inicio_Viaje IS NOT NULL AND Vj_Fecha_Fin_Viaje "
        "IS NULL",
        "SELECT COUNT(DISTINCT Oe_Folio) FROM Orden_Entrega WHERE Rm_Folio IS NULL",
        "SELECT COUNT(*) FROM Remision r WHERE EXISTS (SELECT 1 FROM Venta v WHERE v.Vn_Tabla = "
        "'REMISION' AND v.Vn_Documento = r.Rm_Folio)",
        "SELECT COUNT(*) FROM Remision r WHERE NOT EXISTS (SELECT 1 FROM Venta v WHERE v.Vn_Tabla "
        "= 'REMISION' AND v.Vn_Documento = r.Rm_Folio)",
        // A remission whose only sale was cancelled: the reprogramming cancels the remission alone.
        "SELECT COUNT(*) FROM Remision r WHERE NOT EXISTS (SELECT 1 FROM Venta v WHERE v.Vn_Tabla "
        "= 'REMISION' AND v.Vn_Documento = r.Rm_Folio AND v.Es_Cve_Estado <> 'CA') AND EXISTS "
        "(SELECT 1 FROM Venta v WHERE v.Vn_Documento = r.Rm_Folio)",
        "SELECT COUNT(*) FROM Entrega_Documento WHERE Ed_Tabla = 'ORDEN_ENTREGA'",
        "SELECT COUNT(DISTINCT Oe_Folio) FROM Orden_Entrega o WHERE NOT EXISTS (SELECT 1 FROM "
        "Entrega_Documento e WHERE e.Ed_Documento = o.Oe_Folio)",
    };
    for (const char* sql : some)
        EXPECT_GT(count(sql), 0) << sql;
    // Catalogue codes are digits of their width, and some withdrawn rows lie beside active ones.
    for (const auto& [table, code, width] : {std::tuple{"Sucursal", "Sc_Cve_Sucursal", 4},
                                             {"Tipo_Vehiculo", "Tv_Cve_Tipo_Vehiculo", 4},
                                             {"Chofer", "Ch_Cve_Chofer", 4},
                                             {"Vehiculo", "Vh_Cve_Vehiculo", 10}})
        EXPECT_EQ(db.rows(QStringLiteral("SELECT DISTINCT Es_Cve_Estado, length(%2) = %3 AND %2 "
                                         "NOT GLOB '*[^0-9]*' FROM %1 ORDER BY 1, 2")
                              .arg(table, code)
                              .arg(width)),
                  (QList<QStringList>{{"AC", "1"}, {"BA", "1"}}))
            << table;
    EXPECT_EQ(db.rows("SELECT DISTINCT Es_Cve_Estado FROM Viaje ORDER BY 1"),
              (QList<QStringList>{{"AB"}, {"CA"}, {"CE"}, {"TR"}}));
    EXPECT_EQ(db.rows("SELECT DISTINCT Es_Cve_Estado FROM Orden_Entrega WHERE Es_Cve_Estado IN "
                      "('RM','RMT','CA') ORDER BY 1"),
              (QList<QStringList>{{"CA"}, {"RM"}, {"RMT"}}));
    // An order has from one line to a long list of them.
    EXPECT_EQ(db.rows("SELECT MIN(n), MAX(n) BETWEEN 6 AND 20 FROM (SELECT COUNT(*) AS n FROM "
                      "Orden_Entrega GROUP BY Oe_Folio) x"),
              (QList<QStringList>{{"1", "1"}}));
}

} // namespace
