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
    d.name = QStringLiteral("frmTeclas");
    d.clientWidth = 4500;
    d.clientHeight = 1500;
    d.keyPreview = keyPreview;
    d.controls << designOf(QStringLiteral("VB.TextBox"), QStringLiteral("txtTexto"), 120, 120, 3000,
                           300);
    return d;
}

class KeyPreview : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        box = qobject_cast<QLineEdit*>(form.ctl(QStringLiteral("txtTexto")).widget());
        ASSERT_NE(box, nullptr);
        form.ctl(QStringLiteral("txtTexto")).SetFocus();
        form.log.clear();
    }

    QStringList keyLog() const {
        QStringList keys;
        // Shift, Ctrl and Alt have their own KeyDown and KeyUp, as in VB; they are left out here.
        static const QRegularExpression modifier(QStringLiteral("^Key(Down|Up) 1[678] "));
        for (const QString& line : form.log)
            if (line.startsWith(QLatin1String("Key")) && !modifier.match(line).hasMatch())
                keys << line;
        return keys;
    }

    ScriptedForm form{designWithBox(true)};
    QLineEdit* box = nullptr;
};

TEST_F(KeyPreview, TheFormSeesEachKeyOnceWithVbCodesAndShiftMask) {
    QTest::keyClick(box, Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_1, Qt::AltModifier);
    QTest::keyClick(box, Qt::Key_Exclam, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_1, Qt::KeypadModifier);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(keyLog(), (QStringList{QStringLiteral("KeyDown 116 3"), QStringLiteral("KeyUp 116 3"),
                                     QStringLiteral("KeyDown 49 4"), QStringLiteral("KeyUp 49 4"),
                                     QStringLiteral("KeyDown 49 1"), QStringLiteral("KeyPress 33"),
                                     QStringLiteral("KeyUp 49 1"), QStringLiteral("KeyDown 97 0"),
                                     QStringLiteral("KeyPress 49"), QStringLiteral("KeyUp 97 0"),
                                     QStringLiteral("KeyDown 27 0"), QStringLiteral("KeyPress 27"),
                                     QStringLiteral("KeyUp 27 0")}));
}

TEST_F(KeyPreview, AKeyIgnoredByTheControlIsNotSeenTwiceOnItsWayUp) {
    // The window itself gets what the text box leaves alone; the form must not run again.
    QTest::keyClick(box, Qt::Key_F4);
    EXPECT_EQ(keyLog(),
              (QStringList{QStringLiteral("KeyDown 115 0"), QStringLiteral("KeyUp 115 0")}));
}

TEST_F(KeyPreview, SettingTheCodeToZeroKeepsTheKeyFromTheControl) {
    form.onKeyDown = [](int& keyCode, int) {
        if (keyCode == 'A')
            keyCode = 0;
    };
    form.onKeyPress = [](int& keyAscii) {
        if (keyAscii == 'b')
            keyAscii = 0;
        if (keyAscii == 'c')
            keyAscii = 'Z';
    };
    QTest::keyClicks(box, QStringLiteral("abcd"));
    EXPECT_EQ(box->text(), QStringLiteral("Zd"));
    EXPECT_FALSE(form.log.contains(QStringLiteral("KeyPress 97")));
}

TEST_F(KeyPreview, AKeyThatUnloadsItsFormGoesNoFurther) {
    form.onKeyDown = [this](int& keyCode, int) {
        if (keyCode == 27)
            form.Unload();
    };
    QTest::keyPress(box, Qt::Key_Escape);
    EXPECT_FALSE(form.isLoaded());
    EXPECT_FALSE(form.log.contains(QStringLiteral("KeyPress 27")));
}

TEST_F(KeyPreview, KeysOfAWindowTheFormOwnsAreNotTheForms) {
    // A message box shown for the form: Esc and Enter there must not reach Form_KeyDown.
    QDialog box(form.window());
    auto* button = new QPushButton(QStringLiteral("Aceptar"), &box);
    box.show();
    QTest::keyClick(button, Qt::Key_Escape);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_TRUE(keyLog().isEmpty());
}

TEST(KeyPreviewOff, WithoutPreviewTheFormSeesNoKeys) {
    ScriptedForm form(designWithBox(false));
    form.Show();
    auto* box = qobject_cast<QLineEdit*>(form.ctl(QStringLiteral("txtTexto")).widget());
    QTest::keyClicks(box, QStringLiteral("ab"));
    QTest::keyClick(box, Qt::Key_F5);
    EXPECT_EQ(box->text(), QStringLiteral("ab"));
    EXPECT_FALSE(form.log.join(QLatin1Char(' ')).contains(QLatin1String("Key")));
}

} // namespace
