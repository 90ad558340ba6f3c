// CKAniScroll: moves a window's scroll position linearly from one point to another; it brings a
// drag-scroll back into range and scrolls lists and trees to a target.
#pragma once
#include "ui/CKAnimate.h"

class CKAniScroll : public CKAnimate
{
    K_DECLARE_CLASS(CKAniScroll)
public:
    explicit CKAniScroll(CKWindow* window) : CKAnimate(window) {}

    void SetX(int from, int to);
    void SetY(int from, int to);

    // ScrollTo(from) and repaint.
    void OnBegin() override;
    // ScrollTo(interpolated) and repaint.
    void OnStep(int permille) override;
    // ScrollTo(to), repaint, then the window's OnScroll(KSCROLL_END): the drag-scroll has ended.
    void OnEnd() override;

private:
    int xFrom = 0;
    int xTo = 0;
    int yFrom = 0;
    int yTo = 0;
};
