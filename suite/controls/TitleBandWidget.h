#pragma once

#include <QPoint>
#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

namespace suite {

// The band across the top of a form that the toolbar and the title bar draw: an optional icon,
// the caption, up to two command buttons and the window buttons, on the suite's soft gradient.
// A band at the form's left edge stretches with the form, and a movable band drags its window.
// Its accent shows whether its window is the active one.
class TitleBandWidget : public QWidget {
    Q_OBJECT
public:
    explicit TitleBandWidget(QWidget* parent = nullptr);

    QLabel* iconLabel() const { return m_icon; }
    QLabel* captionLabel() const { return m_caption; }
    QPushButton* button1() const { return m_b1; }
    QPushButton* button2() const { return m_b2; }
    QToolButton* minimizeButton() const { return m_minimize; }
    QToolButton* maximizeButton() const { return m_maximize; }
    QToolButton* exitButton() const { return m_exit; }

    void setMovable(bool movable) { m_movable = movable; }
    bool isMovable() const { return m_movable; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void stretchToParent();

    QLabel* m_icon;
    QLabel* m_caption;
    QPushButton* m_b1;
    QPushButton* m_b2;
    QToolButton* m_minimize;
    QToolButton* m_maximize;
    QToolButton* m_exit;
    QWidget* m_watched = nullptr;
    bool m_movable = false;
    bool m_dragging = false;
    QPoint m_dragOffset;
};

} // namespace suite
