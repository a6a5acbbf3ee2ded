#pragma once

#include <QTreeView>
#include <functional>

namespace forms {

// The list view's widget: a flat QTreeView that hands mouse and key events to its control in
// VB's terms before or after its own handling, as the list view's events need. Ctrl+C copies the
// selected rows.
class ListTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit ListTreeView(QWidget* parent = nullptr);

    // button (1 left, 2 right, 4 middle), shift mask, position in the view's own pixels.
    std::function<void(int button, int shift, QPoint position)> onMouseDown;
    std::function<void()> onDoubleClick;
    // Return false to keep the key from the view (the handler set the code to 0).
    std::function<bool(int& keyCode, int shift)> onKeyDown;
    std::function<bool(int& keyCode, int shift)> onKeyUp;
    std::function<bool(int& keyAscii)> onKeyPress;

    // The selected rows under the column titles, a tab between cells and a line break after
    // each row, as the list copies them (Ctrl+C) for a spreadsheet.
    QString selectedRowsText() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

} // namespace forms
