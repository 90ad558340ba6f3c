// CKCanvas: binding to a DC or an image, GDI object selection, text measuring and layout, image
// blits and the face fills.
//
// Index:
//   Binding
//   Pen, brush, font
//   Text
//   Fills
//   Images
#include "graphics/CKCanvas.h"

#include "foundation/CKList.h"
#include "foundation/KMemory.h"
#include "foundation/KText.h"
#include "graphics/CKBrush.h"
#include "graphics/CKFont.h"
#include "graphics/CKImgList.h"
#include "graphics/CKPen.h"
#include "graphics/KFaceFill.h"
#include "graphics/KGraphics.h"
#include "graphics/KTextLayout.h"

namespace {

constexpr int STATE_NODES_PER_BLOCK = 63;
CKListT<KUnitItem>* g_statePool;    // owned; created on first bind

const wchar_t ELLIPSIS[] = L"...";
constexpr int ELLIPSIS_LENGTH = 3;

// Character widths of texts up to this length are measured on the stack.
constexpr int STACK_WIDTHS = 256;
// Longest piece of text measured in one call, so that a long text needs no huge scratch space in
// the platform's text functions.
constexpr int MEASURE_PIECE = 8192;

// Per-character advance widths of a text, on the stack or the heap.
class KCharWidths
{
public:
    // Measures `text` with `font` (CKCanvas::MeasureAdvances); Get() is none when that fails.
    KCharWidths(const CKFont* font, const wchar_t* text, int length)
    {
        if (length < 1)
            return;
        int* widths = length <= STACK_WIDTHS ? local : static_cast<int*>(KAlloc(sizeof(int) * length));
        if (!widths || !CKCanvas::MeasureAdvances(font, text, length, widths)) {
            Drop(widths);
            return;
        }
        result = widths;
    }
    ~KCharWidths() { Drop(result); }
    const int* Get() const { return result; }

    KCharWidths(const KCharWidths&) = delete;
    KCharWidths& operator=(const KCharWidths&) = delete;

private:
    void Drop(int* widths)
    {
        if (widths != local)
            KFree(widths);
    }

    int local[STACK_WIDTHS];
    int* result = nullptr;   // `local` or owned
};

// Position of an extent inside [low, high) by the pair of alignment bits.
int Align(int low, int high, int extent, unsigned int flags, unsigned int lowBit,
          unsigned int highBit)
{
    if (flags & lowBit)
        return low;
    if (flags & highBit)
        return high - extent;
    return (low + high - extent) / 2;
}

// The width of the widest of `count` laid-out lines.
int WidestLine(const KTextLine* lines, int count)
{
    int widest = 0;
    for (int i = 0; i < count; ++i)
        if (lines[i].width > widest)
            widest = lines[i].width;
    return widest;
}

int PackSize(int width, int height)
{
    return (int)MAKELONG((WORD)width, (WORD)height);
}

} // namespace

// ---- Binding ---------------------------------------------------------------------------------

CKCanvas::~CKCanvas()
{
    Unbind();
}

HDC CKCanvas::GetDC() const
{
    return dcState ? dcState->hdc : nullptr;
}

int CKCanvas::Bind(HDC dc)
{
    Unbind();
    if (!dc)
        return 0;
    return BindState(dc, nullptr);
}

int CKCanvas::BindImage(CKImage* image, int x, int y)
{
    Unbind();
    if (!image || !image->GetBitmap())
        return 0;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return 0;
    HGDIOBJ oldBitmap = SelectObject(dc, image->GetBitmap());
    if (x || y)
        SetViewportOrgEx(dc, -x, -y, nullptr);
    if (!oldBitmap || !BindState(dc, oldBitmap)) {
        if (oldBitmap)
            SelectObject(dc, oldBitmap);
        DeleteDC(dc);
        return 0;
    }
    return 1;
}

