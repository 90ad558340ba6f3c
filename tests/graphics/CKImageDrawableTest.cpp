// CKImageDrawable and CKIconDrawable: the source by state (cell, source rectangle, whole image),
// nine-patch and extended nine-patch pieces landing where they belong, tiling, measuring, icon
// placement by the alignment bits and the out rect, and copying.
#include <gtest/gtest.h>

#include <vector>

#include "DrawableTestSupport.h"
#include "GraphicsTestSupport.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKImageDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/KNinePatch.h"

namespace {

const unsigned int GROUND = OpaquePixel(0, 0, 0);
const unsigned int RED = OpaquePixel(255, 0, 0);
const unsigned int GREEN = OpaquePixel(0, 255, 0);
const unsigned int BLUE = OpaquePixel(0, 0, 255);
const unsigned int YELLOW = OpaquePixel(255, 255, 0);
const unsigned int WHITE = OpaquePixel(255, 255, 255);

// A w x h 32-bit image whose column x has colour columns[x] in every row.
void MakeColumns(CKImage& image, const std::vector<unsigned int>& columns, int h)
{
    const int w = (int)columns.size();
    std::vector<unsigned int> pixels((size_t)w * h);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = columns[i % w];
    ASSERT_EQ(image.Create(w, h, 32), 1);
    SetPixels(image, pixels);
}

// A one-column strip of `count` cells of 4 x 4, cell i all colours[i].
void MakeStrip(CKImgList& strip, const std::vector<unsigned int>& colors)
{
    std::vector<unsigned int> pixels;
    for (unsigned int color : colors)
        pixels.insert(pixels.end(), 16, color);
    ASSERT_EQ(strip.Create(4, 4 * (int)colors.size(), 32), 1);
    SetPixels(strip, pixels);
    ASSERT_EQ(strip.SetCellsByGrid(1, (int)colors.size()), 1);
}

// The colour of each column of row y, x from `from` to `to` (exclusive).
std::vector<unsigned int> Row(const CKImage& image, int y, int from, int to)
{
    std::vector<unsigned int> row;
    for (int x = from; x < to; ++x)
        row.push_back(PixelAt(image, x, y));
    return row;
}

std::vector<unsigned int> Repeat(const std::vector<std::pair<unsigned int, int>>& runs)
{
    std::vector<unsigned int> result;
    for (const auto& run : runs)
        result.insert(result.end(), run.second, run.first);
    return result;
}

}   // namespace

TEST(CKImageDrawable, NinePatchCalcSizeIsTheInsetsOrTheInputPlusMargins)
{
    CKImage image;
    FillTarget(image, 12, 12, RED);
    CKImageDrawable patch;
    patch.SetImage(&image);
    const int insets[KPATCH_VALUES] = {4, 4, 4, 4, -1, -1};
    patch.SetNinePatch(insets, 1);
    patch.SetMargin(RECT{1, 2, 3, 4});

    SIZE size = {0, 0};
    patch.CalcSize(size);
    EXPECT_EQ(size.cx, 8 + 4);
    EXPECT_EQ(size.cy, 8 + 6);
    size = SIZE{50, 30};
    patch.CalcSize(size);
    EXPECT_EQ(size.cx, 54);
    EXPECT_EQ(size.cy, 36);

    // Paddings count with the input; the six-value form adds the fixed part.
    patch.SetPadding(RECT{10, 0, 10, 0});
    const int sixValues[KPATCH_VALUES] = {2, 1, 2, 1, 5, 3};
    patch.SetNinePatch(sixValues, 1);
    size = SIZE{0, 0};
    patch.CalcSize(size);
    EXPECT_EQ(size.cx, 20 + 4);   // max(0 + 20, 9) + margins
    EXPECT_EQ(size.cy, 5 + 6);    // max(0, 5) + margins
    // Without a nine-patch the natural size is the image's.
    patch.SetNinePatch(nullptr, 1);
    size = SIZE{0, 0};
    patch.CalcSize(size);
    EXPECT_EQ(size.cx, 20 + 4);
    EXPECT_EQ(size.cy, 12 + 6);
    // Without an image: margins and paddings only.
    patch.SetImage(nullptr);
    size = SIZE{50, 50};
    patch.CalcSize(size);
    EXPECT_EQ(size.cx, 24);
    EXPECT_EQ(size.cy, 6);
}

