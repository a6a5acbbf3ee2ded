#include "KitForm.h"

#include "kt512/services/ClassIds.h"
#include "kt512/services/IssTbVex.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/IContainer.h"

#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using kt512::IssTbVex;
namespace progId = kt512::ControlKit;

// The strip of the rescheduling screen: orders on the first tab, shipments on the second.
class SsTbVexTest : public ::testing::Test {
protected:
    void SetUp() override {
        control = form.add(progId::TabStrip, "ssTabVex",
                           {{"tabcount", 2},
                            {"tabcaption0", "Ordenes de entrega"},
                            {"tabcaption1", "Embarques"},
                            {"tab", 0},
                            {"activetabheight", 21},
                            {"tabstyle", 1},
                            {"tabtheme", 2},
                            {"showfocusrect", false}},
                           QRect(8, 8, 500, 300));
        strip = control.as<IssTbVex>();
        clicks.listen(*control, "Click");
        tabs = form.window().findChild<QTabWidget*>("ssTabVex");
    }

    ktest::KitForm form;
    com::Ptr<forms::IControl> control;
    com::Ptr<IssTbVex> strip;
    ktest::EventLog clicks;
    QTabWidget* tabs = nullptr;
};

TEST_F(SsTbVexTest, CodeSelectsATabQuietlyAndTheUserLoudly) {
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(1), "Embarques");

    strip->setTab(1);
    EXPECT_EQ(strip->Tab(), 1);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(clicks.count, 0);
    EXPECT_THROW(strip->setTab(2), com::RuntimeError);

    form.showActive();
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    EXPECT_EQ(strip->Tab(), 0);
    ASSERT_EQ(clicks.count, 1);
    EXPECT_EQ(clicks.lastArgs.value(0).toInt(), 1);
}

TEST_F(SsTbVexTest, KeysOnTheStripReachKeyPress) {
    QList<int> keys;
    control->on("KeyPress", [&keys](QVariantList& args) { keys << args.value(0).toInt(); });
    form.showActive();
    tabs->tabBar()->setFocus();
    QTest::keyClick(tabs->tabBar(), Qt::Key_Return);
    QTest::keyClick(tabs->tabBar(), Qt::Key_A);
    QTest::keyClick(tabs->tabBar(), Qt::Key_Right); // no character: no KeyPress, but a new tab
    EXPECT_EQ(keys, (QList<int>{13, 'a'}));
    EXPECT_EQ(strip->Tab(), 1);
    EXPECT_EQ(clicks.count, 1);
}

TEST_F(SsTbVexTest, EachTabIsTheContainerOfItsControls) {
    auto container = control.as<forms::IContainer>();
    QWidget* orders = container->childArea(QVariantMap{{"tab", 0}});
    QWidget* shipments = container->childArea(QVariantMap{{"tab", 1}});
    EXPECT_EQ(orders, tabs->widget(0));
    EXPECT_EQ(shipments, tabs->widget(1));
    EXPECT_THROW(container->childArea(QVariantMap{{"tab", 5}}), com::RuntimeError);

    auto inside = form.add(progId::Label, "lblEnEmbarques", {{"caption", "Embarques"}});
    inside->widget()->setParent(shipments);
    strip->setTab(0);
    form.showActive();
    EXPECT_FALSE(inside->widget()->isVisible());
    strip->setTab(1);
    EXPECT_TRUE(inside->widget()->isVisible());
}

} // namespace
