// CKApplication: the message loop, the page registry, and the frame window: its class, its
// creation sized to the metric screen, and its window procedure with the status bar and its clock.
//
// Index: module state - frame window procedure - application object - page registry - module steps.
#include "ui/CKApplication.h"

#include <commctrl.h>

#include "foundation/CKArrayT.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KPaths.h"
#include "foundation/KResource.h"
#include "graphics/KGraphics.h"
#include "ui/CKView.h"
#include "ui/KStatusBar.h"
#include "ui/KStringIds.h"
#include "ui/KTimer.h"

K_IMPLEMENT_CLASS(CKApplication, CKThread)

// ---- Module state -------------------------------------------------------------------------------

namespace {

constexpr wchar_t FRAME_CLASS[] = L"KAppClassName";
// Room for the frame window's title (string IDS_APP_TITLE).
constexpr int TITLE_CAPACITY = 256;
// The registry grows this many pages at a time.
constexpr int PAGE_REGISTRY_GROWTH = 32;
// Frame window style: a fixed-size window with a caption, a close box and a minimise box.
constexpr DWORD FRAME_STYLE = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// ScreenOrientation bit of the landscape orientations, and the two values the frame sets.
constexpr int ORIENTATION_LANDSCAPE = 0x2;
constexpr int ORIENTATION_PORTRAIT_VALUE = 0;
constexpr int ORIENTATION_LANDSCAPE_VALUE = 2;

CKApplication* g_app;                  // borrowed: the object lives in the process entry
HWND g_frame;                          // owned: destroyed by Quit, Run or KTermAppModule
CKArrayT<CKView*>* g_pages;            // owned; each page in it holds one reference

} // namespace

// ---- Frame window procedure ---------------------------------------------------------------------

