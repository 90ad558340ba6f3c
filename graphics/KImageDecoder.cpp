// GDI+ start-up under the library's one lock, and decoding into premultiplied 32-bit DIB sections.
//
// The decoded picture is drawn with source-copy compositing into a GDI+ bitmap of format PARGB
// that wraps the DIB section's own pixels (top row first, through a negative stride): GDI+ then
// writes exactly the premultiplied B, G, R, A bytes the canvas blends. Drawing through a GDI
// device context instead would treat the DIB as opaque RGB.
#include "graphics/KImageDecoder.h"

#include <algorithm>
// The platform's GDI+ headers expect min and max in their namespace.
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

#include "foundation/KMemoryStream.h"
#include "foundation/KResource.h"
#include "graphics/CKImage.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// The library's only lock: GDI+ start-up and shut-down may be asked for by several modules.
CRITICAL_SECTION g_lock;
bool g_lockReady;
ULONG_PTR g_imageToken;   // the image module's GDI+ token; 0 when not started

// Draws `decoded` at its full size into `image`, made 32-bit of the same size; 1 on success.
int DrawDecoded(CKImage* image, GpBitmap* decoded)
{
    UINT width = 0;
    UINT height = 0;
    if (GdipGetImageWidth(decoded, &width) != Ok || GdipGetImageHeight(decoded, &height) != Ok)
        return 0;
    // Create refuses an empty or absurdly large picture.
    if (width > (UINT)KIMG_MAX_SIDE || height > (UINT)KIMG_MAX_SIDE ||
        !image->Create((int)width, (int)height, 32))
        return 0;
    GpBitmap* target = nullptr;
    if (GdipCreateBitmapFromScan0((INT)width, (INT)height, -image->GetStride(),
                                  PixelFormat32bppPARGB, image->GetRow(0), &target) != Ok)
        return 0;
    int result = 0;
    GpGraphics* graphics = nullptr;
    if (GdipGetImageGraphicsContext(target, &graphics) == Ok) {
        if (GdipSetCompositingMode(graphics, CompositingModeSourceCopy) == Ok &&
            GdipDrawImageRectI(graphics, decoded, 0, 0, (INT)width, (INT)height) == Ok)
            result = 1;
        GdipDeleteGraphics(graphics);
    }
    GdipDisposeImage(target);
    return result;
}

// Takes over `decoded` (disposed here); empties the image on failure.
int Finish(CKImage* image, GpBitmap* decoded, GpStatus status)
{
    int result = 0;
    if (status == Ok && decoded)
        result = DrawDecoded(image, decoded);
    if (decoded)
        GdipDisposeImage(decoded);
    if (!result)
        image->Destroy();
    return result;
}

} // namespace

void KInitImageDecoder()
{
    if (!g_lockReady) {
        InitializeCriticalSection(&g_lock);
        g_lockReady = true;
    }
    if (!g_imageToken)
        KGdiplusStartup(&g_imageToken);
}

void KTermImageDecoder()
{
    if (!g_lockReady)
        return;
    KGdiplusShutdown(&g_imageToken);
    DeleteCriticalSection(&g_lock);
    g_lockReady = false;
}

int KGdiplusStartup(ULONG_PTR* token)
{
    if (!g_lockReady)
        return 0;
    GdiplusStartupInput input;
    EnterCriticalSection(&g_lock);
    GpStatus status = GdiplusStartup(token, &input, nullptr);
    LeaveCriticalSection(&g_lock);
    if (status != Ok) {
        *token = 0;
        return 0;
    }
    return 1;
}

void KGdiplusShutdown(ULONG_PTR* token)
{
    if (!g_lockReady || !*token)
        return;
    EnterCriticalSection(&g_lock);
    GdiplusShutdown(*token);
    LeaveCriticalSection(&g_lock);
    *token = 0;
}

int KDecodeImageFile(CKImage* image, const wchar_t* path)
{
    GpBitmap* decoded = nullptr;
    GpStatus status = GdipCreateBitmapFromFile(path, &decoded);
    return Finish(image, decoded, status);
}

int KDecodeImageStream(CKImage* image, IStream* stream)
{
    GpBitmap* decoded = nullptr;
    GpStatus status = GdipCreateBitmapFromStream(stream, &decoded);
    return Finish(image, decoded, status);
}

int KDecodeImageResource(CKImage* image, HRSRC resource)
{
    HINSTANCE module = GetResInstance();
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    void* bytes = loaded ? LockResource(loaded) : nullptr;
    DWORD size = resource ? SizeofResource(module, resource) : 0;
    KMemoryStream* stream = nullptr;
    if (!bytes || !size || !CreateMemoryStream(&stream, bytes, size)) {
        image->Destroy();
        return 0;
    }
    // The stream only reads the resource's bytes; its creator deletes it (see KStream).
    int result = KDecodeImageStream(image, stream);
    delete stream;
    return result;
}
