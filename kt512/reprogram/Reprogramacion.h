#pragma once

#include <QDateTime>
#include <QString>

namespace kt512 {

// The reprogramming of one delivery order or shipment: a copy under a new folio with the new
// date, written in one transaction on the host's connection, and the old record marked "RP".
// For an order, its sale and remission are cancelled first and its document links copied.
// The screen that runs it owns the window of its messages and the text of a failure it leaves
// for the caller to show.
class Reprogramacion {
public:
    Reprogramacion(qintptr hWnd, QString& mensajeError);

    // True once the copy and the state change are committed. False otherwise, with either the
    // failure's text in mensajeError, or mensajeError empty when a message was shown already.
    bool ReprogramarDocumento(const QString& folio, const QString& lista,
                              const QDateTime& nuevaFecha);

private:
    qintptr m_hWnd;
    QString& m_mensajeError;
};

} // namespace kt512
