// The fill engine: premultiplied colours, every fill mode on small rectangles, border bands, and
// rounded corners that clear the outside and keep the inside.
#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKImage.h"
#include "graphics/KFaceFill.h"

namespace {

KFace Face(int mode, KColor c0, KColor c1 = 0, KColor c2 = 0, KColor c3 = 0)
{
    return {(unsigned int)mode << KFACE_MODE_SHIFT, 0, 0, {c0, c1, c2, c3}};
}

KColor Opaque(unsigned int r, unsigned int g, unsigned int b)
{
    return KMakeColor(r, g, b, 255);
}

// The pixel an opaque grey level becomes.
unsigned int GreyPixel(unsigned int v)
{
    return 0xFF000000u | v << 16 | v << 8 | v;
}

KFaceRender g_painted;

const CKImage& Render(int w, int h, const KFace& face, unsigned int extra = 0, int border = 0,
                      KColor borderColor = 0)
{
    EXPECT_EQ(KRenderFace(w, h, face, face.flags | extra, border, borderColor, &g_painted), 1);
    return *g_painted.image;
}

} // namespace

TEST(KFaceFill, ColoursArePremultipliedWithRedAndBlueSwapped)
{
    EXPECT_EQ(KColorToPixel(KMakeColor(255, 0, 0, 255)), 0xFFFF0000u);
    EXPECT_EQ(KColorToPixel(KMakeColor(10, 20, 30, 255)), 0xFF0A141Eu);
    EXPECT_EQ(KColorToPixel(KMakeColor(200, 100, 50, 51)), 0x3328140Au);   // each x 51 / 255
    EXPECT_EQ(KColorToPixel(KMakeColor(255, 255, 255, 0)), 0u);
    EXPECT_EQ(KColorToPixel(KMakeColor(255, 128, 1, 128)), 0x80804000u);   // 255*128/255, 128*128/255, 1*128/255

    const CKImage& image = Render(3, 2, Face(KFILL_SOLID, KMakeColor(200, 100, 50, 51)));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(PixelAt(image, x, y), 0x3328140Au);
}

TEST(KFaceFill, NoneAndUnknownModesAreTransparent)
{
    Render(4, 4, Face(KFILL_SOLID, Opaque(1, 2, 3)));
    const CKImage& none = Render(4, 4, Face(KFILL_NONE, Opaque(1, 2, 3)));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(PixelAt(none, x, y), 0u);
    Render(4, 4, Face(KFILL_SOLID, Opaque(1, 2, 3)));
    const CKImage& unknown = Render(4, 4, Face(9, Opaque(1, 2, 3)));
    EXPECT_EQ(PixelAt(unknown, 2, 2), 0u);
}

TEST(KFaceFill, GradientsStepOncePerPixelFromTheFirstColourTowardTheSecond)
{
    // g1c2 over 4 columns: c0 + (c1 - c0) x i / 4 in each byte, the same on every row.
    const CKImage& g1 = Render(4, 2, Face(KFILL_G1C2, Opaque(0, 0, 0), Opaque(200, 100, 40)));
    const unsigned int expected[4] = {0xFF000000, 0xFF32190A, 0xFF643214, 0xFF964B1E};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(PixelAt(g1, x, 0), expected[x]) << "column " << x;
        EXPECT_EQ(PixelAt(g1, x, 1), expected[x]) << "column " << x;
    }

    // g2c3 on a rectangle 5 pixels wide: columns 0-1 go c0 -> c1, columns 2-4 c1 -> c2.
    const KFace g2c3 = Face(KFILL_G2C3, Opaque(0, 0, 0), Opaque(100, 100, 100), Opaque(250, 250, 250));
    const CKImage& across = Render(5, 3, g2c3);
    const unsigned int levels[5] = {0, 50, 100, 150, 200};
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(PixelAt(across, x, y), GreyPixel(levels[x])) << x << "," << y;
    // With the direction bit the same runs top to bottom.
    const CKImage& down = Render(3, 5, g2c3, KFACE_VERTICAL);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(PixelAt(down, x, y), GreyPixel(levels[y])) << x << "," << y;

    // g2c4: halves c0 -> c1 and c2 -> c3.
    const CKImage& g2c4 = Render(4, 1, Face(KFILL_G2C4, Opaque(0, 0, 0), Opaque(100, 100, 100),
                                            Opaque(200, 200, 200), Opaque(250, 250, 250)));
    const unsigned int halves[4] = {0, 50, 200, 225};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(PixelAt(g2c4, x, 0), GreyPixel(halves[x])) << "column " << x;

    // g3c4 over 7 pixels: t = 2, so [0, 2) c0 -> c1, [2, 5) c1 -> c2, [5, 7) c2 -> c3.
    const CKImage& g3c4 = Render(7, 1, Face(KFILL_G3C4, Opaque(0, 0, 0), Opaque(60, 60, 60),
                                            Opaque(150, 150, 150), Opaque(250, 250, 250)));
    const unsigned int thirds[7] = {0, 30, 60, 90, 120, 150, 200};
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(PixelAt(g3c4, x, 0), GreyPixel(thirds[x])) << "column " << x;

    // Alpha is interpolated like the colour bytes: transparent -> opaque white over 2 pixels.
    const CKImage& fade = Render(2, 1, Face(KFILL_G1C2, KMakeColor(255, 255, 255, 0),
                                            KMakeColor(255, 255, 255, 255)));
    EXPECT_EQ(PixelAt(fade, 0, 0), 0u);
    EXPECT_EQ(PixelAt(fade, 1, 0), 0x7F7F7F7Fu);
}

