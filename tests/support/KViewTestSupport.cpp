// The loop's message rules, keys and aimed pointer input for the view and dialog tests.
#include "KViewTestSupport.h"

#include "KTestSupport.h"
#include "ui/CKApplication.h"
#include "ui/KTimer.h"

bool PumpLikeLoopUntil(const std::function<bool()>& done, int timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if ((int)(GetTickCount() - start) >= timeoutMs)
            return done();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            KRunLoopMessage(msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void RunPostedLikeLoop()
{
    bool delivered = false;
    PostCall((INT_PTR)&delivered, 0, 0, [](INT_PTR flag, INT_PTR, INT_PTR) { *(bool*)flag = true; },
             0);
    PumpLikeLoopUntil([&] { return delivered; }, 5000);
}

void PressKey(UINT virtualKey)
{
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(focus, WM_KEYUP, virtualKey, 0xC0000001);
    RunPostedLikeLoop();
}

void TypeText(const wchar_t* text)
{
    HWND focus = GetFocus();
    for (const wchar_t* c = text; *c; c++)
        PostMessageW(focus, WM_CHAR, *c, 1);
    RunPostedLikeLoop();
}

void KViewPointer::Press(int x, int y)
{
    HWND hwnd = view->GetHwnd();
    POINT point = {x, y};
    for (;;) {
        HWND child = ChildWindowFromPointEx(hwnd, point, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
        if (!child || child == hwnd)
            break;
        MapWindowPoints(hwnd, child, &point, 1);
        hwnd = child;
    }
    target = hwnd;
    Send(WM_LBUTTONDOWN, x, y);
}

void KViewPointer::MoveTo(int x, int y)
{
    Send(WM_MOUSEMOVE, x, y);
}

void KViewPointer::Release(int x, int y)
{
    Send(WM_LBUTTONUP, x, y);
    target = nullptr;
}

void KViewPointer::Drag(POINT from, POINT to, int steps)
{
    Press(from.x, from.y);
    for (int i = 1; i <= steps; i++)
        MoveTo(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
    Release(to.x, to.y);
}

void KViewPointer::Tap(int x, int y)
{
    Press(x, y);
    Release(x, y);
}

void KViewPointer::Send(UINT message, int x, int y)
{
    if (!target || !IsWindow(target))
        return;
    POINT point = {x, y};
    MapWindowPoints(view->GetHwnd(), target, &point, 1);
    const WPARAM buttons = message == WM_LBUTTONUP ? 0 : MK_LBUTTON;
    PostMessageW(target, message, buttons, MAKELPARAM((WORD)(short)point.x, (WORD)(short)point.y));
    RunPostedLikeLoop();
}

int CTestContainer::OnMouse(int code, int x, int y, int extra)
{
    events.push_back("mouse " + std::to_string(code));
    return CKContainer::OnMouse(code, x, y, extra);
}

int CTestContainer::OnCommand(int command)
{
    events.push_back("command " + std::to_string(command));
    return 1;
}

int CTestContainer::OnBack()
{
    events.push_back("back");
    return handlesBack ? 1 : 0;
}

void CTestPage::CreateViewMenu()
{
    CKWindow* panel = new CKWindow();
    if (!panel)
        return;
    panel->EnableRefCount();
    if (panel->Create(0, 3000, this, KWF_OPAQUE | KWF_CONTROLPARENT))
        SetMenuCtrl(panel);
}

void CTestPage::OnActivate(int param)
{
    if (log)
        log->push_back("activate " + std::to_string(viewId) + " " + std::to_string(param));
    CKView::OnActivate(param);
}

void CTestPage::OnDeactivate(int param)
{
    if (log)
        log->push_back("deactivate " + std::to_string(viewId) + " " + std::to_string(param));
    CKView::OnDeactivate(param);
}

void CTestPage::OnViewMenuShow(int shown)
{
    if (log)
        log->push_back("menu " + std::to_string(shown));
}

CTestPage* AddTestPage(int id, unsigned int flags, std::vector<std::string>* log)
{
    CTestPage* page = new CTestPage(log);
    page->EnableRefCount();
    page->Initialize(flags);
    page->InitView(flags, id);
    AddPage(page);
    return page;
}

int TestPageLookup(int viewId, KPageEntry* entry)
{
    static const struct
    {
        int id;
        KPageEntry entry;
    } rows[] = {
        {3000, {0, 3001, 0, 0, 0}},
        {3002, {0, 3003, 1, 3004, 0}},
        {3005, {KVF_FULLSCREEN, 0, 0, 0, 0}},
    };
    for (const auto& row : rows) {
        if (row.id == viewId) {
            *entry = row.entry;
            return 1;
        }
    }
    return 0;
}

void KViewTest::SetUp()
{
    EnsureTestFrame();
    SetPageLookup(TestPageLookup);
}

void KViewTest::TearDown()
{
    DestroyPages();
    RunPostedLikeLoop();
}
