#include "SesionDePrueba.h"
#include "platform/ado/Connection.h"
#include "platform/ado/DateValue.h"
#include "platform/com/RuntimeError.h"
#include "tests/support/Checks.h"

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
};

com::Ptr<kt512::IFunciones> funcionesOn(std::unique_ptr<ado::Connection> connection) {
    return com::newObject<suite::Funciones>(
        std::make_shared<suite::HostSession>(std::move(connection), QStringLiteral("MGARCIA"),
                                             std::make_shared<forms::RecordingPresenter>()));
}

class FuncionesTest : public SesionDePrueba {
protected:
    QString chofer(const QString& llave, const QString& excluido = QStringLiteral("CA"),
                   const QString& tabla = QStringLiteral("Chofer"),
                   const QString& campo = QStringLiteral("Ch_Descripcion")) {
        return funciones->ObtenerCampo(tabla, QStringLiteral("Ch_Cve_Chofer"), llave, campo, 0,
                                       QString(), QString(), excluido);
    }
};

TEST_F(FuncionesTest, StoredQueriesByName) {
    for (const char* nombre : {"Viajes", "ORDENES_X_VIAJE", "EMBARQUES_X_VIAJE"})
        EXPECT_TRUE(funciones->ObtenerConsulta(QLatin1String(nombre)).contains("{PARAMETROS}"))
            << nombre;
    const com::RuntimeError e =
        ktest::errorOf([&] { funciones->ObtenerConsulta(QStringLiteral("Viajes'Perdidos")); });
    EXPECT_TRUE(e.description().contains(QStringLiteral("Viajes'Perdidos"))) << e.what();
}

TEST_F(FuncionesTest, LookupFindsTheRowOutsideTheExcludedState) {
    db.exec(
        QStringLiteral("INSERT INTO Chofer (Ch_Cve_Chofer, Ch_Descripcion, Es_Cve_Estado) VALUES "
                       "('0901', 'Patricio O''Brien', 'AC'), ('0902', 'Jacinto Baja', 'CA'), "
                       "('O''1', 'Clave con apóstrofo', 'AC')"));
    EXPECT_EQ(chofer(QStringLiteral("0901")), QStringLiteral("Patricio O'Brien"));
    EXPECT_EQ(chofer(QStringLiteral("O'1")), QStringLiteral("Clave con apóstrofo"));
    EXPECT_EQ(chofer(QStringLiteral("0999")), QString());
    EXPECT_EQ(chofer(QStringLiteral("0902")), QString());
    EXPECT_EQ(chofer(QStringLiteral("0902"), QString()), QStringLiteral("Jacinto Baja"));
    EXPECT_EQ(chofer(QStringLiteral("' OR '1'='1")), QString());
    // Names come from code: anything but an identifier never reaches the statement.
    EXPECT_THROW(chofer(QStringLiteral("0901"), {}, QStringLiteral("Chofer; DELETE FROM Viaje")),
                 com::RuntimeError);
    EXPECT_THROW(chofer(QStringLiteral("0901"), {}, QStringLiteral("Chofer"),
                        QStringLiteral("Ch_Descripcion FROM Chofer --")),
                 com::RuntimeError);
}

TEST_F(FuncionesTest, DateTextsSortInTimeOrderInBothDialects) {
    const QDate day(2026, 12, 31);
    std::vector<QDateTime> moments{QDateTime(QDate(2026, 2, 1), QTime(23, 59, 59)),
                                   QDateTime(QDate(2026, 10, 1), QTime(0, 0)),
                                   QDateTime(QDate(2027, 1, 1), QTime(0, 0)),
                                   QDateTime(day, QTime(9, 5, 0)),
                                   QDateTime(day, QTime(10, 4, 0)),
                                   QDateTime(day, QTime(10, 4, 1)),
                                   QDateTime(QDate(2025, 12, 31), QTime(23, 59))};
    for (const com::Ptr<kt512::IFunciones>& f :
         {funciones, funcionesOn(std::make_unique<SqlServerDialect>())}) {
        auto byText = [&](const QDateTime& a, const QDateTime& b) {
            return f->FormatoFechaHora(a) < f->FormatoFechaHora(b);
        };
        auto byDate = [&](const QDateTime& a, const QDateTime& b) {
            return f->FormatoFecha(a) < f->FormatoFecha(b);
        };
        for (const QDateTime& a : moments) {
            for (const QDateTime& b : moments) {
                EXPECT_EQ(byText(a, b), a < b) << qPrintable(f->FormatoFechaHora(a));
                EXPECT_EQ(byDate(a, b), a.date() < b.date()) << qPrintable(f->FormatoFecha(a));
            }
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
    const QList<QStringList> guardado =
        db.rows(QStringLiteral("SELECT Vj_Fecha, Vj_Fecha_Inicio_Viaje FROM Viaje"));
    EXPECT_EQ(ado::toDateTime(guardado[0][0]), QDateTime(ahora.date(), QTime(0, 0)));
    EXPECT_EQ(ado::toDateTime(guardado[0][1]), ahora);
}

} // namespace
