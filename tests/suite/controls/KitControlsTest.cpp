// The kit's controls in a window of their own: the title band, the tab strip, the date picker
// and the colour scheme.

#include "KitForm.h"

#include "kt512/services/ClassIds.h"
#include "kt512/services/IcolorVEX.h"
#include "kt512/services/IdpFecha.h"
#include "kt512/services/IssTbVex.h"
#include "kt512/services/ItxtVEX.h"
#include "platform/com/RuntimeError.h"
#include "platform/forms/IContainer.h"
#include "suite/controls/ElidingLabel.h"
#include "tests/support/PrintQString.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTimeEdit>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

using kt512::IdpFecha;
namespace progId = kt512::ControlKit;

// The command and exit buttons a band shows, with their texts.
QStringList shownButtons(QWidget* band) {
    QStringList shown;
    for (const char* name : {"btnB1", "btnB2", "btnSalir"})
        if (auto* b = band->findChild<QAbstractButton*>(name); b->isVisible())
            shown << QLatin1String(name) + '=' + b->text();
    return shown;
}

// The board's band has its exit button only and spans the form as it grows; a dialog's band has
// Aceptar and Cancelar, draws a long caption smaller beside them, ending a longer one in "…",
// and drags its window.
TEST(ControlesTest, ABandShowsTheButtonsOfItsDesignFitsItsCaptionAndMovesItsWindow) {
    ktest::KitForm form;
    auto board = form.add(progId::Toolbar, "Tablero",
                          {{"caption", "Control de viajes"}, {"showexitbutton", "SI"}},
                          QRect(0, 0, 640, 64));
    auto dialog = form.add(progId::Toolbar, "Filtros",
                           {{"b1caption", "Aceptar"},
                            {"b2caption", "Cancelar"},
                            {"showexitbutton", "NO"},
                            {"permitir_mover", true}},
                           QRect(0, 100, 640, 64));
    form.showActive();
    EXPECT_EQ(board->widget()->findChild<QLabel*>("caption")->text(), "Control de viajes");
    EXPECT_EQ(shownButtons(board->widget()), QStringList{"btnSalir="});
    EXPECT_EQ(shownButtons(dialog->widget()), (QStringList{"btnB1=Aceptar", "btnB2=Cancelar"}));

    auto* caption = dialog->widget()->findChild<suite::ElidingLabel*>("caption");
    const QString largo = "Reprogramar viajes — Viaje 0001000024, sucursal 0001";
    for (const QString& texto : {largo, largo + QStringLiteral(" Monterrey Centro ") + largo}) {
        caption->setText(texto);
        QApplication::processEvents();
        ASSERT_LE(caption->geometry().right(),
                  dialog->widget()->findChild<QWidget*>("btnB1")->geometry().left());
        EXPECT_EQ(caption->text(), texto);
        EXPECT_LT(caption->shownFont().pointSizeF(), caption->font().pointSizeF());
        EXPECT_EQ(caption->shownText(),
                  texto == largo ? largo : caption->shownText().chopped(1) + QChar(0x2026));
    }

    // Dragged by its caption, which lets the presses through to the band.
    const QPoint before = form.window().pos();
    QWindow* ventana = form.window().windowHandle();
    const QPoint en = caption->mapTo(&form.window(), caption->rect().center());
    QTest::mousePress(ventana, Qt::LeftButton, {}, en);
    QTest::mouseMove(ventana, en + QPoint(40, 20));
    // The window followed the pointer, which is over the same spot of it again.
    QTest::mouseRelease(ventana, Qt::LeftButton, {}, en);
    EXPECT_EQ(form.window().pos(), before + QPoint(40, 20));
    form.window().resize(900, 400);
    EXPECT_EQ(board->widget()->width(), 900);
}

// The strip of the rescheduling screen, orders on the first tab and shipments on the second,
// each tab the container of its controls. Code selects a tab without Click; the user's click or
// arrow key raises it with the tab left, and the keys that give a character reach KeyPress.
TEST(SsTbVexTest, EachTabHoldsItsControlsAndOnlyTheUserRaisesClick) {
    ktest::KitForm form;
    auto control = form.add(
        progId::TabStrip, "ssTabVex",
        {{"tabcount", 2}, {"tabcaption0", "Ordenes"}, {"tabcaption1", "Embarques"}, {"tab", 0}},
        QRect(8, 8, 500, 300));
    auto strip = control.as<kt512::IssTbVex>();
    ktest::EventLog clicks;
    clicks.listen(*control, "Click");
    QList<int> keys;
    control->on("KeyPress", [&keys](QVariantList& args) { keys << args.value(0).toInt(); });
    auto* tabs = form.window().findChild<QTabWidget*>("ssTabVex");
    EXPECT_EQ(tabs->tabText(1), "Embarques");

    auto container = control.as<forms::IContainer>();
    EXPECT_EQ(container->childArea(QVariantMap{{"tab", 0}}), tabs->widget(0));
    QWidget* shipments = container->childArea(QVariantMap{{"tab", 1}});
    EXPECT_EQ(shipments, tabs->widget(1));
    EXPECT_THROW(container->childArea(QVariantMap{{"tab", 5}}), com::RuntimeError);
    auto inside = form.add(progId::Label, "lblEnEmbarques", {{"caption", "Embarques"}});
    inside->widget()->setParent(shipments);

    strip->setTab(1);
    EXPECT_THROW(strip->setTab(2), com::RuntimeError);
    form.showActive();
    EXPECT_TRUE(inside->widget()->isVisible());
    EXPECT_EQ(clicks.count, 0);

    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    EXPECT_EQ(strip->Tab(), 0);
    EXPECT_FALSE(inside->widget()->isVisible());
    ASSERT_EQ(clicks.count, 1);
    EXPECT_EQ(clicks.lastArgs.value(0).toInt(), 1);
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Return);
    QTest::keyClick(bar, Qt::Key_A);
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(keys, (QList<int>{13, 'a'}));
    EXPECT_EQ(strip->Tab(), 1);
    EXPECT_EQ(clicks.count, 2);
}

