// CKWindow's platform side: the window procedure of "KWndClass", the procedure put in front of
// subclassed native controls, the key map, and press, move and release with drag-to-scroll.
//
// Index: key map and dialog keys - window procedures - press state - press, move, release.
#include "ui/CKWindow.h"

#include "ui/CKAniScroll.h"
#include "ui/CKView.h"
#include "ui/KViewStack.h"

// ---- Key map and dialog keys --------------------------------------------------------------------

namespace {

struct KKeyMapping
{
    UINT virtualKey;
    int key;
};

const KKeyMapping KEY_MAP[] = {
    {VK_BACK, KK_BACK},         {VK_TAB, KK_TAB},           {VK_RETURN, KK_ENTER},
    {VK_SPACE, KK_SPACE},       {VK_SHIFT, KK_SHIFT},       {VK_LSHIFT, KK_SHIFT},
    {VK_RSHIFT, KK_SHIFT},      {VK_CONTROL, KK_CONTROL},   {VK_LCONTROL, KK_CONTROL},
    {VK_RCONTROL, KK_CONTROL},  {VK_MENU, KK_ALT},          {VK_LMENU, KK_ALT},
    {VK_RMENU, KK_ALT},         {VK_ESCAPE, KK_ESCAPE},     {VK_PRIOR, KK_PAGEUP},
    {VK_NEXT, KK_PAGEDOWN},     {VK_END, KK_END},           {VK_HOME, KK_HOME},
    {VK_LEFT, KK_LEFT},         {VK_UP, KK_UP},             {VK_RIGHT, KK_RIGHT},
    {VK_DOWN, KK_DOWN},         {VK_INSERT, KK_INSERT},     {VK_DELETE, KK_DELETE},
    {VK_OEM_1, KK_SEMICOLON},   {VK_OEM_PLUS, KK_EQUALS},   {VK_OEM_COMMA, KK_COMMA},
    {VK_OEM_MINUS, KK_MINUS},   {VK_OEM_PERIOD, KK_PERIOD}, {VK_OEM_2, KK_SLASH},
    {VK_OEM_3, KK_GRAVE},       {VK_OEM_4, KK_LBRACKET},    {VK_OEM_5, KK_BACKSLASH},
    {VK_OEM_6, KK_RBRACKET},    {VK_OEM_7, KK_APOSTROPHE},
};

// The library key code of the key press or release a WM_GETDLGCODE asks about (its lParam); 0
// for other messages and for a question without message.
int DialogKey(const MSG* message)
{
    if (!message || (message->message != WM_KEYDOWN && message->message != WM_KEYUP))
        return 0;
    return KMapVirtualKey((UINT)message->wParam);
}

// The child window of `item` whose HWND is `control`, or none: a control of the library.
CKWindow* FindChildControl(const KWndItem* item, HWND control)
{
    CKTreeT<KWndItem>* tree = GetWindowTree();
    for (KWndItem* child = tree->GetFirstChild(item); child; child = tree->GetNext(child))
        if (child->hwnd == control)
            return child->window;
    return nullptr;
}

} // namespace

// Geometry, focus and frame messages, handled alike for library windows and subclassed platform
// controls. True when the message is finished and `result` is what the procedure returns.
bool CKWindow::HandleSharedMessage(CKWindow* window, UINT message, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_MOVE:
        window->OnMove();
        return false;
    case WM_SIZE:
        window->PlaceChildrenBehind();
        window->OnSize();
        return false;
    case WM_SETFOCUS:
        window->SetFocusFlag(true);
        return false;
    case WM_KILLFOCUS:
        window->SetFocusFlag(false);
        return false;
    case WM_NCCALCSIZE:
        if (!(window->flags & KWF_FRAMED))
            return false;
        window->CalcFrame((RECT*)lParam);
        *result = 0;
        return true;
    case WM_NCPAINT:
        if (!(window->flags & KWF_FRAMED))
            return false;
        window->PaintFrame();
        *result = 0;
        return true;
    }
    return false;
}

int KMapVirtualKey(UINT virtualKey)
{
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')
        || (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_F24))
        return (int)virtualKey;
    for (const KKeyMapping& mapping : KEY_MAP)
        if (mapping.virtualKey == virtualKey)
            return mapping.key;
    return 0;
}

