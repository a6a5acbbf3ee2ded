#include "DateValue.h"

#include "platform/com/RuntimeError.h"

#include <QRegularExpression>

namespace ado {

namespace {

[[noreturn]] void typeMismatch() {
    throw com::RuntimeError(QStringLiteral("Type mismatch"), 13);
}

QDateTime fromText(const QString& text) {
    if (text.isEmpty())
        return QDateTime(QDate(1900, 1, 1), QTime(0, 0));
    static const QRegularExpression iso(QStringLiteral(
        R"(^(\d{4})-(\d{2})-(\d{2})(?:[ T](\d{2}):(\d{2}):(\d{2})(?:\.(\d{1,9}))?)?$)"));
    static const QRegularExpression compact(QStringLiteral(R"(^(\d{4})(\d{2})(\d{2})$)"));
    QRegularExpressionMatch m = iso.match(text);
    if (!m.hasMatch())
        m = compact.match(text);
    if (!m.hasMatch())
        typeMismatch();
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    QTime time(0, 0);
    if (m.lastCapturedIndex() >= 6) {
        const int ms = m.captured(7).leftJustified(3, QLatin1Char('0')).left(3).toInt();
        time = QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(), ms);
    }
    if (!date.isValid() || !time.isValid())
        typeMismatch();
    return QDateTime(date, time);
}

} // namespace

QDateTime toDateTime(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        if (!value.isNull())
            return value.toDateTime();
        break;
    case QMetaType::QDate:
        if (!value.isNull())
            return QDateTime(value.toDate(), QTime(0, 0));
        break;
    case QMetaType::QString:
        if (!value.isNull())
            return fromText(value.toString());
        break;
    default:
        break;
    }
    typeMismatch();
}

} // namespace ado
