#include "suite/host/FormatoLista.h"
#include "FormaDePrueba.h"
#include "platform/com/Ptr.h"
#include "platform/forms/Form.h"
#include "platform/forms/ListView.h"

#include <QHeaderView>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

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

TEST_F(FormatoListaTest, ColumnsFitTheirTextWithinACap) {
    const QFontMetrics metrics(view->font());
    EXPECT_GE(width(0), metrics.horizontalAdvance(QStringLiteral("0001000012")));
    EXPECT_GT(width(1), width(0));
    EXPECT_LT(width(1), metrics.horizontalAdvance(largo));
    EXPECT_GE(width(4), metrics.horizontalAdvance(QStringLiteral("Km")));
}

TEST_F(FormatoListaTest, NumbersAlignRightAndCodesStayLeft) {
    EXPECT_EQ(alignment(2), Qt::AlignRight);
    EXPECT_EQ(alignment(0), Qt::AlignLeft);
    EXPECT_EQ(alignment(1), Qt::AlignLeft);
    // "007" is a code: its column is not one of numbers.
    EXPECT_EQ(alignment(4), Qt::AlignLeft);
}

TEST_F(FormatoListaTest, DatesShowInTheOperatorsFormat) {
    EXPECT_EQ(lista.subItem(1, 3), QStringLiteral("04/03/2026"));
    EXPECT_EQ(lista.subItem(2, 3), QStringLiteral("05/03/2026 08:30"));
    EXPECT_EQ(lista.itemText(3), QStringLiteral("0001000014"));
}

} // namespace
