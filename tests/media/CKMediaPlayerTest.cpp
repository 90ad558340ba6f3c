// CKMediaPlayer on real audio files through the platform's media graph: durations and positions,
// the state table, seeking units, the position tick, the end notification and the repeat option.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include "KTestSupport.h"
#include "MediaTestFiles.h"
#include "foundation/KPaths.h"
#include "media/CKMediaInfo.h"
#include "media/CKMediaPlayer.h"
#include "ui/CKWindow.h"

namespace {

// A window that records the notifications it receives.
class NotifiedWindow : public CKWindow
{
public:
    int positions = 0;
    int ends = 0;
    int lastId = 0;
    INT_PTR lastParam = 0;

    int OnNotify(int id, int code, INT_PTR param) override
    {
        if (code == KMEDIA_NOTIFY_POSITION)
            positions++;
        else if (code == KMEDIA_NOTIFY_END)
            ends++;
        lastId = id;
        lastParam = param;
        return 0;
    }
};

// A player that notes each end of stream the graph reports before handling it.
class CompletionCounter : public CKMediaPlayer
{
public:
    int completions = 0;
    DWORD lastCompleteTick = 0;

    void OnComplete() override
    {
        completions++;
        lastCompleteTick = GetTickCount();
        CKMediaPlayer::OnComplete();
    }
};

// Seeks this close to the end of long.wav (95 s) so that its end comes quickly.
constexpr int NEAR_END_MS = 94700;

} // namespace

TEST(CKMediaPlayer, ReportsTheDurationOfWavAiffAndMp3FilesInMilliseconds)
{
    CKMediaPlayer player;
    ASSERT_EQ(1, player.Create(nullptr, 0));
    EXPECT_EQ(-1, player.GetDuration()) << "closed";

    ASSERT_EQ(1, player.Open(MediaFixture(L"tone.wav").c_str()));
    EXPECT_EQ(KMEDIA_OPEN, player.GetState());
    EXPECT_EQ(1000, player.GetDuration());
    EXPECT_EQ(0, player.GetPosition());
    player.Close();
    EXPECT_EQ(KMEDIA_CLOSED, player.GetState());
    EXPECT_EQ(-1, player.GetDuration());
    EXPECT_EQ(-1, player.GetPosition());

    ASSERT_EQ(1, player.Open(MediaFixture(L"tone.aiff").c_str()));
    EXPECT_EQ(1000, player.GetDuration());
    player.Close();

    // The MP3 encoder pads the stream with up to two frames.
    ASSERT_EQ(1, player.Open(MediaFixture(L"tone.mp3").c_str()));
    EXPECT_GE(player.GetDuration(), 1000);
    EXPECT_LE(player.GetDuration(), 1110);
    player.Close();

    ASSERT_EQ(1, player.Open(MediaFixture(L"long.wav").c_str()));
    EXPECT_EQ(95000, player.GetDuration());
    player.Destroy();
    EXPECT_EQ(-1, player.GetDuration()) << "destroyed";
}

TEST(CKMediaPlayer, PlayPausePlayStopFollowsTheStateTable)
{
    CKMediaPlayer player;
    EXPECT_EQ(0, player.Open(MediaFixture(L"tone.wav").c_str())) << "not created";
    ASSERT_EQ(1, player.Create(nullptr, 0));

    // Closed: everything is refused.
    EXPECT_EQ(0, player.Play());
    EXPECT_EQ(0, player.Pause());
    EXPECT_EQ(0, player.Stop());
    EXPECT_EQ(0, player.SetPosition(100));
    EXPECT_EQ(KMEDIA_CLOSED, player.GetState());

    ASSERT_EQ(1, player.Open(MediaFixture(L"long.wav").c_str()));
    EXPECT_EQ(0, player.Open(MediaFixture(L"tone.wav").c_str())) << "open only when closed";
    EXPECT_EQ(95000, player.GetDuration()) << "the first file stays open";

    // Open but never played: pause and stop succeed and change nothing.
    EXPECT_EQ(1, player.Pause());
    EXPECT_EQ(KMEDIA_OPEN, player.GetState());
    EXPECT_EQ(1, player.Stop());
    EXPECT_EQ(KMEDIA_OPEN, player.GetState());

    ASSERT_EQ(1, player.Play());
    EXPECT_EQ(KMEDIA_PLAYING, player.GetState());
    EXPECT_EQ(1, player.Play()) << "already playing";
    PumpMessagesFor(300);
    int playedTo = player.GetPosition();
    EXPECT_GE(playedTo, 150);
    EXPECT_LE(playedTo, 600);

    ASSERT_EQ(1, player.Pause());
    EXPECT_EQ(KMEDIA_PAUSED, player.GetState());
    int pausedAt = player.GetPosition();
    PumpMessagesFor(300);
    EXPECT_NEAR(pausedAt, player.GetPosition(), 20) << "a paused file does not advance";
    EXPECT_EQ(1, player.Pause());
    EXPECT_EQ(KMEDIA_PAUSED, player.GetState());

    ASSERT_EQ(1, player.Play());
    EXPECT_EQ(KMEDIA_PLAYING, player.GetState());
    PumpMessagesFor(300);
    EXPECT_GE(player.GetPosition(), pausedAt + 150) << "resumed where it paused";

    ASSERT_EQ(1, player.Stop());
    EXPECT_EQ(KMEDIA_STOPPED, player.GetState());
    EXPECT_EQ(1, player.Pause()) << "pausing a stopped file changes nothing";
    EXPECT_EQ(KMEDIA_STOPPED, player.GetState());
    ASSERT_EQ(1, player.Play());
    EXPECT_EQ(KMEDIA_PLAYING, player.GetState());

    player.Close();
    EXPECT_EQ(KMEDIA_CLOSED, player.GetState());
    EXPECT_EQ(0, player.Play());
}

