// Tree controls through their real HWNDs: layout and hit tests, taps on the parts of a row and
// the notifications they send, check and radio boxes, keys, sorting, updates off and on, the
// deletion hook and the default look.
//
// Index (one test each, in this order): layout - parts - taps - radio boxes - keys - sort -
// updates - deletion hook - look.
#include <gtest/gtest.h>

#include "TreeTestSupport.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKStateBoxDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/KDrawableRegistry.h"
#include "graphics/KGraphics.h"

namespace {

const RECT TREE_RECT = {10, 10, 250, 210};
constexpr int TREE_WIDTH = 240;

// The middle of a displayed row, in the tree's client coordinates.
int MidY(const CKTreeCtrl* tree, const KTreeItem* item)
{
    RECT rect = {};
    tree->GetItemRect(item, &rect);
    return (rect.top + rect.bottom) / 2;
}

// The width of a check box beside a row.
int CheckBoxWidth()
{
    CKDrawable* icon = GetDrawable("res/DrawableCtrl.xml", "DefCheckBoxIcon");
    SIZE size = {0, 0};
    if (icon) {
        icon->SetState(KBOX_CHECK);
        icon->CalcSize(size);
    }
    return size.cx;
}

// Pixels in `rect` (root coordinates) that differ from `rgb`, and that equal it.
int CountOtherThan(const RECT& rect, unsigned int rgb)
{
    int count = 0;
    for (unsigned int pixel : GrabBackBuffer(rect))
        count += pixel != rgb;
    return count;
}

int CountOf(const RECT& rect, unsigned int rgb)
{
    const std::vector<unsigned int> pixels = GrabBackBuffer(rect);
    return (int)pixels.size() - CountOtherThan(rect, rgb);
}

} // namespace

TEST(CKTreeCtrl, RowsAreLaidOutDepthFirstSkippingHiddenItemsAndCollapsedBranches)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CTestTree* tree = AddTree(scope, host, 0, TREE_RECT);
    ASSERT_TRUE(tree);
    const int h = tree->GetItemHeight();
    ASSERT_GT(h, 0);
    KTreeItem* a = AddItem(tree, nullptr, L"A");
    KTreeItem* a1 = AddItem(tree, a, L"a1");
    KTreeItem* a2 = AddItem(tree, a, L"a2", KTIF_HIDDEN);
    KTreeItem* a3 = AddItem(tree, a, L"a3");
    KTreeItem* b = AddItem(tree, nullptr, L"B");
    KTreeItem* b1 = AddItem(tree, b, L"b1");
    KTreeItem* c = AddItem(tree, nullptr, L"C");
    tree->SetItemHeight(c, 50);
    EXPECT_EQ(a->depth, 0);
    EXPECT_EQ(a3->depth, 1);
    EXPECT_EQ(tree->GetItemCount(), 7);
    EXPECT_EQ(tree->GetContentHeight(), 2 * h + 50);

    ASSERT_EQ(tree->Expand(a, true, false), 1);
    EXPECT_EQ(a1->y, h);
    EXPECT_EQ(a3->y, 2 * h);
    EXPECT_EQ(b->y, 3 * h);
    EXPECT_EQ(c->y, 4 * h);
    EXPECT_EQ(c->height, 50);
    EXPECT_EQ(a->subtreeBottom, 3 * h);
    EXPECT_EQ(b->subtreeBottom, 4 * h);
    EXPECT_EQ(tree->GetContentHeight(), 4 * h + 50);
    int extentX, extentY;
    tree->GetScrollExtent(&extentX, &extentY);
    EXPECT_EQ(extentY, 4 * h + 50);

    RECT rect;
    ASSERT_TRUE(tree->GetItemRect(a3, &rect));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, TREE_WIDTH);
    EXPECT_EQ(rect.top, 2 * h);
    EXPECT_EQ(rect.bottom, 3 * h);
    EXPECT_FALSE(tree->GetItemRect(a2, &rect));
    EXPECT_FALSE(tree->GetItemRect(b1, &rect));
    EXPECT_FALSE(tree->GetItemRect(nullptr, &rect));

    EXPECT_EQ(tree->HitTest(5, 2 * h), a3);
    EXPECT_EQ(tree->HitTest(5, 3 * h - 1), a3);
    EXPECT_EQ(tree->HitTest(5, 4 * h + 49), c);
    EXPECT_EQ(tree->HitTest(5, 4 * h + 50), nullptr);
    EXPECT_EQ(tree->HitTest(-1, 5), nullptr);

    // Scrolling moves every row up; the hit test follows.
    tree->ScrollTo(0, h + 3);
    ASSERT_TRUE(tree->GetItemRect(a, &rect));
    EXPECT_EQ(rect.top, -h - 3);
    EXPECT_EQ(tree->HitTest(5, 0), a1);
    tree->ScrollTo(0, 0);

    // A height below 1 returns the row to the tree's height; showing a2 moves the rows after it.
    tree->SetItemHeight(c, 0);
    EXPECT_EQ(c->height, h);
    tree->ModifyItemFlags(a2, 0, KTIF_HIDDEN);
    EXPECT_EQ(a2->y, 2 * h);
    EXPECT_EQ(a3->y, 3 * h);
    EXPECT_EQ(tree->GetContentHeight(), 6 * h);
    // Collapsing without animation lays out at once and sends nothing.
    host->notices.clear();
    EXPECT_EQ(tree->Expand(a, false, false), 1);
    EXPECT_EQ(b->y, h);
    EXPECT_EQ(tree->GetContentHeight(), 3 * h);
    EXPECT_TRUE(host->notices.empty());
}

