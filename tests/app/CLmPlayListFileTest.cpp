// "PlayList.txt" read and written through the playlist tree that holds the collection: the exact
// bytes written, the reader's rules, the name and selection rules, the sort orders, and files that
// are damaged or interrupted.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "KFileFixtures.h"
#include "KTestSupport.h"
#include "PlayerTestSupport.h"
#include "app/CLmPathIndex.h"
#include "app/CLmPlayListCtrl.h"
#include "app/CLmPlayListFile.h"
#include "app/LmSettings.h"
#include "app/LmSortKeys.h"
#include "foundation/KPaths.h"

namespace {

const std::wstring SEP = L"\xFFFD";

// Each test gets its own folder for "PlayList.txt" and fresh settings (Settings.ini beside the
// test executable, removed afterwards).
class CLmPlayListFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        dir = MakeTempDir(L"lumo-playlists");
        file = dir + L"PlayList.txt";
        settings = std::wstring(GetModuleDir()) + L"Settings.ini";
        DeleteFileW(settings.c_str());
        LmSettings::LoadSettings();
    }
    void TearDown() override
    {
        LmSettings::SaveAndCloseSettings();
        DeleteFileW(settings.c_str());
        RemoveTree(dir);
    }

    std::wstring FileText() const
    {
        std::string bytes = ReadFileBytes(file);
        return std::wstring((const wchar_t*)bytes.data(), bytes.size() / 2);
    }

    // A collection loaded from the test's file, as the panel initialises it.
    void Load(CLmPlayListCtrl& lists) const { lists.Initialize(0); }
    // A collection holding exactly the playlists named.
    void LoadWith(CLmPlayListCtrl& lists, const std::wstring& headers) const
    {
        ASSERT_TRUE(WriteFileBytes(file, Utf16FileBytes(headers)));
        lists.Initialize(0);
    }

    std::vector<std::wstring> Names(const CLmPlayListCtrl& lists) const
    {
        std::vector<std::wstring> names;
        for (int i = 0; i < lists.GetPlayListCount(); i++)
            names.push_back(lists.PlayListAt(i)->GetName());
        return names;
    }

    std::wstring dir, file, settings;
};

} // namespace

TEST_F(CLmPlayListFileTest, WritesOneListWithOneRecordByteForByte)
{
    CLmPlayListCtrl lists(file.c_str());
    LoadWith(lists, L"\n@A\n\n");
    CLmPlayList* a = lists.PlayListAt(0);
    ASSERT_TRUE(a);
    ASSERT_EQ(a->Add(NewRecord(L"C:\\m.mp3", 61000, L"", L"", L"")), 1);
    ASSERT_EQ(lists.SavePlayLists(), 1);
    std::string expected = Utf16FileBytes(L"\n@A\n#C:\\m.mp3" + SEP + L"61000" + SEP + SEP + SEP
                                          + SEP + L"\n\n");
    EXPECT_EQ(ReadFileBytes(file), expected);
}

TEST_F(CLmPlayListFileTest, RoundTripKeepsChineseTabsAndMarksInsideFields)
{
    {
        CLmPlayListCtrl lists(file.c_str());
        LoadWith(lists, L"\n@我的\t列表 @#\n\n");
        CLmPlayList* first = lists.PlayListAt(0);
        first->Add(NewRecord(L"D:\\音乐\\歌 #1.mp3", -1, L"标题\t@", L"专辑#", L"歌手 @x"));
        first->Add(NewRecord(L"C:\\a.wav", 0, L"a", L"", L""));
        lists.AddPlayList(L"空");
        CLmPlayList* third = lists.AddPlayList(L"Third");
        third->Add(NewRecord(L"C:\\b.mp3", 123456, L"b", L"B", L"BB"));
        ASSERT_EQ(lists.SavePlayLists(), 1);
    }
    CLmPlayListCtrl loaded(file.c_str());
    Load(loaded);
    ASSERT_EQ(Names(loaded), (std::vector<std::wstring>{L"我的\t列表 @#", L"空", L"Third"}));
    CLmPlayList* first = loaded.PlayListAt(0);
    ASSERT_EQ(first->GetCount(), 2);
    EXPECT_STREQ(first->GetAt(0)->GetPath(), L"D:\\音乐\\歌 #1.mp3");
    EXPECT_EQ(first->GetAt(0)->GetDuration(), -1);
    EXPECT_STREQ(first->GetAt(0)->GetTitle(), L"标题\t@");
    EXPECT_STREQ(first->GetAt(0)->GetAlbum(), L"专辑#");
    EXPECT_STREQ(first->GetAt(0)->GetArtist(), L"歌手 @x");
    EXPECT_EQ(loaded.PlayListAt(1)->GetCount(), 0);
    EXPECT_EQ(loaded.PlayListAt(2)->GetAt(0)->GetDuration(), 123456);
    // Saving what was loaded gives the same bytes again.
    std::string before = ReadFileBytes(file);
    ASSERT_EQ(loaded.SavePlayLists(), 1);
    EXPECT_EQ(ReadFileBytes(file), before);
}

