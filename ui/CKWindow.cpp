// CKWindow: the window object and its place in the window tree, creation and destruction, the
// queries and commands, the base virtual operations, and the windows module's steps.
//
// Index: tree and module state - creation and destruction - base operations - queries and
// commands - scrolling - background and animation - module steps.
#include "ui/CKWindow.h"

#include "foundation/KMemory.h"
#include "graphics/CKFaceDrawable.h"
#include "ui/CKAniScroll.h"
#include "ui/CKAnimate.h"
#include "ui/CKApplication.h"
#include "ui/CKMenu.h"
#include "ui/CKView.h"
#include "ui/KViewStack.h"

K_IMPLEMENT_DYNCREATE(CKWindow, CKObject)

// ---- Tree and module state ----------------------------------------------------------------------

namespace {

constexpr wchar_t WINDOW_CLASS[] = L"KWndClass";
// Nodes of the window tree are carved this many at a time.
constexpr int TREE_NODES_PER_BLOCK = 32;

CKTreeT<KWndItem>* g_tree;    // owned; created on first use, deleted at shut-down
HINSTANCE g_instance;         // the module the windows are created for

} // namespace

CKTreeT<KWndItem>* GetWindowTree()
{
    if (!g_tree)
        g_tree = new CKTreeT<KWndItem>(TREE_NODES_PER_BLOCK);
    return g_tree;
}

int CKWindow::Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

int CKWindow::DetachItem(KWndItem* node, void*)
{
    if (node->hwnd && IsWindow(node->hwnd)
        && GetWindowLongPtrW(node->hwnd, GWLP_USERDATA) == (LONG_PTR)node) {
        SetWindowLongPtrW(node->hwnd, GWLP_USERDATA, 0);
        if (node->prevProc != DefWindowProcW)
            SetWindowLongPtrW(node->hwnd, GWLP_WNDPROC, (LONG_PTR)node->prevProc);
    }
    if (node->window && node->window->item == node)
        node->window->item = nullptr;
    return 1;
}

// ---- Creation and destruction -------------------------------------------------------------------

CKWindow::~CKWindow()
{
    if (item && item->hwnd)
        DestroyWindow(item->hwnd);
    if (animation) {
        CKAnimate* anim = animation;
        animation = nullptr;
        anim->SetWindow(nullptr);
        anim->Stop();
        anim->Release();
    }
    if (background) {
        background->Release();
        background = nullptr;
    }
}

int CKWindow::AllocItem(CKWindow* parent)
{
    CKTreeT<KWndItem>* tree = GetWindowTree();
    if (item || !tree)
        return 0;
    KWndItem* node = tree->AddChild(parent ? parent->item : nullptr);
    if (!node)
        return 0;
    node->prevProc = DefWindowProcW;
    node->window = this;
    item = node;
    return 1;
}

void CKWindow::FreeItem()
{
    if (!item)
        return;
    KWndItem* node = item;
    item = nullptr;
    g_tree->Remove(node, DetachItem, nullptr);
}

int CKWindow::Create(unsigned int newStyle, int newId, CKWindow* parent, unsigned int newFlags)
{
    if (!item) {
        if (!AllocItem(parent))
            return 0;
        flags |= newFlags | KWF_SHOWN;
        style |= newStyle;
        id = newId;
        DWORD exStyle = 0;
        if (!(flags & KWF_OPAQUE))
            exStyle = WS_EX_TRANSPARENT;
        else if (flags & KWF_CONTROLPARENT)
            exStyle = WS_EX_CONTROLPARENT;
        const DWORD windowStyle = WS_CHILD | WS_VISIBLE | ((flags & KWF_TABSTOP) ? WS_TABSTOP : 0);
        HWND parentHwnd = parent ? parent->GetHwnd() : GetFrameWindow();
        HWND hwnd = CreateWindowExW(exStyle, WINDOW_CLASS, nullptr, windowStyle, 0, 0, 0, 0,
                                    parentHwnd, (HMENU)(INT_PTR)id, g_instance, item);
        if (!hwnd) {
            FreeItem();
            return 0;
        }
        item->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, (LONG_PTR)item);
    }
    return OnCreate();
}

