// The value syntax of the drawable files: lengths in every unit, integer lists, colours and colour
// lists, booleans, single keywords and keyword lists that stop at the first unknown item.
#include <gtest/gtest.h>

#include <string>

#include "GraphicsTestSupport.h"
#include "graphics/CKDrawable.h"
#include "graphics/CKImage.h"
#include "graphics/KDrawableValues.h"
#include "graphics/KFace.h"

namespace {

KColor Rgba(unsigned int r, unsigned int g, unsigned int b, unsigned int a)
{
    return KMakeColor(r, g, b, a);
}

} // namespace

TEST(KDrawableValues, LengthsConvertEveryUnitAndTruncateTowardZero)
{
    // At the preset 160 dpi (density 2): 3 base units are 4.72 pixels and become 4.
    EXPECT_EQ(ParseLengthValue("3"), 4);
    EXPECT_EQ(ParseLengthValue("1"), 1);
    EXPECT_EQ(ParseLengthValue("8"), 12);
    EXPECT_EQ(ParseLengthValue("10px"), 10);
    EXPECT_EQ(ParseLengthValue("2.9px"), 2);
    EXPECT_EQ(ParseLengthValue("-2.9px"), -2);
    EXPECT_EQ(ParseLengthValue("1in"), 160);
    EXPECT_EQ(ParseLengthValue("10mm"), 62);   // 62.99
    EXPECT_EQ(ParseLengthValue("36pt"), 80);   // half an inch
    EXPECT_EQ(ParseLengthValue("8LD"), 8);
    EXPECT_EQ(ParseLengthValue("8HD"), 4);
    EXPECT_EQ(ParseLengthValue("  12px"), 12);
    // An unknown suffix leaves the number as pixels; none reads as 0.
    EXPECT_EQ(ParseLengthValue("5em"), 5);
    EXPECT_EQ(ParseLengthValue(nullptr), 0);
    EXPECT_EQ(ParseLengthValue(""), 0);
    {
        KDensityScope density(320);   // density 4
        EXPECT_EQ(ParseLengthValue("8LD"), 16);
        EXPECT_EQ(ParseLengthValue("8HD"), 8);
        EXPECT_EQ(ParseLengthValue("1"), 3);   // 3.15
        EXPECT_EQ(ParseLengthValue("1px"), 1);
    }
    // Absurd lengths saturate instead of overflowing the sums they go into.
    EXPECT_GT(ParseLengthValue("99999in"), 15000000);
    EXPECT_LE(ParseLengthValue("99999in"), KDRAWABLE_MAX_LENGTH);
    EXPECT_EQ(ParseLengthValue("1e30in"), KDRAWABLE_MAX_LENGTH);
    EXPECT_EQ(ParseLengthValue("-1e30px"), -KDRAWABLE_MAX_LENGTH);
}

TEST(KDrawableValues, ListsReadItemByItemUpToTheirCapacity)
{
    int values[6] = {-1, -1, -1, -1, -1, -1};
    EXPECT_EQ(ParseLengthList("4px, 3, 8LD,2", values, 6), 4);
    EXPECT_EQ(values[0], 4);
    EXPECT_EQ(values[1], 4);
    EXPECT_EQ(values[2], 8);
    EXPECT_EQ(values[3], 3);
    EXPECT_EQ(values[4], -1);   // not given: left as it was
    EXPECT_EQ(ParseLengthList("1px,2px,3px,4px,5px,6px,7px,8px", values, 6), 6);
    EXPECT_EQ(values[5], 6);
    EXPECT_EQ(ParseLengthList(nullptr, values, 6), 0);
    EXPECT_EQ(ParseLengthList("   ", values, 6), 0);

    int numbers[4] = {9, 9, 9, 9};
    EXPECT_EQ(ParseIntList("0,0,2,3", numbers, 4), 4);
    EXPECT_EQ(numbers[2], 2);
    EXPECT_EQ(numbers[3], 3);
    // Optional blanks and sign; each item stops at its first other character.
    EXPECT_EQ(ParseIntList(" -4, +7x, 12.9, abc", numbers, 4), 4);
    EXPECT_EQ(numbers[0], -4);
    EXPECT_EQ(numbers[1], 7);
    EXPECT_EQ(numbers[2], 12);
    EXPECT_EQ(numbers[3], 0);
    // A number too large for an int saturates rather than wrapping to a small one.
    EXPECT_EQ(ParseIntList("99999999999,-99999999999", numbers, 2), 2);
    EXPECT_EQ(numbers[0], 2147483647);
    EXPECT_EQ(numbers[1], -2147483647 - 1);
}

