#pragma once

#include "kt512/shell/ContratoPantalla.h"
#include "platform/forms/Form.h"

namespace kt512 {

// The filter dialog of the trip board: five catalogue codes, each looked up into the locked
// description box beside it. It hands nothing back: the board reads the boxes whenever it loads
// its list, so the boxes as they stand are the filter. Accept and cancel only hide the dialog.
class frmFiltros : public forms::Form, public ContratoPantalla {
    Q_OBJECT
public:
    frmFiltros();
    ~frmFiltros() override;

    // True after a successful accept, false after a load or a cancel.
    bool Aceptado = false;

protected:
    void connectEvents() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_KeyUp(int& keyCode, int shift) override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    QStringList memberNames() const override;
    QVariant invokeMember(const QString& name, com::InvokeKind kind, QVariantList& args) override;

private:
    void Aceptar();
    void Cancelar();
    QString texto(const QString& caja);
};

} // namespace kt512
