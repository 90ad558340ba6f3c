// Push buttons driven through their real HWNDs: the pressed look following the pointer, clicks,
// double presses and keys, state mirroring, the checked look, the drawable kind rule and the
// preferred size by the icon-and-text rule.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "controls/CKButton.h"
#include "controls/KPressRule.h"
#include "graphics/CKColorDrawable.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/CKTextDrawable.h"

namespace {

constexpr int BUTTON_ID = 101;
const RECT BUTTON_RECT = {10, 10, 110, 50};
// The middle of the button in the back buffer (the host's client coordinates), away from the
// rounded corners and the border.
constexpr int MIDDLE_X = 60;
constexpr int MIDDLE_Y = 30;

bool IsPressed(const CKButton* button)
{
    return (button->GetStyle() & KSTATE_PRESSED) != 0;
}

} // namespace

TEST(CKButton, PressMoveOutMoveBackAndReleaseClicksOnceWhileThePressedLookFollowsThePointer)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    ASSERT_TRUE(host);
    CKButton* button = scope.Add(new CKButton(), host, 0, 0, BUTTON_RECT, BUTTON_ID);
    ASSERT_TRUE(button);
    RepaintNow(button);
    EXPECT_EQ(BackBufferPixel(MIDDLE_X, MIDDLE_Y), BUTTON_NORMAL);

    PostMouse(button, WM_LBUTTONDOWN, 20, 20);
    DeliverPosted();
    EXPECT_TRUE(IsPressed(button));
    EXPECT_EQ(host->notices, (std::vector<KNotice>{{BUTTON_ID, KNOTIFY_PRESS, 0}}));
    UpdateWindow(button->GetHwnd());
    EXPECT_EQ(BackBufferPixel(MIDDLE_X, MIDDLE_Y), BUTTON_PRESSED);

    // The button holds the capture: the pointer outside still reaches it.
    PostMouse(button, WM_MOUSEMOVE, 150, 20);
    DeliverPosted();
    EXPECT_FALSE(IsPressed(button));
    UpdateWindow(button->GetHwnd());
    EXPECT_EQ(BackBufferPixel(MIDDLE_X, MIDDLE_Y), BUTTON_NORMAL);

    PostMouse(button, WM_MOUSEMOVE, 99, 39);   // the last pixel inside
    DeliverPosted();
    EXPECT_TRUE(IsPressed(button));
    UpdateWindow(button->GetHwnd());
    EXPECT_EQ(BackBufferPixel(MIDDLE_X, MIDDLE_Y), BUTTON_PRESSED);

    PostMouse(button, WM_LBUTTONUP, 99, 39);
    DeliverPosted();
    EXPECT_FALSE(IsPressed(button));
    EXPECT_EQ(host->WithCode(KNOTIFY_CLICK), (std::vector<KNotice>{{BUTTON_ID, KNOTIFY_CLICK, 0}}));
    EXPECT_EQ(host->notices.size(), 2u);
    UpdateWindow(button->GetHwnd());
    EXPECT_EQ(BackBufferPixel(MIDDLE_X, MIDDLE_Y), BUTTON_NORMAL);
}

TEST(CKButton, AReleaseOutsideOrACancelledPressNeverClicks)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKButton* button = scope.Add(new CKButton(), host, 0, 0, BUTTON_RECT, BUTTON_ID);
    ASSERT_TRUE(host && button);

    PostMouse(button, WM_LBUTTONDOWN, 5, 5);
    PostMouse(button, WM_MOUSEMOVE, 100, 5);   // right edge is outside
    PostMouse(button, WM_LBUTTONUP, 100, 5);
    DeliverPosted();
    EXPECT_FALSE(IsPressed(button));
    EXPECT_TRUE(host->WithCode(KNOTIFY_CLICK).empty());

    // A press outside the client area (the platform never sends one to the button).
    button->OnMouse(KMOUSE_PRESS, -1, 5, 0);
    EXPECT_FALSE(IsPressed(button));

    PostMouse(button, WM_LBUTTONDOWN, 5, 5);
    DeliverPosted();
    ASSERT_TRUE(IsPressed(button));
    button->OnMouse(KMOUSE_CANCEL, 5, 5, 0);   // the press became a drag-scroll
    EXPECT_FALSE(IsPressed(button));
    PostMouse(button, WM_LBUTTONUP, 5, 5);
    DeliverPosted();
    EXPECT_TRUE(host->WithCode(KNOTIFY_CLICK).empty());
    EXPECT_EQ(host->WithCode(KNOTIFY_PRESS).size(), 2u);

    // Events with the extra argument are not the button's.
    button->OnMouse(KMOUSE_PRESS, 5, 5, 1);
    EXPECT_FALSE(IsPressed(button));
}