TEST(CKImageDrawable, NinePatchKeepsCornersStretchesEdgesAndCanSkipTheCentre)
{
    // 6 x 6: corners red, edges blue, centre green; insets of 2.
    std::vector<unsigned int> pixels;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool edgeX = x < 2 || x >= 4;
            const bool edgeY = y < 2 || y >= 4;
            pixels.push_back(edgeX && edgeY ? RED : edgeX || edgeY ? BLUE : GREEN);
        }
    CKImage source;
    ASSERT_EQ(source.Create(6, 6, 32), 1);
    SetPixels(source, pixels);
    CKImageDrawable patch;
    patch.SetImage(&source);
    const int insets[KPATCH_VALUES] = {2, 2, 2, 2, -1, -1};
    patch.SetNinePatch(insets, 1);
    patch.SetMargin(RECT{1, 1, 1, 1});

    CKImage target;
    FillTarget(target, 14, 12, GROUND);
    patch.SetState(0);
    DrawInto(&patch, target, RECT{0, 0, 14, 12}, nullptr);
    // The area is (1, 1)-(13, 11): 12 x 10.
    EXPECT_EQ(Row(target, 0, 0, 14), std::vector<unsigned int>(14, GROUND));
    EXPECT_EQ(Row(target, 1, 0, 14),
              Repeat({{GROUND, 1}, {RED, 2}, {BLUE, 8}, {RED, 2}, {GROUND, 1}}));
    EXPECT_EQ(Row(target, 5, 0, 14),
              Repeat({{GROUND, 1}, {BLUE, 2}, {GREEN, 8}, {BLUE, 2}, {GROUND, 1}}));
    EXPECT_EQ(Row(target, 10, 0, 14),
              Repeat({{GROUND, 1}, {RED, 2}, {BLUE, 8}, {RED, 2}, {GROUND, 1}}));
    EXPECT_EQ(Row(target, 11, 0, 14), std::vector<unsigned int>(14, GROUND));

    // Without its centre the middle keeps the ground.
    patch.SetNinePatch(insets, 0);
    EXPECT_EQ(patch.HasCenter(), 0);
    FillTarget(target, 14, 12, GROUND);
    DrawInto(&patch, target, RECT{0, 0, 14, 12}, nullptr);
    EXPECT_EQ(Row(target, 5, 0, 14),
              Repeat({{GROUND, 1}, {BLUE, 2}, {GROUND, 8}, {BLUE, 2}, {GROUND, 1}}));
    EXPECT_EQ(Row(target, 2, 0, 14),
              Repeat({{GROUND, 1}, {RED, 2}, {BLUE, 8}, {RED, 2}, {GROUND, 1}}));

    // Insets of 0 on the left and right: no corners, the edges reach the sides.
    const int topBottom[KPATCH_VALUES] = {0, 2, 0, 2, -1, -1};
    patch.SetNinePatch(topBottom, 1);
    patch.SetMargin(RECT{0, 0, 0, 0});
    FillTarget(target, 12, 10, GROUND);
    DrawInto(&patch, target, RECT{0, 0, 12, 10}, nullptr);
    // The top band (red, blue, red) and the middle rows (blue, green, blue) stretched across.
    EXPECT_EQ(PixelAt(target, 0, 0), RED);
    EXPECT_EQ(PixelAt(target, 11, 1), RED);
    EXPECT_EQ(PixelAt(target, 0, 5), BLUE);
    EXPECT_EQ(PixelAt(target, 11, 5), BLUE);
    EXPECT_EQ(PixelAt(target, 0, 9), RED);
}

