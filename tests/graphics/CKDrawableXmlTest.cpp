// CKDrawableXml and the registry: one parse per file, keys "file:name", re-reading for a missing
// name, the unknown class ending a file, name and keyword matching, and every child element with
// its attributes and defaults, read from loose files under "AppRes".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DrawableTestSupport.h"
#include "GraphicsTestSupport.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKColorDrawable.h"
#include "graphics/CKDrawableXml.h"
#include "graphics/CKFont.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKImageDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/CKNullDrawable.h"
#include "graphics/CKStateBoxDrawable.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableRegistry.h"

namespace {

std::string ColorDrawable(const char* name)
{
    return std::string("<Drawable name=\"") + name +
           "\" class=\"Color\"><MultiColor mode=\"solid\" color=\"{1, 2, 3}\"/></Drawable>";
}

// The drawable `name` of the file when it is of class T (whose record is `record`), else none.
template <class T>
T* Load(const KLooseDrawableFile& file, const char* name, const KRuntimeClass* record)
{
    CKDrawable* drawable = GetDrawable(file.GetFile(), name);
    if (!drawable || !drawable->IsKindOf(record))
        return nullptr;
    return static_cast<T*>(drawable);
}

}   // namespace

TEST(CKDrawableXml, TwoRequestsForDifferentNamesOfOneFileParseItOnce)
{
    const int before = GetDrawableCount();
    CKDrawable* first = nullptr;
    {
        KLooseDrawableFile file("OneParse.xml",
                                DrawableFile(ColorDrawable("First") + ColorDrawable("Second")));
        first = GetDrawable(file.GetFile(), "First");
        ASSERT_NE(first, nullptr);
        EXPECT_STREQ(first->GetName(), "First");
        // Both drawables of the file were registered by that one reading.
        EXPECT_EQ(GetDrawableCount(), before + 2);
        EXPECT_EQ(first->GetRefCount(), 1);   // the registry's reference
    }
    // The file is gone: the second name still comes from the first reading.
    CKDrawable* second = GetDrawable("DrawableTest/OneParse.xml", "Second");
    ASSERT_NE(second, nullptr);
    EXPECT_STREQ(second->GetName(), "Second");
    EXPECT_EQ(GetDrawable("DrawableTest/OneParse.xml", "First"), first);
    EXPECT_EQ(LookupDrawable("DrawableTest/OneParse.xml:Second"), second);
    EXPECT_EQ(GetDrawableCount(), before + 2);
    // Names and files are case-sensitive parts of the key.
    EXPECT_EQ(GetDrawable("DrawableTest/OneParse.xml", "second"), nullptr);
    EXPECT_EQ(GetDrawable("DrawableTest/oneparse.xml", "Second"), nullptr);
}

TEST(CKDrawableXml, AMissingNameReReadsTheFileWhichStopsAtItsFirstKnownDrawable)
{
    KLooseDrawableFile file("Missing.xml", DrawableFile(ColorDrawable("A") + ColorDrawable("B")));
    const int before = GetDrawableCount();
    EXPECT_EQ(GetDrawable(file.GetFile(), "C"), nullptr);
    EXPECT_EQ(GetDrawableCount(), before + 2);   // every drawable of the file is registered
    EXPECT_NE(LookupDrawable("DrawableTest/Missing.xml:A"), nullptr);

    // C now follows A: the new reading stops at A, already known, and C stays unknown.
    file.Rewrite(DrawableFile(ColorDrawable("A") + ColorDrawable("C")));
    EXPECT_EQ(GetDrawable(file.GetFile(), "C"), nullptr);
    EXPECT_EQ(GetDrawableCount(), before + 2);

    // C first: this reading registers C before it meets A.
    file.Rewrite(DrawableFile(ColorDrawable("C") + ColorDrawable("A") + ColorDrawable("D")));
    CKDrawable* c = GetDrawable(file.GetFile(), "C");
    ASSERT_NE(c, nullptr);
    EXPECT_STREQ(c->GetName(), "C");
    EXPECT_EQ(GetDrawableCount(), before + 3);
    EXPECT_EQ(LookupDrawable("DrawableTest/Missing.xml:D"), nullptr);
}

