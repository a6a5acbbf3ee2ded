#include "Reprogramacion.h"

#include "kt512/services/ClassIds.h"
#include "kt512/services/IServicioRemision.h"
#include "kt512/services/IServicioVenta.h"
#include "kt512/shell/Publico.h"
#include "platform/ado/Connection.h"
#include "platform/ado/DateValue.h"
#include "platform/ado/SqlText.h"
#include "platform/com/Runtime.h"
#include "platform/com/RuntimeError.h"

#include <QHash>
#include <QLocale>
#include <QVector>

#include <iterator>

namespace kt512 {

namespace {

constexpr long kError = 16;
const QString kModulo = QStringLiteral("KT512");

// The order line as the copy writes it, column by column; the state is left to the table.
const char* const kColumnasOrden[] = {
    "   Oe_Folio , ",
    "   Oe_ID , ",
    "   Oe_Fecha_Entrega , ",
    "   Oe_Tabla , ",
    "   Oe_Documento ,",
    "   Oe_Factura ,",
    "   Oe_Fc_Folio ,",
    "   Sc_Cve_Sucursal ,",
    "   Al_Cve_Almacen ,",
    "   Cl_Cve_Cliente ,",
    "   Vn_Cve_Vendedor ,",
    "   Oe_Descuento_Global_Factor ,",
    "   Oe_Descuento_Global_Importe ,",
    "   Oe_Concepto ,",
    "   Oe_Comentario ,",
    "   Pr_Cve_Producto ,",
    "   Cl_Cve_Color ,",
    "   Tl_Cve_Talla ,",
    "   Oe_Cantidad ,",
    "   Oe_Unidad ,",
    "   Oe_Cantidad_Control_1 ,",
    "   Oe_Unidad_Control_1 ,",
    "   Oe_Cantidad_Control_2 ,",
    "   Oe_Unidad_Control_2 ,",
    "   Oe_Precio_Lista ,",
    "   Oe_Precio_Lista_Importe ,",
    "   Oe_Descuento_Factor ,",
    "   Oe_Descuento_Importe ,",
    "   Oe_Precio_Descontado ,",
    "   Oe_Precio_Descontado_Importe ,",
    "   Oe_Impuesto_Factor ,",
    "   Oe_Impuesto_Importe ,",
    "   Oe_Precio_Neto ,",
    "   Oe_Precio_Neto_Importe ,",
    "   Mn_Cve_Moneda ,",
    "   Oe_Tipo_Cambio ,",
    "   Rm_Folio ,",
    "   Oe_Contacto ,",
    "   Oe_Observaciones ,",
    "   Oe_Cantidad_Enviada ,",
    "   Oe_Cantidad_Control_1_Enviada ,",
    "   Oe_Cantidad_Control_2_Enviada ,",
    "   Oper_Alta ,",
    "   Fecha_Alta ,",
    "   Oper_Ult_Modif ,",
    "   Fecha_Ult_Modif ,",
    "   Oe_Tipo_Vehiculo, ",
    "   Oe_Sucursal_Inventario, ",
    "   Oe_Almacen_Inventario ",
};

const char* const kColumnasEmbarque[] = {
    "   Eb_Folio, ",
    "   Eb_Fecha, ",
    "   Eb_Fecha_Salida, ",
    "   Sc_Cve_Sucursal, ",
    "   Eb_Tipo_Embarque, ",
    "   Eb_Tipo_Vehiculo, ",
    "   Eb_Peso, ",
    "   Eb_Volumen, ",
    "   Eb_Comentario, ",
    "   Eb_Direccion_Entrega_Tabla, ",
    "   Eb_Direccion_Entrega_Documento, ",
    "   Eb_Direccion_Entrega_ID, ",
    "   Oper_Alta, ",
    "   Fecha_Alta, ",
    "   Oper_Ult_Modif, ",
    "   Fecha_Ult_Modif, ",
    "   Eb_Tabla, ",
    "   Eb_Documento)",
};

// Positions, counted from 0, of the values the copy does not take from the old row.
enum ValorOrden {
    OeFolio = 0,
    OeFechaEntrega = 2,
    OeOperAlta = 42,
    OeFechaAlta = 43,
    OeOperUltModif = 44,
    OeFechaUltModif = 45
};
enum ValorEmbarque {
    EbFolio = 0,
    EbFecha = 1,
    EbFechaSalida = 2,
    EbOperAlta = 12,
    EbFechaAlta = 13,
    EbOperUltModif = 14,
    EbFechaUltModif = 15
};

// The column a piece of the list names, without its blanks, comma or parenthesis.
QString nombreColumna(const char* pieza) {
    QString nombre = QString::fromLatin1(pieza).trimmed();
    while (nombre.endsWith(QLatin1Char(',')) || nombre.endsWith(QLatin1Char(')')))
        nombre.chop(1);
    return nombre.trimmed();
}

// The rows read for the old folio, held so that the read is finished before anything is
// written on the same connection.
struct Filas {
    QHash<QString, int> columna; // lower-cased name -> position
    QVector<QVector<QVariant>> filas;