TEST_F(CLmPlayListFileTest, APathIsAcceptedOnlyWhenItsRecordComesBackWhole)
{
    // A 200-unit name makes a 200-unit title; with the widest duration the record line of a
    // path under a folder of `folder` units is folder + 425 units long.
    const std::wstring name = std::wstring(200, L'n') + L".wav";
    auto under = [&](int folder) { return L"C:\\" + std::wstring(folder, L'd') + L"\\" + name; };
    const std::wstring longest = under(PLAYLIST_MAX_LINE - 425);
    struct Case
    {
        std::wstring path;
        int found;
    } cases[] = {
        {longest, LMPATH_FITS},
        {under(PLAYLIST_MAX_LINE - 424), LMPATH_TOO_LONG},
        {L"C:\\Music\\a\xFFFD" L"b.mp3", LMPATH_UNSAVABLE},
        {L"C:\\Music\\a\nb.mp3", LMPATH_UNSAVABLE},
        {L"C:\\Music\\a\rb.mp3", LMPATH_UNSAVABLE},
        {L"C:\\Music\\\x6674\x5929 #@.mp3", LMPATH_FITS},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CLmPlayListFile::CheckPath(c.path.c_str()), c.found) << c.path.size();

    // The longest accepted record, measured at the widest duration, reads back as written.
    CLmPlayListCtrl lists(file.c_str());
    LoadWith(lists, L"\n@A\n\n");
    ASSERT_EQ(lists.PlayListAt(0)->AddFile(longest.c_str()), 1);
    lists.PlayListAt(0)->GetAt(0)->SetDuration(INT_MIN);
    ASSERT_EQ(lists.SavePlayLists(), 1);
    CLmPlayListCtrl copy(file.c_str());
    Load(copy);
    ASSERT_EQ(copy.PlayListAt(0)->GetCount(), 1);
    EXPECT_STREQ(copy.PlayListAt(0)->GetAt(0)->GetPath(), longest.c_str());
    EXPECT_EQ(copy.PlayListAt(0)->GetAt(0)->GetDuration(), INT_MIN);
    EXPECT_STREQ(copy.PlayListAt(0)->GetAt(0)->GetTitle(), std::wstring(200, L'n').c_str());
}