TEST(CKButton, ADoublePressIsReportedOnlyWithTheDoublePressFlag)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKButton* plain = scope.Add(new CKButton(), host, 0, 0, BUTTON_RECT, 1);
    CKButton* doubled = scope.Add(new CKButton(), host, 0, KWF_DBLCLK, RECT{10, 60, 110, 100}, 2);
    ASSERT_TRUE(plain && doubled);

    for (CKButton* button : {plain, doubled}) {
        PostMouse(button, WM_LBUTTONDOWN, 5, 5);
        PostMouse(button, WM_LBUTTONUP, 5, 5);
        PostMouse(button, WM_LBUTTONDBLCLK, 5, 5);
        PostMouse(button, WM_LBUTTONUP, 5, 5);
    }
    DeliverPosted();
    EXPECT_EQ(host->WithCode(KNOTIFY_DBLPRESS), (std::vector<KNotice>{{2, KNOTIFY_DBLPRESS, 0}}));
    // Without the flag the second press is a press again and clicks again.
    std::vector<KNotice> clicks = host->WithCode(KNOTIFY_CLICK);
    EXPECT_EQ(clicks, (std::vector<KNotice>{{1, KNOTIFY_CLICK, 0}, {1, KNOTIFY_CLICK, 0},
                                            {2, KNOTIFY_CLICK, 0}}));
}

TEST(CKButton, EnterAndTheConfirmKeyClickOnKeyUpAfterKeyDown)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKButton* button = scope.Add(new CKButton(), host, 0, 0, BUTTON_RECT, BUTTON_ID);
    ASSERT_TRUE(button);

    PostKey(button, WM_KEYDOWN, VK_RETURN);
    DeliverPosted();
    EXPECT_TRUE(IsPressed(button));
    EXPECT_TRUE(host->notices.empty());
    PostKey(button, WM_KEYUP, VK_RETURN);
    DeliverPosted();
    EXPECT_FALSE(IsPressed(button));
    EXPECT_EQ(host->notices, (std::vector<KNotice>{{BUTTON_ID, KNOTIFY_CLICK, 0}}));

    // A key up without its key down, and other keys, do nothing.
    PostKey(button, WM_KEYUP, VK_RETURN);
    PostKey(button, WM_KEYDOWN, 'A');
    PostKey(button, WM_KEYUP, 'A');
    PostKey(button, WM_KEYDOWN, VK_SPACE);
    PostKey(button, WM_KEYUP, VK_SPACE);
    DeliverPosted();
    EXPECT_EQ(host->notices.size(), 1u);

    button->OnKey(KKEY_DOWN, KK_CONFIRM, 0);
    button->OnKey(KKEY_UP, KK_CONFIRM, 0);
    EXPECT_EQ(host->WithCode(KNOTIFY_CLICK).size(), 2u);
}

