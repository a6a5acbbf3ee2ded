// The rescheduling screen on a real demo database, with the suite's own host services: what it
// saves is what it reads back, a failed save leaves the trip untouched, and the lists hold only
// the documents that may still be reprogrammed.

#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/shell/Publico.h"
#include "kt512/trips/frmKT512.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SqlText.h"
#include "platform/com/Runtime.h"
#include "platform/forms/ListView.h"
#include "platform/forms/TimerSwitch.h"
#include "suite/controls/ControlKit.h"
#include "suite/host/HostSession.h"
#include "suite/host/RecordingPresenter.h"
#include "tests/support/TestDatabase.h"

#include <QAbstractButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kt512;

namespace {

class ReprogramarViajeEnBase : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        forms::setTimersPaused(true);
        runtime = std::make_unique<com::Runtime>(dir.filePath(QStringLiteral("registry.json")));
        mensajes = std::make_shared<suite::RecordingPresenter>();
        sesion =
            std::make_shared<suite::HostSession>(db.open(), QStringLiteral("PRUEBA"), mensajes);
        suite::registerHostServices(*runtime, sesion);
        suite::registerControlKit(*runtime, sesion);
        publico = Publico::Iniciar();

        folio = db.scalar(QStringLiteral("SELECT MIN(Vj_Folio) FROM Viaje WHERE Es_Cve_Estado NOT "
                                         "IN ('CE', 'CA') AND Vj_Folio IN (SELECT Vj_Folio FROM "
                                         "Viaje_Documento GROUP BY Vj_Folio HAVING COUNT(*) > 3)"))
                    .toString();
        ASSERT_FALSE(folio.isEmpty());
        const QDate dia = db.scalar(QStringLiteral("SELECT date(Vj_Fecha) FROM Viaje WHERE "
                                                   "Vj_Folio = '") +
                                    folio + QLatin1Char('\''))
                              .toDate();
        frmKT512& tablero = publico->board();
        tablero.control<IdpFecha>(QStringLiteral("dpFechaInicio"))->setValue(QDateTime(dia, {}));
        tablero.control<IdpFecha>(QStringLiteral("dpFechaFin"))->setValue(QDateTime(dia, {}));
        mensajes->clear();
    }

    void TearDown() override {
        publico.reset();
        forms::setTimersPaused(false);
    }

    frmReprogramarViaje& abrir() {
        frmReprogramarViaje& p = publico->reprogramarViaje();
        p.Cargar(folio, QString());
        p.Show();
        return p;
    }

    void aceptar(frmReprogramarViaje& p) {
        auto* b = p.ctl(QStringLiteral("Controles"))
                      .widget()
                      ->findChild<QAbstractButton*>(QStringLiteral("btnB1"));
        ASSERT_NE(b, nullptr);
        b->click();
    }

    QList<QStringList> filaDelViaje() {
        return db.rows(
            QStringLiteral("SELECT quote(Vj_Fecha_Inicio_Viaje), "
                           "quote(Vj_Fecha_Fin_Viaje), quote(Vj_Kilometro_Inicial), "
                           "quote(Vj_Kilometro_Final), * FROM Viaje WHERE Vj_Folio = '") +
            folio + QLatin1Char('\''));
    }

    QStringList folios(forms::ListView& lista) {
        QStringList r;
        for (int i = 1; i <= lista.Count(); ++i)
            r << lista.itemText(i);
        return r;
    }

    QStringList documentosVigentes(const char* tabla, const char* llave, const char* tipo) {
        QStringList r;
        for (const QStringList& fila : db.rows(
                 QStringLiteral("SELECT DISTINCT d.%1 FROM %2 d JOIN Viaje_Documento v ON "
                                "v.Vd_Documento = d.%1 AND v.Vd_Tabla = '%3' WHERE v.Vj_Folio "
                                "= '%4' AND d.Es_Cve_Estado IN ('RM', 'RMT') ORDER BY 1")
                     .arg(QLatin1String(llave), QLatin1String(tabla), QLatin1String(tipo), folio)))
            r << fila.value(0);
        return r;
    }

    QStringList ids() const {
        QStringList r;
        for (const auto& m : mensajes->messages())
            r << m.id;
        return r;
    }

    ktest::TestDatabase db{{80, 11, QDate(2026, 12, 5)}};
    QTemporaryDir dir;
    std::unique_ptr<com::Runtime> runtime;
    std::shared_ptr<suite::RecordingPresenter> mensajes;
    std::shared_ptr<suite::HostSession> sesion;
    std::unique_ptr<Publico> publico;
    QString folio;
};