TEST(CKTreeCtrl, HitTestPartSplitsIndentButtonColumnBoxAndBody)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CTestTree* tree = AddTree(scope, host, KTVS_BUTTONS | KTVS_ROOT_INDENT, TREE_RECT);
    ASSERT_TRUE(tree);
    const int w = tree->GetIndentWidth();
    const int boxWidth = CheckBoxWidth();
    ASSERT_GT(w, 0);
    ASSERT_GT(boxWidth, 0);
    KTreeItem* root = AddItem(tree, nullptr, L"root");
    KTreeItem* left = AddItem(tree, root, L"left box", KBOX_CHECK);
    KTreeItem* right = AddItem(tree, root, L"right box", KBOX_CHECK | KTIF_BOX_RIGHT);
    tree->Expand(root, true, false);

    // Depth 1 with a root column: the content starts at 2w.
    EXPECT_EQ(tree->HitTestPart(left, 0, 0), KTVP_INDENT);
    EXPECT_EQ(tree->HitTestPart(left, w - 1, 0), KTVP_INDENT);
    EXPECT_EQ(tree->HitTestPart(left, w, 0), KTVP_BUTTON);
    EXPECT_EQ(tree->HitTestPart(left, 2 * w - 1, 0), KTVP_BUTTON);
    EXPECT_EQ(tree->HitTestPart(left, 2 * w, 0), KTVP_BOX);
    EXPECT_EQ(tree->HitTestPart(left, 2 * w + boxWidth - 1, 0), KTVP_BOX);
    EXPECT_EQ(tree->HitTestPart(left, 2 * w + boxWidth, 0), KTVP_BODY);
    EXPECT_EQ(tree->HitTestPart(right, 2 * w, 0), KTVP_BODY);
    EXPECT_EQ(tree->HitTestPart(right, TREE_WIDTH - boxWidth - 1, 0), KTVP_BODY);
    EXPECT_EQ(tree->HitTestPart(right, TREE_WIDTH - boxWidth, 0), KTVP_BOX);
    EXPECT_EQ(tree->HitTestPart(right, TREE_WIDTH - 1, 0), KTVP_BOX);
    EXPECT_EQ(tree->HitTestPart(root, 0, 0), KTVP_BUTTON);
    EXPECT_EQ(tree->HitTestPart(root, w, 0), KTVP_BODY);

    // Without buttons the whole indent is the indent area; without the root column it shrinks.
    tree->ModifyStyle(0, KTVS_BUTTONS);
    EXPECT_EQ(tree->HitTestPart(left, 2 * w - 1, 0), KTVP_INDENT);
    tree->ModifyStyle(0, KTVS_ROOT_INDENT);
    EXPECT_EQ(tree->HitTestPart(left, w - 1, 0), KTVP_INDENT);
    EXPECT_EQ(tree->HitTestPart(left, w, 0), KTVP_BOX);
    EXPECT_EQ(tree->HitTestPart(root, 0, 0), KTVP_BODY);
    EXPECT_EQ(tree->HitTestPart(nullptr, 0, 0), 0);
}

