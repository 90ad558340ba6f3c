// CKFile: loose files before compiled-in resources, the open flags, byte and line reading through
// the read-ahead blocks, and the static helpers (Exists, ReadAll, EnumFiles, GetFixedDrives,
// GetBaseName).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "support/KFileFixtures.h"
#include "support/KTestSupport.h"
#include "foundation/CKFile.h"
#include "foundation/KMemory.h"

namespace {

// The shipped "res/FileExt.ini": the mark, then CR LF lines.
const std::wstring FILE_EXT_TEXT =
    L"[FileExtMap]\r\ntxt=3\r\nini=3\r\nlog=3\r\ngif=4\r\nbmp=4\r\njpeg=4\r\njpg=4\r\npng=4\r\n"
    L"wav=5\r\nmp3=5\r\nmid=5\r\nwma=6\r\nrm=6\r\nrmvb=7\r\n";

std::string ReadWhole(CKFile& file)
{
    std::string bytes;
    char chunk[7];   // odd on purpose: no read lines up with the data
    int got;
    while ((got = file.Read(chunk, sizeof(chunk))) > 0)
        bytes.append(chunk, got);
    return bytes;
}

// Every ReadLine result until -1, with the given capacity.
std::vector<std::wstring> ReadLines(const std::wstring& path, int capacity)
{
    std::vector<std::wstring> lines;
    CKFile file;
    if (!file.Open(path.c_str(), KFILE_READ))
        return lines;
    std::vector<wchar_t> buffer(capacity);
    int length;
    while ((length = file.ReadLine(buffer.data(), capacity)) >= 0) {
        EXPECT_EQ((int)wcslen(buffer.data()), length);
        lines.push_back(std::wstring(buffer.data(), length));
        if (lines.size() > 10000)
            break;
    }
    return lines;
}

class CKFileTest : public testing::Test
{
protected:
    void SetUp() override { dir = MakeTempDir(L"ckfile"); }
    void TearDown() override { RemoveTree(dir); }

    // Writes `bytes` to a fresh file of the temporary folder and returns its path.
    std::wstring MakeFile(const wchar_t* name, const std::string& bytes)
    {
        std::wstring path = dir + name;
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }

    std::wstring dir;
};

} // namespace

TEST_F(CKFileTest, RelativePathReadsTheResourceUnlessALooseFileStandsInForIt)
{
    const std::string compiled = Utf16FileBytes(FILE_EXT_TEXT);
    {
        CKFile file;
        ASSERT_EQ(1, file.Open(L"res/FileExt.ini", KFILE_READ));
        EXPECT_EQ(compiled.size(), file.GetSize());
        EXPECT_EQ(compiled, ReadWhole(file));
        EXPECT_EQ(0, file.Read(nullptr, 0));
    }
    {
        CKFile file;
        ASSERT_EQ(1, file.Open(L"RES\\fileext.INI", KFILE_READ | KFILE_SHARE_READ));
        EXPECT_EQ(compiled, ReadWhole(file));
    }

    const std::string loose = Utf16FileBytes(L"[FileExtMap]\r\ntxt=3\r\nloose=9\r\n");
    {
        KLooseFile standIn(L"res\\FileExt.ini", loose);
        CKFile file;
        ASSERT_EQ(1, file.Open(L"res/FileExt.ini", KFILE_READ));
        EXPECT_EQ(loose.size(), file.GetSize());
        EXPECT_EQ(loose, ReadWhole(file));
    }
    CKFile file;
    ASSERT_EQ(1, file.Open(L"res/FileExt.ini", KFILE_READ));
    EXPECT_EQ(compiled, ReadWhole(file));
    EXPECT_EQ(0, file.Open(L"res/NoSuchFile.ini", KFILE_READ));
    EXPECT_EQ(0, file.IsOpen());
}

