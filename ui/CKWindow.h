// CKWindow: the base of every on-screen element. Each one owns a platform child window (class
// "KWndClass", or a subclassed native control such as "EDIT") and a node of the process-wide window
// tree kept beside the HWND tree; one window procedure turns platform messages into the virtual
// operations below, paints every window into the shared back buffer and drives drag-to-scroll.
//
// Ownership and lifetime:
// - A window object exists before its HWND. Create allocates its tree item and HWND; the tree then
//   holds one reference on the window (taken in OnCreate, dropped in OnDestroy). A window meant to
//   outlive its creator's scope is switched to counting (EnableRefCount) before Create, so that
//   WM_DESTROY releases it; an uncounted window is deleted by its creator, whose delete destroys the
//   HWND first when it still exists.
// - Destroying a window's HWND (Destroy, or the platform destroying an ancestor) destroys its child
//   windows first and removes its subtree from the tree.
// - The window holds one reference on its running animation and one on its background drawable.
// - Overrides of OnDestroy and OnAnimateEnd call the base: it frees the item, drops the tree's
//   reference, and lets go of an ended animation.
//
// Implementation files: CKWindow.cpp (object, tree, queries and commands, base operations, module
// steps), CKWindowProc.cpp (window procedures, keys, press/move/release and drag-scroll),
// CKWindowPaint.cpp (painting into the back buffer, scroll indicators, the drawn frame).
#pragma once
#include <windows.h>

#include "foundation/CKObject.h"
#include "foundation/CKTree.h"

class CKAnimate;
class CKCanvas;
class CKDrawable;
class CKFaceDrawable;
class CKMenu;
class CKWindow;

// Window flags (CKWindow::GetFlags).
constexpr unsigned int KWF_INITIALIZED = 0x100;        // Initialize has run
constexpr unsigned int KWF_FOCUSED = 0x1000;           // has the keyboard focus
constexpr unsigned int KWF_DISABLED = 0x2000;          // disabled
constexpr unsigned int KWF_ACTIVE = 0x4000;            // between OnActivate and OnDeactivate
constexpr unsigned int KWF_SHOWN = 0x8000;             // shown
constexpr unsigned int KWF_HINDICATOR_TOP = 0x10000;   // horizontal scroll indicator at the top
constexpr unsigned int KWF_VINDICATOR_LEFT = 0x20000;  // vertical scroll indicator at the left
constexpr unsigned int KWF_OPAQUE = 0x100000;          // paints its whole area: nothing painted beneath
constexpr unsigned int KWF_DBLCLK = 0x200000;          // a double press reports KMOUSE_DBLPRESS
constexpr unsigned int KWF_HSCROLL = 0x1000000;        // scrolls horizontally
constexpr unsigned int KWF_VSCROLL = 0x2000000;        // scrolls vertically
constexpr unsigned int KWF_SCROLLS = KWF_HSCROLL | KWF_VSCROLL;
constexpr unsigned int KWF_CONTROLPARENT = 0x10000000; // WS_EX_CONTROLPARENT (only when opaque)
constexpr unsigned int KWF_TABSTOP = 0x20000000;       // WS_TABSTOP; a press takes the focus
constexpr unsigned int KWF_REPAINT_ON_CHANGE = 0x40000000;  // invalidates itself on text/icon change
constexpr unsigned int KWF_FRAMED = 0x80000000;        // the non-client area holds a drawn frame

// Codes of OnMouse(code, x, y, extra); x, y in the window's client coordinates.
constexpr int KMOUSE_PRESS = 33;       // left button down (also a double press without KWF_DBLCLK)
constexpr int KMOUSE_MOVE = 34;        // move with the button held, no drag-scroll started
constexpr int KMOUSE_RELEASE = 35;     // release of a press that did not become a drag-scroll
constexpr int KMOUSE_DBLPRESS = 36;    // double press (KWF_DBLCLK)
constexpr int KMOUSE_CANCEL = 37;      // the press became a drag-scroll or the view took it

