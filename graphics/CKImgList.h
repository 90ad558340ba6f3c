// CKImgList: an image cut into a grid of equal cells (an icon strip). Cell i has its top-left
// corner at (i mod columns x cellWidth, i div columns x cellHeight): cells run in reading order.
#pragma once
#include "graphics/CKImage.h"

class CKImgList : public CKImage
{
    K_DECLARE_DYNCREATE(CKImgList)
public:
    CKImgList() = default;

    // Scales the picture as CKImage does, then the cell size by the same factor (columns, rows
    // and count stay).
    int ScaleForDensity(unsigned int densityFlags) override;

    // Cells of cellWidth x cellHeight over the loaded picture: columns = width / cellWidth, rows
    // = height / cellHeight. With `flags` exactly KIMG_AUTO and a variant other than the plain one
    // loaded, the size (stated for the plain variant) is first converted to the variant's pixels:
    // MD x 3/2, HD x 2, XHD x 3, XXHD x 4. 0 for a cell size below 1 or an image without bitmap.
    int SetCellsBySize(int cellWidth, int cellHeight, unsigned int flags);
    // columns x rows cells: cellWidth = width / columns, cellHeight = height / rows. 0 for a grid
    // below 1 x 1 or an image without bitmap.
    int SetCellsByGrid(int columns, int rows);

    // 0 for an index outside 0..count-1 or an image without bitmap.
    int GetCellRect(int index, RECT* rect) const;
    int GetCellOrigin(int index, POINT* origin) const;
    // 0 for an image without bitmap.
    int GetCellSize(int* cellWidth, int* cellHeight) const;
    int GetCount() const { return count; }
    int GetColumns() const { return columns; }
    int GetRows() const { return rows; }

private:
    int cellWidth = 0;
    int cellHeight = 0;
    int columns = 0;
    int rows = 0;
    int count = 0;   // columns x rows
};
