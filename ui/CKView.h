// CKView: one full-screen page of the phone UI: a title bar (CKTitleBar) across the top, a content
// container (CKContainer) below it and optionally a drawer (the view menu), a panel beneath them
// that they slide away from. Pages are registered with AddPage and stacked by the view stack
// (ui/KViewStack.h); while a view is current and has the pointer filter, it sees every press, move
// and release before the window under the pointer (OnViewMouse): the drawer's drag gesture and the
// library's information gesture live there.
//
// Ownership: the view holds one reference on its title and on its drawer panel (both counted);
// the container is supplied by the subclass (GetContainer) and knows its view without a
// reference. Destroy gives up title and panel for good; OnDestroy (the window going away) destroys
// the panel and the title's window but keeps the title, so a view can be shown again.
#pragma once
#include <windows.h>

#include <cstddef>

#include "graphics/KColor.h"
#include "ui/CKTitleBar.h"
#include "ui/CKWindow.h"

class CKContainer;
class CKTitle;   // the title bar views make for themselves (registered with SetTitleBarMaker)
class CKView;

// View flags.
constexpr unsigned int KVF_FULLSCREEN = 0x1;      // also covers the status-bar strip
constexpr unsigned int KVF_NOTITLE = 0x4;         // no title bar
constexpr unsigned int KVF_MOUSEFILTER = 0x8;     // pointer filter: OnViewMouse sees input first
// AddPage gives the first registered page the pointer filter.
constexpr unsigned int KVF_FIRSTPAGE = KVF_MOUSEFILTER;
constexpr unsigned int KVF_DRAWER = 0x10;         // has a drawer (the view menu)
constexpr unsigned int KVF_DRAWER_RIGHT = 0x20;   // the drawer sits at the right edge
constexpr unsigned int KVF_CANCEL_OUTSIDE = 0x100;    // dialogs: a tap outside the box closes it
constexpr unsigned int KVF_TEXT_INPUT = 0x200;    // dialogs: the focus goes to the text field
constexpr unsigned int KVF_DRAWER_OPEN = 0x10000; // the drawer is open
constexpr unsigned int KVF_DRAWER_TRACKING = 0x20000; // a press may become a drawer drag
constexpr unsigned int KVF_DRAWER_DRAGGING = 0x40000; // a drawer drag is in progress

// Window id of every view's title bar.
constexpr int KVIEW_TITLE_ID = 3001;

// What the application's page table says about a page: its flags and its title buttons. A
// button's text id is also the command it sends; 0 means no button.
struct KPageEntry
{
    int flags;         // KVF_FULLSCREEN makes the page full screen
    int leftTextId;
    int leftStyle;     // KTITLE_BTN_* of controls/CKTitle.h
    int rightTextId;
    int rightStyle;
};

// Looks a page id up in the application's page table; 1 with `entry` filled, 0 without a row.
typedef int (*KPageLookupProc)(int viewId, KPageEntry* entry);
// The application registers its page table once (none: no page has a row).
void SetPageLookup(KPageLookupProc lookup);
// The row of a page id through the registered lookup; 0 when there is none.
int LookupPage(int viewId, KPageEntry* entry);

// Gives `view`, which has none, a new counted title bar (SetTitle). The controls register the
// maker of their CKTitle once at start-up; without one, views have no title bar.
typedef void (*KTitleBarMaker)(CKView* view);
void SetTitleBarMaker(KTitleBarMaker maker);

// What the information gesture shows when it completes; the dialogs register it once at start-up
// (none: the gesture shows nothing). Returns the procedure registered before.
typedef void (*KInfoGestureProc)();
KInfoGestureProc SetInfoGestureProc(KInfoGestureProc proc);

class CKView : public CKWindow
{
    K_DECLARE_CLASS(CKView)
public:
    CKView();
    explicit CKView(int viewId);
    // Releases the title and the drawer panel when still held.
    ~CKView() override;

    // ---- CKWindow slots ----
    // Releases title and panel, then destroys the window.
    void Destroy() override;
    // Base; view flags |= style; the background colour and the edge band of the gestures; then
    // Initialize(0) on the title, the panel and the container (whose view is set first).
    void Initialize(unsigned int style) override;
    // Base, then the title (id KVIEW_TITLE_ID), the container and, for a drawer view without panel,
    // CreateViewMenu; the panel is created last so that it lies beneath the title and the
    // content. 0 when the title or the container cannot be created.
    int OnCreate() override;
    // The panel's Destroy and Release, the title's Destroy, then the base.
    void OnDestroy() override;
    // KSYSCHANGE_SCREEN_SIZE: fits the view to the frame's client area (below the status bar unless
    // full screen). Then the base (children).
    void OnSystemChange(int code) override;
    // Panel at its edge, title at the top, container below; title and container shifted by the
    // drawer offset.
    void OnSize() override;
    // A title-button click (KVIEW_TITLE_ID, KNOTIFY_CLICK, command) reaches the container as
    // OnCommand(command).
    int OnNotify(int id, int code, INT_PTR param) override;
    // The background colour over the client area.
    void OnPaint(CKCanvas* canvas) override;

