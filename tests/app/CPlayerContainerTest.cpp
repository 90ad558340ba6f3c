// The player page on real audio files, driven through its real windows: the children and their
// layout, double presses that play rows, the time labels and the slider's range, the loop button,
// every stop showing 0:00 (the rules of what plays next are CLmPlayback's, tested there), the empty
// list, the swipe that removes the playing row and the neighbours next and previous
// play then, the page's keys, adding files with the duplicate test and files the playlist file
// cannot keep, the probe of tags and durations (files tagged by real encoders, lists measured
// before tags were read, files named like devices), failed saves, sorting against a plain
// selection sort and with a file playing, and the bytes of "PlayList.txt" and "Settings.ini".
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "KTestSupport.h"
#include "KViewTestSupport.h"
#include "PlayerTestSupport.h"
#include "media/MediaTestFiles.h"
#include "app/CLmPlayListCtrl.h"
#include "app/CPlayerView.h"
#include "app/LmSettings.h"
#include "controls/CKTitle.h"
#include "graphics/CKDrawable.h"
#include "media/CKMediaPlayer.h"
#include "media/KPlayOrder.h"
#include "media/KRandom.h"
#include "ui/CKApplication.h"
#include "support/KFileFixtures.h"

namespace {

constexpr int START_MS = 5000;     // opening and starting a file under the emulator
constexpr int SHORT_MS = 600;      // the files whose end the tests wait for

std::wstring Text(const CKLabel* label)
{
    return label->GetText() ? label->GetText() : L"";
}

std::string SettingsBytes()
{
    return ReadFileBytes(KPlayerPage::SettingsPath());
}

// A record as "PlayList.txt" holds it for a file not yet measured: its base name as title.
KTestRecord Fresh(const std::wstring& path, const wchar_t* title)
{
    return KTestRecord{path, 0, title, L"", L""};
}

class CPlayerContainerTest : public ::testing::Test
{
protected:
    void SetUp() override { KSeedRandom(1); }

    CPlayerContainer* C() { return page.Container(); }
    CMediaListBox* List() { return page.Container()->GetListBox(); }
    CKMediaPlayer* Player() { return page.Container()->GetPlayer(); }

    // Three short files in one playlist "L", the page open.
    void OpenThreeShortFiles()
    {
        for (int i = 0; i < 3; i++)
            paths.push_back(page.MakeWav((L"s" + std::to_wstring(i) + L".wav").c_str(), SHORT_MS));
        ASSERT_TRUE(page.Open({{L"L", {KTestRecord{paths[0], SHORT_MS, L"s0", L"", L""},
                                       KTestRecord{paths[1], SHORT_MS, L"s1", L"", L""},
                                       KTestRecord{paths[2], SHORT_MS, L"s2", L"", L""}}}}));
    }

    // One playlist "L" of files named after `titles`, each `ms` long, the page open and row `row`
    // playing.
    void PlayRowOf(std::initializer_list<const wchar_t*> titles, int ms, int row)
    {
        std::vector<KTestRecord> records;
        for (const wchar_t* title : titles) {
            paths.push_back(page.MakeWav((std::wstring(title) + L".wav").c_str(), ms));
            records.push_back(KTestRecord{paths.back(), ms, title, L"", L""});
        }
        ASSERT_TRUE(page.Open({{L"L", records}}));
        page.DoublePressRow(row);
        ASSERT_TRUE(page.WaitForState(KMEDIA_PLAYING, START_MS));
    }

    // A sixth of the width to the left opens the delete area; a tap there removes the row.
    void SwipeAway(int index)
    {
        const int count = List()->GetCount();
        RECT row;
        ASSERT_TRUE(List()->GetItemRect(index, &row));
        MapWindowPoints(List()->GetHwnd(), page.View()->GetHwnd(), (POINT*)&row, 2);
        const int width = row.right - row.left;
        const int y = (row.top + row.bottom) / 2;
        KViewPointer pointer(page.View());
        pointer.Drag(POINT{row.left + width - 20, y}, POINT{row.left + width - 20 - width / 6, y},
                     6);
        ASSERT_TRUE(PumpLikeLoopUntil([&] { return !List()->GetAnimation(); }, 3000));
        ASSERT_EQ(List()->GetSwipeIndex(), index);
        pointer.Tap(row.right - 10, y);
        ASSERT_TRUE(PumpLikeLoopUntil([&] { return List()->GetCount() == count - 1; }, 3000));
    }

    KPlayerPage page;
    std::vector<std::wstring> paths;
};

} // namespace

