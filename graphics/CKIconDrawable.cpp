// CKIconDrawable: placing an icon by the alignment bits and consuming its strip of the out rect.
#include "graphics/CKIconDrawable.h"

#include "graphics/CKCanvas.h"

K_IMPLEMENT_DYNCREATE(CKIconDrawable, CKDrawable)

void CKIconDrawable::CalcSize(SIZE& size)
{
    RECT source;
    size.cx = 0;
    size.cy = 0;
    if (picture.GetSource(state, &source)) {
        size.cx = source.right - source.left;
        size.cy = source.bottom - source.top;
    }
    AddInsets(size);
}

void CKIconDrawable::Draw(CKCanvas* canvas, const RECT& rect, RECT* outRect)
{
    RECT source;
    if (!picture.GetSource(state, &source))
        return;
    const int w = source.right - source.left;
    const int h = source.bottom - source.top;
    if (canvas) {
        int x = (rect.left + rect.right - w) / 2;
        if (state & KDT_LEFT)
            x = rect.left + margin.left + padding.left;
        else if (state & KDT_RIGHT)
            x = rect.right - (margin.right + padding.right + w);
        int y = (rect.top + rect.bottom - h) / 2;
        if (state & KDT_TOP)
            y = rect.top + margin.top + padding.top;
        else if (state & KDT_BOTTOM)
            y = rect.bottom - (margin.bottom + padding.bottom + h);
        canvas->DrawImage(x, y, w, h, GetImage(), source.left, source.top);
    }
    if (outRect)
        ConsumeStrip(*outRect, w, h);
}

CKDrawable* CKIconDrawable::Clone()
{
    CKIconDrawable* copy = new CKIconDrawable();
    if (copy)
        copy->CopyFrom(this);
    return copy;
}

int CKIconDrawable::CopyFrom(const CKDrawable* other)
{
    if (!CKDrawable::CopyFrom(other))
        return 0;
    const CKIconDrawable* source = static_cast<const CKIconDrawable*>(other);
    if (source != this)
        picture.CopyFrom(source->picture);
    return 1;
}

void CKIconDrawable::SetIconList(CKImgList* imgList, int index)
{
    const int cells[KSLOT_COUNT] = {index, index, index, index};
    picture.SetImageList(imgList, cells);
}
