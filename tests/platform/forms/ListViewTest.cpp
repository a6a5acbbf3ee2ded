#include "ScriptedForm.h"

#include "platform/com/RuntimeError.h"
#include "platform/forms/ListView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

forms::FormDesign listDesign() {
    forms::FormDesign d;
    d.name = "frmLista";
    d.clientWidth = 9000;
    d.clientHeight = 6000;
    d.controls << designOf("MSComctlLib.ListView", "lvViajes", 120, 120, 8700, 5700,
                           {{"fullrowselect", true}});
    return d;
}

const QStringList kColumns{"Folio", "Zona", "Chofer"};

forms::ListContent trips() {
    return {{"V003", "norte", "Ruiz"},
            {"V001", "Sur", "alba"},
            {"V004", "sur", "Zepeda"},
            {"V002", "Centro", "Ortiz"}};
}

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.recorded["lvViajes"] = {"ColumnClick", "ItemClick", "MouseDown", "KeyDown"};
        form.Show();
        list = &form.listView("lvViajes");
        list->setContent(kColumns, trips());
        view = qobject_cast<QTreeView*>(form.ctl("lvViajes").widget());
        ASSERT_NE(view, nullptr);
    }

    // The texts of one column, top to bottom, separated by spaces.
    QString column(int sub) const {
        QStringList texts;
        for (int i = 1; i <= list->Count(); ++i)
            texts << (sub == 0 ? list->itemText(i) : list->subItem(i, sub));
        return texts.join(QLatin1Char(' '));
    }

    QPoint rowCentre(int index) const {
        return view->visualRect(view->model()->index(index - 1, 0)).center();
    }

    ScriptedForm form{listDesign()};
    forms::ListView* list = nullptr;
    QTreeView* view = nullptr;
    QStringList& events = form.events;
};

// Items and columns are 1-based; the selection follows its item through a sort, and code
// selecting raises no ItemClick.
TEST_F(ListViewTest, ItemsAndColumnsAreOneBasedAndTheSelectionFollowsItsItem) {
    EXPECT_EQ(list->subItemCount(1), 2);
    EXPECT_EQ(list->subItem(4, 2), "Ortiz");
    EXPECT_EQ(list->columnText(3), "Chofer");
    EXPECT_FALSE(view->header()->isHidden());
    EXPECT_THROW(list->itemText(0), com::RuntimeError);
    EXPECT_THROW(list->itemText(5), com::RuntimeError);
    EXPECT_THROW(list->subItem(1, 3), com::RuntimeError);
    EXPECT_THROW(list->columnText(0), com::RuntimeError);

    list->setSelectedIndex(2);
    EXPECT_EQ(list->SelectedIndex(), 2);
    list->setSorted(true);
    EXPECT_EQ(list->SelectedIndex(), 1);
    list->setSelectedIndex(0);
    EXPECT_EQ(list->SelectedIndex(), 0);
    EXPECT_THROW(list->setSelectedIndex(5), com::RuntimeError);
    EXPECT_TRUE(events.isEmpty());
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->columnCount(), 0);
}

TEST_F(ListViewTest, SortingReordersTheRowsByTextIgnoringCaseAndKeepsEqualRowsInOrder) {
    list->setSortKey(1);
    list->setSorted(true);
    EXPECT_EQ(column(0), "V002 V003 V001 V004");
    list->setSortOrder(forms::ListView::Descending);
    EXPECT_EQ(column(0), "V001 V004 V003 V002");
    list->setSortKey(2);
    EXPECT_EQ(column(2), "Zepeda Ruiz Ortiz alba");
    // What the list shows is what it answers: row 1 on screen is item 1.
    EXPECT_EQ(view->model()->index(0, 2).data().toString(), "Zepeda");
    EXPECT_EQ(list->textView(1, 2), u"Zepeda");
    EXPECT_EQ(list->textView(1, 0), list->itemText(1));

    // A reload stays sorted; switching sorting off leaves the rows where they are.
    list->setContent(kColumns, trips());
    EXPECT_EQ(list->itemText(1), "V004");
    list->setSorted(false);
    list->setSortKey(0);
    EXPECT_EQ(list->itemText(1), "V004");

    // Names sort as a Spanish reader expects: accents and case aside, ñ after n. A row short
    // of the sort column counts as empty.
    list->setContent(
        {"Nombre", "Zona"},
        {{"Zepeda", "b"}, {"Ñu", "b"}, {"oso", "a"}, {"Nuñez"}, {"Álvarez", "a"}, {"NUNEZ", "c"}});
    list->setSortKey(1);
    list->setSortOrder(forms::ListView::Ascending);
    list->setSorted(true);
    EXPECT_TRUE(column(0).startsWith("Nuñez "));
    list->setSortKey(0);
    EXPECT_EQ(column(0), "Álvarez NUNEZ Nuñez Ñu oso Zepeda");

    // A search sees letter case as the sort does and finds in the order shown; accents count
    // there, and ñ is no n.
    const std::tuple<const char*, int, int> searches[] = {
        {"ñU", 1, 4},      {"NUÑEZ", 1, 3}, {"nu", 1, 2}, {"nu", 3, 3},   {"ÁLVAREZ", 1, 1},
        {"alvarez", 1, 0}, {"C", 1, 2},     {"", 1, 1},   {"zona", 1, 0}, {"oso", 6, 0}};
    for (const auto& [text, start, found] : searches)
        EXPECT_EQ(list->FindItem(QString::fromUtf8(text), start), found) << text << " " << start;
}

