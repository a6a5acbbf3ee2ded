#include "ErrorReporter.h"

#include "Messages.h"
#include "platform/com/ApplicationOwned.h"
#include "platform/com/Boundary.h"

#include <QtDebug>

namespace forms {

namespace {

// The critical-icon style of a message box.
constexpr long kCritical = 16;

void showToUser(const QString& description, long number) {
    Message message;
    message.text = description;
    message.style = kCritical;
    message.title = QCoreApplication::applicationName();
    message.id = QString::number(number);
    showMessage(message);
}

class ReporterOfApplication : public QObject {
public:
    using QObject::QObject;
    ErrorReporter reporter = showToUser;
};

} // namespace

ErrorReporter setErrorReporter(ErrorReporter reporter) {
    auto& owned = com::applicationOwned<ReporterOfApplication>();
    ErrorReporter previous = std::move(owned.reporter);
    owned.reporter = reporter ? std::move(reporter) : ErrorReporter(showToUser);
    return previous;
}

void reportError(const QString& description, long number) {
    qWarning("Unhandled error %ld: %s", number, qUtf8Printable(description));
    // A copy: the reporter may replace itself while it runs.
    const ErrorReporter reporter = com::applicationOwned<ReporterOfApplication>().reporter;
    reporter(description, number);
}

bool runGuarded(const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (...) {
        const com::RuntimeError error = com::caughtError();
        reportError(error.description(), error.number());
    }
    return false;
}

} // namespace forms
