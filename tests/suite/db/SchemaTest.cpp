#include "suite/db/Schema.h"
#include "platform/ado/SqlText.h"
#include "suite/db/Folio.h"
#include "tests/support/PrintQString.h"
#include "tests/support/TestDatabase.h"

#include "platform/com/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <gtest/gtest.h>

namespace {

// A copied value as the screens write it: its text form (a server's date as the host's date
// text, a number in its shortest form), empty for a null, quotes doubled.
QString copied(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString("yyyy-MM-dd HH:mm:ss");
    if (v.typeId() == QMetaType::Double)
        return QLocale::c().toString(v.toDouble(), 'f', QLocale::FloatingPointShortest);
    return ado::sqlText(v.toString());
}

// The screens' copy of one row: every column but the state as a quoted text, some replaced.
QString copyOf(const QString& table, ado::Recordset& rs, const QMap<QString, QString>& replaced) {
    QStringList columns = suite::Schema::table(table).columnNames(), values;
    columns.removeOne("Es_Cve_Estado");
    for (const QString& c : columns)
        values << "'" + replaced.value(c, copied(rs.Fields(c).Value())) + "'";
    return "INSERT INTO " + table + " (" + columns.join(", ") + ") VALUES (" + values.join(", ") +
           ")";
}

using Engine = ktest::TestDatabase::Engine;

// The same cases on the embedded file and on the server.
class SchemaTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        QString why;
        if (!ktest::TestDatabase::available(GetParam(), &why))
            GTEST_SKIP() << why.toStdString();
        db = std::make_unique<ktest::TestDatabase>(
            GetParam(), ktest::TestDatabase::Demo{40, 5, QDate(2024, 3, 15)});
    }

    std::unique_ptr<ktest::TestDatabase> db;

    QString firstOf(const QString& sql) { return db->scalar(sql).toString(); }
};

TEST(SchemaColumns, EveryTableHasTheAuditColumnsAndFoliosFitTheirLength) {
    for (const suite::Table& t : suite::Schema::tables()) {
        EXPECT_TRUE(t.column("Fecha_Ult_Modif") && t.column("Oper_Alta")) << t.name.toStdString();
    }
    // A folio is the branch, then the number padded with zeros to the length, and must fit.
    EXPECT_EQ(suite::Folio::text("0002", 137, 10), "0002000137");
    EXPECT_EQ(suite::Folio::text("0002", 999999, 10), "0002999999");
    EXPECT_THROW(suite::Folio::text("0002", 1000000, 10), com::RuntimeError);
}

// The order and shipment copies write every line under a new folio as quoted text; the schema
// must take its own rows back unchanged, and give the new lines a state the lists show.
TEST_P(SchemaTest, CopiesWrittenAsQuotedTextReadBackTheSameAndSoDoTheirLinks) {
    const struct {
        const char* table;
        const char* key;
        QMap<QString, QString> replaced;
        const char* change; // a quote and four decimals to copy
    } copies[] = {{"Orden_Entrega",
                   "Oe_Folio",
                   {{"Oe_Folio", "9999999999"}, {"Oe_Fecha_Entrega", "2024-04-02"}},
                   "Oe_Comentario = 'entrega d''urgencia', Oe_Precio_Lista = 1234.5678"},
                  {"Embarque",
                   "Eb_Folio",
                   {{"Eb_Folio", "9999999998"}},
                   "Eb_Comentario = 'carga d''urgencia', Eb_Peso = 1234.5678"}};
    for (const auto& c : copies) {
        SCOPED_TRACE(c.table);
        const QString table = QLatin1String(c.table), key = QLatin1String(c.key);
        const QString rowsOf = "SELECT * FROM " + table + " WHERE " + key + " = '%1' ORDER BY 1, 2";
        const QString folio = firstOf("SELECT MIN(" + key + ") FROM " + table);
        db->exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = '%4'")
                     .arg(table, QLatin1String(c.change), key, folio));
        int lines = 0;
        for (auto rs = db->connection().Execute(rowsOf.arg(folio)); !rs->Eof(); rs->MoveNext())
            db->exec(copyOf(table, *rs, c.replaced)), ++lines;
        const QList<QStringList> before = db->rows(rowsOf.arg(folio));
        const QList<QStringList> after = db->rows(rowsOf.arg(c.replaced.value(key)));
        ASSERT_EQ(after.size(), before.size());
        const QStringList columns = suite::Schema::table(table).columnNames();
        for (int r = 0; r < before.size(); ++r)
            for (int i = 0; i < columns.size(); ++i)
                if (!c.replaced.contains(columns[i]) && columns[i] != "Es_Cve_Estado") {
                    EXPECT_EQ(after[r][i], before[r][i] == "NULL" ? QString() : before[r][i])
                        << columns[i].toStdString() << " line " << r + 1;
                }
        EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM " + table + " WHERE " + key + " = '" +
                             c.replaced.value(key) + "' AND Es_Cve_Estado = 'RM'")
                      .toInt(),
                  lines);
    }

    // The links of an order are copied by one INSERT ... ( SELECT ... ) without audit columns.
    const QString order = firstOf("SELECT MIN(Ed_Documento) FROM Entrega_Documento");
    const int count =
        db->scalar("SELECT COUNT(*) FROM Entrega_Documento WHERE Ed_Documento = '" + order + "'")
            .toInt();
    const QString copy = "INSERT  INTO Entrega_Documento (     Ed_Tabla ,         Ed_Documento ,"
                         "         De_ID ,         De_Tabla ,         De_Documento     )     ( "
                         "SELECT    'ORDEN_ENTREGA' as Ed_Tabla ,              '9999999997' AS "
                         "Ed_Documento ,                De_ID ,                De_Tabla ,        "
                         "        De_Documento      From Entrega_Documento      WHERE     Ed_Tabla "
                         "= 'ORDEN_ENTREGA'                AND Ed_Documento = '" +
                         order + "'     )";
    EXPECT_EQ(db->exec(copy), count);
    const QString links = "SELECT De_ID, De_Tabla, De_Documento FROM Entrega_Documento WHERE "
                          "Ed_Documento = '%1' ORDER BY De_ID";
    EXPECT_EQ(db->rows(links.arg("9999999997")), db->rows(links.arg(order)));
}

