#pragma once

#include "ControlObject.h"
#include "MonthView.h"

#include <memory>

namespace forms {

// "MSComCtl2.MonthView" over a QCalendarWidget. Days before MinDate are greyed but can still be
// picked: the form's own check decides what to accept, and tells the operator why it refuses.
class MonthViewControl : public ControlObject<MonthView> {
public:
    MonthViewControl();
    ~MonthViewControl() override;

    void applyDesign(const DesignKeys& keys) override;
    QDate Value() const override;
    void setValue(const QDate& date) override;
    QDate MinDate() const override;
    void setMinDate(const QDate& date) override;

private:
    class Hooks;
    std::unique_ptr<Hooks> d;
};

} // namespace forms
