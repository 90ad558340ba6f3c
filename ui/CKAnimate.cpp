// CKAnimate: the tick procedure that begins, steps and ends an animation on the UI thread.
#include "ui/CKAnimate.h"

#include "ui/CKWindow.h"
#include "ui/KTimer.h"

K_IMPLEMENT_CLASS(CKAnimate, CKObject)

void CKAnimate::OnBegin() {}

void CKAnimate::OnStep(int) {}

void CKAnimate::OnEnd() {}

void CKAnimate::Start()
{
    startTick = GetTickCount();
    lastTick = 0;
    AddRef();
    ScheduleTick(0);
}

int CKAnimate::Interpolate(int from, int to, int permille)
{
    return from + (int)((long long)(to - from) * permille / KANIM_PERMILLE_END);
}

void CKAnimate::ScheduleTick(int delayMs)
{
    if (!PostCall((INT_PTR)this, 0, 0, Tick, delayMs)) {
        startTick = 0;
        Release();
    }
}

void CKAnimate::Tick(INT_PTR param, INT_PTR, INT_PTR)
{
    CKAnimate* anim = (CKAnimate*)param;
    if (!anim->startTick) {
        anim->Release();
        return;
    }
    const DWORD now = GetTickCount();
    if (!anim->lastTick) {
        if (anim->window)
            anim->window->OnAnimateBegin(anim);
        anim->OnBegin();
        // The window may have ended the animation from inside OnBegin.
        if (!anim->startTick) {
            anim->Release();
            return;
        }
        anim->startTick = anim->lastTick = now;
        anim->ScheduleTick(KANIM_TICK_MS);
        return;
    }
    if ((int)(anim->lastTick - anim->startTick) >= anim->duration) {
        // Stopped before OnEnd, so that a window starting another animation from inside OnEnd
        // does not end this one a second time.
        anim->startTick = 0;
        anim->OnEnd();
        if (anim->window)
            anim->window->OnAnimateEnd(anim);
        anim->Release();
        return;
    }
    anim->lastTick = now;
    int permille = (int)((long long)(anim->lastTick - anim->startTick) * KANIM_PERMILLE_END
                         / anim->duration);
    if (permille > KANIM_PERMILLE_END)
        permille = KANIM_PERMILLE_END;
    anim->OnStep(permille);
    if (anim->startTick)
        anim->ScheduleTick(KANIM_TICK_MS);
    else
        anim->Release();
}