TEST(CKImageDrawable, ExtendedNinePatchKeepsTheFixedPartCentredWhileTheFaceGrows)
{
    // Columns: inset 2 red, stretchable 2 green, fixed 2 blue, stretchable 2 yellow, inset 2 white.
    CKImage source;
    MakeColumns(source, Repeat({{RED, 2}, {GREEN, 2}, {BLUE, 2}, {YELLOW, 2}, {WHITE, 2}}), 4);
    CKImageDrawable patch;
    patch.SetImage(&source);
    const int values[KPATCH_VALUES] = {2, 0, 2, 0, 2, 0};
    patch.SetNinePatch(values, 1);

    CKImage target;
    FillTarget(target, 20, 4, GROUND);
    DrawInto(&patch, target, RECT{0, 0, 20, 4}, nullptr);
    // Middle 16: (16 - 2) / 2 = 7 stretched, 2 fixed, 7 stretched.
    const std::vector<unsigned int> even =
        Repeat({{RED, 2}, {GREEN, 7}, {BLUE, 2}, {YELLOW, 7}, {WHITE, 2}});
    EXPECT_EQ(Row(target, 0, 0, 20), even);
    EXPECT_EQ(Row(target, 3, 0, 20), even);

    // Middle 17: the second stretchable part takes the rest.
    FillTarget(target, 21, 4, GROUND);
    DrawInto(&patch, target, RECT{0, 0, 21, 4}, nullptr);
    EXPECT_EQ(Row(target, 1, 0, 21),
              Repeat({{RED, 2}, {GREEN, 7}, {BLUE, 2}, {YELLOW, 8}, {WHITE, 2}}));

    // The drawing routine can anchor the fixed part 5 pixels from the left edge instead.
    FillTarget(target, 20, 4, GROUND);
    {
        CKCanvas canvas;
        ASSERT_EQ(canvas.BindImage(&target, 0, 0), 1);
        DrawNinePatch(&canvas, RECT{0, 0, 20, 4}, &source, RECT{0, 0, 10, 4}, values, 1, 5,
                      KPATCH_CENTRED);
    }
    EXPECT_EQ(Row(target, 2, 0, 20),
              Repeat({{RED, 2}, {GREEN, 3}, {BLUE, 2}, {YELLOW, 11}, {WHITE, 2}}));

    // A fixed width of 0 means no fixed part: the four middle columns stretch together.
    const int noFixed[KPATCH_VALUES] = {2, 0, 2, 0, 0, 0};
    patch.SetNinePatch(noFixed, 1);
    FillTarget(target, 10, 4, GROUND);
    DrawInto(&patch, target, RECT{0, 0, 10, 4}, nullptr);
    EXPECT_EQ(Row(target, 0, 0, 10),
              Repeat({{RED, 2}, {GREEN, 2}, {BLUE, 2}, {YELLOW, 2}, {WHITE, 2}}));

    // Too small for the fixed part: it still sits in the middle, nothing else of the middle shows.
    patch.SetNinePatch(values, 1);
    FillTarget(target, 6, 4, GROUND);
    DrawInto(&patch, target, RECT{0, 0, 6, 4}, nullptr);
    EXPECT_EQ(Row(target, 0, 0, 6), Repeat({{RED, 2}, {BLUE, 2}, {WHITE, 2}}));
}

