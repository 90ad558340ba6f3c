// The dialog framework: notifications and the deferred outcome, the bands and the button layout,
// the back key and taps outside, placement, nesting, the stack's limits, and the show and hide
// effects.
#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "KTestSupport.h"
#include "controls/CKButton.h"
#include "controls/CKLabel.h"
#include "dialogs/CKAlertDialog.h"
#include "dialogs/CKAniDialog.h"
#include "dialogs/CKDlgContainer.h"
#include "dialogs/CKToastDialog.h"
#include "graphics/KGraphics.h"
#include "ui/CKApplication.h"

namespace {

// A dialog whose content asks for a fixed size.
class CFixedContent : public CKDlgContainer
{
public:
    int CalcSize(SIZE& size) override
    {
        size = want;
        return 1;
    }
    SIZE want = {100, 50};
};

class CFixedDialog : public CKDialog
{
public:
    CKContainer* GetContainer() override { return &content; }
    CFixedContent content;
};

// A fixed-size dialog with two buttons, the owner's, shown; none when it cannot be shown.
CFixedDialog* ShowFixed(CDialogOwner* owner, SIZE size, unsigned int showEffect,
                        unsigned int hideEffect)
{
    CFixedDialog* dialog = new CFixedDialog();
    dialog->AddRef();
    dialog->content.want = size;
    dialog->InitDialog(L"Fixed", L"One", L"Two", nullptr);
    dialog->SetOwner(owner);
    dialog->SetDialogId(77);
    dialog->SetShowEffect(showEffect);
    dialog->SetHideEffect(hideEffect);
    const int shown = dialog->Show();
    dialog->Release();
    return shown ? dialog : nullptr;
}

int Width(const RECT& rect)
{
    return rect.right - rect.left;
}

} // namespace

TEST_F(DialogTest, OwnerHearsCreationMeasuringAndTheOutcomeAfterTheEvent)
{
    ASSERT_EQ(ShowAlert(L"Text", L"Title", L"OK", nullptr, nullptr, 5, &owner), 1);
    CKDialog* dialog = CurrentDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(owner.Codes(), (std::vector<int>{KDLG_CREATED, KDLG_FILL, KDLG_MEASURING}));
    for (const KDlgNotice& notice : owner.notices) {
        EXPECT_EQ(notice.id, 5);
        EXPECT_EQ(notice.param, (INT_PTR)dialog);
    }
    EXPECT_FALSE(page->IsEnabled()) << "the page beneath is disabled";
    EXPECT_EQ(dialog->GetBaseView(), page);
    EXPECT_EQ(GetFocus(), dialog->GetHwnd());
    RECT view;
    dialog->GetClientRect(&view);
    EXPECT_EQ(view.right, 320);
    EXPECT_EQ(view.bottom, 456) << "over the page, below the status bar";

    // The back key closes with 2560; the window goes at once, the outcome follows 10 ms later.
    owner.notices.clear();
    HWND window = dialog->GetHwnd();
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetCurrentView(), page);
    EXPECT_TRUE(page->IsEnabled());
    ASSERT_TRUE(WaitFor(KDLG_CANCEL));
    EXPECT_EQ(owner.Codes(), (std::vector<int>{KDLG_DESTROYING, KDLG_CANCEL}));
    EXPECT_EQ(owner.Find(KDLG_CANCEL)->param, 0);
    EXPECT_EQ(owner.Find(KDLG_CANCEL)->id, 5);
}

