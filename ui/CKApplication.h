// The application object: the message loop on the entry thread, application messages (thread
// messages numbered KWM_APP_FIRST and above), the page registry, and the frame window that stands
// for the phone's screen (its class, its creation sized to the device metrics, its status bar).
// CLumoApp derives from it; there is exactly one, reachable through GetApp(). The view stack that
// decides which page is shown is ui/KViewStack.h.
#pragma once
#include <windows.h>

#include "foundation/CKObject.h"
#include "ui/CKThread.h"
#include "ui/KViewStack.h"

class CKView;

// First thread-message number that belongs to the application rather than to a window.
constexpr UINT KWM_APP_FIRST = 4096;

// Codes of OnSystemChange.
constexpr int KSYSCHANGE_COLORS = 1;          // system colours or theme changed
constexpr int KSYSCHANGE_FRAME_CREATED = 2;   // the frame window was created
constexpr int KSYSCHANGE_SCREEN_SIZE = 3;     // the screen was resized: views fit the frame again

class CKApplication : public CKThread
{
    K_DECLARE_CLASS(CKApplication)
public:
    CKApplication(HINSTANCE instance, const wchar_t* commandLine);
    ~CKApplication() override;

    // The message loop; returns the exit code (the quit message's wParam).
    int Run() override;
    virtual int OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Creates and shows the frame window with a client area of exactly the metric screen size
    // (CxScreen x CyScreen, width and height ordered by ScreenOrientation), then
    // OnSystemChange(2); returns 1 (also when the window could not be created).
    virtual int InitInstance();
    virtual void ExitInstance();
    virtual void CreatePages();
    // Codes 2 (frame window created) and 3 (screen resized): the back buffer is made again at
    // CxScreen x CyScreen and ScreenOrientation follows the frame's client area (2 when at
    // least as wide as high, else 0). Every code: each registered page's OnSystemChange, in
    // registry order. Code 1: system colours or theme changed.
    virtual void OnSystemChange(int code);
    virtual void Reserved1();
    virtual void Reserved2();
    // Every message of the frame window comes here first, so that the program can take the ones
    // the library leaves alone (data handed over by another process, dropped files, media keys):
    // 1 when it took the message and `result` is what the window procedure returns; 0 lets the
    // library handle it as usual.
    virtual int OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    HINSTANCE GetInstance() const { return instance; }
    const wchar_t* GetCommandLine() const { return commandLine; }

private:
    HINSTANCE instance;
    const wchar_t* commandLine;   // borrowed from the process; kept, never interpreted
};

// One message of the thread's queue by the loop's rules: thread messages from KWM_APP_FIRST on go
// to the application's OnAppMessage (when there is an application); a key press or release inside
// the current view goes to the view's OnViewKey first, which may take it; then the view's dialog
// navigation (IsDialogMessageW) runs: Tab moves the focus, Escape is the back action, and the
// arrows move the focus and Enter is the view's confirm action unless the focused control keeps
// them (CKWindow::GetDialogCode); whatever is left is translated and dispatched.
void KRunLoopMessage(MSG& msg);

// The one application object, or none outside its lifetime.
CKApplication* GetApp();
// The frame window, or none before InitInstance created it.
HWND GetFrameWindow();

// Page registry: holds one reference on each registered page, in registration order.
void AddPage(CKView* view);
// The first registered page with that view id, or none.
CKView* FindPage(int viewId);
// Destroys and releases the pages from the last registered to the first, then empties the registry
// and the view stack.
void DestroyPages();
// Number of registered pages, and page `index` in registration order (none outside the range).
int GetPageCount();
CKView* GetPageAt(int index);
// Takes the page out of the registry, destroys it and drops the registry's reference; 0 when it is
// not registered.
int RemovePage(CKView* view);
// Destroys the frame window if it exists, then posts the quit message; returns 1.
int Quit();

// Module steps, called by KInitLibrary / KTermLibrary.
void KInitAppModule(HINSTANCE instance);
void KTermAppModule();