TEST(CKTreeCtrl, TapsSelectAndReportThePartTappedInOrder)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CTestTree* tree = AddTree(scope, host, 0, TREE_RECT);
    ASSERT_TRUE(tree);
    const int w = tree->GetIndentWidth();
    const int boxWidth = CheckBoxWidth();
    KTreeItem* a = AddItem(tree, nullptr, L"A");
    KTreeItem* a1 = AddItem(tree, a, L"a1");
    KTreeItem* b = AddItem(tree, nullptr, L"B", KBOX_CHECK);
    KTreeItem* c = AddItem(tree, nullptr, L"C", KBOX_SUBVIEW | KTIF_BOX_RIGHT);
    KTreeItem* d = AddItem(tree, nullptr, L"D");
    tree->Expand(a, true, false);
    host->notices.clear();
    const int body = TREE_WIDTH / 2;

    Tap(tree, body, MidY(tree, a));
    EXPECT_EQ(host->notices, (std::vector<KNotice>{{TREE_ID, KNOTIFY_TREE_SELECTED, (INT_PTR)a},
                                                   {TREE_ID, KNOTIFY_TREE_TAPPED, (INT_PTR)a}}));
    EXPECT_EQ(tree->GetSelectedItem(), a);
    EXPECT_TRUE(a->flags & KSTATE_SELECTED);
    host->notices.clear();
    Tap(tree, body, MidY(tree, a));
    EXPECT_EQ(host->Codes(), (std::vector<int>{KNOTIFY_TREE_TAPPED}));

    // The indent area reports 1799 and leaves the selection alone.
    host->notices.clear();
    Tap(tree, w / 2, MidY(tree, a1));
    EXPECT_EQ(host->notices, (std::vector<KNotice>{{TREE_ID, KNOTIFY_TREE_INDENT, (INT_PTR)a1}}));
    EXPECT_EQ(tree->GetSelectedItem(), a);

    // A release over another row only clears the press.
    host->notices.clear();
    PostMouse(tree, WM_LBUTTONDOWN, body, MidY(tree, b));
    DeliverPosted();
    EXPECT_EQ(tree->GetPressedItem(), b);
    EXPECT_TRUE(b->flags & KSTATE_PRESSED);
    PostMouse(tree, WM_LBUTTONUP, body, MidY(tree, d));
    DeliverPosted();
    EXPECT_TRUE(host->notices.empty());
    EXPECT_EQ(tree->GetPressedItem(), nullptr);
    EXPECT_FALSE(b->flags & KTIF_PRESS_BITS);

    // A check box selects its row and toggles, 1796 each time.
    Tap(tree, boxWidth / 2, MidY(tree, b));
    EXPECT_EQ(host->notices, (std::vector<KNotice>{{TREE_ID, KNOTIFY_TREE_SELECTED, (INT_PTR)b},
                                                   {TREE_ID, KNOTIFY_TREE_CHECKED, (INT_PTR)b}}));
    EXPECT_TRUE(tree->GetCheck(b));
    host->notices.clear();
    Tap(tree, boxWidth / 2, MidY(tree, b));
    EXPECT_EQ(host->Codes(), (std::vector<int>{KNOTIFY_TREE_CHECKED}));
    EXPECT_FALSE(tree->GetCheck(b));

    // Another kind of box reports 1802 and keeps its state.
    host->notices.clear();
    Tap(tree, TREE_WIDTH - 2, MidY(tree, c));
    EXPECT_EQ(host->notices, (std::vector<KNotice>{{TREE_ID, KNOTIFY_TREE_SELECTED, (INT_PTR)c},
                                                   {TREE_ID, KNOTIFY_TREE_BOX, (INT_PTR)c}}));
    EXPECT_FALSE(tree->GetCheck(c));

    // A press on the box marks it; a cancel clears every press bit.
    PostMouse(tree, WM_LBUTTONDOWN, boxWidth / 2, MidY(tree, b));
    DeliverPosted();
    EXPECT_EQ(b->flags & KTIF_PRESS_BITS, KSTATE_PRESSED | KTIF_PRESSED_BOX);
    tree->OnMouse(KMOUSE_CANCEL, 0, 0, 0);
    PostMouse(tree, WM_LBUTTONUP, boxWidth / 2, MidY(tree, b));
    DeliverPosted();
    EXPECT_FALSE(b->flags & KTIF_PRESS_BITS);
    EXPECT_FALSE(tree->GetCheck(b));

    // Disabled, or with a nonzero extra argument, taps do nothing.
    tree->Enable(false);
    host->notices.clear();
    Tap(tree, body, MidY(tree, d));
    tree->Enable(true);
    tree->OnMouse(KMOUSE_PRESS, body, MidY(tree, d), 1);
    tree->OnMouse(KMOUSE_RELEASE, body, MidY(tree, d), 1);
    EXPECT_EQ(tree->GetSelectedItem(), c);
    EXPECT_TRUE(host->notices.empty());
}

