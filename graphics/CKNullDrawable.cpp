// CKNullDrawable: measuring nothing, drawing nothing, and its counted clone.
#include "graphics/CKNullDrawable.h"

K_IMPLEMENT_DYNCREATE(CKNullDrawable, CKFaceDrawable)

void CKNullDrawable::CalcSize(SIZE& size)
{
    size.cx = 0;
    size.cy = 0;
}

void CKNullDrawable::Draw(CKCanvas*, const RECT&, RECT*)
{
}

CKDrawable* CKNullDrawable::Clone()
{
    CKNullDrawable* copy = new CKNullDrawable();
    if (!copy)
        return nullptr;
    copy->CopyFrom(this);
    copy->EnableRefCount();
    return copy;
}
