#pragma once

#include "KitControl.h"
#include "kt512/services/IssTbVex.h"
#include "platform/forms/IContainer.h"

#include <QColor>

class QTabWidget;

namespace suite {

// The kit's tab strip (ssTabVex.ssTbVex). Keys: tabcount, the captions (tabcaption0,
// tabcaption(0) or a list under tabcaption), tab, activetabheight (height of the tab row in
// pixels); the drawing keys (tabstyle, tabtheme, showfocusrect...) are accepted.
// Tab selects a page from code and raises nothing; a change by the user (click, arrow keys)
// raises "Click" with the previous tab. Keys pressed while the strip has the focus raise
// "KeyPress" with the character code by reference; a handler that sets it to 0 swallows the key.
// As a container it holds the controls of each page: childArea gives the page named by the
// child's "tab" key, and the child's position is relative to that page, below the tab row.
class SsTbVex : public KitControl<QTabWidget, kt512::IssTbVex, forms::IContainer> {
public:
    SsTbVex();
    ~SsTbVex() override;

    void applyDesign(const forms::DesignKeys& keys) override;
    int Tab() override;
    void setTab(int tab) override;
    QWidget* childArea(const forms::DesignKeys& childKeys) override;

    void applyScheme(const ColourScheme& scheme) override;

private:
    void setTabCount(int count);
    bool onKeyPress(int keyAscii);
    void updateStyle();

    int m_previous = 0;
    bool m_byCode = false;
    int m_tabHeight = 21;
    QColor m_back{0xF5, 0xF5, 0xF5};
};

} // namespace suite
