// Text through a real GDI font: measuring with the back buffer, single-line alignment and the
// ellipsis at either end, and the multi-line layout with its line breaking, line ends and cap.
#include <gtest/gtest.h>

#include <string>

#include "GraphicsTestSupport.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFont.h"
#include "graphics/CKImage.h"

namespace {

int Width(const std::wstring& text)
{
    SIZE size;
    CKCanvas::MeasureText(GetDefaultFont(), text.c_str(), (int)text.size(), &size);
    return size.cx;
}

int Height()
{
    SIZE size;
    CKCanvas::MeasureText(GetDefaultFont(), L"Ag", 2, &size);
    return size.cy;
}

// The columns of a white-on-transparent drawing that received ink.
struct KInk
{
    int left = -1;
    int right = -1;   // exclusive
};

KInk InkColumns(const CKImage& image)
{
    KInk ink;
    for (int x = 0; x < image.GetWidth(); ++x)
        for (int y = 0; y < image.GetHeight(); ++y)
            if (PixelAt(image, x, y) & 0xFFFFFF) {
                if (ink.left < 0)
                    ink.left = x;
                ink.right = x + 1;
                break;
            }
    return ink;
}

// A canvas on a fresh transparent image, drawing white with the default font.
struct KTextTarget
{
    CKImage image;
    CKCanvas canvas;
    explicit KTextTarget(int w, int h)
    {
        image.Create(w, h, 32);
        canvas.BindImage(&image, 0, 0);
        canvas.SetTextColor(KMakeColor(255, 255, 255, 255));
    }
};

int UsedWidth(int packed)
{
    return packed & 0xFFFF;
}

int UsedHeight(int packed)
{
    return (packed >> 16) & 0xFFFF;
}

} // namespace

TEST(CKCanvasText, MeasuringUsesTheFontAndTheBackBuffer)
{
    ASSERT_NE(GetDefaultFont()->GetHandle(), nullptr);
    const int hello = Width(L"Hello");
    EXPECT_GT(hello, 0);
    EXPECT_GT(Width(L"Hello World"), hello);
    KTextTarget target(10, 10);
    SIZE size;
    ASSERT_EQ(target.canvas.GetTextExtent(L"Hello", -1, &size), 1);
    EXPECT_EQ(size.cx, hello);
    EXPECT_EQ(size.cy, Height());
    EXPECT_EQ(target.canvas.GetTextWidth(L"Hello World", 5), hello);
    // A font without a handle measures nothing.
    CKFont none;
    EXPECT_EQ(CKCanvas::MeasureText(&none, L"Hello", 5, &size), 0);
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(CKCanvas::MeasureText(nullptr, L"Hello", 5, &size), 0);
}

TEST(CKCanvasText, ASingleLineIsAlignedInItsRectangle)
{
    const std::wstring text = L"Mix";
    const int width = Width(text);
    KTextTarget target(200, 40);
    const RECT rect = {0, 0, 200, 40};
    int used = target.canvas.DrawText(text.c_str(), -1, rect, KDT_RIGHT | KDT_TOP);
    EXPECT_EQ(UsedWidth(used), width);
    EXPECT_EQ(UsedHeight(used), Height());
    KInk ink = InkColumns(target.image);
    EXPECT_GE(ink.left, 200 - width - 1);
    EXPECT_LE(ink.right, 200);

    KTextTarget left(200, 40);
    left.canvas.DrawText(text.c_str(), -1, rect, KDT_LEFT);
    ink = InkColumns(left.image);
    EXPECT_LE(ink.left, 2);
    EXPECT_LE(ink.right, width + 1);

    KTextTarget centred(200, 40);
    centred.canvas.DrawText(text.c_str(), -1, rect, 0);
    ink = InkColumns(centred.image);
    EXPECT_GE(ink.left, (200 - width) / 2 - 1);
    EXPECT_LE(ink.right, (200 + width) / 2 + 1);

    // Too wide without an ellipsis flag: drawn whole, the full width reported.
    const RECT narrow = {0, 0, width / 2, 40};
    KTextTarget whole(200, 40);
    EXPECT_EQ(UsedWidth(whole.canvas.DrawText(text.c_str(), -1, narrow, KDT_LEFT)), width);
}

