// The rules of list playback without a window or a media graph: a stand-in transport plays
// "files" by their paths and a stand-in page records what it is told to show. The loop types at
// the ends of the list, next after the end of a file, files that cannot be played, and what
// "Settings.ini" keeps of it all.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "KFileFixtures.h"
#include "app/CLmPlayback.h"
#include "app/CLmTransport.h"
#include "app/LmSettings.h"
#include "foundation/KPaths.h"
#include "media/CKMediaPlayer.h"
#include "media/KPlayOrder.h"
#include "media/KRandom.h"

namespace {

// Plays any path not listed as unplayable, as the media player does: open only when closed.
class KStandInTransport : public CLmTransport
{
public:
    int Open(const wchar_t* path) override
    {
        if (state != KMEDIA_CLOSED || unplayable.count(path))
            return 0;
        state = KMEDIA_OPEN;
        positionMs = 0;
        return 1;
    }
    void Close() override { state = KMEDIA_CLOSED; }
    int Play() override { return state == KMEDIA_CLOSED ? 0 : (state = KMEDIA_PLAYING, 1); }
    int Pause() override
    {
        if (state == KMEDIA_PLAYING)
            state = KMEDIA_PAUSED;
        return state != KMEDIA_CLOSED;
    }
    int Stop() override { return state == KMEDIA_CLOSED ? 0 : (state = KMEDIA_STOPPED, 1); }
    int SetPosition(int ms) override { return state == KMEDIA_CLOSED ? 0 : (positionMs = ms, 1); }
    int GetDuration() override { return state == KMEDIA_CLOSED ? -1 : DURATION_MS; }
    int GetPosition() override { return state == KMEDIA_CLOSED ? -1 : positionMs; }
    int GetState() const override { return state; }

    static constexpr int DURATION_MS = 10000;
    std::set<std::wstring> unplayable;
    int state = KMEDIA_CLOSED;
    int positionMs = 0;
};

// One playlist shown; records what the page is told.
class KStandInPage : public CLmPlaybackHost
{
public:
    CLmPlayList* GetShownPlayList() const override { return shown; }
    int IndexOfPlayList(const CLmPlayList* list) const override { return list == shown ? 0 : -1; }
    void ShowRowStarting(int row) override { told.push_back("row " + std::to_string(row)); }
    void ShowFileStarted(int startMs) override
    {
        told.push_back("started " + std::to_string(startMs));
    }
    void ShowStopped(bool unselectRow) override
    {
        told.push_back(unselectRow ? "stopped, unselected" : "stopped");
    }
    void ShowPlaying(bool playing) override { told.push_back(playing ? "playing" : "paused"); }
    void ShowEmptyList() override { told.push_back("empty list"); }
    void ShowUnplayable() override { told.push_back("unplayable"); }

    CLmPlayList* shown = nullptr;
    std::vector<std::string> told;
};

typedef std::vector<std::string> Told;

class CLmPlaybackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeleteFileW(SettingsPath().c_str());
        LmSettings::LoadSettings();
        KSeedRandom(1);
        page.shown = &list;
        playback.Connect(&transport, &page);
    }
    void TearDown() override
    {
        LmSettings::SaveAndCloseSettings();
        DeleteFileW(SettingsPath().c_str());
    }

    static std::wstring SettingsPath() { return std::wstring(GetModuleDir()) + LmSettings::SETTINGS_FILE_NAME; }
    static std::string SettingsBytes() { return ReadFileBytes(SettingsPath()); }

    // Rows "C:\music\0.wav" ... of the shown list.
    void AddRows(int count)
    {
        for (int i = 0; i < count; i++)
            ASSERT_TRUE(list.AddFile(Path(i).c_str()));
    }
    static std::wstring Path(int row) { return L"C:\\music\\" + std::to_wstring(row) + L".wav"; }
    // The playing file reaches its end: the page's player reports it, and next is played.
    void EndOfFile()
    {
        transport.positionMs = KStandInTransport::DURATION_MS;
        playback.PlayNext();
    }
    // What the page was told since the last call.
    Told TakeTold()
    {
        Told told;
        told.swap(page.told);
        return told;
    }

    CLmPlayList list;
    KStandInTransport transport;
    KStandInPage page;
    CLmPlayback playback;
};

} // namespace

