// List boxes through real windows and input: items and the selection that follows them, row and
// grid layout with hit-testing, painting only the rows the clip meets, radio runs and check
// boxes by tap and by key, the selection styles, double presses, expandable rows with button
// groups, and deferred layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ListBoxTestSupport.h"
#include "controls/CKButton.h"
#include "controls/CKButtonGroup.h"
#include "controls/CKListBox.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKColorDrawable.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/CKStateBoxDrawable.h"
#include "graphics/KGraphics.h"

namespace {

// Records the data of every item it is told about, and of every item it paints.
class CRecordingList : public CKListBox
{
public:
    void OnDeleteItem(KListItem* item) override { deleted.push_back((int)item->userData); }
    void DrawItem(CKCanvas* canvas, KListItem* item, const RECT& rect) override
    {
        painted.push_back((int)item->userData);
        CKListBox::DrawItem(canvas, item, rect);
    }
    std::vector<int> deleted;
    std::vector<int> painted;
};

CRecordingList* MakeRecordingList(KControlScope& scope, CNoticeHost* host, unsigned int style,
                                  int rows)
{
    CRecordingList* list = scope.Add(new CRecordingList(), host, style, LIST_FLAGS,
                                     RECT{0, 0, LIST_WIDTH, LIST_HEIGHT}, LIST_ID);
    if (!list)
        return nullptr;
    list->SetRedraw(0);
    for (int i = 0; i < rows; i++)
        list->SetItemData(list->AddItem(0), i);
    list->SetRedraw(1);
    return list;
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> values;
    for (int i = first; i <= last; i++)
        values.push_back(i);
    return values;
}

bool Checked(const CKListBox* list, int index)
{
    return (list->GetItem(index)->flags & KSTATE_CHECKED) != 0;
}

void PressKey(CKWindow* window, WPARAM key)
{
    PostKey(window, WM_KEYDOWN, key);
    PostKey(window, WM_KEYUP, key);
    DeliverPosted();
}

// A group of three buttons with the ids 100, 101 and 102.
CKButtonGroup* MakeButtons()
{
    CKButtonGroup* group = new CKButtonGroup();
    for (unsigned int id = 100; id <= 102; id++)
        group->AddItem(0, id);
    return group;
}

} // namespace

TEST(CKListBox, InsertingAndRemovingKeepTheSelectionOnItsItem)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CRecordingList* list = MakeRecordingList(scope, host, KLBS_LIST, 10);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->GetSelectedIndex(), -1);
    EXPECT_EQ(list->SelectItem(5, 0), 1);
    EXPECT_EQ(host->WithCode(KNOTIFY_LB_SELECT), (std::vector<KNotice>{{LIST_ID, 1283, 5}}));

    EXPECT_EQ(list->InsertItem(2, 0), 2);
    EXPECT_EQ(list->GetSelectedIndex(), 6) << "an insertion before the selection moves it";
    EXPECT_EQ(list->InsertItem(99, 0), 11) << "beyond the count appends";
    EXPECT_EQ(list->InsertItem(-4, 0), 12) << "below 0 appends";
    EXPECT_EQ(list->GetItem(12)->height, ROW);
    EXPECT_EQ(list->GetItem(12)->width, LIST_WIDTH) << "a row is as wide as the list";

    // Removing an item before the selected one keeps the selection on the same item.
    list->SetItemData(2, 100);
    EXPECT_EQ(list->RemoveItem(2), 1);
    EXPECT_EQ(list->GetSelectedIndex(), 5);
    EXPECT_EQ(list->RemoveItem(0), 1);
    EXPECT_EQ(list->GetSelectedIndex(), 4);
    EXPECT_EQ(list->GetItemData(4), 5);
    EXPECT_TRUE(list->GetItem(4)->flags & KSTATE_SELECTED);
    EXPECT_EQ(list->GetItem(4)->y, 4 * ROW) << "the rows below moved up";
    // Removing it clears the selection; an index outside the list does nothing.
    EXPECT_EQ(list->RemoveItem(4), 1);
    EXPECT_EQ(list->GetSelectedIndex(), -1);
    EXPECT_EQ(list->RemoveItem(10), 0);
    EXPECT_EQ(list->RemoveItem(-1), 0);
    EXPECT_EQ(list->GetItem(-1), nullptr);
    EXPECT_EQ(list->deleted, (std::vector<int>{100, 0, 5}));
    EXPECT_EQ(host->WithCode(KNOTIFY_LB_SELECT).size(), 1u) << "removal reports no selection";

    list->ScrollTo(0, 50);
    list->deleted.clear();
    list->RemoveAllItems();
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(list->deleted, (std::vector<int>{1, 2, 3, 4, 6, 7, 8, 9, 0, 0}));
    EXPECT_EQ(ScrollY(list), 0);
    EXPECT_EQ(list->GetContentHeight(), 0);
    EXPECT_EQ(list->SelectItem(0, 0), 0) << "nothing to select in an empty list";
}

