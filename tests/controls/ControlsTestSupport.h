// Helpers of the control tests: a parent window that records the notifications its children
// send, a scope that owns the test's windows, real input posted to HWNDs and delivered through
// the message queue, back-buffer pixels, and drawables and image lists made at test time.
#pragma once
#include <windows.h>

#include <vector>

#include "graphics/KColor.h"
#include "ui/CKWindow.h"

class CKColorDrawable;
class CKDrawable;
class CKImgList;

// One OnNotify(id, code, param) as it reached the parent.
struct KNotice
{
    int id;
    int code;
    long long param;
    bool operator==(const KNotice& other) const
    {
        return id == other.id && code == other.code && param == other.param;
    }
};

// A parent window that records every notification of its children.
class CNoticeHost : public CKWindow
{
public:
    int OnNotify(int notifyId, int code, INT_PTR param) override;
    // The recorded notifications with that code.
    std::vector<KNotice> WithCode(int code) const;

    std::vector<KNotice> notices;
};

// Owns the windows a test creates: each is counted, created, moved and held with one reference;
// the end of the scope destroys every HWND still alive and lets go of the references.
class KControlScope
{
public:
    KControlScope();
    ~KControlScope();

    // Creates `window` with `style` under `parent` (none: the test frame) at `rect`; returns it,
    // or none when the creation failed.
    template <class T>
    T* Add(T* window, CKWindow* parent, unsigned int style, unsigned int flags, const RECT& rect,
           int id)
    {
        return Hold(window, parent, style, flags, rect, id) ? window : nullptr;
    }
    // An opaque recording host covering the frame's client area at (0, 0), so that its client
    // coordinates are those of the back buffer.
    CNoticeHost* AddHost();

    KControlScope(const KControlScope&) = delete;
    KControlScope& operator=(const KControlScope&) = delete;

private:
    bool Hold(CKWindow* window, CKWindow* parent, unsigned int style, unsigned int flags,
              const RECT& rect, int id);

    std::vector<CKWindow*> windows;   // one reference each
};

// Posts a mouse message with (x, y) in the window's client coordinates (the left button held
// except for WM_LBUTTONUP).
void PostMouse(CKWindow* window, UINT message, int x, int y);
// Posts a key message (WM_KEYDOWN, WM_KEYUP or WM_CHAR).
void PostKey(CKWindow* window, UINT message, WPARAM key);
// A press and a release at (x, y), delivered.
void Tap(CKWindow* window, int x, int y);
// Runs the thread's queue until everything posted before this call has been handled.
void DeliverPosted();
// Repaints the window now through the platform (WM_PAINT).
void RepaintNow(CKWindow* window);
// The back buffer's pixel at (x, y) as 0x00RRGGBB.
unsigned int BackBufferPixel(int x, int y);

// Colours of the library's looks, 0x00RRGGBB.
constexpr unsigned int BUTTON_NORMAL = 0xF8F8F8;    // "DefButtonFace"
constexpr unsigned int BUTTON_PRESSED = 0xD3E6F9;   // "DefButtonFace", pressed
constexpr unsigned int BUTTON_CHECKED = 0x2372CC;   // "DefButtonFaceCheck"
constexpr unsigned int TITLE_FACE = 0x2E3241;       // "DefTitleFace"

// Margin plus padding of each side of a drawable (lengths in drawable files are converted at the
// screen's resolution, so tests take them from the drawable); all 0 for none.
RECT Insets(const CKDrawable* drawable);

// A solid colour face (counted, one reference for the caller; none: a face that paints nothing)
// with `padding` on every side.
CKColorDrawable* MakeFace(const KColor* color, int padding);
// An image list of `count` cells of `cell` x `cell` pixels in one row, cell i filled with the
// opaque colour colors[i] (0x00RRGGBB); counted, one reference for the caller.
CKImgList* MakeImgList(int cell, const std::vector<unsigned int>& colors);
