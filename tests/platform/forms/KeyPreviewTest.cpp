#include "ScriptedForm.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace {

forms::FormDesign designWithBox(bool keyPreview) {
    forms::FormDesign d;
    d.name = "frmTeclas";
    d.clientWidth = 4500;
    d.clientHeight = 1500;
    d.keyPreview = keyPreview;
    d.controls << designOf("VB.TextBox", "txtTexto", 120, 120, 3000, 300);
    return d;
}

class KeyPreview : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        box = qobject_cast<QLineEdit*>(form.ctl("txtTexto").widget());
        ASSERT_NE(box, nullptr);
        form.ctl("txtTexto").SetFocus();
        form.log.clear();
    }

    // Shift, Ctrl and Alt have their own KeyDown and KeyUp, as in VB; they are left out here.
    QStringList keyLog() const {
        return form.log.filter(QRegularExpression("^Key(?!(Down|Up) 1[678] )"));
    }

    ScriptedForm form{designWithBox(true)};
    QLineEdit* box = nullptr;
};

TEST_F(KeyPreview, TheFormSeesEachKeyOnceWithVbCodesAndShiftMask) {
    // The text box leaves Ctrl+Shift+F5 to the window: the form must not see it again on its way
    // up.
    QTest::keyClick(box, Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_1, Qt::AltModifier);
    QTest::keyClick(box, Qt::Key_Exclam, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_1, Qt::KeypadModifier);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(keyLog(), (QStringList{"KeyDown 116 3", "KeyUp 116 3", "KeyDown 49 4", "KeyUp 49 4",
                                     "KeyDown 49 1", "KeyPress 33", "KeyUp 49 1", "KeyDown 97 0",
                                     "KeyPress 49", "KeyUp 97 0", "KeyDown 27 0", "KeyPress 27",
                                     "KeyUp 27 0"}));
}

TEST_F(KeyPreview, SettingTheCodeToZeroKeepsTheKeyFromTheControl) {
    form.onKeyDown = [](int& keyCode, int) { keyCode = keyCode == 'A' ? 0 : keyCode; };
    form.onKeyPress = [](int& key) { key = key == 'b' ? 0 : key == 'c' ? 'Z' : key; };
    QTest::keyClicks(box, "abcd");
    EXPECT_EQ(box->text(), "Zd");
    EXPECT_FALSE(form.log.contains("KeyPress 97"));
}

TEST_F(KeyPreview, AKeyThatUnloadsItsFormGoesNoFurther) {
    form.onKeyDown = [this](int&, int) { form.Unload(); };
    QTest::keyPress(box, Qt::Key_Escape);
    EXPECT_FALSE(form.isLoaded());
    EXPECT_FALSE(form.log.contains("KeyPress 27"));
}

TEST_F(KeyPreview, KeysOfAWindowTheFormOwnsAreNotTheForms) {
    // A message box shown for the form: Esc and Enter there must not reach Form_KeyDown.
    QDialog box(form.window());
    auto* button = new QPushButton("Aceptar", &box);
    box.show();
    QTest::keyClick(button, Qt::Key_Escape);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_TRUE(keyLog().isEmpty());
}

TEST(KeyPreviewOff, WithoutPreviewTheFormSeesNoKeys) {
    ScriptedForm form(designWithBox(false));
    form.Show();
    auto* box = qobject_cast<QLineEdit*>(form.ctl("txtTexto").widget());
    QTest::keyClicks(box, "ab");
    QTest::keyClick(box, Qt::Key_F5);
    EXPECT_EQ(box->text(), "ab");
    EXPECT_TRUE(form.log.filter("Key").isEmpty());
}

} // namespace
