// Tool bars through their real HWNDs: the default look, the one-line layout by style, taps on
// items reaching the parent, the radio rule on code 259 and the bar's preferred size.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "controls/CKButton.h"
#include "controls/CKToolBar.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/CKTextDrawable.h"

namespace {

constexpr int BAR_ID = 700;
const RECT BAR_RECT = {10, 400, 310, 440};

// A horizontal bar 300 x 40 at (10, 400) of the host, with three items of 50 x 38.
CKToolBar* AddBar(KControlScope& scope, CKWindow* host, unsigned int style)
{
    CKToolBar* bar = scope.Add(new CKToolBar(), host, style, 0, BAR_RECT, BAR_ID);
    if (!bar)
        return nullptr;
    bar->SetItemSize(50, 38);
    for (unsigned int id = 801; id <= 803; id++)
        bar->AddItem(0, id);
    bar->Move(RECT{0, 0, 1, 1});   // a new size lays the items out again
    bar->Move(BAR_RECT);
    return bar;
}

} // namespace

TEST(CKToolBar, InitializeTakesTheToolBarLookAndTheBarOwnsItsGroup)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKToolBar* bar = AddBar(scope, host, 0);
    ASSERT_TRUE(bar);
    ASSERT_TRUE(bar->GetBkgndDrawable() && bar->GetFaceDrawable() && bar->GetFaceCheckDrawable()
                && bar->GetTextDrawable() && bar->GetTextCheckDrawable()
                && bar->GetIconDrawable());
    EXPECT_STREQ(bar->GetBkgndDrawable()->GetName(), "DefToolBarBkgnd");
    EXPECT_STREQ(bar->GetFaceDrawable()->GetName(), "DefToolBarFace");
    EXPECT_STREQ(bar->GetFaceCheckDrawable()->GetName(), "DefToolBarFaceCheck");
    EXPECT_STREQ(bar->GetTextDrawable()->GetName(), "DefToolBarText");
    EXPECT_STREQ(bar->GetTextCheckDrawable()->GetName(), "DefToolBarTextCheck");
    EXPECT_STREQ(bar->GetIconDrawable()->GetName(), "DefToolBarIcon");
    EXPECT_EQ(bar->GetOwner(), static_cast<CKWindow*>(bar));
    EXPECT_TRUE(static_cast<CKWindow*>(bar)->IsKindOf(K_RUNTIME_CLASS(CKWindow)));
}

TEST(CKToolBar, ANewSizeLaysTheItemsOutInOneLineAlignedByTheStyle)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKToolBar* centred = AddBar(scope, host, 0);
    ASSERT_TRUE(centred);
    // (300 - 150) / 2 and (40 - 38) / 2: the centred choice ignores the background's insets.
    EXPECT_EQ(centred->GetItem(0)->x, 75);
    EXPECT_EQ(centred->GetItem(0)->y, 1);
    EXPECT_EQ(centred->GetItem(2)->x, 175);
    EXPECT_EQ(centred->GetTotalWidth(), 150);

    // Aligned edges keep the background's margin and padding ("DefToolBarBkgnd" has a padding).
    CKToolBar* right = AddBar(scope, host, KTBS_RIGHT | KTBS_TOP);
    ASSERT_TRUE(right);
    const RECT insets = Insets(right->GetBkgndDrawable());
    EXPECT_GT(insets.right, 0);
    EXPECT_EQ(right->GetItem(2)->x, 300 - insets.right - 50);
    EXPECT_EQ(right->GetItem(0)->y, insets.top);

    CKToolBar* vertical = scope.Add(new CKToolBar(), host, KTBS_VERTICAL | KTBS_LEFT, 0,
                                    RECT{0, 0, 60, 200}, BAR_ID + 1);
    ASSERT_TRUE(vertical);
    vertical->SetItemSize(50, 38);
    vertical->AddItem(0, 1);
    vertical->AddItem(0, 2);
    vertical->Move(RECT{0, 0, 60, 201});
    EXPECT_EQ(vertical->GetItem(0)->x, insets.left);
    EXPECT_EQ(vertical->GetItem(0)->y, (201 - 76) / 2);
    EXPECT_EQ(vertical->GetItem(1)->y, (201 - 76) / 2 + 38);
}

