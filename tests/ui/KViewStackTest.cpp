// The view stack and the frame window: where pages go, unwinding, the full stack, closing the last
// view, screen changes, and the status bar's painting, icons and clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KTestSupport.h"
#include "KViewTestSupport.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KPaths.h"
#include "graphics/CKImgList.h"
#include "graphics/KGraphics.h"
#include "ui/CKApplication.h"
#include "ui/KStatusBar.h"
#include "ui/KTimer.h"

namespace {

class KViewStackTest : public KViewTest {};

// The window's rectangle in the frame's client coordinates is (left, top, right, bottom).
bool FrameRectIs(CKWindow* window, int left, int top, int right, int bottom)
{
    RECT rect = {0, 0, 0, 0};
    window->GetRectInParent(&rect);
    return rect.left == left && rect.top == top && rect.right == right && rect.bottom == bottom;
}

// A 32-bit top-down DIB section of width x height selected into a new memory DC.
struct KDibCanvas
{
    KDibCanvas(int width, int height) : width(width)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, (void**)&bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
    }
    ~KDibCanvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    // 0x00RRGGBB
    unsigned int Pixel(int x, int y) const { return bits[y * width + x] & 0xFFFFFF; }

    int width;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    unsigned int* bits = nullptr;
};

unsigned int Grey(unsigned int rgb)
{
    return rgb & 0xFF;
}

// Writes a 2 x 4 pixel 32-bit picture (a BMP, which the image decoder recognises by its content)
// under `path`.
bool WriteTinyPicture(const wchar_t* path)
{
    const int width = 2, height = 4;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const DWORD pixels[width * height] = {0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000,
                                          0xFF00FF00, 0xFF00FF00, 0xFF00FF00, 0xFF00FF00};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + sizeof(pixels);
    HANDLE out = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(out, &file, sizeof(file), &written, nullptr);
    WriteFile(out, &info, sizeof(info), &written, nullptr);
    WriteFile(out, pixels, sizeof(pixels), &written, nullptr);
    CloseHandle(out);
    return true;
}

} // namespace

TEST_F(KViewStackTest, FrameClientIsTheScreenAndPagesLieBelowTheStatusBar)
{
    RECT client;
    ASSERT_TRUE(GetClientRect(GetFrameWindow(), &client));
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 480);
    EXPECT_EQ(GetWindowLongW(GetFrameWindow(), GWL_STYLE) & 0x00CA0000, 0x00CA0000);
    const int bar = GetDevMetric(StatusBarHeight);
    EXPECT_EQ(bar, 24);

    CTestPage* page = AddTestPage(3000, 0, &log);
    CTestPage* full = AddTestPage(3005, KVF_FULLSCREEN, &log);
    ASSERT_EQ(ShowView(page), 1);
    EXPECT_TRUE(FrameRectIs(page, 0, bar, 320, 480));
    EXPECT_TRUE(page->GetFlags() & KWF_OPAQUE);
    ASSERT_EQ(ShowView(full), 1);
    EXPECT_TRUE(FrameRectIs(full, 0, 0, 320, 480));
    EXPECT_FALSE(IsWindowVisible(page->GetHwnd()));
    EXPECT_TRUE(IsWindowVisible(full->GetHwnd()));
}

