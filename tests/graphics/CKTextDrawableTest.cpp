// CKTextDrawable: measuring (no text, one line, broken lines), drawing aligned inside margin and
// padding with the state's colour, the out rect advanced by the used strip, and copying.
#include <gtest/gtest.h>

#include "DrawableTestSupport.h"
#include "GraphicsTestSupport.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFont.h"
#include "graphics/CKImage.h"
#include "graphics/CKNullDrawable.h"
#include "graphics/CKTextDrawable.h"

namespace {

const unsigned int WHITE = OpaquePixel(255, 255, 255);

SIZE Measure(CKFont* font, const wchar_t* text)
{
    SIZE size = {0, 0};
    CKCanvas::MeasureText(font, text, -1, &size);
    return size;
}

// A text drawable with margin (1, 2, 3, 4), padding (5, 6, 7, 8) and black text.
void Prepare(CKTextDrawable& text, const wchar_t* content)
{
    text.SetText(content, -1);
    text.SetMargin(RECT{1, 2, 3, 4});
    text.SetPadding(RECT{5, 6, 7, 8});
    const KColor black[KSLOT_COUNT] = {KCOLOR_BLACK, KCOLOR_BLACK, KCOLOR_BLACK, KCOLOR_BLACK};
    text.SetTextColors(black);
}

} // namespace

TEST(CKTextDrawable, TopLeftTextDrawsInThePaddedRectAndAdvancesTheOutRect)
{
    CKTextDrawable text;
    Prepare(text, L"Hello");
    const SIZE used = Measure(GetDefaultFont(), L"Hello");
    ASSERT_GT(used.cx, 0);
    ASSERT_GT(used.cy, 0);

    CKImage target;
    FillTarget(target, 200, 100, WHITE);
    RECT out = {0, 0, 200, 100};
    text.SetState(KDT_LEFT | KDT_TOP);
    DrawInto(&text, target, RECT{0, 0, 200, 100}, &out);
    // The used strip plus margins (1 + 3, 2 + 4) and paddings (5 + 7, 6 + 8).
    EXPECT_EQ(out.left, used.cx + 4 + 12);
    EXPECT_EQ(out.top, used.cy + 6 + 14);
    EXPECT_EQ(out.right, 200);
    EXPECT_EQ(out.bottom, 100);
    // The glyphs lie in the box at (1 + 5, 2 + 6) of the measured size.
    const RECT box = {6, 8, 6 + used.cx, 8 + used.cy};
    EXPECT_GT(CountChangedInside(target, box, WHITE), 0);
    EXPECT_EQ(CountChangedOutside(target, box, WHITE), 0);

    // Right and bottom: the other edges move in by the same amounts.
    FillTarget(target, 200, 100, WHITE);
    out = RECT{0, 0, 200, 100};
    text.SetState(KDT_RIGHT | KDT_BOTTOM);
    DrawInto(&text, target, RECT{0, 0, 200, 100}, &out);
    EXPECT_EQ(out.left, 0);
    EXPECT_EQ(out.top, 0);
    EXPECT_EQ(out.right, 200 - (used.cx + 16));
    EXPECT_EQ(out.bottom, 100 - (used.cy + 20));
    const RECT corner = {200 - 10 - used.cx, 100 - 12 - used.cy, 190, 88};
    EXPECT_EQ(CountChangedOutside(target, corner, WHITE), 0);

    // Centred on both axes: the out rect stays.
    out = RECT{0, 0, 200, 100};
    text.SetState(0);
    DrawInto(&text, target, RECT{0, 0, 200, 100}, &out);
    EXPECT_EQ(out.left, 0);
    EXPECT_EQ(out.right, 200);
    EXPECT_EQ(out.top, 0);
    EXPECT_EQ(out.bottom, 100);
}

TEST(CKTextDrawable, DrawsInTheColourOfTheStateSlot)
{
    CKTextDrawable text;
    text.SetText(L"MMMM", -1);
    text.SetFont(GetFont(40.0f, 1, 0, 0));
    const KColor colors[KSLOT_COUNT] = {KMakeColor(255, 0, 0, 255), KMakeColor(0, 255, 0, 255),
                                        KMakeColor(0, 0, 255, 255), KMakeColor(0, 0, 0, 255)};
    text.SetTextColors(colors);
    const struct
    {
        unsigned int state;
        unsigned int pixel;
    } cases[] = {{0, OpaquePixel(255, 0, 0)},
                 {KSTATE_SELECTED, OpaquePixel(0, 255, 0)},
                 {KSTATE_PRESSED | KSTATE_SELECTED, OpaquePixel(0, 0, 255)},
                 {KSTATE_DISABLED | KSTATE_PRESSED, OpaquePixel(0, 0, 0)}};
    CKImage target;
    for (const auto& c : cases) {
        FillTarget(target, 160, 60, WHITE);
        text.SetState(c.state);
        DrawInto(&text, target, RECT{0, 0, 160, 60}, nullptr);
        int matching = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 160; ++x)
                if ((PixelAt(target, x, y) & 0xFFFFFF) == (c.pixel & 0xFFFFFF))
                    ++matching;
        EXPECT_GT(matching, 20) << std::hex << c.state;
    }
}

