#include "Form.h"

#include "CommonControls.h"
#include "DialogPlacement.h"
#include "ErrorReporter.h"
#include "EventHandlers.h"
#include "FormWindow.h"
#include "IContainer.h"
#include "KeyCodes.h"
#include "KeyPropagation.h"
#include "LabelFitting.h"
#include "ListView.h"
#include "MenuControl.h"
#include "MonthView.h"
#include "Timer.h"
#include "Twips.h"
#include "WindowPlace.h"
#include "platform/com/ApplicationOwned.h"
#include "platform/com/Runtime.h"
#include "platform/com/RuntimeError.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHash>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <map>
#include <vector>

namespace forms {

namespace {

enum DispId { ShowId = 1, HideId, UnloadId, HWndId, CaptionId, FirstMemberId = 1000 };

com::RuntimeError notSupported() {
    return com::RuntimeError(QStringLiteral("Object doesn't support this property or method"), 438);
}

} // namespace

class Form::Private : public QObject {
public:
    struct Entry {
        QString name;
        int index;
        com::Ptr<IControl> control;
    };
    struct Retired {
        std::vector<com::Ptr<IControl>> controls; // in the order they are to be released
        QPointer<QWidget> window;
    };

    Private(Form* form, FormDesign formDesign)
        : q(form), design(std::move(formDesign)),
          subscribers({QStringLiteral("Load"), QStringLiteral("Activate"), QStringLiteral("Resize"),
                       QStringLiteral("Unload")}) {}

    Form* q;
    FormDesign design;
    QPointer<QWidget> window;
    // The live window's address, to find its entries once it is already gone.
    const QWidget* windowKey = nullptr;
    qintptr handle = 0;
    bool loaded = false;
    bool unloading = false;
    std::vector<Entry> controls;
    std::vector<Retired> retired;
    EventHandlers subscribers;
    std::vector<QEventLoop*> modalLoops;
    QHash<QString, int> memberIds;
    QStringList memberNames;
    std::atomic<unsigned long> refs{0};
    int activationSeen = 0;
    // Whether the window has been shown since it was created: its saved place applies once.
    bool placed = false;

    class KeyPreview;
    class Shared;
    static Shared& shared();
    static Shared* sharedIfAny();
    static void installKeyPreview();

