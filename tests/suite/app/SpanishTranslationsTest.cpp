// The shell's application set-up puts the toolkit's own texts and calendars in Spanish.

#include "suite/app/SpanishTranslations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

class ToolkitInSpanish : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(suite::installSpanishTranslations(*qApp)); }
};

TEST_F(ToolkitInSpanish, StandardButtonsOfAMessageBox) {
    QMessageBox box(QMessageBox::Warning, "Kestrova", "Aviso",
                    QMessageBox::Ok | QMessageBox::Cancel);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    EXPECT_EQ(box.button(QMessageBox::Ok)->text().remove(QLatin1Char('&')), "Aceptar");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), "Cancelar");
}

TEST_F(ToolkitInSpanish, ContextMenuOfATextBox) {
    QLineEdit box;
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    EXPECT_TRUE(texts.contains("Pegar")) << texts.join(QLatin1String(", ")).toStdString();
    EXPECT_FALSE(texts.contains("Paste"));
}

TEST_F(ToolkitInSpanish, MonthAndDayNamesOfACalendar) {
    QCalendarWidget calendar;
    EXPECT_EQ(calendar.locale().standaloneMonthName(1), "enero");
    EXPECT_EQ(calendar.locale().dayName(1), "lunes");
}

} // namespace