    bool vacia() const { return filas.isEmpty(); }
    int posicion(const QString& nombre) const {
        const int i = columna.value(nombre.toLower(), -1);
        if (i < 0)
            throw com::RuntimeError(QStringLiteral("Item cannot be found in the collection "
                                                   "corresponding to the requested name or "
                                                   "ordinal: ") +
                                        nombre,
                                    3265);
        return i;
    }
};

Filas leer(const QString& sql) {
    std::unique_ptr<ado::Recordset> rs = Sistema().Conexion().Execute(sql);
    Filas r;
    if (!rs->Eof()) {
        const int n = rs->FieldCount();
        for (int i = 0; i < n; ++i)
            r.columna.insert(rs->FieldName(i).toLower(), i);
        for (; !rs->Eof(); rs->MoveNext()) {
            QVector<QVariant> fila(n);
            for (int i = 0; i < n; ++i)
                fila[i] = rs->Fields(i).Value();
            r.filas.push_back(std::move(fila));
        }
    }
    rs->Close();
    return r;
}

// Whether the statement gives a row; the rows themselves are read again, under the write lock.
bool existe(const QString& sql) {
    std::unique_ptr<ado::Recordset> rs = Sistema().Conexion().Execute(sql);
    const bool r = !rs->Eof();
    rs->Close();
    return r;
}

// A copied value as text the database reads back as the same value: a number in its shortest
// exact digits with a '.' (never an exponent, which SQL Server does not read as a decimal), a
// date as the server's own date text, a null as the empty text.
QString textoCopiado(const QVariant& valor) {
    if (valor.isNull())
        return QString();
    switch (valor.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        static const QLocale c = QLocale::c();
        return c.toString(valor.toDouble(), 'f', QLocale::FloatingPointShortest);
    }
    case QMetaType::QDateTime:
        return Funciones().FormatoFechaHora(valor.toDateTime());
    case QMetaType::QDate:
        return Funciones().FormatoFecha(QDateTime(valor.toDate(), QTime(0, 0)));
    default:
        return valor.toString();
    }
}

QString descripcion(const std::exception& e) {
    if (const auto* error = dynamic_cast<const com::RuntimeError*>(&e))
        return error->description();
    return QString::fromUtf8(e.what());
}

// Puts the transaction back; a rollback that fails too is told after the first failure.
QString deshacer() {
    try {
        if (Sistema().Conexion().inTransaction())
            Sistema().Conexion().RollbackTrans();
        return QString();
    } catch (const std::exception& e) {
        return QStringLiteral(" (") + descripcion(e) + QLatin1Char(')');
    }
}

struct Copia {
    QString folio;
    QString nuevoFolio;
    QDateTime nuevaFecha;
    QString ahora;
    QString operador;
};

class Procedimiento {
public:
    Procedimiento(qintptr hWnd) : m_hWnd(hWnd) {}

