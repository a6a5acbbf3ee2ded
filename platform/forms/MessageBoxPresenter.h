#pragma once

#include "MessagePresenter.h"

namespace forms {

// A modal QMessageBox owned by the window of the message's handle, with the icon of its style
// and the module and error identifier under the text.
class MessageBoxPresenter : public MessagePresenter {
public:
    void show(const Message& message) override;
};

} // namespace forms
