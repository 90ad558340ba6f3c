// Loading the pictures of the art table as the program does, and the contact sheet that shows
// every cell of every picture as the loader delivers it (written as PNG through GDI+).
#include "ArtContactSheet.h"

#include <windows.h>
#include <objidl.h>

#include <algorithm>
#include <vector>
// The platform's GDI+ headers expect min and max in their namespace.
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

#include "graphics/CKImage.h"
#include "graphics/CKImgList.h"
#include "graphics/KImageCache.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

const int GAP = 8;            // around and between cells
const int NAME_HEIGHT = 18;   // the picture's name above its band
const int INDEX_HEIGHT = 16;  // a cell's index below it
const int MIN_WIDTH = 320;    // room for the longest name
const COLORREF PAGE = RGB(255, 255, 255);
const COLORREF LIGHT_GROUND = RGB(248, 248, 248);
const COLORREF DARK_GROUND = RGB(46, 50, 65);
const COLORREF NAME_COLOUR = RGB(46, 50, 65);
const COLORREF INDEX_ON_LIGHT = RGB(120, 120, 120);
const COLORREF INDEX_ON_DARK = RGB(170, 174, 190);

// One picture of the sheet: the loaded image (owned) and its cells.
struct SheetRow {
    const KArtStrip* strip;   // borrowed: a row of ART_STRIPS
    CKImage* image;   // owned
    int cellWidth, cellHeight, count;
    int top;          // of the row's name line
};

void CellOrigin(const SheetRow& row, int index, POINT* origin)
{
    if (row.strip->load == ART_IMAGE) {
        origin->x = 0;
        origin->y = 0;
    } else {
        static_cast<CKImgList*>(row.image)->GetCellOrigin(index, origin);
    }
}

void FillArea(CKImage* sheet, int x0, int y0, int x1, int y1, COLORREF colour)
{
    for (int y = y0; y < y1; ++y) {
        unsigned char* p = sheet->GetRow(y) + x0 * 4;
        for (int x = x0; x < x1; ++x, p += 4) {
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
            p[3] = 255;
        }
    }
}

// Blends one cell (premultiplied pixels) over the opaque sheet at (dx, dy).
void BlendCell(CKImage* sheet, int dx, int dy, const CKImage* image, POINT origin, int w, int h)
{
    for (int y = 0; y < h; ++y) {
        const unsigned char* s = image->GetRow(origin.y + y) + origin.x * 4;
        unsigned char* d = sheet->GetRow(dy + y) + dx * 4;
        for (int x = 0; x < w; ++x, s += 4, d += 4) {
            int keep = 255 - s[3];
            for (int c = 0; c < 3; ++c)
                d[c] = (unsigned char)std::min(255, s[c] + d[c] * keep / 255);
        }
    }
}

void DrawLabel(HDC dc, int x, int y, COLORREF colour, const wchar_t* text)
{
    SetTextColor(dc, colour);
    TextOutW(dc, x, y, text, lstrlenW(text));
}

// The class id of the platform's PNG encoder, looked up by its MIME type; 0 when there is none.
int FindPngEncoder(CLSID* encoder)
{
    UINT count = 0;
    UINT bytes = 0;
    if (GdipGetImageEncodersSize(&count, &bytes) != Ok || count == 0)
        return 0;
    std::vector<unsigned char> buffer(bytes);
    ImageCodecInfo* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    if (GdipGetImageEncoders(count, bytes, codecs) != Ok)
        return 0;
    for (UINT i = 0; i < count; ++i) {
        if (lstrcmpiW(codecs[i].MimeType, L"image/png") == 0) {
            *encoder = codecs[i].Clsid;
            return 1;
        }
    }
    return 0;
}

int SavePng(CKImage* sheet, const wchar_t* path)
{
    CLSID encoder;
    if (!FindPngEncoder(&encoder))
        return 0;
    GpBitmap* bitmap = nullptr;
    // Every pixel is opaque, so the premultiplied bytes are also the straight ones.
    if (GdipCreateBitmapFromScan0(sheet->GetWidth(), sheet->GetHeight(), -sheet->GetStride(),
                                  PixelFormat32bppARGB, sheet->GetRow(0), &bitmap) != Ok)
        return 0;
    int result = GdipSaveImageToFile(bitmap, path, &encoder, nullptr) == Ok ? 1 : 0;
    GdipDisposeImage(bitmap);
    return result;
}

