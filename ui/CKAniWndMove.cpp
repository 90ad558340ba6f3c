// CKAniWndMove: the window-rectangle animation.
#include "ui/CKAniWndMove.h"

#include "ui/CKWindow.h"

K_IMPLEMENT_CLASS(CKAniWndMove, CKAnimate)

namespace {

// The list grows this many windows at a time.
constexpr int MOVE_LIST_GROWTH = 4;

} // namespace

CKAniWndMove::CKAniWndMove(CKWindow* window)
    : CKAnimate(window), moves(sizeof(KWndMoveItem), MOVE_LIST_GROWTH)
{
}

CKAniWndMove::~CKAniWndMove()
{
    moves.RemoveAll(ReleaseMove, nullptr);
}

void CKAniWndMove::ReleaseMove(void* record, void*)
{
    ((KWndMoveItem*)record)->window->Release();
}

int CKAniWndMove::Add(CKWindow* moved, const RECT& from, const RECT& to)
{
    if (!moved)
        return 0;
    KWndMoveItem* move = (KWndMoveItem*)moves.Add();
    if (!move)
        return 0;
    move->window = moved;
    move->from = from;
    move->to = to;
    moved->AddRef();
    return 1;
}

void CKAniWndMove::OnBegin()
{
    if (!window)
        return;
    for (int i = 0; i < moves.GetCount(); i++) {
        KWndMoveItem* move = (KWndMoveItem*)moves.GetAt(i);
        move->window->Move(move->from);
        move->window->Show(true);
    }
}

void CKAniWndMove::OnStep(int permille)
{
    if (!window)
        return;
    for (int i = 0; i < moves.GetCount(); i++) {
        KWndMoveItem* move = (KWndMoveItem*)moves.GetAt(i);
        const RECT rect = {Interpolate(move->from.left, move->to.left, permille),
                           Interpolate(move->from.top, move->to.top, permille),
                           Interpolate(move->from.right, move->to.right, permille),
                           Interpolate(move->from.bottom, move->to.bottom, permille)};
        move->window->Move(rect);
    }
}

void CKAniWndMove::OnEnd()
{
    if (!window)
        return;
    for (int i = 0; i < moves.GetCount(); i++) {
        KWndMoveItem* move = (KWndMoveItem*)moves.GetAt(i);
        move->window->Move(move->to);
    }
}
