#include "ScriptedForm.h"

#include "platform/com/RuntimeError.h"
#include "platform/forms/Twips.h"
#include "tests/support/Checks.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
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
    forms::ControlDesign frame =
        designOf("VB.Frame", "fr1", 150, 1200, 4500, 2400, {{"caption", QString()}});
    forms::ControlDesign inside = designOf("VB.TextBox", "txtDentro", 300, 450, 1500, 300);
    inside.container = "fr1";
    inside.tabIndex = 1;
    forms::ControlDesign first = designOf("VB.TextBox", "txtPrimero", 120, 480, 2535, 300);
    first.tabIndex = 0;
    forms::ControlDesign label0 =
        designOf("VB.Label", "Label", 840, 480, 855, 255, {{"caption", "Fechas:"}});
    label0.index = 0;
    forms::ControlDesign label1 = label0;
    label1.index = 1;
    label1.keys = {{"caption", "-"}, {"alignment", 1}};
    d.controls << frame << inside << first << label0 << label1;
    return d;
}

class Geometry : public ::testing::Test {
protected:
    void SetUp() override { form.Show(); }
    ScriptedForm form{framedDesign()};
};

TEST_F(Geometry, DesignTwipsBecomePixelsAtFifteenToThePixelAndTheExtenderRejectsNegativeSizes) {
    EXPECT_EQ(form.window()->size(), QSize(722, 337));
    EXPECT_EQ(form.ScaleWidth(), 10830);
    EXPECT_EQ(form.ScaleHeight(), 5055);
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

TEST_F(Geometry, SetFocusNeedsAnEnabledVisibleControl) {
    forms::Extender frame = form.ctl("fr1");
    forms::Extender inside = form.ctl("txtDentro");
    forms::Extender first = form.ctl("txtPrimero");
    first.SetFocus();
    EXPECT_EQ(form.ActiveControlName(), "txtPrimero");

    frame.setEnabled(false);
    EXPECT_TRUE(inside.Enabled());
    EXPECT_FALSE(inside.canFocus());
    EXPECT_EQ(ktest::errorOf([&] { inside.SetFocus(); }).number(), 5);
    frame.setEnabled(true);
    inside.setVisible(false);
    EXPECT_THROW(inside.SetFocus(), com::RuntimeError);
    inside.setVisible(true);
    inside.SetFocus();
    EXPECT_EQ(form.ActiveControlName(), "txtDentro");
}

TEST_F(Geometry, TabFollowsTheDesignTabIndexAndSkipsWhatCannotTakeTheFocus) {
    form.ctl("txtPrimero").SetFocus();
    QWidget* first = form.ctl("txtPrimero").widget();
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_EQ(form.ActiveControlName(), "txtDentro");
    QTest::keyClick(form.window()->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(form.ActiveControlName(), "txtPrimero");

    form.ctl("txtDentro").setEnabled(false);
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_EQ(form.ActiveControlName(), "txtPrimero");
}

// Labels too narrow for their text in today's font, each beside the box it labels.
forms::FormDesign labelledDesign() {
    forms::FormDesign d;
    d.name = QStringLiteral("frmEtiquetas");
    d.clientWidth = 9000;
    d.clientHeight = 3000;
    const QVariantMap right{{QStringLiteral("caption"), QStringLiteral("Tipo vehículo:")},
                            {QStringLiteral("alignment"), 1}};
    forms::ControlDesign button =
        designOf(QStringLiteral("VB.CommandButton"), QStringLiteral("cmdRefrescar"), 90, 480, 375,
                 375, {{QStringLiteral("caption"), QStringLiteral("R")}});
    forms::ControlDesign fechas =
        designOf(QStringLiteral("VB.Label"), QStringLiteral("lbFechas"), 840, 480, 300, 255,
                 {{QStringLiteral("caption"), QStringLiteral("Fechas:")}});
    forms::ControlDesign desde =
        designOf(QStringLiteral("VB.TextBox"), QStringLiteral("txtDesde"), 1680, 480, 1935, 300);
    forms::ControlDesign tipo =
        designOf(QStringLiteral("VB.Label"), QStringLiteral("lbTipo"), 900, 1200, 600, 255, right);
    forms::ControlDesign codigo =
        designOf(QStringLiteral("VB.TextBox"), QStringLiteral("txtTipo"), 1680, 1200, 1455, 300);
    // Wider than the room between its neighbours: it takes all of that room.
    forms::ControlDesign apretada =
        designOf(QStringLiteral("VB.Label"), QStringLiteral("lbApretada"), 3300, 1200, 300, 255,
                 {{QStringLiteral("caption"), QStringLiteral("Una etiqueta muy larga:")}});
    forms::ControlDesign vecino =
        designOf(QStringLiteral("VB.TextBox"), QStringLiteral("txtVecino"), 4200, 1200, 1455, 300);
    d.controls << button << fechas << desde << tipo << codigo << apretada << vecino;
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
    for (const auto& [label, before, after] :
         std::vector<std::tuple<const char*, const char*, const char*>>{
             {"lbFechas", "cmdRefrescar", "txtDesde"},
             {"lbTipo", nullptr, "txtTipo"},
             {"lbApretada", "txtTipo", "txtVecino"}}) {
        const QRect g = geometry(label);
        EXPECT_LE(g.right(), geometry(after).left() - 1) << label;
        EXPECT_GE(g.left(), before ? geometry(before).right() + 1 : 0) << label;
        if (QLatin1String(label) != QLatin1String("lbApretada")) {
            EXPECT_GE(g.width(), textWidth(label)) << label;
        }
    }
    EXPECT_EQ(geometry("lbApretada").left(), geometry("txtTipo").right() + 1);
    EXPECT_EQ(geometry("lbApretada").right(), geometry("txtVecino").left() - 1);
    // The right-aligned label grew to the left and kept its right edge.
    EXPECT_EQ(geometry("lbTipo").right(), forms::twipsToPixelsX(1500) - 1);
    EXPECT_EQ(geometry("txtDesde").topLeft(),
              QPoint(forms::twipsToPixelsX(1680), forms::twipsToPixelsY(480)));
}

TEST(Etiquetas, AButtonHiddenUnderAnotherControlIsNoTabStop) {
    forms::FormDesign d = framedDesign();
    // Under the first box, created after it as the board's detail button is under its search
    // box: the box is raised over it.
    forms::ControlDesign hidden =
        designOf(QStringLiteral("VB.CommandButton"), QStringLiteral("cmdVer"), 300, 450, 375, 375,
                 {{QStringLiteral("caption"), QStringLiteral("Ver")}});
    hidden.tabIndex = 0;
    d.controls << hidden;
    ScriptedForm form(d);
    form.Show();
    form.ctl(QStringLiteral("txtPrimero")).widget()->raise();
    const auto tabFromFirst = [&] {
        form.ctl(QStringLiteral("txtPrimero")).SetFocus();
        QTest::keyClick(form.window()->focusWidget(), Qt::Key_Tab);
        return form.ActiveControlName();
    };
    EXPECT_EQ(tabFromFirst(), QStringLiteral("txtDentro"));
    // Moved clear of the box, it takes its turn again.
    form.ctl(QStringLiteral("cmdVer")).setLeft(6000);
    EXPECT_EQ(tabFromFirst(), QStringLiteral("cmdVer"));
}

TEST(LugarDeVentanas, AResizableWindowReopensWhereItWasLeftAndInsideTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    forms::FormDesign fixed = framedDesign();
    fixed.name = QStringLiteral("frmFija");
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
    const QString file =
        QDir(qEnvironmentVariable("XDG_CONFIG_HOME"))
            .filePath(QCoreApplication::applicationName() + QStringLiteral("/ventanas.ini"));
    EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();

    sizable.Show();
    EXPECT_EQ(sizable.window()->geometry(), QRect(QPoint(40, 30), designSize - QSize(30, 20)));
    fixedForm.Show();
    EXPECT_EQ(fixedForm.window()->size(), designSize);
    sizable.Unload();
    fixedForm.Unload();

    // A place on a screen that is gone, larger than the one there is: inside it, as large as it.
    for (const QRect& lost :
         {QRect(5000, 4000, 300, 200), QRect(-900, -700, 300, 200), QRect(10, 10, 5000, 4000)}) {
        QSettings(file, QSettings::IniFormat)
            .setValue(QStringLiteral("frmMedidas/geometria"), lost);
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