// Codes of OnScroll(code, xPos, yPos).
constexpr int KSCROLL_DRAGGED = 0;     // position changed by dragging
constexpr int KSCROLL_SET_X = 49;      // horizontal position set by ScrollTo
constexpr int KSCROLL_SET_Y = 50;      // vertical position set by ScrollTo
constexpr int KSCROLL_BEGIN = 51;      // a drag-scroll began
constexpr int KSCROLL_END = 52;        // a drag-scroll ended (or its return animation finished)

// Codes of OnKey(code, key, repeatFlags).
constexpr int KKEY_UP = 17;            // key released; key = library key code
constexpr int KKEY_DOWN = 18;          // key pressed; key = library key code
constexpr int KKEY_CHAR = 19;          // character; key = the UTF-16 unit
// Bit of OnKey's repeatFlags (the high word of the key data): the key was down already, the
// press is an automatic repeat.
constexpr int KKEY_REPEATED = 0x4000;

// Notification codes the base sends through NotifyParent.
constexpr int KNOTIFY_FOCUSED = 1;        // focus gained
constexpr int KNOTIFY_UNFOCUSED = 2;      // focus lost
constexpr int KNOTIFY_ENABLED = 3;
constexpr int KNOTIFY_DISABLED = 4;
constexpr int KNOTIFY_TEXT_CHANGED = 1025;   // an embedded native edit field changed its text
// A click: sent by buttons (controls/CKButton.h), and passed on by a view's title bar with its
// button's command. From a button group: param = item index, id = item id.
constexpr int KNOTIFY_CLICK = 257;

// Library key codes (the key of OnKey with KKEY_DOWN / KKEY_UP). Digits, letters, the numeric pad
// and F1-F24 keep their virtual-key codes, as do these four:
constexpr int KK_BACK = 8;
constexpr int KK_TAB = 9;
constexpr int KK_ENTER = 13;
constexpr int KK_SPACE = 32;
// Modifiers (either side).
constexpr int KK_SHIFT = 10;
constexpr int KK_CONTROL = 11;
constexpr int KK_ALT = 12;
constexpr int KK_ESCAPE = 14;
// Navigation.
constexpr int KK_LEFT = 17;
constexpr int KK_UP = 18;
constexpr int KK_RIGHT = 19;
constexpr int KK_DOWN = 20;
constexpr int KK_INSERT = 21;
constexpr int KK_DELETE = 22;
constexpr int KK_HOME = 23;
constexpr int KK_END = 24;
constexpr int KK_PAGEUP = 25;
constexpr int KK_PAGEDOWN = 26;
// Punctuation keys of the US layout.
constexpr int KK_GRAVE = 33;        // ` ~
constexpr int KK_MINUS = 34;        // - _
constexpr int KK_EQUALS = 35;       // = +
constexpr int KK_LBRACKET = 36;     // [ {
constexpr int KK_RBRACKET = 37;     // ] }
constexpr int KK_BACKSLASH = 38;    // \ |
constexpr int KK_SEMICOLON = 39;    // ; :
constexpr int KK_APOSTROPHE = 40;   // ' "
constexpr int KK_COMMA = 41;        // , <
constexpr int KK_PERIOD = 42;       // . >
constexpr int KK_SLASH = 43;        // / ?

// The library key code of a platform virtual key (0 for keys the library does not know).
int KMapVirtualKey(UINT virtualKey);

// One node of the window tree, zero-filled when created.
struct KWndItem
{
    HWND hwnd;
    WNDPROC prevProc;      // chained to: DefWindowProcW, or a subclassed control's own procedure
    CKWindow* window;      // borrowed back pointer; the tree's reference is held by OnCreate
    int yExtent;           // content height; 0 = no vertical scrolling
    int yPos;              // current vertical offset
    int yApplied;          // offset the child windows were last moved to
    int xExtent;
    int xPos;
    int xApplied;
    // How far the HWND lies short of where the parent's scrolling has put the window, which
    // belongs at its HWND position minus this. A scroll moves only the children it brings into
    // the parent's client area, keeps there or takes out of it: one left outside keeps its HWND
    // where it was until a scroll brings it in, a Move places it or the parent changes size.
    int xBehind;
    int yBehind;
};

