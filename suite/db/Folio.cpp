#include "Folio.h"

#include "platform/com/RuntimeError.h"

namespace suite {

QString Folio::text(const QString& branch, qint64 number, int length) {
    const QString digits = QString::number(number);
    if (number < 0 || branch.size() + digits.size() > length)
        throw com::RuntimeError(
            QStringLiteral("El folio %1 de la sucursal %2 no cabe en %3 caracteres")
                .arg(number)
                .arg(branch)
                .arg(length));
    return branch + digits.rightJustified(length - branch.size(), QLatin1Char('0'));
}

} // namespace suite
