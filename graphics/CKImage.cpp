// CKImage: DIB sections, loading with the density variant search, density scaling, stretching and
// copying; and the two process-wide memory DCs images are selected into.
//
// Loading (Load):
//   1. Destroy.
//   2. A relative path's disk candidate is AppResDir + path. With KIMG_AUTO the variant search
//      runs on disk and its bit is recorded; the image was found on disk when the flags are then
//      non-zero. Otherwise it was found when the candidate exists, and the request's density
//      bits are recorded. Not found on disk: the resource is loaded instead (LoadFromResource).
//   3. An absolute path is the candidate itself, with the variant search under KIMG_AUTO.
//   4. The candidate is decoded (graphics/KImageDecoder.h).
// Resources are named after the path ('/' and '\' become '_'); with KIMG_AUTO the variant
// search runs over the resources, otherwise the plain name is looked up and, when found, the
// request's density bits are recorded.
#include "graphics/CKImage.h"

#include <cstddef>
#include <cstring>

#include "foundation/CKFile.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KPaths.h"
#include "foundation/KResource.h"
#include "foundation/KText.h"
#include "graphics/KImageDecoder.h"
#include "graphics/KImageVariant.h"
#include "graphics/KResample.h"

K_IMPLEMENT_DYNCREATE(CKImage, CKObject)

namespace {

// Bit-field masks of 32-bit DIB sections: B, G, R, A bytes in memory.
constexpr DWORD RED_MASK = 0xFF0000;
constexpr DWORD GREEN_MASK = 0xFF00;
constexpr DWORD BLUE_MASK = 0xFF;

// A BITMAPINFO with room for the three bit-field masks.
struct KBitmapInfo
{
    BITMAPINFOHEADER header;
    DWORD masks[3];
};

// The densities the variant bits are authored for, first bit first.
struct KAuthoredDensity
{
    unsigned int flag;
    int density;
};
const KAuthoredDensity AUTHORED_DENSITIES[] = {
    {KIMG_LD, 2}, {KIMG_MD, 3}, {KIMG_HD, 4}, {KIMG_XHD, 6}, {KIMG_XXHD, 8},
};

constexpr int IMAGE_DC_COUNT = 2;
HDC g_imageDCs[IMAGE_DC_COUNT];              // owned: the memory DCs, created on first use
HGDIOBJ g_originalBitmaps[IMAGE_DC_COUNT];   // borrowed: the bitmap each DC was created with

int DiskEntryExists(const wchar_t* name)
{
    return CKFile::Exists(name);
}

int ResourceEntryExists(const wchar_t* name)
{
    return CKFile::ResourceExists(name);
}

// Clips a span [start, start + length) to [0, limit); false when nothing is left.
bool ClipSpan(int* start, int* length, int limit)
{
    if (*start < 0) {
        *length += *start;
        *start = 0;
    }
    if (*length > limit - *start)
        *length = limit - *start;
    return *length > 0;
}

} // namespace

CKImage::~CKImage()
{
    Destroy();
}

int CKImage::GetStride() const
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

unsigned char* CKImage::GetRow(int y) const
{
    if (!bits)
        return nullptr;
    return bits + (ptrdiff_t)(height - 1 - y) * GetStride();
}

int CKImage::Create(int newWidth, int newHeight, int newBitsPerPixel)
{
    unsigned int keptFlags = flags;
    Destroy();
    flags = keptFlags;
    if (newWidth < 1 || newHeight < 1 || newWidth > KIMG_MAX_SIDE || newHeight > KIMG_MAX_SIDE ||
        (long long)newWidth * newHeight > KIMG_MAX_PIXELS)
        return 0;
    if (newBitsPerPixel != 16 && newBitsPerPixel != 24 && newBitsPerPixel != 32)
        return 0;
    KBitmapInfo info;
    memset(&info, 0, sizeof(info));
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = newWidth;
    info.header.biHeight = newHeight;   // positive: bottom-up
    info.header.biPlanes = 1;
    info.header.biBitCount = (WORD)newBitsPerPixel;
    info.header.biCompression = BI_RGB;
    if (newBitsPerPixel == 32) {
        info.header.biCompression = BI_BITFIELDS;
        info.masks[0] = RED_MASK;
        info.masks[1] = GREEN_MASK;
        info.masks[2] = BLUE_MASK;
    }
    void* pixels = nullptr;
    // Section memory starts zeroed: every pixel is transparent black.
    HBITMAP created = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                       DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!created || !pixels) {
        if (created)
            DeleteObject(created);
        return 0;
    }
    bitmap = created;
    bits = static_cast<unsigned char*>(pixels);
    width = newWidth;
    height = newHeight;
    bitsPerPixel = newBitsPerPixel;
    return 1;
}

