// The bilinear resampler: exact corners, known gradients, one-pixel destinations, and all four
// bytes filtered alike.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/KResample.h"

namespace {

// A w x h block of 32-bit pixels, rows top to bottom, with a positive stride.
struct KPixels
{
    int w, h;
    std::vector<unsigned int> p;
    KPixels(int width, int height) : w(width), h(height), p((size_t)width * height) {}
    unsigned int& At(int x, int y) { return p[(size_t)y * w + x]; }
    unsigned char* Bytes() { return reinterpret_cast<unsigned char*>(p.data()); }
    int Stride() const { return w * 4; }
};

KPixels Resample(KPixels& source, int dw, int dh)
{
    KPixels out(dw, dh);
    KResampleBilinear(out.Bytes(), out.Stride(), dw, dh, source.Bytes(), source.Stride(), source.w,
                      source.h);
    return out;
}

// The same byte in all four channels.
unsigned int Grey(unsigned int v)
{
    return v | v << 8 | v << 16 | v << 24;
}

} // namespace

TEST(KResampleBilinear, TwoByTwoToThreeByThreeKeepsTheCornersExactlyAndAveragesBetween)
{
    KPixels source(2, 2);
    source.At(0, 0) = 0x11223344;
    source.At(1, 0) = 0x55667788;
    source.At(0, 1) = 0x99AABBCC;
    source.At(1, 1) = 0xDDEEFF00;
    KPixels out = Resample(source, 3, 3);
    EXPECT_EQ(out.At(0, 0), 0x11223344u);
    EXPECT_EQ(out.At(2, 0), 0x55667788u);
    EXPECT_EQ(out.At(0, 2), 0x99AABBCCu);
    EXPECT_EQ(out.At(2, 2), 0xDDEEFF00u);

    // Per byte: the middle of an edge is the floor of the mean of its two ends, the centre the
    // floor of the mean of all four (the 16.16 step puts them at weight 128 of 256).
    KPixels grey(2, 2);
    grey.At(0, 0) = Grey(0);
    grey.At(1, 0) = Grey(100);
    grey.At(0, 1) = Grey(200);
    grey.At(1, 1) = Grey(255);
    KPixels g = Resample(grey, 3, 3);
    EXPECT_EQ(g.At(1, 0), Grey(50));                    // top: (0 + 100) / 2
    EXPECT_EQ(g.At(0, 1), Grey(100));                   // left: (0 + 200) / 2
    EXPECT_EQ(g.At(2, 1), Grey(177));                   // right: (100 + 255) / 2
    EXPECT_EQ(g.At(1, 2), Grey(227));                   // bottom: (200 + 255) / 2
    EXPECT_EQ(g.At(1, 1), Grey(138));                   // centre: 555 / 4
}

TEST(KResampleBilinear, AKnownGradientIsInterpolatedAtItsSixteenSixteenPositions)
{
    // A row of five pixels to nine: step = (4 << 16) / 8 + 1 = 32769, so odd columns sit half
    // way between two source pixels and even columns on one (the +1 moves them by under 1/256).
    KPixels row(5, 1);
    const unsigned int values[5] = {0, 64, 128, 192, 255};
    for (int i = 0; i < 5; ++i)
        row.At(i, 0) = Grey(values[i]);
    KPixels wide = Resample(row, 9, 1);
    const unsigned int expected[9] = {0, 32, 64, 96, 128, 160, 192, 223, 255};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(wide.At(i, 0), Grey(expected[i])) << "column " << i;

    // The same gradient standing up, through the vertical weights.
    KPixels column(1, 5);
    for (int i = 0; i < 5; ++i)
        column.At(0, i) = Grey(values[i]);
    KPixels tall = Resample(column, 1, 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(tall.At(0, i), Grey(expected[i])) << "row " << i;

    // Shrinking 9 -> 5 lands on every other source pixel exactly.
    KPixels back = Resample(wide, 5, 1);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(back.At(i, 0), Grey(expected[2 * i])) << "column " << i;
}

TEST(KResampleBilinear, OnePixelDestinationsTakeTheFirstSourceColumnOrRow)
{
    KPixels source(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            source.At(x, y) = Grey((unsigned int)(10 * (y * 3 + x) + 5));
    KPixels dot = Resample(source, 1, 1);
    EXPECT_EQ(dot.At(0, 0), source.At(0, 0));

    KPixels firstColumn = Resample(source, 1, 3);
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(firstColumn.At(0, y), source.At(0, y)) << "row " << y;

    KPixels firstRow = Resample(source, 3, 1);
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(firstRow.At(x, 0), source.At(x, 0)) << "column " << x;

    // A one-pixel source spreads over any destination.
    KPixels single(1, 1);
    single.At(0, 0) = 0x80402010;
    KPixels spread = Resample(single, 4, 3);
    for (unsigned int pixel : spread.p)
        EXPECT_EQ(pixel, 0x80402010u);
}

TEST(KResampleBilinear, PremultipliedPixelsStayPremultiplied)
{
    // Half-transparent red beside transparent black: the alpha byte is filtered like the colour
    // bytes, so no colour byte ever exceeds alpha.
    KPixels source(2, 1);
    source.At(0, 0) = 0x80800000;   // A 128, R 128
    source.At(1, 0) = 0x00000000;
    KPixels out = Resample(source, 5, 1);
    EXPECT_EQ(out.At(0, 0), 0x80800000u);
    EXPECT_EQ(out.At(2, 0), 0x40400000u);
    EXPECT_EQ(out.At(4, 0), 0x00000000u);
    for (unsigned int pixel : out.p)
        EXPECT_LE((pixel >> 16) & 0xFF, pixel >> 24);
}

TEST(KResampleBilinear, NegativeStridesWalkBottomUpRowsFromTheTop)
{
    // Rows stored bottom-up, addressed from the top row with a negative stride.
    std::vector<unsigned int> memory = {Grey(200), Grey(200), Grey(0), Grey(0)};   // bottom, top
    unsigned char* top = reinterpret_cast<unsigned char*>(memory.data() + 2);
    std::vector<unsigned int> out(6);
    unsigned char* outTop = reinterpret_cast<unsigned char*>(out.data() + 4);
    KResampleBilinear(outTop, -8, 2, 3, top, -8, 2, 2);
    EXPECT_EQ(out[4], Grey(0));     // top row
    EXPECT_EQ(out[2], Grey(100));   // middle row
    EXPECT_EQ(out[0], Grey(200));   // bottom row
}