TEST(CKButton, FocusAndDisabledShowInTheStateBitsAndADisabledButtonIgnoresInput)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKButton* button = scope.Add(new CKButton(), host, 0, KWF_TABSTOP, BUTTON_RECT, BUTTON_ID);
    ASSERT_TRUE(button);

    PostMouse(button, WM_LBUTTONDOWN, 5, 5);
    PostMouse(button, WM_LBUTTONUP, 5, 5);
    DeliverPosted();
    EXPECT_TRUE(button->GetFlags() & KWF_FOCUSED) << "a tab stop takes the focus on a press";
    EXPECT_TRUE(button->GetStyle() & KSTATE_SELECTED);
    SetFocus(host->GetHwnd());
    EXPECT_FALSE(button->GetStyle() & KSTATE_SELECTED);

    button->Enable(false);
    EXPECT_TRUE(button->GetStyle() & KSTATE_DISABLED);
    EXPECT_EQ(host->WithCode(KNOTIFY_DISABLED),
              (std::vector<KNotice>{{BUTTON_ID, KNOTIFY_DISABLED, 0}}));
    host->notices.clear();
    button->OnMouse(KMOUSE_PRESS, 5, 5, 0);
    button->OnMouse(KMOUSE_RELEASE, 5, 5, 0);
    button->OnKey(KKEY_DOWN, KK_ENTER, 0);
    button->OnKey(KKEY_UP, KK_ENTER, 0);
    EXPECT_FALSE(IsPressed(button));
    EXPECT_TRUE(host->notices.empty());

    button->Enable(true);
    EXPECT_FALSE(button->GetStyle() & KSTATE_DISABLED);
}

TEST(CKButton, ACheckedButtonWithoutCheckFaceDrawsItsFacePressed)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKButton* button = scope.Add(new CKButton(), host, 0, 0, BUTTON_RECT, BUTTON_ID);
    ASSERT_TRUE(button);
    ASSERT_TRUE(button->GetFaceCheckDrawable()) << "the default check face";

    button->ModifyStyle(KSTATE_CHECKED, 0);
    RepaintNow(button);
    EXPECT_EQ(BackBufferPixel(MIDDLE_X, MIDDLE_Y), BUTTON_CHECKED);

    button->SetFaceCheckDrawable(nullptr);
    RepaintNow(button);
    EXPECT_EQ(BackBufferPixel(MIDDLE_X, MIDDLE_Y), BUTTON_PRESSED);

    button->ModifyStyle(0, KSTATE_CHECKED);
    RepaintNow(button);
    EXPECT_EQ(BackBufferPixel(MIDDLE_X, MIDDLE_Y), BUTTON_NORMAL);
}

TEST(CKButton, InitializeLoadsTheButtonLookAndSettersKeepOnlyDrawablesOfTheirKind)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKButton* button = scope.Add(new CKButton(), host, 0, 0, BUTTON_RECT, BUTTON_ID);
    ASSERT_TRUE(button);
    ASSERT_TRUE(button->GetFaceDrawable() && button->GetTextDrawable()
                && button->GetTextCheckDrawable() && button->GetIconDrawable());
    EXPECT_STREQ(button->GetFaceDrawable()->GetName(), "DefButtonFace");
    EXPECT_STREQ(button->GetFaceCheckDrawable()->GetName(), "DefButtonFaceCheck");
    EXPECT_STREQ(button->GetTextDrawable()->GetName(), "DefButtonText");
    EXPECT_STREQ(button->GetTextCheckDrawable()->GetName(), "DefButtonTextCheck");
    EXPECT_STREQ(button->GetIconDrawable()->GetName(), "DefButtonIcon");

    CKTextDrawable* text = button->GetTextDrawable();
    const int held = text->GetRefCount();
    button->SetFaceDrawable(text);   // a text drawable is no face
    EXPECT_EQ(button->GetFaceDrawable(), nullptr);
    button->SetIconDrawable(text);
    EXPECT_EQ(button->GetIconDrawable(), nullptr);
    button->SetTextCheckDrawable(text);
    EXPECT_EQ(button->GetTextCheckDrawable(), text);
    EXPECT_EQ(text->GetRefCount(), held + 1);
    button->SetTextCheckDrawable(nullptr);
    EXPECT_EQ(text->GetRefCount(), held);
}

