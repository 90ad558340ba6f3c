// Painting into the shared back buffer through real WM_PAINT and WM_NCPAINT messages: what lies
// beneath a non-opaque window, background bands of a scrolled window, the scroll indicator, and
// the frame of a framed window; read back from the back buffer's pixels.
#include <gtest/gtest.h>

#include <vector>

#include "KTestSupport.h"
#include "WindowTestSupport.h"
#include "graphics/CKColorDrawable.h"

namespace {

constexpr unsigned int GREEN = 0x00FF00;
constexpr unsigned int RED = 0xFF0000;
constexpr unsigned int BLUE = 0x0000FF;
constexpr unsigned int YELLOW = 0xFFFF00;
constexpr KColor RED_COLOR = 0xFF0000FF;
constexpr KColor BLUE_COLOR = 0xFFFF0000;
constexpr KColor YELLOW_COLOR = 0xFF00FFFF;
constexpr KColor BLACK_COLOR = 0xFF000000;
constexpr KColor WHITE_COLOR = 0xFFFFFFFF;

// Paints its whole client area in one colour.
void FillAll(CRecordingWindow* window, KColor color)
{
    window->fill = true;
    window->fillRect = {0, 0, 1000, 1000};
    window->fillColor = color;
}

// Repaints the window now through the platform (WM_PAINT), whatever was valid.
void RepaintNow(CKWindow* window)
{
    InvalidateRect(window->GetHwnd(), nullptr, FALSE);
    UpdateWindow(window->GetHwnd());
}

// A solid face drawable of one colour (counted, one reference for the caller).
CKColorDrawable* SolidFace(KColor color)
{
    CKColorDrawable* face = new CKColorDrawable();
    face->EnableRefCount();
    face->AddRef();
    face->SetFace(0, KFace{1u << KFACE_MODE_SHIFT, 0, 0, {color, 0, 0, 0}});
    return face;
}

} // namespace

TEST(CKWindowPaint, ANonOpaqueChildHasItsParentPaintedBeneathIt)
{
    KWindowScope scope;
    CRecordingWindow* root = scope.Add(new CRecordingWindow(), nullptr, KWF_OPAQUE,
                                       RECT{0, 0, 200, 200});
    ASSERT_TRUE(root);
    FillAll(root, RED_COLOR);
    CRecordingWindow* see = scope.Add(new CRecordingWindow(), root, 0, RECT{20, 20, 60, 60});
    CRecordingWindow* solid = scope.Add(new CRecordingWindow(), root, KWF_OPAQUE,
                                        RECT{100, 20, 140, 60});
    ASSERT_TRUE(see && solid);
    // Each paints only its left half.
    for (CRecordingWindow* child : {see, solid}) {
        child->fill = true;
        child->fillRect = {0, 0, 20, 40};
        child->fillColor = BLUE_COLOR;
    }
    RepaintNow(root);
    EXPECT_EQ(BackBufferPixel(10, 10), RED);

    FillBackBuffer(GREEN);
    const int rootPaints = root->paints;
    RepaintNow(see);
    EXPECT_EQ(BackBufferPixel(25, 30), BLUE);
    EXPECT_EQ(BackBufferPixel(50, 30), RED) << "the parent's paint shows beneath";
    EXPECT_EQ(BackBufferPixel(10, 10), GREEN) << "only the child's area was painted";
    EXPECT_EQ(root->paints, rootPaints + 1);

    RepaintNow(solid);
    EXPECT_EQ(BackBufferPixel(105, 30), BLUE);
    EXPECT_EQ(BackBufferPixel(130, 30), GREEN) << "an opaque window gets nothing beneath";
    EXPECT_EQ(root->paints, rootPaints + 1);

    // The child's area reached the screen; the parent's area on screen was not overwritten.
    HDC screen = GetDC(root->GetHwnd());
    EXPECT_EQ(GetPixel(screen, 25, 30), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(screen, 50, 30), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(screen, 10, 10), RGB(255, 0, 0));
    ReleaseDC(root->GetHwnd(), screen);
}