    void createWindow();
    Entry createControl(const ControlDesign& design, QWidget* window,
                        const std::vector<Entry>& created);
    const Entry& find(const QString& name, int index) const;
    void retire();
    void windowDestroyed(QObject* gone);
    // Drops the window's entries among the application's forms and handles.
    void forget();
    void flushRetired();
    void quitModalLoops();
    void activated();
    // A resizable window keeps where the user left it.
    bool remembersPlace() const { return design.sizable && window && window->isWindow(); }
    void savePlace();
    void fitLabels();
    bool previewKey(QObject* receiver, QKeyEvent* event);
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// What the runtime keeps of the application's forms. It goes with the application.
class Form::Private::Shared : public QObject {
public:
    using QObject::QObject;
    // Window handles are never given out twice in an application.
    qintptr nextHandle = 0x10010;
    std::map<qintptr, QPointer<QWidget>> handles;
    std::map<const QWidget*, Private*> loadedForms;
    // Activation between the application's own windows. Returning from another application, or
    // from a message box, activates no form anew; a form that takes over from another form does.
    QPointer<QWidget> activeTop;
    int activation = 0;
    QPointer<KeyPreview> keyPreview;
};

// Sees every key event of the application before its receiver does and hands those of a form
// with key preview to that form.
class Form::Private::KeyPreview : public QObject {
public:
    using QObject::QObject;
    bool resending = false;

private:
    KeyPropagation m_propagation;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        if (resending || !watched->isWidgetType())
            return false;
        if (!m_propagation.firstDelivery(watched, event))
            return false;
        // The nearest form within the same window: a message box, a menu or a calendar popup
        // owned by a form keeps its keys.
        const auto& forms = shared().loadedForms;
        for (const QWidget* w = static_cast<QWidget*>(watched); w; w = w->parentWidget()) {
            const auto it = forms.find(w);
            if (it != forms.end()) {
                if (!it->second->design.keyPreview)
                    return false;
                return it->second->previewKey(watched, static_cast<QKeyEvent*>(event));
            }
            if (w->isWindow())
                break;
        }
        return false;
    }
};

Form::Private::Shared& Form::Private::shared() {
    return com::applicationOwned<Shared>();
}

Form::Private::Shared* Form::Private::sharedIfAny() {
    return com::applicationOwnedIfAny<Shared>();
}

void Form::Private::installKeyPreview() {
    Shared& all = shared();
    if (!all.keyPreview) {
        all.keyPreview = new KeyPreview(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(all.keyPreview);
    }
}

bool Form::Private::previewKey(QObject* receiver, QKeyEvent* event) {
    const QPointer<QWidget> before = window;
    // A key that unloaded its form goes no further.
    auto gone = [&] { return !loaded || window != before; };
    const int shift = vbShift(event->modifiers());
    const int code = vbKeyCode(*event);
    if (event->type() == QEvent::KeyRelease) {
        if (!code)
            return false;
        int keyCode = code;
        runGuarded([&] { q->Form_KeyUp(keyCode, shift); });
        return keyCode == 0 || gone();
    }
    if (code) {
        int keyCode = code;
        runGuarded([&] { q->Form_KeyDown(keyCode, shift); });
        if (keyCode == 0 || gone())
            return true;
    }
    const int ascii = vbKeyAscii(*event);
    if (!ascii)
        return false;
    int keyAscii = ascii;
    runGuarded([&] { q->Form_KeyPress(keyAscii); });
    if (keyAscii == 0 || gone())
        return true;
    if (keyAscii == ascii)
        return false;
    // The control receives the character the handler made of the key instead.
    const QChar character(keyAscii);
    const int key =
        character.toUpper().unicode() < 0x7f ? character.toUpper().unicode() : int(Qt::Key_unknown);
    QKeyEvent replacement(QEvent::KeyPress, key, event->modifiers(), QString(character),
                          event->isAutoRepeat(), ushort(event->count()));
    KeyPreview* preview = shared().keyPreview;
    preview->resending = true;
    QCoreApplication::sendEvent(receiver, &replacement);
    preview->resending = false;
    return true;
}

void Form::Private::createWindow() {
    auto* w = new FormWindow;
    w->setObjectName(design.name);
    w->setWindowTitle(design.caption);
    if (design.backColor.isValid()) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Window, design.backColor);
        w->setPalette(palette);
        w->setAutoFillBackground(true);
    }
    w->resize(twipsToPixelsX(design.clientWidth), twipsToPixelsY(design.clientHeight));
    if (!design.sizable)
        w->setFixedSize(w->size());

