// Loading pictures: decoding into premultiplied pixels, the density variant search over loose
// files and compiled-in resources, the scaling that follows, and bad files.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include "GraphicsTestSupport.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKImgList.h"
#include "graphics/KImageCache.h"

namespace {

const KTestRgba RED = {255, 0, 0, 255};
const KTestRgba GREEN = {0, 255, 0, 255};
const KTestRgba BLUE = {0, 0, 255, 255};
constexpr unsigned int RED_PIXEL = 0xFFFF0000;
constexpr unsigned int GREEN_PIXEL = 0xFF00FF00;
constexpr unsigned int BLUE_PIXEL = 0xFF0000FF;

struct KLoaded
{
    int width;
    int height;
    unsigned int flags;
    unsigned int pixel;   // the top-left pixel
};

// Creates an image through CreateImage (load and scale) and describes it; {0, 0, 0, 0} when
// none comes back.
KLoaded Create(const std::wstring& path, unsigned int flags)
{
    CKImage* image = CreateImage(path.c_str(), KIMG_TYPE_PNG, flags);
    if (!image)
        return {0, 0, 0, 0};
    KLoaded loaded = {image->GetWidth(), image->GetHeight(), image->GetFlags(), PixelAt(*image, 0, 0)};
    delete image;
    return loaded;
}

// Private bytes the process has committed.
SIZE_T CommittedBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;
}

} // namespace

