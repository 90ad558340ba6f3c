// Lumo as a desktop program, through its real frame window: the files another start hands over
// (WM_COPYDATA) and those on its own command line are added once each, folders recursively in
// the browse page's order, "PlayList.txt" written and the first file played; files dropped on the
// window (a real HDROP) start playback only when nothing plays; the media keys, as application
// commands from the focused window and as hot keys, do what the player page's buttons do; a
// folder is added in steps with the window answering between them.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "KTestSupport.h"
#include "KViewTestSupport.h"
#include "PlayerTestSupport.h"
#include "app/CLmOpenRequest.h"
#include "app/CLumoApp.h"
#include "app/CPlayerView.h"
#include "media/CKMediaPlayer.h"
#include "support/KFileFixtures.h"

namespace {

constexpr int START_MS = 5000;    // opening and starting a file under the emulator
constexpr int ADD_MS = 20000;     // the longest a test waits for its files to be added
constexpr int TONE_MS = 20000;    // files that never end during a test
constexpr int SHORT_MS = 100;     // files only added, never played

// A window of the test's thread that runs `answer` for every WM_APP it is sent.
class KAnswerWindow
{
public:
    explicit KAnswerWindow(std::function<void()> answer) : answer(std::move(answer))
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KAnswerWindow";
        RegisterClassW(&wc);
        hwnd = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             wc.hInstance, nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, (LONG_PTR)this);
    }
    ~KAnswerWindow() { DestroyWindow(hwnd); }

    HWND hwnd;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        KAnswerWindow* self = (KAnswerWindow*)GetWindowLongPtrW(hwnd, GWLP_USERDATA);
        if (message == WM_APP && self)
            self->answer();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    std::function<void()> answer;
};

class CLumoAppDesktopTest : public KLumoAppTest
{
protected:
    void SetUp() override
    {
        KLumoAppTest::SetUp();
        dir = MakeTempDir(L"desktop");
    }
    void TearDown() override
    {
        KPlayerPage::CloseToast();
        KLumoAppTest::TearDown();
        RemoveTree(dir);
    }

    std::wstring Wav(const wchar_t* name, int ms = TONE_MS)
    {
        const std::wstring path = dir + name;
        EXPECT_TRUE(WriteSilentWav(path, ms));
        return path;
    }
    std::wstring Folder(const wchar_t* name)
    {
        CreateDirectoryW((dir + name).c_str(), nullptr);
        return dir + name;
    }

    CPlayerContainer* Player() { return CPlayerContainer::FromPlayerPage(); }

    // The paths of the rows shown, relative to the test's folder.
    std::vector<std::wstring> Rows()
    {
        std::vector<std::wstring> rows;
        CMediaListBox* list = Player()->GetListBox();
        for (int i = 0; i < list->GetCount(); i++) {
            std::wstring path = (const wchar_t*)list->GetRecord(i)->GetPath();
            rows.push_back(path.compare(0, dir.size(), dir) == 0 ? path.substr(dir.size()) : path);
        }
        return rows;
    }

    // Another start of Lumo.exe in the test's folder hands its command line over; the frame's
    // answer.
    LRESULT HandOver(const wchar_t* commandLine)
    {
        CLmOpenRequest request(LMOPEN_PLAY_FIRST);
        request.AddCommandLine(commandLine, dir.c_str());
        const std::vector<wchar_t> packed = request.Pack();
        COPYDATASTRUCT copy = {LMCOPYDATA_OPEN, (DWORD)(packed.size() * sizeof(wchar_t)),
                               (void*)packed.data()};
        return SendMessageW(GetFrameWindow(), WM_COPYDATA, 0, (LPARAM)&copy);
    }

    // Drops the files on the frame as Explorer does: a DROPFILES block of wide, NUL-separated
    // paths ended by a second NUL, which the receiver frees.
    void Drop(const std::vector<std::wstring>& paths)
    {
        std::wstring names;
        for (const std::wstring& path : paths)
            names += path + L'\0';
        names += L'\0';
        const size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
        HGLOBAL drop = GlobalAlloc(GHND, bytes);
        ASSERT_TRUE(drop);
        DROPFILES* header = (DROPFILES*)GlobalLock(drop);
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
        GlobalUnlock(drop);
        PostMessageW(GetFrameWindow(), WM_DROPFILES, (WPARAM)drop, 0);
        RunPostedLikeLoop();
    }

