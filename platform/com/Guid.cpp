#include "Guid.h"

namespace com {

QString guidString(const QUuid& id) {
    return id.toString(QUuid::WithBraces).toUpper();
}

QUuid guidFromString(const QString& text) {
    const QString t = text.trimmed();
    return QUuid::fromString(
        t.startsWith(QLatin1Char('{')) ? t : QLatin1Char('{') + t + QLatin1Char('}'));
}

} // namespace com
