#include "ElidingLabel.h"

#include <QPainter>
#include <QStyle>

namespace suite {

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QSize ElidingLabel::minimumSizeHint() const {
    return {0, QLabel::minimumSizeHint().height()};
}

QFont ElidingLabel::shownFont() const {
    QFont shown = font();
    const qreal smallest = shown.pointSizeF() * 0.75;
    while (QFontMetrics(shown).horizontalAdvance(text()) > contentsRect().width() &&
           shown.pointSizeF() - 0.5 >= smallest)
        shown.setPointSizeF(shown.pointSizeF() - 0.5);
    return shown;
}

QString ElidingLabel::shownText() const {
    return QFontMetrics(shownFont()).elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void ElidingLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(shownFont());
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                          shownText(), foregroundRole());
}

} // namespace suite
