// The reprogramming of an order or a shipment on a real database, with the suite's own sale and
// remission components: the statements, the copied values, what is cancelled and what is refused.

#include "EntornoReprogramacion.h"

#include "kt512/reschedule/frmReprogramarViaje.h"

#include <QRegularExpression>

using namespace kt512;

namespace {

const QDateTime kNuevaFecha(QDate(2026, 12, 20), QTime(0, 0));

QString enSql(const QString& texto) {
    return QString(texto).replace(QLatin1Char('\''), QLatin1String("''"));
}

class ReprogramarDocumento : public ktest::EntornoReprogramacion {
protected:
    frmReprogramarViaje& p() { return publico().reprogramarViaje(); }

    bool reprogramar(const QString& folio, const QString& lista) {
        const bool ok = p().ReprogramarDocumento(folio, lista, kNuevaFecha);
        EXPECT_FALSE(sesion->connection().inTransaction());
        return ok;
    }

    // The kinds of statement that read or write the documents, without the folio counter's.
    QStringList sentencias() {
        QStringList r;
        for (const QString& sql : traza().filter(QRegularExpression(
                 QStringLiteral("^(BEGIN|COMMIT|ROLLBACK|SELECT \\*|SELECT TOP|INSERT  ?INTO "
                                "(Orden|Entrega|Embarque)|UPDATE (Orden|EMBARQUE))"))))
            r << sql.simplified().section(QLatin1Char(' '), 0, 2).section(QLatin1Char('('), 0, 0);
        return r;
    }

    QString estado(const char* tabla, const char* llave, const QString& folio) {
        return db
            .scalar(QStringLiteral("SELECT group_concat(Es_Cve_Estado) FROM %1 WHERE %2 = '%3'")
                        .arg(QLatin1String(tabla), QLatin1String(llave), enSql(folio)))
            .toString();
    }

    // The rows of a document, each column a copy takes from the old one as its literal and
    // storage class; a null as the empty text the copy writes for it.
    QStringList copiables(const char* tabla, const char* llave, const QString& folio) {
        const QString columnas =
            db.scalar(QStringLiteral("SELECT group_concat(name) FROM pragma_table_info('%1') WHERE "
                                     "name NOT IN ('%2', 'Oe_Fecha_Entrega', 'Eb_Fecha_Salida', "
                                     "'Oper_Alta', 'Fecha_Alta', 'Oper_Ult_Modif', "
                                     "'Fecha_Ult_Modif', 'Es_Cve_Estado')")
                          .arg(QLatin1String(tabla), QLatin1String(llave)))
                .toString();
        QStringList valores;
        for (const QString& c : columnas.split(QLatin1Char(',')))
            valores << QStringLiteral("quote(%1) || ':' || typeof(%1)").arg(c);
        QStringList r;
        for (const QStringList& fila :
             db.rows(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = '%4' ORDER BY 1")
                         .arg(valores.join(QStringLiteral(" || '|' || ")), QLatin1String(tabla),
                              QLatin1String(llave), enSql(folio))))
            r << QString(fila.value(0))
                     .replace(QLatin1String("NULL:null"), QLatin1String("'':text"));
        return r;
    }

    // The one document written since SetUp, checked to be a copy of the old one's first `filas`
    // rows; `ahora` becomes the moment it was written.
    QString copia(const char* tabla, const char* llave, const QString& viejo, int filas) {
        const QStringList nuevos = foliosNuevos(tabla, llave);
        if (nuevos.size() != 1) {
            ADD_FAILURE() << nuevos.join(QLatin1Char(',')).toStdString();
            return {};
        }
        EXPECT_EQ(copiables(tabla, llave, nuevos.front()),
                  copiables(tabla, llave, viejo).mid(0, filas));
        ahora =
            db.scalar(QStringLiteral("SELECT Fecha_Alta FROM %1 WHERE %2 = '%3'")
                          .arg(QLatin1String(tabla), QLatin1String(llave), enSql(nuevos.front())))
                .toString();
        return nuevos.front();
    }

