// Tree controls expanding and collapsing: children added on 1797, the accordion, the animated
// expansion ending exactly as the immediate one (layout and pixels), the snapshot shown while a
// branch unfolds or folds, pinned group headers, and the button column and double press.
#include <gtest/gtest.h>

#include <functional>

#include "KTestSupport.h"
#include "TreeTestSupport.h"
#include "controls/CKAniTreeExpand.h"
#include "ui/CKAnimate.h"

namespace {

const RECT TREE_RECT = {10, 10, 250, 210};

// The items of a tree in pre-order.
std::vector<const KTreeItem*> PreOrder(const CKTreeCtrl* tree)
{
    std::vector<const KTreeItem*> items;
    std::function<void(const KTreeItem*)> visit = [&](const KTreeItem* parent) {
        for (const KTreeItem* child = tree->GetFirstChild(parent); child;
             child = tree->GetNextSibling(child)) {
            items.push_back(child);
            visit(child);
        }
    };
    visit(nullptr);
    return items;
}

// Two trees agree in every item field a user can observe, in their layout and scrolling.
void ExpectSameRows(const CKTreeCtrl* left, const CKTreeCtrl* right)
{
    const std::vector<const KTreeItem*> a = PreOrder(left);
    const std::vector<const KTreeItem*> b = PreOrder(right);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); i++) {
        SCOPED_TRACE(testing::Message() << "item " << i);
        EXPECT_EQ(TextOf(a[i]), TextOf(b[i]));
        EXPECT_EQ(a[i]->flags, b[i]->flags);
        EXPECT_EQ(a[i]->y, b[i]->y);
        EXPECT_EQ(a[i]->layoutY, b[i]->layoutY);
        EXPECT_EQ(a[i]->subtreeBottom, b[i]->subtreeBottom);
        EXPECT_EQ(a[i]->height, b[i]->height);
    }
    EXPECT_EQ(left->GetContentHeight(), right->GetContentHeight());
    int leftX, leftY, rightX, rightY;
    left->GetScrollPos(&leftX, &leftY);
    right->GetScrollPos(&rightX, &rightY);
    EXPECT_EQ(leftY, rightY);
    left->GetScrollExtent(&leftX, &leftY);
    right->GetScrollExtent(&rightX, &rightY);
    EXPECT_EQ(leftY, rightY);
}

// Eight root rows "r0".."r7" of four children each.
void FillRoots(CKTreeCtrl* tree)
{
    for (int i = 0; i < 8; i++) {
        const std::wstring name = L"r" + std::to_wstring(i);
        KTreeItem* root = AddItem(tree, nullptr, name.c_str());
        for (int j = 0; j < 4; j++)
            AddItem(tree, root, (name + L"." + std::to_wstring(j)).c_str());
    }
}

// Child `index` of `parent` (none: the root level).
KTreeItem* ChildAt(const CKTreeCtrl* tree, const KTreeItem* parent, int index)
{
    KTreeItem* item = tree->GetFirstChild(parent);
    while (item && index-- > 0)
        item = tree->GetNextSibling(item);
    return item;
}

// Gives the tree's animation a second, so that a loaded machine still shows steps in between.
void SlowDown(CKTreeCtrl* tree)
{
    ASSERT_TRUE(tree->GetAnimation());
    tree->GetAnimation()->SetDuration(1000);
}

int ScrollY(const CKTreeCtrl* tree)
{
    int x, y;
    tree->GetScrollPos(&x, &y);
    return y;
}

} // namespace