int CKCanvas::BindState(HDC dc, HGDIOBJ oldBitmap)
{
    if (!g_statePool)
        g_statePool = new CKListT<KUnitItem>(STATE_NODES_PER_BLOCK);
    KUnitItem* item = g_statePool ? g_statePool->AddTail() : nullptr;
    if (!item)
        return 0;
    item->hdc = dc;
    item->oldBitmap = oldBitmap;
    pen = GetDefaultPen();
    brush = GetDefaultBrush();
    font = GetDefaultFont();
    if (pen && pen->GetHandle())
        item->oldPen = SelectObject(dc, pen->GetHandle());
    if (brush && brush->GetHandle())
        item->oldBrush = SelectObject(dc, brush->GetHandle());
    if (font && font->GetHandle())
        item->oldFont = SelectObject(dc, font->GetHandle());
    dcState = item;
    return 1;
}

void CKCanvas::Unbind()
{
    if (!dcState)
        return;
    HDC dc = dcState->hdc;
    if (dcState->oldPen)
        SelectObject(dc, dcState->oldPen);
    if (dcState->oldBrush)
        SelectObject(dc, dcState->oldBrush);
    if (dcState->oldFont)
        SelectObject(dc, dcState->oldFont);
    if (dcState->oldBitmap) {
        SelectObject(dc, dcState->oldBitmap);
        DeleteDC(dc);
    }
    // The pool is gone only after library shut-down, and with it every record.
    if (g_statePool)
        g_statePool->Remove(dcState, nullptr, nullptr);
    dcState = nullptr;
    pen = nullptr;
    brush = nullptr;
    font = nullptr;
}

void KReleaseCanvasPool()
{
    delete g_statePool;
    g_statePool = nullptr;
}

// ---- Pen, brush, font ------------------------------------------------------------------------

void CKCanvas::SetTextColor(KColor color)
{
    if (dcState)
        ::SetTextColor(dcState->hdc, color & KCOLOR_RGB);
}

void CKCanvas::SelectFont(CKFont* newFont)
{
    if (!dcState || !newFont || newFont == font)
        return;
    if (newFont->GetHandle())
        SelectObject(dcState->hdc, newFont->GetHandle());
    font = newFont;
}

void CKCanvas::SelectDefaultFont()
{
    SelectFont(GetDefaultFont());
}

void CKCanvas::SetBrushColor(KColor color)
{
    if (!dcState || !brush || brush->GetColor() == color)
        return;
    // A selected brush cannot be deleted: park the null brush while re-creating.
    SelectObject(dcState->hdc, GetNullBrush());
    brush->Create(KBRUSH_SOLID, color);
    SelectObject(dcState->hdc, brush->GetHandle());
}

void CKCanvas::SetPen(KColor color, int width)
{
    if (!dcState || !pen || (pen->GetColor() == color && pen->GetWidth() == width))
        return;
    SelectObject(dcState->hdc, GetNullPen());
    pen->Create(KPEN_SOLID, width, color);
    SelectObject(dcState->hdc, pen->GetHandle());
}

bool CKCanvas::GetClipBox(RECT* rect) const
{
    if (!dcState || !rect)
        return false;
    const int region = ::GetClipBox(dcState->hdc, rect);
    return region == SIMPLEREGION || region == COMPLEXREGION;
}

// ---- Text ------------------------------------------------------------------------------------

int CKCanvas::MeasureText(const CKFont* measured, const wchar_t* text, int length, SIZE* size)
{
    if (!size)
        return 0;
    size->cx = 0;
    size->cy = 0;
    HDC dc = GetBackBufferDC();
    if (!dc || !measured || !measured->GetHandle() || !text)
        return 0;
    if (length < 0)
        length = KStrLenW(text);
    HGDIOBJ old = SelectObject(dc, measured->GetHandle());
    BOOL done = GetTextExtentPoint32W(dc, text, length, size);
    SelectObject(dc, old);
    return done ? 1 : 0;
}

