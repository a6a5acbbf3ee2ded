#include "ListTreeView.h"

#include "KeyCodes.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

namespace forms {

ListTreeView::ListTreeView(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setHighlightSections(false);
}

void ListTreeView::mousePressEvent(QMouseEvent* event) {
    // The row under the mouse is selected before MouseDown runs, so a handler that opens a
    // menu works on the row that was clicked.
    QPointer<ListTreeView> self(this);
    const int button = vbButton(event->button());
    const int shift = vbShift(event->modifiers());
    const QPoint position = viewport()->mapTo(this, event->position().toPoint());
    QTreeView::mousePressEvent(event);
    if (self && button && onMouseDown)
        onMouseDown(button, shift, position);
}

void ListTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    QPointer<ListTreeView> self(this);
    const bool left = event->button() == Qt::LeftButton;
    QTreeView::mouseDoubleClickEvent(event);
    if (self && left && onDoubleClick)
        onDoubleClick();
}

void ListTreeView::keyPressEvent(QKeyEvent* event) {
    QPointer<ListTreeView> self(this);
    int keyCode = vbKeyCode(*event);
    const int shift = vbShift(event->modifiers());
    if (keyCode && onKeyDown && !onKeyDown(keyCode, shift)) {
        event->accept();
        return;
    }
    if (!self)
        return;
    int keyAscii = vbKeyAscii(*event);
    if (keyAscii && onKeyPress && !onKeyPress(keyAscii)) {
        event->accept();
        return;
    }
    if (self)
        QTreeView::keyPressEvent(event);
}

void ListTreeView::keyReleaseEvent(QKeyEvent* event) {
    int keyCode = vbKeyCode(*event);
    if (keyCode && onKeyUp && !onKeyUp(keyCode, vbShift(event->modifiers()))) {
        event->accept();
        return;
    }
    QTreeView::keyReleaseEvent(event);
}

} // namespace forms
