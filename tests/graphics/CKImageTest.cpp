// CKImage and CKImgList without files: creation, rows and strides, stretching, copying,
// resizing, density scaling and cell geometry.
#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKImgList.h"

TEST(CKImage, CreateMakesAZeroedBottomUpSectionAndRefusesBadSizes)
{
    CKImage image;
    ASSERT_EQ(image.Create(3, 2, 32), 1);
    int w = 0, h = 0, bpp = 0;
    image.GetSize(&w, &h, &bpp);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(bpp, 32);
    image.GetSize(nullptr, &h, nullptr);
    EXPECT_NE(image.GetBitmap(), nullptr);
    EXPECT_EQ(image.GetStride(), 12);
    // The top row is the last one in memory.
    EXPECT_EQ(image.GetRow(0) - image.GetRow(1), 12);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(PixelAt(image, x, y), 0u);
    DIBSECTION section;
    ASSERT_EQ(GetObjectW(image.GetBitmap(), sizeof(section), &section), (int)sizeof(section));
    EXPECT_EQ(section.dsBmih.biHeight, 2);
    EXPECT_EQ(section.dsBmih.biCompression, (DWORD)BI_BITFIELDS);
    EXPECT_EQ(section.dsBitfields[0], 0xFF0000u);
    EXPECT_EQ(section.dsBitfields[1], 0xFF00u);
    EXPECT_EQ(section.dsBitfields[2], 0xFFu);

    // Rows are padded to 4 bytes.
    ASSERT_EQ(image.Create(3, 1, 24), 1);
    EXPECT_EQ(image.GetStride(), 12);
    ASSERT_EQ(image.Create(3, 1, 16), 1);
    EXPECT_EQ(image.GetStride(), 8);

    EXPECT_EQ(image.Create(0, 5, 32), 0);
    EXPECT_EQ(image.GetBitmap(), nullptr);
    EXPECT_EQ(image.GetWidth(), 0);
    EXPECT_EQ(image.Create(5, -1, 32), 0);
    EXPECT_EQ(image.Create(KIMG_MAX_SIDE + 1, 1, 32), 0);
    EXPECT_EQ(image.Create(4, 4, 8), 0);
    EXPECT_EQ(image.GetRow(0), nullptr);
    EXPECT_EQ(image.Create(KIMG_MAX_SIDE, 1, 32), 1);
    EXPECT_EQ(image.Create(KIMG_MAX_SIDE, KIMG_MAX_PIXELS / KIMG_MAX_SIDE + 1, 32), 0);
    EXPECT_EQ(image.Create(8000, 8000, 32), 0);

    image.Destroy();
    EXPECT_EQ(image.GetBitmap(), nullptr);
    EXPECT_EQ(image.GetFlags(), 0u);
    image.GetSize(&w, &h, &bpp);
    EXPECT_EQ(w + h + bpp, 0);
}