// A date picker keeps the time code gave it and a time picker (format 2) its date; every new
// value, from code or from the user, raises Change; Enter moves on from a picker with tabonenter.
TEST(DpFechaTest, APickerShowsItsPartKeepsTheOtherAndRaisesChangeForEveryNewValue) {
    ktest::KitForm form;
    auto dateControl = form.add(progId::DatePicker, "dpFechaInicial", {{"tabonenter", true}});
    auto date = dateControl.as<IdpFecha>();
    auto time = form.add<IdpFecha>(progId::DatePicker, "dpHoraInicial", {{"format", 2}});
    auto* dateEdit = form.window().findChild<QDateTimeEdit*>("dpFechaInicial");
    auto* timeEdit = form.window().findChild<QDateTimeEdit*>("dpHoraInicial");
    const auto step = [](QDateTimeEdit* edit, QDateTimeEdit::Section section, Qt::Key key) {
        edit->setFocus();
        edit->setCurrentSection(section);
        QTest::keyClick(edit, key);
    };
    ktest::EventLog changes;
    changes.listen(*dateControl, "Change");
    EXPECT_EQ(date->Value().time(), QTime(0, 0));
    EXPECT_TRUE(dateEdit->calendarPopup());
    EXPECT_FALSE(timeEdit->calendarPopup());

    date->setValue(QDateTime(QDate(2024, 3, 9), QTime(17, 45, 30)));
    date->setValue(QDateTime(QDate(2024, 3, 9), QTime(17, 45, 30)));
    EXPECT_EQ(changes.count, 1);
    time->setValue(QDateTime(QDate(1900, 1, 1), QTime(8, 5, 0)));
    EXPECT_EQ(dateEdit->text(), "09/03/2024");
    EXPECT_EQ(timeEdit->text(), "08:05:00");

    form.showActive();
    step(dateEdit, QDateTimeEdit::DaySection, Qt::Key_Up);
    EXPECT_EQ(date->Value(), QDateTime(QDate(2024, 3, 10), QTime(17, 45, 30)));
    EXPECT_EQ(changes.count, 2);
    step(timeEdit, QDateTimeEdit::HourSection, Qt::Key_Up);
    EXPECT_EQ(time->Value(), QDateTime(QDate(1900, 1, 1), QTime(9, 5, 0)));
    date->setValue(QDateTime(QDate(2024, 3, 10), QTime(12, 0)));
    EXPECT_EQ(changes.count, 3);

    step(dateEdit, QDateTimeEdit::DaySection, Qt::Key_Return);
    EXPECT_TRUE(timeEdit->hasFocus());
    step(timeEdit, QDateTimeEdit::HourSection, Qt::Key_Return);
    EXPECT_TRUE(timeEdit->hasFocus());
}

// The colour of the middle of a widget as drawn.
QColor drawnColour(QWidget* w) {
    return w->grab().toImage().pixelColor(w->width() / 2, w->height() / 2);
}

// The scheme is not shown; it colours the form, and the boxes without colours of their own, the
// focused one in the focus colour.
TEST(ColorVexTest, AplicarColoresColoursTheFormAndTheBoxesWithoutColoursOfTheirOwn) {
    ktest::KitForm form;
    auto scheme = form.add<kt512::IcolorVEX>(
        progId::ColourScheme, "colorVEX",
        {{"backcolor", 16119285}, {"enablecolor", "&H00E0FFFF&"}, {"focuscolor", "&H00FFE5CC&"}});
    QWidget* plain = form.add(progId::TextBox, "txtSinColor")->widget();
    QWidget* own = form.add(progId::TextBox, "txtConColor", {{"enabledcolor", 16777215}})->widget();
    form.showActive();
    EXPECT_FALSE(form.window().findChild<QWidget*>("colorVEX")->isVisible());

    scheme->AplicarColores();
    EXPECT_EQ(drawnColour(&form.window()), QColor(0xF5, 0xF5, 0xF5));
    own->setFocus();
    EXPECT_EQ(drawnColour(plain), QColor(0xFF, 0xFF, 0xE0));
    EXPECT_EQ(drawnColour(own), QColor(0xCC, 0xE5, 0xFF));
    plain->setFocus();
    EXPECT_EQ(drawnColour(plain), QColor(0xCC, 0xE5, 0xFF));
    EXPECT_EQ(drawnColour(own), QColor(Qt::white));
}

} // namespace
