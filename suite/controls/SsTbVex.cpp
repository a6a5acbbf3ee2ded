#include "SsTbVex.h"

#include "ColourScheme.h"
#include "DesignValue.h"

#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>

namespace suite {

namespace {

// Character code of a key as the form sees it in KeyPress; 0 for keys that give none.
int keyAsciiOf(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0; // moves the focus; no character for the form
    default:
        return event->text().isEmpty() ? 0 : event->text().at(0).unicode();
    }
}

// Watches the tab row for keys; answers whether to swallow one.
class KeyWatcher : public QObject {
public:
    KeyWatcher(QObject* parent, std::function<bool(int)> onKey)
        : QObject(parent), m_onKey(std::move(onKey)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int ascii = keyAsciiOf(static_cast<QKeyEvent*>(event));
            if (ascii != 0 && m_onKey(ascii))
                return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(int)> m_onKey;
};

} // namespace

SsTbVex::SsTbVex()
    : KitControl(new QTabWidget, {QStringLiteral("Click"), QStringLiteral("KeyPress")}) {
    QTabWidget* tabs = view();
    tabs->setDocumentMode(false);
    tabs->setUsesScrollButtons(true);
    m_byCode = true;
    setTabCount(3);
    m_byCode = false;
    auto* watcher = new KeyWatcher(hooks(), [this](int ascii) { return onKeyPress(ascii); });
    // The strip's focus lives on its tab row; keys of the controls on the pages are theirs.
    tabs->tabBar()->installEventFilter(watcher);
    QObject::connect(tabs, &QTabWidget::currentChanged, hooks(), [this](int index) {
        const int previous = m_previous;
        m_previous = index;
        if (m_byCode || index < 0)
            return;
        QVariantList args{previous};
        raise(QStringLiteral("Click"), args);
    });
    updateStyle();
}

SsTbVex::~SsTbVex() = default;

void SsTbVex::applyDesign(const forms::DesignKeys& keys) {
    // The tabs take the platform's style.
    keys.ignore({"showfocusrect", "tabstyle", "tabtheme"});
    QTabWidget* tabs = view();
    if (keys.contains(QStringLiteral("tabcount")))
        setTabCount(DesignValue::toInt(keys.value(QStringLiteral("tabcount")), tabs->count()));
    const QStringList list = keys.value(QStringLiteral("tabcaption")).toStringList();
    for (int i = 0; i < tabs->count(); ++i) {
        QString caption = list.value(i);
        for (const QString& key :
             {QStringLiteral("tabcaption%1").arg(i), QStringLiteral("tabcaption(%1)").arg(i)})
            if (keys.contains(key))
                caption = keys.value(key).toString();
        if (!caption.isNull())
            tabs->setTabText(i, caption);
    }
    if (keys.contains(QStringLiteral("activetabheight")))
        m_tabHeight =
            qMax(16, DesignValue::toInt(keys.value(QStringLiteral("activetabheight")), 21));
    if (keys.contains(QStringLiteral("font")) || keys.contains(QStringLiteral("fontsize")))
        tabs->setFont(DesignValue::font(keys, tabs->font()));
    if (keys.contains(QStringLiteral("tab")))
        setTab(DesignValue::toInt(keys.value(QStringLiteral("tab")), 0));
    updateStyle();
}

int SsTbVex::Tab() {
    return view()->currentIndex();
}

void SsTbVex::setTab(int tab) {
    if (tab < 0 || tab >= view()->count())
        throw com::RuntimeError(QStringLiteral("Invalid property value"), 380);
    m_byCode = true;
    view()->setCurrentIndex(tab);
    m_byCode = false;
}

QWidget* SsTbVex::childArea(const forms::DesignKeys& childKeys) {
    const int tab = DesignValue::toInt(childKeys.value(QStringLiteral("tab")), 0);
    if (tab < 0 || tab >= view()->count())
        throw com::RuntimeError(
            QStringLiteral("The tab strip %1 has no tab %2").arg(view()->objectName()).arg(tab),
            380);
    return view()->widget(tab);
}

void SsTbVex::applyScheme(const ColourScheme& scheme) {
    m_back = scheme.back;
    updateStyle();
}

void SsTbVex::setTabCount(int count) {
    QTabWidget* tabs = view();
    count = qMax(1, count);
    const bool wasByCode = m_byCode;
    m_byCode = true;
    while (tabs->count() < count) {
        const int i = tabs->count();
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("pagina%1").arg(i));
        tabs->addTab(page, QStringLiteral("Tab %1").arg(i));
    }
    while (tabs->count() > count) {
        QWidget* page = tabs->widget(tabs->count() - 1);
        tabs->removeTab(tabs->count() - 1);
        delete page;
    }
    m_byCode = wasByCode;
}

bool SsTbVex::onKeyPress(int keyAscii) {
    QVariantList args{keyAscii};
    raise(QStringLiteral("KeyPress"), args);
    return !args.isEmpty() && args.first().toInt() == 0;
}

void SsTbVex::updateStyle() {
    view()->setStyleSheet(
        QStringLiteral(
            "QTabWidget::pane { border: 1px solid #C9D2DC; background: %1; top: -1px; }"
            "QTabBar::tab { background: #E3E9EF; color: #3C4A5A; border: 1px solid #C9D2DC;"
            " border-bottom: none; border-top-left-radius: 3px; border-top-right-radius: 3px;"
            " padding: 2px 14px; min-height: %2px; margin-right: 2px; }"
            "QTabBar::tab:selected { background: %1; color: #23364A; font-weight: 600;"
            " border-top: 2px solid #3B6EA5; }"
            "QTabBar::tab:hover:!selected { background: #EEF3F8; }"
            "QTabBar::tab:focus { color: #1F4E82; }")
            .arg(m_back.name())
            .arg(m_tabHeight - 4));
}

} // namespace suite
