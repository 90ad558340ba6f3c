// The corner table and mask: the table's values, rebuilding only on a new (rx, ry, border), and
// the two coverage planes.
#include <gtest/gtest.h>

#include "graphics/KCornerMask.h"

TEST(KCornerMask, TheTableHoldsTheRoundedSixteenSixteenValues)
{
    EXPECT_EQ(KCornerTable(0), 65536);
    EXPECT_EQ(KCornerTable(32), 39813);
    EXPECT_EQ(KCornerTable(64), 19005);
    EXPECT_EQ(KCornerTable(96), 5079);
    EXPECT_EQ(KCornerTable(128), 0);
    EXPECT_EQ(KCornerTable(-1), 0);
    EXPECT_EQ(KCornerTable(129), 0);
    for (int k = 1; k <= 128; ++k)
        EXPECT_LT(KCornerTable(k), KCornerTable(k - 1)) << "k " << k;
}

TEST(KCornerMask, IsRebuiltOnlyWhenTheRadiiOrTheBorderChange)
{
    KCornerMask mask;
    EXPECT_EQ(mask.Prepare(5, 5, 0), 1);
    EXPECT_EQ(mask.Prepare(5, 5, 0), 0);
    EXPECT_EQ(mask.Prepare(6, 5, 0), 1);
    EXPECT_EQ(mask.Prepare(6, 4, 0), 1);
    EXPECT_EQ(mask.Prepare(6, 4, 2), 1);
    EXPECT_EQ(mask.Prepare(6, 4, 2), 0);
    // Growing the buffer past its 16-cell granule keeps working, and shrinking reuses it.
    EXPECT_EQ(mask.Prepare(40, 33, 2), 1);
    EXPECT_EQ(mask.Prepare(6, 4, 2), 1);
    EXPECT_EQ(mask.Prepare(0, 4, 0), -1);
    EXPECT_EQ(mask.Prepare(4, 4, -1), -1);
    mask.Free();
    EXPECT_EQ(mask.Prepare(6, 4, 2), 1);
}

TEST(KCornerMask, CoverageIsZeroAtTheCornerFullInsideAndMirrorsForEqualRadii)
{
    KCornerMask mask;
    ASSERT_EQ(mask.Prepare(8, 8, 0), 1);
    EXPECT_EQ(mask.GetShapeRow(0)[0], 0);
    EXPECT_EQ(mask.GetShapeRow(7)[7], 255);
    EXPECT_GT(mask.GetShapeRow(7)[0], 200);   // the curve meets the left edge at the box's end
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            // The table is symmetric under k -> 128 - k, so equal radii give a symmetric mask.
            EXPECT_EQ(mask.GetShapeRow(y)[x], mask.GetShapeRow(x)[y]) << x << "," << y;
            // Without a border the inner plane is the shape.
            EXPECT_EQ(mask.GetInnerRow(y)[x], mask.GetShapeRow(y)[x]) << x << "," << y;
        }

    // With a border of 2 the inner curve lies 2 pixels further in: the first two rows and
    // columns are all border, the far corner still inside.
    ASSERT_EQ(mask.Prepare(8, 8, 2), 1);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(mask.GetInnerRow(0)[i], 0);
        EXPECT_EQ(mask.GetInnerRow(1)[i], 0);
        EXPECT_EQ(mask.GetInnerRow(i)[0], 0);
        EXPECT_EQ(mask.GetInnerRow(i)[1], 0);
        for (int j = 0; j < 8; ++j)
            EXPECT_LE(mask.GetInnerRow(i)[j], mask.GetShapeRow(i)[j]);
    }
    EXPECT_EQ(mask.GetInnerRow(7)[7], 255);
    // A border as wide as the radius leaves nothing inside the inner curve.
    ASSERT_EQ(mask.Prepare(4, 4, 4), 1);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(mask.GetInnerRow(y)[x], 0);
}

TEST(KCornerMask, LargeRadiiLeaveNoGapsAndCoverageNeverFallsTowardTheInside)
{
    KCornerMask mask;
    ASSERT_EQ(mask.Prepare(200, 120, 3), 1);
    for (int y = 0; y < 120; ++y) {
        for (int x = 1; x < 200; ++x) {
            EXPECT_GE(mask.GetShapeRow(y)[x], mask.GetShapeRow(y)[x - 1]) << x << "," << y;
            EXPECT_GE(mask.GetInnerRow(y)[x], mask.GetInnerRow(y)[x - 1]) << x << "," << y;
        }
    }
    for (int x = 0; x < 200; ++x)
        for (int y = 1; y < 120; ++y)
            EXPECT_GE(mask.GetShapeRow(y)[x], mask.GetShapeRow(y - 1)[x]) << x << "," << y;
    // The last row and column are inside except where the curve meets the edges.
    EXPECT_EQ(mask.GetShapeRow(119)[5], 255);
    EXPECT_EQ(mask.GetShapeRow(5)[199], 255);
}
