#include "MessageBoxPresenter.h"

#include "DialogPlacement.h"
#include "Form.h"

#include <QApplication>
#include <QMessageBox>

namespace forms {

namespace {

// The icon bits of a message-box style: 16 critical, 32 question, 48 exclamation, 64 information.
QMessageBox::Icon iconOf(long style) {
    switch (style & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

void MessageBoxPresenter::show(const Message& message) {
    QWidget* owner = message.hWnd ? Form::windowFromHandle(message.hWnd) : nullptr;
    // A form still hidden (a screen that reports while it loads) is no place to show a message
    // over: the window the user is looking at is.
    if (!owner || !owner->isVisible())
        owner = DialogPlacement::callingWindow(nullptr);
    const QString title =
        message.title.isEmpty() ? QApplication::applicationDisplayName() : message.title;
    QMessageBox box(iconOf(message.style), title, message.text, QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("mensajeKestrova"));
    DialogPlacement::makeDialog(&box);
    // Database messages may hold '<' and must show as written.
    box.setTextFormat(Qt::PlainText);
    QStringList origin;
    if (!message.module.isEmpty())
        origin << message.module;
    if (!message.id.isEmpty())
        origin << message.id;
    if (!origin.isEmpty())
        box.setInformativeText(QStringLiteral("<small>%1</small>")
                                   .arg(origin.join(QStringLiteral(" · ")).toHtmlEscaped()));
    // A message shown in the middle of a long operation is answered with the ordinary pointer.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    // Only Accept exists, and no caller reads an answer.
    static_cast<void>(box.exec());
    if (busy)
        QApplication::restoreOverrideCursor();
}

} // namespace forms
