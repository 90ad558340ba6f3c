// MakeLocalizedName: the full locale name first, then the language alone, then no locale; loose
// files in the "AppRes" folder count as much as compiled-in resources.
#include <gtest/gtest.h>

#include "support/KFileFixtures.h"
#include "app/LmLocalizedName.h"
#include "foundation/KPaths.h"
#include "foundation/KText.h"

TEST(LmLocalizedName, PicksTheFullLocaleThenTheLanguageThenNoLocale)
{
    wchar_t name[KMAX_PATH];
    {
        KLooseFile simplified(L"LmLocTest.zh-CN.xml", "<cn/>");
        KLooseFile traditional(L"LmLocTest.zh-TW.xml", "<tw/>");
        EXPECT_EQ(1, MakeLocalizedNameFor(name, L"LmLocTest", L"xml", L"zh-CN"));
        EXPECT_STREQ(L"LmLocTest.zh-CN.xml", name);
        EXPECT_EQ(1, MakeLocalizedNameFor(name, L"LmLocTest", L"xml", L"zh-TW"));
        EXPECT_STREQ(L"LmLocTest.zh-TW.xml", name);
        // No zh-HK file and no zh file: the plain name.
        EXPECT_EQ(1, MakeLocalizedNameFor(name, L"LmLocTest", L"xml", L"zh-HK"));
        EXPECT_STREQ(L"LmLocTest.xml", name);
        {
            KLooseFile language(L"LmLocTest.zh.xml", "<zh/>");
            EXPECT_EQ(1, MakeLocalizedNameFor(name, L"LmLocTest", L"xml", L"zh-HK"));
            EXPECT_STREQ(L"LmLocTest.zh.xml", name);
            EXPECT_EQ(1, MakeLocalizedNameFor(name, L"LmLocTest", L"xml", L"zh"));
            EXPECT_STREQ(L"LmLocTest.zh.xml", name);
            EXPECT_EQ(1, MakeLocalizedNameFor(name, L"LmLocTest", L"xml", L"zh-CN"));
            EXPECT_STREQ(L"LmLocTest.zh-CN.xml", name);
        }
        // en-US: neither "LmLocTest.en-US.xml" nor "LmLocTest.en.xml" exists.
        EXPECT_EQ(1, MakeLocalizedNameFor(name, L"LmLocTest", L"xml", L"en-US"));
        EXPECT_STREQ(L"LmLocTest.xml", name);
    }
    // Once the loose files are gone, zh-CN falls back too.
    EXPECT_EQ(1, MakeLocalizedNameFor(name, L"LmLocTest", L"xml", L"zh-CN"));
    EXPECT_STREQ(L"LmLocTest.xml", name);
    // A locale that could not be read gives the plain name.
    EXPECT_EQ(1, MakeLocalizedNameFor(name, L"LmLocTest", L"xml", L""));
    EXPECT_STREQ(L"LmLocTest.xml", name);
    // Resources count as well as loose files.
    EXPECT_EQ(1, MakeLocalizedNameFor(name, L"res/FileExt", L"ini", L"en-US"));
    EXPECT_STREQ(L"res/FileExt.ini", name);
}

TEST(LmLocalizedName, UsesTheUsersLocale)
{
    wchar_t locale[KLOCALE_NAME_CAPACITY];
    ASSERT_EQ(1, GetUserLocaleName(locale));
    std::wstring file = std::wstring(L"LmLocUser.") + locale + L".xml";
    KLooseFile localized(file, "<user/>");
    wchar_t name[KMAX_PATH];
    EXPECT_EQ(1, MakeLocalizedName(name, L"LmLocUser", L"xml"));
    EXPECT_EQ(file, name);
}