TEST(CKImage, StretchFromResamplesWholeAndClippedRectanglesTopDown)
{
    CKImage source;
    ASSERT_EQ(source.Create(2, 2, 32), 1);
    SetPixels(source, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x80808080});
    CKImage target;
    ASSERT_EQ(target.Create(3, 3, 32), 1);
    EXPECT_EQ(target.StretchFrom(0, 0, 3, 3, &source, 0, 0, 2, 2), 1);
    EXPECT_EQ(PixelAt(target, 0, 0), 0xFFFF0000u);   // top left stays top left
    EXPECT_EQ(PixelAt(target, 2, 0), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(target, 0, 2), 0xFF0000FFu);
    EXPECT_EQ(PixelAt(target, 2, 2), 0x80808080u);

    // A destination reaching outside is clipped to the image; the rest stays untouched.
    CKImage clipped;
    ASSERT_EQ(clipped.Create(3, 3, 32), 1);
    EXPECT_EQ(clipped.StretchFrom(-1, 1, 3, 5, &source, 1, 0, 1, 1), 1);
    EXPECT_EQ(PixelAt(clipped, 0, 0), 0u);
    EXPECT_EQ(PixelAt(clipped, 0, 1), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(clipped, 1, 2), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(clipped, 2, 1), 0u);

    // Depths must match and both need a bitmap.
    CKImage other;
    ASSERT_EQ(other.Create(2, 2, 24), 1);
    EXPECT_EQ(target.StretchFrom(0, 0, 3, 3, &other, 0, 0, 2, 2), 0);
    CKImage empty;
    EXPECT_EQ(target.StretchFrom(0, 0, 3, 3, &empty, 0, 0, 2, 2), 0);
    EXPECT_EQ(empty.StretchFrom(0, 0, 3, 3, &source, 0, 0, 2, 2), 0);
    EXPECT_EQ(target.StretchFrom(0, 0, 3, 3, nullptr, 0, 0, 2, 2), 0);

    // Other depths go through the platform stretch.
    CKImage small;
    ASSERT_EQ(small.Create(1, 1, 24), 1);
    small.GetRow(0)[0] = 10;   // B
    small.GetRow(0)[1] = 20;   // G
    small.GetRow(0)[2] = 30;   // R
    CKImage big;
    ASSERT_EQ(big.Create(4, 3, 24), 1);
    EXPECT_EQ(big.StretchFrom(0, 0, 4, 3, &small, 0, 0, 1, 1), 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const unsigned char* p = big.GetRow(y) + 3 * x;
            EXPECT_EQ(p[0] + (p[1] << 8) + (p[2] << 16), 10 + (20 << 8) + (30 << 16)) << x << "," << y;
        }
}

TEST(CKImage, CopyFromCopiesRowsClippedToBothImages)
{
    CKImage source;
    ASSERT_EQ(source.Create(3, 3, 32), 1);
    std::vector<unsigned int> pixels;
    for (unsigned int i = 1; i <= 9; ++i)
        pixels.push_back(i);
    SetPixels(source, pixels);
    CKImage target;
    ASSERT_EQ(target.Create(3, 3, 32), 1);
    EXPECT_EQ(target.CopyFrom(1, 1, 5, 5, &source, 0, 0), 1);
    EXPECT_EQ(PixelAt(target, 0, 0), 0u);
    EXPECT_EQ(PixelAt(target, 1, 1), 1u);
    EXPECT_EQ(PixelAt(target, 2, 1), 2u);
    EXPECT_EQ(PixelAt(target, 1, 2), 4u);
    EXPECT_EQ(PixelAt(target, 2, 2), 5u);
    // Negative origins move both rectangles together.
    CKImage shifted;
    ASSERT_EQ(shifted.Create(3, 3, 32), 1);
    EXPECT_EQ(shifted.CopyFrom(-1, 0, 3, 1, &source, 0, 2), 1);
    EXPECT_EQ(PixelAt(shifted, 0, 0), 8u);
    EXPECT_EQ(PixelAt(shifted, 1, 0), 9u);
    EXPECT_EQ(PixelAt(shifted, 2, 0), 0u);
    CKImage other;
    ASSERT_EQ(other.Create(3, 3, 24), 1);
    EXPECT_EQ(other.CopyFrom(0, 0, 3, 3, &source, 0, 0), 0);
}

