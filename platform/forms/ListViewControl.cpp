#include "ListViewControl.h"

#include "ListModel.h"
#include "ListTreeView.h"
#include "TextFolding.h"
#include "Twips.h"
#include "platform/com/RuntimeError.h"

#include <QHeaderView>
#include <QPointer>
#include <QScrollBar>
#include <algorithm>

namespace forms {

namespace {

// A first guess at the column widths from the first screenful; the host's list formatter sets the
// real widths right after a fill, so measuring more rows only slows the first load.
constexpr int kSampleRows = 25;
constexpr int kMaxDefaultWidth = 400;

com::RuntimeError indexOutOfBounds() {
    return com::RuntimeError(QStringLiteral("Index out of bounds"), 35600);
}

com::RuntimeError invalidPropertyValue() {
    return com::RuntimeError(QStringLiteral("Invalid property value"), 380);
}

} // namespace

struct ListViewControl::State {
    std::unique_ptr<ListModel> model = std::make_unique<ListModel>();
    QPointer<ListTreeView> view;
    // Context of the view's connections and of the deferred sort; goes first on destruction.
    std::unique_ptr<QObject> hooks = std::make_unique<QObject>();
    int sortKey = 0;
    bool sorted = false;
    SortOrder order = Ascending;
    bool sortPending = false;
    bool fullRowSelect = false;

