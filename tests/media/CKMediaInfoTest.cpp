// CKMediaInfo: the record of one audio file's length and tags.
#include <gtest/gtest.h>

#include "media/CKMediaInfo.h"

TEST(CKMediaInfo, StartsUnmeasuredWithEmptyTagsAndKeepsCopiesOfWhatIsSet)
{
    CKMediaInfo info;
    EXPECT_EQ(KMEDIA_DURATION_UNMEASURED, info.GetDuration());
    EXPECT_EQ(0, info.GetTitle().GetLength());
    EXPECT_EQ(0, info.GetAlbum().GetLength());
    EXPECT_EQ(0, info.GetArtist().GetLength());
    EXPECT_EQ(-1, info.GetRefCount()) << "not counted until shared";

    wchar_t title[] = L"夜曲";
    EXPECT_EQ(2, info.SetTitle(title));
    title[0] = L'X';
    EXPECT_STREQ(L"夜曲", info.GetTitle());
    EXPECT_EQ(6, info.SetAlbum(L"十一月的萧邦"));
    EXPECT_EQ(3, info.SetArtist(L"周杰伦"));
    EXPECT_STREQ(L"周杰伦", info.GetArtist());
    EXPECT_EQ(0, info.SetArtist(nullptr));
    EXPECT_STREQ(L"", info.GetArtist());

    info.SetDuration(KMEDIA_DURATION_UNKNOWN);
    EXPECT_EQ(-1, info.GetDuration());
    info.SetDuration(61000);
    EXPECT_EQ(61000, info.GetDuration());
    EXPECT_TRUE(info.IsKindOf(K_RUNTIME_CLASS(CKObject)));
    EXPECT_STREQ("CKMediaInfo", info.GetRuntimeClass()->name);
}