TEST_F(CPlayerContainerTest, TheTenChildrenAreLaidOutFromTheBottomAndTheTitleIsTheListName)
{
    ASSERT_TRUE(page.Open({{L"Rock", {}}, {L"Jazz", {}}}));
    CPlayerContainer* c = C();
    const int ids[] = {LMID_PLAYING_LIST, LMID_PLAY, LMID_PREVIOUS, LMID_NEXT, LMID_ADD_FILES,
                       LMID_LOOP, LMID_TOTAL_TIME, LMID_ELAPSED_TIME, LMID_TRACK_TITLE,
                       LMID_PROGRESS};
    for (int id : ids)
        EXPECT_TRUE(GetDlgItem(c->GetHwnd(), id)) << id;
    EXPECT_STREQ(page.View()->GetTitle()->GetText(), L"Rock");
    EXPECT_EQ(Text(c->GetTotalLabel()), L"0:00");
    EXPECT_EQ(Text(c->GetElapsedLabel()), L"0:00");
    EXPECT_EQ(c->GetSlider()->GetTickFrequency(), 30);
    EXPECT_EQ(c->GetSlider()->GetLineStep(), 5);
    EXPECT_EQ(c->GetSlider()->GetPageStep(), 10);
    EXPECT_EQ(c->GetPlayButton()->GetIconCell(0), LMCELL_PLAY);
    EXPECT_EQ(c->GetLoopButton()->GetIconCell(0), LMCELL_LOOP);

    RECT client;
    c->GetClientRect(&client);
    EXPECT_EQ(c->GetButtonBarRect().bottom, client.bottom);
    EXPECT_EQ(c->GetProgressRect().bottom, c->GetButtonBarRect().top);
    EXPECT_EQ(c->GetListRect().bottom, c->GetProgressRect().top);
    EXPECT_EQ(c->GetListRect().top, 0);
    EXPECT_GT(c->GetListRect().bottom, client.bottom / 2) << "the list takes what remains";

    // Loop, gap, previous + play + next touching, gap, add files; equal gaps.
    auto rectOf = [&](int id) {
        RECT r;
        GetWindowRect(GetDlgItem(c->GetHwnd(), id), &r);
        MapWindowPoints(nullptr, c->GetHwnd(), (POINT*)&r, 2);
        return r;
    };
    const RECT loop = rectOf(LMID_LOOP), previous = rectOf(LMID_PREVIOUS);
    const RECT play = rectOf(LMID_PLAY), next = rectOf(LMID_NEXT), add = rectOf(LMID_ADD_FILES);
    const int gap = loop.left;
    EXPECT_GE(gap, 0);
    EXPECT_EQ(previous.left - loop.right, gap);
    EXPECT_EQ(play.left, previous.right);
    EXPECT_EQ(next.left, play.right);
    EXPECT_EQ(add.left - next.right, gap);
    EXPECT_EQ(gap, (client.right - 5 * (add.right - add.left)) / 4);
    EXPECT_LT(add.bottom, client.bottom + 1);
    EXPECT_GT(add.top, c->GetButtonBarRect().top);

    // The time row: the labels as wide as "999:99" at both ends, the slider between them, all
    // above the title label.
    const RECT elapsed = rectOf(LMID_ELAPSED_TIME), total = rectOf(LMID_TOTAL_TIME);
    const RECT slider = rectOf(LMID_PROGRESS), title = rectOf(LMID_TRACK_TITLE);
    EXPECT_EQ(elapsed.left, 0);
    EXPECT_EQ(total.right, client.right);
    EXPECT_EQ(elapsed.right - elapsed.left, total.right - total.left);
    EXPECT_EQ(slider.left, elapsed.right);
    EXPECT_EQ(slider.right, total.left);
    EXPECT_EQ(elapsed.bottom, title.top);
    EXPECT_EQ(title.right - title.left, client.right);
    EXPECT_GE(title.bottom - title.top, 12) << "one line high before any title is shown";
    EXPECT_GT(elapsed.top, c->GetProgressRect().top);
}

TEST_F(CPlayerContainerTest, A61SecondTrackShows101AndTheRange0To61AndStoresWhatPlays)
{
    const std::wstring first = page.MakeWav(L"first.wav", 2000);
    const std::wstring path = page.MakeWav(L"minute.wav", 61000);
    ASSERT_TRUE(page.Open({{L"L", {Fresh(first, L"first"), Fresh(path, L"minute")}}}));
    page.DoublePressRow(1);
    ASSERT_TRUE(page.WaitForState(KMEDIA_PLAYING, START_MS));
    EXPECT_EQ(Text(C()->GetTotalLabel()), L"1:01");
    EXPECT_EQ(Text(C()->GetElapsedLabel()), L"0:00");
    EXPECT_EQ(C()->GetSlider()->GetMinimum(), 0);
    EXPECT_EQ(C()->GetSlider()->GetMaximum(), 61);
    EXPECT_EQ(C()->GetSlider()->GetPosition(), 0);
    EXPECT_EQ(Text(C()->GetTitleLabel()), L"minute");
    EXPECT_EQ(C()->GetPlayButton()->GetIconCell(0), LMCELL_PAUSE);
    EXPECT_EQ(C()->GetPlayingIndex(), 1);
    EXPECT_EQ(List()->GetSelectedIndex(), 1);
    EXPECT_TRUE(List()->GetItem(1)->flags & LMROW_PLAYING);
    EXPECT_EQ(SettingsBytes(), Utf16FileBytes(L"\n[Default]\nPlayingFile = 1\n"));

    // The position tick moves the elapsed label and the slider once a second.
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return Text(C()->GetElapsedLabel()) == L"0:01"; }, 4000));
    EXPECT_EQ(C()->GetSlider()->GetPosition(), 1);

    // A drag of the thumb to the middle seeks there when released (2307 with the value).
    CKSlider* slider = C()->GetSlider();
    const RECT thumb = slider->GetThumbRect();
    const RECT channel = slider->GetChannelRect();
    const int middle = channel.left + (channel.right - channel.left) / 2;
    const int y = (channel.top + channel.bottom) / 2;
    PostMessageW(slider->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM((thumb.left + thumb.right) / 2, y));
    PostMessageW(slider->GetHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(middle, y));
    PostMessageW(slider->GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(middle, y));
    RunPostedLikeLoop();
    EXPECT_NEAR(Player()->GetPosition(), 30500, 1500);

    // Paused, no position tick moves the thumb: a drag leaves it, and the time, where it ended.
    C()->OnNotify(LMID_PLAY, KNOTIFY_CLICK, 0);
    ASSERT_EQ(Player()->GetState(), KMEDIA_PAUSED);
    const RECT pausedThumb = slider->GetThumbRect();
    const int quarter = channel.left + (channel.right - channel.left) / 4;
    PostMessageW(slider->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM((pausedThumb.left + pausedThumb.right) / 2, y));
    PostMessageW(slider->GetHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(quarter, y));
    PostMessageW(slider->GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(quarter, y));
    RunPostedLikeLoop();
    const int dropped = slider->ValueFromPoint(quarter, y);
    EXPECT_EQ(slider->GetPosition(), dropped);
    wchar_t shown[16];
    CMediaListBox::FormatSeconds(dropped, shown, 16);
    EXPECT_EQ(Text(C()->GetElapsedLabel()), shown);
    EXPECT_NEAR(Player()->GetPosition(), dropped * 1000, 1000);
}

