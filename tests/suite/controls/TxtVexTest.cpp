#include "KitForm.h"

#include "kt512/services/ClassIds.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/services/ItxtVEX.h"
#include "platform/com/RuntimeError.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using kt512::ItxtVEX;
namespace progId = kt512::ControlKit;

const QVariantMap kOdometerKeys{
    {"maxlength", 20}, {"text", "0"},   {"formatopersonal", "#,##0.000000000#####"},
    {"formatoc", 8},   {"tipodato", 5}, {"tabonenter", true},
    {"subrayar", true}};

class TxtVexTest : public ::testing::Test {
protected:
    QLineEdit* edit(const QString& name) { return form.window().findChild<QLineEdit*>(name); }
    void type(const QString& name, const QString& text) {
        QLineEdit* e = edit(name);
        e->setFocus();
        QTest::keyClicks(e, text);
    }

    ktest::KitForm form;
};

TEST_F(TxtVexTest, NumericBoxTakesOnlyNumbersAndKeepsNineAndNineDigitsExactly) {
    auto km = form.add<ItxtVEX>(progId::TextBox, "txtKmInicial", kOdometerKeys);
    form.add(progId::TextBox, "txtOtro");
    EXPECT_EQ(km->Text(), "0.000000000");
    EXPECT_EQ(km->ValorNumerico(), "0");
    km->setText("1e+09"); // a reading read from the database as a double
    EXPECT_EQ(km->ValorNumerico(), "1000000000");
    km->setText("");
    EXPECT_EQ(km->Text(), "");
    EXPECT_EQ(km->ValorNumerico(), "0");
    EXPECT_THROW(km->setText("doce"), com::RuntimeError);
    EXPECT_EQ(km->ValorNumerico(), "0");
    km->setText("123456789.123456789");
    EXPECT_EQ(km->ValorNumerico(), "123456789.123456789");
    EXPECT_EQ(km->Text(), "123,456,789.123456789");
    // A box saves the digits it shows: rounded to the fourteen decimals of the pattern.
    km->setText("5.123456789012345678");
    EXPECT_EQ(km->ValorNumerico(), "5.12345678901235");
    km->setText("123456789.123456789");

    // Focused, the box shows the plain number; typed digits come back whole on leaving.
    form.showActive();
    QLineEdit* box = edit("txtKmInicial");
    box->setFocus();
    EXPECT_EQ(box->text(), "123456789.123456789");
    box->selectAll();
    QTest::keyClicks(box, "999999999.999999999");
    edit("txtOtro")->setFocus();
    EXPECT_EQ(km->ValorNumerico(), "999999999.999999999");
    EXPECT_EQ(km->Text(), "999,999,999.999999999");
    // Typed, the fifteenth decimal is not taken.
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "5.123456789012345678");
    edit("txtOtro")->setFocus();
    EXPECT_EQ(km->ValorNumerico(), "5.12345678901234");

    box->setFocus();
    box->clear();
    QTest::keyClicks(box, "-1a2-3.4.5x");
    EXPECT_EQ(box->text(), "-123.45");
    EXPECT_EQ(km->ValorNumerico(), "-123.45");
    // A pasted amount comes in as its plain number; pasted letters do not come in at all.
    box->clear();
    box->insert("1,234.5");
    EXPECT_EQ(km->ValorNumerico(), "1234.5");
    box->insert("abc");
    EXPECT_EQ(km->ValorNumerico(), "1234.5");
}

TEST_F(TxtVexTest, EnterMovesOnOnlyWithTabOnEnter) {
    form.add(progId::TextBox, "txtUno", {{"tabonenter", true}});
    form.add(progId::TextBox, "txtDos");
    form.add(progId::TextBox, "txtTres");
    form.showActive();

    edit("txtUno")->setFocus();
    QTest::keyClick(edit("txtUno"), Qt::Key_Return);
    EXPECT_TRUE(edit("txtDos")->hasFocus());
    QTest::keyClick(edit("txtDos"), Qt::Key_Return);
    EXPECT_TRUE(edit("txtDos")->hasFocus());
}

