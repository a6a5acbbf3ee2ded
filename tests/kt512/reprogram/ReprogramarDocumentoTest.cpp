// The reprogramming of an order or a shipment on a real database, with the suite's own sale and
// remission components: statements, copied values, failures at each write, two operators.

#include "EntornoReprogramacion.h"

#include "kt512/reschedule/frmReprogramarViaje.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

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

    // The statements that read or write the documents, without the folio counter's.
    QStringList sentencias() {
        return traza().filter(QRegularExpression(
            QStringLiteral("^(BEGIN|COMMIT|ROLLBACK|SELECT \\*|SELECT TOP|INSERT  ?INTO "
                           "(Orden|Entrega|Embarque)|UPDATE (Orden|EMBARQUE))")));
    }

    QString estado(const char* tabla, const char* llave, const QString& folio) {
        return db
            .scalar(QStringLiteral("SELECT group_concat(Es_Cve_Estado) FROM %1 WHERE %2 = '%3'")
                        .arg(QLatin1String(tabla), QLatin1String(llave), enSql(folio)))
            .toString();
    }
};

const char* const kColumnas =
    "INSERT  INTO Orden_Entrega (    Oe_Folio ,    Oe_ID ,    Oe_Fecha_Entrega ,    Oe_Tabla ,"
    "    Oe_Documento ,   Oe_Factura ,   Oe_Fc_Folio ,   Sc_Cve_Sucursal ,   Al_Cve_Almacen , "
    "  Cl_Cve_Cliente ,   Vn_Cve_Vendedor ,   Oe_Descuento_Global_Factor ,   "
    "Oe_Descuento_Global_Importe ,   Oe_Concepto ,   Oe_Comentario ,   Pr_Cve_Producto ,   "
    "Cl_Cve_Color ,   Tl_Cve_Talla ,   Oe_Cantidad ,   Oe_Unidad ,   Oe_Cantidad_Control_1 ,   "
    "Oe_Unidad_Control_1 ,   Oe_Cantidad_Control_2 ,   Oe_Unidad_Control_2 ,   Oe_Precio_Lista "
    ",   Oe_Precio_Lista_Importe ,   Oe_Descuento_Factor ,   Oe_Descuento_Importe ,   "
    "Oe_Precio_Descontado ,   Oe_Precio_Descontado_Importe ,   Oe_Impuesto_Factor ,   "
    "Oe_Impuesto_Importe ,   Oe_Precio_Neto ,   Oe_Precio_Neto_Importe ,   Mn_Cve_Moneda ,   "
    "Oe_Tipo_Cambio ,   Rm_Folio ,   Oe_Contacto ,   Oe_Observaciones ,   Oe_Cantidad_Enviada ,"
    "   Oe_Cantidad_Control_1_Enviada ,   Oe_Cantidad_Control_2_Enviada ,   Oper_Alta ,   "
    "Fecha_Alta ,   Oper_Ult_Modif ,   Fecha_Ult_Modif ,   Oe_Tipo_Vehiculo,    "
    "Oe_Sucursal_Inventario,    Oe_Almacen_Inventario )  VALUES ( ";