void CKWindow::Destroy()
{
    if (item && item->hwnd)
        DestroyWindow(item->hwnd);
}

int CKWindow::OnCreate()
{
    if (!item)
        return 0;
    if (!(flags & KWF_INITIALIZED))
        Initialize(0);
    AddRef();
    return 1;
}

void CKWindow::OnDestroy()
{
    if (!item)
        return;
    KWndItem* node = item;
    SetWindowLongPtrW(node->hwnd, GWLP_USERDATA, 0);

    // The children destroy their HWNDs and leave the tree on their own; each is held while its
    // Destroy runs, since that may drop the last reference on it.
    int count = 0;
    for (KWndItem* child = g_tree->GetFirstChild(node); child; child = g_tree->GetNext(child))
        count++;
    if (count) {
        CKWindow** children = (CKWindow**)KAlloc(sizeof(CKWindow*) * (size_t)count);
        if (children) {
            int n = 0;
            for (KWndItem* child = g_tree->GetFirstChild(node); child;
                 child = g_tree->GetNext(child)) {
                children[n] = child->window;
                children[n++]->AddRef();
            }
            for (int i = 0; i < n; i++) {
                if (children[i]->item)
                    children[i]->Destroy();
                children[i]->Release();
            }
            KFree(children);
        }
    }
    item = nullptr;
    g_tree->Remove(node, DetachItem, nullptr);
    Release();
}

// ---- Base operations ----------------------------------------------------------------------------

int CKWindow::NotifyParent(int code, INT_PTR param, int notifyId)
{
    CKWindow* parent = GetParent();
    if (!parent)
        return 0;
    parent->OnNotify(notifyId ? notifyId : id, code, param);
    return 1;
}

void CKWindow::Initialize(unsigned int newStyle)
{
    style |= newStyle;
    flags |= KWF_INITIALIZED;
}

void CKWindow::OnActivate(int param)
{
    flags |= KWF_ACTIVE;
    for (CKWindow* child = GetFirstChild(); child; child = child->GetNextSibling())
        child->OnActivate(param);
}

void CKWindow::OnDeactivate(int param)
{
    flags &= ~KWF_ACTIVE;
    for (CKWindow* child = GetFirstChild(); child; child = child->GetNextSibling())
        child->OnDeactivate(param);
}

void CKWindow::OnSystemChange(int code)
{
    for (CKWindow* child = GetFirstChild(); child; child = child->GetNextSibling())
        child->OnSystemChange(code);
}

int CKWindow::CalcSize(SIZE&)
{
    return 0;
}

void CKWindow::OnSize() {}

void CKWindow::OnMove() {}

void CKWindow::OnStateChanged(unsigned int changed)
{
    if (changed & KWF_DISABLED)
        NotifyParent((flags & KWF_DISABLED) ? KNOTIFY_DISABLED : KNOTIFY_ENABLED, 0, 0);
    if (changed & KWF_FOCUSED) {
        NotifyParent((flags & KWF_FOCUSED) ? KNOTIFY_FOCUSED : KNOTIFY_UNFOCUSED, 0, 0);
        if (flags & KWF_FRAMED)
            PaintFrame();
    }
}

void CKWindow::OnStyleChanged(unsigned int) {}

int CKWindow::OnNotify(int, int, INT_PTR)
{
    return 0;
}

int CKWindow::OnCommand(int)
{
    return 0;
}

void CKWindow::OnInitMenu(CKMenu* menu)
{
    if (!menu)
        return;
    for (int i = 0; i < menu->GetCount(); i++) {
        const KMenuItem* menuItem = menu->GetItem(i);
        if (!(menuItem->flags & (KMENU_SUBMENU | KMENU_HEADER)))
            OnUpdateMenuItem(menu, (int)menuItem->command);
    }
}

