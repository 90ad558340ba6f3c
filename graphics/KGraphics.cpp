// The back buffer, the stock null objects and the drawing module's steps.
#include "graphics/KGraphics.h"

#include "foundation/KDevMetrics.h"
#include "graphics/CKBrush.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFont.h"
#include "graphics/CKPen.h"
#include "graphics/KFaceFill.h"
#include "graphics/KImageDecoder.h"

namespace {

ULONG_PTR g_gdiplusToken;    // the drawing module's GDI+ token
HDC g_backBufferDC;          // owned
HBITMAP g_backBufferBitmap;  // owned; selected into g_backBufferDC
HGDIOBJ g_originalBitmap;    // borrowed: the bitmap the DC was created with
HPEN g_nullPen;              // stock
HBRUSH g_nullBrush;          // stock

void CreateBackBuffer()
{
    HDC screen = GetDC(nullptr);
    g_backBufferDC = CreateCompatibleDC(screen);
    if (g_backBufferDC) {
        g_backBufferBitmap =
            CreateCompatibleBitmap(screen, GetDevMetric(CxScreen), GetDevMetric(CyScreen));
        if (g_backBufferBitmap)
            g_originalBitmap = SelectObject(g_backBufferDC, g_backBufferBitmap);
    }
    if (screen)
        ReleaseDC(nullptr, screen);
}

void DeleteBackBuffer()
{
    if (g_backBufferDC && g_originalBitmap)
        SelectObject(g_backBufferDC, g_originalBitmap);
    if (g_backBufferDC)
        DeleteDC(g_backBufferDC);
    if (g_backBufferBitmap)
        DeleteObject(g_backBufferBitmap);
    g_backBufferDC = nullptr;
    g_backBufferBitmap = nullptr;
    g_originalBitmap = nullptr;
}

} // namespace

HDC GetBackBufferDC()
{
    return g_backBufferDC;
}

void RecreateBackBuffer()
{
    DeleteBackBuffer();
    CreateBackBuffer();
}

HPEN GetNullPen()
{
    return g_nullPen;
}

HBRUSH GetNullBrush()
{
    return g_nullBrush;
}

void KInitDrawing(HINSTANCE)
{
    KGdiplusStartup(&g_gdiplusToken);
    g_nullPen = static_cast<HPEN>(GetStockObject(NULL_PEN));
    g_nullBrush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    CreateBackBuffer();
    KInitFontCache();
}

void KTermDrawing()
{
    ReleaseDefaultFont();
    ReleaseDefaultPen();
    ReleaseDefaultBrush();
    ReleaseFontCache();
    KReleaseFillBuffers();
    KReleaseCanvasPool();
    DeleteBackBuffer();
    KGdiplusShutdown(&g_gdiplusToken);
}
