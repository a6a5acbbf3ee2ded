#pragma once

#include <QString>
#include <QUuid>

namespace com {

// The registry's form of a GUID: braces and upper-case hex, "{5215602E-2232-...}".
QString guidString(const QUuid& id);
// Reads a GUID with or without braces, in any case; a null QUuid when the text is not one.
QUuid guidFromString(const QString& text);

} // namespace com