TEST(CKImageLoad, APngDecodesIntoPremultipliedBgraRowsTopDown)
{
    KTestAppResFolder folder(L"ImageLoadTest");
    const std::wstring file = folder.Write(
        L"Four.png", MakePng(2, 2, {{255, 0, 0, 255}, {0, 255, 0, 128}, {0, 0, 255, 0}, {200, 100, 50, 51}}));
    CKImage image;
    ASSERT_EQ(image.Load(file.c_str(), KIMG_TYPE_AUTO, 0), 1);   // an absolute path
    EXPECT_EQ(image.GetWidth(), 2);
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(image.GetBitsPerPixel(), 32);
    EXPECT_EQ(image.GetFlags(), 0u);
    EXPECT_EQ(PixelAt(image, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(image, 1, 0), 0x80008000u);   // green x 128 / 255
    EXPECT_EQ(PixelAt(image, 0, 1), 0x00000000u);
    EXPECT_EQ(PixelAt(image, 1, 1), 0x3328140Au);   // (200, 100, 50) x 51 / 255

    // The same file by its library path, with density bits recorded as asked.
    ASSERT_EQ(image.Load(folder.LibraryPath(L"Four.png").c_str(), KIMG_TYPE_PNG, KIMG_HD), 1);
    EXPECT_EQ(image.GetFlags(), KIMG_HD);
    EXPECT_EQ(PixelAt(image, 1, 1), 0x3328140Au);
    // The format code never changes the result: the decoder reads the data.
    ASSERT_EQ(image.Load(file.c_str(), KIMG_TYPE_GIF, 0), 1);
    EXPECT_EQ(image.GetWidth(), 2);
}

TEST(CKImageLoad, TheVariantThatFitsTheDensityIsChosenAndScaledToIt)
{
    KTestAppResFolder folder(L"ImageLoadTest");
    const std::wstring pic = folder.LibraryPath(L"Pic.png");
    folder.Write(L"Pic.png", MakeSolidPng(24, 24, RED));
    folder.Write(L"PicMD.png", MakeSolidPng(36, 36, GREEN));
    {
        // Density 2: the plain file, not scaled.
        KDensityScope density(160);
        KLoaded loaded = Create(pic, KIMG_AUTO);
        EXPECT_EQ(loaded.width, 24);
        EXPECT_EQ(loaded.pixel, RED_PIXEL);
        EXPECT_EQ(loaded.flags, KIMG_LD | 2u);
    }
    {
        // Density 3: "PicMD.png", not scaled.
        KDensityScope density(240);
        KLoaded loaded = Create(pic, KIMG_AUTO);
        EXPECT_EQ(loaded.width, 36);
        EXPECT_EQ(loaded.pixel, GREEN_PIXEL);
        EXPECT_EQ(loaded.flags, KIMG_MD | 3u);
    }
    {
        // Density 4 with only the plain and MD files: MD comes before plain, scaled by 4/3.
        KDensityScope density(320);
        KLoaded loaded = Create(pic, KIMG_AUTO);
        EXPECT_EQ(loaded.width, 48);
        EXPECT_EQ(loaded.height, 48);
        EXPECT_EQ(loaded.pixel, GREEN_PIXEL);
        EXPECT_EQ(loaded.flags, KIMG_MD | 4u);
        // Not scaled when asked not to.
        loaded = Create(pic, KIMG_AUTO | KIMG_NOSCALE);
        EXPECT_EQ(loaded.width, 36);
        EXPECT_EQ(loaded.flags & KIMG_SCALED_MASK, 0u);
    }
    folder.Remove(L"PicMD.png");
    {
        // Density 3 with only the plain file: 24 x 24 becomes 36 x 36.
        KDensityScope density(240);
        KLoaded loaded = Create(pic, KIMG_AUTO);
        EXPECT_EQ(loaded.width, 36);
        EXPECT_EQ(loaded.pixel, RED_PIXEL);
    }
    // The dashed suffixes are variants too.
    folder.Remove(L"Pic.png");
    folder.Write(L"Pic-md.png", MakeSolidPng(36, 36, BLUE));
    {
        KDensityScope density(240);
        KLoaded loaded = Create(pic, KIMG_AUTO);
        EXPECT_EQ(loaded.width, 36);
        EXPECT_EQ(loaded.pixel, BLUE_PIXEL);
    }
    // Without KIMG_AUTO only the plain name counts, with the density asked for.
    EXPECT_EQ(Create(pic, KIMG_MD).width, 0);
}

TEST(CKImageLoad, DensitiesBetweenTheAuthoredOnesStillFindAVariant)
{
    KTestAppResFolder folder(L"ImageLoadTest");
    const std::wstring pic = folder.LibraryPath(L"Pic.png");
    folder.Write(L"PicHD.png", MakeSolidPng(96, 96, RED));
    {
        // Density 1 (80 dpi): the HD picture shrunk by 1/4.
        KDensityScope density(80);
        ASSERT_EQ(GetDevMetric(Density), 1);
        KLoaded loaded = Create(pic, KIMG_AUTO);
        EXPECT_EQ(loaded.width, 24);
        EXPECT_EQ(loaded.flags, KIMG_HD | 1u);
    }
    folder.Write(L"PicXXHD.png", MakeSolidPng(192, 192, GREEN));
    folder.Write(L"Pic-xhd.png", MakeSolidPng(144, 144, BLUE));
    {
        // Density 5: the XHD variant (the next authored density above), scaled by 5/6.
        KDensityScope density(400);
        ASSERT_EQ(GetDevMetric(Density), 5);
        KLoaded loaded = Create(pic, KIMG_AUTO);
        EXPECT_EQ(loaded.width, 120);
        EXPECT_EQ(loaded.pixel, BLUE_PIXEL);
        EXPECT_EQ(loaded.flags, KIMG_XHD | 5u);
    }
    {
        // Density 7: the XXHD variant, scaled by 7/8.
        KDensityScope density(560);
        ASSERT_EQ(GetDevMetric(Density), 7);
        KLoaded loaded = Create(pic, KIMG_AUTO);
        EXPECT_EQ(loaded.width, 168);
        EXPECT_EQ(loaded.pixel, GREEN_PIXEL);
        EXPECT_EQ(loaded.flags, KIMG_XXHD | 7u);
    }
}

TEST(CKImageLoad, CellsBySizeAreStatedForThePlainVariantAndConverted)
{
    KTestAppResFolder folder(L"ImageLoadTest");
    folder.Write(L"IconsHD.png", MakeSolidPng(96, 48, RED));
    const std::wstring icons = folder.LibraryPath(L"Icons.png");
    {
        // Density 4 finds the HD strip: 48 x 48 cells, no scaling.
        KDensityScope density(320);
        CKImgList* list = CreateImgListByCell(24, 24, icons.c_str(), KIMG_TYPE_PNG, KIMG_AUTO);
        ASSERT_NE(list, nullptr);
        int cw = 0, ch = 0;
        list->GetCellSize(&cw, &ch);
        EXPECT_EQ(cw, 48);
        EXPECT_EQ(ch, 48);
        EXPECT_EQ(list->GetCount(), 2);
        EXPECT_EQ(list->GetWidth(), 96);
        delete list;
    }
    {
        // Density 2 with only the HD strip: 48 x 48 cells, then scaled by 2/4 to 24 x 24.
        KDensityScope density(160);
        CKImgList* list = CreateImgListByCell(24, 24, icons.c_str(), KIMG_TYPE_PNG, KIMG_AUTO);
        ASSERT_NE(list, nullptr);
        int cw = 0, ch = 0;
        list->GetCellSize(&cw, &ch);
        EXPECT_EQ(cw, 24);
        EXPECT_EQ(ch, 24);
        EXPECT_EQ(list->GetCount(), 2);
        EXPECT_EQ(list->GetWidth(), 48);
        delete list;
        // Flags other than exactly KIMG_AUTO take the cell size as it is.
        list = CreateImgListByCell(24, 24, icons.c_str(), KIMG_TYPE_PNG, KIMG_AUTO | KIMG_NOSCALE);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->GetCount(), 8);
        delete list;
        // By grid: one row of two.
        list = CreateImgListByGrid(2, 1, icons.c_str(), KIMG_TYPE_PNG, KIMG_AUTO);
        ASSERT_NE(list, nullptr);
        list->GetCellSize(&cw, &ch);
        EXPECT_EQ(cw, 24);
        EXPECT_EQ(ch, 24);
        delete list;
        // Impossible cells make no list.
        EXPECT_EQ(CreateImgListByCell(0, 24, icons.c_str(), KIMG_TYPE_PNG, KIMG_AUTO), nullptr);
        EXPECT_EQ(CreateImgListByGrid(2, 0, icons.c_str(), KIMG_TYPE_PNG, KIMG_AUTO), nullptr);
    }
}

