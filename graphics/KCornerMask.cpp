// The corner table and the two coverage planes of the corner mask.
//
// A plane is traced in two halves that meet at k = 64, where the curve crosses the diagonal:
// - k = 0 ... 64 (the flat part near the top edge), one boundary per column: column
//   x = (T[k] x a + 32768) >> 16 and the 16.16 row y = T[128 - k] x b; the cell the boundary
//   crosses is covered by 255 - f (f = the fraction's top byte), the cells below it fully;
// - k = 64 ... 128 (the steep part near the left edge), the same with rows and columns swapped.
// Samples are taken every s = 8, 4, 2 or 1 entries (8 when 2 x max(rx, ry) < 12, 4 when < 24,
// 2 when < 48); columns (rows) between two samples take the boundary interpolated between them,
// so that large radii leave no gaps. Cells a boundary covers twice keep the larger coverage.
#include "graphics/KCornerMask.h"

#include <cmath>
#include <cstring>

#include "foundation/KMemory.h"

namespace {

constexpr int TABLE_LAST = KCORNER_TABLE_SIZE - 1;   // 128
constexpr int TABLE_MIDDLE = TABLE_LAST / 2;         // 64: the curve crosses the diagonal
constexpr double FIXED_ONE = 65536.0;
constexpr double TABLE_BULGE = 0.32;
constexpr unsigned int FIXED_HALF = 32768;
constexpr int FIXED_SHIFT = 16;
constexpr int FRACTION_SHIFT = 8;
constexpr unsigned int FRACTION_MASK = 0xFF;
constexpr unsigned char FULL = 255;
// The buffer's rows and columns are multiples of this.
constexpr int BUFFER_GRANULE = 16;
constexpr int PLANES = 2;

int g_table[KCORNER_TABLE_SIZE];
bool g_tableReady;

void BuildTable()
{
    for (int k = 0; k <= TABLE_LAST; ++k) {
        const double u = (double)k / TABLE_LAST;
        g_table[k] = (int)std::floor(FIXED_ONE * (1.0 - u) * (1.0 - u) * (1.0 + TABLE_BULGE * u) +
                                     0.5);
    }
    g_tableReady = true;
}

int RoundUpToGranule(int value)
{
    return (value + BUFFER_GRANULE - 1) / BUFFER_GRANULE * BUFFER_GRANULE;
}

// Table entries between samples: fewer for small corners.
int SampleStep(int rx, int ry)
{
    const int extent = 2 * (rx > ry ? rx : ry);
    if (extent < 12)
        return 8;
    if (extent < 24)
        return 4;
    if (extent < 48)
        return 2;
    return 1;
}

// `to` moved toward `from` by index / span of the way (64-bit: positions are 16.16).
unsigned int Interpolate(unsigned int to, unsigned int from, int index, int span)
{
    return (unsigned int)((long long)to + ((long long)from - (long long)to) * index / span);
}

} // namespace

int KCornerTable(int k)
{
    if (k < 0 || k > TABLE_LAST)
        return 0;
    if (!g_tableReady)
        BuildTable();
    return g_table[k];
}

KCornerMask::~KCornerMask()
{
    Free();
}

void KCornerMask::Free()
{
    KFree(cells);
    cells = nullptr;
    stride = 0;
    rows = 0;
    builtRx = builtRy = builtBorder = -1;
}

int KCornerMask::Prepare(int rx, int ry, int border)
{
    if (rx < 1 || ry < 1 || border < 0)
        return -1;
    if (cells && rx == builtRx && ry == builtRy && border == builtBorder)
        return 0;
    const int needStride = RoundUpToGranule(rx);
    const int needRows = RoundUpToGranule(ry);
    if (!cells || needStride > stride || needRows > rows) {
        const int newStride = needStride > stride ? needStride : stride;
        const int newRows = needRows > rows ? needRows : rows;
        Free();
        cells = static_cast<unsigned char*>(KAlloc((size_t)newStride * newRows * PLANES));
        if (!cells)
            return -1;
        stride = newStride;
        rows = newRows;
    }
    if (!g_tableReady)
        BuildTable();
    builtRx = rx;
    builtRy = ry;
    builtBorder = border;
    const int step = SampleStep(rx, ry);
    unsigned char* shape = cells;
    unsigned char* inner = cells + rows * stride;
    TracePlane(shape, 0, step);
    if (border > 0)
        TracePlane(inner, border, step);
    else
        memcpy(inner, shape, (size_t)ry * stride);
    return 1;
}

void KCornerMask::TracePlane(unsigned char* plane, int d, int step)
{
    memset(plane, 0, (size_t)builtRy * stride);
    const unsigned int a = (unsigned int)(builtRx - d);
    const unsigned int b = (unsigned int)(builtRy - d);
    if (builtRx - d < 1 || builtRy - d < 1)
        return;   // the border fills the whole corner box
    const unsigned int offset = (unsigned int)d << FIXED_SHIFT;

    int previous = -1;
    unsigned int previousBoundary = 0;
    for (int k = 0; k <= TABLE_MIDDLE; k += step) {
        const int column = d + (int)(((unsigned int)g_table[k] * a + FIXED_HALF) >> FIXED_SHIFT);
        const unsigned int y16 = offset + (unsigned int)g_table[TABLE_LAST - k] * b;
        for (int c = column + 1; previous >= 0 && c < previous; ++c)
            MarkColumn(plane, c, Interpolate(y16, previousBoundary, c - column, previous - column));
        MarkColumn(plane, column, y16);
        previous = column;
        previousBoundary = y16;
    }

    previous = -1;
    for (int k = TABLE_MIDDLE; k <= TABLE_LAST; k += step) {
        const int row =
            d + (int)(((unsigned int)g_table[TABLE_LAST - k] * b + FIXED_HALF) >> FIXED_SHIFT);
        const unsigned int x16 = offset + (unsigned int)g_table[k] * a;
        for (int r = previous + 1; previous >= 0 && r < row; ++r)
            MarkRow(plane, r, Interpolate(x16, previousBoundary, row - r, row - previous));
        MarkRow(plane, row, x16);
        previous = row;
        previousBoundary = x16;
    }
}

void KCornerMask::MarkColumn(unsigned char* plane, int column, unsigned int y16)
{
    if (column < 0 || column >= builtRx)
        return;
    const int crossed = (int)(y16 >> FIXED_SHIFT);
    const unsigned char covered = (unsigned char)(FULL - ((y16 >> FRACTION_SHIFT) & FRACTION_MASK));
    if (crossed < builtRy) {
        unsigned char* cell = plane + crossed * stride + column;
        if (*cell < covered)
            *cell = covered;
    }
    for (int y = crossed + 1; y < builtRy; ++y)
        plane[y * stride + column] = FULL;
}

void KCornerMask::MarkRow(unsigned char* plane, int row, unsigned int x16)
{
    if (row < 0 || row >= builtRy)
        return;
    const int crossed = (int)(x16 >> FIXED_SHIFT);
    const unsigned char covered = (unsigned char)(FULL - ((x16 >> FRACTION_SHIFT) & FRACTION_MASK));
    unsigned char* line = plane + row * stride;
    if (crossed < builtRx && line[crossed] < covered)
        line[crossed] = covered;
    for (int x = crossed + 1; x < builtRx; ++x)
        line[x] = FULL;
}