TEST(KFaceFill, StripesOfFiveAndTwoUnitsByDefaultAndOfTheGivenThicknesses)
{
    // At 160 dpi 5 units are 8 pixels and 2 units 3 pixels.
    ASSERT_EQ(GetDevMetric(LogPixelsX), 160);
    const KColor a = Opaque(255, 0, 0);
    const KColor b = Opaque(0, 0, 255);
    const unsigned int pa = KColorToPixel(a);
    const unsigned int pb = KColorToPixel(b);
    // Without the direction bit the bands advance top to bottom.
    const CKImage& rows = Render(2, 24, Face(KFILL_L2C2, a, b, 0, 0));
    for (int y = 0; y < 24; ++y) {
        const unsigned int want = y % 11 < 8 ? pa : pb;
        EXPECT_EQ(PixelAt(rows, 0, y), want) << "row " << y;
        EXPECT_EQ(PixelAt(rows, 1, y), want) << "row " << y;
    }
    // With it they advance left to right; here with thicknesses 2 and 1.
    const CKImage& columns = Render(7, 2, Face(KFILL_L2C2, a, b, 2, 1), KFACE_VERTICAL);
    const unsigned int pattern[7] = {pa, pa, pb, pa, pa, pb, pa};
    for (int x = 0; x < 7; ++x)
        for (int y = 0; y < 2; ++y)
            EXPECT_EQ(PixelAt(columns, x, y), pattern[x]) << x << "," << y;
}

TEST(KFaceFill, BorderBandsShrinkTheFillAndAreSkippedWhenTooWide)
{
    const KColor red = Opaque(255, 0, 0);
    const unsigned int border = KColorToPixel(red);
    // Left and right bands of 2 leave 4 columns, across which the gradient runs.
    const KFace gradient = Face(KFILL_G1C2, Opaque(0, 0, 0), Opaque(200, 100, 40));
    const CKImage& sides = Render(8, 3, gradient, KEDGE_LEFT | KEDGE_RIGHT, 2, red);
    const unsigned int inner[4] = {0xFF000000, 0xFF32190A, 0xFF643214, 0xFF964B1E};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(PixelAt(sides, x, y), border);
            EXPECT_EQ(PixelAt(sides, 7 - x, y), border);
        }
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(PixelAt(sides, 2 + x, y), inner[x]) << x << "," << y;
    }

    // Top and bottom bands, then the vertical gradient over the 2 rows left.
    const CKImage& bands = Render(3, 6, gradient, KEDGE_TOP | KEDGE_BOTTOM | KFACE_VERTICAL, 2, red);
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(PixelAt(bands, x, 0), border);
        EXPECT_EQ(PixelAt(bands, x, 1), border);
        EXPECT_EQ(PixelAt(bands, x, 2), 0xFF000000u);
        EXPECT_EQ(PixelAt(bands, x, 3), 0xFF643214u);
        EXPECT_EQ(PixelAt(bands, x, 4), border);
        EXPECT_EQ(PixelAt(bands, x, 5), border);
    }

    // Only the named sides get a band.
    const KFace white = Face(KFILL_SOLID, Opaque(255, 255, 255));
    const CKImage& top = Render(4, 4, white, KEDGE_TOP, 1, red);
    EXPECT_EQ(PixelAt(top, 0, 0), border);
    EXPECT_EQ(PixelAt(top, 3, 0), border);
    EXPECT_EQ(PixelAt(top, 0, 1), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(top, 3, 3), 0xFFFFFFFFu);

    // A border as wide as the rectangle is high is still drawn; a wider one is not, and the fill
    // covers everything.
    const CKImage& full = Render(6, 3, white, KEDGE_ALL, 3, red);
    EXPECT_EQ(PixelAt(full, 3, 1), border);
    const CKImage& tooWide = Render(6, 3, white, KEDGE_ALL, 4, red);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(PixelAt(tooWide, x, y), 0xFFFFFFFFu) << x << "," << y;

    // A rounded corner brings the border onto its two sides, even without side bits.
    KFace rounded = white;
    rounded.roundW = 4;
    rounded.roundH = 4;
    const CKImage& corner = Render(10, 10, rounded, KCORNER_TOPLEFT, 1, red);
    EXPECT_EQ(PixelAt(corner, 0, 6), border);    // left side
    EXPECT_EQ(PixelAt(corner, 6, 0), border);    // top side
    EXPECT_EQ(PixelAt(corner, 9, 6), 0xFFFFFFFFu);   // right side: no band
    EXPECT_EQ(PixelAt(corner, 6, 9), 0xFFFFFFFFu);   // bottom side: no band
}

