// The application object: the start-up picture, then the four pages with the player page in its
// window; without a picture the pages at once; the interruption message; the pages destroyed and
// the settings saved only when they changed at the end; the string toast.
#include <gtest/gtest.h>

#include "KTestSupport.h"
#include "KViewTestSupport.h"
#include "PlayerTestSupport.h"
#include "app/CLumoApp.h"
#include "app/CPlayerView.h"
#include "app/LmPageTable.h"
#include "app/LmSettings.h"
#include "app/LmToast.h"
#include "controls/CKButton.h"
#include "controls/CKTitle.h"
#include "dialogs/CKToastDialog.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KPaths.h"
#include "media/CKMediaPlayer.h"
#include "support/KFileFixtures.h"
#include "ui/CKStartupView.h"

namespace {

// The application object with the interruption message at hand.
class CLumoAppTest : public KLumoAppTest
{
protected:
    // Posts the interruption message to the thread, as another thread or process does, and runs
    // the loop until it has been handled.
    static void Interrupt(WPARAM wParam)
    {
        PostThreadMessageW(GetCurrentThreadId(), LMWM_INTERRUPTION, wParam, 0);
        RunPostedLikeLoop();
    }
};

} // namespace

TEST_F(CLumoAppTest, StartupPictureGivesWayToThePlayerPageInTheSameWindow)
{
    ASSERT_EQ(app->InitInstance(), 1);
    ASSERT_TRUE(GetFrameWindow());
    CKView* startup = GetCurrentView();
    ASSERT_TRUE(startup && startup->IsKindOf(K_RUNTIME_CLASS(CKStartupView)));
    EXPECT_EQ(startup->GetViewId(), IDS_PAGE_PLAYER);
    HWND window = startup->GetHwnd();

    ASSERT_TRUE(PumpLikeLoopUntil([] {
        CKView* view = GetCurrentView();
        return view && !view->IsKindOf(K_RUNTIME_CLASS(CKStartupView));
    }, 5000));
    CKView* player = GetCurrentView();
    EXPECT_TRUE(player->IsKindOf(K_RUNTIME_CLASS(CPlayerView)));
    EXPECT_EQ(player->GetViewId(), IDS_PAGE_PLAYER);
    EXPECT_EQ(player->GetHwnd(), window);
    ASSERT_EQ(GetPageCount(), 4);
    const int ids[] = {IDS_PAGE_PLAYER, IDS_PAGE_BROWSE, IDS_PAGE_SETTINGS, IDS_PAGE_HELP};
    const unsigned int drawer[] = {KVF_DRAWER, KVF_DRAWER, 0, 0};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(GetPageAt(i)->GetViewId(), ids[i]) << i;
        EXPECT_EQ(GetPageAt(i)->GetViewFlags() & KVF_DRAWER, drawer[i]) << i;
    }
    EXPECT_TRUE(player->GetViewFlags() & KVF_FIRSTPAGE);
    ASSERT_TRUE(player->GetTitle());
    EXPECT_STREQ(player->GetTitle()->GetText(), L"默认列表") << "the selected playlist's name";
    EXPECT_EQ(player->GetTitle()->GetLeftCmd(), IDS_PLAYER_MENU);
    EXPECT_EQ(player->GetTitle()->GetLeftButton()->GetIconCell(0), 1) << "icon instead of text";
    EXPECT_TRUE(IsWindowVisible(player->GetTitle()->GetHwnd()));
}

TEST_F(CLumoAppTest, WithoutAStartupPictureThePagesComeAtOnce)
{
    // Landscape asks for "StartupL.png", which the program does not have.
    SetDevMetric(ScreenOrientation, 2);
    ASSERT_EQ(app->InitInstance(), 1);
    CKView* player = GetCurrentView();
    ASSERT_TRUE(player);
    EXPECT_FALSE(player->IsKindOf(K_RUNTIME_CLASS(CKStartupView)));
    EXPECT_EQ(player->GetViewId(), IDS_PAGE_PLAYER);
    EXPECT_EQ(GetPageCount(), 4);
    RECT client;
    GetClientRect(GetFrameWindow(), &client);
    EXPECT_EQ(client.right, 480) << "a landscape frame";
    EXPECT_EQ(client.bottom, 320);
    SetDevMetric(ScreenOrientation, 0);
    EXPECT_EQ(GetDevMetric(CxScreen), 320);
}