TEST_F(DialogTest, VeilDarkensThePageBeneathOnceHoweverOftenTheDialogRepaints)
{
    RedrawWindow(page->GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const COLORREF before = GetPixel(GetBackBufferDC(), 5, 300);
    EXPECT_EQ(before, RGB(248, 248, 248)) << "the page's content";
    ASSERT_EQ(ShowAlert(L"Veil", L"Title", L"OK", nullptr, nullptr, 1, &owner), 1);
    CKDialog* dialog = CurrentDialog();
    for (int i = 0; i < 3; i++) {
        RedrawWindow(dialog->GetHwnd(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        // {0, 0, 0, 96} over 248: 248 x (255 - 96) / 255
        const COLORREF veiled = GetPixel(GetBackBufferDC(), 5, 300);
        EXPECT_NEAR(GetRValue(veiled), 155, 2) << i;
        EXPECT_EQ(GetRValue(veiled), GetBValue(veiled));
    }
    // The box itself is not veiled: its middle band is light.
    const RECT box = Box();
    const RECT content = dialog->GetFrame()->contentRect;
    EXPECT_GT(GetRValue(GetPixel(GetBackBufferDC(), box.left + 3, (content.top + content.bottom) / 2)),
              240);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor(KDLG_CANCEL));
}

TEST_F(DialogTest, ThreeButtonsTakeThirdsAndTwoTakeHalves)
{
    ASSERT_EQ(ShowAlert(L"Three", nullptr, L"A", L"B", L"C", 1, &owner), 1);
    CKDialog* dialog = CurrentDialog();
    ASSERT_TRUE(dialog);
    const KDlgFrame* frame = dialog->GetFrame();
    EXPECT_EQ(dialog->GetButton(1)->GetId(), KDLG_BUTTON1_ID);
    EXPECT_EQ(dialog->GetButton(3)->GetId(), KDLG_BUTTON3_ID);
    const RECT a = RectIn(dialog->GetButton(1), dialog);
    const RECT b = RectIn(dialog->GetButton(2), dialog);
    const RECT c = RectIn(dialog->GetButton(3), dialog);
    const int band = Width(frame->buttonRect);
    EXPECT_EQ(band, Width(frame->rect));
    EXPECT_EQ(Width(a), band / 3);
    EXPECT_EQ(Width(b), band / 3);
    EXPECT_EQ(Width(c), band / 3);
    EXPECT_EQ(a.left, frame->buttonRect.left);
    EXPECT_EQ(c.right, frame->buttonRect.right);
    EXPECT_LE(a.right, b.left);
    EXPECT_LE(b.right, c.left);
    EXPECT_LE(abs((b.left - a.right) - (c.left - b.right)), 1) << "the middle one centred";
    EXPECT_EQ(a.bottom, frame->buttonRect.bottom);
    EXPECT_EQ(frame->buttonRect.bottom, frame->rect.bottom);
    EXPECT_EQ(frame->titleHeight, frame->titleRect.bottom - frame->titleRect.top);
    EXPECT_EQ(dialog->GetTitleLabel(), nullptr);

    // A click of the middle button.
    KViewPointer pointer(dialog);
    pointer.Tap((b.left + b.right) / 2, (b.top + b.bottom) / 2);
    ASSERT_TRUE(WaitFor(KDLG_BUTTON2));

    ASSERT_EQ(ShowAlert(L"Two", L"Title", L"Yes", L"No", nullptr, 2, &owner), 1);
    dialog = CurrentDialog();
    frame = dialog->GetFrame();
    EXPECT_EQ(dialog->GetButton(3), nullptr);
    const RECT yes = RectIn(dialog->GetButton(1), dialog);
    const RECT no = RectIn(dialog->GetButton(2), dialog);
    EXPECT_EQ(Width(yes), Width(frame->buttonRect) / 2);
    EXPECT_EQ(Width(no), Width(frame->buttonRect) / 2);
    EXPECT_EQ(yes.left, frame->buttonRect.left);
    EXPECT_EQ(no.right, frame->buttonRect.right);
    // The title label fills the title band inside its face's padding.
    const RECT title = RectIn(dialog->GetTitleLabel(), dialog);
    EXPECT_EQ(dialog->GetTitleLabel()->GetId(), KDLG_TITLE_ID);
    EXPECT_GT(title.left, frame->titleRect.left);
    EXPECT_LT(title.right, frame->titleRect.right);
    EXPECT_GE(title.top, frame->titleRect.top);
    EXPECT_LE(title.bottom, frame->titleRect.bottom);
    pointer = KViewPointer(dialog);
    pointer.Tap((yes.left + yes.right) / 2, (yes.top + yes.bottom) / 2);
    ASSERT_TRUE(WaitFor(KDLG_BUTTON1));
    EXPECT_EQ(owner.Find(KDLG_BUTTON1)->id, 2);
}

TEST_F(DialogTest, TapOutsideClosesOnlyWithTheOutsideFlag)
{
    ASSERT_EQ(ShowAlert(L"Tap", nullptr, L"OK", nullptr, nullptr, 3, &owner), 1);
    CKDialog* dialog = CurrentDialog();
    ASSERT_TRUE(dialog);
    KViewPointer pointer(dialog);
    pointer.Tap(5, 5);
    RunPostedLikeLoop();
    EXPECT_EQ(CurrentDialog(), dialog) << "stays without flag 0x100";

    dialog->SetCancelOnOutsideTap(true);
    EXPECT_TRUE(dialog->GetViewFlags() & KVF_CANCEL_OUTSIDE);
    const RECT box = Box();
    pointer.Tap((box.left + box.right) / 2, box.top + 3);
    RunPostedLikeLoop();
    EXPECT_EQ(CurrentDialog(), dialog) << "a tap inside the box is no cancel";
    pointer.Tap(5, 5);
    ASSERT_TRUE(WaitFor(KDLG_CANCEL));
    EXPECT_EQ(owner.Find(KDLG_CANCEL)->param, 0);
    EXPECT_EQ(GetCurrentView(), page);
}

TEST_F(DialogTest, BoxIsCentredOrAnchoredAndABoxBiggerThanTheScreenStartsTopLeft)
{
    CFixedDialog* dialog = ShowFixed(&owner, SIZE{100, 50}, 0, 0);
    ASSERT_TRUE(dialog);
    RECT box = Box();
    EXPECT_EQ(Width(box), 100 + dialog->GetFrame()->margins.left + dialog->GetFrame()->margins.right);
    EXPECT_EQ((box.left + box.right) / 2, 160);
    EXPECT_LE(abs((box.top + box.bottom) / 2 - 228), 1);
    dialog->OnBack();
    ASSERT_TRUE(WaitFor(KDLG_CANCEL));

    dialog = ShowFixed(&owner, SIZE{1000, 1000}, 0, 0);
    ASSERT_TRUE(dialog);
    box = Box();
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_GT(box.right, 320);
    dialog->OnBack();
    PumpLikeLoopUntil([&] { return GetCurrentView() == page; }, 1000);

    // Anchored by its bottom-right corner at a point of the frame's client area.
    CFixedDialog* anchored = new CFixedDialog();
    anchored->AddRef();
    anchored->InitDialog(nullptr, nullptr, nullptr, nullptr);
    anchored->SetAnchor(KDLG_BOTTOMRIGHT, POINT{300, 200});
    ASSERT_EQ(anchored->Show(), 1);
    anchored->Release();
    box = Box();
    EXPECT_EQ(box.right, 300);
    EXPECT_EQ(box.bottom, 200 - 24);
    anchored->Close(KDLG_CANCEL, 0);
}

TEST_F(DialogTest, DialogFromADialogSharesThePageBeneath)
{
    ASSERT_EQ(ShowAlert(L"First", nullptr, L"OK", nullptr, nullptr, 1, &owner), 1);
    CKDialog* first = CurrentDialog();
    ASSERT_EQ(ShowAlert(L"Second", nullptr, L"OK", nullptr, nullptr, 2, &owner), 1);
    CKDialog* second = CurrentDialog();
    ASSERT_NE(first, second);
    EXPECT_EQ(first->GetBaseView(), page);
    EXPECT_EQ(second->GetBaseView(), page);
    EXPECT_EQ(GetViewStackDepth(), 3);
    EXPECT_FALSE(first->IsEnabled());
    EXPECT_FALSE(page->IsEnabled());

    PressKey(VK_ESCAPE);
    EXPECT_EQ(GetCurrentView(), first);
    EXPECT_TRUE(first->IsEnabled());
    EXPECT_FALSE(page->IsEnabled());
    PressKey(VK_ESCAPE);
    EXPECT_EQ(GetCurrentView(), page);
    EXPECT_TRUE(page->IsEnabled());
    ASSERT_TRUE(PumpLikeLoopUntil([&] {
        int cancels = 0;
        for (const KDlgNotice& notice : owner.notices)
            cancels += notice.code == KDLG_CANCEL;
        return cancels == 2;
    }, 2000));
}

TEST_F(DialogTest, DialogEndingBeneathAnotherLeavesTheStackFromThere)
{
    ASSERT_EQ(ShowToast(L"Toast", 60000, KTOAST_CENTRE), 1);
    CKToastDialog* toast = GetCurrentToast();
    ASSERT_TRUE(toast);
    ASSERT_EQ(ShowAlert(L"Over the toast", nullptr, L"OK", nullptr, nullptr, 9, &owner), 1);
    CKDialog* alert = CurrentDialog();
    EXPECT_EQ(alert->GetBaseView(), page);
    EXPECT_EQ(GetViewStackDepth(), 3);

    toast->Close(0, 0);
    EXPECT_EQ(GetViewStackDepth(), 2);
    EXPECT_EQ(GetViewStackEntry(0), page);
    EXPECT_EQ(GetViewStackEntry(1), alert);
    EXPECT_EQ(GetCurrentView(), alert);
    EXPECT_EQ(GetCurrentToast(), nullptr);

    PressKey(VK_ESCAPE);
    EXPECT_EQ(GetCurrentView(), page);
    EXPECT_TRUE(page->IsEnabled());
    ASSERT_TRUE(WaitFor(KDLG_CANCEL));
}

TEST_F(DialogTest, FullStackRefusesTheDialog)
{
    std::vector<CTestPage*> pages;
    for (int i = 1; i < KVIEW_STACK_SIZE; i++) {
        pages.push_back(AddTestPage(5000 + i, 0, nullptr));
        ASSERT_EQ(ShowView(pages.back()), 1);
    }
    ASSERT_EQ(GetViewStackDepth(), KVIEW_STACK_SIZE);
    EXPECT_EQ(ShowAlert(L"No room", nullptr, L"OK", nullptr, nullptr, 4, &owner), 0);
    EXPECT_TRUE(owner.notices.empty());
    EXPECT_EQ(GetCurrentView(), pages.back());
    EXPECT_TRUE(pages.back()->IsEnabled());
    ASSERT_EQ(ShowView(page), 1);
}

TEST_F(DialogTest, DialogWithoutRecordDoesNothing)
{
    CFixedDialog* dialog = new CFixedDialog();
    EXPECT_EQ(dialog->Show(), 0);
    dialog->Close(KDLG_BUTTON1, 0);
    EXPECT_EQ(dialog->GetOwner(), nullptr);
    EXPECT_EQ(GetCurrentView(), page);
    delete dialog;
}

TEST_F(DialogTest, EasingElasticOutOvershootsTheFinalPlaceBeforeSettling)
{
    CFixedDialog* dialog =
        ShowFixed(&owner, SIZE{100, 50}, KDLG_MOTION_BOTTOM | KDLG_EASE_ELASTIC_OUT, 0);
    ASSERT_TRUE(dialog);
    // The path is sampled by stepping the running effect through its whole course: sampling it on
    // the clock could miss the overshoot on a machine busy enough to skip those ticks.
    CKAnimate* effect = dialog->GetAnimation();
    ASSERT_TRUE(effect);
    std::vector<int> tops;
    for (int permille = 0; permille <= 1000; permille += 5) {
        effect->OnStep(permille);
        tops.push_back(dialog->GetFrame()->rect.top);
    }
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return dialog->GetAnimation() == nullptr; }, 3000));
    const int final = dialog->GetFrame()->rect.top;
    EXPECT_EQ(final, (456 - (dialog->GetFrame()->rect.bottom - final)) / 2);
    EXPECT_GE(tops.front(), 456) << "starts below the view";
    int highest = final;
    for (int top : tops)
        highest = top < highest ? top : highest;
    EXPECT_LT(highest, final) << "the box rose past its place";
    EXPECT_EQ(tops.back(), final);
    // The bands follow the box.
    EXPECT_EQ(dialog->GetFrame()->titleRect.top, final);
    dialog->Close(KDLG_CANCEL, 0);
    ASSERT_TRUE(WaitFor(KDLG_CANCEL));
}

