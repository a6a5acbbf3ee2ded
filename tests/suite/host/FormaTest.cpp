#include "FormaDePrueba.h"
#include "SesionDePrueba.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListView.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The keyboard and form helpers that the screens call on their own forms.
class FormaTest : public SesionDePrueba {
protected:
    void SetUp() override {
        forma.Show();
        QWidget* window = forma.window();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    void TearDown() override { forma.Unload(); }

    QWidget* control(const char* name) { return forma.ctl(QLatin1String(name)).widget(); }
    void enfocar(const char* name) {
        forma.ctl(QLatin1String(name)).SetFocus();
        QCoreApplication::processEvents();
    }

    forms::Form forma{formaDePrueba()};
};

TEST_F(FormaTest, ATabSentAsKeysMovesTheFocusOn) {
    enfocar("txtUno");
    funciones->EnviarTeclas(QStringLiteral("\t"), 0);
    EXPECT_EQ(QApplication::focusWidget(), control("txtDos"));

    forma.listView(QStringLiteral("lvLista")).setContent({"Folio"}, {{"1"}, {"2"}});
    enfocar("lvLista");
    ASSERT_EQ(QApplication::focusWidget(), control("lvLista"));
    funciones->EnviarTeclas(QStringLiteral("\t"), 0);
    EXPECT_EQ(QApplication::focusWidget(), control("txtTres"));
}

TEST_F(FormaTest, APreparedFormSelectsTheTextOfABoxFocusedByCode) {
    auto* dos = qobject_cast<QLineEdit*>(control("txtDos"));
    ASSERT_NE(dos, nullptr);
    dos->setText(QStringLiteral("1234.5"));
    funciones->PrepararForma(forma, 1);
    funciones->PrepararForma(forma, 1);
    enfocar("txtDos");
    EXPECT_EQ(dos->selectedText(), QStringLiteral("1234.5"));
}

TEST_F(FormaTest, ResettingAFormClearsTheSelectionOfItsListsAndKeepsTheirRows) {
    forms::ListView& lista = forma.listView(QStringLiteral("lvLista"));
    lista.setContent({"Folio"}, {{"1"}, {"2"}, {"3"}});
    lista.setSelectedIndex(3);
    funciones->ReiniciarForma(forma, 1);
    EXPECT_EQ(lista.SelectedIndex(), 0);
    EXPECT_EQ(lista.Count(), 3);

    forms::Form descargada{formaDePrueba()};
    funciones->ReiniciarForma(descargada, 1);
    EXPECT_FALSE(descargada.isLoaded());
}

} // namespace
