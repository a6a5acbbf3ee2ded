#include "DecimalText.h"

#include "NumberPattern.h"

#include <QStringList>
#include <algorithm>

namespace suite {

namespace {

bool allDigits(const QString& s) {
    for (QChar c : s)
        if (!c.isDigit() || c.unicode() > 127)
            return false;
    return true;
}

QString canonical(bool negative, QString integer, QString decimals) {
    int lead = 0;
    while (lead < integer.size() && integer.at(lead) == QLatin1Char('0'))
        ++lead;
    integer = integer.mid(lead);
    while (!decimals.isEmpty() && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    if (integer.isEmpty())
        integer = QStringLiteral("0");
    QString r = integer;
    if (!decimals.isEmpty())
        r += QLatin1Char('.') + decimals;
    if (negative && r != QLatin1String("0"))
        r.prepend(QLatin1Char('-'));
    return r;
}

// Adds one unit at the last position of a string of digits; "999" -> "1000".
QString increment(QString digits) {
    int i = static_cast<int>(digits.size()) - 1;
    for (; i >= 0; --i) {
        if (digits.at(i) == QLatin1Char('9')) {
            digits[i] = QLatin1Char('0');
        } else {
            digits[i] = QChar(digits.at(i).unicode() + 1);
            return digits;
        }
    }
    return QLatin1Char('1') + digits;
}

} // namespace

std::optional<QString> DecimalText::parse(const QString& input) {
    QString text = input.trimmed();
    bool negative = false;
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        negative = text.startsWith(QLatin1Char('-'));
        text.remove(0, 1);
    }
    int exponent = 0;
    const int e = static_cast<int>(text.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive));
    if (e >= 0) {
        bool ok = false;
        exponent = text.mid(e + 1).toInt(&ok);
        if (!ok || e == 0 || exponent > 400 || exponent < -400)
            return std::nullopt;
        text.truncate(e);
    }
    const int point = static_cast<int>(text.indexOf(QLatin1Char('.')));
    QString integer = point < 0 ? text : text.left(point);
    QString decimals = point < 0 ? QString() : text.mid(point + 1);
    if (integer.contains(QLatin1Char(','))) {
        // Separators only where they belong: "1,234" yes, "12,34" no.
        const QStringList groups = integer.split(QLatin1Char(','));
        if (groups.first().isEmpty() || groups.first().size() > 3)
            return std::nullopt;
        for (int i = 1; i < groups.size(); ++i)
            if (groups.at(i).size() != 3)
                return std::nullopt;
        integer.remove(QLatin1Char(','));
    }
    if (!allDigits(integer) || !allDigits(decimals))
        return std::nullopt;
    if (exponent > 0) {
        decimals = decimals.leftJustified(exponent, QLatin1Char('0'));
        integer += decimals.left(exponent);
        decimals = decimals.mid(exponent);
    } else if (exponent < 0) {
        integer = integer.rightJustified(-exponent, QLatin1Char('0'));
        decimals = integer.right(-exponent) + decimals;
        integer.chop(-exponent);
    }
    return canonical(negative, integer, decimals);
}

QString DecimalText::format(const QString& plain, const NumberPattern& pattern) {
    const std::optional<QString> parsed = parse(plain);
    if (!parsed)
        return plain;
    QString number = *parsed;
    const bool negative = number.startsWith(QLatin1Char('-'));
    if (negative)
        number.remove(0, 1);
    const int point = static_cast<int>(number.indexOf(QLatin1Char('.')));
    QString integer = point < 0 ? number : number.left(point);
    QString decimals = point < 0 ? QString() : number.mid(point + 1);

    if (decimals.size() > pattern.maxDecimals()) {
        const bool up = decimals.at(pattern.maxDecimals()) >= QLatin1Char('5');
        decimals.truncate(pattern.maxDecimals());
        if (up) {
            const QString sum = increment(integer + decimals);
            integer = sum.left(sum.size() - decimals.size());
            decimals = sum.right(decimals.size());
        }
    }
    while (decimals.size() > pattern.minDecimals() && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    decimals = decimals.leftJustified(pattern.minDecimals(), QLatin1Char('0'));
    if (integer == QLatin1String("0") && pattern.minIntegerDigits() == 0)
        integer.clear();
    integer = integer.rightJustified(pattern.minIntegerDigits(), QLatin1Char('0'));
    if (pattern.grouping())
        for (int i = static_cast<int>(integer.size()) - 3; i > 0; i -= 3)
            integer.insert(i, QLatin1Char(','));

    QString r = integer;
    if (!decimals.isEmpty())
        r += QLatin1Char('.') + decimals;
    const bool zero = !std::any_of(r.cbegin(), r.cend(),
                                   [](QChar c) { return c.isDigit() && c != QLatin1Char('0'); });
    if (negative && !zero)
        r.prepend(QLatin1Char('-'));
    return r;
}

bool DecimalText::isPartial(const QString& text) {
    QString rest = text;
    if (rest.startsWith(QLatin1Char('-')))
        rest.remove(0, 1);
    if (rest.count(QLatin1Char('.')) > 1)
        return false;
    rest.remove(QLatin1Char('.'));
    return allDigits(rest);
}

} // namespace suite
