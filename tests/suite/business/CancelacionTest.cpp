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
    QString tabla, campoFolio, nombre;
};

class CancelacionTest : public ::testing::TestWithParam<Documento> {
protected:
    void SetUp() override { suite::registerBusinessServices(runtime, session); }

    // Cancels through a new service object, as the component does, and keeps its message.
    bool cancelar(const QString& folio) {
        const auto con = [&](auto servicio) {
            const bool ok = servicio->Cancelar(folio);
            mensaje = servicio->MensajeError();
            return ok;
        };
        return d.tabla == "Venta"
                   ? con(runtime.create<kt512::IServicioVenta>(kt512::ClassIds::ServicioVenta))
                   : con(runtime.create<kt512::IServicioRemision>(
                         kt512::ClassIds::ServicioRemision));
    }
    // The lowest or highest folio that is not cancelled.
    QString activo(const QString& extremo) {
        return db
            .scalar(QStringLiteral("SELECT %1(%2) FROM %3 WHERE Es_Cve_Estado <> 'CA'")
                        .arg(extremo, d.campoFolio, d.tabla))
            .toString();
    }
    const Documento& d = GetParam();
    QTemporaryDir dir;
    com::Runtime runtime{dir.filePath("registry.json")};
    ktest::TestDatabase db{{30, 3, QDate(2026, 3, 15)}};
    std::shared_ptr<suite::HostSession> session = std::make_shared<suite::HostSession>(
        db.open(), "MGARCIA", std::make_shared<forms::RecordingPresenter>());
    ado::Connection& conexion = session->connection();
    QString mensaje;
};

// A document is cancelled once, and afterwards the refusal says why. On its own a cancellation
// is a transaction of its own; inside the caller's, a refusal and a failure leave the transaction
// open for the caller to end. (That a cancellation which succeeds inside the caller's transaction
// stays in it is seen by the reprogramming's tests, where a later failure must undo it.)
TEST_P(CancelacionTest, CancelsOnceSaysWhyNotAndOnlyTheCallerEndsItsTransaction) {
    const QString folio = activo("MIN"), otro = activo("MAX");
    db.exec(QStringLiteral("CREATE TRIGGER falla BEFORE UPDATE ON %1 WHEN OLD.%2 = '%3' BEGIN "
                           "SELECT RAISE(ABORT, 'falla forzada'); END")
                .arg(d.tabla, d.campoFolio, otro));
    ASSERT_TRUE(cancelar(folio)) << qPrintable(mensaje);
    EXPECT_EQ(db.rows(QStringLiteral("SELECT Es_Cve_Estado, Oper_Ult_Modif FROM %1 WHERE %2 = '%3'")
                          .arg(d.tabla, d.campoFolio, folio)),
              (QList<QStringList>{{"CA", "MGARCIA"}}));
    EXPECT_FALSE(cancelar(folio));
    EXPECT_EQ(mensaje, QStringLiteral("%1 %2 ya está cancelada").arg(d.nombre, folio));
    EXPECT_FALSE(cancelar("9999'99999"));
    EXPECT_EQ(mensaje, QStringLiteral("%1 9999'99999 no existe").arg(d.nombre));
    EXPECT_FALSE(cancelar(otro));
    EXPECT_FALSE(conexion.inTransaction());

    conexion.BeginTrans();
    EXPECT_FALSE(cancelar("9999'99999"));
    EXPECT_TRUE(conexion.inTransaction()) << "a refusal ended the caller's transaction";
    EXPECT_FALSE(cancelar(otro));
    EXPECT_TRUE(mensaje.contains(QLatin1String("falla forzada"))) << qPrintable(mensaje);
    ASSERT_TRUE(conexion.inTransaction()) << "a failure ended the caller's transaction";
    conexion.CommitTrans();
}

INSTANTIATE_TEST_SUITE_P(Documentos, CancelacionTest,
                         ::testing::Values(Documento{"Venta", "Vn_Folio", "La venta"},
                                           Documento{"Remision", "Rm_Folio", "La remisión"}),
                         [](const auto& p) { return p.param.tabla.toStdString(); });

} // namespace
