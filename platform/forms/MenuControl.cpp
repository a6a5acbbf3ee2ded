#include "MenuControl.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

namespace forms {

struct MenuControl::State {
    QString caption;
    bool enabled = true;
    QPointer<QAction> action;       // an item's entry in its parent menu
    std::unique_ptr<QMenu> submenu; // an item's own items
};

MenuControl::MenuControl()
    : ControlObject(new QMenu, {QStringLiteral("Click")}), d(std::make_unique<State>()) {}

MenuControl::~MenuControl() {
    delete d->action.data();
    d->submenu.reset();
}

void MenuControl::applyDesign(const DesignKeys& keys) {
    d->caption = keys.value(QStringLiteral("caption")).toString();
    if (d->action) {
        if (d->caption == QLatin1String("-"))
            d->action->setSeparator(true);
        else
            d->action->setText(d->caption);
        if (keys.contains(QStringLiteral("visible")))
            d->action->setVisible(keys.value(QStringLiteral("visible")).toBool());
        if (keys.contains(QStringLiteral("checked"))) {
            d->action->setCheckable(true);
            d->action->setChecked(keys.value(QStringLiteral("checked")).toBool());
        }
    } else if (QWidget* menu = widget()) {
        static_cast<QMenu*>(menu)->setTitle(d->caption);
        // A top-level menu only ever opens as a popup: there is no menu bar to hide it from.
        keys.ignore({"visible"});
    }
    if (keys.contains(QStringLiteral("enabled")))
        setEnabled(keys.value(QStringLiteral("enabled")).toBool());
}

QString MenuControl::Caption() const {
    return d->caption;
}

bool MenuControl::Enabled() const {
    return d->enabled;
}

void MenuControl::setEnabled(bool enabled) {
    d->enabled = enabled;
    if (d->action)
        d->action->setEnabled(enabled);
    else if (QWidget* menu = widget())
        menu->setEnabled(enabled);
}

void MenuControl::attachTo(MenuControl& parent, const QString& objectName) {
    // An item draws nothing of its own: its entry lives in the parent's menu.
    replaceWidget(nullptr);
    QMenu* menu = parent.popup();
    d->action = menu->addAction(QString());
    d->action->setObjectName(objectName);
}

QMenu* MenuControl::popup() {
    if (d->action) {
        if (!d->submenu) {
            d->submenu = std::make_unique<QMenu>();
            d->action->setMenu(d->submenu.get());
        }
        return d->submenu.get();
    }
    return static_cast<QMenu*>(widget());
}

QAction* MenuControl::action() const {
    return d->action.data();
}

void MenuControl::raiseClick() {
    events().fire(QStringLiteral("Click"));
}

} // namespace forms
