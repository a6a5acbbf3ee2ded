#pragma once

#include "platform/com/Unknown.h"

#include <QString>

namespace kt512 {

// The kit's text box. Design keys: maxlength, text, esclave, mayusculas, tabonenter, subrayar,
// locked, formatoc, formatopersonal, tipodato, enabledcolor, disabledcolor, focuscolor,
// mostrarlupa, idconsulta, sql, sql_control_resultado. Events: "LupaClick", "Change".
class ItxtVEX : public com::IUnknown {
public:
    static constexpr QUuid IID{0x3a8e5b10, 0x7d2c, 0x4f61, 0xb0, 0x3e, 0x55, 0x19, 0xc2, 0x7a, 0x01, 0x01};

    virtual QString Text() = 0;
    virtual void setText(const QString& text) = 0;
    virtual void setFormatoPersonal(const QString& pattern) = 0;
    // The numeric value as exact plain decimal text: optional "-", digits, "." and decimals,
    // no thousands separators ("0" for an empty box). Exact, so that nine integer digits with
    // nine decimals and more survive unchanged.
    virtual QString ValorNumerico() = 0;
    virtual bool Enabled() = 0;
};

} // namespace kt512
