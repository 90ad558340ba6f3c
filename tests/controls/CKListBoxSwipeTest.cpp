// Swipe-to-delete through real input messages on a 300-pixel-wide list (W / 3 = 100, W / 9 =
// 33): opening and springing back, closing by another press or by dragging back, the removal by
// a tap on the delete area, the red delete area, and vertical drags that scroll instead.
#include <gtest/gtest.h>

#include "KTestSupport.h"
#include "ListBoxTestSupport.h"
#include "controls/CKListBox.h"

namespace {

constexpr unsigned int RED = 0xFF0000;

// A swipe-enabled list of 20 rows (1000 pixels of content).
CKListBox* MakeSwipeList(KControlScope& scope, CNoticeHost* host)
{
    return MakeList(scope, host, KLBS_SWIPE, 20);
}

// Swipes row 1 leftwards by `travel` pixels from x = 250 and waits for the row to settle.
void SwipeRowOne(CKListBox* list, int travel)
{
    Drag(list, {250, 75}, {{246, 75}, {250 - travel / 2, 76}, {250 - travel, 75}});
    WaitForAnimation(list);
}

bool AnyRowSlid(const CKListBox* list)
{
    for (int i = 0; i < list->GetCount(); i++)
        if (list->GetItem(i)->x != 0 || (list->GetItem(i)->flags & KLI_SLID))
            return true;
    return false;
}

} // namespace

TEST(CKListBoxSwipe, ALeftwardSwipeOfASixthOpensTheDeleteAreaAndATwelfthSpringsBack)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeSwipeList(scope, host);
    ASSERT_TRUE(list);

    // While the pointer is held the row follows it.
    PostMouse(list, WM_LBUTTONDOWN, 250, 75);
    PostMouse(list, WM_MOUSEMOVE, 246, 75);
    PostMouse(list, WM_MOUSEMOVE, 200, 75);
    DeliverPosted();
    EXPECT_TRUE(list->GetStyle() & KLBS_SWIPE_SLIDING);
    EXPECT_EQ(list->GetItem(1)->x, -50);
    EXPECT_TRUE(list->GetItem(1)->flags & KLI_SLID);
    EXPECT_EQ(list->GetPressedIndex(), 1);
    // Further than a third it stops at the third.
    PostMouse(list, WM_MOUSEMOVE, 40, 75);
    DeliverPosted();
    EXPECT_EQ(list->GetItem(1)->x, -100);
    PostMouse(list, WM_MOUSEMOVE, 200, 75);
    PostMouse(list, WM_LBUTTONUP, 200, 75);
    DeliverPosted();
    EXPECT_EQ(list->GetPressedIndex(), -1);
    ASSERT_TRUE(WaitForAnimation(list));
    EXPECT_EQ(list->GetSwipeIndex(), 1);
    EXPECT_TRUE(list->GetStyle() & KLBS_SWIPE_OPEN);
    EXPECT_EQ(list->GetItem(1)->x, -100) << "a swipe of 50 > 33 opens the whole third";
    EXPECT_TRUE(Reports(host).empty()) << "a swipe is no tap";

    // On another list, a swipe of W / 12 = 25 springs back.
    CKListBox* other = MakeSwipeList(scope, host);
    ASSERT_TRUE(other);
    SwipeRowOne(other, 25);
    EXPECT_EQ(other->GetSwipeIndex(), -1);
    EXPECT_FALSE(other->GetStyle() & KLBS_SWIPE_STATES);
    EXPECT_FALSE(AnyRowSlid(other));
    EXPECT_TRUE(Reports(host).empty());
    // Exactly a ninth is not enough either; one more pixel is.
    SwipeRowOne(other, 33);
    EXPECT_EQ(other->GetSwipeIndex(), -1);
    SwipeRowOne(other, 34);
    EXPECT_EQ(other->GetSwipeIndex(), 1);
}

