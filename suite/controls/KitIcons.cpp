#include "KitIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace suite {

namespace {

const QColor kInk(0x3C, 0x4A, 0x5A);

QIcon drawn(const std::function<void(QPainter&)>& draw) {
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPen pen(double width) {
    QPen p(kInk, width);
    p.setCapStyle(Qt::RoundCap);
    return p;
}

} // namespace

QIcon KitIcons::magnifier() {
    return drawn([](QPainter& p) {
        p.setPen(pen(1.6));
        p.drawEllipse(QRectF(2.5, 2.5, 8, 8));
        p.setPen(pen(2.2));
        p.drawLine(QPointF(9.5, 9.5), QPointF(13.5, 13.5));
    });
}

QIcon KitIcons::close() {
    return drawn([](QPainter& p) {
        p.setPen(pen(1.8));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
    });
}

QIcon KitIcons::minimize() {
    return drawn([](QPainter& p) {
        p.setPen(pen(1.8));
        p.drawLine(QPointF(4, 11.5), QPointF(12, 11.5));
    });
}

QIcon KitIcons::maximize() {
    return drawn([](QPainter& p) {
        p.setPen(pen(1.5));
        p.drawRect(QRectF(4, 4, 8, 8));
    });
}

} // namespace suite