TEST(CKTreeCtrl, ChildrenAddedWhileAboutToExpandAreShownBeforeTheExpandedNotice)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CTestTree* tree = AddTree(scope, host, 0, TREE_RECT);
    ASSERT_TRUE(tree);
    const int h = tree->GetItemHeight();
    KTreeItem* lazy = AddItem(tree, nullptr, L"lazy", KTIF_HAS_CHILDREN);
    KTreeItem* empty = AddItem(tree, nullptr, L"empty", KTIF_HAS_CHILDREN);
    KTreeItem* leaf = AddItem(tree, nullptr, L"leaf");
    KTreeItem* slow = AddItem(tree, nullptr, L"slow", KTIF_HAS_CHILDREN);
    std::vector<int> childrenWhenExpanding;
    host->onExpanding = [&](KTreeItem* item) {
        childrenWhenExpanding.push_back(tree->GetFirstChild(item) ? 1 : 0);
        if (item == lazy || item == slow) {
            AddItem(tree, item, L"one");
            AddItem(tree, item, L"two");
        }
    };

    ASSERT_EQ(tree->Expand(lazy, true, false), 1);
    EXPECT_EQ(host->notices,
              (std::vector<KNotice>{{TREE_ID, KNOTIFY_TREE_EXPANDING, (INT_PTR)lazy},
                                    {TREE_ID, KNOTIFY_TREE_EXPANDED, (INT_PTR)lazy}}));
    EXPECT_EQ(ChildTexts(tree, lazy), (std::vector<std::wstring>{L"one", L"two"}));
    EXPECT_TRUE(tree->IsExpanded(lazy));
    EXPECT_TRUE(lazy->flags & KTIF_EXPANDED_ONCE);
    EXPECT_EQ(tree->GetFirstChild(lazy)->y, h);
    EXPECT_EQ(empty->y, 3 * h);

    // Children to come that never came: 1797, and the item stays collapsed.
    host->notices.clear();
    EXPECT_EQ(tree->Expand(empty, true, false), 0);
    EXPECT_EQ(host->Codes(), (std::vector<int>{KNOTIFY_TREE_EXPANDING}));
    EXPECT_FALSE(empty->flags & (KTIF_EXPANDED | KTIF_EXPANDED_ONCE));
    // Nothing to expand: refused without a word; an expanded item is not expanded again.
    host->notices.clear();
    EXPECT_EQ(tree->Expand(leaf, true, true), 0);
    EXPECT_EQ(tree->Expand(lazy, true, false), 0);
    EXPECT_EQ(tree->Expand(nullptr, true, false), 0);
    EXPECT_TRUE(host->notices.empty());
    // Collapsing keeps the once-expanded mark.
    EXPECT_EQ(tree->Expand(lazy, false, false), 1);
    EXPECT_TRUE(lazy->flags & KTIF_EXPANDED_ONCE);

    // Animated: 1797 at once, 1798 when the branch has unfolded.
    host->notices.clear();
    ASSERT_EQ(tree->Expand(slow, true, true), 1);
    EXPECT_EQ(host->Codes(), (std::vector<int>{KNOTIFY_TREE_EXPANDING}));
    ASSERT_TRUE(WaitForAnimation(tree, slow));
    EXPECT_EQ(host->Codes(), (std::vector<int>{KNOTIFY_TREE_EXPANDING, KNOTIFY_TREE_EXPANDED}));
    EXPECT_EQ(tree->HitTest(5, slow->y + h + h / 2), tree->GetFirstChild(slow));
    EXPECT_EQ(childrenWhenExpanding, (std::vector<int>{0, 0, 0}));

    // A hidden tree expands at once, without animation.
    tree->Show(false);
    host->notices.clear();
    ASSERT_EQ(tree->Expand(lazy, true, true), 1);
    EXPECT_TRUE(tree->IsExpanded(lazy));
    EXPECT_FALSE(lazy->flags & KTIF_ANIMATING);
    EXPECT_EQ(host->Codes(), (std::vector<int>{KNOTIFY_TREE_EXPANDING, KNOTIFY_TREE_EXPANDED}));
    EXPECT_EQ(tree->GetFirstChild(lazy)->y, lazy->y + h);
}

