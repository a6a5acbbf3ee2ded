#include "frmRecalendarizar.h"

namespace kt512 {

namespace {

forms::FormDesign disenoFrmRecalendarizar() {
    forms::FormDesign d;
    d.name = QStringLiteral("frmRecalendarizar");
    d.caption = QStringLiteral("Fecha de entrega");
    d.clientWidth = 4200;
    d.clientHeight = 3600;
    d.backColor = QColor(0xF5, 0xF5, 0xF5);
    d.keyPreview = true;
    d.sizable = false;
    return d;
}

} // namespace

frmRecalendarizar::frmRecalendarizar() : forms::Form(disenoFrmRecalendarizar()) {}

frmRecalendarizar::~frmRecalendarizar() = default;

} // namespace kt512