TEST(CKTreeCtrl, RadioBoxesCheckOneSiblingAndLeaveCheckBoxesAlone)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CTestTree* tree = AddTree(scope, host, 0, TREE_RECT);
    ASSERT_TRUE(tree);
    KTreeItem* r1 = AddItem(tree, nullptr, L"r1", KBOX_RADIO);
    KTreeItem* r2 = AddItem(tree, nullptr, L"r2", KBOX_RADIO);
    KTreeItem* r3 = AddItem(tree, nullptr, L"r3", KBOX_RADIO);
    KTreeItem* check = AddItem(tree, nullptr, L"check", KBOX_CHECK);
    KTreeItem* nested = AddItem(tree, r1, L"nested", KBOX_RADIO);
    ASSERT_EQ(tree->SetRadioCheck(r1, true), 1);
    ASSERT_EQ(tree->SetRadioCheck(nested, true), 1);
    ASSERT_EQ(tree->SetCheck(check, true), 1);
    host->notices.clear();

    Tap(tree, CheckBoxWidth() / 2, MidY(tree, r2));
    EXPECT_EQ(host->notices, (std::vector<KNotice>{{TREE_ID, KNOTIFY_TREE_SELECTED, (INT_PTR)r2},
                                                   {TREE_ID, KNOTIFY_TREE_CHECKED, (INT_PTR)r2}}));
    EXPECT_FALSE(tree->GetCheck(r1));
    EXPECT_TRUE(tree->GetCheck(r2));
    EXPECT_FALSE(tree->GetCheck(r3));
    EXPECT_TRUE(tree->GetCheck(check));
    EXPECT_TRUE(tree->GetCheck(nested));

    // A checked radio box tapped again stays checked and sends nothing more.
    host->notices.clear();
    Tap(tree, CheckBoxWidth() / 2, MidY(tree, r2));
    EXPECT_TRUE(host->notices.empty());
    EXPECT_TRUE(tree->GetCheck(r2));

    // Off works like SetCheck; setting the same state again changes and sends nothing.
    EXPECT_EQ(tree->SetRadioCheck(r2, false), 1);
    EXPECT_EQ(tree->SetRadioCheck(r2, false), 0);
    EXPECT_EQ(tree->SetCheck(check, true), 0);
    EXPECT_EQ(tree->SetCheck(nullptr, true), 0);
    EXPECT_EQ(host->notices, (std::vector<KNotice>{{TREE_ID, KNOTIFY_TREE_CHECKED, (INT_PTR)r2}}));
    EXPECT_FALSE(tree->GetCheck(r2));
}