TEST(CKDrawableXml, AFileOfThousandsRegistersEachOnceAndStopsAtARepeatedName)
{
    std::string body;
    for (int i = 0; i < 3000; ++i)
        body += ColorDrawable(("D" + std::to_string(i)).c_str());
    body += ColorDrawable("D5") + ColorDrawable("After");
    KLooseDrawableFile file("Thousands.xml", DrawableFile(body));
    const int before = GetDrawableCount();
    ASSERT_NE(GetDrawable(file.GetFile(), "D2999"), nullptr);
    EXPECT_EQ(GetDrawableCount(), before + 3000);
    int found = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::string name = "D" + std::to_string(i);
        const CKDrawable* drawable = LookupDrawable(("DrawableTest/Thousands.xml:" + name).c_str());
        found += drawable && name == drawable->GetName();
    }
    EXPECT_EQ(found, 3000);
    EXPECT_EQ(LookupDrawable("DrawableTest/Thousands.xml:After"), nullptr)
        << "the reading stops at the repeated name";
}

TEST(CKDrawableXml, AnUnknownClassEndsTheReadingOfItsFile)
{
    KLooseDrawableFile file(
        "UnknownClass.xml",
        DrawableFile(
            ColorDrawable("Before") +
            "<Drawable name=\"Odd\" class=\"Gradient\"><Padding left=\"1px\"/></Drawable>" +
            ColorDrawable("After")));
    const int before = GetDrawableCount();
    EXPECT_NE(GetDrawable(file.GetFile(), "Before"), nullptr);
    EXPECT_EQ(GetDrawableCount(), before + 1);
    EXPECT_EQ(GetDrawable(file.GetFile(), "Odd"), nullptr);
    EXPECT_EQ(GetDrawable(file.GetFile(), "After"), nullptr);
    EXPECT_EQ(GetDrawableCount(), before + 1);

    // The reader reports the stop; a missing file reads as 0 and registers nothing.
    CKDrawableXml reader;
    EXPECT_EQ(reader.Load(file.GetFile(), "After"), 0);
    EXPECT_EQ(reader.GetFound(), nullptr);
    EXPECT_EQ(reader.Load("DrawableTest/NoSuchFile.xml", "X"), 0);
    EXPECT_EQ(GetDrawable("DrawableTest/NoSuchFile.xml", "X"), nullptr);
    EXPECT_EQ(GetDrawable(nullptr, "X"), nullptr);
    EXPECT_EQ(GetDrawable(file.GetFile(), nullptr), nullptr);
    EXPECT_EQ(GetDrawableCount(), before + 1);
}