TEST(CKListBox, TextsAreCopiesUnlessBorrowedAndItemValuesIgnoreBadIndexes)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeList(scope, host, KLBS_LIST, 2);
    ASSERT_TRUE(list);
    wchar_t buffer[] = L"Alpha";
    EXPECT_EQ(list->SetItemText(0, buffer, 3, L"Second line", -1), 1);
    buffer[0] = L'X';
    EXPECT_EQ(std::wstring(list->GetItem(0)->text1), L"Alp");
    EXPECT_EQ(list->GetItem(0)->text1Length, 3);
    EXPECT_EQ(std::wstring(list->GetItem(0)->text2), L"Second line");
    EXPECT_EQ(list->GetItem(0)->text2Length, 11);
    EXPECT_EQ(list->SetItemText(0, nullptr, -1, nullptr, -1), 1);
    EXPECT_EQ(list->GetItem(0)->text1, nullptr);
    EXPECT_EQ(list->GetItem(0)->text1Length, 0);

    const int borrowed = list->AddItem(KLI_BORROWED_TEXT);
    EXPECT_EQ(list->SetItemText(borrowed, buffer, -1, nullptr, 0), 1);
    EXPECT_EQ(list->GetItem(borrowed)->text1, buffer) << "a borrowed text is not copied";
    EXPECT_EQ(list->GetItem(borrowed)->text1Length, 5);

    EXPECT_EQ(list->SetItemText(7, L"x", -1, nullptr, 0), 0);
    EXPECT_EQ(list->SetItemData(7, 1), 0);
    EXPECT_EQ(list->GetItemData(7), 0);
    EXPECT_EQ(list->SetItemHeight(7, 10), 0);
    EXPECT_EQ(list->SetItemCheck(7, 1), 0);
    EXPECT_EQ(list->GetItemCheck(7), 0);
    EXPECT_EQ(list->SetItemIcon(-2, nullptr, 0), 0);
    EXPECT_EQ(list->SetItemButtons(3, nullptr), 0);
    SIZE size;
    EXPECT_EQ(list->CalcItemSize(5, size), 0);
    RECT rect;
    EXPECT_EQ(list->GetItemRect(5, &rect), 0);
    EXPECT_EQ(std::wstring(list->GetDeleteText()), L"Delete");
    list->SetDeleteText(3022);
    EXPECT_EQ(std::wstring(list->GetDeleteText()), L"删除");
    list->SetDeleteText(2999);
    EXPECT_EQ(std::wstring(list->GetDeleteText()), L"删除") << "a missing string changes nothing";
}