TEST(CKImageLoad, LooseFilesAreSearchedBeforeTheCompiledInResources)
{
    // test_graphics carries "GraphicsTest/Strip.png" (24 x 24 red) and "GraphicsTest/StripHD.png"
    // (48 x 48 blue) as "APPRES" resources.
    const std::wstring strip = L"GraphicsTest/Strip.png";
    {
        KDensityScope density(320);
        KLoaded loaded = Create(strip, KIMG_AUTO);
        EXPECT_EQ(loaded.width, 48);
        EXPECT_EQ(loaded.pixel, BLUE_PIXEL);
        EXPECT_EQ(loaded.flags, KIMG_HD | 4u);
    }
    KLoaded plain = Create(strip, KIMG_AUTO);
    EXPECT_EQ(plain.width, 24);
    EXPECT_EQ(plain.pixel, RED_PIXEL);
    // Without KIMG_AUTO the plain resource is taken with the density asked for.
    KLoaded asHd = Create(strip, KIMG_HD);
    EXPECT_EQ(asHd.width, 12);
    EXPECT_EQ(asHd.flags, KIMG_HD | 2u);
    // "\" separates like "/".
    EXPECT_EQ(Create(L"GraphicsTest\\Strip.png", 0).width, 24);

    KTestAppResFolder folder(L"GraphicsTest");
    // A loose XHD variant is found before the compiled-in plain one: files are searched first.
    folder.Write(L"StripXHD.png", MakeSolidPng(72, 72, GREEN));
    KLoaded loose = Create(strip, KIMG_AUTO);
    EXPECT_EQ(loose.width, 24);   // 72 x 2 / 6
    EXPECT_EQ(loose.pixel, GREEN_PIXEL);
    EXPECT_EQ(loose.flags, KIMG_XHD | 2u);
    // A loose file of the same name wins over the resource.
    folder.Remove(L"StripXHD.png");
    folder.Write(L"Strip.png", MakeSolidPng(30, 30, GREEN));
    EXPECT_EQ(Create(strip, 0).width, 30);
    EXPECT_EQ(Create(strip, KIMG_AUTO).width, 30);
}

