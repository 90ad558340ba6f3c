// CKCanvas: the painting context handed to every OnPaint and Draw. It wraps one device context (a
// window's share of the back buffer, or an image) while something paints: the pen, brush and font
// selected into it, text measuring and layout, image blits with per-pixel alpha and the software
// face fills of graphics/KFaceFill.h. All coordinates are pixels relative to the viewport origin.
#pragma once
#include <windows.h>

#include "graphics/KFace.h"

class CKBrush;
class CKFont;
class CKImage;
class CKImgList;
class CKPen;
struct KFaceRender;

// DrawText flags (also the text-alignment bits of drawables).
constexpr unsigned int KDT_LEFT = 0x1;             // align left (neither LEFT nor RIGHT: centred)
constexpr unsigned int KDT_RIGHT = 0x2;            // align right
constexpr unsigned int KDT_TOP = 0x4;              // align top (neither TOP nor BOTTOM: centred)
constexpr unsigned int KDT_BOTTOM = 0x8;           // align bottom
constexpr unsigned int KDT_MULTILINE = 0x100;      // break into lines (graphics/KTextLayout.h)
constexpr unsigned int KDT_END_ELLIPSIS = 0x200;   // single line too wide: cut the end, "..."
constexpr unsigned int KDT_START_ELLIPSIS = 0x400; // single line too wide: "...", cut the start

// What binding changed in a device context, to be put back by Unbind; one record per bound
// canvas from a process-wide pool (CKListT, 63 nodes per block).
struct KUnitItem
{
    HDC hdc;
    HGDIOBJ oldPen;      // the objects selected before binding
    HGDIOBJ oldBrush;
    HGDIOBJ oldFont;
    HGDIOBJ oldBitmap;   // set only when bound to an image: the DC is then the canvas's own
};

// Usually a stack object: bind, paint, unbind (the destructor unbinds). Not a CKObject, not
// copyable. The pen and brush of every canvas are the process-wide default objects, so a colour
// set through one canvas stays in force for later canvases until it is changed again.
class CKCanvas
{
public:
    CKCanvas() = default;
    ~CKCanvas();

    // Binds to a device context and selects the default pen, brush and font into it. 1 on
    // success; a bound canvas is unbound first.
    int Bind(HDC dc);
    // Binds to a memory DC of its own holding the image's bitmap; an origin other than (0, 0)
    // sets the viewport origin to (-x, -y). 0 for an image without bitmap.
    int BindImage(CKImage* image, int x, int y);
    // Selects back what binding replaced and returns the record to the pool; harmless unbound.
    void Unbind();
    // None while unbound.
    HDC GetDC() const;

    // GDI text colour = color & KCOLOR_RGB.
    void SetTextColor(KColor color);
    // Selects the font when it differs from the current one.
    void SelectFont(CKFont* newFont);
    void SelectDefaultFont();
    CKFont* GetFont() const { return font; }
    // Re-creates the (shared default) brush as solid of that colour when its colour differs.
    void SetBrushColor(KColor color);
    // Re-creates the (shared default) pen as solid of that colour and width when either differs.
    void SetPen(KColor color, int width);
    // true when the device context has a clip box; `rect` receives it.
    bool GetClipBox(RECT* rect) const;

    // Draws with transparent background; length -1 means up to the NUL.
    void TextOut(int x, int y, const wchar_t* text, int length);
    // Measured with the canvas font selected into the back buffer DC; 0 (and an empty size) when
    // the font has no handle.
    int GetTextExtent(const wchar_t* text, int length, SIZE* size) const;
    int GetTextWidth(const wchar_t* text, int length) const;
    // Lays out and draws text in `rect` by the KDT_* flags; returns the width used in the low 16
    // bits and the height used in the high 16 bits. Single line: with KDT_END_ELLIPSIS or
    // KDT_START_ELLIPSIS a text wider than the rectangle keeps the characters that fit beside
    // "..." (head, then "..."; or "...", then tail). Multi-line: KBreakLines, the lines stacked
    // by the font's pixel height and aligned one by one; empty lines are skipped but take room.
    int DrawText(const wchar_t* text, int length, const RECT& rect, unsigned int flags);

    // Solid fills with the brush colour through the fill engine, square or with corner radii
    // roundW / 2 and roundH / 2 at the KCORNER_* corners named.
    void FillRect(const RECT& rect);
    void FillRect(int x, int y, int w, int h);
    void FillRoundRect(const RECT& rect, int roundW, int roundH, unsigned int corners);
    // A face (KFace.h) with `extraFlags` (corner and border-side bits) ORed into its flags; the
    // border is drawn with the pen's width and colour. FillFaceNoBorder draws none.
    void FillFace(const RECT& rect, const KFace& face, unsigned int extraFlags);
    void FillFaceNoBorder(const RECT& rect, const KFace& face, unsigned int extraFlags);

    // Image blits: 32-bit images through AlphaBlend (per-pixel alpha, constant alpha 255), other
    // depths through BitBlt / StretchBlt. A missing image or one without bitmap draws nothing.
    void DrawImage(int x, int y, int w, int h, const CKImage* image, int srcX, int srcY);
    void StretchImage(int x, int y, int w, int h, const CKImage* image, int srcX, int srcY,
                      int srcW, int srcH);
    // Repeats the cell at (srcX, srcY) of cellW x cellH (the whole image when either is below 1)
    // over the area row by row, clipping the last column and row.
    void TileImage(int x, int y, int w, int h, const CKImage* image, int srcX, int srcY, int cellW,
                   int cellH);
    // One cell of an image list at (x, y); nothing for an index without cell.
    void DrawImageCell(int x, int y, const CKImgList* imgList, int index);

    // Measures with `font` selected into the back buffer DC; 0 when it has no handle.
    static int MeasureText(const CKFont* font, const wchar_t* text, int length, SIZE* size);
    // The advance width of each of `length` characters (advances[i] for text[i]) with `font`
    // selected into the back buffer DC; the advances of a piece of the text add up to the width
    // MeasureText gives it. 0 when the font has no handle or the platform fails.
    static int MeasureAdvances(const CKFont* font, const wchar_t* text, int length, int* advances);
    // Measures text as DrawText with KDT_MULTILINE lays it out `maxWidth` pixels wide: the widest
    // line by the lines' total height. 0 (and an empty size) when the font has no handle.
    static int MeasureLines(const CKFont* font, const wchar_t* text, int length, int maxWidth,
                            SIZE* size);

    CKCanvas(const CKCanvas&) = delete;
    CKCanvas& operator=(const CKCanvas&) = delete;

private:
    int BindState(HDC dc, HGDIOBJ oldBitmap);
    void PaintFace(const RECT& rect, const KFace& face, unsigned int flags, int borderWidth);
    void BlitOpaqueFace(const RECT& rect, HDC source, const KFaceRender& painted);
    // One blit of w x h pixels from the image's DC at (srcX, srcY); the image DC is selected.
    void Blit(int x, int y, int w, int h, HDC source, const CKImage* image, int srcX, int srcY);
    int DrawSingleLine(const wchar_t* text, int length, const RECT& rect, unsigned int flags);
    int DrawLines(const wchar_t* text, int length, const RECT& rect, unsigned int flags);

    KUnitItem* dcState = nullptr;    // borrowed from the pool while bound
    CKPen* pen = nullptr;            // borrowed: the default pen
    CKBrush* brush = nullptr;        // borrowed: the default brush
    CKFont* font = nullptr;          // borrowed: a cached font
};

// Drawing module shut-down: frees the pool of binding records.
void KReleaseCanvasPool();
