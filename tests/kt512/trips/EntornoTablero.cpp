#include "EntornoTablero.h"

#include "kt512/filters/frmFiltros.h"
#include "kt512/services/ClassIds.h"
#include "kt512/services/IFormatoLista.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/FunctionFactory.h"
#include "platform/forms/ListView.h"
#include "platform/forms/TimerSwitch.h"
#include "suite/controls/ControlKit.h"

#include <QTest>
#include <QTreeView>

namespace ktest {

namespace {

class FormatoContado : public com::Object<kt512::IFormatoLista> {
public:
    explicit FormatoContado(int& aplicados) : m_aplicados(aplicados) {}
    void Aplicar(forms::ListView&) override { ++m_aplicados; }

private:
    int& m_aplicados;
};

void activar(QWidget* ventana) {
    ventana->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(ventana));
}

} // namespace

const QString EntornoTablero::kPlantilla = QStringLiteral("VIAJES WHERE");
const QString EntornoTablero::kFechas =
    QStringLiteral(" Viaje.Vj_Fecha BETWEEN '2026-11-28' AND '2026-12-12' ");

void EntornoTablero::SetUp() {
    forms::setTimersPaused(true);
    runtime = std::make_unique<com::Runtime>(dir.filePath("registry.json"));
    suite::registerControlKit(*runtime, nullptr);
    runtime->registerClassObject(kt512::ClassIds::FormatoLista, "Kestrova.FormatoLista",
                                 com::newObject<com::FunctionFactory>([this] {
                                     return com::newObject<FormatoContado>(formatosAplicados);
                                 }));
    sistema = com::newObject<FakeSistema>();
    funciones = com::newObject<FakeFunciones>();
    funciones->consultas.insert("Viajes", kPlantilla + "{PARAMETROS}");
    publico = std::make_unique<kt512::Publico>(com::Ptr<kt512::ISistema>(sistema.get()),
                                               com::Ptr<kt512::IFunciones>(funciones.get()));
    forms::FormDesign otraForma;
    otraForma.name = "frmOtra";
    otraForma.clientWidth = 3000;
    otraForma.clientHeight = 2000;
    otra = std::make_unique<forms::Form>(otraForma);
}

void EntornoTablero::TearDown() {
    publico.reset();
    otra.reset();
    forms::setTimersPaused(false);
}

forms::ListView& EntornoTablero::lista() {
    return tablero().listView("lvViajes");
}

QTreeView* EntornoTablero::vista() {
    return qobject_cast<QTreeView*>(lista().widget());
}

void EntornoTablero::mostrar() {
    tablero().Show();
    activar(tablero().window());
}

void EntornoTablero::reactivar() {
    otra->Show();
    activar(otra->window());
    activar(tablero().window());
}

void EntornoTablero::teclaF5(Qt::KeyboardModifiers m) {
    QTest::keyClick(tablero().window(), Qt::Key_F5, m);
}

QString EntornoTablero::ultimaCondicion() const {
    return funciones->sqlListas.isEmpty() ? "<ninguna carga>"
                                          : funciones->sqlListas.constLast().mid(kPlantilla.size());
}

void EntornoTablero::filtro(const char* codigo, const QString& valor, const char* descripcion,
                            const QString& valorDescripcion) {
    filtros().control<kt512::ItxtVEX>(codigo)->setText(valor);
    filtros().control<kt512::ItxtVEX>(descripcion)->setText(valorDescripcion);
}

void EntornoTablero::filas(const std::vector<QStringList>& nuevas) {
    funciones->columnas = QStringList{"Folio"};
    for (qsizetype i = 1; !nuevas.empty() && i < nuevas.front().size(); ++i)
        funciones->columnas << QStringLiteral("C%1").arg(i);
    funciones->filas = nuevas;
}

} // namespace ktest
