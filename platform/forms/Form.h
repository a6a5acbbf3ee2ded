#pragma once

#include "Extender.h"
#include "FormDesign.h"
#include "IControl.h"
#include "IEventSource.h"
#include "platform/com/Dispatch.h"
#include "platform/com/Ptr.h"

#include <QObject>
#include <memory>

class QWidget;

namespace forms {

class ListView;
class MonthView;
class Timer;
class Menu;

enum class ShowMode { Modeless = 0, Modal = 1 };

// Shift mask of key events, as VB passes it.
enum ShiftMask { ShiftKey = 1, CtrlKey = 2, AltKey = 4 };

// A form of the forms runtime. The object is the form's (default) instance: it lives on while
// its window and controls come and go. Touching a control, the window or the handle loads the
// form first; loading creates the window and every control of the design, wires the events
// (connectEvents) and then runs Form_Load. Unload runs Form_Unload, releases the controls and
// destroys the window; member values stay. The form is unloaded at once (hidden, its handle
// gone, the next access loads it anew), while the old controls and window are destroyed when
// the event loop next runs, so that a control may unload its form from its own event. A modal
// Show runs a nested event loop until the form is hidden or unloaded.
//
// Errors escaping the handlers the runtime calls from the event loop (activation, resize, keys,
// closing the window, the controls' events) go to the error reporter (ErrorReporter.h).
//
// As a COM object it offers IDispatch with "Show" (method, optional modal flag), "Hide",
// "Unload", "hWnd" and "Caption", plus whatever invokeMember adds, and IEventSource raising
// "Load", "Activate", "Resize" and "Unload".
class Form : public QObject, public com::IDispatch, public IEventSource {
    Q_OBJECT
public:
    explicit Form(FormDesign design);
    ~Form() override;

    const FormDesign& design() const;
    QString name() const;

    bool isLoaded() const;
    void Load();
    void Unload();
    void Show(ShowMode mode = ShowMode::Modeless);
    void Hide();
    bool isVisible() const;

    qintptr hWnd();
    QWidget* window();
    QString Caption();
    void setCaption(const QString& caption);

    // Inner size in twips.
    int ScaleWidth();
    int ScaleHeight();

    // Controls, by design name (and index within a control array).
    Extender ctl(const QString& name, int index = -1);
    com::Ptr<IControl> controlObject(const QString& name, int index = -1);
    template <class I> com::Ptr<I> control(const QString& name, int index = -1) {
        return controlObject(name, index).template as<I>();
    }
    ListView& listView(const QString& name);
    MonthView& monthView(const QString& name);
    Timer& timer(const QString& name);
    Menu& menu(const QString& name);

    // Name of the control that has the focus; empty when none of the form's does.
    QString ActiveControlName();
    // Shows a menu of the design as a popup at (x, y) twips of the form's client area.
    void PopupMenu(const QString& menuName, int flags, int x, int y);

    // Finds the window of a handle given out by hWnd; nullptr when it is gone.
    static QWidget* windowFromHandle(qintptr handle);

    // IUnknown, IDispatch, IEventSource
    void* queryInterface(const QUuid& iid) override;
    unsigned long addRef() override;
    unsigned long release() override;
    int idOfName(const QString& name) override;
    QVariant invoke(int dispId, com::InvokeKind kind, QVariantList& args) override;
    int advise(const QString& event, EventHandler handler) override;
    void unadvise(int cookie) override;

protected:
    // Wires control events to the form's handlers; runs on every load, before Form_Load.
    virtual void connectEvents() {}
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_KeyDown(int& keyCode, int shift);
    virtual void Form_KeyUp(int& keyCode, int shift);
    virtual void Form_KeyPress(int& keyAscii);
    virtual void Form_Resize() {}
    virtual void Form_Unload(int& cancel);
    // Asked before the window's own close (the frame's close button, Alt+F4) unloads the form;
    // unloadMode is 0 then, as VB's vbFormControlMenu. A dialog sets cancel and runs its own way
    // out instead, so that closing the window means what its Cancel or exit means.
    virtual void Form_QueryUnload(int& cancel, int unloadMode);
    // Late-bound members of a derived form beyond the built-in ones: their names, which are the
    // only ones idOfName hands out ids for, and their calls (the default raises 438).
    virtual QStringList memberNames() const { return {}; }
    virtual QVariant invokeMember(const QString& name, com::InvokeKind kind, QVariantList& args);
    // Raises an event to the IEventSource subscribers.
    void raiseEvent(const QString& event, QVariantList& args);

private:
    class Private;
    std::unique_ptr<Private> d;
    friend class Private;
};

} // namespace forms