TEST(CKImageLoad, BadFilesFailCleanlyAndAreNeverCached)
{
    KTestAppResFolder folder(L"ImageLoadTest");
    const std::vector<unsigned char> good = MakeSolidPng(8, 8, RED);
    folder.Write(L"Truncated.png", std::vector<unsigned char>(good.begin(), good.begin() + good.size() / 2));
    folder.Write(L"Empty.png", {});
    const char text[] = "This is not a picture at all.\r\n";
    folder.Write(L"Text.png", std::vector<unsigned char>(text, text + sizeof(text) - 1));
    folder.Write(L"Huge.png", MakeBitmapPng(8000, 8000));
    folder.Write(L"Real.jpg", good);
    const int cached = GetImageCacheCount();
    for (const wchar_t* name : {L"Truncated.png", L"Empty.png", L"Text.png", L"Huge.png",
                                L"Missing.png", L"NoDot"}) {
        const std::wstring path = folder.LibraryPath(name);
        CKImage image;
        EXPECT_EQ(image.Load(path.c_str(), KIMG_TYPE_AUTO, KIMG_AUTO), 0) << path.c_str();
        EXPECT_EQ(image.GetBitmap(), nullptr);
        EXPECT_EQ(image.GetFlags(), 0u);
        EXPECT_EQ(image.GetWidth(), 0);
        EXPECT_EQ(CreateImage(path.c_str(), KIMG_TYPE_AUTO, KIMG_AUTO), nullptr);
        EXPECT_EQ(GetImage(path.c_str(), KIMG_TYPE_AUTO, KIMG_AUTO), nullptr);
        EXPECT_EQ(GetImgListByCell(4, 4, path.c_str(), KIMG_TYPE_AUTO, KIMG_AUTO), nullptr);
        EXPECT_EQ(GetImgListByGrid(1, 1, path.c_str(), KIMG_TYPE_AUTO, KIMG_AUTO), nullptr);
    }
    EXPECT_EQ(GetImageCacheCount(), cached);
    // Refusing the huge picture gives back what decoding it took (256 MiB at 32 bits each time).
    const std::wstring huge = folder.LibraryPath(L"Huge.png");
    const SIZE_T before = CommittedBytes();
    for (int i = 0; i < 3; ++i) {
        CKImage refused;
        EXPECT_EQ(refused.Load(huge.c_str(), KIMG_TYPE_PNG, 0), 0);
    }
    EXPECT_LT(CommittedBytes(), before + 64 * 1024 * 1024);
    // A picture decodes by its content whatever its extension says.
    CKImage image;
    EXPECT_EQ(image.Load(folder.LibraryPath(L"Real.jpg").c_str(), KIMG_TYPE_AUTO, 0), 1);
    EXPECT_EQ(image.GetWidth(), 8);
    // A compiled-in resource that is not a picture fails through the memory stream alike.
    EXPECT_EQ(image.Load(L"DevMetrics.xml", KIMG_TYPE_AUTO, 0), 0);
    EXPECT_EQ(image.GetBitmap(), nullptr);
    // Absurd paths.
    EXPECT_EQ(image.Load(nullptr, KIMG_TYPE_AUTO, KIMG_AUTO), 0);
    EXPECT_EQ(image.Load(L"", KIMG_TYPE_AUTO, KIMG_AUTO), 0);
    EXPECT_EQ(image.Load(std::wstring(400, L'a').append(L".png").c_str(), KIMG_TYPE_AUTO, KIMG_AUTO), 0);
}