TEST_F(CKFileTest, RelativePathsRefuseWritingAndResourcesNeverWrite)
{
    CKFile file;
    EXPECT_EQ(0, file.Open(L"PlayList.txt", KFILE_CREATE | KFILE_WRITE));
    EXPECT_EQ(0, file.Open(L"res/FileExt.ini", KFILE_WRITE | KFILE_READ));
    EXPECT_EQ(0, file.Open(L"\\Windows\\win.ini", KFILE_CREATE));   // no drive letter: relative
    {
        KLooseFile standIn(L"KWriteTest.txt", "old");
        EXPECT_EQ(0, file.Open(L"KWriteTest.txt", KFILE_WRITE));
        EXPECT_EQ("old", ReadFileBytes(standIn.GetPath()));
    }

    ASSERT_EQ(1, file.Open(L"res/FileExt.ini", KFILE_READ));
    EXPECT_EQ(0, file.Write("ab", 2));
    EXPECT_EQ(0, file.WriteText(L"ab", 2));
}

TEST_F(CKFileTest, CreateTruncatesWhileWriteKeepsTheContent)
{
    std::wstring path = dir + L"PlayList.txt";
    CKFile file;
    ASSERT_EQ(1, file.Open(path.c_str(), KFILE_CREATE | KFILE_WRITE));
    EXPECT_EQ(6, file.Write("abcdef", 6));
    file.Close();
    EXPECT_EQ("abcdef", ReadFileBytes(path));

    ASSERT_EQ(1, file.Open(path.c_str(), KFILE_WRITE));   // opened at its start, not truncated
    EXPECT_EQ(2, file.Write("XY", 2));
    file.Close();
    EXPECT_EQ("XYcdef", ReadFileBytes(path));

    ASSERT_EQ(1, file.Open(path.c_str(), KFILE_CREATE | KFILE_WRITE));
    EXPECT_EQ(0ULL, file.GetSize());
    file.Close();
    EXPECT_EQ("", ReadFileBytes(path));

    std::wstring fresh = dir + L"Fresh.txt";
    ASSERT_EQ(1, file.Open(fresh.c_str(), KFILE_WRITE));   // created when missing
    file.Close();
    EXPECT_EQ(1, CKFile::Exists(fresh.c_str()));
    EXPECT_EQ(0, file.Open((dir + L"Missing.txt").c_str(), KFILE_READ));
}

TEST_F(CKFileTest, WriteTextWritesTheUnitsAsTheyAre)
{
    std::wstring path = dir + L"Text.txt";
    CKFile file;
    ASSERT_EQ(1, file.Open(path.c_str(), KFILE_CREATE | KFILE_WRITE));
    EXPECT_EQ(4, file.WriteText(L"a\n\x4E2D\r", -1));
    EXPECT_EQ(2, file.WriteText(L"bcd", 2));
    EXPECT_EQ(0, file.WriteText(L"", -1));
    file.Close();
    EXPECT_EQ(std::string("a\0\n\0\x2D\x4E\r\0b\0c\0", 12), ReadFileBytes(path));
}

TEST_F(CKFileTest, ClosedFileReportsFailureFromEveryOperation)
{
    CKFile file;
    char bytes[4];
    wchar_t line[4] = L"xyz";
    EXPECT_EQ(0, file.Read(bytes, 4));
    EXPECT_EQ(0, file.Write("ab", 2));
    EXPECT_EQ(0, file.WriteText(L"ab", 2));
    EXPECT_EQ(-1, file.ReadLine(line, 4));
    EXPECT_EQ(~0ULL, file.GetSize());
    file.Close();
    file.Close();
    EXPECT_EQ(0, file.IsOpen());
}

