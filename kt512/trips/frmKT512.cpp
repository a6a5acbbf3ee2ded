#include "frmKT512.h"

#include "kt512/filters/frmFiltros.h"
#include "kt512/reprogram/frmRecalendarizar.h"
#include "kt512/reschedule/frmReprogramarViaje.h"
#include "kt512/services/ClassIds.h"
#include "kt512/services/IFormatoLista.h"
#include "kt512/services/IcolorVEX.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/shell/DisenoForma.h"
#include "kt512/shell/Publico.h"
#include "platform/ado/SqlText.h"
#include "platform/com/LateBinding.h"
#include "platform/com/Runtime.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/ListView.h"
#include "platform/forms/Timer.h"
#include "platform/forms/Twips.h"
#include "platform/forms/WaitCursor.h"

#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QTreeView>
#include <algorithm>
#include <cmath>
#include <optional>

namespace kt512 {

namespace {

const QString kModulo = QStringLiteral("KT512");
const QString kTituloCarga = QStringLiteral("CARGAR VIAJES");
const QString kParametroTiempo = QStringLiteral("LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES");
constexpr int kTeclaF5 = 116;
constexpr int kTeclaEnter = 13;
// Bottom margin of the list, below which the window's edge lies.
constexpr int kMargenInferior = 175;
// The date range the board opens on, around the server's date.
constexpr int kDiasAntes = 7;
constexpr int kDiasDespues = 7;
// The smallest window in which the search box, kept at the right edge, stays clear of the filter
// button (its right edge, a gap, the box and the list's margin) and the list shows a few rows.
constexpr int kAnchoMinimo = 6360 + 1095 + 105 + 2535 + 120;
constexpr int kAltoMinimo = 1200 + 1200 + kMargenInferior;

QVariantMap selectorDeFecha() {
    return {{QStringLiteral("font"), QStringLiteral("Franklin Gothic Medium")},
            {QStringLiteral("tabonenter"), true},
            {QStringLiteral("calendarbackcolor"), 16777215},
            {QStringLiteral("calendarforecolor"), 0},
            {QStringLiteral("calendartitlebackcolor"), 8405056},
            {QStringLiteral("calendartitleforecolor"), 16777215},
            {QStringLiteral("calendartrailingforecolor"), 8421504}};
}

// The kit's image button picks its picture from what the tooltip says.
QVariantMap botonDeImagen(const QString& ayuda) {
    return {{QStringLiteral("btype"), 3},
            {QStringLiteral("enab"), true},
            {QStringLiteral("tooltiptext"), ayuda}};
}

forms::FormDesign disenoFrmKT512() {
    using namespace ControlKit;
    forms::FormDesign d;
    d.name = QStringLiteral("frmKT512");
    d.caption = QStringLiteral("Control de viajes");
    d.clientWidth = 10830;
    d.clientHeight = 5055;
    d.backColor = QColor(0xF5, 0xF5, 0xF5);
    d.keyPreview = true;
    d.sizable = true;
    d.controls = {
        control(Toolbar, QStringLiteral("Controles"), 0, 0, 10830, 960,
                {{QStringLiteral("caption"), QStringLiteral("Control de viajes")},
                 {QStringLiteral("tabwidth"), QStringLiteral("0")},
                 {QStringLiteral("easyaccessenabled"), QStringLiteral("NO")},
                 {QStringLiteral("showmenupopup"), QStringLiteral("NO")},
                 {QStringLiteral("showwindowslist"), QStringLiteral("SI")},
                 {QStringLiteral("showexitbutton"), QStringLiteral("SI")}},
                0),
        control(ImageButton, QStringLiteral("cmdRefrescar"), 90, 480, 375, 375,
                botonDeImagen(QStringLiteral("REFRESCAR ORDENES <F5>")), 2),
        control("VB.Label", QStringLiteral("Label"), 840, 480, 855, 255,
                {{QStringLiteral("caption"), QStringLiteral("Fechas:")}}, 9, 0),
        control(DatePicker, QStringLiteral("dpFechaInicio"), 1680, 480, 1935, 300,
                selectorDeFecha(), 8),
        control("VB.Label", QStringLiteral("Label"), 3720, 480, 255, 255,
                {{QStringLiteral("caption"), QStringLiteral("-")}}, 10, 1),
        control(DatePicker, QStringLiteral("dpFechaFin"), 4080, 480, 1935, 300, selectorDeFecha(),
                7),
        control(FlatButton, QStringLiteral("cmdFiltros"), 6360, 480, 1095, 300,
                {{QStringLiteral("caption"), QStringLiteral("Filtros")}}, 5),
        // The search box, kept at the window's right edge, comes over the detail button, which
        // does nothing: created after it, its search glass stays on top and usable.
        control(ImageButton, QStringLiteral("cmdVer"), 10200, 480, 375, 375,
                botonDeImagen(QStringLiteral("VER DETALLE DE LA ORDEN")), 6),
        control(TextBox, QStringLiteral("txtBuscar"), 7560, 480, 2535, 300,
                {{QStringLiteral("mostrarlupa"), true}}, 3),
        control("VB.Label", QStringLiteral("lbTotal"), 11400, 480, 1095, 375,
                {{QStringLiteral("caption"), QString()}}, 4),
        control("MSComctlLib.ListView", QStringLiteral("lvViajes"), 120, 1200, 10575, 3735,
                {{QStringLiteral("view"), 3},
                 {QStringLiteral("labeledit"), 1},
                 {QStringLiteral("hideselection"), false},
                 {QStringLiteral("fullrowselect"), true},
                 {QStringLiteral("gridlines"), true}},
                1),
        control("VB.Timer", QStringLiteral("TmrRefresh"), 0, 0, 0, 0,
                {{QStringLiteral("interval"), 1000}, {QStringLiteral("enabled"), false}}),
        control(ColourScheme, QStringLiteral("colorVEX"), 0, 0, 0, 0, coloresDelSistema()),
        control("MSComctlLib.ImageList", QStringLiteral("Iml"), 0, 0, 0, 0,
                {{QStringLiteral("imagewidth"), 16}, {QStringLiteral("imageheight"), 16}}),
    };
    return d;
}

// The parameter as a 16-bit integer, converted as the suite converts numbers: blanks around it
// are allowed and a fraction rounds half to even. Empty: not a number.
std::optional<qint16> tiempoActualizacion(const QVariant& valor) {
    bool esNumero = false;
    const double numero = valor.toString().trimmed().toDouble(&esNumero);
    if (!esNumero || !std::isfinite(numero))
        return std::nullopt;
    const double redondeado = std::nearbyint(numero);
    if (redondeado < -32768.0 || redondeado > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(redondeado);
}

} // namespace

frmKT512::frmKT512() : forms::Form(disenoFrmKT512()) {}

frmKT512::~frmKT512() {
    if (m_suscripcionPadre >= 0)
        if (auto fuente = Padre().query<forms::IEventSource>())
            fuente->unadvise(m_suscripcionPadre);
}

void frmKT512::setPadre(com::Ptr<com::IDispatch> valor) {
    if (m_suscripcionPadre >= 0) {
        if (auto anterior = Padre().query<forms::IEventSource>())
            anterior->unadvise(m_suscripcionPadre);
        m_suscripcionPadre = -1;
    }
    ContratoPantalla::setPadre(valor);
    if (auto fuente = valor.query<forms::IEventSource>())
        m_suscripcionPadre = fuente->advise(QStringLiteral("Activate"),
                                            [this](QVariantList&) { sPadre_Activate(); });
}

QStringList frmKT512::memberNames() const {
    return miembrosDelContrato() << QStringLiteral("sPadre");
}

QVariant frmKT512::invokeMember(const QString& name, com::InvokeKind kind, QVariantList& args) {
    if (std::optional<QVariant> valor =
            miembroDelContrato(name, kind, args, QLatin1String("sPadre")))
        return *valor;
    return forms::Form::invokeMember(name, kind, args);
}

void frmKT512::connectEvents() {
    // The pickers open on a range around today before their Change is wired, so that opening
    // the board loads the list once.
    const QDate hoy = Funciones().FechaServidor().date();
    control<IdpFecha>(QStringLiteral("dpFechaInicio"))
        ->setValue(QDateTime(hoy.addDays(-kDiasAntes), QTime(0, 0)));
    control<IdpFecha>(QStringLiteral("dpFechaFin"))
        ->setValue(QDateTime(hoy.addDays(kDiasDespues), QTime(0, 0)));

    controlObject(QStringLiteral("Controles"))
        ->on(QStringLiteral("SalirClick"), [this](QVariantList&) { Controles_SalirClick(); });
    controlObject(QStringLiteral("cmdRefrescar"))
        ->on(QStringLiteral("Click"), [this](QVariantList&) { cmdRefrescar_Click(); });
    controlObject(QStringLiteral("cmdFiltros"))->on(QStringLiteral("Click"), [this](QVariantList&) {
        cmdFiltros_Click();
    });
    for (const auto* nombre : {"dpFechaInicio", "dpFechaFin"})
        controlObject(QString::fromLatin1(nombre))
            ->on(QStringLiteral("Change"), [this](QVariantList&) { CargarViajes(); });
    controlObject(QStringLiteral("TmrRefresh"))->on(QStringLiteral("Timer"), [this](QVariantList&) {
        TmrRefresh_Timer();
    });
    controlObject(QStringLiteral("txtBuscar"))
        ->on(QStringLiteral("LupaClick"), [this](QVariantList&) { txtBuscar_LupaClick(); });
    auto lista = controlObject(QStringLiteral("lvViajes"));
    lista->on(QStringLiteral("ColumnClick"),
              [this](QVariantList& args) { lvViajes_ColumnClick(args.value(0).toInt()); });
    lista->on(QStringLiteral("ItemClick"),
              [this](QVariantList& args) { lvViajes_ItemClick(args.value(0).toInt()); });
    lista->on(QStringLiteral("DblClick"), [this](QVariantList&) { lvViajes_DblClick(); });
    lista->on(QStringLiteral("KeyDown"), [this](QVariantList& args) {
        int keyCode = args.value(0).toInt();
        lvViajes_KeyDown(keyCode, args.value(1).toInt());
        args[0] = keyCode;
    });
}

void frmKT512::Form_Load() {
    control<IcolorVEX>(QStringLiteral("colorVEX"))->AplicarColores();
    CargarViajes();
    AjustarVentana();
    LeerTiempoActualizacion();
}

void frmKT512::AjustarVentana() {
    QWidget* ventana = window();
    ventana->setMinimumSize(forms::twipsToPixelsX(kAnchoMinimo),
                            forms::twipsToPixelsY(kAltoMinimo));
    // The board opens wide enough for every column of its list, as far as the screen goes; the
    // place where the user left the window, when there is one, is restored over this on show.
    auto* vista = qobject_cast<QTreeView*>(ctl(QStringLiteral("lvViajes")).widget());
    if (!vista)
        return;
    const int ancho = 2 * vista->x() + 2 * vista->frameWidth() + vista->header()->length() +
                      vista->verticalScrollBar()->sizeHint().width();
    const QScreen* pantalla = ventana->screen();
    const int maximo = pantalla ? pantalla->availableGeometry().width() : ancho;
    if (ancho > ventana->width())
        ventana->resize(std::min(ancho, maximo), ventana->height());
}

void frmKT512::LeerTiempoActualizacion() {
    const QVariant valor =
        Sistema().LeerParametro(kParametroTiempo, 0, QStringLiteral("T"), QStringLiteral("20"));
    const std::optional<qint16> ticks = tiempoActualizacion(valor);
    if (!ticks) {
        // A bad setting must not keep the board from opening: it opens without auto-refresh.
        Sistema().MostrarMensaje(
            QStringLiteral("El parámetro %1 tiene el valor \"%2\", que no es un número entero "
                           "entre -32768 y 32767. La lista de viajes no se actualizará "
                           "automáticamente; use F5 o el botón de refrescar.")
                .arg(kParametroTiempo, valor.toString()),
            48, QStringLiteral("Kestrova"), hWnd(), kModulo, QStringLiteral("ERR-ID:7500020"));
        return;
    }
    TiempoActualizacion = *ticks;
    if (TiempoActualizacion > 0)
        timer(QStringLiteral("TmrRefresh")).setEnabled(true);
}

void frmKT512::Form_Activate() {
    forms::Extender inicio = ctl(QStringLiteral("dpFechaInicio"));
    if (control<IdpFecha>(QStringLiteral("dpFechaInicio"))->Enabled() && inicio.canFocus())
        inicio.SetFocus();
    Publico& publico = Publico::current();
    const bool filtros = publico.filtros().Aceptado;
    const bool recalendarizar = publico.recalendarizar().Aceptado;
    const bool reprogramar = publico.reprogramarViaje().Aceptado;
    if (filtros || recalendarizar || reprogramar)
        CargarViajes();
}

void frmKT512::Form_KeyUp(int& keyCode, int /*shift*/) {
    if (keyCode == kTeclaF5)
        CargarViajes();
}

void frmKT512::Form_Resize() {
    forms::Extender lista = ctl(QStringLiteral("lvViajes"));
    forms::Extender buscar = ctl(QStringLiteral("txtBuscar"));
    const int ancho = ScaleWidth();
    const int alto = ScaleHeight();
    // A window smaller than the margins gives negative sizes; each assignment that fails is
    // skipped and the others still apply.
    const auto intentar = [](auto&& asignacion) {
        try {
            asignacion();
        } catch (const com::RuntimeError&) {
        }
    };
    intentar([&] { lista.setWidth(ancho - 2 * lista.Left()); });
    intentar([&] { lista.setHeight(alto - lista.Top() - kMargenInferior); });
    intentar([&] { buscar.setLeft(ancho - buscar.Width() - lista.Left()); });
}

void frmKT512::Form_Unload(int& /*cancel*/) {
    Publico& publico = Publico::current();
    publico.filtros().Unload();
    publico.reprogramarViaje().Unload();
}

void frmKT512::sPadre_Activate() {
    // Only a loaded board has a list to focus; the container's activation must not load it.
    if (!isLoaded())
        return;
    try {
        ctl(QStringLiteral("lvViajes")).SetFocus();
    } catch (const com::RuntimeError&) {
        // A list that cannot take the focus (board hidden or disabled) is left as it is.
    }
}

void frmKT512::Controles_SalirClick() {
    com::callMethod(Padre().get(), QStringLiteral("Unload"));
}

void frmKT512::cmdRefrescar_Click() {
    CargarViajes();
    forms::Extender lista = ctl(QStringLiteral("lvViajes"));
    if (lista.canFocus())
        lista.SetFocus();
}

void frmKT512::cmdFiltros_Click() {
    frmFiltros& filtros = Publico::current().filtros();
    filtros.Show(forms::ShowMode::Modal);
    if (filtros.Aceptado)
        CargarViajes();
}

void frmKT512::TmrRefresh_Timer() {
    if (ContadorTicks < TiempoActualizacion) {
        ++ContadorTicks;
        return;
    }
    ContadorTicks = 0;
    CargarViajes();
    forms::ListView& lista = listView(QStringLiteral("lvViajes"));
    const int n = lista.Count();
    if (IndiceSeleccionado > 0 && IndiceSeleccionado <= n && n > 0)
        lista.setSelectedIndex(IndiceSeleccionado);
}

void frmKT512::CargarViajes() {
    const forms::WaitCursor espera;
    try {
        com::Ptr<IFormatoLista> formato =
            com::Runtime::current().create<IFormatoLista>(ClassIds::FormatoLista);

        const QString inicio =
            Funciones().FormatoFecha(control<IdpFecha>(QStringLiteral("dpFechaInicio"))->Value());
        const QString fin =
            Funciones().FormatoFecha(control<IdpFecha>(QStringLiteral("dpFechaFin"))->Value());
        QString condicion = QStringLiteral(" Viaje.Vj_Fecha BETWEEN '") + ado::sqlText(inicio) +
                            QStringLiteral("' AND '") + ado::sqlText(fin) + QStringLiteral("' ");

        // The filters are whatever the filter dialog's boxes hold now; reading them loads the
        // dialog, hidden, the first time. The vehicle is tested on its code box, the others on
        // their description, which stays empty while the code matches nothing.
        frmFiltros& filtros = Publico::current().filtros();
        const auto caja = [&filtros](const char* nombre) {
            return filtros.control<ItxtVEX>(QString::fromLatin1(nombre))->Text();
        };
        const auto agregar = [&](const char* prueba, const char* columna, const char* codigo) {
            if (!caja(prueba).isEmpty())
                condicion += QStringLiteral(" AND ") + QLatin1String(columna) +
                             QStringLiteral(" = '") + ado::sqlText(caja(codigo)) +
                             QStringLiteral("' ");
        };
        agregar("txtNTipoVehiculo", "Tipo_Vehiculo.Tv_Cve_Tipo_Vehiculo", "txtTipoVehiculo");
        agregar("txtVehiculo", "Vehiculo.Vh_Cve_Vehiculo", "txtVehiculo");
        agregar("txtNEstado", "Viaje.Es_Cve_Estado", "txtEstado");
        agregar("txtNChofer", "Viaje.Ch_Cve_Chofer", "txtChofer");
        agregar("txtNSucursal", "Viaje.Sc_Cve_Sucursal", "txtSucursal");

        sSQL().clear();
        sSQL() += Funciones().ObtenerConsulta(QStringLiteral("Viajes"));
        sSQL().replace(QStringLiteral("{PARAMETROS}"), condicion);

        forms::ListView& lista = listView(QStringLiteral("lvViajes"));
        if (!Funciones().LlenarLista(sSQL(), lista, true)) {
            const QString error = Funciones().UltimoError();
            Sistema().MostrarMensaje(error, 48, kTituloCarga, hWnd(), kModulo,
                                     QStringLiteral("ERR-ID:7500001"));
            return;
        }
        formato->Aplicar(lista);
    } catch (const com::RuntimeError& e) {
        Sistema().MostrarMensaje(e.description(), 16, kTituloCarga, hWnd(), kModulo,
                                 QStringLiteral("ERR-ID:7500002"));
    } catch (const std::exception& e) {
        Sistema().MostrarMensaje(QString::fromLocal8Bit(e.what()), 16, kTituloCarga, hWnd(),
                                 kModulo, QStringLiteral("ERR-ID:7500002"));
    }
}

int frmKT512::Buscar(forms::ListView& lV, const QString& Cadena) {
    // A found row shows whole: the one display option switched on before every search.
    lV.setFullRowSelect(true);
    const int encontrado = lV.FindItem(Cadena, 1);
    if (encontrado > 0) {
        lV.EnsureVisible(encontrado);
        return encontrado;
    }
    lV.setSelectedIndex(0);
    return 0;
}

void frmKT512::txtBuscar_LupaClick() {
    forms::ListView& lista = listView(QStringLiteral("lvViajes"));
    const int posicion = Buscar(lista, control<ItxtVEX>(QStringLiteral("txtBuscar"))->Text());
    if (posicion == 0)
        return;
    lista.setSelectedIndex(posicion);
    ctl(QStringLiteral("lvViajes")).SetFocus();
    IndiceSeleccionado = posicion;
}

void frmKT512::lvViajes_ColumnClick(int columna) {
    forms::ListView& lista = listView(QStringLiteral("lvViajes"));
    lista.setSortKey(columna - 1);
    lista.setSorted(true);
    // One order for the whole list: a click on another column toggles it too.
    lista.setSortOrder(lista.sortOrder() == forms::ListView::Ascending
                           ? forms::ListView::Descending
                           : forms::ListView::Ascending);
}

void frmKT512::lvViajes_KeyDown(int& keyCode, int shift) {
    // Enter opens the selected trip, as a double click does.
    if (keyCode != kTeclaEnter || shift != 0)
        return;
    keyCode = 0;
    lvViajes_DblClick();
}

void frmKT512::lvViajes_ItemClick(int indice) {
    IndiceSeleccionado = indice;
}

void frmKT512::lvViajes_DblClick() {
    forms::ListView& lista = listView(QStringLiteral("lvViajes"));
    const int seleccionado = lista.SelectedIndex();
    if (seleccionado == 0)
        return;
    IndiceSeleccionado = seleccionado;
    const QString folio = lista.itemText(seleccionado);
    const QString sucursal = Funciones().ObtenerCampo(
        QStringLiteral("Viaje"), QStringLiteral("Vj_Folio"), folio,
        QStringLiteral("Sc_Cve_Sucursal"), 0, QString(), QString(), QString());

    frmReprogramarViaje& pantalla = Publico::current().reprogramarViaje();
    pantalla.Cargar(folio, sucursal);
    pantalla.Show(forms::ShowMode::Modal);
    pantalla.Unload();

    // The host may have closed the board while the screen was open.
    if (!isLoaded())
        return;
    forms::ListView& despues = listView(QStringLiteral("lvViajes"));
    if (IndiceSeleccionado >= 1 && IndiceSeleccionado <= despues.Count())
        despues.setSelectedIndex(IndiceSeleccionado);
}

} // namespace kt512