TEST_F(KViewStackTest, ShowingAViewLowerOnTheStackUnwindsAndActivatesItAsAReturn)
{
    CTestPage* a = AddTestPage(3000, 0, &log);
    CTestPage* b = AddTestPage(3002, 0, &log);
    CTestPage* c = AddTestPage(3005, 0, &log);
    ASSERT_EQ(ShowView(a), 1);
    ASSERT_EQ(ShowView(b), 1);
    ASSERT_EQ(ShowView(c), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"activate 3000 0", "deactivate 3000 1",
                                             "activate 3002 0", "deactivate 3002 1",
                                             "activate 3005 0"}));
    EXPECT_EQ(GetViewStackDepth(), 3);
    EXPECT_EQ(GetCurrentView(), c);

    log.clear();
    ASSERT_EQ(ShowView(a), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"deactivate 3005 0", "deactivate 3002 0",
                                             "activate 3000 1"}));
    EXPECT_EQ(GetViewStackDepth(), 1);
    EXPECT_EQ(GetViewStackEntry(0), a);
    EXPECT_EQ(GetViewStackEntry(1), nullptr);
    EXPECT_FALSE(IsWindowVisible(b->GetHwnd()));
    EXPECT_FALSE(IsWindowVisible(c->GetHwnd()));
    EXPECT_TRUE(IsWindowVisible(a->GetHwnd()));
    EXPECT_TRUE(a->IsShown());
    EXPECT_FALSE(b->IsShown());

    // Only the current view can be hidden or closed.
    EXPECT_EQ(HideView(b), 0);
    EXPECT_EQ(CloseView(b), 0);
    EXPECT_EQ(EndOverlay(b), 0);
    ASSERT_EQ(ShowView(b), 1);
    log.clear();
    EXPECT_EQ(CloseView(b), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"deactivate 3002 0", "activate 3000 1"}));
    EXPECT_EQ(GetCurrentView(), a);
    EXPECT_EQ(HideView(a), 1);
    EXPECT_EQ(GetCurrentView(), nullptr);
    EXPECT_EQ(GetViewStackDepth(), 0);
}

TEST_F(KViewStackTest, ShowPageOfTheCurrentPageDoesNothingAndOfAnUnknownIdFails)
{
    CTestPage* a = AddTestPage(3000, 0, &log);
    AddTestPage(3002, 0, &log);
    EXPECT_EQ(ShowPage(3000), 1);
    EXPECT_EQ(GetCurrentView(), a);
    log.clear();
    EXPECT_EQ(ShowPage(3000), 1);
    EXPECT_TRUE(log.empty()) << "no deactivation, no activation";
    EXPECT_EQ(ShowPage(9999), 0);
    EXPECT_EQ(GetCurrentView(), a);
    EXPECT_EQ(ShowPage(3002), 1);
    EXPECT_EQ(GetCurrentView()->GetViewId(), 3002);
    EXPECT_EQ(GetViewStackDepth(), 2);
}

TEST_F(KViewStackTest, SeventeenthViewIsRefusedAndTheStackStaysSound)
{
    std::vector<CTestPage*> pages;
    for (int i = 0; i < 17; i++)
        pages.push_back(AddTestPage(4000 + i, 0, nullptr));
    for (int i = 0; i < KVIEW_STACK_SIZE; i++)
        ASSERT_EQ(ShowView(pages[i]), 1) << i;
    EXPECT_EQ(GetViewStackDepth(), 16);

    EXPECT_EQ(ShowView(pages[16]), 0);
    EXPECT_EQ(pages[16]->GetHwnd(), nullptr) << "not even created";
    EXPECT_EQ(GetCurrentView(), pages[15]);
    EXPECT_EQ(GetViewStackDepth(), 16);
    EXPECT_TRUE(IsWindowVisible(pages[15]->GetHwnd()));
    EXPECT_EQ(ShowOverlay(pages[16]), 0);
    EXPECT_TRUE(pages[15]->IsEnabled());

    // Views on the full stack can still be shown; closing goes back one entry at a time.
    ASSERT_EQ(ShowView(pages[15]), 1);
    EXPECT_EQ(CloseView(pages[15]), 1);
    EXPECT_EQ(GetCurrentView(), pages[14]);
    EXPECT_EQ(GetViewStackDepth(), 15);
    ASSERT_EQ(ShowView(pages[16]), 1);
    EXPECT_EQ(GetViewStackDepth(), 16);
    EXPECT_EQ(CloseView(pages[16]), 1);
    EXPECT_EQ(GetCurrentView(), pages[14]);
    ASSERT_EQ(ShowView(pages[3]), 1);
    EXPECT_EQ(GetViewStackDepth(), 4);
}

namespace {

// Shows one page and closes it from a deferred call inside the loop.
class CClosingApp : public CKApplication
{
public:
    CClosingApp() : CKApplication(GetModuleHandleW(nullptr), L"") {}