class CKWindow : public CKObject
{
    K_DECLARE_DYNCREATE(CKWindow)
public:
    CKWindow() = default;
    // Stops a running animation (it then only releases itself), releases the background and,
    // for an uncounted window deleted while its HWND exists, destroys the HWND.
    ~CKWindow() override;

    // ---- Slots: the virtual operations ----
    // Subclasses declare their overrides in this order, and their own virtuals after them, so that
    // every window header reads alike; nothing depends on the order of the virtual table.
    // Creates the platform window under `parent` (none: the frame window) and runs OnCreate;
    // nonzero on success. A window whose item exists already (a native control) only runs OnCreate.
    virtual int Create(unsigned int style, int id, CKWindow* parent, unsigned int flags);
    // Destroys the platform window (and so, through WM_DESTROY, the subtree).
    virtual void Destroy();
    // The parent's OnNotify(id, or this window's id when 0, code, param); 1, or 0 without parent.
    virtual int NotifyParent(int code, INT_PTR param, int id);
    // Applies style bits and marks the window initialised; subclasses load their drawables here.
    virtual void Initialize(unsigned int style);
    // After the platform window exists: Initialize(0) unless done, then the tree's reference.
    virtual int OnCreate();
    // WM_DESTROY: child windows first, then the item leaves the tree and its reference goes.
    virtual void OnDestroy();
    virtual void OnActivate(int param);
    virtual void OnDeactivate(int param);
    virtual void OnSystemChange(int code);
    // The preferred content size; the base has none (0).
    virtual int CalcSize(SIZE& size);
    virtual void OnSize();
    virtual void OnMove();
    // `changed` holds KWF_FOCUSED and/or KWF_DISABLED.
    virtual void OnStateChanged(unsigned int changed);
    virtual void OnStyleChanged(unsigned int changed);
    // A notification from a child window or a service this window listens to.
    virtual int OnNotify(int id, int code, INT_PTR param);
    virtual int OnCommand(int command);
    // A menu is about to show: OnUpdateMenuItem for each item that is neither submenu nor header.
    virtual void OnInitMenu(CKMenu* menu);
    virtual void OnUpdateMenuItem(CKMenu* menu, int itemId);
    virtual int OnKey(int code, int key, int repeatFlags);
    virtual int OnMouse(int code, int x, int y, int extra);
    // Moves the child windows so that the content follows the scroll position: those that are,
    // or come, in the client area; the others fall behind (KWndItem::xBehind, yBehind).
    virtual void OnScroll(int code, int xPos, int yPos);
    virtual void OnPaint(CKCanvas* canvas);
    // With a rect: the background drawable in it. Without: for a scrollable window, the bands of
    // the clip box that the content does not cover.
    virtual void DrawBackground(CKCanvas* canvas, const RECT* rect, unsigned int flags);
    virtual void OnAnimateBegin(CKAnimate* anim);
    // When `anim` is this window's animation: releases it and forgets it.
    virtual void OnAnimateEnd(CKAnimate* anim);

    // ---- Beyond the slots ----
    // The keys this window keeps from the loop's dialog navigation while it has the focus: the
    // answer to WM_GETDLGCODE (DLGC_* bits). `key` is the library key code of the key press or
    // release being asked about, 0 when the question comes without one. The base keeps none:
    // arrows and Tab move the focus, Enter goes to the current view's confirm action and Escape to
    // its back action. Controls keep the keys they handle; none keeps Escape or Tab.
    virtual unsigned int GetDialogCode(int key);