TEST_F(ListViewTest, DatesAndNumbersSortByValueAndOtherColumnsByTheirText) {
    list->setContent({"Folio", "Fecha", "Km", "Hora", "Clave"},
                     {{"V1", "30/11/2026", "178640.7", "28/11/2026 09:05", "0012"},
                      {"V2", "12/12/2026", "18780.8", "28/11/2026 10:00", "012"},
                      {"V3", "", "-5", "", "3"},
                      {"V4", "29/11/2025", "9.25", "27/12/2026 23:59", "11"},
                      {"V5", "28/11/2026", "18780.80", "28/11/2026 09:05", "2"}});
    list->setSorted(true);
    // Empty cells come first; equal values keep their rows' order.
    const std::tuple<int, const char*, const char*> orders[] = {
        {1, "V3 V4 V5 V1 V2", "V2 V1 V5 V4 V3"},
        {2, "V3 V4 V2 V5 V1", "V1 V2 V5 V4 V3"},
        {3, "V3 V1 V5 V2 V4", "V4 V2 V1 V5 V3"},
        // Codes with leading zeros are texts, and so the column is.
        {4, "V1 V2 V4 V5 V3", "V3 V5 V4 V2 V1"}};
    for (const auto& [key, ascending, descending] : orders) {
        list->setSortKey(key);
        list->setSortOrder(forms::ListView::Ascending);
        EXPECT_EQ(column(0), QString::fromLatin1(ascending)) << key;
        list->setSortOrder(forms::ListView::Descending);
        EXPECT_EQ(column(0), QString::fromLatin1(descending)) << key;
    }
    // One text that is no date makes the column a text column again.
    list->setContent({"Folio", "Fecha"},
                     {{"V1", "30/11/2026"}, {"V2", "12/12/2026"}, {"V3", "pendiente"}});
    list->setSortKey(1);
    list->setSortOrder(forms::ListView::Ascending);
    EXPECT_EQ(column(0), "V2 V1 V3");
}

TEST_F(ListViewTest, CtrlCCopiesTheSelectedRowsUnderTheirTitlesForASpreadsheet) {
    list->setContent({"Folio", "Notas", "Km"},
                     {{"V1", "una", "12.50"}, {"V2", "dos\tpartes\nen dos líneas"}});
    QGuiApplication::clipboard()->setText("antes");
    view->setFocus();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "antes") << "nothing selected, nothing copied";
    list->setSelectedIndex(2);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("Folio\tNotas\tKm\n"
                             "V2\tdos partes en dos líneas\t\n"));
}

TEST_F(ListViewTest, TheSortArrowPointsUpOverAnAscendingColumnAndDownOverADescendingOne) {
    QHeaderView* header = view->header();
    header->resizeSection(0, 200);
    // The rows of arrow pixels at the right end of the first header section, top to bottom:
    // an arrow pointing up is narrow at its top, one pointing down at its bottom.
    const auto arrowWidths = [&] {
        const QImage image = header->grab().toImage();
        const int background = image.pixelColor(100, header->height() / 2).lightness();
        std::vector<int> widths;
        for (int y = 0; y < image.height(); ++y) {
            int count = 0;
            for (int x = 150; x < 198; ++x)
                count += qAbs(image.pixelColor(x, y).lightness() - background) > 60;
            if (count > 0 && count < 30)
                widths.push_back(count);
        }
        return widths;
    };
    list->setSortKey(0);
    list->setSorted(true);
    for (const auto order : {forms::ListView::Ascending, forms::ListView::Descending}) {
        list->setSortOrder(order);
        const std::vector<int> widths = arrowWidths();
        ASSERT_GE(widths.size(), 2u) << "no arrow drawn";
        EXPECT_TRUE(order == forms::ListView::Ascending ? widths.front() < widths.back()
                                                        : widths.front() > widths.back())
            << "order " << order;
    }
    // The header would turn its arrow on a click by itself; the list's own order stays shown.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(100, 5));
    EXPECT_EQ(std::pair(header->sortIndicatorSection(), header->sortIndicatorOrder()),
              std::pair(0, Qt::DescendingOrder));
}

