#include "ScriptedForm.h"

#include "platform/com/RuntimeError.h"
#include "platform/forms/Twips.h"
#include "tests/support/Checks.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

forms::FormDesign framedDesign() {
    forms::FormDesign d;
    d.name = "frmMedidas";
    d.clientWidth = 10830;
    d.clientHeight = 5055;
    d.keyPreview = true;
    d.controls << designOf("VB.Frame", "fr1", 150, 1200, 4500, 2400, {{"caption", QString()}})
               << designOf("VB.TextBox", "txtDentro", 300, 450, 1500, 300)
               << designOf("VB.TextBox", "txtPrimero", 120, 480, 2535, 300)
               << designOf("VB.Label", "Label", 840, 480, 855, 255, {{"caption", "Fechas:"}})
               << designOf("VB.Label", "Label", 840, 480, 855, 255,
                           {{"caption", "-"}, {"alignment", 1}});
    d.controls[1].container = "fr1";
    d.controls[1].tabIndex = 1;
    d.controls[2].tabIndex = 0;
    d.controls[3].index = 0;
    d.controls[4].index = 1;
    return d;
}

class Geometry : public ::testing::Test {
protected:
    void SetUp() override { form.Show(); }
    ScriptedForm form{framedDesign()};
};

TEST_F(Geometry, DesignTwipsBecomePixelsAtFifteenToThePixelAndTheExtenderRejectsNegativeSizes) {
    EXPECT_EQ(form.window()->size(), QSize(722, 337));
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

TEST_F(Geometry, FocusGoesToEnabledVisibleControlsAndTabFollowsTheDesignTabIndex) {
    forms::Extender frame = form.ctl("fr1");
    forms::Extender inside = form.ctl("txtDentro");
    forms::Extender first = form.ctl("txtPrimero");
    first.SetFocus();
    EXPECT_EQ(form.ActiveControlName(), "txtPrimero");
    QTest::keyClick(first.widget(), Qt::Key_Tab);
    EXPECT_EQ(form.ActiveControlName(), "txtDentro");
    QTest::keyClick(inside.widget(), Qt::Key_Tab);
    EXPECT_EQ(form.ActiveControlName(), "txtPrimero");

    frame.setEnabled(false);
    EXPECT_TRUE(inside.Enabled());
    EXPECT_FALSE(inside.canFocus());
    EXPECT_EQ(ktest::errorOf([&] { inside.SetFocus(); }).number(), 5);
    QTest::keyClick(first.widget(), Qt::Key_Tab);
    EXPECT_EQ(form.ActiveControlName(), "txtPrimero");
    frame.setEnabled(true);
    inside.setVisible(false);
    EXPECT_THROW(inside.SetFocus(), com::RuntimeError);
    inside.setVisible(true);
    inside.SetFocus();
    EXPECT_EQ(form.ActiveControlName(), "txtDentro");
}

// Labels too narrow for their text in today's font, each beside the box it labels.
forms::FormDesign labelledDesign() {
    forms::FormDesign d;
    d.name = "frmEtiquetas";
    d.clientWidth = 9000;
    d.clientHeight = 3000;
    d.controls << designOf("VB.CommandButton", "cmdRefrescar", 90, 480, 375, 375,
                           {{"caption", "R"}})
               << designOf("VB.Label", "lbFechas", 840, 480, 300, 255, {{"caption", "Fechas:"}})
               << designOf("VB.TextBox", "txtDesde", 1680, 480, 1935, 300)
               << designOf("VB.Label", "lbTipo", 900, 1200, 600, 255,
                           {{"caption", "Tipo vehículo:"}, {"alignment", 1}})
               << designOf("VB.TextBox", "txtTipo", 1680, 1200, 1455, 300)
               // Wider than the room between its neighbours: it takes all of that room.
               << designOf("VB.Label", "lbApretada", 3300, 1200, 300, 255,
                           {{"caption", "Una etiqueta muy larga:"}})
               << designOf("VB.TextBox", "txtVecino", 4200, 1200, 1455, 300);
    return d;
}

TEST(Etiquetas, ALabelGrowsToItsTextIntoTheRoomBesideItAndMovesNoOtherControl) {
    ScriptedForm form(labelledDesign());
    form.Show();
    const auto geometry = [&](const char* name) {
        return form.ctl(QString::fromLatin1(name)).widget()->geometry();
    };
    const auto textWidth = [&](const char* name) {
        auto* label = qobject_cast<QLabel*>(form.ctl(QString::fromLatin1(name)).widget());
        return label->fontMetrics().horizontalAdvance(label->text());
    };
    const QRect fechas = geometry("lbFechas"), tipo = geometry("lbTipo");
    EXPECT_GE(fechas.width(), textWidth("lbFechas"));
    EXPECT_GT(fechas.left(), geometry("cmdRefrescar").right());
    EXPECT_LT(fechas.right(), geometry("txtDesde").left());
    EXPECT_GE(tipo.width(), textWidth("lbTipo"));
    EXPECT_GE(tipo.left(), 0);
    // The right-aligned label grew to the left and kept its right edge.
    EXPECT_EQ(tipo.right(), forms::twipsToPixelsX(1500) - 1);
    EXPECT_EQ(geometry("lbApretada").left(), geometry("txtTipo").right() + 1);
    EXPECT_EQ(geometry("lbApretada").right(), geometry("txtVecino").left() - 1);
    EXPECT_EQ(geometry("txtDesde").topLeft(),
              QPoint(forms::twipsToPixelsX(1680), forms::twipsToPixelsY(480)));
}

TEST(Etiquetas, AButtonHiddenUnderAnotherControlIsNoTabStop) {
    forms::FormDesign d = framedDesign();
    // Under the first box, created after it as the board's detail button is under its search
    // box: the box is raised over it.
    d.controls << designOf("VB.CommandButton", "cmdVer", 300, 450, 375, 375, {{"caption", "Ver"}});
    d.controls.last().tabIndex = 0;
    ScriptedForm form(d);
    form.Show();
    form.ctl("txtPrimero").widget()->raise();
    const auto tabFromFirst = [&] {
        form.ctl("txtPrimero").SetFocus();
        QTest::keyClick(form.window()->focusWidget(), Qt::Key_Tab);
        return form.ActiveControlName();
    };
    EXPECT_EQ(tabFromFirst(), "txtDentro");
    // Moved clear of the box, it takes its turn again.
    form.ctl("cmdVer").setLeft(6000);
    EXPECT_EQ(tabFromFirst(), "cmdVer");
}

TEST(LugarDeVentanas, AResizableWindowReopensWhereItWasLeftAndInsideTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    forms::FormDesign fixed = framedDesign();
    fixed.name = "frmFija";
    fixed.sizable = false;
    ScriptedForm sizable(framedDesign());
    ScriptedForm fixedForm(fixed);
    const QSize designSize = sizable.window()->size();
    for (ScriptedForm* form : {&sizable, &fixedForm}) {
        form->Show();
        form->window()->setGeometry(QRect(QPoint(40, 30), form->window()->size() - QSize(30, 20)));
        form->Unload();
    }
    // In the application's folder of the user's configuration, which the tests point elsewhere.
    const QString file = QDir(qEnvironmentVariable("XDG_CONFIG_HOME"))
                             .filePath(QCoreApplication::applicationName() + "/ventanas.ini");

    sizable.Show();
    EXPECT_EQ(sizable.window()->geometry(), QRect(QPoint(40, 30), designSize - QSize(30, 20)));
    fixedForm.Show();
    EXPECT_EQ(fixedForm.window()->size(), designSize);
    sizable.Unload();
    fixedForm.Unload();

    // A place on a screen that is gone, larger than the one there is: inside it, as large as it.
    for (const QRect& lost :
         {QRect(5000, 4000, 300, 200), QRect(-900, -700, 300, 200), QRect(10, 10, 5000, 4000)}) {
        QSettings(file, QSettings::IniFormat).setValue("frmMedidas/geometria", lost);
        sizable.Show();
        const QRect frame = sizable.window()->frameGeometry();
        EXPECT_TRUE(screen.contains(frame))
            << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
        if (lost.width() < screen.width())
            EXPECT_EQ(sizable.window()->size(), lost.size());
        else
            EXPECT_EQ(frame.size(), screen.size());
        sizable.Unload();
    }
}

} // namespace
