#include "HostData.h"

namespace suite {

namespace {

// The screens append their conditions after WHERE, each beginning with a blank and a column
// (" Viaje.Vj_Fecha BETWEEN ..."), so every template ends its WHERE with the marker and names
// the tables as the conditions do. Plain SQL only, the same text on every database: SQL Server runs
// these as they stand, SQLite and PostgreSQL through the provider's translation. The column
// titles are quoted, as PostgreSQL would otherwise give them in lower case.
const char* const viajes = R"(SELECT Viaje.Vj_Folio AS "Folio",
       Viaje.Vj_Fecha AS "Fecha",
       Estado.Es_Descripcion AS "Estado",
       Sucursal.Sc_Descripcion AS "Sucursal",
       Chofer.Ch_Descripcion AS "Chofer",
       Vehiculo.Vh_Descripcion AS "Vehículo",
       Tipo_Vehiculo.Tv_Descripcion AS "Tipo",
       Viaje.Vj_Fecha_Inicio_Viaje AS "Inicio",
       Viaje.Vj_Fecha_Fin_Viaje AS "Fin",
       Viaje.Vj_Kilometro_Inicial AS "Km inicial",
       Viaje.Vj_Kilometro_Final AS "Km final"
  FROM Viaje
  LEFT JOIN Estado ON Estado.Es_Cve_Estado = Viaje.Es_Cve_Estado
  LEFT JOIN Sucursal ON Sucursal.Sc_Cve_Sucursal = Viaje.Sc_Cve_Sucursal
  LEFT JOIN Chofer ON Chofer.Ch_Cve_Chofer = Viaje.Ch_Cve_Chofer
  LEFT JOIN Vehiculo ON Vehiculo.Vh_Cve_Vehiculo = Viaje.Vh_Cve_Vehiculo
  LEFT JOIN Tipo_Vehiculo ON Tipo_Vehiculo.Tv_Cve_Tipo_Vehiculo = Vehiculo.Tv_Cve_Tipo_Vehiculo
 WHERE {PARAMETROS}
 ORDER BY Viaje.Vj_Fecha, Viaje.Vj_Folio)";

// An order has one row per line: the list shows one row per order.
const char* const ordenesPorViaje = R"(SELECT Orden_Entrega.Oe_Folio AS "Folio",
       MIN(Orden_Entrega.Oe_Fecha_Entrega) AS "Fecha de entrega",
       MIN(Cliente.Cl_Descripcion) AS "Cliente",
       MIN(Orden_Entrega.Oe_Contacto) AS "Contacto",
       COUNT(*) AS "Partidas",
       ROUND(SUM(Orden_Entrega.Oe_Precio_Neto_Importe), 2) AS "Importe",
       MIN(Orden_Entrega.Rm_Folio) AS "Remisión",
       MIN(Estado.Es_Descripcion) AS "Estado"
  FROM Viaje
 INNER JOIN Viaje_Documento ON Viaje_Documento.Vj_Folio = Viaje.Vj_Folio
       AND Viaje_Documento.Vd_Tabla = 'ORDEN_ENTREGA'
 INNER JOIN Orden_Entrega ON Orden_Entrega.Oe_Folio = Viaje_Documento.Vd_Documento
  LEFT JOIN Cliente ON Cliente.Cl_Cve_Cliente = Orden_Entrega.Cl_Cve_Cliente
  LEFT JOIN Estado ON Estado.Es_Cve_Estado = Orden_Entrega.Es_Cve_Estado
 WHERE {PARAMETROS}
 GROUP BY Orden_Entrega.Oe_Folio
 ORDER BY Orden_Entrega.Oe_Folio)";

// The screen names the vehicle type of both lists <table>.Oe_Tipo_Vehiculo; a shipment keeps it
// in Eb_Tipo_Vehiculo, so the shipments are read through a derived table that offers both names.
const char* const embarquesPorViaje = R"(SELECT Embarque.Eb_Folio AS "Folio",
       Embarque.Eb_Fecha AS "Fecha",
       Embarque.Eb_Fecha_Salida AS "Salida",
       Embarque.Eb_Tipo_Embarque AS "Tipo",
       Tipo_Vehiculo.Tv_Descripcion AS "Tipo de vehículo",
       Embarque.Eb_Peso AS "Peso",
       Embarque.Eb_Volumen AS "Volumen",
       Embarque.Eb_Comentario AS "Comentario",
       Estado.Es_Descripcion AS "Estado"
  FROM Viaje
 INNER JOIN Viaje_Documento ON Viaje_Documento.Vj_Folio = Viaje.Vj_Folio
       AND Viaje_Documento.Vd_Tabla = 'EMBARQUE'
 INNER JOIN (SELECT Eb_Folio, Eb_Fecha, Eb_Fecha_Salida, Eb_Tipo_Embarque, Eb_Tipo_Vehiculo,
                    Eb_Tipo_Vehiculo AS Oe_Tipo_Vehiculo, Eb_Peso, Eb_Volumen, Eb_Comentario,
                    Es_Cve_Estado
               FROM Embarque) Embarque ON Embarque.Eb_Folio = Viaje_Documento.Vd_Documento
  LEFT JOIN Tipo_Vehiculo ON Tipo_Vehiculo.Tv_Cve_Tipo_Vehiculo = Embarque.Eb_Tipo_Vehiculo
  LEFT JOIN Estado ON Estado.Es_Cve_Estado = Embarque.Es_Cve_Estado
 WHERE {PARAMETROS}
 ORDER BY Embarque.Eb_Folio)";

} // namespace

const std::vector<HostData::Row>& HostData::parameters() {
    static const std::vector<Row> rows = {
        {"LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES", "20",
         QStringLiteral(
             "Segundos entre dos recargas automáticas del control de viajes (0: nunca)")},
        {"FTO_TIPO_VEHICULO", "0000", QStringLiteral("Formato de la clave de tipo de vehículo")},
        {"FTO_CHOFER", "0000", QStringLiteral("Formato de la clave de chofer")},
        {"FTO_SUCURSAL", "0000", QStringLiteral("Formato de la clave de sucursal")},
        {"FTO_VEHICULO", "0000000000", QStringLiteral("Formato de la clave de vehículo")},
    };
    return rows;
}

const std::vector<HostData::Row>& HostData::states() {
    static const std::vector<Row> rows = {
        {"AB", "Abierto", {}},      {"TR", QStringLiteral("En tránsito"), {}},
        {"CE", "Cerrado", {}},      {"CA", "Cancelado", {}},
        {"RM", "Remisionado", {}},  {"RMT", QStringLiteral("Remisionado en tránsito"), {}},
        {"RP", "Reprogramado", {}}, {"EN", "Entregado", {}},
        {"FA", "Facturado", {}},    {"AC", "Activo", {}},
        {"BA", "Baja", {}},
    };
    return rows;
}

const std::vector<HostData::Row>& HostData::queries() {
    static const std::vector<Row> rows = {
        {"Viajes", QString::fromUtf8(viajes), QStringLiteral("Control de viajes")},
        {"ORDENES_X_VIAJE", QString::fromUtf8(ordenesPorViaje),
         QStringLiteral("Órdenes de entrega de un viaje")},
        {"EMBARQUES_X_VIAJE", QString::fromUtf8(embarquesPorViaje),
         QStringLiteral("Embarques de un viaje")},
    };
    return rows;
}

QString HostData::query(const QString& name) {
    for (const Row& r : queries())
        if (r.name == name)
            return r.value;
    return {};
}

} // namespace suite
