// The page table: the four pages with their title buttons, and ids without a row.
#include <gtest/gtest.h>

#include "app/LmPageTable.h"

TEST(LmPageTable, HoldsTheFourPagesAndTheirTitleButtons)
{
    const KPageRow* player = FindPageRow(3000);
    ASSERT_NE(nullptr, player);
    EXPECT_EQ(0, player->flags);
    EXPECT_EQ(3001, player->leftTextId);
    EXPECT_EQ(0, player->leftStyle);
    EXPECT_EQ(0, player->rightTextId);

    const KPageRow* browse = FindPageRow(3002);
    ASSERT_NE(nullptr, browse);
    EXPECT_EQ(3003, browse->leftTextId);
    EXPECT_EQ(1, browse->leftStyle);
    EXPECT_EQ(3004, browse->rightTextId);
    EXPECT_EQ(0, browse->rightStyle);

    const KPageRow* settings = FindPageRow(3005);
    ASSERT_NE(nullptr, settings);
    EXPECT_EQ(3006, settings->leftTextId);
    EXPECT_EQ(1, settings->leftStyle);
    EXPECT_EQ(0, settings->rightTextId);

    const KPageRow* help = FindPageRow(3007);
    ASSERT_NE(nullptr, help);
    EXPECT_EQ(3008, help->leftTextId);
    EXPECT_EQ(1, help->leftStyle);
    EXPECT_EQ(0, help->rightTextId);

    // Four rows, then the end row; no page is full screen and the reserved words are 0.
    int rows = 0;
    for (const KPageRow* row = PAGE_TABLE; row->viewId; ++row, ++rows) {
        EXPECT_EQ(0, row->flags & KPAGE_FULLSCREEN);
        EXPECT_EQ(0, row->leftReserved);
        EXPECT_EQ(0, row->rightReserved);
    }
    EXPECT_EQ(4, rows);
    EXPECT_EQ(nullptr, FindPageRow(3001));
    EXPECT_EQ(nullptr, FindPageRow(0));
    EXPECT_EQ(sizeof(int) * 8, sizeof(KPageRow));
}
