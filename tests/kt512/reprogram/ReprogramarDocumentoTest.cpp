// The reprogramming of an order or a shipment on a real database, with the suite's own sale and
// remission components: the statements, the copied values, what is cancelled and what is refused.

#include "EntornoReprogramacion.h"

#include "kt512/reschedule/frmReprogramarViaje.h"

#include <QRegularExpression>

using namespace kt512;
using namespace Qt::StringLiterals;

namespace {

const QDateTime kNuevaFecha(QDate(2026, 12, 20), QTime(0, 0));

QString enSql(QString texto) {
    return texto.replace(u'\'', "''"_L1);
}

class ReprogramarDocumento : public ktest::EntornoReprogramacion {
protected:
    frmReprogramarViaje& p() { return publico().reprogramarViaje(); }

    bool reprogramar(const QString& folio, const char* lista) {
        const bool ok = p().ReprogramarDocumento(folio, lista, kNuevaFecha);
        EXPECT_FALSE(sesion->connection().inTransaction());
        EXPECT_NE(ok, !p().mensajeError().isEmpty()) << p().mensajeError().toStdString();
        return ok;
    }

    // The kinds of statement that read or write the documents, without the folio counter's.
    QStringList sentencias() {
        QStringList r;
        for (const QString& sql : traza().filter(
                 QRegularExpression(u"^(BEGIN|COMMIT|ROLLBACK|SELECT \\*|SELECT TOP|INSERT  ?INTO "
                                    "(Orden|Entrega|Embarque)|UPDATE (Orden|EMBARQUE))"_s)))
            r << sql.simplified().section(u' ', 0, 2).section(u'(', 0, 0);
        return r;
    }

    QString estado(const char* tabla, const char* llave, const QString& folio) {
        return db
            .scalar(u"SELECT group_concat(Es_Cve_Estado) FROM %1 WHERE %2 = '%3'"_s.arg(
                tabla, llave, enSql(folio)))
            .toString();
    }

    // The rows of a document, each column a copy takes from the old one as its literal and
    // storage class; a null as the empty text the copy writes for it.
    QStringList copiables(const char* tabla, const char* llave, const QString& folio) {
        QStringList valores;
        for (const QString& c :
             db.scalar(u"SELECT group_concat(name) FROM pragma_table_info('%1') WHERE name NOT IN "
                       "('%2', 'Oe_Fecha_Entrega', 'Eb_Fecha_Salida', 'Oper_Alta', 'Fecha_Alta', "
                       "'Oper_Ult_Modif', 'Fecha_Ult_Modif', 'Es_Cve_Estado')"_s.arg(tabla, llave))
                 .toString()
                 .split(u','))
            valores << u"quote(%1) || ':' || typeof(%1)"_s.arg(c);
        QStringList r;
        for (const QStringList& fila :
             db.rows(u"SELECT %1 FROM %2 WHERE %3 = '%4' ORDER BY 1"_s.arg(
                 valores.join(u" || '|' || "_s), tabla, llave, enSql(folio))))
            r << QString(fila.value(0)).replace("NULL:null"_L1, "'':text"_L1);
        return r;
    }

    // The one document written since SetUp, checked to be a copy of the old one's first `filas`
    // rows; `ahora` becomes the moment it was written.
    QString copia(const char* tabla, const char* llave, const QString& viejo, int filas) {
        const QStringList nuevos = foliosNuevos(tabla, llave);
        if (nuevos.size() != 1) {
            ADD_FAILURE() << nuevos.join(u',').toStdString();
            return {};
        }
        EXPECT_EQ(copiables(tabla, llave, nuevos[0]), copiables(tabla, llave, viejo).mid(0, filas));
        ahora = db.scalar(u"SELECT Fecha_Alta FROM %1 WHERE %2 = '%3'"_s.arg(tabla, llave,
                                                                             enSql(nuevos[0])))
                    .toString();
        return nuevos[0];
    }