TEST_F(CLmPlayListFileTest, TagsAreFittedSoThatTheRecordComesBackWhole)
{
    // An album of 600 surrogate pairs, cut where the line is full, never between two halves.
    std::wstring album;
    for (int i = 0; i < 600; i++)
        album += L"\xD83D\xDE00";
    CLmMediaInfo* info =
        NewRecord(L"C:\\m\\a.mp3", 0, L"one\ntwo\rthree\xFFFD", album.c_str(), L"y");
    CLmPlayListFile::FitTags(info);
    EXPECT_STREQ(info->GetTitle(), L"one two three?");
    EXPECT_STREQ(info->GetArtist(), L"y");
    const int kept = info->GetAlbum().GetLength();
    // '#', the path, the widest duration, the three tags and the five separators.
    const int line = 1 + info->GetPath().GetLength() + 11 + info->GetTitle().GetLength() + kept
                     + 1 + 5;
    EXPECT_TRUE(line == PLAYLIST_MAX_LINE || line == PLAYLIST_MAX_LINE - 1) << line;
    EXPECT_EQ(kept % 2, 0) << "no half of a pair is left";
    EXPECT_EQ(album.compare(0, kept, info->GetAlbum()), 0);

    CLmPlayListCtrl lists(file.c_str());
    LoadWith(lists, L"\n@A\n\n");
    ASSERT_EQ(lists.PlayListAt(0)->Add(info), 1);
    info->SetDuration(INT_MIN);
    ASSERT_EQ(lists.SavePlayLists(), 1);
    CLmPlayListCtrl copy(file.c_str());
    Load(copy);
    ASSERT_EQ(copy.PlayListAt(0)->GetCount(), 1);
    EXPECT_STREQ(copy.PlayListAt(0)->GetAt(0)->GetTitle(), info->GetTitle());
    EXPECT_STREQ(copy.PlayListAt(0)->GetAt(0)->GetAlbum(), info->GetAlbum());
    EXPECT_STREQ(copy.PlayListAt(0)->GetAt(0)->GetArtist(), L"y");
}

TEST_F(CLmPlayListFileTest, AListOfThousandsKeepsItsOrderAndItsBytesThroughSaveAndLoad)
{
    // Far past the records a playlist holds before it starts growing by half at a time.
    constexpr int RECORDS = 5000;
    {
        CLmPlayListCtrl lists(file.c_str());
        LoadWith(lists, L"\n@big\n\n@after\n\n");
        CLmPlayList* big = lists.PlayListAt(0);
        for (int i = 0; i < RECORDS; i++) {
            const std::wstring path = L"D:\\" + std::to_wstring((i * 7919) % RECORDS) + L".mp3";
            ASSERT_EQ(big->Add(NewRecord(path.c_str(), i, L"t", L"", L"")), 1);
        }
        lists.PlayListAt(1)->Add(NewRecord(L"C:\\last.mp3", 1, L"", L"", L""));
        ASSERT_EQ(lists.SavePlayLists(), 1);
    }
    const std::string saved = ReadFileBytes(file);
    CLmPlayListCtrl loaded(file.c_str());
    Load(loaded);
    ASSERT_EQ(Names(loaded), (std::vector<std::wstring>{L"big", L"after"}));
    const CLmPlayList* big = loaded.PlayListAt(0);
    ASSERT_EQ(big->GetCount(), RECORDS);
    int inOrder = 0;
    while (inOrder < RECORDS && big->GetAt(inOrder)->GetDuration() == inOrder
           && std::wstring(big->GetAt(inOrder)->GetPath())
                  == L"D:\\" + std::to_wstring((inOrder * 7919) % RECORDS) + L".mp3")
        inOrder++;
    EXPECT_EQ(inOrder, RECORDS);
    EXPECT_EQ(loaded.PlayListAt(1)->GetCount(), 1);
    ASSERT_EQ(loaded.SavePlayLists(), 1);
    EXPECT_EQ(ReadFileBytes(file), saved);
}

TEST_F(CLmPlayListFileTest, RecordLinesNeedFiveSeparatorsAndReadTheDurationLikeAnInteger)
{
    CLmMediaInfo* four = CLmPlayListFile::ParseRecord((L"#p" + SEP + L"1" + SEP + L"t" + SEP + L"a" + SEP
                                                    + L"x").c_str());
    EXPECT_EQ(four, nullptr);
    CLmMediaInfo* noDigits = CLmPlayListFile::ParseRecord((L"#x" + SEP + SEP + SEP + SEP + SEP).c_str());
    ASSERT_TRUE(noDigits);
    EXPECT_EQ(noDigits->GetDuration(), 0);
    EXPECT_STREQ(noDigits->GetPath(), L"x");
    EXPECT_EQ(noDigits->GetRefCount(), 0) << "a parsed record is counted and held by no one";
    delete noDigits;
    CLmMediaInfo* signedDuration = CLmPlayListFile::ParseRecord(
        (L"#p" + SEP + L" \t+42x" + SEP + L"t" + SEP + SEP + L"r" + SEP + L"ignored tail").c_str());
    ASSERT_TRUE(signedDuration);
    EXPECT_EQ(signedDuration->GetDuration(), 42);
    EXPECT_STREQ(signedDuration->GetArtist(), L"r");
    delete signedDuration;
    EXPECT_EQ(CLmPlayListFile::ParseRecord(L"p\xFFFD"), nullptr);
}

