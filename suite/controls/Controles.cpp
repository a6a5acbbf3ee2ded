#include "Controles.h"

#include "DesignValue.h"
#include "TitleBandWidget.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace suite {

Controles::Controles()
    : KitControl(new TitleBandWidget, {QStringLiteral("B1Click"), QStringLiteral("B2Click"),
                                       QStringLiteral("SalirClick")}) {
    TitleBandWidget* band = view();
    band->exitButton()->show();
    QObject::connect(band->button1(), &QPushButton::clicked, hooks(),
                     [this] { raise(QStringLiteral("B1Click")); });
    QObject::connect(band->button2(), &QPushButton::clicked, hooks(),
                     [this] { raise(QStringLiteral("B2Click")); });
    QObject::connect(band->exitButton(), &QToolButton::clicked, hooks(),
                     [this] { raise(QStringLiteral("SalirClick")); });
}

Controles::~Controles() = default;

void Controles::applyDesign(const forms::DesignKeys& keys) {
    // The band has no window menu nor window list here.
    keys.ignore({"showmenupopup", "showwindowslist", "tabwidth"});
    TitleBandWidget* band = view();
    if (keys.contains(QStringLiteral("caption")))
        band->captionLabel()->setText(keys.value(QStringLiteral("caption")).toString());
    if (keys.contains(QStringLiteral("b1caption")))
        m_b1Caption = keys.value(QStringLiteral("b1caption")).toString();
    if (keys.contains(QStringLiteral("b2caption")))
        m_b2Caption = keys.value(QStringLiteral("b2caption")).toString();
    m_easyAccess =
        DesignValue::toBool(keys.value(QStringLiteral("easyaccessenabled")), m_easyAccess);
    if (keys.contains(QStringLiteral("showexitbutton")))
        band->exitButton()->setVisible(
            DesignValue::toBool(keys.value(QStringLiteral("showexitbutton")), true));
    band->setMovable(
        DesignValue::toBool(keys.value(QStringLiteral("permitir_mover")), band->isMovable()));
    updateButtons();
}

void Controles::NotificarActivacion(bool valor) {
    ++m_notifications;
    m_lastNotification = valor;
    view()->update();
}

QString Controles::Caption() {
    return view()->captionLabel()->text();
}

void Controles::setCaption(const QString& caption) {
    view()->captionLabel()->setText(caption);
}

void Controles::updateButtons() {
    const auto set = [this](QPushButton* button, const QString& caption) {
        QString text = caption;
        text.replace(QLatin1Char('&'), QLatin1String("&&"));
        if (m_easyAccess && !text.isEmpty())
            text.prepend(QLatin1Char('&'));
        button->setText(text);
        button->setVisible(!caption.isEmpty());
    };
    set(view()->button1(), m_b1Caption);
    set(view()->button2(), m_b2Caption);
}

} // namespace suite
