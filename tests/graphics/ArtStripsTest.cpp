// The program's pictures (tools/art/manifest.md, compiled in as resources) load through the image
// loader at densities 2, 3 and 4 from the density file that fits, with the cells the manifest
// states; every cell shows something and keeps its padding; the contact sheets are written.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "ArtContactSheet.h"
#include "ArtStrips.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KPaths.h"
#include "graphics/CKImage.h"
#include "graphics/CKImgList.h"
#include "graphics/KImageCache.h"

namespace {

const int DENSITIES[] = {2, 3, 4};

// Sets the resolution of one density for the life of the scope and puts the previous one back.
class DensityScope
{
public:
    explicit DensityScope(int density)
        : savedX(GetDevMetric(LogPixelsX)), savedY(GetDevMetric(LogPixelsY))
    {
        SetDevMetric(LogPixelsX, density * 80);
        SetDevMetric(LogPixelsY, density * 80);
    }
    ~DensityScope()
    {
        SetDevMetric(LogPixelsX, savedX);
        SetDevMetric(LogPixelsY, savedY);
    }

private:
    int savedX, savedY;
};

// The variant flag of the file the loader must pick among those that exist: its search order
// at densities 2, 3 and 4, narrowed to the plain, "MD" and "HD" files shipped.
unsigned ExpectedVariant(unsigned files, int density)
{
    static const unsigned orderAt2[] = {ART_FILE_PLAIN, ART_FILE_MD, ART_FILE_HD};
    static const unsigned orderAt3[] = {ART_FILE_MD, ART_FILE_HD, ART_FILE_PLAIN};
    static const unsigned orderAt4[] = {ART_FILE_HD, ART_FILE_MD, ART_FILE_PLAIN};
    const unsigned* order = density == 2 ? orderAt2 : density == 3 ? orderAt3 : orderAt4;
    for (int i = 0; i < 3; ++i) {
        if (files & order[i])
            return order[i] == ART_FILE_PLAIN ? KIMG_LD : order[i] == ART_FILE_MD ? KIMG_MD : KIMG_HD;
    }
    return 0;
}

// Alpha of picture pixel (x, y).
int AlphaAt(const CKImage* image, int x, int y)
{
    return image->GetRow(y)[x * 4 + 3];
}

// Number of pixels of the cell at (x0, y0) that are more than half opaque.
int SolidPixels(const CKImage* image, int x0, int y0, int w, int h)
{
    int solid = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            solid += AlphaAt(image, x, y) >= 128 ? 1 : 0;
    return solid;
}

// Largest alpha on the outermost ring of pixels of the cell at (x0, y0).
int EdgeAlpha(const CKImage* image, int x0, int y0, int w, int h)
{
    int most = 0;
    for (int x = x0; x < x0 + w; ++x)
        most = std::max(most, std::max(AlphaAt(image, x, y0), AlphaAt(image, x, y0 + h - 1)));
    for (int y = y0; y < y0 + h; ++y)
        most = std::max(most, std::max(AlphaAt(image, x0, y), AlphaAt(image, x0 + w - 1, y)));
    return most;
}

std::string Describe(const KArtStrip& strip, int density)
{
    char text[160];
    wsprintfA(text, "%ls at density %d", strip.name, density);
    return text;
}

} // namespace

TEST(ArtStrips, EveryPictureLoadsFromTheFittingFileWithTheManifestsCellsAtDensitiesTwoToFour)
{
    for (int density : DENSITIES) {
        DensityScope scope(density);
        ASSERT_EQ(density, GetDevMetric(Density));
        for (const KArtStrip& strip : ART_STRIPS) {
            SCOPED_TRACE(Describe(strip, density));
            CKImage* image = LoadArtPicture(strip);
            ASSERT_NE(nullptr, image);
            EXPECT_EQ(ExpectedVariant(strip.flags, density), image->GetFlags() & KIMG_VARIANT_MASK);
            EXPECT_EQ((unsigned)density, image->GetFlags() & KIMG_SCALED_MASK);
            int cellWidth = strip.cellWidth * density / 2;
            int cellHeight = strip.cellHeight * density / 2;
            EXPECT_EQ(strip.columns * cellWidth, image->GetWidth());
            EXPECT_EQ(strip.rows * cellHeight, image->GetHeight());
            if (strip.load != ART_IMAGE) {
                CKImgList* list = static_cast<CKImgList*>(image);
                int w = 0;
                int h = 0;
                ASSERT_EQ(1, list->GetCellSize(&w, &h));
                EXPECT_EQ(cellWidth, w);
                EXPECT_EQ(cellHeight, h);
                EXPECT_EQ(strip.columns, list->GetColumns());
                EXPECT_EQ(strip.rows, list->GetRows());
                EXPECT_EQ(strip.columns * strip.rows, list->GetCount());
            }
            delete image;
        }
    }
}

