// The list playback rules: next, previous and a given row for each loop type, the loop button's
// cycle, the shuffle's random numbers, and the playing position following removed rows.
#include <gtest/gtest.h>

#include "media/KPlayOrder.h"
#include "media/KPlayPosition.h"
#include "media/KRandom.h"

TEST(KRandom, DrawsTheSameSequenceForTheSameSeed)
{
    // state = state * 214013 + 2531011, draw = (state >> 16) & 0x7FFF.
    KSeedRandom(1);
    const int fromOne[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int expected : fromOne)
        EXPECT_EQ(expected, KRandom());

    KSeedRandom(0);
    EXPECT_EQ(38, KRandom());
    EXPECT_EQ(7719, KRandom());

    // The state wraps modulo 2^32 and every draw stays within 0 ... 32767.
    KSeedRandom(0xFFFFFFFFu);
    for (int i = 0; i < 1000; i++) {
        int value = KRandom();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

TEST(KPlayOrder, OnceInOrderStopsAfterTheLastRow)
{
    // Three rows, playing row 2: the end (stop, then next) stops; next does nothing; previous
    // plays row 1.
    EXPECT_EQ(KROW_NONE, KNextRow(3, 2, KLOOP_ONCE, 1));
    EXPECT_EQ(1, KPreviousRow(3, 2, KLOOP_ONCE, 1));
    EXPECT_EQ(2, KNextRow(3, 1, KLOOP_ONCE, 1));
    EXPECT_EQ(1, KNextRow(3, 0, KLOOP_ONCE, 1));
    // Previous from the first row stops.
    EXPECT_EQ(KROW_NONE, KPreviousRow(3, 0, KLOOP_ONCE, 1));
    // A playing index past the end (rows were deleted): previous goes to the last row.
    EXPECT_EQ(2, KPreviousRow(3, 7, KLOOP_ONCE, 1));
    EXPECT_EQ(KROW_NONE, KNextRow(3, 7, KLOOP_ONCE, 1));
}

TEST(KPlayOrder, RepeatAllWrapsAtBothEnds)
{
    // Playing row 0: previous plays the last row; at the end of the last row, row 0 plays.
    EXPECT_EQ(2, KPreviousRow(3, 0, KLOOP_ALL, 1));
    EXPECT_EQ(0, KNextRow(3, 2, KLOOP_ALL, 1));
    EXPECT_EQ(1, KNextRow(3, 0, KLOOP_ALL, 1));
    EXPECT_EQ(0, KPreviousRow(3, 1, KLOOP_ALL, 1));
    // Nothing played yet, or an index past the end.
    EXPECT_EQ(0, KNextRow(3, -1, KLOOP_ALL, 1));
    EXPECT_EQ(2, KPreviousRow(3, -1, KLOOP_ALL, 1));
    EXPECT_EQ(0, KNextRow(3, 5, KLOOP_ALL, 1));
    EXPECT_EQ(2, KPreviousRow(3, 5, KLOOP_ALL, 1));
}

TEST(KPlayOrder, NothingPlayedYetStartsAtTheFirstRowEitherWay)
{
    EXPECT_EQ(0, KPreviousRow(3, -1, KLOOP_ONCE, 1));
    EXPECT_EQ(0, KNextRow(3, -1, KLOOP_ONCE, 1));
    EXPECT_EQ(0, KGivenRow(3, -1, -1, KLOOP_ONCE, 1));
}

TEST(KPlayOrder, AnotherPlaylistSelectedStartsItsFirstRow)
{
    // The playing index belongs to the other playlist and counts as -1.
    EXPECT_EQ(0, KNextRow(3, 1, KLOOP_ONCE, 0));
    EXPECT_EQ(0, KNextRow(3, 1, KLOOP_ALL, 0));
    EXPECT_EQ(0, KPreviousRow(3, 1, KLOOP_ONCE, 0));
    EXPECT_EQ(2, KPreviousRow(3, 1, KLOOP_ALL, 0));
    // Play with no row given: the playing row only when the list shown is the one playing.
    EXPECT_EQ(1, KGivenRow(3, -1, 1, KLOOP_ONCE, 1));
    EXPECT_EQ(0, KGivenRow(3, -1, 1, KLOOP_ONCE, 0));
}

TEST(KPlayOrder, ShuffleDrawsEveryChoiceWithOneRowAlwaysRowZero)
{
    KSeedRandom(1);
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(0, KNextRow(1, 0, KLOOP_SHUFFLE, 1));
        EXPECT_EQ(0, KPreviousRow(1, 0, KLOOP_SHUFFLE, 1));
        EXPECT_EQ(0, KGivenRow(1, -1, 0, KLOOP_SHUFFLE, 1));
        EXPECT_EQ(0, KGivenRow(1, 4, 0, KLOOP_SHUFFLE, 1));
    }

    // Seven rows from seed 1: draws 41, 18467, 6334, 26500, 19169 modulo 7, and the same row may
    // come again.
    KSeedRandom(1);
    EXPECT_EQ(6, KNextRow(7, 3, KLOOP_SHUFFLE, 1));
    EXPECT_EQ(1, KPreviousRow(7, 3, KLOOP_SHUFFLE, 1));
    EXPECT_EQ(6, KNextRow(7, 1, KLOOP_SHUFFLE, 0));
    EXPECT_EQ(5, KGivenRow(7, 9, 3, KLOOP_SHUFFLE, 1)) << "outside the list: a random row";
    EXPECT_EQ(3, KGivenRow(7, -1, 7, KLOOP_SHUFFLE, 1)) << "playing index past the end";
    // A row inside the list is taken as given and draws nothing.
    EXPECT_EQ(2, KGivenRow(7, 2, 3, KLOOP_SHUFFLE, 1));
    EXPECT_EQ(15724 % 7, KNextRow(7, 2, KLOOP_SHUFFLE, 1));
}

TEST(KPlayOrder, EmptyListPlaysNothingInEveryLoopType)
{
    for (int type = KLOOP_ONCE; type <= KLOOP_SHUFFLE; type++) {
        EXPECT_EQ(KROW_EMPTY, KNextRow(0, -1, type, 1));
        EXPECT_EQ(KROW_EMPTY, KPreviousRow(0, 2, type, 1));
        EXPECT_EQ(KROW_EMPTY, KGivenRow(0, 0, -1, type, 0));
    }
}

TEST(KPlayOrder, GivenRowPlaysThatRowOrRowZeroWhenOutsideTheList)
{
    EXPECT_EQ(2, KGivenRow(3, 2, 0, KLOOP_ONCE, 1));
    EXPECT_EQ(2, KGivenRow(3, 2, 0, KLOOP_ALL, 0)) << "a tapped row of another playlist";
    EXPECT_EQ(1, KGivenRow(3, 1, 1, KLOOP_ONCE, 1)) << "the playing row restarts";
    EXPECT_EQ(0, KGivenRow(3, 3, 0, KLOOP_ONCE, 1));
    EXPECT_EQ(0, KGivenRow(3, -1, 5, KLOOP_ALL, 1));
}

TEST(KPlayOrder, UnknownLoopTypeStopsAtTheNextChoice)
{
    EXPECT_EQ(KROW_NONE, KNextRow(3, 0, 3, 1));
    EXPECT_EQ(KROW_NONE, KPreviousRow(3, 1, 3, 1));
    EXPECT_EQ(KROW_NONE, KNextRow(3, -1, -1, 0));
    // A given row still plays.
    EXPECT_EQ(1, KGivenRow(3, 1, 0, 3, 1));
    EXPECT_EQ(0, KGivenRow(3, -1, -1, 3, 1));
}

TEST(KPlayOrder, LoopButtonCyclesThroughTheThreeTypes)
{
    EXPECT_EQ(KLOOP_ALL, KNextLoopType(KLOOP_ONCE));
    EXPECT_EQ(KLOOP_SHUFFLE, KNextLoopType(KLOOP_ALL));
    EXPECT_EQ(KLOOP_ONCE, KNextLoopType(KLOOP_SHUFFLE));
    EXPECT_EQ(KLOOP_ONCE, KNextLoopType(7));
}

TEST(KPlayPosition, RemovedRowsMoveThePositionUpOrLeaveAGapAtTheRemovedPlayingRow)
{
    struct KCase
    {
        int row;
        bool gap;
        int removed;
        int rowAfter;
        bool gapAfter;
        int moved;      // what RowRemoved returns
    };
    const KCase cases[] = {
        {2, false, 0, 1, false, 1},    // above: up one
        {2, false, 2, 2, true, 0},     // the playing row: a gap before the next row
        {2, false, 3, 2, false, 0},    // below: nothing
        {2, true, 1, 1, true, 1},      // above a gap: the gap moves up
        {2, true, 2, 2, true, 0},      // the row after a gap: the gap stays
        {-1, false, 0, -1, false, 0},  // nothing played
    };
    for (const KCase& c : cases) {
        KPlayPosition position;
        position.row = c.row;
        position.gap = c.gap;
        EXPECT_EQ(position.RowRemoved(c.removed), c.moved) << c.row << c.gap << c.removed;
        EXPECT_EQ(position.row, c.rowAfter) << c.row << c.gap << c.removed;
        EXPECT_EQ(position.gap, c.gapAfter) << c.row << c.gap << c.removed;
    }
    KPlayPosition position;
    position.Set(1);
    position.RowRemoved(1);
    EXPECT_EQ(position.PlayingRow(), -1) << "no row shows the playing file";
    position.Set(1);
    EXPECT_EQ(position.PlayingRow(), 1);
}

TEST(KPlayPosition, FromTheGapOfTheRemovedPlayingRowNextAndPreviousChooseAsIfItWereThere)
{
    // `rows` rows are left after removing playing row `removed`; the same choice in the list that
    // still holds it, with the rows after it moved up one, is the expected row.
    auto without = [](int row, int removed) { return row > removed ? row - 1 : row; };
    for (int type = KLOOP_ONCE; type <= KLOOP_ALL; type++) {
        for (int rows = 1; rows <= 4; rows++) {
            for (int removed = 0; removed <= rows; removed++) {
                KPlayPosition position;
                position.Set(removed);
                position.RowRemoved(removed);
                const int next = KNextRow(rows + 1, removed, type, 1);
                const int previous = KPreviousRow(rows + 1, removed, type, 1);
                EXPECT_EQ(KNextRow(rows, position.NextFrom(), type, 1),
                          next < 0 ? next : without(next, removed))
                    << type << " " << rows << " " << removed;
                EXPECT_EQ(KPreviousRow(rows, position.PreviousFrom(), type, 1),
                          previous < 0 ? previous : without(previous, removed))
                    << type << " " << rows << " " << removed;
            }
        }
    }
}
