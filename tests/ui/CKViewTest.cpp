// Views: the title bar they make, the layout of title and content, title commands, the back action,
// the drawer with its drag gesture, and the information gesture of the pointer filter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KTestSupport.h"
#include "KViewTestSupport.h"
#include "foundation/KDevMetrics.h"
#include "ui/CKApplication.h"

namespace {

// Pixels of the drag rules on the 160 dpi test screen: a drag starts after T = 13 across and is
// given up after V = 25 along.
constexpr int DRAG_START = 13;
constexpr int DRAG_VERTICAL = 25;

class CKViewTest : public KViewTest
{
protected:
    // A drawer page (3000), shown.
    CTestPage* ShowDrawerPage()
    {
        CTestPage* page = AddTestPage(3000, KVF_DRAWER, &log);
        EXPECT_EQ(ShowView(page), 1);
        log.clear();
        return page;
    }

    // Waits for the drawer animation to end.
    static bool Settle(CKView* view)
    {
        return PumpLikeLoopUntil([&] { return view->GetAnimation() == nullptr; }, 3000);
    }

    static RECT RectIn(CKWindow* window, CKView* view)
    {
        RECT rect = {0, 0, 0, 0};
        window->GetClientRect(&rect);
        MapWindowPoints(window->GetHwnd(), view->GetHwnd(), (POINT*)&rect, 2);
        return rect;
    }

    std::vector<std::string> log;
};

bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != 0;
}

} // namespace

TEST_F(CKViewTest, ViewMakesItsTitleBarUnlessItHasNone)
{
    // The bar's class and its content from the page table are the title bar's own business.
    CTestPage* unknown = AddTestPage(4242, 0, &log);
    CKTitleBar* title = unknown->GetTitleBar();
    ASSERT_TRUE(title);
    EXPECT_EQ(title->GetRefCount(), 1) << "held by the view alone before it has a window";
    CTestPage* bare = AddTestPage(3000, KVF_NOTITLE, &log);
    EXPECT_EQ(bare->GetTitleBar(), nullptr);
    EXPECT_EQ(bare->SetTitleText(L"x"), 0);

    // A drawer implies the pointer filter.
    CTestPage* drawer = AddTestPage(3007, KVF_DRAWER, &log);
    EXPECT_TRUE(drawer->GetViewFlags() & KVF_MOUSEFILTER);
    EXPECT_EQ(drawer->GetBackColor(), 0xFF41322Eu) << "DefViewBkgnd {46, 50, 65}";
}

TEST_F(CKViewTest, TitleTakesTheTopAndTheContentTheRestShiftedByTheDrawer)
{
    CTestPage* page = ShowDrawerPage();
    const int titleHeight = GetDevMetric(TitleBarHeight);
    EXPECT_EQ(page->GetTitleHeight(), titleHeight);
    RECT client;
    page->GetClientRect(&client);
    EXPECT_TRUE(SameRect(client, RECT{0, 0, 320, 480 - GetDevMetric(StatusBarHeight)}));
    EXPECT_TRUE(SameRect(RectIn(page->GetTitleBar(), page), RECT{0, 0, 320, titleHeight}));
    EXPECT_TRUE(SameRect(RectIn(&page->content, page), RECT{0, titleHeight, 320, client.bottom}));
    CKWindow* panel = page->GetMenuCtrl();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(SameRect(RectIn(panel, page), RECT{0, 0, 213, client.bottom}));
    EXPECT_EQ(GetWindow(panel->GetHwnd(), GW_HWNDNEXT), nullptr) << "the panel lies beneath";

    EXPECT_EQ(page->SetMenuOffset(100), 1);
    EXPECT_TRUE(SameRect(RectIn(page->GetTitleBar(), page), RECT{100, 0, 420, titleHeight}));
    EXPECT_TRUE(SameRect(RectIn(&page->content, page), RECT{100, titleHeight, 420, client.bottom}));
    EXPECT_TRUE((panel->GetFlags() & KWF_SHOWN) && !panel->IsEnabled()) << "half open";

    // Offsets below 0 on a left drawer clamp to 0, which hides and disables the panel.
    EXPECT_EQ(page->SetMenuOffset(-5), 1);
    EXPECT_EQ(page->GetMenuOffset(), 0);
    EXPECT_FALSE(panel->GetFlags() & KWF_SHOWN);
    EXPECT_FALSE(IsWindowVisible(panel->GetHwnd()));
    EXPECT_FALSE(panel->IsEnabled());
    EXPECT_TRUE(SameRect(RectIn(&page->content, page), RECT{0, titleHeight, 320, client.bottom}));

    // Not animated: at once, with the report.
    EXPECT_EQ(page->OpenMenu(false), 1);
    EXPECT_EQ(page->GetMenuOffset(), 213);
    EXPECT_TRUE(page->IsMenuOpen());
    EXPECT_TRUE(panel->IsEnabled());
    EXPECT_EQ(page->CloseMenu(false), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"menu 1", "menu 0"}));

    // Without a drawer nothing moves.
    CTestPage* plain = AddTestPage(3002, 0, &log);
    EXPECT_EQ(plain->SetMenuOffset(50), 0);
    EXPECT_EQ(plain->OpenMenu(true), 0);
}