    std::vector<Entry> created;
    try {
        for (const ControlDesign& c : design.controls)
            created.push_back(createControl(c, w, created));
    } catch (...) {
        while (!created.empty())
            created.pop_back();
        delete w;
        throw;
    }

    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (size_t i = 0; i < created.size(); ++i) {
        const int tabIndex = design.controls.at(qsizetype(i)).tabIndex;
        QWidget* cw = created[i].control->widget();
        if (tabIndex >= 0 && cw && w->isAncestorOf(cw))
            tabOrder.emplace_back(tabIndex, cw);
    }
    std::stable_sort(tabOrder.begin(), tabOrder.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QPointer<QWidget>> order;
    for (const auto& entry : tabOrder)
        order.emplace_back(entry.second);
    w->setTabOrder(std::move(order));

    window = w;
    windowKey = w;
    placed = false;
    controls = std::move(created);
    Shared& all = shared();
    handle = all.nextHandle++;
    all.handles[handle] = w;
    all.loadedForms[w] = this;
    w->installEventFilter(this);
    // The window may go without the form's doing: a host that adopted it deletes it with its own.
    connect(w, &QObject::destroyed, this, &Private::windowDestroyed);
    installKeyPreview();
}

Form::Private::Entry Form::Private::createControl(const ControlDesign& c, QWidget* w,
                                                  const std::vector<Entry>& created) {
    com::Ptr<IControl> control = createCommonControl(c.progId);
    if (!control) {
        if (!com::Runtime::exists())
            throw com::RuntimeError(
                QStringLiteral("ActiveX component can't create object: %1").arg(c.progId), 429);
        control = com::Runtime::current().createInstance(c.progId).as<IControl>();
    }
    const QString objectName =
        c.index >= 0 ? c.name + QLatin1Char('_') + QString::number(c.index) : c.name;

    const Entry* holder = nullptr;
    if (!c.container.isEmpty()) {
        for (const Entry& e : created)
            if (e.name.compare(c.container, Qt::CaseInsensitive) == 0)
                holder = &e;
        if (!holder)
            throw com::RuntimeError(QStringLiteral("Control '%1' not found").arg(c.container), 730);
    }

    const DesignKeys keys(c.keys);
    // A key no one reads is a typo in the design, or a setting this runtime does not offer.
    const auto warnUnread = [&] {
        for (const QString& key : keys.unread())
            qWarning("Form %s, control %s: unknown design key '%s'", qUtf8Printable(design.name),
                     qUtf8Printable(objectName), qUtf8Printable(key));
    };
    if (auto* menu = dynamic_cast<MenuControl*>(control.get())) {
        if (holder) {
            auto* parent = dynamic_cast<MenuControl*>(holder->control.get());
            if (!parent)
                throw com::RuntimeError(QStringLiteral("'%1' is not a menu").arg(c.container), 5);
            menu->attachTo(*parent, objectName);
        } else {
            QWidget* popup = menu->widget();
            popup->setParent(w, popup->windowFlags());
            popup->setObjectName(objectName);
        }
        control->applyDesign(keys);
        warnUnread();
        return {c.name, c.index, control};
    }

    QWidget* parent = w;
    if (holder) {
        const auto container = holder->control.query<IContainer>();
        if (!container)
            throw com::RuntimeError(
                QStringLiteral("'%1' cannot hold other controls").arg(c.container), 5);
        parent = container->childArea(keys);
        if (!parent)
            parent = holder->control->widget();
    }
    QWidget* cw = control->widget();
    bool explicitlyHidden = false;
    if (cw) {
        explicitlyHidden = cw->isHidden() && cw->testAttribute(Qt::WA_WState_ExplicitShowHide);
        cw->setParent(parent);
        cw->setObjectName(objectName);
        if (c.width > 0 || c.height > 0)
            cw->setGeometry(twipsToPixelsX(c.left), twipsToPixelsY(c.top), twipsToPixelsX(c.width),
                            twipsToPixelsY(c.height));
        else
            cw->move(twipsToPixelsX(c.left), twipsToPixelsY(c.top));
    }
    control->applyDesign(keys);
    if (cw) {
        if (keys.contains(QStringLiteral("visible")) &&
            !keys.value(QStringLiteral("visible")).toBool())
            cw->hide();
        else if (!explicitlyHidden && parent && parent->isVisible())
            cw->show();
        if (keys.contains(QStringLiteral("enabled")) &&
            !keys.value(QStringLiteral("enabled")).toBool())
            cw->setEnabled(false);
    }
    warnUnread();
    return {c.name, c.index, control};
}

const Form::Private::Entry& Form::Private::find(const QString& name, int index) const {
    bool named = false;
    for (const Entry& e : controls) {
        if (e.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        named = true;
        if (e.index == index)
            return e;
    }
    if (named)
        throw com::RuntimeError(
            QStringLiteral("Control array element '%1' doesn't exist").arg(index), 340);
    throw com::RuntimeError(QStringLiteral("Control '%1' not found").arg(name), 730);
}

void Form::Private::retire() {
    QWidget* w = window;
    if (!w) {
        windowDestroyed(nullptr);
        return;
    }
    loaded = false;
    forget();
    w->removeEventFilter(this);
    disconnect(w, &QObject::destroyed, this, &Private::windowDestroyed);
    if (Shared* all = sharedIfAny(); all && all->activeTop == w->window())
        all->activeTop = nullptr;
    quitModalLoops();
    savePlace();

    // The window and its controls go once the event loop runs again: an unload inside an event
    // of one of them (a button that closes its form) must not delete it under its own feet.
    // Until then nothing of them is reachable: hidden, nameless, timers stopped.
    Retired r;
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        if (const auto timer = it->control.query<Timer>())
            timer->setEnabled(false);
        r.controls.push_back(it->control);
    }
    r.window = w;
    controls.clear();
    window = nullptr;
    w->hide();
    w->setObjectName(QString());
    retired.push_back(std::move(r));
    QTimer::singleShot(0, this, [this] { flushRetired(); });
}

// The live window is gone: the form is unloaded without its unload handler, which would find
// no window to work on. The controls' widgets went with the window.
void Form::Private::windowDestroyed(QObject* gone) {
    if (gone && gone != windowKey)
        return;
    loaded = false;
    forget();
    window = nullptr;
    quitModalLoops();
    std::vector<Entry> released;
    released.swap(controls);
    while (!released.empty())
        released.pop_back();
}

void Form::Private::forget() {
    if (Shared* all = sharedIfAny()) {
        all->loadedForms.erase(windowKey);
        all->handles.erase(handle);
    }
    handle = 0;
    windowKey = nullptr;
}

void Form::Private::flushRetired() {
    std::vector<Retired> gone;
    gone.swap(retired);
    for (Retired& r : gone) {
        // Controls first: each deletes its own widget, then the window goes with what is left.
        r.controls.clear();
        delete r.window.data();
    }
}

void Form::Private::quitModalLoops() {
    for (QEventLoop* loop : modalLoops)
        loop->quit();
}

void Form::Private::savePlace() {
    if (placed && remembersPlace())
        WindowPlace::save(window, design.name);
}

void Form::Private::fitLabels() {
    std::vector<QPointer<QWidget>> widgets;
    widgets.reserve(controls.size());
    for (const Entry& e : controls)
        widgets.emplace_back(e.control->widget());
    LabelFitting::fit(widgets);
}

void Form::Private::activated() {
    Shared& all = shared();
    QWidget* top = window->window();
    if (top != all.activeTop) {
        all.activeTop = top;
        ++all.activation;
    }
    if (activationSeen == all.activation)
        return;
    activationSeen = all.activation;
    runGuarded([this] {
        q->Form_Activate();
        QVariantList args;
        subscribers.raise(QStringLiteral("Activate"), args);
    });
}

bool Form::Private::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window)
        return false;
    switch (event->type()) {
    case QEvent::WindowActivate:
        if (loaded)
            activated();
        break;
    case QEvent::Resize:
        if (loaded)
            runGuarded([this] {
                q->Form_Resize();
                QVariantList args;
                subscribers.raise(QStringLiteral("Resize"), args);
            });
        break;
    case QEvent::Hide:
        if (!window->isVisible()) {
            if (Shared* all = sharedIfAny(); all && all->activeTop == window->window())
                all->activeTop = nullptr;
            savePlace();
            quitModalLoops();
        }
        break;
    case QEvent::Close: {
        // Closing the window is unloading the form, which its query or unload handler may
        // refuse.
        runGuarded([this] {
            int cancel = 0;
            q->Form_QueryUnload(cancel, 0);
            if (cancel == 0)
                q->Unload();
        });
        if (loaded && window == watched) {
            event->ignore();
            return true;
        }
        event->accept();
        return true;
    }
    default:
        break;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------

Form::Form(FormDesign design) : d(std::make_unique<Private>(this, std::move(design))) {}

Form::~Form() {
    // The instance goes with its module: no unload handler runs any more.
    if (d->loaded)
        d->retire();
    d->flushRetired();
}

const FormDesign& Form::design() const {
    return d->design;
}

QString Form::name() const {
    return d->design.name;
}

bool Form::isLoaded() const {
    return d->loaded;
}

void Form::Load() {
    if (d->loaded)
        return;
    d->createWindow();
    d->loaded = true;
    // A failure from here on leaves the form loaded, and reaches whoever caused the load.
    connectEvents();
    Form_Load();
    // The load handler has given the labels their fonts.
    d->fitLabels();
    QVariantList args;
    d->subscribers.raise(QStringLiteral("Load"), args);
}

void Form::Unload() {
    if (!d->loaded || d->unloading)
        return;
    struct Unloading {
        bool& flag;
        explicit Unloading(bool& f) : flag(f) { flag = true; }
        ~Unloading() { flag = false; }
    } unloading(d->unloading);

    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0)
        return;
    QVariantList args{0};
    d->subscribers.raise(QStringLiteral("Unload"), args);
    if (args.value(0).toInt() != 0 || !d->loaded)
        return;
    d->retire();
}