    bool WaitAdded()
    {
        return PumpLikeLoopUntil([&] { return !app->GetFileAdder().IsBusy(); }, ADD_MS);
    }

    // How often the path occurs in "PlayList.txt".
    int TimesInPlayList(const std::wstring& path)
    {
        const std::string bytes = ReadFileBytes(ModuleFile(L"PlayList.txt"));
        const std::string needle = Utf16Bytes(L"#" + path + L"\xFFFD");
        int count = 0;
        for (size_t at = bytes.find(needle); at != std::string::npos;
             at = bytes.find(needle, at + 1))
            count++;
        return count;
    }

    std::wstring dir;
};

} // namespace

TEST_F(CLumoAppDesktopTest, OwnAndHandedOverCommandLinesAddFilesOnceInBrowseOrderAndPlayTheFirst)
{
    Wav(L"a.wav");
    Wav(L"b c.wav");
    Folder(L"Album");
    Folder(L"Album\\CD2");
    Folder(L"Album\\cd1");
    Wav(L"Album\\z.wav");
    Wav(L"Album\\CD2\\x.wav");
    Wav(L"Album\\cd1\\Y.wav");
    Wav(L"Album\\cd1\\b.wav");
    ASSERT_TRUE(WriteFileBytes(dir + L"Album\\notes.txt", "not audio"));
    SetFileAttributesW(Wav(L"Album\\hidden.wav").c_str(), FILE_ATTRIBUTE_HIDDEN);

    // The start's own command line waits for the player page.
    CLmOpenRequest* own = new CLmOpenRequest(LMOPEN_PLAY_FIRST);
    own->AddCommandLine(L"Lumo.exe a.wav", dir.c_str());
    app->Open(own);
    ASSERT_TRUE(StartToPlayerPage());
    ASSERT_TRUE(WaitAdded());
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"a.wav"}));
    EXPECT_EQ(Player()->GetPlayingIndex(), 0);
    EXPECT_EQ(TimesInPlayList(dir + L"a.wav"), 1);

    // A hand-over to a minimised window: a file listed already, a new one, a folder and a path
    // that does not exist. The window comes back.
    HWND frame = GetFrameWindow();
    ShowWindow(frame, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(frame));
    EXPECT_EQ(HandOver(L"Lumo.exe a.wav \"b c.wav\" Album missing.mp3"), 1);
    EXPECT_FALSE(IsIconic(frame));
    ASSERT_TRUE(WaitAdded());
    const std::vector<std::wstring> rows = {L"a.wav", L"b c.wav", L"Album\\cd1\\b.wav",
                                            L"Album\\cd1\\Y.wav", L"Album\\CD2\\x.wav",
                                            L"Album\\z.wav"};
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(Player()->GetPlayingIndex(), 1) << "the first file added plays";
    EXPECT_EQ(Player()->GetPlayer()->GetState(), KMEDIA_PLAYING);
    for (const std::wstring& row : rows)
        EXPECT_EQ(TimesInPlayList(dir + row), 1);

    // Everything named is listed already: nothing is added and the first named file plays.
    EXPECT_EQ(HandOver(L"Lumo.exe Album\\z.wav Album"), 1);
    ASSERT_TRUE(WaitAdded());
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(Player()->GetPlayingIndex(), 5);
    EXPECT_EQ(KPlayerPage::ToastText(), L"");

    // Nothing that can be added: the user is told. Names of devices are asked about as files, and
    // there are none.
    EXPECT_EQ(HandOver(L"Lumo.exe missing.mp3 Album\\notes.txt \\\\.\\COM1 COM1.wav aux.mp3 CON"),
              1);
    ASSERT_TRUE(WaitAdded());
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(KPlayerPage::ToastText(), L"没有可以添加的音频文件！");

    // Data that is not a request is refused.
    COPYDATASTRUCT foreign = {LMCOPYDATA_OPEN + 1, 0, nullptr};
    EXPECT_EQ(SendMessageW(frame, WM_COPYDATA, 0, (LPARAM)&foreign), 0);
}

