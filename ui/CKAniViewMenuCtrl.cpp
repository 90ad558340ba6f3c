// CKAniViewMenuCtrl: the drawer animation of a view.
#include "ui/CKAniViewMenuCtrl.h"

#include "ui/CKView.h"

K_IMPLEMENT_CLASS(CKAniViewMenuCtrl, CKAnimate)

CKAniViewMenuCtrl::CKAniViewMenuCtrl(CKView* view) : CKAnimate(view) {}

void CKAniViewMenuCtrl::SetRange(int fromOffset, int toOffset)
{
    from = fromOffset;
    to = toOffset;
}

CKView* CKAniViewMenuCtrl::GetView() const
{
    return window && window->IsKindOf(K_RUNTIME_CLASS(CKView)) ? (CKView*)window : nullptr;
}

void CKAniViewMenuCtrl::OnBegin()
{
    if (CKView* view = GetView())
        view->SetMenuOffset(from);
}

void CKAniViewMenuCtrl::OnStep(int permille)
{
    if (CKView* view = GetView())
        view->SetMenuOffset(Interpolate(from, to, permille));
}

void CKAniViewMenuCtrl::OnEnd()
{
    CKView* view = GetView();
    if (!view)
        return;
    view->SetMenuOffset(to);
    view->OnViewMenuShow(view->IsMenuOpen() ? 1 : 0);
}
