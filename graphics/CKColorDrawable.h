// CKColorDrawable: a face painted by the fill engine (solid, gradients, stripes, rounded corners)
// with an optional border, one face and one border colour per interaction state.
#pragma once
#include "graphics/CKFaceDrawable.h"
#include "graphics/KFace.h"

class CKColorDrawable : public CKFaceDrawable
{
    K_DECLARE_DYNCREATE(CKColorDrawable)
public:
    CKColorDrawable() = default;

    // The given size plus margins and paddings.
    void CalcSize(SIZE& size) override;
    // Fills `rect` minus the margin with the face of the state slot, flags style | state, with the
    // border of that slot when borderSize is at least 1 (which sets the canvas pen). A given
    // `outRect` loses margin and padding on each side.
    void Draw(CKCanvas* canvas, const RECT& rect, RECT* outRect) override;
    // Not counted: the copy belongs to the caller.
    CKDrawable* Clone() override;
    // Also copies the faces and the border when `other` is a colour drawable.
    int CopyFrom(const CKDrawable* other) override;

    // Sets the slot named by stateBits & KSTATE_SLOT_MASK: 0, KSTATE_SELECTED, KSTATE_PRESSED or
    // KSTATE_DISABLED; any other value is ignored. A slot never set is the zero face ("none":
    // transparent).
    void SetFace(unsigned int stateBits, const KFace& face);
    // Border width in pixels (below 1: no border) and the colour per slot (none: all 0).
    void SetBorder(int size, const KColor colors[KSLOT_COUNT]);

    // The face of slot 0..3 (KSLOT_*), none outside.
    const KFace* GetFace(int slot) const;
    int GetBorderSize() const { return borderSize; }
    // 0 outside 0..3.
    KColor GetBorderColor(int slot) const;

private:
    KFace faces[KSLOT_COUNT] = {};
    int borderSize = 0;
    KColor borderColor[KSLOT_COUNT] = {};
};