    QString ahora;
};

TEST_F(ReprogramarDocumento, AnOrderIsCopiedUnderANewFolioWithItsSaleAndRemissionCancelled) {
    const auto antes = tablas();
    traza();
    ASSERT_TRUE(reprogramar(kOrden, QStringLiteral("Ordenes"))) << p().mensajeError().toStdString();
    EXPECT_TRUE(p().mensajeError().isEmpty());
    EXPECT_TRUE(ids().isEmpty());
    // Read again inside the transaction, and the copy's lines before the old ones are closed.
    const QString linea = QStringLiteral("INSERT INTO Orden_Entrega");
    EXPECT_EQ(sentencias(),
              (QStringList{"SELECT * FROM", "BEGIN TRANSACTION", "SELECT * FROM", "SELECT TOP 1",
                           linea, linea, linea, "INSERT INTO Entrega_Documento",
                           "UPDATE Orden_Entrega SET", "COMMIT TRANSACTION"}));

    const QString nuevo = copia("Orden_Entrega", "Oe_Folio", kOrden, 3);
    EXPECT_TRUE(nuevo.startsWith(kSucursal)) << nuevo.toStdString();
    EXPECT_EQ(estado("Orden_Entrega", "Oe_Folio", kOrden), QStringLiteral("RP,RP,RP,RP"));
    EXPECT_EQ(estado("Orden_Entrega", "Oe_Folio", nuevo), QStringLiteral("RM,RM,RM"));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT DISTINCT Oe_Fecha_Entrega, Oper_Alta, Oper_Ult_Modif, "
                                     "Fecha_Ult_Modif, Es_Cve_Estado FROM Orden_Entrega ORDER BY "
                                     "Es_Cve_Estado")),
              (QList<QStringList>{{"2026-12-20", "O'PRUEBA", "O'PRUEBA", ahora, "RM"},
                                  {"2026-12-04", "ALTA", "O'PRUEBA", ahora, "RP"}}));
    EXPECT_EQ(estado("Venta", "Vn_Folio", kVenta), QStringLiteral("CA"));
    EXPECT_EQ(estado("Remision", "Rm_Folio", kRemision), QStringLiteral("CA"));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT Ed_Documento, De_ID, De_Tabla, De_Documento FROM "
                                     "Entrega_Documento ORDER BY Ed_Documento = '%1', De_ID")
                          .arg(enSql(kOrden))),
              (QList<QStringList>{{nuevo, "1", "REMISION", kRemision},
                                  {nuevo, "2", "PEDIDO", "PE'0001"},
                                  {kOrden, "1", "REMISION", kRemision},
                                  {kOrden, "2", "PEDIDO", "PE'0001"}}));
    // The trip's own links are not copied.
    EXPECT_EQ(antes.at(QStringLiteral("Embarque")), tablas().at(QStringLiteral("Embarque")));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Viaje_Documento")).toInt(), 2);
}

TEST_F(ReprogramarDocumento, TheSaleAndRemissionAreCancelledOnlyWhenTheyAreThere) {
    struct Caso {
        const char* nombre;
        const char* preparacion;
        bool leeVenta;
        const char* venta;
        const char* remision;
    };
    const Caso casos[] = {
        {"sin remision", "UPDATE Orden_Entrega SET Rm_Folio = NULL", false, "FA", "AC"},
        {"venta cancelada", "UPDATE Venta SET Es_Cve_Estado = 'CA'", true, "CA", "CA"},
        {"sin vinculos", "DELETE FROM Entrega_Documento", true, "CA", "CA"},
        {"sin venta", "DELETE FROM Venta", true, "", "CA"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        db.exec(
            QStringLiteral("DELETE FROM Orden_Entrega WHERE Oe_Folio <> '%1'").arg(enSql(kOrden)));
        db.exec(QStringLiteral("DELETE FROM Entrega_Documento WHERE Ed_Documento <> '%1'")
                    .arg(enSql(kOrden)));
        db.exec(QStringLiteral("UPDATE Orden_Entrega SET Es_Cve_Estado = 'RM', Rm_Folio = '%1' "
                               "WHERE Oe_ID < 4")
                    .arg(enSql(kRemision)));
        db.exec(QStringLiteral("UPDATE Venta SET Es_Cve_Estado = 'FA'"));
        db.exec(QStringLiteral("UPDATE Remision SET Es_Cve_Estado = 'AC'"));
        db.exec(QString::fromLatin1(caso.preparacion));
        const int vinculos =
            db.scalar(QStringLiteral("SELECT COUNT(*) FROM Entrega_Documento")).toInt();
        traza();
        EXPECT_TRUE(reprogramar(kOrden, QStringLiteral("Ordenes")))
            << p().mensajeError().toStdString();
        EXPECT_EQ(!sentencias().filter(QStringLiteral("SELECT TOP 1")).isEmpty(), caso.leeVenta);
        EXPECT_EQ(estado("Venta", "Vn_Folio", kVenta), QLatin1String(caso.venta));
        EXPECT_EQ(estado("Remision", "Rm_Folio", kRemision), QLatin1String(caso.remision));
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Entrega_Documento")).toInt(),
                  2 * vinculos);
        EXPECT_EQ(estado("Orden_Entrega", "Oe_Folio", kOrden), QStringLiteral("RP,RP,RP,RP"));
        EXPECT_TRUE(ids().isEmpty());
    }
}