TEST_F(ReprogramarDocumento, AnOrderIsCopiedUnderANewFolioWithItsSaleAndRemissionCancelled) {
    const auto antes = tablas();
    traza();
    ASSERT_TRUE(reprogramar(kOrden, QStringLiteral("Ordenes"))) << p().mensajeError().toStdString();
    EXPECT_TRUE(p().mensajeError().isEmpty());
    EXPECT_TRUE(ids().isEmpty());

    const QStringList nuevos = foliosNuevos("Orden_Entrega", "Oe_Folio");
    ASSERT_EQ(nuevos.size(), 1);
    const QString nuevo = nuevos.front();
    EXPECT_TRUE(nuevo.startsWith(kSucursal)) << nuevo.toStdString();
    const QString ahora =
        db.scalar(QStringLiteral("SELECT Fecha_Alta FROM Orden_Entrega WHERE Oe_Folio = '%1'")
                      .arg(enSql(nuevo)))
            .toString();

    const QString leer = QStringLiteral("SELECT * FROM Orden_Entrega WHERE Oe_Folio = "
                                        "'0001O''0001' AND Es_Cve_Estado  IN ('RM','RMT') ");
    const auto linea = [&](int id) {
        return QString::fromUtf8(kColumnas) +
               QStringLiteral(
                   " '%1' ,  '%2' , '2026-12-20', 'PEDIDO', 'PE''0001', 'N', '', '0001', '01', "
                   "'C000000001', 'V001', '0.12345678901234', '0.1', 'Pintura vinílica "
                   "\"Ñandú\" de O''Brien', '%3''''', 'PIN-0001', '', '', '%4', 'L', "
                   "'12345678901234.568', 'KG', '0', 'M3', '0.1', '100000000000000', '0.05', '0', "
                   "'1', '2', '0.16', '3', '4', '5', 'MXN', '17.25', '0001R''0001', 'Patricio "
                   "O''Brien', '', '0', '0', '0', 'O''PRUEBA', '%5', 'O''PRUEBA', '%5', '0001', "
                   "'0001', '01' ) ")
                   .arg(enSql(nuevo))
                   .arg(id)
                   .arg(QString(253, QChar(0x00F1)))
                   .arg(QString::number(id * 1.5))
                   .arg(ahora);
    };
    EXPECT_EQ(
        sentencias(),
        (QStringList{
            leer, QStringLiteral("BEGIN TRANSACTION"), leer,
            QStringLiteral("SELECT TOP 1 Vn_Folio FROM Venta WHERE Vn_Tabla = 'REMISION' AND    "
                           "Es_Cve_Estado <> 'CA' AND    Vn_Documento = '0001R''0001' "),
            linea(1), linea(2), linea(3),
            QStringLiteral("INSERT  INTO Entrega_Documento (     Ed_Tabla ,         Ed_Documento "
                           ",         De_ID ,         De_Tabla ,         De_Documento     )    "
                           " ( SELECT    'ORDEN_ENTREGA' as Ed_Tabla ,              '%1' AS "
                           "Ed_Documento ,                De_ID ,                De_Tabla ,    "
                           "            De_Documento      From Entrega_Documento      WHERE     "
                           "Ed_Tabla = 'ORDEN_ENTREGA'                AND Ed_Documento = "
                           "'0001O''0001'     )")
                .arg(enSql(nuevo)),
            QStringLiteral("UPDATE Orden_Entrega SET    Oper_Ult_Modif = 'O''PRUEBA',    "
                           "Fecha_Ult_Modif = '%1',    Es_Cve_Estado = 'RP' WHERE Oe_Folio = "
                           "'0001O''0001' ")
                .arg(ahora),
            QStringLiteral("COMMIT TRANSACTION")}));

    // Every copied column reads back equal, with the same storage class; a null comes back as
    // the empty text the copy wrote.
    const QString columnas =
        db.rows(QStringLiteral("SELECT group_concat(name) FROM pragma_table_info("
                               "'Orden_Entrega') WHERE name NOT IN ('Oe_Folio', "
                               "'Oe_Fecha_Entrega', 'Oper_Alta', 'Fecha_Alta', "
                               "'Oper_Ult_Modif', 'Fecha_Ult_Modif', 'Es_Cve_Estado')"))
            .value(0)
            .value(0);
    QStringList valores;
    for (const QString& c : columnas.split(QLatin1Char(',')))
        valores << QStringLiteral("quote(%1) || ':' || typeof(%1)").arg(c);
    const auto copiadas = [&](const QString& folio) {
        QStringList r;
        for (const QStringList& fila :
             db.rows(QStringLiteral("SELECT %1 FROM Orden_Entrega WHERE Oe_Folio = '%2' ORDER BY "
                                    "Oe_ID")
                         .arg(valores.join(QStringLiteral(" || '|' || ")), enSql(folio))))
            r << fila.value(0);
        return r;
    };
    const QStringList viejas = copiadas(kOrden).mid(0, 3);
    const QStringList copias = copiadas(nuevo);
    ASSERT_EQ(copias.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(copias[i],
                  QString(viejas[i]).replace(QLatin1String("NULL:null"), QLatin1String("'':text")));

    EXPECT_EQ(estado("Orden_Entrega", "Oe_Folio", kOrden), QStringLiteral("RP,RP,RP,RP"));
    EXPECT_EQ(estado("Orden_Entrega", "Oe_Folio", nuevo), QStringLiteral("RM,RM,RM"));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT DISTINCT Oe_Fecha_Entrega, Oper_Alta, "
                                     "Oper_Ult_Modif, Fecha_Ult_Modif = Fecha_Alta FROM "
                                     "Orden_Entrega WHERE Oe_Folio = '%1'")
                          .arg(enSql(nuevo))),
              (QList<QStringList>{{"2026-12-20", "O'PRUEBA", "O'PRUEBA", "1"}}));
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
    const QStringList nuevos = foliosNuevos("Embarque", "Eb_Folio");
    ASSERT_EQ(nuevos.size(), 1);
    const QString nuevo = nuevos.front();
    const QString ahora =
        db.scalar(QStringLiteral("SELECT Fecha_Alta FROM Embarque WHERE Eb_Folio = '%1'")
                      .arg(enSql(nuevo)))
            .toString();
    const QString leer = QStringLiteral("SELECT * FROM EMBARQUE WHERE Eb_Folio = '0001E''0001' AND "
                                        "Es_Cve_Estado  IN ('RM','RMT') ");
    EXPECT_EQ(sentencias(),
              (QStringList{
                  leer, QStringLiteral("BEGIN TRANSACTION"), leer,
                  QStringLiteral(
                      "INSERT INTO Embarque(    Eb_Folio,    Eb_Fecha,    Eb_Fecha_Salida,    "
                      "Sc_Cve_Sucursal,    Eb_Tipo_Embarque,    Eb_Tipo_Vehiculo,    Eb_Peso,    "
                      "Eb_Volumen,    Eb_Comentario,    Eb_Direccion_Entrega_Tabla,    "
                      "Eb_Direccion_Entrega_Documento,    Eb_Direccion_Entrega_ID,    Oper_Alta, "
                      "   Fecha_Alta,    Oper_Ult_Modif,    Fecha_Ult_Modif,    Eb_Tabla,    "
                      "Eb_Documento)VALUES   (  '%1' , '2026-12-02', '2026-12-20', '0001', "
                      "'LOC', '0001', '12000.75', '0.1', '', 'CLIENTE', 'C''00000001', '3', "
                      "'O''PRUEBA', '%2', 'O''PRUEBA', '%2', 'TRASPASO', 'T''0000001' ) ")
                      .arg(enSql(nuevo), ahora),
                  QStringLiteral("UPDATE EMBARQUE SET    Oper_Ult_Modif = 'O''PRUEBA',    "
                                 "Fecha_Ult_Modif = '%1',    Es_Cve_Estado = 'RP' WHERE "
                                 "Eb_Folio = '0001E''0001' ")
                      .arg(ahora),
                  QStringLiteral("COMMIT TRANSACTION")}));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT Eb_Folio, Es_Cve_Estado, Oper_Ult_Modif, "
                                     "Fecha_Ult_Modif, typeof(Eb_Peso), typeof(Eb_Comentario) "
                                     "FROM Embarque ORDER BY Eb_Folio = '%1'")
                          .arg(enSql(kEmbarque))),
              (QList<QStringList>{{nuevo, "RM", "O'PRUEBA", ahora, "real", "text"},
                                  {kEmbarque, "RP", "O'PRUEBA", ahora, "real", "null"}}));
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