TEST_F(CLmPlayListFileTest, EmptyOrMarkOnlyFileGivesTheDefaultListSelected)
{
    for (const std::string& bytes : {std::string(), std::string("\xFF\xFE")}) {
        ASSERT_TRUE(WriteFileBytes(file, bytes));
        CLmPlayListCtrl lists(file.c_str());
        Load(lists);
        EXPECT_EQ(Names(lists), std::vector<std::wstring>{L"默认列表"});
        EXPECT_EQ(lists.GetSelectedPlayList(), lists.PlayListAt(0));
    }
    // A missing file gives the same, and loading writes nothing.
    DeleteFileW(file.c_str());
    CLmPlayListCtrl lists(file.c_str());
    Load(lists);
    EXPECT_EQ(Names(lists), std::vector<std::wstring>{L"默认列表"});
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CLmPlayListFileTest, SavedIndexIsClampedAndTheClampedIndexStored)
{
    ASSERT_TRUE(WriteFileBytes(file, Utf16FileBytes(L"\n@a\n\n@b\n\n@c\n\n")));
    LmSettings::SetPlayListSelected(7);
    ASSERT_EQ(LmSettings::SaveSettings(), 1);
    CLmPlayListCtrl lists(file.c_str());
    Load(lists);
    EXPECT_EQ(lists.GetSelectedPlayList(), lists.PlayListAt(2));
    EXPECT_EQ(LmSettings::GetPlayListSelected(), 2);
    std::string stored = ReadFileBytes(settings);
    EXPECT_NE(stored.find(Utf16Bytes(L"PlayListSelected = 2\n")), std::string::npos);
}

TEST_F(CLmPlayListFileTest, NamesCompareFoldingOnlyLatinCapitals)
{
    CLmPlayListCtrl lists(file.c_str());
    LoadWith(lists, L"\n@ABC\n\n@Ä列表\n\n");
    EXPECT_EQ(lists.NameExists(L"abc"), 1);
    EXPECT_EQ(lists.NameExists(L"aBc"), 1);
    EXPECT_EQ(lists.NameExists(L"ä列表"), 0) << "only A-Z fold";
    EXPECT_EQ(lists.NameExists(L"Ä列表"), 1);
    EXPECT_EQ(lists.NameExists(L"ABCD"), 0);
    EXPECT_LT(CompareNames(L"a", L"B"), 0);
    EXPECT_GT(CompareNames(L"b", L"A"), 0);
    EXPECT_EQ(CompareNames(L"C:\\MUSIC\\X.MP3", L"c:\\music\\x.mp3"), 0);
    // Renaming to the same name in other capitals is a plain rename of the selected list.
    lists.SelectPlayListByIndex(0);
    EXPECT_EQ(lists.RenamePlayList(L"abc"), 1);
    EXPECT_STREQ(lists.PlayListAt(0)->GetName(), L"abc");
}

TEST_F(CLmPlayListFileTest, DeletingSelectsTheNextListOrThePreviousForTheLast)
{
    CLmPlayListCtrl empty(file.c_str());
    EXPECT_EQ(empty.DeletePlayList(), 0) << "nothing selected before the load";
    EXPECT_EQ(empty.RenamePlayList(L"x"), 0);
    EXPECT_EQ(empty.AddPlayList(L"x"), nullptr) << "no group to hold it before the load";
    CLmPlayListCtrl lists(file.c_str());
    LoadWith(lists, L"\n@a\n\n@b\n\n@c\n\n@d\n\n");
    lists.SelectPlayListByIndex(1);
    ASSERT_EQ(lists.DeletePlayList(), 1);
    EXPECT_EQ(Names(lists), (std::vector<std::wstring>{L"a", L"c", L"d"}));
    EXPECT_STREQ(lists.GetSelectedPlayList()->GetName(), L"c");
    EXPECT_EQ(LmSettings::GetPlayListSelected(), 1);
    lists.SelectPlayListByIndex(99);
    EXPECT_STREQ(lists.GetSelectedPlayList()->GetName(), L"d");
    ASSERT_EQ(lists.DeletePlayList(), 1);
    EXPECT_STREQ(lists.GetSelectedPlayList()->GetName(), L"c");
    EXPECT_EQ(LmSettings::GetPlayListSelected(), 1);
    lists.SelectPlayListByIndex(-5);
    EXPECT_STREQ(lists.GetSelectedPlayList()->GetName(), L"a");
    EXPECT_EQ(lists.IndexOfPlayList(lists.PlayListAt(1)), 1);
    EXPECT_EQ(lists.IndexOfPlayList(nullptr), -1);
}