int CKCanvas::MeasureAdvances(const CKFont* measured, const wchar_t* text, int length,
                              int* advances)
{
    HDC dc = GetBackBufferDC();
    if (!dc || !measured || !measured->GetHandle() || !text || length < 0 || !advances)
        return 0;
    HGDIOBJ old = SelectObject(dc, measured->GetHandle());
    BOOL measuredAll = TRUE;
    for (int start = 0; start < length && measuredAll;) {
        int count = length - start < MEASURE_PIECE ? length - start : MEASURE_PIECE;
        // A piece never ends between the halves of a surrogate pair.
        if (start + count < length && count > 1 && text[start + count] >= 0xDC00
            && text[start + count] <= 0xDFFF)
            --count;
        SIZE size;
        int* extents = advances + start;
        // The extents come back cumulative: character i ends at extents[i].
        measuredAll = GetTextExtentExPointW(dc, text + start, count, 0, nullptr, extents, &size);
        for (int i = count - 1; i > 0; --i)
            extents[i] -= extents[i - 1];
        start += count;
    }
    SelectObject(dc, old);
    return measuredAll ? 1 : 0;
}

int CKCanvas::MeasureLines(const CKFont* measured, const wchar_t* text, int length, int maxWidth,
                           SIZE* size)
{
    if (!size)
        return 0;
    size->cx = 0;
    size->cy = 0;
    if (!measured || !measured->GetHandle() || !text)
        return 0;
    if (length < 0)
        length = KStrLenW(text);
    KCharWidths widths(measured, text, length);
    if (length > 0 && !widths.Get())
        return 0;
    KTextLine lines[KTEXT_MAX_LINES];
    const int count = KBreakLines(text, length, widths.Get(), maxWidth, lines);
    size->cx = WidestLine(lines, count);
    size->cy = count * measured->GetPixelHeight();
    return 1;
}

int CKCanvas::GetTextExtent(const wchar_t* text, int length, SIZE* size) const
{
    return MeasureText(font, text, length, size);
}

int CKCanvas::GetTextWidth(const wchar_t* text, int length) const
{
    SIZE size;
    MeasureText(font, text, length, &size);
    return size.cx;
}

void CKCanvas::TextOut(int x, int y, const wchar_t* text, int length)
{
    if (!dcState || !text)
        return;
    if (length < 0)
        length = KStrLenW(text);
    SetBkMode(dcState->hdc, TRANSPARENT);
    ExtTextOutW(dcState->hdc, x, y, 0, nullptr, text, (UINT)length, nullptr);
}

int CKCanvas::DrawText(const wchar_t* text, int length, const RECT& rect, unsigned int flags)
{
    if (!dcState || !text || !font || !font->GetHandle())
        return 0;
    if (length < 0)
        length = KStrLenW(text);
    SetBkMode(dcState->hdc, TRANSPARENT);
    if (flags & KDT_MULTILINE)
        return DrawLines(text, length, rect, flags);
    return DrawSingleLine(text, length, rect, flags);
}

int CKCanvas::DrawSingleLine(const wchar_t* text, int length, const RECT& rect, unsigned int flags)
{
    SIZE whole;
    MeasureText(font, text, length, &whole);
    int width = whole.cx;
    // Drawn as two runs side by side: the text alone, or the kept part and "..." in their order.
    const wchar_t* first = text;
    int firstCount = length;
    int firstWidth = width;
    const wchar_t* second = nullptr;
    int secondCount = 0;
    const int room = rect.right - rect.left;
    if ((flags & (KDT_START_ELLIPSIS | KDT_END_ELLIPSIS)) && width > room) {
        KCharWidths widths(font, text, length);
        if (widths.Get()) {
            SIZE dots;
            MeasureText(font, ELLIPSIS, ELLIPSIS_LENGTH, &dots);
            int kept = 0;
            if (flags & KDT_START_ELLIPSIS) {
                const int count = KFitTail(widths.Get(), length, room - dots.cx, &kept);
                first = ELLIPSIS;
                firstCount = ELLIPSIS_LENGTH;
                firstWidth = dots.cx;
                second = text + length - count;
                secondCount = count;
            } else {
                firstCount = KFitHead(widths.Get(), length, room - dots.cx, &kept);
                firstWidth = kept;
                second = ELLIPSIS;
                secondCount = ELLIPSIS_LENGTH;
            }
            width = kept + dots.cx;
        }
    }
    const int x = Align(rect.left, rect.right, width, flags, KDT_LEFT, KDT_RIGHT);
    const int y = Align(rect.top, rect.bottom, whole.cy, flags, KDT_TOP, KDT_BOTTOM);
    TextOut(x, y, first, firstCount);
    if (second)
        TextOut(x + firstWidth, y, second, secondCount);
    return PackSize(width, whole.cy);
}

