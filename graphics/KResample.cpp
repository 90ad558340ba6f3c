// Bilinear resampling of 32-bit pixels in 16.16 fixed point, walking source rows by pointer.
#include "graphics/KResample.h"

#include <cstddef>

#include <cstddef>

namespace {

constexpr int BYTES_PER_PIXEL = 4;
constexpr int FRACTION_BITS = 16;
constexpr unsigned int FRACTION_MASK = 0xFFFF;
// Weights are 8 bits: the top byte of a position's fraction.
constexpr int WEIGHT_SHIFT = 8;
constexpr unsigned int WEIGHT_ONE = 256;
constexpr unsigned int WEIGHT_MASK = 0xFF;
// A blend of two weighted blends carries both weights' bits.
constexpr int BILINEAR_SHIFT = 2 * WEIGHT_SHIFT;

// The 16.16 step that maps destination index d - 1 onto source index s - 1 (slightly past it, so
// the last pixel lands on the last source pixel); 0 for a destination of one pixel, which then
// takes the first source pixel.
unsigned int StepOf(int source, int destination)
{
    if (destination < 2)
        return 0;
    return ((unsigned int)(source - 1) << FRACTION_BITS) / (unsigned int)(destination - 1) + 1;
}

} // namespace

void KResampleBilinear(unsigned char* dst, int dstStride, int dw, int dh, const unsigned char* src,
                       int srcStride, int sw, int sh)
{
    if (dw < 1 || dh < 1 || sw < 1 || sh < 1)
        return;
    const unsigned int stepX = StepOf(sw, dw);
    const unsigned int stepY = StepOf(sh, dh);
    const unsigned int limitX = (unsigned int)(sw - 1) << FRACTION_BITS;
    const unsigned int limitY = (unsigned int)(sh - 1) << FRACTION_BITS;

    unsigned int y = 0;
    for (int row = 0; row < dh; ++row, y += stepY, dst += dstStride) {
        const unsigned char* above = src + (ptrdiff_t)(y >> FRACTION_BITS) * srcStride;
        const unsigned int wy1 = (y >> WEIGHT_SHIFT) & WEIGHT_MASK;
        const unsigned int wy0 = WEIGHT_ONE - wy1;
        unsigned char* out = dst;
        unsigned int x = 0;
        if (y < limitY) {
            // A source row lies below: blend four pixels, or two (vertically) in the last column.
            const unsigned char* below = above + srcStride;
            for (int column = 0; column < dw; ++column, x += stepX, out += BYTES_PER_PIXEL) {
                const int offset = (int)(x >> FRACTION_BITS) * BYTES_PER_PIXEL;
                const unsigned char* p = above + offset;
                const unsigned char* q = below + offset;
                if (x < limitX) {
                    const unsigned int wx1 = (x & FRACTION_MASK) >> WEIGHT_SHIFT;
                    const unsigned int wx0 = WEIGHT_ONE - wx1;
                    for (int b = 0; b < BYTES_PER_PIXEL; ++b) {
                        unsigned int top = p[b] * wx0 + p[b + BYTES_PER_PIXEL] * wx1;
                        unsigned int bottom = q[b] * wx0 + q[b + BYTES_PER_PIXEL] * wx1;
                        out[b] = (unsigned char)((top * wy0 + bottom * wy1) >> BILINEAR_SHIFT);
                    }
                } else {
                    for (int b = 0; b < BYTES_PER_PIXEL; ++b)
                        out[b] = (unsigned char)((p[b] * wy0 + q[b] * wy1) >> WEIGHT_SHIFT);
                }
            }
        } else {
            // The last source row: blend horizontally, and copy in the last column.
            for (int column = 0; column < dw; ++column, x += stepX, out += BYTES_PER_PIXEL) {
                const unsigned char* p = above + (int)(x >> FRACTION_BITS) * BYTES_PER_PIXEL;
                if (x < limitX) {
                    const unsigned int wx1 = (x & FRACTION_MASK) >> WEIGHT_SHIFT;
                    const unsigned int wx0 = WEIGHT_ONE - wx1;
                    for (int b = 0; b < BYTES_PER_PIXEL; ++b)
                        out[b] = (unsigned char)((p[b] * wx0 + p[b + BYTES_PER_PIXEL] * wx1) >>
                                                 WEIGHT_SHIFT);
                } else {
                    for (int b = 0; b < BYTES_PER_PIXEL; ++b)
                        out[b] = p[b];
                }
            }
        }
    }
}
