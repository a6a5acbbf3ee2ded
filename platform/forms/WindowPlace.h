#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace forms {

// Where the user left a resizable window: its size and place, and whether it was maximised,
// kept per user in the standard configuration folder (ventanas.ini in the application's folder
// under XDG_CONFIG_HOME), under the form's name.
class WindowPlace {
public:
    static void save(const QWidget* window, const QString& name);
    // Gives the window its saved size, and its saved place too when withPlace; a place that no
    // screen shows any more is moved into the nearest one. False when nothing was saved.
    static bool restore(QWidget* window, const QString& name, bool withPlace);
    // Once the window is shown with its frame: the frame moved, and shrunk if need be, into the
    // available area of its screen.
    static void keepOnScreen(QWidget* window);
    // The rectangle moved, and shrunk if need be, into the available area of the screen that
    // holds its centre, or of the primary screen when none does.
    static QRect onScreen(const QRect& rect);
};

} // namespace forms
