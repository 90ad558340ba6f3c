// List box measurements through the real window procedure.
#include "KBenchListBox.h"

#include "KBench.h"
#include "controls/CKListBox.h"

namespace {

// Frames of a drag: the pointer moves 3 pixels per frame.
constexpr int FRAMES = 100;
constexpr int FRAME_STEP = 3;
constexpr int HIT_TESTS = 1000000;
constexpr int TAPS = 2000;

void Send(CKListBox* list, UINT message, int x, int y)
{
    SendMessageW(list->GetHwnd(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                 MAKELPARAM(x, y));
}

SIZE ClientSize(const CKListBox* list)
{
    RECT client = {0, 0, 0, 0};
    list->GetClientRect(&client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

} // namespace

double DragFrames(CKListBox* list, int start, int direction)
{
    list->ScrollTo(0, start);
    UpdateWindow(list->GetHwnd());
    const SIZE size = ClientSize(list);
    const int x = size.cx / 2;
    int y = direction < 0 ? size.cy * 5 / 6 : size.cy / 6;
    Send(list, WM_LBUTTONDOWN, x, y);
    const double begin = NowMs();
    for (int frame = 0; frame < FRAMES; frame++) {
        y += direction * FRAME_STEP;
        Send(list, WM_MOUSEMOVE, x, y);
        UpdateWindow(list->GetHwnd());
    }
    GdiFlush();
    const double elapsed = NowMs() - begin;
    Send(list, WM_LBUTTONUP, x, y);
    return elapsed / FRAMES;
}

double HitTests(CKListBox* list, int start)
{
    list->ScrollTo(0, start);
    const SIZE size = ClientSize(list);
    volatile int sink = 0;
    const double begin = NowMs();
    for (int i = 0; i < HIT_TESTS; i++)
        sink = sink + list->HitTest(size.cx / 2, i % size.cy);
    return (NowMs() - begin) * 1e6 / HIT_TESTS;
}

double Taps(CKListBox* list, int start)
{
    list->ScrollTo(0, start);
    const SIZE size = ClientSize(list);
    const int row = list->GetDefaultItemHeight();
    // Rows wholly inside the client area, keeping one row's distance from either edge.
    int rows = size.cy / row - 3;
    if (rows < 1)
        rows = 1;
    const double begin = NowMs();
    for (int i = 0; i < TAPS; i++) {
        const int y = row + row / 2 + (i % rows) * row;
        Send(list, WM_LBUTTONDOWN, size.cx / 2, y);
        Send(list, WM_LBUTTONUP, size.cx / 2, y);
    }
    return (NowMs() - begin) * 1000.0 / TAPS;
}

int BottomScrollPos(const CKListBox* list)
{
    int extent = 0;
    list->GetScrollExtent(nullptr, &extent);
    const int bottom = extent - ClientSize(list).cy;
    return bottom > 0 ? bottom : 0;
}
