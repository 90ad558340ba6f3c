// Button groups without a window: item records, layout in lines and grids, hit-testing and the
// tap rule, and the segment bits an "auto" face receives.
#include <gtest/gtest.h>

#include <vector>

#include "ControlsTestSupport.h"
#include "controls/CKButton.h"
#include "controls/CKButtonGroup.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKColorDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/KDrawableRegistry.h"
#include "graphics/KFace.h"

namespace {

// Records the state word of every draw.
class CStateRecordingFace : public CKColorDrawable
{
public:
    void Draw(CKCanvas*, const RECT&, RECT*) override { states.push_back(GetState()); }
    std::vector<unsigned int> states;
};

// Counts the items it is told about.
class CCountingGroup : public CKButtonGroup
{
public:
    void OnDeleteItem(KButtonItem* item) override { deleted.push_back(item->id); }
    std::vector<unsigned int> deleted;
};

RECT ItemRect(const CKButtonGroup& group, int index)
{
    const KButtonItem* item = group.GetItem(index);
    return RECT{item->x, item->y, item->x + item->width, item->y + item->height};
}

void ExpectRect(const RECT& rect, int left, int top, int right, int bottom)
{
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

} // namespace

TEST(CKButtonGroup, ItemsAreInsertedByIndexRuleAndOutOfRangeAccessGivesNothing)
{
    CCountingGroup group;
    EXPECT_EQ(group.GetItemWidth(), 50) << "32 base units at 160 dpi";
    EXPECT_EQ(group.GetItemHeight(), 38) << "24 base units at 160 dpi";
    EXPECT_EQ(group.GetPressedIndex(), -1);
    EXPECT_EQ(group.AddItem(0, 10), 0);
    EXPECT_EQ(group.InsertItem(7, 0, 11), 1) << "beyond the count appends";
    EXPECT_EQ(group.InsertItem(-3, 0, 12), 2) << "below 0 appends";
    EXPECT_EQ(group.InsertItem(0, KBI_FIRST, 13), 0);
    ASSERT_EQ(group.GetCount(), 4);
    EXPECT_EQ(group.GetItem(0)->id, 13u);
    EXPECT_EQ(group.GetItem(0)->flags, KBI_FIRST);
    EXPECT_EQ(group.GetItem(1)->id, 10u);
    EXPECT_EQ(group.GetItem(0)->content.text, nullptr);
    EXPECT_EQ(group.GetItem(0)->reserved, 0u);
    EXPECT_EQ(group.GetItem(4), nullptr);
    EXPECT_EQ(group.GetItem(-1), nullptr);

    CKImgList* list = MakeImgList(8, {0x00FF00, 0x0000FF});
    EXPECT_EQ(group.SetItemIcon(4, list, 1), 0);
    EXPECT_EQ(group.SetItemIcon(1, list, 1), 1);
    for (int cell : group.GetItem(1)->content.cells)
        EXPECT_EQ(cell, 1);
    EXPECT_EQ(group.SetItemText(9, L"x"), 0);
    EXPECT_EQ(group.SetItemText(2, L"Stop here", 4), 1);
    EXPECT_STREQ(group.GetItem(2)->content.text, L"Stop");

    group.RemoveAllItems();
    EXPECT_EQ(group.GetCount(), 0);
    EXPECT_EQ(group.deleted, (std::vector<unsigned int>{13, 10, 11, 12}));
    list->Release();
}

TEST(CKButtonGroup, AHorizontalGridOfFiveWithRoomForTwoColumnsHasThreeRows)
{
    CKButtonGroup group;
    for (unsigned int id = 1; id <= 5; id++)
        group.AddItem(0, id);
    group.SetItemSize(50, 38);
    // 120 pixels hold two columns of 50.
    group.Layout(SIZE{120, 200}, KLAYOUT_HORZ | KLAYOUT_GRID | KLAYOUT_LEFT | KLAYOUT_TOP);
    EXPECT_EQ(group.GetTotalWidth(), 100);
    EXPECT_EQ(group.GetTotalHeight(), 3 * 38);
    ExpectRect(ItemRect(group, 0), 0, 0, 50, 38);
    ExpectRect(ItemRect(group, 1), 50, 0, 100, 38);
    ExpectRect(ItemRect(group, 2), 0, 38, 50, 76);
    ExpectRect(ItemRect(group, 3), 50, 38, 100, 76);
    ExpectRect(ItemRect(group, 4), 0, 76, 50, 114);

    // Centred: ((120 - 100) / 2, (200 - 114) / 2).
    group.Layout(SIZE{120, 200}, KLAYOUT_HORZ | KLAYOUT_GRID);
    ExpectRect(ItemRect(group, 0), 10, 43, 60, 81);

    // A vertical grid with room for two rows fills columns top to bottom.
    group.Layout(SIZE{400, 80}, KLAYOUT_VERT | KLAYOUT_GRID | KLAYOUT_LEFT | KLAYOUT_TOP);
    EXPECT_EQ(group.GetTotalWidth(), 150);
    EXPECT_EQ(group.GetTotalHeight(), 76);
    ExpectRect(ItemRect(group, 1), 0, 38, 50, 76);
    ExpectRect(ItemRect(group, 2), 50, 0, 100, 38);
    ExpectRect(ItemRect(group, 4), 100, 0, 150, 38);

    // An area narrower than one item still gets one column instead of a division by zero.
    group.Layout(SIZE{20, 20}, KLAYOUT_HORZ | KLAYOUT_GRID | KLAYOUT_LEFT | KLAYOUT_TOP);
    EXPECT_EQ(group.GetTotalHeight(), 5 * 38);
    ExpectRect(ItemRect(group, 4), 0, 152, 50, 190);
    group.SetItemSize(0, 0);
    group.Layout(SIZE{20, 20}, KLAYOUT_VERT | KLAYOUT_GRID);
    EXPECT_EQ(group.GetTotalWidth(), 0);
}

TEST(CKButtonGroup, SingleLinesAlignTheBlockInsideTheBackgroundInsetsAndKeepOwnSizes)
{
    CKButtonGroup group;
    group.SetItemSize(40, 30);
    group.AddItem(0, 1);
    group.AddItem(KBI_OWNSIZE, 2);
    group.AddItem(0, 3);
    group.GetItem(1)->width = 70;
    group.GetItem(1)->height = 10;

    group.Layout(SIZE{300, 50}, KLAYOUT_HORZ | KLAYOUT_LINE);
    EXPECT_EQ(group.GetTotalWidth(), 150);
    EXPECT_EQ(group.GetTotalHeight(), 30);
    ExpectRect(ItemRect(group, 0), 75, 10, 115, 40);
    ExpectRect(ItemRect(group, 1), 115, 10, 185, 20);  // keeps its own size
    ExpectRect(ItemRect(group, 2), 185, 10, 225, 40);

    // The background's margin and padding (here 5 each side) inset the aligned edges.
    CKColorDrawable* bkgnd = MakeFace(nullptr, 3);
    bkgnd->SetMargin(RECT{2, 2, 2, 2});
    group.SetBkgndDrawable(bkgnd);
    group.Layout(SIZE{300, 50}, KLAYOUT_HORZ | KLAYOUT_LINE | KLAYOUT_RIGHT | KLAYOUT_BOTTOM);
    ExpectRect(ItemRect(group, 0), 145, 15, 185, 45);
    ExpectRect(ItemRect(group, 2), 255, 15, 295, 45);

    group.Layout(SIZE{100, 300}, KLAYOUT_VERT | KLAYOUT_LINE | KLAYOUT_LEFT | KLAYOUT_TOP);
    EXPECT_EQ(group.GetTotalWidth(), 40);
    EXPECT_EQ(group.GetTotalHeight(), 70);
    ExpectRect(ItemRect(group, 0), 5, 5, 45, 35);
    ExpectRect(ItemRect(group, 1), 5, 35, 75, 45);
    ExpectRect(ItemRect(group, 2), 5, 45, 45, 75);
    bkgnd->Release();
}

TEST(CKButtonGroup, APressOnOneItemAndAReleaseOverAnotherReportsNothing)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    // The owner passes taps on to its parent.
    CKWindow* owner = scope.Add(new CKWindow(), host, 0, 0, RECT{0, 0, 100, 40}, 77);
    ASSERT_TRUE(host && owner);
    CKButtonGroup group;
    group.SetOwner(owner);
    group.SetItemSize(50, 40);
    group.AddItem(0, 501);
    group.AddItem(0, 502);
    group.Layout(SIZE{100, 40}, KLAYOUT_HORZ | KLAYOUT_LINE);

