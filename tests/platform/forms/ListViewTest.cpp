#include "ScriptedForm.h"

#include "platform/com/RuntimeError.h"
#include "platform/forms/ListView.h"

#include <QHeaderView>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

forms::FormDesign listDesign() {
    forms::FormDesign d;
    d.name = QStringLiteral("frmLista");
    d.clientWidth = 9000;
    d.clientHeight = 6000;
    d.controls << designOf(QStringLiteral("MSComctlLib.ListView"), QStringLiteral("lvViajes"), 120,
                           120, 8700, 5700, {{QStringLiteral("fullrowselect"), true}});
    return d;
}

std::vector<QStringList> trips() {
    return {{QStringLiteral("V003"), QStringLiteral("norte"), QStringLiteral("Ruiz")},
            {QStringLiteral("V001"), QStringLiteral("Sur"), QStringLiteral("alba")},
            {QStringLiteral("V004"), QStringLiteral("sur"), QStringLiteral("Zepeda")},
            {QStringLiteral("V002"), QStringLiteral("Centro"), QStringLiteral("Ortiz")}};
}

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.onConnect = [this] {
            for (const char* event :
                 {"ColumnClick", "ItemClick", "DblClick", "MouseDown", "KeyDown"})
                form.controlObject(QStringLiteral("lvViajes"))
                    ->on(QString::fromLatin1(event), [this, event](QVariantList& args) {
                        QStringList parts{QString::fromLatin1(event)};
                        for (const QVariant& a : args)
                            parts << a.toString();
                        events << parts.join(QLatin1Char(' '));
                        if (swallowKeys && parts.first() == QLatin1String("KeyDown"))
                            args[0] = 0;
                    });
        };
        form.Show();
        list = &form.listView(QStringLiteral("lvViajes"));
        list->setContent(
            {QStringLiteral("Folio"), QStringLiteral("Zona"), QStringLiteral("Chofer")}, trips());
        view = qobject_cast<QTreeView*>(form.ctl(QStringLiteral("lvViajes")).widget());
        ASSERT_NE(view, nullptr);
    }

    QStringList column(int sub) const {
        QStringList texts;
        for (int i = 1; i <= list->Count(); ++i)
            texts << (sub == 0 ? list->itemText(i) : list->subItem(i, sub));
        return texts;
    }

    QPoint rowCentre(int index) const {
        return view->visualRect(view->model()->index(index - 1, 0)).center();
    }

    ScriptedForm form{listDesign()};
    forms::ListView* list = nullptr;
    QTreeView* view = nullptr;
    QStringList events;
    bool swallowKeys = false;
};

TEST_F(ListViewTest, ItemsAreOneBasedWithTheirSubItems) {
    EXPECT_EQ(list->Count(), 4);
    EXPECT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->columnText(2), QStringLiteral("Zona"));
    EXPECT_EQ(list->itemText(1), QStringLiteral("V003"));
    EXPECT_EQ(list->subItemCount(1), 2);
    EXPECT_EQ(list->subItem(4, 2), QStringLiteral("Ortiz"));
    EXPECT_EQ(view->header()->isHidden(), false);
    EXPECT_THROW(list->itemText(0), com::RuntimeError);
    EXPECT_THROW(list->itemText(5), com::RuntimeError);
    EXPECT_THROW(list->subItem(1, 3), com::RuntimeError);

    list->Clear();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->columnCount(), 0);
}

