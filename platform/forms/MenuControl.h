#pragma once

#include "ControlObject.h"
#include "Menu.h"

#include <memory>

class QAction;
class QMenu;

namespace forms {

// "VB.Menu". A top-level menu is a QMenu that PopupMenu shows; an item is a QAction of its
// parent menu (and a submenu of its own once it has items). Keys: caption ("-" for a separator),
// visible, enabled, checked.
class MenuControl : public ControlObject<Menu> {
public:
    MenuControl();
    ~MenuControl() override;

    void applyDesign(const DesignKeys& keys) override;
    QString Caption() const override;
    bool Enabled() const override;
    void setEnabled(bool enabled) override;

    // Makes this menu an item of parent (before its keys are applied).
    void attachTo(MenuControl& parent, const QString& objectName);
    // The popup of a top-level menu, or the submenu of an item; created on demand.
    QMenu* popup();
    QAction* action() const;
    void raiseClick();

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace forms
