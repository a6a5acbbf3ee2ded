#pragma once

#include "platform/com/Unknown.h"

namespace kt512 {

// The kit's tab strip. Design keys: tabcount, tabcaption0.., tab, activetabheight, tabstyle,
// tabtheme, showfocusrect. It is a forms::IContainer: a control whose design container is the
// tab strip goes on the page its "tab" key names. Events: "Click" (previous tab) when the user changes tabs,
// "KeyPress" (keyAscii by reference). Setting Tab from code raises no Click.
class IssTbVex : public com::IUnknown {
public:
    static constexpr QUuid IID{0x3a8e5b10, 0x7d2c, 0x4f61, 0xb0, 0x3e, 0x55, 0x19, 0xc2, 0x7a, 0x01, 0x05};

    virtual int Tab() = 0;
    virtual void setTab(int tab) = 0;
};

} // namespace kt512