void Form::Show(ShowMode mode) {
    Load();
    QWidget* w = d->window;
    const bool firstShow = !d->placed;
    d->placed = true;
    if (mode == ShowMode::Modeless) {
        const bool restored =
            firstShow && d->remembersPlace() && WindowPlace::restore(w, d->design.name, true);
        w->show();
        // The frame is known only now.
        if (restored)
            WindowPlace::keepOnScreen(w);
        w->raise();
        w->activateWindow();
        return;
    }
    if (w->isVisible())
        throw com::RuntimeError(QStringLiteral("Form already displayed; can't show modally"), 400);
    const QPointer<QWidget> previous = DialogPlacement::callingWindow(w);
    if (w->isWindow()) {
        DialogPlacement::makeDialog(w);
        // A dialog keeps the size it was left at, but always opens over its caller.
        if (firstShow && d->remembersPlace())
            WindowPlace::restore(w, d->design.name, false);
        DialogPlacement::centerOver(w, previous);
    }
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
    w->raise();
    w->activateWindow();

    // Until the form is hidden or unloaded (a handler run by show() may have done so already).
    // The nested loop may destroy the form itself, or its window, or the window shown before.
    const QPointer<Form> self(this);
    if (d->window == w && w->isVisible()) {
        QEventLoop loop;
        d->modalLoops.push_back(&loop);
        const int code = loop.exec();
        if (!self)
            return;
        d->modalLoops.erase(std::find(d->modalLoops.begin(), d->modalLoops.end(), &loop));
        if (d->window && d->window == w && w->isVisible()) {
            // Only the application's own exit ends the loop with the form still shown.
            qWarning("Modal display of %s ended by the application (code %d)",
                     qUtf8Printable(d->design.name), code);
            w->hide();
        }
    }
    if (d->window && d->window == w)
        w->setWindowModality(Qt::NonModal);
    if (previous && previous->isVisible())
        previous->activateWindow();
}

