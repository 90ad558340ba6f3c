// KColor, the 32-bit colour every painting part of the library uses, and its conversion to the
// premultiplied 32-bit pixels of CKImage that the canvas blends with per-pixel alpha.
#pragma once

// Byte 0 red, byte 1 green, byte 2 blue, byte 3 alpha (255 opaque, 0 fully transparent). The low
// three bytes are laid out as a GDI COLORREF, so text and pen colours pass (color & KCOLOR_RGB).
typedef unsigned int KColor;

// The COLORREF part of a KColor.
constexpr KColor KCOLOR_RGB = 0x00FFFFFF;
// Fully opaque alpha.
constexpr unsigned int KALPHA_OPAQUE = 255;
// Opaque black: the colour of the default pen and brush.
constexpr KColor KCOLOR_BLACK = 0xFF000000;

inline KColor KMakeColor(unsigned int r, unsigned int g, unsigned int b, unsigned int a)
{
    return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16 | (a & 0xFF) << 24;
}

// The pixel a colour becomes in a 32-bit image (memory bytes B, G, R, A; as a value 0xAARRGGBB):
// red and blue swap places and, when alpha is below 255, each of red, green and blue becomes
// c x a / 255 (truncated), so that AlphaBlend with per-pixel alpha draws it as the colour.
inline unsigned int KColorToPixel(KColor color)
{
    unsigned int r = color & 0xFF;
    unsigned int g = (color >> 8) & 0xFF;
    unsigned int b = (color >> 16) & 0xFF;
    unsigned int a = color >> 24;
    if (a < KALPHA_OPAQUE) {
        r = r * a / 255;
        g = g * a / 255;
        b = b * a / 255;
    }
    return b | g << 8 | r << 16 | a << 24;
}
