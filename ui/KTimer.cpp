// Thread timers kept in one list, and deferred calls carried by message 1025 to the frame window.
#include "ui/KTimer.h"

#include "foundation/KMemory.h"
#include "ui/CKApplication.h"

namespace {

// Timer records are pooled 42 at a time; the list is searched linearly on each tick, which suits
// the handful of timers alive at once.
constexpr int TIMER_NODES_PER_BLOCK = 42;

CKListT<KTimerItem>* g_timers;    // owned; created by KInitTimers

// One deferred call; allocated by PostCall, freed by whoever runs it (or drops it).
struct KPostedCall
{
    INT_PTR a, b, c;
    KCallProc callback;     // none once cancelled
    INT_PTR delay;          // milliseconds; 0 runs at once when taken from the queue
    KTimerItem* timer;      // while a delayed call waits
    const void* owner;      // borrowed, compared only: the object the call acts on, or none
    KPostedCall* nextOwned; // borrowed: the next waiting call that has an owner
};

// The waiting calls that have an owner, newest first: CancelPostedCalls searches them. A call
// leaves the chain when its record is freed.
KPostedCall* g_ownedCalls;

// The record of an application message posted through the frame window.
struct KAppMessage
{
    INT_PTR message;
    INT_PTR wParam;
    INT_PTR lParam;
};

void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!g_timers)
        return;
    for (KTimerItem* item = g_timers->GetHead(); item; item = g_timers->GetNext(item)) {
        if (item->timerId == id) {
            item->callback(item->param);
            return;
        }
    }
}

// Frees the record, taking it out of the chain of owned calls first.
void FreeCall(KPostedCall* call)
{
    if (call->owner) {
        for (KPostedCall** link = &g_ownedCalls; *link; link = &(*link)->nextOwned) {
            if (*link == call) {
                *link = call->nextOwned;
                break;
            }
        }
    }
    KFree(call);
}

void RunCall(KPostedCall* call)
{
    // Out of the chain before the callback runs: the callback may destroy the owner, whose
    // destructor then finds no call of its own waiting.
    const KPostedCall run = *call;
    FreeCall(call);
    if (run.callback)
        run.callback(run.a, run.b, run.c);
}

// The delayed call's timer fires once: stop it first, so the callback may post or start timers.
void OnDelayElapsed(INT_PTR param)
{
    KPostedCall* call = reinterpret_cast<KPostedCall*>(param);
    StopTimer(call->timer);
    call->timer = nullptr;
    RunCall(call);
}

} // namespace

KTimerItem* StartTimer(int periodMs, KTimerProc callback, INT_PTR param)
{
    if (!g_timers || !callback)
        return nullptr;
    KTimerItem* item = g_timers->AddTail();
    if (!item)
        return nullptr;
    item->period = periodMs;
    item->callback = callback;
    item->param = param;
    item->timerId = SetTimer(nullptr, 1, (UINT)periodMs, TimerProc);
    if (!item->timerId) {
        g_timers->Remove(item, nullptr, nullptr);
        return nullptr;
    }
    return item;
}

int StopTimer(KTimerItem* timer)
{
    if (!timer || !g_timers)
        return 0;
    KillTimer(nullptr, timer->timerId);
    g_timers->Remove(timer, nullptr, nullptr);
    return 1;
}

int PostCall(INT_PTR a, INT_PTR b, INT_PTR c, KCallProc callback, int delayMs,
             const void* owner)
{
    KPostedCall* call = static_cast<KPostedCall*>(KAlloc(sizeof(KPostedCall)));
    if (!call)
        return 0;
    *call = KPostedCall{a, b, c, callback, delayMs, nullptr, owner, nullptr};
    if (owner) {
        call->nextOwned = g_ownedCalls;
        g_ownedCalls = call;
    }
    BOOL posted = PostMessageW(GetFrameWindow(), KWM_POSTCALL, KPOST_CALL, (LPARAM)call);
    if (!posted)
        FreeCall(call);
    return posted;
}

void CancelPostedCalls(const void* owner)
{
    if (!owner)
        return;
    for (KPostedCall* call = g_ownedCalls; call; call = call->nextOwned)
        if (call->owner == owner)
            call->callback = nullptr;
}

int PostApplicationMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    KAppMessage* record = static_cast<KAppMessage*>(KAlloc(sizeof(KAppMessage)));
    if (!record)
        return 0;
    *record = KAppMessage{(INT_PTR)message, (INT_PTR)wParam, (INT_PTR)lParam};
    BOOL posted = PostMessageW(GetFrameWindow(), KWM_POSTCALL, KPOST_APPMESSAGE, (LPARAM)record);
    if (!posted)
        KFree(record);
    return posted;
}

void RunPostedMessage(WPARAM kind, LPARAM record)
{
    if (kind == KPOST_CALL) {
        KPostedCall* call = reinterpret_cast<KPostedCall*>(record);
        if (call->delay != 0) {
            call->timer = StartTimer((int)call->delay, OnDelayElapsed, (INT_PTR)call);
            if (!call->timer)
                FreeCall(call);   // no timer left: dropped like a call that could not be posted
            return;
        }
        RunCall(call);
        return;
    }
    KAppMessage* message = reinterpret_cast<KAppMessage*>(record);
    if (CKApplication* app = GetApp())
        app->OnAppMessage((UINT)message->message, (WPARAM)message->wParam, (LPARAM)message->lParam);
    KFree(message);
}

void KInitTimers()
{
    if (!g_timers)
        g_timers = new CKListT<KTimerItem>(TIMER_NODES_PER_BLOCK);
}

void KTermTimers()
{
    delete g_timers;
    g_timers = nullptr;
}
