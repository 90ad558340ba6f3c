// CKCanvas on images: binding and unbinding, the shared pen and brush, fills landing with their
// exact premultiplied pixels, image blits with per-pixel alpha, tiles and cells, and missing
// images drawing nothing.
#include <gtest/gtest.h>

#include <cstdlib>

#include "GraphicsTestSupport.h"
#include "graphics/CKBrush.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFont.h"
#include "graphics/CKImgList.h"
#include "graphics/CKPen.h"
#include "graphics/KFaceFill.h"
#include "graphics/KGraphics.h"

namespace {

// A target image of w x h filled with one pixel value.
void Prepare(CKImage& image, int w, int h, unsigned int pixel)
{
    ASSERT_EQ(image.Create(w, h, 32), 1);
    SetPixels(image, std::vector<unsigned int>((size_t)w * h, pixel));
}

// Puts the shared pen and brush back to their defaults for the next test.
struct KDefaultsScope
{
    ~KDefaultsScope()
    {
        GetDefaultBrush()->Create(KBRUSH_SOLID, KCOLOR_BLACK);
        GetDefaultPen()->Create(KPEN_SOLID, 1, KCOLOR_BLACK);
    }
};

bool Near(unsigned int a, unsigned int b)
{
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs((int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF)) > 1)
            return false;
    return true;
}

} // namespace

TEST(CKCanvas, BindingSelectsTheDefaultsAndUnbindingPutsBackWhatWasThere)
{
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    {
        CKCanvas canvas;
        EXPECT_EQ(canvas.GetDC(), nullptr);
        ASSERT_EQ(canvas.Bind(dc), 1);
        EXPECT_EQ(canvas.GetDC(), dc);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetDefaultPen()->GetHandle());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetDefaultBrush()->GetHandle());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetDefaultFont()->GetHandle());
        EXPECT_EQ(canvas.GetFont(), GetDefaultFont());
        CKFont* small = GetSmallFont();
        canvas.SelectFont(small);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), small->GetHandle());
        canvas.SelectDefaultFont();
        EXPECT_EQ(canvas.GetFont(), GetDefaultFont());
        // Bound twice: the first binding is undone first. The destructor unbinds.
        ASSERT_EQ(canvas.Bind(dc), 1);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    DeleteDC(dc);

    CKCanvas canvas;
    EXPECT_EQ(canvas.Bind(nullptr), 0);
    CKImage empty;
    EXPECT_EQ(canvas.BindImage(&empty, 0, 0), 0);
    EXPECT_EQ(canvas.BindImage(nullptr, 0, 0), 0);
    canvas.Unbind();   // harmless
    RECT clip;
    EXPECT_FALSE(canvas.GetClipBox(&clip));
}

TEST(CKCanvas, FillsLandOnAnImageWithTheirPremultipliedPixels)
{
    KDefaultsScope defaults;
    CKImage target;
    Prepare(target, 8, 6, 0);
    CKCanvas canvas;
    ASSERT_EQ(canvas.BindImage(&target, 0, 0), 1);
    RECT clip;
    ASSERT_TRUE(canvas.GetClipBox(&clip));
    EXPECT_EQ(clip.right, 8);
    EXPECT_EQ(clip.bottom, 6);

    canvas.SetBrushColor(KMakeColor(10, 20, 30, 255));
    canvas.FillRect(1, 1, 3, 2);
    EXPECT_EQ(PixelAt(target, 0, 0), 0u);
    EXPECT_EQ(PixelAt(target, 1, 1), 0xFF0A141Eu);
    EXPECT_EQ(PixelAt(target, 3, 2), 0xFF0A141Eu);
    EXPECT_EQ(PixelAt(target, 4, 2), 0u);
    EXPECT_EQ(PixelAt(target, 1, 3), 0u);

    // The brush is the shared default one: its colour stays for the next canvas.
    canvas.Unbind();
    CKCanvas later;
    ASSERT_EQ(later.BindImage(&target, 0, 0), 1);
    const RECT all = {0, 0, 8, 6};
    later.FillRect(all);
    EXPECT_EQ(PixelAt(target, 7, 5), 0xFF0A141Eu);

    // Half-transparent colours blend over what is there (exact to one step).
    later.SetBrushColor(KMakeColor(255, 0, 0, 128));
    const RECT half = {0, 0, 2, 2};
    later.FillRect(half);
    EXPECT_TRUE(Near(PixelAt(target, 0, 0), 0xFF850A0F)) << std::hex << PixelAt(target, 0, 0);

    // Faces: the pen draws the border, FillFaceNoBorder none.
    later.SetPen(KMakeColor(0, 0, 255, 255), 1);
    const KFace white = {(unsigned int)KFILL_SOLID << KFACE_MODE_SHIFT, 0, 0,
                         {KMakeColor(255, 255, 255, 255), 0, 0, 0}};
    later.FillFace(all, white, KEDGE_ALL);
    EXPECT_EQ(PixelAt(target, 0, 0), 0xFF0000FFu);
    EXPECT_EQ(PixelAt(target, 7, 3), 0xFF0000FFu);
    EXPECT_EQ(PixelAt(target, 3, 3), 0xFFFFFFFFu);
    later.FillFaceNoBorder(all, white, KEDGE_ALL);
    EXPECT_EQ(PixelAt(target, 0, 0), 0xFFFFFFFFu);

    // Rounded fills leave the corners as they were (transparent source pixels).
    CKImage round;
    Prepare(round, 10, 10, 0);
    ASSERT_EQ(later.BindImage(&round, 0, 0), 1);
    const RECT box = {0, 0, 10, 10};
    later.FillRoundRect(box, 8, 8, KCORNER_TOPLEFT);
    EXPECT_EQ(PixelAt(round, 0, 0), 0u);
    EXPECT_TRUE(Near(PixelAt(round, 9, 0), 0x80800000)) << std::hex << PixelAt(round, 9, 0);
}