    // ---- Queries and commands (0 / nothing for a window without item) ----
    HWND GetHwnd() const;
    int GetId() const { return id; }
    unsigned int GetFlags() const { return flags; }
    unsigned int GetStyle() const { return style; }
    // style = (style | add) & ~remove; OnStyleChanged(old ^ new) when it changed.
    void ModifyStyle(unsigned int add, unsigned int remove);
    KWndItem* GetItem() const { return item; }

    CKWindow* GetParent() const;
    CKWindow* GetFirstChild() const;
    CKWindow* GetNextSibling() const;
    CKWindow* GetPrevSibling() const;
    // The top item of this window's chain.
    KWndItem* GetRootItem() const;

    void Show(bool show);
    // Shown here and in every ancestor, and, when the top ancestor is a view, it is the current one.
    bool IsShown() const;
    // Notifies the parent (3 or 4) and repaints when the disabled flag changes.
    void Enable(bool enable);
    bool IsEnabled() const;
    void SetFocus();
    // Invalidates (without erasing) while the platform window is visible; none: the client area.
    void Invalidate(const RECT* rect = nullptr);

    // rect in the parent's client coordinates; repaints.
    void Move(const RECT& rect);
    int GetClientRect(RECT* rect) const;
    // The window rect in the parent's client coordinates (the frame window's without parent),
    // where the window belongs also while it falls behind its parent's scrolling.
    int GetRectInParent(RECT* rect) const;
    // Between this window's client coordinates and those of the root window of its chain (where
    // the windows belong, as GetRectInParent).
    int ClientToRoot(POINT* point) const;
    int ClientToRoot(RECT* rect) const;
    int RootToClient(POINT* point) const;

    // A negative extent means none (extent and position 0); otherwise the position is clamped to
    // [0, max(0, extent - client size)].
    void SetScrollExtent(int xExtent, int yExtent);
    // Sets the positions of the scrolling axes that have an extent (unclamped), with
    // OnScroll(KSCROLL_SET_X) and OnScroll(KSCROLL_SET_Y); an axis without extent goes back to 0.
    void ScrollTo(int x, int y);
    void GetScrollPos(int* x, int* y) const;
    void GetScrollExtent(int* x, int* y) const;

    // Keeps the drawable only when it is a face drawable (one reference); none clears.
    void SetBackground(CKDrawable* drawable);
    CKFaceDrawable* GetBackground() const { return background; }
    // Ends a running animation first, then attaches (counted) and starts `anim`.
    void StartAnimation(CKAnimate* anim);
    CKAnimate* GetAnimation() const { return animation; }
    // Forgets the current press's scroll state; a running drag-scroll ends with
    // OnScroll(KSCROLL_END).
    void StopDragScroll();
    // A running scroll animation (CKAniScroll: into view, or back into range after a drag) ends
    // at once at its target. Presses do this before they count; so do keys that move a
    // selection, so that quick presses and repeats are not lost to the animation.
    void FinishScrollAnimation();

protected:
    // For native controls: a new item for this window under the parent's item (none: a root
    // item). The control then creates its platform window, attaches it with SubclassNative and
    // calls Create. 0 when the window has an item already or memory ran out.
    int AllocItem(CKWindow* parent);
    // Stores the item in the control's user data and puts the native-control procedure in front
    // of the control's own (kept as prevProc). 1, or 0 without item or HWND.
    int SubclassNative(HWND hwnd);
    // Takes the item out of the tree (the window keeps no item); for a creation that failed.
    void FreeItem();

