#include "LvButton.h"

#include "DesignValue.h"

#include <QApplication>
#include <QStyle>
#include <QToolButton>

namespace suite {

namespace {

struct IconRule {
    const char* words;
    const char* themeName;
    QStyle::StandardPixmap fallback;
};

// Spanish words of tooltips and control names, by the icon they ask for; first match wins.
const IconRule kRules[] = {
    {"REFRESC ACTUALIZ RECARG", "view-refresh", QStyle::SP_BrowserReload},
    {"BUSC LUPA CONSULT", "edit-find", QStyle::SP_FileDialogContentsView},
    {"VER DETALLE MOSTR", "document-preview", QStyle::SP_FileDialogDetailedView},
    {"GUARD GRABA SALVA", "document-save", QStyle::SP_DialogSaveButton},
    {"IMPRI", "document-print", QStyle::SP_FileIcon},
    {"ELIMIN BORRA QUITA", "edit-delete", QStyle::SP_TrashIcon},
    {"NUEV AGREG ALTA", "document-new", QStyle::SP_FileIcon},
    {"FILTR", "view-filter", QStyle::SP_FileDialogListView},
    {"CERRA SALIR", "window-close", QStyle::SP_DialogCloseButton},
    {"ACEPT", "dialog-ok", QStyle::SP_DialogOkButton},
    {"CANCEL", "dialog-cancel", QStyle::SP_DialogCancelButton},
};

const IconRule* ruleFor(const QString& hint) {
    const QString text = hint.toUpper();
    for (const IconRule& rule : kRules)
        for (const QString& word : QString::fromLatin1(rule.words).split(QLatin1Char(' ')))
            if (text.contains(word))
                return &rule;
    return nullptr;
}

} // namespace

LvButton::LvButton() : KitControl(new QToolButton, {QStringLiteral("Click")}) {
    QToolButton* button = view();
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(
        QStringLiteral("QToolButton { border: 1px solid transparent; border-radius: 3px; "
                       "background: transparent; }"
                       "QToolButton:hover { border-color: #AEB8C4; background: #FFFFFF; }"
                       "QToolButton:pressed { background: #DCE5EE; }"
                       "QToolButton:focus { border-color: #3B82C4; }"));
    QObject::connect(button, &QToolButton::clicked, hooks(),
                     [this] { raise(QStringLiteral("Click")); });
    chooseIcon();
}

LvButton::~LvButton() = default;

void LvButton::applyDesign(const forms::DesignKeys& keys) {
    // One button style only.
    keys.ignore({"btype"});
    if (keys.contains(QStringLiteral("tooltiptext")))
        view()->setToolTip(keys.value(QStringLiteral("tooltiptext")).toString());
    if (keys.contains(QStringLiteral("enab")))
        view()->setEnabled(DesignValue::toBool(keys.value(QStringLiteral("enab")), true));
    chooseIcon();
}

void LvButton::chooseIcon() {
    QToolButton* button = view();
    const IconRule* rule = ruleFor(button->toolTip());
    if (!rule)
        rule = ruleFor(button->objectName());
    const QIcon fallback = QApplication::style()->standardIcon(
        rule ? rule->fallback : QStyle::SP_ArrowRight, nullptr, button);
    button->setIcon(rule ? QIcon::fromTheme(QString::fromLatin1(rule->themeName), fallback)
                         : fallback);
    const int side = qMax(16, qMin(button->width(), button->height()) - 8);
    button->setIconSize(QSize(qMin(side, 24), qMin(side, 24)));
}

} // namespace suite