void CKWindow::OnUpdateMenuItem(CKMenu*, int) {}

int CKWindow::OnKey(int, int, int)
{
    return 0;
}

unsigned int CKWindow::GetDialogCode(int)
{
    return 0;
}

int CKWindow::OnMouse(int code, int, int, int)
{
    if (code == KMOUSE_PRESS && IsEnabled() && (flags & KWF_TABSTOP) && !(flags & KWF_FOCUSED))
        SetFocus();
    return 0;
}

void CKWindow::OnScroll(int, int, int)
{
    if (!item)
        return;
    const int dx = (flags & KWF_HSCROLL) ? item->xPos - item->xApplied : 0;
    const int dy = (flags & KWF_VSCROLL) ? item->yPos - item->yApplied : 0;
    if (dx || dy) {
        // Each move of a platform window is a round trip to the window server: with hundreds of
        // children a drag-scroll frame would take tens of milliseconds. Only the children seen
        // before or after the step are moved; the others fall behind until they come into view.
        // Moves go without a redraw of their own: one invalidation of this window covers the
        // areas they leave and, since windows do not clip their children, the children that are
        // now in view. A repainting move per child would invalidate this window once per child.
        RECT band;
        ::GetClientRect(item->hwnd, &band);
        for (CKWindow* child = GetFirstChild(); child; child = child->GetNextSibling()) {
            KWndItem* node = child->item;
            RECT placed;
            if (!node || !GetWindowRect(node->hwnd, &placed))
                continue;
            MapWindowPoints(nullptr, item->hwnd, (POINT*)&placed, 2);
            RECT target = placed;
            OffsetRect(&target, -node->xBehind - dx, -node->yBehind - dy);
            RECT seen;
            if (!IntersectRect(&seen, &placed, &band) && !IntersectRect(&seen, &target, &band)) {
                node->xBehind += dx;
                node->yBehind += dy;
                continue;
            }
            SetWindowPos(node->hwnd, nullptr, target.left, target.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS);
            node->xBehind = node->yBehind = 0;
        }
        Invalidate();
    }
    if (flags & KWF_HSCROLL)
        item->xApplied = item->xPos;
    if (flags & KWF_VSCROLL)
        item->yApplied = item->yPos;
}

void CKWindow::PlaceChildrenBehind()
{
    for (CKWindow* child = GetFirstChild(); child && item; child = child->GetNextSibling()) {
        KWndItem* node = child->item;
        RECT rect;
        if (!node || (!node->xBehind && !node->yBehind) || !child->GetRectInParent(&rect))
            continue;
        SetWindowPos(node->hwnd, nullptr, rect.left, rect.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS);
        node->xBehind = node->yBehind = 0;
    }
}

POINT CKWindow::BehindInRoot() const
{
    POINT behind = {0, 0};
    for (const CKWindow* window = this; window && window->item; window = window->GetParent()) {
        behind.x += window->item->xBehind;
        behind.y += window->item->yBehind;
    }
    return behind;
}

void CKWindow::OnPaint(CKCanvas*) {}

void CKWindow::OnAnimateBegin(CKAnimate*) {}

void CKWindow::OnAnimateEnd(CKAnimate* anim)
{
    if (anim && anim == animation) {
        animation = nullptr;
        anim->Release();
    }
}

// ---- Queries and commands -----------------------------------------------------------------------

HWND CKWindow::GetHwnd() const
{
    return item ? item->hwnd : nullptr;
}

void CKWindow::ModifyStyle(unsigned int add, unsigned int remove)
{
    if (!item)
        return;
    const unsigned int old = style;
    style = (style | add) & ~remove;
    if (style != old)
        OnStyleChanged(old ^ style);
}

CKWindow* CKWindow::GetParent() const
{
    KWndItem* parent = item ? g_tree->GetParent(item) : nullptr;
    return parent ? parent->window : nullptr;
}

CKWindow* CKWindow::GetFirstChild() const
{
    KWndItem* child = item ? g_tree->GetFirstChild(item) : nullptr;
    return child ? child->window : nullptr;
}

