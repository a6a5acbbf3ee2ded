#include "ScriptedForm.h"

#include "platform/forms/Menu.h"
#include "platform/forms/MonthView.h"
#include "platform/forms/Timer.h"
#include "platform/forms/TimerSwitch.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QMenu>
#include <QTest>
#include <QTextCharFormat>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

forms::FormDesign controlsDesign() {
    forms::FormDesign d;
    d.name = "frmControles";
    d.clientWidth = 6000;
    d.clientHeight = 4500;
    d.controls << designOf("MSComCtl2.MonthView", "MvFechaEntrega", 120, 120, 4000, 3000)
               << designOf("VB.Timer", "TmrRefresh", 0, 0, 0, 0,
                           {{"interval", 1000}, {"enabled", false}})
               << designOf("VB.Menu", "Reprogramar", 0, 0, 0, 0,
                           {{"caption", "Reprogramar"}, {"visible", false}});
    // The popup's items, inside the hidden top menu.
    const std::pair<const char*, const char*> items[] = {
        {"Reprogramar_Orden_Embarque", "Reprogramar"}, {"sep", "-"}, {"Cancelar", "Cancelar"}};
    for (const auto& [name, caption] : items) {
        d.controls << designOf("VB.Menu", name, 0, 0, 0, 0, {{"caption", caption}});
        d.controls.last().container = "Reprogramar";
    }
    return d;
}

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        forms::setTimersPaused(true);
        form.recorded = {{"MvFechaEntrega", {"DateClick"}},
                         {"TmrRefresh", {"Timer"}},
                         {"Reprogramar_Orden_Embarque", {"Click"}},
                         {"Cancelar", {"Click"}}};
        form.Show();
    }
    void TearDown() override { forms::setTimersPaused(false); }

    // The centre of the day cell showing day of the month shown.
    QPoint dayCell(QAbstractItemView* days, int day) const {
        QAbstractItemModel* model = days->model();
        for (int r = 1; r < model->rowCount(); ++r)
            for (int c = 0; c < model->columnCount(); ++c) {
                const QModelIndex i = model->index(r, c);
                if (i.data().toInt() == day && (day < 20 || r > 2) && (day > 10 || r < 4))
                    return days->visualRect(i).center();
            }
        return {};
    }

    ScriptedForm form{controlsDesign()};
    QStringList& events = form.events;
};

TEST_F(Controls, MonthViewReportsClickedDaysAndGreysThoseBeforeItsMinimum) {
    forms::MonthView& month = form.monthView("MvFechaEntrega");
    month.setValue(QDate(2024, 3, 10));
    month.setMinDate(QDate(2024, 3, 10));
    auto* calendar = qobject_cast<QCalendarWidget*>(form.ctl("MvFechaEntrega").widget());
    ASSERT_NE(calendar, nullptr);
    auto* days = calendar->findChild<QAbstractItemView*>();
    ASSERT_NE(days, nullptr);
    // A day before the minimum is greyed, yet the user may pick it: the form's check decides.
    const QColor grey = calendar->palette().color(QPalette::Disabled, QPalette::Text);
    EXPECT_EQ(calendar->dateTextFormat(QDate(2024, 3, 9)).foreground().color(), grey);
    EXPECT_NE(calendar->dateTextFormat(QDate(2024, 3, 10)).foreground().color(), grey);
    QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, dayCell(days, 5));
    EXPECT_EQ(month.Value(), QDate(2024, 3, 5));
    EXPECT_EQ(events, QStringList{"MvFechaEntrega.DateClick 2024-03-05"});
}

TEST_F(Controls, TimerTicksOnlyWhileEnabledAndNotPaused) {
    forms::Timer& timer = form.timer("TmrRefresh");
    EXPECT_EQ(timer.Interval(), 1000);
    EXPECT_FALSE(timer.Enabled());
    timer.tick();
    EXPECT_TRUE(events.isEmpty());

    timer.setEnabled(true);
    timer.tick();
    timer.tick();
    EXPECT_EQ(events.size(), 2);

    timer.setInterval(1);
    QTest::qWait(30);
    EXPECT_EQ(events.size(), 2);
    forms::setTimersPaused(false);
    EXPECT_TRUE(waitUntil([&] { return events.size() >= 4; }));
    timer.setEnabled(false);
    const qsizetype ticks = events.size();
    QTest::qWait(30);
    EXPECT_EQ(events.size(), ticks);
}

TEST_F(Controls, PopupMenuRunsThePickedItemAfterTheMenuCloses) {
    bool menuOpenDuringClick = true;
    form.controlObject("Reprogramar_Orden_Embarque")->on("Click", [&](QVariantList&) {
        menuOpenDuringClick = QApplication::activePopupWidget();
    });
    QPoint shownAt;
    QStringList entries;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        shownAt = menu->pos();
        for (QAction* a : menu->actions())
            entries << (a->isSeparator() ? "-" : a->text());
        menu->setActiveAction(menu->actions().first());
        QTest::keyClick(menu, Qt::Key_Return);
    });
    form.PopupMenu("Reprogramar", 0, 300, 450);
    EXPECT_EQ(entries, (QStringList{"Reprogramar", "-", "Cancelar"}));
    EXPECT_EQ(shownAt, form.window()->mapToGlobal(QPoint(20, 30)));
    EXPECT_EQ(events, QStringList{"Reprogramar_Orden_Embarque.Click"});
    EXPECT_FALSE(menuOpenDuringClick);
    EXPECT_EQ(form.menu("Cancelar").Caption(), "Cancelar");

    // Closing the menu without a pick runs nothing.
    events.clear();
    QTimer::singleShot(0, [] {
        if (QWidget* menu = QApplication::activePopupWidget())
            QTest::keyClick(menu, Qt::Key_Escape);
    });
    form.PopupMenu("Reprogramar", 0, 300, 450);
    EXPECT_TRUE(events.isEmpty());
}

} // namespace