TEST_F(CLumoAppDesktopTest, DroppedFilesAreAddedAndStartPlaybackOnlyWhenNothingPlays)
{
    const std::wstring first = Wav(L"first.wav");
    const std::wstring second = Wav(L"second.wav");
    const std::wstring third = Wav(L"third.wav");
    ASSERT_TRUE(WriteFileBytes(dir + L"readme.txt", "text"));
    ASSERT_TRUE(StartToPlayerPage());
    CKMediaPlayer* media = Player()->GetPlayer();

    Drop({first});
    ASSERT_TRUE(WaitAdded());
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"first.wav"}));
    EXPECT_EQ(media->GetState(), KMEDIA_PLAYING) << "nothing played: the drop starts";
    EXPECT_EQ(TimesInPlayList(first), 1);

    // Playing, and then paused: the dropped files are only added.
    Drop({second, dir + L"readme.txt"});
    ASSERT_TRUE(WaitAdded());
    Player()->PausePlayback();
    Drop({third});
    ASSERT_TRUE(WaitAdded());
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"first.wav", L"second.wav", L"third.wav"}));
    EXPECT_EQ(Player()->GetPlayingIndex(), 0);
    EXPECT_EQ(media->GetState(), KMEDIA_PAUSED);
    EXPECT_EQ(TimesInPlayList(third), 1);

    // Stopped at the start is still a file in use; a closed player is idle again.
    Player()->GetPlayer()->Close();
    Drop({second});
    ASSERT_TRUE(WaitAdded());
    EXPECT_EQ(Player()->GetPlayingIndex(), 1) << "listed already: the first dropped file plays";
    EXPECT_EQ(media->GetState(), KMEDIA_PLAYING);
}

TEST_F(CLumoAppDesktopTest, MediaKeysDoWhatThePlayerButtonsDoFromTheFocusedWindowAndAsHotKeys)
{
    const std::wstring first = Wav(L"first.wav");
    const std::wstring second = Wav(L"second.wav");
    ASSERT_TRUE(WriteFileBytes(ModuleFile(L"PlayList.txt"),
                               PlayListBytes({{L"L", {{first, TONE_MS, L"first", L"", L""},
                                                      {second, TONE_MS, L"second", L"", L""}}}})));
    ASSERT_TRUE(StartToPlayerPage());
    CKMediaPlayer* media = Player()->GetPlayer();
    HWND focused = Player()->GetListBox()->GetHwnd();
    SetFocus(focused);

    // While Lumo runs it holds the media keys as hot keys.
    EXPECT_FALSE(RegisterHotKey(nullptr, 1, 0, VK_MEDIA_PLAY_PAUSE));

    struct KStep
    {
        UINT message;   // WM_APPCOMMAND to the focused window, or WM_HOTKEY to the frame
        int key;        // application command or virtual key
        int state;
        int row;
    } steps[] = {
        {WM_APPCOMMAND, APPCOMMAND_MEDIA_PLAY_PAUSE, KMEDIA_PLAYING, 0},
        {WM_HOTKEY, VK_MEDIA_PLAY_PAUSE, KMEDIA_PAUSED, 0},
        {WM_APPCOMMAND, APPCOMMAND_MEDIA_PLAY, KMEDIA_PLAYING, 0},
        {WM_HOTKEY, VK_MEDIA_NEXT_TRACK, KMEDIA_PLAYING, 1},
        {WM_APPCOMMAND, APPCOMMAND_MEDIA_PREVIOUSTRACK, KMEDIA_PLAYING, 0},
        {WM_APPCOMMAND, APPCOMMAND_MEDIA_NEXTTRACK, KMEDIA_PLAYING, 1},
        {WM_HOTKEY, VK_MEDIA_PREV_TRACK, KMEDIA_PLAYING, 0},
        {WM_APPCOMMAND, APPCOMMAND_MEDIA_PAUSE, KMEDIA_PAUSED, 0},
        {WM_HOTKEY, VK_MEDIA_PLAY_PAUSE, KMEDIA_PLAYING, 0},
        {WM_APPCOMMAND, APPCOMMAND_MEDIA_STOP, KMEDIA_PAUSED, 0},
        {WM_APPCOMMAND, APPCOMMAND_BROWSER_BACKWARD, KMEDIA_PAUSED, 0},
        {WM_APPCOMMAND, APPCOMMAND_MEDIA_PLAY_PAUSE, KMEDIA_PLAYING, 0},
        {WM_HOTKEY, VK_MEDIA_STOP, KMEDIA_PAUSED, 0},
    };
    for (const KStep& step : steps) {
        SCOPED_TRACE(::testing::Message() << (step.message == WM_HOTKEY ? "hot key " : "command ")
                                          << step.key);
        if (step.message == WM_APPCOMMAND) {
            SendMessageW(focused, WM_APPCOMMAND, (WPARAM)focused,
                         MAKELPARAM(0, step.key | FAPPCOMMAND_KEY));
        } else {
            PostMessageW(GetFrameWindow(), WM_HOTKEY, 0, MAKELPARAM(0, step.key));
            RunPostedLikeLoop();
        }
        ASSERT_TRUE(PumpLikeLoopUntil([&] { return media->GetState() == step.state; }, START_MS));
        EXPECT_EQ(Player()->GetPlayingIndex(), step.row);
        if (step.key == APPCOMMAND_MEDIA_STOP || step.key == VK_MEDIA_STOP) {
            EXPECT_LT(media->GetPosition(), 100) << "stop rests at 0:00";
        }
    }

    // The keys go with the window.
    DestroyWindow(GetFrameWindow());
    EXPECT_TRUE(RegisterHotKey(nullptr, 1, 0, VK_MEDIA_PLAY_PAUSE));
    UnregisterHotKey(nullptr, 1);
}

