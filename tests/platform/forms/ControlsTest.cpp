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
    d.name = QStringLiteral("frmControles");
    d.clientWidth = 6000;
    d.clientHeight = 4500;
    d.controls << designOf(QStringLiteral("MSComCtl2.MonthView"), QStringLiteral("MvFechaEntrega"),
                           120, 120, 4000, 3000)
               << designOf(QStringLiteral("VB.Timer"), QStringLiteral("TmrRefresh"), 0, 0, 0, 0,
                           {{QStringLiteral("interval"), 1000}, {QStringLiteral("enabled"), false}})
               << designOf(QStringLiteral("VB.Menu"), QStringLiteral("Reprogramar"), 0, 0, 0, 0,
                           {{QStringLiteral("caption"), QStringLiteral("Reprogramar")},
                            {QStringLiteral("visible"), false}});
    forms::ControlDesign item =
        designOf(QStringLiteral("VB.Menu"), QStringLiteral("Reprogramar_Orden_Embarque"), 0, 0, 0,
                 0, {{QStringLiteral("caption"), QStringLiteral("Reprogramar")}});
    item.container = QStringLiteral("Reprogramar");
    forms::ControlDesign separator =
        designOf(QStringLiteral("VB.Menu"), QStringLiteral("sep"), 0, 0, 0, 0,
                 {{QStringLiteral("caption"), QStringLiteral("-")}});
    separator.container = QStringLiteral("Reprogramar");
    forms::ControlDesign other =
        designOf(QStringLiteral("VB.Menu"), QStringLiteral("Cancelar"), 0, 0, 0, 0,
                 {{QStringLiteral("caption"), QStringLiteral("Cancelar")}});
    other.container = QStringLiteral("Reprogramar");
    d.controls << item << separator << other;
    return d;
}

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        forms::setTimersPaused(true);
        form.onConnect = [this] {
            auto record = [this](const QString& control, const QString& event) {
                form.controlObject(control)->on(event, [this, control, event](QVariantList& args) {
                    QStringList parts{control + QLatin1Char('.') + event};
                    for (const QVariant& a : args)
                        parts << (a.metaType().id() == QMetaType::QDate
                                      ? a.toDate().toString(Qt::ISODate)
                                      : a.toString());
                    events << parts.join(QLatin1Char(' '));
                    if (event == QLatin1String("KeyDown") && args.value(0).toInt() == 27)
                        args[0] = 0;
                });
            };
            record(QStringLiteral("MvFechaEntrega"), QStringLiteral("DateClick"));
            record(QStringLiteral("MvFechaEntrega"), QStringLiteral("DateDblClick"));
            record(QStringLiteral("MvFechaEntrega"), QStringLiteral("KeyDown"));
            record(QStringLiteral("TmrRefresh"), QStringLiteral("Timer"));
            record(QStringLiteral("Reprogramar_Orden_Embarque"), QStringLiteral("Click"));
            record(QStringLiteral("Cancelar"), QStringLiteral("Click"));
        };
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
    QStringList events;
};

TEST_F(Controls, MonthViewReportsClicksDoubleClicksAndKeysAndGreysDaysBeforeItsMinimum) {
    forms::MonthView& month = form.monthView(QStringLiteral("MvFechaEntrega"));
    month.setValue(QDate(2024, 3, 10));
    month.setMinDate(QDate(2024, 3, 10));
    auto* calendar =
        qobject_cast<QCalendarWidget*>(form.ctl(QStringLiteral("MvFechaEntrega")).widget());
    ASSERT_NE(calendar, nullptr);
    auto* days = calendar->findChild<QAbstractItemView*>();
    ASSERT_NE(days, nullptr);

    QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, dayCell(days, 15));
    EXPECT_EQ(month.Value(), QDate(2024, 3, 15));
    EXPECT_EQ(events, QStringList{QStringLiteral("MvFechaEntrega.DateClick 2024-03-15")});

    events.clear();
    QWidget* window = calendar->window();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                       days->viewport()->mapTo(window, dayCell(days, 18)));
    EXPECT_TRUE(events.contains(QStringLiteral("MvFechaEntrega.DateDblClick 2024-03-18")));

    // A day before the minimum is greyed, yet the user may pick it: the form's check decides.
    events.clear();
    const QColor grey = calendar->palette().color(QPalette::Disabled, QPalette::Text);
    EXPECT_EQ(calendar->dateTextFormat(QDate(2024, 3, 9)).foreground().color(), grey);
    EXPECT_NE(calendar->dateTextFormat(QDate(2024, 3, 10)).foreground().color(), grey);
    QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, dayCell(days, 5));
    EXPECT_EQ(month.Value(), QDate(2024, 3, 5));
    EXPECT_EQ(events, QStringList{QStringLiteral("MvFechaEntrega.DateClick 2024-03-05")});

    events.clear();

    days->setFocus();
    QTest::keyClick(days, Qt::Key_F4);
    QTest::keyClick(calendar, Qt::Key_Escape);
    EXPECT_EQ(events, (QStringList{QStringLiteral("MvFechaEntrega.KeyDown 115 0"),
                                   QStringLiteral("MvFechaEntrega.KeyDown 27 0")}));
}

TEST_F(Controls, TimerTicksOnlyWhileEnabledAndNotPaused) {
    forms::Timer& timer = form.timer(QStringLiteral("TmrRefresh"));
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
    form.controlObject(QStringLiteral("Reprogramar_Orden_Embarque"))
        ->on(QStringLiteral("Click"),
             [&](QVariantList&) { menuOpenDuringClick = QApplication::activePopupWidget(); });
    QPoint shownAt;
    QStringList entries;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        shownAt = menu->pos();
        for (QAction* a : menu->actions())
            entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
        menu->setActiveAction(menu->actions().first());
        QTest::keyClick(menu, Qt::Key_Return);
    });
    form.PopupMenu(QStringLiteral("Reprogramar"), 0, 300, 450);
    EXPECT_EQ(entries, (QStringList{QStringLiteral("Reprogramar"), QStringLiteral("-"),
                                    QStringLiteral("Cancelar")}));
    EXPECT_EQ(shownAt, form.window()->mapToGlobal(QPoint(20, 30)));
    EXPECT_EQ(events, QStringList{QStringLiteral("Reprogramar_Orden_Embarque.Click")});
    EXPECT_FALSE(menuOpenDuringClick);
    EXPECT_EQ(form.menu(QStringLiteral("Cancelar")).Caption(), QStringLiteral("Cancelar"));

    // Closing the menu without a pick runs nothing.
    events.clear();
    QTimer::singleShot(0, [] {
        if (QWidget* menu = QApplication::activePopupWidget())
            QTest::keyClick(menu, Qt::Key_Escape);
    });
    form.PopupMenu(QStringLiteral("Reprogramar"), 0, 300, 450);
    EXPECT_TRUE(events.isEmpty());
}

} // namespace
