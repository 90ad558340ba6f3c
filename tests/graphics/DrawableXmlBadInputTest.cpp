// Loose drawable files that are malformed, truncated, binary, full of unknown elements, absurd or
// negative lengths and over-long colour lists: reading stops or skips as the format says, nothing
// crashes, and the drawables that do load measure and paint without harm.
#include <gtest/gtest.h>

#include <string>

#include "DrawableTestSupport.h"
#include "GraphicsTestSupport.h"
#include "graphics/CKColorDrawable.h"
#include "graphics/CKFont.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKImage.h"
#include "graphics/CKImageDrawable.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableRegistry.h"
#include "graphics/KDrawableValues.h"

namespace {

const unsigned int GROUND = OpaquePixel(10, 20, 30);

// Measures and paints a drawable in every state with every layout bit; returns the number of
// target pixels that changed (painting must stay inside the 64 x 64 target, whatever it says).
int Exercise(CKDrawable* drawable)
{
    int changed = 0;
    CKImage target;
    for (unsigned int state : {0u, KSTATE_SELECTED, KSTATE_PRESSED, KSTATE_DISABLED}) {
        for (unsigned int layout :
             {0u, 0x1u | 0x4u, 0x2u | 0x8u, 0x100u | 0x800u, 0xF000u | 0xF0000u}) {
            drawable->SetState(state | layout);
            SIZE size = {40, 40};
            drawable->CalcSize(size);
            FillTarget(target, 64, 64, GROUND);
            RECT out = {0, 0, 64, 64};
            DrawInto(drawable, target, RECT{4, 4, 60, 60}, &out);
            changed += CountChangedInside(target, RECT{0, 0, 64, 64}, GROUND);
        }
    }
    return changed;
}

}   // namespace

TEST(DrawableXmlBadInput, TruncatedAndMalformedFilesKeepWhatWasCompleteBeforeTheDamage)
{
    const std::string whole = DrawableFile(
        "<Drawable name=\"Kept\" class=\"Color\"><MultiColor mode=\"solid\" color=\"{1, 2, 3}\"/>"
        "</Drawable><Drawable name=\"Cut\" class=\"Color\"><MultiColor mode=\"solid\" "
        "color=\"{4, 5, 6}\"/></Drawable>");
    // Cut in the middle of the second drawable's start tag.
    const std::string truncated =
        whole.substr(0, whole.find("class=\"Color\"><MultiColor mode=\"solid\" color=\"{4"));
    KLooseDrawableFile cut("Truncated.xml", truncated);
    CKColorDrawable* kept = static_cast<CKColorDrawable*>(GetDrawable(cut.GetFile(), "Kept"));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->GetFace(KSLOT_NORMAL)->color[0], KMakeColor(1, 2, 3, 255));
    EXPECT_EQ(GetDrawable(cut.GetFile(), "Cut"), nullptr);

    // Every prefix of the file loads without harm.
    for (size_t length = 0; length <= whole.size(); length += 7) {
        const std::string name = "Prefix" + std::to_string(length) + ".xml";
        KLooseDrawableFile prefix(name.c_str(), whole.substr(0, length));
        CKDrawable* drawable = GetDrawable(prefix.GetFile(), "Kept");
        if (drawable)
            Exercise(drawable);
        GetDrawable(prefix.GetFile(), "Cut");
    }

    const char* const broken[] = {
        "",
        "<",
        "<<<>>>",
        "<Drawable name=\"A\" class=\"Color\"",
        "<Drawable name=\"A\" class=\"Color\"><MultiColor mode=\"solid\" color=\"{1,2,3}\"",
        "<Drawable name=\"A\" class=\"Color\"><MultiColor mode=solid color={1,2,3}/></Drawable>",
        "<Drawable name=\"A\" class=\"Color\"><MultiColor color=\"{1,2,3\"/></Drawable>",
        "<Drawable name=\"A\" class=\"Color\"><<MultiColor/></Drawable>",
        "<Drawable name=\"A\" class=\"Color\"></Drawable></Drawable></Drawable>",
        "<Drawable name='A' class='Text'><TextColor color='{1,1,1}'/></Drawable>",
        "<Drawable name=\"A\" class=\"Color\"><!-- unclosed comment <MultiColor/>",
        "\xEF\xBB\xBF<Drawable name=\"A\" class=\"Color\"/>",
        "<Drawable name=\"\" class=\"Color\"/><Drawable name=\"A\" class=\"\"/>",
    };
    int index = 0;
    for (const char* text : broken) {
        const std::string name = "Broken" + std::to_string(index++) + ".xml";
        KLooseDrawableFile file(name.c_str(), text);
        CKDrawable* drawable = GetDrawable(file.GetFile(), "A");
        if (drawable) {
            EXPECT_STREQ(drawable->GetName(), "A");
            Exercise(drawable);
        }
        EXPECT_EQ(GetDrawable(file.GetFile(), "A"), drawable);
    }

    // Binary noise.
    std::string noise;
    unsigned int seed = 12345;
    for (int i = 0; i < 4096; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise += (char)(seed >> 16);
    }
    KLooseDrawableFile binary("Noise.xml", noise);
    EXPECT_EQ(GetDrawable(binary.GetFile(), "A"), nullptr);
}

