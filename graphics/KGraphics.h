// The drawing module's process-wide objects: the shared back buffer every window paints into and
// text is measured with, the stock null pen and brush, and the module's start-up and shut-down
// steps (which also create and release the font cache, default objects and fill buffers).
#pragma once
#include <windows.h>

// The back buffer: a memory DC compatible with the screen holding a compatible bitmap of the
// logical screen size (CxScreen x CyScreen at start-up). None outside the library's lifetime.
HDC GetBackBufferDC();
// Replaces the back buffer with one of the current CxScreen x CyScreen (the frame window was
// created or the screen resized); windows paint into the new one from then on.
void RecreateBackBuffer();
// GetStockObject(NULL_PEN) and GetStockObject(NULL_BRUSH), taken at start-up.
HPEN GetNullPen();
HBRUSH GetNullBrush();

// Start-up (after the device metrics are read): GDI+ for drawing (its own token), the null pen
// and brush, the back buffer and the empty font cache.
void KInitDrawing(HINSTANCE instance);
// Shut-down, in order: the default font, pen and brush, every cached font and the cache, the
// fill scratch image and corner mask, the canvas state pool, the back buffer (its original bitmap
// selected back, then the DC and the bitmap deleted), and GDI+.
void KTermDrawing();
