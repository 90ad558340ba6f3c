// CKFont: a GDI font made from a size in base units and style flags, and the process-wide font
// cache that creates each (size, style) once and keeps it until library shut-down.
//
// Cache rules: the cache holds one reference on every font it contains and never evicts one
// before shut-down; GetFont hands out borrowed pointers (AddRef to keep one). The default font
// keeps one more reference of its own.
#pragma once
#include <windows.h>

#include "foundation/CKObject.h"

// Style bits of a font key (the low 16 bits hold the size x 100).
constexpr int KFONT_BOLD = 0x10000;
constexpr int KFONT_UNDERLINE = 0x20000;
constexpr int KFONT_ITALIC = 0x40000;

class CKFont : public CKObject
{
    K_DECLARE_DYNCREATE(CKFont)
public:
    CKFont() = default;
    ~CKFont() override;

    // (Re-)creates the font: pixelHeight = `size` (base units) in pixels, rounded; character
    // height -pixelHeight, weight 700 when bold else 400, DEFAULT_CHARSET; the face is
    // `faceName`, or when none the caption font's face. Returns 1.
    int Create(float size, int bold, int underline, int italic, const wchar_t* faceName);
    // Deletes the handle and clears the fields.
    void Destroy();

    // None when the font could not be made: it then measures and draws nothing.
    HFONT GetHandle() const { return hfont; }
    int GetKey() const { return key; }
    // The character height in pixels: the line height of text layout.
    int GetPixelHeight() const { return pixelHeight; }

    // size x 100 truncated toward zero, | KFONT_BOLD, KFONT_UNDERLINE, KFONT_ITALIC.
    static int MakeKey(float size, int bold, int underline, int italic);

private:
    HFONT hfont = nullptr;   // owned
    int key = 0;
    int pixelHeight = 0;
};

// The cached font for the key of (size, bold, underline, italic), created on first request with
// the caption font's face; none when memory ran out or outside the library's lifetime.
CKFont* GetFont(float size, int bold, int underline, int italic);
// The font of the normal level (FontSize), created once and kept with its own reference.
CKFont* GetDefaultFont();
// The font of the small level (FontSizeSmall).
CKFont* GetSmallFont();
// Number of cached fonts.
int GetFontCacheCount();

// Drawing module steps: the empty cache at start-up; at shut-down first the default font's own
// reference, later every cached font and the cache.
void KInitFontCache();
void ReleaseDefaultFont();
void ReleaseFontCache();
