// The application object: the start-up picture, then the player page in its window; without a
// picture the page at once; the pages destroyed at the end.
#include <gtest/gtest.h>

#include "KTestSupport.h"
#include "KViewTestSupport.h"
#include "app/CLumoApp.h"
#include "app/LmPageTable.h"
#include "controls/CKButton.h"
#include "controls/CKTitle.h"
#include "foundation/KDevMetrics.h"
#include "ui/CKStartupView.h"

namespace {

// Gives the application object a frame window of its own: the test executable's frame goes first,
// and the application's goes with its quit message at the end.
class CLumoAppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (GetFrameWindow())
            DestroyWindow(GetFrameWindow());
        PumpMessagesFor(30);
        app = new CLumoApp(GetModuleHandleW(nullptr), L"");
    }
    void TearDown() override
    {
        app->ExitInstance();
        EXPECT_EQ(GetPageCount(), 0);
        if (GetFrameWindow())
            DestroyWindow(GetFrameWindow());
        PumpMessagesFor(30);
        delete app;
    }

    CLumoApp* app = nullptr;
};

} // namespace

TEST_F(CLumoAppTest, StartupPictureGivesWayToThePlayerPageInTheSameWindow)
{
    ASSERT_EQ(app->InitInstance(), 1);
    ASSERT_TRUE(GetFrameWindow());
    CKView* startup = GetCurrentView();
    ASSERT_TRUE(startup && startup->IsKindOf(K_RUNTIME_CLASS(CKStartupView)));
    EXPECT_EQ(startup->GetViewId(), IDS_PAGE_PLAYER);
    HWND window = startup->GetHwnd();

    ASSERT_TRUE(PumpLikeLoopUntil([] {
        CKView* view = GetCurrentView();
        return view && !view->IsKindOf(K_RUNTIME_CLASS(CKStartupView));
    }, 5000));
    CKView* player = GetCurrentView();
    EXPECT_EQ(player->GetViewId(), IDS_PAGE_PLAYER);
    EXPECT_EQ(player->GetHwnd(), window);
    EXPECT_EQ(GetPageCount(), 1);
    ASSERT_TRUE(player->GetTitle());
    EXPECT_STREQ(player->GetTitle()->GetText(), L"Lumo");
    EXPECT_EQ(player->GetTitle()->GetLeftCmd(), IDS_PLAYER_MENU);
    EXPECT_STREQ(player->GetTitle()->GetLeftButton()->GetText(), L"菜单");
    EXPECT_TRUE(IsWindowVisible(player->GetTitle()->GetHwnd()));
}

TEST_F(CLumoAppTest, WithoutAStartupPictureThePagesComeAtOnce)
{
    // Landscape asks for "StartupL.png", which the program does not have.
    SetDevMetric(ScreenOrientation, 2);
    ASSERT_EQ(app->InitInstance(), 1);
    CKView* player = GetCurrentView();
    ASSERT_TRUE(player);
    EXPECT_FALSE(player->IsKindOf(K_RUNTIME_CLASS(CKStartupView)));
    EXPECT_EQ(player->GetViewId(), IDS_PAGE_PLAYER);
    EXPECT_EQ(GetPageCount(), 1);
    RECT client;
    GetClientRect(GetFrameWindow(), &client);
    EXPECT_EQ(client.right, 480) << "a landscape frame";
    EXPECT_EQ(client.bottom, 320);
    SetDevMetric(ScreenOrientation, 0);
    EXPECT_EQ(GetDevMetric(CxScreen), 320);
}