CKWindow* CKWindow::GetNextSibling() const
{
    KWndItem* next = item ? g_tree->GetNext(item) : nullptr;
    return next ? next->window : nullptr;
}

CKWindow* CKWindow::GetPrevSibling() const
{
    KWndItem* prev = item ? g_tree->GetPrev(item) : nullptr;
    return prev ? prev->window : nullptr;
}

KWndItem* CKWindow::GetRootItem() const
{
    if (!item)
        return nullptr;
    KWndItem* node = item;
    while (KWndItem* parent = g_tree->GetParent(node))
        node = parent;
    return node;
}

void CKWindow::Show(bool show)
{
    if (!item)
        return;
    ShowWindow(item->hwnd, show ? SW_SHOW : SW_HIDE);
    if (show)
        flags |= KWF_SHOWN;
    else
        flags &= ~KWF_SHOWN;
}

bool CKWindow::IsShown() const
{
    if (!item)
        return false;
    const CKWindow* top = this;
    for (const CKWindow* window = this; window; window = window->GetParent()) {
        if (!(window->flags & KWF_SHOWN))
            return false;
        top = window;
    }
    if (top->IsKindOf(K_RUNTIME_CLASS(CKView)))
        return top == GetCurrentView();
    return true;
}

void CKWindow::Enable(bool enable)
{
    if (!item)
        return;
    EnableWindow(item->hwnd, enable ? TRUE : FALSE);
    const unsigned int old = flags;
    if (enable)
        flags &= ~KWF_DISABLED;
    else
        flags |= KWF_DISABLED;
    if ((old ^ flags) & KWF_DISABLED) {
        OnStateChanged(KWF_DISABLED);
        Invalidate();
    }
}

bool CKWindow::IsEnabled() const
{
    return item && !(flags & KWF_DISABLED);
}

void CKWindow::SetFocus()
{
    if (item)
        ::SetFocus(item->hwnd);
}

void CKWindow::Invalidate(const RECT* rect)
{
    if (item && IsWindowVisible(item->hwnd))
        InvalidateRect(item->hwnd, rect, FALSE);
}

