// Helpers of the window tests: a window that records what reaches its virtual operations, input
// posted to real HWNDs and delivered through the message queue, and a scope that owns the test's
// windows (destroying them at the end).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "graphics/KColor.h"
#include "ui/CKWindow.h"

// Records mouse, scroll, key, notification and state events as text, e.g. "mouse 33 10 20",
// "scroll 51 0 -1", "notify 7 4 0", "key 18 17", "state 8192"; counts paints and can fill a
// rectangle of its client area with a colour when painted.
class CRecordingWindow : public CKWindow
{
public:
    // Set to true by the destructor when given.
    explicit CRecordingWindow(bool* deleted = nullptr) : deleted(deleted) {}
    ~CRecordingWindow() override;

    int OnMouse(int code, int x, int y, int extra) override;
    void OnScroll(int code, int xPos, int yPos) override;
    int OnKey(int code, int key, int repeatFlags) override;
    int OnNotify(int notifyId, int code, INT_PTR param) override;
    void OnStateChanged(unsigned int changed) override;
    void OnStyleChanged(unsigned int changed) override;
    void OnActivate(int param) override;
    void OnPaint(CKCanvas* canvas) override;

    // The recorded events that start with `prefix` ("mouse", "scroll 50", ...).
    std::vector<std::string> Events(const std::string& prefix) const;

    std::vector<std::string> events;
    int paints = 0;
    bool fill = false;        // OnPaint fills fillRect with fillColor
    RECT fillRect = {};
    KColor fillColor = 0;
    bool* deleted;            // borrowed from the test
};

// Owns the windows a test creates: each is counted, created, moved and held with one reference;
// the end of the scope destroys every HWND still alive and lets go of the references.
class KWindowScope
{
public:
    KWindowScope();
    ~KWindowScope();

    // Creates `window` (style 0) under `parent` (none: the test frame) at `rect`; returns it, or
    // none when the creation failed.
    template <class T>
    T* Add(T* window, CKWindow* parent, unsigned int flags, const RECT& rect, int id = 0)
    {
        return Hold(window, parent, flags, rect, id) ? window : nullptr;
    }

    KWindowScope(const KWindowScope&) = delete;
    KWindowScope& operator=(const KWindowScope&) = delete;

private:
    bool Hold(CKWindow* window, CKWindow* parent, unsigned int flags, const RECT& rect, int id);

    std::vector<CKWindow*> windows;   // one reference each
};

// Posts a mouse message with (x, y) in the window's client coordinates.
void PostMouse(CKWindow* window, UINT message, int x, int y);
// A press, moves through `points` with the left button held, and a release at the last point.
void PostDrag(CKWindow* window, POINT press, const std::vector<POINT>& points);
// Runs the thread's queue until everything posted before this call has been handled.
void DeliverPosted();
// The back buffer's pixel at (x, y) as 0x00RRGGBB.
unsigned int BackBufferPixel(int x, int y);
// Fills the whole back buffer with one colour (0x00RRGGBB).
void FillBackBuffer(unsigned int rgb);
