// Image creation with density scaling, and the image cache (CKMapStrWT, 32 nodes per block).
#include "graphics/KImageCache.h"

#include "foundation/CKMapT.h"
#include "graphics/CKImgList.h"
#include "graphics/KImageDecoder.h"

namespace {

constexpr int CACHE_NODES_PER_BLOCK = 32;

CKMapStrWT<CKImage*>* g_cache;   // owned; holds one reference on each image; created on first use

// A new T loaded from `path`, or none (and nothing left behind) when the load fails.
template <class T>
T* LoadNew(const wchar_t* path, int type, unsigned int flags)
{
    T* image = new T();
    if (image && !image->Load(path, type, flags)) {
        delete image;
        return nullptr;
    }
    return image;
}

void ScaleUnlessFixed(CKImage* image, unsigned int flags)
{
    if (!(flags & KIMG_NOSCALE))
        image->ScaleForDensity(flags & KIMG_VARIANT_MASK);
}

CKImage* Lookup(const wchar_t* path)
{
    if (!g_cache || !path)
        return nullptr;
    CKImage** found = g_cache->Lookup(path);
    return found ? *found : nullptr;
}

// A cached image as a list; none when it was cached as a plain image, which has no cells.
CKImgList* AsImgList(CKImage* cached)
{
    return cached->IsKindOf(K_RUNTIME_CLASS(CKImgList)) ? static_cast<CKImgList*>(cached) : nullptr;
}

// Switches counting on and hands the image to the cache; an image the cache cannot take is
// deleted (none returned), so that nothing outlives the library uncounted.
CKImage* Insert(const wchar_t* path, CKImage* image)
{
    if (!image)
        return nullptr;
    if (!g_cache)
        g_cache = new CKMapStrWT<CKImage*>(CACHE_NODES_PER_BLOCK);
    if (!g_cache || !g_cache->SetAt(path, image)) {
        delete image;
        return nullptr;
    }
    image->EnableRefCount();
    image->AddRef();
    return image;
}

void DeleteCachedImage(CKImage** image, void*)
{
    delete *image;
}

} // namespace

CKImage* CreateImage(const wchar_t* path, int type, unsigned int flags)
{
    CKImage* image = LoadNew<CKImage>(path, type, flags);
    if (image)
        ScaleUnlessFixed(image, flags);
    return image;
}

CKImgList* CreateImgListByCell(int cellWidth, int cellHeight, const wchar_t* path, int type,
                               unsigned int flags)
{
    CKImgList* list = LoadNew<CKImgList>(path, type, flags);
    if (!list)
        return nullptr;
    if (!list->SetCellsBySize(cellWidth, cellHeight, flags)) {
        delete list;
        return nullptr;
    }
    ScaleUnlessFixed(list, flags);
    return list;
}

CKImgList* CreateImgListByGrid(int columns, int rows, const wchar_t* path, int type,
                               unsigned int flags)
{
    CKImgList* list = LoadNew<CKImgList>(path, type, flags);
    if (!list)
        return nullptr;
    if (!list->SetCellsByGrid(columns, rows)) {
        delete list;
        return nullptr;
    }
    ScaleUnlessFixed(list, flags);
    return list;
}

CKImage* GetImage(const wchar_t* path, int type, unsigned int flags)
{
    CKImage* cached = Lookup(path);
    if (cached)
        return cached;
    return Insert(path, CreateImage(path, type, flags));
}

CKImgList* GetImgListByCell(int cellWidth, int cellHeight, const wchar_t* path, int type,
                            unsigned int flags)
{
    CKImage* cached = Lookup(path);
    if (cached)
        return AsImgList(cached);
    return static_cast<CKImgList*>(
        Insert(path, CreateImgListByCell(cellWidth, cellHeight, path, type, flags)));
}

CKImgList* GetImgListByGrid(int columns, int rows, const wchar_t* path, int type,
                            unsigned int flags)
{
    CKImage* cached = Lookup(path);
    if (cached)
        return AsImgList(cached);
    return static_cast<CKImgList*>(
        Insert(path, CreateImgListByGrid(columns, rows, path, type, flags)));
}

int GetImageCacheCount()
{
    return g_cache ? g_cache->GetCount() : 0;
}

void ReleaseImageCache()
{
    if (!g_cache)
        return;
    g_cache->RemoveAll(&DeleteCachedImage, nullptr);
    delete g_cache;
    g_cache = nullptr;
}

void KInitImages(HINSTANCE)
{
    KInitImageDecoder();
}

void KTermImages()
{
    ReleaseImageCache();
    DeleteImageDCs();
    KTermImageDecoder();
}
