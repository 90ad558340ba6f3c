// CKView: the page's title from the page table, its layout, the back action, the drawer with its
// drag gesture, and the pointer pre-filter with the information gesture.
//
// Index: page table - construction and window slots - view slots - accessors - drawer - gestures.
#include "ui/CKView.h"

#include "foundation/KDevMetrics.h"
#include "foundation/KResource.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKColorDrawable.h"
#include "graphics/KDrawableRegistry.h"
#include "ui/CKAniViewMenuCtrl.h"
#include "ui/CKApplication.h"
#include "ui/CKContainer.h"
#include "ui/KViewStack.h"

K_IMPLEMENT_CLASS(CKView, CKWindow)

namespace {

// Window flags of the title and the container: control parents and tab stops that repaint on
// content changes.
constexpr unsigned int CHILD_FLAGS = KWF_CONTROLPARENT | KWF_TABSTOP | KWF_REPAINT_ON_CHANGE;
// Characters of a title or title-button text, without the NUL.
constexpr int TITLE_TEXT_MAX = 256;
// Width of the gestures' edge band, in base units.
constexpr int EDGE_BAND_UNITS = 32;
// A drawer drag starts after this many base units across, and never after this many along.
constexpr int DRAWER_START_UNITS = 8;
constexpr int DRAWER_VERTICAL_UNITS = 16;

// The information gesture: press in the top-left corner band, swipe to the right edge, back to
// the left edge, out of it again, and release in the middle of the top band.
enum KInfoGesture
{
    INFO_IDLE = 0,
    INFO_PRESSED = 1,       // pressed near the left edge of the top band
    INFO_RIGHT = 2,         // reached the right edge
    INFO_BACK_LEFT = 3,     // back at the left edge
    INFO_ARMED = 4,         // out of the left edge again: a release in the middle shows the alert
};

constexpr char VIEW_DRAWABLES[] = "res/DrawableView.xml";

KPageLookupProc g_pageLookup;   // the application's page table
KInfoGestureProc g_infoGesture; // what the completed information gesture shows
KTitleBarMaker g_titleBarMaker; // gives a view that has none its title bar
int g_edgeBand;                 // pixels; 0 until the first view fixes it
int g_infoState = INFO_IDLE;    // KInfoGesture
POINT g_drawerPress;            // where the press that may become a drawer drag happened

int Abs(int value)
{
    return value < 0 ? -value : value;
}

// The drawer is two thirds of the screen's smaller side wide.
int DrawerWidth()
{
    const int cx = GetDevMetric(CxScreen);
    const int cy = GetDevMetric(CyScreen);
    return (cx < cy ? cx : cy) * 2 / 3;
}

} // namespace

// ---- Page table ---------------------------------------------------------------------------------

void SetPageLookup(KPageLookupProc lookup)
{
    g_pageLookup = lookup;
}

int LookupPage(int viewId, KPageEntry* entry)
{
    return g_pageLookup && entry ? g_pageLookup(viewId, entry) : 0;
}

void SetTitleBarMaker(KTitleBarMaker maker)
{
    g_titleBarMaker = maker;
}

KInfoGestureProc SetInfoGestureProc(KInfoGestureProc proc)
{
    const KInfoGestureProc previous = g_infoGesture;
    g_infoGesture = proc;
    return previous;
}

// ---- Construction and window slots --------------------------------------------------------------

CKView::CKView() : menuWidth(DrawerWidth()) {}

CKView::CKView(int viewId) : viewId(viewId), menuWidth(DrawerWidth()) {}

CKView::~CKView()
{
    if (titleBar)
        titleBar->Release();
    if (menuCtrl)
        menuCtrl->Release();
}

void CKView::Destroy()
{
    SetTitle(nullptr);
    if (menuCtrl) {
        CKWindow* panel = menuCtrl;
        menuCtrl = nullptr;
        panel->Release();
    }
    CKWindow::Destroy();
}