TEST_F(CLmPlayListFileTest, RecordsAreReleasedByTheLastHolder)
{
    CLmMediaInfo* shared = NewMediaInfoForFile(L"C:\\Music\\song.live.mp3");
    ASSERT_TRUE(shared);
    EXPECT_STREQ(shared->GetTitle(), L"song.live");
    EXPECT_EQ(shared->GetDuration(), 0);
    shared->AddRef();   // the test's own hold
    {
        CLmPlayList list;
        list.Add(shared);
        list.Add(shared);
        EXPECT_EQ(shared->GetRefCount(), 3);
        EXPECT_EQ(list.RemoveAt(0), 1);
        EXPECT_EQ(shared->GetRefCount(), 2);
        EXPECT_EQ(list.RemoveAt(5), 0);
    }
    EXPECT_EQ(shared->GetRefCount(), 1);
    // A text set later takes storage of its own; the others stay as they were.
    EXPECT_EQ(shared->SetTitle(L"A title longer than the base name"), 33);
    EXPECT_EQ(shared->SetArtist(L"歌手"), 2);
    EXPECT_STREQ(shared->GetTitle(), L"A title longer than the base name");
    EXPECT_STREQ(shared->GetPath(), L"C:\\Music\\song.live.mp3");
    EXPECT_STREQ(shared->GetArtist(), L"歌手");
    EXPECT_STREQ(shared->GetAlbum(), L"");
    shared->Release();
}

TEST_F(CLmPlayListFileTest, SortOrdersPutEmptyTagsFirstAndFallBackToTheNextKey)
{
    CLmMediaInfo* a = NewRecord(L"p", 0, L"b", L"", L"");
    CLmMediaInfo* b = NewRecord(L"p", 0, L"a", L"X", L"");
    CLmMediaInfo* c = NewRecord(L"p", 0, L"c", L"", L"Zed");
    CLmMediaInfo* d = NewRecord(L"p", 0, L"A", L"x", L"zed");
    EXPECT_LT(CompareByArtist(a, c), 0) << "empty artist first";
    EXPECT_LT(CompareByArtist(a, b), 0) << "same artist: empty album first";
    EXPECT_GT(CompareByArtist(b, a), 0);
    EXPECT_GT(CompareByArtist(d, c), 0) << "artists equal in other capitals: c's empty album first";
    EXPECT_EQ(CompareByFileName(b, d), 0);
    EXPECT_LT(CompareByFileName(b, a), 0);
    for (CLmMediaInfo* info : {a, b, c, d})
        delete info;
}