TEST(CKListBoxSwipe, ATapOnTheOpenDeleteAreaReportsTheRowAndRemovesIt)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeSwipeList(scope, host);
    ASSERT_TRUE(list);
    list->SelectItem(5, 0);
    host->notices.clear();
    SwipeRowOne(list, 50);
    ASSERT_EQ(list->GetSwipeIndex(), 1);

    Tap(list, 250, 75);
    EXPECT_EQ(list->GetSwipeIndex(), -1);
    EXPECT_FALSE(list->GetStyle() & KLBS_SWIPE_STATES);
    ASSERT_TRUE(WaitForAnimation(list));
    EXPECT_EQ(Reports(host), (std::vector<KNotice>{{LIST_ID, 1285, 1}}));
    ASSERT_EQ(list->GetCount(), 19);
    EXPECT_EQ(list->GetItemData(1), 2);
    EXPECT_EQ(list->GetItem(1)->y, ROW);
    EXPECT_EQ(list->GetContentHeight(), 19 * ROW);
    EXPECT_EQ(list->GetSelectedIndex(), 4) << "the selection stays on its row";
    EXPECT_EQ(list->GetItemData(4), 5);
    EXPECT_FALSE(AnyRowSlid(list));
}

TEST(CKListBoxSwipe, AVerticalDragScrollsTheListAndNeverSlidesARow)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeSwipeList(scope, host);
    ASSERT_TRUE(list);
    Drag(list, {250, 300}, {{249, 296}, {245, 250}, {240, 200}});
    WaitForAnimation(list);
    EXPECT_EQ(ScrollY(list), 100);
    EXPECT_FALSE(AnyRowSlid(list));
    EXPECT_FALSE(list->GetStyle() & KLBS_SWIPE_STATES);
    EXPECT_EQ(list->GetPressedIndex(), -1);
    EXPECT_TRUE(Reports(host).empty());

    // Once a row slides, the press is the row's: moving up and down no longer scrolls.
    Drag(list, {250, 75}, {{240, 76}, {230, 200}, {180, 10}});
    WaitForAnimation(list);
    EXPECT_EQ(ScrollY(list), 100);
    EXPECT_EQ(list->GetSwipeIndex(), 3) << "row 3 lies under y = 75 at offset 100";
}

TEST(CKListBoxSwipe, AnotherPressOrADragBackClosesTheOpenDeleteArea)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeSwipeList(scope, host);
    ASSERT_TRUE(list);

    // A press on another row closes it and is no tap.
    SwipeRowOne(list, 60);
    ASSERT_EQ(list->GetSwipeIndex(), 1);
    Tap(list, 150, 275);
    ASSERT_TRUE(WaitForAnimation(list));
    EXPECT_EQ(list->GetSwipeIndex(), -1);
    EXPECT_FALSE(AnyRowSlid(list));
    EXPECT_TRUE(Reports(host).empty());
    EXPECT_EQ(list->GetSelectedIndex(), -1);

    // Dragging the open row right by 20 springs back open; by 50 closes it.
    SwipeRowOne(list, 60);
    PostMouse(list, WM_LBUTTONDOWN, 150, 75);
    PostMouse(list, WM_MOUSEMOVE, 170, 75);
    DeliverPosted();
    EXPECT_EQ(list->GetItem(1)->x, -80);
    PostMouse(list, WM_LBUTTONUP, 170, 75);
    DeliverPosted();
    ASSERT_TRUE(WaitForAnimation(list));
    EXPECT_EQ(list->GetSwipeIndex(), 1);
    EXPECT_EQ(list->GetItem(1)->x, -100);
    Drag(list, {150, 75}, {{175, 75}, {200, 75}});
    ASSERT_TRUE(WaitForAnimation(list));
    EXPECT_EQ(list->GetSwipeIndex(), -1);
    EXPECT_FALSE(AnyRowSlid(list));
    EXPECT_TRUE(Reports(host).empty());
    EXPECT_EQ(list->GetCount(), 20);
}

TEST(CKListBoxSwipe, TheOpenRowShowsARedDeleteAreaBesideItsFace)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeSwipeList(scope, host);
    ASSERT_TRUE(list);
    SwipeRowOne(list, 60);
    RepaintNow(list);
    EXPECT_EQ(BackBufferPixel(205, 53), RED);
    EXPECT_EQ(BackBufferPixel(290, 53), RED) << "left of the scroll indicator";
    EXPECT_EQ(BackBufferPixel(195, 53), 0x000000u) << "the row's black face, moved left";
    EXPECT_NE(BackBufferPixel(205, 103), RED) << "only the open row";
}
