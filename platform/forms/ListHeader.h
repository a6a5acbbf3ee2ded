#pragma once

#include <QHeaderView>

namespace forms {

// The header of a list view. Its sort arrow points up over a column in ascending order and down
// over one in descending order, as the values run down the list.
class ListHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit ListHeader(QWidget* parent = nullptr);

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;
};

} // namespace forms