TEST_F(CKFileTest, ReadLineEndsLinesAtEveryFormOfLineEnd)
{
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"b", L"", L"c"}),
              ReadLines(MakeFile(L"1.txt", Utf16Bytes(L"a\r\nb\n\nc")), 1024));
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"b"}),
              ReadLines(MakeFile(L"2.txt", Utf16Bytes(L"a\n\rb")), 1024));
    // CR CR and LF LF are two line ends each; LF CR LF is a pair and then a lone LF.
    EXPECT_EQ((std::vector<std::wstring>{L"x", L"", L"y", L"", L"z"}),
              ReadLines(MakeFile(L"3.txt", Utf16Bytes(L"x\r\ry\n\nz\n")), 1024));
    EXPECT_EQ((std::vector<std::wstring>{L"a", L""}),
              ReadLines(MakeFile(L"4.txt", Utf16Bytes(L"a\n\r\n")), 1024));
    // No byte-order mark is removed, and an odd trailing byte is ignored.
    EXPECT_EQ((std::vector<std::wstring>{L"\xFEFFq", L"r"}),
              ReadLines(MakeFile(L"5.txt", Utf16FileBytes(L"q\nr") + "s"), 1024));
    EXPECT_TRUE(ReadLines(MakeFile(L"6.txt", ""), 1024).empty());
    EXPECT_TRUE(ReadLines(MakeFile(L"7.txt", "z"), 1024).empty());
}

// Short lines of filler ("f\n", "ff\n" ...) whose units end exactly at unit `at` of the file.
std::wstring FillerUpTo(int at)
{
    std::wstring text;
    while ((int)text.size() < at) {
        const int left = at - (int)text.size();
        const int line = left > 100 ? 99 : left - 1;
        text += std::wstring(line, L'f') + L"\n";
    }
    return text;
}

TEST_F(CKFileTest, ReadLineKeepsItsRulesAcrossTheEndsOfReadAheadBlocks)
{
    const int blockUnits = KFILE_READ_AHEAD_BYTES / (int)sizeof(wchar_t);
    std::wstring longLine;
    for (int i = 0; i < 2000; ++i)
        longLine += (wchar_t)(L'a' + i % 26);
    const std::wstring exact(1023, L'e');
    struct Case
    {
        const char* what;
        std::wstring text;                     // placed so that it starts near a block's end
        std::vector<std::wstring> lines;       // what follows the filler lines
    };
    const Case cases[] = {
        {"CR LF pair", L"x\r\ny", {L"x", L"y"}},
        {"LF CR pair", L"x\n\ry", {L"x", L"y"}},
        {"CR CR", L"x\r\ry", {L"x", L"", L"y"}},
        {"line end as the last unit", L"x\r", {L"x"}},
        {"line of exactly capacity - 1", exact + L"\r\nz", {exact, L"z"}},
        {"over-long line skipped whole", L"a\n" + longLine + L"\r\n#tail\n", {L"a", L"#tail"}},
        {"over-long last line", L"a\n" + longLine, {L"a"}},
    };
    for (const Case& c : cases) {
        // The text starts a few units before the second block, so that every unit of the pair or
        // of the line meets the block's end at one of the starts tried.
        for (int shift = 0; shift < 4; ++shift) {
            const int start = blockUnits - 2 - shift;
            std::vector<std::wstring> lines =
                ReadLines(MakeFile(L"block.txt", Utf16Bytes(FillerUpTo(start) + c.text)), 1024);
            const int filler = (int)(lines.size() - c.lines.size());
            ASSERT_GE(filler, 0) << c.what;
            EXPECT_EQ(std::vector<std::wstring>(lines.begin() + filler, lines.end()), c.lines)
                << c.what << ", starting at unit " << start;
        }
    }
    // Lines longer than a block come back whole.
    std::wstring longA(blockUnits + 10, L'a');
    EXPECT_EQ((std::vector<std::wstring>{L"b", L"c"}),
              ReadLines(MakeFile(L"huge.txt", Utf16Bytes(longA + L"\r\nb\nc")), 1024));
}