// ---- Window procedures --------------------------------------------------------------------------

LRESULT CALLBACK KWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    KWndItem* item = (KWndItem*)GetWindowLongPtrW(hwnd, GWLP_USERDATA);
    if (!item)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    CKWindow* window = item->window;
    // Handlers may destroy the window and free its item.
    const WNDPROC prevProc = item->prevProc;
    LRESULT shared = 0;
    if (CKWindow::HandleSharedMessage(window, message, lParam, &shared))
        return shared;
    switch (message) {
    case WM_DESTROY:
        window->OnDestroy();
        return 0;
    case WM_PAINT:
        window->Paint(nullptr);
        return 0;
    case WM_PRINTCLIENT:
        window->Paint((HDC)wParam);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW));
        return 1;
    case WM_GETDLGCODE:
        if (const unsigned int code = window->GetDialogCode(DialogKey((const MSG*)lParam)))
            return (LRESULT)code;
        break;
    case WM_KEYDOWN:
        window->OnKey(KKEY_DOWN, KMapVirtualKey((UINT)wParam), HIWORD(lParam));
        break;
    case WM_KEYUP:
        window->OnKey(KKEY_UP, KMapVirtualKey((UINT)wParam), HIWORD(lParam));
        break;
    case WM_CHAR:
        window->OnKey(KKEY_CHAR, (int)wParam, HIWORD(lParam));
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE && lParam) {
            if (CKWindow* control = FindChildControl(item, (HWND)lParam))
                window->OnNotify(control->GetId(), KNOTIFY_TEXT_CHANGED, 0);
        } else if (HIWORD(wParam) == 0 && window->IsKindOf(K_RUNTIME_CLASS(CKView))) {
            // The loop's IsDialogMessageW turns Escape inside the current view into IDCANCEL for
            // the view's window (the back action), and Enter that no focused control keeps into
            // IDOK (the confirm action).
            if (LOWORD(wParam) == IDCANCEL)
                ((CKView*)window)->OnBack();
            else if (LOWORD(wParam) == IDOK)
                ((CKView*)window)->OnConfirm();
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: {
        // Signed: a captured pointer reports points left of and above the window.
        const int x = (short)LOWORD(lParam);
        const int y = (short)HIWORD(lParam);
        window->AddRef();   // a handler may drop the last other reference
        if (message == WM_LBUTTONDOWN)
            window->HandlePress(x, y);
        else if (message == WM_MOUSEMOVE && (wParam & MK_LBUTTON))
            window->HandleMove(x, y);
        else if (message == WM_LBUTTONUP)
            window->HandleRelease(x, y);
        else if (message == WM_LBUTTONDBLCLK)
            window->HandleDoublePress(x, y);
        window->Release();
        break;
    }
    }
    return CallWindowProcW(prevProc, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK KNativeCtrlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    KWndItem* item = (KWndItem*)GetWindowLongPtrW(hwnd, GWLP_USERDATA);
    if (!item)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    CKWindow* window = item->window;
    const WNDPROC prevProc = item->prevProc;
    LRESULT shared = 0;
    if (CKWindow::HandleSharedMessage(window, message, lParam, &shared))
        return shared;
    switch (message) {
    case WM_DESTROY:
        window->OnDestroy();
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, (LONG_PTR)prevProc);
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: {
        // The control's class sees its keys first; a key it takes stops here.
        const int code = message == WM_KEYDOWN ? KKEY_DOWN
                         : message == WM_KEYUP ? KKEY_UP
                                               : KKEY_CHAR;
        const int key = message == WM_CHAR ? (int)wParam : KMapVirtualKey((UINT)wParam);
        if (window->OnKey(code, key, HIWORD(lParam)))
            return 0;
        break;
    }
    }
    return CallWindowProcW(prevProc, hwnd, message, wParam, lParam);
}

int CKWindow::SubclassNative(HWND hwnd)
{
    if (!item || !hwnd)
        return 0;
    item->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, (LONG_PTR)item);
    item->prevProc = (WNDPROC)SetWindowLongPtrW(hwnd, GWLP_WNDPROC, (LONG_PTR)KNativeCtrlProc);
    return 1;
}

void CKWindow::SetFocusFlag(bool focused)
{
    if (focused == ((flags & KWF_FOCUSED) != 0))
        return;
    flags ^= KWF_FOCUSED;
    OnStateChanged(KWF_FOCUSED);
}