TEST_F(CPlayerContainerTest, ATrackUnderASecondShows000AndAnEmptyRangeThatPaintsSafely)
{
    const std::wstring path = page.MakeWav(L"short.wav", 900);
    ASSERT_TRUE(page.Open({{L"L", {Fresh(path, L"short")}}}));
    page.DoublePressRow(0);
    ASSERT_EQ(C()->GetPlayingIndex(), 0);
    EXPECT_EQ(Text(C()->GetTotalLabel()), L"0:00");
    CKSlider* slider = C()->GetSlider();
    EXPECT_EQ(slider->GetMinimum(), 0);
    EXPECT_EQ(slider->GetMaximum(), 0);
    slider->Invalidate();
    UpdateWindow(slider->GetHwnd());
    EXPECT_EQ(slider->GetThumbOffset(), 0) << "the thumb rests at the start";
    EXPECT_EQ(slider->ValueFromPoint(slider->GetChannelRect().right - 1, 1), 0);
    // A tap on the track: no division by zero, no seek past the end.
    PostMessageW(slider->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(slider->GetChannelRect().right - 2, 2));
    PostMessageW(slider->GetHwnd(), WM_LBUTTONUP, 0,
                 MAKELPARAM(slider->GetChannelRect().right - 2, 2));
    RunPostedLikeLoop();
    EXPECT_EQ(slider->GetPosition(), 0);
}

TEST_F(CPlayerContainerTest, DoublePressingThePlayingRowRestartsItsFile)
{
    const std::wstring path = page.MakeWav(L"long.wav", 20000);
    ASSERT_TRUE(page.Open({{L"L", {Fresh(path, L"long")}}}));
    page.DoublePressRow(0);
    ASSERT_TRUE(page.WaitForState(KMEDIA_PLAYING, START_MS));
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return Player()->GetPosition() >= 1500; }, 5000));
    CLmMediaInfo* held = C()->GetPlayingInfo();
    page.DoublePressRow(0);
    EXPECT_EQ(Player()->GetState(), KMEDIA_PLAYING);
    EXPECT_LT(Player()->GetPosition(), 1000) << "the file started again";
    EXPECT_EQ(Text(C()->GetElapsedLabel()), L"0:00");
    EXPECT_EQ(C()->GetPlayingInfo(), held);
    EXPECT_EQ(C()->GetPlayingIndex(), 0);
}

TEST_F(CPlayerContainerTest, EveryStopPutsTheElapsedTimeAndTheSliderBackToZeroTogether)
{
    const std::wstring text = page.Folder() + L"notes.wav";
    ASSERT_TRUE(WriteFileBytes(text, std::string(4000, 'x')));
    const std::wstring tone = page.MakeWav(L"tone.wav", 20000);
    const std::wstring end = page.MakeWav(L"end.wav", 2500);
    ASSERT_TRUE(page.Open({{L"L", {Fresh(tone, L"tone"), Fresh(text, L"notes"),
                                   Fresh(end, L"end")}}}));
    struct KStop
    {
        const char* how;
        int row;                           // played until its time shows a second
        std::function<void()> stop;
        int state;                         // the player's state afterwards
    };
    const KStop stops[] = {
        {"the end of the list, played once", 2, [] {}, KMEDIA_STOPPED},
        {"previous on the first row", 0, [&] { page.ClickButton(LMID_PREVIOUS); }, KMEDIA_STOPPED},
        {"a file that cannot be played", 0, [&] { page.DoublePressRow(1); }, KMEDIA_CLOSED},
    };
    for (const KStop& stop : stops) {
        page.DoublePressRow(stop.row);
        ASSERT_TRUE(page.WaitForState(KMEDIA_PLAYING, START_MS)) << stop.how;
        ASSERT_TRUE(PumpLikeLoopUntil([&] { return C()->GetSlider()->GetPosition() > 0; }, 5000))
            << stop.how;
        stop.stop();
        ASSERT_TRUE(page.WaitForState(stop.state, 5000)) << stop.how;
        EXPECT_EQ(Text(C()->GetElapsedLabel()), L"0:00") << stop.how;
        EXPECT_EQ(C()->GetSlider()->GetPosition(), 0) << stop.how;
        EXPECT_EQ(C()->GetPlayButton()->GetIconCell(0), LMCELL_PLAY) << stop.how;
        KPlayerPage::CloseToast();
    }
}

TEST_F(CPlayerContainerTest, TheLoopButtonStepsThroughTheLoopTypesWithTheirIcons)
{
    OpenThreeShortFiles();
    for (int type : {KLOOP_ALL, KLOOP_SHUFFLE, KLOOP_ONCE}) {
        page.ClickButton(LMID_LOOP);
        EXPECT_EQ(C()->GetLoopType(), type);
        EXPECT_EQ(C()->GetLoopButton()->GetIconCell(KSLOT_NORMAL), LMCELL_LOOP + 2 * type);
        EXPECT_EQ(C()->GetLoopButton()->GetIconCell(KSLOT_PRESSED), LMCELL_LOOP + 2 * type + 1);
        EXPECT_EQ(C()->GetLoopButton()->GetIconCell(KSLOT_SELECTED), LMCELL_LOOP + 2 * type);
        EXPECT_EQ(SettingsBytes(), Utf16FileBytes(L"\n[Default]\nLoopType = " +
                                                  std::to_wstring(type) + L"\n"));
    }
}

TEST_F(CPlayerContainerTest, AnEmptyListSaysSoAndPlaysNothing)
{
    ASSERT_TRUE(page.Open({{L"Empty", {}}}));
    const int buttons[] = {LMID_PLAY, LMID_NEXT, LMID_PREVIOUS};
    for (int id : buttons) {
        page.ClickButton(id);
        EXPECT_EQ(KPlayerPage::ToastText(), L"当前列表为空，没有可以播放的项目！") << id;
        EXPECT_EQ(Player()->GetState(), KMEDIA_CLOSED);
        KPlayerPage::CloseToast();
    }
    EXPECT_EQ(GetFileAttributesW(KPlayerPage::SettingsPath().c_str()), INVALID_FILE_ATTRIBUTES)
        << "nothing to store";
}