TEST_F(CLumoAppTest, InterruptionPausesOnlyWhatPlaysAndResumesOnlyWhatItPaused)
{
    const std::wstring dir = MakeTempDir(L"interrupt");
    const std::wstring wav = dir + L"long.wav";
    ASSERT_TRUE(WriteSilentWav(wav, 30000));
    ASSERT_TRUE(WriteFileBytes(ModuleFile(L"PlayList.txt"),
                               PlayListBytes({{L"L", {{wav, 30000, L"long", L"", L""}}}})));
    ASSERT_EQ(app->InitInstance(), 1);
    // Before the pages exist (page 3000 is still the start-up picture): ignored.
    EXPECT_EQ(app->OnAppMessage(LMWM_INTERRUPTION, LMINTERRUPTION_BEGINS, 0), 1);
    Interrupt(LMINTERRUPTION_ENDS);
    CPlayerView* view = nullptr;
    ASSERT_TRUE(PumpLikeLoopUntil([&] {
        CKView* current = GetCurrentView();
        if (current && current->IsKindOf(K_RUNTIME_CLASS(CPlayerView)))
            view = (CPlayerView*)current;
        return view != nullptr;
    }, 5000));
    CPlayerContainer* player = view->GetPlayerContainer();
    ASSERT_EQ(player->PlayRow(0), 1);
    CKMediaPlayer* media = player->GetPlayer();
    ASSERT_EQ(media->GetState(), KMEDIA_PLAYING);

    // Begins (1): the playing file pauses and shows the play icon; ends (0): it resumes.
    Interrupt(LMINTERRUPTION_BEGINS);
    EXPECT_EQ(media->GetState(), KMEDIA_PAUSED);
    EXPECT_TRUE(player->IsPausedByInterruption());
    EXPECT_EQ(player->GetPlayButton()->GetIconCell(0), LMCELL_PLAY);
    Interrupt(7);
    EXPECT_EQ(media->GetState(), KMEDIA_PAUSED) << "other values do nothing";
    Interrupt(LMINTERRUPTION_ENDS);
    EXPECT_EQ(media->GetState(), KMEDIA_PLAYING);
    EXPECT_FALSE(player->IsPausedByInterruption());
    EXPECT_EQ(player->GetPlayButton()->GetIconCell(0), LMCELL_PAUSE);

    // 2 begins too; the user resuming meanwhile leaves nothing for the end to do.
    Interrupt(LMINTERRUPTION_BEGINS_TOO);
    EXPECT_EQ(media->GetState(), KMEDIA_PAUSED);
    player->TogglePlay();
    Interrupt(LMINTERRUPTION_ENDS);
    EXPECT_EQ(media->GetState(), KMEDIA_PLAYING);
    EXPECT_FALSE(player->IsPausedByInterruption());

    // Paused by the user: 1 does nothing and the following 0 does not start playback.
    player->TogglePlay();
    ASSERT_EQ(media->GetState(), KMEDIA_PAUSED);
    Interrupt(LMINTERRUPTION_BEGINS);
    EXPECT_FALSE(player->IsPausedByInterruption());
    Interrupt(LMINTERRUPTION_ENDS);
    EXPECT_EQ(media->GetState(), KMEDIA_PAUSED);
    EXPECT_EQ(app->OnAppMessage(KWM_APP_FIRST + 5, 0, 0), 0) << "other messages go to the base";

    app->ExitInstance();
    RemoveTree(dir);
}

TEST_F(CLumoAppTest, ExitSavesTheSettingsOnlyWhenTheyChanged)
{
    const std::wstring settings = ModuleFile(L"Settings.ini");
    const std::string bytes = Utf16FileBytes(L"\r\n[Default]\r\nLoopType=2\r\nPlayListSelected=0\r\n");
    ASSERT_TRUE(WriteFileBytes(settings, bytes));
    // An old time stamp, so that any rewrite shows.
    HANDLE file = CreateFileW(settings.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME old = {0x12345678, 0x01D00000};
    SetFileTime(file, nullptr, nullptr, &old);
    CloseHandle(file);
    const ULONGLONG written = GetLastWriteTime(settings);

    CPlayerView* view = StartToPlayerPage();
    ASSERT_TRUE(view);
    EXPECT_EQ(view->GetPlayerContainer()->GetLoopType(), 2);
    app->ExitInstance();
    EXPECT_EQ(GetPageCount(), 0);
    EXPECT_EQ(ReadFileBytes(settings), bytes);
    EXPECT_EQ(GetLastWriteTime(settings), written);

}

TEST_F(CLumoAppTest, ExitWritesSettingsThatChanged)
{
    const std::wstring settings = ModuleFile(L"Settings.ini");
    ASSERT_TRUE(StartToPlayerPage());
    EXPECT_EQ(GetFileAttributesW(settings.c_str()), INVALID_FILE_ATTRIBUTES)
        << "start-up with every default writes nothing";
    LmSettings::SetPlayingFile(3);
    app->ExitInstance();
    EXPECT_EQ(ReadFileBytes(settings), Utf16FileBytes(L"\n[Default]\nPlayingFile = 3\n"));
}

TEST_F(CLumoAppTest, ShowToastStringShowsTheStringCentredForThreeSeconds)
{
    ASSERT_EQ(app->InitInstance(), 1);
    EXPECT_EQ(ShowToastString(99999), 0) << "a missing string shows nothing";
    EXPECT_EQ(GetCurrentToast(), nullptr);
    ASSERT_EQ(ShowToastString(3040), 1);
    CKToastDialog* toast = GetCurrentToast();
    ASSERT_TRUE(toast);
    EXPECT_STREQ(toast->GetToastContainer()->GetLabel()->GetText(),
                 L"当前列表为空，没有可以播放的项目！");
    EXPECT_EQ(toast->GetPlacement(), KTOAST_CENTRE);
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpLikeLoopUntil([] { return GetCurrentToast() == nullptr; }, 6000));
    EXPECT_GE((int)(GetTickCount() - start), 2500);
}
