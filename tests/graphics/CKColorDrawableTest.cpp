// CKColorDrawable: the face chosen by the state rule and painted through the fill engine, the
// border of the state's slot, margins, paddings and the out rect, and copying.
#include <gtest/gtest.h>

#include "DrawableTestSupport.h"
#include "GraphicsTestSupport.h"
#include "graphics/CKColorDrawable.h"
#include "graphics/CKImage.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableRegistry.h"

namespace {

const unsigned int BLUE = OpaquePixel(0, 0, 255);

KFace Solid(unsigned int r, unsigned int g, unsigned int b)
{
    const KColor color = KMakeColor(r, g, b, 255);
    return KFace{(unsigned int)KFILL_SOLID << KFACE_MODE_SHIFT, 0, 0, {color, color, color, color}};
}

CKColorDrawable* LoadColor(const KLooseDrawableFile& file, const char* name)
{
    CKDrawable* drawable = GetDrawable(file.GetFile(), name);
    if (!drawable || !drawable->IsKindOf(K_RUNTIME_CLASS(CKColorDrawable)))
        return nullptr;
    return static_cast<CKColorDrawable*>(drawable);
}

} // namespace

TEST(CKColorDrawable, PressedMultiColorExampleSetsARoundedSolidFaceAndPaintsOnlyWhenPressed)
{
    KLooseDrawableFile file(
        "PressedExample.xml",
        DrawableFile("<Drawable name=\"Button\" class=\"Color\">"
                     "<MultiColor state=\"pressed\" mode=\"solid\" round=\"6,6\" redge=\"rect\" "
                     "color=\"{88, 96, 128}\"/></Drawable>"));
    CKColorDrawable* button = LoadColor(file, "Button");
    ASSERT_NE(button, nullptr);
    const KFace* pressed = button->GetFace(KSLOT_PRESSED);
    EXPECT_EQ(pressed->flags, (unsigned int)KFILL_SOLID << KFACE_MODE_SHIFT);
    // 6 base units at 160 dpi are 9.45 pixels.
    EXPECT_EQ(pressed->roundW, 9);
    EXPECT_EQ(pressed->roundH, 9);
    for (KColor color : pressed->color)
        EXPECT_EQ(color, KMakeColor(88, 96, 128, 255));
    EXPECT_EQ(button->GetStyle() & KCORNER_ALL, KCORNER_ALL);
    EXPECT_EQ(button->GetFace(KSLOT_NORMAL)->flags, 0u);
    EXPECT_EQ(button->GetBorderSize(), 0);

    CKImage target;
    FillTarget(target, 40, 30, BLUE);
    button->SetState(KSTATE_PRESSED);
    DrawInto(button, target, RECT{0, 0, 40, 30}, nullptr);
    EXPECT_EQ(PixelAt(target, 20, 15), OpaquePixel(88, 96, 128));
    EXPECT_EQ(PixelAt(target, 0, 15), OpaquePixel(88, 96, 128));
    // The rounded corners leave the ground outside their curve.
    EXPECT_EQ(PixelAt(target, 0, 0), BLUE);
    EXPECT_EQ(PixelAt(target, 39, 29), BLUE);

    // The normal slot is the zero face: nothing is painted.
    FillTarget(target, 40, 30, BLUE);
    button->SetState(0);
    DrawInto(button, target, RECT{0, 0, 40, 30}, nullptr);
    EXPECT_EQ(CountChangedInside(target, RECT{0, 0, 40, 30}, BLUE), 0);
}

TEST(CKColorDrawable, AFaceGivenForNormalOnlyPaintsNothingInTheOtherStates)
{
    KLooseDrawableFile file("NormalOnly.xml",
                            DrawableFile("<Drawable name=\"Plain\" class=\"Color\">"
                                         "<MultiColor mode=\"solid\" color=\"{25, 25, 25}\"/>"
                                         "</Drawable>"));
    CKColorDrawable* plain = LoadColor(file, "Plain");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetFace(KSLOT_NORMAL)->color[0], KMakeColor(25, 25, 25, 255));
    EXPECT_EQ(plain->GetStyle(), 0u);   // no rounding, no corners

    CKImage target;
    const RECT all = {0, 0, 16, 8};
    FillTarget(target, 16, 8, BLUE);
    plain->SetState(0);
    DrawInto(plain, target, all, nullptr);
    EXPECT_EQ(CountChangedInside(target, all, OpaquePixel(25, 25, 25)), 0);
    for (unsigned int state : {KSTATE_SELECTED, KSTATE_PRESSED, KSTATE_DISABLED}) {
        EXPECT_EQ(plain->GetFace(CKDrawable::GetStateSlot(state))->flags, 0u);
        FillTarget(target, 16, 8, BLUE);
        plain->SetState(state);
        DrawInto(plain, target, all, nullptr);
        EXPECT_EQ(CountChangedInside(target, all, BLUE), 0) << std::hex << state;
    }
}

