#pragma once

#include "platform/com/Unknown.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace forms {
class Form;
class ListView;
} // namespace forms

namespace kt512 {

// The suite's functions service: stored queries, list filling, lookups, formats and folios.
// Dates are VB Dates: a QDateTime whose time part may be midnight.
class IFunciones : public com::IUnknown {
public:
    static constexpr QUuid IID{0xD4F3D984, 0xAD66, 0x41AB, 0x8B, 0x0D, 0x9F, 0x7E, 0x61, 0x3F, 0x61, 0x54};

    // The stored query text, holding "{PARAMETROS}". Raises when there is no such query.
    virtual QString ObtenerConsulta(const QString& nombre) = 0;
    // True once the query ran and the list holds its rows; false with UltimoError otherwise.
    virtual bool LlenarLista(QString sql, forms::ListView& lista, bool encabezados) = 0;
    virtual QString UltimoError() = 0;
    // The value of campo in the row of tabla whose campoLlave is llave; empty when there is no
    // such row, or when the row's Es_Cve_Estado equals a non-empty estadoExcluido.
    virtual QString ObtenerCampo(const QString& tabla, const QString& campoLlave,
                                 const QString& llave, const QString& campo, long opcion,
                                 const QString& extra1, const QString& extra2,
                                 const QString& estadoExcluido) = 0;
    // The database's clock.
    virtual QDateTime FechaServidor() = 0;
    // SQL text for a date (and a date-time) that the database reads unambiguously; two results
    // compare in time order as plain strings. The caller puts the quotes around it.
    virtual QString FormatoFecha(const QDateTime& fecha) = 0;
    virtual QString FormatoFechaHora(const QDateTime& fecha) = 0;
    // The next free folio of the branch and table; taken inside the caller's transaction.
    virtual QVariant SiguienteFolio(const QString& sucursal, const QString& tabla, long longitud,
                                    long reservar) = 0;
    virtual QString ObtenerTransaccion(const QString& transaccionPadre, const QString& suite) = 0;
    virtual void ReiniciarForma(forms::Form& forma, long opcion) = 0;
    virtual void PrepararForma(forms::Form& forma, long opcion) = 0;
    // Sends keys to the focused control; a TAB moves the focus on.
    virtual void EnviarTeclas(const QString& teclas, long espera) = 0;
};

} // namespace kt512
