// CKFont and the font cache (CKMapT<int, CKFont*>, 32 nodes per block, keys compared as integers).
#include "graphics/CKFont.h"

#include "foundation/CKMapT.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KText.h"

K_IMPLEMENT_DYNCREATE(CKFont, CKObject)

namespace {

constexpr int CACHE_NODES_PER_BLOCK = 32;
constexpr LONG WEIGHT_NORMAL = 400;
constexpr LONG WEIGHT_BOLD = 700;

CKMapT<int, CKFont*>* g_fonts;   // owned; holds one reference on each font
CKFont* g_defaultFont;           // counted: its own reference besides the cache's

void ReleaseCachedFont(CKFont** font, void*)
{
    (*font)->Release();
}

} // namespace

CKFont::~CKFont()
{
    Destroy();
}

int CKFont::MakeKey(float size, int bold, int underline, int italic)
{
    int key = (int)(size * 100.0f);
    if (bold)
        key |= KFONT_BOLD;
    if (underline)
        key |= KFONT_UNDERLINE;
    if (italic)
        key |= KFONT_ITALIC;
    return key;
}

int CKFont::Create(float size, int bold, int underline, int italic, const wchar_t* faceName)
{
    Destroy();
    key = MakeKey(size, bold, underline, italic);
    pixelHeight = (int)(ConvertUnits(size, KUNIT_BASE, KUNIT_PIXEL) + 0.5f);
    LOGFONTW font = {};
    font.lfHeight = -pixelHeight;
    font.lfWeight = bold ? WEIGHT_BOLD : WEIGHT_NORMAL;
    font.lfItalic = italic ? TRUE : FALSE;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    if (faceName) {
        KStrNCpyW(font.lfFaceName, faceName, LF_FACESIZE - 1);
    } else {
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            KStrCpyW(font.lfFaceName, metrics.lfCaptionFont.lfFaceName);
    }
    hfont = CreateFontIndirectW(&font);
    return 1;
}

void CKFont::Destroy()
{
    if (hfont)
        DeleteObject(hfont);
    hfont = nullptr;
    key = 0;
    pixelHeight = 0;
}

CKFont* GetFont(float size, int bold, int underline, int italic)
{
    if (!g_fonts)
        return nullptr;
    const int key = CKFont::MakeKey(size, bold, underline, italic);
    CKFont** found = g_fonts->Lookup(key);
    if (found)
        return *found;
    CKFont* font = new CKFont();
    if (!font)
        return nullptr;
    font->Create(size, bold, underline, italic, nullptr);
    if (!g_fonts->SetAt(key, font)) {
        delete font;
        return nullptr;
    }
    font->EnableRefCount();
    font->AddRef();
    return font;
}

CKFont* GetDefaultFont()
{
    if (!g_defaultFont) {
        g_defaultFont = GetFont(GetDevMetricF(FontSize), 0, 0, 0);
        if (g_defaultFont)
            g_defaultFont->AddRef();
    }
    return g_defaultFont;
}

CKFont* GetSmallFont()
{
    return GetFont(GetDevMetricF(FontSizeSmall), 0, 0, 0);
}

int GetFontCacheCount()
{
    return g_fonts ? g_fonts->GetCount() : 0;
}

void KInitFontCache()
{
    if (!g_fonts)
        g_fonts = new CKMapT<int, CKFont*>(&KCompareIntKeys, CACHE_NODES_PER_BLOCK);
}

void ReleaseDefaultFont()
{
    if (g_defaultFont)
        g_defaultFont->Release();
    g_defaultFont = nullptr;
}

void ReleaseFontCache()
{
    if (!g_fonts)
        return;
    g_fonts->RemoveAll(&ReleaseCachedFont, nullptr);
    delete g_fonts;
    g_fonts = nullptr;
}