    int InitInstance() override
    {
        CKApplication::InitInstance();
        page = AddTestPage(3000, 0, nullptr);
        ShowView(page);
        PostCall((INT_PTR)this, 0, 0, [](INT_PTR app, INT_PTR, INT_PTR) {
            CClosingApp* self = (CClosingApp*)app;
            self->closed = CloseView(self->page);
        }, 50);
        return 1;
    }
    void ExitInstance() override
    {
        stackAtExit = GetViewStackDepth();
        DestroyPages();
    }

    CTestPage* page = nullptr;
    int closed = -1;
    int stackAtExit = -1;
};

} // namespace

TEST_F(KViewStackTest, ClosingTheLastViewEndsTheProgramWithExitCodeZero)
{
    DestroyWindow(GetFrameWindow());
    PumpMessagesFor(50);   // the old frame's quit message goes
    CClosingApp* app = new CClosingApp();
    EXPECT_EQ(app->Run(), 0);
    EXPECT_EQ(app->closed, 1);
    EXPECT_EQ(app->stackAtExit, 0);
    EXPECT_EQ(GetFrameWindow(), nullptr);
    delete app;
    EnsureTestFrame();
}

TEST_F(KViewStackTest, ScreenChangeFitsBackBufferOrientationAndPages)
{
    CTestPage* page = AddTestPage(3000, 0, &log);
    ASSERT_EQ(ShowView(page), 1);
    HWND frame = GetFrameWindow();
    RECT outer, client;
    GetWindowRect(frame, &outer);
    GetClientRect(frame, &client);
    const int extraX = (outer.right - outer.left) - client.right;
    const int extraY = (outer.bottom - outer.top) - client.bottom;

    SetWindowPos(frame, nullptr, 0, 0, 480 + extraX, 320 + extraY, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(GetDevMetric(CxScreen), 480);
    EXPECT_EQ(GetDevMetric(CyScreen), 320);
    GetApp()->OnSystemChange(KSYSCHANGE_SCREEN_SIZE);
    EXPECT_EQ(GetDevMetric(ScreenOrientation), 2);
    BITMAP buffer = {};
    GetObjectW(GetCurrentObject(GetBackBufferDC(), OBJ_BITMAP), sizeof(buffer), &buffer);
    EXPECT_EQ(buffer.bmWidth, 480);
    EXPECT_EQ(buffer.bmHeight, 320);
    EXPECT_TRUE(FrameRectIs(page, 0, 24, 480, 320));
    RECT content;
    page->content.GetClientRect(&content);
    EXPECT_EQ(content.right, 480);

    SetWindowPos(frame, nullptr, 0, 0, 320 + extraX, 480 + extraY, SWP_NOMOVE | SWP_NOZORDER);
    GetApp()->OnSystemChange(KSYSCHANGE_SCREEN_SIZE);
    EXPECT_EQ(GetDevMetric(ScreenOrientation), 0);
    EXPECT_EQ(GetDevMetric(CxScreen), 320);
    EXPECT_TRUE(FrameRectIs(page, 0, 24, 320, 480));

    // Code 1 only reaches the pages.
    GetApp()->OnSystemChange(KSYSCHANGE_COLORS);
    EXPECT_EQ(GetDevMetric(ScreenOrientation), 0);
}

TEST(KStatusBar, StripIsTwoDarkGradientsWithIconsAndAWhiteClock)
{
    KLoadTitleIcons();
    CKImgList* icons = GetTitleIcons();
    ASSERT_TRUE(icons);
    int cellWidth = 0, cellHeight = 0;
    icons->GetCellSize(&cellWidth, &cellHeight);
    EXPECT_EQ(cellWidth, 24);
    EXPECT_EQ(cellHeight, 16);

    KDibCanvas dib(320, 24);
    KPaintStatusBar(dib.dc, 320);
    GdiFlush();
    EXPECT_EQ(dib.Pixel(60, 0), 0x4A4A4Au);
    EXPECT_EQ(dib.Pixel(60, 12), 0x242424u);
    for (int y = 1; y < 12; y++)
        EXPECT_LE(Grey(dib.Pixel(60, y)), Grey(dib.Pixel(60, y - 1))) << y;
    for (int y = 13; y < 24; y++)
        EXPECT_LE(Grey(dib.Pixel(60, y)), Grey(dib.Pixel(60, y - 1))) << y;
    EXPECT_GE(Grey(dib.Pixel(60, 11)), 0x2Fu);
    EXPECT_LE(Grey(dib.Pixel(60, 23)), 0x03u);
    EXPECT_EQ(dib.Pixel(60, 5) >> 16, dib.Pixel(60, 5) & 0xFF) << "grey";

    // The signal bars at the left, the battery at the right: pixels that are not the gradient.
    auto differsFromStrip = [&](int left) {
        for (int y = 4; y < 20; y++)
            for (int x = left; x < left + cellWidth; x++)
                if (dib.Pixel(x, y) != dib.Pixel(60, y))
                    return true;
        return false;
    };
    EXPECT_TRUE(differsFromStrip(4));
    EXPECT_TRUE(differsFromStrip(320 - 4 - cellWidth));
    int white = 0;
    for (int y = 0; y < 24; y++)
        for (int x = 120; x < 200; x++)
            if ((dib.Pixel(x, y) & 0xFF) > 200 && ((dib.Pixel(x, y) >> 16) & 0xFF) > 200)
                white++;
    EXPECT_GT(white, 10) << "the clock";
}

TEST(KStatusBar, IconsBesideTheExecutableComeFirst)
{
    wchar_t path[KMAX_PATH];
    MakeModulePath(path, L"TitleIcon.png");
    ASSERT_TRUE(WriteTinyPicture(path));
    KReleaseTitleIcons();
    KLoadTitleIcons();
    int cellWidth = 0, cellHeight = 0;
    ASSERT_TRUE(GetTitleIcons());
    GetTitleIcons()->GetCellSize(&cellWidth, &cellHeight);
    EXPECT_EQ(cellWidth, 2);
    EXPECT_EQ(cellHeight, 2);
    KLoadTitleIcons();
    GetTitleIcons()->GetCellSize(&cellWidth, &cellHeight);
    EXPECT_EQ(cellWidth, 2) << "loaded once";

    DeleteFileW(path);
    KReleaseTitleIcons();
    KLoadTitleIcons();
    ASSERT_TRUE(GetTitleIcons());
    GetTitleIcons()->GetCellSize(&cellWidth, &cellHeight);
    EXPECT_EQ(cellWidth, 24) << "the compiled-in copy";
}

TEST(KStatusBar, TheClockTimerIsDueAtTheNextMinuteBoundary)
{
    struct KCase
    {
        WORD second;
        WORD ms;
        int due;
    };
    const KCase cases[] = {{0, 0, 60000}, {5, 0, 55000}, {30, 250, 29750}, {59, 999, 1}};
    for (const KCase& c : cases) {
        SYSTEMTIME now = {};
        now.wHour = 23;
        now.wMinute = 59;
        now.wSecond = c.second;
        now.wMilliseconds = c.ms;
        EXPECT_EQ(KMsToNextMinute(now), c.due) << c.second << "." << c.ms;
    }
}

TEST(KStatusBar, TheFrameRepaintsItsClockWhenItsTimerFiresAndWhenTheTimeChanges)
{
    HWND frame = EnsureTestFrame();
    ASSERT_TRUE(frame);
    EXPECT_TRUE(KillTimer(frame, KCLOCK_TIMER_ID)) << "the clock timer runs from the start";
    const UINT messages[] = {WM_TIMER, WM_TIMECHANGE, WM_SETTINGCHANGE};
    for (UINT message : messages) {
        ValidateRect(frame, nullptr);
        SendMessageW(frame, message, message == WM_TIMER ? KCLOCK_TIMER_ID : 0, 0);
        RECT dirty = {0, 0, 0, 0};
        EXPECT_TRUE(GetUpdateRect(frame, &dirty, FALSE)) << message;
        EXPECT_EQ(dirty.top, 0) << message;
        EXPECT_EQ(dirty.bottom, GetDevMetric(StatusBarHeight)) << message;
        EXPECT_EQ(dirty.right, 320) << message;
        EXPECT_TRUE(KillTimer(frame, KCLOCK_TIMER_ID)) << message << ": set for the next minute";
    }
    KScheduleClock(frame);
}