TEST_F(CPlayerContainerTest, SwipingThePlayingRowAwayPlaysOnAndNextAndPreviousTakeItsNeighbours)
{
    ASSERT_NO_FATAL_FAILURE(PlayRowOf({L"alpha", L"beta", L"gamma", L"delta"}, 10000, 1));
    CLmMediaInfo* playing = C()->GetPlayingInfo();
    const std::string settings = SettingsBytes();

    SwipeAway(1);
    EXPECT_EQ(ReadFileBytes(page.PlayListPath()),
              PlayListBytes({{L"L", {KTestRecord{paths[0], 10000, L"alpha", L"", L""},
                                     KTestRecord{paths[2], 10000, L"gamma", L"", L""},
                                     KTestRecord{paths[3], 10000, L"delta", L"", L""}}}}));
    EXPECT_EQ(Player()->GetState(), KMEDIA_PLAYING);
    EXPECT_EQ(C()->GetPlayingInfo(), playing) << "the held record outlives its row";
    EXPECT_EQ(playing->GetRefCount(), 1);
    EXPECT_EQ(C()->GetPlayingIndex(), -1) << "no row shows the playing file";
    EXPECT_EQ(SettingsBytes(), settings);

    // Next plays what followed the removed row, as if it were still there.
    page.ClickButton(LMID_NEXT);
    EXPECT_STREQ(C()->GetPlayingInfo()->GetTitle(), L"gamma");
    EXPECT_EQ(C()->GetPlayingIndex(), 1);
    // And previous what came before it.
    SwipeAway(1);
    page.ClickButton(LMID_PREVIOUS);
    EXPECT_STREQ(C()->GetPlayingInfo()->GetTitle(), L"alpha");
    EXPECT_EQ(C()->GetPlayingIndex(), 0);
}

TEST_F(CPlayerContainerTest, SwipingARowAboveThePlayingOneMovesThePlayingIndexUp)
{
    ASSERT_NO_FATAL_FAILURE(PlayRowOf({L"a", L"b", L"c"}, 10000, 2));
    SwipeAway(0);
    EXPECT_EQ(C()->GetPlayingIndex(), 1);
    EXPECT_TRUE(List()->GetItem(1)->flags & LMROW_PLAYING);
    EXPECT_EQ(SettingsBytes(), Utf16FileBytes(L"\n[Default]\nPlayingFile = 1\n"))
        << "a restart continues at the same file";
    // Previous goes back to "b", the row before the playing file, rather than skipping it.
    page.ClickButton(LMID_PREVIOUS);
    EXPECT_EQ(C()->GetPlayingIndex(), 0);
    EXPECT_STREQ(C()->GetPlayingInfo()->GetTitle(), L"b");

    // Below the playing row nothing moves.
    SwipeAway(1);
    EXPECT_EQ(C()->GetPlayingIndex(), 0);
    EXPECT_EQ(SettingsBytes(), Utf16FileBytes(L"\n[Default]\nPlayingFile = 0\n"));
}

TEST_F(CPlayerContainerTest, ThePagesKeysDoWhatItsButtonsAndGesturesDo)
{
    ASSERT_NO_FATAL_FAILURE(PlayRowOf({L"a", L"b", L"c", L"d"}, 20000, 1));
    ASSERT_EQ(GetFocus(), List()->GetHwnd()) << "the page hands its focus to the list";
    // Ctrl is held or not for the arrows that follow.
    auto holdControl = [](bool held) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = held ? 0x80 : 0;
        SetKeyboardState(keys);
    };

    // Space pauses and plays on; the seek keys move whole steps within the file while paused.
    PressKey(VK_SPACE);
    ASSERT_EQ(Player()->GetState(), KMEDIA_PAUSED);
    const struct
    {
        UINT key;
        int second;
    } seeks[] = {{VK_RIGHT, 5}, {VK_RIGHT, 10}, {VK_LEFT, 5}, {VK_LEFT, 0}, {VK_LEFT, 0}};
    for (const auto& seek : seeks) {
        PressKey(seek.key);
        EXPECT_EQ(C()->GetSlider()->GetPosition(), seek.second);
        EXPECT_EQ(Player()->GetPosition() / 1000, seek.second);
    }
    EXPECT_EQ(Text(C()->GetElapsedLabel()), L"0:00");
    PressKey(VK_SPACE);
    EXPECT_EQ(Player()->GetState(), KMEDIA_PLAYING);

    // Ctrl with the arrows plays the next and the previous row.
    holdControl(true);
    PressKey(VK_RIGHT);
    EXPECT_EQ(C()->GetPlayingIndex(), 2);
    PressKey(VK_LEFT);
    EXPECT_EQ(C()->GetPlayingIndex(), 1);
    holdControl(false);

    // Delete removes the selected row as a swipe does; the file plays on.
    PressKey(VK_DELETE);
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return List()->GetCount() == 3; }, 3000));
    const std::wstring* kept[] = {&paths[0], &paths[2], &paths[3]};
    std::vector<KTestRecord> left;
    for (const std::wstring* path : kept)
        left.push_back(KTestRecord{*path, 20000, path->substr(path->size() - 5, 1), L"", L""});
    EXPECT_EQ(ReadFileBytes(page.PlayListPath()), PlayListBytes({{L"L", left}}));
    EXPECT_EQ(Player()->GetState(), KMEDIA_PLAYING);

    // A tap only selects a row; Enter then plays it, as a double press does.
    const CLmMediaInfo* swiped = C()->GetPlayingInfo();
    RECT row;
    ASSERT_TRUE(List()->GetItemRect(2, &row));
    MapWindowPoints(List()->GetHwnd(), page.View()->GetHwnd(), (POINT*)&row, 2);
    KViewPointer(page.View()).Tap(row.left + 40, (row.top + row.bottom) / 2);
    EXPECT_EQ(List()->GetSelectedIndex(), 2);
    EXPECT_EQ(C()->GetPlayingInfo(), swiped);
    PressKey(VK_RETURN);
    EXPECT_EQ(C()->GetPlayingIndex(), 2);
    ASSERT_TRUE(C()->GetPlayingInfo());
    EXPECT_STREQ((const wchar_t*)C()->GetPlayingInfo()->GetPath(), paths[3].c_str());
    EXPECT_EQ(Player()->GetState(), KMEDIA_PLAYING);

    // With the drawer open the keys are the drawer's.
    ASSERT_EQ(page.View()->OpenMenu(false), 1);
    PressKey(VK_SPACE);
    PressKey(VK_DELETE);
    EXPECT_EQ(Player()->GetState(), KMEDIA_PLAYING);
    EXPECT_EQ(List()->GetCount(), 3);
}

