// The start-up page: the picture, the wait of half a second after its first paint, and the first
// real page taking over its window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KTestSupport.h"
#include "KViewTestSupport.h"
#include "foundation/KDevMetrics.h"
#include "graphics/KGraphics.h"
#include "ui/CKApplication.h"
#include "ui/CKStartupView.h"

namespace {

// An application whose pages are one test page 3000; it stands in for the process's application
// object while a test runs.
class CPagesApp : public CKApplication
{
public:
    explicit CPagesApp(std::vector<std::string>* log)
        : CKApplication(GetModuleHandleW(nullptr), L""), log(log)
    {
    }
    void CreatePages() override
    {
        createdAt = GetTickCount();
        page = AddTestPage(3000, 0, log);
    }

    std::vector<std::string>* log;   // borrowed from the test
    CTestPage* page = nullptr;
    DWORD createdAt = 0;
};

class CKStartupViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureTestFrame();
        SetPageLookup(TestPageLookup);
        app = new CPagesApp(&log);
    }
    void TearDown() override
    {
        DestroyPages();
        RunPostedLikeLoop();
        delete app;
    }

    std::vector<std::string> log;
    CPagesApp* app = nullptr;
};

} // namespace

TEST_F(CKStartupViewTest, PictureStaysHalfASecondThenTheFirstPageTakesItsWindow)
{
    CKStartupView* startup = CreateStartupView(3000);
    ASSERT_TRUE(startup);
    EXPECT_EQ(GetPageAt(0), startup);
    EXPECT_EQ(startup->GetViewId(), 3000);
    EXPECT_EQ(startup->GetViewFlags() & (KVF_NOTITLE | KVF_FULLSCREEN), KVF_NOTITLE);
    EXPECT_EQ(startup->GetTitleBar(), nullptr);
    ASSERT_EQ(ShowPage(3000), 1);
    HWND window = startup->GetHwnd();
    ASSERT_TRUE(window);

    ASSERT_TRUE(PumpLikeLoopUntil([&] { return startup->HasPainted(); }, 3000));
    const DWORD painted = GetTickCount();
    // The picture (a blue icon in the middle of a dark page) is in the back buffer.
    const COLORREF middle = GetPixel(GetBackBufferDC(), 160, 190);
    EXPECT_GT(GetBValue(middle), 150);
    EXPECT_GT(GetBValue(middle), GetRValue(middle) + 60);
    const COLORREF corner = GetPixel(GetBackBufferDC(), 5, 5);
    EXPECT_LT(GetBValue(corner), 90);
    EXPECT_EQ(GetCurrentView(), startup);

    ASSERT_TRUE(PumpLikeLoopUntil([&] { return app->page != nullptr; }, 3000));
    EXPECT_GE((int)(app->createdAt - painted), 450);
    CTestPage* page = app->page;
    EXPECT_EQ(GetCurrentView(), page);
    EXPECT_EQ(page->GetHwnd(), window) << "the same window, without a slide";
    EXPECT_EQ(GetPageCount(), 1) << "the picture left the registry";
    EXPECT_EQ(GetPageAt(0), page);
    EXPECT_EQ(GetViewStackDepth(), 1);
    EXPECT_EQ(GetViewStackEntry(0), page);
    EXPECT_EQ(log, (std::vector<std::string>{"activate 3000 0"}));
    CKTitleBar* title = page->GetTitleBar();
    ASSERT_TRUE(title && title->GetHwnd());
    EXPECT_EQ(title->GetParent(), page);
    EXPECT_TRUE(page->content.GetHwnd());
    EXPECT_EQ(GetWindowTree()->GetParent(page->content.GetItem()), page->GetItem());
    RECT rect;
    page->GetRectInParent(&rect);
    EXPECT_EQ(rect.top, GetDevMetric(StatusBarHeight));
    EXPECT_EQ(rect.bottom, 480);
    EXPECT_EQ(page->GetTitleHeight(), GetDevMetric(TitleBarHeight));

    // Only once: nothing is replaced any more.
    EXPECT_EQ(ReplaceStartupView(), 0);
}

TEST_F(CKStartupViewTest, FullScreenRowMakesThePictureFullScreen)
{
    CKStartupView* startup = CreateStartupView(3005);
    ASSERT_TRUE(startup);
    EXPECT_EQ(startup->GetViewFlags() & (KVF_NOTITLE | KVF_FULLSCREEN),
              KVF_NOTITLE | KVF_FULLSCREEN);
    ASSERT_EQ(ShowView(startup), 1);
    RECT rect;
    startup->GetRectInParent(&rect);
    EXPECT_EQ(rect.top, 0);
    // No page registered behind it: nothing to replace it with.
    EXPECT_EQ(ReplaceStartupView(), 0);
    EXPECT_EQ(GetCurrentView(), startup);
}

TEST_F(CKStartupViewTest, WithoutALandscapePictureThereIsNoStartupPage)
{
    SetDevMetric(ScreenOrientation, 2);
    CKStartupView* startup = CreateStartupView(3000);
    SetDevMetric(ScreenOrientation, 0);
    EXPECT_EQ(startup, nullptr) << "there is no \"StartupL.png\"";
    EXPECT_EQ(GetPageCount(), 0);
    EXPECT_EQ(GetDevMetric(CxScreen), 320);
    EXPECT_EQ(GetDevMetric(CyScreen), 480);
}
