#include "KitForm.h"

#include "kt512/services/ClassIds.h"
#include "kt512/services/ItxtVEX.h"
#include "suite/host/HostSession.h"
#include "tests/support/TestDatabase.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using kt512::ItxtVEX;
namespace progId = kt512::ControlKit;

const QString kSucursalSql = QStringLiteral(
    "SELECT Sc_Descripcion FROM Sucursal WHERE Sc_Cve_Sucursal = '?' AND Es_Cve_Estado <> 'BA'");

// A filter pair as the filter dialog has it, on a real database: a code box that looks its code
// up in the branch catalogue and a locked description box beside it.
class CatalogueLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.exec("INSERT INTO Sucursal (Sc_Cve_Sucursal, Sc_Descripcion, Es_Cve_Estado) VALUES "
                "('0001', 'MATRIZ MONTERREY', 'AC'), ('0002', 'SUCURSAL O''HIGGINS', 'AC'), "
                "('O''1', 'CON APOSTROFO', 'AC'), ('0009', 'CERRADA', 'BA')");
        form = std::make_unique<ktest::KitForm>(
            std::make_shared<suite::HostSession>(db.open(), "PRUEBA"));
        code = form->add<ItxtVEX>(progId::TextBox, "txtSucursal",
                                  {{"maxlength", 4},
                                   {"esclave", true},
                                   {"mayusculas", true},
                                   {"tabonenter", true},
                                   {"idconsulta", "SUCURSAL"},
                                   {"sql", kSucursalSql},
                                   {"sql_control_resultado", "txtNSucursal"}});
        description = form->add<ItxtVEX>(progId::TextBox, "txtNSucursal", {{"locked", true}});
        form->add(progId::TextBox, "txtEstado");
        code->setFormatoPersonal("0000");
        form->showActive();
    }
    QLineEdit* codeEdit() { return form->window().findChild<QLineEdit*>("txtSucursal"); }
    void typeAndEnter(const QString& text) {
        codeEdit()->setFocus();
        codeEdit()->clear();
        QTest::keyClicks(codeEdit(), text);
        QTest::keyClick(codeEdit(), Qt::Key_Return);
    }

    ktest::TestDatabase db;
    std::unique_ptr<ktest::KitForm> form;
    com::Ptr<ItxtVEX> code;
    com::Ptr<ItxtVEX> description;
};

TEST_F(CatalogueLookupTest, ATypedCodeFillsItsDescription) {
    // While the user types, the description already belongs to the code as the catalogue
    // stores it: an accept pressed now finds the pair consistent.
    codeEdit()->setFocus();
    QTest::keyClicks(codeEdit(), "1");
    EXPECT_EQ(codeEdit()->text(), "1");
    EXPECT_EQ(code->Text(), "0001");
    EXPECT_EQ(description->Text(), "MATRIZ MONTERREY");
    QTest::keyClicks(codeEdit(), "2");
    EXPECT_EQ(description->Text(), "");

    typeAndEnter("1");
    EXPECT_EQ(codeEdit()->text(), "0001");
    EXPECT_EQ(description->Text(), "MATRIZ MONTERREY");
    // Enter moved the focus on, past the locked description, and left the result as it was.
    EXPECT_TRUE(form->window().findChild<QLineEdit*>("txtEstado")->hasFocus());
    EXPECT_EQ(description->Text(), "MATRIZ MONTERREY");
}

TEST_F(CatalogueLookupTest, NoMatchOrNoCodeEmptiesTheDescriptionAndQuotesStayInTheValue) {
    typeAndEnter("0002");
    EXPECT_EQ(description->Text(), "SUCURSAL O'HIGGINS");
    typeAndEnter("0777");
    EXPECT_EQ(description->Text(), "");

    code->setText("0002");
    ASSERT_EQ(description->Text(), "SUCURSAL O'HIGGINS");
    code->setText("");
    EXPECT_EQ(description->Text(), "");

    // A withdrawn branch is no match; a code of blanks is a code, and matches nothing.
    code->setText("0009");
    EXPECT_EQ(description->Text(), "");
    code->setText("0001");
    code->setText(" ");
    EXPECT_EQ(description->Text(), "");
    // A code with an apostrophe stays one value.
    code->setText("O'1");
    EXPECT_EQ(description->Text(), "CON APOSTROFO");
    code->setText("' OR '1'='1");
    EXPECT_EQ(description->Text(), "");
}

TEST_F(CatalogueLookupTest, AFailingLookupEmptiesTheDescriptionAndGoesOn) {
    auto broken =
        form->add<ItxtVEX>(progId::TextBox, "txtRota",
                           {{"sql", "SELECT Nada FROM Tabla_Inexistente WHERE Clave = '?'"},
                            {"sql_control_resultado", "txtNSucursal"}});
    code->setText("0001");
    ASSERT_EQ(description->Text(), "MATRIZ MONTERREY");
    EXPECT_NO_THROW(broken->setText("0001"));
    EXPECT_EQ(description->Text(), "");
}

} // namespace
