// CKAniWndMove: moves a set of windows from one rectangle each to another, all at once, each
// corner interpolated linearly; the windows are shown when it begins.
#pragma once
#include <windows.h>

#include "foundation/CKArray.h"
#include "ui/CKAnimate.h"

// One moved window; held by value in the animation's list.
struct KWndMoveItem
{
    CKWindow* window;   // counted
    RECT from;          // in the window's parent's client coordinates
    RECT to;
};

class CKAniWndMove : public CKAnimate
{
    K_DECLARE_CLASS(CKAniWndMove)
public:
    // `window` is the window the animation is attached to (StartAnimation); the moved windows
    // are added with Add.
    explicit CKAniWndMove(CKWindow* window);
    // Releases the moved windows.
    ~CKAniWndMove() override;

    // Adds a window (one reference) to move from `from` to `to`; 1, or 0 when memory ran out.
    int Add(CKWindow* moved, const RECT& from, const RECT& to);
    int GetCount() const { return moves.GetCount(); }

    // Each window Move(from) and Show(true).
    void OnBegin() override;
    void OnStep(int permille) override;
    // Each window Move(to).
    void OnEnd() override;

private:
    static void ReleaseMove(void* move, void* context);

    CKArray moves;   // KWndMoveItem records
};