TEST_F(TxtVexTest, CodeBoxPadsATypedNumberToItsPattern) {
    auto code = form.add<ItxtVEX>(progId::TextBox, "txtSucursal",
                                  {{"maxlength", 4}, {"mayusculas", true}, {"tabonenter", true}});
    form.add(progId::TextBox, "txtOtro");
    code->setFormatoPersonal("0000");
    form.showActive();

    type("txtSucursal", "1");
    QTest::keyClick(edit("txtSucursal"), Qt::Key_Return);
    EXPECT_EQ(code->Text(), "0001");

    // Leaving the box pads as Enter does.
    edit("txtSucursal")->clear();
    type("txtSucursal", "42");
    edit("txtOtro")->setFocus();
    EXPECT_EQ(code->Text(), "0042");

    // What is not all digits stays as typed, in capitals.
    edit("txtSucursal")->clear();
    type("txtSucursal", "a1");
    edit("txtOtro")->setFocus();
    EXPECT_EQ(code->Text(), "A1");
}

TEST_F(TxtVexTest, CapitalsChangeTheTextOnce) {
    auto box = form.add(progId::TextBox, "txtEstado", {{"mayusculas", true}});
    ktest::EventLog changes;
    changes.listen(*box, "Change");
    form.showActive();

    type("txtEstado", "rm");
    EXPECT_EQ(edit("txtEstado")->text(), "RM");
    EXPECT_EQ(changes.count, 2);
}

TEST_F(TxtVexTest, TheGlassAndF3RaiseLupaClick) {
    auto search = form.add(progId::TextBox, "txtBuscar", {{"mostrarlupa", true}});
    auto plain = form.add(progId::TextBox, "txtSinLupa");
    ktest::EventLog withGlass, withoutGlass;
    withGlass.listen(*search, "LupaClick");
    withoutGlass.listen(*plain, "LupaClick");
    form.showActive();

    QToolButton* glass = edit("txtBuscar")->findChild<QToolButton*>();
    ASSERT_NE(glass, nullptr);
    QTest::mouseClick(glass, Qt::LeftButton);
    EXPECT_EQ(withGlass.count, 1);

    type("txtBuscar", "ruta");
    QTest::keyClick(edit("txtBuscar"), Qt::Key_F3);
    EXPECT_EQ(withGlass.count, 2);
    EXPECT_EQ(edit("txtBuscar")->text(), "ruta");

    type("txtSinLupa", "x");
    QTest::keyClick(edit("txtSinLupa"), Qt::Key_F3);
    EXPECT_EQ(withoutGlass.count, 0);
}

// Alt with a letter or a digit is a screen's shortcut (Alt+1 picks a tab), never typing.
TEST_F(TxtVexTest, AnAltModifiedKeyNeverEditsABoxOfTheKit) {
    auto km = form.add<ItxtVEX>(progId::TextBox, "txtKmInicial", kOdometerKeys);
    auto fecha = form.add<kt512::IdpFecha>(progId::DatePicker, "dpFechaInicial");
    km->setText("1500.25");
    const QDateTime dia(QDate(2026, 12, 24), QTime(0, 0));
    fecha->setValue(dia);
    form.showActive();
    QLineEdit* box = edit("txtKmInicial");
    box->setFocus();
    box->end(false);
    auto* picker = form.window().findChild<QDateTimeEdit*>("dpFechaInicial");
    for (QWidget* w : {static_cast<QWidget*>(box), static_cast<QWidget*>(picker)}) {
        w->setFocus();
        for (Qt::Key key : {Qt::Key_1, Qt::Key_2, Qt::Key_A})
            for (Qt::KeyboardModifiers mods :
                 {Qt::KeyboardModifiers(Qt::AltModifier), Qt::AltModifier | Qt::ShiftModifier})
                QTest::keyClick(w, key, mods);
    }
    edit("txtKmInicial")->setFocus();
    picker->setFocus();
    EXPECT_EQ(km->ValorNumerico(), "1500.25");
    EXPECT_EQ(fecha->Value(), dia);
    // Without Alt the keys still edit.
    picker->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(picker, Qt::Key_Up);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_1);
    EXPECT_EQ(fecha->Value(), dia.addDays(1));
    EXPECT_EQ(km->ValorNumerico(), "1500.251");
}

} // namespace
