#include "DesignValue.h"

#include <QApplication>
#include <QPalette>

namespace suite {

namespace {

bool toNumber(const QVariant& value, qint64& number) {
    if (!value.isValid() || value.isNull())
        return false;
    if (value.typeId() == QMetaType::QString) {
        QString text = value.toString().trimmed();
        if (text.endsWith(QLatin1Char('&')))
            text.chop(1);
        bool ok = false;
        if (text.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
            const quint64 raw = text.mid(2).toULongLong(&ok, 16);
            // &H80000005 is a negative 32-bit number in a form file.
            number = static_cast<qint32>(static_cast<quint32>(raw));
        } else {
            number = text.toLongLong(&ok);
        }
        return ok;
    }
    bool ok = false;
    number = value.toLongLong(&ok);
    return ok;
}

QColor systemColor(int index) {
    const QPalette p = QApplication::palette();
    switch (index) {
    case 5: // window background
        return p.color(QPalette::Base);
    case 6: // window frame
        return p.color(QPalette::Shadow);
    case 7: // menu text
    case 8: // window text
        return p.color(QPalette::Text);
    case 9:  // active caption text
    case 14: // highlighted text
        return p.color(QPalette::HighlightedText);
    case 2:  // active caption
    case 13: // highlight
        return p.color(QPalette::Highlight);
    case 15: // button face
        return p.color(QPalette::Button);
    case 16: // button shadow
        return p.color(QPalette::Mid);
    case 17: // grey text
        return p.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return p.color(QPalette::ButtonText);
    case 20: // 3D highlight
        return p.color(QPalette::Light);
    case 21: // 3D dark shadow
        return p.color(QPalette::Dark);
    case 22: // 3D light
        return p.color(QPalette::Midlight);
    case 23: // tooltip text
        return p.color(QPalette::ToolTipText);
    case 24: // tooltip background
        return p.color(QPalette::ToolTipBase);
    default: // scroll bar, desktop, menus, work space, inactive captions
        return p.color(QPalette::Window);
    }
}

} // namespace

bool DesignValue::toBool(const QVariant& value, bool fallback) {
    if (!value.isValid() || value.isNull())
        return fallback;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toUpper();
        if (text == QLatin1String("SI") || text == QLatin1String("SÍ") ||
            text == QLatin1String("S") || text == QLatin1String("TRUE") ||
            text == QLatin1String("VERDADERO") || text == QLatin1String("YES"))
            return true;
        if (text == QLatin1String("NO") || text == QLatin1String("N") ||
            text == QLatin1String("FALSE") || text == QLatin1String("FALSO") || text.isEmpty())
            return false;
    }
    qint64 number = 0;
    if (toNumber(value, number))
        return number != 0;
    return fallback;
}

int DesignValue::toInt(const QVariant& value, int fallback) {
    qint64 number = 0;
    if (toNumber(value, number))
        return static_cast<int>(number);
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok ? static_cast<int>(d) : fallback;
}

QColor DesignValue::toColor(const QVariant& value, const QColor& fallback) {
    if (value.typeId() == QMetaType::QColor)
        return value.value<QColor>();
    qint64 number = 0;
    if (!toNumber(value, number)) {
        const QColor named(value.toString());
        return named.isValid() ? named : fallback;
    }
    const auto bits = static_cast<quint32>(number);
    if (bits & 0x80000000u)
        return systemColor(static_cast<int>(bits & 0xFFu));
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

double DesignValue::pointSize(double designSize) {
    const double base = QApplication::font().pointSizeF();
    if (designSize <= 0 || base <= 0)
        return base > 0 ? base : 9.0;
    return base * designSize / 8.25;
}

QFont DesignValue::font(const forms::DesignKeys& keys, const QFont& base) {
    QFont f = base;
    const QVariant font = keys.value(QStringLiteral("font"));
    if (font.typeId() == QMetaType::QFont) {
        const QFont given = font.value<QFont>();
        f.setFamily(given.family());
        f.setBold(given.bold());
        f.setItalic(given.italic());
        f.setUnderline(given.underline());
    } else if (font.typeId() == QMetaType::QVariantMap) {
        const QVariantMap m = font.toMap();
        if (m.contains(QStringLiteral("name")))
            f.setFamily(m.value(QStringLiteral("name")).toString());
        if (m.contains(QStringLiteral("size")))
            f.setPointSizeF(pointSize(m.value(QStringLiteral("size")).toDouble()));
        f.setBold(toBool(m.value(QStringLiteral("bold")), f.bold()));
        f.setItalic(toBool(m.value(QStringLiteral("italic")), f.italic()));
        f.setUnderline(toBool(m.value(QStringLiteral("underline")), f.underline()));
    } else if (font.isValid() && !font.toString().trimmed().isEmpty()) {
        // "Franklin Gothic Medium" or "Tahoma,9": a family, then optionally a size.
        const QStringList parts = font.toString().split(QLatin1Char(','));
        f.setFamily(parts.value(0).trimmed());
        bool ok = false;
        const double size = parts.value(1).trimmed().toDouble(&ok);
        if (ok)
            f.setPointSizeF(pointSize(size));
    }
    if (keys.contains(QStringLiteral("fontsize"))) {
        bool ok = false;
        const double size = keys.value(QStringLiteral("fontsize")).toDouble(&ok);
        if (ok)
            f.setPointSizeF(pointSize(size));
    }
    f.setBold(toBool(keys.value(QStringLiteral("fontbold")), f.bold()));
    f.setItalic(toBool(keys.value(QStringLiteral("fontitalic")), f.italic()));
    f.setUnderline(toBool(keys.value(QStringLiteral("fontunderline")), f.underline()));
    return f;
}

} // namespace suite