TEST(CKMediaPlayer, SetPositionTakesMillisecondsAndSeeksInHundredNanosecondUnits)
{
    CKMediaPlayer player;
    ASSERT_EQ(1, player.Create(nullptr, 0));
    ASSERT_EQ(1, player.Open(MediaFixture(L"long.wav").c_str()));

    // 90000 ms is 900000000 units of 100 ns: 90 s into the 95 s file.
    EXPECT_EQ(1, player.SetPosition(90000));
    EXPECT_EQ(90000, player.GetPosition());
    EXPECT_EQ(1, player.SetPosition(1234));
    EXPECT_EQ(1234, player.GetPosition());

    // Whatever the service makes of a position past the end, the player answers 1.
    EXPECT_EQ(1, player.SetPosition(200000));

    ASSERT_EQ(1, player.SetPosition(90000));
    ASSERT_EQ(1, player.Play());
    PumpMessagesFor(250);
    EXPECT_GE(player.GetPosition(), 90100);
    EXPECT_LT(player.GetPosition(), 91000);
}

TEST(CKMediaPlayer, PositionTicksEvery600MsOnlyWhilePlaying)
{
    CountingObserver observer;
    CKMediaPlayer player;
    ASSERT_EQ(1, player.Create(nullptr, 0));
    player.SetObserver(&observer);
    ASSERT_EQ(1, player.Open(MediaFixture(L"long.wav").c_str()));

    PumpMessagesFor(300);
    EXPECT_EQ(0, observer.positions) << "open, not playing";

    ASSERT_EQ(1, player.Play());
    DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return observer.positions == 2; }, 2000));
    int twoTicks = (int)(GetTickCount() - start);
    EXPECT_GE(twoTicks, 1180);
    EXPECT_LE(twoTicks, 1500);
    EXPECT_EQ(&player, observer.lastPlayer);

    ASSERT_EQ(1, player.Pause());
    PumpMessagesFor(650);
    EXPECT_EQ(2, observer.positions) << "paused";

    ASSERT_EQ(1, player.Stop());
    PumpMessagesFor(650);
    EXPECT_EQ(2, observer.positions) << "stopped";
    EXPECT_EQ(0, observer.ends);
    EXPECT_EQ(0, observer.pauses) << "the player never reports a pause of its own";
}

TEST(CKMediaPlayer, EndOfFileSendsExactlyOneEndNotification50MsLater)
{
    ASSERT_TRUE(EnsureTestFrame());
    CountingObserver observer;
    CompletionCounter player;
    ASSERT_EQ(1, player.Create(nullptr, 0));
    player.SetObserver(&observer);
    ASSERT_EQ(1, player.Open(MediaFixture(L"long.wav").c_str()));
    ASSERT_EQ(1, player.SetPosition(NEAR_END_MS));
    ASSERT_EQ(1, player.Play());

    ASSERT_TRUE(PumpUntil([&] { return observer.ends > 0; }, 3000));
    EXPECT_EQ(1, player.completions);
    int delay = (int)(observer.lastEndTick - player.lastCompleteTick);
    EXPECT_GE(delay, 45);
    EXPECT_LE(delay, 300);
    EXPECT_EQ(&player, observer.lastPlayer);
    EXPECT_EQ(KMEDIA_PLAYING, player.GetState()) << "playing until the owner reacts";

    // The graph runs on; bring it to its end a second time without playing again.
    ASSERT_EQ(1, player.SetPosition(NEAR_END_MS));
    ASSERT_TRUE(PumpUntil([&] { return player.completions > 1; }, 3000));
    PumpMessagesFor(200);
    EXPECT_EQ(1, observer.ends) << "a second completion before the next Play raises nothing";

    // Play clears the end: the next end is reported again.
    ASSERT_EQ(1, player.Play());
    ASSERT_EQ(1, player.SetPosition(NEAR_END_MS));
    ASSERT_TRUE(PumpUntil([&] { return observer.ends > 1; }, 3000));
    EXPECT_EQ(3, player.completions);
}

