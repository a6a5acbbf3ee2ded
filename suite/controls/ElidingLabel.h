#pragma once

#include <QLabel>

namespace suite {

// A one-line label that never asks for more room than it is given: a caption longer than its
// place is drawn in a smaller font, down to three quarters of its own, and what still does not
// fit ends in "…" instead of being cut off. text() stays whole.
class ElidingLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidingLabel(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    // The font and the text as drawn in the label's present width.
    QFont shownFont() const;
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace suite
