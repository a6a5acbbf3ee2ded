#include "ErrorReporter.h"

#include "platform/com/RuntimeError.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QtDebug>

namespace forms {

namespace {

void showInMessageBox(const QString& description, long number) {
    qWarning("Unhandled error %ld: %s", number, qUtf8Printable(description));
    // Offscreen there is nobody to dismiss the box, and a modal box would hang the process.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()) ||
        QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    QMessageBox::critical(QApplication::activeWindow(), QCoreApplication::applicationName(),
                          description);
}

ErrorReporter& currentReporter() {
    static ErrorReporter reporter = showInMessageBox;
    return reporter;
}

} // namespace

ErrorReporter setErrorReporter(ErrorReporter reporter) {
    ErrorReporter previous = std::move(currentReporter());
    currentReporter() = reporter ? std::move(reporter) : ErrorReporter(showInMessageBox);
    return previous;
}

void reportError(const QString& description, long number) {
    // A copy: the reporter may replace itself while it runs.
    const ErrorReporter reporter = currentReporter();
    reporter(description, number);
}

bool runGuarded(const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const com::RuntimeError& e) {
        reportError(e.description(), e.number());
    } catch (const std::exception& e) {
        reportError(QString::fromLocal8Bit(e.what()), 5);
    }
    return false;
}

} // namespace forms