TEST(DrawableXmlBadInput, UnknownElementsAndAttributesAreSkipped)
{
    KLooseDrawableFile file(
        "UnknownElements.xml",
        DrawableFile("<Theme version=\"2\"><Palette><Swatch/></Palette></Theme>"
                     "<Drawable name=\"Known\" class=\"Color\" extra=\"yes\">"
                     "<Gizmo size=\"4\"><MultiColor mode=\"solid\" color=\"{7, 8, 9}\"/></Gizmo>"
                     "<Shadow depth=\"3px\"/>"
                     "<Border size=\"2px\" wobble=\"1\" color=\"{1, 1, 1}\"/>"
                     "Some text between elements &amp; an entity."
                     "</Drawable>"
                     "<Drawable name=\"Next\" class=\"Text\"><Sparkle/></Drawable>"));
    CKColorDrawable* known = static_cast<CKColorDrawable*>(GetDrawable(file.GetFile(), "Known"));
    ASSERT_NE(known, nullptr);
    // A known element inside an unknown one still belongs to the current drawable.
    EXPECT_EQ(known->GetFace(KSLOT_NORMAL)->color[0], KMakeColor(7, 8, 9, 255));
    EXPECT_EQ(known->GetBorderSize(), 2);
    EXPECT_NE(GetDrawable(file.GetFile(), "Next"), nullptr);
    EXPECT_GT(Exercise(known), 0);
}