TEST_F(CPlayerContainerTest, AddedFilesSkipShownPathsAndAreMeasuredOneByOneThenSaved)
{
    const std::wstring shown = page.MakeWav(L"Shown.wav", 1000);
    const std::wstring minute = page.MakeWav(L"minute.wav", 61000);
    const std::wstring broken = page.Folder() + L"broken.wav";
    ASSERT_TRUE(WriteFileBytes(broken, std::string(100, '\0')));
    ASSERT_TRUE(page.Open({{L"L", {KTestRecord{shown, 1000, L"Shown", L"", L""}}}}));

    C()->BeginAddFiles();
    std::wstring upper = shown;
    for (wchar_t& ch : upper)
        ch = (ch >= L'a' && ch <= L'z') ? (wchar_t)(ch - 32) : ch;
    EXPECT_EQ(C()->AddFile(upper.c_str()), 1) << "a shown path under A-Z folding";
    EXPECT_EQ(C()->AddFile(minute.c_str()), 1);
    EXPECT_EQ(C()->AddFile(broken.c_str()), 1);
    EXPECT_EQ(C()->AddFile(minute.c_str()), 1);
    EXPECT_FALSE(List()->IsRedrawOn());
    C()->EndAddFiles(1);
    EXPECT_TRUE(List()->IsRedrawOn());
    ASSERT_EQ(List()->GetCount(), 3);
    EXPECT_EQ(ReadFileBytes(page.PlayListPath()),
              PlayListBytes({{L"L", {KTestRecord{shown, 1000, L"Shown", L"", L""},
                                     Fresh(minute, L"minute"), Fresh(broken, L"broken")}}}));

    // One file per step, in row order; a file that cannot be measured keeps -1.
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return List()->GetRecord(1)->GetDuration() != 0; }, 5000));
    const int length = List()->GetRecord(1)->GetDuration();
    EXPECT_NEAR(length, 61000, 5);
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return List()->GetRecord(2)->GetDuration() != 0; }, 5000));
    EXPECT_EQ(List()->GetRecord(2)->GetDuration(), -1);
    const std::string measured =
        PlayListBytes({{L"L", {KTestRecord{shown, 1000, L"Shown", L"", L""},
                               KTestRecord{minute, length, L"minute", L"", L""},
                               KTestRecord{broken, -1, L"broken", L"", L""}}}});
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return ReadFileBytes(page.PlayListPath()) == measured; },
                                  3000))
        << "the step after the last measured file saves the playlists";
    PumpMessagesFor(200);
    EXPECT_EQ(List()->GetRecord(2)->GetDuration(), -1) << "not tried again";
}

TEST_F(CPlayerContainerTest, FilesNamedLikeDevicesAreMeasuredAndPlayedAsFiles)
{
    // Real files made by sox; opened as written, their names would open the serial port and the
    // auxiliary device, and block the window.
    const std::wstring com1 = MediaFixture(L"COM1.wav");
    const std::wstring aux = MediaFixture(L"aux.wav");
    const std::wstring unreachable = MediaFixture(L"..\\media\\COM1.wav");
    ASSERT_TRUE(page.Open({{L"L", {Fresh(com1, L"COM1"), Fresh(aux, L"aux"),
                                   Fresh(unreachable, L"COM1")}}}));
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return List()->GetRecord(2)->GetDuration() != 0; },
                                  10000));
    EXPECT_NEAR(List()->GetRecord(0)->GetDuration(), 1000, 5);
    EXPECT_NEAR(List()->GetRecord(1)->GetDuration(), 1000, 5);
    EXPECT_EQ(List()->GetRecord(2)->GetDuration(), -1)
        << "a device name only the platform's own parsing could resolve is opened by no reader";

    page.DoublePressRow(1);
    ASSERT_TRUE(page.WaitForState(KMEDIA_PLAYING, START_MS));
    EXPECT_EQ(Player()->GetDuration(), 1000);
    page.DoublePressRow(2);
    EXPECT_EQ(KPlayerPage::ToastText(), L"无效的音频文件! 打开文件失败!");
    EXPECT_EQ(Player()->GetState(), KMEDIA_CLOSED);
}

