#include "ShapeControl.h"

#include "VbColor.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace forms {

namespace {

class ShapeWidget : public QWidget {
public:
    int shape = 0;
    int borderWidth = 1;
    QColor border = Qt::black;
    QColor back; // invalid: transparent
    QColor fill; // invalid: transparent

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, shape >= 2);
        const int half = border.isValid() ? borderWidth / 2 : 0;
        QRectF area = QRectF(rect()).adjusted(half, half, -half - 1, -half - 1);
        if (shape == 1 || shape == 3 || shape == 5) {
            const qreal side = std::min(area.width(), area.height());
            area = QRectF(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
        }
        painter.setPen(border.isValid() ? QPen(border, borderWidth) : QPen(Qt::NoPen));
        for (const QColor& colour : {back, fill}) {
            painter.setBrush(colour.isValid() ? QBrush(colour) : QBrush(Qt::NoBrush));
            switch (shape) {
            case 2:
            case 3:
                painter.drawEllipse(area);
                break;
            case 4:
            case 5:
                painter.drawRoundedRect(area, area.width() / 10, area.height() / 10);
                break;
            default:
                painter.drawRect(area);
                break;
            }
        }
    }
};

} // namespace

ShapeControl::ShapeControl() : ControlObject(new ShapeWidget, {}) {
    widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::applyDesign(const DesignKeys& keys) {
    auto* shape = static_cast<ShapeWidget*>(widget());
    shape->shape = keys.value(QStringLiteral("shape")).toInt();
    shape->borderWidth = std::max(1, keys.value(QStringLiteral("borderwidth"), 1).toInt());
    const QColor border = vbColor(keys.value(QStringLiteral("bordercolor"), 0));
    shape->border = keys.value(QStringLiteral("borderstyle"), 1).toInt() == 0 ? QColor() : border;
    shape->back = keys.value(QStringLiteral("backstyle")).toInt() == 1
                      ? vbColor(keys.value(QStringLiteral("backcolor")))
                      : QColor();
    shape->fill = keys.value(QStringLiteral("fillstyle"), 1).toInt() == 0
                      ? vbColor(keys.value(QStringLiteral("fillcolor"), 0))
                      : QColor();
    shape->update();
}

} // namespace forms
