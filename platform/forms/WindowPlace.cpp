#include "WindowPlace.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace forms {

namespace {

QSettings settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope,
                     QCoreApplication::applicationName(), QStringLiteral("ventanas"));
}

QString key(const QString& name, const char* what) {
    return name + QLatin1Char('/') + QLatin1String(what);
}

} // namespace

void WindowPlace::save(const QWidget* window, const QString& name) {
    if (name.isEmpty())
        return;
    QSettings s = settings();
    const bool maximized = window->isMaximized();
    s.setValue(key(name, "geometria"), maximized ? window->normalGeometry() : window->geometry());
    s.setValue(key(name, "maximizada"), maximized);
    s.sync();
    if (s.status() != QSettings::NoError)
        qWarning("The place of window %s could not be saved in %s", qUtf8Printable(name),
                 qUtf8Printable(s.fileName()));
}

bool WindowPlace::restore(QWidget* window, const QString& name, bool withPlace) {
    if (name.isEmpty())
        return false;
    const QSettings s = settings();
    const QRect saved = s.value(key(name, "geometria")).toRect();
    if (!saved.isValid())
        return false;
    QRect wanted = saved;
    if (!withPlace)
        wanted.moveCenter(window->geometry().center());
    const QSize smallest = window->minimumSize();
    wanted.setSize(wanted.size().expandedTo(smallest).boundedTo(window->maximumSize()));
    const QRect fitted = onScreen(wanted);
    if (withPlace)
        window->setGeometry(fitted);
    else
        window->resize(fitted.size());
    if (withPlace && s.value(key(name, "maximizada")).toBool())
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    return true;
}

void WindowPlace::keepOnScreen(QWidget* window) {
    if (window->isMaximized() || window->isFullScreen())
        return;
    const QRect frame = window->frameGeometry();
    const QRect fitted = onScreen(frame);
    if (fitted == frame)
        return;
    const QRect client = window->geometry();
    window->setGeometry(fitted.adjusted(client.left() - frame.left(), client.top() - frame.top(),
                                        client.right() - frame.right(),
                                        client.bottom() - frame.bottom()));
}

QRect WindowPlace::onScreen(const QRect& rect) {
    QScreen* screen = QGuiApplication::screenAt(rect.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return rect;
    const QRect area = screen->availableGeometry();
    QRect r(rect.topLeft(), rect.size().boundedTo(area.size()));
    r.moveLeft(std::clamp(r.left(), area.left(), area.right() + 1 - r.width()));
    r.moveTop(std::clamp(r.top(), area.top(), area.bottom() + 1 - r.height()));
    return r;
}

} // namespace forms