TEST(CKTreeCtrl, ArrowKeysWalkTheVisibleRowsAndExpandOrCollapse)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CTestTree* tree = AddTree(scope, host, 0, TREE_RECT);
    ASSERT_TRUE(tree);
    KTreeItem* grand = AddItem(tree, nullptr, L"grand");
    KTreeItem* parent = AddItem(tree, grand, L"parent");
    KTreeItem* child = AddItem(tree, parent, L"child");
    KTreeItem* last = AddItem(tree, nullptr, L"last");
    tree->Expand(grand, true, false);
    tree->Expand(parent, true, false);
    auto press = [&](WPARAM key) {
        PostKey(tree, WM_KEYDOWN, key);
        PostKey(tree, WM_KEYUP, key);
        DeliverPosted();
    };

    // With nothing selected any arrow selects the first root item.
    press(VK_DOWN);
    EXPECT_EQ(tree->GetSelectedItem(), grand);
    tree->Select(child);

    // Left on a collapsed child selects its parent, a second left collapses that parent, a
    // third selects the grandparent.
    press(VK_LEFT);
    EXPECT_EQ(tree->GetSelectedItem(), parent);
    press(VK_LEFT);
    ASSERT_TRUE(WaitForAnimation(tree, parent));
    EXPECT_FALSE(tree->IsExpanded(parent));
    EXPECT_EQ(tree->GetSelectedItem(), parent);
    press(VK_LEFT);
    EXPECT_EQ(tree->GetSelectedItem(), grand);

    press(VK_DOWN);
    EXPECT_EQ(tree->GetSelectedItem(), parent);
    press(VK_DOWN);
    EXPECT_EQ(tree->GetSelectedItem(), last);
    press(VK_DOWN);
    EXPECT_EQ(tree->GetSelectedItem(), last);
    press(VK_UP);
    EXPECT_EQ(tree->GetSelectedItem(), parent);

    // Right expands a collapsed row, then moves into it.
    host->notices.clear();
    press(VK_RIGHT);
    ASSERT_TRUE(WaitForAnimation(tree, parent));
    EXPECT_TRUE(tree->IsExpanded(parent));
    EXPECT_EQ(host->Codes(), (std::vector<int>{KNOTIFY_TREE_EXPANDING, KNOTIFY_TREE_EXPANDED}));
    press(VK_RIGHT);
    EXPECT_EQ(tree->GetSelectedItem(), child);
    press(VK_RIGHT);
    EXPECT_EQ(tree->GetSelectedItem(), child);
    // Up from a root row goes to the previous root's last visible descendant.
    tree->Select(last);
    press(VK_UP);
    EXPECT_EQ(tree->GetSelectedItem(), child);

    // Enter presses the selected row and taps it on release; a lone key up does nothing.
    host->notices.clear();
    PostKey(tree, WM_KEYDOWN, VK_RETURN);
    DeliverPosted();
    EXPECT_EQ(tree->GetPressedItem(), child);
    PostKey(tree, WM_KEYUP, VK_RETURN);
    PostKey(tree, WM_KEYUP, VK_SPACE);
    DeliverPosted();
    EXPECT_EQ(host->notices,
              (std::vector<KNotice>{{TREE_ID, KNOTIFY_TREE_TAPPED, (INT_PTR)child}}));
    EXPECT_EQ(tree->GetPressedItem(), nullptr);
    EXPECT_FALSE(child->flags & KSTATE_PRESSED);

    // A press that moved to another row by the time of the key up sends nothing.
    host->notices.clear();
    PostKey(tree, WM_KEYDOWN, VK_SPACE);
    PostKey(tree, WM_KEYDOWN, VK_UP);
    PostKey(tree, WM_KEYUP, VK_SPACE);
    DeliverPosted();
    EXPECT_EQ(host->Codes(), (std::vector<int>{KNOTIFY_TREE_SELECTED}));

    // Disabled: keys are ignored.
    tree->Enable(false);
    KTreeItem* before = tree->GetSelectedItem();
    press(VK_DOWN);
    EXPECT_EQ(tree->GetSelectedItem(), before);
}

TEST(CKTreeCtrl, SortOrdersEverySiblingGroupIgnoringCaseOrByTheGivenComparison)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CTestTree* tree = AddTree(scope, host, 0, TREE_RECT);
    ASSERT_TRUE(tree);
    KTreeItem* b = AddItem(tree, nullptr, L"b");
    AddItem(tree, nullptr, L"C");
    KTreeItem* a = AddItem(tree, nullptr, L"a");
    AddItem(tree, nullptr, L"ab");
    AddItem(tree, b, L"z");
    AddItem(tree, b, L"Y");
    AddItem(tree, b, L"x");
    tree->Expand(b, true, false);
    tree->Select(a);

    tree->Sort(nullptr, nullptr);
    EXPECT_EQ(ChildTexts(tree, nullptr), (std::vector<std::wstring>{L"a", L"ab", L"b", L"C"}));
    EXPECT_EQ(ChildTexts(tree, b), (std::vector<std::wstring>{L"x", L"Y", L"z"}));
    // Handles and the selection stay; the rows follow the new order.
    EXPECT_EQ(tree->GetSelectedItem(), a);
    const int h = tree->GetItemHeight();
    EXPECT_EQ(a->y, 0);
    EXPECT_EQ(b->y, 2 * h);
    EXPECT_EQ(tree->GetFirstChild(b)->y, 3 * h);

    // A given comparison: longer texts first, equal lengths keep their order.
    int calls = 0;
    tree->Sort(
        [](const KTreeItem* x, const KTreeItem* y, void* context) {
            ++*(int*)context;
            return y->textLength - x->textLength;
        },
        &calls);
    EXPECT_GT(calls, 0);
    EXPECT_EQ(ChildTexts(tree, nullptr), (std::vector<std::wstring>{L"ab", L"a", L"b", L"C"}));
    EXPECT_EQ(a->y, h);
}

