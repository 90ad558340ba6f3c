// The recording window, the window scope and the input helpers of the window tests.
#include "WindowTestSupport.h"

#include "KTestSupport.h"
#include "graphics/CKCanvas.h"
#include "graphics/KGraphics.h"
#include "ui/KTimer.h"

CRecordingWindow::~CRecordingWindow()
{
    if (deleted)
        *deleted = true;
}

int CRecordingWindow::OnMouse(int code, int x, int y, int extra)
{
    events.push_back("mouse " + std::to_string(code) + " " + std::to_string(x) + " "
                     + std::to_string(y));
    return CKWindow::OnMouse(code, x, y, extra);
}

void CRecordingWindow::OnScroll(int code, int xPos, int yPos)
{
    events.push_back("scroll " + std::to_string(code) + " " + std::to_string(xPos) + " "
                     + std::to_string(yPos));
    CKWindow::OnScroll(code, xPos, yPos);
}

int CRecordingWindow::OnKey(int code, int key, int repeatFlags)
{
    events.push_back("key " + std::to_string(code) + " " + std::to_string(key) + " "
                     + std::to_string(repeatFlags));
    return 0;
}

int CRecordingWindow::OnNotify(int notifyId, int code, INT_PTR param)
{
    events.push_back("notify " + std::to_string(notifyId) + " " + std::to_string(code) + " "
                     + std::to_string((long long)param));
    return 0;
}

void CRecordingWindow::OnStateChanged(unsigned int changed)
{
    events.push_back("state " + std::to_string(changed));
    CKWindow::OnStateChanged(changed);
}

void CRecordingWindow::OnStyleChanged(unsigned int changed)
{
    events.push_back("style " + std::to_string(changed));
}

void CRecordingWindow::OnActivate(int param)
{
    events.push_back("activate " + std::to_string(param));
    CKWindow::OnActivate(param);
}

void CRecordingWindow::OnPaint(CKCanvas* canvas)
{
    paints++;
    if (fill) {
        canvas->SetBrushColor(fillColor);
        canvas->FillRect(fillRect);
    }
}

std::vector<std::string> CRecordingWindow::Events(const std::string& prefix) const
{
    std::vector<std::string> matching;
    for (const std::string& event : events)
        if (event.compare(0, prefix.size(), prefix) == 0)
            matching.push_back(event);
    return matching;
}

KWindowScope::KWindowScope()
{
    EnsureTestFrame();
}

KWindowScope::~KWindowScope()
{
    for (CKWindow* window : windows)
        if (window->GetItem())
            window->Destroy();
    for (CKWindow* window : windows)
        window->Release();
}

bool KWindowScope::Hold(CKWindow* window, CKWindow* parent, unsigned int flags, const RECT& rect,
                        int id)
{
    window->EnableRefCount();
    window->AddRef();
    windows.push_back(window);
    if (!window->Create(0, id, parent, flags))
        return false;
    window->Move(rect);
    return true;
}

void PostMouse(CKWindow* window, UINT message, int x, int y)
{
    const WPARAM buttons = (message == WM_LBUTTONUP) ? 0 : MK_LBUTTON;
    PostMessageW(window->GetHwnd(), message, buttons, MAKELPARAM((WORD)(short)x, (WORD)(short)y));
}

void PostDrag(CKWindow* window, POINT press, const std::vector<POINT>& points)
{
    PostMouse(window, WM_LBUTTONDOWN, press.x, press.y);
    POINT last = press;
    for (const POINT& point : points) {
        PostMouse(window, WM_MOUSEMOVE, point.x, point.y);
        last = point;
    }
    PostMouse(window, WM_LBUTTONUP, last.x, last.y);
}

void DeliverPosted()
{
    bool delivered = false;
    PostCall((INT_PTR)&delivered, 0, 0, [](INT_PTR flag, INT_PTR, INT_PTR) { *(bool*)flag = true; },
             0);
    PumpUntil([&] { return delivered; }, 5000);
}

unsigned int BackBufferPixel(int x, int y)
{
    const COLORREF color = GetPixel(GetBackBufferDC(), x, y);
    return (unsigned int)GetRValue(color) << 16 | (unsigned int)GetGValue(color) << 8
           | GetBValue(color);
}

void FillBackBuffer(unsigned int rgb)
{
    HDC dc = GetBackBufferDC();
    HBRUSH brush = CreateSolidBrush(RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF));
    RECT all = {0, 0, 4096, 4096};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
}