void CKImage::Destroy()
{
    if (bitmap)
        DeleteObject(bitmap);
    bitmap = nullptr;
    bits = nullptr;
    width = 0;
    height = 0;
    bitsPerPixel = 0;
    flags = 0;
}

bool CKImage::GetDensityFactor(unsigned int densityFlags, int* numerator, int* denominator) const
{
    if (!bitmap || (flags & KIMG_SCALED_MASK))
        return false;
    unsigned int authored = (densityFlags & KIMG_AUTO) ? (flags & KIMG_VARIANT_MASK) : densityFlags;
    for (const KAuthoredDensity& entry : AUTHORED_DENSITIES) {
        if (authored & entry.flag) {
            *numerator = GetDevMetric(Density);
            *denominator = entry.density;
            return true;
        }
    }
    return false;
}

int CKImage::ScaleForDensity(unsigned int densityFlags)
{
    if (!bitmap || (flags & KIMG_SCALED_MASK))
        return 0;
    int numerator = 0;
    int denominator = 1;
    if (!GetDensityFactor(densityFlags, &numerator, &denominator))
        return 1;
    flags = (flags & ~KIMG_SCALED_MASK) | ((unsigned int)numerator & KIMG_SCALED_MASK);
    const int newWidth = width * numerator / denominator;
    const int newHeight = height * numerator / denominator;
    if (newWidth == width && newHeight == height)
        return 1;
    return Resize(newWidth, newHeight);
}

int CKImage::Load(const wchar_t* path, int type, unsigned int requestFlags)
{
    // The decoder recognises the format from the data.
    (void)type;
    Destroy();
    if (!path || !*path || KStrLenW(path) >= KMAX_PATH)
        return 0;
    wchar_t file[KMAX_PATH];
    if (!CKFile::IsAbsolute(path)) {
        if (KStrLenW(GetAppResDir()) + KStrLenW(path) >= KMAX_PATH)
            return LoadFromResource(path, requestFlags);
        MakeAppResPath(file, path);
        bool onDisk;
        if (requestFlags & KIMG_AUTO) {
            flags |= FindVariant(file, KMAX_PATH, DiskEntryExists);
            onDisk = flags != 0;
        } else {
            onDisk = DiskEntryExists(file) != 0;
            if (onDisk)
                flags |= requestFlags & KIMG_VARIANT_MASK;
        }
        if (!onDisk)
            return LoadFromResource(path, requestFlags);
    } else {
        KStrCpyW(file, path);
        if (requestFlags & KIMG_AUTO)
            flags |= FindVariant(file, KMAX_PATH, DiskEntryExists);
        else
            flags |= requestFlags & KIMG_VARIANT_MASK;
    }
    return KDecodeImageFile(this, file);
}

int CKImage::LoadFromResource(const wchar_t* path, unsigned int requestFlags)
{
    wchar_t name[KMAX_PATH];
    KStrCpyW(name, path);
    if (requestFlags & KIMG_AUTO) {
        flags = FindVariant(name, KMAX_PATH, ResourceEntryExists);
        if (!flags)
            return 0;
    } else if (CKFile::ResourceExists(name)) {
        flags = requestFlags & KIMG_VARIANT_MASK;
    } else {
        return 0;
    }
    // Create keeps the flags; a failed decode clears them with the rest.
    return KDecodeImageResource(this, FindAppResource(name));
}

void CKImage::GetSize(int* outWidth, int* outHeight, int* outBitsPerPixel) const
{
    if (outWidth)
        *outWidth = width;
    if (outHeight)
        *outHeight = height;
    if (outBitsPerPixel)
        *outBitsPerPixel = bitsPerPixel;
}

