// The fill engine: border bands, fill modes and corner masking on the shared scratch image.
//
// Index:
//   Surface access (rows of the scratch image, top row first)
//   Fill modes (solid, gradients, stripes)
//   Border bands and corners
//   KRenderFace
#include "graphics/KFaceFill.h"

#include <cstring>

#include "foundation/KDevMetrics.h"
#include "graphics/CKImage.h"
#include "graphics/KCornerMask.h"

namespace {

CKImage* g_scratch;    // owned: only grows, to the largest width and height asked for
KCornerMask g_mask;    // rebuilt only when (rx, ry, border) changes

constexpr int CHANNELS = 4;
constexpr int FIXED_SHIFT = 16;
constexpr int FIXED_ONE = 1 << FIXED_SHIFT;
constexpr unsigned int BYTE_MASK = 0xFF;
constexpr int FULL_COVERAGE = 255;
// Default stripe thicknesses of "l2c2", in base units.
constexpr int STRIPE_A_UNITS = 5;
constexpr int STRIPE_B_UNITS = 2;

struct KArea
{
    int left, top, right, bottom;
};

// ---- Surface access --------------------------------------------------------------------------

unsigned int* Row(int y)
{
    return reinterpret_cast<unsigned int*>(g_scratch->GetRow(y));
}

void FillSpan(unsigned int* row, int left, int right, unsigned int pixel)
{
    for (int x = left; x < right; ++x)
        row[x] = pixel;
}

void FillArea(const KArea& area, unsigned int pixel)
{
    for (int y = area.top; y < area.bottom; ++y)
        FillSpan(Row(y), area.left, area.right, pixel);
}

// Repeats the span of the area's first row on its other rows.
void CopyFirstRow(const KArea& area)
{
    const unsigned int* first = Row(area.top) + area.left;
    const size_t bytes = (size_t)(area.right - area.left) * sizeof(unsigned int);
    for (int y = area.top + 1; y < area.bottom; ++y)
        memcpy(Row(y) + area.left, first, bytes);
}

// ---- Fill modes ------------------------------------------------------------------------------

// One gradient segment [start, end) of the extent, from one pixel value toward another.
struct KSegment
{
    int start, end;
    unsigned int from, to;
};

// Walks the four bytes of a segment in 16.16 fixed point, one step per pixel.
class KGradientWalk
{
public:
    KGradientWalk(unsigned int from, unsigned int to, int length)
    {
        for (int c = 0; c < CHANNELS; ++c) {
            const int a = (int)((from >> (8 * c)) & BYTE_MASK);
            const int b = (int)((to >> (8 * c)) & BYTE_MASK);
            value[c] = a * FIXED_ONE;
            step[c] = (b - a) * FIXED_ONE / length;
        }
    }
    unsigned int Next()
    {
        unsigned int pixel = 0;
        for (int c = 0; c < CHANNELS; ++c) {
            pixel |= (unsigned int)(value[c] >> FIXED_SHIFT) << (8 * c);
            value[c] += step[c];
        }
        return pixel;
    }

private:
    int value[CHANNELS];
    int step[CHANNELS];
};

// The segments of a gradient mode over an extent of n pixels; returns how many.
int GradientSegments(int mode, int n, const unsigned int* c, KSegment* segments)
{
    const int half = n / 2;
    const int third = n / 3;
    switch (mode) {
    case KFILL_G1C2:
        segments[0] = {0, n, c[0], c[1]};
        return 1;
    case KFILL_G2C3:
        segments[0] = {0, half, c[0], c[1]};
        segments[1] = {half, n, c[1], c[2]};
        return 2;
    case KFILL_G2C4:
        segments[0] = {0, half, c[0], c[1]};
        segments[1] = {half, n, c[2], c[3]};
        return 2;
    default:   // KFILL_G3C4
        segments[0] = {0, third, c[0], c[1]};
        segments[1] = {third, n - third, c[1], c[2]};
        segments[2] = {n - third, n, c[2], c[3]};
        return 3;
    }
}

void FillGradient(const KArea& area, int mode, bool vertical, const unsigned int* pixels)
{
    const int n = vertical ? area.bottom - area.top : area.right - area.left;
    KSegment segments[3];
    const int count = GradientSegments(mode, n, pixels, segments);
    unsigned int* first = Row(area.top) + area.left;
    for (int s = 0; s < count; ++s) {
        const KSegment& segment = segments[s];
        if (segment.end <= segment.start)
            continue;
        KGradientWalk walk(segment.from, segment.to, segment.end - segment.start);
        for (int i = segment.start; i < segment.end; ++i) {
            if (vertical)
                FillSpan(Row(area.top + i), area.left, area.right, walk.Next());
            else
                first[i] = walk.Next();
        }
    }
    if (!vertical)
        CopyFirstRow(area);
}

// Stripe thickness from a face's colour slot: 0 (or a negative value) takes the default.
int StripeThickness(KColor slot, int defaultUnits)
{
    const int value = (int)slot;
    return value > 0 ? value : UnitToPixels(defaultUnits, 1);
}

void FillStripes(const KArea& area, const KFace& face, bool advanceAcross,
                 const unsigned int* pixels)
{
    const int a = StripeThickness(face.color[2], STRIPE_A_UNITS);
    int b = StripeThickness(face.color[3], STRIPE_B_UNITS);
    if (a + b < 1)
        b = 1;   // a resolution so low that both defaults are 0 pixels
    const int period = a + b;
    if (advanceAcross) {
        unsigned int* first = Row(area.top);
        for (int x = area.left; x < area.right; ++x)
            first[x] = (x - area.left) % period < a ? pixels[0] : pixels[1];
        CopyFirstRow(area);
    } else {
        for (int y = area.top; y < area.bottom; ++y)
            FillSpan(Row(y), area.left, area.right,
                     (y - area.top) % period < a ? pixels[0] : pixels[1]);
    }
}

void FillInner(const KArea& area, const KFace& face, unsigned int flags)
{
    if (area.right <= area.left || area.bottom <= area.top)
        return;
    unsigned int pixels[4];
    for (int i = 0; i < 4; ++i)
        pixels[i] = KColorToPixel(face.color[i]);
    const bool vertical = (flags & KFACE_VERTICAL) != 0;
    const int mode = KFaceMode(flags);
    switch (mode) {
    case KFILL_SOLID:
        FillArea(area, pixels[0]);
        break;
    case KFILL_G1C2:
    case KFILL_G2C3:
    case KFILL_G2C4:
    case KFILL_G3C4:
        FillGradient(area, mode, vertical, pixels);
        break;
    case KFILL_L2C2:
        FillStripes(area, face, vertical, pixels);
        break;
    default:   // KFILL_NONE and unknown modes: transparent
        FillArea(area, 0);
        break;
    }
}

// ---- Border bands and corners ----------------------------------------------------------------

// The sides a border is drawn on: the side bits, plus the two sides of each rounded corner.
unsigned int BorderSides(const KFace& face, unsigned int flags)
{
    unsigned int sides = flags & KEDGE_ALL;
    if (face.roundW > 0) {
        if (flags & KCORNER_TOPLEFT)
            sides |= KEDGE_LEFT | KEDGE_TOP;
        if (flags & KCORNER_TOPRIGHT)
            sides |= KEDGE_RIGHT | KEDGE_TOP;
        if (flags & KCORNER_BOTTOMLEFT)
            sides |= KEDGE_LEFT | KEDGE_BOTTOM;
        if (flags & KCORNER_BOTTOMRIGHT)
            sides |= KEDGE_RIGHT | KEDGE_BOTTOM;
    }
    return sides;
}

// Draws the bands in the order top, bottom, left, right; `inner` shrinks past each.
void DrawBorderBands(KArea* inner, unsigned int sides, int width, unsigned int pixel)
{
    if (sides & KEDGE_TOP) {
        const int edge = inner->top + width < inner->bottom ? inner->top + width : inner->bottom;
        FillArea({inner->left, inner->top, inner->right, edge}, pixel);
        inner->top = edge;
    }
    if (sides & KEDGE_BOTTOM) {
        const int edge = inner->bottom - width > inner->top ? inner->bottom - width : inner->top;
        FillArea({inner->left, edge, inner->right, inner->bottom}, pixel);
        inner->bottom = edge;
    }
    if (sides & KEDGE_LEFT) {
        const int edge = inner->left + width < inner->right ? inner->left + width : inner->right;
        FillArea({inner->left, inner->top, edge, inner->bottom}, pixel);
        inner->left = edge;
    }
    if (sides & KEDGE_RIGHT) {
        const int edge = inner->right - width > inner->left ? inner->right - width : inner->left;
        FillArea({edge, inner->top, inner->right, inner->bottom}, pixel);
        inner->right = edge;
    }
}

// x / 255, rounded, for x up to 255 x 255.
unsigned int Div255(unsigned int x)
{
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// border x (shape - inner) + pixel x inner, per byte, over 255.
unsigned int Mix(unsigned int border, unsigned int pixel, unsigned int shape, unsigned int inner)
{
    const unsigned int band = shape - inner;
    unsigned int out = 0;
    for (int c = 0; c < CHANNELS; ++c) {
        const unsigned int shift = 8 * c;
        const unsigned int value =
            ((border >> shift) & BYTE_MASK) * band + ((pixel >> shift) & BYTE_MASK) * inner;
        out |= Div255(value) << shift;
    }
    return out;
}

void ApplyCorner(int w, int h, int rx, int ry, bool right, bool bottom, unsigned int borderPixel)
{
    for (int y = 0; y < ry; ++y) {
        unsigned int* row = Row(bottom ? h - 1 - y : y);
        const unsigned char* shape = g_mask.GetShapeRow(y);
        const unsigned char* inner = g_mask.GetInnerRow(y);
        for (int x = 0; x < rx; ++x) {
            if (inner[x] == FULL_COVERAGE)
                continue;   // inside both curves: the fill stays
            unsigned int& pixel = row[right ? w - 1 - x : x];
            pixel = Mix(borderPixel, pixel, shape[x], inner[x]);
        }
    }
}

} // namespace

// ---- KRenderFace -----------------------------------------------------------------------------

namespace {

// The colours a fill mode paints with.
int ColoursOfMode(int mode)
{
    switch (mode) {
    case KFILL_SOLID:
        return 1;
    case KFILL_G1C2:
    case KFILL_L2C2:
        return 2;
    case KFILL_G2C3:
        return 3;
    case KFILL_G2C4:
    case KFILL_G3C4:
        return 4;
    default:
        return 0;
    }
}

// Alpha of the colours a fill paints with: all opaque, and all fully transparent.
void FillAlpha(const KFace& face, unsigned int flags, bool* opaque, bool* transparent)
{
    const int count = ColoursOfMode(KFaceMode(flags));
    *opaque = count > 0;
    *transparent = true;
    for (int i = 0; i < count; ++i) {
        const unsigned int alpha = face.color[i] >> 24;
        *opaque = *opaque && alpha == KALPHA_OPAQUE;
        *transparent = *transparent && alpha == 0;
    }
}

} // namespace

int KRenderFace(int w, int h, const KFace& face, unsigned int flags, int borderWidth,
                KColor borderColor, KFaceRender* result)
{
    if (w < 1 || h < 1)
        return 0;
    if (!g_scratch)
        g_scratch = new CKImage();
    if (!g_scratch)
        return 0;
    if (g_scratch->GetWidth() < w || g_scratch->GetHeight() < h) {
        const int width = w > g_scratch->GetWidth() ? w : g_scratch->GetWidth();
        const int height = h > g_scratch->GetHeight() ? h : g_scratch->GetHeight();
        if (!g_scratch->Create(width, height, 32))
            return 0;
    }

    KArea inner = {0, 0, w, h};
    const unsigned int borderPixel = KColorToPixel(borderColor);
    int drawnBorder = 0;
    unsigned int sides = 0;
    if (borderWidth > 0 && borderWidth <= w && borderWidth <= h) {
        sides = BorderSides(face, flags);
        DrawBorderBands(&inner, sides, borderWidth, borderPixel);
        drawnBorder = borderWidth;
    }
    FillInner(inner, face, flags);

    bool opaque;
    bool transparent;
    FillAlpha(face, flags, &opaque, &transparent);
    if (sides) {
        const unsigned int alpha = borderColor >> 24;
        opaque = opaque && alpha == KALPHA_OPAQUE;
        transparent = transparent && alpha == 0;
    }
    result->image = g_scratch;
    result->transparent = transparent;
    result->opaque = opaque;
    result->corners = 0;
    result->cornerW = 0;
    result->cornerH = 0;

    const unsigned int corners = flags & KCORNER_ALL;
    const int rx = face.roundW / 2 < w ? face.roundW / 2 : w;
    const int ry = face.roundH / 2 < h ? face.roundH / 2 : h;
    if (face.roundW > 0 && corners && rx > 0 && ry > 0 && g_mask.Prepare(rx, ry, drawnBorder) >= 0) {
        if (corners & KCORNER_TOPLEFT)
            ApplyCorner(w, h, rx, ry, false, false, borderPixel);
        if (corners & KCORNER_TOPRIGHT)
            ApplyCorner(w, h, rx, ry, true, false, borderPixel);
        if (corners & KCORNER_BOTTOMLEFT)
            ApplyCorner(w, h, rx, ry, false, true, borderPixel);
        if (corners & KCORNER_BOTTOMRIGHT)
            ApplyCorner(w, h, rx, ry, true, true, borderPixel);
        result->corners = corners;
        result->cornerW = rx;
        result->cornerH = ry;
    }
    return 1;
}

void KReleaseFillBuffers()
{
    delete g_scratch;
    g_scratch = nullptr;
    g_mask.Free();
}
