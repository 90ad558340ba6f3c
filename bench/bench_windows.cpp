// The window tree's hot path: a drag-scroll through a vertically scrolling window that holds 200
// child windows (list rows of 320 x 40 that paint a rounded face and a text, transparent so each
// gets its parent painted beneath it), dragged through its whole extent in 60 moves. One move is
// the WM_MOUSEMOVE (new position, child windows moved) plus the repaint of what became invalid;
// the target is under 8 ms, a frame at 120 Hz with room to spare. Side by side, in turns, the same
// window whose scrolling moves every child, as a straightforward window tree would.
#include <windows.h>

#include <cstdio>
#include <vector>

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
constexpr int ROUNDS = 3;
// Time given to the settling after a release.
constexpr double SETTLE_MS = 600;
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

// The baseline: every child window moved at every step of the scroll.
class CBenchMoveAllList : public CBenchList
{
public:
    void OnScroll(int, int, int yPos) override
    {
        const int dy = yPos - applied;
        applied = yPos;
        for (CKWindow* child = GetFirstChild(); child && dy; child = child->GetNextSibling()) {
            RECT rect;
            if (child->GetRectInParent(&rect))
                SetWindowPos(child->GetHwnd(), nullptr, rect.left, rect.top - dy, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW
                                 | SWP_NOCOPYBITS);
        }
        Invalidate();
    }

private:
    int applied = 0;
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

// A list of ROW_COUNT rows, created and painted.
CKWindow* MakeList(CKWindow* list)
{
    list->EnableRefCount();
    list->AddRef();
    if (!list->Create(0, 1, nullptr, KWF_OPAQUE | KWF_VSCROLL)) {
        list->Release();
        return nullptr;
    }
    list->Move(RECT{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT});
    for (int i = 0; i < ROW_COUNT; i++) {
        CBenchRow* row = new CBenchRow(i);
        row->EnableRefCount();
        if (row->Create(0, 100 + i, list, 0))
            row->Move(RECT{0, i * ROW_HEIGHT, SCREEN_WIDTH, (i + 1) * ROW_HEIGHT});
    }
    list->SetScrollExtent(0, ROW_COUNT * ROW_HEIGHT);
    RedrawWindow(list->GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return list;
}

// One drag from the top to the end and back to the top, MOVES moves each way; appends each
// move's cost.
void Drag(CKWindow* list, std::vector<KMoveCost>& costs, double& cpuScroll, double& cpuPaint)
{
    HWND hwnd = list->GetHwnd();
    const int maxOffset = ROW_COUNT * ROW_HEIGHT - SCREEN_HEIGHT;
    const int pressY = SCREEN_HEIGHT - 10;
    for (int direction : {1, -1}) {
        const int from = direction > 0 ? pressY : pressY - maxOffset;
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(SCREEN_WIDTH / 2, (WORD)(short)from));
        int y = from;
        for (int k = 1; k <= MOVES; k++) {
            y = from - direction * maxOffset * k / MOVES;
            const double cpu0 = ThreadCpuMs();
            const double start = NowMs();
            SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(SCREEN_WIDTH / 2, (WORD)(short)y));
            const double moved = NowMs();
            const double cpu1 = ThreadCpuMs();
            RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            costs.push_back({NowMs() - start, moved - start});
            cpuScroll += cpu1 - cpu0;
            cpuPaint += ThreadCpuMs() - cpu1;
        }
        SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(SCREEN_WIDTH / 2, (WORD)(short)y));
        // Let the release's settling animation end before the next drag.
        const double until = NowMs() + SETTLE_MS;
        MSG msg;
        while (NowMs() < until) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            Sleep(1);
        }
    }
}

void Report(const char* what, const std::vector<KMoveCost>& costs, double cpuScroll, double cpuPaint)
{
    std::vector<double> totals, moves;
    for (const KMoveCost& cost : costs) {
        totals.push_back(cost.total);
        moves.push_back(cost.move);
    }
    char label[128];
    snprintf(label, sizeof(label), "%s: one move, scroll and repaint, median", what);
    PrintFigure(label, Median(totals), "ms");
    snprintf(label, sizeof(label), "%s: one move, spread (max - min)", what);
    PrintFigure(label, Spread(totals), "ms");
    snprintf(label, sizeof(label), "%s: of which the scroll (child windows moved), median", what);
    PrintFigure(label, Median(moves), "ms");
    snprintf(label, sizeof(label), "%s: processor time of the UI thread per move, mean", what);
    PrintFigure(label, (cpuScroll + cpuPaint) / costs.size(), "ms");
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
    CKWindow* lists[2] = {MakeList(new CBenchList()), MakeList(new CBenchMoveAllList())};
    if (!lists[0] || !lists[1]) {
        printf("Window tree: the list windows could not be created\n");
        return 1;
    }
    printf("Window tree: drag-scroll of %d rows (%d x %d, transparent) through %d pixels in %d "
           "moves each way, %d rounds in turns with a window that moves every child\n",
           ROW_COUNT, SCREEN_WIDTH, ROW_HEIGHT, ROW_COUNT * ROW_HEIGHT - SCREEN_HEIGHT, MOVES,
           ROUNDS);
    std::vector<KMoveCost> costs[2];
    double cpuScroll[2] = {0, 0}, cpuPaint[2] = {0, 0};
    for (int round = 0; round < ROUNDS; round++) {
        for (int which = 0; which < 2; which++) {
            ShowWindow(lists[which]->GetHwnd(), SW_SHOW);
            ShowWindow(lists[1 - which]->GetHwnd(), SW_HIDE);
            Drag(lists[which], costs[which], cpuScroll[which], cpuPaint[which]);
        }
    }
    int position = -1;
    lists[0]->GetScrollPos(nullptr, &position);
    Report("library", costs[0], cpuScroll[0], cpuPaint[0]);
    Report("every child moved", costs[1], cpuScroll[1], cpuPaint[1]);
    PrintFigure("final position (expected 0, back at the top)", position, "px");
    std::vector<double> totals;
    for (const KMoveCost& cost : costs[0])
        totals.push_back(cost.total);
    printf("  target: under %.0f ms a move (median): %s\n", FRAME_BUDGET_MS,
           Median(totals) < FRAME_BUDGET_MS ? "met" : "missed");
    for (CKWindow* list : lists) {
        list->Destroy();
        list->Release();
    }
    return 0;
}