TEST(CKColorDrawable, DisabledWinsOverPressedOverSelected)
{
    EXPECT_EQ(CKDrawable::GetStateSlot(0), KSLOT_NORMAL);
    EXPECT_EQ(CKDrawable::GetStateSlot(KSTATE_CHECKED), KSLOT_NORMAL);
    EXPECT_EQ(CKDrawable::GetStateSlot(KSTATE_SELECTED), KSLOT_SELECTED);
    EXPECT_EQ(CKDrawable::GetStateSlot(KSTATE_SELECTED | KSTATE_PRESSED), KSLOT_PRESSED);
    EXPECT_EQ(CKDrawable::GetStateSlot(0xC0000000), KSLOT_DISABLED);
    EXPECT_EQ(CKDrawable::GetStateSlot(0xF000FFFF), KSLOT_DISABLED);

    CKColorDrawable faces;
    faces.SetFace(0, Solid(10, 10, 10));
    faces.SetFace(KSTATE_SELECTED, Solid(20, 20, 20));
    faces.SetFace(KSTATE_PRESSED, Solid(30, 30, 30));
    faces.SetFace(KSTATE_DISABLED, Solid(40, 40, 40));
    // Values other than exactly one slot's bits are ignored; the low bits do not matter.
    faces.SetFace(KSTATE_CHECKED, Solid(99, 99, 99));
    faces.SetFace(KSTATE_PRESSED | KSTATE_DISABLED, Solid(99, 99, 99));
    faces.SetFace(KSTATE_PRESSED | 0x1234, Solid(30, 30, 30));

    struct
    {
        unsigned int state;
        unsigned int expected;
    } cases[] = {
        {0, OpaquePixel(10, 10, 10)},
        {KSTATE_CHECKED, OpaquePixel(10, 10, 10)},
        {KSTATE_SELECTED, OpaquePixel(20, 20, 20)},
        {KSTATE_SELECTED | KSTATE_PRESSED, OpaquePixel(30, 30, 30)},
        {0xC0000000, OpaquePixel(40, 40, 40)},
        {KSTATE_DISABLED | KSTATE_SELECTED, OpaquePixel(40, 40, 40)},
    };
    CKImage target;
    for (const auto& c : cases) {
        FillTarget(target, 8, 8, BLUE);
        faces.SetState(c.state);
        DrawInto(&faces, target, RECT{0, 0, 8, 8}, nullptr);
        EXPECT_EQ(PixelAt(target, 4, 4), c.expected) << std::hex << c.state;
    }
}

TEST(CKColorDrawable, BorderWithoutTopEdgeDrawsNoTopLine)
{
    KLooseDrawableFile file(
        "BorderSides.xml",
        DrawableFile("<Drawable name=\"Framed\" class=\"Color\">"
                     "<MultiColor mode=\"solid\" color=\"{248, 248, 248}\"/>"
                     "<Border size=\"1\" edge=\"left,right,bottom\" color=\"{202, 202, 202}\"/>"
                     "</Drawable>"));
    CKColorDrawable* framed = LoadColor(file, "Framed");
    ASSERT_NE(framed, nullptr);
    EXPECT_EQ(framed->GetBorderSize(), 1);
    EXPECT_EQ(framed->GetStyle(), KEDGE_LEFT | KEDGE_RIGHT | KEDGE_BOTTOM);
    for (int slot = 0; slot < KSLOT_COUNT; ++slot)
        EXPECT_EQ(framed->GetBorderColor(slot), KMakeColor(202, 202, 202, 255));

    CKImage target;
    FillTarget(target, 20, 10, BLUE);
    framed->SetState(0);
    DrawInto(framed, target, RECT{0, 0, 20, 10}, nullptr);
    const unsigned int face = OpaquePixel(248, 248, 248);
    const unsigned int line = OpaquePixel(202, 202, 202);
    EXPECT_EQ(PixelAt(target, 10, 0), face);   // no top line
    EXPECT_EQ(PixelAt(target, 10, 9), line);
    EXPECT_EQ(PixelAt(target, 0, 4), line);
    EXPECT_EQ(PixelAt(target, 19, 4), line);
    EXPECT_EQ(PixelAt(target, 10, 5), face);

    // The state word adds sides to the style's: a top line appears.
    FillTarget(target, 20, 10, BLUE);
    framed->SetState(KEDGE_TOP);
    DrawInto(framed, target, RECT{0, 0, 20, 10}, nullptr);
    EXPECT_EQ(PixelAt(target, 10, 0), line);
}

