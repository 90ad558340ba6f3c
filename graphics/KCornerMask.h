// The anti-aliased corner mask of the fill engine: the coverage of a quarter ellipse traced from a
// 129-entry fixed-point table, for the top-left corner (mirrored for the others by the engine).
#pragma once

// Entries of the corner table: T[k] for k = 0 ... 128.
constexpr int KCORNER_TABLE_SIZE = 129;

// T[k] = round(65536 x (1 - k/128)^2 x (1 + 0.32 x k/128)), 16.16 fixed point: T[0] = 65536,
// T[64] = 19005, T[128] = 0. Walking k from 0 to 128, (T[k] x rx, T[128 - k] x ry) runs along a
// quarter ellipse from (rx, 0) to (0, ry) around the centre (rx, ry). None outside 0..128 (0).
int KCornerTable(int k);

// The mask holds two 8-bit planes over the corner box of rx x ry pixels (0 outside the curve, 255
// inside, the fraction covered on the curve):
// - shape: inside the outer curve (radii rx, ry around (rx, ry));
// - inner: inside the inner curve, offset inward by the border width (radii rx - border, ry -
//   border around the same centre); the band between the two curves is the border. Without a
//   border both planes are the same.
// Its buffer (rows and columns each rounded up to a multiple of 16) only grows; the planes are
// rebuilt only when (rx, ry, border) changes.
class KCornerMask
{
public:
    KCornerMask() = default;
    ~KCornerMask();

    // Makes the planes describe (rx, ry, border), each at least 1 (border at least 0): 1 when
    // they were rebuilt, 0 when they already did, -1 when memory ran out (the mask is empty).
    int Prepare(int rx, int ry, int border);
    // Row y (0 = the row on the corner's edge) of each plane; rx cells each.
    const unsigned char* GetShapeRow(int y) const { return cells + y * stride; }
    const unsigned char* GetInnerRow(int y) const { return cells + (rows + y) * stride; }
    // Frees the buffer; the next Prepare builds anew.
    void Free();

    KCornerMask(const KCornerMask&) = delete;
    KCornerMask& operator=(const KCornerMask&) = delete;

private:
    // Draws one plane: the coverage of the ellipse of radii (rx - d, ry - d) around (rx, ry).
    void TracePlane(unsigned char* plane, int d, int step);
    void MarkColumn(unsigned char* plane, int column, unsigned int y16);
    void MarkRow(unsigned char* plane, int row, unsigned int x16);

    unsigned char* cells = nullptr;   // owned: the shape plane's rows, then the inner plane's
    int stride = 0;                   // cells per row (a multiple of 16)
    int rows = 0;                     // rows per plane (a multiple of 16)
    int builtRx = -1;                 // what the planes describe; -1: nothing
    int builtRy = -1;
    int builtBorder = -1;
};
