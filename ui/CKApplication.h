// The application object: the message loop on the entry thread, application messages (thread
// messages numbered 4096 and above), the page registry and the frame window's class.
// CLumoApp derives from it; there is exactly one, reachable through GetApp().
#pragma once
#include <windows.h>

#include "foundation/CKObject.h"
#include "ui/CKThread.h"

class CKView;

// First thread-message number that belongs to the application rather than to a window.
constexpr UINT KWM_APP_FIRST = 4096;

class CKApplication : public CKThread
{
    K_DECLARE_CLASS(CKApplication)
public:
    CKApplication(HINSTANCE instance, const wchar_t* commandLine);
    ~CKApplication() override;

    // The message loop; returns the exit code (the quit message's wParam).
    int Run() override;
    virtual int OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Creates and shows the frame window; returns 1 (also when the window could not be created).
    virtual int InitInstance();
    virtual void ExitInstance();
    virtual void CreatePages();
    virtual void OnSystemChange(int code);
    virtual void Reserved1();
    virtual void Reserved2();

    HINSTANCE GetInstance() const { return instance; }
    const wchar_t* GetCommandLine() const { return commandLine; }

private:
    HINSTANCE instance;
    const wchar_t* commandLine;   // borrowed from the process; kept, never interpreted
};

// The one application object, or none outside its lifetime.
CKApplication* GetApp();
// The frame window, or none before InitInstance created it.
HWND GetFrameWindow();

// Page registry: holds one reference on each registered page, in registration order.
void AddPage(CKView* view);
// The first registered page with that view id, or none.
CKView* FindPage(int viewId);
// Destroys and releases the pages from the last registered to the first, then empties the registry.
void DestroyPages();
// The view on top of the view stack, or none.
CKView* GetCurrentView();
// Destroys the frame window if it exists, then posts the quit message; returns 1.
int Quit();

// Module steps, called by KInitLibrary / KTermLibrary.
void KInitAppModule(HINSTANCE instance);
void KTermAppModule();
