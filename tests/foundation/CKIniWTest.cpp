// CKIniW: the line rules of the reader, values and the modified flag, the writer's exact bytes,
// saving through a temporary file, and files as they look when things went wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/KFileFixtures.h"
#include "support/KTestSupport.h"
#include "foundation/CKIniA.h"
#include "foundation/CKIniW.h"

namespace {

std::vector<std::wstring> SectionNames(const CKIniW& ini)
{
    std::vector<std::wstring> names;
    for (KIniSectionW* section = ini.FindSection(nullptr); section; section = section->next)
        names.push_back(section->name);
    return names;
}

// "key=value" for every key of the section, in list order.
std::vector<std::wstring> KeyLines(const CKIniW& ini, const wchar_t* section)
{
    std::vector<std::wstring> lines;
    KIniSectionW* record = ini.FindSection(section);
    for (KIniKeyW* key = record ? record->keys : nullptr; key; key = key->next)
        lines.push_back(std::wstring(key->name) + L"=" + key->value);
    return lines;
}

class CKIniWTest : public testing::Test
{
protected:
    void SetUp() override { dir = MakeTempDir(L"ckiniw"); }
    void TearDown() override { RemoveTree(dir); }

    std::wstring MakeFile(const wchar_t* name, const std::string& bytes)
    {
        std::wstring path = dir + name;
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }

    // Loads UTF-16 text written after the byte-order mark; returns Load's result.
    int LoadText(CKIniW& ini, const std::wstring& text)
    {
        return ini.Load(MakeFile(L"load.ini", Utf16FileBytes(text)).c_str());
    }

    std::wstring dir;
};

} // namespace

TEST_F(CKIniWTest, LoadIgnoresLinesWithoutEqualsAndUnclosedHeaders)
{
    CKIniW ini;
    EXPECT_EQ(1, LoadText(ini, L"[S]\nk=v\n  x = y\n[T\nz = 1"));
    EXPECT_EQ((std::vector<std::wstring>{L"S"}), SectionNames(ini));
    EXPECT_EQ((std::vector<std::wstring>{L"k=v", L"z=1"}), KeyLines(ini, L"S"));
    EXPECT_EQ(0, ini.IsModified());
}

TEST_F(CKIniWTest, KeyNameEndsAtBlankOrEqualsAndValueKeepsTrailingBlanks)
{
    CKIniW ini;
    EXPECT_EQ(2, LoadText(ini, L"ignored=before any section\r\n"
                               L"[A] trailing text\r\n"
                               L"k =   v  \r\n"
                               L";a=b\r\n"
                               L"e=b=c\r\n"
                               L"word only\r\n"
                               L"key value\r\n"
                               L"=empty name\r\n"
                               L"t\t=\ttab\r\n"
                               L"[]\r\n"
                               L"n=\r\n"));
    EXPECT_EQ((std::vector<std::wstring>{L"A", L""}), SectionNames(ini));
    EXPECT_EQ((std::vector<std::wstring>{L"k=v  ", L";a=b", L"e=b=c", L"=empty name", L"t=tab"}),
              KeyLines(ini, L"A"));
    EXPECT_EQ((std::vector<std::wstring>{L"n="}), KeyLines(ini, L""));
    EXPECT_STREQ(L"v  ", ini.GetString(L"A", L"k", L"default"));
}