TEST_F(ListViewTest, SortingReordersTheRowsByTextIgnoringCaseAndKeepsEqualRowsInOrder) {
    list->setSortKey(1);
    list->setSorted(true);
    EXPECT_EQ(column(0), (QStringList{QStringLiteral("V002"), QStringLiteral("V003"),
                                      QStringLiteral("V001"), QStringLiteral("V004")}));
    list->setSortOrder(forms::ListView::Descending);
    EXPECT_EQ(column(0), (QStringList{QStringLiteral("V001"), QStringLiteral("V004"),
                                      QStringLiteral("V003"), QStringLiteral("V002")}));
    list->setSortKey(2);
    EXPECT_EQ(column(2), (QStringList{QStringLiteral("Zepeda"), QStringLiteral("Ruiz"),
                                      QStringLiteral("Ortiz"), QStringLiteral("alba")}));
    // What the list shows is what it answers: row 1 on screen is item 1.
    EXPECT_EQ(view->model()->index(0, 2).data().toString(), QStringLiteral("Zepeda"));
    EXPECT_EQ(list->textView(1, 2), QStringLiteral("Zepeda"));
    EXPECT_EQ(list->textView(1, 0), list->itemText(1));

    // A reload stays sorted; switching sorting off leaves the rows where they are.
    list->setContent({QStringLiteral("Folio"), QStringLiteral("Zona"), QStringLiteral("Chofer")},
                     trips());
    EXPECT_EQ(list->itemText(1), QStringLiteral("V004"));
    list->setSorted(false);
    list->setSortKey(0);
    EXPECT_EQ(list->itemText(1), QStringLiteral("V004"));

    // Names sort as a Spanish reader expects: accents and case aside, ñ after n. A row short
    // of the sort column counts as empty.
    list->setContent({QStringLiteral("Nombre"), QStringLiteral("Zona")},
                     {{QStringLiteral("Zepeda"), QStringLiteral("b")},
                      {QStringLiteral("Ñu"), QStringLiteral("b")},
                      {QStringLiteral("oso"), QStringLiteral("a")},
                      {QStringLiteral("Nuñez")},
                      {QStringLiteral("Álvarez"), QStringLiteral("a")},
                      {QStringLiteral("NUNEZ"), QStringLiteral("c")}});
    list->setSortKey(1);
    list->setSortOrder(forms::ListView::Ascending);
    list->setSorted(true);
    EXPECT_EQ(column(0).first(), QStringLiteral("Nuñez"));
    list->setSortKey(0);
    EXPECT_EQ(column(0), (QStringList{QStringLiteral("Álvarez"), QStringLiteral("NUNEZ"),
                                      QStringLiteral("Nuñez"), QStringLiteral("Ñu"),
                                      QStringLiteral("oso"), QStringLiteral("Zepeda")}));

    // A search sees letter case as the sort does and finds in the order shown; accents count
    // there, and ñ is no n.
    for (const auto& [text, start, found] :
         std::vector<std::tuple<const char*, int, int>>{{"ñU", 1, 4},
                                                        {"NUÑEZ", 1, 3},
                                                        {"nu", 1, 2},
                                                        {"nu", 3, 3},
                                                        {"ÁLVAREZ", 1, 1},
                                                        {"alvarez", 1, 0},
                                                        {"C", 1, 2},
                                                        {"", 1, 1},
                                                        {"zona", 1, 0},
                                                        {"oso", 6, 0}})
        EXPECT_EQ(list->FindItem(QString::fromUtf8(text), start), found) << text << " " << start;
}

TEST_F(ListViewTest, TheSelectionFollowsItsItemThroughASortAndCodeRaisesNoItemClick) {
    list->setSelectedIndex(2);
    EXPECT_EQ(list->SelectedIndex(), 2);
    list->setSorted(true);
    EXPECT_EQ(list->SelectedIndex(), 1);
    EXPECT_EQ(list->itemText(list->SelectedIndex()), QStringLiteral("V001"));
    list->setSelectedIndex(0);
    EXPECT_EQ(list->SelectedIndex(), 0);
    EXPECT_THROW(list->setSelectedIndex(5), com::RuntimeError);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(ListViewTest, AHeaderClickIsReportedAndSortsNothingByItself) {
    const int x = view->header()->sectionViewportPosition(1) + 5;
    QTest::mouseClick(view->header()->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    EXPECT_EQ(events, QStringList{QStringLiteral("ColumnClick 2")});
    EXPECT_EQ(list->itemText(1), QStringLiteral("V003"));
    EXPECT_FALSE(list->Sorted());
}

TEST_F(ListViewTest, MouseEventsOnRows) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(3));
    EXPECT_EQ(list->SelectedIndex(), 3);
    ASSERT_EQ(events.size(), 2);
    EXPECT_TRUE(events[0].startsWith(QLatin1String("MouseDown 1 0 ")));
    EXPECT_EQ(events[1], QStringLiteral("ItemClick 3"));

    events.clear();
    const QPoint second = rowCentre(2);
    QWidget* window = view->window();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                       view->viewport()->mapTo(window, second));
    EXPECT_EQ(list->SelectedIndex(), 2);
    EXPECT_TRUE(events.contains(QStringLiteral("DblClick")));

    // A right click selects the row under it and reports where it landed, in twips of the list.
    events.clear();
    QTest::mousePress(view->viewport(), Qt::RightButton, Qt::ShiftModifier, rowCentre(4));
    QTest::mouseRelease(view->viewport(), Qt::RightButton, Qt::ShiftModifier, rowCentre(4));
    EXPECT_EQ(list->SelectedIndex(), 4);
    ASSERT_EQ(events.size(), 1);
    const QPoint inList = view->viewport()->mapTo(view, rowCentre(4));
    EXPECT_EQ(events[0],
              QStringLiteral("MouseDown 2 1 %1 %2").arg(inList.x() * 15).arg(inList.y() * 15));
}

TEST_F(ListViewTest, KeyDownMayKeepAKeyFromTheList) {
    list->setSelectedIndex(1);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(list->SelectedIndex(), 2);
    swallowKeys = true;
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(list->SelectedIndex(), 2);
    EXPECT_EQ(events.last(), QStringLiteral("KeyDown 40 0"));
}

} // namespace