TEST_F(CPlayerContainerTest, AFailedSaveIsToldOncePerStreakAndTriedAgainOnTheNextChangeAndAtExit)
{
    ASSERT_TRUE(page.Open({{L"A", {}}}));
    CLmPlayListCtrl* lists = C()->GetPlayListCtrl();
    C()->ApplyLoopType(KLOOP_ALL);
    const std::wstring settings = KPlayerPage::SettingsPath();
    const std::wstring told = L"保存文件失败！磁盘已满或没有写入权限，下次更改时将重试！";
    // Each step makes one change to each file while both are writable or read-only.
    struct Step
    {
        bool writable;
        const wchar_t* list;   // the playlist added
        int loopType;
        bool toast;
    } steps[] = {
        {false, L"B", KLOOP_SHUFFLE, true},   // a streak of failures begins: told
        {false, L"C", KLOOP_ONCE, false},     // the same streak: not told again
        {true, L"D", KLOOP_ALL, false},       // saved: the streak ends
        {false, L"E", KLOOP_SHUFFLE, true},   // a new streak: told again
    };
    std::vector<KTestPlayList> saved = {{L"A", {}}};
    std::string savedSettings = SettingsBytes();
    for (const Step& step : steps) {
        const DWORD attributes = step.writable ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
        SetFileAttributesW(page.PlayListPath().c_str(), attributes);
        SetFileAttributesW(settings.c_str(), attributes);
        for (int file = 0; file < 2; file++) {
            if (file == 0) {
                lists->AddPlayList(step.list);
                EXPECT_EQ(lists->SavePlayLists(), step.writable ? 1 : 0) << step.list;
            } else {
                C()->ApplyLoopType(step.loopType);
            }
            EXPECT_EQ(KPlayerPage::ToastText(), step.toast ? told : L"") << step.list << file;
            KPlayerPage::CloseToast();
        }
        if (step.writable) {
            saved = {{L"A", {}}, {L"B", {}}, {L"C", {}}, {L"D", {}}};
            savedSettings = SettingsBytes();
        }
        // A failed save leaves the file as the last successful one wrote it.
        EXPECT_EQ(ReadFileBytes(page.PlayListPath()), PlayListBytes(saved)) << step.list;
        EXPECT_EQ(SettingsBytes(), savedSettings) << step.list;
    }
    EXPECT_EQ(savedSettings, Utf16FileBytes(L"\n[Default]\nLoopType = 1\n"));

    // At exit both are tried again, without a toast no one could see.
    SetFileAttributesW(page.PlayListPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(settings.c_str(), FILE_ATTRIBUTE_NORMAL);
    DestroyPages();
    LmSettings::SaveAndCloseSettings();
    EXPECT_EQ(ReadFileBytes(page.PlayListPath()),
              PlayListBytes({{L"A", {}}, {L"B", {}}, {L"C", {}}, {L"D", {}}, {L"E", {}}}));
    EXPECT_EQ(SettingsBytes(), Utf16FileBytes(L"\n[Default]\nLoopType = 2\n"));
    EXPECT_EQ(KPlayerPage::ToastText(), L"");
}

TEST_F(CPlayerContainerTest, FilesThePlaylistFileCannotKeepAreRefusedWithAToast)
{
    ASSERT_TRUE(page.Open({{L"L", {}}}));
    const std::wstring good = page.Folder() + L"good.wav";
    const std::wstring cut = page.Folder() + L"a\xFFFD" L"b.wav";
    struct Case
    {
        std::wstring path;
        const wchar_t* toast;
    } cases[] = {
        {L"C:\\" + std::wstring(1000, L'd') + L"\\song.wav", L"文件路径太长！添加失败！"},
        {cut, L"文件名含有列表文件无法保存的字符！添加失败！"},
    };
    C()->BeginAddFiles();
    for (const Case& c : cases) {
        EXPECT_EQ(C()->AddFile(c.path.c_str()), 0);
        EXPECT_EQ(KPlayerPage::ToastText(), c.toast);
        KPlayerPage::CloseToast();
    }
    EXPECT_EQ(C()->AddFile(good.c_str()), 1);
    EXPECT_EQ(KPlayerPage::ToastText(), L"");
    C()->EndAddFiles(1);
    EXPECT_EQ(List()->GetCount(), 1);

    // A folder's playlist leaves such files out.
    const wchar_t* const folder[] = {cut.c_str(), good.c_str()};
    CLmPlayList* made = C()->AddDirectoryAsPlayList(L"F", folder, 2);
    ASSERT_TRUE(made);
    ASSERT_EQ(made->GetCount(), 1);
    EXPECT_STREQ(made->GetAt(0)->GetPath(), good.c_str());
    EXPECT_EQ(KPlayerPage::ToastText(), cases[1].toast);
}

TEST_F(CPlayerContainerTest, TagsOfTheFilesFillTheRowsTheArtistSortTheTitleLabelAndThePlayList)
{
    // Copies of fixtures tagged by real encoders, and one whose tags break the reader's bounds
    // (so it keeps its base name and is timed by a media graph).
    struct File
    {
        const wchar_t* fixture;
        const wchar_t* name;
        const wchar_t* title;
        const wchar_t* artist;
        const wchar_t* album;
    } const files[] = {
        {L"tags\\id3v2-utf16.mp3", L"u16.mp3", L"月亮代表我的心", L"邓丽君", L"淡淡幽情"},
        {L"tags\\id3v23.mp3", L"v23.mp3", L"Song One", L"Artist One", L"Album One"},
        {L"tags\\tagged.flac", L"tagged.flac", L"Flac 标题", L"Flac Artist", L"Flac Album"},
        {L"tags\\plain.mp3", L"plain.mp3", L"plain", L"", L""},
        {L"hostile\\nested-chapters.mp3", L"chapters.mp3", L"chapters", L"", L""},
    };
    KTestPlayList list{L"L", {}};
    for (const File& f : files) {
        const std::wstring path = page.Folder() + f.name;
        ASSERT_TRUE(CopyFileW(MediaFixture(f.fixture).c_str(), path.c_str(), FALSE));
        const std::wstring name = f.name;
        list.records.push_back(Fresh(path, name.substr(0, name.rfind(L'.')).c_str()));
    }
    ASSERT_TRUE(page.Open({list}));
    const int count = (int)list.records.size();
    ASSERT_TRUE(PumpLikeLoopUntil([&] {
        for (int i = 0; i < count; i++)
            if (List()->GetRecord(i)->GetDuration() == 0)
                return false;
        return true;
    }, 10000));

    KTestPlayList saved{L"L", {}};
    for (int i = 0; i < count; i++) {
        const CLmMediaInfo* r = List()->GetRecord(i);
        EXPECT_STREQ(r->GetTitle(), files[i].title) << i;
        EXPECT_STREQ(r->GetArtist(), files[i].artist) << i;
        EXPECT_STREQ(r->GetAlbum(), files[i].album) << i;
        EXPECT_NEAR(r->GetDuration(), 3000, 300) << i;
        EXPECT_STREQ(List()->GetItem(i)->text1, files[i].title) << i;
        EXPECT_STREQ(List()->GetItem(i)->text2, files[i].album) << i;
        saved.records.push_back(KTestRecord{list.records[i].path, r->GetDuration(), files[i].title,
                                            files[i].album, files[i].artist});
    }
    EXPECT_TRUE(PumpLikeLoopUntil([&] {
        return ReadFileBytes(page.PlayListPath()) == PlayListBytes({saved});
    }, 3000)) << "the playlists are saved after the pass";

    // By artist: no artist first (then by album, then by title), then the artists in order.
    C()->SortPlayList(1, 0);
    const wchar_t* const order[] = {L"chapters", L"plain", L"Song One", L"Flac 标题",
                                    L"月亮代表我的心"};
    for (int i = 0; i < count; i++)
        EXPECT_STREQ(List()->GetRecord(i)->GetTitle(), order[i]) << i;

    page.DoublePressRow(count - 1);
    ASSERT_TRUE(page.WaitForState(KMEDIA_PLAYING, START_MS));
    EXPECT_EQ(Text(C()->GetTitleLabel()), L"月亮代表我的心");
}

TEST_F(CPlayerContainerTest, TagsAPlayListLineCannotHoldAreFittedAndComeBackWhole)
{
    // A title with a line end and U+FFFD, an artist of 1,200 characters.
    const std::wstring path = page.Folder() + L"unsavable.mp3";
    ASSERT_TRUE(CopyFileW(MediaFixture(L"tags\\unsavable.mp3").c_str(), path.c_str(), FALSE));
    ASSERT_TRUE(page.Open({{L"L", {Fresh(path, L"unsavable")}}}));
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return List()->GetRecord(0)->GetDuration() != 0; }, 5000));
    const CLmMediaInfo* shown = List()->GetRecord(0);
    EXPECT_STREQ(shown->GetTitle(), L"Line one line two ?");
    const KTestRecord record{path, shown->GetDuration(), shown->GetTitle().GetBuffer(), L"Album",
                             shown->GetArtist().GetBuffer()};
    const std::string saved = PlayListBytes({{L"L", {record}}});
    ASSERT_TRUE(
        PumpLikeLoopUntil([&] { return ReadFileBytes(page.PlayListPath()) == saved; }, 3000));
    CLmPlayListCtrl copy(page.PlayListPath().c_str());
    copy.Initialize(0);
    ASSERT_EQ(copy.PlayListAt(0)->GetCount(), 1) << "the record is read back";
    EXPECT_STREQ(copy.PlayListAt(0)->GetAt(0)->GetArtist(), shown->GetArtist());
    EXPECT_GT(shown->GetArtist().GetLength(), 500);
}