TEST(CKImageDrawable, WithoutNinePatchTheSourceIsTiledAndCellsFollowTheState)
{
    CKImgList strip;
    MakeStrip(strip, {RED, GREEN, BLUE, YELLOW});
    CKImageDrawable tiles;
    const int cells[KSLOT_COUNT] = {0, 1, 2, 3};
    tiles.SetImageList(&strip, cells);
    tiles.SetMargin(RECT{1, 0, 0, 0});

    CKImage target;
    const struct
    {
        unsigned int state;
        unsigned int pixel;
    } cases[] = {{0, RED}, {KSTATE_SELECTED, GREEN}, {KSTATE_PRESSED, BLUE}, {0xC0000000, YELLOW}};
    for (const auto& c : cases) {
        FillTarget(target, 11, 6, GROUND);
        tiles.SetState(c.state);
        RECT out = {0, 0, 11, 6};
        DrawInto(&tiles, target, RECT{0, 0, 11, 6}, &out);
        EXPECT_EQ(out.left, 1);
        EXPECT_EQ(CountChangedInside(target, RECT{1, 0, 11, 6}, c.pixel), 0) << std::hex << c.state;
        EXPECT_EQ(PixelAt(target, 0, 0), GROUND);
    }

    // A tile pattern: a 2 x 1 image repeated, the last column clipped.
    CKImage pair;
    MakeColumns(pair, {RED, BLUE}, 1);
    CKImageDrawable tiled;
    tiled.SetImage(&pair);
    EXPECT_EQ(tiled.GetCellIndex(0), -1);
    FillTarget(target, 5, 2, GROUND);
    DrawInto(&tiled, target, RECT{0, 0, 5, 2}, nullptr);
    EXPECT_EQ(Row(target, 1, 0, 5), std::vector<unsigned int>({RED, BLUE, RED, BLUE, RED}));

    // A source rectangle picks the part of a plain image.
    tiled.SetSrcRect(RECT{1, 0, 2, 1});
    FillTarget(target, 3, 1, GROUND);
    DrawInto(&tiled, target, RECT{0, 0, 3, 1}, nullptr);
    EXPECT_EQ(Row(target, 0, 0, 3), std::vector<unsigned int>(3, BLUE));

    // A cell the list does not have draws nothing and leaves the out rect alone.
    const int missing[KSLOT_COUNT] = {0, 0, 9, 0};
    tiles.SetImageList(&strip, missing);
    tiles.SetState(KSTATE_PRESSED);
    FillTarget(target, 4, 4, GROUND);
    RECT out = {0, 0, 4, 4};
    DrawInto(&tiles, target, RECT{0, 0, 4, 4}, &out);
    EXPECT_EQ(out.left, 0);
    EXPECT_EQ(CountChangedInside(target, RECT{0, 0, 4, 4}, GROUND), 0);
}

TEST(CKImageDrawable, CopyFromTakesTheImageCellsAndNinePatchAndReferencesTheImage)
{
    CKImgList strip;
    MakeStrip(strip, {RED, GREEN});
    strip.EnableRefCount();
    strip.AddRef();   // the test's own reference
    {
        CKImageDrawable original;
        const int cells[KSLOT_COUNT] = {1, 1, 0, 0};
        original.SetImageList(&strip, cells);
        const int values[KPATCH_VALUES] = {1, 2, 3, 4, 5, 6};
        original.SetNinePatch(values, 0);
        EXPECT_EQ(strip.GetRefCount(), 2);

        CKDrawable* copy = original.Clone();
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->GetRefCount(), -1);
        CKImageDrawable* image = static_cast<CKImageDrawable*>(copy);
        EXPECT_EQ(image->GetImage(), &strip);
        EXPECT_EQ(image->GetCellIndex(0), 1);
        EXPECT_EQ(image->GetCellIndex(2), 0);
        EXPECT_EQ(image->GetNinePatch(5), 6);
        EXPECT_EQ(image->GetNinePatch(6), -1);
        EXPECT_EQ(image->HasCenter(), 0);
        EXPECT_EQ(strip.GetRefCount(), 3);
        delete copy;
        EXPECT_EQ(strip.GetRefCount(), 2);

        CKIconDrawable icon;
        EXPECT_EQ(icon.CopyFrom(&original), 0);
        EXPECT_EQ(icon.GetImage(), nullptr);
    }
    EXPECT_EQ(strip.GetRefCount(), 1);
}