void Form::Hide() {
    Load();
    d->window->hide();
}

bool Form::isVisible() const {
    return d->loaded && d->window->isVisible();
}

qintptr Form::hWnd() {
    Load();
    return d->handle;
}

QWidget* Form::window() {
    Load();
    return d->window;
}

QString Form::Caption() {
    return d->loaded ? d->window->windowTitle() : d->design.caption;
}

void Form::setCaption(const QString& caption) {
    Load();
    d->window->setWindowTitle(caption);
}

int Form::ScaleWidth() {
    Load();
    return pixelsToTwipsX(d->window->width());
}

int Form::ScaleHeight() {
    Load();
    return pixelsToTwipsY(d->window->height());
}

Extender Form::ctl(const QString& name, int index) {
    Load();
    return Extender(d->find(name, index).control->widget());
}

com::Ptr<IControl> Form::controlObject(const QString& name, int index) {
    Load();
    return d->find(name, index).control;
}

// The form holds its own reference to the control for as long as it is loaded.
template <class I> static I& controlOfForm(Form& form, const QString& name) {
    return *form.control<I>(name).get();
}

ListView& Form::listView(const QString& name) {
    return controlOfForm<ListView>(*this, name);
}

MonthView& Form::monthView(const QString& name) {
    return controlOfForm<MonthView>(*this, name);
}

Timer& Form::timer(const QString& name) {
    return controlOfForm<Timer>(*this, name);
}

Menu& Form::menu(const QString& name) {
    return controlOfForm<Menu>(*this, name);
}

QString Form::ActiveControlName() {
    if (!d->loaded)
        return {};
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !d->window->isAncestorOf(focus))
        focus = d->window->focusWidget();
    for (QWidget* w = focus; w && w != d->window; w = w->parentWidget()) {
        for (const Private::Entry& e : d->controls)
            if (e.control->widget() == w)
                return e.name;
    }
    return {};
}

