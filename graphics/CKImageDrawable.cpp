// CKImageDrawable: measuring and drawing an image face as nine-patch or tiles.
#include "graphics/CKImageDrawable.h"

#include "graphics/CKCanvas.h"
#include "graphics/CKImage.h"

K_IMPLEMENT_DYNCREATE(CKImageDrawable, CKFaceDrawable)

namespace {

int AtLeastZero(int value)
{
    return value < 0 ? 0 : value;
}

int Larger(int a, int b)
{
    return a > b ? a : b;
}

// Tiles `source` over `area`, starting with the first tile that reaches into the canvas's clip
// box and stopping at its far edges, so that a huge area costs no more than the visible part.
void TileVisible(CKCanvas* canvas, const RECT& area, CKImage* image, const RECT& source)
{
    const int cellW = source.right - source.left;
    const int cellH = source.bottom - source.top;
    RECT visible = area;
    RECT clip;
    if (canvas->GetClipBox(&clip)) {
        if (clip.left > visible.left)
            visible.left += (clip.left - visible.left) / cellW * cellW;
        if (clip.top > visible.top)
            visible.top += (clip.top - visible.top) / cellH * cellH;
        if (clip.right < visible.right)
            visible.right = clip.right;
        if (clip.bottom < visible.bottom)
            visible.bottom = clip.bottom;
    }
    if (visible.right > visible.left && visible.bottom > visible.top)
        canvas->TileImage(visible.left, visible.top, visible.right - visible.left,
                          visible.bottom - visible.top, image, source.left, source.top, cellW,
                          cellH);
}

} // namespace

CKImageDrawable::CKImageDrawable()
{
    SetNinePatch(nullptr, 1);
}

void CKImageDrawable::CalcSize(SIZE& size)
{
    if (!GetImage()) {
        size.cx = 0;
        size.cy = 0;
        AddInsets(size);
        return;
    }
    SIZE natural = {0, 0};
    if (ninePatch[KPATCH_FIXED_WIDTH] >= 0 || ninePatch[KPATCH_LEFT] >= 0) {
        natural.cx = AtLeastZero(ninePatch[KPATCH_LEFT]) + AtLeastZero(ninePatch[KPATCH_RIGHT]);
        natural.cy = AtLeastZero(ninePatch[KPATCH_TOP]) + AtLeastZero(ninePatch[KPATCH_BOTTOM]);
        if (ninePatch[KPATCH_FIXED_WIDTH] >= 0) {
            natural.cx += AtLeastZero(ninePatch[KPATCH_FIXED_WIDTH]);
            natural.cy += AtLeastZero(ninePatch[KPATCH_FIXED_HEIGHT]);
        }
    } else {
        RECT source;
        if (picture.GetSource(state, &source)) {
            natural.cx = source.right - source.left;
            natural.cy = source.bottom - source.top;
        }
    }
    size.cx = Larger(size.cx + padding.left + padding.right, natural.cx) + margin.left +
              margin.right;
    size.cy = Larger(size.cy + padding.top + padding.bottom, natural.cy) + margin.top +
              margin.bottom;
}

void CKImageDrawable::Draw(CKCanvas* canvas, const RECT& rect, RECT* outRect)
{
    RECT source;
    if (!picture.GetSource(state, &source))
        return;
    if (canvas) {
        const RECT area = {rect.left + margin.left, rect.top + margin.top,
                           rect.right - margin.right, rect.bottom - margin.bottom};
        if (ninePatch[KPATCH_FIXED_WIDTH] >= 0) {
            DrawNinePatch(canvas, area, GetImage(), source, ninePatch, hasCenter, KPATCH_CENTRED,
                          KPATCH_CENTRED);
        } else if (ninePatch[KPATCH_LEFT] >= 0) {
            // The four-value form has no fixed parts, whatever the last two values hold.
            const int insets[KPATCH_VALUES] = {ninePatch[KPATCH_LEFT], ninePatch[KPATCH_TOP],
                                               ninePatch[KPATCH_RIGHT], ninePatch[KPATCH_BOTTOM],
                                               0, 0};
            DrawNinePatch(canvas, area, GetImage(), source, insets, hasCenter, KPATCH_CENTRED,
                          KPATCH_CENTRED);
        } else {
            TileVisible(canvas, area, GetImage(), source);
        }
    }
    if (outRect)
        ShrinkToContent(*outRect);
}

CKDrawable* CKImageDrawable::Clone()
{
    CKImageDrawable* copy = new CKImageDrawable();
    if (copy)
        copy->CopyFrom(this);
    return copy;
}

int CKImageDrawable::CopyFrom(const CKDrawable* other)
{
    if (!CKDrawable::CopyFrom(other))
        return 0;
    const CKImageDrawable* source = static_cast<const CKImageDrawable*>(other);
    if (source != this) {
        picture.CopyFrom(source->picture);
        SetNinePatch(source->ninePatch, source->hasCenter);
    }
    return 1;
}

void CKImageDrawable::SetNinePatch(const int values[KPATCH_VALUES], int center)
{
    for (int i = 0; i < KPATCH_VALUES; ++i)
        ninePatch[i] = values ? values[i] : -1;
    hasCenter = center;
}

int CKImageDrawable::GetNinePatch(int index) const
{
    return index >= 0 && index < KPATCH_VALUES ? ninePatch[index] : -1;
}
