#include "KitForm.h"

#include "kt512/services/ClassIds.h"
#include "suite/controls/ElidingLabel.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

namespace progId = kt512::ControlKit;

class ControlesTest : public ::testing::Test {
protected:
    template <class W> W* child(const char* name) {
        return form.window().findChild<QWidget*>("Controles")->findChild<W*>(name);
    }
    ktest::KitForm form;
};

TEST_F(ControlesTest, TheBoardsBarHasTheExitButtonOnly) {
    auto bar = form.add(progId::Toolbar, "Controles",
                        {{"caption", "Control de viajes"},
                         {"tabwidth", "0"},
                         {"easyaccessenabled", "NO"},
                         {"showmenupopup", "NO"},
                         {"showwindowslist", "SI"},
                         {"showexitbutton", "SI"}},
                        QRect(0, 0, 640, 64));
    ktest::EventLog exits;
    exits.listen(*bar, "SalirClick");
    form.showActive();

    EXPECT_EQ(child<QLabel>("caption")->text(), "Control de viajes");
    EXPECT_FALSE(child<QPushButton>("btnB1")->isVisible());
    EXPECT_FALSE(child<QPushButton>("btnB2")->isVisible());
    ASSERT_TRUE(child<QToolButton>("btnSalir")->isVisible());
    QTest::mouseClick(child<QToolButton>("btnSalir"), Qt::LeftButton);
    EXPECT_EQ(exits.count, 1);

    // The band spans the form as the form grows.
    form.window().resize(900, 400);
    EXPECT_EQ(bar->widget()->width(), 900);
}

TEST_F(ControlesTest, ADialogsBarAcceptsAndCancels) {
    auto bar = form.add(progId::Toolbar, "Controles",
                        {{"caption", "Filtros"},
                         {"b1caption", "Aceptar"},
                         {"b2caption", "Cancelar"},
                         {"showexitbutton", "NO"},
                         {"permitir_mover", true}},
                        QRect(0, 0, 640, 64));
    ktest::EventLog accepts, cancels;
    accepts.listen(*bar, "B1Click");
    cancels.listen(*bar, "B2Click");
    form.showActive();

    EXPECT_FALSE(child<QToolButton>("btnSalir")->isVisible());
    EXPECT_EQ(child<QPushButton>("btnB1")->text(), "Aceptar");
    QTest::mouseClick(child<QPushButton>("btnB1"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("btnB2"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("btnB2"), Qt::LeftButton);
    EXPECT_EQ(accepts.count, 1);
    EXPECT_EQ(cancels.count, 2);

    // A long caption is drawn smaller to fit beside the buttons; a longer one ends in "…".
    auto* caption = child<suite::ElidingLabel>("caption");
    ASSERT_NE(caption, nullptr);
    const QString largo = QStringLiteral("Reprogramar viajes — Viaje 0001000024, sucursal 0001");
    for (const QString& texto : {largo, largo + QStringLiteral(" Monterrey Centro ") + largo}) {
        caption->setText(texto);
        QApplication::processEvents();
        ASSERT_LE(caption->geometry().right(), child<QPushButton>("btnB1")->geometry().left());
        EXPECT_EQ(caption->text(), texto);
        EXPECT_LT(caption->shownFont().pointSizeF(), caption->font().pointSizeF());
        EXPECT_EQ(caption->shownText(),
                  texto == largo ? largo : caption->shownText().chopped(1) + QChar(0x2026));
    }
}

TEST_F(ControlesTest, AMovableBandDragsItsWindow) {
    auto bar =
        form.add(progId::Toolbar, "Controles", {{"permitir_mover", true}}, QRect(0, 0, 640, 64));
    form.showActive();
    QWidget* band = bar->widget();
    const QPoint before = form.window().pos();
    QTest::mousePress(band, Qt::LeftButton, {}, QPoint(300, 40));
    QTest::mouseMove(band, QPoint(340, 60));
    QTest::mouseRelease(band, Qt::LeftButton, {}, QPoint(340, 60));
    EXPECT_EQ(form.window().pos(), before + QPoint(40, 20));
}

} // namespace
