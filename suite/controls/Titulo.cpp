#include "Titulo.h"

#include "DesignValue.h"
#include "TitleBandWidget.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>

namespace suite {

namespace {

QPixmap pictureOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QPixmap:
        return value.value<QPixmap>();
    case QMetaType::QImage:
        return QPixmap::fromImage(value.value<QImage>());
    case QMetaType::QIcon:
        return value.value<QIcon>().pixmap(32, 32);
    default:
        return value.toString().isEmpty() ? QPixmap() : QPixmap(value.toString());
    }
}

} // namespace

Titulo::Titulo() : KitControl(new TitleBandWidget, {QStringLiteral("SalirClick")}) {
    TitleBandWidget* band = view();
    band->setMovable(true);
    band->exitButton()->show();
    QObject::connect(band->exitButton(), &QToolButton::clicked, hooks(),
                     [this] { raise(QStringLiteral("SalirClick")); });
    QObject::connect(band->minimizeButton(), &QToolButton::clicked, hooks(),
                     [this] { view()->window()->showMinimized(); });
    QObject::connect(band->maximizeButton(), &QToolButton::clicked, hooks(), [this] {
        QWidget* window = view()->window();
        if (window->isMaximized())
            window->showNormal();
        else
            window->showMaximized();
    });
}

Titulo::~Titulo() = default;

void Titulo::applyDesign(const forms::DesignKeys& keys) {
    TitleBandWidget* band = view();
    if (keys.contains(QStringLiteral("caption")))
        band->captionLabel()->setText(keys.value(QStringLiteral("caption")).toString());
    const auto shown = [&keys](const char* key, QToolButton* button) {
        if (keys.contains(QLatin1String(key)))
            button->setVisible(DesignValue::toBool(keys.value(QLatin1String(key)), true));
    };
    shown("showminbutton", band->minimizeButton());
    shown("showmaxbutton", band->maximizeButton());
    shown("showexitbutton", band->exitButton());
    if (keys.contains(QStringLiteral("pictureicono"))) {
        const QPixmap picture = pictureOf(keys.value(QStringLiteral("pictureicono")));
        band->iconLabel()->setPixmap(picture);
        band->iconLabel()->setVisible(!picture.isNull());
    }
}

} // namespace suite
