#include "ListHeader.h"

#include <QStyleOptionHeader>

namespace forms {

ListHeader::ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

void ListHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const {
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    // The toolkit gives an ascending column the style's "down" indicator, which its styles on
    // this platform draw as an arrow pointing down.
    if (option->sortIndicator == QStyleOptionHeader::None)
        return;
    option->sortIndicator = sortIndicatorOrder() == Qt::AscendingOrder
                                ? QStyleOptionHeader::SortUp
                                : QStyleOptionHeader::SortDown;
}

} // namespace forms