TEST(CKTreeCtrl, AccordionExpandingOneItemCollapsesItsExpandedSiblings)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CTestTree* tree = AddTree(scope, host, KTVS_ACCORDION | KTVS_TAP_TOGGLES, TREE_RECT);
    ASSERT_TRUE(tree);
    const int h = tree->GetItemHeight();
    KTreeItem* a = AddItem(tree, nullptr, L"A");
    KTreeItem* a1 = AddItem(tree, a, L"a1");
    AddItem(tree, a1, L"a1.1");
    KTreeItem* a2 = AddItem(tree, a, L"a2");
    AddItem(tree, a2, L"a2.1");
    KTreeItem* b = AddItem(tree, nullptr, L"B");
    AddItem(tree, b, L"b1");
    KTreeItem* c = AddItem(tree, nullptr, L"C");
    AddItem(tree, c, L"c1");
    AddItem(tree, c, L"c2");

    tree->Expand(a, true, false);
    tree->Expand(a1, true, false);
    EXPECT_TRUE(tree->IsExpanded(a));
    tree->Expand(a2, true, false);
    EXPECT_TRUE(tree->IsExpanded(a));
    EXPECT_FALSE(tree->IsExpanded(a1));
    EXPECT_TRUE(tree->IsExpanded(a2));

    tree->Expand(b, true, false);
    EXPECT_FALSE(tree->IsExpanded(a));
    EXPECT_TRUE(tree->IsExpanded(a2));   // only siblings of the expanded item are collapsed
    EXPECT_TRUE(tree->IsExpanded(b));
    EXPECT_EQ(c->y, 3 * h);

    // A tap on a row toggles it (style 0x80), animated; the sibling closes at once.
    host->notices.clear();
    Tap(tree, 100, c->y + h / 2);
    EXPECT_FALSE(tree->IsExpanded(b));
    ASSERT_TRUE(WaitForAnimation(tree, c));
    EXPECT_TRUE(tree->IsExpanded(c));
    EXPECT_EQ(c->y, 2 * h);
    EXPECT_EQ(tree->GetContentHeight(), 5 * h);
    EXPECT_EQ(host->Codes(), (std::vector<int>{KNOTIFY_TREE_SELECTED, KNOTIFY_TREE_TAPPED,
                                               KNOTIFY_TREE_EXPANDING, KNOTIFY_TREE_EXPANDED}));
    Tap(tree, 100, c->y + h / 2);
    ASSERT_TRUE(WaitForAnimation(tree, c));
    EXPECT_FALSE(tree->IsExpanded(c));
    EXPECT_EQ(tree->GetContentHeight(), 3 * h);
}

