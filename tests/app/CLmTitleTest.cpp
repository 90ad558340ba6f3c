// The player page's title bar: its text area moved right and centred on the text's height, and
// the accent bar painted into the back buffer only when there is a text.
#include <gtest/gtest.h>

#include "KTestSupport.h"
#include "app/CLmTitle.h"
#include "controls/CKButton.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KGraphics.h"

namespace {

constexpr unsigned int TITLE_FLAGS = KWF_OPAQUE | KWF_REPAINT_ON_CHANGE;
// A title of `T` with a menu button, 320 x 44, a window of its own: it paints into the back
// buffer at its own client coordinates.
template <class T>
T* MakeTitle()
{
    T* title = new T();
    title->EnableRefCount();
    title->AddRef();
    title->SetLeftButton(3001, 0, L"菜单");
    if (!title->Create(0, 3001, nullptr, TITLE_FLAGS)) {
        title->Release();
        return nullptr;
    }
    title->Move(RECT{0, 0, 320, 44});
    return title;
}

void Drop(CKTitle* title)
{
    title->Destroy();
    title->Release();
}

// The back buffer's pixel as 0xRRGGBB.
unsigned int PixelAt(int x, int y)
{
    const COLORREF color = GetPixel(GetBackBufferDC(), x, y);
    return (unsigned int)GetRValue(color) << 16 | (unsigned int)GetGValue(color) << 8
           | GetBValue(color);
}

} // namespace

TEST(CLmTitle, TheTextAreaMovesRightAndIsCentredOnTheTextHeight)
{
    EnsureTestFrame();
    CKTitle* plain = MakeTitle<CKTitle>();
    CLmTitle* title = MakeTitle<CLmTitle>();
    ASSERT_TRUE(plain && title);
    const RECT base = plain->GetTextRect();
    const RECT area = title->GetTextRect();
    EXPECT_EQ(area.left, base.left + UnitToPixels(LMTITLE_INDENT_UNITS, 1));
    EXPECT_EQ(area.right, base.right);
    SIZE size = {area.right - area.left, 0};
    title->GetTextDrawable()->SetText(nullptr, 0);
    title->GetTextDrawable()->CalcSize(size);
    EXPECT_EQ(area.bottom - area.top, size.cy);
    EXPECT_EQ(area.top, (base.top + base.bottom - size.cy) / 2);
    Drop(plain);
    Drop(title);
}

TEST(CLmTitle, TheAccentBarIsPaintedLeftOfTheTextOnlyWhenThereIsOne)
{
    EnsureTestFrame();
    CLmTitle* title = MakeTitle<CLmTitle>();
    ASSERT_TRUE(title);
    const RECT area = title->GetTextRect();
    const int bar = UnitToPixels(LMTITLE_BAR_UNITS, 1);
    const int y = (area.top + area.bottom) / 2;

    UpdateWindow(title->GetHwnd());
    title->Invalidate();
    UpdateWindow(title->GetHwnd());
    const unsigned int face = PixelAt(area.left, y);
    EXPECT_NE(face, 0x2372CCu) << "no text, no bar";

    // A text whose only ink lies at the bottom of the line, so that the bar's top row shows
    // where the bar ends.
    title->SetText(L"__");
    title->Invalidate();
    UpdateWindow(title->GetHwnd());
    EXPECT_EQ(PixelAt(area.left, y), 0x2372CCu);
    EXPECT_EQ(PixelAt(area.left + bar - 1, area.top), 0x2372CCu);
    EXPECT_EQ(PixelAt(area.left + bar - 1, area.bottom - 1), 0x2372CCu);
    EXPECT_EQ(PixelAt(area.left + bar, area.top), face) << "the bar is 2 units wide";
    EXPECT_EQ(PixelAt(area.left, area.top - 1), face) << "over the text area's height";
    EXPECT_EQ(PixelAt(area.left - 1, y), face);
    Drop(title);
}
