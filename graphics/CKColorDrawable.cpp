// CKColorDrawable: choosing the face by state and handing it to the canvas's fill engine.
#include "graphics/CKColorDrawable.h"

#include "graphics/CKCanvas.h"

K_IMPLEMENT_DYNCREATE(CKColorDrawable, CKFaceDrawable)

void CKColorDrawable::CalcSize(SIZE& size)
{
    AddInsets(size);
}

void CKColorDrawable::Draw(CKCanvas* canvas, const RECT& rect, RECT* outRect)
{
    if (canvas) {
        const RECT faceRect = {rect.left + margin.left, rect.top + margin.top,
                               rect.right - margin.right, rect.bottom - margin.bottom};
        const int slot = GetStateSlot(state);
        const unsigned int flags = style | state;
        if (borderSize < 1) {
            canvas->FillFaceNoBorder(faceRect, faces[slot], flags);
        } else {
            canvas->SetPen(borderColor[slot], borderSize);
            canvas->FillFace(faceRect, faces[slot], flags);
        }
    }
    if (outRect)
        ShrinkToContent(*outRect);
}

CKDrawable* CKColorDrawable::Clone()
{
    CKColorDrawable* copy = new CKColorDrawable();
    if (copy)
        copy->CopyFrom(this);
    return copy;
}

int CKColorDrawable::CopyFrom(const CKDrawable* other)
{
    if (!CKDrawable::CopyFrom(other))
        return 0;
    const CKColorDrawable* source = static_cast<const CKColorDrawable*>(other);
    for (int slot = 0; slot < KSLOT_COUNT; ++slot) {
        faces[slot] = source->faces[slot];
        borderColor[slot] = source->borderColor[slot];
    }
    borderSize = source->borderSize;
    return 1;
}

void CKColorDrawable::SetFace(unsigned int stateBits, const KFace& face)
{
    switch (stateBits & KSTATE_SLOT_MASK) {
    case 0:
        faces[KSLOT_NORMAL] = face;
        break;
    case KSTATE_SELECTED:
        faces[KSLOT_SELECTED] = face;
        break;
    case KSTATE_PRESSED:
        faces[KSLOT_PRESSED] = face;
        break;
    case KSTATE_DISABLED:
        faces[KSLOT_DISABLED] = face;
        break;
    default:
        break;
    }
}

void CKColorDrawable::SetBorder(int size, const KColor colors[KSLOT_COUNT])
{
    borderSize = size;
    for (int slot = 0; slot < KSLOT_COUNT; ++slot)
        borderColor[slot] = colors ? colors[slot] : 0;
}

const KFace* CKColorDrawable::GetFace(int slot) const
{
    return slot >= 0 && slot < KSLOT_COUNT ? &faces[slot] : nullptr;
}

KColor CKColorDrawable::GetBorderColor(int slot) const
{
    return slot >= 0 && slot < KSLOT_COUNT ? borderColor[slot] : 0;
}