int CKImage::StretchFrom(int dx, int dy, int dw, int dh, const CKImage* source, int sx, int sy,
                         int sw, int sh)
{
    if (!bitmap || !source || !source->bitmap || source->bitsPerPixel != bitsPerPixel)
        return 0;
    if (!ClipSpan(&dx, &dw, width) || !ClipSpan(&dy, &dh, height) ||
        !ClipSpan(&sx, &sw, source->width) || !ClipSpan(&sy, &sh, source->height))
        return 1;
    if (bitsPerPixel == 32) {
        // Top rows first: memory rows run bottom-up, so walk them with negative strides.
        KResampleBilinear(GetRow(dy) + dx * 4, -GetStride(), dw, dh, source->GetRow(sy) + sx * 4,
                          -source->GetStride(), sw, sh);
        return 1;
    }
    HDC target = SelectImageDC(KIMAGE_DC_TARGET, this);
    HDC from = SelectImageDC(KIMAGE_DC_SOURCE, source);
    if (target && from) {
        SetStretchBltMode(target, HALFTONE);
        SetBrushOrgEx(target, 0, 0, nullptr);
        StretchBlt(target, dx, dy, dw, dh, from, sx, sy, sw, sh, SRCCOPY);
    }
    SelectImageDC(KIMAGE_DC_SOURCE, nullptr);
    SelectImageDC(KIMAGE_DC_TARGET, nullptr);
    return 1;
}

int CKImage::CopyFrom(int dx, int dy, int w, int h, const CKImage* source, int sx, int sy)
{
    if (!bitmap || !source || !source->bitmap || source->bitsPerPixel != bitsPerPixel)
        return 0;
    // Shift both origins together so that the rectangles stay aligned while clipping.
    int left = dx < sx ? dx : sx;
    if (left < 0) {
        dx -= left;
        sx -= left;
        w += left;
    }
    int top = dy < sy ? dy : sy;
    if (top < 0) {
        dy -= top;
        sy -= top;
        h += top;
    }
    if (w > width - dx)
        w = width - dx;
    if (w > source->width - sx)
        w = source->width - sx;
    if (h > height - dy)
        h = height - dy;
    if (h > source->height - sy)
        h = source->height - sy;
    if (w < 1 || h < 1)
        return 1;
    const int bytesPerPixel = bitsPerPixel / 8;
    for (int row = 0; row < h; ++row)
        memmove(GetRow(dy + row) + dx * bytesPerPixel,
                source->GetRow(sy + row) + sx * bytesPerPixel, (size_t)w * bytesPerPixel);
    return 1;
}

int CKImage::Resize(int newWidth, int newHeight)
{
    if (!bitmap)
        return 0;
    CKImage scaled;
    if (!scaled.Create(newWidth, newHeight, bitsPerPixel))
        return 0;
    scaled.StretchFrom(0, 0, newWidth, newHeight, this, 0, 0, width, height);
    DeleteObject(bitmap);
    bitmap = scaled.bitmap;
    bits = scaled.bits;
    width = newWidth;
    height = newHeight;
    scaled.bitmap = nullptr;   // now this image's
    scaled.bits = nullptr;
    return 1;
}

HDC SelectImageDC(int which, const CKImage* image)
{
    if (which != KIMAGE_DC_SOURCE && which != KIMAGE_DC_TARGET)
        return nullptr;
    HDC& dc = g_imageDCs[which];
    if (!image) {
        if (dc && g_originalBitmaps[which])
            SelectObject(dc, g_originalBitmaps[which]);
        return dc;
    }
    if (!image->GetBitmap())
        return nullptr;
    if (!dc) {
        dc = CreateCompatibleDC(nullptr);
        if (!dc)
            return nullptr;
        g_originalBitmaps[which] = GetCurrentObject(dc, OBJ_BITMAP);
    }
    SelectObject(dc, image->GetBitmap());
    return dc;
}

void DeleteImageDCs()
{
    for (int which = 0; which < IMAGE_DC_COUNT; ++which) {
        if (!g_imageDCs[which])
            continue;
        SelectObject(g_imageDCs[which], g_originalBitmaps[which]);
        DeleteDC(g_imageDCs[which]);
        g_imageDCs[which] = nullptr;
        g_originalBitmaps[which] = nullptr;
    }
}