namespace {

void PaintFrame(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    CKView* view = GetCurrentView();
    RECT client;
    if (dc && view && !(view->GetViewFlags() & KVF_FULLSCREEN) && GetClientRect(hwnd, &client))
        KPaintStatusBar(dc, client.right - client.left);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK FrameWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT taken = 0;
    if (g_app && hwnd == g_frame && g_app->OnFrameMessage(message, wParam, lParam, &taken))
        return taken;
    switch (message) {
    case KWM_POSTCALL:
        if (lParam)
            RunPostedMessage(wParam, lParam);
        return 0;
    case WM_ERASEBKGND:
        return 0;
    case WM_DESTROY:
        if (hwnd == g_frame)
            g_frame = nullptr;
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        // The client area is the phone's screen: the metrics follow it.
        if (wParam == SIZE_RESTORED && lParam >= 1) {
            SetDevMetric(CxScreen, LOWORD(lParam));
            SetDevMetric(CyScreen, HIWORD(lParam));
        }
        break;
    case WM_SETFOCUS:
        // Keys belong to the current page (and reach its back action through the loop).
        if (CKView* view = GetCurrentView()) {
            if (view->GetHwnd() && IsWindowVisible(view->GetHwnd())
                && IsWindowEnabled(view->GetHwnd()))
                SetFocus(view->GetHwnd());
        }
        return 0;
    case WM_PAINT:
        PaintFrame(hwnd);
        return 0;
    case WM_CREATE:
        KScheduleClock(hwnd);
        break;
    case WM_TIMER:
        if (wParam != KCLOCK_TIMER_ID)
            break;
        KRefreshStatusBar(hwnd);
        KScheduleClock(hwnd);
        return 0;
    case WM_TIMECHANGE:
    case WM_SETTINGCHANGE:
        // The time, the time zone or the time format may be another now.
        KRefreshStatusBar(hwnd);
        KScheduleClock(hwnd);
        break;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        if (g_app)
            g_app->OnSystemChange(KSYSCHANGE_COLORS);
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The frame's borders are only estimated from the system metrics: measure them and size the
// window so that its client area is exactly width x height, at (left, top).
void FitFrame(HWND frame, int left, int top, int width, int height)
{
    RECT outer, client;
    GetWindowRect(frame, &outer);
    GetClientRect(frame, &client);
    const int fittedWidth = width + (outer.right - outer.left) - (client.right - client.left);
    const int fittedHeight = height + (outer.bottom - outer.top) - (client.bottom - client.top);
    SetWindowPos(frame, nullptr, 0, 0, fittedWidth, fittedHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    MoveWindow(frame, left, top, fittedWidth, fittedHeight, TRUE);
}

void ReleasePage(CKView** slot, void*)
{
    (*slot)->Destroy();
    (*slot)->Release();
}

} // namespace

// ---- Application object -------------------------------------------------------------------------

CKApplication::CKApplication(HINSTANCE instance, const wchar_t* commandLine)
    : instance(instance), commandLine(commandLine)
{
    g_app = this;
}

CKApplication::~CKApplication()
{
    if (g_app == this)
        g_app = nullptr;
    instance = nullptr;
    commandLine = nullptr;
}

int CKApplication::Run()
{
    int exitCode = 0;
    if (InitInstance()) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0)
            KRunLoopMessage(msg);
        exitCode = (int)msg.wParam;
        if (g_frame) {
            DestroyWindow(g_frame);
            g_frame = nullptr;
        }
    }
    ExitInstance();
    return exitCode;
}

void KRunLoopMessage(MSG& msg)
{
    if (!msg.hwnd && msg.message >= KWM_APP_FIRST) {
        if (g_app)
            g_app->OnAppMessage(msg.message, msg.wParam, msg.lParam);
        return;
    }
    CKView* view = GetCurrentView();
    HWND viewHwnd = view ? view->GetHwnd() : nullptr;
    if (!viewHwnd) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        return;
    }
    if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP)
        && (msg.hwnd == viewHwnd || IsChild(viewHwnd, msg.hwnd))) {
        view->AddRef();   // the view's key may close it
        const int taken = view->OnViewKey(msg.message == WM_KEYDOWN ? KKEY_DOWN : KKEY_UP,
                                          KMapVirtualKey((UINT)msg.wParam), HIWORD(msg.lParam));
        view->Release();
        if (taken)
            return;
    }
    if (IsDialogMessageW(viewHwnd, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int CKApplication::OnAppMessage(UINT, WPARAM, LPARAM)
{
    return 0;
}

int CKApplication::InitInstance()
{
    int width = GetDevMetric(CxScreen);
    int height = GetDevMetric(CyScreen);
    const bool landscape = (GetDevMetric(ScreenOrientation) & ORIENTATION_LANDSCAPE) != 0;
    if (landscape ? width < height : width > height) {
        const int swap = width;
        width = height;
        height = swap;
    }
    KLoadTitleIcons();

    const int border = 2 * (GetSystemMetrics(SM_CXFIXEDFRAME) + GetSystemMetrics(SM_CXBORDER));
    const int outerWidth = width + border;
    const int outerHeight = height + GetSystemMetrics(SM_CYCAPTION) + border;
    int left = (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2;
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    wchar_t title[TITLE_CAPACITY];
    LoadResString(IDS_APP_TITLE, title, TITLE_CAPACITY);
    g_frame = CreateWindowExW(0, FRAME_CLASS, title, FRAME_STYLE, left, top, outerWidth,
                              outerHeight, nullptr, nullptr, instance, nullptr);
    if (!g_frame)
        return 1;
    // Fitted before it shows, so that it never appears at the estimated size, and again once
    // shown, when a window manager may have given it other borders.
    FitFrame(g_frame, left, top, width, height);
    ShowWindow(g_frame, SW_SHOW);
    UpdateWindow(g_frame);
    FitFrame(g_frame, left, top, width, height);

    OnSystemChange(KSYSCHANGE_FRAME_CREATED);
    return 1;
}

void CKApplication::ExitInstance() {}

void CKApplication::CreatePages() {}

void CKApplication::OnSystemChange(int code)
{
    if (code == KSYSCHANGE_FRAME_CREATED || code == KSYSCHANGE_SCREEN_SIZE) {
        RecreateBackBuffer();
        RECT client;
        if (g_frame && GetClientRect(g_frame, &client))
            SetDevMetric(ScreenOrientation, client.right >= client.bottom
                                                ? ORIENTATION_LANDSCAPE_VALUE
                                                : ORIENTATION_PORTRAIT_VALUE);
    }
    for (int i = 0; i < GetPageCount(); i++)
        GetPageAt(i)->OnSystemChange(code);
}

void CKApplication::Reserved1() {}

void CKApplication::Reserved2() {}

int CKApplication::OnFrameMessage(UINT, WPARAM, LPARAM, LRESULT*)
{
    return 0;
}

CKApplication* GetApp()
{
    return g_app;
}

HWND GetFrameWindow()
{
    return g_frame;
}

int Quit()
{
    if (g_frame) {
        HWND frame = g_frame;
        g_frame = nullptr;
        DestroyWindow(frame);
    }
    PostQuitMessage(0);
    return 1;
}

// ---- Page registry ------------------------------------------------------------------------------

void AddPage(CKView* view)
{
    if (!g_pages || !view)
        return;
    view->AddRef();
    if (g_pages->GetCount() == 0)
        view->SetViewFlags(view->GetViewFlags() | KVF_FIRSTPAGE);
    if (g_pages->Add(view) < 0)
        view->Release();
}

CKView* FindPage(int viewId)
{
    if (!g_pages)
        return nullptr;
    for (int i = 0; i < g_pages->GetCount(); i++)
        if (g_pages->GetAt(i)->GetViewId() == viewId)
            return g_pages->GetAt(i);
    return nullptr;
}

void DestroyPages()
{
    KResetViewStack();
    if (g_pages)
        g_pages->RemoveAll(ReleasePage, nullptr);
}

int GetPageCount()
{
    return g_pages ? g_pages->GetCount() : 0;
}

CKView* GetPageAt(int index)
{
    return index >= 0 && index < GetPageCount() ? g_pages->GetAt(index) : nullptr;
}

int RemovePage(CKView* view)
{
    for (int i = 0; i < GetPageCount(); i++)
        if (g_pages->GetAt(i) == view)
            return g_pages->RemoveAt(i, ReleasePage, nullptr);
    return 0;
}

// ---- Module steps -------------------------------------------------------------------------------

void KInitAppModule(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX icc = {8, 0xFF};
    InitCommonControlsEx(&icc);

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = FrameWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = FRAME_CLASS;
    RegisterClassExW(&wc);

    g_pages = new CKArrayT<CKView*>(PAGE_REGISTRY_GROWTH);
    KResetViewStack();
    KInitPaths(instance);
}

void KTermAppModule()
{
    KReleaseTitleIcons();
    delete g_pages;
    g_pages = nullptr;
    if (g_frame) {
        DestroyWindow(g_frame);
        g_frame = nullptr;
    }
}
