// KDrawableImage: holding the picture of an image or icon drawable and picking its source by state.
#include "graphics/KDrawableImage.h"

#include "graphics/CKImgList.h"

KDrawableImage::~KDrawableImage()
{
    Hold(nullptr);
}

void KDrawableImage::Hold(CKImage* newImage)
{
    if (newImage)
        newImage->AddRef();
    if (image)
        image->Release();
    image = newImage;
}

void KDrawableImage::SetImage(CKImage* newImage)
{
    Hold(newImage);
    for (int& cell : cellIndex)
        cell = -1;
}

void KDrawableImage::SetImageList(CKImgList* imgList, const int cells[KSLOT_COUNT])
{
    Hold(imgList);
    for (int slot = 0; slot < KSLOT_COUNT; ++slot)
        cellIndex[slot] = cells ? cells[slot] : 0;
}

void KDrawableImage::CopyFrom(const KDrawableImage& other)
{
    Hold(other.image);
    srcRect = other.srcRect;
    for (int slot = 0; slot < KSLOT_COUNT; ++slot)
        cellIndex[slot] = other.cellIndex[slot];
}

int KDrawableImage::GetCellIndex(int slot) const
{
    return slot >= 0 && slot < KSLOT_COUNT ? cellIndex[slot] : -1;
}

bool KDrawableImage::GetSource(unsigned int state, RECT* source) const
{
    if (!image || !image->GetBitmap())
        return false;
    if (cellIndex[0] >= 0) {
        if (!image->IsKindOf(K_RUNTIME_CLASS(CKImgList)))
            return false;
        const CKImgList* imgList = static_cast<const CKImgList*>(image);
        return imgList->GetCellRect(cellIndex[CKDrawable::GetStateSlot(state)], source) != 0;
    }
    const RECT whole = {0, 0, image->GetWidth(), image->GetHeight()};
    if (srcRect.right > srcRect.left && srcRect.bottom > srcRect.top)
        return IntersectRect(source, &srcRect, &whole) != FALSE;
    *source = whole;
    return whole.right > 0 && whole.bottom > 0;
}
