#pragma once

#include "IControl.h"
#include "ListContent.h"

#include <QStringList>
#include <QStringView>

namespace forms {

// The report-style list view of the common controls, kept in a model so that a hundred
// thousand rows fill, sort and paint quickly. Items are addressed 1-based, in the order shown:
// after a sort, item 1 is the first row on screen. Ctrl+C copies the selected rows.
//
// Events: "ColumnClick" (column, 1-based), "ItemClick" (index), "DblClick", "KeyDown" and
// "KeyUp" (keyCode by reference, shift), "KeyPress" (keyAscii by reference),
// "MouseDown" (button, shift, x, y in twips relative to the list).
class ListView : public IControl {
public:
    static constexpr QUuid IID{0x6f1d2a40, 0x3c11, 0x4b7e, 0x9a, 0x51, 0x2e,
                               0x0b,       0x71,   0x8c,   0x44, 0x10};
    enum SortOrder { Ascending = 0, Descending = 1 };

    // Replaces columns and rows at once; each row holds one text per column.
    virtual void setContent(const QStringList& columns, ListContent rows) = 0;
    virtual void Clear() = 0; // items and column headers

    virtual int columnCount() const = 0;
    virtual QString columnText(int column) const = 0; // 1-based
    virtual void setColumnWidth(int column, int twips) = 0;
    virtual void setColumnAlignment(int column, Qt::Alignment alignment) = 0;

    virtual int Count() const = 0;
    virtual QString itemText(int index) const = 0;
    virtual int subItemCount(int index) const = 0;
    virtual QString subItem(int index, int subItem) const = 0; // subItem 1..subItemCount
    // The item's text (subItem 0) or a sub-item's, without a copy, for scanning a long list; it
    // stays valid until the content is next replaced.
    virtual QStringView textView(int index, int subItem) const = 0;
    // The first item from start on whose text or a sub-item's holds text, letter case aside
    // as in the sort (TextFolding); 0 when none does. An empty text is in any item with a text.
    virtual int FindItem(const QString& text, int start) const = 0;

    virtual int SelectedIndex() const = 0;        // 0: none
    virtual void setSelectedIndex(int index) = 0; // 0 clears the selection
    virtual void EnsureVisible(int index) = 0;

    virtual int SortKey() const = 0; // 0: item text, n: sub-item n
    virtual void setSortKey(int key) = 0;
    virtual bool Sorted() const = 0;
    // Sorting happens while this is on: a column of dates in time order, one of numbers by value,
    // any other by its text as a Spanish word list orders it.
    virtual void setSorted(bool sorted) = 0;
    virtual SortOrder sortOrder() const = 0;
    virtual void setSortOrder(SortOrder order) = 0;

    virtual bool FullRowSelect() const = 0;
    virtual void setFullRowSelect(bool on) = 0;
};

} // namespace forms