void Form::PopupMenu(const QString& menuName, int /*flags*/, int x, int y) {
    Load();
    auto* menu = dynamic_cast<MenuControl*>(d->find(menuName, -1).control.get());
    if (!menu)
        throw com::RuntimeError(QStringLiteral("Type mismatch"), 13);
    // The items are held here: the form may unload while the menu is open.
    std::vector<com::Ptr<IControl>> items;
    for (const Private::Entry& e : d->controls)
        if (dynamic_cast<MenuControl*>(e.control.get()))
            items.push_back(e.control);
    const com::Ptr<IControl> keep = d->find(menuName, -1).control;
    const QPoint at = d->window->mapToGlobal(QPoint(twipsToPixelsX(x), twipsToPixelsY(y)));
    QAction* picked = menu->popup()->exec(at);
    if (!picked)
        return;
    for (const auto& item : items) {
        auto* entry = dynamic_cast<MenuControl*>(item.get());
        if (entry->action() == picked) {
            entry->raiseClick();
            return;
        }
    }
}

QWidget* Form::windowFromHandle(qintptr handle) {
    const Private::Shared* all = Private::sharedIfAny();
    if (!all)
        return nullptr;
    const auto it = all->handles.find(handle);
    return it == all->handles.end() ? nullptr : it->second.data();
}

void* Form::queryInterface(const QUuid& iid) {
    void* p = nullptr;
    if (iid == com::IUnknown::IID || iid == com::IDispatch::IID)
        p = static_cast<com::IDispatch*>(this);
    else if (iid == IEventSource::IID)
        p = static_cast<IEventSource*>(this);
    if (p)
        addRef();
    return p;
}

// The instance belongs to the component, which keeps it for the life of the module: references
// are counted for the COM contract, and the last release does not delete it.
unsigned long Form::addRef() {
    return ++d->refs;
}

unsigned long Form::release() {
    return --d->refs;
}

int Form::idOfName(const QString& name) {
    static const QHash<QString, int> builtIn{{QStringLiteral("show"), ShowId},
                                             {QStringLiteral("hide"), HideId},
                                             {QStringLiteral("unload"), UnloadId},
                                             {QStringLiteral("hwnd"), HWndId},
                                             {QStringLiteral("caption"), CaptionId}};
    const QString key = name.toLower();
    if (const auto it = builtIn.constFind(key); it != builtIn.constEnd())
        return *it;
    if (const auto it = d->memberIds.constFind(key); it != d->memberIds.constEnd())
        return *it;
    if (!memberNames().contains(name, Qt::CaseInsensitive))
        throw notSupported();
    const int id = FirstMemberId + int(d->memberNames.size());
    d->memberIds.insert(key, id);
    d->memberNames.append(name);
    return id;
}

QVariant Form::invoke(int dispId, com::InvokeKind kind, QVariantList& args) {
    switch (dispId) {
    case ShowId:
        Show(args.value(0).toInt() == 1 ? ShowMode::Modal : ShowMode::Modeless);
        return {};
    case HideId:
        Hide();
        return {};
    case UnloadId:
        Unload();
        return {};
    case HWndId:
        if (kind == com::InvokeKind::PropertyPut || kind == com::InvokeKind::PropertyPutRef)
            throw notSupported();
        return QVariant::fromValue<qlonglong>(hWnd());
    case CaptionId:
        if (kind == com::InvokeKind::PropertyPut) {
            setCaption(args.value(args.size() - 1).toString());
            return {};
        }
        return Caption();
    default:
        break;
    }
    const int member = dispId - FirstMemberId;
    if (member < 0 || member >= d->memberNames.size())
        throw notSupported();
    return invokeMember(d->memberNames.at(member), kind, args);
}

int Form::advise(const QString& event, EventHandler handler) {
    return d->subscribers.add(event, std::move(handler));
}

void Form::unadvise(int cookie) {
    d->subscribers.remove(cookie);
}

void Form::Form_KeyDown(int&, int) {}

void Form::Form_KeyUp(int&, int) {}

void Form::Form_KeyPress(int&) {}

void Form::Form_Unload(int&) {}

void Form::Form_QueryUnload(int&, int) {}

QVariant Form::invokeMember(const QString&, com::InvokeKind, QVariantList&) {
    throw notSupported();
}

void Form::raiseEvent(const QString& event, QVariantList& args) {
    d->subscribers.raise(event, args);
}

} // namespace forms