TEST(CKMediaPlayer, NotifyWindowGetsTicksAndTheEndUnlessAnObserverIsSet)
{
    ASSERT_TRUE(EnsureTestFrame());
    NotifiedWindow window;
    CKMediaPlayer player;
    ASSERT_EQ(1, player.Create(nullptr, 0));
    player.SetNotifyWindow(&window, 5020);
    ASSERT_EQ(1, player.Open(MediaFixture(L"long.wav").c_str()));
    ASSERT_EQ(1, player.SetPosition(94000));
    ASSERT_EQ(1, player.Play());

    ASSERT_TRUE(PumpUntil([&] { return window.ends == 1; }, 3000));
    EXPECT_EQ(1, window.positions) << "one tick at 600 ms, the end about a second after Play";
    EXPECT_EQ(5020, window.lastId);
    EXPECT_EQ((INT_PTR)&player, window.lastParam);

    // With an observer as well, the observer alone is told.
    CountingObserver observer;
    player.SetObserver(&observer);
    player.Close();
    ASSERT_EQ(1, player.Open(MediaFixture(L"long.wav").c_str()));
    ASSERT_EQ(1, player.SetPosition(NEAR_END_MS));
    ASSERT_EQ(1, player.Play());
    ASSERT_TRUE(PumpUntil([&] { return observer.ends == 1; }, 3000));
    EXPECT_EQ(1, window.ends);
    EXPECT_EQ(1, window.positions);
}

TEST(CKMediaPlayer, RepeatOptionStartsTheFileAgainInsteadOfEnding)
{
    ASSERT_TRUE(EnsureTestFrame());
    CountingObserver observer;
    CompletionCounter player;
    ASSERT_EQ(1, player.Create(nullptr, KMEDIA_OPT_REPEAT));
    player.SetObserver(&observer);
    ASSERT_EQ(1, player.Open(MediaFixture(L"tone.wav").c_str()));
    ASSERT_EQ(1, player.SetPosition(700));
    ASSERT_EQ(1, player.Play());

    ASSERT_TRUE(PumpUntil([&] { return player.completions == 1; }, 2000));
    DWORD firstEnd = player.lastCompleteTick;
    // The whole second plays again before the next end: far longer than the 300 ms left after the
    // first start at 700 ms, with room for a first end noticed late on a busy machine.
    ASSERT_TRUE(PumpUntil([&] { return player.completions == 2; }, 2500));
    int again = (int)(player.lastCompleteTick - firstEnd);
    EXPECT_GE(again, 600);
    EXPECT_LE(again, 1600);
    PumpMessagesFor(100);
    EXPECT_EQ(KMEDIA_PLAYING, player.GetState());
    EXPECT_EQ(0, observer.ends);
}

TEST(CKMediaPlayer, EndNotificationOfADestroyedOrDeletedPlayerIsDropped)
{
    ASSERT_TRUE(EnsureTestFrame());
    CountingObserver observer;

    CompletionCounter destroyed;
    ASSERT_EQ(1, destroyed.Create(nullptr, 0));
    destroyed.SetObserver(&observer);
    ASSERT_EQ(1, destroyed.Open(MediaFixture(L"long.wav").c_str()));
    ASSERT_EQ(1, destroyed.SetPosition(NEAR_END_MS));
    ASSERT_EQ(1, destroyed.Play());
    ASSERT_TRUE(PumpUntil([&] { return destroyed.completions > 0; }, 3000));
    destroyed.Destroy();
    PumpMessagesFor(200);
    EXPECT_EQ(0, observer.ends);

    CompletionCounter* deleted = new CompletionCounter();
    ASSERT_EQ(1, deleted->Create(nullptr, 0));
    deleted->SetObserver(&observer);
    ASSERT_EQ(1, deleted->Open(MediaFixture(L"long.wav").c_str()));
    ASSERT_EQ(1, deleted->SetPosition(NEAR_END_MS));
    ASSERT_EQ(1, deleted->Play());
    ASSERT_TRUE(PumpUntil([&] { return deleted->completions > 0; }, 3000));
    delete deleted;
    PumpMessagesFor(200);
    EXPECT_EQ(0, observer.ends);
}