TEST_F(DialogTest, HideEffectRunsBeforeTheDialogEnds)
{
    CFixedDialog* dialog =
        ShowFixed(&owner, SIZE{100, 50}, 0, KDLG_MOTION_GROW_RIGHT | KDLG_EASE_CUBIC_IN);
    ASSERT_TRUE(dialog);
    const RECT box = Box();
    owner.notices.clear();
    dialog->Close(KDLG_BUTTON2, 0);
    EXPECT_TRUE(dialog->IsClosing());
    dialog->Close(KDLG_BUTTON1, 0);   // closing a closing dialog changes nothing
    EXPECT_EQ(CurrentDialog(), dialog) << "still shown while it hides";
    EXPECT_TRUE(owner.notices.empty());
    std::vector<int> lefts;
    ASSERT_TRUE(PumpLikeLoopUntil([&] {
        // The outcome comes with the dialog's deletion: it is not touched after that.
        if (owner.Find(KDLG_BUTTON2))
            return true;
        if (dialog->GetHwnd())
            lefts.push_back(dialog->GetFrame()->rect.left);
        return false;
    }, 3000));
    ASSERT_FALSE(lefts.empty());
    EXPECT_EQ(lefts.front(), box.left);
    for (size_t i = 1; i < lefts.size(); i++)
        EXPECT_GE(lefts[i], lefts[i - 1]) << "it shrinks toward its right edge";
    EXPECT_EQ(owner.Codes(), (std::vector<int>{KDLG_DESTROYING, KDLG_BUTTON2}));
    EXPECT_EQ(GetCurrentView(), page);
}