TEST_F(CPlayerContainerTest, ListsMeasuredBeforeTagsWereReadGetTheirTagsOnceKeepingTheirLengths)
{
    // As such lists were saved: a length, the base name as title, no artist, no album.
    const std::wstring tagged = page.Folder() + L"v23.mp3";
    const std::wstring untagged = page.Folder() + L"plain.mp3";
    const std::wstring named = page.Folder() + L"named.mp3";
    for (const std::wstring& path : {tagged, named})
        ASSERT_TRUE(CopyFileW(MediaFixture(L"tags\\id3v23.mp3").c_str(), path.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(MediaFixture(L"tags\\plain.mp3").c_str(), untagged.c_str(), FALSE));
    const KTestRecord plainRecord{untagged, 1234, L"plain", L"", L""};
    // A record the user's list already names otherwise is left alone.
    const KTestRecord namedRecord{named, 1234, L"Mine", L"", L"Me"};
    ASSERT_TRUE(page.Open({{L"L", {KTestRecord{tagged, 1234, L"v23", L"", L""}, plainRecord,
                                   namedRecord}}}));
    const std::string expected = PlayListBytes(
        {{L"L", {KTestRecord{tagged, 1234, L"Song One", L"Album One", L"Artist One"}, plainRecord,
                 namedRecord}}});
    EXPECT_TRUE(PumpLikeLoopUntil([&] { return ReadFileBytes(page.PlayListPath()) == expected; },
                                  5000));
    EXPECT_TRUE(List()->GetRecord(1)->AreTagsRead());
    EXPECT_FALSE(List()->GetRecord(2)->AreTagsRead());
}

TEST_F(CPlayerContainerTest, APassThatFindsNoNewTagsLeavesThePlayListFileUntouched)
{
    const std::wstring untagged = page.Folder() + L"plain.mp3";
    ASSERT_TRUE(CopyFileW(MediaFixture(L"tags\\plain.mp3").c_str(), untagged.c_str(), FALSE));
    ASSERT_TRUE(page.Open({{L"L", {KTestRecord{untagged, 1234, L"plain", L"", L""}}}}));
    // Dated long ago before the pass begins; a rewrite would date it now.
    HANDLE file = CreateFileW(page.PlayListPath().c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const SYSTEMTIME longAgo = {2001, 1, 1, 1, 0, 0, 0, 0};
    FILETIME old;
    ASSERT_TRUE(SystemTimeToFileTime(&longAgo, &old));
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &old));
    CloseHandle(file);
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return List()->GetRecord(0)->AreTagsRead(); }, 5000));
    PumpMessagesFor(300);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(page.PlayListPath().c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.ftLastWriteTime.dwHighDateTime, old.dwHighDateTime);
    EXPECT_EQ(List()->GetRecord(0)->GetDuration(), 1234);
}