    EXPECT_EQ(group.OnMouse(KMOUSE_PRESS, 10, 10), 1);
    EXPECT_EQ(group.GetPressedIndex(), 0);
    EXPECT_TRUE(group.GetItem(0)->flags & KSTATE_PRESSED);
    EXPECT_EQ(group.OnMouse(KMOUSE_MOVE, 60, 10), 0) << "sliding off keeps the press";
    EXPECT_TRUE(group.GetItem(0)->flags & KSTATE_PRESSED);
    EXPECT_EQ(group.OnMouse(KMOUSE_RELEASE, 60, 10), 1);
    EXPECT_EQ(group.GetPressedIndex(), -1);
    EXPECT_FALSE(group.GetItem(0)->flags & KSTATE_PRESSED);
    EXPECT_FALSE(group.GetItem(1)->flags & KSTATE_PRESSED);
    EXPECT_TRUE(host->notices.empty());

    // A press between items presses nothing; a release without press does nothing.
    EXPECT_EQ(group.OnMouse(KMOUSE_PRESS, 100, 10), 0);
    EXPECT_EQ(group.OnMouse(KMOUSE_RELEASE, 60, 10), 0);

    EXPECT_EQ(group.OnMouse(KMOUSE_PRESS, 60, 39), 1);
    EXPECT_EQ(group.OnMouse(KMOUSE_RELEASE, 99, 0), 1);
    EXPECT_EQ(host->notices, (std::vector<KNotice>{{502, KNOTIFY_CLICK, 1}}));