TEST(CKListBox, RowsStackInIndexOrderAndHitTestingFollowsTheScrollPosition)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeList(scope, host, KLBS_LIST, 20);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->GetDefaultItemHeight(), ROW);
    EXPECT_EQ(list->GetItem(3)->y, 150);
    EXPECT_EQ(list->GetContentHeight(), 20 * ROW);

    EXPECT_EQ(list->SetItemHeight(2, 80), 1);
    EXPECT_TRUE(list->GetItem(2)->flags & KLI_OWN_HEIGHT);
    EXPECT_EQ(list->GetItem(3)->y, 180);
    EXPECT_EQ(list->GetContentHeight(), 20 * ROW + 30);
    int extent = 0;
    list->GetScrollExtent(nullptr, &extent);
    EXPECT_EQ(extent, 20 * ROW + 30) << "the content height is the scroll range";
    list->SetDefaultItemHeight(40);
    list->SetRedraw(1);
    EXPECT_EQ(list->GetItem(1)->height, 40);
    EXPECT_EQ(list->GetItem(2)->height, 80) << "an own height stays";
    EXPECT_EQ(list->SetItemHeight(2, 0), 1);
    EXPECT_FALSE(list->GetItem(2)->flags & KLI_OWN_HEIGHT);
    EXPECT_EQ(list->GetItem(2)->height, 40);
    list->SetDefaultItemHeight(ROW);
    list->SetRedraw(1);

    list->ScrollTo(0, 120);
    RECT rect;
    ASSERT_EQ(list->GetItemRect(3, &rect), 1);
    EXPECT_EQ(rect.top, 150 - 120);
    EXPECT_EQ(rect.bottom, 200 - 120);
    EXPECT_EQ(rect.right, LIST_WIDTH);
    EXPECT_EQ(list->HitTest(10, 29), 2);
    EXPECT_EQ(list->HitTest(10, 30), 3);
    EXPECT_EQ(list->HitTest(10, 20 * ROW - 120 - 1), 19);
    EXPECT_EQ(list->HitTest(10, 20 * ROW - 120), -1) << "below the content";
    list->ScrollTo(0, -20);
    EXPECT_EQ(list->HitTest(10, 5), -1) << "above the content start";
    EXPECT_EQ(list->HitTest(10, 20), 0);
}

TEST(CKListBox, KeysInQuickSuccessionEachMoveTheSelectionWhileTheListScrolls)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeList(scope, host, KLBS_LIST, 20);
    ASSERT_TRUE(list);
    list->SelectItem(7, 0);
    // Each Down past the last row that shows starts a scroll into view; the next one, arriving
    // while it runs, ends it at its target and moves on.
    for (int i = 0; i < 3; i++)
        PostKey(list, WM_KEYDOWN, VK_DOWN);
    DeliverPosted();
    EXPECT_EQ(list->GetSelectedIndex(), 10);
    ASSERT_TRUE(WaitForAnimation(list));
    EXPECT_EQ(ScrollY(list), 11 * ROW - LIST_HEIGHT) << "row 10 shows whole at the bottom";
}

TEST(CKListBox, AGridFillsColumnsOfTheCellWidthAndKeysStopAtItsLastRow)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeList(scope, host, KLBS_GRID, 14);
    ASSERT_TRUE(list);
    // 300 pixels hold six cells of 50: rows of 6, 6 and a last row of 2.
    EXPECT_EQ(list->GetCellWidth(), 50);
    EXPECT_EQ(list->GetColumns(), 6);
    EXPECT_EQ(list->GetItem(13)->x, 50);
    EXPECT_EQ(list->GetItem(13)->y, 100);
    EXPECT_EQ(list->GetItem(13)->width, 50);
    EXPECT_EQ(list->GetContentHeight(), 150) << "the partly filled last row ends the content";
    EXPECT_EQ(list->HitTest(60, 110), 13);
    EXPECT_EQ(list->HitTest(110, 110), -1) << "no item 14";
    EXPECT_EQ(list->HitTest(299, 10), 5);
    EXPECT_EQ(list->HitTest(300, 10), -1) << "beyond the last column";
    EXPECT_EQ(list->HitTest(-1, 10), -1);

    // Up and down move by a row, left and right by an item; the last row goes nowhere down.
    list->SelectItem(13, 0);
    host->notices.clear();
    PressKey(list, VK_DOWN);
    EXPECT_EQ(list->GetSelectedIndex(), 13);
    EXPECT_TRUE(Reports(host).empty());
    list->SelectItem(8, 0);
    PressKey(list, VK_DOWN);
    EXPECT_EQ(list->GetSelectedIndex(), 8) << "nothing below item 8";
    list->SelectItem(7, 0);
    PressKey(list, VK_DOWN);
    EXPECT_EQ(list->GetSelectedIndex(), 13);
    PressKey(list, VK_UP);
    EXPECT_EQ(list->GetSelectedIndex(), 7);
    PressKey(list, VK_UP);
    EXPECT_EQ(list->GetSelectedIndex(), 1);
    PressKey(list, VK_UP);
    EXPECT_EQ(list->GetSelectedIndex(), 1);
    PressKey(list, VK_RIGHT);
    EXPECT_EQ(list->GetSelectedIndex(), 2);
    PressKey(list, VK_LEFT);
    PressKey(list, VK_LEFT);
    PressKey(list, VK_LEFT);
    EXPECT_EQ(list->GetSelectedIndex(), 0);
}

