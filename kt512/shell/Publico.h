#pragma once

#include "kt512/services/IFunciones.h"
#include "kt512/services/ISistema.h"
#include "platform/com/Ptr.h"

#include <QString>
#include <memory>

namespace kt512 {

class frmKT512;
class frmFiltros;
class frmReprogramarViaje;
class frmRecalendarizar;

// The component's module globals: the two host services, the statement buffer sSQL and the
// default instance of each form, created on first reference. One Publico exists while the
// component is loaded; tests make their own around fakes or the real services.
class Publico {
public:
    Publico(com::Ptr<ISistema> sistema, com::Ptr<IFunciones> funciones);
    ~Publico();
    Publico(const Publico&) = delete;
    Publico& operator=(const Publico&) = delete;

    // Start-up: creates Sistema and then Funciones by their class identifiers.
    static std::unique_ptr<Publico> Iniciar();
    // The live module; raises when the component is not started.
    static Publico& current();

    ISistema& Sistema();
    IFunciones& Funciones();
    QString sSQL;

    // Default instances. Each is created on first reference, not loaded.
    frmKT512& board();
    frmFiltros& filtros();
    frmReprogramarViaje& reprogramarViaje();
    frmRecalendarizar& recalendarizar();
    bool boardExists() const;

private:
    class Private;
    std::unique_ptr<Private> d;
};

// Shorthands for the screens' code, as the module globals read in VB.
inline ISistema& Sistema() { return Publico::current().Sistema(); }
inline IFunciones& Funciones() { return Publico::current().Funciones(); }
inline QString& sSQL() { return Publico::current().sSQL; }

} // namespace kt512
