// The view stack: which page (CKView) is current, to which page the back action returns, and the
// overlay variant dialogs use. Views are placed in the frame window's client area, below the
// status bar unless full screen. The stack holds no references: pages belong to the page registry
// (ui/CKApplication.h), dialogs to the dialog framework. The current view, the stack and its depth
// change only through these operations; all run on the UI thread.
#pragma once
#include <windows.h>

class CKView;

// Entries of the stack.
constexpr int KVIEW_STACK_SIZE = 16;
// Window flags of a page's window: opaque, a control parent, a tab stop, repainting on change.
constexpr unsigned int KVIEW_PAGE_FLAGS = 0x70100000;
// Window flags of an overlay's window: as a page's, but not opaque.
constexpr unsigned int KVIEW_OVERLAY_FLAGS = 0x70000000;

// The registered page with that id: 0 when there is none, 1 at once when it is current, else
// ShowView.
int ShowPage(int viewId);
// Creates the view's window when it has none (placed by GetViewRect), unwinds the stack to it when
// it is already on it (each view above gets OnDeactivate(0) and is hidden; the view then gets
// OnActivate(1)), else deactivates (OnDeactivate(1)) and hides the current view and pushes it.
// The view becomes current, is shown and takes the focus unless it holds it. 0 when its window
// cannot be created, or when it is not on the stack and the stack is full (nothing changes).
int ShowView(CKView* view);
// Only for the current view: OnDeactivate(0), hidden, popped; no view is current afterwards.
int HideView(CKView* view);
// Only for the current view: HideView, then ShowView of the new top, or Quit when the stack is
// empty (closing the last view ends the program).
int CloseView(CKView* view);
// Dialogs: creates the overlay's window over the current view when it has none, disables the
// current view and shows the overlay. 0 when the stack is full or the window cannot be created.
int ShowOverlay(CKView* view);
// Only for the current view with a window: HideView, the new top re-enabled and shown again.
int EndOverlay(CKView* view);
// Takes a view that is on the stack but not current out of it (a dialog ending beneath another
// one); the entries above it move down. 0 when it is current or not on the stack.
int RemoveFromViewStack(CKView* view);
// The current view while the stack is not empty, else none.
CKView* GetCurrentView();
int GetViewStackDepth();
// Entry `index` (0 = bottom), or none outside 0..depth-1.
CKView* GetViewStackEntry(int index);

// The rectangle of a view with those view flags in the frame's client area: the whole client
// area with KVF_FULLSCREEN, else the part below the status bar. 0 without a frame window.
int GetViewRect(unsigned int viewFlags, RECT* rect);

// The first real page takes the start-up page's place: only when registry entry 0 is the start-up
// page (CKStartupView), entry 1 exists, and the stack holds just the start-up page. The page takes
// over its window, becomes entry 0 and current (OnCreate, OnActivate(0), OnSize, repaint); the
// start-up page leaves the registry and is destroyed. 1 on success.
int ReplaceStartupView();

// Empties the stack; no view is current (DestroyPages).
void KResetViewStack();
