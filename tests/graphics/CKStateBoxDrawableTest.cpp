// CKStateBoxDrawable: the shared box choosing its icon drawable of "res/DrawableCtrl.xml" by kind
// and checked bit, forwarding measuring and drawing with the whole state word.
#include <gtest/gtest.h>

#include "DrawableTestSupport.h"
#include "GraphicsTestSupport.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKImage.h"
#include "graphics/CKStateBoxDrawable.h"
#include "graphics/KDrawableRegistry.h"

namespace {

const unsigned int GROUND = OpaquePixel(90, 90, 90);

CKDrawable* BoxDrawable(const char* name)
{
    return GetDrawable("res/DrawableCtrl.xml", name);
}

// Paints `drawable` with `state` into a fresh 48 x 48 target.
void Paint(CKDrawable* drawable, unsigned int state, CKImage& target)
{
    FillTarget(target, 48, 48, GROUND);
    drawable->SetState(state);
    DrawInto(drawable, target, RECT{0, 0, 48, 48}, nullptr);
}

bool SamePixels(const CKImage& a, const CKImage& b)
{
    for (int y = 0; y < a.GetHeight(); ++y)
        for (int x = 0; x < a.GetWidth(); ++x)
            if (PixelAt(a, x, y) != PixelAt(b, x, y))
                return false;
    return true;
}

} // namespace

TEST(CKStateBoxDrawable, ACheckedRadioBoxDrawsDefRadioBoxCheck)
{
    CKStateBoxDrawable* box = GetStateBoxDrawable();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetStateBoxDrawable(), box);   // one shared instance
    CKDrawable* check = BoxDrawable("DefRadioBoxCheck");
    CKDrawable* icon = BoxDrawable("DefRadioBoxIcon");
    ASSERT_NE(check, nullptr);
    ASSERT_NE(icon, nullptr);
    ASSERT_NE(static_cast<CKIconDrawable*>(check)->GetImage(), nullptr);

    const unsigned int state = KBOX_RADIO | KSTATE_CHECKED | KDT_LEFT;
    CKImage viaBox, direct, unchecked;
    Paint(box, state, viaBox);
    // The chosen drawable got the whole state word.
    EXPECT_EQ(check->GetState(), state);
    Paint(check, state, direct);
    Paint(icon, state & ~KSTATE_CHECKED, unchecked);
    EXPECT_GT(CountChangedInside(direct, RECT{0, 0, 48, 48}, GROUND), 0);
    EXPECT_TRUE(SamePixels(viaBox, direct));
    EXPECT_FALSE(SamePixels(viaBox, unchecked));

    // Unchecked: the "Icon" drawable.
    Paint(box, state & ~KSTATE_CHECKED, viaBox);
    EXPECT_TRUE(SamePixels(viaBox, unchecked));

    SIZE viaBoxSize = {0, 0}, checkSize = {0, 0};
    box->SetState(state);
    box->CalcSize(viaBoxSize);
    check->SetState(state);
    check->CalcSize(checkSize);
    EXPECT_EQ(viaBoxSize.cx, checkSize.cx);
    EXPECT_EQ(viaBoxSize.cy, checkSize.cy);
    EXPECT_GT(viaBoxSize.cx, 0);
}

TEST(CKStateBoxDrawable, EachKindHasItsDrawablesAndAnUnknownKindIsNothing)
{
    CKStateBoxDrawable* box = GetStateBoxDrawable();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->PrepareKind(KBOX_CHECK), 1);
    EXPECT_EQ(box->PrepareKind(KBOX_SUBVIEW), 1);
    EXPECT_EQ(box->PrepareKind(0x6000), 0);
    EXPECT_EQ(box->PrepareKind(0), 0);

    const struct
    {
        unsigned int kind;
        const char* icon;
        const char* check;
    } kinds[] = {
        {KBOX_CHECK, "DefCheckBoxIcon", "DefCheckBoxCheck"},
        {KBOX_DELETE, "DefDeleteBoxIcon", "DefDeleteBoxCheck"},
        {KBOX_RADIO, "DefRadioBoxIcon", "DefRadioBoxCheck"},
        // Drop-down and sub-view boxes have one drawable, checked or not.
        {KBOX_DROPDOWN, "DefDropdownBoxIcon", "DefDropdownBoxIcon"},
        {KBOX_SUBVIEW, "DefSubviewBoxIcon", "DefSubviewBoxIcon"},
    };
    for (const auto& k : kinds) {
        CKDrawable* icon = BoxDrawable(k.icon);
        CKDrawable* check = BoxDrawable(k.check);
        ASSERT_NE(icon, nullptr) << k.icon;
        ASSERT_NE(check, nullptr) << k.check;
        icon->SetState(0);
        check->SetState(0);
        box->SetState(k.kind | KDT_RIGHT);
        box->Draw(nullptr, RECT{0, 0, 10, 10}, nullptr);
        EXPECT_EQ(icon->GetState(), k.kind | KDT_RIGHT) << k.icon;
        box->SetState(k.kind | KSTATE_CHECKED | KSTATE_PRESSED);
        box->Draw(nullptr, RECT{0, 0, 10, 10}, nullptr);
        EXPECT_EQ(check->GetState(), k.kind | KSTATE_CHECKED | KSTATE_PRESSED) << k.check;
    }

    // An unknown kind measures 0 x 0 and draws nothing; the out rect stays.
    CKImage target;
    FillTarget(target, 48, 48, GROUND);
    RECT out = {0, 0, 48, 48};
    box->SetState(0x7000 | KSTATE_CHECKED | KDT_LEFT);
    DrawInto(box, target, RECT{0, 0, 48, 48}, &out);
    EXPECT_EQ(CountChangedInside(target, RECT{0, 0, 48, 48}, GROUND), 0);
    EXPECT_EQ(out.left, 0);
    SIZE size = {30, 30};
    box->CalcSize(size);
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);

    // The box forwards the out rect to the chosen drawable: a left-aligned box consumes its width.
    CKDrawable* checkBox = BoxDrawable("DefCheckBoxIcon");
    ASSERT_NE(checkBox, nullptr);
    SIZE boxSize = {0, 0};
    box->SetState(KBOX_CHECK | KDT_LEFT);
    box->CalcSize(boxSize);
    out = RECT{0, 0, 48, 48};
    box->Draw(nullptr, RECT{0, 0, 48, 48}, &out);
    EXPECT_EQ(out.left, boxSize.cx);

    // The shared box is not copied.
    EXPECT_EQ(box->Clone(), nullptr);
    CKStateBoxDrawable own;
    EXPECT_EQ(own.CopyFrom(box), 1);
}