    EXPECT_EQ(group.OnMouse(KMOUSE_PRESS, 0, 0), 1);
    EXPECT_EQ(group.OnMouse(KMOUSE_CANCEL, 0, 0), 1);
    EXPECT_EQ(group.GetPressedIndex(), -1);
    EXPECT_EQ(group.OnMouse(KMOUSE_RELEASE, 0, 0), 0);
    EXPECT_EQ(host->notices.size(), 1u);
}

TEST(CKButtonGroup, AutoFacesGetTheCornersAndBorderSidesOfTheirSegment)
{
    CKButtonGroup group;
    group.SetItemSize(40, 30);
    group.AddItem(KBI_FIRST | KCONTENT_LEFT, 1);
    group.AddItem(0, 2);
    group.AddItem(KBI_LAST | KSTATE_PRESSED, 3);
    group.AddItem(KBI_SINGLE | KSTATE_CHECKED, 4);
    group.Layout(SIZE{160, 30}, KLAYOUT_HORZ | KLAYOUT_LINE);

    CStateRecordingFace* face = new CStateRecordingFace();
    face->EnableRefCount();
    face->AddRef();
    group.SetFaceDrawable(face);
    const RECT origin = {0, 0, 160, 30};

    face->SetStyle(KSTYLE_AUTO_CORNERS);
    group.Paint(nullptr, origin, nullptr);
    EXPECT_EQ(face->states,
              (std::vector<unsigned int>{KCONTENT_LEFT | KCORNER_TOPLEFT | KCORNER_BOTTOMLEFT, 0,
                                         KSTATE_PRESSED | KCORNER_TOPRIGHT | KCORNER_BOTTOMRIGHT,
                                         KSTATE_CHECKED | KCORNER_ALL}));

    face->states.clear();
    face->SetStyle(KSTYLE_AUTO_EDGES);
    group.Paint(nullptr, origin, nullptr);
    const unsigned int sides = KEDGE_LEFT | KEDGE_TOP | KEDGE_BOTTOM;
    EXPECT_EQ(face->states,
              (std::vector<unsigned int>{KCONTENT_LEFT | sides, sides,
                                         KSTATE_PRESSED | KEDGE_ALL, KSTATE_CHECKED | KEDGE_ALL}));

    // Only items meeting the clip vertically are drawn; a plain face gets no segment bits.
    face->states.clear();
    face->SetStyle(0);
    group.SetItemSize(40, 30);
    group.Layout(SIZE{40, 200}, KLAYOUT_VERT | KLAYOUT_LINE | KLAYOUT_TOP);
    const RECT clip = {0, 30, 40, 61};
    group.Paint(nullptr, RECT{0, 0, 40, 200}, &clip);
    EXPECT_EQ(face->states, (std::vector<unsigned int>{0, KSTATE_PRESSED}));
    face->Release();
}

TEST(CKButtonGroup, CalcSizeMeasuresTheFirstItemLikeAButton)
{
    CKButtonGroup group;
    SIZE size = {100, 100};
    EXPECT_EQ(group.CalcSize(size), 0);
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);

    CKImgList* list = MakeImgList(12, {0xFF0000});
    CKColorDrawable* face = MakeFace(nullptr, 3);
    group.SetFaceDrawable(face);
    group.AddItem(0, 1);
    group.AddItem(0, 2);
    group.SetItemIcon(0, list, 0);
    group.SetIconDrawable(GetDrawable("res/DrawableBT.xml", "DefButtonIcon"));
    size = {100, 100};
    EXPECT_EQ(group.CalcSize(size), 1);
    EXPECT_EQ(size.cx, 12 + 2 + 6) << "icon, its padding, the face's padding";
    EXPECT_EQ(size.cy, 12 + 2 + 6);
    group.RemoveAllItems();
    face->Release();
    list->Release();
}
