// Carrying on where the user left off: the player page keeps the position in the playing file in
// "Settings.ini" ("PlayingPosition") when playback pauses, stops at the start and at exit, and
// the first play of a run continues the kept file from there, unless another row, next or
// previous is chosen, the position lies past the file's end, or the file was written since.
#include <gtest/gtest.h>

#include <string>

#include "KTestSupport.h"
#include "PlayerTestSupport.h"
#include "app/CPlayerContainer.h"
#include "app/LmSettings.h"
#include "media/CKMediaObserver.h"
#include "media/CKMediaPlayer.h"
#include "support/KFileFixtures.h"
#include "ui/CKApplication.h"

namespace {

constexpr int START_MS = 5000;   // opening and starting a file under the emulator
constexpr int TONE_MS = 20000;   // long enough never to end during a test
constexpr int KEPT_MS = 7000;    // the position a previous run kept in the first file

std::wstring Text(const CKLabel* label)
{
    return label->GetText() ? label->GetText() : L"";
}

// "Settings.ini" as a previous run left it, read as a new run reads it.
void RestartWithSettings(const std::wstring& text)
{
    LmSettings::SaveAndCloseSettings();
    ASSERT_TRUE(WriteFileBytes(KPlayerPage::SettingsPath(), Utf16FileBytes(text)));
    LmSettings::LoadSettings();
}

// Sets the file's last-write time a minute after the settings file's.
void WriteAfterSettings(const std::wstring& path)
{
    ULONGLONG later = GetLastWriteTime(KPlayerPage::SettingsPath()) + 60ull * 10000000ull;
    FILETIME time = {(DWORD)later, (DWORD)(later >> 32)};
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

} // namespace

TEST(PlayerResume, TheFirstPlayOfARunGoesOnFromTheKeptPositionOnlyInTheKeptFile)
{
    enum KHow { PLAY_BUTTON, DOUBLE_PRESS_KEPT_ROW, NEXT_BUTTON, DOUBLE_PRESS_OTHER_ROW };
    struct KCase
    {
        const char* name;
        KHow how;
        int keptMs;
        bool fileWrittenSince;
        int expectedRow;
        int expectedSecond;
    };
    const KCase cases[] = {
        {"the play button", PLAY_BUTTON, KEPT_MS, false, 0, 7},
        {"a double press on the kept row", DOUBLE_PRESS_KEPT_ROW, KEPT_MS, false, 0, 7},
        {"next", NEXT_BUTTON, KEPT_MS, false, 1, 0},
        {"another row", DOUBLE_PRESS_OTHER_ROW, KEPT_MS, false, 1, 0},
        {"a position past the end", PLAY_BUTTON, TONE_MS + 1000, false, 0, 0},
        {"a file written since", PLAY_BUTTON, KEPT_MS, true, 0, 0},
    };
    for (const KCase& c : cases) {
        SCOPED_TRACE(c.name);
        KPlayerPage page;
        const std::wstring kept = page.MakeWav(L"kept.wav", TONE_MS);
        const std::wstring other = page.MakeWav(L"other.wav", TONE_MS);
        RestartWithSettings(L"\n[Default]\nPlayingPosition = " + std::to_wstring(c.keptMs) + L"\n");
        if (c.fileWrittenSince)
            WriteAfterSettings(kept);
        ASSERT_TRUE(page.Open({{L"L", {KTestRecord{kept, TONE_MS, L"kept", L"", L""},
                                       KTestRecord{other, TONE_MS, L"other", L"", L""}}}}));
        CPlayerContainer* player = page.Container();
        if (c.how == PLAY_BUTTON)
            page.ClickButton(LMID_PLAY);
        else if (c.how == NEXT_BUTTON)
            page.ClickButton(LMID_NEXT);
        else
            page.DoublePressRow(c.how == DOUBLE_PRESS_KEPT_ROW ? 0 : 1);
        ASSERT_TRUE(page.WaitForState(KMEDIA_PLAYING, START_MS));
        EXPECT_EQ(player->GetPlayingIndex(), c.expectedRow);
        const int position = player->GetPlayer()->GetPosition();
        EXPECT_GE(position, c.expectedSecond * 1000);
        EXPECT_LT(position, c.expectedSecond * 1000 + 1000);
        EXPECT_EQ(Text(player->GetElapsedLabel()), L"0:0" + std::to_wstring(c.expectedSecond));
        EXPECT_EQ(player->GetSlider()->GetPosition(), c.expectedSecond);
        EXPECT_EQ(LmSettings::GetPlayingPosition(), c.expectedSecond * 1000)
            << "kept until the next pause";

        // Only the first start of a run may go on from the kept position.
        page.DoublePressRow(0);
        ASSERT_TRUE(page.WaitForState(KMEDIA_PLAYING, START_MS));
        EXPECT_LT(player->GetPlayer()->GetPosition(), 1000);
    }
}

TEST(PlayerResume, PauseStopAndExitKeepThePositionInTheSettingsFile)
{
    KPlayerPage page;
    const std::wstring path = page.MakeWav(L"tone.wav", TONE_MS);
    ASSERT_TRUE(page.Open({{L"L", {KTestRecord{path, TONE_MS, L"tone", L"", L""}}}}));
    CPlayerContainer* player = page.Container();
    CKMediaPlayer* media = player->GetPlayer();
    page.DoublePressRow(0);
    ASSERT_TRUE(page.WaitForState(KMEDIA_PLAYING, START_MS));
    ASSERT_TRUE(PumpUntil([&] { return media->GetPosition() >= 1500; }, START_MS));

    // A pause writes the position at once.
    page.ClickButton(LMID_PLAY);
    ASSERT_EQ(media->GetState(), KMEDIA_PAUSED);
    const int paused = media->GetPosition();
    EXPECT_GE(paused, 1500);
    EXPECT_EQ(ReadFileBytes(KPlayerPage::SettingsPath()),
              Utf16FileBytes(L"\n[Default]\nPlayingPosition = " + std::to_wstring(paused) + L"\n"));

    // Stop pauses at 0:00, kept as the position; play goes on from the start.
    page.ClickButton(LMID_PLAY);
    ASSERT_EQ(media->GetState(), KMEDIA_PLAYING);
    player->OnMediaCommand(0, KMEDIA_CMD_STOP, 0);
    EXPECT_EQ(media->GetState(), KMEDIA_PAUSED);
    EXPECT_LT(media->GetPosition(), 100);
    EXPECT_EQ(Text(player->GetElapsedLabel()), L"0:00");
    EXPECT_EQ(player->GetSlider()->GetPosition(), 0);
    EXPECT_EQ(player->GetPlayButton()->GetIconCell(0), LMCELL_PLAY);
    EXPECT_EQ(ReadFileBytes(KPlayerPage::SettingsPath()),
              Utf16FileBytes(L"\n[Default]\nPlayingPosition = 0\n"));

    // At exit the position of the playing file is kept.
    page.ClickButton(LMID_PLAY);
    ASSERT_TRUE(PumpUntil([&] { return media->GetPosition() >= 1200; }, START_MS));
    DestroyPages();
    EXPECT_GE(LmSettings::GetPlayingPosition(), 1200);
    EXPECT_LT(LmSettings::GetPlayingPosition(), TONE_MS);
}