    // False when a cancellation failed: rolled back and told to the operator already.
    bool copiarOrden(const Filas& leidas, const Copia& c) {
        const QString remision = Funciones().ObtenerCampo(
            QStringLiteral("ORDEN_ENTREGA"), QStringLiteral("Oe_Folio"),
            textoCopiado(leidas.filas.front().at(leidas.posicion(QStringLiteral("Oe_Folio")))),
            QStringLiteral("Rm_Folio"), 0, QString(), QString(), QStringLiteral("CA"));
        if (!remision.isEmpty() && !cancelarDocumentos(remision))
            return false;
        insertarLineas(leidas, c);
        copiarVinculos(c);
        return true;
    }

    void copiarEmbarque(const Filas& leidas, const Copia& c) {
        const QVector<QVariant>& fila = leidas.filas.front();
        QString valores[std::size(kColumnasEmbarque)];
        for (int i = 0; i < int(std::size(kColumnasEmbarque)); ++i) {
            switch (i) {
            case EbFolio:
                valores[i] = c.nuevoFolio;
                break;
            case EbFecha: {
                const QVariant fecha = fila.at(leidas.posicion(QStringLiteral("Eb_Fecha")));
                if (fecha.isNull())
                    throw com::RuntimeError(QStringLiteral("Invalid use of Null"), 94);
                valores[i] = Funciones().FormatoFecha(ado::toDateTime(fecha));
                break;
            }
            case EbFechaSalida:
                valores[i] = Funciones().FormatoFecha(c.nuevaFecha);
                break;
            case EbOperAlta:
            case EbOperUltModif:
                valores[i] = c.operador;
                break;
            case EbFechaAlta:
            case EbFechaUltModif:
                valores[i] = c.ahora;
                break;
            default:
                valores[i] =
                    textoCopiado(fila.at(leidas.posicion(nombreColumna(kColumnasEmbarque[i]))));
            }
        }
        QString& s = sSQL();
        s.clear();
        s = QStringLiteral("INSERT INTO Embarque( ");
        for (const char* pieza : kColumnasEmbarque)
            s += QLatin1String(pieza);
        s += QLatin1String("VALUES");
        s += QLatin1String("   ( ");
        const int ultimo = int(std::size(kColumnasEmbarque)) - 1;
        for (int i = 0; i <= ultimo; ++i) {
            if (i == 0)
                s += QLatin1String(" '") + ado::sqlText(valores[i]) + QLatin1String("' , ");
            else if (i < ultimo)
                s += QLatin1Char('\'') + ado::sqlText(valores[i]) + QLatin1String("', ");
            else
                s += QLatin1Char('\'') + ado::sqlText(valores[i]) + QLatin1String("' ) ");
        }
        Sistema().Conexion().Execute(s);
    }

private:
    // Cancels the sale made from the remission, when there is one not cancelled, then the
    // remission itself. False once one of them refused: rolled back and told.
    bool cancelarDocumentos(const QString& remision) {
        sSQL().clear();
        sSQL() = QStringLiteral("SELECT TOP 1 Vn_Folio FROM Venta ") +
                 QStringLiteral("WHERE Vn_Tabla = 'REMISION' AND ") +
                 QStringLiteral("   Es_Cve_Estado <> 'CA' AND ") +
                 QStringLiteral("   Vn_Documento = '") + ado::sqlText(remision) +
                 QStringLiteral("' ");
        QString venta;
        {
            std::unique_ptr<ado::Recordset> rs = Sistema().Conexion().Execute(sSQL());
            if (!rs->Eof())
                venta = textoCopiado(rs->Fields(QStringLiteral("Vn_Folio")).Value());
            rs->Close();
        }
        if (!venta.isEmpty()) {
            auto servicio = com::Runtime::current().create<IServicioVenta>(ClassIds::ServicioVenta);
            if (!servicio->Cancelar(venta)) {
                rechazo(*servicio, QStringLiteral("Cancelar_Venta()"),
                        QStringLiteral("ERR-ID:7500016"));
                return false;
            }
        }
        auto servicio =
            com::Runtime::current().create<IServicioRemision>(ClassIds::ServicioRemision);
        if (!servicio->Cancelar(remision)) {
            rechazo(*servicio, QStringLiteral("Cancelar_Remision()"),
                    QStringLiteral("ERR-ID:7500017"));
            return false;
        }
        return true;
    }

