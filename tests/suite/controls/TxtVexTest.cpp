#include "KitForm.h"

#include "kt512/services/ClassIds.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/services/ItxtVEX.h"
#include "platform/com/RuntimeError.h"
#include "suite/controls/DecimalText.h"
#include "suite/controls/NumberPattern.h"
#include "tests/support/PrintQString.h"
#include "tests/support/TestDatabase.h"

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using kt512::ItxtVEX;
using suite::DecimalText;
using suite::NumberPattern;
namespace progId = kt512::ControlKit;

const QVariantMap kOdometerKeys{
    {"maxlength", 20}, {"text", "0"},   {"formatopersonal", "#,##0.000000000#####"},
    {"formatoc", 8},   {"tipodato", 5}, {"tabonenter", true},
    {"subrayar", true}};

// Numbers as they are typed, pasted or printed from a double, each read to its plain form; what
// is not a number has none.
TEST(DecimalTextTest, ReadsNumbersInEveryFormTheyArriveAndWritesThemInTheirPattern) {
    QStringList read;
    for (const char* text :
         {"0012.50", "-0", "", "-", "12.", ".5", "1,234,567.25", "1e+09", "1.5e-3",
          "-999999999.999999999999", "abc", "12a", "1.2.3", "--1", "12,34", ",123", "1e", "e5"})
        read << DecimalText::parse(QString::fromLatin1(text)).value_or("none");
    EXPECT_EQ(read.join(' '), "12.5 0 0 0 12 0.5 1234567.25 1000000000 0.0015 "
                              "-999999999.999999999999 none none none none none none none none");

    // Past fourteen decimals the odometer pattern rounds, half away from zero, carrying as far as
    // needed; a pattern of zeros only is a code, padded on the left.
    const NumberPattern odometer("#,##0.000000000#####");
    QStringList shown;
    for (const char* plain : {"0", "1234.5", "-1234", "123456789.123456789", "0.12345678901234",
                              "0.123456789012345", "999.999999999999999", "-0.000000000000001"})
        shown << DecimalText::format(QString::fromLatin1(plain), odometer);
    EXPECT_EQ(shown.join(' '), "0.000000000 1,234.500000000 -1,234.000000000 "
                               "123,456,789.123456789 0.12345678901234 0.12345678901235 "
                               "1,000.000000000 0.000000000");
    EXPECT_FALSE(odometer.isCode());
    EXPECT_EQ(DecimalText::format("7", NumberPattern("0000")), "0007");
}

class TxtVexTest : public ::testing::Test {
protected:
    QLineEdit* edit(const QString& name) { return form.window().findChild<QLineEdit*>(name); }
    // Focuses the box and types text over what it shows.
    void type(const QString& name, const QString& text) {
        QLineEdit* e = edit(name);
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
    }

    ktest::TestDatabase db;
    ktest::KitForm form{std::make_shared<suite::HostSession>(db.open(), "PRUEBA")};
};

// A numeric box shows its pattern, keeps the digits it shows and typed digits whole, and takes
// only numbers, typed or pasted. Alt with a letter or a digit is a screen's shortcut (Alt+1 picks
// a tab), never typing, in a box or a date picker.
TEST_F(TxtVexTest, NumericBoxTakesOnlyNumbersAndKeepsNineAndNineDigitsExactly) {
    auto km = form.add<ItxtVEX>(progId::TextBox, "txtKmInicial", kOdometerKeys);
    auto fecha = form.add<kt512::IdpFecha>(progId::DatePicker, "dpFechaInicial");
    EXPECT_EQ(km->Text(), "0.000000000");
    km->setText("");
    EXPECT_EQ(km->Text(), "");
    EXPECT_EQ(km->ValorNumerico(), "0");
    EXPECT_THROW(km->setText("doce"), com::RuntimeError);
    EXPECT_EQ(km->ValorNumerico(), "0");
    km->setText("5.123456789012345678");
    EXPECT_EQ(km->ValorNumerico(), "5.12345678901235");
    km->setText("123456789.123456789");
    EXPECT_EQ(km->Text(), "123,456,789.123456789");

    form.showActive();
    QLineEdit* box = edit("txtKmInicial");
    auto* picker = form.window().findChild<QDateTimeEdit*>("dpFechaInicial");
    box->setFocus();
    EXPECT_EQ(box->text(), "123456789.123456789");
    type("txtKmInicial", "999999999.999999999");
    picker->setFocus();
    EXPECT_EQ(km->ValorNumerico(), "999999999.999999999");
    EXPECT_EQ(km->Text(), "999,999,999.999999999");
    type("txtKmInicial", "5.123456789012345678");
    picker->setFocus();
    EXPECT_EQ(km->ValorNumerico(), "5.12345678901234");
    type("txtKmInicial", "-1a2-3.4.5x");
    EXPECT_EQ(km->ValorNumerico(), "-123.45");
    box->clear();
    box->insert("1,234.5");
    EXPECT_EQ(km->ValorNumerico(), "1234.5");
    box->insert("abc");
    EXPECT_EQ(km->ValorNumerico(), "1234.5");

    const QDateTime dia = fecha->Value();
    for (QWidget* w : {static_cast<QWidget*>(box), static_cast<QWidget*>(picker)}) {
        w->setFocus();
        for (Qt::Key key : {Qt::Key_1, Qt::Key_2, Qt::Key_A})
            for (Qt::KeyboardModifiers mods :
                 {Qt::KeyboardModifiers(Qt::AltModifier), Qt::AltModifier | Qt::ShiftModifier})
                QTest::keyClick(w, key, mods);
    }
    box->setFocus();
    EXPECT_EQ(km->ValorNumerico(), "1234.5");
    EXPECT_EQ(fecha->Value(), dia);
}