TEST_F(CPlayerContainerTest, SortingGivesExactlyTheSelectionSortOrderAndRewritesThePlaylist)
{
    // Many equal keys: 12 titles, 5 artists and 4 albums with empty ones, in mixed case.
    std::mt19937 random(11);
    const wchar_t* const artists[] = {L"", L"abba", L"ABBA", L"Queen", L"queen"};
    const wchar_t* const albums[] = {L"", L"Gold", L"gold", L"Live"};
    KTestPlayList list{L"L", {}};
    for (int i = 0; i < 240; i++) {
        const std::wstring title = L"Song " + std::to_wstring(random() % 12);
        list.records.push_back(KTestRecord{L"C:\\m\\" + std::to_wstring(i) + L".mp3", 1000 + i,
                                           title, albums[random() % 4], artists[random() % 5]});
    }
    ASSERT_TRUE(page.Open({list}));

    for (int byArtist = 0; byArtist < 2; byArtist++) {
        for (int descending = 0; descending < 2; descending++) {
            // The reference: the library's plain selection sort that swaps, on the rows as they
            // are now, with the comparison run backwards for descending orders.
            std::vector<CLmMediaInfo*> expected;
            for (int i = 0; i < List()->GetCount(); i++)
                expected.push_back(List()->GetRecord(i));
            auto compare = [&](const CLmMediaInfo* a, const CLmMediaInfo* b) {
                const CLmMediaInfo* first = descending ? b : a;
                const CLmMediaInfo* second = descending ? a : b;
                return byArtist ? CompareByArtist(first, second)
                                : CompareByFileName(first, second);
            };
            for (size_t i = 0; i + 1 < expected.size(); i++) {
                size_t best = i;
                for (size_t j = i + 1; j < expected.size(); j++)
                    if (compare(expected[best], expected[j]) > 0)
                        best = j;
                std::swap(expected[i], expected[best]);
            }

            C()->SortPlayList(byArtist, descending);
            CLmPlayList* selected = C()->GetPlayListCtrl()->GetSelectedPlayList();
            KTestPlayList saved{L"L", {}};
            for (int i = 0; i < List()->GetCount(); i++) {
                ASSERT_EQ(List()->GetRecord(i), expected[i]) << byArtist << descending << " " << i;
                ASSERT_EQ(selected->GetAt(i), expected[i]);
                const CLmMediaInfo* r = expected[i];
                saved.records.push_back(KTestRecord{(const wchar_t*)r->GetPath(),
                                                    r->GetDuration(), (const wchar_t*)r->GetTitle(),
                                                    (const wchar_t*)r->GetAlbum(),
                                                    (const wchar_t*)r->GetArtist()});
            }
            EXPECT_EQ(ReadFileBytes(page.PlayListPath()), PlayListBytes({saved}));
        }
    }
}

TEST_F(CPlayerContainerTest, SortingTheListThatPlaysMovesThePlayingIndexWithTheFile)
{
    // Titles b, c, a: row 0 plays, and sorting by file name puts it in row 1.
    ASSERT_NO_FATAL_FAILURE(PlayRowOf({L"b", L"c", L"a"}, 20000, 0));
    C()->SortPlayList(0, 0);
    EXPECT_EQ(C()->GetPlayingIndex(), 1);
    EXPECT_TRUE(List()->GetItem(1)->flags & LMROW_PLAYING);
    EXPECT_EQ(SettingsBytes(), Utf16FileBytes(L"\n[Default]\nPlayingFile = 1\n"))
        << "a restart continues at the same file";
    // Next goes on from the playing file's new row, to "c".
    page.ClickButton(LMID_NEXT);
    EXPECT_EQ(C()->GetPlayingIndex(), 2);
    EXPECT_STREQ(C()->GetPlayingInfo()->GetTitle(), L"c");
}

TEST_F(CPlayerContainerTest, AFolderBecomesANewPlaylistOfItsFilesInOrderAndAnEmptyOneNone)
{
    ASSERT_TRUE(page.Open({{L"L", {}}}));
    const wchar_t* files[] = {L"C:\\D\\b.mp3", L"C:\\D\\a.mp3", L"C:\\D\\b.mp3"};
    CLmPlayList* list = C()->AddDirectoryAsPlayList(L"D", files, 3);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->GetCount(), 3) << "no duplicate test";
    EXPECT_EQ(ReadFileBytes(page.PlayListPath()),
              PlayListBytes({{L"L", {}},
                             {L"D", {Fresh(files[0], L"b"), Fresh(files[1], L"a"),
                                     Fresh(files[2], L"b")}}}));
    EXPECT_EQ(List()->GetCount(), 0) << "the list shown is still the selected one";

    // A folder without files, or only with files the playlist file cannot keep, makes no playlist.
    const std::string saved = ReadFileBytes(page.PlayListPath());
    EXPECT_EQ(C()->AddDirectoryAsPlayList(L"E", files, 0), nullptr);
    const std::wstring tooLong = L"C:\\" + std::wstring(1000, L'd') + L"\\x.mp3";
    const wchar_t* const refused[] = {tooLong.c_str()};
    EXPECT_EQ(C()->AddDirectoryAsPlayList(L"E", refused, 1), nullptr);
    EXPECT_EQ(C()->GetPlayListCtrl()->GetPlayListCount(), 2);
    EXPECT_EQ(ReadFileBytes(page.PlayListPath()), saved);
}

TEST_F(CPlayerContainerTest, TheMenuButtonOpensTheDrawerWhichStopsSwipesWhileOpen)
{
    ASSERT_TRUE(page.Open({{L"L", {}}}));
    CKTitle* title = page.View()->GetTitle();
    ASSERT_TRUE(title->GetLeftButton());
    EXPECT_EQ(title->GetLeftButton()->GetIconCell(0), LMCELL_TITLE_MENU);
    HWND button = title->GetLeftButton()->GetHwnd();
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return page.View()->GetMenuOffset() > 0 &&
                                               !page.View()->GetAnimation(); }, 3000));
    EXPECT_TRUE(page.View()->IsMenuOpen());
    EXPECT_EQ(List()->GetStyle() & KLBS_SWIPE, 0u);
    page.View()->CloseMenu(false);
    EXPECT_EQ(List()->GetStyle() & KLBS_SWIPE, KLBS_SWIPE);
}
