// Thread timers and deferred calls, through the real message queue of the test's frame window.
#include <gtest/gtest.h>

#include <vector>

#include "KTestSupport.h"
#include "ui/KTimer.h"

namespace {

std::vector<int>* g_order;

void Record(INT_PTR a, INT_PTR, INT_PTR)
{
    g_order->push_back((int)a);
}

constexpr UINT WM_TEST_MARK = WM_APP + 7;

LRESULT CALLBACK MarkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TEST_MARK) {
        g_order->push_back((int)wParam);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateMarkWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = MarkWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LumoTestMark";
    RegisterClassW(&wc);
    return CreateWindowW(L"LumoTestMark", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         wc.hInstance, nullptr);
}

struct TickCounter
{
    int ticks = 0;
    DWORD first = 0;
    DWORD last = 0;
};

void CountTick(INT_PTR param)
{
    TickCounter* counter = reinterpret_cast<TickCounter*>(param);
    DWORD now = GetTickCount();
    if (counter->ticks++ == 0)
        counter->first = now;
    counter->last = now;
}

} // namespace

TEST(PostCall, ImmediateCallRunsAfterMessagesAlreadyQueuedInOrder)
{
    ASSERT_TRUE(EnsureTestFrame());
    std::vector<int> order;
    g_order = &order;
    HWND mark = CreateMarkWindow();
    PostMessageW(mark, WM_TEST_MARK, 1, 0);
    ASSERT_TRUE(PostCall(2, 0, 0, Record, 0));
    PostMessageW(mark, WM_TEST_MARK, 3, 0);
    ASSERT_TRUE(PostCall(4, 0, 0, Record, 0));
    EXPECT_TRUE(order.empty()) << "a posted call never runs inside PostCall";
    PumpUntil([&] { return order.size() == 4; }, 2000);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
    DestroyWindow(mark);
    g_order = nullptr;
}

TEST(PostCall, DelayedCallRunsOnceAfterItsDelayAndLeavesNoTimer)
{
    ASSERT_TRUE(EnsureTestFrame());
    std::vector<int> order;
    g_order = &order;
    DWORD start = GetTickCount();
    ASSERT_TRUE(PostCall(7, 0, 0, Record, 300));
    PumpUntil([&] { return !order.empty(); }, 3000);
    DWORD elapsed = GetTickCount() - start;
    ASSERT_EQ(order, std::vector<int>{7});
    EXPECT_GE(elapsed, 280u);
    // The delay's timer must be gone: nothing runs again, and a fresh timer can still be started.
    PumpMessagesFor(700);
    EXPECT_EQ(order.size(), 1u);
    g_order = nullptr;
}

TEST(Timers, TwoTimersReachTheirOwnCallbacksUntilStopped)
{
    TickCounter fast, slow;
    KTimerItem* a = StartTimer(20, CountTick, (INT_PTR)&fast);
    KTimerItem* b = StartTimer(100, CountTick, (INT_PTR)&slow);
    ASSERT_TRUE(a);
    ASSERT_TRUE(b);
    EXPECT_NE(a->timerId, b->timerId);
    PumpMessagesFor(550);
    EXPECT_EQ(StopTimer(a), 1);
    EXPECT_EQ(StopTimer(b), 1);
    EXPECT_GE(fast.ticks, 10);
    EXPECT_GE(slow.ticks, 3);
    EXPECT_LE(slow.ticks, 6);
    EXPECT_GT(fast.ticks, 2 * slow.ticks);
    int fastAfterStop = fast.ticks, slowAfterStop = slow.ticks;
    PumpMessagesFor(250);
    EXPECT_EQ(fast.ticks, fastAfterStop);
    EXPECT_EQ(slow.ticks, slowAfterStop);
}

TEST(PostCall, CancelledCallsOfAnOwnerNeverRunAndOthersStillDo)
{
    ASSERT_TRUE(EnsureTestFrame());
    std::vector<int> order;
    g_order = &order;
    int gone = 0, kept = 0;   // two owners; only their addresses matter
    ASSERT_TRUE(PostCall(1, 0, 0, Record, 0, &gone));
    ASSERT_TRUE(PostCall(2, 0, 0, Record, 0, &kept));
    ASSERT_TRUE(PostCall(3, 0, 0, Record, 100, &gone));
    ASSERT_TRUE(PostCall(4, 0, 0, Record, 0));
    ASSERT_TRUE(PostCall(5, 0, 0, Record, 100, &kept));
    CancelPostedCalls(&gone);
    CancelPostedCalls(nullptr);
    PumpUntil([&] { return order.size() == 3; }, 3000);
    PumpMessagesFor(300);
    EXPECT_EQ(order, (std::vector<int>{2, 4, 5})) << "waiting in the queue or on its delay alike";
    // The owner may post again after cancelling: a later call runs.
    order.clear();
    ASSERT_TRUE(PostCall(6, 0, 0, Record, 0, &gone));
    PumpUntil([&] { return !order.empty(); }, 2000);
    EXPECT_EQ(order, std::vector<int>{6});
    g_order = nullptr;
}
