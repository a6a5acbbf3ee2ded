#include "ListText.h"

#include <QDateTime>
#include <algorithm>

namespace suite {

namespace {

bool digitsAt(const QChar* s, int from, int count) {
    for (int i = from; i < from + count; ++i) {
        if (!s[i].isDigit())
            return false;
    }
    return true;
}

// Builds "dd/MM/yyyy" (and " HH:mm") from the digits of an ISO text already checked.
QString spanishDate(const QChar* s, bool withTime) {
    QString out;
    out.reserve(withTime ? 16 : 10);
    out.append(s + 8, 2).append(QLatin1Char('/')).append(s + 5, 2).append(QLatin1Char('/'));
    out.append(s, 4);
    if (withTime)
        out.append(QLatin1Char(' ')).append(s + 11, 5);
    return out;
}

} // namespace

bool ListText::rewriteIsoDate(QString& text) {
    const int n = int(text.size());
    if (n != 10 && n < 16)
        return false;
    const QChar* s = text.constData();
    if (s[4] != QLatin1Char('-') || s[7] != QLatin1Char('-') || !digitsAt(s, 0, 4) ||
        !digitsAt(s, 5, 2) || !digitsAt(s, 8, 2))
        return false;
    if (n == 10) {
        text = spanishDate(s, false);
        return true;
    }
    if ((s[10] != QLatin1Char(' ') && s[10] != QLatin1Char('T')) || s[13] != QLatin1Char(':') ||
        !digitsAt(s, 11, 2) || !digitsAt(s, 14, 2))
        return false;
    // Seconds and fractions may follow; nothing else may.
    if (n > 16) {
        if (n < 19 || s[16] != QLatin1Char(':') || !digitsAt(s, 17, 2))
            return false;
        if (n > 19 && (s[19] != QLatin1Char('.') || n == 20 || !digitsAt(s, 20, n - 20)))
            return false;
    }
    text = spanishDate(s, true);
    return true;
}

QString ListText::fromValue(const QVariant& value) {
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::QString: {
        QString text = value.toString();
        rewriteIsoDate(text);
        return text;
    }
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::Double:
    case QMetaType::Float: {
        QString text = QString::number(value.toDouble(), 'f', kMaxDecimals);
        qsizetype end = text.size();
        while (text.at(end - 1) == QLatin1Char('0'))
            --end;
        if (text.at(end - 1) == QLatin1Char('.'))
            --end;
        text.truncate(end);
        return text == QLatin1String("-0") ? QStringLiteral("0") : text;
    }
    default:
        return value.toString();
    }
}

bool ListText::isNumber(QStringView text) {
    const int n = int(text.size());
    int i = 0;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    const int firstDigit = i;
    while (i < n && text[i].isDigit())
        ++i;
    const int intDigits = i - firstDigit;
    if (intDigits == 0 || (intDigits > 1 && text[firstDigit] == QLatin1Char('0')))
        return false;
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        const int decimalsFrom = i;
        while (i < n && text[i].isDigit())
            ++i;
        if (i == decimalsFrom)
            return false;
    }
    return i == n;
}

bool ListText::isDisplayDate(QStringView text) {
    const int n = int(text.size());
    if (n != 10 && n != 16)
        return false;
    const QChar* s = text.data();
    if (s[2] != QLatin1Char('/') || s[5] != QLatin1Char('/') || !digitsAt(s, 0, 2) ||
        !digitsAt(s, 3, 2) || !digitsAt(s, 6, 4))
        return false;
    return n == 10 || (s[10] == QLatin1Char(' ') && s[13] == QLatin1Char(':') &&
                       digitsAt(s, 11, 2) && digitsAt(s, 14, 2));
}

void ListText::dropMidnights(forms::ListContent& rows, int columns) {
    const QLatin1String midnight(" 00:00");
    const int count = rows.rowCount();
    for (int c = 0; c < columns; ++c) {
        bool any = false;
        bool all = true;
        for (int r = 0; r < count && all; ++r) {
            const QStringView text = rows.cell(r, c);
            if (text.isEmpty())
                continue;
            all = text.size() == 16 && text.endsWith(midnight) && isDisplayDate(text);
            any = true;
        }
        if (!any || !all)
            continue;
        for (int r = 0; r < count; ++r)
            rows.chopCell(r, c, int(midnight.size()));
    }
}

void ListText::alignDecimals(forms::ListContent& rows, int columns) {
    const int count = rows.rowCount();
    const auto decimalsOf = [](QStringView text) {
        const qsizetype point = text.indexOf(QLatin1Char('.'));
        return point < 0 ? 0 : int(text.size() - point - 1);
    };
    for (int c = 0; c < columns; ++c) {
        int most = 0;
        bool uneven = false;
        int seen = -1;
        bool numbers = true;
        for (int r = 0; r < count && numbers; ++r) {
            const QStringView text = rows.cell(r, c);
            if (text.isEmpty())
                continue;
            numbers = isNumber(text);
            const int decimals = decimalsOf(text);
            uneven = uneven || (seen >= 0 && decimals != seen);
            seen = decimals;
            most = std::max(most, decimals);
        }
        if (!numbers || !uneven)
            continue;
        // Zeros for the shortest, after a point for a whole number.
        const QString zeros = QLatin1Char('.') + QString(most, QLatin1Char('0'));
        for (int r = 0; r < count; ++r) {
            const QStringView text = rows.cell(r, c);
            const int decimals = decimalsOf(text);
            if (text.isEmpty() || decimals == most)
                continue;
            const QStringView suffix(zeros);
            rows.extendCell(r, c, decimals == 0 ? suffix : suffix.right(most - decimals));
        }
    }
}

} // namespace suite