int CKCanvas::DrawLines(const wchar_t* text, int length, const RECT& rect, unsigned int flags)
{
    KCharWidths widths(font, text, length);
    if (length > 0 && !widths.Get())
        return 0;
    KTextLine lines[KTEXT_MAX_LINES];
    const int count = KBreakLines(text, length, widths.Get(), rect.right - rect.left, lines);
    const int lineHeight = font->GetPixelHeight();
    const int total = count * lineHeight;
    const int used = WidestLine(lines, count);
    int y = Align(rect.top, rect.bottom, total, flags, KDT_TOP, KDT_BOTTOM);
    for (int i = 0; i < count; ++i, y += lineHeight) {
        if (lines[i].width < 1)
            continue;
        const int x = Align(rect.left, rect.right, lines[i].width, flags, KDT_LEFT, KDT_RIGHT);
        TextOut(x, y, text + lines[i].start, lines[i].count);
    }
    return PackSize(used, total);
}

// ---- Fills -----------------------------------------------------------------------------------

void CKCanvas::PaintFace(const RECT& rect, const KFace& face, unsigned int flags, int borderWidth)
{
    if (!dcState)
        return;
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    const KColor borderColor = pen ? pen->GetColor() : KCOLOR_BLACK;
    KFaceRender painted;
    if (!KRenderFace(w, h, face, flags, borderWidth, borderColor, &painted) || painted.transparent)
        return;
    HDC source = SelectImageDC(KIMAGE_DC_SOURCE, painted.image);
    if (source) {
        if (painted.opaque && 2 * painted.cornerW <= w && 2 * painted.cornerH <= h)
            BlitOpaqueFace(rect, source, painted);
        else
            Blit(rect.left, rect.top, w, h, source, painted.image, 0, 0);
    }
    SelectImageDC(KIMAGE_DC_SOURCE, nullptr);
}

// Blending an opaque pixel is copying it, and the platform copies far faster than it blends: only
// the rounded corner boxes, where the curve leaves pixels transparent or partly covered, are
// blended; the rest of the face is copied in three bands. The pixels are those one blend of the
// whole face would give.
void CKCanvas::BlitOpaqueFace(const RECT& rect, HDC source, const KFaceRender& painted)
{
    HDC dc = dcState->hdc;
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    const int cw = painted.cornerW;
    const int ch = painted.cornerH;
    if (!painted.corners || !cw || !ch) {
        BitBlt(dc, rect.left, rect.top, w, h, source, 0, 0, SRCCOPY);
        return;
    }
    // Each band spans the width between its rounded corners.
    const struct
    {
        unsigned int leftCorner, rightCorner;
        int top;
    } bands[2] = {{KCORNER_TOPLEFT, KCORNER_TOPRIGHT, 0},
                  {KCORNER_BOTTOMLEFT, KCORNER_BOTTOMRIGHT, h - ch}};
    for (const auto& band : bands) {
        const int left = (painted.corners & band.leftCorner) ? cw : 0;
        const int right = (painted.corners & band.rightCorner) ? w - cw : w;
        if (right > left)
            BitBlt(dc, rect.left + left, rect.top + band.top, right - left, ch, source, left,
                   band.top, SRCCOPY);
        if (left)
            Blit(rect.left, rect.top + band.top, cw, ch, source, painted.image, 0, band.top);
        if (right < w)
            Blit(rect.left + right, rect.top + band.top, cw, ch, source, painted.image, right,
                 band.top);
    }
    if (h > 2 * ch)
        BitBlt(dc, rect.left, rect.top + ch, w, h - 2 * ch, source, 0, ch, SRCCOPY);
}

void CKCanvas::FillRect(const RECT& rect)
{
    FillRoundRect(rect, 0, 0, 0);
}

void CKCanvas::FillRect(int x, int y, int w, int h)
{
    const RECT rect = {x, y, x + w, y + h};
    FillRoundRect(rect, 0, 0, 0);
}