TEST(CKTextDrawable, CalcSizeMeasuresNoTextOneLineAndBrokenLines)
{
    CKTextDrawable text;
    CKFont* font = GetDefaultFont();
    ASSERT_NE(font, nullptr);
    text.SetMargin(RECT{1, 2, 3, 4});
    text.SetPadding(RECT{5, 6, 7, 8});

    // No text: no width, one line of the font's height, plus the insets.
    SIZE size = {500, 500};
    text.CalcSize(size);
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(size.cy, font->GetPixelHeight() + 20);

    text.SetText(L"ab cd", -1);
    const SIZE whole = Measure(font, L"ab cd");
    size = SIZE{10, 10};
    text.SetState(0);
    text.CalcSize(size);
    EXPECT_EQ(size.cx, whole.cx + 16);
    EXPECT_EQ(size.cy, whole.cy + 20);

    // Multi-line, wrapping width = the given width less the insets: "ab" and "cd"
    // go on two lines.
    const SIZE ab = Measure(font, L"ab ");
    const SIZE cd = Measure(font, L"cd");
    size = SIZE{ab.cx + 16 + 1, 0};
    text.SetState(KDT_MULTILINE);
    text.CalcSize(size);
    EXPECT_EQ(size.cy, 2 * font->GetPixelHeight() + 20);
    EXPECT_LE(size.cx, ab.cx + 16);
    EXPECT_GE(size.cx, cd.cx + 16);
    // Wide enough: one line.
    size = SIZE{whole.cx + 16 + 10, 0};
    text.CalcSize(size);
    EXPECT_EQ(size.cy, font->GetPixelHeight() + 20);
    EXPECT_EQ(size.cx, whole.cx + 16);

    // A font of its own measures with that font.
    CKFont* big = GetFont(30.0f, 0, 0, 0);
    text.SetFont(big);
    size = SIZE{0, 0};
    text.SetState(0);
    text.CalcSize(size);
    EXPECT_EQ(size.cx, Measure(big, L"ab cd").cx + 16);
}

TEST(CKTextDrawable, WithoutTextNothingIsDrawnAndTheOutRectStays)
{
    CKTextDrawable text;
    Prepare(text, L"x");
    text.SetText(nullptr, 5);
    EXPECT_EQ(text.GetText(), nullptr);
    EXPECT_EQ(text.GetTextLength(), 0);
    CKImage target;
    FillTarget(target, 40, 20, WHITE);
    RECT out = {0, 0, 40, 20};
    text.SetState(KDT_LEFT | KDT_TOP);
    DrawInto(&text, target, RECT{0, 0, 40, 20}, &out);
    EXPECT_EQ(out.left, 0);
    EXPECT_EQ(out.top, 0);
    EXPECT_EQ(CountChangedInside(target, RECT{0, 0, 40, 20}, WHITE), 0);

    // A given length is kept; -1 counts up to the terminator.
    const wchar_t* words = L"one two";
    text.SetText(words, 3);
    EXPECT_EQ(text.GetText(), words);
    EXPECT_EQ(text.GetTextLength(), 3);
    text.SetText(words, -1);
    EXPECT_EQ(text.GetTextLength(), 7);
}

TEST(CKTextDrawable, FontsAreReferencedAndClonesAreCountedFromZero)
{
    CKFont* font = GetFont(17.0f, 0, 1, 0);
    ASSERT_NE(font, nullptr);
    const int before = font->GetRefCount();
    {
        CKTextDrawable text;
        text.SetName("Styled");
        text.SetFont(font);
        EXPECT_EQ(font->GetRefCount(), before + 1);
        const KColor colors[KSLOT_COUNT] = {1, 2, 3, 4};
        text.SetTextColors(colors);
        text.SetText(L"borrowed", -1);

        CKDrawable* copy = text.Clone();
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->GetRefCount(), 0);
        ASSERT_TRUE(copy->IsKindOf(K_RUNTIME_CLASS(CKTextDrawable)));
        CKTextDrawable* clone = static_cast<CKTextDrawable*>(copy);
        EXPECT_EQ(clone->GetFont(), font);
        EXPECT_EQ(font->GetRefCount(), before + 2);
        EXPECT_EQ(clone->GetTextColor(3), 4u);
        EXPECT_EQ(clone->GetText(), nullptr);   // the text belongs to the control, not copied
        EXPECT_STREQ(clone->GetName(), "Styled");
        // The first holder AddRefs it; its Release deletes it and lets the font go.
        copy->AddRef();
        copy->Release();
        EXPECT_EQ(font->GetRefCount(), before + 1);

        text.SetFont(nullptr);
        EXPECT_EQ(font->GetRefCount(), before);
        text.SetFont(font);
    }
    EXPECT_EQ(font->GetRefCount(), before);

    CKNullDrawable none;
    CKDrawable* nothing = none.Clone();
    ASSERT_NE(nothing, nullptr);
    EXPECT_EQ(nothing->GetRefCount(), 0);
    SIZE size = {5, 5};
    nothing->CalcSize(size);
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
    nothing->AddRef();
    nothing->Release();
}
