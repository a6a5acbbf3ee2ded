#include "EntornoReprogramacion.h"

#include "platform/forms/TimerSwitch.h"
#include "suite/business/BusinessServices.h"
#include "suite/controls/ControlKit.h"
#include "suite/db/Schema.h"
#include "tests/support/TraceFile.h"

#include <QFile>

namespace ktest {

const QString EntornoReprogramacion::kOrden = QStringLiteral("0001O'0001");
const QString EntornoReprogramacion::kRemision = QStringLiteral("0001R'0001");
const QString EntornoReprogramacion::kVenta = QStringLiteral("0001V00001");
const QString EntornoReprogramacion::kEmbarque = QStringLiteral("0001E'0001");
const QString EntornoReprogramacion::kViaje = QStringLiteral("0001V'0001");
const QString EntornoReprogramacion::kSucursal = QStringLiteral("0001");

namespace {

QString q(QString texto) {
    return '\'' + texto.replace('\'', "''") + '\'';
}

// Every column of the table, in the order the inserts below give their values.
QString columnas(const char* tabla) {
    return suite::Schema::table(tabla).columnNames().join(", ");
}

} // namespace

void EntornoReprogramacion::SetUp() {
    QString why;
    if (!TestDatabase::available(motor, &why))
        GTEST_SKIP() << why.toStdString();
    forms::setTimersPaused(true);
    qputenv("KESTROVA_SQL_TRACE", QFile::encodeName(db.path() + ".trace"));

    db.exec("INSERT INTO Viaje (Vj_Folio, Vj_Fecha, Es_Cve_Estado, Sc_Cve_Sucursal) VALUES (" +
            q(kViaje) + ", '2026-12-04', 'AB', '0001')");
    for (const QString& folio : {kOrden, kEmbarque})
        db.exec("INSERT INTO Viaje_Documento (Vj_Folio, Vd_Tabla, Vd_Documento) VALUES (" +
                q(kViaje) + (folio == kOrden ? ", 'ORDEN_ENTREGA', " : ", 'EMBARQUE', ") +
                q(folio) + ")");
    const char* const estados[] = {"RM", "RMT", "RM", "CA"};
    for (int id = 1; id <= 4; ++id)
        db.exec(
            QStringLiteral("INSERT INTO Orden_Entrega (%6) VALUES ("
                           "%1, %2, '2026-12-04', 'PEDIDO', 'PE''0001', 'N', NULL, '0001', '01', "
                           "'C000000001', 'V001', 0.12345678901234, 0.1, "
                           "'Pintura vinílica \"Ñandú\" de O''Brien', %3, 'PIN-0001', NULL, NULL, "
                           "%2 * 1.5, 'L', 12345678901234.5678, 'KG', 0, 'M3', 0.1, "
                           "99999999999999.9999, 0.05, 0, 1, 2, 0.16, 3, 4, 5, 'MXN', 17.25, %4, "
                           "'Patricio O''Brien', NULL, 0, 0, 0, 'ALTA', '2026-11-30 10:00:00', "
                           "'MODIF', '2026-12-01 11:00:00', '0001', '0001', '01', '%5')")
                .arg(q(kOrden), QString::number(id), q(QString(253, QChar(0x00F1)) + "''"),
                     q(kRemision), estados[id - 1], columnas("Orden_Entrega")));
    db.exec("INSERT INTO Remision (Rm_Folio, Rm_Fecha, Sc_Cve_Sucursal, Rm_Importe, Es_Cve_Estado) "
            "VALUES (" +
            q(kRemision) + ", '2026-12-02', '0001', 10.5, 'AC')");
    db.exec("INSERT INTO Venta (Vn_Folio, Vn_Fecha, Sc_Cve_Sucursal, Vn_Tabla, Vn_Documento, "
            "Vn_Importe, Es_Cve_Estado) VALUES (" +
            q(kVenta) + ", '2026-12-02', '0001', 'REMISION', " + q(kRemision) + ", 10.5, 'FA')");
    for (const QString& vinculo :
         {"1, 'REMISION', " + q(kRemision), QString("2, 'PEDIDO', 'PE''0001'")})
        db.exec("INSERT INTO Entrega_Documento (Ed_Tabla, Ed_Documento, De_ID, De_Tabla, "
                "De_Documento) VALUES ('ORDEN_ENTREGA', " +
                q(kOrden) + ", " + vinculo + ")");
    db.exec("INSERT INTO Embarque (" + columnas("Embarque") + ") VALUES (" + q(kEmbarque) +
            ", '2026-12-02', '2026-12-04', '0001', 'LOC', '0001', 12000.75, 0.1, NULL, 'CLIENTE', "
            "'C''00000001', 3, 'ALTA', '2026-11-30 10:00:00', 'MODIF', '2026-12-01 11:00:00', "
            "'TRASPASO', 'T''0000001', 'RMT')");

    runtime = std::make_unique<com::Runtime>(db.path() + ".registry");
    sesion = std::make_shared<suite::HostSession>(db.open(), "O'PRUEBA", mensajes);
    suite::registerHostServices(*runtime, sesion);
    suite::registerControlKit(*runtime, sesion);
    suite::registerBusinessServices(*runtime, sesion);
    m_publico = kt512::Publico::Iniciar();
    traza();
}

void EntornoReprogramacion::TearDown() {
    m_publico.reset();
    qunsetenv("KESTROVA_SQL_TRACE");
    forms::setTimersPaused(false);
}

QStringList EntornoReprogramacion::traza() {
    return takeTrace(db.path() + ".trace");
}

QStringList EntornoReprogramacion::ids() {
    QStringList r;
    for (const auto& m : mensajes->messages())
        r << m.id;
    mensajes->clear();
    return r;
}

std::map<QString, QList<QStringList>> EntornoReprogramacion::tablas() {
    std::map<QString, QList<QStringList>> r;
    for (const char* tabla :
         {"Orden_Entrega", "Embarque", "Entrega_Documento", "Venta", "Remision", "Folio"})
        r[tabla] = db.rows(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2, 3").arg(tabla));
    return r;
}

QStringList EntornoReprogramacion::foliosNuevos(const char* tabla, const char* llave) {
    QStringList r;
    for (const QStringList& fila :
         db.rows(QStringLiteral("SELECT DISTINCT %2 FROM %1 WHERE %2 NOT IN (%3, %4) ORDER BY 1")
                     .arg(tabla, llave, q(kOrden), q(kEmbarque))))
        r << fila.value(0);
    return r;
}

} // namespace ktest
