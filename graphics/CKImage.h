// CKImage: a decoded picture held as a device-independent bitmap (DIB section), loaded from a loose
// file or an "APPRES" resource in the density variant that fits the screen, then rescaled so that
// it has the same physical size at every density. Image lists (CKImgList) cut one into cells; the
// process-wide cache that shares them is in graphics/KImageCache.h.
#pragma once
#include <windows.h>

#include "foundation/CKObject.h"

// Image flags. Bits 8-15: the density variant the pixels were authored for (also the density
// requests of Load and ScaleForDensity); bits 0-7: the Density the image has been scaled to.
constexpr unsigned int KIMG_LD = 0x100;     // "ld": authored for density 2; the plain name
constexpr unsigned int KIMG_MD = 0x200;     // "md": density 3; suffix "MD" or "-md"
constexpr unsigned int KIMG_HD = 0x400;     // "hd": density 4; suffix "HD" or "-hd"
constexpr unsigned int KIMG_AUTO = 0x800;   // "auto": the variant found decides
constexpr unsigned int KIMG_XHD = 0x1000;   // "xhd": density 6; suffix "XHD" or "-xhd"
constexpr unsigned int KIMG_XXHD = 0x2000;  // "xxhd": density 8; suffix "XXHD" or "-xxhd"
constexpr unsigned int KIMG_NOSCALE = 0x8000;         // do not scale after loading
constexpr unsigned int KIMG_VARIANT_MASK = 0xFF00;    // the density bits above
constexpr unsigned int KIMG_SCALED_MASK = 0x00FF;     // the Density scaled to; 0 = not yet

// Picture format codes of Load. The decoder recognises the format from the data, so the code
// never changes the result; KIMG_TYPE_AUTO stands for "as the extension says".
constexpr int KIMG_TYPE_AUTO = -1;
constexpr int KIMG_TYPE_OTHER = 0;
constexpr int KIMG_TYPE_BMP = 1;
constexpr int KIMG_TYPE_PNG = 2;
constexpr int KIMG_TYPE_JPG = 3;
constexpr int KIMG_TYPE_GIF = 4;

// Largest width or height, and largest number of pixels (64 MiB at 32 bits), Create accepts: room
// for long icon strips at any density, while a hostile picture (a small file that decodes to
// gigabytes, such as 8000 x 8000) is refused. Sides this small also keep the resampler's 16.16
// positions within 32 bits.
constexpr int KIMG_MAX_SIDE = 16384;
constexpr int KIMG_MAX_PIXELS = 16 * 1024 * 1024;

// Rows are bottom-up in memory (the first row in memory is the bottom row of the picture) and
// padded to a multiple of 4 bytes. A 32-bit pixel is the bytes B, G, R, A, premultiplied by A
// (what AlphaBlend with per-pixel alpha expects); decoded images are always 32-bit.
//
// Ownership: an image owns its bitmap. Images handed out by the cache are counted (see
// graphics/KImageCache.h); others belong to their creator.
class CKImage : public CKObject
{
    K_DECLARE_DYNCREATE(CKImage)
public:
    CKImage() = default;
    ~CKImage() override;

    // Replaces the bitmap with a DIB section of width x height (1..KIMG_MAX_SIDE each, at most
    // KIMG_MAX_PIXELS) at `bitsPerPixel` (16, 24 or 32) whose pixels are all zero (32 bits: bit-field masks red 0xFF0000, green
    // 0xFF00, blue 0xFF). Flags are kept. 1 on success; 0 leaves the image empty.
    virtual int Create(int width, int height, int bitsPerPixel);
    // Deletes the bitmap and clears every field, flags included.
    virtual void Destroy();
    // Rescales the pixels from the density they were authored for (the first of KIMG_LD, MD, HD,
    // XHD, XXHD in `densityFlags`, or with KIMG_AUTO the image's own variant bits) to the current
    // Density, once: 0 when there is no bitmap or the image was scaled already, else 1 (or the
    // result of Resize when the size changes).
    virtual int ScaleForDensity(unsigned int densityFlags);

    // Decodes a picture into this image (see the .cpp for the search): a relative path is tried
    // as a loose file under AppResDir, then as an "APPRES" resource; an absolute path as it is.
    // With KIMG_AUTO the density variant is searched and its bit recorded, else the request's
    // density bits are recorded. `type` is a KIMG_TYPE_* code. 1 on success; 0 leaves it empty.
    int Load(const wchar_t* path, int type, unsigned int flags);

    // Any of the three may be omitted.
    void GetSize(int* width, int* height, int* bitsPerPixel) const;
    // Scales the source rectangle into the destination rectangle, each clipped to its image.
    // Both images need a bitmap and the same depth (else 0). 32-bit images use KResampleBilinear,
    // others the platform stretch in half-tone mode. Returns 1.
    int StretchFrom(int dx, int dy, int dw, int dh, const CKImage* source, int sx, int sy, int sw,
                    int sh);
    // Copies a w x h rectangle row by row, clipped to both images; same depth required (else 0).
    int CopyFrom(int dx, int dy, int w, int h, const CKImage* source, int sx, int sy);
    // Stretches the whole picture into a new bitmap of width x height that replaces the old one;
    // flags are kept. 1 on success; 0 leaves the image as it was.
    int Resize(int width, int height);

    HBITMAP GetBitmap() const { return bitmap; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    int GetBitsPerPixel() const { return bitsPerPixel; }
    unsigned int GetFlags() const { return flags; }
    // Bytes from one memory row to the next.
    int GetStride() const;
    // The first byte of picture row y (0 = top), or none without a bitmap.
    unsigned char* GetRow(int y) const;

protected:
    // The factor ScaleForDensity applies for `densityFlags` (see there); false when there is no
    // bitmap, the image was scaled already or no density bit applies.
    bool GetDensityFactor(unsigned int densityFlags, int* numerator, int* denominator) const;

private:
    // Decodes the resource `path` names (variant search with KIMG_AUTO).
    int LoadFromResource(const wchar_t* path, unsigned int requestFlags);

    HBITMAP bitmap = nullptr;        // owned: the DIB section, or none
    unsigned char* bits = nullptr;   // borrowed from `bitmap`: the bottom row's first byte
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    unsigned int flags = 0;          // KIMG_* variant bits | the Density scaled to
};

// The two process-wide memory device contexts through which an image's bitmap is drawn from or
// stretched into; created on first use, deleted by the image module's shut-down step.
constexpr int KIMAGE_DC_SOURCE = 0;   // the image read by a blit or stretch
constexpr int KIMAGE_DC_TARGET = 1;   // the image written by a stretch

// Selects the image's bitmap into memory DC `which` and returns the DC (none when it cannot be
// created, or for an image without bitmap). Selecting none puts the DC's previous bitmap back:
// always do so after the blit, because a bitmap can be selected into one DC only and a
// selected bitmap cannot be deleted.
HDC SelectImageDC(int which, const CKImage* image);
// Deletes both DCs; part of the image module's shut-down.
void DeleteImageDCs();