TEST(CKMediaPlayer, ProbeDurationLooksUnderAppResWhileOpenUsesModuleDir)
{
    CKMediaInfo info;
    CKMediaPlayer player;
    EXPECT_EQ(0, player.ProbeDuration(MediaFixture(L"tone.wav").c_str(), &info)) << "not created";
    ASSERT_EQ(1, player.Create(nullptr, 0));

    // An absolute path is measured as it is.
    ASSERT_EQ(1, player.ProbeDuration(MediaFixture(L"tone.aiff").c_str(), &info));
    EXPECT_EQ(1000, info.GetDuration());

    // The relative path of a file beside the executable: Open finds it, the probe does not.
    const wchar_t* besideExe = MEDIA_FIXTURE_DIR L"tone.wav";
    info.SetDuration(0);
    EXPECT_EQ(0, player.ProbeDuration(besideExe, &info));
    EXPECT_EQ(0, info.GetDuration());
    ASSERT_EQ(1, player.Open(besideExe));
    EXPECT_EQ(1000, player.GetDuration());
    player.Close();

    // The relative path of a loose file under AppRes: the probe measures it, Open does not find it.
    wchar_t appResDir[KMAX_PATH];
    MakeAppResPath(appResDir, nullptr);
    bool madeAppRes = CreateDirectoryW(appResDir, nullptr) != 0;
    wchar_t probeDir[KMAX_PATH];
    MakeAppResPath(probeDir, L"media-probe-test");
    ASSERT_TRUE(CreateDirectoryW(probeDir, nullptr));
    std::wstring loose = std::wstring(probeDir) + L"\\probe.wav";
    ASSERT_TRUE(CopyFileW(MediaFixture(L"long.wav").c_str(), loose.c_str(), FALSE));
    const wchar_t* underAppRes = L"media-probe-test\\probe.wav";
    EXPECT_EQ(1, player.ProbeDuration(underAppRes, &info));
    EXPECT_EQ(95000, info.GetDuration());
    EXPECT_EQ(0, player.Open(underAppRes));
    EXPECT_EQ(KMEDIA_CLOSED, player.GetState());
    RemoveTree(probeDir);
    if (madeAppRes)
        RemoveDirectoryW(appResDir);

    // Missing files are not measured and the record keeps its value.
    info.SetDuration(-1);
    EXPECT_EQ(0, player.ProbeDuration(MediaFixture(L"missing.wav").c_str(), &info));
    EXPECT_EQ(-1, info.GetDuration());
}

TEST(CKMediaPlayer, ProbeDurationLeavesThePlayingFileAlone)
{
    CKMediaInfo info;
    CKMediaPlayer player;
    ASSERT_EQ(1, player.Create(nullptr, 0));
    ASSERT_EQ(1, player.Open(MediaFixture(L"long.wav").c_str()));
    ASSERT_EQ(1, player.Play());
    PumpMessagesFor(200);

    ASSERT_EQ(1, player.ProbeDuration(MediaFixture(L"tone.wav").c_str(), &info));
    EXPECT_EQ(1000, info.GetDuration());
    EXPECT_EQ(KMEDIA_PLAYING, player.GetState());
    EXPECT_EQ(95000, player.GetDuration());
    int before = player.GetPosition();
    PumpMessagesFor(200);
    EXPECT_GT(player.GetPosition(), before);
}

TEST(CKMediaPlayer, CreateInitialisesComOnceAndTheShutDownStepUninitialisesIt)
{
    CKMediaPlayer first;
    CKMediaPlayer second;
    ASSERT_EQ(1, first.Create(nullptr, 0));
    ASSERT_EQ(1, second.Create(nullptr, 0));
    ASSERT_EQ(1, first.Create(nullptr, 0)) << "a second Create of the same player does nothing";

    // COM is initialised on this thread: one more initialisation only counts up.
    ASSERT_EQ(S_FALSE, CoInitializeEx(nullptr, 0));
    CoUninitialize();

    // One shut-down step balances every player's Create: afterwards COM is not initialised.
    KTermMediaPlayer();
    HRESULT fresh = CoInitializeEx(nullptr, 0);
    EXPECT_EQ(S_OK, fresh);
    if (SUCCEEDED(fresh))
        CoUninitialize();

    // A player created afterwards initialises it again and plays.
    CKMediaPlayer third;
    ASSERT_EQ(1, third.Create(nullptr, 0));
    ASSERT_EQ(1, third.Open(MediaFixture(L"tone.wav").c_str()));
    EXPECT_EQ(1000, third.GetDuration());
}
