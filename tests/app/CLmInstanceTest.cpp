// One Lumo per folder: a start claims its folder or hands its request to the window of the Lumo
// that holds it; it takes the folder over when that Lumo lets it go or ends, gives up after the
// wait it was given, and copies in other folders never meet. A start is a thread here (the mutex
// belongs to the thread that claimed it, as it belongs to a process's main thread in Lumo.exe).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "KTestSupport.h"
#include "app/CLmInstance.h"
#include "ui/KTimer.h"

namespace {

constexpr const wchar_t* FOLDER = L"C:\\Tests\\Lumo\\";

// A top-level window standing for a Lumo's frame: it takes every hand-over and keeps its paths.
class KFakeFrame
{
public:
    KFakeFrame()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CLmInstanceTestFrame";
        RegisterClassW(&wc);
        hwnd = CreateWindowW(wc.lpszClassName, L"Lumo", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                             nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, (LONG_PTR)this);
    }
    ~KFakeFrame() { DestroyWindow(hwnd); }

    HWND hwnd;
    std::vector<std::wstring> received;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_COPYDATA)
            return DefWindowProcW(hwnd, message, wParam, lParam);
        KFakeFrame* frame = (KFakeFrame*)GetWindowLongPtrW(hwnd, GWLP_USERDATA);
        CLmOpenRequest request(LMOPEN_PLAY_FIRST);
        if (!frame || !request.Unpack((const COPYDATASTRUCT*)lParam))
            return 0;
        frame->received = request.GetPaths();
        return 1;
    }
};

// Runs `start` on a thread of its own, pumping this thread's messages meanwhile (a hand-over is a
// message sent to a window of this thread); returns what it returned.
int RunStart(const std::function<int()>& start)
{
    int result = -1;
    bool done = false;
    std::thread other([&] {
        result = start();
        done = true;
    });
    PumpUntil([&] { return done; }, 60000);
    other.join();
    return result;
}

// A second start of `folder` asked to open what `commandLine` names: its hand-over result, or -2
// when it found the folder free.
int SecondStart(const wchar_t* folder, const wchar_t* commandLine, int waitMs)
{
    CLmInstance second(folder);
    if (second.Claim())
        return -2;
    CLmOpenRequest request(LMOPEN_PLAY_FIRST);
    request.AddCommandLine(commandLine, L"C:\\Music");
    return second.HandOver(request, waitMs);
}

} // namespace

TEST(CLmInstance, ASecondStartInTheSameFolderHandsItsRequestToTheMarkedFrame)
{
    CLmInstance first(FOLDER);
    ASSERT_EQ(first.Claim(), 1);
    KFakeFrame frame;
    ASSERT_EQ(first.MarkFrame(frame.hwnd), 1);
    EXPECT_EQ(first.FindFrame(), frame.hwnd);

    // The folder named in other capitals is the same folder.
    const int handed = RunStart([] {
        return SecondStart(L"c:\\tests\\LUMO\\", L"Lumo.exe a.mp3 \"\x6674\x5929.mp3\"", 5000);
    });
    EXPECT_EQ(handed, LMHANDOVER_TAKEN);
    EXPECT_EQ(frame.received,
              (std::vector<std::wstring>{L"C:\\Music\\a.mp3", L"C:\\Music\\\x6674\x5929.mp3"}));

    // A copy in another folder runs beside it.
    EXPECT_EQ(RunStart([] { return CLmInstance(L"C:\\Tests\\Portable\\").Claim(); }), 1);

    first.UnmarkFrame(frame.hwnd);
    EXPECT_EQ(first.FindFrame(), nullptr);
}

TEST(CLmInstance, AStartWaitingForAFrameOwnsTheFolderWhenTheOtherLumoLetsGoOrEnds)
{
    // Released while the second start waits for a frame that never came (a Lumo closing).
    EnsureTestFrame();
    CLmInstance* first = new CLmInstance(FOLDER);
    ASSERT_EQ(first->Claim(), 1);
    const DWORD begin = GetTickCount();
    PostCall((INT_PTR)first, 0, 0,
             [](INT_PTR lock, INT_PTR, INT_PTR) { delete (CLmInstance*)lock; }, 300);
    EXPECT_EQ(RunStart([] { return SecondStart(FOLDER, L"Lumo.exe a.mp3", 20000); }),
              LMHANDOVER_OWNER);
    EXPECT_LT(GetTickCount() - begin, 10000u);

    // A Lumo that ended without letting go (its mutex abandoned) leaves the folder to the next.
    CLmInstance* crashed = nullptr;
    EXPECT_EQ(RunStart([&] {
                  crashed = new CLmInstance(FOLDER);
                  return crashed->Claim();   // never released: the thread ends owning it
              }),
              1);
    {
        CLmInstance next(FOLDER);
        EXPECT_EQ(next.Claim(), 1);
    }
    delete crashed;
}

TEST(CLmInstance, AStartGivesUpAfterItsWaitWhenTheOtherLumoHoldsTheFolderWithoutAFrame)
{
    CLmInstance first(FOLDER);
    ASSERT_EQ(first.Claim(), 1);
    const DWORD begin = GetTickCount();
    EXPECT_EQ(RunStart([] { return SecondStart(FOLDER, L"Lumo.exe a.mp3", 400); }),
              LMHANDOVER_GAVE_UP);
    const DWORD waited = GetTickCount() - begin;
    EXPECT_GE(waited, 380u);
    EXPECT_LT(waited, 5000u);
    EXPECT_TRUE(first.IsOwner());
}
