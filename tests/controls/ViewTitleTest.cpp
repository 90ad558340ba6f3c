// The title bar a view makes for itself: a CKTitle filled from the page table, whose button clicks
// reach the page's content as commands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KTestSupport.h"
#include "KViewTestSupport.h"
#include "controls/CKButton.h"
#include "controls/CKTitle.h"
#include "ui/CKApplication.h"

namespace {

class ViewTitleTest : public KViewTest {};

} // namespace

TEST_F(ViewTitleTest, TitleComesFromThePageTableAndButtonsCarryTheirCommands)
{
    CTestPage* browse = AddTestPage(3002, 0, &log);
    CKTitle* title = browse->GetTitle();
    ASSERT_TRUE(title);
    EXPECT_TRUE(title->IsKindOf(K_RUNTIME_CLASS(CKTitle)));
    EXPECT_EQ(browse->GetTitleBar(), static_cast<CKTitleBar*>(title));
    EXPECT_STREQ(title->GetText(), L"添加文件");
    EXPECT_EQ(title->GetLeftCmd(), 3003);
    EXPECT_STREQ(title->GetLeftButton()->GetText(), L"目录");
    EXPECT_EQ(title->GetRightCmd(), 3004);
    EXPECT_STREQ(title->GetRightButton()->GetText(), L"打开");
    EXPECT_EQ(browse->SetTitleText(L"Rock"), 1);
    EXPECT_STREQ(title->GetText(), L"Rock");

    // No row: a title without text or buttons.
    CTestPage* unknown = AddTestPage(4242, 0, &log);
    ASSERT_TRUE(unknown->GetTitle());
    EXPECT_STREQ(unknown->GetTitle()->GetText(), L"");
    EXPECT_EQ(unknown->GetTitle()->GetLeftButton(), nullptr);
}

TEST_F(ViewTitleTest, TitleButtonTapReachesTheContainerAsACommand)
{
    CTestPage* page = AddTestPage(3002, 0, &log);
    ASSERT_EQ(ShowView(page), 1);
    CKButton* open = page->GetTitle()->GetRightButton();
    ASSERT_TRUE(open && open->GetHwnd());
    RECT rect = {0, 0, 0, 0};
    open->GetClientRect(&rect);
    MapWindowPoints(open->GetHwnd(), page->GetHwnd(), (POINT*)&rect, 2);
    KViewPointer pointer(page);
    pointer.Tap((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    EXPECT_EQ(page->content.events, (std::vector<std::string>{"command 3004"}));

    // A press of the button alone is no command.
    page->OnNotify(KVIEW_TITLE_ID, KNOTIFY_PRESS, 3004);
    EXPECT_EQ(page->content.events.size(), 1u);
}
