#pragma once

#include <QString>
#include <functional>

namespace forms {

// Where the forms runtime sends an error that escaped an event handler of a form or a control.
// Every error is logged; the application's default reporter then shows it through the message
// presenter (Messages.h), titled with the application's name, and goes on running.
using ErrorReporter = std::function<void(const QString& description, long number)>;

// Replaces the application's reporter and returns the one it replaces; an empty reporter
// restores the default.
ErrorReporter setErrorReporter(ErrorReporter reporter);
void reportError(const QString& description, long number);

// Runs work at the boundary between the event loop and the application's handlers: an error
// of any kind (com::caughtError) goes to the reporter instead of unwinding through Qt. Returns
// false when an error was reported.
bool runGuarded(const std::function<void()>& work);

} // namespace forms
