// CKIconDrawable: an icon drawn at its own size, aligned in the rectangle by the state's alignment
// bits: a whole image, part of one, or the cell of an image strip chosen by state.
#pragma once
#include "graphics/CKDrawable.h"
#include "graphics/KDrawableImage.h"

class CKIconDrawable : public CKDrawable
{
    K_DECLARE_DYNCREATE(CKIconDrawable)
public:
    CKIconDrawable() = default;

    // The source's size plus margins and paddings (margins and paddings only without an image).
    void CalcSize(SIZE& size) override;
    // Draws the source unscaled: x = left + margin + padding (KDT_LEFT), right - (margin + padding
    // + width) (KDT_RIGHT), else centred in `rect`; y likewise with KDT_TOP and KDT_BOTTOM. A given
    // `outRect` is consumed like the text drawable's, with the icon's size. Without an image
    // nothing is drawn and `outRect` stays.
    void Draw(CKCanvas* canvas, const RECT& rect, RECT* outRect) override;
    // Not counted: the copy belongs to the caller.
    CKDrawable* Clone() override;
    // Also copies image, source rectangle and cells from an icon drawable.
    int CopyFrom(const CKDrawable* other) override;

    void SetImage(CKImage* image) { picture.SetImage(image); }
    void SetImageList(CKImgList* imgList, const int cells[KSLOT_COUNT])
    {
        picture.SetImageList(imgList, cells);
    }
    // The same cell in all four slots.
    void SetIconList(CKImgList* imgList, int index);
    void SetSrcRect(const RECT& rect) { picture.SetSrcRect(rect); }

    CKImage* GetImage() const { return picture.GetImage(); }
    const RECT& GetSrcRect() const { return picture.GetSrcRect(); }
    int GetCellIndex(int slot) const { return picture.GetCellIndex(slot); }

private:
    KDrawableImage picture;
};
