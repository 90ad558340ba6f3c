// Labels painted through real WM_PAINT into the back buffer: icon and text placed as one block by
// arrangement and alignment, the disabled text colour, and the preferred size.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ControlsTestSupport.h"
#include "controls/CKLabel.h"
#include "graphics/CKColorDrawable.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/CKTextDrawable.h"

namespace {

constexpr unsigned int WHITE = 0xFFFFFF;
constexpr unsigned int RED = 0xFF0000;
constexpr KColor WHITE_COLOR = 0xFFFFFFFF;
const RECT LABEL_RECT = {0, 100, 200, 200};

// The bounding box (right and bottom exclusive) of the back buffer's pixels within `area` for
// which `match` holds; empty when there are none.
template <class Match>
RECT FindPixels(const RECT& area, Match match)
{
    RECT box = {area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; y++)
        for (int x = area.left; x < area.right; x++)
            if (match(BackBufferPixel(x, y))) {
                box.left = x < box.left ? x : box.left;
                box.top = y < box.top ? y : box.top;
                box.right = x + 1 > box.right ? x + 1 : box.right;
                box.bottom = y + 1 > box.bottom ? y + 1 : box.bottom;
            }
    return box;
}

// The smallest colour component of the back buffer within `area`: the full-ink colour of a
// grey text on white.
unsigned int DarkestComponent(const RECT& area)
{
    unsigned int darkest = 255;
    for (int y = area.top; y < area.bottom; y++)
        for (int x = area.left; x < area.right; x++) {
            const unsigned int rgb = BackBufferPixel(x, y);
            for (int shift = 0; shift < 24; shift += 8) {
                const unsigned int component = (rgb >> shift) & 0xFF;
                darkest = component < darkest ? component : darkest;
            }
        }
    return darkest;
}

} // namespace

TEST(CKLabel, IconAboveTextAtTheTopPlacesThePairAtTheTopCentredAcross)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKLabel* label = scope.Add(new CKLabel(), host, KARRANGE_ICON_TOP | KCONTENT_TOP, 0,
                               LABEL_RECT, 5012);
    ASSERT_TRUE(label);
    CKColorDrawable* face = MakeFace(&WHITE_COLOR, 0);
    label->SetBackground(face);
    CKImgList* list = MakeImgList(16, {0x00FF00, RED});
    label->SetIcon(list, 1);
    label->SetText(L"Ab");

    // The block: the icon with "DefLabelIcon"'s padding (1 pixel at 160 dpi: 18 x 18) above the
    // text.
    const RECT iconInsets = Insets(label->GetIconDrawable());
    ASSERT_EQ(iconInsets.left + iconInsets.right, 2);
    ASSERT_EQ(iconInsets.top, 1);
    SIZE block = {200, 100};
    label->CalcSize(block);
    const int textHeight = block.cy - 18;
    ASSERT_GT(textHeight, 4);
    ASSERT_GE(block.cx, 18);

    RepaintNow(label);
    const RECT icon = FindPixels(LABEL_RECT, [](unsigned int rgb) { return rgb == RED; });
    const int blockLeft = (200 - block.cx) / 2;
    EXPECT_EQ(icon.top, 100 + 1) << "top edge plus the icon's padding";
    EXPECT_EQ(icon.bottom, 100 + 17);
    EXPECT_EQ(icon.left, blockLeft + (block.cx - 16) / 2);
    EXPECT_EQ(icon.right, icon.left + 16);

    const RECT text = FindPixels(LABEL_RECT, [](unsigned int rgb) {
        return rgb != WHITE && rgb != RED;
    });
    EXPECT_GE(text.top, 100 + 18) << "the text lies below the icon";
    EXPECT_LE(text.bottom, 100 + 18 + textHeight);
    EXPECT_GE(text.left, blockLeft);
    EXPECT_LE(text.right, blockLeft + block.cx);
    EXPECT_LE(std::abs((text.left + text.right) - 200), 4) << "centred across";

    // Icon below the text at the bottom: the pair moves to the bottom, the icon last.
    label->ModifyStyle(KARRANGE_ICON_BOTTOM | KCONTENT_BOTTOM, KCONTENT_TOP);
    RepaintNow(label);
    const RECT lowIcon = FindPixels(LABEL_RECT, [](unsigned int rgb) { return rgb == RED; });
    EXPECT_EQ(lowIcon.bottom, 200 - 1);
    const RECT highText = FindPixels(LABEL_RECT, [](unsigned int rgb) {
        return rgb != WHITE && rgb != RED;
    });
    EXPECT_GE(highText.top, 200 - 18 - textHeight);
    EXPECT_LE(highText.bottom, 200 - 18);

    label->SetIcon(nullptr, -1);
    list->Release();
    face->Release();
}

TEST(CKLabel, ADisabledLabelDrawsItsTextInTheDisabledColour)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKLabel* label = scope.Add(new CKLabel(), host, 0, 0, LABEL_RECT, 5011);
    ASSERT_TRUE(label);
    CKColorDrawable* face = MakeFace(&WHITE_COLOR, 0);
    label->SetBackground(face);
    label->SetText(L"HH");

    RepaintNow(label);
    EXPECT_EQ(DarkestComponent(LABEL_RECT), 32u) << "\"DefLabelText\": {32, 32, 32}";
    label->Enable(false);
    RepaintNow(label);
    EXPECT_EQ(DarkestComponent(LABEL_RECT), 128u) << "disabled: {128, 128, 128}";

    // Without text and icon only the face is painted.
    label->SetText(nullptr);
    RepaintNow(label);
    EXPECT_EQ(DarkestComponent(LABEL_RECT), 255u);
    face->Release();
}

TEST(CKLabel, CalcSizeMeasuresByArrangementWrapsMultiLineTextAndAddsTheFaceInsets)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKLabel* label = scope.Add(new CKLabel(), host, 0, 0, LABEL_RECT, 1);
    ASSERT_TRUE(label);
    ASSERT_TRUE(label->GetTextDrawable() && label->GetIconDrawable());
    EXPECT_STREQ(label->GetTextDrawable()->GetName(), "DefLabelText");

    SIZE empty = {200, 100};
    label->CalcSize(empty);
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, 0);

    label->SetText(L"one two three four");
    SIZE line = {60, 100};
    label->CalcSize(line);
    EXPECT_GT(line.cx, 60) << "a single line does not wrap";
    label->ModifyStyle(KLS_MULTILINE, 0);
    SIZE lines = {100, 100};
    label->CalcSize(lines);
    EXPECT_LE(lines.cx, 100);
    EXPECT_GE(lines.cy, 2 * (line.cy - 2));

    CKImgList* list = MakeImgList(10, {RED});
    label->ModifyStyle(KARRANGE_ICON_RIGHT, KLS_MULTILINE);
    label->SetIcon(list, 0);
    SIZE pair = {200, 100};
    label->CalcSize(pair);
    EXPECT_EQ(pair.cx, line.cx + 12);
    EXPECT_EQ(pair.cy, line.cy > 12 ? line.cy : 12);

    CKColorDrawable* face = MakeFace(nullptr, 4);
    face->SetMargin(RECT{1, 2, 3, 5});
    label->SetBackground(face);
    SIZE framed = {200, 100};
    label->CalcSize(framed);
    EXPECT_EQ(framed.cx, pair.cx + 8 + 4);
    EXPECT_EQ(framed.cy, pair.cy + 8 + 7);
    label->SetIcon(nullptr, -1);
    EXPECT_EQ(label->GetIconIndex(), -1);
    list->Release();
    face->Release();
}
