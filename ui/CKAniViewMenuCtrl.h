// CKAniViewMenuCtrl: slides a view's drawer (its menu offset) from one offset to another, and
// tells the view when the drawer has finished opening or closing.
#pragma once
#include "ui/CKAnimate.h"

class CKView;

class CKAniViewMenuCtrl : public CKAnimate
{
    K_DECLARE_CLASS(CKAniViewMenuCtrl)
public:
    explicit CKAniViewMenuCtrl(CKView* view);

    void SetRange(int from, int to);

    void OnBegin() override;
    void OnStep(int permille) override;
    // The final offset, then the view's OnViewMenuShow(1 when its drawer is marked open, else 0).
    void OnEnd() override;

private:
    // The animated window as a view; none when the window is gone or is not a view.
    CKView* GetView() const;

    int from = 0;
    int to = 0;
};
