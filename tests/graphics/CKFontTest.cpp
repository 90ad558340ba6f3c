// Fonts, pens and brushes: the font key and cache identity, the LOGFONT a font is made from, the
// default objects, and the GDI styles of pens and brushes.
#include <gtest/gtest.h>

#include <windows.h>

#include "foundation/KDevMetrics.h"
#include "graphics/CKBrush.h"
#include "graphics/CKFont.h"
#include "graphics/CKPen.h"

TEST(CKFont, TheKeyIsTheSizeTimesAHundredWithTheStyleBits)
{
    EXPECT_EQ(CKFont::MakeKey(13.0f, 1, 0, 0), 1300 | 0x10000);
    EXPECT_EQ(CKFont::MakeKey(15.0f, 0, 0, 0), 1500);
    EXPECT_EQ(CKFont::MakeKey(15.5555f, 0, 1, 1), 1555 | 0x20000 | 0x40000);
    EXPECT_EQ(CKFont::MakeKey(9.999f, 0, 0, 0), 999);   // truncated
}

TEST(CKFont, TheCacheReturnsOneObjectPerKey)
{
    // A size no other user of the cache asks for, so that the counts are this test's own.
    const int before = GetFontCacheCount();
    CKFont* bold = GetFont(13.37f, 1, 0, 0);
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(bold->GetKey(), 1337 | 0x10000);
    EXPECT_EQ(GetFont(13.37f, 1, 0, 0), bold);
    EXPECT_EQ(GetFont(13.371f, 1, 0, 0), bold);   // the same key
    EXPECT_EQ(bold->GetRefCount(), 1);            // the cache's reference
    CKFont* plain = GetFont(13.37f, 0, 0, 0);
    EXPECT_NE(plain, bold);
    EXPECT_EQ(GetFontCacheCount(), before + 2);

    // The default font is the cached font of the normal level, with a reference of its own
    // besides the cache's (drawables may hold more).
    CKFont* normal = GetDefaultFont();
    ASSERT_NE(normal, nullptr);
    EXPECT_EQ(normal, GetFont(GetDevMetricF(FontSize), 0, 0, 0));
    EXPECT_EQ(normal->GetKey(), 1500);
    EXPECT_GE(normal->GetRefCount(), 2);
    EXPECT_EQ(GetDefaultFont(), normal);
    EXPECT_EQ(GetSmallFont(), GetFont(10.0f, 0, 0, 0));
    EXPECT_EQ(GetSmallFont()->GetKey(), 1000);
}

TEST(CKFont, CreateMakesTheCharacterHeightFromBaseUnits)
{
    CKFont font;
    ASSERT_EQ(font.Create(13.0f, 1, 1, 1, L"Courier New"), 1);
    // 13 base units at 160 dpi: 13 x 160 / 101.6 = 20.47 -> 20 pixels.
    EXPECT_EQ(font.GetPixelHeight(), 20);
    ASSERT_NE(font.GetHandle(), nullptr);
    LOGFONTW made;
    ASSERT_EQ(GetObjectW(font.GetHandle(), sizeof(made), &made), (int)sizeof(made));
    EXPECT_EQ(made.lfHeight, -20);
    EXPECT_EQ(made.lfWidth, 0);
    EXPECT_EQ(made.lfWeight, 700);
    EXPECT_EQ(made.lfItalic, TRUE);
    EXPECT_EQ(made.lfUnderline, TRUE);
    EXPECT_EQ(made.lfCharSet, DEFAULT_CHARSET);
    EXPECT_STREQ(made.lfFaceName, L"Courier New");

    // Without a face name: the caption font's face, regular weight.
    ASSERT_EQ(font.Create(15.0f, 0, 0, 0, nullptr), 1);
    EXPECT_EQ(font.GetPixelHeight(), 24);   // 23.62 rounded
    ASSERT_EQ(GetObjectW(font.GetHandle(), sizeof(made), &made), (int)sizeof(made));
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_STREQ(made.lfFaceName, metrics.lfCaptionFont.lfFaceName);
    EXPECT_EQ(made.lfWeight, 400);
    EXPECT_EQ(made.lfItalic, FALSE);

    font.Destroy();
    EXPECT_EQ(font.GetHandle(), nullptr);
    EXPECT_EQ(font.GetKey(), 0);
    EXPECT_EQ(font.GetPixelHeight(), 0);
}

TEST(CKPen, StylesMapToGdiPenStylesAndColoursDropTheirAlpha)
{
    CKPen pen;
    LOGPEN made;
    const struct
    {
        int style;
        UINT gdi;
    } cases[] = {{KPEN_NONE, PS_NULL}, {KPEN_SOLID, PS_SOLID}, {KPEN_DASH, PS_DASH}, {7, PS_SOLID}};
    for (const auto& c : cases) {
        ASSERT_EQ(pen.Create(c.style, 1, 0x80123456), 1);
        ASSERT_EQ(GetObjectW(pen.GetHandle(), sizeof(made), &made), (int)sizeof(made));
        EXPECT_EQ(made.lopnStyle, c.gdi) << "style " << c.style;
        EXPECT_EQ(pen.GetStyle(), c.style);
    }
    ASSERT_EQ(pen.Create(KPEN_SOLID, 3, 0x80123456), 1);
    ASSERT_EQ(GetObjectW(pen.GetHandle(), sizeof(made), &made), (int)sizeof(made));
    EXPECT_EQ(made.lopnWidth.x, 3);
    EXPECT_EQ(made.lopnColor, 0x123456u);
    EXPECT_EQ(pen.GetColor(), 0x80123456u);
    EXPECT_EQ(pen.GetWidth(), 3);
    pen.Destroy();
    EXPECT_EQ(pen.GetHandle(), nullptr);
    EXPECT_EQ(pen.GetWidth(), 0);

    CKPen* shared = GetDefaultPen();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(GetDefaultPen(), shared);
    EXPECT_EQ(shared->GetRefCount(), 1);
}

TEST(CKBrush, StyleNoneIsHollowAndEveryOtherStyleSolid)
{
    CKBrush brush;
    LOGBRUSH made;
    ASSERT_EQ(brush.Create(KBRUSH_NONE, 0xFF0000FF), 1);
    ASSERT_EQ(GetObjectW(brush.GetHandle(), sizeof(made), &made), (int)sizeof(made));
    EXPECT_EQ(made.lbStyle, (UINT)BS_NULL);
    ASSERT_EQ(brush.Create(5, 0x400000FF), 1);
    ASSERT_EQ(GetObjectW(brush.GetHandle(), sizeof(made), &made), (int)sizeof(made));
    EXPECT_EQ(made.lbStyle, (UINT)BS_SOLID);
    EXPECT_EQ(made.lbColor, 0xFFu);
    EXPECT_EQ(brush.GetColor(), 0x400000FFu);
    brush.Destroy();
    EXPECT_EQ(brush.GetHandle(), nullptr);
    EXPECT_EQ(brush.GetColor(), 0u);
    ASSERT_NE(GetDefaultBrush(), nullptr);
    EXPECT_EQ(GetDefaultBrush(), GetDefaultBrush());
}