TEST(CKCanvas, OpaqueRoundedFacesBlendOnlyTheirCornersAndMatchAWholeBlend)
{
    KDefaultsScope defaults;
    const unsigned int blue = 0xFF0000FF;
    CKImage target;
    Prepare(target, 24, 14, blue);
    CKCanvas canvas;
    ASSERT_EQ(canvas.BindImage(&target, 0, 0), 1);
    canvas.SetBrushColor(KMakeColor(255, 0, 0, 255));
    const RECT rect = {2, 1, 22, 13};
    canvas.FillRoundRect(rect, 8, 8, KCORNER_TOPLEFT | KCORNER_BOTTOMRIGHT);
    // What one blend of the whole rendered face over blue gives, pixel by pixel.
    const KFace face = {(unsigned int)KFILL_SOLID << KFACE_MODE_SHIFT, 8, 8,
                        {KMakeColor(255, 0, 0, 255), 0, 0, 0}};
    KFaceRender painted;
    ASSERT_EQ(KRenderFace(20, 12, face, face.flags | KCORNER_TOPLEFT | KCORNER_BOTTOMRIGHT, 0, 0,
                          &painted), 1);
    ASSERT_TRUE(painted.opaque);
    int mixed = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 24; ++x) {
            unsigned int want = blue;
            if (x >= 2 && x < 22 && y >= 1 && y < 13) {
                const unsigned int src = PixelAt(*painted.image, x - 2, y - 1);
                const unsigned int a = src >> 24;
                want = (src & 0xFFFFFF00) | ((blue & 0xFF) * (255 - a) / 255 + (src & 0xFF));
                want |= 0xFF000000;
                mixed += a > 0 && a < 255;
            }
            EXPECT_TRUE(Near(PixelAt(target, x, y), want)) << x << "," << y << " " << std::hex
                                                           << PixelAt(target, x, y) << " " << want;
        }
    EXPECT_GT(mixed, 0);
    EXPECT_EQ(PixelAt(target, 2, 1), blue);          // the rounded top-left corner
    EXPECT_EQ(PixelAt(target, 21, 1), 0xFFFF0000u);  // the square top-right corner
    EXPECT_EQ(PixelAt(target, 2, 12), 0xFFFF0000u);  // the square bottom-left corner
    EXPECT_EQ(PixelAt(target, 21, 12), blue);        // the rounded bottom-right corner
}

TEST(CKCanvas, AnImageOriginMovesEveryDrawingOntoTheImage)
{
    CKImage target;
    Prepare(target, 4, 4, 0);
    CKCanvas canvas;
    // Painting in frame coordinates of a window whose image starts at (10, 20).
    ASSERT_EQ(canvas.BindImage(&target, 10, 20), 1);
    canvas.SetBrushColor(KMakeColor(0, 255, 0, 255));
    canvas.FillRect(11, 21, 2, 1);
    EXPECT_EQ(PixelAt(target, 0, 0), 0u);
    EXPECT_EQ(PixelAt(target, 1, 1), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(target, 2, 1), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(target, 3, 1), 0u);
    canvas.SetBrushColor(KCOLOR_BLACK);
}

