// Check boxes through their real HWNDs: toggling by taps and keys with 513 each time, and the box
// drawn for the look and the checked state.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "controls/CKCheckBox.h"
#include "controls/KPressRule.h"
#include "graphics/CKColorDrawable.h"

namespace {

constexpr int BOX_ID = 601;
const RECT BOX_RECT = {10, 10, 210, 50};

} // namespace

TEST(CKCheckBox, ACheckBoxTappedTwiceEndsUncheckedAndReportsTheToggleTwice)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKCheckBox* box = scope.Add(new CKCheckBox(), host, 0, 0, BOX_RECT, BOX_ID);
    ASSERT_TRUE(box);
    box->SetText(L"Shuffle");

    Tap(box, 20, 20);
    EXPECT_TRUE(box->IsChecked());
    Tap(box, 20, 20);
    EXPECT_FALSE(box->IsChecked());
    EXPECT_EQ(host->notices, (std::vector<KNotice>{{BOX_ID, KNOTIFY_CHECK_TOGGLED, 0},
                                                   {BOX_ID, KNOTIFY_CHECK_TOGGLED, 0}}));
    EXPECT_FALSE(box->GetStyle() & KSTATE_PRESSED);

    // A release outside after the pointer left changes nothing.
    PostMouse(box, WM_LBUTTONDOWN, 20, 20);
    PostMouse(box, WM_MOUSEMOVE, 20, 45);
    DeliverPosted();
    EXPECT_FALSE(box->GetStyle() & KSTATE_PRESSED);
    PostMouse(box, WM_LBUTTONUP, 20, 45);
    DeliverPosted();
    EXPECT_FALSE(box->IsChecked());
    EXPECT_EQ(host->notices.size(), 2u);

    // Space, Enter and the confirm key toggle on key up after key down.
    PostKey(box, WM_KEYDOWN, VK_SPACE);
    DeliverPosted();
    EXPECT_TRUE(box->GetStyle() & KSTATE_PRESSED);
    EXPECT_FALSE(box->IsChecked());
    PostKey(box, WM_KEYUP, VK_SPACE);
    PostKey(box, WM_KEYDOWN, VK_RETURN);
    PostKey(box, WM_KEYUP, VK_RETURN);
    PostKey(box, WM_KEYDOWN, 'X');
    PostKey(box, WM_KEYUP, 'X');
    DeliverPosted();
    EXPECT_FALSE(box->IsChecked());
    EXPECT_EQ(host->notices.size(), 4u);
    box->OnKey(KKEY_DOWN, KK_CONFIRM, 0);
    box->OnKey(KKEY_UP, KK_CONFIRM, 0);
    EXPECT_TRUE(box->IsChecked());
    EXPECT_EQ(host->notices.size(), 5u);

    // Disabled: no toggling; the state bits mirror the window.
    box->Enable(false);
    EXPECT_TRUE(box->GetStyle() & KSTATE_DISABLED);
    host->notices.clear();
    box->OnMouse(KMOUSE_PRESS, 20, 20, 0);
    box->OnMouse(KMOUSE_RELEASE, 20, 20, 0);
    EXPECT_TRUE(box->IsChecked());
    EXPECT_TRUE(host->notices.empty());
}

TEST(CKCheckBox, TheBoxIsChosenByTheLookAndTheCheckedState)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKCheckBox* box = scope.Add(new CKCheckBox(), host, 0, 0, BOX_RECT, BOX_ID);
    ASSERT_TRUE(box);
    const KColor colors[4] = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFF00FFFF};
    CKColorDrawable* faces[4];
    for (int i = 0; i < 4; i++)
        faces[i] = MakeFace(&colors[i], 0);
    box->SetIconDrawable(faces[0]);
    box->SetCheckDrawable(faces[1]);
    box->SetDeleteIconDrawable(faces[2]);
    box->SetDeleteCheckDrawable(faces[3]);

    RepaintNow(box);
    EXPECT_EQ(BackBufferPixel(110, 30), 0xFF0000u);
    box->SetCheck(true);
    RepaintNow(box);
    EXPECT_EQ(BackBufferPixel(110, 30), 0x00FF00u);
    box->ModifyStyle(KCBS_DELETE, 0);
    RepaintNow(box);
    EXPECT_EQ(BackBufferPixel(110, 30), 0xFFFF00u);
    box->SetCheck(false);
    RepaintNow(box);
    EXPECT_EQ(BackBufferPixel(110, 30), 0x0000FFu);
    for (CKColorDrawable* face : faces)
        face->Release();
}
