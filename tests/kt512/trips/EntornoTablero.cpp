#include "EntornoTablero.h"

#include "kt512/filters/frmFiltros.h"
#include "kt512/services/ClassIds.h"
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

forms::FormDesign disenoOtra() {
    forms::FormDesign d;
    d.name = QStringLiteral("frmOtra");
    d.caption = QStringLiteral("Otra");
    d.clientWidth = 3000;
    d.clientHeight = 2000;
    return d;
}

} // namespace

OtraForma::OtraForma() : forms::Form(disenoOtra()) {}

void OtraForma::Form_Unload(int&) {
    descargada = true;
}

const QString EntornoTablero::kPlantilla = QStringLiteral("VIAJES WHERE");
const QString EntornoTablero::kFechas =
    QStringLiteral(" Viaje.Vj_Fecha BETWEEN '2026-11-28' AND '2026-12-12' ");

void EntornoTablero::SetUp() {
    ASSERT_TRUE(dir.isValid());
    forms::setTimersPaused(true);
    runtime = std::make_unique<com::Runtime>(dir.filePath(QStringLiteral("registry.json")));
    suite::registerControlKit(*runtime, nullptr);
    runtime->registerClassObject(
        kt512::ClassIds::FormatoLista, QStringLiteral("Kestrova.FormatoLista"),
        com::Ptr<com::IClassFactory>::adopt(com::make<com::FunctionFactory>(
            [this]() -> com::IUnknown* { return new FormatoContado(formatosAplicados); })));
    sistema = com::Ptr<FakeSistema>::adopt(com::make<FakeSistema>());
    funciones = com::Ptr<FakeFunciones>::adopt(com::make<FakeFunciones>());
    funciones->consultas.insert(QStringLiteral("Viajes"),
                                kPlantilla + QStringLiteral("{PARAMETROS}"));
    publico = std::make_unique<kt512::Publico>(com::Ptr<kt512::ISistema>(sistema.get()),
                                               com::Ptr<kt512::IFunciones>(funciones.get()));
    otra = std::make_unique<OtraForma>();
}

void EntornoTablero::TearDown() {
    publico.reset();
    otra.reset();
    forms::setTimersPaused(false);
}

kt512::frmKT512& EntornoTablero::tablero() {
    return publico->board();
}

kt512::frmFiltros& EntornoTablero::filtros() {
    return publico->filtros();
}

forms::ListView& EntornoTablero::lista() {
    return tablero().listView(QStringLiteral("lvViajes"));
}

QTreeView* EntornoTablero::vista() {
    return qobject_cast<QTreeView*>(lista().widget());
}

void EntornoTablero::mostrar() {
    tablero().Show();
    tablero().window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(tablero().window()));
}

void EntornoTablero::reactivar() {
    otra->Show();
    otra->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(otra->window()));
    tablero().window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(tablero().window()));
}

QString EntornoTablero::ultimaCondicion() const {
    if (funciones->sqlListas.isEmpty())
        return QStringLiteral("<sin cargas>");
    const QString sql = funciones->sqlListas.constLast();
    return sql.startsWith(kPlantilla) ? sql.mid(kPlantilla.size()) : sql;
}

void EntornoTablero::filtro(const QString& codigo, const QString& valorCodigo,
                            const QString& descripcion, const QString& valorDescripcion) {
    filtros().control<kt512::ItxtVEX>(codigo)->setText(valorCodigo);
    filtros().control<kt512::ItxtVEX>(descripcion)->setText(valorDescripcion);
}

void EntornoTablero::limpiarFiltros() {
    for (const char* caja :
         {"txtEstado", "txtTipoVehiculo", "txtChofer", "txtSucursal", "txtVehiculo", "txtNEstado",
          "txtNTipoVehiculo", "txtNChofer", "txtNSucursal", "txtNVehiculo"})
        filtros().control<kt512::ItxtVEX>(QString::fromLatin1(caja))->setText(QString());
}

void EntornoTablero::filas(const std::vector<QStringList>& nuevas) {
    QStringList columnas{QStringLiteral("Folio")};
    const int n = nuevas.empty() ? 1 : int(nuevas.front().size());
    for (int i = 1; i < n; ++i)
        columnas << QStringLiteral("Columna %1").arg(i);
    funciones->columnas = columnas;
    funciones->filas = nuevas;
}

} // namespace ktest