TEST(CKCanvas, ImagesBlendWithPerPixelAlphaTileAndDrawTheirCells)
{
    CKImage source;
    ASSERT_EQ(source.Create(2, 2, 32), 1);
    SetPixels(source, {0xFFFF0000, 0x80800000, 0x00000000, 0xFF00FF00});
    CKImage target;
    Prepare(target, 6, 5, 0xFF0000FF);
    CKCanvas canvas;
    ASSERT_EQ(canvas.BindImage(&target, 0, 0), 1);
    canvas.DrawImage(1, 1, 2, 2, &source, 0, 0);
    EXPECT_EQ(PixelAt(target, 1, 1), 0xFFFF0000u);
    EXPECT_TRUE(Near(PixelAt(target, 2, 1), 0xFF80007F)) << std::hex << PixelAt(target, 2, 1);
    EXPECT_EQ(PixelAt(target, 1, 2), 0xFF0000FFu);   // transparent: the target shows
    EXPECT_EQ(PixelAt(target, 2, 2), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(target, 0, 0), 0xFF0000FFu);
    // A source rectangle reaching outside the image is clipped.
    canvas.DrawImage(4, 3, 5, 5, &source, 1, 1);
    EXPECT_EQ(PixelAt(target, 4, 3), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(target, 5, 3), 0xFF0000FFu);

    // Tiles repeat the cell row by row and clip the last column and row.
    CKImage tiled;
    Prepare(tiled, 5, 3, 0);
    ASSERT_EQ(canvas.BindImage(&tiled, 0, 0), 1);
    canvas.TileImage(0, 0, 5, 3, &source, 0, 0, 0, 0);   // the whole image
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_TRUE(Near(PixelAt(tiled, x, y), PixelAt(source, x % 2, y % 2))) << x << "," << y;
    // A selected bitmap cannot be replaced: unbind before re-creating the target.
    canvas.Unbind();
    Prepare(tiled, 5, 3, 0);
    ASSERT_EQ(canvas.BindImage(&tiled, 0, 0), 1);
    canvas.TileImage(0, 0, 5, 3, &source, 1, 1, 1, 1);   // one green pixel
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(PixelAt(tiled, x, y), 0xFF00FF00u) << x << "," << y;

    // Cells of an image list.
    CKImgList strip;
    ASSERT_EQ(strip.Create(1, 3, 32), 1);
    SetPixels(strip, {0xFF000001, 0xFF000002, 0xFF000003});
    ASSERT_EQ(strip.SetCellsByGrid(1, 3), 1);
    CKImage cell;
    Prepare(cell, 2, 1, 0);
    ASSERT_EQ(canvas.BindImage(&cell, 0, 0), 1);
    canvas.DrawImageCell(1, 0, &strip, 2);
    EXPECT_EQ(PixelAt(cell, 1, 0), 0xFF000003u);
    canvas.DrawImageCell(0, 0, &strip, 3);   // no such cell
    EXPECT_EQ(PixelAt(cell, 0, 0), 0u);

    // Stretching keeps per-pixel alpha; other depths are copied as they are.
    CKImage dot;
    ASSERT_EQ(dot.Create(1, 1, 32), 1);
    SetPixels(dot, {0xFF123456});
    CKImage stretched;
    Prepare(stretched, 3, 3, 0);
    ASSERT_EQ(canvas.BindImage(&stretched, 0, 0), 1);
    canvas.StretchImage(0, 0, 3, 3, &dot, 0, 0, 1, 1);
    EXPECT_EQ(PixelAt(stretched, 2, 2), 0xFF123456u);
    CKImage opaque;
    ASSERT_EQ(opaque.Create(1, 1, 24), 1);
    opaque.GetRow(0)[0] = 0x56;
    opaque.GetRow(0)[1] = 0x34;
    opaque.GetRow(0)[2] = 0x12;
    canvas.DrawImage(0, 0, 1, 1, &opaque, 0, 0);
    EXPECT_EQ(PixelAt(stretched, 0, 0) & 0xFFFFFF, 0x123456u);
}

TEST(CKCanvas, AMissingImageDrawsNothing)
{
    CKImage target;
    Prepare(target, 4, 4, 0xFF336699);
    CKCanvas canvas;
    ASSERT_EQ(canvas.BindImage(&target, 0, 0), 1);
    CKImage empty;
    CKImgList emptyList;
    canvas.DrawImage(0, 0, 4, 4, nullptr, 0, 0);
    canvas.DrawImage(0, 0, 4, 4, &empty, 0, 0);
    canvas.StretchImage(0, 0, 4, 4, nullptr, 0, 0, 1, 1);
    canvas.StretchImage(0, 0, 4, 4, &empty, 0, 0, 1, 1);
    canvas.TileImage(0, 0, 4, 4, nullptr, 0, 0, 1, 1);
    canvas.TileImage(0, 0, 4, 4, &empty, 0, 0, 0, 0);
    canvas.DrawImageCell(0, 0, nullptr, 0);
    canvas.DrawImageCell(0, 0, &emptyList, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(PixelAt(target, x, y), 0xFF336699u);
    // An unbound canvas ignores everything.
    CKCanvas unbound;
    unbound.DrawImage(0, 0, 4, 4, &target, 0, 0);
    unbound.FillRect(0, 0, 4, 4);
    EXPECT_EQ(unbound.DrawText(L"x", 1, RECT{0, 0, 10, 10}, 0), 0);
}

TEST(CKCanvas, TheBackBufferIsAScreenSizedMemoryDC)
{
    HDC dc = GetBackBufferDC();
    ASSERT_NE(dc, nullptr);
    BITMAP bitmap;
    ASSERT_NE(GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof(bitmap), &bitmap), 0);
    EXPECT_EQ(bitmap.bmWidth, 320);
    EXPECT_EQ(bitmap.bmHeight, 480);
    EXPECT_EQ(GetNullPen(), GetStockObject(NULL_PEN));
    EXPECT_EQ(GetNullBrush(), GetStockObject(NULL_BRUSH));
    CKCanvas canvas;
    ASSERT_EQ(canvas.Bind(dc), 1);
    canvas.SetBrushColor(KMakeColor(1, 2, 3, 255));
    canvas.FillRect(0, 0, 2, 2);
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(1, 2, 3));
    canvas.SetBrushColor(KCOLOR_BLACK);
}
