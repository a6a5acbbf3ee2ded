#include "Schema.h"

#include "HostData.h"
#include "platform/com/RuntimeError.h"

namespace suite {

namespace {

using Type = Table::Type;
using Default = Table::Default;
using Column = Table::Column;

Column column(const char* name, Type type, int size = 0, int scale = 0, bool nullable = true,
              Default defaultKind = Default::None) {
    Column c;
    c.name = QString::fromLatin1(name);
    c.type = type;
    c.size = size;
    c.scale = scale;
    c.nullable = nullable;
    c.defaultKind = defaultKind;
    return c;
}
Column text(const char* name, int size) {
    return column(name, Type::Text, size);
}
Column code(const char* name, int size) {
    return column(name, Type::Text, size, 0, false);
}
Column integer(const char* name) {
    return column(name, Type::Integer, 0, 0, false, Default::Zero);
}
Column date(const char* name, bool nullable = true) {
    return column(name, Type::DateTime, 0, 0, nullable);
}
Column exact(const char* name) {
    return column(name, Type::ExactDecimal);
}
// Copied numbers are written back as quoted text, and SQL Server cannot read '' as a decimal:
// amounts never hold NULL.
Column amount(const char* name) {
    return column(name, Type::Decimal, 18, 4, false, Default::Zero);
}
Column factor(const char* name) {
    return column(name, Type::Decimal, 18, 6, false, Default::Zero);
}
Column state(const char* defaultState = nullptr) {
    Column c = code("Es_Cve_Estado", 4);
    if (defaultState) {
        c.defaultKind = Default::Text;
        c.defaultText = QString::fromLatin1(defaultState);
    }
    return c;
}

std::vector<Column> audit() {
    return {text("Oper_Alta", 20), column("Fecha_Alta", Type::DateTime, 0, 0, true, Default::Now),
            text("Oper_Ult_Modif", 20),
            column("Fecha_Ult_Modif", Type::DateTime, 0, 0, true, Default::Now)};
}

Table make(const char* name, std::vector<Column> columns, QStringList key,
           std::vector<Table::Index> indexes = {}, bool withAudit = true) {
    Table t;
    t.name = QString::fromLatin1(name);
    t.columns = std::move(columns);
    if (withAudit)
        for (Column& c : audit())
            t.columns.push_back(std::move(c));
    t.primaryKey = std::move(key);
    t.indexes = std::move(indexes);
    return t;
}

// The order line as the order copy writes it: these 49 columns in this order, then the state,
// which the copy leaves to the column's default.
Table ordenEntrega() {
    std::vector<Column> c = {
        code("Oe_Folio", 10),
        integer("Oe_ID"),
        date("Oe_Fecha_Entrega", false),
        text("Oe_Tabla", 20),
        text("Oe_Documento", 10),
        text("Oe_Factura", 1),
        text("Oe_Fc_Folio", 10),
        code("Sc_Cve_Sucursal", 4),
        text("Al_Cve_Almacen", 4),
        text("Cl_Cve_Cliente", 10),
        text("Vn_Cve_Vendedor", 4),
        factor("Oe_Descuento_Global_Factor"),
        amount("Oe_Descuento_Global_Importe"),
        text("Oe_Concepto", 60),
        text("Oe_Comentario", 255),
        text("Pr_Cve_Producto", 15),
        text("Cl_Cve_Color", 4),
        text("Tl_Cve_Talla", 4),
        amount("Oe_Cantidad"),
        text("Oe_Unidad", 4),
        amount("Oe_Cantidad_Control_1"),
        text("Oe_Unidad_Control_1", 4),
        amount("Oe_Cantidad_Control_2"),
        text("Oe_Unidad_Control_2", 4),
        amount("Oe_Precio_Lista"),
        amount("Oe_Precio_Lista_Importe"),
        factor("Oe_Descuento_Factor"),
        amount("Oe_Descuento_Importe"),
        amount("Oe_Precio_Descontado"),
        amount("Oe_Precio_Descontado_Importe"),
        factor("Oe_Impuesto_Factor"),
        amount("Oe_Impuesto_Importe"),
        amount("Oe_Precio_Neto"),
        amount("Oe_Precio_Neto_Importe"),
        text("Mn_Cve_Moneda", 4),
        factor("Oe_Tipo_Cambio"),
        text("Rm_Folio", 10),
        text("Oe_Contacto", 60),
        text("Oe_Observaciones", 255),
        amount("Oe_Cantidad_Enviada"),
        amount("Oe_Cantidad_Control_1_Enviada"),
        amount("Oe_Cantidad_Control_2_Enviada"),
    };
    for (Column& a : audit())
        c.push_back(std::move(a));
    c.push_back(text("Oe_Tipo_Vehiculo", 4));
    c.push_back(text("Oe_Sucursal_Inventario", 4));
    c.push_back(text("Oe_Almacen_Inventario", 4));
    // A copy gets no state of its own: it starts reprogrammable, as a new order does.
    c.push_back(state("RM"));
    return make("Orden_Entrega", std::move(c), {"Oe_Folio", "Oe_ID"},
                {{"IX_Orden_Entrega_Rm_Folio", {"Rm_Folio"}}}, false);
}

Table embarque() {
    std::vector<Column> c = {
        code("Eb_Folio", 10),
        date("Eb_Fecha"),
        date("Eb_Fecha_Salida"),
        code("Sc_Cve_Sucursal", 4),
        text("Eb_Tipo_Embarque", 4),
        text("Eb_Tipo_Vehiculo", 4),
        amount("Eb_Peso"),
        amount("Eb_Volumen"),
        text("Eb_Comentario", 255),
        text("Eb_Direccion_Entrega_Tabla", 20),
        text("Eb_Direccion_Entrega_Documento", 10),
        integer("Eb_Direccion_Entrega_ID"),
    };
    for (Column& a : audit())
        c.push_back(std::move(a));
    c.push_back(text("Eb_Tabla", 20));
    c.push_back(text("Eb_Documento", 10));
    c.push_back(state("RM"));
    return make("Embarque", std::move(c), {"Eb_Folio"}, {}, false);
}

std::vector<Table> buildTables() {
    std::vector<Table> t;
    t.push_back(
        make("Estado", {code("Es_Cve_Estado", 4), text("Es_Descripcion", 60)}, {"Es_Cve_Estado"}));
    t.push_back(make("Sucursal", {code("Sc_Cve_Sucursal", 4), text("Sc_Descripcion", 60), state()},
                     {"Sc_Cve_Sucursal"}));
    t.push_back(make("Tipo_Vehiculo",
                     {code("Tv_Cve_Tipo_Vehiculo", 4), text("Tv_Descripcion", 60), state()},
                     {"Tv_Cve_Tipo_Vehiculo"}));
    t.push_back(make("Vehiculo",
                     {code("Vh_Cve_Vehiculo", 10), text("Vh_Descripcion", 60),
                      text("Tv_Cve_Tipo_Vehiculo", 4), text("Vh_Placas", 10), state()},
                     {"Vh_Cve_Vehiculo"}));
    t.push_back(make(
        "Chofer",
        {code("Ch_Cve_Chofer", 4), text("Ch_Descripcion", 60), text("Ch_Licencia", 20), state()},
        {"Ch_Cve_Chofer"}));
    t.push_back(make("Cliente", {code("Cl_Cve_Cliente", 10), text("Cl_Descripcion", 100), state()},
                     {"Cl_Cve_Cliente"}));
    t.push_back(
        make("Viaje",
             {code("Vj_Folio", 10), date("Vj_Fecha", false), state(), code("Sc_Cve_Sucursal", 4),
              text("Ch_Cve_Chofer", 4), text("Vh_Cve_Vehiculo", 10), date("Vj_Fecha_Inicio_Viaje"),
              date("Vj_Fecha_Fin_Viaje"), exact("Vj_Kilometro_Inicial"),
              exact("Vj_Kilometro_Final"), text("Vj_Observaciones", 255)},
             {"Vj_Folio"}, {{"IX_Viaje_Fecha", {"Vj_Fecha", "Vj_Folio"}}}));
    t.push_back(ordenEntrega());
    t.push_back(embarque());
    t.push_back(make("Remision",
                     {code("Rm_Folio", 10), date("Rm_Fecha", false), code("Sc_Cve_Sucursal", 4),
                      text("Cl_Cve_Cliente", 10), amount("Rm_Importe"), state()},
                     {"Rm_Folio"}));
    t.push_back(make("Venta",
                     {code("Vn_Folio", 10), date("Vn_Fecha", false), code("Sc_Cve_Sucursal", 4),
                      text("Cl_Cve_Cliente", 10), text("Vn_Tabla", 20), text("Vn_Documento", 10),
                      amount("Vn_Importe"), state()},
                     {"Vn_Folio"}, {{"IX_Venta_Documento", {"Vn_Tabla", "Vn_Documento"}}}));
    t.push_back(make("Entrega_Documento",
                     {code("Ed_Tabla", 20), code("Ed_Documento", 10), integer("De_ID"),
                      text("De_Tabla", 20), text("De_Documento", 10)},
                     {"Ed_Tabla", "Ed_Documento", "De_ID"}));
    t.push_back(make("Viaje_Documento",
                     {code("Vj_Folio", 10), code("Vd_Tabla", 20), code("Vd_Documento", 10)},
                     {"Vj_Folio", "Vd_Tabla", "Vd_Documento"},
                     {{"IX_Viaje_Documento_Documento", {"Vd_Tabla", "Vd_Documento"}}}));
    t.push_back(make("Parametro",
                     {code("Pa_Nombre", 60), text("Pa_Valor", 255), text("Pa_Descripcion", 255)},
                     {"Pa_Nombre"}));
    t.push_back(make("Consulta",
                     {code("Cs_Nombre", 60), column("Cs_Texto", Type::LongText, 0, 0, false),
                      text("Cs_Descripcion", 255)},
                     {"Cs_Nombre"}));
    t.push_back(make("Folio",
                     {code("Sc_Cve_Sucursal", 4), code("Fo_Tabla", 30), integer("Fo_Ultimo")},
                     {"Sc_Cve_Sucursal", "Fo_Tabla"}));
    return t;
}

QString typeText(const Column& c, ado::Connection::Dialect dialect) {
    using Dialect = ado::Connection::Dialect;
    const bool lite = dialect == Dialect::SQLite;
    const bool postgres = dialect == Dialect::PostgreSQL;
    switch (c.type) {
    case Type::Text:
        return QStringLiteral("%1(%2)").arg(lite || postgres ? "VARCHAR" : "NVARCHAR").arg(c.size);
    case Type::LongText:
        return lite || postgres ? QStringLiteral("TEXT") : QStringLiteral("NVARCHAR(MAX)");
    case Type::Integer:
        return lite ? QStringLiteral("INTEGER") : QStringLiteral("INT");
    case Type::Decimal:
        return QStringLiteral("DECIMAL(%1,%2)").arg(c.size).arg(c.scale);
    case Type::DateTime:
        // Whole seconds, as the other databases keep what the host's date texts say.
        return postgres ? QStringLiteral("TIMESTAMP(0)") : QStringLiteral("DATETIME");
    case Type::ExactDecimal:
        // PostgreSQL's unbounded NUMERIC keeps the digits as written, without padding them to
        // a scale; the check keeps the 9 integer digits the readings have elsewhere.
        return lite       ? QStringLiteral("TEXT")
               : postgres ? QStringLiteral("NUMERIC CHECK (%1 > -1e9 AND %1 < 1e9)").arg(c.name)
                          : QStringLiteral("DECIMAL(23,14)");
    }
    return {};
}

QString literal(const QString& value, ado::Connection::Dialect dialect) {
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    const char* prefix = dialect == ado::Connection::Dialect::SqlServer ? "N'" : "'";
    return QLatin1String(prefix) + quoted + QLatin1Char('\'');
}

QString defaultText(const Column& c, ado::Connection::Dialect dialect) {
    switch (c.defaultKind) {
    case Default::None:
        return {};
    case Default::Zero:
        return QStringLiteral(" DEFAULT 0");
    case Default::Now:
        switch (dialect) {
        case ado::Connection::Dialect::SQLite:
            return QStringLiteral(" DEFAULT (datetime('now','localtime'))");
        case ado::Connection::Dialect::PostgreSQL:
            return QStringLiteral(" DEFAULT LOCALTIMESTAMP(0)");
        case ado::Connection::Dialect::SqlServer:
            return QStringLiteral(" DEFAULT GETDATE()");
        }
        return {};
    case Default::Text:
        return QStringLiteral(" DEFAULT ") + literal(c.defaultText, dialect);
    }
    return {};
}

QString createTable(const Table& t, ado::Connection::Dialect dialect) {
    QStringList lines;
    for (const Column& c : t.columns)
        lines << QStringLiteral("    %1 %2%3%4")
                     .arg(c.name, typeText(c, dialect), c.nullable ? " NULL" : " NOT NULL",
                          defaultText(c, dialect));
    lines << QStringLiteral("    CONSTRAINT PK_%1 PRIMARY KEY (%2)")
                 .arg(t.name, t.primaryKey.join(QStringLiteral(", ")));
    return QStringLiteral("CREATE TABLE %1 (\n%2\n)")
        .arg(t.name, lines.join(QStringLiteral(",\n")));
}

QString insertRow(const char* table, const QStringList& columns, const QStringList& values,
                  ado::Connection::Dialect dialect) {
    QStringList quoted;
    for (const QString& v : values)
        quoted << literal(v, dialect);
    return QStringLiteral("INSERT INTO %1 (%2, Oper_Alta, Oper_Ult_Modif)\nVALUES (%3, 'SISTEMA', "
                          "'SISTEMA')")
        .arg(QLatin1String(table), columns.join(QStringLiteral(", ")),
             quoted.join(QStringLiteral(", ")));
}

} // namespace

const std::vector<Table>& Schema::tables() {
    static const std::vector<Table> all = buildTables();
    return all;
}

const Table& Schema::table(const QString& name) {
    for (const Table& t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return t;
    throw com::RuntimeError(QStringLiteral("La tabla %1 no existe en el esquema").arg(name));
}

QStringList Schema::statements(ado::Connection::Dialect dialect) {
    QStringList out;
    for (const Table& t : tables()) {
        out << createTable(t, dialect);
        for (const Table::Index& i : t.indexes)
            out << QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                       .arg(i.name, t.name, i.columns.join(QStringLiteral(", ")));
    }
    for (const HostData::Row& p : HostData::parameters())
        out << insertRow("Parametro", {"Pa_Nombre", "Pa_Valor", "Pa_Descripcion"},
                         {p.name, p.value, p.description}, dialect);
    for (const HostData::Row& e : HostData::states())
        out << insertRow("Estado", {"Es_Cve_Estado", "Es_Descripcion"}, {e.name, e.value}, dialect);
    for (const HostData::Row& q : HostData::queries())
        out << insertRow("Consulta", {"Cs_Nombre", "Cs_Texto", "Cs_Descripcion"},
                         {q.name, q.value, q.description}, dialect);
    return out;
}

QString Schema::sqlServerScript() {
    QString script = QStringLiteral(
        "-- Kestrova suite database for SQL Server: tables, indexes, suite parameters and stored\n"
        "-- queries. Run it with sqlcmd on an empty database. It is written out from the schema\n"
        "-- description in suite/db: never edit it by hand. When the description changes, the "
        "test\n"
        "-- suite_db_schema_test fails and leaves the new script beside its binary to copy here.\n"
        "SET NOCOUNT ON;\nGO\n");
    for (const QString& s : statements(ado::Connection::Dialect::SqlServer))
        script += QStringLiteral("\n") + s + QStringLiteral(";\nGO\n");
    return script;
}

QString Schema::postgresqlScript() {
    QString script = QStringLiteral(
        "-- Kestrova suite database for PostgreSQL: tables, indexes, suite parameters and stored\n"
        "-- queries. Run it with psql on an empty database, or make it with kestrova\n"
        "-- demo-db --connect. It is written out from the schema description in\n"
        "-- suite/db: never edit it by hand. When the description changes, the test\n"
        "-- suite_db_schema_test fails and leaves the new script beside its binary to\n"
        "-- copy here.\n"
        "\\set ON_ERROR_STOP on\nBEGIN;\n");
    for (const QString& s : statements(ado::Connection::Dialect::PostgreSQL))
        script += QStringLiteral("\n") + s + QStringLiteral(";\n");
    script += QStringLiteral("\nCOMMIT;\n");
    return script;
}

void Schema::create(ado::Connection& connection) {
    connection.BeginTrans();
    QString current;
    try {
        for (const QString& s : statements(connection.dialect())) {
            current = s;
            connection.Execute(s);
        }
        connection.CommitTrans();
    } catch (const com::RuntimeError& e) {
        connection.RollbackTrans();
        throw com::RuntimeError(
            QStringLiteral("No se pudo crear el esquema: %1\n%2").arg(e.description(), current),
            e.number());
    }
}

} // namespace suite
