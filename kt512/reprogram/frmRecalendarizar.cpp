#include "frmRecalendarizar.h"

#include "kt512/services/ClassIds.h"
#include "kt512/services/IcolorVEX.h"
#include "kt512/shell/DisenoForma.h"
#include "kt512/shell/Publico.h"
#include "platform/ado/DateValue.h"
#include "platform/com/LateBinding.h"
#include "platform/forms/MonthView.h"

namespace kt512 {

namespace {

constexpr int kEsc = 27;
constexpr int kF4 = 115;
constexpr long kAdvertencia = 48;

// Layout in twips: the title bar, the calendar below it and the two buttons under the calendar,
// to the right.
constexpr int kMargen = 120;
constexpr int kAltoTitulo = 450;
constexpr int kAnchoCalendario = 4500;
constexpr int kAltoCalendario = 3000;
constexpr int kAnchoBoton = 1215;
constexpr int kAltoBoton = 375;
constexpr int kAncho = kAnchoCalendario + 2 * kMargen;
constexpr int kArribaBotones = kAltoTitulo + kMargen + kAltoCalendario + kMargen;
constexpr int kAlto = kArribaBotones + kAltoBoton + kMargen;

QVariantMap boton(const char* caption) {
    return {{QStringLiteral("caption"), QString::fromLatin1(caption)},
            {QStringLiteral("font"), QStringLiteral("Calibri")}};
}

forms::FormDesign disenoFrmRecalendarizar() {
    using namespace ControlKit;
    forms::FormDesign d;
    d.name = QStringLiteral("frmRecalendarizar");
    d.caption = QStringLiteral("Fecha de entrega");
    d.clientWidth = kAncho;
    d.clientHeight = kAlto;
    d.backColor = QColor(0xF5, 0xF5, 0xF5);
    d.keyPreview = true;
    d.sizable = false;
    d.controls << control(TitleBar, QStringLiteral("Titulo"), 0, 0, kAncho, kAltoTitulo,
                          {{QStringLiteral("caption"), QString(51, QLatin1Char(' ')) + '.'},
                           {QStringLiteral("showminbutton"), QStringLiteral("NO")},
                           {QStringLiteral("showmaxbutton"), QStringLiteral("NO")},
                           {QStringLiteral("showexitbutton"), QStringLiteral("SI")}});
    d.controls << control("MSComCtl2.MonthView", QStringLiteral("MvFechaEntrega"), kMargen,
                          kAltoTitulo + kMargen, kAnchoCalendario, kAltoCalendario, {}, 0);
    d.controls << control(FlatButton, QStringLiteral("cmdAceptar"),
                          kAncho - kMargen - 2 * kAnchoBoton - kMargen, kArribaBotones, kAnchoBoton,
                          kAltoBoton, boton("Aceptar"), 1);
    d.controls << control(FlatButton, QStringLiteral("cmdCancelar"), kAncho - kMargen - kAnchoBoton,
                          kArribaBotones, kAnchoBoton, kAltoBoton, boton("Cancelar"), 2);
    d.controls << control(ColourScheme, QStringLiteral("colorVEX1"), 0, 0, 0, 0,
                          coloresDelSistema());
    return d;
}

} // namespace

frmRecalendarizar::frmRecalendarizar() : forms::Form(disenoFrmRecalendarizar()) {}

frmRecalendarizar::~frmRecalendarizar() = default;

void frmRecalendarizar::connectEvents() {
    controlObject(QStringLiteral("Titulo"))
        ->on(QStringLiteral("SalirClick"), [this](QVariantList&) { Cancelar(); });
    controlObject(QStringLiteral("cmdAceptar"))->on(QStringLiteral("Click"), [this](QVariantList&) {
        Aceptar();
    });
    controlObject(QStringLiteral("cmdCancelar"))
        ->on(QStringLiteral("Click"), [this](QVariantList&) { Cancelar(); });
    auto calendario = controlObject(QStringLiteral("MvFechaEntrega"));
    calendario->on(QStringLiteral("DateClick"),
                   [this](QVariantList&) { ctl(QStringLiteral("cmdAceptar")).SetFocus(); });
    calendario->on(QStringLiteral("DateDblClick"), [this](QVariantList&) { Aceptar(); });
    calendario->on(QStringLiteral("KeyDown"), [this](QVariantList& a) {
        int keyCode = a.value(0).toInt();
        MvFechaEntrega_KeyDown(keyCode);
        a[0] = keyCode;
    });
}

void frmRecalendarizar::Form_Load() {
    control<IcolorVEX>(QStringLiteral("colorVEX1"))->AplicarColores();
    monthView(QStringLiteral("MvFechaEntrega")).setValue(Funciones().FechaServidor().date());
}

void frmRecalendarizar::Cargar(const QDateTime& Fecha, const QString& Folio_Orden_Embarque) {
    Load();
    m_folio = Folio_Orden_Embarque;
    Aceptado = false;
    forms::MonthView& calendario = monthView(QStringLiteral("MvFechaEntrega"));
    calendario.setValue(Fecha.date());
    // The limit is the day as the server's date text keeps it: a time of day never raises it.
    calendario.setMinDate(ado::toDateTime(Funciones().FormatoFecha(Fecha)).date());
}

QDateTime frmRecalendarizar::FechaSeleccionada() {
    if (isLoaded())
        m_fechaSeleccionada = monthView(QStringLiteral("MvFechaEntrega")).Value();
    return QDateTime(m_fechaSeleccionada, QTime(0, 0));
}

void frmRecalendarizar::Aceptar() {
    forms::MonthView& calendario = monthView(QStringLiteral("MvFechaEntrega"));
    if (calendario.MinDate() > calendario.Value()) {
        Sistema().MostrarMensaje(
            QStringLiteral("La fecha de entrega no puede ser menor a la fecha actual"),
            kAdvertencia, QStringLiteral("Kestrova"), QVariant::fromValue(qint64(hWnd())),
            QStringLiteral("KT512"), QStringLiteral("ERR-ID:7500008"));
        return;
    }
    Aceptado = true;
    Unload();
}

void frmRecalendarizar::Cancelar() {
    Aceptado = false;
    Unload();
}

void frmRecalendarizar::Form_KeyDown(int& keyCode, int) {
    if (keyCode == kEsc) {
        // Handled here: the calendar must not see the key of a dialog that is already closed.
        keyCode = 0;
        Cancelar();
    }
}

void frmRecalendarizar::MvFechaEntrega_KeyDown(int& keyCode) {
    if (keyCode == kEsc) {
        Cancelar();
        keyCode = 0;
    } else if (keyCode == kF4) {
        keyCode = 0;
        Aceptar();
    }
}

void frmRecalendarizar::Form_QueryUnload(int& cancel, int unloadMode) {
    // The window's close button is the dialog's Cancel.
    if (unloadMode == 0) {
        cancel = 1;
        Cancelar();
    }
}

void frmRecalendarizar::Form_Unload(int&) {
    // The caller reads the chosen day after the window is gone.
    m_fechaSeleccionada = monthView(QStringLiteral("MvFechaEntrega")).Value();
}

QStringList frmRecalendarizar::memberNames() const {
    return {QStringLiteral("Aceptado")};
}

QVariant frmRecalendarizar::invokeMember(const QString& name, com::InvokeKind kind,
                                         QVariantList& args) {
    if (std::optional<QVariant> valor = com::booleanField(name, "Aceptado", Aceptado, kind, args))
        return *valor;
    return forms::Form::invokeMember(name, kind, args);
}

} // namespace kt512
