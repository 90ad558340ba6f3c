// CKApplication: the message loop, the page registry and the frame window's class and procedure.
#include "ui/CKApplication.h"

#include <commctrl.h>

#include "foundation/CKArrayT.h"
#include "foundation/KPaths.h"
#include "ui/CKView.h"
#include "ui/KTimer.h"

K_IMPLEMENT_CLASS(CKApplication, CKThread)

namespace {

constexpr wchar_t FRAME_CLASS[] = L"KAppClassName";
// String id of the frame window's title.
constexpr UINT IDS_APP_TITLE = 100;
// The phone screen the frame's client area stands for, until device metrics size it.
constexpr int DEFAULT_SCREEN_CX = 320;
constexpr int DEFAULT_SCREEN_CY = 480;
// The registry grows this many pages at a time.
constexpr int PAGE_REGISTRY_GROWTH = 32;
// Frame window style: a fixed-size window with a caption, a close box and a minimise box.
constexpr DWORD FRAME_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

CKApplication* g_app;                  // borrowed: the object lives in the process entry
HINSTANCE g_instance;
HWND g_frame;                          // owned: destroyed by Quit, Run or KTermAppModule
CKArrayT<CKView*>* g_pages;            // owned; each page in it holds one reference
CKView* g_currentView;                 // borrowed from the registry

LRESULT CALLBACK FrameWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
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
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        if (g_app)
            g_app->OnSystemChange(1);
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void ReleasePage(CKView** slot, void*)
{
    (*slot)->Destroy();
    (*slot)->Release();
}

} // namespace

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
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (!msg.hwnd && msg.message >= KWM_APP_FIRST) {
                OnAppMessage(msg.message, msg.wParam, msg.lParam);
                continue;
            }
            if (g_currentView && g_currentView->GetHwnd()
                && IsDialogMessageW(g_currentView->GetHwnd(), &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        exitCode = (int)msg.wParam;
        if (g_frame) {
            DestroyWindow(g_frame);
            g_frame = nullptr;
        }
    }
    ExitInstance();
    return exitCode;
}

int CKApplication::OnAppMessage(UINT, WPARAM, LPARAM)
{
    return 0;
}

int CKApplication::InitInstance()
{
    wchar_t title[64] = L"";
    LoadStringW(instance, IDS_APP_TITLE, title, 64);
    RECT rect = {0, 0, DEFAULT_SCREEN_CX, DEFAULT_SCREEN_CY};
    AdjustWindowRect(&rect, FRAME_STYLE, FALSE);
    g_frame = CreateWindowExW(0, FRAME_CLASS, title, FRAME_STYLE, CW_USEDEFAULT, CW_USEDEFAULT,
                              rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                              instance, nullptr);
    if (g_frame) {
        ShowWindow(g_frame, SW_SHOWNORMAL);
        UpdateWindow(g_frame);
    }
    return 1;
}

void CKApplication::ExitInstance() {}

void CKApplication::CreatePages() {}

void CKApplication::OnSystemChange(int) {}

void CKApplication::Reserved1() {}

void CKApplication::Reserved2() {}

CKApplication* GetApp()
{
    return g_app;
}

HWND GetFrameWindow()
{
    return g_frame;
}

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
    if (!g_pages)
        return;
    g_pages->RemoveAll(ReleasePage, nullptr);
    g_currentView = nullptr;
}

CKView* GetCurrentView()
{
    return g_currentView;
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

void KInitAppModule(HINSTANCE instance)
{
    g_instance = instance;
    INITCOMMONCONTROLSEX icc = {8, 0xFF};
    InitCommonControlsEx(&icc);

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = FrameWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, (LPCWSTR)IDI_APPLICATION);
    wc.lpszClassName = FRAME_CLASS;
    RegisterClassExW(&wc);

    g_pages = new CKArrayT<CKView*>(PAGE_REGISTRY_GROWTH);
    g_currentView = nullptr;
    KInitPaths(instance);
}

void KTermAppModule()
{
    delete g_pages;
    g_pages = nullptr;
    if (g_frame) {
        DestroyWindow(g_frame);
        g_frame = nullptr;
    }
}
