#pragma once

#include "kt512/shell/ContratoPantalla.h"
#include "platform/forms/Form.h"

#include <QString>

namespace forms {
class ListView;
}

namespace kt512 {

// The trip board: the trips of a date range, narrowed by the filter dialog's boxes, reloaded on
// demand, on a timer and whenever a dialog leaves its Aceptado flag set; searched, sorted, and
// opened in the rescheduling screen by a double click or by Enter.
class frmKT512 : public forms::Form, public ContratoPantalla {
    Q_OBJECT
public:
    frmKT512();
    ~frmKT512() override;

    // The host's container form. Setting it subscribes the board to the container's activation.
    void setPadre(com::Ptr<com::IDispatch> valor) override;
    com::Ptr<com::IDispatch> sPadre() const { return Padre(); }

    // Position (1-based) of the first item of lV with a cell containing Cadena, letter case
    // ignored; 0 when none does. Scrolls the item into view without selecting it; clears the
    // selection when nothing is found.
    int Buscar(forms::ListView& lV, const QString& Cadena);

    // Timer ticks between automatic reloads, from LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES.
    qint16 TiempoActualizacion = 0;
    // Position of the item last selected by the user, reselected after automatic reloads.
    int IndiceSeleccionado = 0;
    // Ticks since the last automatic reload; kept for the life of the instance.
    qint16 ContadorTicks = 0;

protected:
    void connectEvents() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_KeyUp(int& keyCode, int shift) override;
    void Form_Resize() override;
    void Form_Unload(int& cancel) override;
    QStringList memberNames() const override;
    QVariant invokeMember(const QString& name, com::InvokeKind kind, QVariantList& args) override;

private:
    void CargarViajes();
    void LeerTiempoActualizacion();
    void AjustarVentana();
    void sPadre_Activate();
    void Controles_SalirClick();
    void cmdRefrescar_Click();
    void cmdFiltros_Click();
    void TmrRefresh_Timer();
    void txtBuscar_LupaClick();
    void lvViajes_ColumnClick(int columna);
    void lvViajes_ItemClick(int indice);
    void lvViajes_DblClick();
    void lvViajes_KeyDown(int& keyCode, int shift);

    int m_suscripcionPadre = -1;
};

} // namespace kt512