// ---- Press state --------------------------------------------------------------------------------

namespace {

// The current press, process-wide: one pointer, one press at a time. Coordinates are the client
// coordinates of the pressed window, which holds the capture until the release.
//
// Its moves and its release belong to the window that took the press (`owner`) and to no other:
// a window shown over it during the press (a toast opened by a double tap, a dialog) gets the
// rest of the press once the capture is gone, and must not take that release for a tap of its
// own.
struct KPressState
{
    int maxX;        // largest horizontal scroll offset; -1: the axis does not scroll
    int maxY;
    POINT press;     // where the press happened
    int startX;      // scroll position at the press
    int startY;
    int dragging;    // the press no longer belongs to the window (drag-scroll or taken by the view)
    int scrolling;   // a drag-scroll is running
    HWND owner;      // the window that took the press; none after the release or when the view
                     // took it
};

const KPressState NO_PRESS = {-1, -1, {0, 0}, 0, 0, 0, 0, nullptr};
KPressState g_press = NO_PRESS;

// Pixels along the dominant axis that turn a press into a drag-scroll.
constexpr int DRAG_THRESHOLD = 3;

// The current view when it filters the pointer, with (x, y) of `window` converted to its client
// coordinates; none otherwise.
CKView* FilteringView(const CKWindow* window, int x, int y, POINT* viewPoint)
{
    CKView* view = GetCurrentView();
    if (!view || !(view->GetViewFlags() & KVF_MOUSEFILTER) || !view->GetHwnd())
        return nullptr;
    viewPoint->x = x;
    viewPoint->y = y;
    MapWindowPoints(window->GetHwnd(), view->GetHwnd(), viewPoint, 1);
    return view;
}

// Whether the filtering view (if any) consumes the event.
bool ViewTakes(const CKWindow* window, int code, int x, int y)
{
    POINT viewPoint;
    CKView* view = FilteringView(window, x, y, &viewPoint);
    return view && view->OnViewMouse(code, viewPoint.x, viewPoint.y) != 0;
}

// The largest scroll offset of an axis that scrolls and has more content than room, else -1.
int MaxOffset(bool scrolls, int extent, int clientSize)
{
    return scrolls && extent > clientSize ? extent - clientSize : -1;
}

// Rubber band: beyond either end the content follows the pointer at half speed.
int Overscroll(int position, int max)
{
    if (position < 0)
        return position / 2;
    if (position > max)
        return max + (position - max) / 2;
    return position;
}

int Abs(int value)
{
    return value < 0 ? -value : value;
}

// The library window whose HWND is `hwnd`, or none.
CKWindow* WindowOf(HWND hwnd)
{
    KWndItem* item = hwnd ? (KWndItem*)GetWindowLongPtrW(hwnd, GWLP_USERDATA) : nullptr;
    return item ? item->window : nullptr;
}

} // namespace

void CKWindow::ResetPressState()
{
    g_press = NO_PRESS;
}

void CKWindow::StopDragScroll()
{
    const bool wasScrolling = g_press.scrolling != 0;
    g_press.scrolling = 0;
    g_press.maxX = g_press.maxY = -1;
    if (wasScrolling && item)
        OnScroll(KSCROLL_END, item->xPos, item->yPos);
}

// ---- Press, move, release -----------------------------------------------------------------------

void CKWindow::HandlePress(int x, int y)
{
    if (ViewTakes(this, KMOUSE_PRESS, x, y)) {
        g_press.dragging = 1;
        g_press.owner = nullptr;
        return;
    }
    if (!BeginPress(x, y))
        return;
    SetCapture(item->hwnd);
    OnMouse(KMOUSE_PRESS, x, y, 0);
}

void CKWindow::HandleDoublePress(int x, int y)
{
    if (BeginPress(x, y))
        OnMouse((flags & KWF_DBLCLK) ? KMOUSE_DBLPRESS : KMOUSE_PRESS, x, y, 0);
}

