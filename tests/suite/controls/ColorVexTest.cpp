#include "KitForm.h"

#include "kt512/services/ClassIds.h"
#include "kt512/services/IcolorVEX.h"
#include "kt512/services/ItxtVEX.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

namespace progId = kt512::ControlKit;

// The colour of the middle of a widget as drawn.
QColor drawnColour(QWidget* w) {
    return w->grab().toImage().pixelColor(w->width() / 2, w->height() / 2);
}

TEST(ColorVexTest, AplicarColoresColoursTheFormAndTheBoxesWithoutColoursOfTheirOwn) {
    ktest::KitForm form;
    auto scheme = form.add<kt512::IcolorVEX>(progId::ColourScheme, "colorVEX",
                                             {{"backcolor", 16119285},
                                              {"enablecolor", "&H00E0FFFF&"},
                                              {"focuscolor", "&H00FFE5CC&"},
                                              {"textfontsize", 8.25}});
    form.add(progId::TextBox, "txtSinColor");
    form.add(progId::TextBox, "txtConColor", {{"enabledcolor", 16777215}});
    form.showActive();
    EXPECT_FALSE(form.window().findChild<QWidget*>("colorVEX")->isVisible());

    scheme->AplicarColores();
    QLineEdit* plain = form.window().findChild<QLineEdit*>("txtSinColor");
    QLineEdit* own = form.window().findChild<QLineEdit*>("txtConColor");
    EXPECT_EQ(drawnColour(&form.window()), QColor(0xF5, 0xF5, 0xF5));
    own->setFocus();
    EXPECT_EQ(drawnColour(plain), QColor(0xFF, 0xFF, 0xE0));
    EXPECT_EQ(drawnColour(own), QColor(0xCC, 0xE5, 0xFF));
    plain->setFocus();
    EXPECT_EQ(drawnColour(plain), QColor(0xCC, 0xE5, 0xFF));
    EXPECT_EQ(drawnColour(own), QColor(Qt::white));
}

} // namespace