    void ensureSorted() {
        if (!sortPending)
            return;
        sortPending = false;
        if (sorted)
            model->sortByColumn(sortKey,
                                order == Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    }

    void requestSort() {
        syncIndicator();
        if (!sorted || sortPending)
            return;
        sortPending = true;
        QMetaObject::invokeMethod(
            hooks.get(), [this] { ensureSorted(); }, Qt::QueuedConnection);
    }

    void syncIndicator() {
        if (!view)
            return;
        QHeaderView* header = view->header();
        header->setSortIndicatorShown(sorted);
        if (sorted)
            header->setSortIndicator(sortKey,
                                     order == Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    }

    void checkItem(int index) const {
        if (index < 1 || index > model->count())
            throw indexOutOfBounds();
    }

    void fitColumns() {
        if (!view)
            return;
        const QFontMetrics metrics = view->fontMetrics();
        const QFontMetrics headerMetrics = view->header()->fontMetrics();
        const int rows = std::min(model->count(), kSampleRows);
        for (int c = 0; c < model->columnCount(); ++c) {
            // Shaping text is slow on a fresh window: only the longest cell is measured.
            QStringView longest;
            for (int r = 0; r < rows; ++r) {
                const QStringView text = model->cell(r, c);
                if (text.size() > longest.size())
                    longest = text;
            }
            const int width = std::max(headerMetrics.horizontalAdvance(model->columns().at(c)) + 24,
                                       metrics.horizontalAdvance(longest.toString()) + 16);
            view->header()->resizeSection(c, std::min(width, kMaxDefaultWidth));
        }
    }
};

ListViewControl::ListViewControl()
    : ControlObject(new ListTreeView, {QStringLiteral("ColumnClick"), QStringLiteral("DblClick"),
                                       QStringLiteral("ItemClick"), QStringLiteral("KeyDown"),
                                       QStringLiteral("KeyPress"), QStringLiteral("KeyUp"),
                                       QStringLiteral("MouseDown")}),
      d(std::make_unique<State>()) {
    auto* view = static_cast<ListTreeView*>(widget());
    d->view = view;
    view->setModel(d->model.get());

    QObject* hooks = d->hooks.get();
    QObject::connect(view->header(), &QHeaderView::sectionClicked, hooks, [this](int section) {
        QVariantList args{section + 1};
        events().fire(QStringLiteral("ColumnClick"), args);
        // The header turns its arrow on a click by itself; it shows the list's own order.
        d->syncIndicator();
    });
    QObject::connect(view, &QAbstractItemView::clicked, hooks, [this](const QModelIndex& index) {
        QVariantList args{index.row() + 1};
        events().fire(QStringLiteral("ItemClick"), args);
    });
    view->onDoubleClick = [this] { events().fire(QStringLiteral("DblClick")); };
    view->onMouseDown = [this](int button, int shift, QPoint position) {
        QVariantList args{button, shift, pixelsToTwipsX(position.x()),
                          pixelsToTwipsY(position.y())};
        events().fire(QStringLiteral("MouseDown"), args);
    };
    auto keyEvent = [this](const QString& name) {
        return [this, name](int& keyCode, int shift) {
            QVariantList args{keyCode, shift};
            events().fire(name, args);
            keyCode = args.value(0).toInt();
            return keyCode != 0;
        };
    };
    view->onKeyDown = keyEvent(QStringLiteral("KeyDown"));
    view->onKeyUp = keyEvent(QStringLiteral("KeyUp"));
    view->onKeyPress = [this](int& keyAscii) {
        QVariantList args{keyAscii};
        events().fire(QStringLiteral("KeyPress"), args);
        keyAscii = args.value(0).toInt();
        return keyAscii != 0;
    };
}

ListViewControl::~ListViewControl() {
    d->hooks.reset();
    destroyWidget();
}

void ListViewControl::applyDesign(const DesignKeys& keys) {
    // Always a report with full rows and no in-place editing, whatever the design says.
    keys.ignore({"gridlines", "hideselection", "labeledit", "view"});
    if (keys.contains(QStringLiteral("fullrowselect")))
        setFullRowSelect(keys.value(QStringLiteral("fullrowselect")).toBool());
    if (keys.contains(QStringLiteral("sortkey")))
        setSortKey(keys.value(QStringLiteral("sortkey")).toInt());
    if (keys.contains(QStringLiteral("sortorder")))
        setSortOrder(keys.value(QStringLiteral("sortorder")).toInt() == Descending ? Descending
                                                                                   : Ascending);
    if (keys.contains(QStringLiteral("sorted")))
        setSorted(keys.value(QStringLiteral("sorted")).toBool());
}

void ListViewControl::setContent(const QStringList& columns, ListContent rows) {
    const bool sameColumns = columns == d->model->columns();
    d->model->setContent(columns, std::move(rows));
    if (d->sorted) {
        d->sortPending = true;
        d->ensureSorted();
    }
    // A reload with the same columns keeps the widths the user gave them.
    if (!sameColumns)
        d->fitColumns();
    d->syncIndicator();
}

void ListViewControl::Clear() {
    d->sortPending = false;
    d->model->clear();
}

int ListViewControl::columnCount() const {
    return d->model->columnCount();
}

QString ListViewControl::columnText(int column) const {
    if (column < 1 || column > d->model->columnCount())
        throw indexOutOfBounds();
    return d->model->columns().at(column - 1);
}

void ListViewControl::setColumnWidth(int column, int twips) {
    if (column < 1 || column > d->model->columnCount())
        throw indexOutOfBounds();
    if (twips < 0)
        throw invalidPropertyValue();
    if (d->view)
        d->view->header()->resizeSection(column - 1, twipsToPixelsX(twips));
}

void ListViewControl::setColumnAlignment(int column, Qt::Alignment alignment) {
    if (column < 1 || column > d->model->columnCount())
        throw indexOutOfBounds();
    d->model->setAlignment(column - 1, alignment & Qt::AlignHorizontal_Mask);
}

int ListViewControl::Count() const {
    return d->model->rowCount();
}

QString ListViewControl::itemText(int index) const {
    d->checkItem(index);
    d->ensureSorted();
    return d->model->cell(index - 1, 0).toString();
}

int ListViewControl::subItemCount(int index) const {
    d->checkItem(index);
    d->ensureSorted();
    return std::max(0, d->model->cellCount(index - 1) - 1);
}

QString ListViewControl::subItem(int index, int subItem) const {
    if (subItem == 0)
        throw invalidPropertyValue();
    return textView(index, subItem).toString();
}

QStringView ListViewControl::textView(int index, int subItem) const {
    d->checkItem(index);
    d->ensureSorted();
    const int cells = d->model->cellCount(index - 1);
    if (subItem < 0 || (subItem >= cells && subItem >= d->model->columns().size()))
        throw invalidPropertyValue();
    return d->model->cell(index - 1, subItem);
}

int ListViewControl::FindItem(const QString& text, int start) const {
    d->ensureSorted();
    return d->model->find(TextFolding::fold(text), start - 1) + 1;
}

int ListViewControl::SelectedIndex() const {
    d->ensureSorted();
    if (!d->view)
        return 0;
    const QModelIndexList rows = d->view->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : rows.first().row() + 1;
}

void ListViewControl::setSelectedIndex(int index) {
    if (index != 0)
        d->checkItem(index);
    d->ensureSorted();
    if (!d->view)
        return;
    QItemSelectionModel* selection = d->view->selectionModel();
    if (index == 0) {
        selection->clear();
        return;
    }
    // Selecting by code neither scrolls nor moves the focus.
    const bool autoScroll = d->view->hasAutoScroll();
    d->view->setAutoScroll(false);
    selection->setCurrentIndex(d->model->index(index - 1, 0),
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    d->view->setAutoScroll(autoScroll);
}

void ListViewControl::EnsureVisible(int index) {
    d->checkItem(index);
    d->ensureSorted();
    if (d->view)
        d->view->scrollTo(d->model->index(index - 1, 0), QAbstractItemView::EnsureVisible);
}

int ListViewControl::SortKey() const {
    return d->sortKey;
}

void ListViewControl::setSortKey(int key) {
    if (key < 0)
        throw invalidPropertyValue();
    if (key == d->sortKey)
        return;
    d->sortKey = key;
    d->requestSort();
}

bool ListViewControl::Sorted() const {
    return d->sorted;
}

void ListViewControl::setSorted(bool sorted) {
    d->sorted = sorted;
    if (sorted)
        d->requestSort();
    else
        d->syncIndicator();
}

ListView::SortOrder ListViewControl::sortOrder() const {
    return d->order;
}

void ListViewControl::setSortOrder(SortOrder order) {
    if (order == d->order)
        return;
    d->order = order;
    d->requestSort();
}

bool ListViewControl::FullRowSelect() const {
    return d->fullRowSelect;
}

void ListViewControl::setFullRowSelect(bool on) {
    d->fullRowSelect = on;
    if (d->view)
        d->view->setAllColumnsShowFocus(on);
}

} // namespace forms