TEST(CKWindowPaint, OverlappingSiblingsAndNonOpaqueAncestorsArePaintedBeneath)
{
    KWindowScope scope;
    CRecordingWindow* root = scope.Add(new CRecordingWindow(), nullptr, KWF_OPAQUE,
                                       RECT{0, 0, 200, 200});
    ASSERT_TRUE(root);
    FillAll(root, RED_COLOR);
    // A transparent panel that paints nothing holds a transparent label; beside the panel, a
    // yellow sibling reaches under the label.
    CRecordingWindow* panel = scope.Add(new CRecordingWindow(), root, 0, RECT{10, 10, 110, 110});
    CRecordingWindow* yellow = scope.Add(new CRecordingWindow(), root, 0, RECT{60, 60, 160, 160});
    ASSERT_TRUE(panel && yellow);
    FillAll(yellow, YELLOW_COLOR);
    CRecordingWindow* label = scope.Add(new CRecordingWindow(), panel, 0, RECT{40, 40, 80, 80});
    ASSERT_TRUE(label);
    label->fill = true;
    label->fillRect = {0, 0, 5, 5};
    label->fillColor = BLUE_COLOR;

    FillBackBuffer(GREEN);
    RepaintNow(label);
    // The label covers (50..90) in root coordinates; the yellow sibling starts at 60.
    EXPECT_EQ(BackBufferPixel(52, 52), BLUE);
    EXPECT_EQ(BackBufferPixel(57, 57), RED) << "the root, through the transparent panel";
    EXPECT_EQ(BackBufferPixel(70, 70), YELLOW) << "the overlapping sibling of the panel";
    EXPECT_EQ(BackBufferPixel(95, 95), GREEN) << "outside the label nothing was painted";
}

TEST(CKWindowPaint, AScrolledWindowPaintsItsBackgroundBandsAndItsIndicator)
{
    KWindowScope scope;
    CRecordingWindow* list = scope.Add(new CRecordingWindow(), nullptr,
                                       KWF_OPAQUE | KWF_VSCROLL, RECT{0, 0, 100, 100});
    ASSERT_TRUE(list);
    CKColorDrawable* face = SolidFace(WHITE_COLOR);
    list->SetBackground(face);
    face->Release();
    list->SetScrollExtent(0, 400);

    // Pulled 20 pixels down past the start: the band above the content gets the background;
    // the content itself is the window's to paint (it paints nothing here).
    list->ScrollTo(0, -20);
    FillBackBuffer(GREEN);
    RepaintNow(list);
    EXPECT_EQ(BackBufferPixel(30, 5), 0xFFFFFFu);
    EXPECT_EQ(BackBufferPixel(30, 19), 0xFFFFFFu);
    EXPECT_EQ(BackBufferPixel(30, 20), GREEN);

    // Past the end (maximum 300): the band below the content.
    list->ScrollTo(0, 330);
    FillBackBuffer(GREEN);
    RepaintNow(list);
    EXPECT_EQ(BackBufferPixel(30, 69), GREEN);
    EXPECT_EQ(BackBufferPixel(30, 70), 0xFFFFFFu);

    // Within range the indicator: 25 long (100 x 100 / 400), its top at 75 x 150 / 300 = 37,
    // 4 wide at the right edge, light grey at alpha 150 over the black content.
    FillAll(list, BLACK_COLOR);
    list->ScrollTo(0, 150);
    RepaintNow(list);
    const unsigned int thumb = BackBufferPixel(98, 50);
    const unsigned int grey = thumb & 0xFF;
    EXPECT_EQ(thumb, grey << 16 | grey << 8 | grey);
    EXPECT_NEAR((int)grey, 200 * 150 / 255, 3);
    EXPECT_EQ(BackBufferPixel(98, 35), 0u) << "above the thumb";
    EXPECT_EQ(BackBufferPixel(98, 63), 0u) << "below the thumb";
    EXPECT_EQ(BackBufferPixel(94, 50), 0u) << "left of the thumb";
    EXPECT_EQ(BackBufferPixel(98, 40), thumb);
    EXPECT_EQ(BackBufferPixel(98, 59), thumb);

    // With the indicator flag for the left edge it moves there.
    CRecordingWindow* left = scope.Add(new CRecordingWindow(), nullptr,
                                       KWF_OPAQUE | KWF_VSCROLL | KWF_VINDICATOR_LEFT,
                                       RECT{0, 0, 100, 100});
    ASSERT_TRUE(left);
    FillAll(left, BLACK_COLOR);
    left->SetScrollExtent(0, 400);
    RepaintNow(left);
    EXPECT_EQ(BackBufferPixel(1, 10), thumb);
    EXPECT_EQ(BackBufferPixel(98, 10), 0u);
}