TEST(CKAniDialog, EasingCurvesAreExactAtTheEndsAndShapedBetween)
{
    const unsigned int curves[] = {KDLG_EASE_LINEAR, KDLG_EASE_CUBIC_IN, KDLG_EASE_CUBIC_ROOT,
                                   KDLG_EASE_CUBIC_IN_OUT, KDLG_EASE_ELASTIC_IN,
                                   KDLG_EASE_ELASTIC_OUT, KDLG_EASE_ELASTIC_IN_OUT, 0x700};
    for (unsigned int curve : curves) {
        EXPECT_EQ(CKAniDialog::Ease(curve, 0), 0) << curve;
        EXPECT_EQ(CKAniDialog::Ease(curve, 1000), 1000) << curve;
    }
    EXPECT_EQ(CKAniDialog::Ease(KDLG_EASE_LINEAR, 300), 300);
    EXPECT_EQ(CKAniDialog::Ease(0x700, 300), 300) << "unknown: linear";
    EXPECT_EQ(CKAniDialog::Ease(KDLG_EASE_CUBIC_IN, 500), 125);
    EXPECT_EQ(CKAniDialog::Ease(KDLG_EASE_CUBIC_ROOT, 125), 500);
    EXPECT_EQ(CKAniDialog::Ease(KDLG_EASE_CUBIC_IN_OUT, 250), 63);
    EXPECT_EQ(CKAniDialog::Ease(KDLG_EASE_CUBIC_IN_OUT, 500), 500);
    EXPECT_EQ(CKAniDialog::Ease(KDLG_EASE_CUBIC_IN_OUT, 750), 938);
    // 2^(-1) x sin(0.025 x 2 pi / 0.3) + 1 = 1.25
    EXPECT_EQ(CKAniDialog::Ease(KDLG_EASE_ELASTIC_OUT, 100), 1250);
    EXPECT_EQ(CKAniDialog::Ease(KDLG_EASE_ELASTIC_IN, 900), -250);
    EXPECT_EQ(CKAniDialog::Ease(KDLG_EASE_ELASTIC_IN_OUT, 500), 500);
    int highest = 0;
    for (int p = 1; p < 1000; p++)
        highest = CKAniDialog::Ease(KDLG_EASE_ELASTIC_OUT, p) > highest
                      ? CKAniDialog::Ease(KDLG_EASE_ELASTIC_OUT, p)
                      : highest;
    EXPECT_GT(highest, 1000);
    // The effect word's easing byte is what counts.
    EXPECT_EQ(CKAniDialog::Ease(KDLG_MOTION_BOTTOM | KDLG_EASE_CUBIC_IN, 500), 125);
}