void CKWindow::Move(const RECT& rect)
{
    // Every window paints itself whole from the back buffer, so the old screen pixels are never
    // worth keeping: copying them would show a sibling's pixels where a window slides over it
    // (the drawer sliding the page aside), since windows do not clip their siblings.
    if (!item)
        return;
    item->xBehind = item->yBehind = 0;
    SetWindowPos(item->hwnd, nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

int CKWindow::GetClientRect(RECT* rect) const
{
    return item && ::GetClientRect(item->hwnd, rect) ? 1 : 0;
}

int CKWindow::GetRectInParent(RECT* rect) const
{
    if (!item || !GetWindowRect(item->hwnd, rect))
        return 0;
    CKWindow* parent = GetParent();
    MapWindowPoints(nullptr, parent ? parent->GetHwnd() : GetFrameWindow(), (POINT*)rect, 2);
    OffsetRect(rect, -item->xBehind, -item->yBehind);
    return 1;
}

int CKWindow::ClientToRoot(POINT* point) const
{
    if (!item)
        return 0;
    MapWindowPoints(item->hwnd, GetRootItem()->hwnd, point, 1);
    const POINT behind = BehindInRoot();
    point->x -= behind.x;
    point->y -= behind.y;
    return 1;
}

int CKWindow::ClientToRoot(RECT* rect) const
{
    if (!item)
        return 0;
    MapWindowPoints(item->hwnd, GetRootItem()->hwnd, (POINT*)rect, 2);
    const POINT behind = BehindInRoot();
    OffsetRect(rect, -behind.x, -behind.y);
    return 1;
}

int CKWindow::RootToClient(POINT* point) const
{
    if (!item)
        return 0;
    MapWindowPoints(GetRootItem()->hwnd, item->hwnd, point, 1);
    const POINT behind = BehindInRoot();
    point->x += behind.x;
    point->y += behind.y;
    return 1;
}

// ---- Scrolling ----------------------------------------------------------------------------------

void CKWindow::SetScrollExtent(int xExtent, int yExtent)
{
    RECT client;
    if (!GetClientRect(&client))
        return;
    if (xExtent < 0) {
        item->xExtent = 0;
        item->xPos = 0;
    } else {
        item->xExtent = xExtent;
        const int maxX = xExtent - (client.right - client.left);
        item->xPos = Clamp(item->xPos, 0, maxX > 0 ? maxX : 0);
    }
    if (yExtent < 0) {
        item->yExtent = 0;
        item->yPos = 0;
    } else {
        item->yExtent = yExtent;
        const int maxY = yExtent - (client.bottom - client.top);
        item->yPos = Clamp(item->yPos, 0, maxY > 0 ? maxY : 0);
    }
}

void CKWindow::ScrollTo(int x, int y)
{
    if (!item)
        return;
    if (flags & KWF_HSCROLL) {
        if (item->xExtent >= 1) {
            item->xPos = x;
            OnScroll(KSCROLL_SET_X, item->xPos, item->yPos);
            Invalidate();
        } else {
            item->xPos = 0;
        }
    }
    if (item && (flags & KWF_VSCROLL)) {
        if (item->yExtent >= 1) {
            item->yPos = y;
            OnScroll(KSCROLL_SET_Y, item->xPos, item->yPos);
            Invalidate();
        } else {
            item->yPos = 0;
        }
    }
}

void CKWindow::GetScrollPos(int* x, int* y) const
{
    if (x)
        *x = item ? item->xPos : 0;
    if (y)
        *y = item ? item->yPos : 0;
}

void CKWindow::GetScrollExtent(int* x, int* y) const
{
    if (x)
        *x = item ? item->xExtent : 0;
    if (y)
        *y = item ? item->yExtent : 0;
}

// ---- Background and animation -------------------------------------------------------------------

void CKWindow::SetBackground(CKDrawable* drawable)
{
    CKFaceDrawable* face = nullptr;
    if (drawable && drawable->IsKindOf(K_RUNTIME_CLASS(CKFaceDrawable))) {
        face = (CKFaceDrawable*)drawable;
        face->AddRef();
    }
    if (background)
        background->Release();
    background = face;
}

void CKWindow::EndAnimation()
{
    CKAnimate* old = animation;
    old->AddRef();   // kept until it is fully let go, whatever OnAnimateEnd releases
    if (old->IsRunning()) {
        old->Stop();
        old->OnEnd();
    }
    OnAnimateEnd(old);
    if (animation == old) {
        animation = nullptr;
        old->Release();
    }
    old->SetWindow(nullptr);
    old->Release();
}

void CKWindow::FinishScrollAnimation()
{
    if (animation && animation->IsKindOf(K_RUNTIME_CLASS(CKAniScroll)))
        EndAnimation();
}

void CKWindow::StartAnimation(CKAnimate* anim)
{
    if (!item || !anim)
        return;
    // An OnEnd may start yet another animation on this window; that one is ended too.
    while (animation)
        EndAnimation();
    anim->SetWindow(this);
    animation = anim;
    anim->EnableRefCount();
    anim->AddRef();
    anim->Start();
}

// ---- Module steps -------------------------------------------------------------------------------

void KInitWindows(HINSTANCE instance)
{
    g_instance = instance;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = KWndProc;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = WINDOW_CLASS;
    RegisterClassExW(&wc);
}

void KTermWindowClass()
{
    UnregisterClassW(WINDOW_CLASS, g_instance);
}

void KResetWindowCapture()
{
    CKWindow::ResetPressState();
}

void KTermWindows()
{
    if (g_tree) {
        g_tree->RemoveAll(CKWindow::DetachItem, nullptr);
        delete g_tree;
        g_tree = nullptr;
    }
    CKWindow::ReleaseFrameImage();
}