TEST_F(CKFileTest, ReadLineSkipsALineLongerThanTheCapacityWhole)
{
    // A 2000-unit line never comes back in pieces: its tail cannot pass for a line of its own.
    const std::wstring injected = std::wstring(1100, L'p') + L"#C:\\injected.mp3";
    EXPECT_EQ((std::vector<std::wstring>{L"first", L"end"}),
              ReadLines(MakeFile(L"2000.txt", Utf16Bytes(L"first\n" + injected + L"\r\nend")),
                        1024));
    // A line exactly capacity - 1 long is read whole and takes its line end with it; one unit
    // more and it is skipped.
    EXPECT_EQ((std::vector<std::wstring>{L"abc", L"d"}),
              ReadLines(MakeFile(L"4.txt", Utf16Bytes(L"abc\nd")), 4));
    EXPECT_EQ((std::vector<std::wstring>{L"", L"d"}),
              ReadLines(MakeFile(L"5.txt", Utf16Bytes(L"abcd\n\nd\nefgh")), 4));

    CKFile file;
    ASSERT_EQ(1, file.Open(MakeFile(L"x.txt", Utf16Bytes(L"x")).c_str(), KFILE_READ));
    wchar_t buffer[4];
    EXPECT_EQ(-1, file.ReadLine(nullptr, 4));
    EXPECT_EQ(-1, file.ReadLine(buffer, 0));
    EXPECT_EQ(1, file.ReadLine(buffer, 4));
    EXPECT_STREQ(L"x", buffer);
    EXPECT_EQ(-1, file.ReadLine(buffer, 4));
}

TEST_F(CKFileTest, ReadLineWorksOnResources)
{
    std::vector<std::wstring> lines = ReadLines(L"res/FileExt.ini", 1024);
    ASSERT_EQ(15u, lines.size());
    EXPECT_EQ(L"\xFEFF[FileExtMap]", lines[0]);
    EXPECT_EQ(L"txt=3", lines[1]);
    EXPECT_EQ(L"rmvb=7", lines[14]);
}

TEST_F(CKFileTest, ExistsAcceptsDiskEntriesLooseFilesAndResources)
{
    EXPECT_EQ(1, CKFile::IsAbsolute(L"C:\\Music"));
    EXPECT_EQ(1, CKFile::IsAbsolute(L"z:"));
    EXPECT_EQ(0, CKFile::IsAbsolute(L"\\Music\\a.mp3"));
    EXPECT_EQ(0, CKFile::IsAbsolute(L"res/FileExt.ini"));
    EXPECT_EQ(0, CKFile::IsAbsolute(L"C"));
    EXPECT_EQ(0, CKFile::IsAbsolute(nullptr));

    std::wstring path = MakeFile(L"here.txt", "1");
    EXPECT_EQ(1, CKFile::Exists(path.c_str()));
    EXPECT_EQ(1, CKFile::Exists(dir.c_str()));
    EXPECT_EQ(0, CKFile::Exists((dir + L"gone.txt").c_str()));
    EXPECT_EQ(1, CKFile::Exists(L"res/FileExt.ini"));
    EXPECT_EQ(1, CKFile::ResourceExists(L"res\\fileext.ini"));
    EXPECT_EQ(0, CKFile::Exists(L"res/KLooseOnly.txt"));
    {
        KLooseFile loose(L"res\\KLooseOnly.txt", "1");
        EXPECT_EQ(1, CKFile::Exists(L"res/KLooseOnly.txt"));
        EXPECT_EQ(0, CKFile::ResourceExists(L"res/KLooseOnly.txt"));
    }
    EXPECT_EQ(0, CKFile::Exists(L"res/KLooseOnly.txt"));
    EXPECT_EQ(0, CKFile::Exists(nullptr));
}