    KWndItem* item = nullptr;           // borrowed from the window tree
    unsigned int flags = 0;             // KWF_* bits
    unsigned int style = 0;             // presentation bits; meaning per control class
    int id = 0;
    int reserved = 0;
    CKAnimate* animation = nullptr;     // counted: the running animation
    CKFaceDrawable* background = nullptr;   // counted

private:
    friend LRESULT CALLBACK KWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    friend LRESULT CALLBACK KNativeCtrlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Input (CKWindowProc.cpp). The focus flag follows the platform focus.
    void SetFocusFlag(bool focused);
    void HandlePress(int x, int y);
    // A double press: a press that takes no new capture, reported as KMOUSE_DBLPRESS with
    // KWF_DBLCLK, else as another KMOUSE_PRESS.
    void HandleDoublePress(int x, int y);
    // The press state for a press of this window at (x, y), after a running scroll animation has
    // been ended at its target; false when the window has no client area.
    bool BeginPress(int x, int y);
    // Moves and the release reach only the window that took the press.
    void HandleMove(int x, int y);
    void HandleRelease(int x, int y);
    // The end of a drag-scroll of this window: each axis back into range (animated), or
    // OnScroll(KSCROLL_END) at once when both are in range.
    void SettleDragScroll();
    // One axis of a move: `along` and `across` are the press point minus the pointer on this axis
    // and the other. Starts the drag-scroll when this axis dominates by the threshold, then
    // follows the pointer; true when the position changed.
    bool DragAxis(bool vertical, int along, int across, int x, int y);

    // Painting (CKWindowPaint.cpp); `area` is in root coordinates.
    // WM_PAINT / WM_PRINTCLIENT (printDc: the DC given with WM_PRINTCLIENT, else none).
    void Paint(HDC printDc);
    // This window alone, clipped to its rect within `area`: background bands, then OnPaint; false
    // when nothing of it lies within the area (or it was destroyed while painting).
    bool PaintLayer(CKCanvas* canvas, const RECT& area);
    // This window's visible children (but `skip`) that meet `area`, lowest first, each with its
    // own children.
    void PaintChildren(CKCanvas* canvas, const RECT& area, const CKWindow* skip);
    // This window, then its children.
    void PaintWithChildren(CKCanvas* canvas, const RECT& area);
    // What lies beneath this window within `area`: ancestors up to the first opaque one, and the
    // other children of each whose rects meet the area.
    void PaintBeneath(CKCanvas* canvas, const RECT& area);
    void DrawScrollIndicators(CKCanvas* canvas);
    // The messages both window procedures treat alike; true when `result` is the answer.
    static bool HandleSharedMessage(CKWindow* window, UINT message, LPARAM lParam, LRESULT* result);
    // WM_NCCALCSIZE of a framed window: the client rect shrinks by the frame insets.
    void CalcFrame(RECT* rect) const;
    // WM_NCPAINT of a framed window, and a focus change of one.
    void PaintFrame();

    // value limited to [low, high].
    static int Clamp(int value, int low, int high);
    // Cuts an item that outlived its parent's destruction loose from its window and HWND, so
    // that neither reaches freed tree memory; the window is left without item (a tree walk).
    static int DetachItem(KWndItem* node, void* context);

    // Ends the running animation at once: OnEnd (when still running), OnAnimateEnd, unlinked.
    void EndAnimation();
    // Puts every child that fell behind the scrolling where it belongs (the client area changed
    // size, so what lies outside it changed).
    void PlaceChildrenBehind();
    // How far this window and its ancestors lie behind, summed: their HWND positions in root
    // coordinates minus where they belong.
    POINT BehindInRoot() const;

    // Module state kept by the input and painting files, let go by the shut-down steps.
    static void ResetPressState();
    static void ReleaseFrameImage();
    friend void KResetWindowCapture();
    friend void KTermWindows();
};

// The library's two window procedures: the one of "KWndClass", and the one put in front of a
// subclassed native control's own procedure (SubclassNative), which passes every message on to it
// except a key the window's OnKey takes.
LRESULT CALLBACK KWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK KNativeCtrlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The process-wide window tree: created on first use, deleted by the last shut-down step.
CKTreeT<KWndItem>* GetWindowTree();

// Module steps, called by KInitLibrary / KTermLibrary in their places.
// Start-up: registers "KWndClass".
void KInitWindows(HINSTANCE instance);
// Shut-down: unregisters "KWndClass".
void KTermWindowClass();
// Shut-down: forgets the current press (capture) state.
void KResetWindowCapture();
// Shut-down, last: deletes the window tree and the control-border image list.
void KTermWindows();
