// Alerts: the message's measure on the 320 x 480 screen, texts from the string table, the
// buttons an absent text leaves out, and the alert of the views' information gesture.
#include <gtest/gtest.h>

#include <string>

#include "DialogTestSupport.h"
#include "controls/CKButton.h"
#include "controls/CKLabel.h"
#include "dialogs/CKAlertDialog.h"
#include "foundation/KDevMetrics.h"

namespace {

// The alert's content (its container) in the dialog's client coordinates.
RECT ContentOf(CKAlertDialog* alert)
{
    RECT rect = {0, 0, 0, 0};
    CKContainer* content = alert->GetContainer();
    content->GetClientRect(&rect);
    MapWindowPoints(content->GetHwnd(), alert->GetHwnd(), (POINT*)&rect, 2);
    return rect;
}

CKAlertDialog* CurrentAlert()
{
    CKView* view = GetCurrentView();
    return view && view->IsKindOf(K_RUNTIME_CLASS(CKAlertDialog)) ? (CKAlertDialog*)view : nullptr;
}

} // namespace

TEST_F(DialogTest, AlertContentIsAtMost256WideAndGrowsWithALongMessage)
{
    const int margin = UnitToPixels(8, 0);
    const int least = UnitToPixels(24, 0) + 2 * margin;
    ASSERT_EQ(margin, 13);
    ASSERT_EQ(least, 64);

    ASSERT_EQ(ShowAlert(L"Hi", nullptr, L"OK", nullptr, nullptr, 1, &owner), 1);
    CKAlertDialog* alert = CurrentAlert();
    ASSERT_TRUE(alert);
    RECT shortContent = ContentOf(alert);
    EXPECT_EQ(shortContent.right - shortContent.left, 256) << "four fifths of 320";
    EXPECT_EQ(shortContent.bottom - shortContent.top, least) << "one line: the least height";
    CKLabel* label = alert->GetAlertContainer()->GetLabel();
    EXPECT_EQ(label->GetId(), KDLG_MESSAGE_ID);
    EXPECT_EQ(label->GetStyle() & 0x1FF, 261u);
    RECT text;
    label->GetClientRect(&text);
    EXPECT_EQ(text.right, 256 - 2 * margin);
    // The box: content plus the middle band's side paddings, centred.
    const RECT box = Box();
    EXPECT_EQ(box.right - box.left, 256 + 16);
    EXPECT_EQ(box.left, (320 - 272) / 2);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor(KDLG_CANCEL));

    std::wstring longText;
    for (int i = 0; i < 40; i++)
        longText += L"several words of text ";
    ASSERT_EQ(ShowAlert(longText.c_str(), nullptr, L"OK", nullptr, nullptr, 2, &owner), 1);
    alert = CurrentAlert();
    ASSERT_TRUE(alert);
    RECT longContent = ContentOf(alert);
    EXPECT_EQ(longContent.right - longContent.left, 256);
    EXPECT_GT(longContent.bottom - longContent.top, 3 * least);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return owner.Find(KDLG_CANCEL)->id == 2; }, 2000));
}

TEST_F(DialogTest, AlertByIdTakesItsTextsFromTheStringTableAndSkipsAbsentOnes)
{
    ASSERT_EQ(ShowAlertById(3002, 3005, 3017, 3018, 0, 11, &owner), 1);
    CKAlertDialog* alert = CurrentAlert();
    ASSERT_TRUE(alert);
    EXPECT_STREQ(alert->GetAlertContainer()->GetLabel()->GetText(), L"添加文件");
    ASSERT_TRUE(alert->GetTitleLabel());
    EXPECT_STREQ(alert->GetTitleLabel()->GetText(), L"选项设置");
    EXPECT_STREQ(alert->GetButton(1)->GetText(), L"重试");
    EXPECT_STREQ(alert->GetButton(2)->GetText(), L"取消");
    EXPECT_EQ(alert->GetButton(3), nullptr);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor(KDLG_CANCEL));

    // A missing string is no button, and no later button either; a zero title is no title.
    ASSERT_EQ(ShowAlertById(3002, 0, 3013, 2999, 3018, 12, &owner), 1);
    alert = CurrentAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->GetTitleLabel(), nullptr);
    EXPECT_STREQ(alert->GetButton(1)->GetText(), L"确定");
    EXPECT_EQ(alert->GetButton(2), nullptr);
    EXPECT_EQ(alert->GetButton(3), nullptr);
    alert->OnButton(1);
    ASSERT_TRUE(WaitFor(KDLG_BUTTON1));
    EXPECT_EQ(owner.Find(KDLG_BUTTON1)->id, 12);
    EXPECT_EQ(owner.Find(KDLG_BUTTON1)->param, 0);

    // Without buttons the bottom band still closes the box.
    ASSERT_EQ(ShowAlertById(3002, 0, 0, 0, 0, 13, &owner), 1);
    alert = CurrentAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->GetButton(1), nullptr);
    EXPECT_GT(alert->GetFrame()->buttonHeight, 0);
    alert->OnButton(7);
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return owner.Find(KDLG_CANCEL) && owner.Find(KDLG_CANCEL)->id == 13; }, 2000));
}

TEST_F(DialogTest, InformationGestureShowsTheAlertWithTheMetrics)
{
    ASSERT_TRUE(page->GetViewFlags() & KVF_MOUSEFILTER) << "the first registered page filters";
    KViewPointer pointer(page);
    pointer.Press(10, 10);
    pointer.MoveTo(310, 10);
    pointer.MoveTo(10, 10);
    pointer.MoveTo(100, 10);
    pointer.Release(100, 10);
    CKAlertDialog* alert = CurrentAlert();
    ASSERT_TRUE(alert);
    EXPECT_STREQ(alert->GetTitleLabel()->GetText(), L"Std Alert Info");
    ASSERT_TRUE(alert->GetButton(1));
    EXPECT_STREQ(alert->GetButton(1)->GetText(), L"OK");
    EXPECT_EQ(alert->GetButton(2), nullptr);
    wchar_t expected[KDEVMETRICS_INFO_CAPACITY];
    FormatDevMetricsInfo(expected, KDEVMETRICS_INFO_CAPACITY);
    EXPECT_STREQ(alert->GetAlertContainer()->GetLabel()->GetText(), expected);
    EXPECT_NE(std::wstring(expected).find(L"Screen Size in Pixel: 320, 480"), std::wstring::npos);
    EXPECT_NE(std::wstring(expected).find(L"Log Pixel in DPI: 160, 160"), std::wstring::npos);
    EXPECT_FALSE(page->IsEnabled()) << "the page beneath is disabled";

    PressKey(VK_ESCAPE);
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return GetCurrentView() == page; }, 2000));
    EXPECT_TRUE(page->IsEnabled());
}
