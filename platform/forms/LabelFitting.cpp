#include "LabelFitting.h"

#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace forms {

namespace {

bool sameRow(const QRect& a, const QRect& b) {
    return a.top() <= b.bottom() && b.top() <= a.bottom();
}

void fitLabel(QLabel* label) {
    if (label->wordWrap() || label->text().isEmpty() || !label->parentWidget())
        return;
    const int needed = label->sizeHint().width();
    const QRect at = label->geometry();
    // The room between the nearest controls on either side of the label's row.
    int leftLimit = 0;
    int rightLimit = label->parentWidget()->width();
    for (QObject* child : label->parentWidget()->children()) {
        auto* other = qobject_cast<QWidget*>(child);
        if (!other || other == label || other->isWindow() || other->isHidden())
            continue;
        const QRect g = other->geometry();
        if (!sameRow(g, at) || g.width() <= 0)
            continue;
        if (g.center().x() >= at.center().x())
            rightLimit = std::min(rightLimit, g.left());
        else
            leftLimit = std::max(leftLimit, g.right() + 1);
    }
    const int left = std::max(at.left(), leftLimit);
    const int right = std::min(at.right() + 1, rightLimit);
    if (right - left >= needed || rightLimit <= leftLimit)
        return;
    const int width = std::min(needed, rightLimit - leftLimit);
    const bool growsLeft = label->alignment() & Qt::AlignRight;
    int newLeft = growsLeft ? right - width : left;
    newLeft = std::clamp(newLeft, leftLimit, rightLimit - width);
    label->setGeometry(newLeft, at.top(), width, at.height());
}

} // namespace

void LabelFitting::fit(const std::vector<QPointer<QWidget>>& controls) {
    for (const QPointer<QWidget>& control : controls)
        if (auto* label = qobject_cast<QLabel*>(control.data()))
            fitLabel(label);
}

} // namespace forms
