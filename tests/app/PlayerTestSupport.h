// What the player page tests share: silent WAV files of exact lengths written by code, the bytes
// of "PlayList.txt", and a player page built and shown the way the application builds it, over a
// playlist file in a temporary folder and a fresh "Settings.ini".
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

class CLmMediaInfo;
class CLumoApp;
class CPlayerContainer;
class CPlayerView;

// Writes a silent mono 8-bit 8000 Hz WAV file of exactly `ms` milliseconds; true on success.
bool WriteSilentWav(const std::wstring& path, int ms);

// One record line of "PlayList.txt": path, duration and the three tags.
struct KTestRecord
{
    std::wstring path;
    int duration;
    std::wstring title;
    std::wstring album;
    std::wstring artist;
};
struct KTestPlayList
{
    std::wstring name;
    std::vector<KTestRecord> records;
};
// The exact bytes the playlist writer produces for these playlists.
std::string PlayListBytes(const std::vector<KTestPlayList>& lists);
// A new media record (one reference, the caller's) with these fields.
CLmMediaInfo* NewRecord(const wchar_t* path, int duration, const wchar_t* title,
                        const wchar_t* album, const wchar_t* artist);

// A player page over its own folder: "PlayList.txt" in a temporary folder, "Settings.ini" of
// ModuleDir removed before and after, the page registered as 3000 and shown.
class KPlayerPage
{
public:
    KPlayerPage();
    // Destroys the pages, closes the settings, removes the files.
    ~KPlayerPage();

    // Writes the playlist file, then creates and shows the page. False when it could not.
    bool Open(const std::vector<KTestPlayList>& lists);
    // A silent WAV of `ms` in the folder; its full path.
    std::wstring MakeWav(const wchar_t* name, int ms);

    CPlayerView* View() const { return view; }
    CPlayerContainer* Container() const;
    const std::wstring& Folder() const { return folder; }
    std::wstring PlayListPath() const { return folder + L"PlayList.txt"; }
    static std::wstring SettingsPath();

    // Double-presses row `row` of the playing list with real input messages.
    void DoublePressRow(int row);
    // Clicks a child button of the container with real input messages.
    void ClickButton(int id);
    // Waits until the player reaches `state`; false after `timeoutMs`.
    bool WaitForState(int state, int timeoutMs);
    // The visible toast's text, or an empty string.
    static std::wstring ToastText();
    // Closes the visible toast at once.
    static void CloseToast();

    KPlayerPage(const KPlayerPage&) = delete;
    KPlayerPage& operator=(const KPlayerPage&) = delete;

private:
    std::wstring folder;
    CPlayerView* view = nullptr;   // borrowed: the page registry holds it
};

// The application object over the files beside the test executable ("PlayList.txt" and
// "Settings.ini" removed before and after), with a frame window of its own: the test executable's
// frame goes first, and the application's goes with its quit message at the end.
class KLumoAppTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // ModuleDir + name.
    static std::wstring ModuleFile(const wchar_t* name);
    // Starts the application and waits for the player page to replace the start-up picture.
    CPlayerView* StartToPlayerPage();

    CLumoApp* app = nullptr;
};