TEST(CKButton, CalcSizeCombinesIconAndTextByArrangementAndAddsTheFaceInsets)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKButton* side = scope.Add(new CKButton(), host, KARRANGE_ICON_LEFT, 0, BUTTON_RECT, 1);
    CKButton* stacked = scope.Add(new CKButton(), host, KARRANGE_ICON_TOP, 0, BUTTON_RECT, 2);
    ASSERT_TRUE(side && stacked);
    CKImgList* list = MakeImgList(16, {0xFF0000});

    // The parts measured alone: the face adds its margins and paddings, the icon is its cell
    // plus the icon drawable's insets.
    const RECT faceInsets = Insets(side->GetFaceDrawable());
    const SIZE face = {faceInsets.left + faceInsets.right, faceInsets.top + faceInsets.bottom};
    SIZE measured = {0, 0};
    side->GetFaceDrawable()->CalcSize(measured);
    EXPECT_EQ(measured.cx, face.cx);
    EXPECT_EQ(measured.cy, face.cy);
    EXPECT_GT(face.cx, 0);
    const RECT iconInsets = Insets(side->GetIconDrawable());
    const SIZE iconSize = {16 + iconInsets.left + iconInsets.right,
                           16 + iconInsets.top + iconInsets.bottom};
    side->SetText(L"OK");
    SIZE textOnly = {320, 480};
    side->CalcSize(textOnly);
    const SIZE text = {textOnly.cx - face.cx, textOnly.cy - face.cy};
    EXPECT_GT(text.cx, 2);
    EXPECT_GT(text.cy, 2);

    for (CKButton* button : {side, stacked}) {
        button->SetText(L"OK");
        button->SetIcon(list, 0);
    }
    SIZE size = {320, 480};
    side->CalcSize(size);
    EXPECT_EQ(size.cx, iconSize.cx + text.cx + face.cx);
    EXPECT_EQ(size.cy, (text.cy > iconSize.cy ? text.cy : iconSize.cy) + face.cy);
    size = {320, 480};
    stacked->CalcSize(size);
    EXPECT_EQ(size.cx, (text.cx > iconSize.cx ? text.cx : iconSize.cx) + face.cx);
    EXPECT_EQ(size.cy, iconSize.cy + text.cy + face.cy);

    // Without a text drawable the text takes no part.
    side->SetTextDrawable(nullptr);
    size = {320, 480};
    side->CalcSize(size);
    EXPECT_EQ(size.cx, iconSize.cx + face.cx);
    EXPECT_EQ(size.cy, iconSize.cy + face.cy);

    // The shared icon drawable lets go of the list once the measure is done.
    EXPECT_EQ(side->GetIconDrawable()->GetImage(), nullptr);
    EXPECT_EQ(side->GetIconCell(KSLOT_PRESSED), 0);
    side->SetIcon(list, 1, 2, 3, 4);
    EXPECT_EQ(side->GetIconCell(KSLOT_NORMAL), 1);
    EXPECT_EQ(side->GetIconCell(KSLOT_SELECTED), 3);
    EXPECT_EQ(side->GetIconCell(KSLOT_PRESSED), 2);
    EXPECT_EQ(side->GetIconCell(KSLOT_DISABLED), 4);
    EXPECT_EQ(side->GetIconCell(4), -1);
    side->SetIcon(nullptr, -1);
    stacked->SetIcon(nullptr, -1);
    list->Release();
}

TEST(CKButton, SetTextCopiesTheGivenUnitsAndNoneClears)
{
    CKButton button;
    const wchar_t source[] = L"Play all";
    button.SetText(source, 4);
    ASSERT_TRUE(button.GetText());
    EXPECT_STREQ(button.GetText(), L"Play");
    EXPECT_EQ(button.GetTextLength(), 4);
    EXPECT_NE(button.GetText(), source);
    button.SetText(source);
    EXPECT_EQ(button.GetTextLength(), 8);
    button.SetText(nullptr);
    EXPECT_EQ(button.GetText(), nullptr);
    EXPECT_EQ(button.GetTextLength(), 0);
}