    // The component's own text is read once the transaction is rolled back.
    template <class Servicio>
    void rechazo(Servicio& servicio, const QString& titulo, const QString& id) {
        const QString fallaDelDeshacer = deshacer();
        Sistema().MostrarMensaje(servicio.MensajeError() + fallaDelDeshacer, kError, titulo,
                                 QVariant::fromValue(qint64(m_hWnd)), kModulo, id);
    }

    void insertarLineas(const Filas& leidas, const Copia& c) {
        const int n = int(std::size(kColumnasOrden));
        QVector<int> origen(n, -1);
        for (int i = 0; i < n; ++i)
            if (i != OeFolio && i != OeFechaEntrega && (i < OeOperAlta || i > OeFechaUltModif))
                origen[i] = leidas.posicion(nombreColumna(kColumnasOrden[i]));
        QString columnas = QStringLiteral("INSERT  INTO Orden_Entrega ") + QStringLiteral("( ");
        for (const char* pieza : kColumnasOrden)
            columnas += QLatin1String(pieza);
        columnas += QLatin1String(")  ");
        columnas += QLatin1String("VALUES ");
        columnas += QLatin1String("( ");
        const QString fecha = ado::sqlText(Funciones().FormatoFecha(c.nuevaFecha));
        const QString folio = ado::sqlText(c.nuevoFolio);
        const QString operador = ado::sqlText(c.operador);
        const QString ahora = ado::sqlText(c.ahora);

        for (const QVector<QVariant>& fila : leidas.filas) {
            QString& s = sSQL();
            s.clear();
            s.reserve(2 * columnas.size());
            s += columnas;
            for (int i = 0; i < n; ++i) {
                QString valor;
                switch (i) {
                case OeFolio:
                    valor = folio;
                    break;
                case OeFechaEntrega:
                    valor = fecha;
                    break;
                case OeOperAlta:
                case OeOperUltModif:
                    valor = operador;
                    break;
                case OeFechaAlta:
                case OeFechaUltModif:
                    valor = ahora;
                    break;
                default:
                    valor = ado::sqlText(textoCopiado(fila.at(origen[i])));
                }
                if (i < 2)
                    s += QLatin1String(" '") + valor + QLatin1String("' , ");
                else if (i < n - 1)
                    s += QLatin1Char('\'') + valor + QLatin1String("', ");
                else
                    s += QLatin1Char('\'') + valor + QLatin1String("' ");
            }
            s += QLatin1String(") ");
            Sistema().Conexion().Execute(s);
        }
    }

    void copiarVinculos(const Copia& c) {
        QString& s = sSQL();
        s.clear();
        s = QStringLiteral("INSERT  INTO Entrega_Documento") + QStringLiteral(" (  ") +
            QStringLiteral("   Ed_Tabla ,") + QStringLiteral("         Ed_Documento ,") +
            QStringLiteral("         De_ID ,") + QStringLiteral("         De_Tabla ,") +
            QStringLiteral("         De_Documento") + QStringLiteral("     )") +
            QStringLiteral("     ( SELECT    'ORDEN_ENTREGA' as Ed_Tabla ,") +
            QStringLiteral("              '") + ado::sqlText(c.nuevoFolio) +
            QStringLiteral("' AS Ed_Documento ,") + QStringLiteral("                De_ID ,") +
            QStringLiteral("                De_Tabla ,") +
            QStringLiteral("                De_Documento") +
            QStringLiteral("      From Entrega_Documento") +
            QStringLiteral("      WHERE     Ed_Tabla = 'ORDEN_ENTREGA'") +
            QStringLiteral("                AND Ed_Documento = '") + ado::sqlText(c.folio) +
            QStringLiteral("' ") + QStringLiteral("    )");
        Sistema().Conexion().Execute(s);
    }

    qintptr m_hWnd;
};

} // namespace

Reprogramacion::Reprogramacion(qintptr hWnd, QString& mensajeError)
    : m_hWnd(hWnd), m_mensajeError(mensajeError) {}

