#include "KitForm.h"

#include "kt512/services/ClassIds.h"
#include "kt512/services/IdpFecha.h"

#include <QDateTimeEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using kt512::IdpFecha;
namespace progId = kt512::ControlKit;

class DpFechaTest : public ::testing::Test {
protected:
    QDateTimeEdit* edit(const QString& name) {
        return form.window().findChild<QDateTimeEdit*>(name);
    }
    ktest::KitForm form;
};

TEST_F(DpFechaTest, APickerShowsItsPartAndKeepsTheOtherPartCodeGaveIt) {
    auto date = form.add<IdpFecha>(progId::DatePicker, "dpFechaInicial",
                                   {{"font", "Franklin Gothic Medium"}, {"tabonenter", true}});
    EXPECT_EQ(date->Value().time(), QTime(0, 0));
    EXPECT_TRUE(edit("dpFechaInicial")->calendarPopup());

    date->setValue(QDateTime(QDate(2024, 3, 9), QTime(17, 45, 30)));
    EXPECT_EQ(edit("dpFechaInicial")->text(), "09/03/2024");

    // The user steps the day: the time of day stays what code set.
    form.showActive();
    edit("dpFechaInicial")->setFocus();
    edit("dpFechaInicial")->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(edit("dpFechaInicial"), Qt::Key_Up);
    EXPECT_EQ(date->Value(), QDateTime(QDate(2024, 3, 10), QTime(17, 45, 30)));

    // Format 2 is a time picker that keeps its date.
    auto time = form.add<IdpFecha>(progId::DatePicker, "dpHoraInicial", {{"format", 2}});
    EXPECT_FALSE(edit("dpHoraInicial")->calendarPopup());
    time->setValue(QDateTime(QDate(1900, 1, 1), QTime(8, 5, 0)));
    EXPECT_EQ(edit("dpHoraInicial")->text(), "08:05:00");

    form.showActive();
    edit("dpHoraInicial")->setFocus();
    edit("dpHoraInicial")->setCurrentSection(QDateTimeEdit::HourSection);
    QTest::keyClick(edit("dpHoraInicial"), Qt::Key_Up);
    EXPECT_EQ(time->Value(), QDateTime(QDate(1900, 1, 1), QTime(9, 5, 0)));
}

TEST_F(DpFechaTest, ChangeComesWithEveryNewValueFromCodeOrUser) {
    auto date = form.add(progId::DatePicker, "dpFechaInicio");
    ktest::EventLog changes;
    changes.listen(*date, "Change");
    auto picker = date.as<IdpFecha>();

    picker->setValue(QDateTime(QDate(2024, 5, 6), QTime(0, 0)));
    EXPECT_EQ(changes.count, 1);
    picker->setValue(QDateTime(QDate(2024, 5, 6), QTime(0, 0)));
    EXPECT_EQ(changes.count, 1);
    picker->setValue(QDateTime(QDate(2024, 5, 6), QTime(12, 0)));
    EXPECT_EQ(changes.count, 2);

    form.showActive();
    edit("dpFechaInicio")->setFocus();
    edit("dpFechaInicio")->setCurrentSection(QDateTimeEdit::MonthSection);
    QTest::keyClick(edit("dpFechaInicio"), Qt::Key_Down);
    EXPECT_EQ(changes.count, 3);
    EXPECT_EQ(picker->Value().date(), QDate(2024, 4, 6));
}

TEST_F(DpFechaTest, EnterMovesOnWithTabOnEnter) {
    form.add(progId::DatePicker, "dpFechaInicio", {{"tabonenter", true}});
    form.add(progId::DatePicker, "dpFechaFin");
    form.showActive();
    edit("dpFechaInicio")->setFocus();
    QTest::keyClick(edit("dpFechaInicio"), Qt::Key_Return);
    EXPECT_TRUE(edit("dpFechaFin")->hasFocus());
}

} // namespace
