#pragma once

#include "kt512/shell/ContratoPantalla.h"
#include "platform/forms/Form.h"

#include <QDateTime>
#include <QString>

namespace forms {
class ListView;
}

namespace kt512 {

// The trip rescheduling screen: one trip's start and end moments and odometer readings, which
// the user corrects and saves, and the trip's reprogrammable delivery orders and shipments on
// two tabs. The board hands it the trip through Cargar, shows it modally and unloads it once
// it hides; Aceptado then tells the board whether to reload its trips.
class frmReprogramarViaje : public forms::Form, public ContratoPantalla {
    Q_OBJECT
public:
    frmReprogramarViaje();
    ~frmReprogramarViaje() override;

    void Cargar(const QString& Folio_Viaje, const QString& Sucursal);
    // Moves an order ("Ordenes") or a shipment ("EMBARQUES") to a new date under a new folio.
    // False on failure, with MensajeError set unless a message was shown already.
    bool ReprogramarDocumento(const QString& folio, const QString& lista,
                              const QDateTime& nuevaFecha);
    const QString& mensajeError() const { return MensajeError; }
    const QString& sucursal() const { return Sucursal; }

    bool Aceptado = false;

protected:
    void connectEvents() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_KeyUp(int& keyCode, int shift) override;
    void Form_Resize() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    QStringList memberNames() const override;
    QVariant invokeMember(const QString& name, com::InvokeKind kind, QVariantList& args) override;

private:
    void Controles_B1Click();
    void Controles_B2Click();
    void Controles_SalirClick();
    void ssTabVex_Click();
    void ssTabVex_KeyPress(int keyAscii);
    void lvOrdenes_KeyUp(int keyCode);
    void lvOrdenes_MouseDown(int button, int x, int y);
    void lvEmbarques_MouseDown(int button, int x, int y);
    void EnterComoTab(int keyAscii);
    void Reprogramar_Orden_Embarque_Click();

    void MostrarViajeEnTitulo();
    void CargarValores(const QString& Folio);
    void Aceptar();
    bool ActualizaValores(const QString& Folio);
    void CargarDetalle(const QString& consulta, const QString& tabla, forms::ListView& lista);
    void CargarListas();
    void AjustarPaginas();
    void MostrarMenu(const QString& lista, const QString& control, int x, int y);

    QDateTime Momento(const QString& fecha, const QString& hora);
    void Mensaje(const QString& texto, long estilo, const QString& titulo, const QString& id);

    QString Folio_Viaje;
    QString Sucursal;
    QString ListaActual;
    QString MensajeError;
    // False while the header shows defaults instead of the trip's stored values.
    bool m_encabezadoLeido = false;
};

} // namespace kt512