TEST_F(CKViewTest, DrawerDragOf40PixelsSnapsBackAnd60PixelsOpensIt)
{
    CTestPage* page = ShowDrawerPage();
    ASSERT_EQ(page->GetMenuWidth(), 213);
    KViewPointer pointer(page);

    pointer.Drag(POINT{100, 200}, POINT{140, 200}, 4);
    EXPECT_EQ(page->content.events,
              (std::vector<std::string>{"mouse 33", "mouse 34", "mouse 37"}))
        << "the first 10 pixels are the content's; the drag then cancels its press";
    ASSERT_TRUE(Settle(page));
    EXPECT_FALSE(page->IsMenuOpen()) << "40 <= 213 / 4";
    EXPECT_EQ(page->GetMenuOffset(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"menu 0"}));

    log.clear();
    page->content.events.clear();
    pointer.Press(100, 200);
    pointer.MoveTo(115, 200);
    EXPECT_EQ(page->GetMenuOffset(), 15) << "the content follows the pointer";
    pointer.MoveTo(160, 200);
    EXPECT_EQ(page->GetMenuOffset(), 60);
    pointer.Release(160, 200);
    ASSERT_TRUE(Settle(page));
    EXPECT_TRUE(page->IsMenuOpen()) << "60 > 213 / 4";
    EXPECT_EQ(page->GetMenuOffset(), 213);
    EXPECT_TRUE(page->GetMenuCtrl()->IsEnabled());
    EXPECT_EQ(log, (std::vector<std::string>{"menu 1"}));
    EXPECT_EQ(page->content.events, (std::vector<std::string>{"mouse 33", "mouse 37"}));

    // Open: only the content that slid aside drags it back; 40 pixels snap back open, 60 close.
    log.clear();
    pointer.Drag(POINT{100, 200}, POINT{20, 200}, 4);
    EXPECT_TRUE(page->IsMenuOpen()) << "a press on the panel itself is the panel's";
    EXPECT_EQ(page->GetMenuOffset(), 213);
    pointer.Drag(POINT{280, 200}, POINT{240, 200}, 4);
    ASSERT_TRUE(Settle(page));
    EXPECT_TRUE(page->IsMenuOpen());
    pointer.Drag(POINT{280, 200}, POINT{220, 200}, 4);
    ASSERT_TRUE(Settle(page));
    EXPECT_FALSE(page->IsMenuOpen());
    EXPECT_EQ(page->GetMenuOffset(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"menu 1", "menu 0"}));

    // A closed drawer is not dragged the other way.
    pointer.Drag(POINT{200, 200}, POINT{100, 200}, 4);
    EXPECT_EQ(page->GetMenuOffset(), 0);
}

TEST_F(CKViewTest, MostlyVerticalMoveLeavesThePressToTheContent)
{
    CTestPage* page = ShowDrawerPage();
    KViewPointer pointer(page);
    pointer.Press(100, 200);
    pointer.MoveTo(105, 200 + DRAG_VERTICAL + 5);
    pointer.MoveTo(100 + 4 * DRAG_START, 200 + DRAG_VERTICAL + 5);
    pointer.Release(100 + 4 * DRAG_START, 200 + DRAG_VERTICAL + 5);
    RunPostedLikeLoop();
    EXPECT_EQ(page->GetMenuOffset(), 0);
    EXPECT_FALSE(page->IsMenuOpen());
    EXPECT_FALSE(page->GetViewFlags() & (KVF_DRAWER_TRACKING | KVF_DRAWER_DRAGGING));
    EXPECT_EQ(page->content.events,
              (std::vector<std::string>{"mouse 33", "mouse 34", "mouse 34", "mouse 35"}));
    EXPECT_TRUE(log.empty());
}

TEST_F(CKViewTest, RightDrawerMirrorsTheGesture)
{
    CTestPage* page = AddTestPage(3000, KVF_DRAWER | KVF_DRAWER_RIGHT, &log);
    ASSERT_EQ(ShowView(page), 1);
    RECT panel = RectIn(page->GetMenuCtrl(), page);
    EXPECT_EQ(panel.left, 320 - 213);
    KViewPointer pointer(page);
    pointer.Drag(POINT{200, 200}, POINT{140, 200}, 4);
    ASSERT_TRUE(Settle(page));
    EXPECT_TRUE(page->IsMenuOpen());
    EXPECT_EQ(page->GetMenuOffset(), -213);
    EXPECT_EQ(page->SetMenuOffset(5), 1);
    EXPECT_EQ(page->GetMenuOffset(), 0);
}