TEST(DrawableXmlBadInput, AbsurdAndNegativeLengthsStayDefinedAndPaintNothingOutsideTheTarget)
{
    KTestAppResFolder pictures(L"DrawableBad");
    pictures.Write(L"Frame.png", MakeSolidPng(16, 16, KTestRgba{200, 100, 0, 255}));
    KLooseDrawableFile file(
        "Lengths.xml",
        DrawableFile(
            "<Drawable name=\"Huge\" class=\"Color\">"
            "<Margin left=\"99999in\" top=\"1e30in\" right=\"-99999in\" bottom=\"-1e38px\"/>"
            "<Padding left=\"99999in\" top=\"99999in\" right=\"99999in\" bottom=\"99999in\"/>"
            "<MultiColor mode=\"solid\" round=\"99999in,99999in\" color=\"{1, 2, 3}\"/>"
            "<Border size=\"99999in\" color=\"{4, 5, 6}\"/></Drawable>"
            "<Drawable name=\"Negative\" class=\"Color\">"
            "<Margin left=\"-5px\" top=\"-5px\" right=\"-5px\" bottom=\"-5px\"/>"
            "<MultiColor mode=\"solid\" round=\"-6px,-6px\" color=\"{1, 2, 3}\"/>"
            "<MultiColor state=\"pressed\" mode=\"l2c2\" lines=\"-3px,-9px\" "
            "color=\"{1,1,1},{2,2,2}\"/>"
            "<Border size=\"-3px\" color=\"{4, 5, 6}\"/></Drawable>"
            "<Drawable name=\"HugeText\" class=\"Text\">"
            "<Margin left=\"-99999in\" top=\"-99999in\"/>"
            "<TextFont size=\"99999999\"/><TextColor color=\"{1, 1, 1}\"/></Drawable>"
            "<Drawable name=\"NegativeText\" class=\"Text\"><TextFont size=\"-12\"/></Drawable>"
            "<Drawable name=\"Patch\" class=\"Image\">"
            "<ImgList src=\"DrawableBad/Frame.png\" count=\"99999,-4\" size=\"-4,-4\"/>"
            "<Image src=\"DrawableBad/Frame.png\" rect=\"-5px,-5px,99999in,99999in\" "
            "ninepatch=\"99999in,-99999in,99999in,99999in,99999in,-7px\"/></Drawable>"
            "<Drawable name=\"Clipped\" class=\"Image\">"
            "<Image src=\"DrawableBad/Frame.png\" rect=\"-5px,-5px,99999in,99999in\"/></Drawable>"
            "<Drawable name=\"HugeTiles\" class=\"Image\">"
            "<Margin left=\"-99999in\" top=\"-99999in\" right=\"-99999in\" bottom=\"-99999in\"/>"
            "<Image src=\"DrawableBad/Frame.png\"/></Drawable>"
            "<Drawable name=\"HugePatch\" class=\"Image\">"
            "<Margin left=\"-99999in\" top=\"-99999in\" right=\"-99999in\" bottom=\"-99999in\"/>"
            "<Image src=\"DrawableBad/Frame.png\" "
            "ninepatch=\"2px,2px,2px,2px,4px,4px\"/></Drawable>"
            "<Drawable name=\"Cells\" class=\"Icon\">"
            "<ImgList src=\"res/CheckBox.png\" auto=\"auto\" count=\"8\" "
            "index=\"8,99999,-1,2147483647\"/>"
            "</Drawable>"
            "<Drawable name=\"NoCells\" class=\"Icon\">"
            "<ImgList src=\"res/CheckBox.png\" auto=\"auto\" count=\"8\" index=\"-3,1,2,3\"/>"
            "</Drawable>"));

    CKColorDrawable* huge = static_cast<CKColorDrawable*>(GetDrawable(file.GetFile(), "Huge"));
    ASSERT_NE(huge, nullptr);
    EXPECT_EQ(huge->GetMargin().top, KDRAWABLE_MAX_LENGTH);
    EXPECT_EQ(huge->GetMargin().bottom, -KDRAWABLE_MAX_LENGTH);
    EXPECT_LE(huge->GetPadding().left, KDRAWABLE_MAX_LENGTH);
    Exercise(huge);

    CKColorDrawable* negative =
        static_cast<CKColorDrawable*>(GetDrawable(file.GetFile(), "Negative"));
    ASSERT_NE(negative, nullptr);
    EXPECT_EQ(negative->GetBorderSize(), -3);
    // A negative margin grows the face past the rectangle, but never past the target.
    EXPECT_GT(Exercise(negative), 0);

    CKTextDrawable* hugeText =
        static_cast<CKTextDrawable*>(GetDrawable(file.GetFile(), "HugeText"));
    ASSERT_NE(hugeText, nullptr);
    ASSERT_NE(hugeText->GetFont(), nullptr);
    EXPECT_EQ(hugeText->GetFont(), GetFont(KDRAWABLE_MAX_FONT_SIZE, 0, 0, 0));
    hugeText->SetText(L"Huge", -1);
    Exercise(hugeText);
    hugeText->SetText(nullptr, 0);

    CKTextDrawable* negativeText =
        static_cast<CKTextDrawable*>(GetDrawable(file.GetFile(), "NegativeText"));
    ASSERT_NE(negativeText, nullptr);
    EXPECT_EQ(negativeText->GetFont(), GetDefaultFont());

    CKImageDrawable* patch = static_cast<CKImageDrawable*>(GetDrawable(file.GetFile(), "Patch"));
    ASSERT_NE(patch, nullptr);
    ASSERT_NE(patch->GetImage(), nullptr);
    Exercise(patch);
    // A source rectangle reaching outside the picture is clipped to it: the picture is tiled.
    CKDrawable* clipped = GetDrawable(file.GetFile(), "Clipped");
    ASSERT_NE(clipped, nullptr);
    EXPECT_GT(Exercise(clipped), 0);

    // A face millions of pixels wide paints its visible part only, in tiles or as a nine-patch.
    for (const char* name : {"HugeTiles", "HugePatch"}) {
        CKDrawable* big = GetDrawable(file.GetFile(), name);
        ASSERT_NE(big, nullptr) << name;
        CKImage target;
        FillTarget(target, 64, 64, GROUND);
        big->SetState(0);
        DrawInto(big, target, RECT{4, 4, 60, 60}, nullptr);
        if (std::string(name) == "HugeTiles") {
            EXPECT_EQ(CountChangedInside(target, RECT{0, 0, 64, 64}, OpaquePixel(200, 100, 0)), 0);
        }
    }

    CKIconDrawable* cells = static_cast<CKIconDrawable*>(GetDrawable(file.GetFile(), "Cells"));
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->GetCellIndex(0), 8);
    EXPECT_EQ(cells->GetCellIndex(2), -1);
    EXPECT_EQ(cells->GetCellIndex(3), 2147483647);
    // No cell of the strip matches: nothing is painted in any state.
    EXPECT_EQ(Exercise(cells), 0);
    // A negative first cell means "not a strip": the whole picture is the icon.
    CKIconDrawable* noCells = static_cast<CKIconDrawable*>(GetDrawable(file.GetFile(), "NoCells"));
    ASSERT_NE(noCells, nullptr);
    SIZE size = {0, 0};
    noCells->CalcSize(size);
    EXPECT_EQ(size.cx, noCells->GetImage()->GetWidth());
    EXPECT_EQ(size.cy, noCells->GetImage()->GetHeight());
}

