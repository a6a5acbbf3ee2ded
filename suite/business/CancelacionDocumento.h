#pragma once

#include <QString>

namespace suite {

class HostSession;

// Marks a sale or a remission cancelled ("CA") on the session's connection. Inside the caller's
// transaction when one is open, so that the caller's rollback undoes it; in one of its own
// otherwise.
class CancelacionDocumento {
public:
    struct Documento {
        QString tabla;      // "Venta"
        QString campoFolio; // "Vn_Folio"
        QString nombre;     // "la venta", as the messages name it
    };

    // False with mensajeError saying why (Spanish, for the operator) when the document does not
    // exist, is already cancelled or cannot be written.
    static bool cancelar(HostSession& session, const Documento& documento, const QString& folio,
                         QString& mensajeError);
};

} // namespace suite