TEST(CKDrawableXml, ElementAndClassNamesIgnoreCaseButAttributesAndKeywordsDoNot)
{
    KLooseDrawableFile file(
        "Case.xml",
        DrawableFile("<DRAWABLE name=\"Upper\" class=\"COLOR\">"
                     "  <multicolor mode=\"solid\" color=\"{9, 9, 9}\"/>"
                     "  <MultiColor state=\"disabled\" Mode=\"solid\" color=\"{8, 8, 8}\"/>"
                     "  <MultiColor state=\"Pressed\" mode=\"g1c2\" color=\"{7, 7, 7}\"/>"
                     "  <PADDING left=\"3px\" Top=\"4px\"/>"
                     "</drawable>"
                     // Lacking a class or a name: skipped, and its children belong to no drawable.
                     "<Drawable name=\"NoClass\"><Padding left=\"9px\"/></Drawable>"
                     "<Drawable class=\"Color\"><Margin left=\"9px\"/></Drawable>"
                     "<Padding left=\"9px\"/>"
                     "<Drawable name=\"Gap\" class=\"null\"/>"
                     "<Drawable name=\"Words\" class=\"text\"><MultiColor mode=\"solid\"/>"
                     "<TextColor color=\"{5, 5, 5}\"/><Image src=\"nothing.png\"/></Drawable>"));
    CKColorDrawable* upper = Load<CKColorDrawable>(file, "Upper", K_RUNTIME_CLASS(CKColorDrawable));
    ASSERT_NE(upper, nullptr);
    // "Mode" is not "mode": the disabled face keeps the default mode "none" with its colour.
    EXPECT_EQ(upper->GetFace(KSLOT_DISABLED)->flags, 0u);
    EXPECT_EQ(upper->GetFace(KSLOT_DISABLED)->color[0], KMakeColor(8, 8, 8, 255));
    // "Pressed" is no state keyword: that face replaced the normal one.
    EXPECT_EQ(upper->GetFace(KSLOT_PRESSED)->flags, 0u);
    EXPECT_EQ(upper->GetFace(KSLOT_NORMAL)->flags, (unsigned int)KFILL_G1C2 << KFACE_MODE_SHIFT);
    EXPECT_EQ(upper->GetFace(KSLOT_NORMAL)->color[0], KMakeColor(7, 7, 7, 255));
    EXPECT_EQ(upper->GetPadding().left, 3);
    EXPECT_EQ(upper->GetPadding().top, 0);
    EXPECT_EQ(upper->GetMargin().left, 0);
    EXPECT_EQ(GetDrawable(file.GetFile(), "NoClass"), nullptr);

    CKDrawable* gap = GetDrawable(file.GetFile(), "Gap");
    ASSERT_NE(gap, nullptr);
    EXPECT_TRUE(gap->IsKindOf(K_RUNTIME_CLASS(CKNullDrawable)));
    EXPECT_EQ(gap->GetPadding().left, 0);

    // Elements of other classes are ignored by a text drawable.
    CKTextDrawable* words = Load<CKTextDrawable>(file, "Words", K_RUNTIME_CLASS(CKTextDrawable));
    ASSERT_NE(words, nullptr);
    EXPECT_EQ(words->GetTextColor(KSLOT_DISABLED), KMakeColor(5, 5, 5, 255));
    EXPECT_EQ(words->GetFont(), nullptr);
}

TEST(CKDrawableXml, MultiColorReadsModeDirectionColoursRoundingCornersAndLines)
{
    KLooseDrawableFile file(
        "MultiColor.xml",
        DrawableFile(
            "<Drawable name=\"Faces\" class=\"Color\">"
            "<MultiColor state=\"focused\" mode=\"g2c4\" gradient=\"vert\" "
            "color=\"{182, 236, 53}, {160, 202, 69}, {136, 188, 24}, {100, 144, 22}\"/>"
            "<MultiColor state=\"disabled\" mode=\"l2c2\" color=\"{1, 1, 1}, {2, 2, 2}\" "
            "lines=\"3px,2px\"/>"
            "<MultiColor state=\"pressed\" mode=\"solid\" round=\"10px\" color=\"{#80FF0000}\"/>"
            "</Drawable>"
            "<Drawable name=\"Corners\" class=\"Color\">"
            "<MultiColor mode=\"solid\" round=\"4px,6px\" redge=\"topleft,bogus,right\"/>"
            "<Margin left=\"1in\" top=\"8LD\" right=\"8HD\" bottom=\"3\"/>"
            "</Drawable>"));
    CKColorDrawable* faces = Load<CKColorDrawable>(file, "Faces", K_RUNTIME_CLASS(CKColorDrawable));
    ASSERT_NE(faces, nullptr);
    const KFace* selected = faces->GetFace(KSLOT_SELECTED);
    EXPECT_EQ(selected->flags, ((unsigned int)KFILL_G2C4 << KFACE_MODE_SHIFT) | KFACE_VERTICAL);
    EXPECT_EQ(selected->color[3], KMakeColor(100, 144, 22, 255));
    const KFace* stripes = faces->GetFace(KSLOT_DISABLED);
    EXPECT_EQ(stripes->flags, (unsigned int)KFILL_L2C2 << KFACE_MODE_SHIFT);
    EXPECT_EQ(stripes->color[0], KMakeColor(1, 1, 1, 255));
    EXPECT_EQ(stripes->color[1], KMakeColor(2, 2, 2, 255));
    EXPECT_EQ(stripes->color[2], 3u);   // the stripe thicknesses
    EXPECT_EQ(stripes->color[3], 2u);
    const KFace* pressed = faces->GetFace(KSLOT_PRESSED);
    EXPECT_EQ(pressed->roundW, 10);
    EXPECT_EQ(pressed->roundH, 0);   // one value: no height
    EXPECT_EQ(pressed->color[0], KMakeColor(255, 0, 0, 0x80));
    // Rounding without "redge" rounds all four corners.
    EXPECT_EQ(faces->GetStyle(), KCORNER_ALL);

    CKColorDrawable* corners =
        Load<CKColorDrawable>(file, "Corners", K_RUNTIME_CLASS(CKColorDrawable));
    ASSERT_NE(corners, nullptr);
    // The list stops at the unknown item: "right" after it is not read.
    EXPECT_EQ(corners->GetStyle(), KCORNER_TOPLEFT);
    EXPECT_EQ(corners->GetFace(KSLOT_NORMAL)->roundH, 6);
    EXPECT_EQ(corners->GetMargin().left, 160);
    EXPECT_EQ(corners->GetMargin().top, 8);
    EXPECT_EQ(corners->GetMargin().right, 4);
    EXPECT_EQ(corners->GetMargin().bottom, 4);
}