TEST(DrawableXmlBadInput, ColourListsOfTwentyItemsKeepTheirFirstFour)
{
    std::string twenty;
    for (int i = 0; i < 20; ++i)
        twenty += (i ? ", {" : "{") + std::to_string(10 * i) + ", 0, 0}";
    KLooseDrawableFile file(
        "Twenty.xml",
        DrawableFile("<Drawable name=\"Many\" class=\"Color\"><MultiColor mode=\"g2c4\" color=\"" +
                     twenty + "\"/><Border color=\"" + twenty + "\"/></Drawable>" +
                     "<Drawable name=\"ManyText\" class=\"Text\"><TextColor color=\"" + twenty +
                     "\"/></Drawable>" + "<Drawable name=\"After\" class=\"Null\"/>"));
    CKColorDrawable* many = static_cast<CKColorDrawable*>(GetDrawable(file.GetFile(), "Many"));
    ASSERT_NE(many, nullptr);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(many->GetFace(KSLOT_NORMAL)->color[i], KMakeColor(10 * i, 0, 0, 255));
        EXPECT_EQ(many->GetBorderColor(i), KMakeColor(10 * i, 0, 0, 255));
    }
    CKTextDrawable* manyText =
        static_cast<CKTextDrawable*>(GetDrawable(file.GetFile(), "ManyText"));
    ASSERT_NE(manyText, nullptr);
    EXPECT_EQ(manyText->GetTextColor(KSLOT_DISABLED), KMakeColor(30, 0, 0, 255));
    EXPECT_NE(GetDrawable(file.GetFile(), "After"), nullptr);
    EXPECT_GT(Exercise(many), 0);
}