TEST(KDrawableValues, ColoursReadDecimalAndHexadecimalForms)
{
    KColor color = 0;
    const char* end = nullptr;
    ASSERT_EQ(ParseColor("{300, 0, 0}", &color, &end), 1);
    EXPECT_EQ(color, Rgba(255, 0, 0, 255));
    EXPECT_EQ(*end, 0);
    ASSERT_EQ(ParseColor("{0, 0, 0, 96}", &color, nullptr), 1);
    EXPECT_EQ(color, Rgba(0, 0, 0, 96));
    ASSERT_EQ(ParseColor("  { 88 , 96 , 128 }tail", &color, &end), 1);
    EXPECT_EQ(color, Rgba(88, 96, 128, 255));
    EXPECT_STREQ(end, "tail");
    ASSERT_EQ(ParseColor("{#FF0000}", &color, nullptr), 1);
    EXPECT_EQ(color, Rgba(255, 0, 0, 255));
    ASSERT_EQ(ParseColor("{#80FF0000}", &color, nullptr), 1);
    EXPECT_EQ(color, Rgba(255, 0, 0, 0x80));
    ASSERT_EQ(ParseColor("{#2a8Efc}", &color, nullptr), 1);
    EXPECT_EQ(color, Rgba(0x2A, 0x8E, 0xFC, 255));
    // Hexadecimal of any other length is opaque black.
    ASSERT_EQ(ParseColor("{#F00}", &color, nullptr), 1);
    EXPECT_EQ(color, KCOLOR_BLACK);
    ASSERT_EQ(ParseColor("{#FF00000}", &color, nullptr), 1);
    EXPECT_EQ(color, KCOLOR_BLACK);
    // Negative components clamp to 0; missing ones are 0; a missing brace ends at the text's end.
    ASSERT_EQ(ParseColor("{-5, 20}", &color, nullptr), 1);
    EXPECT_EQ(color, Rgba(0, 20, 0, 255));
    ASSERT_EQ(ParseColor("{1, 2, 3", &color, &end), 1);
    EXPECT_EQ(color, Rgba(1, 2, 3, 255));
    EXPECT_EQ(*end, 0);
    // Not a colour at all.
    color = 12345;
    EXPECT_EQ(ParseColor("255, 0, 0", &color, nullptr), 0);
    EXPECT_EQ(ParseColor(nullptr, &color, nullptr), 0);
    EXPECT_EQ(color, 12345u);
}

TEST(KDrawableValues, ColourListsFillAllSlotsFromTheFirstAndIgnoreExtraColours)
{
    KColor colors[4] = {1, 2, 3, 4};
    EXPECT_EQ(ParseColorList("{41, 142, 252}, {41, 142, 252}, {41, 142, 252}, {128, 128, 128}",
                             colors),
              4);
    EXPECT_EQ(colors[0], Rgba(41, 142, 252, 255));
    EXPECT_EQ(colors[2], Rgba(41, 142, 252, 255));
    EXPECT_EQ(colors[3], Rgba(128, 128, 128, 255));

    EXPECT_EQ(ParseColorList("{#000000}", colors), 1);
    for (KColor color : colors)
        EXPECT_EQ(color, KCOLOR_BLACK);

    EXPECT_EQ(ParseColorList("{248, 248, 248}, {236, 236, 236}", colors), 2);
    EXPECT_EQ(colors[0], Rgba(248, 248, 248, 255));
    EXPECT_EQ(colors[1], Rgba(236, 236, 236, 255));
    EXPECT_EQ(colors[2], Rgba(248, 248, 248, 255));
    EXPECT_EQ(colors[3], Rgba(248, 248, 248, 255));

    // Twenty colours: read over, the first four kept, nothing written past the four slots.
    std::string twenty;
    for (int i = 0; i < 20; ++i)
        twenty += (i ? ", {" : "{") + std::to_string(i * 10) + ", 0, 0}";
    KColor guarded[6] = {7, 0, 0, 0, 0, 7};
    EXPECT_EQ(ParseColorList(twenty.c_str(), guarded + 1), 20);
    EXPECT_EQ(guarded[1], Rgba(0, 0, 0, 255));
    EXPECT_EQ(guarded[4], Rgba(30, 0, 0, 255));
    EXPECT_EQ(guarded[0], 7u);
    EXPECT_EQ(guarded[5], 7u);

    // Reading stops at the first item that is not a colour; none leaves the slots alone.
    EXPECT_EQ(ParseColorList("{1, 1, 1}, 2, {3, 3, 3}", colors), 1);
    EXPECT_EQ(colors[3], Rgba(1, 1, 1, 255));
    EXPECT_EQ(ParseColorList("red", colors), 0);
    EXPECT_EQ(colors[0], Rgba(1, 1, 1, 255));
}

TEST(KDrawableValues, BooleansAcceptTrueInAnyCaseAndOne)
{
    EXPECT_EQ(ParseBool("true", 0), 1);
    EXPECT_EQ(ParseBool("TRUE", 0), 1);
    EXPECT_EQ(ParseBool("True", 0), 1);
    EXPECT_EQ(ParseBool("1", 0), 1);
    EXPECT_EQ(ParseBool("false", 1), 0);
    EXPECT_EQ(ParseBool("0", 1), 0);
    EXPECT_EQ(ParseBool("yes", 1), 0);
    EXPECT_EQ(ParseBool("", 1), 0);
    EXPECT_EQ(ParseBool(nullptr, 1), 1);
    EXPECT_EQ(ParseBool(nullptr, 0), 0);
}

