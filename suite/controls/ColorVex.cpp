#include "ColorVex.h"

#include <QAbstractItemView>
#include <QWidget>

namespace suite {

ColorVex::ColorVex() : KitControl(new QWidget, {}) {
    view()->setAttribute(Qt::WA_TransparentForMouseEvents);
    view()->setFocusPolicy(Qt::NoFocus);
    view()->hide();
}

ColorVex::~ColorVex() = default;

void ColorVex::applyDesign(const forms::DesignKeys& keys) {
    const QVariantMap& all = keys.all();
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        m_keys.insert(it.key(), it.value());
    m_scheme = ColourScheme::fromKeys(m_keys);
    view()->hide();
}

void ColorVex::AplicarColores() {
    QWidget* window = view()->window();
    if (window == view())
        return;
    QPalette p = window->palette();
    p.setColor(QPalette::Window, m_scheme.back);
    window->setPalette(p);
    window->setAutoFillBackground(true);

    const auto children = window->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (KitObject* control = KitObject::of(child)) {
            control->applyScheme(m_scheme);
        } else if (auto* list = qobject_cast<QAbstractItemView*>(child)) {
            QPalette lp = list->palette();
            // Rows count from 1 in the suite: its odd rows are the view's rows 0, 2, 4...
            if (m_scheme.gridBack.isValid())
                lp.setColor(QPalette::Base, m_scheme.gridBack);
            if (m_scheme.gridOdd.isValid())
                lp.setColor(QPalette::Base, m_scheme.gridOdd);
            if (m_scheme.gridEven.isValid())
                lp.setColor(QPalette::AlternateBase, m_scheme.gridEven);
            list->setPalette(lp);
        }
    }
}

} // namespace suite