TEST(CKAniDialog, MotionsStartOutsideOrFromAnEdgeAndHidingMirrorsThem)
{
    const RECT view = {0, 0, 320, 456};
    const RECT box = {60, 100, 260, 300};
    struct Case
    {
        unsigned int motion;
        RECT showStart;
        RECT hideEnd;
    };
    const Case cases[] = {
        {KDLG_MOTION_LEFT, {-200, 100, 0, 300}, {320, 100, 520, 300}},
        {KDLG_MOTION_RIGHT, {320, 100, 520, 300}, {-200, 100, 0, 300}},
        {KDLG_MOTION_TOP, {60, -200, 260, 0}, {60, 456, 260, 656}},
        {KDLG_MOTION_BOTTOM, {60, 456, 260, 656}, {60, -200, 260, 0}},
        {KDLG_MOTION_GROW_RIGHT, {60, 100, 60, 300}, {260, 100, 260, 300}},
        {KDLG_MOTION_GROW_LEFT, {260, 100, 260, 300}, {60, 100, 60, 300}},
        {KDLG_MOTION_GROW_DOWN, {60, 100, 260, 100}, {60, 300, 260, 300}},
        {KDLG_MOTION_GROW_UP, {60, 300, 260, 300}, {60, 100, 260, 100}},
    };
    for (const Case& c : cases) {
        RECT out;
        ASSERT_EQ(CKAniDialog::MotionRect(c.motion, box, view, false, &out), 1) << c.motion;
        EXPECT_TRUE(EqualRect(&out, &c.showStart)) << c.motion;
        ASSERT_EQ(CKAniDialog::MotionRect(c.motion, box, view, true, &out), 1) << c.motion;
        EXPECT_TRUE(EqualRect(&out, &c.hideEnd)) << c.motion;
    }
    RECT out;
    EXPECT_EQ(CKAniDialog::MotionRect(0, box, view, false, &out), 0);
    EXPECT_EQ(CKAniDialog::MotionRect(5, box, view, true, &out), 0);
    EXPECT_EQ(CKAniDialog::MotionRect(21, box, view, false, &out), 0);
}
