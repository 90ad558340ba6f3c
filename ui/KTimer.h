// Thread timers and deferred calls: every timer, animation tick and "run this after the current
// message" of the library goes through here, on the one UI thread.
#pragma once
#include <windows.h>

#include "foundation/CKList.h"

// Called with the parameter given to StartTimer, on every tick.
typedef void (*KTimerProc)(INT_PTR param);
// Called with the three arguments given to PostCall.
typedef void (*KCallProc)(INT_PTR a, INT_PTR b, INT_PTR c);

// One running thread timer; its address is the timer's handle.
struct KTimerItem
{
    UINT_PTR timerId;     // the id the system gave the thread timer
    int period;           // milliseconds
    KTimerProc callback;
    INT_PTR param;
};

// Starts a repeating thread timer; returns its handle, or none when the system has no timer left.
KTimerItem* StartTimer(int periodMs, KTimerProc callback, INT_PTR param);
// Kills the timer and forgets its record; returns 1.
int StopTimer(KTimerItem* timer);

// Runs callback(a, b, c) on the UI thread after the messages already queued (delayMs 0), or
// delayMs milliseconds after the posted call is taken from the queue. Posts message 1025 to the
// frame window; returns what PostMessageW returns, 0 when the record could not be allocated.
// A call that acts on an object which may be gone before the call runs names that object as its
// `owner`: the owner's destructor cancels it with CancelPostedCalls.
int PostCall(INT_PTR a, INT_PTR b, INT_PTR c, KCallProc callback, int delayMs,
             const void* owner = nullptr);
// Every call posted with `owner` that has not run yet will not run (its record is still freed
// when its message or its delay comes). Calls of other owners, and calls without one, still run.
// Nothing for no owner.
void CancelPostedCalls(const void* owner);

// Message number of deferred calls and application messages sent to the frame window.
constexpr UINT KWM_POSTCALL = 1025;
// wParam of KWM_POSTCALL: lParam is a posted call (otherwise an application message record).
constexpr WPARAM KPOST_CALL = 1;
constexpr WPARAM KPOST_APPMESSAGE = 0;

// Delivers OnAppMessage(message, wParam, lParam) through the frame window's queue, after the
// messages already queued; returns what PostMessageW returns.
int PostApplicationMessage(UINT message, WPARAM wParam, LPARAM lParam);

// Runs what message 1025 carries; the frame window procedure calls this.
void RunPostedMessage(WPARAM kind, LPARAM record);

// Module steps, called by KInitLibrary / KTermLibrary.
void KInitTimers();
void KTermTimers();
