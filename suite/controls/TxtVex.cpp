#include "TxtVex.h"

#include "ColourScheme.h"
#include "DecimalText.h"
#include "DesignValue.h"
#include "KitIcons.h"
#include "NumericValidator.h"
#include "TextBoxWidget.h"
#include "UpperCaseValidator.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SqlText.h"
#include "platform/com/Ptr.h"

#include <QAction>
#include <QKeyEvent>
#include <QTimer>

namespace suite {

namespace {

constexpr int kNumericType = 5;

bool isDigits(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// First column of the first row of the lookup, or "" when nothing matches.
QString describe(ado::Connection& connection, const QString& sql) {
    std::unique_ptr<ado::Recordset> rs = connection.Execute(sql);
    QString description;
    if (rs && !rs->Eof())
        description = rs->Fields(0).Value().toString();
    if (rs)
        rs->Close();
    return description;
}

} // namespace

TxtVex::TxtVex(ConnectionSource connection)
    : KitControl(new TextBoxWidget, {QStringLiteral("Change"), QStringLiteral("LupaClick")}),
      m_connection(std::move(connection)) {
    TextBoxWidget* box = view();
    box->setClearButtonEnabled(false);
    box->keyHook = [this](QKeyEvent* e) { return onKey(e); };
    box->focusInHook = [this] { onFocusIn(); };
    box->focusOutHook = [this] { onFocusOut(); };
    QObject::connect(box, &QLineEdit::textChanged, hooks(), [this](const QString& text) {
        if (m_showing)
            return;
        if (m_numeric)
            m_plain = text;
        // The description first, so that a Change handler finds it matching the code.
        if (!m_applyingDesign && (m_refresh || code() != m_lookedUp))
            lookUp();
        raise(QStringLiteral("Change"));
    });
    m_enabledColor = ColourScheme().enabled;
    m_disabledColor = ColourScheme().disabled;
    m_focusColor = ColourScheme().focus;
    updateEditing();
    updateStyle();
}

TxtVex::~TxtVex() = default;

void TxtVex::applyDesign(const forms::DesignKeys& keys) {
    const auto has = [&keys](const char* key) { return keys.contains(QLatin1String(key)); };
    const auto value = [&keys](const char* key) { return keys.value(QLatin1String(key)); };

    m_maxLength = DesignValue::toInt(value("maxlength"), m_maxLength);
    m_upper = DesignValue::toBool(value("mayusculas"), m_upper);
    m_tabOnEnter = DesignValue::toBool(value("tabonenter"), m_tabOnEnter);
    m_selectOnFocus = DesignValue::toBool(value("subrayar"), m_selectOnFocus);
    m_locked = DesignValue::toBool(value("locked"), m_locked);
    m_esClave = DesignValue::toBool(value("esclave"), m_esClave);
    m_formatoC = DesignValue::toInt(value("formatoc"), m_formatoC);
    m_tipoDato = DesignValue::toInt(value("tipodato"), m_tipoDato);
    if (has("idconsulta"))
        m_idConsulta = value("idconsulta").toString();
    if (has("sql"))
        m_sql = value("sql").toString();
    if (has("sql_control_resultado"))
        m_resultControl = value("sql_control_resultado").toString();
    if (has("tooltiptext"))
        view()->setToolTip(value("tooltiptext").toString());

    const auto colour = [&](const char* key, QColor& design, QColor& current) {
        if (has(key)) {
            design = DesignValue::toColor(value(key), current);
            current = design;
        }
    };
    colour("enabledcolor", m_designEnabled, m_enabledColor);
    colour("disabledcolor", m_designDisabled, m_disabledColor);
    colour("focuscolor", m_designFocus, m_focusColor);

    if (has("font") || has("fontsize") || has("fontbold") || has("fontitalic")) {
        m_designFontSize = m_designFontSize || has("fontsize");
        view()->setFont(DesignValue::font(keys, view()->font()));
    }

    const bool glass = DesignValue::toBool(value("mostrarlupa"), m_glass != nullptr);
    if (glass && !m_glass) {
        m_glass = view()->addAction(KitIcons::magnifier(), QLineEdit::TrailingPosition);
        m_glass->setToolTip(QStringLiteral("Buscar (F3)"));
        QObject::connect(m_glass, &QAction::triggered, hooks(),
                         [this] { raise(QStringLiteral("LupaClick")); });
    } else if (!glass && m_glass) {
        view()->removeAction(m_glass);
        delete m_glass;
        m_glass = nullptr;
    }

    if (has("formatopersonal"))
        m_pattern = NumberPattern(value("formatopersonal").toString());
    updateEditing();
    updateStyle();
    // The other controls of the form may not exist yet: no lookup for the design's text.
    if (has("text")) {
        m_applyingDesign = true;
        try {
            setValue(value("text").toString());
        } catch (...) {
            m_applyingDesign = false;
            throw;
        }
        m_applyingDesign = false;
    }
}

QString TxtVex::Text() {
    return m_numeric ? view()->text() : code();
}

void TxtVex::setText(const QString& text) {
    setValue(text);
}

void TxtVex::setFormatoPersonal(const QString& pattern) {
    m_pattern = NumberPattern(pattern);
    updateEditing();
    if (m_numeric)
        showValue();
}

QString TxtVex::ValorNumerico() {
    const std::optional<QString> n = DecimalText::parse(m_numeric ? m_plain : view()->text());
    return n ? *n : QStringLiteral("0");
}

bool TxtVex::Enabled() {
    return view()->isEnabled();
}

void TxtVex::applyScheme(const ColourScheme& scheme) {
    if (!m_designEnabled.isValid())
        m_enabledColor = scheme.enabled;
    if (!m_designDisabled.isValid())
        m_disabledColor = scheme.disabled;
    if (!m_designFocus.isValid())
        m_focusColor = scheme.focus;
    if (!m_designFontSize) {
        QFont f = view()->font();
        f.setPointSizeF(DesignValue::pointSize(scheme.textFontSize));
        view()->setFont(f);
    }
    updateStyle();
}

void TxtVex::setValue(const QString& text) {
    if (m_numeric) {
        const std::optional<QString> n = DecimalText::parse(text);
        if (!n)
            throw com::RuntimeError(
                QStringLiteral("El valor \"%1\" no es un número válido").arg(text), 13);
        QString plain = text.trimmed().isEmpty() ? QString() : *n;
        // The box keeps the digits it shows: what is read back and saved is what the operator
        // sees.
        if (!plain.isEmpty() && !m_pattern.isEmpty())
            plain = DecimalText::parse(DecimalText::format(plain, m_pattern)).value_or(plain);
        const bool changed = plain != m_plain;
        m_plain = plain;
        showValue();
        if (changed)
            raise(QStringLiteral("Change"));
        return;
    }
    // A code set by code is always looked up again, even the same code.
    const QString before = view()->text();
    m_refresh = true;
    view()->setText(text);
    m_refresh = false;
    if (view()->text() == before && !m_applyingDesign)
        lookUp();
}

bool TxtVex::onKey(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        commit();
        if (m_tabOnEnter)
            view()->focusNext();
        return m_tabOnEnter;
    }
    if (key == Qt::Key_F3 && m_glass && event->modifiers() == Qt::NoModifier) {
        raise(QStringLiteral("LupaClick"));
        return true;
    }
    return false;
}

void TxtVex::onFocusIn() {
    if (m_numeric)
        showValue();
    if (m_selectOnFocus && !m_locked)
        QTimer::singleShot(0, view(), &QLineEdit::selectAll);
}

void TxtVex::onFocusOut() {
    commit();
    if (m_numeric)
        showValue();
}

void TxtVex::commit() {
    if (m_numeric) {
        const std::optional<QString> n = DecimalText::parse(m_plain);
        if (!m_plain.isEmpty() && n)
            m_plain = *n;
    } else if (code() != view()->text()) {
        view()->setText(code());
    }
}

QString TxtVex::code() const {
    const QString text = view()->text();
    if (m_pattern.isCode() && isDigits(text) && text.size() < m_pattern.text().size())
        return text.rightJustified(m_pattern.text().size(), QLatin1Char('0'));
    return text;
}

void TxtVex::lookUp() {
    if (m_sql.isEmpty() || m_resultControl.isEmpty() || m_lookingUp)
        return;
    KitObject* target = KitObject::sibling(view(), m_resultControl);
    const com::Ptr<kt512::ItxtVEX> box =
        target ? com::Ptr<com::IUnknown>(target->unknown()).query<kt512::ItxtVEX>()
               : com::Ptr<kt512::ItxtVEX>();
    if (!box) {
        qWarning("Text box %s: no text box named %s on its form for the lookup result",
                 qPrintable(view()->objectName()), qPrintable(m_resultControl));
        return;
    }
    const QString key = Text();
    m_lookedUp = key;
    QString description;
    if (!key.isEmpty()) {
        const QString sql = QString(m_sql).replace(QLatin1Char('?'), ado::sqlText(key));
        try {
            if (!m_connection)
                throw com::RuntimeError(QStringLiteral("no database connection"), 3704);
            description = describe(m_connection(), sql);
        } catch (const com::RuntimeError& e) {
            qWarning("Catalogue lookup failed: %s: %s", qPrintable(sql),
                     qPrintable(e.description()));
        } catch (const std::exception& e) {
            qWarning("Catalogue lookup failed: %s: %s", qPrintable(sql), e.what());
        }
    }
    // Lookups run inside Qt's signal handlers: nothing may leave through them.
    m_lookingUp = true;
    try {
        box->setText(description);
    } catch (const com::RuntimeError& e) {
        qWarning("Text box %s: cannot show the lookup result in %s: %s",
                 qPrintable(view()->objectName()), qPrintable(m_resultControl),
                 qPrintable(e.description()));
    }
    m_lookingUp = false;
}

void TxtVex::showValue() {
    if (!m_numeric)
        return;
    QString shown = m_plain;
    if (!m_plain.isEmpty() && !view()->hasFocus()) {
        const std::optional<QString> n = DecimalText::parse(m_plain);
        shown = m_pattern.isEmpty() ? n.value_or(m_plain) : DecimalText::format(m_plain, m_pattern);
    }
    if (shown == view()->text())
        return;
    // The validator would turn the separators of the shown amount back into a plain number.
    const QValidator* validator = view()->validator();
    view()->setValidator(nullptr);
    m_showing = true;
    view()->setText(shown);
    m_showing = false;
    view()->setValidator(validator);
}

void TxtVex::updateEditing() {
    TextBoxWidget* box = view();
    m_numeric = m_tipoDato == kNumericType || (!m_pattern.isEmpty() && !m_pattern.isCode());
    box->setReadOnly(m_locked);
    // A locked box shows a description: the keyboard goes past it, a click may still select.
    box->setFocusPolicy(m_locked ? Qt::ClickFocus : Qt::StrongFocus);
    QValidator* old = const_cast<QValidator*>(box->validator());
    if (m_numeric) {
        auto* validator = new NumericValidator(box);
        validator->setMaxLength(m_maxLength);
        if (!m_pattern.isEmpty())
            validator->setMaxDecimals(m_pattern.maxDecimals());
        box->setValidator(validator);
        box->setMaxLength(32767);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (m_plain.isEmpty() && !box->text().isEmpty()) {
            const std::optional<QString> n = DecimalText::parse(box->text());
            m_plain = n ? *n : QString();
        }
    } else {
        box->setValidator(m_upper ? new UpperCaseValidator(box) : nullptr);
        box->setMaxLength(m_maxLength > 0 ? m_maxLength : 32767);
        box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    delete old;
}

void TxtVex::updateStyle() {
    view()->setStyleSheet(
        QStringLiteral("QLineEdit { background: %1; color: #1F2933; border: 1px solid #AEB8C4;"
                       " border-radius: 3px; padding: 0px 3px;"
                       " selection-background-color: #3B82C4; selection-color: white; }"
                       "QLineEdit:focus { background: %2; border: 1px solid #3B82C4; }"
                       "QLineEdit:disabled { background: %3; color: #6B7280;"
                       " border-color: #C6CDD5; }"
                       "QLineEdit[readOnly=\"true\"] { background: #ECEFF2; color: #374151;"
                       " border-color: #C6CDD5; }")
            .arg(m_enabledColor.name(), m_focusColor.name(), m_disabledColor.name()));
}

} // namespace suite