TEST(CKIconDrawable, IconsSitByTheAlignmentBitsAndConsumeTheirStrip)
{
    CKImgList strip;
    MakeStrip(strip, {RED, GREEN, BLUE, YELLOW});
    CKIconDrawable icon;
    icon.SetIconList(&strip, 2);
    for (int slot = 0; slot < KSLOT_COUNT; ++slot)
        EXPECT_EQ(icon.GetCellIndex(slot), 2);
    icon.SetMargin(RECT{1, 2, 3, 4});
    icon.SetPadding(RECT{5, 6, 7, 8});

    SIZE size = {100, 100};
    icon.CalcSize(size);
    EXPECT_EQ(size.cx, 4 + 16);
    EXPECT_EQ(size.cy, 4 + 20);

    CKImage target;
    FillTarget(target, 40, 40, GROUND);
    RECT out = {0, 0, 40, 40};
    icon.SetState(KDT_LEFT | KDT_TOP);
    DrawInto(&icon, target, RECT{0, 0, 40, 40}, &out);
    EXPECT_EQ(CountChangedInside(target, RECT{6, 8, 10, 12}, BLUE), 0);
    EXPECT_EQ(CountChangedOutside(target, RECT{6, 8, 10, 12}, GROUND), 0);
    EXPECT_EQ(out.left, 4 + 16);
    EXPECT_EQ(out.top, 4 + 20);

    FillTarget(target, 40, 40, GROUND);
    out = RECT{0, 0, 40, 40};
    icon.SetState(KDT_RIGHT | KDT_BOTTOM);
    DrawInto(&icon, target, RECT{0, 0, 40, 40}, &out);
    // x = 40 - (3 + 7 + 4), y = 40 - (4 + 8 + 4).
    EXPECT_EQ(CountChangedOutside(target, RECT{26, 24, 30, 28}, GROUND), 0);
    EXPECT_EQ(PixelAt(target, 26, 24), BLUE);
    EXPECT_EQ(out.right, 40 - 20);
    EXPECT_EQ(out.bottom, 40 - 24);

    // Centred in the whole rectangle; the out rect stays.
    FillTarget(target, 40, 40, GROUND);
    out = RECT{0, 0, 40, 40};
    icon.SetState(0);
    DrawInto(&icon, target, RECT{0, 0, 40, 40}, &out);
    EXPECT_EQ(CountChangedOutside(target, RECT{18, 18, 22, 22}, GROUND), 0);
    EXPECT_EQ(PixelAt(target, 18, 18), BLUE);
    EXPECT_EQ(out.left, 0);
    EXPECT_EQ(out.bottom, 40);

    // Per-state cells; a plain image is drawn whole, or by its source rectangle.
    const int cells[KSLOT_COUNT] = {0, 1, 2, 3};
    icon.SetImageList(&strip, cells);
    FillTarget(target, 40, 40, GROUND);
    icon.SetState(KSTATE_DISABLED | KDT_LEFT | KDT_TOP);
    DrawInto(&icon, target, RECT{0, 0, 40, 40}, nullptr);
    EXPECT_EQ(PixelAt(target, 6, 8), YELLOW);

    CKImage pair;
    MakeColumns(pair, {RED, BLUE}, 3);
    icon.SetImage(&pair);
    size = SIZE{0, 0};
    icon.CalcSize(size);
    EXPECT_EQ(size.cx, 2 + 16);
    EXPECT_EQ(size.cy, 3 + 20);
    icon.SetSrcRect(RECT{1, 0, 2, 2});
    size = SIZE{0, 0};
    icon.CalcSize(size);
    EXPECT_EQ(size.cx, 1 + 16);
    EXPECT_EQ(size.cy, 2 + 20);

    // Without an image: nothing drawn, margins and paddings measured, the out rect kept.
    icon.SetImage(nullptr);
    size = SIZE{50, 50};
    icon.CalcSize(size);
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(size.cy, 20);
    out = RECT{0, 0, 40, 40};
    icon.SetState(KDT_LEFT);
    DrawInto(&icon, target, RECT{0, 0, 40, 40}, &out);
    EXPECT_EQ(out.left, 0);
}