TEST_F(ReprogramarViajeEnBase, ASavedHeaderReadsBackUnchanged) {
    auto& p = abrir();
    auto kmInicial = p.control<ItxtVEX>(QStringLiteral("txtKmInicial"));
    auto kmFinal = p.control<ItxtVEX>(QStringLiteral("txtKmFinal"));
    kmInicial->setText(QStringLiteral("123456789.123456789"));
    kmFinal->setText(QStringLiteral("123456790.000000001"));
    const QDateTime inicio(QDate(2026, 12, 3), QTime(7, 5, 9));
    const QDateTime fin(QDate(2026, 12, 4), QTime(18, 30));
    for (const char* picker : {"dpFechaInicial", "dpHoraInicial"})
        p.control<IdpFecha>(QString::fromLatin1(picker))->setValue(inicio);
    for (const char* picker : {"dpFechaFinal", "dpHoraFinal"})
        p.control<IdpFecha>(QString::fromLatin1(picker))->setValue(fin);
    const QString guardadoInicial = kmInicial->ValorNumerico();
    const QString guardadoFinal = kmFinal->ValorNumerico();
    aceptar(p);

    EXPECT_TRUE(ids().isEmpty()) << ids().join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(p.isVisible());
    EXPECT_TRUE(p.Aceptado);
    EXPECT_EQ(filaDelViaje().value(0).mid(0, 4),
              (QStringList{QStringLiteral("'2026-12-03 07:05:09'"),
                           QStringLiteral("'2026-12-04 18:30:00'"),
                           QStringLiteral("'123456789.123456789'"),
                           QStringLiteral("'123456790.000000001'")}));

    p.Unload();
    abrir();
    EXPECT_EQ(p.control<ItxtVEX>(QStringLiteral("txtKmInicial"))->ValorNumerico(), guardadoInicial);
    EXPECT_EQ(p.control<ItxtVEX>(QStringLiteral("txtKmFinal"))->ValorNumerico(), guardadoFinal);
    EXPECT_EQ(p.control<IdpFecha>(QStringLiteral("dpFechaInicial"))->Value().date(), inicio.date());
    EXPECT_EQ(p.control<IdpFecha>(QStringLiteral("dpHoraInicial"))->Value().time(), inicio.time());
    EXPECT_EQ(p.control<IdpFecha>(QStringLiteral("dpFechaFinal"))->Value().date(), fin.date());
    EXPECT_EQ(p.control<IdpFecha>(QStringLiteral("dpHoraFinal"))->Value().time(), fin.time());
}

TEST_F(ReprogramarViajeEnBase, AFailureInsideTheUpdateLeavesTheTripAsItWas) {
    db.exec(QStringLiteral("CREATE TRIGGER viaje_bloqueado BEFORE UPDATE ON Viaje BEGIN "
                           "SELECT RAISE(ABORT, 'el viaje está bloqueado'); END"));
    const QList<QStringList> antes = filaDelViaje();
    auto& p = abrir();
    p.control<ItxtVEX>(QStringLiteral("txtKmFinal"))->setText(QStringLiteral("987654"));
    aceptar(p);

    EXPECT_EQ(filaDelViaje(), antes);
    EXPECT_FALSE(sesion->connection().inTransaction());
    ASSERT_EQ(ids(), QStringList{QStringLiteral("ERR-ID:7500012")});
    const suite::Message& m = mensajes->messages().front();
    EXPECT_TRUE(m.text.startsWith(QLatin1String("ActualizaValores() - "))) << m.text.toStdString();
    EXPECT_TRUE(m.text.contains(QStringLiteral("el viaje está bloqueado"))) << m.text.toStdString();
    EXPECT_EQ(m.style, 16);
    EXPECT_TRUE(p.isVisible());
    EXPECT_FALSE(p.Aceptado);
}

TEST_F(ReprogramarViajeEnBase, TheListsHoldOnlyDocumentsThatMayBeReprogrammed) {
    const QString deEsteViaje = QStringLiteral("(SELECT Vd_Documento FROM Viaje_Documento WHERE "
                                               "Vj_Folio = '%1')")
                                    .arg(folio);
    const QString orden =
        db.scalar(QStringLiteral("SELECT MIN(Oe_Folio) FROM Orden_Entrega WHERE Oe_Folio IN ") +
                  deEsteViaje)
            .toString();
    const QString embarque =
        db.scalar(QStringLiteral("SELECT MIN(Eb_Folio) FROM Embarque WHERE Eb_Folio IN ") +
                  deEsteViaje)
            .toString();
    ASSERT_FALSE(orden.isEmpty());
    ASSERT_FALSE(embarque.isEmpty());
    db.exec(QStringLiteral("UPDATE Orden_Entrega SET Es_Cve_Estado = 'RP' WHERE Oe_Folio = '") +
            orden + QLatin1Char('\''));
    db.exec(QStringLiteral("UPDATE Embarque SET Es_Cve_Estado = 'CA' WHERE Eb_Folio = '") +
            embarque + QLatin1Char('\''));
    auto& p = abrir();

    EXPECT_TRUE(ids().isEmpty()) << ids().join(QLatin1Char(' ')).toStdString();
    const QStringList ordenes = folios(p.listView(QStringLiteral("lvOrdenes")));
    const QStringList embarques = folios(p.listView(QStringLiteral("lvEmbarques")));
    EXPECT_EQ(ordenes, documentosVigentes("Orden_Entrega", "Oe_Folio", "ORDEN_ENTREGA"));
    EXPECT_EQ(embarques, documentosVigentes("Embarque", "Eb_Folio", "EMBARQUE"));
    EXPECT_FALSE(ordenes.contains(orden));
    EXPECT_FALSE(embarques.contains(embarque));
    EXPECT_FALSE(ordenes.isEmpty() && embarques.isEmpty());
}

TEST_F(ReprogramarViajeEnBase, ATripNeverStartedOpensOnTheServerDate) {
    db.exec(QStringLiteral("UPDATE Viaje SET Vj_Fecha_Inicio_Viaje = NULL, Vj_Kilometro_Final = "
                           "NULL WHERE Vj_Folio = '") +
            folio + QLatin1Char('\''));
    const QDate antes = Funciones().FechaServidor().date();
    auto& p = abrir();
    const QDate despues = Funciones().FechaServidor().date();

    EXPECT_TRUE(ids().isEmpty()) << ids().join(QLatin1Char(' ')).toStdString();
    const QDate abierto = p.control<IdpFecha>(QStringLiteral("dpFechaInicial"))->Value().date();
    EXPECT_TRUE(abierto == antes || abierto == despues);
    EXPECT_EQ(p.control<IdpFecha>(QStringLiteral("dpHoraInicial"))->Value().time(), QTime(0, 0));
    EXPECT_EQ(p.control<ItxtVEX>(QStringLiteral("txtKmFinal"))->ValorNumerico().toDouble(), 0.0);
}

} // namespace
