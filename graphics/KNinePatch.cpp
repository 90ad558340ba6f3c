// Nine-patch drawing: each axis is cut into spans, and every pair of a column span and a row span
// is one piece.
#include "graphics/KNinePatch.h"

#include "graphics/CKCanvas.h"

namespace {

// Most spans per axis: inset, stretch, fixed, stretch, inset.
constexpr int MAX_SPANS = 5;

// One span of an axis in the source and in the destination.
struct KPatchSpan
{
    int src;
    int srcLength;
    int dst;
    int dstLength;
};

int NotNegative(int value)
{
    return value < 0 ? 0 : value;
}

// Cuts the axis [srcStart, srcStart + srcLength) -> [dstStart, dstStart + dstLength) into 3 spans
// (no fixed part) or 5; returns their number.
int SplitAxis(int srcStart, int srcLength, int dstStart, int dstLength, int lowInset,
              int highInset, int fixed, int anchor, KPatchSpan* spans)
{
    const int low = NotNegative(lowInset);
    const int high = NotNegative(highInset);
    const int srcMiddle = srcLength - low - high;
    const int dstMiddle = dstLength - low - high;
    int count = 0;
    spans[count++] = {srcStart, low, dstStart, low};
    if (fixed > 0) {
        // The source's first stretchable part never starts before the middle.
        const int srcFirst = NotNegative((srcMiddle - fixed) / 2);
        const int dstFirst = anchor >= 0 ? anchor - low : (dstMiddle - fixed) / 2;
        spans[count++] = {srcStart + low, srcFirst, dstStart + low, dstFirst};
        spans[count++] = {srcStart + low + srcFirst, fixed, dstStart + low + dstFirst, fixed};
        spans[count++] = {srcStart + low + srcFirst + fixed, srcMiddle - srcFirst - fixed,
                          dstStart + low + dstFirst + fixed, dstMiddle - dstFirst - fixed};
    } else {
        spans[count++] = {srcStart + low, srcMiddle, dstStart + low, dstMiddle};
    }
    spans[count++] = {srcStart + srcLength - high, high, dstStart + dstLength - high, high};
    return count;
}

} // namespace

void DrawNinePatch(CKCanvas* canvas, const RECT& dest, const CKImage* image, const RECT& source,
                   const int values[KPATCH_VALUES], int hasCenter, int anchorX, int anchorY)
{
    if (!canvas || !image || !values)
        return;
    KPatchSpan columns[MAX_SPANS];
    KPatchSpan rows[MAX_SPANS];
    const int columnCount = SplitAxis(source.left, source.right - source.left, dest.left,
                                      dest.right - dest.left, values[KPATCH_LEFT],
                                      values[KPATCH_RIGHT], values[KPATCH_FIXED_WIDTH], anchorX,
                                      columns);
    const int rowCount = SplitAxis(source.top, source.bottom - source.top, dest.top,
                                   dest.bottom - dest.top, values[KPATCH_TOP],
                                   values[KPATCH_BOTTOM], values[KPATCH_FIXED_HEIGHT], anchorY,
                                   rows);
    for (int r = 0; r < rowCount; ++r) {
        const KPatchSpan& row = rows[r];
        if (row.srcLength < 1 || row.dstLength < 1)
            continue;
        const bool innerRow = r > 0 && r < rowCount - 1;
        for (int c = 0; c < columnCount; ++c) {
            const KPatchSpan& column = columns[c];
            if (column.srcLength < 1 || column.dstLength < 1)
                continue;
            if (!hasCenter && innerRow && c > 0 && c < columnCount - 1)
                continue;
            canvas->StretchImage(column.dst, row.dst, column.dstLength, row.dstLength, image,
                                 column.src, row.src, column.srcLength, row.srcLength);
        }
    }
}
