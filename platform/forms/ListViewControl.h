#pragma once

#include "ControlObject.h"
#include "ListView.h"

#include <memory>

namespace forms {

class ListModel;
class ListTreeView;

// "MSComctlLib.ListView" in report view, over a QTreeView and a ListModel. Sorting is done
// when the list is next read or shown, so that setting key, Sorted and order one after the
// other sorts once.
class ListViewControl : public ControlObject<ListView> {
public:
    ListViewControl();
    ~ListViewControl() override;

    void applyDesign(const DesignKeys& keys) override;

    void setContent(const QStringList& columns, ListContent rows) override;
    void Clear() override;

    int columnCount() const override;
    QString columnText(int column) const override;
    void setColumnWidth(int column, int twips) override;
    void setColumnAlignment(int column, Qt::Alignment alignment) override;

    int Count() const override;
    QString itemText(int index) const override;
    int subItemCount(int index) const override;
    QString subItem(int index, int subItem) const override;
    QStringView textView(int index, int subItem) const override;
    int FindItem(const QString& text, int start) const override;

    int SelectedIndex() const override;
    void setSelectedIndex(int index) override;
    void EnsureVisible(int index) override;

    int SortKey() const override;
    void setSortKey(int key) override;
    bool Sorted() const override;
    void setSorted(bool sorted) override;
    SortOrder sortOrder() const override;
    void setSortOrder(SortOrder order) override;

    bool FullRowSelect() const override;
    void setFullRowSelect(bool on) override;

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace forms
