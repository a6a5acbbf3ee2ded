#pragma once

#include "platform/forms/Form.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace kt512 {

// The new delivery date dialog: a month calendar on which the operator picks the day a delivery
// order or a shipment moves to. The only rule is that the day may not come before the date the
// dialog was loaded with. Accepting or cancelling closes the window; the shared instance keeps
// Aceptado and the chosen day for the caller, and the board reads Aceptado on every activation.
class frmRecalendarizar : public forms::Form {
    Q_OBJECT
public:
    frmRecalendarizar();
    ~frmRecalendarizar() override;

    // Loads the dialog if needed, then starts it on Fecha with its calendar day as the limit.
    void Cargar(const QDateTime& Fecha, const QString& Folio_Orden_Embarque);

    // The day selected in the calendar, also after the window closed.
    QDateTime FechaSeleccionada();
    QString Folio() const { return m_folio; }

    // True only after the operator accepted a valid date.
    bool Aceptado = false;

protected:
    void connectEvents() override;
    void Form_Load() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_Unload(int& cancel) override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    QStringList memberNames() const override;
    QVariant invokeMember(const QString& name, com::InvokeKind kind, QVariantList& args) override;

private:
    void Aceptar();
    void Cancelar();
    void MvFechaEntrega_KeyDown(int& keyCode);

    QString m_folio;
    QDate m_fechaSeleccionada;
};

} // namespace kt512