TEST(CKColorDrawable, MarginsShrinkTheFaceAndTheOutRectLosesMarginAndPadding)
{
    CKColorDrawable face;
    face.SetFace(0, Solid(200, 0, 0));
    face.SetMargin(RECT{1, 2, 3, 4});
    face.SetPadding(RECT{5, 6, 7, 8});

    SIZE size = {10, 20};
    face.CalcSize(size);
    EXPECT_EQ(size.cx, 10 + 1 + 3 + 5 + 7);
    EXPECT_EQ(size.cy, 20 + 2 + 4 + 6 + 8);

    CKImage target;
    FillTarget(target, 30, 30, BLUE);
    RECT out = {0, 0, 30, 30};
    face.SetState(0);
    DrawInto(&face, target, RECT{0, 0, 30, 30}, &out);
    EXPECT_EQ(out.left, 6);
    EXPECT_EQ(out.top, 8);
    EXPECT_EQ(out.right, 30 - 10);
    EXPECT_EQ(out.bottom, 30 - 12);
    const RECT faceRect = {1, 2, 27, 26};
    EXPECT_EQ(CountChangedInside(target, faceRect, OpaquePixel(200, 0, 0)), 0);
    EXPECT_EQ(CountChangedOutside(target, faceRect, BLUE), 0);

    // Without a canvas nothing is painted but the out rect is still the content area.
    RECT again = {0, 0, 30, 30};
    face.Draw(nullptr, again, &again);
    EXPECT_EQ(again.left, 6);
}

TEST(CKColorDrawable, CloneCopiesEverythingAndCopyFromAnotherClassCopiesTheCommonFields)
{
    CKColorDrawable original;
    original.SetName("Original");
    original.SetFace(KSTATE_PRESSED, Solid(1, 2, 3));
    const KColor borders[KSLOT_COUNT] = {11, 22, 33, 44};
    original.SetBorder(2, borders);
    original.SetStyle(KCORNER_TOPLEFT | KEDGE_BOTTOM);
    original.SetState(KSTATE_SELECTED);
    original.SetMargin(RECT{1, 1, 1, 1});
    original.SetPadding(RECT{2, 2, 2, 2});

    CKDrawable* copy = original.Clone();
    ASSERT_NE(copy, nullptr);
    ASSERT_TRUE(copy->IsKindOf(K_RUNTIME_CLASS(CKColorDrawable)));
    CKColorDrawable* color = static_cast<CKColorDrawable*>(copy);
    EXPECT_STREQ(color->GetName(), "Original");
    EXPECT_NE(color->GetName(), original.GetName());   // its own copy of the name
    EXPECT_EQ(color->GetFace(KSLOT_PRESSED)->color[0], KMakeColor(1, 2, 3, 255));
    EXPECT_EQ(color->GetBorderSize(), 2);
    EXPECT_EQ(color->GetBorderColor(3), 44u);
    EXPECT_EQ(color->GetStyle(), KCORNER_TOPLEFT | KEDGE_BOTTOM);
    EXPECT_EQ(color->GetState(), KSTATE_SELECTED);
    EXPECT_EQ(color->GetPadding().left, 2);
    // Colour clones are not counted: they belong to the caller.
    EXPECT_EQ(copy->GetRefCount(), -1);
    delete copy;

    CKTextDrawable text;
    EXPECT_EQ(text.CopyFrom(&original), 0);
    EXPECT_STREQ(text.GetName(), "Original");
    EXPECT_EQ(text.GetStyle(), KCORNER_TOPLEFT | KEDGE_BOTTOM);
    EXPECT_EQ(text.GetMargin().right, 1);
    EXPECT_EQ(original.CopyFrom(nullptr), 0);
    EXPECT_EQ(original.GetFace(4), nullptr);
    EXPECT_EQ(original.GetBorderColor(-1), 0u);
}