void CKView::Initialize(unsigned int newStyle)
{
    CKWindow::Initialize(newStyle);
    viewFlags |= newStyle;
    CKDrawable* drawable = GetDrawable(VIEW_DRAWABLES, "DefViewBkgnd");
    if (drawable && drawable->IsKindOf(K_RUNTIME_CLASS(CKColorDrawable))) {
        if (const KFace* face = ((CKColorDrawable*)drawable)->GetFace(KSLOT_NORMAL))
            backColor = face->color[0];
    }
    GetEdgeBand();
    if (titleBar)
        titleBar->Initialize(0);
    if (menuCtrl)
        menuCtrl->Initialize(0);
    if (CKContainer* container = GetContainer()) {
        container->SetView(this);
        container->Initialize(0);
    }
}

int CKView::OnCreate()
{
    if (!CKWindow::OnCreate())
        return 0;
    if (!(viewFlags & KVF_NOTITLE) && titleBar && !titleBar->GetHwnd()
        && !titleBar->Create(0, KVIEW_TITLE_ID, this, CHILD_FLAGS))
        return 0;
    CKContainer* container = GetContainer();
    if (container && !container->GetHwnd() && !container->CreateContainer(this, CHILD_FLAGS))
        return 0;
    if ((viewFlags & KVF_DRAWER) && !menuCtrl) {
        CreateViewMenu();
        if (menuCtrl && menuCtrl->GetHwnd())
            SetWindowPos(menuCtrl->GetHwnd(), HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return 1;
}

void CKView::OnDestroy()
{
    if ((viewFlags & KVF_DRAWER) && menuCtrl) {
        CKWindow* panel = menuCtrl;
        menuCtrl = nullptr;
        panel->Destroy();
        panel->Release();
    }
    if (titleBar)
        titleBar->Destroy();
    CKWindow::OnDestroy();
}

void CKView::OnSystemChange(int code)
{
    RECT rect;
    if (code == KSYSCHANGE_SCREEN_SIZE && GetHwnd() && GetViewRect(viewFlags, &rect))
        Move(rect);
    CKWindow::OnSystemChange(code);
}

RECT CKView::GetSlidRect() const
{
    RECT rect = {0, 0, 0, 0};
    GetClientRect(&rect);
    OffsetRect(&rect, menuOffset, 0);
    return rect;
}

void CKView::LayoutContent()
{
    const RECT slid = GetSlidRect();
    if (!(viewFlags & KVF_NOTITLE) && titleBar) {
        RECT rect = slid;
        rect.bottom = rect.top + titleHeight;
        titleBar->Move(rect);
    }
    CKContainer* container = GetContainer();
    if (container && container->GetHwnd()) {
        RECT rect = slid;
        rect.top += titleHeight;
        container->Move(rect);
    }
}

void CKView::OnSize()
{
    CKWindow::OnSize();
    RECT client;
    if (!GetClientRect(&client))
        return;
    if ((viewFlags & KVF_DRAWER) && menuCtrl) {
        RECT panel = client;
        if (viewFlags & KVF_DRAWER_RIGHT)
            panel.left = panel.right - menuWidth;
        else
            panel.right = panel.left + menuWidth;
        menuCtrl->Move(panel);
    }
    titleHeight = 0;
    if (!(viewFlags & KVF_NOTITLE) && titleBar) {
        SIZE size = {client.right - client.left, client.bottom - client.top};
        titleBar->CalcSize(size);
        titleHeight = size.cy;
    }
    LayoutContent();
}

int CKView::OnNotify(int notifyId, int code, INT_PTR param)
{
    CKWindow::OnNotify(notifyId, code, param);
    if (notifyId != KVIEW_TITLE_ID || code != KNOTIFY_CLICK || !titleBar)
        return 0;
    if (CKContainer* container = GetContainer())
        container->OnCommand((int)param);
    return 1;
}

void CKView::OnPaint(CKCanvas* canvas)
{
    RECT client;
    if (!GetClientRect(&client))
        return;
    canvas->SetBrushColor(backColor);
    canvas->FillRect(client);
}

// ---- View slots ---------------------------------------------------------------------------------

int CKView::InitView(unsigned int newFlags, int newId)
{
    viewId = newId;
    viewFlags |= newFlags;
    if (viewFlags & KVF_DRAWER)
        viewFlags |= KVF_MOUSEFILTER;
    if (!(viewFlags & KVF_NOTITLE) && !titleBar && g_titleBarMaker)
        g_titleBarMaker(this);
    KPageEntry entry;
    if (!titleBar || !LookupPage(viewId, &entry))
        return 1;
    wchar_t text[TITLE_TEXT_MAX + 1];
    LoadResString((UINT)viewId, text, TITLE_TEXT_MAX + 1);
    titleBar->SetText(text);
    if (entry.leftTextId != 0) {
        LoadResString((UINT)entry.leftTextId, text, TITLE_TEXT_MAX + 1);
        titleBar->SetLeftButton(entry.leftTextId, entry.leftStyle, text);
    }
    if (entry.rightTextId > 0) {
        LoadResString((UINT)entry.rightTextId, text, TITLE_TEXT_MAX + 1);
        titleBar->SetRightButton(entry.rightTextId, entry.rightStyle, text);
    }
    return 1;
}

int CKView::OnBack()
{
    if ((viewFlags & KVF_DRAWER) && menuCtrl && IsMenuOpen()) {
        CloseMenu(true);
        return 1;
    }
    CKContainer* container = GetContainer();
    if (container && container->OnBack())
        return 1;
    CloseView(this);
    return 1;
}

CKContainer* CKView::GetContainer()
{
    return nullptr;
}

void CKView::CreateViewMenu() {}

void CKView::OnViewMenuShow(int) {}

int CKView::OnViewKey(int, int, int)
{
    return 0;
}

int CKView::OnConfirm()
{
    return 0;
}

// ---- Accessors ----------------------------------------------------------------------------------

void CKView::SwapTitle(CKTitle* typed, CKTitleBar* bar)
{
    if (bar)
        bar->AddRef();
    if (titleBar)
        titleBar->Release();
    title = typed;
    titleBar = bar;
}

int CKView::SetTitleText(const wchar_t* text)
{
    if (!titleBar)
        return 0;
    titleBar->SetText(text);
    return 1;
}

void CKView::SetBackColor(KColor color)
{
    backColor = color;
    Invalidate();
}

int CKView::Close()
{
    return CloseView(this);
}

void CKView::TakeOverWindow(CKView* from)
{
    if (!from || !from->item || item)
        return;
    item = from->item;
    from->item = nullptr;
    item->window = this;
    flags |= from->flags;
    id = from->id;
}

int CKView::GetEdgeBand()
{
    if (!g_edgeBand)
        g_edgeBand = UnitToPixels(EDGE_BAND_UNITS, 1);
    return g_edgeBand;
}

// ---- Drawer -------------------------------------------------------------------------------------

void CKView::SetMenuCtrl(CKWindow* window)
{
    if (window)
        window->AddRef();
    if (menuCtrl)
        menuCtrl->Release();
    menuCtrl = window;
    if (menuCtrl) {
        menuCtrl->Enable(false);
        menuCtrl->Show(false);
    }
}

int CKView::SetMenuOffset(int offset)
{
    RECT client;
    if (!(viewFlags & KVF_DRAWER) || !menuCtrl || !GetClientRect(&client))
        return 0;
    const int low = (viewFlags & KVF_DRAWER_RIGHT) ? -menuWidth : 0;
    const int high = (viewFlags & KVF_DRAWER_RIGHT) ? 0 : menuWidth;
    menuOffset = offset < low ? low : offset > high ? high : offset;
    LayoutContent();
    const bool open = menuOffset != 0 && Abs(menuOffset) == menuWidth;
    menuCtrl->Enable(open);
    menuCtrl->Show(menuOffset != 0);
    return 1;
}

int CKView::SlideMenu(int target, bool open, bool animated)
{
    RECT client;
    if (!(viewFlags & KVF_DRAWER) || !menuCtrl || !GetClientRect(&client))
        return 0;
    CKAniViewMenuCtrl* anim = animated ? new CKAniViewMenuCtrl(this) : nullptr;
    if (anim) {
        anim->SetRange(menuOffset, target);
        StartAnimation(anim);
    } else {
        SetMenuOffset(target);
    }
    if (open)
        viewFlags |= KVF_DRAWER_OPEN;
    else
        viewFlags &= ~KVF_DRAWER_OPEN;
    if (!anim)
        OnViewMenuShow(open ? 1 : 0);
    return 1;
}

int CKView::OpenMenu(bool animated)
{
    return SlideMenu((viewFlags & KVF_DRAWER_RIGHT) ? -menuWidth : menuWidth, true, animated);
}

int CKView::CloseMenu(bool animated)
{
    return SlideMenu(0, false, animated);
}

// ---- Gestures -----------------------------------------------------------------------------------

int CKView::OnViewMouse(int code, int x, int y)
{
    const int band = GetEdgeBand();
    const int width = GetDevMetric(CxScreen);
    if (y >= band) {
        g_infoState = INFO_IDLE;
    } else if (code == KMOUSE_PRESS) {
        g_infoState = x < band ? INFO_PRESSED : INFO_IDLE;
    } else if (code == KMOUSE_MOVE) {
        if (g_infoState == INFO_PRESSED && x > width - band)
            g_infoState = INFO_RIGHT;
        else if (g_infoState == INFO_RIGHT && x < band)
            g_infoState = INFO_BACK_LEFT;
        else if (g_infoState == INFO_BACK_LEFT && x > band)
            g_infoState = INFO_ARMED;
        else if (g_infoState == INFO_ARMED && (x < band || x > width - band))
            g_infoState = INFO_IDLE;
    } else {
        const bool show = code == KMOUSE_RELEASE && g_infoState == INFO_ARMED && x > band
                          && x < width - band;
        g_infoState = INFO_IDLE;
        if (show && g_infoGesture)
            g_infoGesture();
    }
    if ((viewFlags & KVF_DRAWER) && menuCtrl)
        return OnViewMenuMouse(code, x, y);
    return 0;
}

int CKView::OnViewMenuMouse(int code, int x, int y)
{
    // Distances are measured toward the open side: to the right for a left drawer.
    const int sign = (viewFlags & KVF_DRAWER_RIGHT) ? -1 : 1;
    const bool open = IsMenuOpen();
    if (code == KMOUSE_PRESS) {
        RECT client;
        if (!GetClientRect(&client))
            return 0;
        // An open drawer is dragged only by the content that slid aside.
        const bool onContent = (viewFlags & KVF_DRAWER_RIGHT) ? x < client.right - menuWidth
                                                              : x >= client.left + menuWidth;
        if (open && !onContent)
            return 0;
        g_drawerPress.x = x;
        g_drawerPress.y = y;
        viewFlags = (viewFlags | KVF_DRAWER_TRACKING) & ~KVF_DRAWER_DRAGGING;
        return 0;
    }
    if (!(viewFlags & KVF_DRAWER_TRACKING))
        return 0;
    const int dx = x - g_drawerPress.x;
    const int toward = dx * sign;
    if (code == KMOUSE_MOVE) {
        if (!(viewFlags & KVF_DRAWER_DRAGGING)) {
            const int start = UnitToPixels(DRAWER_START_UNITS, 1);
            const int opening = open ? -toward : toward;   // toward the drawer's other state
            if (Abs(y - g_drawerPress.y) > UnitToPixels(DRAWER_VERTICAL_UNITS, 1)
                || -opening > start) {
                viewFlags &= ~KVF_DRAWER_TRACKING;
                return 0;
            }
            if (opening <= start)
                return 0;
            viewFlags |= KVF_DRAWER_DRAGGING;
        }
        SetMenuOffset(dx + (open ? sign * menuWidth : 0));
        return 1;
    }
    const bool dragged = (viewFlags & KVF_DRAWER_DRAGGING) != 0;
    viewFlags &= ~(KVF_DRAWER_TRACKING | KVF_DRAWER_DRAGGING);
    if (!dragged)
        return 0;
    // A drag of up to a quarter of the drawer snaps back to where it started.
    const bool staysOpen = open ? -toward <= menuWidth / 4 : toward > menuWidth / 4;
    if (staysOpen)
        OpenMenu(true);
    else
        CloseMenu(true);
    return 1;
}
