// The image cache: one object per requested path, decoded once, counted, never holding failures,
// and emptied outright at release.
#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "graphics/CKImgList.h"
#include "graphics/KDrawableRegistry.h"
#include "graphics/KImageCache.h"

TEST(KImageCache, TheSamePathGivesTheSameObjectDecodedOnce)
{
    KTestAppResFolder folder(L"ImageCacheTest");
    folder.Write(L"Once.png", MakeSolidPng(6, 4, {1, 2, 3, 255}));
    const std::wstring path = folder.LibraryPath(L"Once.png");
    const int before = GetImageCacheCount();
    CKImage* first = GetImage(path.c_str(), KIMG_TYPE_PNG, KIMG_AUTO);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetRefCount(), 1);   // the cache's reference
    EXPECT_EQ(GetImageCacheCount(), before + 1);
    // With the file gone, the second request can only be served from the cache.
    folder.Remove(L"Once.png");
    EXPECT_EQ(GetImage(path.c_str(), KIMG_TYPE_PNG, KIMG_AUTO), first);
    // Whatever is asked, the cached object comes back.
    EXPECT_EQ(GetImage(path.c_str(), KIMG_TYPE_BMP, KIMG_NOSCALE), first);
    EXPECT_EQ(GetImageCacheCount(), before + 1);
    // A plain image has no cells: the list forms give none for its path.
    EXPECT_EQ(GetImgListByGrid(1, 1, path.c_str(), KIMG_TYPE_PNG, KIMG_AUTO), nullptr);
    EXPECT_EQ(GetImgListByCell(2, 2, path.c_str(), KIMG_TYPE_PNG, KIMG_AUTO), nullptr);
    // A holder adds its reference on top of the cache's.
    first->AddRef();
    EXPECT_EQ(first->GetRefCount(), 2);
    first->Release();
}

TEST(KImageCache, PathsAreKeysExactlyAsRequestedAndListsAreSharedToo)
{
    KTestAppResFolder folder(L"ImageCacheTest");
    folder.Write(L"Strip.png", MakeSolidPng(8, 32, {9, 9, 9, 255}));
    const std::wstring upper = folder.LibraryPath(L"Strip.png");
    const std::wstring lower = folder.LibraryPath(L"strip.png");
    CKImgList* list = GetImgListByGrid(1, 4, upper.c_str(), KIMG_TYPE_PNG, KIMG_AUTO);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCount(), 4);
    EXPECT_EQ(GetImgListByCell(8, 16, upper.c_str(), KIMG_TYPE_PNG, KIMG_AUTO), list);
    EXPECT_EQ(GetImage(upper.c_str(), KIMG_TYPE_PNG, KIMG_AUTO), list);
    // The file system finds the file under either case; the cache keeps two entries.
    CKImgList* other = GetImgListByCell(8, 16, lower.c_str(), KIMG_TYPE_PNG, KIMG_AUTO);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, list);
    EXPECT_EQ(other->GetCount(), 2);
}

TEST(KImageCache, AFailedLoadIsNotRememberedAndReleaseEmptiesTheCache)
{
    KTestAppResFolder folder(L"ImageCacheTest");
    const std::wstring path = folder.LibraryPath(L"Later.png");
    const int before = GetImageCacheCount();
    EXPECT_EQ(GetImage(path.c_str(), KIMG_TYPE_PNG, KIMG_AUTO), nullptr);
    EXPECT_EQ(GetImageCacheCount(), before);
    folder.Write(L"Later.png", MakeSolidPng(3, 3, {0, 0, 0, 255}));
    CKImage* image = GetImage(path.c_str(), KIMG_TYPE_PNG, KIMG_AUTO);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(GetImageCacheCount(), before + 1);

    // Release deletes every cached image outright, whatever references are out.
    image->AddRef();
    // The registered drawables hold cached images: they go first, as at library shut-down.
    KTermDrawables();
    ReleaseImageCache();
    EXPECT_EQ(GetImageCacheCount(), 0);
    // The cache starts again on the next request.
    CKImage* again = GetImage(path.c_str(), KIMG_TYPE_PNG, KIMG_AUTO);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(GetImageCacheCount(), 1);
    EXPECT_EQ(again->GetRefCount(), 1);
}
