// The window tree's hot path: a drag-scroll through a vertically scrolling window that holds 200
// child windows (list rows of 320 x 40 that paint a rounded face and a text, transparent so each
// gets its parent painted beneath it), dragged through its whole extent in 60 moves. One move is
// the WM_MOUSEMOVE (new position, every child window moved) plus the repaint of what became
// invalid; the target is under 8 ms, a frame at 120 Hz with room to spare.
#include <windows.h>

#include <cstdio>

#include "KBench.h"
#include "graphics/CKCanvas.h"
#include "ui/CKApplication.h"
#include "ui/CKWindow.h"

namespace {

constexpr int SCREEN_WIDTH = 320;
constexpr int SCREEN_HEIGHT = 480;
constexpr int ROW_COUNT = 200;
constexpr int ROW_HEIGHT = 40;
constexpr int MOVES = 60;
constexpr double FRAME_BUDGET_MS = 8.0;
constexpr KColor LIST_COLOR = 0xFFF0F0F0;
constexpr KColor ROW_COLOR = 0xFFFFFFFF;
constexpr KColor TEXT_COLOR = 0xFF202020;

// The frame window's owner; the window tree hangs below its frame.
class CBenchApp : public CKApplication
{
public:
    CBenchApp() : CKApplication(GetModuleHandleW(nullptr), L"") {}
};

// The scrolling window: paints its background over what it shows, as a page's container does.
class CBenchList : public CKWindow
{
public:
    void OnPaint(CKCanvas* canvas) override
    {
        RECT client;
        GetClientRect(&client);
        canvas->SetBrushColor(LIST_COLOR);
        canvas->FillRect(client);
    }
};

// One list row: a rounded face inset by 4 pixels and its caption.
class CBenchRow : public CKWindow
{
public:
    explicit CBenchRow(int index) : index(index) {}

    void OnPaint(CKCanvas* canvas) override
    {
        RECT client;
        GetClientRect(&client);
        InflateRect(&client, -4, -2);
        canvas->SetBrushColor(ROW_COLOR);
        canvas->FillRoundRect(client, 8, 8, KCORNER_ALL);
        wchar_t text[32];
        wsprintfW(text, L"Row %d", index);
        canvas->SetTextColor(TEXT_COLOR);
        canvas->DrawText(text, -1, client, KDT_LEFT);
    }

private:
    int index;
};

struct KMoveCost
{
    double total;   // move plus repaint
    double move;    // the WM_MOUSEMOVE alone (position, child windows moved, invalidation)
};

// Processor time the calling thread has used, in milliseconds (kernel and user). It leaves out
// the time spent waiting for the window server, which the wall clock includes.
double ThreadCpuMs()
{
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0;
    const ULONGLONG k = (ULONGLONG)kernel.dwHighDateTime << 32 | kernel.dwLowDateTime;
    const ULONGLONG u = (ULONGLONG)user.dwHighDateTime << 32 | user.dwLowDateTime;
    return (double)(k + u) / 10000.0;
}

} // namespace

int main()
{
    KBenchLibrary library;
    CBenchApp app;
    app.InitInstance();
    if (!GetFrameWindow()) {
        printf("Window tree: no frame window (no display)\n");
        return 1;
    }

    CKWindow* list = new CBenchList();
    list->EnableRefCount();
    list->AddRef();
    if (!list->Create(0, 1, nullptr, KWF_OPAQUE | KWF_VSCROLL)) {
        printf("Window tree: the list window could not be created\n");
        list->Release();
        return 1;
    }
    list->Move(RECT{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT});
    for (int i = 0; i < ROW_COUNT; i++) {
        CBenchRow* row = new CBenchRow(i);
        row->EnableRefCount();
        if (row->Create(0, 100 + i, list, 0))
            row->Move(RECT{0, i * ROW_HEIGHT, SCREEN_WIDTH, (i + 1) * ROW_HEIGHT});
    }
    const int extent = ROW_COUNT * ROW_HEIGHT;
    const int maxOffset = extent - SCREEN_HEIGHT;
    list->SetScrollExtent(0, extent);
    HWND hwnd = list->GetHwnd();
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    printf("Window tree: drag-scroll of %d rows (%d x %d, transparent) through %d pixels in %d "
           "moves\n",
           ROW_COUNT, SCREEN_WIDTH, ROW_HEIGHT, maxOffset, MOVES);
    const int pressY = SCREEN_HEIGHT - 10;
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(SCREEN_WIDTH / 2, pressY));
    KMoveCost costs[MOVES];
    double cpuScroll = 0, cpuPaint = 0;
    for (int k = 1; k <= MOVES; k++) {
        const int y = pressY - maxOffset * k / MOVES;
        const double cpu0 = ThreadCpuMs();
        const double start = NowMs();
        SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON,
                     MAKELPARAM(SCREEN_WIDTH / 2, (WORD)(short)y));
        const double moved = NowMs();
        const double cpu1 = ThreadCpuMs();
        RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        costs[k - 1] = {NowMs() - start, moved - start};
        cpuScroll += cpu1 - cpu0;
        cpuPaint += ThreadCpuMs() - cpu1;
    }
    SendMessageW(hwnd, WM_LBUTTONUP, 0,
                 MAKELPARAM(SCREEN_WIDTH / 2, (WORD)(short)(pressY - maxOffset)));

    double sum = 0, worst = 0, moveSum = 0, moveWorst = 0;
    for (const KMoveCost& cost : costs) {
        sum += cost.total;
        moveSum += cost.move;
        if (cost.total > worst)
            worst = cost.total;
        if (cost.move > moveWorst)
            moveWorst = cost.move;
    }
    int position = 0;
    list->GetScrollPos(nullptr, &position);
    PrintFigure("one move, scroll and repaint, mean", sum / MOVES, "ms");
    PrintFigure("one move, scroll and repaint, worst", worst, "ms");
    PrintFigure("of which the scroll (child windows moved), mean", moveSum / MOVES, "ms");
    PrintFigure("of which the scroll (child windows moved), worst", moveWorst, "ms");
    PrintFigure("processor time of the UI thread per move, mean", (cpuScroll + cpuPaint) / MOVES,
                "ms");
    PrintFigure("of which the scroll", cpuScroll / MOVES, "ms");
    PrintFigure("of which the repaint", cpuPaint / MOVES, "ms");
    PrintFigure("final position (expected the maximum offset)", position, "px");
    printf("  target: under %.0f ms a move: %s\n", FRAME_BUDGET_MS,
           worst < FRAME_BUDGET_MS ? "met" : "missed");

    list->Destroy();
    list->Release();
    return 0;
}