TEST(CKToolBar, ATapOnAnItemReachesTheParentWithItemIdAndIndex)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKToolBar* bar = AddBar(scope, host, 0);
    ASSERT_TRUE(bar);

    Tap(bar, 75 + 50 + 10, 20);
    EXPECT_EQ(host->notices, (std::vector<KNotice>{{802, KNOTIFY_CLICK, 1}}));

    // Press on the first item, release on the third: nothing, and nothing stays pressed.
    PostMouse(bar, WM_LBUTTONDOWN, 80, 20);
    DeliverPosted();
    EXPECT_EQ(bar->GetPressedIndex(), 0);
    EXPECT_TRUE(bar->GetItem(0)->flags & KSTATE_PRESSED);
    PostMouse(bar, WM_MOUSEMOVE, 200, 20);
    PostMouse(bar, WM_LBUTTONUP, 200, 20);
    DeliverPosted();
    EXPECT_EQ(bar->GetPressedIndex(), -1);
    EXPECT_FALSE(bar->GetItem(0)->flags & KSTATE_PRESSED);
    EXPECT_EQ(host->notices.size(), 1u);

    // A disabled bar ignores input.
    static_cast<CKWindow*>(bar)->Enable(false);
    host->notices.clear();
    Tap(bar, 80, 20);
    EXPECT_TRUE(host->notices.empty());
    EXPECT_EQ(bar->GetPressedIndex(), -1);
}

TEST(CKToolBar, WithTheRadioStyleARadioNoticeForACheckedItemUnchecksAllOthers)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKToolBar* radio = AddBar(scope, host, KTBS_RADIO);
    CKToolBar* plain = AddBar(scope, host, 0);
    ASSERT_TRUE(radio && plain);
    for (CKToolBar* bar : {radio, plain}) {
        bar->GetItem(0)->flags |= KSTATE_CHECKED;
        bar->GetItem(2)->flags |= KSTATE_CHECKED;
    }

    // For an unchecked item nothing changes.
    radio->NotifyParent(KNOTIFY_RADIO, 1, 802);
    EXPECT_TRUE(radio->GetItem(0)->flags & KSTATE_CHECKED);
    EXPECT_TRUE(radio->GetItem(2)->flags & KSTATE_CHECKED);

    radio->NotifyParent(KNOTIFY_RADIO, 2, 803);
    EXPECT_FALSE(radio->GetItem(0)->flags & KSTATE_CHECKED);
    EXPECT_FALSE(radio->GetItem(1)->flags & KSTATE_CHECKED);
    EXPECT_TRUE(radio->GetItem(2)->flags & KSTATE_CHECKED);

    // Without the radio style the code only passes through.
    plain->NotifyParent(KNOTIFY_RADIO, 2, 0);
    EXPECT_TRUE(plain->GetItem(0)->flags & KSTATE_CHECKED);
    // An index outside the items changes nothing either.
    radio->NotifyParent(KNOTIFY_RADIO, 7, 0);
    EXPECT_TRUE(radio->GetItem(2)->flags & KSTATE_CHECKED);

    EXPECT_EQ(host->WithCode(KNOTIFY_RADIO),
              (std::vector<KNotice>{{802, KNOTIFY_RADIO, 1}, {803, KNOTIFY_RADIO, 2},
                                    {BAR_ID, KNOTIFY_RADIO, 2}, {BAR_ID, KNOTIFY_RADIO, 7}}));
}

TEST(CKToolBar, CalcSizeAddsTheBackgroundInsetsAcrossTheBar)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKToolBar* horizontal = AddBar(scope, host, 0);
    CKToolBar* vertical = AddBar(scope, host, KTBS_VERTICAL);
    ASSERT_TRUE(horizontal && vertical);
    CKImgList* list = MakeImgList(20, {0x123456});
    horizontal->SetItemIcon(0, list, 0);
    vertical->SetItemIcon(0, list, 0);
    // The item: the icon cell with the icon drawable's insets inside the face's insets; the bar
    // adds the background's insets on both sides across.
    const RECT icon = Insets(horizontal->GetIconDrawable());
    const RECT face = Insets(horizontal->GetFaceDrawable());
    const RECT bkgnd = Insets(horizontal->GetBkgndDrawable());
    const SIZE item = {20 + icon.left + icon.right + face.left + face.right,
                       20 + icon.top + icon.bottom + face.top + face.bottom};
    SIZE size = {300, 40};
    horizontal->CalcSize(size);
    EXPECT_EQ(size.cx, item.cx);
    EXPECT_EQ(size.cy, item.cy + bkgnd.top + bkgnd.bottom);
    size = {300, 40};
    vertical->CalcSize(size);
    EXPECT_EQ(size.cx, item.cx + bkgnd.left + bkgnd.right);
    EXPECT_EQ(size.cy, item.cy);
    EXPECT_GT(bkgnd.top + bkgnd.bottom, 0);
    list->Release();
}