TEST(CKTreeCtrl, AnimatedExpansionAndCollapseEndExactlyAsTheImmediateOnes)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    const unsigned int style = KTVS_BUTTONS | KTVS_LINES | KTVS_ROOT_INDENT;
    const RECT leftRect = {0, 0, 150, 200};
    const RECT rightRect = {160, 0, 310, 200};
    CTestTree* left = AddTree(scope, host, style, leftRect);
    CTestTree* right = AddTree(scope, host, style, rightRect);
    ASSERT_TRUE(left && right);
    const int h = left->GetItemHeight();
    ASSERT_LT(6 * h, 200);
    ASSERT_GT(10 * h, 200);
    FillRoots(left);
    FillRoots(right);
    left->Select(ChildAt(left, nullptr, 2));
    right->Select(ChildAt(right, nullptr, 2));
    ExpectSameRows(left, right);

    // r5 lies near the bottom: opening it scrolls its branch into view.
    KTreeItem* target = ChildAt(right, nullptr, 5);
    KTreeItem* below = ChildAt(right, nullptr, 6);
    ASSERT_EQ(left->Expand(ChildAt(left, nullptr, 5), true, false), 1);
    ASSERT_EQ(right->Expand(target, true, true), 1);
    EXPECT_FALSE(right->IsExpanded(target));   // the animation has not begun yet
    SlowDown(right);
    std::vector<int> tops;
    ASSERT_TRUE(PumpUntil(
        [&] {
            if (target->flags & KTIF_ANIMATING)
                tops.push_back(below->y);
            return !(target->flags & KTIF_ANIMATING) && tops.size() > 0;
        },
        5000));
    ASSERT_TRUE(WaitForAnimation(right, target));
    // The row below slid from under r5 to under its branch, passing in between.
    bool between = false;
    for (int top : tops) {
        EXPECT_GE(top, 6 * h);
        EXPECT_LE(top, 10 * h);
        between = between || (top > 6 * h && top < 10 * h);
    }
    EXPECT_TRUE(between);
    EXPECT_GT(ScrollY(left), 0);
    ExpectSameRows(left, right);
    EXPECT_EQ(host->WithCode(KNOTIFY_TREE_EXPANDED).size(), 2u);
    RepaintNow(left);
    RepaintNow(right);
    EXPECT_EQ(GrabBackBuffer(leftRect), GrabBackBuffer(rightRect));

    // Collapsing from the very end: both pull back into range the same way.
    int extentX, extentY;
    left->GetScrollExtent(&extentX, &extentY);
    left->ScrollTo(0, extentY - 200);
    right->ScrollTo(0, extentY - 200);
    host->notices.clear();
    ASSERT_EQ(left->Expand(ChildAt(left, nullptr, 5), false, false), 1);
    ASSERT_EQ(right->Expand(target, false, true), 1);
    ASSERT_TRUE(WaitForAnimation(right, target));
    EXPECT_FALSE(right->IsExpanded(target));
    EXPECT_TRUE(host->notices.empty());
    ExpectSameRows(left, right);
    RepaintNow(left);
    RepaintNow(right);
    EXPECT_EQ(GrabBackBuffer(leftRect), GrabBackBuffer(rightRect));

    // A change of the items while the branch unfolds ends the animation first, in its end state.
    ASSERT_EQ(right->Expand(ChildAt(right, nullptr, 1), true, true), 1);
    PumpUntil([&] { return (ChildAt(right, nullptr, 1)->flags & KTIF_ANIMATING) != 0; }, 2000);
    right->DeleteItem(right->GetFirstChild(ChildAt(right, nullptr, 1)));
    EXPECT_FALSE(ChildAt(right, nullptr, 1)->flags & KTIF_ANIMATING);
    EXPECT_TRUE(right->IsExpanded(ChildAt(right, nullptr, 1)));
    EXPECT_EQ(ChildAt(right, nullptr, 2)->y, 5 * h);

    // Destroyed while a branch unfolds: every item goes through the hook, and the animation's
    // later ticks touch nothing.
    ASSERT_EQ(right->Expand(ChildAt(right, nullptr, 3), true, true), 1);
    PumpUntil([&] { return (ChildAt(right, nullptr, 3)->flags & KTIF_ANIMATING) != 0; }, 2000);
    const size_t count = (size_t)right->GetItemCount();
    right->deleted.clear();
    right->Destroy();
    PumpMessagesFor(KANIM_DEFAULT_DURATION + 100);
    EXPECT_EQ(right->deleted.size(), count);
    EXPECT_EQ(host->WithCode(KNOTIFY_TREE_EXPANDED).size(), 1u);
}

TEST(CKTreeCtrl, WhileABranchUnfoldsItsSnapshotShowsAboveTheRowsSlidingDown)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CTestTree* tree = AddTree(scope, host, 0, TREE_RECT);
    ASSERT_TRUE(tree);
    tree->flatRows = true;
    const int h = tree->GetItemHeight();
    KTreeItem* top = AddItem(tree, nullptr, L"top");
    tree->SetItemData(top, 0xC00000);
    KTreeItem* first = AddItem(tree, top, L"first");
    tree->SetItemData(first, 0x0000C0);
    tree->SetItemData(AddItem(tree, top, L"second"), 0x0000A0);
    KTreeItem* next = AddItem(tree, nullptr, L"next");
    tree->SetItemData(next, 0x00C000);
    const int x = TREE_RECT.left + 100;

    ASSERT_EQ(tree->Expand(top, true, true), 1);
    SlowDown(tree);
    int frames = 0;
    PumpUntil(
        [&] {
            const CKAniTreeExpand* anim = static_cast<const CKAniTreeExpand*>(tree->GetAnimation());
            if (!(top->flags & KTIF_ANIMATING) || !anim || anim->GetRevealed() < 4)
                return !host->WithCode(KNOTIFY_TREE_EXPANDED).empty();
            const int revealed = anim->GetRevealed();
            RepaintNow(tree);
            // Under the item the first child's rows from the snapshot, then the next root row
            // right below what is revealed.
            EXPECT_EQ(BackBufferPixel(x, TREE_RECT.top + h + 1), 0x0000C0u);
            EXPECT_EQ(next->y, h + revealed);
            EXPECT_EQ(BackBufferPixel(x, TREE_RECT.top + h + revealed + 1), 0x00C000u);
            frames++;
            return false;
        },
        5000);
    EXPECT_GT(frames, 0);
    EXPECT_EQ(next->y, 3 * h);
    RepaintNow(tree);
    EXPECT_EQ(BackBufferPixel(x, TREE_RECT.top + 2 * h + 1), 0x0000A0u);
    EXPECT_EQ(BackBufferPixel(x, TREE_RECT.top + 3 * h + 1), 0x00C000u);

    // Folding: the rows slide back up over a shrinking snapshot, and the area the branch
    // leaves below the last row shows the background.
    host->notices.clear();
    ASSERT_EQ(tree->Expand(top, false, true), 1);
    SlowDown(tree);
    frames = 0;
    PumpUntil(
        [&] {
            const CKAniTreeExpand* anim = static_cast<const CKAniTreeExpand*>(tree->GetAnimation());
            if (top->flags & KTIF_ANIMATING) {
                if (anim && anim->GetRevealed() < 2 * h && anim->GetRevealed() > 4) {
                    EXPECT_EQ(next->y, h + anim->GetRevealed());
                    frames++;
                }
                return false;
            }
            return frames > 0 || tree->GetAnimation() == nullptr
                   || !tree->GetAnimation()->IsRunning();
        },
        5000);
    ASSERT_TRUE(WaitForAnimation(tree, top));
    EXPECT_GT(frames, 0);
    EXPECT_EQ(next->y, h);
    RepaintNow(tree);
    EXPECT_EQ(BackBufferPixel(x, TREE_RECT.top + h + 1), 0x00C000u);
    EXPECT_EQ(BackBufferPixel(x, TREE_RECT.top + 2 * h + 1), 0xF8F8F8u);
    EXPECT_TRUE(host->notices.empty());
}

