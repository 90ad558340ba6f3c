// The view stack: showing, hiding and closing pages, overlays for dialogs, and the start-up page
// handing its window to the first real page.
#include "ui/KViewStack.h"

#include "foundation/KDevMetrics.h"
#include "ui/CKApplication.h"
#include "ui/CKStartupView.h"
#include "ui/CKView.h"
#include "ui/KStatusBar.h"

namespace {

CKView* g_stack[KVIEW_STACK_SIZE];   // borrowed; entries 0..g_depth-1, the top last
int g_depth;
CKView* g_current;                   // borrowed: the top of the stack while one is shown

// The index of the view on the stack, or -1.
int FindOnStack(const CKView* view)
{
    for (int i = 0; i < g_depth; i++)
        if (g_stack[i] == view)
            return i;
    return -1;
}

// A view that is not on the stack can only be shown while there is room to push it.
bool HasRoomFor(const CKView* view)
{
    return FindOnStack(view) >= 0 || g_depth < KVIEW_STACK_SIZE;
}

// Creates the view's top-level window (a child of the frame) at `rect`. On failure no window is
// left behind: a half-made one is destroyed.
int CreateViewWindow(CKView* view, int id, unsigned int flags, const RECT& rect)
{
    if (view->Create(0, id, nullptr, flags)) {
        view->Move(rect);
        return 1;
    }
    if (HWND hwnd = view->GetHwnd())
        DestroyWindow(hwnd);
    return 0;
}

// Keys go to the current view: the focus moves into it unless something inside has it already.
void TakeFocus(CKView* view)
{
    HWND hwnd = view->GetHwnd();
    HWND focus = GetFocus();
    if (hwnd && focus != hwnd && !IsChild(hwnd, focus))
        SetFocus(hwnd);
}

} // namespace

int GetViewRect(unsigned int viewFlags, RECT* rect)
{
    SetRectEmpty(rect);
    HWND frame = GetFrameWindow();
    if (!frame || !GetClientRect(frame, rect))
        return 0;
    if (!(viewFlags & KVF_FULLSCREEN))
        rect->top += GetDevMetric(StatusBarHeight);
    return 1;
}

int ShowPage(int viewId)
{
    CKView* view = FindPage(viewId);
    if (!view)
        return 0;
    if (view == GetCurrentView())
        return 1;
    return ShowView(view);
}

int ShowView(CKView* view)
{
    if (!view || !HasRoomFor(view))
        return 0;
    if (!view->GetHwnd()) {
        RECT rect;
        GetViewRect(view->GetViewFlags(), &rect);
        if (!CreateViewWindow(view, view->GetViewId(), KVIEW_PAGE_FLAGS, rect))
            return 0;
    }
    int returning = 0;
    const int index = FindOnStack(view);
    if (index >= 0) {
        for (int i = g_depth - 1; i > index; i--) {
            g_stack[i]->OnDeactivate(0);
            g_stack[i]->Show(false);
        }
        g_depth = index + 1;
        g_current = nullptr;
        returning = 1;
    }
    if (g_current) {
        g_current->OnDeactivate(1);
        g_current->Show(false);
    }
    if (g_depth == 0 || g_stack[g_depth - 1] != view)
        g_stack[g_depth++] = view;
    g_current = view;
    view->OnActivate(returning);
    view->Show(true);
    TakeFocus(view);
    // The frame paints the status bar for the current view only (unless it is full screen): each
    // new current view has it painted again.
    KRefreshStatusBar(GetFrameWindow());
    return 1;
}

int HideView(CKView* view)
{
    if (!view || view != GetCurrentView())
        return 0;
    view->OnDeactivate(0);
    view->Show(false);
    g_depth--;
    g_current = nullptr;
    return 1;
}

int CloseView(CKView* view)
{
    if (!HideView(view))
        return 0;
    if (g_depth == 0)
        Quit();
    else
        ShowView(g_stack[g_depth - 1]);
    return 1;
}

int ShowOverlay(CKView* view)
{
    if (!view || !HasRoomFor(view))
        return 0;
    CKView* current = GetCurrentView();
    if (!view->GetHwnd()) {
        RECT rect;
        if (!current || !current->GetRectInParent(&rect))
            GetViewRect(view->GetViewFlags(), &rect);
        if (!CreateViewWindow(view, 0, KVIEW_OVERLAY_FLAGS, rect))
            return 0;
    }
    if (current)
        current->Enable(false);
    return ShowView(view);
}

int EndOverlay(CKView* view)
{
    if (!view || !view->GetHwnd() || !HideView(view))
        return 0;
    if (g_depth >= 1) {
        CKView* top = g_stack[g_depth - 1];
        top->Enable(true);
        ShowView(top);
    }
    return 1;
}

int RemoveFromViewStack(CKView* view)
{
    const int index = FindOnStack(view);
    if (index < 0 || view == GetCurrentView())
        return 0;
    for (int i = index; i < g_depth - 1; i++)
        g_stack[i] = g_stack[i + 1];
    g_stack[--g_depth] = nullptr;
    return 1;
}

CKView* GetCurrentView()
{
    return g_depth >= 1 ? g_current : nullptr;
}

int GetViewStackDepth()
{
    return g_depth;
}

CKView* GetViewStackEntry(int index)
{
    return index >= 0 && index < g_depth ? g_stack[index] : nullptr;
}

int ReplaceStartupView()
{
    CKView* startup = GetPageAt(0);
    CKView* page = GetPageAt(1);
    if (!startup || !startup->IsKindOf(K_RUNTIME_CLASS(CKStartupView)) || !page
        || !startup->GetHwnd() || page->GetHwnd() || g_depth != 1 || g_stack[0] != startup)
        return 0;
    page->TakeOverWindow(startup);
    // The window tree's reference went with the window: the page takes its own in OnCreate.
    startup->Release();
    RemovePage(startup);
    g_stack[0] = page;
    g_current = page;
    page->OnCreate();
    RECT rect;
    if (GetViewRect(page->GetViewFlags(), &rect))
        page->Move(rect);
    page->OnActivate(0);
    page->OnSize();
    RedrawWindow(page->GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    return 1;
}

void KResetViewStack()
{
    for (CKView*& entry : g_stack)
        entry = nullptr;
    g_depth = 0;
    g_current = nullptr;
}
