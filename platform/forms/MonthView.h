#pragma once

#include "IControl.h"

#include <QDate>

namespace forms {

// The month calendar. Events: "DateClick" (date), "DateDblClick" (date),
// "KeyDown" (keyCode by reference, shift).
class MonthView : public IControl {
public:
    static constexpr QUuid IID{0x6f1d2a40, 0x3c11, 0x4b7e, 0x9a, 0x51, 0x2e,
                               0x0b,       0x71,   0x8c,   0x44, 0x12};

    virtual QDate Value() const = 0;
    virtual void setValue(const QDate& date) = 0;
    virtual QDate MinDate() const = 0;
    virtual void setMinDate(const QDate& date) = 0;
};

} // namespace forms
