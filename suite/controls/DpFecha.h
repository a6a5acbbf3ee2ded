#pragma once

#include "ColourScheme.h"
#include "KitControl.h"
#include "kt512/services/IdpFecha.h"

namespace suite {

class DatePickerWidget;

// The kit's date or time picker (fechaVex.dpFecha). Format 1 (the default) shows the date as
// dd/MM/yyyy with a calendar to drop down; format 2 shows the time of day as HH:mm:ss;
// format 0 the long Spanish date; format 3 the pattern of "customformat".
// Value is a full date and time whatever the format shows: a date picker keeps the time of day
// that code gave it (midnight until code gives one) while the user changes the date, and a
// time picker keeps the date. A new picker holds today at midnight.
// Change is raised whenever Value changes, by the user or by code.
class DpFecha : public KitControl<DatePickerWidget, kt512::IdpFecha> {
public:
    enum Format { LongDate = 0, ShortDate = 1, Time = 2, Custom = 3 };

    DpFecha();
    ~DpFecha() override;

    void applyDesign(const forms::DesignKeys& keys) override;
    QDateTime Value() override;
    void setValue(const QDateTime& value) override;
    bool Enabled() override;

    void applyScheme(const ColourScheme& scheme) override;

    Format format() const { return m_format; }

private:
    void setFormat(Format format, const QString& custom);
    void updateColours();

    Format m_format = ShortDate;
    bool m_tabOnEnter = false;
    bool m_focused = false;
    ColourScheme m_colours;
    // Calendar colours given at design win over the scheme's.
    QVariantMap m_designCalendar;
};

} // namespace suite