bool Reprogramacion::ReprogramarDocumento(const QString& folio, const QString& lista,
                                          const QDateTime& nuevaFecha) {
    m_mensajeError.clear();
    const QString nombre = lista.toUpper();
    const bool esOrden = nombre == QLatin1String("ORDENES");
    if (!esOrden && nombre != QLatin1String("EMBARQUES")) {
        m_mensajeError = QStringLiteral("ReprogramarDocumento() - La lista ") + lista +
                         QStringLiteral(" no se puede reprogramar");
        return false;
    }
    const QString tabla = esOrden ? QStringLiteral("Orden_Entrega") : QStringLiteral("EMBARQUE");
    const QString llave = esOrden ? QStringLiteral("Oe_Folio") : QStringLiteral("Eb_Folio");
    const QString lectura = QStringLiteral("SELECT * FROM ") + tabla + QStringLiteral(" ") +
                            QStringLiteral("WHERE ") + llave + QStringLiteral(" = '") +
                            ado::sqlText(folio) + QStringLiteral("' ") +
                            QStringLiteral("AND Es_Cve_Estado  IN ('RM','RMT') ");
    const QString sinRegistros =
        QStringLiteral("La tabla ") + tabla + QStringLiteral(" no tiene registros!");

    // Nothing is written yet: a failure here only needs telling.
    QString sucursal;
    bool hayFilas = false;
    try {
        sucursal = Funciones().ObtenerCampo(
            esOrden ? QStringLiteral("Orden_Entrega") : QStringLiteral("Embarque"), llave, folio,
            QStringLiteral("Sc_Cve_Sucursal"), 0, QString(), QString(), QStringLiteral("CA"));
        sSQL().clear();
        sSQL() = lectura;
        hayFilas = existe(sSQL());
    } catch (const std::exception& e) {
        m_mensajeError = QStringLiteral("ReprogramarDocumento() - ") + descripcion(e);
        return false;
    }
    if (!hayFilas) {
        m_mensajeError = sinRegistros;
        return false;
    }

    // A transaction of the caller's that is open already is the caller's to end: the failure
    // to begin one of our own leaves it as it is.
    bool propia = false;
    try {
        Sistema().Conexion().BeginTrans();
        propia = true;
        // Another operator may have reprogrammed the record since it was read; under the write
        // lock the rows read now are the ones to copy.
        sSQL().clear();
        sSQL() = lectura;
        const Filas leidas = leer(sSQL());
        if (leidas.vacia())
            throw com::RuntimeError(sinRegistros);

        Copia copia;
        copia.folio = folio;
        copia.nuevaFecha = nuevaFecha;
        copia.nuevoFolio = Funciones().SiguienteFolio(sucursal, tabla, 10, -1).toString();
        copia.ahora = Funciones().FormatoFechaHora(Funciones().FechaServidor());
        copia.operador = Sistema().Usuario();

        Procedimiento procedimiento(m_hWnd);
        if (lista == QLatin1String("Ordenes")) {
            if (!procedimiento.copiarOrden(leidas, copia))
                return false;
        } else {
            procedimiento.copiarEmbarque(leidas, copia);
        }

        sSQL().clear();
        sSQL() = QStringLiteral("UPDATE ") + tabla + QStringLiteral(" SET ") +
                 QStringLiteral("   Oper_Ult_Modif = '") + ado::sqlText(copia.operador) +
                 QStringLiteral("', ") + QStringLiteral("   Fecha_Ult_Modif = '") +
                 ado::sqlText(copia.ahora) + QStringLiteral("', ") +
                 QStringLiteral("   Es_Cve_Estado = 'RP' ") + QStringLiteral("WHERE ") + llave +
                 QStringLiteral(" = '") + ado::sqlText(folio) + QStringLiteral("' ");
        Sistema().Conexion().Execute(sSQL());
        Sistema().Conexion().CommitTrans();
        return true;
    } catch (const std::exception& e) {
        const QString falla = descripcion(e);
        m_mensajeError = propia ? falla + deshacer() : falla;
        return false;
    }
}

} // namespace kt512