TEST_F(CLmPlayListFileTest, SortKeysOrderRecordsExactlyAsTheTwoSortOrdersCompareThem)
{
    // Texts with equal ones under the folding, empty ones, shared prefixes and other scripts.
    const wchar_t* const titles[] = {L"Song", L"song", L"Songs", L"So", L"", L"歌", L"Song 2",
                                     L"SONG 10", L"a", L"Zebra", L"songbird", L"Son"};
    const wchar_t* const tags[] = {L"", L"abba", L"ABBA", L"Queen", L"queen", L"Q", L"王菲"};
    std::mt19937 random(7);
    std::vector<CLmMediaInfo*> records;
    for (int i = 0; i < 300; i++)
        records.push_back(NewRecord(L"C:\\x.mp3", 1, titles[random() % 12], tags[random() % 7],
                                    tags[random() % 7]));
    std::vector<const CKMediaInfo*> view(records.begin(), records.end());
    for (int byArtist = 0; byArtist < 2; byArtist++) {
        for (int descending = 0; descending < 2; descending++) {
            std::vector<unsigned long long> keys(records.size());
            ASSERT_EQ(MakeSortKeys(view.data(), (int)view.size(), byArtist, descending, keys.data()), 1);
            int disagreements = 0;
            for (size_t a = 0; a < records.size(); a++) {
                for (size_t b = 0; b < records.size(); b++) {
                    int order = byArtist ? CompareByArtist(view[a], view[b])
                                         : CompareByFileName(view[a], view[b]);
                    order = descending ? -order : order;
                    const int keyOrder = keys[a] < keys[b] ? -1 : keys[a] > keys[b] ? 1 : 0;
                    disagreements += (order > 0) - (order < 0) != keyOrder;
                }
            }
            EXPECT_EQ(disagreements, 0) << "by artist " << byArtist << ", descending " << descending;
        }
    }
    for (CLmMediaInfo* record : records)
        delete record;
}

TEST_F(CLmPlayListFileTest, DamagedFilesKeepEveryReadableListAndRecord)
{
    std::wstring good = L"#C:\\ok.mp3" + SEP + L"5" + SEP + L"ok" + SEP + SEP + SEP;
    std::wstring text = L"\n#C:\\orphan.mp3" + SEP + L"1" + SEP + SEP + SEP + SEP + L"\n"   // before any '@'
                        + L"@first\n" + good + L"\n#C:\\short.mp3" + SEP + L"1" + SEP + L"\n"
                        + std::wstring(5000, L'x') + L"\n" + L"@second\n" + good + L"\n"
                        + L"#C:\\cut.mp3" + SEP + L"12";   // truncated inside a record
    std::string bytes = Utf16FileBytes(text);
    bytes += "\x41";   // half a unit at the end
    ASSERT_TRUE(WriteFileBytes(file, bytes));
    CLmPlayListCtrl lists(file.c_str());
    Load(lists);
    ASSERT_EQ(Names(lists), (std::vector<std::wstring>{L"first", L"second"}));
    EXPECT_EQ(lists.PlayListAt(0)->GetCount(), 1);
    EXPECT_EQ(lists.PlayListAt(1)->GetCount(), 1);
    ASSERT_EQ(lists.SavePlayLists(), 1);
    std::wstring saved = FileText();
    EXPECT_EQ(saved, L"\xFEFF\n@first\n" + good + L"\n\n@second\n" + good + L"\n\n");
}

TEST_F(CLmPlayListFileTest, ARecordLineLongerThanTheReaderTakesIsDroppedWholeNotSplit)
{
    // Cut after the reader's limit, the tail of this line would read as a record of its own.
    const std::wstring head = L"#C:\\" + std::wstring(PLAYLIST_MAX_LINE - 4, L'x');
    const std::wstring crafted = head + L"#C:\\injected.mp3" + SEP
                                 + L"1" + SEP + SEP + SEP + SEP;
    const std::wstring good = L"#C:\\ok.mp3" + SEP + L"5" + SEP + SEP + SEP + SEP;
    ASSERT_TRUE(WriteFileBytes(file, Utf16FileBytes(L"\n@list\n" + crafted + L"\n" + good + L"\n")));
    CLmPlayListCtrl lists(file.c_str());
    Load(lists);
    ASSERT_EQ(Names(lists), std::vector<std::wstring>{L"list"});
    ASSERT_EQ(lists.PlayListAt(0)->GetCount(), 1);
    EXPECT_STREQ(lists.PlayListAt(0)->GetAt(0)->GetPath(), L"C:\\ok.mp3");
}