TEST(KFaceFill, RoundedCornersClearTheOutsideAndKeepTheInside)
{
    const unsigned int fill = 0xFF0A141E;
    KFace face = Face(KFILL_SOLID, Opaque(10, 20, 30));
    face.roundW = 10;
    face.roundH = 10;
    const CKImage& image = Render(20, 20, face, KCORNER_ALL);
    // The corner pixels are outside every curve.
    EXPECT_EQ(PixelAt(image, 0, 0), 0u);
    EXPECT_EQ(PixelAt(image, 19, 0), 0u);
    EXPECT_EQ(PixelAt(image, 0, 19), 0u);
    EXPECT_EQ(PixelAt(image, 19, 19), 0u);
    // Inside the curves, and beyond the corner boxes, the fill stays exactly.
    EXPECT_EQ(PixelAt(image, 4, 4), fill);
    EXPECT_EQ(PixelAt(image, 15, 15), fill);
    EXPECT_EQ(PixelAt(image, 10, 0), fill);
    EXPECT_EQ(PixelAt(image, 0, 10), fill);
    EXPECT_EQ(PixelAt(image, 10, 10), fill);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const unsigned int p = PixelAt(image, x, y);
            // Mirrored alike at all four corners.
            EXPECT_EQ(p, PixelAt(image, 19 - x, y)) << x << "," << y;
            EXPECT_EQ(p, PixelAt(image, x, 19 - y)) << x << "," << y;
            // Coverage scales all four bytes: the pixel stays premultiplied.
            EXPECT_LE((p >> 16) & 0xFF, p >> 24) << x << "," << y;
        }
    }
    // Coverage rises from the corner inward along the diagonal, through partial values.
    bool partial = false;
    for (int i = 1; i < 5; ++i) {
        EXPECT_GE(PixelAt(image, i, i) >> 24, PixelAt(image, i - 1, i - 1) >> 24);
        unsigned int alpha = PixelAt(image, i, i) >> 24;
        partial = partial || (alpha > 0 && alpha < 255);
    }
    EXPECT_TRUE(partial);

    // Only the named corners are rounded.
    const CKImage& one = Render(20, 20, face, KCORNER_BOTTOMRIGHT);
    EXPECT_EQ(PixelAt(one, 19, 19), 0u);
    EXPECT_EQ(PixelAt(one, 0, 0), fill);
    EXPECT_EQ(PixelAt(one, 19, 0), fill);
    EXPECT_EQ(PixelAt(one, 0, 19), fill);
}