TEST(CKDrawableXml, BorderDefaultsToOnePixelOnAllSidesAndTextElementsTakeColoursAndFonts)
{
    KLooseDrawableFile file(
        "BorderText.xml",
        DrawableFile(
            "<Drawable name=\"Boxed\" class=\"Color\"><Border/></Drawable>"
            "<Drawable name=\"Grey\" class=\"Text\">"
            "<TextColor color=\"{41, 142, 252}, {41, 142, 252}, {41, 142, 252}, "
            "{128, 128, 128}\"/>"
            "<TextFont size=\"13\" bold=\"true\" underline=\"1\" italic=\"TRUE\"/></Drawable>"
            "<Drawable name=\"Black\" class=\"Text\"><TextColor color=\"{#000000}\"/>"
            "<TextFont/></Drawable>"
            "<Drawable name=\"Small\" class=\"Text\"><TextColor/>"
            "<TextFont size=\"small\" bold=\"yes\"/></Drawable>"));
    CKColorDrawable* boxed = Load<CKColorDrawable>(file, "Boxed", K_RUNTIME_CLASS(CKColorDrawable));
    ASSERT_NE(boxed, nullptr);
    EXPECT_EQ(boxed->GetBorderSize(), 1);
    EXPECT_EQ(boxed->GetStyle(), KEDGE_ALL);
    EXPECT_EQ(boxed->GetBorderColor(0), 0u);

    CKTextDrawable* grey = Load<CKTextDrawable>(file, "Grey", K_RUNTIME_CLASS(CKTextDrawable));
    ASSERT_NE(grey, nullptr);
    EXPECT_EQ(grey->GetTextColor(KSLOT_PRESSED), KMakeColor(41, 142, 252, 255));
    EXPECT_EQ(grey->GetTextColor(KSLOT_DISABLED), KMakeColor(128, 128, 128, 255));
    EXPECT_EQ(grey->GetFont(), GetFont(13.0f, 1, 1, 1));
    EXPECT_EQ(grey->GetFont()->GetKey(), 1300 | KFONT_BOLD | KFONT_UNDERLINE | KFONT_ITALIC);

    CKTextDrawable* black = Load<CKTextDrawable>(file, "Black", K_RUNTIME_CLASS(CKTextDrawable));
    ASSERT_NE(black, nullptr);
    for (int slot = 0; slot < KSLOT_COUNT; ++slot)
        EXPECT_EQ(black->GetTextColor(slot), KCOLOR_BLACK);
    EXPECT_EQ(black->GetFont(), GetFont(GetDevMetricF(FontSize), 0, 0, 0));

    CKTextDrawable* small = Load<CKTextDrawable>(file, "Small", K_RUNTIME_CLASS(CKTextDrawable));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->GetTextColor(0), 0u);
    EXPECT_EQ(small->GetFont(), GetFont(GetDevMetricF(FontSizeSmall), 0, 0, 0));
}

