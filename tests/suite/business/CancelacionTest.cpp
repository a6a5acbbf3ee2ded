#include "kt512/services/ClassIds.h"
#include "kt512/services/IServicioRemision.h"
#include "kt512/services/IServicioVenta.h"
#include "platform/ado/Connection.h"
#include "platform/com/Runtime.h"
#include "platform/forms/RecordingPresenter.h"
#include "suite/business/BusinessServices.h"
#include "suite/host/HostSession.h"
#include "tests/support/PrintQString.h"
#include "tests/support/TestDatabase.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The sale and the remission services behave alike over their own tables.
struct Documento {
    const char* tabla;
    const char* campoFolio;
    const char* nombre;
};

class CancelacionTest : public ::testing::TestWithParam<Documento> {
protected:
    void SetUp() override { suite::registerBusinessServices(runtime, session); }

    // Cancels through a new service object, as the component does, and keeps its message.
    template <class I> bool cancelarCon(const QUuid& clsid, const QString& folio) {
        com::Ptr<I> servicio = runtime.create<I>(clsid);
        const bool ok = servicio->Cancelar(folio);
        mensaje = servicio->MensajeError();
        return ok;
    }
    bool cancelar(const QString& folio) {
        return QLatin1String(GetParam().tabla) == QLatin1String("Venta")
                   ? cancelarCon<kt512::IServicioVenta>(kt512::ClassIds::ServicioVenta, folio)
                   : cancelarCon<kt512::IServicioRemision>(kt512::ClassIds::ServicioRemision,
                                                           folio);
    }
    QString activo() {
        return db
            .scalar(QStringLiteral("SELECT MIN(%1) FROM %2 WHERE Es_Cve_Estado <> 'CA'")
                        .arg(QLatin1String(GetParam().campoFolio), QLatin1String(GetParam().tabla)))
            .toString();
    }
    QStringList fila(const QString& folio) {
        const QList<QStringList> rows = db.rows(
            QStringLiteral("SELECT Es_Cve_Estado, Oper_Ult_Modif FROM %1 WHERE %2 = '%3'")
                .arg(QLatin1String(GetParam().tabla), QLatin1String(GetParam().campoFolio), folio));
        return rows.value(0);
    }

    QTemporaryDir dir;
    com::Runtime runtime{dir.filePath(QStringLiteral("registry.json"))};
    ktest::TestDatabase db{{30, 3, QDate(2026, 3, 15)}};
    std::shared_ptr<suite::HostSession> session = std::make_shared<suite::HostSession>(
        db.open(), QStringLiteral("MGARCIA"), std::make_shared<forms::RecordingPresenter>());
    QString mensaje;
};

TEST_P(CancelacionTest, CancelsOnceAndSaysWhyNotAfterwards) {
    const QString folio = activo();
    ASSERT_FALSE(folio.isEmpty());
    ASSERT_TRUE(cancelar(folio)) << qPrintable(mensaje);
    EXPECT_EQ(mensaje, QString());
    EXPECT_EQ(fila(folio), (QStringList{"CA", "MGARCIA"}));

    EXPECT_FALSE(cancelar(folio));
    EXPECT_EQ(
        mensaje,
        QStringLiteral("%1 %2 ya está cancelada").arg(QString::fromUtf8(GetParam().nombre), folio));
    EXPECT_FALSE(cancelar(QStringLiteral("9999'99999")));
    EXPECT_EQ(mensaje,
              QStringLiteral("%1 9999'99999 no existe").arg(QString::fromUtf8(GetParam().nombre)));
    EXPECT_FALSE(session->connection().inTransaction());
}

// Inside the caller's transaction a cancellation, a refusal and a failure all leave the
// transaction open for the caller to end.
TEST_P(CancelacionTest, InsideTheCallersTransactionOnlyTheCallerEndsIt) {
    const QString folio = activo();
    const QString otro =
        db.scalar(QStringLiteral("SELECT MAX(%1) FROM %2 WHERE Es_Cve_Estado <> 'CA'")
                      .arg(QLatin1String(GetParam().campoFolio), QLatin1String(GetParam().tabla)))
            .toString();
    ASSERT_NE(otro, folio);
    db.exec(QStringLiteral("CREATE TRIGGER falla BEFORE UPDATE ON %1 WHEN OLD.%2 = '%3' BEGIN "
                           "SELECT RAISE(ABORT, 'falla forzada'); END")
                .arg(QLatin1String(GetParam().tabla), QLatin1String(GetParam().campoFolio), otro));
    ado::Connection& conexion = session->connection();
    conexion.BeginTrans();
    ASSERT_TRUE(cancelar(folio)) << qPrintable(mensaje);
    EXPECT_TRUE(conexion.inTransaction());
    EXPECT_FALSE(cancelar(QStringLiteral("9999'99999")));
    EXPECT_TRUE(conexion.inTransaction()) << "a refusal ended the caller's transaction";
    EXPECT_FALSE(cancelar(otro));
    EXPECT_TRUE(mensaje.contains(QLatin1String("falla forzada"))) << qPrintable(mensaje);
    ASSERT_TRUE(conexion.inTransaction()) << "a failure ended the caller's transaction";
    conexion.CommitTrans();
    EXPECT_EQ(fila(folio), (QStringList{"CA", "MGARCIA"}));
    EXPECT_NE(fila(otro).value(0), QStringLiteral("CA"));
}

INSTANTIATE_TEST_SUITE_P(Documentos, CancelacionTest,
                         ::testing::Values(Documento{"Venta", "Vn_Folio", "La venta"},
                                           Documento{"Remision", "Rm_Folio", "La remisión"}));

} // namespace
