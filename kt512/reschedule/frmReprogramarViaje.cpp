#include "frmReprogramarViaje.h"

#include "kt512/filters/frmFiltros.h"
#include "kt512/reprogram/Reprogramacion.h"
#include "kt512/reprogram/frmRecalendarizar.h"
#include "kt512/services/ClassIds.h"
#include "kt512/services/IControles.h"
#include "kt512/services/IFormatoLista.h"
#include "kt512/services/IcolorVEX.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/services/IssTbVex.h"
#include "kt512/services/ItxtVEX.h"
#include "kt512/shell/DisenoForma.h"
#include "kt512/shell/Publico.h"
#include "kt512/trips/frmKT512.h"
#include "platform/ado/Connection.h"
#include "platform/ado/DateValue.h"
#include "platform/ado/SqlText.h"
#include "platform/com/LateBinding.h"
#include "platform/com/Runtime.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/BusyWindow.h"
#include "platform/forms/ListView.h"
#include "platform/forms/Twips.h"
#include "platform/forms/WaitCursor.h"

#include <QGridLayout>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <exception>

namespace kt512 {

namespace {

constexpr int kEsc = 27;
constexpr int kEnter = 13;
constexpr int kF4 = 115;
constexpr int kF5 = 116;
constexpr int kDigito1 = 49;
constexpr int kDigito2 = 50;
constexpr int kBotonDerecho = 2;

constexpr long kAdvertencia = 48;
constexpr long kError = 16;

// Layout, in twips. The header holds two aligned columns (start on the left, end on the
// right); the tab strip takes the rest of the window and its lists fill their pages.
constexpr int kMargen = 120;
constexpr int kAnchoEtiqueta = 1215;
constexpr int kHueco = 105; // between a label and its box
constexpr int kColumna1 = kMargen;
constexpr int kColumna2 = 4980;
constexpr int kAnchoCaja = 3105;
constexpr int kAnchoFecha = 1695;
constexpr int kAnchoHora = 1335;
constexpr int kAltoCaja = 300;
constexpr int kRenglon1 = 1110;
constexpr int kRenglon2 = 1530;
constexpr int kTopPestanas = 1995;
constexpr int kAnchoForma = kColumna2 + kAnchoEtiqueta + kHueco + kAnchoCaja + kMargen;
constexpr int kAltoForma = 6900;
constexpr int kAltoMinimoForma = 4500;
constexpr int kAltoEncabezadoPestana = 315; // activetabheight 21 pixels
constexpr int kMargenPagina = 60;

// The popup opens 3500 twips below the click, as the screen has always placed it.
constexpr int kDesplazamientoMenu = 3500;

const QString kKestrova = QStringLiteral("Kestrova");
const QString kTitulo = QStringLiteral("Reprogramar viajes");
const QString kModulo = QStringLiteral("KT512");
const QString kCargarDetalle = QStringLiteral("CARGAR DETALLE");

forms::ControlDesign etiqueta(int index, const QString& caption, const QString& id, int left,
                              int top) {
    return control(ControlKit::Label, QStringLiteral("Etiqueta"), left, top + 30, kAnchoEtiqueta,
                   255,
                   {{QStringLiteral("caption"), caption},
                    {QStringLiteral("idetiqueta"), id},
                    {QStringLiteral("alignment"), 1}},
                   -1, {}, index);
}

QVariantMap llavesKilometro() {
    return {{QStringLiteral("maxlength"), 20},
            {QStringLiteral("text"), QStringLiteral("0")},
            {QStringLiteral("formatopersonal"), QStringLiteral("#,##0.000000000#####")},
            {QStringLiteral("formatoc"), 8},
            {QStringLiteral("tipodato"), 5},
            {QStringLiteral("tabonenter"), true},
            {QStringLiteral("mayusculas"), true},
            {QStringLiteral("esclave"), true},
            {QStringLiteral("subrayar"), true},
            {QStringLiteral("enabledcolor"), 0xFFFFFF},
            {QStringLiteral("disabledcolor"), 0xDDDDDD},
            {QStringLiteral("focuscolor"), qint64(-2147483643)}};
}

QVariantMap llavesFecha() {
    return {{QStringLiteral("font"), QStringLiteral("Franklin Gothic Medium")},
            {QStringLiteral("tabonenter"), true}};
}

QVariantMap llavesHora() {
    return {{QStringLiteral("format"), 2}};
}

// The border drawn around a tab's frame, in the tab strip's own soft grey.
QVariantMap llavesFigura(int pestana) {
    return {{QStringLiteral("tab"), pestana},
            {QStringLiteral("bordercolor"), 0xDCD2C9},
            {QStringLiteral("borderstyle"), 1}};
}

forms::FormDesign disenoFrmReprogramarViaje() {
    forms::FormDesign d;
    d.name = QStringLiteral("frmReprogramarViaje");
    d.caption = kTitulo;
    d.clientWidth = kAnchoForma;
    d.clientHeight = kAltoForma;
    d.backColor = QColor(0xF5, 0xF5, 0xF5);
    d.keyPreview = true;

    const int x1 = kColumna1 + kAnchoEtiqueta + kHueco;
    const int x2 = kColumna2 + kAnchoEtiqueta + kHueco;
    const int xHora1 = x1 + kAnchoCaja - kAnchoHora;
    const int xHora2 = x2 + kAnchoCaja - kAnchoHora;
    const int anchoPestanas = kAnchoForma - 2 * kMargen;
    const int altoPestanas = kAltoForma - kTopPestanas - kMargen;
    const int anchoPagina = anchoPestanas - 2 * kMargenPagina;
    const int altoPagina = altoPestanas - kAltoEncabezadoPestana - 2 * kMargenPagina;

    d.controls = {
        control(ControlKit::ColourScheme, QStringLiteral("colorVEX"), 0, 0, 0, 0,
                coloresDelSistema()),
        control(ControlKit::Toolbar, QStringLiteral("Controles"), 0, 0, kAnchoForma, 960,
                barraDeDialogo(kTitulo), 0),
        etiqueta(0, QStringLiteral("Km inicial:"), QStringLiteral("KM INICIAL"), kColumna1,
                 kRenglon1),
        etiqueta(1, QStringLiteral("Km final:"), QStringLiteral("KM FINAL"), kColumna2, kRenglon1),
        etiqueta(2, QStringLiteral("Fecha inicial:"), QStringLiteral("FECHA INICIAL"), kColumna1,
                 kRenglon2),
        etiqueta(3, QStringLiteral("Fecha final:"), QStringLiteral("FECHA FINAL"), kColumna2,
                 kRenglon2),
        control(ControlKit::TextBox, QStringLiteral("txtKmInicial"), x1, kRenglon1, kAnchoCaja,
                kAltoCaja, llavesKilometro(), 1),
        control(ControlKit::TextBox, QStringLiteral("txtKmFinal"), x2, kRenglon1, kAnchoCaja,
                kAltoCaja, llavesKilometro(), 2),
        control(ControlKit::DatePicker, QStringLiteral("dpFechaInicial"), x1, kRenglon2,
                kAnchoFecha, kAltoCaja, llavesFecha(), 3),
        control(ControlKit::DatePicker, QStringLiteral("dpHoraInicial"), xHora1, kRenglon2,
                kAnchoHora, kAltoCaja, llavesHora(), 4),
        control(ControlKit::DatePicker, QStringLiteral("dpFechaFinal"), x2, kRenglon2, kAnchoFecha,
                kAltoCaja, llavesFecha(), 5),
        control(ControlKit::DatePicker, QStringLiteral("dpHoraFinal"), xHora2, kRenglon2,
                kAnchoHora, kAltoCaja, llavesHora(), 6),
        control(ControlKit::TabStrip, QStringLiteral("ssTabVex"), kMargen, kTopPestanas,
                anchoPestanas, altoPestanas,
                {{QStringLiteral("tabcount"), 2},
                 {QStringLiteral("tabcaption0"), QStringLiteral("Ordenes de entrega")},
                 {QStringLiteral("tabcaption1"), QStringLiteral("Embarques")},
                 {QStringLiteral("tab"), 0},
                 {QStringLiteral("activetabheight"), 21},
                 {QStringLiteral("tabstyle"), 1},
                 {QStringLiteral("tabtheme"), 2},
                 {QStringLiteral("showfocusrect"), false}},
                7),
        control("VB.Shape", QStringLiteral("sh1"), kMargenPagina / 2, kMargenPagina / 2,
                anchoPagina + kMargenPagina, altoPagina + kMargenPagina, llavesFigura(0), -1,
                QStringLiteral("ssTabVex")),
        control("VB.Frame", QStringLiteral("fr1"), kMargenPagina, kMargenPagina, anchoPagina,
                altoPagina, {{QStringLiteral("tab"), 0}}, -1, QStringLiteral("ssTabVex")),
        control("MSComctlLib.ListView", QStringLiteral("lvOrdenes"), 0, 0, anchoPagina, altoPagina,
                {}, 8, QStringLiteral("fr1")),
        control("VB.Shape", QStringLiteral("Shape1"), kMargenPagina / 2, kMargenPagina / 2,
                anchoPagina + kMargenPagina, altoPagina + kMargenPagina, llavesFigura(1), -1,
                QStringLiteral("ssTabVex")),
        control("VB.Frame", QStringLiteral("fr2"), kMargenPagina, kMargenPagina, anchoPagina,
                altoPagina, {{QStringLiteral("tab"), 1}, {QStringLiteral("enabled"), false}}, -1,
                QStringLiteral("ssTabVex")),
        control("MSComctlLib.ListView", QStringLiteral("lvEmbarques"), 0, 0, anchoPagina,
                altoPagina, {}, 9, QStringLiteral("fr2")),
        control("VB.Menu", QStringLiteral("Reprogramar"), 0, 0, 0, 0,
                {{QStringLiteral("caption"), QStringLiteral("Reprogramar")},
                 {QStringLiteral("visible"), false}}),
        control("VB.Menu", QStringLiteral("Reprogramar_Orden_Embarque"), 0, 0, 0, 0,
                {{QStringLiteral("caption"), QStringLiteral("Reprogramar")}}, -1,
                QStringLiteral("Reprogramar")),
    };
    return d;
}

// Odometer readings stop below a thousand million: ten integer digits or more are too many.
// The value is exact decimal text, so the digits are counted rather than converted.
bool excedeLimiteKilometro(const QString& valorNumerico) {
    QString v = valorNumerico.trimmed();
    if (v.startsWith(QLatin1Char('-')))
        return false;
    if (v.startsWith(QLatin1Char('+')))
        v.remove(0, 1);
    const int punto = v.indexOf(QLatin1Char('.'));
    QString entero = punto < 0 ? v : v.left(punto);
    int ceros = 0;
    while (ceros < entero.size() && entero.at(ceros) == QLatin1Char('0'))
        ++ceros;
    return entero.size() - ceros >= 10;
}

// A database number as the text the odometer box takes: plain digits, never an exponent.
QString textoNumero(const QVariant& valor) {
    if (valor.isNull())
        return QStringLiteral("0");
    if (valor.typeId() == QMetaType::Double || valor.typeId() == QMetaType::Float)
        return QString::number(valor.toDouble(), 'f', QLocale::FloatingPointShortest);
    return valor.toString().trimmed();
}

// The style-108 text of a time of day (hh:mm:ss) as a VB time: the time on day zero.
QDateTime horaDelDia(const QVariant& valor) {
    QTime hora;
    if (valor.typeId() == QMetaType::QTime)
        hora = valor.toTime();
    else if (valor.typeId() == QMetaType::QDateTime)
        hora = valor.toDateTime().time();
    else
        hora = QTime::fromString(valor.toString().trimmed(), QStringLiteral("HH:mm:ss"));
    if (!hora.isValid())
        throw com::RuntimeError(QStringLiteral("Type mismatch"), 13);
    return QDateTime(QDate(1899, 12, 30), hora);
}

bool esFechaVacia(const QDateTime& fecha) {
    return fecha.date() == QDate(1900, 1, 1) && fecha.time() == QTime(0, 0);
}

} // namespace

frmReprogramarViaje::frmReprogramarViaje() : forms::Form(disenoFrmReprogramarViaje()) {}

frmReprogramarViaje::~frmReprogramarViaje() = default;

void frmReprogramarViaje::connectEvents() {
    auto toolbar = controlObject(QStringLiteral("Controles"));
    toolbar->on(QStringLiteral("B1Click"), [this](QVariantList&) { Controles_B1Click(); });
    toolbar->on(QStringLiteral("B2Click"), [this](QVariantList&) { Controles_B2Click(); });
    toolbar->on(QStringLiteral("SalirClick"), [this](QVariantList&) { Controles_SalirClick(); });

    auto pestanas = controlObject(QStringLiteral("ssTabVex"));
    pestanas->on(QStringLiteral("Click"), [this](QVariantList&) { ssTabVex_Click(); });
    pestanas->on(QStringLiteral("KeyPress"),
                 [this](QVariantList& a) { ssTabVex_KeyPress(a.value(0).toInt()); });

    auto ordenes = controlObject(QStringLiteral("lvOrdenes"));
    ordenes->on(QStringLiteral("KeyPress"),
                [this](QVariantList& a) { EnterComoTab(a.value(0).toInt()); });
    ordenes->on(QStringLiteral("KeyUp"),
                [this](QVariantList& a) { lvOrdenes_KeyUp(a.value(0).toInt()); });
    ordenes->on(QStringLiteral("MouseDown"), [this](QVariantList& a) {
        lvOrdenes_MouseDown(a.value(0).toInt(), a.value(2).toInt(), a.value(3).toInt());
    });

    auto embarques = controlObject(QStringLiteral("lvEmbarques"));
    embarques->on(QStringLiteral("KeyPress"),
                  [this](QVariantList& a) { EnterComoTab(a.value(0).toInt()); });
    embarques->on(QStringLiteral("MouseDown"), [this](QVariantList& a) {
        lvEmbarques_MouseDown(a.value(0).toInt(), a.value(2).toInt(), a.value(3).toInt());
    });

    controlObject(QStringLiteral("Reprogramar_Orden_Embarque"))
        ->on(QStringLiteral("Click"),
             [this](QVariantList&) { Reprogramar_Orden_Embarque_Click(); });
}

void frmReprogramarViaje::Form_Load() {
    setPadre(Publico::current().board().Padre());
    control<IcolorVEX>(QStringLiteral("colorVEX"))->AplicarColores();
    Funciones().PrepararForma(*this, 1);
    Aceptado = false;
    control<IssTbVex>(QStringLiteral("ssTabVex"))->setTab(0);
    ctl(QStringLiteral("fr1")).setEnabled(true);
    AjustarPaginas();
}

void frmReprogramarViaje::Cargar(const QString& Folio_Viaje, const QString& Sucursal) {
    const forms::WaitCursor espera;
    Funciones().ReiniciarForma(*this, 1);
    Funciones().PrepararForma(*this, 1);
    this->Folio_Viaje = Folio_Viaje;
    this->Sucursal = Sucursal;
    MostrarViajeEnTitulo();
    CargarValores(Folio_Viaje);
    CargarListas();
}

// The operator sees which trip the screen edits, in the window's title and on its band; the
// branch by its code and name. A name that cannot be read costs the title only the name.
void frmReprogramarViaje::MostrarViajeEnTitulo() {
    QString titulo = kTitulo + QStringLiteral(" — Viaje ") + Folio_Viaje.trimmed();
    const QString sucursal = Sucursal.trimmed();
    if (!sucursal.isEmpty()) {
        titulo += QStringLiteral(", sucursal ") + sucursal;
        try {
            const QString nombre =
                Funciones()
                    .ObtenerCampo(QStringLiteral("Sucursal"), QStringLiteral("Sc_Cve_Sucursal"),
                                  sucursal, QStringLiteral("Sc_Descripcion"), 0, QString(),
                                  QString(), QString())
                    .trimmed();
            if (!nombre.isEmpty())
                titulo += QLatin1Char(' ') + nombre;
        } catch (const com::RuntimeError&) {
        }
    }
    setCaption(titulo);
    control<IControles>(QStringLiteral("Controles"))->setCaption(titulo);
}

void frmReprogramarViaje::Form_Activate() {
    control<IControles>(QStringLiteral("Controles"))->NotificarActivacion(false);
    // The window can be activated a moment before its header is shown; focusing then would
    // put an error in front of the operator for nothing, so the box is focused when it can be.
    forms::Extender kmInicial = ctl(QStringLiteral("txtKmInicial"));
    if (control<ItxtVEX>(QStringLiteral("txtKmInicial"))->Enabled() && kmInicial.canFocus())
        kmInicial.SetFocus();
}

void frmReprogramarViaje::Form_KeyDown(int& keyCode, int) {
    if (keyCode == kEsc) {
        keyCode = 0;
        Aceptado = false;
        Hide();
    }
    if (keyCode == kF4) {
        const QString activo = ActiveControlName();
        if (activo != QLatin1String("dpFechaInicial") && activo != QLatin1String("dpFechaFinal"))
            Aceptar();
    }
}

void frmReprogramarViaje::Form_KeyUp(int& keyCode, int shift) {
    if (shift != forms::AltKey)
        return;
    int pestana = -1;
    if (keyCode == kDigito1)
        pestana = 0;
    else if (keyCode == kDigito2)
        pestana = 1;
    if (pestana < 0)
        return;
    control<IssTbVex>(QStringLiteral("ssTabVex"))->setTab(pestana);
    // The strip raises no Click when the code picks the tab, and a page whose frame stayed
    // disabled would show a list the user cannot reach.
    ssTabVex_Click();
}

void frmReprogramarViaje::Form_Resize() {
    // The header keeps its place; the tab strip takes the rest of the window, and its pages
    // carry their frame and list along.
    forms::Extender pestanas = ctl(QStringLiteral("ssTabVex"));
    pestanas.setWidth(std::max(0, ScaleWidth() - 2 * pestanas.Left()));
    pestanas.setHeight(std::max(0, ScaleHeight() - pestanas.Top() - kMargen));
}

void frmReprogramarViaje::AjustarPaginas() {
    window()->setMinimumSize(forms::twipsToPixelsX(kAnchoForma),
                             forms::twipsToPixelsY(kAltoMinimoForma));
    for (const char* lista : {"lvOrdenes", "lvEmbarques"}) {
        QWidget* vista = ctl(QString::fromLatin1(lista)).widget();
        QWidget* marco = vista->parentWidget();
        QWidget* pagina = marco->parentWidget();
        if (pagina->layout())
            continue;
        // The shape lies under the frame, as a border around it.
        auto* capas = new QGridLayout(pagina);
        capas->setContentsMargins(4, 4, 4, 4);
        for (QWidget* hijo : pagina->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            capas->addWidget(hijo, 0, 0);
        auto* contenido = new QVBoxLayout(marco);
        contenido->setContentsMargins(6, 6, 6, 6);
        contenido->addWidget(vista);
    }
}

void frmReprogramarViaje::Form_QueryUnload(int& cancel, int unloadMode) {
    // The window's close button is the screen's exit.
    if (unloadMode == 0) {
        cancel = 1;
        Controles_SalirClick();
    }
}

void frmReprogramarViaje::Controles_B1Click() {
    Aceptar();
}

void frmReprogramarViaje::Controles_B2Click() {
    // Leaving by Cancel still makes the board reload, through the date dialog's flag.
    Publico::current().recalendarizar().Aceptado = true;
    Aceptado = false;
    Hide();
}

void frmReprogramarViaje::Controles_SalirClick() {
    Publico::current().recalendarizar().Aceptado = false;
    Aceptado = false;
    Hide();
}

void frmReprogramarViaje::ssTabVex_Click() {
    ctl(QStringLiteral("fr1")).setEnabled(false);
    ctl(QStringLiteral("fr2")).setEnabled(false);
    const int pestana = control<IssTbVex>(QStringLiteral("ssTabVex"))->Tab();
    if (pestana == 0)
        ctl(QStringLiteral("fr1")).setEnabled(true);
    else if (pestana == 1)
        ctl(QStringLiteral("fr2")).setEnabled(true);
}

void frmReprogramarViaje::ssTabVex_KeyPress(int keyAscii) {
    EnterComoTab(keyAscii);
}

void frmReprogramarViaje::EnterComoTab(int keyAscii) {
    if (keyAscii == kEnter)
        Funciones().EnviarTeclas(QStringLiteral("\t"), 0);
}

void frmReprogramarViaje::lvOrdenes_KeyUp(int keyCode) {
    if (keyCode == kF5)
        CargarListas();
}

void frmReprogramarViaje::lvOrdenes_MouseDown(int button, int x, int y) {
    if (button == kBotonDerecho)
        MostrarMenu(QStringLiteral("Ordenes"), QStringLiteral("lvOrdenes"), x, y);
}

void frmReprogramarViaje::lvEmbarques_MouseDown(int button, int x, int y) {
    if (button == kBotonDerecho)
        MostrarMenu(QStringLiteral("EMBARQUES"), QStringLiteral("lvEmbarques"), x, y);
}

void frmReprogramarViaje::MostrarMenu(const QString& lista, const QString& control, int x, int y) {
    if (listView(control).Count() == 0)
        return;
    ListaActual = lista;
    PopupMenu(QStringLiteral("Reprogramar"), 0, x, y + kDesplazamientoMenu);
}

QStringList frmReprogramarViaje::memberNames() const {
    return miembrosDelContrato() << QStringLiteral("Aceptado");
}

QVariant frmReprogramarViaje::invokeMember(const QString& name, com::InvokeKind kind,
                                           QVariantList& args) {
    if (std::optional<QVariant> valor = miembroDelContrato(name, kind, args))
        return *valor;
    if (std::optional<QVariant> valor = com::booleanField(name, "Aceptado", Aceptado, kind, args))
        return *valor;
    return forms::Form::invokeMember(name, kind, args);
}

void frmReprogramarViaje::Reprogramar_Orden_Embarque_Click() {
    struct Lista {
        const char* nombre;
        const char* control;
        const char* tabla;
        const char* llave;
        const char* fecha;
    };
    static const Lista kListas[] = {
        {"ORDENES", "lvOrdenes", "Orden_Entrega", "Oe_Folio", "Oe_Fecha_Entrega"},
        {"EMBARQUES", "lvEmbarques", "Embarque", "Eb_Folio", "Eb_Fecha_Salida"},
    };
    const QString nombre = ListaActual.toUpper();
    const Lista* lista = nullptr;
    for (const Lista& l : kListas)
        if (nombre == QLatin1String(l.nombre))
            lista = &l;
    if (!lista)
        return;
    forms::ListView& vista = listView(QString::fromLatin1(lista->control));
    if (vista.Count() == 0)
        return;
    const bool esEmbarque = lista == &kListas[1];

    // Up to the dialog nothing is written: a failure only needs telling.
    QString folio;
    QDateTime fechaActual;
    try {
        if (vista.SelectedIndex() == 0) {
            Mensaje(QStringLiteral("Seleccione en la lista la orden o el embarque a reprogramar"),
                    kAdvertencia, kKestrova, QStringLiteral("ERR-ID:7500015"));
            return;
        }
        folio = vista.itemText(vista.SelectedIndex());
        const QString fechaTexto = Funciones().ObtenerCampo(
            QString::fromLatin1(lista->tabla), QString::fromLatin1(lista->llave), folio,
            QString::fromLatin1(lista->fecha), 0, QString(), QString(), QStringLiteral("CA"));
        QString sucursalEmbarque;
        if (esEmbarque)
            sucursalEmbarque = Funciones().ObtenerCampo(
                QStringLiteral("Embarque"), QStringLiteral("Eb_Folio"), folio,
                QStringLiteral("Sc_Cve_Sucursal"), 0, QString(), QString(), QStringLiteral("CA"));
        if (Sucursal.isEmpty())
            Sucursal = sucursalEmbarque;
        if (fechaTexto.isEmpty())
            return;
        fechaActual = ado::toDateTime(fechaTexto);
    } catch (const std::exception& e) {
        const auto* error = dynamic_cast<const com::RuntimeError*>(&e);
        Mensaje(QStringLiteral("Reprogramar_Orden_Embarque_Click() - ") +
                    (error ? error->description() : QString::fromUtf8(e.what())),
                kError, QStringLiteral("cmdAceptar()"), QStringLiteral("ERR-ID:7500015"));
        return;
    }

    frmRecalendarizar& dialogo = Publico::current().recalendarizar();
    dialogo.Cargar(fechaActual, folio);
    dialogo.Show(forms::ShowMode::Modal);
    const bool aceptado = dialogo.Aceptado;
    const QDateTime nuevaFecha = dialogo.FechaSeleccionada();
    dialogo.Unload();

    Aceptado = false;
    if (!aceptado)
        return;
    {
        forms::BusyWindow ocupada(window());
        const bool ok = ReprogramarDocumento(folio, ListaActual, nuevaFecha);
        if (!ok && !MensajeError.trimmed().isEmpty())
            Mensaje(MensajeError, kError, QStringLiteral("cmdAceptar()"),
                    QStringLiteral("ERR-ID:7500015"));
        Aceptado = true;
        CargarDetalle(QStringLiteral("ORDENES_X_VIAJE"), QStringLiteral("Orden_Entrega"),
                      listView(QStringLiteral("lvOrdenes")));
        CargarDetalle(QStringLiteral("EMBARQUES_X_VIAJE"), QStringLiteral("Embarque"),
                      listView(QStringLiteral("lvEmbarques")));
    }
}

bool frmReprogramarViaje::ReprogramarDocumento(const QString& folio, const QString& lista,
                                               const QDateTime& nuevaFecha) {
    return Reprogramacion(hWnd(), MensajeError).ReprogramarDocumento(folio, lista, nuevaFecha);
}

void frmReprogramarViaje::CargarValores(const QString& Folio) {
    m_encabezadoLeido = false;
    try {
        sSQL().clear();
        sSQL() = QStringLiteral("SELECT ") +
                 QStringLiteral("ISNULL(Vj_Fecha_Inicio_Viaje,  '') AS Fecha_Inicio ,") +
                 QStringLiteral("   CONVERT(VARCHAR, ISNULL(Vj_Fecha_Inicio_Viaje,  ''), 108) AS "
                                "Hora_Inicio, ") +
                 QStringLiteral("ISNULL(Vj_Fecha_Fin_Viaje,'') AS Fecha_Fin ,") +
                 QStringLiteral("   CONVERT(VARCHAR, ISNULL(Vj_Fecha_Fin_Viaje,  ''), 108) AS "
                                "Hora_Fin, ") +
                 QStringLiteral("ISNULL(Vj_Kilometro_Inicial,0) AS Km_Inicial ,") +
                 QStringLiteral("ISNULL(Vj_Kilometro_Final, 0) As Km_Final ") +
                 QStringLiteral("FROM ") + QStringLiteral("   Viaje ") + QStringLiteral("WHERE ") +
                 QStringLiteral("   Vj_Folio = '") + ado::sqlText(Folio) + QStringLiteral("' AND") +
                 QStringLiteral("   Es_cve_estado NOT IN ( 'CE', 'CA' )");
        std::unique_ptr<ado::Recordset> rs = Sistema().Conexion().Execute(sSQL());
        if (rs->Eof()) {
            rs.reset();
            Mensaje(QStringLiteral("No existen datos en el viaje"), kAdvertencia, kKestrova,
                    QStringLiteral("ERR-ID:7500018"));
            return;
        }
        control<ItxtVEX>(QStringLiteral("txtKmInicial"))
            ->setText(textoNumero(rs->Fields(QStringLiteral("Km_Inicial")).Value()));
        control<ItxtVEX>(QStringLiteral("txtKmFinal"))
            ->setText(textoNumero(rs->Fields(QStringLiteral("Km_Final")).Value()));
        const QDateTime inicio =
            ado::toDateTime(rs->Fields(QStringLiteral("Fecha_Inicio")).Value());
        control<IdpFecha>(QStringLiteral("dpFechaInicial"))->setValue(inicio);
        const QDateTime fin = ado::toDateTime(rs->Fields(QStringLiteral("Fecha_Fin")).Value());
        control<IdpFecha>(QStringLiteral("dpFechaFinal"))->setValue(fin);
        control<IdpFecha>(QStringLiteral("dpHoraInicial"))
            ->setValue(horaDelDia(rs->Fields(QStringLiteral("Hora_Inicio")).Value()));
        control<IdpFecha>(QStringLiteral("dpHoraFinal"))
            ->setValue(horaDelDia(rs->Fields(QStringLiteral("Hora_Fin")).Value()));
        rs.reset();

        // A trip never started or finished comes back as 1 January 1900: it opens on today's
        // date instead, its time left at midnight.
        if (esFechaVacia(inicio))
            control<IdpFecha>(QStringLiteral("dpFechaInicial"))
                ->setValue(QDateTime(Funciones().FechaServidor().date(), QTime(0, 0)));
        if (esFechaVacia(fin))
            control<IdpFecha>(QStringLiteral("dpFechaFinal"))
                ->setValue(QDateTime(Funciones().FechaServidor().date(), QTime(0, 0)));
        m_encabezadoLeido = true;
    } catch (const com::RuntimeError& e) {
        Mensaje(QStringLiteral("CargarValores() - ") + e.description(), kError, kKestrova,
                QStringLiteral("ERR-ID:7500019"));
    } catch (const std::exception& e) {
        Mensaje(QStringLiteral("CargarValores() - ") + QString::fromUtf8(e.what()), kError,
                kKestrova, QStringLiteral("ERR-ID:7500019"));
    }
}

QDateTime frmReprogramarViaje::Momento(const QString& fecha, const QString& hora) {
    const QDate dia = control<IdpFecha>(fecha)->Value().date();
    const QTime t = control<IdpFecha>(hora)->Value().time();
    return QDateTime(dia, QTime(t.hour(), t.minute(), t.second()));
}

void frmReprogramarViaje::Aceptar() {
    // What the screen shows after a failed read are defaults: saving them would overwrite the
    // trip's good values with values nobody entered.
    if (!m_encabezadoLeido) {
        Mensaje(QStringLiteral("No se guardan los cambios: los datos del viaje no se pudieron "
                               "leer y la pantalla no muestra sus valores guardados"),
                kAdvertencia, kKestrova, QStringLiteral("ERR-ID:7500019"));
        return;
    }
    auto kmInicial = control<ItxtVEX>(QStringLiteral("txtKmInicial"));
    if (excedeLimiteKilometro(kmInicial->ValorNumerico())) {
        Mensaje(QStringLiteral("El kilometro inicial solo puede contener como máximo 9 números "
                               "enteros y 9 decimales"),
                kAdvertencia, kKestrova, QStringLiteral("ERR-ID:7500009"));
        if (kmInicial->Enabled())
            ctl(QStringLiteral("txtKmInicial")).SetFocus();
        return;
    }
    auto kmFinal = control<ItxtVEX>(QStringLiteral("txtKmFinal"));
    if (excedeLimiteKilometro(kmFinal->ValorNumerico())) {
        Mensaje(QStringLiteral("El kilometro final solo puede contener como máximo 9 números "
                               "enteros y 9 decimales"),
                kAdvertencia, kKestrova, QStringLiteral("ERR-ID:7500010"));
        if (kmFinal->Enabled())
            ctl(QStringLiteral("txtKmFinal")).SetFocus();
        return;
    }
    const QString inicio = Funciones().FormatoFechaHora(
        Momento(QStringLiteral("dpFechaInicial"), QStringLiteral("dpHoraInicial")));
    const QString fin = Funciones().FormatoFechaHora(
        Momento(QStringLiteral("dpFechaFinal"), QStringLiteral("dpHoraFinal")));
    if (QString::compare(inicio, fin, Qt::CaseSensitive) > 0) {
        Mensaje(QStringLiteral("La fecha y hora inicial del viaje no puede ser posterior a la "
                               "fecha y hora final"),
                kAdvertencia, kKestrova, QStringLiteral("ERR-ID:7500011"));
        if (control<IdpFecha>(QStringLiteral("dpFechaInicial"))->Enabled())
            ctl(QStringLiteral("dpFechaInicial")).SetFocus();
        return;
    }
    bool guardado = false;
    {
        const forms::WaitCursor espera;
        guardado = ActualizaValores(Folio_Viaje);
    }
    if (!guardado) {
        Mensaje(MensajeError, kError, kKestrova, QStringLiteral("ERR-ID:7500012"));
        return;
    }
    Publico::current().recalendarizar().Aceptado = false;
    Aceptado = true;
    Hide();
}

bool frmReprogramarViaje::ActualizaValores(const QString& Folio) {
    QString falla;
    try {
        Sistema().Conexion().BeginTrans();
        const QString inicio = Funciones().FormatoFechaHora(
            Momento(QStringLiteral("dpFechaInicial"), QStringLiteral("dpHoraInicial")));
        const QString fin = Funciones().FormatoFechaHora(
            Momento(QStringLiteral("dpFechaFinal"), QStringLiteral("dpHoraFinal")));
        const QString kmInicial = control<ItxtVEX>(QStringLiteral("txtKmInicial"))->ValorNumerico();
        const QString kmFinal = control<ItxtVEX>(QStringLiteral("txtKmFinal"))->ValorNumerico();
        sSQL().clear();
        sSQL() = QStringLiteral("UPDATE Viaje SET ") +
                 QStringLiteral("   Vj_Fecha_Inicio_Viaje ='") + ado::sqlText(inicio) +
                 QStringLiteral("', ") + QStringLiteral("   Vj_Fecha_Fin_Viaje ='") +
                 ado::sqlText(fin) + QStringLiteral("', ") +
                 QStringLiteral("   Vj_Kilometro_Inicial ='") + ado::sqlText(kmInicial) +
                 QStringLiteral("', ") + QStringLiteral("   Vj_Kilometro_Final ='") +
                 ado::sqlText(kmFinal) + QStringLiteral("' ") + QStringLiteral("WHERE ") +
                 QStringLiteral("   Vj_Folio = '") + ado::sqlText(Folio) + QStringLiteral("' AND") +
                 QStringLiteral("   Es_cve_estado NOT IN ( 'CE', 'CA' )");
        Sistema().Conexion().Execute(sSQL());
        Sistema().Conexion().CommitTrans();
        return true;
    } catch (const com::RuntimeError& e) {
        falla = e.description();
    } catch (const std::exception& e) {
        falla = QString::fromUtf8(e.what());
    }
    MensajeError = QStringLiteral("ActualizaValores() - ") + falla;
    try {
        if (Sistema().Conexion().inTransaction())
            Sistema().Conexion().RollbackTrans();
    } catch (const com::RuntimeError& e) {
        MensajeError += QStringLiteral(" (") + e.description() + QLatin1Char(')');
    }
    return false;
}

void frmReprogramarViaje::CargarListas() {
    CargarDetalle(QStringLiteral("ORDENES_X_VIAJE"), QStringLiteral("Orden_Entrega"),
                  listView(QStringLiteral("lvOrdenes")));
    CargarDetalle(QStringLiteral("EMBARQUES_X_VIAJE"), QStringLiteral("Embarque"),
                  listView(QStringLiteral("lvEmbarques")));
}

void frmReprogramarViaje::CargarDetalle(const QString& consulta, const QString& tabla,
                                        forms::ListView& lista) {
    try {
        auto formato = com::Runtime::current().create<IFormatoLista>(ClassIds::FormatoLista);
        frmKT512& tablero = Publico::current().board();
        const QString desde = Funciones().FormatoFecha(
            tablero.control<IdpFecha>(QStringLiteral("dpFechaInicio"))->Value());
        const QString hasta = Funciones().FormatoFecha(
            tablero.control<IdpFecha>(QStringLiteral("dpFechaFin"))->Value());

        QString condicion = QStringLiteral(" Viaje.Vj_Fecha BETWEEN '") + ado::sqlText(desde) +
                            QStringLiteral("' AND '") + ado::sqlText(hasta) + QStringLiteral("' ");
        frmFiltros& filtros = Publico::current().filtros();
        auto texto = [&filtros](const char* caja) {
            return filtros.control<ItxtVEX>(QString::fromLatin1(caja))->Text();
        };
        if (!texto("txtNTipoVehiculo").isEmpty())
            condicion += QStringLiteral(" AND ") + tabla + QStringLiteral(".Oe_Tipo_Vehiculo = '") +
                         ado::sqlText(texto("txtTipoVehiculo")) + QStringLiteral("' ");
        if (!texto("txtNEstado").isEmpty())
            condicion += QStringLiteral("  AND Viaje.Es_Cve_Estado = '") +
                         ado::sqlText(texto("txtEstado")) + QStringLiteral("' ");
        if (!texto("txtNChofer").isEmpty())
            condicion += QStringLiteral(" AND Viaje.Ch_Cve_Chofer = '") +
                         ado::sqlText(texto("txtChofer")) + QStringLiteral("' ");
        condicion += QStringLiteral("AND  Viaje.Vj_Folio = '") + ado::sqlText(Folio_Viaje) +
                     QStringLiteral("' ");
        condicion +=
            QStringLiteral(" AND ") + tabla + QStringLiteral(".Es_Cve_Estado  IN ('RM','RMT') ");

        sSQL().clear();
        sSQL() = Funciones().ObtenerConsulta(consulta);
        sSQL().replace(QStringLiteral("{PARAMETROS}"), condicion, Qt::CaseSensitive);
        if (!Funciones().LlenarLista(sSQL(), lista, true)) {
            Mensaje(Funciones().UltimoError(), kError, kCargarDetalle,
                    QStringLiteral("ERR-ID:7500013"));
            return;
        }
        formato->Aplicar(lista);
    } catch (const com::RuntimeError& e) {
        Mensaje(e.description(), kError, kCargarDetalle, QStringLiteral("ERR-ID:7500014"));
    } catch (const std::exception& e) {
        Mensaje(QString::fromUtf8(e.what()), kError, kCargarDetalle,
                QStringLiteral("ERR-ID:7500014"));
    }
}

void frmReprogramarViaje::Mensaje(const QString& texto, long estilo, const QString& titulo,
                                  const QString& id) {
    Sistema().MostrarMensaje(texto, estilo, titulo, QVariant::fromValue(qint64(hWnd())), kModulo,
                             id);
}

} // namespace kt512