TEST(CKTreeCtrl, PinnedHeaderStaysOnTopUntilTheEndOfItsGroupPushesItUp)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CTestTree* tree = AddTree(scope, host, KTVS_PINNED, TREE_RECT);
    ASSERT_TRUE(tree);
    tree->flatRows = true;
    const int h = tree->GetItemHeight();
    tree->Move(RECT{TREE_RECT.left, TREE_RECT.top, TREE_RECT.right, TREE_RECT.top + 4 * h});
    KTreeItem* groups[2];
    for (int g = 0; g < 2; g++) {
        groups[g] = AddItem(tree, nullptr, L"group", KTIF_PINNED);
        tree->SetItemData(groups[g], g ? 0x00C000 : 0xC00000);
        for (int i = 0; i < 6; i++)
            tree->SetItemData(AddItem(tree, groups[g], L"row"), 0x000010 * (g * 6 + i + 1));
        tree->Expand(groups[g], true, false);
    }
    ASSERT_EQ(groups[1]->layoutY, 7 * h);
    const int x = TREE_RECT.left + 100;
    const int top = TREE_RECT.top;

    // Inside the first group the header rides at the top and covers the row under it.
    tree->ScrollTo(0, 2 * h + 5);
    EXPECT_EQ(groups[0]->y, 2 * h + 5);
    EXPECT_EQ(groups[0]->layoutY, 0);
    EXPECT_EQ(tree->HitTest(5, 1), groups[0]);
    EXPECT_EQ(tree->HitTest(5, h + 1), ChildAt(tree, groups[0], 2));
    RepaintNow(tree);
    EXPECT_EQ(BackBufferPixel(x, top + 2), 0xC00000u);
    EXPECT_EQ(BackBufferPixel(x, top + h + 2), 0x000030u);

    // The end of the group pushes it up; the next header comes in below.
    tree->ScrollTo(0, 6 * h + h / 2);
    EXPECT_EQ(groups[0]->y, 6 * h);
    EXPECT_EQ(groups[1]->y, 7 * h);
    RepaintNow(tree);
    EXPECT_EQ(BackBufferPixel(x, top + 2), 0xC00000u);
    EXPECT_EQ(BackBufferPixel(x, top + h / 2 + 2), 0x00C000u);
    tree->ScrollTo(0, 8 * h);
    EXPECT_EQ(groups[1]->y, 8 * h);
    RepaintNow(tree);
    EXPECT_EQ(BackBufferPixel(x, top + 2), 0x00C000u);
    tree->ScrollTo(0, 0);
    EXPECT_EQ(groups[0]->y, 0);
    EXPECT_EQ(groups[1]->y, 7 * h);

    // A real drag-scroll pins the header on every move.
    PostMouse(tree, WM_LBUTTONDOWN, 100, 3 * h);
    PostMouse(tree, WM_MOUSEMOVE, 100, 3 * h - 10);
    PostMouse(tree, WM_MOUSEMOVE, 100, 3 * h - 40);
    DeliverPosted();
    EXPECT_EQ(ScrollY(tree), 40);
    EXPECT_EQ(groups[0]->y, 40);
    PostMouse(tree, WM_LBUTTONUP, 100, 3 * h - 40);
    DeliverPosted();
    EXPECT_EQ(groups[0]->y, 40);
    EXPECT_TRUE(host->WithCode(KNOTIFY_TREE_TAPPED).empty());

    // Collapsed, a header is an ordinary row again.
    tree->Expand(groups[0], false, false);
    EXPECT_EQ(groups[0]->y, 0);
}