void CKCanvas::FillRoundRect(const RECT& rect, int roundW, int roundH, unsigned int corners)
{
    const KColor color = brush ? brush->GetColor() : KCOLOR_BLACK;
    const KFace face = {(unsigned int)KFILL_SOLID << KFACE_MODE_SHIFT, roundW, roundH,
                        {color, 0, 0, 0}};
    PaintFace(rect, face, face.flags | (corners & KCORNER_ALL), 0);
}

void CKCanvas::FillFace(const RECT& rect, const KFace& face, unsigned int extraFlags)
{
    PaintFace(rect, face, face.flags | extraFlags, pen ? pen->GetWidth() : 0);
}

void CKCanvas::FillFaceNoBorder(const RECT& rect, const KFace& face, unsigned int extraFlags)
{
    PaintFace(rect, face, face.flags | extraFlags, 0);
}

// ---- Images ----------------------------------------------------------------------------------

void CKCanvas::Blit(int x, int y, int w, int h, HDC source, const CKImage* image, int srcX,
                    int srcY)
{
    if (image->GetBitsPerPixel() == 32) {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dcState->hdc, x, y, w, h, source, srcX, srcY, w, h, blend);
    } else {
        BitBlt(dcState->hdc, x, y, w, h, source, srcX, srcY, SRCCOPY);
    }
}

void CKCanvas::DrawImage(int x, int y, int w, int h, const CKImage* image, int srcX, int srcY)
{
    if (!dcState || !image || !image->GetBitmap())
        return;
    // AlphaBlend refuses a source reaching outside the image: clip it, moving the destination.
    if (srcX < 0) {
        x -= srcX;
        w += srcX;
        srcX = 0;
    }
    if (srcY < 0) {
        y -= srcY;
        h += srcY;
        srcY = 0;
    }
    if (w > image->GetWidth() - srcX)
        w = image->GetWidth() - srcX;
    if (h > image->GetHeight() - srcY)
        h = image->GetHeight() - srcY;
    if (w < 1 || h < 1)
        return;
    HDC source = SelectImageDC(KIMAGE_DC_SOURCE, image);
    if (source)
        Blit(x, y, w, h, source, image, srcX, srcY);
    SelectImageDC(KIMAGE_DC_SOURCE, nullptr);
}

void CKCanvas::StretchImage(int x, int y, int w, int h, const CKImage* image, int srcX, int srcY,
                            int srcW, int srcH)
{
    if (!dcState || !image || !image->GetBitmap())
        return;
    HDC source = SelectImageDC(KIMAGE_DC_SOURCE, image);
    if (source) {
        if (image->GetBitsPerPixel() == 32) {
            BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            AlphaBlend(dcState->hdc, x, y, w, h, source, srcX, srcY, srcW, srcH, blend);
        } else {
            StretchBlt(dcState->hdc, x, y, w, h, source, srcX, srcY, srcW, srcH, SRCCOPY);
        }
    }
    SelectImageDC(KIMAGE_DC_SOURCE, nullptr);
}

void CKCanvas::TileImage(int x, int y, int w, int h, const CKImage* image, int srcX, int srcY,
                         int cellW, int cellH)
{
    if (!dcState || !image || !image->GetBitmap())
        return;
    if (cellW < 1 || cellH < 1) {
        srcX = 0;
        srcY = 0;
        cellW = image->GetWidth();
        cellH = image->GetHeight();
    }
    HDC source = SelectImageDC(KIMAGE_DC_SOURCE, image);
    if (source) {
        for (int top = y; top < y + h; top += cellH) {
            const int tileH = y + h - top < cellH ? y + h - top : cellH;
            for (int left = x; left < x + w; left += cellW) {
                const int tileW = x + w - left < cellW ? x + w - left : cellW;
                Blit(left, top, tileW, tileH, source, image, srcX, srcY);
            }
        }
    }
    SelectImageDC(KIMAGE_DC_SOURCE, nullptr);
}

void CKCanvas::DrawImageCell(int x, int y, const CKImgList* imgList, int index)
{
    RECT cell;
    if (!imgList || !imgList->GetCellRect(index, &cell))
        return;
    DrawImage(x, y, cell.right - cell.left, cell.bottom - cell.top, imgList, cell.left, cell.top);
}
