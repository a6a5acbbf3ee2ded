// The form helpers the screens call on their own forms, and the lists filled from a query and
// formatted for the operator.

#include "FormaDePrueba.h"
#include "SesionDePrueba.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListView.h"
#include "suite/host/FormatoLista.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
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

const QString kViajes = QStringLiteral(
    "SELECT Vj_Folio AS Folio, Vj_Fecha AS Fecha, Vj_Fecha_Inicio_Viaje AS Inicio, "
    "Vj_Kilometro_Inicial AS Km, Vj_Observaciones AS Notas, '2026-03-05 00:00:00' AS Entrega "
    "FROM Viaje ORDER BY Vj_Folio");

class LlenarListaTest : public SesionDePrueba {
protected:
    LlenarListaTest() : SesionDePrueba({40, 7, QDate(2026, 3, 15)}) {}
    forms::Form forma{formaDePrueba()};
    forms::ListView& lista = forma.listView(QStringLiteral("lvLista"));
};

TEST_F(LlenarListaTest, ColumnsAndRowsComeFromTheQueryInTheOperatorsFormats) {
    const QString primero = db.scalar(QStringLiteral("SELECT MIN(Vj_Folio) FROM Viaje")).toString();
    db.exec(QStringLiteral("UPDATE Viaje SET Vj_Fecha = '2026-03-04', Vj_Fecha_Inicio_Viaje = "
                           "'2026-03-04 07:05:00', Vj_Kilometro_Inicial = '12.5', "
                           "Vj_Observaciones = NULL WHERE Vj_Folio = '%1'")
                .arg(primero));

    ASSERT_TRUE(funciones->LlenarLista(kViajes, lista, true))
        << qPrintable(funciones->UltimoError());
    ASSERT_EQ(lista.columnCount(), 6);
    EXPECT_EQ(lista.columnText(1), QStringLiteral("Folio"));
    EXPECT_EQ(lista.columnText(5), QStringLiteral("Notas"));
    EXPECT_EQ(lista.Count(), db.scalar(QStringLiteral("SELECT COUNT(*) FROM Viaje")).toInt());
    EXPECT_EQ(lista.itemText(1), primero);
    EXPECT_EQ(lista.subItem(1, 1), QStringLiteral("04/03/2026"));
    EXPECT_EQ(lista.subItem(1, 2), QStringLiteral("04/03/2026 07:05"));
    EXPECT_EQ(lista.subItem(1, 3), QStringLiteral("12.5"));
    EXPECT_EQ(lista.subItem(1, 4), QString());
    // A column of midnights holds dates.
    EXPECT_EQ(lista.subItem(1, 5), QStringLiteral("05/03/2026"));
}

TEST_F(LlenarListaTest, TheNumbersOfAColumnShowTheDecimalsOfTheOneThatHasTheMost) {
    ASSERT_TRUE(funciones->LlenarLista(
        QStringLiteral("SELECT 'A' AS Folio, 34.16 AS Volumen, 0.1 + 0.2 AS Suma, 12 AS Piezas, "
                       "'0012' AS Clave UNION ALL SELECT 'B', 39.9, 1, 7, '12' "
                       "UNION ALL SELECT 'C', 12, 2.5, -8, NULL "
                       "UNION ALL SELECT 'D', NULL, -3, 9, '3'"),
        lista, true))
        << qPrintable(funciones->UltimoError());
    QStringList columnas;
    for (int c = 1; c <= 4; ++c) {
        QStringList textos;
        for (int i = 1; i <= lista.Count(); ++i)
            textos << lista.subItem(i, c);
        columnas << textos.join(QLatin1Char(' '));
    }
    // A binary fraction's noise is no decimal; whole numbers and codes stay as they are.
    EXPECT_EQ(columnas,
              (QStringList{QStringLiteral("34.16 39.90 12.00 "), QStringLiteral("0.3 1.0 2.5 -3.0"),
                           QStringLiteral("12 7 -8 9"), QStringLiteral("0012 12  3")}));
}

TEST_F(LlenarListaTest, AFailureLeavesTheListAsItWasAndAnEmptyResultKeepsTheColumns) {
    ASSERT_TRUE(funciones->LlenarLista(kViajes, lista, true));
    const int filas = lista.Count();
    EXPECT_FALSE(
        funciones->LlenarLista(QStringLiteral("SELECT Vj_Folio FROM ViajePerdido"), lista, true));
    EXPECT_TRUE(funciones->UltimoError().contains(QStringLiteral("ViajePerdido")))
        << qPrintable(funciones->UltimoError());
    EXPECT_EQ(lista.Count(), filas);

    QString vacia = kViajes;
    vacia.replace(QStringLiteral("ORDER BY"), QStringLiteral("WHERE 1 = 0 ORDER BY"));
    ASSERT_TRUE(funciones->LlenarLista(vacia, lista, true)) << qPrintable(funciones->UltimoError());
    EXPECT_EQ(funciones->UltimoError(), QString());
    EXPECT_EQ(lista.Count(), 0);
    ASSERT_EQ(lista.columnCount(), 6);
    EXPECT_EQ(lista.columnText(2), QStringLiteral("Fecha"));
}

class FormatoListaTest : public ::testing::Test {
protected:
    void SetUp() override {
        lista.setContent({"Folio", "Cliente", "Importe", "Fecha", "Km"},
                         {{"0001000012", largo, "1234.5", "2026-03-04", "-3"},
                          {"0001000013", "Ana", "17", "2026-03-05 08:30:00", "0.25"},
                          {"0001000014", "Luis", "", "", "007"}});
        com::newObject<suite::FormatoLista>()->Aplicar(lista);
        view = qobject_cast<QTreeView*>(lista.widget());
        ASSERT_NE(view, nullptr);
    }

    int width(int column) const { return view->header()->sectionSize(column); }
    Qt::Alignment alignment(int column) const {
        return view->model()
                   ->data(view->model()->index(0, column), Qt::TextAlignmentRole)
                   .value<Qt::Alignment>() &
               Qt::AlignHorizontal_Mask;
    }

    const QString largo = QStringLiteral("Distribuidora O'Brien, S.A. de C.V. ").repeated(6);
    forms::Form forma{formaDePrueba()};
    forms::ListView& lista = forma.listView(QStringLiteral("lvLista"));
    QTreeView* view = nullptr;
};

// Columns fit their text within a cap, numbers align right while codes stay left, and dates
// show in the operator's format.
TEST_F(FormatoListaTest, ColumnsFitNumbersAlignRightAndDatesShowInTheOperatorsFormat) {
    const QFontMetrics metrics(view->font());
    EXPECT_GE(width(0), metrics.horizontalAdvance(QStringLiteral("0001000012")));
    EXPECT_GT(width(1), width(0));
    EXPECT_LT(width(1), metrics.horizontalAdvance(largo));
    EXPECT_GE(width(4), metrics.horizontalAdvance(QStringLiteral("Km")));
    // "007" is a code: its column is not one of numbers.
    EXPECT_EQ(
        std::vector({alignment(0), alignment(1), alignment(2), alignment(4)}),
        std::vector<Qt::Alignment>({Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight, Qt::AlignLeft}));
    EXPECT_EQ(lista.subItem(1, 3), QStringLiteral("04/03/2026"));
    EXPECT_EQ(lista.subItem(2, 3), QStringLiteral("05/03/2026 08:30"));
    EXPECT_EQ(lista.itemText(3), QStringLiteral("0001000014"));
}

} // namespace
