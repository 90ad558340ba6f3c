// The application object: its loop, application messages, the page registry and the frame window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KTestSupport.h"
#include "ui/CKApplication.h"
#include "ui/CKView.h"
#include "ui/KTimer.h"

namespace {

constexpr UINT APP_MESSAGE = 5000;      // an application's thread message (>= 4096)
constexpr UINT LOW_THREAD_MESSAGE = 2000;   // a thread message below the application range

class CLoopApp : public CKApplication
{
public:
    CLoopApp() : CKApplication(GetModuleHandleW(nullptr), L"--ignored") {}

    int InitInstance() override
    {
        events.push_back("init");
        if (!initResult)
            return 0;
        CKApplication::InitInstance();
        frame = GetFrameWindow();
        if (frame) {
            RECT rect;
            GetClientRect(frame, &rect);
            clientCx = rect.right;
            clientCy = rect.bottom;
        }
        DWORD thread = GetCurrentThreadId();
        PostThreadMessageW(thread, LOW_THREAD_MESSAGE, 1, 2);
        PostThreadMessageW(thread, APP_MESSAGE, 11, 22);
        PostApplicationMessage(APP_MESSAGE + 1, 33, 44);
        PostCall(0, 0, 0, [](INT_PTR, INT_PTR, INT_PTR) { Quit(); }, 50);
        return 1;
    }
    void ExitInstance() override { events.push_back("exit"); }
    int OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        events.push_back("app " + std::to_string(message) + " " + std::to_string(wParam) + " "
                         + std::to_string(lParam));
        return 1;
    }

    std::vector<std::string> events;
    int initResult = 1;
    HWND frame = nullptr;
    int clientCx = 0, clientCy = 0;
};

class CCountedView : public CKView
{
public:
    CCountedView(int id, std::vector<std::string>* log) : CKView(id), log(log) {}
    ~CCountedView() override { log->push_back("delete " + std::to_string(viewId)); }
    void Destroy() override { log->push_back("destroy " + std::to_string(viewId)); }

    std::vector<std::string>* log;   // borrowed from the test
};

} // namespace

TEST(CKApplication, LoopRoutesApplicationMessagesAndEndsWithExitCodeZero)
{
    CLoopApp* app = new CLoopApp();
    EXPECT_EQ(GetApp(), app);
    EXPECT_STREQ(app->GetCommandLine(), L"--ignored");
    int exitCode = app->Run();
    EXPECT_EQ(exitCode, 0);
    // The thread message below 4096 went to no one; the two application messages arrived once
    // each, the one posted to the thread directly and the one carried by the frame window.
    EXPECT_EQ(app->events, (std::vector<std::string>{"init", "app 5000 11 22", "app 5001 33 44",
                                                     "exit"}));
    EXPECT_EQ(app->clientCx, 320);
    EXPECT_EQ(app->clientCy, 480);
    EXPECT_FALSE(IsWindow(app->frame)) << "the loop destroys the frame window when it ends";
    EXPECT_EQ(GetFrameWindow(), nullptr);
    delete app;
    EXPECT_EQ(GetApp(), nullptr);
}

// An application that takes one message of its frame window and watches the rest go by.
class CHookApp : public CLoopApp
{
public:
    int OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message == KWM_POSTCALL)
            postCallsSeen++;
        if (message != TAKEN_MESSAGE)
            return 0;
        *result = (LRESULT)(wParam + lParam);
        return 1;
    }

    static constexpr UINT TAKEN_MESSAGE = WM_APP + 7;
    int postCallsSeen = 0;
};

TEST(CKApplication, TheProgramSeesEveryFrameMessageFirstAndTakesWhatItWants)
{
    if (GetFrameWindow())
        DestroyWindow(GetFrameWindow());
    PumpMessagesFor(30);
    CHookApp* app = new CHookApp();
    ASSERT_EQ(app->CKApplication::InitInstance(), 1);
    HWND frame = GetFrameWindow();
    ASSERT_TRUE(frame);
    EXPECT_EQ(SendMessageW(frame, CHookApp::TAKEN_MESSAGE, 40, 2), 42) << "taken by the program";
    // Left to the library: the deferred call still runs.
    bool ran = false;
    PostCall((INT_PTR)&ran, 0, 0, [](INT_PTR flag, INT_PTR, INT_PTR) { *(bool*)flag = true; }, 0);
    PumpUntil([&] { return ran; }, 2000);
    EXPECT_TRUE(ran);
    EXPECT_EQ(app->postCallsSeen, 1);
    DestroyWindow(frame);
    PumpMessagesFor(30);
    delete app;
}

TEST(CKApplication, FailedInitSkipsTheLoopButStillExits)
{
    CLoopApp* app = new CLoopApp();
    app->initResult = 0;
    EXPECT_EQ(app->Run(), 0);
    EXPECT_EQ(app->events, (std::vector<std::string>{"init", "exit"}));
    delete app;
}

TEST(PageRegistry, FirstPageIsMarkedFindReturnsFirstAndDestroyGoesLastToFirst)
{
    std::vector<std::string> log;
    CCountedView* a = new CCountedView(3000, &log);
    CCountedView* b = new CCountedView(3002, &log);
    CCountedView* c = new CCountedView(3000, &log);
    for (CKView* view : {(CKView*)a, (CKView*)b, (CKView*)c}) {
        view->EnableRefCount();
        AddPage(view);
        EXPECT_EQ(view->GetRefCount(), 1);
    }
    EXPECT_TRUE(a->GetViewFlags() & KVF_FIRSTPAGE);
    EXPECT_FALSE(b->GetViewFlags() & KVF_FIRSTPAGE);
    EXPECT_EQ(FindPage(3000), a);
    EXPECT_EQ(FindPage(3002), b);
    EXPECT_EQ(FindPage(3005), nullptr);
    DestroyPages();
    EXPECT_EQ(log, (std::vector<std::string>{"destroy 3000", "delete 3000", "destroy 3002",
                                             "delete 3002", "destroy 3000", "delete 3000"}));
    EXPECT_EQ(FindPage(3000), nullptr);
    // After the registry is emptied the next page registered is the first again.
    CCountedView* d = new CCountedView(3007, &log);
    d->EnableRefCount();
    AddPage(d);
    EXPECT_TRUE(d->GetViewFlags() & KVF_FIRSTPAGE);
    DestroyPages();
}
