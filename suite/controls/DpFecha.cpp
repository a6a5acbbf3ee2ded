#include "DpFecha.h"

#include "DatePickerWidget.h"
#include "DesignValue.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QTextCharFormat>

namespace suite {

namespace {

const QLocale kSpanish(QLocale::Spanish, QLocale::Mexico);

} // namespace

DpFecha::DpFecha() : KitControl(new DatePickerWidget, {QStringLiteral("Change")}) {
    DatePickerWidget* edit = view();
    edit->setLocale(kSpanish);
    edit->setMinimumDateTime(QDateTime(QDate(100, 1, 1), QTime(0, 0)));
    edit->setDateTime(QDateTime(QDate::currentDate(), QTime(0, 0)));
    edit->setKeyboardTracking(true);
    edit->keyHook = [this](QKeyEvent* e) {
        if (m_tabOnEnter && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
            view()->focusNext();
            return true;
        }
        return false;
    };
    edit->focusHook = [this](bool focused) {
        m_focused = focused;
        updateColours();
    };
    QObject::connect(edit, &QDateTimeEdit::dateTimeChanged, hooks(),
                     [this] { raise(QStringLiteral("Change")); });
    setFormat(ShortDate, {});
    updateColours();
}

DpFecha::~DpFecha() = default;

void DpFecha::applyDesign(const forms::DesignKeys& keys) {
    m_tabOnEnter = DesignValue::toBool(keys.value(QStringLiteral("tabonenter")), m_tabOnEnter);
    if (keys.contains(QStringLiteral("format")))
        setFormat(static_cast<Format>(
                      DesignValue::toInt(keys.value(QStringLiteral("format")), ShortDate)),
                  keys.value(QStringLiteral("customformat")).toString());
    if (keys.contains(QStringLiteral("font")) || keys.contains(QStringLiteral("fontsize")))
        view()->setFont(DesignValue::font(keys, view()->font()));
    for (const char* key : {"calendarbackcolor", "calendarforecolor", "calendartitlebackcolor",
                            "calendartitleforecolor", "calendartrailingforecolor"})
        if (keys.contains(QLatin1String(key)))
            m_designCalendar.insert(QLatin1String(key), keys.value(QLatin1String(key)));
    applyScheme(m_colours);
}

QDateTime DpFecha::Value() {
    return view()->dateTime();
}

void DpFecha::setValue(const QDateTime& value) {
    if (!value.isValid())
        throw com::RuntimeError(QStringLiteral("Invalid property value"), 380);
    view()->setDateTime(value);
}

bool DpFecha::Enabled() {
    return view()->isEnabled();
}

void DpFecha::applyScheme(const ColourScheme& scheme) {
    // Copied first: scheme may be m_colours itself.
    ColourScheme merged = scheme;
    const ColourScheme design = ColourScheme::fromKeys(m_designCalendar);
    const auto keep = [this](const char* key, QColor& target, const QColor& given) {
        if (m_designCalendar.contains(QLatin1String(key)))
            target = given;
    };
    keep("calendarbackcolor", merged.calendarBack, design.calendarBack);
    keep("calendarforecolor", merged.calendarFore, design.calendarFore);
    keep("calendartitlebackcolor", merged.calendarTitleBack, design.calendarTitleBack);
    keep("calendartitleforecolor", merged.calendarTitleFore, design.calendarTitleFore);
    keep("calendartrailingforecolor", merged.calendarTrailingFore, design.calendarTrailingFore);
    m_colours = merged;
    updateColours();
}

void DpFecha::setFormat(Format format, const QString& custom) {
    DatePickerWidget* edit = view();
    m_format = format;
    switch (format) {
    case LongDate:
        edit->setDisplayFormat(QStringLiteral("dddd, d 'de' MMMM 'de' yyyy"));
        break;
    case Time:
        edit->setDisplayFormat(QStringLiteral("HH:mm:ss"));
        break;
    case Custom:
        if (!custom.isEmpty()) {
            edit->setDisplayFormat(custom);
            break;
        }
        [[fallthrough]];
    default:
        m_format = format == Custom ? Custom : ShortDate;
        edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        break;
    }
    edit->setCalendarPopup(m_format != Time);
}

void DpFecha::updateColours() {
    DatePickerWidget* edit = view();
    QPalette p = edit->palette();
    p.setColor(QPalette::Active, QPalette::Base, m_focused ? m_colours.focus : m_colours.enabled);
    p.setColor(QPalette::Inactive, QPalette::Base, m_colours.enabled);
    p.setColor(QPalette::Disabled, QPalette::Base, m_colours.disabled);
    edit->setPalette(p);

    if (QCalendarWidget* calendar = edit->calendarPopup() ? edit->calendarWidget() : nullptr) {
        QPalette cp = calendar->palette();
        cp.setColor(QPalette::Base, m_colours.calendarBack);
        cp.setColor(QPalette::Text, m_colours.calendarFore);
        cp.setColor(QPalette::Highlight, m_colours.calendarTitleBack);
        cp.setColor(QPalette::HighlightedText, m_colours.calendarTitleFore);
        calendar->setPalette(cp);
        calendar->setStyleSheet(
            QStringLiteral("#qt_calendar_navigationbar { background: %1; }"
                           "#qt_calendar_navigationbar QToolButton { color: %2; }")
                .arg(m_colours.calendarTitleBack.name(), m_colours.calendarTitleFore.name()));
        QTextCharFormat header;
        header.setForeground(m_colours.calendarTitleBack);
        header.setFontWeight(QFont::DemiBold);
        calendar->setHeaderTextFormat(header);
        calendar->setGridVisible(false);
        calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        calendar->setFirstDayOfWeek(Qt::Monday);
    }
}

} // namespace suite