// A filter pair as the filter dialog has it, on a real database: a code box that looks its code
// up in the branch catalogue, a locked description box beside it, then a search box with the
// glass. While the user types, the description already belongs to the code as the catalogue
// stores it, so that an accept pressed now finds the pair consistent. A typed number is padded
// to the code's pattern on Enter or on leaving, letters come in as capitals with one Change a
// key, and Enter moves on, past the description, only from a box with tabonenter. The glass and
// F3 raise LupaClick; F3 raises nothing in a box without the glass. No match, no code, a
// withdrawn branch or a code of blanks empty the description, a quote stays in the value, and a
// lookup that fails empties it too and goes on.
TEST_F(TxtVexTest, ACodeBoxPadsItsCodeAndLooksItsDescriptionUpInTheCatalogue) {
    db.exec("INSERT INTO Sucursal (Sc_Cve_Sucursal, Sc_Descripcion, Es_Cve_Estado) VALUES "
            "('0001', 'MATRIZ MONTERREY', 'AC'), ('0002', 'SUCURSAL O''HIGGINS', 'AC'), "
            "('O''1', 'CON APOSTROFO', 'AC'), ('0009', 'CERRADA', 'BA')");
    auto box =
        form.add(progId::TextBox, "txtSucursal",
                 {{"mayusculas", true},
                  {"tabonenter", true},
                  {"sql", "SELECT Sc_Descripcion FROM Sucursal WHERE Sc_Cve_Sucursal = '?' AND "
                          "Es_Cve_Estado <> 'BA'"},
                  {"sql_control_resultado", "txtNSucursal"}});
    auto description = form.add<ItxtVEX>(progId::TextBox, "txtNSucursal", {{"locked", true}});
    auto search = form.add(progId::TextBox, "txtBuscar", {{"mostrarlupa", true}});
    auto code = box.as<ItxtVEX>();
    code->setFormatoPersonal("0000");
    ktest::EventLog changes, withoutGlass, withGlass;
    changes.listen(*box, "Change");
    withoutGlass.listen(*box, "LupaClick");
    withGlass.listen(*search, "LupaClick");
    form.showActive();

    type("txtSucursal", "1");
    EXPECT_EQ(edit("txtSucursal")->text(), "1");
    EXPECT_EQ(description->Text(), "MATRIZ MONTERREY");
    QTest::keyClicks(edit("txtSucursal"), "2");
    EXPECT_EQ(description->Text(), "");
    type("txtSucursal", "1");
    QTest::keyClick(edit("txtSucursal"), Qt::Key_Return);
    EXPECT_EQ(edit("txtSucursal")->text(), "0001");
    EXPECT_EQ(description->Text(), "MATRIZ MONTERREY");
    EXPECT_TRUE(edit("txtBuscar")->hasFocus());
    QTest::keyClick(edit("txtBuscar"), Qt::Key_Return);
    EXPECT_TRUE(edit("txtBuscar")->hasFocus());
    QTest::keyClick(edit("txtBuscar"), Qt::Key_F3);
    QTest::mouseClick(edit("txtBuscar")->findChild<QToolButton*>(), Qt::LeftButton);
    EXPECT_EQ(withGlass.count, 2);
    type("txtSucursal", "042");
    QTest::keyClick(edit("txtSucursal"), Qt::Key_F3);
    EXPECT_EQ(withoutGlass.count, 0);
    edit("txtBuscar")->setFocus();
    EXPECT_EQ(edit("txtSucursal")->text(), "0042");
    edit("txtSucursal")->clear();
    changes.count = 0;
    type("txtSucursal", "a1");
    EXPECT_EQ(changes.count, 2);
    edit("txtBuscar")->setFocus();
    EXPECT_EQ(code->Text(), "A1");

    QStringList found;
    for (const char* codigo : {"0002", "", "0001", "0009", "0001", " ", "O'1", "' OR '1'='1"}) {
        code->setText(codigo);
        found << description->Text();
    }
    EXPECT_EQ(found, (QStringList{"SUCURSAL O'HIGGINS", "", "MATRIZ MONTERREY", "",
                                  "MATRIZ MONTERREY", "", "CON APOSTROFO", ""}));
    auto broken =
        form.add<ItxtVEX>(progId::TextBox, "txtRota",
                          {{"sql", "SELECT Nada FROM Tabla_Inexistente WHERE Clave = '?'"},
                           {"sql_control_resultado", "txtNSucursal"}});
    code->setText("0001");
    ASSERT_EQ(description->Text(), "MATRIZ MONTERREY");
    EXPECT_NO_THROW(broken->setText("0001"));
    EXPECT_EQ(description->Text(), "");
}

} // namespace