TEST(CKListBox, PaintingDrawsOnlyTheRowsTheClipMeetsAtTheTopAndAtTheBottom)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    const int rows = 100000;
    CRecordingList* list = MakeRecordingList(scope, host, KLBS_LIST, rows);
    ASSERT_TRUE(list);
    DeliverPosted();
    list->painted.clear();
    RepaintNow(list);
    EXPECT_EQ(list->painted, Range(0, 7));

    list->painted.clear();
    list->ScrollTo(0, 125);
    RepaintNow(list);
    EXPECT_EQ(list->painted, Range(2, 10)) << "content 125..525 meets rows 2 to 10";

    // A clip of client rows 100..160 is content 225..285: rows 4 and 5.
    list->painted.clear();
    CKCanvas canvas;
    ASSERT_EQ(canvas.Bind(GetBackBufferDC()), 1);
    HRGN band = CreateRectRgn(0, 100, LIST_WIDTH, 160);
    SelectClipRgn(canvas.GetDC(), band);
    DeleteObject(band);
    list->OnPaint(&canvas);
    SelectClipRgn(canvas.GetDC(), nullptr);
    canvas.Unbind();
    EXPECT_EQ(list->painted, Range(4, 5));

    list->painted.clear();
    list->ScrollTo(0, rows * ROW - LIST_HEIGHT);
    RepaintNow(list);
    EXPECT_EQ(list->painted, Range(rows - 8, rows - 1));
    EXPECT_EQ(list->HitTest(10, LIST_HEIGHT - 1), rows - 1);
    EXPECT_EQ(list->HitTest(10, 0), rows - 8);
}

TEST(CKListBox, TappingARadioItemUnchecksTheRestOfItsRunAndReportsTheCheckOnce)
{
    const unsigned int radio = KBOX_RADIO;
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    for (unsigned int style : {KLBS_TAP_TOGGLES, 0u}) {
        CKListBox* list = MakeList(scope, host, style, 0);
        ASSERT_TRUE(list);
        // A run of three, two of them checked, then a second run whose checked item stays.
        list->AddItem(radio | KLI_RADIO_FIRST);
        list->AddItem(radio | KSTATE_CHECKED);
        list->AddItem(radio | KSTATE_CHECKED);
        list->AddItem(radio | KLI_RADIO_FIRST | KSTATE_CHECKED);
        list->AddItem(0);
        host->notices.clear();
        int x = 200;   // the body
        if (!style) {
            // Without KLBS_TAP_TOGGLES only the box (at the left edge) toggles.
            EXPECT_EQ(list->HitTestPart(0, 200, 25), KLBP_BODY);
            x = 1;
            while (x < 60 && list->HitTestPart(0, x, 25) != KLBP_BOX)
                x++;
            ASSERT_LT(x, 60) << "the radio box lies at the left edge";
        }
        Tap(list, x, 25);
        const int report = style ? KNOTIFY_LB_TAP : KNOTIFY_LB_BOX_TAP;
        EXPECT_EQ(Codes(host), (std::vector<int>{KNOTIFY_LB_SELECT, KNOTIFY_LB_CHECK, report}));
        EXPECT_EQ(host->WithCode(KNOTIFY_LB_CHECK), (std::vector<KNotice>{{LIST_ID, 1284, 0}}));
        EXPECT_TRUE(Checked(list, 0));
        EXPECT_FALSE(Checked(list, 1));
        EXPECT_FALSE(Checked(list, 2));
        EXPECT_TRUE(Checked(list, 3)) << "the next run is another group";

        // A checked radio item stays checked.
        host->notices.clear();
        Tap(list, x, 25);
        EXPECT_EQ(Codes(host), (std::vector<int>{report}));
        EXPECT_TRUE(Checked(list, 0));
        // Checking the last of the run through the call reaches back to its first item.
        EXPECT_EQ(list->SetItemCheck(2, 1), 1);
        EXPECT_FALSE(Checked(list, 0));
        EXPECT_TRUE(Checked(list, 3));
        EXPECT_EQ(list->SetItemCheck(2, 0), 1);
        EXPECT_EQ(list->GetItemCheck(2), 0);
        EXPECT_EQ(list->SetItemCheck(2, 0), 0) << "no change, no report";
        EXPECT_EQ(list->SetItemCheck(4, 1), 0) << "an item without a box has no check";
        list->Destroy();
    }
}