    // ---- View slots ----
    // viewId = id, flags added (KVF_DRAWER implies KVF_MOUSEFILTER); unless KVF_NOTITLE a counted
    // title is made (MakeTitleBar) and filled from the page table. Returns 1.
    virtual int InitView(unsigned int flags, int viewId);
    // Back action: closes an open drawer, else lets the container handle it, else closes the
    // view (the last view's close ends the program). Returns 1.
    virtual int OnBack();
    // Pointer pre-filter while current with KVF_MOUSEFILTER; (x, y) in this view's client
    // coordinates, `code` a KMOUSE_* code; nonzero consumes the event (a press then never reaches
    // the window under the pointer, a move cancels it). Runs the information gesture, then the
    // drawer gesture of a drawer view with a panel.
    virtual int OnViewMouse(int code, int x, int y);
    // The content container; the base view has none.
    virtual CKContainer* GetContainer();
    // Creates the drawer panel's window and hands it to SetMenuCtrl; the base does nothing.
    virtual void CreateViewMenu();
    // The drawer's drag gesture; nonzero consumes the event.
    virtual int OnViewMenuMouse(int code, int x, int y);
    // The drawer finished opening (1) or closing (0); the base does nothing.
    virtual void OnViewMenuShow(int shown);

    // ---- Keys (beyond the view slots) ----
    // A key press or release (KKEY_DOWN / KKEY_UP with a library key code) inside this view while
    // it is current, before the focused window and the dialog navigation see it (the page's own
    // keys); nonzero takes it. The base takes none.
    virtual int OnViewKey(int code, int key, int repeatFlags);
    // Enter where the focused window does not keep it (the dialog navigation's IDOK); nonzero:
    // handled. The base does nothing.
    virtual int OnConfirm();

    // ---- Accessors and commands ----
    int GetViewId() const { return viewId; }
    void SetViewId(int newId) { viewId = newId; }
    unsigned int GetViewFlags() const { return viewFlags; }
    void SetViewFlags(unsigned int newFlags) { viewFlags = newFlags; }
    // The title bar, for the code that knows its class (controls/CKTitle.h); the view itself
    // uses it only as the CKTitleBar it is (GetTitleBar).
    CKTitle* GetTitle() const { return title; }
    CKTitleBar* GetTitleBar() const { return titleBar; }
    // Reference swap; none removes the title. A template so that the caller, which knows the
    // bar's class, converts it to both the pointers the view keeps.
    template <class Bar>
    void SetTitle(Bar* newTitle) { SwapTitle(newTitle, newTitle); }
    void SetTitle(std::nullptr_t) { SwapTitle(nullptr, nullptr); }
    // 0 without a title.
    int SetTitleText(const wchar_t* text);
    KColor GetBackColor() const { return backColor; }
    void SetBackColor(KColor color);
    int GetTitleHeight() const { return titleHeight; }
    // CloseView(this).
    int Close();

    // The drawer panel: the old one is released, the new one referenced, disabled and hidden.
    void SetMenuCtrl(CKWindow* window);
    CKWindow* GetMenuCtrl() const { return menuCtrl; }
    int GetMenuWidth() const { return menuWidth; }
    int GetMenuOffset() const { return menuOffset; }
    // Clamps the drawer offset to [0, menuWidth] ([-menuWidth, 0] for a right drawer) and stores
    // it, moving title and container with it; the panel is hidden and disabled at 0, shown and
    // enabled when fully open, shown and disabled in between. 1, or 0 without drawer, panel or
    // window.
    int SetMenuOffset(int offset);
    // Slide the drawer open or closed (animated: a CKAniViewMenuCtrl, the open flag changing at
    // once; else at once, then OnViewMenuShow). 1, or 0 without drawer, panel or window.
    int OpenMenu(bool animated);
    int CloseMenu(bool animated);
    bool IsMenuOpen() const { return (viewFlags & KVF_DRAWER_OPEN) != 0; }

    // This view takes over `from`'s window and window-tree item (the item then names this view;
    // `from` is left without window). The start-up page hands its window to the first page so.
    void TakeOverWindow(CKView* from);

    // The band along the top and the sides in which the information gesture runs, in pixels
    // (UnitToPixels(32, 1), fixed by the first view initialised).
    static int GetEdgeBand();

protected:
    // Holds `bar` (one reference) and lets go of the previous title; `typed` is the same object.
    void SwapTitle(CKTitle* typed, CKTitleBar* bar);
    // The client rect shifted by the drawer offset: where title and container lie.
    RECT GetSlidRect() const;
    // Moves title and container to the current drawer offset.
    void LayoutContent();
    // Moves the drawer to `target` (animated or at once) and sets or clears the open flag.
    int SlideMenu(int target, bool open, bool animated);

    int reservedView = 0;
    int viewId = 0;
    unsigned int viewFlags = 0;         // KVF_* bits
    KColor backColor = 0xFF000000;
    int titleHeight = 0;                // set by OnSize
    CKTitle* title = nullptr;           // the title bar as its class: titleBar's object
    CKTitleBar* titleBar = nullptr;     // counted
    CKWindow* menuCtrl = nullptr;       // counted: the drawer panel
    int menuWidth;                      // two thirds of the smaller screen side
    int menuOffset = 0;                 // current horizontal displacement of title and content
};
