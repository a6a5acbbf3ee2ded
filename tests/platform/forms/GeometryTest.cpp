#include "ScriptedForm.h"

#include "platform/com/RuntimeError.h"
#include "tests/support/Checks.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

forms::FormDesign framedDesign() {
    forms::FormDesign d;
    d.name = "frmMedidas";
    d.clientWidth = 10830;
    d.clientHeight = 5055;
    d.keyPreview = true;
    forms::ControlDesign frame =
        designOf("VB.Frame", "fr1", 150, 1200, 4500, 2400, {{"caption", QString()}});
    forms::ControlDesign inside = designOf("VB.TextBox", "txtDentro", 300, 450, 1500, 300);
    inside.container = "fr1";
    inside.tabIndex = 1;
    forms::ControlDesign first = designOf("VB.TextBox", "txtPrimero", 120, 480, 2535, 300);
    first.tabIndex = 0;
    forms::ControlDesign label0 =
        designOf("VB.Label", "Label", 840, 480, 855, 255, {{"caption", "Fechas:"}});
    label0.index = 0;
    forms::ControlDesign label1 = label0;
    label1.index = 1;
    label1.keys = {{"caption", "-"}, {"alignment", 1}};
    d.controls << frame << inside << first << label0 << label1;
    return d;
}

class Geometry : public ::testing::Test {
protected:
    void SetUp() override { form.Show(); }
    ScriptedForm form{framedDesign()};
};

TEST_F(Geometry, DesignTwipsBecomePixelsAtFifteenToThePixelAndTheExtenderRejectsNegativeSizes) {
    EXPECT_EQ(form.window()->size(), QSize(722, 337));
    EXPECT_EQ(form.ScaleWidth(), 10830);
    EXPECT_EQ(form.ScaleHeight(), 5055);
    QWidget* inside = form.ctl("txtDentro").widget();
    EXPECT_EQ(inside->parentWidget()->objectName(), "fr1");
    EXPECT_EQ(inside->geometry(), QRect(20, 30, 100, 20));
    EXPECT_EQ(form.ctl("Label", 1).widget()->objectName(), "Label_1");
    EXPECT_EQ(form.ctl("txtPrimero").Left(), 120);
    EXPECT_EQ(form.ctl("txtPrimero").Width(), 2535);

    forms::Extender box = form.ctl("txtPrimero");
    box.setWidth(form.ScaleWidth() - 2 * 120);
    box.setLeft(600);
    EXPECT_EQ(box.widget()->geometry(), QRect(40, 32, 706, 20));
    const com::RuntimeError negative = ktest::errorOf([&] { box.setWidth(-15); });
    EXPECT_EQ(negative.number(), 380);
    EXPECT_EQ(negative.description(), "Invalid property value");
    EXPECT_THROW(box.setHeight(-1), com::RuntimeError);
    EXPECT_EQ(box.widget()->width(), 706);
}

TEST_F(Geometry, SetFocusNeedsAnEnabledVisibleControl) {
    forms::Extender frame = form.ctl("fr1");
    forms::Extender inside = form.ctl("txtDentro");
    forms::Extender first = form.ctl("txtPrimero");
    first.SetFocus();
    EXPECT_EQ(form.ActiveControlName(), "txtPrimero");

    frame.setEnabled(false);
    EXPECT_TRUE(inside.Enabled());
    EXPECT_FALSE(inside.canFocus());
    EXPECT_EQ(ktest::errorOf([&] { inside.SetFocus(); }).number(), 5);
    frame.setEnabled(true);
    inside.setVisible(false);
    EXPECT_THROW(inside.SetFocus(), com::RuntimeError);
    inside.setVisible(true);
    inside.SetFocus();
    EXPECT_EQ(form.ActiveControlName(), "txtDentro");
}

TEST_F(Geometry, TabFollowsTheDesignTabIndexAndSkipsWhatCannotTakeTheFocus) {
    form.ctl("txtPrimero").SetFocus();
    QWidget* first = form.ctl("txtPrimero").widget();
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_EQ(form.ActiveControlName(), "txtDentro");
    QTest::keyClick(form.window()->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(form.ActiveControlName(), "txtPrimero");

    form.ctl("txtDentro").setEnabled(false);
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_EQ(form.ActiveControlName(), "txtPrimero");
}

} // namespace