TEST(CKListBox, TheConfirmKeyOnASelectedCheckItemTogglesItWithoutATap)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeList(scope, host, KLBS_LIST, 0);
    ASSERT_TRUE(list);
    list->AddItem(KBOX_CHECK | KLI_BOX_RIGHT);
    list->AddItem(0);
    list->AddItem(KBOX_RADIO | KSTATE_CHECKED);
    list->SelectItem(0, 0);
    host->notices.clear();

    PostKey(list, WM_KEYDOWN, VK_RETURN);
    DeliverPosted();
    EXPECT_EQ(list->GetPressedIndex(), 0) << "the key down shows the press";
    PostKey(list, WM_KEYUP, VK_RETURN);
    DeliverPosted();
    EXPECT_EQ(list->GetPressedIndex(), -1);
    EXPECT_EQ(list->GetItemCheck(0), 1);
    EXPECT_EQ(Reports(host), (std::vector<KNotice>{{LIST_ID, 1284, 0}}));

    host->notices.clear();
    PressKey(list, VK_SPACE);
    EXPECT_EQ(list->GetItemCheck(0), 0);
    EXPECT_EQ(Codes(host), (std::vector<int>{KNOTIFY_LB_CHECK}));

    // Down to the plain item: where a double press opens a row (this list reports double
    // presses), the confirm key reports one.
    host->notices.clear();
    PressKey(list, VK_DOWN);
    PressKey(list, VK_RETURN);
    EXPECT_EQ(Reports(host), (std::vector<KNotice>{{LIST_ID, 1283, 1}, {LIST_ID, 1282, 1}}));
    // A checked radio item stays as it is.
    host->notices.clear();
    PressKey(list, VK_DOWN);
    PressKey(list, VK_RETURN);
    EXPECT_EQ(Codes(host), (std::vector<int>{KNOTIFY_LB_SELECT}));
    EXPECT_EQ(list->GetItemCheck(2), 1);
    // A key up without a press does nothing.
    host->notices.clear();
    PostKey(list, WM_KEYUP, VK_RETURN);
    DeliverPosted();
    EXPECT_TRUE(Reports(host).empty());

    // A list without double presses reports the confirm key on a plain item as a tap.
    CKListBox* tapping = scope.Add(new CKListBox(), host, KLBS_LIST, LIST_FLAGS & ~KWF_DBLCLK,
                                   RECT{0, 0, LIST_WIDTH, LIST_HEIGHT}, LIST_ID);
    ASSERT_TRUE(tapping);
    tapping->AddItem(0);
    tapping->SelectItem(0, 0);
    host->notices.clear();
    PressKey(tapping, VK_RETURN);
    EXPECT_EQ(Reports(host), (std::vector<KNotice>{{LIST_ID, 1281, 0}}));
}