TEST(KFaceFill, ABorderedCurveMixesInTheBorderColourAndClearsBeyondIt)
{
    const KColor red = Opaque(255, 0, 0);
    KFace face = Face(KFILL_SOLID, Opaque(255, 255, 255));
    face.roundW = 16;
    face.roundH = 16;
    const CKImage& image = Render(30, 30, face, KCORNER_ALL, 2, red);
    EXPECT_EQ(PixelAt(image, 0, 0), 0u);
    EXPECT_EQ(PixelAt(image, 15, 0), 0xFFFF0000u);   // the top band
    EXPECT_EQ(PixelAt(image, 15, 2), 0xFFFFFFFFu);   // below it: the fill
    EXPECT_EQ(PixelAt(image, 15, 15), 0xFFFFFFFFu);
    // Along the diagonal of the corner: transparent, then red (green byte 0) on the curve, then
    // white inside.
    bool sawBorder = false;
    for (int i = 0; i < 8; ++i) {
        const unsigned int p = PixelAt(image, i, i);
        if ((p >> 24) == 255 && ((p >> 8) & 0xFF) == 0)
            sawBorder = true;
    }
    EXPECT_TRUE(sawBorder);
    EXPECT_EQ(PixelAt(image, 7, 7), 0xFFFFFFFFu);

    // Without a border the same curve only scales the fill: no red anywhere.
    const CKImage& plain = Render(30, 30, face, KCORNER_ALL, 0, red);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const unsigned int p = PixelAt(plain, x, y);
            EXPECT_EQ((p >> 16) & 0xFF, p & 0xFF) << x << "," << y;
        }
}

TEST(KFaceFill, TheScratchImageOnlyGrowsAndEmptySizesPaintNothing)
{
    KFaceRender painted;
    EXPECT_EQ(KRenderFace(0, 5, Face(KFILL_SOLID, 0), 0, 0, 0, &painted), 0);
    EXPECT_EQ(KRenderFace(5, -1, Face(KFILL_SOLID, 0), 0, 0, 0, &painted), 0);
    ASSERT_EQ(KRenderFace(300, 2, Face(KFILL_SOLID, 0), 0, 0, 0, &painted), 1);
    const CKImage* wide = painted.image;
    ASSERT_EQ(KRenderFace(2, 200, Face(KFILL_SOLID, 0), 0, 0, 0, &painted), 1);
    ASSERT_EQ(painted.image, wide);
    EXPECT_GE(wide->GetWidth(), 300);
    EXPECT_GE(wide->GetHeight(), 200);
    EXPECT_EQ(wide->GetBitsPerPixel(), 32);
}

TEST(KFaceFill, TheRenderTellsWhereBlendingIsNeeded)
{
    const KColor red = Opaque(255, 0, 0);
    Render(10, 10, Face(KFILL_SOLID, red));
    EXPECT_TRUE(g_painted.opaque);
    EXPECT_FALSE(g_painted.transparent);
    EXPECT_EQ(g_painted.corners, 0u);
    // Every colour of the mode counts, the unused ones do not.
    Render(10, 10, Face(KFILL_G2C3, red, red, KMakeColor(255, 0, 0, 254), 0));
    EXPECT_FALSE(g_painted.opaque);
    Render(10, 10, Face(KFILL_G2C3, red, red, red, 0));
    EXPECT_TRUE(g_painted.opaque);
    Render(10, 10, Face(KFILL_L2C2, red, red, 0, 0));
    EXPECT_TRUE(g_painted.opaque);
    // Nothing to blit for a transparent fill without border; a border makes it visible.
    Render(10, 10, Face(KFILL_NONE, red));
    EXPECT_TRUE(g_painted.transparent);
    EXPECT_FALSE(g_painted.opaque);
    Render(10, 10, Face(KFILL_SOLID, KMakeColor(9, 9, 9, 0)));
    EXPECT_TRUE(g_painted.transparent);
    Render(10, 10, Face(KFILL_NONE, red), KEDGE_TOP, 1, red);
    EXPECT_FALSE(g_painted.transparent);
    Render(10, 10, Face(KFILL_SOLID, red), KEDGE_TOP, 1, KMakeColor(0, 0, 0, 128));
    EXPECT_FALSE(g_painted.opaque);
    // Rounded corners are reported with their boxes.
    KFace rounded = Face(KFILL_SOLID, red);
    rounded.roundW = 8;
    rounded.roundH = 6;
    Render(20, 20, rounded, KCORNER_TOPLEFT | KCORNER_BOTTOMRIGHT);
    EXPECT_TRUE(g_painted.opaque);
    EXPECT_EQ(g_painted.corners, KCORNER_TOPLEFT | KCORNER_BOTTOMRIGHT);
    EXPECT_EQ(g_painted.cornerW, 4);
    EXPECT_EQ(g_painted.cornerH, 3);
}