TEST_F(CKIniWTest, RepeatedHeadersMergeAndRepeatedKeysReplaceInPlace)
{
    CKIniW ini;
    EXPECT_EQ(3, LoadText(ini, L"[S]\na=1\nb=2\na=3\n[T]\nx=9\n[S]\nc=4\n"));
    EXPECT_EQ((std::vector<std::wstring>{L"S", L"T"}), SectionNames(ini));
    EXPECT_EQ((std::vector<std::wstring>{L"a=3", L"b=2", L"c=4"}), KeyLines(ini, L"S"));
    // A second Load merges into what is there.
    EXPECT_EQ(1, LoadText(ini, L"[T]\nx=10\ny=11\n"));
    EXPECT_EQ((std::vector<std::wstring>{L"x=10", L"y=11"}), KeyLines(ini, L"T"));
    EXPECT_EQ(0, ini.IsModified());

    // Thousands of them keep the same rules: 200 sections taken in turn, 30 keys each, then every
    // third key set again.
    std::wstring text;
    for (int i = 0; i < 6000; ++i)
        text += L"[S" + std::to_wstring(i % 200) + L"]\nk" + std::to_wstring(i / 200) + L"=v"
                + std::to_wstring(i) + L"\n";
    for (int i = 0; i < 6000; i += 3)
        text += L"[S" + std::to_wstring(i % 200) + L"]\nk" + std::to_wstring(i / 200) + L" = w\n";
    CKIniW many;
    EXPECT_EQ(8000, LoadText(many, text));
    std::wstring saved;
    for (int s = 0; s < 200; ++s) {
        saved += L"\n[S" + std::to_wstring(s) + L"]\n";
        for (int k = 0; k < 30; ++k) {
            const int i = k * 200 + s;
            saved += L"k" + std::to_wstring(k) + L" = " + (i % 3 ? L"v" + std::to_wstring(i) : L"w")
                     + L"\n";
        }
    }
    const std::wstring path = dir + L"many.ini";
    ASSERT_EQ(1, many.Save(path.c_str()));
    EXPECT_EQ(Utf16FileBytes(saved), ReadFileBytes(path));
    EXPECT_STREQ(L"w", many.GetString(L"S0", L"k0", nullptr));
    EXPECT_STREQ(L"v5999", many.GetString(L"S199", L"k29", nullptr));
    EXPECT_EQ(nullptr, many.GetString(L"S200", L"k0", nullptr));
}

TEST_F(CKIniWTest, NamesAreCaseSensitiveAndMissingOnesGiveTheDefault)
{
    CKIniW ini;
    LoadText(ini, L"[default]\nLoopType = 2\n");
    EXPECT_EQ(5, ini.GetInt(L"Default", L"LoopType", 5));
    EXPECT_EQ(5, ini.GetInt(L"default", L"looptype", 5));
    EXPECT_EQ(2, ini.GetInt(L"default", L"LoopType", 5));
    EXPECT_STREQ(L"d", ini.GetString(L"default", L"Missing", L"d"));
    EXPECT_EQ(nullptr, ini.GetString(L"Missing", L"LoopType", nullptr));
    EXPECT_EQ(nullptr, ini.FindKey(nullptr, L"LoopType"));
    EXPECT_STREQ(L"default", ini.FindSection(nullptr)->name);
}

TEST_F(CKIniWTest, GetIntReadsTheLeadingDecimalNumberOfAPresentValue)
{
    CKIniW ini;
    ini.SetString(L"S", L"letters", L"abc");
    ini.SetString(L"S", L"trailing", L"-12x");
    ini.SetString(L"S", L"blankPlus", L" +7");
    ini.SetString(L"S", L"empty", L"");
    ini.SetString(L"S", L"hex", L"0x10");
    EXPECT_EQ(0, ini.GetInt(L"S", L"letters", 99));
    EXPECT_EQ(-12, ini.GetInt(L"S", L"trailing", 99));
    EXPECT_EQ(7, ini.GetInt(L"S", L"blankPlus", 99));
    EXPECT_EQ(0, ini.GetInt(L"S", L"empty", 99));
    EXPECT_EQ(0, ini.GetInt(L"S", L"hex", 99));
    EXPECT_EQ(99, ini.GetInt(L"S", L"absent", 99));

    ini.SetInt(L"S", L"int", -2147483647 - 1);
    EXPECT_STREQ(L"-2147483648", ini.GetString(L"S", L"int", nullptr));
    EXPECT_EQ(-2147483647 - 1, ini.GetInt(L"S", L"int", 0));
}

TEST_F(CKIniWTest, SetStringMarksModifiedOnlyWhenSomethingChanges)
{
    CKIniW ini;
    LoadText(ini, L"[S]\na=1\n");
    EXPECT_EQ(1, ini.SetString(L"S", L"a", L"1"));
    EXPECT_EQ(1, ini.SetInt(L"S", L"a", 1));
    EXPECT_EQ(0, ini.IsModified());
    EXPECT_EQ(1, ini.SetString(L"S", L"a", L"1 "));
    EXPECT_EQ(1, ini.IsModified());
    EXPECT_STREQ(L"1 ", ini.GetString(L"S", L"a", nullptr));

    ini.Clear();
    EXPECT_EQ(0, ini.IsModified());
    EXPECT_EQ(nullptr, ini.FindSection(nullptr));
    EXPECT_EQ(1, ini.SetString(L"New", L"k", L"v"));
    EXPECT_EQ(1, ini.IsModified());
    EXPECT_EQ((std::vector<std::wstring>{L"k=v"}), KeyLines(ini, L"New"));
    EXPECT_EQ(0, ini.SetString(nullptr, L"k", L"v"));
}