// Odometer readings carry nine integer digits and nine or more decimals: what the header save
// writes must come back digit for digit through the header's own read. (Full nine-and-nine
// readings are saved and read back through the trip screen itself on both engines.)
TEST_P(SchemaTest, OdometerReadingsReadBackUnchanged) {
    const QString trip = " WHERE    Vj_Folio = '" +
                         firstOf("SELECT MIN(Vj_Folio) FROM Viaje WHERE Es_Cve_Estado = 'AB'") +
                         "' AND   Es_cve_estado NOT IN ( 'CE', 'CA' )";
    db->exec("UPDATE Viaje SET    Vj_Kilometro_Inicial ='0.00000000000001',    "
             "Vj_Kilometro_Final ='12'" +
             trip);
    EXPECT_EQ(db->rows("SELECT ISNULL(Vj_Kilometro_Inicial,0) AS Km_Inicial ,ISNULL(Vj_Kilometro_"
                       "Final, 0) As Km_Final FROM    Viaje" +
                       trip),
              (QList<QStringList>{{"0.00000000000001", "12"}}));
}

// The production scripts are written out from the same description; a stale copy would give a
// server another schema than the one tested here.
void expectCommittedScript(const char* path, const QString& expected) {
    const QString source = qEnvironmentVariable("KESTROVA_SOURCE_DIR");
    ASSERT_FALSE(source.isEmpty()) << "KESTROVA_SOURCE_DIR is not set";
    QFile committed(source + "/" + path);
    ASSERT_TRUE(committed.open(QIODevice::ReadOnly)) << committed.fileName().toStdString();
    if (QString::fromUtf8(committed.readAll()) != expected) {
        QFile fresh(QDir::current().filePath(QFileInfo(QString(path)).path().section('/', -1) +
                                             "-schema.sql"));
        ASSERT_TRUE(fresh.open(QIODevice::WriteOnly));
        fresh.write(expected.toUtf8());
        FAIL() << path << " is out of date; copy " << fresh.fileName().toStdString() << " over it";
    }
    for (const suite::Table& t : suite::Schema::tables())
        EXPECT_TRUE(expected.contains("CREATE TABLE " + t.name + " (")) << t.name.toStdString();
}

TEST(ServerScripts, CommittedScriptsAreTheOnesTheDescriptionGives) {
    expectCommittedScript("suite/db/sqlserver/schema.sql", suite::Schema::sqlServerScript());
    expectCommittedScript("suite/db/postgresql/schema.sql", suite::Schema::postgresqlScript());
}

INSTANTIATE_TEST_SUITE_P(Engines, SchemaTest,
                         ::testing::Values(Engine::SqliteFile, Engine::PostgresServer),
                         [](const ::testing::TestParamInfo<Engine>& p) {
                             return ktest::TestDatabase::name(p.param);
                         });

} // namespace
