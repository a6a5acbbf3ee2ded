#include "Messages.h"

#include "MessageBoxPresenter.h"
#include "platform/com/ApplicationOwned.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace forms {

namespace {

class PresenterOfApplication : public QObject {
public:
    using QObject::QObject;
    std::shared_ptr<MessagePresenter> presenter = std::make_shared<MessageBoxPresenter>();
};

// One JSON object per line, so that tools and tests outside the process see what the user was
// shown.
void appendToMessageLog(const Message& message) {
    const QString path = qEnvironmentVariable("KESTROVA_MESSAGE_LOG");
    if (path.isEmpty())
        return;
    const QJsonObject line{{QStringLiteral("text"), message.text},
                           {QStringLiteral("style"), qint64(message.style)},
                           {QStringLiteral("title"), message.title},
                           {QStringLiteral("module"), message.module},
                           {QStringLiteral("id"), message.id}};
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        qWarning("Cannot append to the message log %s: %s", qPrintable(path),
                 qPrintable(file.errorString()));
        return;
    }
    // One write per line keeps lines of several processes whole (O_APPEND).
    if (file.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n') < 0)
        qWarning("Cannot write to the message log %s: %s", qPrintable(path),
                 qPrintable(file.errorString()));
}

} // namespace

void showMessage(const Message& message, MessagePresenter* presenter) {
    appendToMessageLog(message);
    // A copy: the presenter may be replaced while its box is open.
    const std::shared_ptr<MessagePresenter> own =
        presenter ? nullptr : com::applicationOwned<PresenterOfApplication>().presenter;
    (presenter ? *presenter : *own).show(message);
}

MessagePresenter& messagePresenter() {
    return *com::applicationOwned<PresenterOfApplication>().presenter;
}

std::shared_ptr<MessagePresenter> setMessagePresenter(std::shared_ptr<MessagePresenter> presenter) {
    auto& owned = com::applicationOwned<PresenterOfApplication>();
    std::shared_ptr<MessagePresenter> previous = std::move(owned.presenter);
    owned.presenter = presenter ? std::move(presenter) : std::make_shared<MessageBoxPresenter>();
    return previous;
}

} // namespace forms