    QString ahora;
};

TEST_F(ReprogramarDocumento, AnOrderOrAShipmentIsCopiedUnderANewFolioAndTheOldOneClosed) {
    ASSERT_TRUE(reprogramar(kOrden, "Ordenes"));
    EXPECT_TRUE(ids().isEmpty());
    // Read again inside the transaction, and the copy's lines before the old ones are closed.
    const QString linea = u"INSERT INTO Orden_Entrega"_s;
    EXPECT_EQ(sentencias(),
              (QStringList{"SELECT * FROM", "BEGIN TRANSACTION", "SELECT * FROM", "SELECT TOP 1",
                           linea, linea, linea, "INSERT INTO Entrega_Documento",
                           "UPDATE Orden_Entrega SET", "COMMIT TRANSACTION"}));

    const QString nuevo = copia("Orden_Entrega", "Oe_Folio", kOrden, 3);
    EXPECT_TRUE(nuevo.startsWith(kSucursal)) << nuevo.toStdString();
    EXPECT_EQ(db.rows("SELECT DISTINCT Oe_Fecha_Entrega, Oper_Alta, Oper_Ult_Modif, "
                      "Fecha_Ult_Modif, Es_Cve_Estado FROM Orden_Entrega ORDER BY Es_Cve_Estado"),
              (QList<QStringList>{{"2026-12-20", "O'PRUEBA", "O'PRUEBA", ahora, "RM"},
                                  {"2026-12-04", "ALTA", "O'PRUEBA", ahora, "RP"}}));
    EXPECT_EQ(db.rows("SELECT Ed_Documento, De_ID, De_Tabla, De_Documento FROM Entrega_Documento "
                      "ORDER BY Ed_Documento = '0001O''0001', De_ID"),
              (QList<QStringList>{{nuevo, "1", "REMISION", kRemision},
                                  {nuevo, "2", "PEDIDO", "PE'0001"},
                                  {kOrden, "1", "REMISION", kRemision},
                                  {kOrden, "2", "PEDIDO", "PE'0001"}}));
    // The trip's own links are not copied.
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Viaje_Documento").toInt(), 2);

    // A shipment is one copy, with its own date and the new departure.
    ASSERT_TRUE(reprogramar(kEmbarque, "EMBARQUES"));
    EXPECT_EQ(sentencias(),
              (QStringList{"SELECT * FROM", "BEGIN TRANSACTION", "SELECT * FROM",
                           "INSERT INTO Embarque", "UPDATE EMBARQUE SET", "COMMIT TRANSACTION"}));
    const QString embarque = copia("Embarque", "Eb_Folio", kEmbarque, 1);
    EXPECT_EQ(db.rows("SELECT Eb_Folio, Eb_Fecha_Salida, Es_Cve_Estado, Oper_Alta, "
                      "Oper_Ult_Modif, Fecha_Ult_Modif FROM Embarque ORDER BY Eb_Folio = "
                      "'0001E''0001'"),
              (QList<QStringList>{{embarque, "2026-12-20", "RM", "O'PRUEBA", "O'PRUEBA", ahora},
                                  {kEmbarque, "2026-12-04", "RP", "ALTA", "O'PRUEBA", ahora}}));
}

TEST_F(ReprogramarDocumento, TheSaleAndRemissionAreCancelledOnlyWhenTheyAreThere) {
    // The arrangement, whether the sale is looked for, and the sale's and remission's states.
    const std::tuple<const char*, bool, const char*, const char*> casos[] = {
        {"UPDATE Orden_Entrega SET Rm_Folio = NULL", false, "FA", "AC"},
        {"UPDATE Venta SET Es_Cve_Estado = 'CA'", true, "CA", "CA"},
    };
    for (const auto& [arreglo, leeVenta, venta, remision] : casos) {
        SCOPED_TRACE(arreglo);
        for (const char* sql :
             {"DELETE FROM Orden_Entrega WHERE Oe_Folio <> '0001O''0001'",
              "DELETE FROM Entrega_Documento WHERE Ed_Documento <> '0001O''0001'",
              "UPDATE Orden_Entrega SET Es_Cve_Estado = 'RM', Rm_Folio = '0001R''0001' WHERE "
              "Oe_ID < 4",
              "UPDATE Venta SET Es_Cve_Estado = 'FA'", "UPDATE Remision SET Es_Cve_Estado = 'AC'",
              arreglo})
            db.exec(sql);
        const int vinculos = db.scalar("SELECT COUNT(*) FROM Entrega_Documento").toInt();
        traza();
        EXPECT_TRUE(reprogramar(kOrden, "Ordenes"));
        EXPECT_EQ(!sentencias().filter(u"SELECT TOP 1"_s).isEmpty(), leeVenta);
        EXPECT_EQ(estado("Venta", "Vn_Folio", kVenta), venta);
        EXPECT_EQ(estado("Remision", "Rm_Folio", kRemision), remision);
        EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Entrega_Documento").toInt(), 2 * vinculos);
        EXPECT_EQ(estado("Orden_Entrega", "Oe_Folio", kOrden), "RP,RP,RP,RP");
        EXPECT_TRUE(ids().isEmpty());
    }
}

// A record that may not be reprogrammed is not read. A reprogramming is one transaction of its
// own: asked for inside the caller's, it refuses and leaves that transaction, with what the
// caller wrote, for the caller to end.
TEST_F(ReprogramarDocumento, WhatMayNotBeReprogrammedIsRefusedWithoutAWrite) {
    ado::Connection& conexion = sesion->connection();
    conexion.BeginTrans();
    conexion.Execute(u"UPDATE Remision SET Rm_Importe = 11"_s);
    EXPECT_FALSE(p().ReprogramarDocumento(kOrden, u"Ordenes"_s, kNuevaFecha));
    EXPECT_FALSE(p().mensajeError().isEmpty());
    ASSERT_TRUE(conexion.inTransaction());
    conexion.CommitTrans();
    EXPECT_EQ(db.scalar("SELECT Rm_Importe FROM Remision").toDouble(), 11.0);
    EXPECT_EQ(estado("Orden_Entrega", "Oe_Folio", kOrden), "RM,RMT,RM,CA");

    db.exec("UPDATE Embarque SET Es_Cve_Estado = 'RP'");
    const auto antes = tablas();
    traza();
    EXPECT_FALSE(reprogramar(kEmbarque, "EMBARQUES"));
    EXPECT_EQ(p().mensajeError(), "La tabla EMBARQUE no tiene registros!");
    EXPECT_TRUE(sentencias().filter(u"BEGIN"_s).isEmpty());
    EXPECT_EQ(tablas(), antes);
    EXPECT_TRUE(ids().isEmpty());
}

} // namespace