TEST(CKTreeCtrl, UpdatesOffDefersLayoutAndRepaintUntilTheyAreOnAgain)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CTestTree* tree = AddTree(scope, host, 0, TREE_RECT);
    ASSERT_TRUE(tree);
    const int h = tree->GetItemHeight();
    AddItem(tree, nullptr, L"first");
    tree->SetRedraw(false);
    EXPECT_FALSE(tree->GetFlags() & KWF_REPAINT_ON_CHANGE);
    KTreeItem* items[5];
    for (KTreeItem*& item : items)
        item = AddItem(tree, nullptr, L"row");
    int extentX, extentY;
    tree->GetScrollExtent(&extentX, &extentY);
    EXPECT_EQ(tree->GetContentHeight(), h);
    EXPECT_EQ(extentY, h);
    EXPECT_EQ(items[4]->y, 0);
    // Nothing is painted for the batch: the area stays as it was filled.
    FillRect(GetBackBufferDC(), &TREE_RECT, (HBRUSH)GetStockObject(BLACK_BRUSH));
    ValidateRect(tree->GetHwnd(), nullptr);
    AddItem(tree, nullptr, L"row");
    UpdateWindow(tree->GetHwnd());
    EXPECT_EQ(BackBufferPixel(TREE_RECT.left + 100, TREE_RECT.bottom - 2), 0u);

    tree->SetRedraw(true);
    EXPECT_TRUE(tree->GetFlags() & KWF_REPAINT_ON_CHANGE);
    EXPECT_EQ(tree->GetContentHeight(), 7 * h);
    tree->GetScrollExtent(&extentX, &extentY);
    EXPECT_EQ(extentY, 7 * h);
    EXPECT_EQ(items[4]->y, 5 * h);
    UpdateWindow(tree->GetHwnd());
    EXPECT_NE(BackBufferPixel(TREE_RECT.left + 100, TREE_RECT.bottom - 2), 0u);

    // Removing everything empties the layout and the scroll range.
    tree->ScrollTo(0, h);
    tree->Select(items[2]);
    tree->RemoveAllItems();
    EXPECT_EQ(tree->GetItemCount(), 0);
    EXPECT_EQ(tree->GetSelectedItem(), nullptr);
    EXPECT_EQ(tree->GetContentHeight(), 0);
    int x, y;
    tree->GetScrollPos(&x, &y);
    tree->GetScrollExtent(&extentX, &extentY);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(extentY, 0);
}

TEST(CKTreeCtrl, TheDeletionHookSeesEveryRemovedItemBeforeItIsFreed)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CTestTree* tree = AddTree(scope, host, 0, TREE_RECT);
    ASSERT_TRUE(tree);
    KTreeItem* a = AddItem(tree, nullptr, L"A");
    KTreeItem* a1 = AddItem(tree, a, L"a1");
    KTreeItem* a11 = AddItem(tree, a1, L"a11");
    KTreeItem* a2 = AddItem(tree, a, L"a2");
    KTreeItem* b = AddItem(tree, nullptr, L"B");
    KTreeItem* c = AddItem(tree, nullptr, L"C");
    static const wchar_t borrowed[] = L"kept by the caller";
    KTreeItem* d = tree->InsertItem(nullptr, KTIF_TEXT_BORROWED);
    tree->SetItemText(d, borrowed, 4);
    EXPECT_EQ(d->text, borrowed);
    EXPECT_EQ(TextOf(d), L"kept");
    CKImgList* list = MakeImgList(4, {0xFF0000});
    tree->SetItemIcon(b, list, 0, -1);
    EXPECT_EQ(list->GetRefCount(), 2);
    tree->Expand(a, true, false);
    tree->Select(a11);
    host->notices.clear();

    // A branch goes with its parent, each item once, before its memory is reused.
    ASSERT_EQ(tree->DeleteItem(a1), 1);
    EXPECT_EQ(tree->deleted, (std::vector<KTreeItem*>{a1, a11}));
    EXPECT_EQ(tree->GetItemCount(), 5);
    EXPECT_EQ(tree->GetSelectedItem(), nullptr);
    EXPECT_TRUE(host->notices.empty());
    EXPECT_EQ(a2->y, tree->GetItemHeight());
    EXPECT_EQ(tree->DeleteItem(nullptr), 0);

    tree->deleted.clear();
    tree->DeleteItem(b);
    EXPECT_EQ(tree->deleted, (std::vector<KTreeItem*>{b}));
    EXPECT_EQ(list->GetRefCount(), 1);
    list->Release();

    tree->deleted.clear();
    tree->RemoveAllItems();
    EXPECT_EQ(tree->deleted, (std::vector<KTreeItem*>{a, a2, c, d}));
    EXPECT_STREQ(borrowed, L"kept by the caller");

    // Destroying the window removes what is left, through the hook.
    KTreeItem* e = AddItem(tree, nullptr, L"E");
    KTreeItem* e1 = AddItem(tree, e, L"e1");
    tree->deleted.clear();
    tree->Destroy();
    EXPECT_EQ(tree->deleted, (std::vector<KTreeItem*>{e, e1}));
    EXPECT_EQ(tree->GetItemCount(), 0);
}