// A second operator's process reprograms the same order once the first one holds the write lock.
TEST_F(ReprogramarDocumento, TwoOperatorsReprogrammingOneOrderMakeOneCopy) {
    auto cerrojo = db.open();
    cerrojo->BeginTrans();
    std::vector<std::unique_ptr<QProcess>> operadores;
    for (int i = 0; i < 2; ++i) {
        auto proceso = std::make_unique<QProcess>();
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("KESTROVA_SQL_TRACE"),
                       db.path() + QStringLiteral(".op%1").arg(i));
        proceso->setProcessEnvironment(entorno);
        proceso->start(
            QStringLiteral(KT_REPROGRAM_WORKER),
            {db.path(), kOrden, QStringLiteral("Ordenes"), QStringLiteral("2026-12-20")});
        operadores.push_back(std::move(proceso));
    }
    // Both have read the order before the transaction and now wait on the lock.
    for (int i = 0; i < 2; ++i) {
        QFile traza(db.path() + QStringLiteral(".op%1").arg(i));
        for (int intento = 0; intento < 500; ++intento) {
            if (traza.open(QIODevice::ReadOnly) && traza.readAll().contains("SELECT * FROM"))
                break;
            traza.close();
            QTest::qWait(20);
        }
    }
    QTest::qWait(200);
    cerrojo->RollbackTrans();

    QStringList salidas;
    for (auto& proceso : operadores) {
        ASSERT_TRUE(proceso->waitForFinished(30000));
        salidas << QString::fromUtf8(proceso->readAllStandardOutput()).trimmed();
    }
    salidas.sort();
    EXPECT_EQ(salidas, (QStringList{QStringLiteral("La tabla Orden_Entrega no tiene registros!"),
                                    QStringLiteral("ok")}));
    EXPECT_EQ(foliosNuevos("Orden_Entrega", "Oe_Folio").size(), 1);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Entrega_Documento")).toInt(), 4);
}

} // namespace