TEST_F(CKFileTest, ReadAllAppendsAZeroByteAndReportsTheSizeWithoutIt)
{
    void* data = nullptr;
    int size = -1;
    ASSERT_EQ(1, CKFile::ReadAll(MakeFile(L"all.bin", std::string("ab\0c", 4)).c_str(), &data, &size));
    EXPECT_EQ(4, size);
    EXPECT_EQ(0, memcmp(data, "ab\0c\0", 5));
    KFree(data);

    ASSERT_EQ(1, CKFile::ReadAll(MakeFile(L"empty.bin", "").c_str(), &data, &size));
    EXPECT_EQ(0, size);
    EXPECT_EQ(0, *(char*)data);
    KFree(data);

    ASSERT_EQ(1, CKFile::ReadAll(L"res/FileExt.ini", &data, &size));
    EXPECT_EQ(Utf16FileBytes(FILE_EXT_TEXT), std::string((char*)data, size));
    KFree(data);

    data = nullptr;
    EXPECT_EQ(0, CKFile::ReadAll((dir + L"none.bin").c_str(), &data, &size));
    EXPECT_EQ(nullptr, data);
    EXPECT_EQ(0, CKFile::ReadAll(dir.c_str(), &data, &size));   // a directory cannot be read
}

namespace {

struct KListing
{
    std::vector<std::wstring> names;
    std::vector<KFileInfo> infos;
    std::wstring dir;
    int stopAfter = 1000;
};

int CollectEntry(const wchar_t* dir, const wchar_t* name, const KFileInfo* info, void* context)
{
    KListing* listing = static_cast<KListing*>(context);
    listing->dir = dir;
    listing->names.push_back(name);
    listing->infos.push_back(*info);
    return (int)listing->names.size() < listing->stopAfter;
}

const KFileInfo* FindEntry(const KListing& listing, const wchar_t* name)
{
    for (size_t i = 0; i < listing.names.size(); ++i)
        if (listing.names[i] == name)
            return &listing.infos[i];
    return nullptr;
}

} // namespace

TEST_F(CKFileTest, EnumFilesListsTheSameEntriesWithOrWithoutTrailingBackslash)
{
    MakeFile(L"song.mp3", std::string(1234, 'x'));
    std::wstring hidden = MakeFile(L"hidden.txt", "h");
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryW((dir + L"Sub").c_str(), nullptr);

    std::wstring bare = dir.substr(0, dir.size() - 1);
    KListing withSlash, without;
    EXPECT_EQ(3, CKFile::EnumFiles(dir.c_str(), CollectEntry, &withSlash));
    EXPECT_EQ(3, CKFile::EnumFiles(bare.c_str(), CollectEntry, &without));
    EXPECT_EQ(dir, withSlash.dir);
    EXPECT_EQ(bare, without.dir);
    std::sort(withSlash.names.begin(), withSlash.names.end());
    std::vector<std::wstring> names = without.names;
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::wstring>{L"Sub", L"hidden.txt", L"song.mp3"}), names);
    EXPECT_EQ(names, withSlash.names);

    const KFileInfo* song = FindEntry(without, L"song.mp3");
    ASSERT_NE(nullptr, song);
    EXPECT_EQ(1234ULL, song->size);
    EXPECT_EQ(KFA_READ, song->mode & (KFA_READ | KFA_DIRECTORY | KFA_HIDDEN | KFA_EXEC));
    SYSTEMTIME now;
    GetSystemTime(&now);
    EXPECT_EQ(now.wYear, song->modified.wYear);
    EXPECT_GE(song->created.wYear, 2000);
    const KFileInfo* sub = FindEntry(without, L"Sub");
    ASSERT_NE(nullptr, sub);
    EXPECT_EQ(KFA_READ | KFA_DIRECTORY, sub->mode & (KFA_READ | KFA_DIRECTORY | KFA_HIDDEN));
    const KFileInfo* hiddenInfo = FindEntry(without, L"hidden.txt");
    ASSERT_NE(nullptr, hiddenInfo);
    EXPECT_EQ(KFA_HIDDEN, hiddenInfo->mode & KFA_HIDDEN);
    DWORD songAttributes = GetFileAttributesW((dir + L"song.mp3").c_str());
    EXPECT_EQ((songAttributes & FILE_ATTRIBUTE_ARCHIVE) ? KFA_WRITE : 0u, song->mode & KFA_WRITE);

    // A zero result stops the listing and is not counted.
    KListing stopped;
    stopped.stopAfter = 2;
    EXPECT_EQ(1, CKFile::EnumFiles(dir.c_str(), CollectEntry, &stopped));
    EXPECT_EQ(2u, stopped.names.size());

    KListing none;
    EXPECT_EQ(0, CKFile::EnumFiles(L"res", CollectEntry, &none));
    EXPECT_EQ(0, CKFile::EnumFiles(nullptr, CollectEntry, &none));
    EXPECT_EQ(0, CKFile::EnumFiles(dir.c_str(), nullptr, &none));
    EXPECT_EQ(0, CKFile::EnumFiles((dir + L"NoFolder").c_str(), CollectEntry, &none));
    EXPECT_TRUE(none.names.empty());
}