TEST_F(ReprogramarDocumento, AShipmentIsOneCopyWithItsOwnDateAndTheNewDeparture) {
    ASSERT_TRUE(reprogramar(kEmbarque, QStringLiteral("EMBARQUES")))
        << p().mensajeError().toStdString();
    EXPECT_EQ(sentencias(),
              (QStringList{"SELECT * FROM", "BEGIN TRANSACTION", "SELECT * FROM",
                           "INSERT INTO Embarque", "UPDATE EMBARQUE SET", "COMMIT TRANSACTION"}));
    const QString nuevo = copia("Embarque", "Eb_Folio", kEmbarque, 1);
    EXPECT_EQ(db.rows(QStringLiteral("SELECT Eb_Folio, Eb_Fecha_Salida, Es_Cve_Estado, Oper_Alta, "
                                     "Oper_Ult_Modif, Fecha_Ult_Modif FROM Embarque ORDER BY "
                                     "Eb_Folio = '%1'")
                          .arg(enSql(kEmbarque))),
              (QList<QStringList>{{nuevo, "2026-12-20", "RM", "O'PRUEBA", "O'PRUEBA", ahora},
                                  {kEmbarque, "2026-12-04", "RP", "ALTA", "O'PRUEBA", ahora}}));
    EXPECT_EQ(estado("Orden_Entrega", "Oe_Folio", kOrden), QStringLiteral("RM,RMT,RM,CA"));
}

TEST_F(ReprogramarDocumento, ARecordThatMayNotBeReprogrammedIsNotRead) {
    db.exec(QStringLiteral("UPDATE Embarque SET Es_Cve_Estado = 'RP'"));
    db.exec(QStringLiteral("UPDATE Orden_Entrega SET Es_Cve_Estado = 'CA'"));
    const auto antes = tablas();
    EXPECT_FALSE(reprogramar(kEmbarque, QStringLiteral("EMBARQUES")));
    EXPECT_EQ(p().mensajeError(), QStringLiteral("La tabla EMBARQUE no tiene registros!"));
    EXPECT_FALSE(reprogramar(kOrden, QStringLiteral("Ordenes")));
    EXPECT_EQ(p().mensajeError(), QStringLiteral("La tabla Orden_Entrega no tiene registros!"));
    EXPECT_TRUE(sentencias().filter(QStringLiteral("BEGIN")).isEmpty());
    EXPECT_EQ(tablas(), antes);
    EXPECT_TRUE(ids().isEmpty());
}

// A reprogramming is one transaction of its own: asked for inside the caller's, it refuses and
// leaves that transaction, with what the caller wrote, for the caller to end.
TEST_F(ReprogramarDocumento, InsideTheCallersTransactionItRefusesAndLeavesThatTransactionOpen) {
    ado::Connection& conexion = sesion->connection();
    conexion.BeginTrans();
    conexion.Execute(QStringLiteral("UPDATE Remision SET Rm_Importe = 11"));
    EXPECT_FALSE(p().ReprogramarDocumento(kOrden, QStringLiteral("Ordenes"), kNuevaFecha));
    EXPECT_FALSE(p().mensajeError().isEmpty());
    ASSERT_TRUE(conexion.inTransaction());
    conexion.CommitTrans();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Rm_Importe FROM Remision")).toDouble(), 11.0);
    EXPECT_TRUE(foliosNuevos("Orden_Entrega", "Oe_Folio").isEmpty());
    EXPECT_EQ(estado("Orden_Entrega", "Oe_Folio", kOrden), QStringLiteral("RM,RMT,RM,CA"));
}

} // namespace
