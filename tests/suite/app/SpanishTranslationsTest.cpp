// The shell's application set-up puts the toolkit's own texts and calendars in Spanish.

#include "suite/app/SpanishTranslations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QMessageBox>
#include <gtest/gtest.h>

namespace {

TEST(ToolkitInSpanish, MessageBoxButtonsAndCalendarNames) {
    ASSERT_TRUE(suite::installSpanishTranslations(*qApp));
    QMessageBox box(QMessageBox::Warning, "Kestrova", "Aviso",
                    QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text().remove(QLatin1Char('&')), "Aceptar");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), "Cancelar");

    QCalendarWidget calendar;
    EXPECT_EQ(calendar.locale().standaloneMonthName(1), "enero");
}

} // namespace