TEST(KDrawableValues, SingleKeywordsAreCaseSensitiveAndUnknownOnesAreZero)
{
    EXPECT_EQ(ParseStateKeyword("normal"), 0u);
    EXPECT_EQ(ParseStateKeyword("selected"), KSTATE_SELECTED);
    EXPECT_EQ(ParseStateKeyword("focused"), KSTATE_SELECTED);
    EXPECT_EQ(ParseStateKeyword("pressed"), KSTATE_PRESSED);
    EXPECT_EQ(ParseStateKeyword("disabled"), KSTATE_DISABLED);
    EXPECT_EQ(ParseStateKeyword("Pressed"), 0u);
    EXPECT_EQ(ParseStateKeyword(nullptr), 0u);

    EXPECT_EQ(ParseModeKeyword("none"), 0u);
    EXPECT_EQ(ParseModeKeyword("solid"), 0x1000000u);
    EXPECT_EQ(ParseModeKeyword("g1c2"), 0x2000000u);
    EXPECT_EQ(ParseModeKeyword("g2c3"), 0x3000000u);
    EXPECT_EQ(ParseModeKeyword("g2c4"), 0x4000000u);
    EXPECT_EQ(ParseModeKeyword("g3c4"), 0x5000000u);
    EXPECT_EQ(ParseModeKeyword("l2c2"), 0x6000000u);
    EXPECT_EQ(ParseModeKeyword("SOLID"), 0u);
    EXPECT_EQ(ParseModeKeyword("solid "), 0u);

    EXPECT_EQ(ParseGradientKeyword("vert"), KFACE_VERTICAL);
    EXPECT_EQ(ParseGradientKeyword("horz"), 0u);
    EXPECT_EQ(ParseGradientKeyword(nullptr), 0u);

    EXPECT_EQ(ParseDensityKeyword("auto"), KIMG_AUTO);
    EXPECT_EQ(ParseDensityKeyword("xhd"), KIMG_XHD);
    EXPECT_EQ(ParseDensityKeyword("xxhd"), KIMG_XXHD);
    EXPECT_EQ(ParseDensityKeyword("hd"), KIMG_HD);
    EXPECT_EQ(ParseDensityKeyword("md"), KIMG_MD);
    EXPECT_EQ(ParseDensityKeyword("ld"), KIMG_LD);
    EXPECT_EQ(ParseDensityKeyword("HD"), 0u);
}

TEST(KDrawableValues, KeywordListsOrTheirItemsAndStopAtTheFirstUnknownOne)
{
    EXPECT_EQ(ParseCornerList("topleft,bogus,right"), KCORNER_TOPLEFT);
    EXPECT_EQ(ParseCornerList("rect"), KCORNER_ALL);
    EXPECT_EQ(ParseCornerList("left"), KCORNER_TOPLEFT | KCORNER_BOTTOMLEFT);
    EXPECT_EQ(ParseCornerList("right"), KCORNER_TOPRIGHT | KCORNER_BOTTOMRIGHT);
    EXPECT_EQ(ParseCornerList("top"), KCORNER_TOPLEFT | KCORNER_TOPRIGHT);
    EXPECT_EQ(ParseCornerList("bottom"), KCORNER_BOTTOMLEFT | KCORNER_BOTTOMRIGHT);
    EXPECT_EQ(ParseCornerList("topright, bottomleft"), KCORNER_TOPRIGHT | KCORNER_BOTTOMLEFT);
    EXPECT_EQ(ParseCornerList("bottomright"), KCORNER_BOTTOMRIGHT);
    EXPECT_EQ(ParseCornerList("auto"), KSTYLE_AUTO_CORNERS);
    // Whole items only: "topl" is not "topleft", and "top" does not match the start of "topleft".
    EXPECT_EQ(ParseCornerList("topl,rect"), 0u);
    EXPECT_EQ(ParseCornerList("left,,right"), KCORNER_TOPLEFT | KCORNER_BOTTOMLEFT);
    EXPECT_EQ(ParseCornerList(""), 0u);
    EXPECT_EQ(ParseCornerList(nullptr), 0u);

    EXPECT_EQ(ParseEdgeList("left,right,bottom"), KEDGE_LEFT | KEDGE_RIGHT | KEDGE_BOTTOM);
    EXPECT_EQ(ParseEdgeList("rect"), KEDGE_ALL);
    EXPECT_EQ(ParseEdgeList("top"), KEDGE_TOP);
    EXPECT_EQ(ParseEdgeList("auto"), KSTYLE_AUTO_EDGES);
    EXPECT_EQ(ParseEdgeList("bottom,Left,top"), KEDGE_BOTTOM);
}