TEST_F(CKFileTest, GetFixedDrivesListsDrivePathsAndNeverOverflows)
{
    wchar_t drives[256];
    int length = CKFile::GetFixedDrives(drives, 256);
    ASSERT_GE(length, 4);
    EXPECT_EQ(0, drives[length]);
    int count = 0;
    for (const wchar_t* drive = drives; *drive; drive += wcslen(drive) + 1) {
        EXPECT_EQ((UINT)DRIVE_FIXED, GetDriveTypeW(drive));
        EXPECT_EQ(L':', drive[1]);
        EXPECT_EQ(L'\\', drive[wcslen(drive) - 1]);
        ++count;
    }
    EXPECT_GE(count, 1);

    // Room for exactly one "X:\" with its NUL and the final NUL.
    wchar_t small[6];
    wmemset(small, L'#', 6);
    EXPECT_EQ(4, CKFile::GetFixedDrives(small, 5));
    EXPECT_EQ(std::wstring(drives, 4), std::wstring(small, 4));
    EXPECT_EQ(0, small[4]);
    EXPECT_EQ(L'#', small[5]);
    EXPECT_EQ(0, CKFile::GetFixedDrives(small, 4));
    EXPECT_EQ(0, small[0]);
    EXPECT_EQ(0, CKFile::GetFixedDrives(nullptr, 4));
}

TEST_F(CKFileTest, GetBaseNameTakesTheNameAfterTheLastSeparatorUpToItsLastDot)
{
    wchar_t out[260] = L"untouched";
    EXPECT_EQ(9, CKFile::GetBaseName(L"C:\\Music\\song.live.mp3", out, 260));
    EXPECT_STREQ(L"song.live", out);
    wcscpy(out, L"untouched");
    EXPECT_EQ(-1, CKFile::GetBaseName(L"song.mp3", out, 260));
    EXPECT_STREQ(L"untouched", out);
    EXPECT_EQ(1, CKFile::GetBaseName(L"music/a.b", out, 260));
    EXPECT_STREQ(L"a", out);
    // '\' wins over a later '/'.
    EXPECT_EQ(6, CKFile::GetBaseName(L"C:\\x/y\\z/name.ogg", out, 260));
    EXPECT_STREQ(L"z/name", out);
    EXPECT_EQ(5, CKFile::GetBaseName(L"C:\\Music\\noext", out, 260));
    EXPECT_STREQ(L"noext", out);
    EXPECT_EQ(0, CKFile::GetBaseName(L"C:\\Music\\", out, 260));
    EXPECT_STREQ(L"", out);
    EXPECT_EQ(0, CKFile::GetBaseName(L"C:\\Music\\.hidden", out, 260));
    // A name longer than the buffer is cut first, then at its last dot.
    EXPECT_EQ(4, CKFile::GetBaseName(L"C:\\abcdefgh.mp3", out, 5));
    EXPECT_STREQ(L"abcd", out);
    EXPECT_EQ(2, CKFile::GetBaseName(L"C:\\ab.cdefgh.mp3", out, 6));
    EXPECT_STREQ(L"ab", out);
    EXPECT_EQ(-1, CKFile::GetBaseName(L"C:\\a.b", out, 0));
}
