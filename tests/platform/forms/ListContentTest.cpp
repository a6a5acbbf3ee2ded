#include "platform/forms/ListContent.h"

#include <gtest/gtest.h>

namespace {

QStringList row(const forms::ListContent& content, int r) {
    QStringList texts;
    for (int c = 0; c < content.cellCount(r); ++c)
        texts << content.cell(r, c).toString();
    return texts;
}

TEST(ListContentTest, RowsKeepTheirOwnCellsWhenTextsRepeatOrRowsAreShort) {
    forms::ListContent content{{"01/03/2026 00:00", "Norte", "Ruiz"},
                               {"01/03/2026 00:00", "Norte"},
                               {"01/03/2026 00:00", "", "Ruiz"},
                               {},
                               {"02/03/2026 00:00", "Norte", "Ruiz"}};
    ASSERT_EQ(content.rowCount(), 5);
    EXPECT_EQ(row(content, 1), (QStringList{"01/03/2026 00:00", "Norte"}));
    EXPECT_EQ(row(content, 2), (QStringList{"01/03/2026 00:00", "", "Ruiz"}));
    EXPECT_EQ(row(content, 3), QStringList());
    EXPECT_TRUE(content.cell(1, 2).isEmpty());
    EXPECT_TRUE(content.cell(3, 0).isEmpty());

    // A repeated text is stored once; shortening one cell leaves the others whole.
    content.chopCell(1, 0, 6);
    content.chopCell(2, 1, 6);
    content.chopCell(1, 7, 6);
    EXPECT_EQ(content.cell(0, 0), QStringLiteral("01/03/2026 00:00"));
    EXPECT_EQ(content.cell(1, 0), QStringLiteral("01/03/2026"));
    EXPECT_EQ(content.cell(2, 0), QStringLiteral("01/03/2026 00:00"));
    EXPECT_EQ(row(content, 4), (QStringList{"02/03/2026 00:00", "Norte", "Ruiz"}));
}

TEST(ListContentTest, CellsAddedOneByOneReadBackAfterTheRoomIsGivenBack) {
    forms::ListContent content;
    for (int r = 0; r < 1000; ++r) {
        content.addRow();
        content.addCell(QString::number(r));
        content.addCell(QStringLiteral("Ñandú %1").arg(r / 100));
    }
    content.squeeze();
    ASSERT_EQ(content.rowCount(), 1000);
    EXPECT_EQ(row(content, 999), (QStringList{"999", QStringLiteral("Ñandú 9")}));
    EXPECT_EQ(row(content, 100), (QStringList{"100", QStringLiteral("Ñandú 1")}));
}

} // namespace
