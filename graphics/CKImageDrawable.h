// CKImageDrawable: a face made of an image: stretched as a nine-patch (optionally with fixed middle
// parts), or tiled over the area; the picture may be a cell of an image strip chosen by state.
#pragma once
#include "graphics/CKFaceDrawable.h"
#include "graphics/KDrawableImage.h"
#include "graphics/KNinePatch.h"

class CKImageDrawable : public CKFaceDrawable
{
    K_DECLARE_DYNCREATE(CKImageDrawable)
public:
    CKImageDrawable();

    // Natural size: (left + right + fixed width, top + bottom + fixed height) of the six-value
    // nine-patch, (left + right, top + bottom) of the four-value one, else the source's size. The
    // result is max(given + padding, natural) on each axis, plus margins. Without an image: margins
    // and paddings only.
    void CalcSize(SIZE& size) override;
    // Into `rect` minus the margin: the six-value nine-patch with centred fixed parts when
    // ninePatch[4] >= 0, else the nine-patch when ninePatch[0] >= 0, else the source tiled. Without
    // an image nothing is drawn and `outRect` stays; otherwise a given `outRect` loses margin and
    // padding on each side.
    void Draw(CKCanvas* canvas, const RECT& rect, RECT* outRect) override;
    // Not counted: the copy belongs to the caller.
    CKDrawable* Clone() override;
    // Also copies image, source rectangle, cells, nine-patch and hasCenter from an image drawable.
    int CopyFrom(const CKDrawable* other) override;

    void SetImage(CKImage* image) { picture.SetImage(image); }
    void SetImageList(CKImgList* imgList, const int cells[KSLOT_COUNT])
    {
        picture.SetImageList(imgList, cells);
    }
    void SetSrcRect(const RECT& rect) { picture.SetSrcRect(rect); }
    // The six values (KPATCH_*; -1 = unset; none: all unset) and whether the centre is drawn.
    void SetNinePatch(const int values[KPATCH_VALUES], int hasCenter);

    CKImage* GetImage() const { return picture.GetImage(); }
    const RECT& GetSrcRect() const { return picture.GetSrcRect(); }
    int GetCellIndex(int slot) const { return picture.GetCellIndex(slot); }
    // -1 outside 0..5.
    int GetNinePatch(int index) const;
    int HasCenter() const { return hasCenter; }

private:
    KDrawableImage picture;
    int ninePatch[KPATCH_VALUES];   // -1 = unset
    int hasCenter = 1;              // the nine-patch centre is drawn
};
