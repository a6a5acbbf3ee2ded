#include "Publico.h"

#include "kt512/filters/frmFiltros.h"
#include "kt512/reprogram/frmRecalendarizar.h"
#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/services/ClassIds.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/Boundary.h"
#include "platform/com/Runtime.h"
#include "platform/com/StandardErrors.h"

#include <QtDebug>

namespace kt512 {

namespace {

// The live module: a pointer only. The module belongs to the component's server, or to the test
// that made it.
Publico* activo = nullptr;

// Unloads a form before it goes: its unload handler needs the derived class, which a base
// destructor no longer sees.
template <class F> void descargar(std::unique_ptr<F>& forma) {
    if (!forma)
        return;
    try {
        if (forma->isLoaded())
            forma->Unload();
    } catch (...) {
        qWarning().noquote() << "KT512: unloading" << forma->name()
                             << "at shutdown failed:" << com::caughtError().description();
    }
    forma.reset();
}

} // namespace

class Publico::Private {
public:
    com::Ptr<ISistema> sistema;
    com::Ptr<IFunciones> funciones;
    std::unique_ptr<frmKT512> board;
    std::unique_ptr<frmFiltros> filtros;
    std::unique_ptr<frmReprogramarViaje> reprogramarViaje;
    std::unique_ptr<frmRecalendarizar> recalendarizar;
    Publico* anterior = nullptr;
};

Publico::Publico(com::Ptr<ISistema> sistema, com::Ptr<IFunciones> funciones)
    : d(std::make_unique<Private>()) {
    d->sistema = std::move(sistema);
    d->funciones = std::move(funciones);
    d->anterior = activo;
    activo = this;
}

Publico::~Publico() {
    // The board first: its unload handler unloads the dialogs it opened.
    descargar(d->board);
    descargar(d->reprogramarViaje);
    descargar(d->filtros);
    descargar(d->recalendarizar);
    activo = d->anterior;
}

std::unique_ptr<Publico> Publico::Iniciar() {
    com::Runtime& runtime = com::Runtime::current();
    auto sistema = runtime.create<ISistema>(ClassIds::Sistema);
    auto funciones = runtime.create<IFunciones>(ClassIds::Funciones);
    return std::make_unique<Publico>(std::move(sistema), std::move(funciones));
}

Publico& Publico::current() {
    if (!activo)
        throw com::objectNotSet();
    return *activo;
}

ISistema& Publico::Sistema() {
    if (!d->sistema)
        throw com::objectNotSet();
    return *d->sistema;
}

IFunciones& Publico::Funciones() {
    if (!d->funciones)
        throw com::objectNotSet();
    return *d->funciones;
}

frmKT512& Publico::board() {
    if (!d->board)
        d->board = std::make_unique<frmKT512>();
    return *d->board;
}

frmFiltros& Publico::filtros() {
    if (!d->filtros)
        d->filtros = std::make_unique<frmFiltros>();
    return *d->filtros;
}

frmReprogramarViaje& Publico::reprogramarViaje() {
    if (!d->reprogramarViaje)
        d->reprogramarViaje = std::make_unique<frmReprogramarViaje>();
    return *d->reprogramarViaje;
}

frmRecalendarizar& Publico::recalendarizar() {
    if (!d->recalendarizar)
        d->recalendarizar = std::make_unique<frmRecalendarizar>();
    return *d->recalendarizar;
}

bool Publico::boardExists() const {
    return d->board != nullptr;
}

} // namespace kt512