TEST(CKListBox, WithStyle0x20ATapReportsTheItemButNeverASelection)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeList(scope, host, KLBS_NO_SELECT, 5);
    ASSERT_TRUE(list);
    Tap(list, 100, 125);
    EXPECT_EQ(Reports(host), (std::vector<KNotice>{{LIST_ID, 1281, 2}}));
    EXPECT_EQ(list->GetSelectedIndex(), -1);
    EXPECT_EQ(list->SelectItem(2, 0), 0);
    EXPECT_FALSE(list->GetItem(2)->flags & KSTATE_SELECTED);
    EXPECT_EQ(list->GetPressedIndex(), -1) << "the release clears the press";

    // Multiple selection: each tap toggles the item's selection, without 1283.
    CKListBox* multi = MakeList(scope, host, KLBS_MULTI_SELECT, 5);
    ASSERT_TRUE(multi);
    host->notices.clear();
    Tap(multi, 100, 25);
    Tap(multi, 100, 125);
    Tap(multi, 100, 25);
    EXPECT_EQ(Codes(host), (std::vector<int>{1281, 1281, 1281}));
    EXPECT_FALSE(multi->GetItem(0)->flags & KSTATE_SELECTED);
    EXPECT_TRUE(multi->GetItem(2)->flags & KSTATE_SELECTED);
    EXPECT_EQ(multi->GetSelectedIndex(), -1);
}

TEST(CKListBox, ADoublePressSelectsTheRowAndReportsItOnce)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeList(scope, host, KLBS_LIST, 6);
    ASSERT_TRUE(list);
    PostMouse(list, WM_LBUTTONDOWN, 100, 175);
    PostMouse(list, WM_LBUTTONUP, 100, 175);
    PostMouse(list, WM_LBUTTONDBLCLK, 100, 175);
    PostMouse(list, WM_LBUTTONUP, 100, 175);
    DeliverPosted();
    EXPECT_EQ(Reports(host),
              (std::vector<KNotice>{{LIST_ID, 1283, 3}, {LIST_ID, 1281, 3}, {LIST_ID, 1282, 3}}));

    // A double press on an unselected row selects it first; one on a disabled row is ignored.
    list->AddItem(KSTATE_DISABLED);
    host->notices.clear();
    PostMouse(list, WM_LBUTTONDBLCLK, 100, 25);
    PostMouse(list, WM_LBUTTONDBLCLK, 100, 325);
    Tap(list, 100, 325);
    EXPECT_EQ(Reports(host), (std::vector<KNotice>{{LIST_ID, 1283, 0}, {LIST_ID, 1282, 0}}));
}

TEST(CKListBox, ATapExpandsTheRowsButtonGroupAndASecondTapCollapsesIt)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeList(scope, host, KLBS_BUTTONS | KLBS_TAP_EXPANDS, 5);
    ASSERT_TRUE(list);
    for (int i = 0; i < 5; i++) {
        CKButtonGroup* group = MakeButtons();
        EXPECT_EQ(list->SetItemButtons(i, group), 1);
        EXPECT_EQ(group->GetRefCount(), 1) << "the list holds the group";
        EXPECT_EQ(group->GetOwner(), list);
    }
    // Three 50 x 38 buttons in the first row of a grid six cells wide.
    const int expanded = ROW + 38;

    Tap(list, 200, 75);
    ASSERT_TRUE(WaitForAnimation(list));
    EXPECT_EQ(Codes(host), (std::vector<int>{KNOTIFY_LB_SELECT, KNOTIFY_LB_TAP}));
    EXPECT_EQ(list->GetExpandedIndex(), 1);
    EXPECT_TRUE(list->GetItem(1)->flags & KLI_EXPANDED);
    EXPECT_EQ(list->GetItem(1)->height, expanded);
    EXPECT_EQ(list->GetItem(2)->y, ROW + expanded);

    // The band under the row is the group's: its first button (x 0..50) reports its tap.
    EXPECT_EQ(list->HitTestPart(1, 25, 110), KLBP_BUTTONS);
    EXPECT_EQ(list->HitTestPart(1, 25, 90), KLBP_BODY);
    host->notices.clear();
    Tap(list, 25, 110);
    EXPECT_EQ(Reports(host), (std::vector<KNotice>{{100, KNOTIFY_CLICK, 0}}));
    EXPECT_EQ(list->GetExpandedIndex(), 1);

    // Another row: it expands while the first collapses.
    Tap(list, 200, ROW + expanded + ROW + 25);
    ASSERT_TRUE(WaitForAnimation(list));
    EXPECT_EQ(list->GetExpandedIndex(), 3);
    EXPECT_FALSE(list->GetItem(1)->flags & KLI_EXPANDED);
    EXPECT_EQ(list->GetItem(1)->height, ROW);
    EXPECT_EQ(list->GetItem(3)->height, expanded);
    // The expanded row again: it collapses.
    Tap(list, 200, 3 * ROW + 25);
    ASSERT_TRUE(WaitForAnimation(list));
    EXPECT_EQ(list->GetExpandedIndex(), -1);
    EXPECT_EQ(list->GetItem(3)->height, ROW);
    EXPECT_EQ(list->GetContentHeight(), 5 * ROW);

    // The animation ends in the state the direct expansion gives.
    list->Expand(2, 0);
    EXPECT_EQ(list->GetExpandedIndex(), 2);
    EXPECT_EQ(list->GetItem(2)->flags & (KLI_EXPANDED | KLI_OWN_HEIGHT),
              KLI_EXPANDED | KLI_OWN_HEIGHT);
    EXPECT_EQ(list->GetItem(2)->height, expanded);
    list->Expand(-1, 0);
    EXPECT_EQ(list->GetItem(2)->height, ROW);
    EXPECT_FALSE(list->GetItem(2)->flags & KLI_EXPANDED);

    // A key that moves the selection expands the newly selected row.
    list->SelectItem(0, 0);
    PressKey(list, VK_DOWN);
    ASSERT_TRUE(WaitForAnimation(list));
    EXPECT_EQ(list->GetExpandedIndex(), 1);
    EXPECT_EQ(list->GetItem(1)->height, expanded);
}

