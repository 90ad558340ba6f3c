// CKImgList: cell geometry over a CKImage, set by cell size or by grid, scaled with the picture.
#include "graphics/CKImgList.h"

K_IMPLEMENT_DYNCREATE(CKImgList, CKImage)

namespace {

// How many plain-variant pixels one pixel of a variant stands for, as a fraction.
struct KVariantScale
{
    unsigned int flag;
    int numerator;
    int denominator;
};
const KVariantScale VARIANT_SCALES[] = {
    {KIMG_MD, 3, 2}, {KIMG_HD, 2, 1}, {KIMG_XHD, 3, 1}, {KIMG_XXHD, 4, 1},
};

} // namespace

int CKImgList::ScaleForDensity(unsigned int densityFlags)
{
    // Taken before the picture is marked as scaled.
    int numerator = 1;
    int denominator = 1;
    bool scales = GetDensityFactor(densityFlags, &numerator, &denominator);
    int result = CKImage::ScaleForDensity(densityFlags);
    if (scales && result) {
        cellWidth = cellWidth * numerator / denominator;
        cellHeight = cellHeight * numerator / denominator;
    }
    return result;
}

int CKImgList::SetCellsBySize(int newCellWidth, int newCellHeight, unsigned int flags)
{
    if (!GetBitmap() || newCellWidth < 1 || newCellHeight < 1)
        return 0;
    if (flags == KIMG_AUTO) {
        const unsigned int variant = GetFlags() & KIMG_VARIANT_MASK;
        for (const KVariantScale& scale : VARIANT_SCALES) {
            if (variant & scale.flag) {
                newCellWidth = newCellWidth * scale.numerator / scale.denominator;
                newCellHeight = newCellHeight * scale.numerator / scale.denominator;
                break;
            }
        }
    }
    cellWidth = newCellWidth;
    cellHeight = newCellHeight;
    columns = GetWidth() / cellWidth;
    rows = GetHeight() / cellHeight;
    count = columns * rows;
    return 1;
}

int CKImgList::SetCellsByGrid(int newColumns, int newRows)
{
    if (!GetBitmap() || newColumns < 1 || newRows < 1)
        return 0;
    columns = newColumns;
    rows = newRows;
    cellWidth = GetWidth() / columns;
    cellHeight = GetHeight() / rows;
    count = columns * rows;
    return 1;
}

int CKImgList::GetCellOrigin(int index, POINT* origin) const
{
    if (!GetBitmap() || index < 0 || index >= count || !origin)
        return 0;
    origin->x = index % columns * cellWidth;
    origin->y = index / columns * cellHeight;
    return 1;
}

int CKImgList::GetCellRect(int index, RECT* rect) const
{
    POINT origin;
    if (!rect || !GetCellOrigin(index, &origin))
        return 0;
    rect->left = origin.x;
    rect->top = origin.y;
    rect->right = origin.x + cellWidth;
    rect->bottom = origin.y + cellHeight;
    return 1;
}

int CKImgList::GetCellSize(int* outWidth, int* outHeight) const
{
    if (!GetBitmap())
        return 0;
    if (outWidth)
        *outWidth = cellWidth;
    if (outHeight)
        *outHeight = cellHeight;
    return 1;
}
