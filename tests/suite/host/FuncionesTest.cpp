#include "suite/host/Funciones.h"
#include "platform/ado/Connection.h"
#include "platform/ado/DateValue.h"
#include "platform/com/Ptr.h"
#include "platform/com/RuntimeError.h"
#include "suite/host/HostSession.h"
#include "suite/host/RecordingPresenter.h"
#include "tests/support/TestDatabase.h"

#include <QSqlDatabase>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Only its dialect is asked for: the date texts of a SQL Server connection.
class SqlServerDialect : public ado::Connection {
public:
    std::unique_ptr<ado::Recordset> Execute(const QString&, long*) override {
        throw com::RuntimeError(QStringLiteral("sin servidor"));
    }
    void BeginTrans() override {}
    void CommitTrans() override {}
    void RollbackTrans() override {}
    bool inTransaction() const override { return false; }
    Dialect dialect() const override { return Dialect::SqlServer; }
    QSqlDatabase database() const override { return {}; }
};

com::Ptr<kt512::IFunciones> funcionesOn(std::unique_ptr<ado::Connection> connection) {
    auto session =
        std::make_shared<suite::HostSession>(std::move(connection), QStringLiteral("MGARCIA"),
                                             std::make_shared<suite::RecordingPresenter>());
    return com::Ptr<kt512::IFunciones>::adopt(com::make<suite::Funciones>(session));
}

class FuncionesTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.exec(QStringLiteral(
            "INSERT INTO Chofer (Ch_Cve_Chofer, Ch_Descripcion, Es_Cve_Estado) VALUES "
            "('0901', 'Patricio O''Brien', 'AC'), ('0902', 'Jacinto Baja', 'CA'), "
            "('O''1', 'Clave con apóstrofo', 'AC')"));
    }

    QString campo(const QString& llave, const QString& excluido = QStringLiteral("CA")) {
        return funciones->ObtenerCampo(QStringLiteral("Chofer"), QStringLiteral("Ch_Cve_Chofer"),
                                       llave, QStringLiteral("Ch_Descripcion"), 0, QString(),
                                       QString(), excluido);
    }

    ktest::TestDatabase db;
    com::Ptr<kt512::IFunciones> funciones = funcionesOn(db.open());
};

TEST_F(FuncionesTest, StoredQueriesByName) {
    for (const char* nombre : {"Viajes", "ORDENES_X_VIAJE", "EMBARQUES_X_VIAJE"})
        EXPECT_TRUE(funciones->ObtenerConsulta(QLatin1String(nombre))
                        .contains(QStringLiteral("{PARAMETROS}")))
            << nombre;
    try {
        funciones->ObtenerConsulta(QStringLiteral("Viajes'Perdidos"));
        FAIL() << "an unknown query gave a text";
    } catch (const com::RuntimeError& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("Viajes'Perdidos"))) << e.what();
    }
}

TEST_F(FuncionesTest, LookupFindsTheRowOutsideTheExcludedState) {
    EXPECT_EQ(campo(QStringLiteral("0901")), QStringLiteral("Patricio O'Brien"));
    EXPECT_EQ(campo(QStringLiteral("O'1")), QStringLiteral("Clave con apóstrofo"));
    EXPECT_EQ(campo(QStringLiteral("0999")), QString());
    EXPECT_EQ(campo(QStringLiteral("0902")), QString());
    EXPECT_EQ(campo(QStringLiteral("0902"), QString()), QStringLiteral("Jacinto Baja"));
    EXPECT_EQ(campo(QStringLiteral("' OR '1'='1")), QString());
}

TEST_F(FuncionesTest, LookupRefusesNamesThatAreNotIdentifiers) {
    EXPECT_THROW(funciones->ObtenerCampo(QStringLiteral("Chofer; DELETE FROM Viaje"),
                                         QStringLiteral("Ch_Cve_Chofer"), QStringLiteral("0901"),
                                         QStringLiteral("Ch_Descripcion"), 0, {}, {}, {}),
                 com::RuntimeError);
    EXPECT_THROW(funciones->ObtenerCampo(QStringLiteral("Chofer"), QStringLiteral("Ch_Cve_Chofer"),
                                         QStringLiteral("0901"),
                                         QStringLiteral("Ch_Descripcion FROM Chofer --"), 0, {}, {},
                                         {}),
                 com::RuntimeError);
}

TEST_F(FuncionesTest, DateTextsSortInTimeOrderInBothDialects) {
    const QDate day(2026, 12, 31);
    const std::vector<QDateTime> moments{QDateTime(QDate(2026, 2, 1), QTime(23, 59, 59)),
                                         QDateTime(QDate(2026, 10, 1), QTime(0, 0)),
                                         QDateTime(QDate(2027, 1, 1), QTime(0, 0)),
                                         QDateTime(day, QTime(9, 5, 0)),
                                         QDateTime(day, QTime(10, 4, 0)),
                                         QDateTime(day, QTime(10, 4, 1)),
                                         QDateTime(QDate(2025, 12, 31), QTime(23, 59))};
    std::vector<QDateTime> byTime = moments;
    std::sort(byTime.begin(), byTime.end());
    for (const com::Ptr<kt512::IFunciones>& f :
         {funciones, funcionesOn(std::make_unique<SqlServerDialect>())}) {
        std::vector<QString> texts, dates;
        for (const QDateTime& m : moments) {
            texts.push_back(f->FormatoFechaHora(m));
            dates.push_back(f->FormatoFecha(m));
        }
        std::sort(texts.begin(), texts.end());
        std::sort(dates.begin(), dates.end());
        for (size_t i = 0; i < byTime.size(); ++i) {
            EXPECT_EQ(texts[i], f->FormatoFechaHora(byTime[i]));
            EXPECT_EQ(dates[i], f->FormatoFecha(byTime[i]));
        }
    }
    EXPECT_THROW(funciones->FormatoFecha(QDateTime()), com::RuntimeError);
}

TEST_F(FuncionesTest, ServerTimeGoesThroughTheDatabaseUnchanged) {
    const QDateTime ahora = funciones->FechaServidor();
    ASSERT_TRUE(ahora.isValid());
    EXPECT_EQ(ahora.time().msec(), 0);
    db.exec(QStringLiteral("INSERT INTO Viaje (Vj_Folio, Vj_Fecha, Es_Cve_Estado, "
                           "Sc_Cve_Sucursal, Vj_Fecha_Inicio_Viaje) VALUES ('0001000001', '%1', "
                           "'AB', '0001', '%2')")
                .arg(funciones->FormatoFecha(ahora), funciones->FormatoFechaHora(ahora)));
    EXPECT_EQ(ado::toDateTime(db.scalar(QStringLiteral("SELECT Vj_Fecha_Inicio_Viaje FROM Viaje"))),
              ahora);
    EXPECT_EQ(ado::toDateTime(db.scalar(QStringLiteral("SELECT Vj_Fecha FROM Viaje"))).date(),
              ahora.date());
}

} // namespace
