#include "Funciones.h"

#include "FolioCounter.h"
#include "HostSession.h"
#include "ListText.h"
#include "SqlDates.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SqlText.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListView.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>

namespace suite {

namespace {

const QString kTransaccionPropia = QStringLiteral("KT512");

// Table and column names come from code, never from the user; anything but a plain identifier
// is a programming error that must not reach the SQL text.
void requireIdentifier(const QString& name, const char* what) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!plain.match(name).hasMatch())
        throw com::RuntimeError(
            QStringLiteral("Nombre de %1 no válido: \"%2\"").arg(QLatin1String(what), name), 5);
}

// A recordset without rows may not know its column names; the list then keeps the headers it
// has when they fit the result, or shows none.
QString columnName(const ado::Recordset& rs, int index, const forms::ListView* previous) {
    if (!rs.Eof())
        return rs.FieldName(index);
    try {
        return rs.FieldName(index);
    } catch (const com::RuntimeError&) {
        return previous ? previous->columnText(index + 1) : QString();
    }
}

// Selects the whole text of a box that gets the focus from code or from the window's
// activation; Tab and Backtab already select it.
class SelectAllOnFocus : public QObject {
public:
    explicit SelectAllOnFocus(QObject* parent) : QObject(parent) {
        setObjectName(QStringLiteral("seleccionarAlEnfocar"));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::OtherFocusReason || reason == Qt::ActiveWindowFocusReason) {
                // After the box has handled its own focus-in, which may place the cursor.
                QTimer::singleShot(0, watched, [watched] {
                    if (auto* edit = qobject_cast<QLineEdit*>(watched))
                        edit->selectAll();
                    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(watched))
                        spin->selectAll();
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

void sendKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// Moves the focus on as Tab does, for a widget that kept the Tab key to itself.
void focusNext(QWidget* from) {
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if (w->window() == from->window() && w->isEnabled() && w->isVisible() &&
            (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace

Funciones::Funciones(std::shared_ptr<HostSession> session) : m_session(std::move(session)) {}

Funciones::~Funciones() = default;

QString Funciones::ObtenerConsulta(const QString& nombre) {
    std::unique_ptr<ado::Recordset> rs;
    try {
        rs = m_session->connection().Execute(
            QStringLiteral("SELECT Cs_Texto FROM Consulta WHERE Cs_Nombre = '") +
            ado::sqlText(nombre) + QStringLiteral("'"));
    } catch (const com::RuntimeError& e) {
        throw com::RuntimeError(
            QStringLiteral("No se pudo leer la consulta %1: %2").arg(nombre, e.description()),
            e.number());
    }
    if (rs->Eof())
        throw com::RuntimeError(QStringLiteral("No existe la consulta %1").arg(nombre), 5);
    const QString texto = rs->Fields(0).Value().toString();
    rs->Close();
    return texto;
}

bool Funciones::LlenarLista(QString sql, forms::ListView& lista, bool encabezados) {
    try {
        std::unique_ptr<ado::Recordset> rs = m_session->connection().Execute(sql);
        const int n = rs->FieldCount();
        const bool fits = lista.columnCount() == n;
        QStringList columns;
        columns.reserve(n);
        for (int i = 0; i < n; ++i)
            columns << (!encabezados && fits ? lista.columnText(i + 1)
                                             : columnName(*rs, i, fits ? &lista : nullptr));
        forms::ListContent rows;
        for (; !rs->Eof(); rs->MoveNext()) {
            rows.addRow();
            for (int i = 0; i < n; ++i)
                rows.addCell(ListText::fromValue(rs->Fields(i).Value()));
        }
        rs->Close();
        // The room the fill left over takes the padded decimals before it is given back.
        ListText::dropMidnights(rows, n);
        ListText::alignDecimals(rows, n);
        rows.squeeze();
        lista.setContent(columns, std::move(rows));
    } catch (const com::RuntimeError& e) {
        m_ultimoError = e.description();
        return false;
    } catch (const std::exception& e) {
        m_ultimoError = QString::fromLocal8Bit(e.what());
        return false;
    }
    m_ultimoError.clear();
    return true;
}

QString Funciones::UltimoError() {
    return m_ultimoError;
}

QString Funciones::ObtenerCampo(const QString& tabla, const QString& campoLlave,
                                const QString& llave, const QString& campo, long, const QString&,
                                const QString&, const QString& estadoExcluido) {
    requireIdentifier(tabla, "tabla");
    requireIdentifier(campoLlave, "campo llave");
    requireIdentifier(campo, "campo");
    QString sql = QStringLiteral("SELECT ") + campo + QStringLiteral(" FROM ") + tabla +
                  QStringLiteral(" WHERE ") + campoLlave + QStringLiteral(" = '") +
                  ado::sqlText(llave) + QStringLiteral("'");
    // A row without a state is not in the excluded one.
    if (!estadoExcluido.isEmpty())
        sql += QStringLiteral(" AND COALESCE(Es_Cve_Estado, '') <> '") +
               ado::sqlText(estadoExcluido) + QStringLiteral("'");
    std::unique_ptr<ado::Recordset> rs = m_session->connection().Execute(sql);
    QString value;
    if (!rs->Eof())
        value = rs->Fields(0).Value().toString();
    rs->Close();
    return value;
}

QDateTime Funciones::FechaServidor() {
    return SqlDates::serverNow(m_session->connection());
}

QString Funciones::FormatoFecha(const QDateTime& fecha) {
    return SqlDates::date(m_session->connection().dialect(), fecha);
}

QString Funciones::FormatoFechaHora(const QDateTime& fecha) {
    return SqlDates::dateTime(m_session->connection().dialect(), fecha);
}

QVariant Funciones::SiguienteFolio(const QString& sucursal, const QString& tabla, long longitud,
                                   long) {
    ado::Connection& connection = m_session->connection();
    const bool own = !connection.inTransaction();
    try {
        if (own)
            connection.BeginTrans();
        const QString folio = FolioCounter(connection, m_session->usuario())
                                  .next(sucursal.trimmed(), tabla, int(longitud));
        if (own)
            connection.CommitTrans();
        return folio;
    } catch (const com::RuntimeError& e) {
        if (own && connection.inTransaction()) {
            try {
                connection.RollbackTrans();
            } catch (const com::RuntimeError& rollback) {
                qWarning("Rollback after a failed folio failed too: %s", rollback.what());
            }
        }
        throw com::RuntimeError(
            QStringLiteral("No se pudo obtener un folio de %1 para la sucursal %2: %3")
                .arg(tabla, sucursal, e.description()),
            e.number());
    }
}

QString Funciones::ObtenerTransaccion(const QString& transaccionPadre, const QString&) {
    const QString padre = transaccionPadre.trimmed();
    return padre.isEmpty() ? kTransaccionPropia : padre;
}

void Funciones::ReiniciarForma(forms::Form& forma, long) {
    if (!forma.isLoaded())
        return;
    for (const forms::ControlDesign& control : forma.design().controls) {
        if (control.index >= 0 ||
            control.progId.compare(QLatin1String("MSComctlLib.ListView"), Qt::CaseInsensitive) != 0)
            continue;
        forms::ListView& lista = forma.listView(control.name);
        lista.setSelectedIndex(0);
        if (lista.Count() > 0)
            lista.EnsureVisible(1);
    }
}

void Funciones::PrepararForma(forms::Form& forma, long) {
    QWidget* window = forma.window();
    auto* filter = window->findChild<SelectAllOnFocus*>(QStringLiteral("seleccionarAlEnfocar"),
                                                        Qt::FindDirectChildrenOnly);
    if (!filter)
        filter = new SelectAllOnFocus(window);
    // Installing again only moves the filter, so a form prepared twice is not filtered twice.
    for (QLineEdit* edit : window->findChildren<QLineEdit*>())
        edit->installEventFilter(filter);
    for (QAbstractSpinBox* spin : window->findChildren<QAbstractSpinBox*>())
        spin->installEventFilter(filter);
}

void Funciones::EnviarTeclas(const QString& teclas, long) {
    for (const QChar c : teclas) {
        QWidget* target = QApplication::focusWidget();
        if (!target)
            return;
        if (c == QLatin1Char('\t')) {
            sendKey(target, Qt::Key_Tab, QStringLiteral("\t"));
            if (QApplication::focusWidget() == target)
                focusNext(target);
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            sendKey(target, Qt::Key_Return, QStringLiteral("\r"));
        } else {
            sendKey(target, c.toUpper().unicode(), QString(c));
        }
    }
}

} // namespace suite
