// CKNullDrawable: a face that measures 0 x 0 and draws nothing, for a definition that wants a
// drawable to exist (so that no default replaces it) without painting anything.
#pragma once
#include "graphics/CKFaceDrawable.h"

class CKNullDrawable : public CKFaceDrawable
{
    K_DECLARE_DYNCREATE(CKNullDrawable)
public:
    CKNullDrawable() = default;

    // 0 x 0 whatever is given.
    void CalcSize(SIZE& size) override;
    // Nothing; `outRect` is left as it is.
    void Draw(CKCanvas* canvas, const RECT& rect, RECT* outRect) override;
    // Counted with a count of 0: its first holder AddRefs it.
    CKDrawable* Clone() override;
};
