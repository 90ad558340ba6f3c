// CKTagReader on files tagged by real encoders (lame, ffmpeg) and by hand where no encoder writes
// the tag (tools/make-tag-fixtures.sh): every format's title, artist, album and length; legacy
// 8-bit text read as GBK on a Chinese system and as ISO-8859-1 where it is not GBK; formats
// known by their signature, not their name; and the hostile corpus read without a crash, a hang or memory beyond a small bound.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "KTestSupport.h"
#include "MediaTestFiles.h"
#include "media/CKMediaInfo.h"
#include "media/CKTagReader.h"

namespace {

// Every tagged fixture is a three-second tone; encoders pad or prime it by a few frames.
constexpr int TONE_MS = 3000;
constexpr int LENGTH_TOLERANCE_MS = 120;

std::wstring TagFixture(const wchar_t* name)
{
    return MediaFixture((std::wstring(L"tags\\") + name).c_str());
}

// A fixture and the texts its tags must read as.
struct KTagCase
{
    const wchar_t* file;
    const wchar_t* title;
    const wchar_t* artist;
    const wchar_t* album;
};

size_t WorkingSet(bool peak)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
}

} // namespace

TEST(CKTagReader, ReadsTitleArtistAlbumAndLengthOfEveryFormat)
{
    const KTagCase cases[] = {
        {L"id3v22.mp3", L"Version Two", L"Old Writer", L"Old Album"},
        {L"id3v23.mp3", L"Song One", L"Artist One", L"Album One"},
        {L"id3v2-utf16.mp3", L"月亮代表我的心", L"邓丽君", L"淡淡幽情"},
        {L"id3v24.mp3", L"夜曲", L"周杰伦", L"十一月的萧邦"},
        {L"id3v1.mp3", L"V1 Title", L"V1 Artist", L"V1 Album"},
        {L"ape.mp3", L"APE 标题", L"APE Artist", L"APE Album"},
        {L"tagged.flac", L"Flac 标题", L"Flac Artist", L"Flac Album"},
        {L"tagged.ogg", L"Vorbis Title", L"Vorbis Artist", L"Vorbis Album"},
        {L"tagged.opus", L"Opus Title", L"Opus Artist", L"Opus Album"},
        {L"tagged.m4a", L"M4A Title", L"M4A Artist", L"M4A Album"},
        {L"tagged.wma", L"WMA Title", L"WMA Artist", L"WMA Album"},
        {L"info.wav", L"Wave Title", L"Wave Artist", L"Wave Album"},
        {L"tagged.aiff", L"AIFF Title", L"AIFF Artist", L"AIFF Album"},
        {L"tagged.wv", L"WavPack Title", L"WavPack Artist", L"WavPack Album"},
        // No tag: the record keeps what it had.
        {L"plain.mp3", L"kept", L"", L""},
    };
    CKTagReader reader;
    for (const KTagCase& c : cases) {
        CKMediaInfo info;
        info.SetTitle(L"kept");
        ASSERT_EQ(reader.Read(TagFixture(c.file).c_str(), &info), KTAG_READ) << c.file;
        EXPECT_STREQ(info.GetTitle(), c.title) << c.file;
        EXPECT_STREQ(info.GetArtist(), c.artist) << c.file;
        EXPECT_STREQ(info.GetAlbum(), c.album) << c.file;
        EXPECT_NEAR(info.GetDuration(), TONE_MS, LENGTH_TOLERANCE_MS) << c.file;
    }
}

TEST(CKTagReader, LegacyTagBytesReadAsGbkOnAChineseSystemAndAsLatin1WhenNotGbk)
{
    // The tests run with the zh-CN locale, whose ANSI code page is GBK.
    ASSERT_EQ(GetACP(), 936u);
    const KTagCase cases[] = {
        {L"gbk-id3v1.mp3", L"月亮代表我的心", L"邓丽君", L"淡淡幽情"},
        {L"latin1-id3v1.mp3", L"Café Olé", L"Beyoncé", L"Été"},
    };
    CKTagReader reader;
    for (const KTagCase& c : cases) {
        CKMediaInfo info;
        ASSERT_EQ(reader.Read(TagFixture(c.file).c_str(), &info), KTAG_READ) << c.file;
        EXPECT_STREQ(info.GetTitle(), c.title) << c.file;
        EXPECT_STREQ(info.GetArtist(), c.artist) << c.file;
        EXPECT_STREQ(info.GetAlbum(), c.album) << c.file;
    }
}

