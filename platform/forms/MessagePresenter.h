#pragma once

#include "Message.h"

namespace forms {

// Shows messages to the user. The application has one (Messages.h); tests put a recorder in
// its place to see what the user would have seen.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Returns once the user has dismissed the message.
    virtual void show(const Message& message) = 0;
};

} // namespace forms