TEST_F(CLmPlayListFileTest, UnreadableFilesAreKeptAsACopyBeforeTheDefaultListReplacesThem)
{
    // A UTF-8 playlist file (written by hand or another tool) reads as no playlist at all.
    std::string utf8 = "\n@Rock\n#C:\\a.mp3\xEF\xBF\xBD" "1\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\n";
    ASSERT_TRUE(WriteFileBytes(file, utf8));
    CLmPlayListCtrl lists(file.c_str());
    Load(lists);
    EXPECT_EQ(Names(lists), std::vector<std::wstring>{L"默认列表"});
    EXPECT_EQ(ReadFileBytes(file + L".unreadable"), utf8);
    ASSERT_EQ(lists.SavePlayLists(), 1);
    EXPECT_EQ(FileText(), L"\xFEFF\n@默认列表\n\n");
}

TEST_F(CLmPlayListFileTest, ManyEmptyLinesAndBinaryGarbageLoadWithoutHanging)
{
    std::string bytes = "\xFF\xFE";
    bytes += Utf16Bytes(L"\n@list\n");
    const std::string lineFeed("\n\0", 2);
    for (int i = 0; i < 1000000; i++)
        bytes += lineFeed;   // a million empty lines
    unsigned seed = 12345;
    for (int i = 0; i < 100000; i++) {
        seed = seed * 214013 + 2531011;
        bytes += (char)(seed >> 16);
    }
    ASSERT_TRUE(WriteFileBytes(file, bytes));
    DWORD start = GetTickCount();
    CLmPlayListCtrl lists(file.c_str());
    Load(lists);
    EXPECT_LT(GetTickCount() - start, 20000u);
    ASSERT_GE(lists.GetPlayListCount(), 1);
    EXPECT_STREQ(lists.PlayListAt(0)->GetName(), L"list");
    EXPECT_EQ(lists.SavePlayLists(), 1);
}

TEST_F(CLmPlayListFileTest, AFailedSaveLeavesThePreviousFileIntact)
{
    CLmPlayListCtrl lists(file.c_str());
    LoadWith(lists, L"\n@keep\n\n");
    lists.PlayListAt(0)->Add(NewRecord(L"C:\\k.mp3", 1, L"k", L"", L""));
    ASSERT_EQ(lists.SavePlayLists(), 1);
    std::string before = ReadFileBytes(file);
    // The file cannot be replaced while another program holds it open.
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    lists.AddPlayList(L"lost");
    EXPECT_EQ(lists.SavePlayLists(), 0);
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_FALSE(SaveLeftoverExists(file));
    EXPECT_EQ(lists.SavePlayLists(), 1);
    EXPECT_NE(ReadFileBytes(file), before);
}

TEST(CLmPathIndex, FindsPathsUnderTheFoldingRuleAndCountsRows)
{
    CLmPathIndex index;
    index.Add(L"C:\\Music\\A.mp3");
    index.Add(L"c:\\music\\a.MP3");
    EXPECT_EQ(index.Contains(L"C:\\MUSIC\\A.MP3"), 1);
    EXPECT_EQ(index.Contains(L"C:\\Music\\Ä.mp3"), 0);
    index.Remove(L"C:\\MUSIC\\a.mp3");
    EXPECT_EQ(index.Contains(L"c:\\music\\a.mp3"), 1) << "one row with that path is left";
    index.Remove(L"C:\\Music\\A.mp3");
    EXPECT_EQ(index.Contains(L"c:\\music\\a.mp3"), 0);

    // Thousands of paths (the table grows many times), every third removed again by its pointer:
    // the others are still found, under the folding, and the removed ones are not.
    std::vector<std::wstring> added, upper;
    for (int i = 0; i < 5000; i++) {
        added.push_back(L"D:\\Music\\" + std::to_wstring(i * 7) + L".mp3");
        upper.push_back(L"d:\\MUSIC\\" + std::to_wstring(i * 7) + L".MP3");
    }
    for (const std::wstring& path : added)
        index.Add(path.c_str());
    for (size_t i = 0; i < added.size(); i += 3)
        index.Remove(added[i].c_str());
    int wrong = 0;
    for (size_t i = 0; i < added.size(); i++)
        wrong += index.Contains(upper[i].c_str()) != (i % 3 ? 1 : 0);
    EXPECT_EQ(wrong, 0);
    index.Clear();
    EXPECT_EQ(index.Contains(added[1].c_str()), 0);
}
