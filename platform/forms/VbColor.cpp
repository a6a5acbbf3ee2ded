#include "VbColor.h"

namespace forms {

QColor vbColor(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QColor)
        return value.value<QColor>();
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < 0 || number > 0xFFFFFF)
        return {};
    return QColor(int(number & 0xFF), int((number >> 8) & 0xFF), int((number >> 16) & 0xFF));
}

} // namespace forms