TEST_F(CKIniWTest, SaveWritesTheMarkSectionsAndKeysByteForByte)
{
    std::wstring path = dir + L"Saved.ini";
    CKIniW ini;
    ini.SetString(L"S", L"a", L"1");
    ASSERT_EQ(1, ini.Save(path.c_str()));
    EXPECT_EQ(0, ini.IsModified());
    EXPECT_EQ(Utf16FileBytes(L"\n[S]\na = 1\n"), ReadFileBytes(path));

    ini.SetInt(L"Default", L"LoopType", 2);
    ini.SetString(L"S", L"b", L"x y  ");
    ini.SetString(L"S", L"\x4E2D", L"\x6587");
    ASSERT_EQ(1, ini.Save(path.c_str()));
    EXPECT_EQ(Utf16FileBytes(L"\n[S]\na = 1\nb = x y  \n\x4E2D = \x6587\n\n[Default]\nLoopType = 2\n"),
              ReadFileBytes(path));
    EXPECT_FALSE(SaveLeftoverExists(path));

    // Reading it back yields the same sections, keys and values.
    CKIniW copy;
    EXPECT_EQ(2, copy.Load(path.c_str()));
    EXPECT_EQ(SectionNames(ini), SectionNames(copy));
    EXPECT_EQ(KeyLines(ini, L"S"), KeyLines(copy, L"S"));
    EXPECT_EQ(KeyLines(ini, L"Default"), KeyLines(copy, L"Default"));

    // An empty object writes the mark alone.
    CKIniW empty;
    ASSERT_EQ(1, empty.Save(path.c_str()));
    EXPECT_EQ(std::string("\xFF\xFE", 2), ReadFileBytes(path));
}

TEST_F(CKIniWTest, FailedSaveKeepsThePreviousFileAndTheModifiedFlag)
{
    std::wstring path = MakeFile(L"Keep.ini", Utf16FileBytes(L"\n[S]\na = old\n"));
    const std::string previous = ReadFileBytes(path);
    CKIniW ini;
    ini.SetString(L"S", L"a", L"new");

    EXPECT_EQ(0, ini.Save(L"Keep.ini"));   // relative: refused

    // The temporary file cannot be created: the folder is missing.
    EXPECT_EQ(0, ini.Save((dir + L"missing\\Keep.ini").c_str()));
    EXPECT_EQ(1, ini.IsModified());

    // The target cannot be replaced while another holder keeps it open without sharing.
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(0, ini.Save(path.c_str()));
    CloseHandle(held);
    EXPECT_EQ(previous, ReadFileBytes(path));
    EXPECT_FALSE(SaveLeftoverExists(path));
    EXPECT_EQ(1, ini.IsModified());

    // Read-only: readable, never replaced.
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    CKIniW reader;
    EXPECT_EQ(1, reader.Load(path.c_str()));
    EXPECT_STREQ(L"old", reader.GetString(L"S", L"a", nullptr));
    EXPECT_EQ(0, ini.Save(path.c_str()));
    EXPECT_EQ(previous, ReadFileBytes(path));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    // A folder in the file's place.
    std::wstring folder = dir + L"Folder.ini";
    CreateDirectoryW(folder.c_str(), nullptr);
    EXPECT_EQ(0, reader.Load(folder.c_str()));
    EXPECT_EQ(0, ini.Save(folder.c_str()));
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    ASSERT_EQ(1, ini.Save(path.c_str()));
    EXPECT_EQ(Utf16FileBytes(L"\n[S]\na = new\n"), ReadFileBytes(path));
}

