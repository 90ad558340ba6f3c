// Toasts: one at a time, placed near the bottom, in the middle or near the top, closed after their
// time or by a tap outside.
#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "controls/CKLabel.h"
#include "dialogs/CKToastDialog.h"
#include "foundation/KDevMetrics.h"

TEST_F(DialogTest, ToastClosesAfterItsDurationAndASecondOneReplacesTheFirstAtOnce)
{
    const DWORD start = GetTickCount();
    ASSERT_EQ(ShowToast(L"First", 300, KTOAST_BOTTOM), 1);
    CKToastDialog* first = GetCurrentToast();
    ASSERT_TRUE(first);
    EXPECT_EQ(GetCurrentView(), first);
    EXPECT_STREQ(first->GetToastContainer()->GetLabel()->GetText(), L"First");
    EXPECT_EQ(first->GetButton(1), nullptr);
    EXPECT_EQ(first->GetTitleLabel(), nullptr);
    EXPECT_TRUE(first->GetViewFlags() & KVF_CANCEL_OUTSIDE);

    ASSERT_EQ(ShowToast(L"Second", 300, KTOAST_TOP), 1);
    CKToastDialog* second = GetCurrentToast();
    ASSERT_NE(second, first);
    EXPECT_EQ(GetCurrentView(), second);
    EXPECT_EQ(GetViewStackDepth(), 2) << "the first one is gone";
    EXPECT_EQ(second->GetBaseView(), page);

    ASSERT_TRUE(PumpLikeLoopUntil([] { return GetCurrentToast() == nullptr; }, 3000));
    EXPECT_GE((int)(GetTickCount() - start), 280);
    EXPECT_EQ(GetCurrentView(), page);
    EXPECT_TRUE(page->IsEnabled());
}

TEST_F(DialogTest, ToastPlacementAndTapOutside)
{
    const int distance = UnitToPixels(40, 1);
    ASSERT_EQ(ShowToast(L"Bottom", 10000, KTOAST_BOTTOM), 1);
    RECT box = Box();
    EXPECT_EQ(box.bottom, 456 - distance);
    EXPECT_EQ(box.left, (320 - (box.right - box.left)) / 2);
    EXPECT_EQ(box.right - box.left, 256 + 16);
    const int margin = UnitToPixels(3, 0);
    RECT content = RectIn(GetCurrentToast()->GetContainer(), GetCurrentToast());
    RECT label;
    GetCurrentToast()->GetToastContainer()->GetLabel()->GetClientRect(&label);
    EXPECT_EQ(content.bottom - content.top, label.bottom + 2 * margin);

    ASSERT_EQ(ShowToast(L"Top", 10000, KTOAST_TOP), 1);
    EXPECT_EQ(Box().top, distance);
    ASSERT_EQ(ShowToast(L"Middle", 10000, KTOAST_CENTRE), 1);
    box = Box();
    EXPECT_LE(abs((box.top + box.bottom) / 2 - 228), 1);

    KViewPointer pointer(GetCurrentToast());
    pointer.Tap(5, 5);
    EXPECT_EQ(GetCurrentToast(), nullptr);
    EXPECT_EQ(GetCurrentView(), page);
}