TEST(CKCanvasText, TooWideSingleLinesKeepTheirHeadOrTailBesideThreeDots)
{
    const std::wstring text = L"Hello World, a rather long title";
    const int dots = Width(L"...");
    const int room = Width(text) / 2;
    const RECT rect = {0, 0, room, 40};

    // End ellipsis: the longest head within room - "..." is kept, then "...".
    size_t head = 0;
    while (head < text.size() && Width(text.substr(0, head + 1)) <= room - dots)
        ++head;
    KTextTarget end(400, 40);
    int used = end.canvas.DrawText(text.c_str(), -1, rect, KDT_LEFT | KDT_END_ELLIPSIS);
    EXPECT_EQ(UsedWidth(used), Width(text.substr(0, head)) + dots);
    EXPECT_LE(UsedWidth(used), room);
    KInk ink = InkColumns(end.image);
    EXPECT_LE(ink.right, room + 1);
    // The last ink is the dots: the drawing ends where they end.
    EXPECT_GE(ink.right, Width(text.substr(0, head)) + dots - 3);

    // Start ellipsis: "..." first, then the longest tail.
    size_t tail = 0;
    while (tail < text.size() && Width(text.substr(text.size() - tail - 1)) <= room - dots)
        ++tail;
    KTextTarget start(400, 40);
    used = start.canvas.DrawText(text.c_str(), -1, rect, KDT_LEFT | KDT_START_ELLIPSIS);
    EXPECT_EQ(UsedWidth(used), Width(text.substr(text.size() - tail)) + dots);
    ink = InkColumns(start.image);
    EXPECT_LE(ink.right, room + 1);
    // The dots come first: ink starts at the left edge of the rectangle.
    EXPECT_LE(ink.left, 2);

    // A rectangle narrower than the dots keeps nothing but the dots.
    const RECT tiny = {0, 0, 2, 40};
    KTextTarget dotsOnly(400, 40);
    EXPECT_EQ(UsedWidth(dotsOnly.canvas.DrawText(text.c_str(), -1, tiny, KDT_LEFT | KDT_END_ELLIPSIS)),
              dots);
    // A text that fits is drawn as it is.
    KTextTarget fits(400, 40);
    EXPECT_EQ(UsedWidth(fits.canvas.DrawText(L"Hi", 2, rect, KDT_END_ELLIPSIS)), Width(L"Hi"));
}

TEST(CKCanvasText, MultiLineTextBreaksBeforeTheWordThatOverflows)
{
    const int line = GetDefaultFont()->GetPixelHeight();
    ASSERT_GT(line, 0);
    // "ab cd" in a box narrower than "ab cd": "cd" goes to the second line whole.
    const int box = Width(L"ab c") + 1;
    ASSERT_LT(box, Width(L"ab cd"));
    const RECT rect = {0, 0, box, 200};
    KTextTarget words(200, 200);
    int used = words.canvas.DrawText(L"ab cd", -1, rect, KDT_MULTILINE | KDT_LEFT | KDT_TOP);
    EXPECT_EQ(UsedHeight(used), 2 * line);
    EXPECT_EQ(UsedWidth(used), Width(L"ab "));

    // CR, LF and CR LF each end a line; the widest line is the width used.
    KTextTarget ends(300, 300);
    used = ends.canvas.DrawText(L"one\r\ntwo\nthree\rfour", -1, RECT{0, 0, 300, 300},
                                KDT_MULTILINE | KDT_TOP);
    EXPECT_EQ(UsedHeight(used), 4 * line);
    EXPECT_EQ(UsedWidth(used), Width(L"three"));

    // At most 24 lines are laid out.
    std::wstring many;
    for (int i = 0; i < 30; ++i)
        many += L"x\n";
    KTextTarget capped(100, 1000);
    used = capped.canvas.DrawText(many.c_str(), -1, RECT{0, 0, 100, 1000}, KDT_MULTILINE | KDT_TOP);
    EXPECT_EQ(UsedHeight(used), 24 * line);

    // Bottom alignment puts the last line's ink near the bottom.
    KTextTarget bottom(100, 100);
    bottom.canvas.DrawText(L"x", -1, RECT{0, 0, 100, 100}, KDT_MULTILINE | KDT_BOTTOM);
    bool inkAtTop = false;
    for (int y = 0; y < 100 - line; ++y)
        for (int x = 0; x < 100; ++x)
            inkAtTop = inkAtTop || (PixelAt(bottom.image, x, y) & 0xFFFFFF) != 0;
    EXPECT_FALSE(inkAtTop);
    EXPECT_GT(InkColumns(bottom.image).right, 0);
}
