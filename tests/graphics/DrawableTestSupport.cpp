// Target images, drawing through a canvas and loose drawable files for the drawable tests.
#include "DrawableTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

#include "GraphicsTestSupport.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKDrawable.h"
#include "graphics/CKImage.h"

namespace {

std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

bool Inside(const RECT& box, int x, int y)
{
    return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
}

int CountChanged(const CKImage& image, const RECT& box, unsigned int pixel, bool inside)
{
    int count = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (Inside(box, x, y) == inside && PixelAt(image, x, y) != pixel)
                ++count;
    return count;
}

} // namespace

unsigned int OpaquePixel(unsigned int r, unsigned int g, unsigned int b)
{
    return 0xFF000000u | r << 16 | g << 8 | b;
}

void FillTarget(CKImage& image, int w, int h, unsigned int pixel)
{
    ASSERT_EQ(image.Create(w, h, 32), 1);
    SetPixels(image, std::vector<unsigned int>((size_t)w * h, pixel));
}

void DrawInto(CKDrawable* drawable, CKImage& target, const RECT& rect, RECT* outRect)
{
    CKCanvas canvas;
    ASSERT_EQ(canvas.BindImage(&target, 0, 0), 1);
    drawable->Draw(&canvas, rect, outRect);
}

int CountChangedInside(const CKImage& image, const RECT& box, unsigned int pixel)
{
    return CountChanged(image, box, pixel, true);
}

int CountChangedOutside(const CKImage& image, const RECT& box, unsigned int pixel)
{
    return CountChanged(image, box, pixel, false);
}

std::string DrawableFile(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Drawables>\n" + body + "\n</Drawables>\n";
}

KLooseDrawableFile::KLooseDrawableFile(const char* name, const std::string& bytes)
    : file(std::string("DrawableTest/") + name), loose(L"DrawableTest\\" + Widen(name), bytes)
{
}

void KLooseDrawableFile::Rewrite(const std::string& bytes) const
{
    ASSERT_TRUE(WriteFileBytes(loose.GetPath(), bytes));
}
