#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

namespace forms {

// The window of a form. Tab and Shift+Tab, and any control that moves the focus on as Tab
// does, follow the design's tab order: the next control by tab index that is visible, enabled,
// not hidden under a control above it and takes the focus by Tab.
class FormWindow : public QWidget {
public:
    FormWindow();

    // The controls' widgets in tab order.
    void setTabOrder(std::vector<QPointer<QWidget>> order);

protected:
    bool focusNextPrevChild(bool next) override;

private:
    std::vector<QPointer<QWidget>> m_tabOrder;
};

} // namespace forms
