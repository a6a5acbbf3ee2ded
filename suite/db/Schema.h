#pragma once

#include "Table.h"
#include "platform/ado/Connection.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace suite {

// The suite database: the tables the screens name, the host's own tables (Parametro, Consulta,
// Folio, Viaje_Documento) and their rows, in SQLite's dialect, in SQL Server's and in PostgreSQL's.
//
// Folio keeps one counter per branch and table: Fo_Tabla is the table name in capitals
// ("VIAJE", "ORDEN_ENTREGA", "EMBARQUE", "VENTA", "REMISION") and Fo_Ultimo the last number
// given. A folio is the branch code followed by the number, zero-padded to the folio's length
// (Folio::text), so that branches never hand out the same folio.
//
// Viaje_Documento links a trip to its orders (Vd_Tabla "ORDEN_ENTREGA") and shipments
// ("EMBARQUE"); Vd_Documento is the order's or shipment's folio.
class Schema {
public:
    // Every table, in creation order.
    static const std::vector<Table>& tables();
    // Raises com::RuntimeError for a table the schema does not have.
    static const Table& table(const QString& name);

    // The statements that make a fresh database: tables, indexes, then the host rows.
    static QStringList statements(ado::Connection::Dialect dialect);
    // The same statements as a script for SQL Server (batches separated by GO).
    static QString sqlServerScript();
    // The same statements as a psql script, in one transaction.
    static QString postgresqlScript();

    // Makes the schema on an empty database in one transaction; on failure nothing is left and
    // com::RuntimeError names the statement that failed.
    static void create(ado::Connection& connection);
};

} // namespace suite