// A header click is reported and sorts nothing by itself. A click on a row selects it, a right
// click too, and MouseDown reports the button, the shift keys and where, in twips of the list;
// KeyDown may keep a key from the list.
TEST_F(ListViewTest, ClicksAndKeysAreReportedAndKeyDownMayKeepAKeyFromTheList) {
    const int x = view->header()->sectionViewportPosition(1) + 5;
    QTest::mouseClick(view->header()->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    EXPECT_EQ(list->itemText(1), "V003");
    EXPECT_FALSE(list->Sorted());

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(3));
    EXPECT_EQ(list->SelectedIndex(), 3);
    QTest::mousePress(view->viewport(), Qt::RightButton, Qt::ShiftModifier, rowCentre(4));
    QTest::mouseRelease(view->viewport(), Qt::RightButton, Qt::ShiftModifier, rowCentre(4));
    EXPECT_EQ(list->SelectedIndex(), 4);
    const auto mouseDown = [&](int button, int shift, int row) {
        const QPoint at = view->viewport()->mapTo(view, rowCentre(row)) * 15;
        return QString::asprintf("lvViajes.MouseDown %d %d %d %d", button, shift, at.x(), at.y());
    };

    view->setFocus();
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_EQ(list->SelectedIndex(), 3);
    form.controlObject("lvViajes")->on("KeyDown", [](QVariantList& args) { args[0] = 0; });
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_EQ(list->SelectedIndex(), 3);
    EXPECT_EQ(events,
              (QStringList{"lvViajes.ColumnClick 2", mouseDown(1, 0, 3), "lvViajes.ItemClick 3",
                           mouseDown(2, 1, 4), "lvViajes.KeyDown 38 0", "lvViajes.KeyDown 38 0"}));
}

// The cells of one row of a list's content, separated by bars.
QString row(const forms::ListContent& content, int r) {
    QStringList texts;
    for (int c = 0; c < content.cellCount(r); ++c)
        texts << content.cell(r, c).toString();
    return texts.join(QLatin1Char('|'));
}

TEST(ListContentTest, RowsKeepTheirOwnCellsWhenTextsRepeatOrRowsAreShort) {
    forms::ListContent content{{"01/03/2026 00:00", "Norte", "Ruiz"},
                               {"01/03/2026 00:00", "Norte"},
                               {"01/03/2026 00:00", "", "Ruiz"},
                               {},
                               {"02/03/2026 00:00", "Norte", "Ruiz"}};
    ASSERT_EQ(content.rowCount(), 5);
    EXPECT_EQ(row(content, 1), "01/03/2026 00:00|Norte");
    EXPECT_EQ(row(content, 2), "01/03/2026 00:00||Ruiz");
    EXPECT_EQ(content.cellCount(3), 0);
    EXPECT_TRUE(content.cell(1, 2).isEmpty());
    EXPECT_TRUE(content.cell(3, 0).isEmpty());

    // A repeated text is stored once; shortening one cell leaves the others whole.
    content.chopCell(1, 0, 6);
    content.chopCell(2, 1, 6);
    content.chopCell(1, 7, 6);
    EXPECT_EQ(row(content, 0), "01/03/2026 00:00|Norte|Ruiz");
    EXPECT_EQ(row(content, 1), "01/03/2026|Norte");
    EXPECT_EQ(row(content, 2), "01/03/2026 00:00||Ruiz");
    EXPECT_EQ(row(content, 4), "02/03/2026 00:00|Norte|Ruiz");

    // Cells added one by one read back after the room is given back.
    content = {};
    for (int r = 0; r < 1000; ++r) {
        content.addRow();
        content.addCell(QString::number(r));
        content.addCell(QStringLiteral("Ñandú %1").arg(r / 100));
    }
    content.squeeze();
    ASSERT_EQ(content.rowCount(), 1000);
    EXPECT_EQ(row(content, 999), "999|Ñandú 9");
    EXPECT_EQ(row(content, 100), "100|Ñandú 1");
}

} // namespace