TEST(CKListBox, WithRedrawOffItemsWaitForTheLayoutUntilRedrawIsOnAgain)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeList(scope, host, KLBS_LIST, 0);
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->IsRedrawOn());
    list->SetRedraw(0);
    EXPECT_FALSE(list->IsRedrawOn());
    for (int i = 0; i < 3; i++)
        list->AddItem(0);
    EXPECT_EQ(list->GetItem(2)->y, 0);
    EXPECT_EQ(list->GetContentHeight(), 0);
    list->SetRedraw(1);
    EXPECT_EQ(list->GetItem(2)->y, 2 * ROW);
    EXPECT_EQ(list->GetContentHeight(), 3 * ROW);
}

TEST(CKListBox, AnItemMeasuresAsItsIconAndBoxBesideItsTextsInsideTheFace)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeList(scope, host, KLBS_LIST, 0);
    ASSERT_TRUE(list);
    const KColor grey = 0xFF808080;
    CKColorDrawable* face = MakeFace(&grey, 3);
    list->SetFaceDrawable(face);
    CKImgList* icons = MakeImgList(16, {0x00FF00, 0x0000FF});

    const int plain = list->AddItem(0);
    list->SetItemText(plain, L"Title", -1, L"A longer second line", -1);
    const int rich = list->AddItem(KBOX_CHECK);
    list->SetItemText(rich, L"Title", -1, L"A longer second line", -1);
    list->SetItemIcon(rich, icons, 1);
    EXPECT_EQ(list->GetItem(rich)->iconCell, 1);

    SIZE first, second, box = {0, 0};
    ASSERT_EQ(list->CalcItemSize(plain, first), 1);
    ASSERT_EQ(list->CalcItemSize(rich, second), 1);
    list->GetBoxDrawable()->SetState(KBOX_CHECK);
    list->GetBoxDrawable()->CalcSize(box);
    ASSERT_GT(box.cx, 0);
    // The icon drawable's margins and paddings surround the 16-pixel icon.
    const RECT& margin = list->GetIconDrawable()->GetMargin();
    const RECT& padding = list->GetIconDrawable()->GetPadding();
    const int iconWidth = 16 + margin.left + margin.right + padding.left + padding.right;
    const int iconHeight = 16 + margin.top + margin.bottom + padding.top + padding.bottom;
    EXPECT_EQ(second.cx - first.cx, iconWidth + box.cx);
    EXPECT_GE(second.cy, iconHeight + 6);
    EXPECT_GT(first.cy, 6) << "two lines of text and the face's padding";

    SIZE row;
    EXPECT_EQ(list->CalcSize(row), 1);
    EXPECT_GE(row.cx, box.cx + 6);
    list->SetFaceDrawable(nullptr);
    face->Release();
    icons->Release();
}
