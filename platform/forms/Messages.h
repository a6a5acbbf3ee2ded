#pragma once

#include "Message.h"

#include <memory>

namespace forms {

class MessagePresenter;

// Every message meant for the user goes through here: it is appended to the file named by
// KESTROVA_MESSAGE_LOG, when there is one, and shown by the presenter given, or else by the
// application's. Nothing is left out for lack of a screen: a process that cannot show a box
// sets a presenter that records or logs instead.
void showMessage(const Message& message, MessagePresenter* presenter = nullptr);

// The application's presenter: message boxes until replaced. Replacing returns the one
// replaced; an empty presenter restores message boxes. Both raise without an application.
MessagePresenter& messagePresenter();
std::shared_ptr<MessagePresenter> setMessagePresenter(std::shared_ptr<MessagePresenter> presenter);

} // namespace forms