TEST(CKTagReader, TheSignatureDecidesWhatIsAudioWhateverTheFileIsCalled)
{
    const std::wstring dir = MakeTempDir(L"tag-signatures");
    ASSERT_FALSE(dir.empty());
    const std::string mp3 = ReadTestFileHead(TagFixture(L"plain.mp3"), 1 << 20);
    ASSERT_GT(mp3.size(), 1000u);
    // Two ADTS (AAC) frames of 16 bytes each: a chain no MPEG audio header check accepts.
    std::string adts("\xFF\xF1\x50\x80\x02\x1F\xFC", 7);
    adts = adts + std::string(9, '\x11') + adts + std::string(9, '\x11');
    struct Case
    {
        const wchar_t* name;
        std::string bytes;
        int result;
    } const cases[] = {
        // Audio the tag library does not read: a media graph may still play it.
        {L"song.mid", std::string("MThd\0\0\0\x06\0\x01\0\x01\x01\xE0", 14), KTAG_UNREAD},
        {L"song.caf", std::string("caff\0\x01\0\0desc", 12), KTAG_UNREAD},
        {L"song.au", std::string(".snd\0\0\0\x18", 8), KTAG_UNREAD},
        {L"song.amr", "#!AMR\n", KTAG_UNREAD},
        {L"big.wav", std::string("RF64\xFF\xFF\xFF\xFFWAVEds64", 16), KTAG_UNREAD},
        {L"song.aac", adts, KTAG_UNREAD},
        // An MP3 named otherwise, and one behind a little junk, are read as MP3.
        {L"song.wav", mp3, KTAG_READ},
        {L"junk.mp3", std::string(100, 'j') + mp3, KTAG_READ},
        // Looks like audio only by its name.
        {L"short.mp3", "\xFF\xFB", KTAG_NOT_AUDIO},
        {L"riff.wav", std::string("RIFF\x10\0\0\0AVI LIST", 16), KTAG_NOT_AUDIO},
        {L"empty.flac", "", KTAG_NOT_AUDIO},
    };
    CKTagReader reader;
    for (const Case& c : cases) {
        const std::wstring path = dir + c.name;
        ASSERT_TRUE(WriteTestFile(path, c.bytes.data(), (DWORD)c.bytes.size()));
        CKMediaInfo info;
        EXPECT_EQ(reader.Read(path.c_str(), &info), c.result) << c.name;
        EXPECT_EQ(CKTagReader::IsAudioFile(path.c_str()), c.result != KTAG_NOT_AUDIO) << c.name;
        if (c.result == KTAG_READ) {
            EXPECT_NEAR(info.GetDuration(), TONE_MS, LENGTH_TOLERANCE_MS) << c.name;
        }
    }
    EXPECT_EQ(reader.Read((dir + L"missing.mp3").c_str(), nullptr), KTAG_NOT_AUDIO);
    RemoveTree(dir);
}

TEST(CKTagReader, HostileFilesAreReadInBoundedTimeAndMemoryOrLeftUnread)
{
    // Files the bounds keep from the tag library, and files that are no audio at all.
    struct Expected
    {
        const wchar_t* file;
        int result;
    } const expected[] = {
        {L"frame-100mb.mp3", KTAG_UNREAD},     {L"compressed-bomb.mp3", KTAG_UNREAD},
        {L"nested-chapters.mp3", KTAG_UNREAD}, {L"nested-atoms.m4a", KTAG_UNREAD},
        {L"zeros.mp3", KTAG_NOT_AUDIO},        {L"random.mp3", KTAG_NOT_AUDIO},
        {L"text.mp3", KTAG_NOT_AUDIO},
    };
    // A generous bound that only a hang would break, and a memory bound far below the sizes the
    // files claim (100 MB frames, 256 MB inflated, 2 GB comments).
    const DWORD HANG_MS = 5000;
    const size_t MEMORY_BOUND = 48u << 20;

    const std::wstring folder = MediaFixture(L"hostile\\");
    CKTagReader reader;
    const size_t before = WorkingSet(false);
    int files = 0;
    int expectedSeen = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const std::wstring name = found.cFileName;
        CKMediaInfo info;
        info.SetTitle(L"base");
        const DWORD start = GetTickCount();
        const int result = reader.Read((folder + name).c_str(), &info);
        const DWORD elapsed = GetTickCount() - start;
        files++;
        EXPECT_LT(elapsed, HANG_MS) << name.c_str();
        for (const Expected& e : expected) {
            if (name == e.file) {
                EXPECT_EQ(result, e.result) << name.c_str();
                expectedSeen++;
            }
        }
        // A file the reader does not read leaves its record as it was: the base-name title.
        if (result != KTAG_READ) {
            EXPECT_STREQ(info.GetTitle(), L"base") << name.c_str();
        }
        EXPECT_LE(info.GetDuration(), 10 * TONE_MS) << name.c_str();
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ(expectedSeen, (int)(sizeof expected / sizeof expected[0]));
    EXPECT_GE(files, 30);
    const size_t peak = WorkingSet(true);
    std::printf("%d hostile files; peak working set %u MiB over %u MiB before\n", files,
                (unsigned)((peak > before ? peak - before : 0) >> 20), (unsigned)(before >> 20));
    EXPECT_LT(peak, before + MEMORY_BOUND);
}