TEST_F(CLumoAppDesktopTest, AFolderIsAddedInStepsWithTheWindowAnsweringAndExitKeepsTheAdded)
{
    // Steps of one piece of work each stand for the time budget a large folder exhausts.
    constexpr int FILES = 40;
    Folder(L"Many");
    for (int i = 0; i < FILES; i++) {
        wchar_t name[32];
        wsprintfW(name, L"Many\\t%04d.wav", i);
        Wav(name, SHORT_MS);
    }
    ASSERT_TRUE(StartToPlayerPage());
    app->GetFileAdder().SetStepBudget(0);
    CLmOpenRequest* request = new CLmOpenRequest(LMOPEN_PLAY_IF_IDLE);
    request->AddPath((dir + L"Many").c_str(), nullptr);
    app->Open(request);
    // Another program keeps asking a window of this thread for an answer, as a second start of
    // Lumo.exe would: the answers come between the steps, with the list part way. At the first
    // such answer the program ends, as a user quitting would.
    int stoppedAt = -1;
    KAnswerWindow window([&] {
        const int rows = Player()->GetListBox()->GetCount();
        if (stoppedAt < 0 && rows > 0 && rows < FILES) {
            app->GetFileAdder().Stop();
            stoppedAt = rows;
        }
    });
    std::atomic<bool> asking(true);
    std::thread asker([&] {
        while (asking)
            SendMessageTimeoutW(window.hwnd, WM_APP, 0, 0, SMTO_BLOCK, ADD_MS, nullptr);
    });
    PumpLikeLoopUntil([&] { return stoppedAt >= 0 || !app->GetFileAdder().IsBusy(); }, ADD_MS);
    asking = false;
    PumpUntil([&] { return false; }, 50);
    asker.join();
    ASSERT_GT(stoppedAt, 0) << "the walk was never seen part way";

    // The files added so far are written; no more are added.
    PumpMessagesFor(100);
    EXPECT_EQ(Player()->GetListBox()->GetCount(), stoppedAt);
    EXPECT_FALSE(app->GetFileAdder().IsBusy());
    wchar_t name[32];
    for (int i : {0, stoppedAt - 1, stoppedAt}) {
        wsprintfW(name, L"Many\\t%04d.wav", i);
        EXPECT_EQ(TimesInPlayList(dir + name), i < stoppedAt ? 1 : 0) << i;
    }
}