TEST(CKTreeCtrl, RowsShowTheDefaultLookStateIconsLinesAndButtons)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CTestTree* tree = AddTree(scope, host, KTVS_BUTTONS | KTVS_LINES | KTVS_ROOT_INDENT,
                              TREE_RECT);
    ASSERT_TRUE(tree);
    ASSERT_TRUE(tree->GetBackground());
    EXPECT_STREQ(tree->GetBackground()->GetName(), "DefTreeCtrlBkgnd");
    const int h = tree->GetItemHeight();
    const int w = tree->GetIndentWidth();
    CKImgList* icons = MakeImgList(8, {0xFF0000, 0x00FF00});
    KTreeItem* folder = AddItem(tree, nullptr, L"folder");
    tree->SetItemIcon(folder, icons, 0, 1);
    KTreeItem* leaf = AddItem(tree, folder, L"leaf");
    KTreeItem* plain = AddItem(tree, nullptr, L"plain");
    icons->Release();
    auto column = [&](const KTreeItem* item, int index) {
        RECT rect = {};
        tree->GetItemRect(item, &rect);
        rect = {index * w + 2, rect.top + 2, (index + 1) * w - 2, rect.bottom - 2};
        OffsetRect(&rect, TREE_RECT.left, TREE_RECT.top);
        return rect;
    };

    // The face: normal rows {248, 248, 248}, the selected one {211, 230, 249}.
    tree->Select(plain);
    RepaintNow(tree);
    const int right = TREE_RECT.right - 20;
    EXPECT_EQ(BackBufferPixel(right, TREE_RECT.top + h / 2), 0xF8F8F8u);
    EXPECT_EQ(BackBufferPixel(right, TREE_RECT.top + h + h / 2), 0xD3E6F9u);
    // Below the rows: the background.
    EXPECT_EQ(BackBufferPixel(right, TREE_RECT.top + 3 * h), 0xF8F8F8u);
    // The icon shows cell 0 while collapsed; the expand button sits in the root column.
    const RECT iconArea = {TREE_RECT.left + w, TREE_RECT.top + 1, TREE_RECT.left + w + 16,
                           TREE_RECT.top + h - 1};
    EXPECT_GT(CountOf(iconArea, 0xFF0000), 0);
    EXPECT_EQ(CountOf(iconArea, 0x00FF00), 0);
    const std::vector<unsigned int> closedButton = GrabBackBuffer(column(folder, 0));
    EXPECT_GT(CountOtherThan(column(folder, 0), 0xF8F8F8), 0);

    // Expanded: cell 1, the other button, and the child's corner line in its own column.
    tree->Expand(folder, true, false);
    RepaintNow(tree);
    EXPECT_EQ(CountOf(iconArea, 0xFF0000), 0);
    EXPECT_GT(CountOf(iconArea, 0x00FF00), 0);
    EXPECT_NE(GrabBackBuffer(column(folder, 0)), closedButton);
    EXPECT_GT(CountOtherThan(column(leaf, 1), 0xF8F8F8), 0);
    // The folder has a next sibling: a line passes the leaf's row in the folder's column.
    EXPECT_GT(CountOtherThan(column(leaf, 0), 0xF8F8F8), 0);
    tree->DeleteItem(plain);
    RepaintNow(tree);
    EXPECT_EQ(CountOtherThan(column(leaf, 0), 0xF8F8F8), 0);
}