bool CKWindow::BeginPress(int x, int y)
{
    RECT client;
    if (!GetClientRect(&client))
        return false;
    // A scroll on its way (into view, or back into range) ends at its target first, so that the
    // press lands on what will be there and a drag starts from there.
    FinishScrollAnimation();
    if (!item)
        return false;
    g_press.maxX = MaxOffset((flags & KWF_HSCROLL) != 0, item->xExtent, client.right - client.left);
    g_press.maxY = MaxOffset((flags & KWF_VSCROLL) != 0, item->yExtent, client.bottom - client.top);
    g_press.startX = item->xPos;
    g_press.startY = item->yPos;
    g_press.press.x = x;
    g_press.press.y = y;
    g_press.dragging = 0;
    g_press.scrolling = 0;
    g_press.owner = item->hwnd;
    return true;
}

void CKWindow::HandleMove(int x, int y)
{
    const bool owned = item && g_press.owner == item->hwnd;
    if (ViewTakes(this, KMOUSE_MOVE, x, y)) {
        if (!g_press.dragging) {
            if (owned)
                OnMouse(KMOUSE_CANCEL, x, y, 0);
            g_press.dragging = 1;
        }
        if (g_press.scrolling) {
            g_press.scrolling = 0;
            if (CKWindow* owner = WindowOf(g_press.owner))
                owner->OnScroll(KSCROLL_END, owner->item->xPos, owner->item->yPos);
        }
        return;
    }
    if (!owned)
        return;
    const int dx = g_press.press.x - x;
    const int dy = g_press.press.y - y;
    bool moved = DragAxis(true, dy, dx, x, y);
    if (DragAxis(false, dx, dy, x, y))
        moved = true;
    if (!g_press.dragging)
        OnMouse(KMOUSE_MOVE, x, y, 0);
    if (moved && item) {
        OnScroll(KSCROLL_DRAGGED, item->xPos, item->yPos);
        Invalidate();
    }
}

bool CKWindow::DragAxis(bool vertical, int along, int across, int x, int y)
{
    const int max = vertical ? g_press.maxY : g_press.maxX;
    if (!item || !(flags & (vertical ? KWF_VSCROLL : KWF_HSCROLL)) || max < 1)
        return false;
    if (!g_press.dragging && Abs(along) > Abs(across) && Abs(along) >= DRAG_THRESHOLD) {
        OnMouse(KMOUSE_CANCEL, x, y, 0);
        g_press.dragging = g_press.scrolling = 1;
        if (item)
            OnScroll(KSCROLL_BEGIN, item->xPos, item->yPos);
    }
    if (!g_press.scrolling || !item)
        return false;
    int* position = vertical ? &item->yPos : &item->xPos;
    const int followed = Overscroll((vertical ? g_press.startY : g_press.startX) + along, max);
    if (followed == *position)
        return false;
    *position = followed;
    return true;
}

void CKWindow::HandleRelease(int x, int y)
{
    ReleaseCapture();
    CKWindow* owner = WindowOf(g_press.owner);
    g_press.owner = nullptr;
    POINT viewPoint;
    if (CKView* view = FilteringView(this, x, y, &viewPoint))
        view->OnViewMouse(KMOUSE_RELEASE, viewPoint.x, viewPoint.y);
    if (!g_press.dragging && owner == this)
        OnMouse(KMOUSE_RELEASE, x, y, 0);
    g_press.dragging = 0;
    if (!g_press.scrolling)
        return;
    g_press.scrolling = 0;
    if (owner)
        owner->SettleDragScroll();
}

void CKWindow::SettleDragScroll()
{
    if (!item)
        return;
    // Each scrolling axis returns into [0, max]; an axis within range keeps its position.
    int targetX = item->xPos;
    int targetY = item->yPos;
    if ((flags & KWF_HSCROLL) && g_press.maxX >= 1)
        targetX = Clamp(targetX, 0, g_press.maxX);
    if ((flags & KWF_VSCROLL) && g_press.maxY >= 1)
        targetY = Clamp(targetY, 0, g_press.maxY);
    if (targetX == item->xPos && targetY == item->yPos) {
        OnScroll(KSCROLL_END, item->xPos, item->yPos);
        return;
    }
    CKAniScroll* anim = new CKAniScroll(this);
    if (!anim) {
        ScrollTo(targetX, targetY);
        OnScroll(KSCROLL_END, targetX, targetY);
        return;
    }
    anim->SetX(item->xPos, targetX);
    anim->SetY(item->yPos, targetY);
    StartAnimation(anim);
}