TEST(CKWindowPaint, AScrollMovesOnlyTheChildrenInViewAndEveryChildStillKnowsWhereItBelongs)
{
    constexpr int ROWS = 30, ROW = 20;
    KWindowScope scope;
    CRecordingWindow* list = scope.Add(new CRecordingWindow(), nullptr,
                                       KWF_OPAQUE | KWF_VSCROLL, RECT{0, 0, 100, 100});
    ASSERT_TRUE(list);
    FillAll(list, BLACK_COLOR);
    std::vector<CRecordingWindow*> rows;
    for (int i = 0; i < ROWS; i++) {
        rows.push_back(scope.Add(new CRecordingWindow(), list, 0,
                                 RECT{0, i * ROW, 100, (i + 1) * ROW}));
        ASSERT_TRUE(rows.back());
        FillAll(rows.back(), 0xFF000000u | (KColor)(8 * i + 7) << 16);   // blue 8i + 7
    }
    list->SetScrollExtent(0, ROWS * ROW);
    // Where the row's platform window lies, and where the row belongs.
    auto placed = [&](int i) {
        RECT rect;
        GetWindowRect(rows[i]->GetHwnd(), &rect);
        MapWindowPoints(nullptr, list->GetHwnd(), (POINT*)&rect, 2);
        return rect.top;
    };
    auto belongs = [&](int i) {
        RECT rect;
        rows[i]->GetRectInParent(&rect);
        return rect.top;
    };
    // Each step a drag can make, then a jump to the end and back near the start.
    for (int position : {10, 25, 60, 300, 500, 35}) {
        list->ScrollTo(0, position);
        int wrong = 0, movedOutside = 0;
        for (int i = 0; i < ROWS; i++) {
            wrong += belongs(i) != i * ROW - position;
            const bool inView = belongs(i) < 100 && belongs(i) + ROW > 0;
            wrong += inView && placed(i) != belongs(i);
            movedOutside += !inView && placed(i) == belongs(i) && placed(i) != i * ROW;
        }
        EXPECT_EQ(wrong, 0) << "at " << position;
        // Rows that never came into view were never moved.
        if (position == 10) {
            EXPECT_EQ(placed(20), 20 * ROW);
            EXPECT_EQ(movedOutside, 0);
        }
        // The painted rows are the ones that belong there.
        RepaintNow(list);
        for (int y = 5; y < 100; y += ROW) {
            const int row = (y + position) / ROW;
            EXPECT_EQ(BackBufferPixel(50, y), (unsigned)(8 * row + 7)) << "at " << position << ", y " << y;
        }
        // Client and root coordinates of a row out of view agree with where it belongs.
        POINT origin = {0, 0};
        rows[ROWS - 1]->ClientToRoot(&origin);
        EXPECT_EQ(origin.y, (ROWS - 1) * ROW - position);
        rows[ROWS - 1]->RootToClient(&origin);
        EXPECT_EQ(origin.y, 0);
    }
    // A larger client area shows rows that had fallen behind: they are put in place.
    list->Move(RECT{0, 0, 100, 400});
    for (int i = 0; i < ROWS; i++)
        EXPECT_EQ(placed(i), i * ROW - 35) << "row " << i;
}

TEST(CKWindowPaint, AFramedWindowPaintsTheBorderCellOfItsFocusState)
{
    KWindowScope scope;
    CRecordingWindow* root = scope.Add(new CRecordingWindow(), nullptr, KWF_OPAQUE,
                                       RECT{0, 0, 200, 200});
    ASSERT_TRUE(root);
    FillAll(root, RED_COLOR);
    CRecordingWindow* framed = scope.Add(new CRecordingWindow(), root, KWF_OPAQUE | KWF_FRAMED,
                                         RECT{20, 20, 120, 60}, 41);
    ASSERT_TRUE(framed);
    RECT client;
    framed->GetClientRect(&client);
    // At the tests' density (2) the plain 16 x 64 strip is used: a quarter of a 16-pixel cell.
    EXPECT_EQ(client.right, 100 - 2 * 4);
    EXPECT_EQ(client.bottom, 40 - 2 * 4);

    FillBackBuffer(GREEN);
    RedrawWindow(framed->GetHwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    // The middle of the top edge: the normal cell's grey border line; the corner's outermost
    // pixel is almost transparent, so the root's red shows through it.
    EXPECT_EQ(BackBufferPixel(70, 20), 0xCACACAu);
    const unsigned int corner = BackBufferPixel(20, 20);
    EXPECT_GE(corner >> 16, 240u);
    EXPECT_LE((corner >> 8) & 0xFF, 20u);
    // The strip is on the screen too.
    HDC dc = GetWindowDC(framed->GetHwnd());
    EXPECT_EQ(GetPixel(dc, 50, 0), RGB(0xCA, 0xCA, 0xCA));
    ReleaseDC(framed->GetHwnd(), dc);

    // Focused: the blue cell.
    framed->SetFocus();
    EXPECT_EQ(BackBufferPixel(70, 20), 0x226BE4u);
    EXPECT_EQ(root->Events("notify"), (std::vector<std::string>{"notify 41 1 0"}));
}