TEST_F(CKViewTest, BackKeyClosesAnOpenDrawerFirstThenAsksTheContentThenClosesTheView)
{
    CTestPage* below = AddTestPage(3000, 0, &log);
    CTestPage* page = AddTestPage(3002, KVF_DRAWER, &log);
    ASSERT_EQ(ShowView(below), 1);
    ASSERT_EQ(ShowView(page), 1);
    EXPECT_EQ(GetFocus(), page->GetHwnd()) << "keys go to the current view";
    ASSERT_EQ(page->OpenMenu(false), 1);
    log.clear();

    PressKey(VK_ESCAPE);
    ASSERT_TRUE(Settle(page));
    EXPECT_FALSE(page->IsMenuOpen());
    EXPECT_EQ(GetCurrentView(), page);
    EXPECT_TRUE(page->content.events.empty()) << "the content is not asked while the drawer is open";
    EXPECT_EQ(log, (std::vector<std::string>{"menu 0"}));

    page->content.handlesBack = true;
    PressKey(VK_ESCAPE);
    EXPECT_EQ(page->content.events, (std::vector<std::string>{"back"}));
    EXPECT_EQ(GetCurrentView(), page);

    page->content.handlesBack = false;
    log.clear();
    PressKey(VK_ESCAPE);
    EXPECT_EQ(GetCurrentView(), below);
    EXPECT_EQ(GetViewStackDepth(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"deactivate 3002 0", "activate 3000 1"}));
}

TEST_F(CKViewTest, TitleClickReachesTheContainerAsACommand)
{
    CTestPage* page = AddTestPage(3002, 0, &log);
    ASSERT_EQ(ShowView(page), 1);
    page->OnNotify(KVIEW_TITLE_ID, KNOTIFY_CLICK, 3004);
    EXPECT_EQ(page->content.events, (std::vector<std::string>{"command 3004"}));

    // Other notifications of the title, and clicks of other windows, are not commands.
    page->OnNotify(KVIEW_TITLE_ID, KNOTIFY_FOCUSED, 3004);
    page->OnNotify(5, KNOTIFY_CLICK, 3004);
    EXPECT_EQ(page->content.events.size(), 1u);
}

namespace {

int g_infoShown;   // how often the information gesture completed

void CountInfoGesture()
{
    g_infoShown++;
}

} // namespace

TEST_F(CKViewTest, InformationGestureRunsWhatIsRegisteredForIt)
{
    CTestPage* page = AddTestPage(3000, 0, &log);
    ASSERT_TRUE(page->GetViewFlags() & KVF_MOUSEFILTER) << "the first registered page filters";
    ASSERT_EQ(ShowView(page), 1);
    const int band = CKView::GetEdgeBand();
    EXPECT_EQ(band, 50) << "32 base units at 160 dpi";
    const KInfoGestureProc registered = SetInfoGestureProc(CountInfoGesture);
    g_infoShown = 0;

    // Released at the edge: nothing.
    KViewPointer pointer(page);
    pointer.Press(10, 10);
    pointer.MoveTo(310, 10);
    pointer.MoveTo(10, 10);
    pointer.MoveTo(100, 10);
    pointer.Release(300, 10);
    EXPECT_EQ(g_infoShown, 0);
    // Leaving the band on the way: nothing.
    pointer.Press(10, 10);
    pointer.MoveTo(310, 10);
    pointer.MoveTo(10, 80);
    pointer.MoveTo(100, 10);
    pointer.Release(100, 10);
    EXPECT_EQ(g_infoShown, 0);

    pointer.Press(10, 10);
    pointer.MoveTo(310, 10);
    pointer.MoveTo(10, 10);
    pointer.MoveTo(100, 10);
    pointer.Release(100, 10);
    EXPECT_EQ(g_infoShown, 1);
    EXPECT_EQ(GetCurrentView(), page);

    // Nothing registered: the gesture shows nothing.
    SetInfoGestureProc(nullptr);
    pointer.Press(10, 10);
    pointer.MoveTo(310, 10);
    pointer.MoveTo(10, 10);
    pointer.MoveTo(100, 10);
    pointer.Release(100, 10);
    EXPECT_EQ(GetCurrentView(), page);
    EXPECT_EQ(SetInfoGestureProc(registered), nullptr);
    EXPECT_EQ(g_infoShown, 1);
}