TEST(CKDrawableXml, ImgListLoadsByCountOrCellSizeAndSpreadsTheIndexOverTheStates)
{
    // An 8-cell strip of 4 x 4 cells, cell i of grey level 20 x i.
    std::vector<KTestRgba> pixels;
    for (int cell = 0; cell < 8; ++cell)
        for (int i = 0; i < 16; ++i)
            pixels.push_back(KTestRgba{(unsigned char)(20 * cell), 0, 0, 255});
    KTestAppResFolder strips(L"DrawableStrips");
    strips.Write(L"Strip8.png", MakePng(4, 32, pixels));
    strips.Write(L"Plain.png", MakeSolidPng(6, 6, KTestRgba{0, 200, 0, 255}));

    KLooseDrawableFile file(
        "ImgList.xml",
        DrawableFile(
            "<Drawable name=\"Box\" class=\"Icon\">"
            "<ImgList src=\"DrawableStrips/Strip8.png\" auto=\"auto\" count=\"8\" "
            "index=\"0,0,2,3\"/>"
            "</Drawable>"
            "<Drawable name=\"One\" class=\"Icon\">"
            "<ImgList src=\"DrawableStrips/Strip8.png\" auto=\"auto\" count=\"8\" "
            "index=\"5\"/></Drawable>"
            "<Drawable name=\"Two\" class=\"Icon\">"
            "<ImgList src=\"DrawableStrips/Strip8.png\" auto=\"auto\" count=\"1,8\" index=\"1,7\"/>"
            "</Drawable>"
            "<Drawable name=\"BySize\" class=\"Image\">"
            "<ImgList src=\"DrawableStrips/Strip8.png\" size=\"4,4\" ninepatch=\"1px,1px,1px,1px\" "
            "hascenter=\"false\" index=\"6\"/></Drawable>"
            "<Drawable name=\"NoStrip\" class=\"Icon\">"
            "<ImgList src=\"DrawableStrips/Strip8.png\" count=\"0\" size=\"0,4\"/></Drawable>"
            "<Drawable name=\"Whole\" class=\"Image\">"
            "<Image src=\"DrawableStrips/Plain.png\" rect=\"1px,1px,5px\" "
            "ninepatch=\"2px,2px,2px,2px,1px\" hascenter=\"0\"/></Drawable>"
            "<Drawable name=\"Picture\" class=\"Icon\">"
            "<Image src=\"DrawableStrips/Plain.png\" rect=\"1px,2px,3px,4px\" ninepatch=\"2px\"/>"
            "</Drawable>"));
    CKIconDrawable* box = Load<CKIconDrawable>(file, "Box", K_RUNTIME_CLASS(CKIconDrawable));
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->GetImage(), nullptr);
    ASSERT_TRUE(box->GetImage()->IsKindOf(K_RUNTIME_CLASS(CKImgList)));
    const CKImgList* list = static_cast<const CKImgList*>(box->GetImage());
    EXPECT_EQ(list->GetColumns(), 1);
    EXPECT_EQ(list->GetRows(), 8);
    const int expected[KSLOT_COUNT] = {0, 0, 2, 3};
    for (int slot = 0; slot < KSLOT_COUNT; ++slot)
        EXPECT_EQ(box->GetCellIndex(slot), expected[slot]);
    // Pressed draws cell 2.
    CKImage target;
    FillTarget(target, 4, 4, OpaquePixel(0, 0, 255));
    box->SetState(KSTATE_PRESSED);
    DrawInto(box, target, RECT{0, 0, 4, 4}, nullptr);
    EXPECT_EQ(PixelAt(target, 1, 1), OpaquePixel(40, 0, 0));

    CKIconDrawable* one = Load<CKIconDrawable>(file, "One", K_RUNTIME_CLASS(CKIconDrawable));
    ASSERT_NE(one, nullptr);
    for (int slot = 0; slot < KSLOT_COUNT; ++slot)
        EXPECT_EQ(one->GetCellIndex(slot), 5);
    EXPECT_EQ(one->GetImage(), box->GetImage());   // the image cache shares the strip

    CKIconDrawable* two = Load<CKIconDrawable>(file, "Two", K_RUNTIME_CLASS(CKIconDrawable));
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->GetCellIndex(0), 1);
    EXPECT_EQ(two->GetCellIndex(1), 7);
    EXPECT_EQ(two->GetCellIndex(2), 1);
    EXPECT_EQ(two->GetCellIndex(3), 1);

    CKImageDrawable* bySize =
        Load<CKImageDrawable>(file, "BySize", K_RUNTIME_CLASS(CKImageDrawable));
    ASSERT_NE(bySize, nullptr);
    EXPECT_NE(bySize->GetImage(), nullptr);
    EXPECT_EQ(bySize->GetCellIndex(2), 6);
    EXPECT_EQ(bySize->GetNinePatch(0), 1);
    EXPECT_EQ(bySize->GetNinePatch(3), 1);
    EXPECT_EQ(bySize->GetNinePatch(4), -1);
    EXPECT_EQ(bySize->HasCenter(), 0);

    // Neither a count nor a whole cell size: no strip is loaded.
    CKIconDrawable* noStrip =
        Load<CKIconDrawable>(file, "NoStrip", K_RUNTIME_CLASS(CKIconDrawable));
    ASSERT_NE(noStrip, nullptr);
    EXPECT_EQ(noStrip->GetImage(), nullptr);

    CKImageDrawable* whole = Load<CKImageDrawable>(file, "Whole", K_RUNTIME_CLASS(CKImageDrawable));
    ASSERT_NE(whole, nullptr);
    ASSERT_NE(whole->GetImage(), nullptr);
    EXPECT_EQ(whole->GetImage()->GetWidth(), 6);
    EXPECT_EQ(whole->GetCellIndex(0), -1);
    EXPECT_EQ(whole->GetSrcRect().left, 1);
    EXPECT_EQ(whole->GetSrcRect().right, 5);
    EXPECT_EQ(whole->GetSrcRect().bottom, 0);   // missing values are 0
    EXPECT_EQ(whole->GetNinePatch(4), 1);
    EXPECT_EQ(whole->GetNinePatch(5), -1);   // missing nine-patch values are -1
    EXPECT_EQ(whole->HasCenter(), 0);

    // An icon takes the image and the source rectangle only.
    CKIconDrawable* picture =
        Load<CKIconDrawable>(file, "Picture", K_RUNTIME_CLASS(CKIconDrawable));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetImage(), whole->GetImage());
    EXPECT_EQ(picture->GetSrcRect().bottom, 4);
    SIZE size = {0, 0};
    picture->CalcSize(size);
    EXPECT_EQ(size.cx, 2);
    EXPECT_EQ(size.cy, 2);
}

TEST(CKDrawableXml, ShutDownReleasesEveryDrawableAndTheSharedStateBox)
{
    CKDrawable* held = GetDrawable("res/DrawableView.xml", "DefViewBkgnd");
    ASSERT_NE(held, nullptr);
    held->AddRef();
    CKStateBoxDrawable* box = GetStateBoxDrawable();
    ASSERT_NE(box, nullptr);
    box->AddRef();
    EXPECT_GT(GetDrawableCount(), 0);

    KTermDrawables();
    EXPECT_EQ(GetDrawableCount(), 0);
    // Only the test's own references are left.
    EXPECT_EQ(held->GetRefCount(), 1);
    EXPECT_EQ(box->GetRefCount(), 1);

    // Started again, the registry reads its files afresh and a new box is made on request.
    KInitDrawables();
    CKDrawable* again = GetDrawable("res/DrawableView.xml", "DefViewBkgnd");
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, held);
    EXPECT_NE(GetStateBoxDrawable(), box);
    held->Release();
    box->Release();
}
