#include "ListTreeView.h"

#include "KeyCodes.h"
#include "ListHeader.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <algorithm>

namespace forms {

ListTreeView::ListTreeView(QWidget* parent) : QTreeView(parent) {
    setHeader(new ListHeader(this));
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
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
    if (!self)
        return;
    if (event->matches(QKeySequence::Copy)) {
        // With nothing selected the clipboard keeps what it had.
        if (const QString text = selectedRowsText(); !text.isEmpty())
            QGuiApplication::clipboard()->setText(text);
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

QString ListTreeView::selectedRowsText() const {
    const QAbstractItemModel* m = model();
    if (!m || !selectionModel())
        return {};
    // A spreadsheet takes a tab as the next column and a line break as the next row: a cell
    // holding either would spill over its neighbours.
    const auto cellText = [](QString text) {
        for (QChar& c : text)
            if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                c = QLatin1Char(' ');
        return text;
    };
    QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return {};
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    const int columns = m->columnCount();
    QStringList line;
    for (int c = 0; c < columns; ++c)
        line << cellText(m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    QString text = line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const QModelIndex& row : rows) {
        line.clear();
        for (int c = 0; c < columns; ++c)
            line << cellText(m->index(row.row(), c).data(Qt::DisplayRole).toString());
        text += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
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