TEST_F(CKIniWTest, DamagedFilesNeverCrashAndLeaveMissingValuesToTheirDefaults)
{
    // No byte-order mark: the first character is lost, so "[S]" is no header.
    CKIniW noMark;
    EXPECT_EQ(0, noMark.Load(MakeFile(L"nomark.ini", Utf16Bytes(L"[S]\r\nk=v\r\n")).c_str()));
    EXPECT_EQ(nullptr, noMark.FindSection(nullptr));
    EXPECT_EQ(1, noMark.Load(MakeFile(L"nomark2.ini", Utf16Bytes(L"\n[S]\nk=v\n")).c_str()));
    EXPECT_STREQ(L"v", noMark.GetString(L"S", L"k", nullptr));

    // A UTF-8 (or ANSI) body read as UTF-16: nothing sensible, nothing found.
    CKIniW utf8;
    utf8.Load(MakeFile(L"utf8.ini", "\xEF\xBB\xBF[Default]\r\nLoopType=2\r\nBrowsePath=C:\\\xE4\xB8\xAD\r\n").c_str());
    EXPECT_EQ(7, utf8.GetInt(L"Default", L"LoopType", 7));
    utf8.Clear();
    utf8.Load(MakeFile(L"ansi.ini", "[Default]\nLoopType=2\n").c_str());
    EXPECT_EQ(7, utf8.GetInt(L"Default", L"LoopType", 7));

    // A NUL unit ends the line's text where it stands.
    CKIniW nul;
    EXPECT_EQ(1, nul.Load(MakeFile(L"nuls.ini", Utf16FileBytes(std::wstring(L"[S]\nk=v\0w\nz=1\n\0\0\n", 17))).c_str()));
    EXPECT_STREQ(L"v", nul.GetString(L"S", L"k", nullptr));
    EXPECT_STREQ(L"1", nul.GetString(L"S", L"z", nullptr));

    // A line longer than 1023 units is skipped whole: its tail never becomes a key of its own.
    CKIniW longLine;
    EXPECT_EQ(1, longLine.Load(MakeFile(L"long.ini", Utf16FileBytes(L"[S]\nk=" + std::wstring(1100, L'x') + L"t=1\nz=1\n" +
                                                                    L"[" + std::wstring(2000, L'n') + L"]\ny=2\n")).c_str()));
    EXPECT_STREQ(L"-", longLine.GetString(L"S", L"k", L"-"));
    EXPECT_STREQ(L"-", longLine.GetString(L"S", L"t", L"-"));
    EXPECT_STREQ(L"1", longLine.GetString(L"S", L"z", nullptr));
    // The long header is no header: "y" goes to S.
    EXPECT_EQ((std::vector<std::wstring>{L"S"}), SectionNames(longLine));
    EXPECT_STREQ(L"2", longLine.GetString(L"S", L"y", nullptr));

    // Truncated in the middle of a unit: the complete units are read, the odd byte is ignored.
    CKIniW truncated;
    std::string cut = Utf16FileBytes(L"[S]\nk=12");
    EXPECT_EQ(1, truncated.Load(MakeFile(L"cut.ini", cut + "3").c_str()));
    EXPECT_EQ(12, truncated.GetInt(L"S", L"k", 0));

    CKIniW empty;
    EXPECT_EQ(0, empty.Load(MakeFile(L"empty.ini", "").c_str()));
    EXPECT_EQ(0, empty.Load(MakeFile(L"one.ini", "\xFF").c_str()));
    EXPECT_EQ(0, empty.Load(MakeFile(L"mark.ini", "\xFF\xFE").c_str()));
    EXPECT_EQ(0, empty.Load((dir + L"missing.ini").c_str()));
    EXPECT_EQ(0, empty.Load(nullptr));
    EXPECT_EQ(nullptr, empty.FindSection(nullptr));
    EXPECT_EQ(3, empty.GetInt(L"S", L"k", 3));
}

TEST_F(CKIniWTest, LoadReadsTheShippedExtensionMapThroughTheResources)
{
    CKIniW map;
    EXPECT_EQ(1, map.Load(L"res/FileExt.ini"));
    EXPECT_EQ((std::vector<std::wstring>{L"FileExtMap"}), SectionNames(map));
    const wchar_t* extensions[] = {L"txt", L"ini", L"log", L"gif", L"bmp", L"jpeg", L"jpg",
                                   L"png", L"wav", L"mp3", L"mid", L"wma", L"rm", L"rmvb"};
    const int cells[] = {3, 3, 3, 4, 4, 4, 4, 4, 5, 5, 5, 6, 6, 7};
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(cells[i], map.GetInt(L"FileExtMap", extensions[i], 2)) << extensions[i];
    EXPECT_EQ(2, map.GetInt(L"FileExtMap", L"flac", 2));
    EXPECT_EQ(2, map.GetInt(L"FileExtMap", L"MP3", 2));
}

TEST(CKIniA, IsAnObjectClassOfItsOwn)
{
    CKIniA ini;
    EXPECT_STREQ("CKIniA", ini.GetRuntimeClass()->name);
    EXPECT_EQ(1, ini.IsKindOf(K_RUNTIME_CLASS(CKObject)));
    EXPECT_EQ(0, ini.IsKindOf(K_RUNTIME_CLASS(CKIniW)));
    ini.Clear();
}