TEST(CKTreeCtrl, TheButtonColumnAndADoublePressToggleExpansion)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CTestTree* tree = AddTree(scope, host, KTVS_BUTTONS | KTVS_ROOT_INDENT, TREE_RECT,
                              TREE_FLAGS | KWF_DBLCLK);
    ASSERT_TRUE(tree);
    const int h = tree->GetItemHeight();
    const int w = tree->GetIndentWidth();
    KTreeItem* folder = AddItem(tree, nullptr, L"folder");
    AddItem(tree, folder, L"inside");
    KTreeItem* leaf = AddItem(tree, nullptr, L"leaf");

    Tap(tree, w / 2, h / 2);
    EXPECT_EQ(host->Codes(), (std::vector<int>{KNOTIFY_TREE_EXPANDING}));
    ASSERT_TRUE(WaitForAnimation(tree, folder));
    EXPECT_TRUE(tree->IsExpanded(folder));
    EXPECT_EQ(tree->GetSelectedItem(), nullptr);
    Tap(tree, w / 2, h / 2);
    ASSERT_TRUE(WaitForAnimation(tree, folder));
    EXPECT_FALSE(tree->IsExpanded(folder));
    host->notices.clear();
    Tap(tree, w / 2, leaf->y + h / 2);
    EXPECT_TRUE(host->notices.empty());

    // Press, release, double press, release: a tap, then the toggle and 1794.
    PostMouse(tree, WM_LBUTTONDOWN, 100, h / 2);
    PostMouse(tree, WM_LBUTTONUP, 100, h / 2);
    PostMouse(tree, WM_LBUTTONDBLCLK, 100, h / 2);
    PostMouse(tree, WM_LBUTTONUP, 100, h / 2);
    DeliverPosted();
    ASSERT_TRUE(WaitForAnimation(tree, folder));
    EXPECT_TRUE(tree->IsExpanded(folder));
    EXPECT_EQ(host->Codes(),
              (std::vector<int>{KNOTIFY_TREE_SELECTED, KNOTIFY_TREE_TAPPED, KNOTIFY_TREE_EXPANDING,
                                KNOTIFY_TREE_DOUBLE, KNOTIFY_TREE_EXPANDED}));

    // With taps toggling, the tap collapses and the double press only reports.
    tree->ModifyStyle(KTVS_TAP_TOGGLES, 0);
    host->notices.clear();
    PostMouse(tree, WM_LBUTTONDOWN, 100, h / 2);
    PostMouse(tree, WM_LBUTTONUP, 100, h / 2);
    PostMouse(tree, WM_LBUTTONDBLCLK, 100, h / 2);
    PostMouse(tree, WM_LBUTTONUP, 100, h / 2);
    DeliverPosted();
    ASSERT_TRUE(WaitForAnimation(tree, folder));
    EXPECT_FALSE(tree->IsExpanded(folder));
    EXPECT_EQ(host->Codes(), (std::vector<int>{KNOTIFY_TREE_TAPPED, KNOTIFY_TREE_DOUBLE}));
    // A double press on a row that is not selected sends nothing.
    host->notices.clear();
    tree->OnMouse(KMOUSE_DBLPRESS, 100, leaf->y + h / 2, 0);
    EXPECT_TRUE(host->notices.empty());
}
