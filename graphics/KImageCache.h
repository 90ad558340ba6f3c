// Creating images and image lists from files, and the process-wide image cache that shares them by
// path; also the image module's start-up and shut-down steps.
//
// Cache rules:
// - The cache maps the path exactly as requested (case-sensitive) to one image and holds one
//   reference on it. Get... returns the cached object if the path is there, whatever was asked
//   when it was cached; the caller receives a borrowed pointer and AddRefs it to keep it.
// - A failed load is never cached: the next request tries again.
// - ReleaseImageCache (at library shut-down) deletes every cached image outright, whatever
//   references are still out: pointers from the cache must not outlive the library.
#pragma once
#include <windows.h>

class CKImage;
class CKImgList;

// A new image (not counted, the caller's): Load(path, type, flags), then, unless flags hold
// KIMG_NOSCALE, ScaleForDensity(flags & KIMG_VARIANT_MASK). None when the load fails.
CKImage* CreateImage(const wchar_t* path, int type, unsigned int flags);
// The same for an image list whose cells are set by size (CKImgList::SetCellsBySize) or by grid.
CKImgList* CreateImgListByCell(int cellWidth, int cellHeight, const wchar_t* path, int type,
                               unsigned int flags);
CKImgList* CreateImgListByGrid(int columns, int rows, const wchar_t* path, int type,
                               unsigned int flags);

// Cached forms (borrowed pointers). The list forms return none when the path is cached as a plain
// image, which has no cells.
CKImage* GetImage(const wchar_t* path, int type, unsigned int flags);
CKImgList* GetImgListByCell(int cellWidth, int cellHeight, const wchar_t* path, int type,
                            unsigned int flags);
CKImgList* GetImgListByGrid(int columns, int rows, const wchar_t* path, int type,
                            unsigned int flags);
// Number of cached images.
int GetImageCacheCount();
// Deletes every cached image outright, then the map.
void ReleaseImageCache();

// Image module steps, called by KInitLibrary / KTermLibrary: the lock and GDI+ at start-up; the
// cache, the two image DCs, GDI+ and the lock at shut-down.
void KInitImages(HINSTANCE instance);
void KTermImages();
