// CKAniScroll: the scroll-position animation.
#include "ui/CKAniScroll.h"

#include "ui/CKWindow.h"

K_IMPLEMENT_CLASS(CKAniScroll, CKAnimate)

void CKAniScroll::SetX(int from, int to)
{
    xFrom = from;
    xTo = to;
}

void CKAniScroll::SetY(int from, int to)
{
    yFrom = from;
    yTo = to;
}

void CKAniScroll::OnBegin()
{
    if (!window)
        return;
    window->ScrollTo(xFrom, yFrom);
    window->Invalidate();
}

void CKAniScroll::OnStep(int permille)
{
    if (!window)
        return;
    window->ScrollTo(Interpolate(xFrom, xTo, permille), Interpolate(yFrom, yTo, permille));
    window->Invalidate();
}

void CKAniScroll::OnEnd()
{
    if (!window)
        return;
    window->ScrollTo(xTo, yTo);
    window->Invalidate();
    window->OnScroll(KSCROLL_END, xTo, yTo);
}
