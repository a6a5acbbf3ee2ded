#pragma once

#include "kt512/services/IFunciones.h"
#include "platform/com/Object.h"

#include <memory>

namespace suite {

class HostSession;

// The functions service over the session's connection: stored queries, list filling, lookups,
// the server's clock and date texts, folios, and the keyboard and form helpers of the screens.
class Funciones : public com::Object<kt512::IFunciones> {
public:
    explicit Funciones(std::shared_ptr<HostSession> session);
    ~Funciones() override;

    QString ObtenerConsulta(const QString& nombre) override;
    bool LlenarLista(QString sql, forms::ListView& lista, bool encabezados) override;
    QString UltimoError() override;
    // opcion, extra1 and extra2 select nothing here: every caller passes 0, "" and "".
    QString ObtenerCampo(const QString& tabla, const QString& campoLlave, const QString& llave,
                         const QString& campo, long opcion, const QString& extra1,
                         const QString& extra2, const QString& estadoExcluido) override;
    QDateTime FechaServidor() override;
    QString FormatoFecha(const QDateTime& fecha) override;
    QString FormatoFechaHora(const QDateTime& fecha) override;
    // The folio is the branch code followed by the branch's counter for the table, zero-padded
    // to longitud digits, so branches never collide on the table's one-column key. It is taken
    // in the caller's transaction when one is open (a rollback gives it back), else in one of
    // its own. reservar is accepted for compatibility: a folio is always reserved once taken.
    QVariant SiguienteFolio(const QString& sucursal, const QString& tabla, long longitud,
                            long reservar) override;
    // The parent's code when it has one, so the screen runs under the permissions of the menu
    // entry that opened it; "KT512" otherwise.
    QString ObtenerTransaccion(const QString& transaccionPadre, const QString& suite) override;
    // Clears the selection of the form's lists and scrolls them to the top; touches no data and
    // does nothing to a form that is not loaded.
    void ReiniciarForma(forms::Form& forma, long opcion) override;
    // Text boxes select their whole text when the focus enters them, so typing replaces a value.
    void PrepararForma(forms::Form& forma, long opcion) override;
    void EnviarTeclas(const QString& teclas, long espera) override;

private:
    std::shared_ptr<HostSession> m_session;
    QString m_ultimoError;
};

} // namespace suite
