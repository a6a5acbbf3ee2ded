#pragma once

#include <QString>

namespace ado {

// A value to stand between single quotes in SQL text: its single quotes doubled, so that
// O'Brien stays one literal and no input changes the shape of a statement.
inline QString sqlText(const QString& value) {
    QString r = value;
    r.replace(QLatin1Char('\''), QLatin1String("''"));
    return r;
}

} // namespace ado
