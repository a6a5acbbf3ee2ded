#pragma once

#include "kt512/shell/Publico.h"
#include "platform/com/Runtime.h"
#include "platform/forms/Form.h"
#include "tests/support/FakeFunciones.h"
#include "tests/support/FakeSistema.h"
#include "tests/support/PrintQString.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class QTreeView;
namespace forms {
class ListView;
}

namespace ktest {

// The board and its filter dialog over recording host services, in a runtime of their own with
// the control kit (its lookups have no database: tests write the descriptions) and a list
// formatter that counts its calls. Timers are paused and ticked by hand.
class EntornoTablero : public ::testing::Test {
protected:
    // The stored trip query is this prefix and the marker; kFechas is the date condition of the
    // range the board opens on, a week either side of the fake server's 5/12/2026.
    static const QString kPlantilla;
    static const QString kFechas;

    void SetUp() override;
    void TearDown() override;

    kt512::frmKT512& tablero() { return publico->board(); }
    kt512::frmFiltros& filtros() { return publico->filtros(); }
    forms::ListView& lista();
    QTreeView* vista();
    // Shows the board active; reactivar makes another form active and then the board again.
    void mostrar();
    void reactivar();
    void teclaF5(Qt::KeyboardModifiers m = {});
    int cargas() const { return int(funciones->sqlListas.size()); }
    QString ultimaCondicion() const;
    // A filter pair: the code first (its lookup empties the description), then the description.
    void filtro(const char* codigo, const QString& valor, const char* descripcion,
                const QString& valorDescripcion);
    void filas(const std::vector<QStringList>& filas);

    QTemporaryDir dir;
    std::unique_ptr<com::Runtime> runtime;
    com::Ptr<FakeSistema> sistema;
    com::Ptr<FakeFunciones> funciones;
    std::unique_ptr<kt512::Publico> publico;
    std::unique_ptr<forms::Form> otra;
    int formatosAplicados = 0;
};

} // namespace ktest
