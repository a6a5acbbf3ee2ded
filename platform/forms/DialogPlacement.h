#pragma once

class QWidget;

namespace forms {

// How a dialog window (a modal form or a message box) meets its caller: it carries a title and a
// close button only, and opens centred over the window that called it, inside that window's
// screen. Without a window manager, and after a message box has taken the activation away,
// nothing else would put it there.
class DialogPlacement {
public:
    // The window the dialog is called from: the active window, else the modal one, else a shown
    // window of the application; nullptr when none is shown.
    static QWidget* callingWindow(const QWidget* dialog);
    // Centred over caller (over the screen when there is none), kept inside the screen.
    static void centerOver(QWidget* dialog, const QWidget* caller);
    // A dialog's frame: no minimise or maximise button. Call it while the window is hidden.
    static void makeDialog(QWidget* window);
};

} // namespace forms