TEST(CKImage, ResizeReplacesTheBitmapAndScaleForDensityScalesOnce)
{
    CKImage image;
    ASSERT_EQ(image.Create(2, 2, 32), 1);
    SetPixels(image, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004});
    ASSERT_EQ(image.Resize(3, 3), 1);
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetHeight(), 3);
    EXPECT_EQ(PixelAt(image, 0, 0), 0xFF000001u);
    EXPECT_EQ(PixelAt(image, 2, 2), 0xFF000004u);
    EXPECT_EQ(image.Resize(0, 3), 0);
    EXPECT_EQ(image.GetWidth(), 3);

    {
        KDensityScope density(240);   // Density 3
        ASSERT_EQ(GetDevMetric(Density), 3);
        CKImage icon;
        ASSERT_EQ(icon.Create(24, 24, 32), 1);
        // No density bit: nothing to do, and the image is not marked as scaled.
        EXPECT_EQ(icon.ScaleForDensity(0), 1);
        EXPECT_EQ(icon.ScaleForDensity(KIMG_AUTO), 1);   // a created image has no variant bits
        EXPECT_EQ(icon.GetFlags(), 0u);
        // Authored for density 2: x 3 / 2, once.
        EXPECT_EQ(icon.ScaleForDensity(KIMG_LD | KIMG_HD), 1);
        EXPECT_EQ(icon.GetWidth(), 36);
        EXPECT_EQ(icon.GetHeight(), 36);
        EXPECT_EQ(icon.GetFlags() & KIMG_SCALED_MASK, 3u);
        EXPECT_EQ(icon.ScaleForDensity(KIMG_LD), 0);
        EXPECT_EQ(icon.GetWidth(), 36);

        CKImage md;
        ASSERT_EQ(md.Create(36, 30, 32), 1);
        EXPECT_EQ(md.ScaleForDensity(KIMG_MD), 1);   // authored for this density: same size
        EXPECT_EQ(md.GetWidth(), 36);
        EXPECT_EQ(md.GetFlags() & KIMG_SCALED_MASK, 3u);

        CKImage xxhd;
        ASSERT_EQ(xxhd.Create(80, 41, 32), 1);
        EXPECT_EQ(xxhd.ScaleForDensity(KIMG_XXHD), 1);
        EXPECT_EQ(xxhd.GetWidth(), 30);    // 80 * 3 / 8
        EXPECT_EQ(xxhd.GetHeight(), 15);   // 41 * 3 / 8, truncated
    }
    CKImage empty;
    EXPECT_EQ(empty.ScaleForDensity(KIMG_LD), 0);
}

TEST(CKImgList, CellsRunInReadingOrderAndScaleWithThePicture)
{
    CKImgList list;
    ASSERT_EQ(list.Create(48, 96, 32), 1);
    ASSERT_EQ(list.SetCellsByGrid(2, 4), 1);
    EXPECT_EQ(list.GetCount(), 8);
    int cw = 0, ch = 0;
    ASSERT_EQ(list.GetCellSize(&cw, &ch), 1);
    EXPECT_EQ(cw, 24);
    EXPECT_EQ(ch, 24);
    RECT rect;
    ASSERT_EQ(list.GetCellRect(3, &rect), 1);
    EXPECT_EQ(rect.left, 24);
    EXPECT_EQ(rect.top, 24);
    EXPECT_EQ(rect.right, 48);
    EXPECT_EQ(rect.bottom, 48);
    POINT origin;
    ASSERT_EQ(list.GetCellOrigin(6, &origin), 1);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 72);
    // Index count and -1 give no rectangle.
    EXPECT_EQ(list.GetCellRect(8, &rect), 0);
    EXPECT_EQ(list.GetCellRect(-1, &rect), 0);
    EXPECT_EQ(list.GetCellOrigin(8, &origin), 0);

    // By size: whole cells only.
    ASSERT_EQ(list.SetCellsBySize(20, 30, 0), 1);
    EXPECT_EQ(list.GetColumns(), 2);
    EXPECT_EQ(list.GetRows(), 3);
    EXPECT_EQ(list.GetCount(), 6);
    EXPECT_EQ(list.SetCellsBySize(0, 30, 0), 0);
    EXPECT_EQ(list.SetCellsByGrid(1, 0), 0);

    // Density scaling scales the cells by the same factor; columns, rows and count stay.
    ASSERT_EQ(list.SetCellsByGrid(2, 4), 1);
    {
        KDensityScope density(320);   // Density 4
        ASSERT_EQ(list.ScaleForDensity(KIMG_LD), 1);
    }
    EXPECT_EQ(list.GetWidth(), 96);
    ASSERT_EQ(list.GetCellSize(&cw, &ch), 1);
    EXPECT_EQ(cw, 48);
    EXPECT_EQ(ch, 48);
    EXPECT_EQ(list.GetCount(), 8);
    // Scaled once only: the cells stay too.
    EXPECT_EQ(list.ScaleForDensity(KIMG_LD), 0);
    ASSERT_EQ(list.GetCellSize(&cw, &ch), 1);
    EXPECT_EQ(cw, 48);

    // Without a bitmap there is no geometry.
    list.Destroy();
    EXPECT_EQ(list.GetCellRect(0, &rect), 0);
    EXPECT_EQ(list.GetCellSize(&cw, &ch), 0);
}
