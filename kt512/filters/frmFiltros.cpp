#include "frmFiltros.h"

#include "kt512/services/ClassIds.h"
#include "kt512/services/IControles.h"
#include "kt512/services/IcolorVEX.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/shell/DisenoForma.h"
#include "kt512/shell/Publico.h"
#include "kt512/trips/frmKT512.h"
#include "platform/com/LateBinding.h"
#include "platform/com/RuntimeError.h"

namespace kt512 {

namespace {

constexpr int kTeclaEsc = 27;
constexpr int kTeclaF4 = 115;

// One filter: its label, its code box and the locked box that shows the code's description.
struct Filtro {
    const char* etiqueta;
    const char* idEtiqueta;
    const char* codigo;
    int longitud;
    const char* idConsulta;
    const char* consulta;
    const char* descripcion;
};

// In the order the dialog shows them. The lookup texts are the catalogue's, blanks included.
const Filtro kFiltros[] = {
    {"Estado:", "Estado", "txtEstado", 4, "ESTADO_VIAJES",
     "SELECT Es_Descripcion FROM Estado WHERE ES_Cve_Estado = '?' AND Es_Cve_Estado <> 'BA'",
     "txtNEstado"},
    {"Tipo vehículo:", "TIPO VEHICULO", "txtTipoVehiculo", 4, "TIPO_VEHICULO",
     "SELECT  Tv_Descripcion FROM   Tipo_Vehiculo WHERE Tv_Cve_Tipo_Vehiculo = '?' AND "
     "Es_Cve_Estado <> 'BA'",
     "txtNTipoVehiculo"},
    {"Chofer:", "CHOFER", "txtChofer", 4, "CHOFER",
     "SELECT Ch_Descripcion FROM Chofer WHERE Ch_Cve_Chofer = '?' AND Es_Cve_Estado <> 'BA'",
     "txtNChofer"},
    {"Sucursal:", "Sucursal", "txtSucursal", 4, "SUCURSAL",
     "SELECT Sc_Descripcion FROM Sucursal WHERE Sc_Cve_Sucursal = '?' AND Es_Cve_Estado <> 'BA'",
     "txtNSucursal"},
    {"Vehículo:", "Vehículo", "txtVehiculo", 10, "VEHICULO",
     "SELECT  Vh_Descripcion FROM  Vehiculo WHERE Vh_Cve_Vehiculo = '?' AND Es_Cve_Estado <> 'BA'",
     "txtNVehiculo"},
};

// Accept reports the first code that matched nothing, in this order.
struct Validacion {
    const char* descripcion;
    const char* codigo;
    const char* idError;
    const char* texto;
};
const Validacion kValidaciones[] = {
    {"txtNSucursal", "txtSucursal", "ERR-ID:7500003", "Debe especificar una sucursal válida"},
    {"txtNEstado", "txtEstado", "ERR-ID:7500004", "Debe especificar un estado válido"},
    {"txtNTipoVehiculo", "txtTipoVehiculo", "ERR-ID:7500005",
     "Debe especificar un tipo de vehículo válido"},
    {"txtNVehiculo", "txtVehiculo", "ERR-ID:7500006", "Debe especificar un vehículo válido"},
    {"txtNChofer", "txtChofer", "ERR-ID:7500007", "Debe especificar un chofer válido"},
};

// Code boxes and the parameter holding the pattern each code is written in.
struct Formato {
    const char* codigo;
    const char* parametro;
    const char* porOmision;
};
const Formato kFormatos[] = {
    {"txtTipoVehiculo", "FTO_TIPO_VEHICULO", "0000"},
    {"txtChofer", "FTO_CHOFER", "0000"},
    {"txtSucursal", "FTO_SUCURSAL", "0000"},
    {"txtVehiculo", "FTO_VEHICULO", "0000000000"},
};

// Layout in twips: a label column, the code boxes, then the wider description boxes.
constexpr int kAncho = 6825;
constexpr int kAltoBarra = 600;
constexpr int kMargen = 120;
constexpr int kSeparacion = 105;
constexpr int kAnchoEtiqueta = 1455;
constexpr int kAnchoCodigo = 1455;
constexpr int kPrimeraFila = kAltoBarra + 240;
constexpr int kPasoFila = 420;
constexpr int kAltoCaja = 300;
constexpr int kAltoEtiqueta = 255;

QString cadena(const char* s) {
    return QString::fromUtf8(s);
}

forms::FormDesign disenoFrmFiltros() {
    using namespace ControlKit;
    forms::FormDesign d;
    d.name = QStringLiteral("frmFiltros");
    d.caption = QStringLiteral("Filtros");
    d.clientWidth = kAncho;
    d.clientHeight = kPrimeraFila + 4 * kPasoFila + kAltoCaja + 2 * kMargen;
    d.backColor = QColor(0xF5, 0xF5, 0xF5);
    d.keyPreview = true;
    d.sizable = false;
    d.controls << control(Toolbar, QStringLiteral("Controles"), 0, 0, kAncho, kAltoBarra,
                          barraDeDialogo(QStringLiteral("Filtros")), 0);

    const int izquierdaCodigo = kMargen + kAnchoEtiqueta + kSeparacion;
    const int izquierdaDescripcion = izquierdaCodigo + kAnchoCodigo + kSeparacion;
    const int anchoDescripcion = kAncho - kMargen - izquierdaDescripcion;
    const int n = int(std::size(kFiltros));
    for (int i = 0; i < n; ++i) {
        const Filtro& f = kFiltros[i];
        const int arriba = kPrimeraFila + i * kPasoFila;
        d.controls << control(Label, QStringLiteral("Etiqueta"), kMargen,
                              arriba + (kAltoCaja - kAltoEtiqueta) / 2, kAnchoEtiqueta,
                              kAltoEtiqueta,
                              {{QStringLiteral("caption"), cadena(f.etiqueta)},
                               {QStringLiteral("idetiqueta"), cadena(f.idEtiqueta)},
                               {QStringLiteral("alignment"), 1},
                               {QStringLiteral("fontsize"), 8.25}},
                              2 * n + 1 + i, i);
        QVariantMap claves{{QStringLiteral("maxlength"), f.longitud},
                           {QStringLiteral("esclave"), true},
                           {QStringLiteral("mayusculas"), true},
                           {QStringLiteral("tabonenter"), true},
                           {QStringLiteral("idconsulta"), cadena(f.idConsulta)},
                           {QStringLiteral("sql"), cadena(f.consulta)},
                           {QStringLiteral("sql_control_resultado"), cadena(f.descripcion)}};
        if (QLatin1String(f.codigo) == QLatin1String("txtEstado")) {
            claves.insert(QStringLiteral("enabledcolor"), 16777215);
            claves.insert(QStringLiteral("disabledcolor"), 14540253);
            claves.insert(QStringLiteral("focuscolor"), -2147483643);
        }
        // Code boxes come first in the tab order, so Enter walks from code to code.
        d.controls << control(TextBox, cadena(f.codigo), izquierdaCodigo, arriba, kAnchoCodigo,
                              kAltoCaja, claves, 1 + i);
        d.controls << control(TextBox, cadena(f.descripcion), izquierdaDescripcion, arriba,
                              anchoDescripcion, kAltoCaja, {{QStringLiteral("locked"), true}},
                              1 + n + i);
    }
    d.controls << control(ColourScheme, QStringLiteral("colorVEX"), 0, 0, 0, 0,
                          coloresDelSistema());
    return d;
}

} // namespace

frmFiltros::frmFiltros() : forms::Form(disenoFrmFiltros()) {}

frmFiltros::~frmFiltros() = default;

QStringList frmFiltros::memberNames() const {
    return miembrosDelContrato() << QStringLiteral("Aceptado");
}

QVariant frmFiltros::invokeMember(const QString& name, com::InvokeKind kind, QVariantList& args) {
    if (std::optional<QVariant> valor = miembroDelContrato(name, kind, args))
        return *valor;
    if (std::optional<QVariant> valor =
            com::booleanField(name, "Aceptado", Aceptado, kind, args, false))
        return *valor;
    return forms::Form::invokeMember(name, kind, args);
}

void frmFiltros::connectEvents() {
    auto barra = controlObject(QStringLiteral("Controles"));
    barra->on(QStringLiteral("B1Click"), [this](QVariantList&) { Aceptar(); });
    barra->on(QStringLiteral("B2Click"), [this](QVariantList&) { Cancelar(); });
}

void frmFiltros::Form_Load() {
    control<IcolorVEX>(QStringLiteral("colorVEX"))->AplicarColores();
    setPadre(Publico::current().board().sPadre());
    Aceptado = false;
    for (const Formato& f : kFormatos)
        control<ItxtVEX>(cadena(f.codigo))
            ->setFormatoPersonal(Sistema()
                                     .LeerParametro(cadena(f.parametro), 0, QStringLiteral("T"),
                                                    cadena(f.porOmision))
                                     .toString());
}

void frmFiltros::Form_Activate() {
    control<IControles>(QStringLiteral("Controles"))->NotificarActivacion(false);
}

void frmFiltros::Form_KeyUp(int& keyCode, int /*shift*/) {
    if (keyCode == kTeclaEsc) {
        Cancelar();
        keyCode = 0;
    }
    if (keyCode == kTeclaF4)
        Aceptar();
}

void frmFiltros::Form_QueryUnload(int& cancel, int unloadMode) {
    // The boxes are the filters: closing the window must not unload them away.
    if (unloadMode == 0) {
        cancel = 1;
        Cancelar();
    }
}

QString frmFiltros::texto(const QString& caja) {
    return control<ItxtVEX>(caja)->Text();
}

void frmFiltros::Aceptar() {
    for (const Validacion& v : kValidaciones) {
        const QString codigo = cadena(v.codigo);
        if (!texto(cadena(v.descripcion)).isEmpty() || texto(codigo).isEmpty())
            continue;
        Sistema().MostrarMensaje(cadena(v.texto), 48, QStringLiteral("Kestrova"), hWnd(),
                                 QStringLiteral("KT512"), cadena(v.idError));
        if (control<ItxtVEX>(codigo)->Enabled())
            ctl(codigo).SetFocus();
        return;
    }
    Aceptado = true;
    Hide();
}

void frmFiltros::Cancelar() {
    // A code that matched nothing was never accepted: it must not stay in force as a filter.
    for (const Filtro& f : kFiltros)
        if (texto(cadena(f.descripcion)).isEmpty())
            control<ItxtVEX>(cadena(f.codigo))->setText(QString());
    Aceptado = false;
    Hide();
}

} // namespace kt512