TEST_F(CLmPlaybackTest, LoopTypeOnceStopsAfterTheLastRowAndPreviousGoesBack)
{
    AddRows(3);
    EXPECT_EQ(playback.GetLoopType(), KLOOP_ONCE);
    ASSERT_EQ(playback.PlayRow(2), 1);
    EXPECT_EQ(TakeTold(), (Told{"row 2", "started 0"}));
    EndOfFile();
    EXPECT_EQ(transport.GetState(), KMEDIA_STOPPED) << "the end stops playback";
    EXPECT_EQ(playback.GetPlayingIndex(), 2);
    EXPECT_EQ(TakeTold(), Told{"stopped, unselected"});

    EXPECT_EQ(playback.PlayNext(), 0);
    EXPECT_EQ(transport.GetState(), KMEDIA_STOPPED) << "nothing after the last row";
    EXPECT_EQ(playback.PlayPrevious(), 1);
    EXPECT_EQ(playback.GetPlayingIndex(), 1);
    EXPECT_EQ(transport.GetState(), KMEDIA_PLAYING);
    EXPECT_EQ(SettingsBytes(), Utf16FileBytes(L"\n[Default]\nPlayingFile = 1\n"));
}

TEST_F(CLmPlaybackTest, LoopTypeAllWrapsToTheFirstRowAndShuffleDrawsAgain)
{
    AddRows(3);
    playback.SetLoopType(KLOOP_ALL);
    EXPECT_EQ(SettingsBytes(), Utf16FileBytes(L"\n[Default]\nLoopType = 1\n"));

    // Previous from row 0 wraps to the last row; the end of the last row plays row 0.
    playback.PlayRow(0);
    playback.PlayPrevious();
    ASSERT_EQ(playback.GetPlayingIndex(), 2);
    EndOfFile();
    EXPECT_EQ(playback.GetPlayingIndex(), 0);
    EXPECT_EQ(transport.GetState(), KMEDIA_PLAYING);

    // Shuffle: every choice is drawn with the process's generator.
    playback.SetLoopType(KLOOP_SHUFFLE);
    KSeedRandom(77);
    const int expected = KNextRow(3, 0, KLOOP_SHUFFLE, 1);
    KSeedRandom(77);
    playback.PlayNext();
    EXPECT_EQ(playback.GetPlayingIndex(), expected);
    playback.SetLoopType(KLOOP_ONCE);
    EXPECT_EQ(SettingsBytes(), Utf16FileBytes(L"\n[Default]\nLoopType = 0\nPlayingFile = " +
                                              std::to_wstring(expected) + L"\n"));
}

TEST_F(CLmPlaybackTest, ShuffleWithOneRowPlaysItAgainAtItsEnd)
{
    AddRows(1);
    playback.SetLoopType(KLOOP_SHUFFLE);
    playback.PlayRow(0);
    TakeTold();
    EndOfFile();
    EXPECT_EQ(transport.GetState(), KMEDIA_PLAYING);
    EXPECT_EQ(transport.GetPosition(), 0) << "the file starts again";
    EXPECT_EQ(playback.GetPlayingIndex(), 0);
    EXPECT_EQ(TakeTold(), (Told{"stopped, unselected", "row 0", "started 0"}));
}

TEST_F(CLmPlaybackTest, AFileThatCannotBePlayedIsRefusedAndTheChainStopsThere)
{
    AddRows(3);
    transport.unplayable = {Path(1), Path(2)};
    // The good file ends and the next one cannot be opened: refused, no more files.
    playback.PlayRow(0);
    EndOfFile();
    EXPECT_EQ(playback.GetPlayingIndex(), 1) << "the index stays on the failed row";
    EXPECT_EQ(transport.GetState(), KMEDIA_CLOSED);
    EXPECT_EQ(TakeTold(), (Told{"row 0", "started 0", "stopped, unselected", "row 1", "stopped",
                                "unplayable"}));
    EXPECT_EQ(SettingsBytes(), std::string()) << "only started files are stored";

    // The next failure is told too; next continues from the failed row.
    EXPECT_EQ(playback.PlayRow(2), 0);
    EXPECT_EQ(playback.GetPlayingIndex(), 2);
    EXPECT_EQ(TakeTold(), (Told{"row 2", "stopped", "unplayable"}));
    playback.SetLoopType(KLOOP_ALL);
    playback.PlayNext();
    EXPECT_EQ(playback.GetPlayingIndex(), 0);
    EXPECT_EQ(transport.GetState(), KMEDIA_PLAYING);
}