TEST(ArtStrips, EveryCellShowsSomethingAndClearCellsKeepTheirEdgesTransparent)
{
    for (int density : DENSITIES) {
        DensityScope scope(density);
        for (const KArtStrip& strip : ART_STRIPS) {
            CKImage* image = LoadArtPicture(strip);
            ASSERT_NE(nullptr, image) << Describe(strip, density);
            int w = image->GetWidth() / strip.columns;
            int h = image->GetHeight() / strip.rows;
            for (int i = 0; i < strip.columns * strip.rows; ++i) {
                SCOPED_TRACE(Describe(strip, density) + ", cell " + std::to_string(i));
                int x0 = i % strip.columns * w;
                int y0 = i / strip.columns * h;
                // At least a 32nd of a cell is drawn: the thinnest cell is the tree's corner,
                // two half lines a pixel wide in a 24-pixel cell at density 2.
                EXPECT_GE(SolidPixels(image, x0, y0, w, h) * 32, w * h);
                if (strip.flags & ART_CLEAR_EDGES) {
                    EXPECT_EQ(0, EdgeAlpha(image, x0, y0, w, h));
                }
            }
            delete image;
        }
    }
}

TEST(ArtStrips, TheCachedFormsTheProgramCallsResolveToTheSameGrids)
{
    // The calls as the pages and controls make them (cached, borrowed pointers).
    CKImgList* title = GetImgListByCell(24, 24, L"TitleImgList.png", KIMG_TYPE_PNG, KIMG_AUTO);
    ASSERT_NE(nullptr, title);
    EXPECT_EQ(3, title->GetCount());
    CKImgList* files = GetImgListByCell(32, 32, L"res/FileIcon.png", KIMG_TYPE_PNG, KIMG_AUTO);
    ASSERT_NE(nullptr, files);
    EXPECT_EQ(8, files->GetCount());
    CKImgList* border = GetImgListByGrid(1, 4, L"res/CtrlBorder.png", KIMG_TYPE_PNG, KIMG_AUTO);
    ASSERT_NE(nullptr, border);
    int w = 0;
    int h = 0;
    border->GetCellSize(&w, &h);
    EXPECT_EQ(16, w);
    EXPECT_EQ(16, h);
    // Asked again by another user, the cache hands out the same object.
    EXPECT_EQ(files, GetImgListByCell(32, 32, L"res/FileIcon.png", KIMG_TYPE_PNG, KIMG_AUTO));
}

TEST(ArtStrips, ContactSheetsAreWrittenUnderTheBuildFolderAndReadBack)
{
    for (int density : DENSITIES) {
        DensityScope scope(density);
        wchar_t name[32];
        wsprintfW(name, L"art-sheet-d%d.png", density);
        wchar_t path[KMAX_PATH];
        MakeModulePath(path, name);
        DeleteFileW(path);
        int width = 0;
        int height = 0;
        ASSERT_EQ(1, WriteArtContactSheet(path, &width, &height)) << density;
        CKImage* sheet = CreateImage(path, KIMG_TYPE_PNG, KIMG_NOSCALE);
        ASSERT_NE(nullptr, sheet) << density;
        EXPECT_EQ(width, sheet->GetWidth());
        EXPECT_EQ(height, sheet->GetHeight());
        // The page is opaque white at its top left corner.
        const unsigned char* corner = sheet->GetRow(0);
        EXPECT_EQ(255, corner[0]);
        EXPECT_EQ(255, corner[3]);
        delete sheet;
    }
}
