#include "TitleBandWidget.h"

#include "ElidingLabel.h"
#include "KitIcons.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace suite {

namespace {

const QColor kAccent(0x3B, 0x6E, 0xA5);
const QColor kAccentIdle(0x9A, 0xA8, 0xB6);
constexpr int kRowHeight = 32;

QToolButton* windowButton(const QString& name, const QIcon& icon, const QString& tip,
                          QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(icon);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(26, 24);
    b->setIconSize(QSize(14, 14));
    b->hide();
    return b;
}

QPushButton* commandButton(const QString& name, bool primary, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumWidth(86);
    b->setFixedHeight(24);
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet(
        primary ? QStringLiteral(
                      "QPushButton { background: #3B6EA5; color: white; border: 1px solid #2F5B8A;"
                      " border-radius: 3px; padding: 0 12px; font-weight: 600; }"
                      "QPushButton:hover { background: #4A7FB8; }"
                      "QPushButton:pressed { background: #2F5B8A; }"
                      "QPushButton:disabled { background: #A7B6C6; border-color: #A7B6C6; }")
                : QStringLiteral(
                      "QPushButton { background: white; color: #23364A; border: 1px solid #AEB8C4;"
                      " border-radius: 3px; padding: 0 12px; }"
                      "QPushButton:hover { background: #EEF3F8; }"
                      "QPushButton:pressed { background: #DCE5EE; }"
                      "QPushButton:disabled { color: #9AA5B1; }"));
    b->hide();
    return b;
}

} // namespace

TitleBandWidget::TitleBandWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_StyledBackground, false);

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("icono"));
    m_icon->setFixedSize(20, 20);
    m_icon->setScaledContents(true);
    m_icon->hide();

    m_caption = new ElidingLabel(this);
    m_caption->setObjectName(QStringLiteral("caption"));
    QFont f = m_caption->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.35);
    m_caption->setFont(f);
    m_caption->setStyleSheet(QStringLiteral("color: #23364A;"));
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_b1 = commandButton(QStringLiteral("btnB1"), true, this);
    m_b2 = commandButton(QStringLiteral("btnB2"), false, this);
    m_minimize = windowButton(QStringLiteral("btnMinimizar"), KitIcons::minimize(),
                              QStringLiteral("Minimizar"), this);
    m_maximize = windowButton(QStringLiteral("btnMaximizar"), KitIcons::maximize(),
                              QStringLiteral("Maximizar"), this);
    m_exit =
        windowButton(QStringLiteral("btnSalir"), KitIcons::close(), QStringLiteral("Salir"), this);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(12, 0, 6, 0);
    row->setSpacing(6);
    row->addWidget(m_icon);
    row->addWidget(m_caption, 1);
    row->addWidget(m_b1);
    row->addWidget(m_b2);
    row->addSpacing(4);
    row->addWidget(m_minimize);
    row->addWidget(m_maximize);
    row->addWidget(m_exit);

    auto* rowHolder = new QWidget(this);
    rowHolder->setObjectName(QStringLiteral("fila"));
    rowHolder->setLayout(row);
    rowHolder->setFixedHeight(kRowHeight);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(rowHolder);
    column->addStretch(1);
}

bool TitleBandWidget::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        update();
    if (event->type() == QEvent::ParentChange) {
        if (m_watched)
            m_watched->removeEventFilter(this);
        m_watched = parentWidget();
        if (m_watched)
            m_watched->installEventFilter(this);
    }
    return QWidget::event(event);
}

bool TitleBandWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_watched && event->type() == QEvent::Resize)
        stretchToParent();
    return QWidget::eventFilter(watched, event);
}

void TitleBandWidget::stretchToParent() {
    if (m_watched && x() == 0 && width() != m_watched->width())
        resize(m_watched->width(), height());
}

void TitleBandWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    fill.setColorAt(1, QColor(0xE6, 0xEC, 0xF2));
    p.fillRect(rect(), fill);
    p.fillRect(QRect(0, 0, 4, qMin(height(), kRowHeight)),
               isActiveWindow() ? kAccent : kAccentIdle);
    p.setPen(QColor(0xC9, 0xD2, 0xDC));
    p.drawLine(0, height() - 1, width(), height() - 1);
}

void TitleBandWidget::mousePressEvent(QMouseEvent* event) {
    if (m_movable && event->button() == Qt::LeftButton && window() != this) {
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - window()->pos();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TitleBandWidget::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        window()->move(event->globalPosition().toPoint() - m_dragOffset);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void TitleBandWidget::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

} // namespace suite
