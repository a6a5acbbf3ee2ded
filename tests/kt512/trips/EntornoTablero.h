#pragma once

#include "kt512/services/IFormatoLista.h"
#include "kt512/shell/Publico.h"
#include "platform/com/Object.h"
#include "platform/com/Runtime.h"
#include "platform/forms/Form.h"
#include "tests/support/FakeFunciones.h"
#include "tests/support/FakeSistema.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

class QTreeView;

// Failed comparisons of texts show the texts.
inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace kt512 {
class frmKT512;
class frmFiltros;
} // namespace kt512

namespace forms {
class ListView;
}

namespace ktest {

// A form of the test's own, to take the activation away from the board and to stand for the
// host's container.
class OtraForma : public forms::Form {
public:
    OtraForma();
    bool descargada = false;

protected:
    void Form_Unload(int& cancel) override;
};

// The board and its filter dialog over recording host services: a runtime of their own with the
// control kit (whose lookups have no database, so tests write the description boxes themselves)
// and a list formatter that counts its calls. Timers are paused; ticks are driven by hand.
class EntornoTablero : public ::testing::Test {
protected:
    // The stored trip query: what the board puts in place of the marker follows this prefix.
    static const QString kPlantilla;
    // The date condition of the range the board opens on, around the fake server's 5/12/2026.
    static const QString kFechas;

    void SetUp() override;
    void TearDown() override;

    kt512::frmKT512& tablero();
    kt512::frmFiltros& filtros();
    forms::ListView& lista();
    QTreeView* vista();

    // Shows the board and waits until it is the active window.
    void mostrar();
    // Makes another form active and then the board again, as the return from a dialog does.
    void reactivar();

    // Trip list loads so far, and the condition text of the last one.
    int cargas() const { return int(funciones->sqlListas.size()); }
    QString ultimaCondicion() const;
    // Writes a filter pair of the dialog: the code first (its lookup empties the description),
    // then the description.
    void filtro(const QString& codigo, const QString& valorCodigo, const QString& descripcion,
                const QString& valorDescripcion);
    void limpiarFiltros();
    // Rows of the trip list, one folio each and the given cells after it.
    void filas(const std::vector<QStringList>& filas);

    QTemporaryDir dir;
    std::unique_ptr<com::Runtime> runtime;
    com::Ptr<FakeSistema> sistema;
    com::Ptr<FakeFunciones> funciones;
    std::unique_ptr<kt512::Publico> publico;
    std::unique_ptr<OtraForma> otra;
    int formatosAplicados = 0;
};

} // namespace ktest