int Compose(std::vector<SheetRow>& rows, const wchar_t* path, int* width, int* height)
{
    int w = MIN_WIDTH;
    int h = GAP;
    for (SheetRow& row : rows) {
        row.top = h;
        w = std::max(w, GAP + row.count * (row.cellWidth + GAP));
        h += NAME_HEIGHT + GAP + row.cellHeight + INDEX_HEIGHT + GAP;
    }
    *width = w;
    *height = h;
    CKImage sheet;
    if (!sheet.Create(w, h, 32))
        return 0;
    FillArea(&sheet, 0, 0, w, h, PAGE);
    for (const SheetRow& row : rows) {
        bool dark = (row.strip->flags & ART_ON_DARK) != 0;
        int bandTop = row.top + NAME_HEIGHT;
        FillArea(&sheet, 0, bandTop, w, bandTop + GAP + row.cellHeight + INDEX_HEIGHT,
                 dark ? DARK_GROUND : LIGHT_GROUND);
        for (int i = 0; i < row.count; ++i) {
            POINT origin;
            CellOrigin(row, i, &origin);
            BlendCell(&sheet, GAP + i * (row.cellWidth + GAP), bandTop + GAP, row.image, origin,
                      row.cellWidth, row.cellHeight);
        }
    }
    HDC dc = SelectImageDC(KIMAGE_DC_TARGET, &sheet);
    if (!dc)
        return 0;
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    for (const SheetRow& row : rows) {
        bool dark = (row.strip->flags & ART_ON_DARK) != 0;
        DrawLabel(dc, GAP, row.top + 2, NAME_COLOUR, row.strip->name);
        int labelTop = row.top + NAME_HEIGHT + GAP + row.cellHeight + 1;
        for (int i = 0; i < row.count; ++i) {
            wchar_t index[8];
            wsprintfW(index, L"%d", i);
            DrawLabel(dc, GAP + i * (row.cellWidth + GAP) + row.cellWidth / 2 - 3, labelTop,
                      dark ? INDEX_ON_DARK : INDEX_ON_LIGHT, index);
        }
    }
    SelectObject(dc, oldFont);
    SelectImageDC(KIMAGE_DC_TARGET, nullptr);
    GdiFlush();
    // GDI text leaves the alpha bytes it touched at zero: the sheet is opaque throughout.
    for (int y = 0; y < h; ++y) {
        unsigned char* p = sheet.GetRow(y);
        for (int x = 0; x < w; ++x)
            p[x * 4 + 3] = 255;
    }
    return SavePng(&sheet, path);
}

} // namespace

CKImage* LoadArtPicture(const KArtStrip& strip)
{
    switch (strip.load) {
    case ART_BY_CELL:
        return CreateImgListByCell(strip.loadA, strip.loadB, strip.name, KIMG_TYPE_PNG, KIMG_AUTO);
    case ART_BY_GRID:
        return CreateImgListByGrid(strip.loadA, strip.loadB, strip.name, KIMG_TYPE_PNG, KIMG_AUTO);
    case ART_IMAGE:
        break;
    }
    return CreateImage(strip.name, KIMG_TYPE_PNG, KIMG_AUTO);
}

int WriteArtContactSheet(const wchar_t* path, int* width, int* height)
{
    std::vector<SheetRow> rows;
    int result = 1;
    for (const KArtStrip& strip : ART_STRIPS) {
        CKImage* image = LoadArtPicture(strip);
        if (!image) {
            result = 0;
            break;
        }
        SheetRow row = {&strip, image, image->GetWidth(), image->GetHeight(), 1, 0};
        if (strip.load != ART_IMAGE) {
            CKImgList* list = static_cast<CKImgList*>(image);
            list->GetCellSize(&row.cellWidth, &row.cellHeight);
            row.count = list->GetCount();
        }
        rows.push_back(row);
    }
    if (result)
        result = Compose(rows, path, width, height);
    for (SheetRow& row : rows)
        delete row.image;
    return result;
}
