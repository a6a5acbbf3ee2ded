// The shell's application set-up puts the toolkit's own texts and calendars in Spanish.

#include "suite/app/SpanishTranslations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ToolkitInSpanish, MessageBoxButtonsTextBoxMenusAndCalendarNames) {
    ASSERT_TRUE(suite::installSpanishTranslations(*qApp));
    QMessageBox box(QMessageBox::Warning, "Kestrova", "Aviso",
                    QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text().remove(QLatin1Char('&')), "Aceptar");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), "Cancelar");

    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    EXPECT_TRUE(texts.contains("Pegar")) << texts.join(QLatin1String(", ")).toStdString();

    QCalendarWidget calendar;
    EXPECT_EQ(calendar.locale().standaloneMonthName(1), "enero");
    EXPECT_EQ(calendar.locale().dayName(1), "lunes");
}

} // namespace
