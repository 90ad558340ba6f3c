// CKAnimate: the driver of every moving thing in the UI. An animation belongs to one window
// (CKWindow::StartAnimation), ticks every 10 ms through deferred calls of the message loop,
// computes its progress in thousandths from the elapsed time and calls its subclass's OnBegin,
// OnStep and OnEnd; subclasses interpolate linearly with Interpolate.
//
// Lifetime: StartAnimation switches the animation to counting and holds one reference; Start adds
// the driver's reference. At the end the window lets go (OnAnimateEnd) and the driver releases
// last. A window destroyed while its animation runs clears the animation's window and stops it,
// so the pending tick only releases the driver's reference.
#pragma once
#include <windows.h>

#include "foundation/CKObject.h"

class CKWindow;

// Progress of OnStep runs from just above 0 to this value (the last step always gets it).
constexpr int KANIM_PERMILLE_END = 1000;
// Milliseconds between two ticks.
constexpr int KANIM_TICK_MS = 10;
// Duration of a new animation, in milliseconds.
constexpr int KANIM_DEFAULT_DURATION = 200;

class CKAnimate : public CKObject
{
    K_DECLARE_CLASS(CKAnimate)
public:
    explicit CKAnimate(CKWindow* window) : window(window) {}

    // All three do nothing in the base.
    virtual void OnBegin();
    virtual void OnStep(int permille);
    virtual void OnEnd();

    // startTick = now, lastTick = 0, the driver's reference, and the first tick posted.
    void Start();
    // Marks the animation stopped: the next tick only releases the driver's reference.
    void Stop() { startTick = 0; }
    bool IsRunning() const { return startTick != 0; }

    CKWindow* GetWindow() const { return window; }
    void SetWindow(CKWindow* newWindow) { window = newWindow; }
    int GetDuration() const { return duration; }
    void SetDuration(int ms) { duration = ms; }

    // from + (to - from) x permille / 1000, the division truncating toward zero.
    static int Interpolate(int from, int to, int permille);

protected:
    CKWindow* window;                       // borrowed; cleared when the window lets go
    int duration = KANIM_DEFAULT_DURATION;  // milliseconds
    DWORD startTick = 0;                    // GetTickCount at the first tick; 0 = not running
    DWORD lastTick = 0;                     // tick count of the last step; 0 before the first tick

private:
    // The deferred call that drives one animation; `anim` is the animation.
    static void Tick(INT_PTR anim, INT_PTR, INT_PTR);
    // Posts the next tick after `delayMs`; when that cannot be posted, lets the driver's
    // reference go.
    void ScheduleTick(int delayMs);
};
