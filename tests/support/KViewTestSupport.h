// Helpers of the tests that show views and dialogs: the thread's messages run with the application
// loop's rules (KRunLoopMessage: the current view's keys, then its dialog navigation), keys
// posted to the window that has the focus, and pointer input aimed the way the system aims it: a
// press goes to the window under the point, and the moves and the release that follow go to that
// window (the capture), in its client coordinates at the moment each is posted.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/CKContainer.h"
#include "ui/CKView.h"
#include "ui/KViewStack.h"

// Runs messages as CKApplication::Run does (KRunLoopMessage) until `done` returns true or `timeoutMs` passed;
// returns done().
bool PumpLikeLoopUntil(const std::function<bool()>& done, int timeoutMs);
// Runs the queue with the loop's rules until everything posted before this call has been handled.
void RunPostedLikeLoop();
// A key press and release (WM_KEYDOWN, WM_KEYUP) at the window with the focus, run through the
// loop's rules.
void PressKey(UINT virtualKey);
// Posts WM_CHAR for each character of `text` to the window with the focus and runs them.
void TypeText(const wchar_t* text);

// One pointer over one view; points are in the view's client coordinates.
class KViewPointer
{
public:
    explicit KViewPointer(CKView* view) : view(view) {}

    // The press goes to the deepest shown and enabled window under the point.
    void Press(int x, int y);
    void MoveTo(int x, int y);
    void Release(int x, int y);
    // Press at `from`, `steps` moves evenly toward `to` (the last one at `to`), release there.
    void Drag(POINT from, POINT to, int steps);
    // Press and release at one point.
    void Tap(int x, int y);

    // The window that took the press.
    HWND GetTarget() const { return target; }

private:
    // Posts `message` to the target with the view point converted, and runs it.
    void Send(UINT message, int x, int y);

    CKView* view;             // borrowed from the test
    HWND target = nullptr;    // the pressed window
};

// Content of a test page: records its pointer codes ("mouse 33", ...) and commands ("command
// 3004"); its back action counts as handled when `handlesBack` is set.
class CTestContainer : public CKContainer
{
public:
    int OnMouse(int code, int x, int y, int extra) override;
    int OnCommand(int command) override;
    int OnBack() override;

    std::vector<std::string> events;
    bool handlesBack = false;
};

// A page with a CTestContainer and, with KVF_DRAWER, a drawer panel; its activations, deactivations
// and finished drawer moves go to the log as "activate 3000 1", "deactivate 3002 0", "menu 1".
class CTestPage : public CKView
{
public:
    explicit CTestPage(std::vector<std::string>* log) : log(log) {}

    CKContainer* GetContainer() override { return &content; }
    // The panel: an opaque window of id 3000.
    void CreateViewMenu() override;
    void OnActivate(int param) override;
    void OnDeactivate(int param) override;
    void OnViewMenuShow(int shown) override;

    CTestContainer content;
    std::vector<std::string>* log;   // borrowed from the test; none: nothing is logged
};

// A counted test page, initialised with `flags` and `id` and registered (AddPage).
CTestPage* AddTestPage(int id, unsigned int flags, std::vector<std::string>* log);
// The tests' page table: 3000 (left button 3001), 3002 (left button 3003 in style 1, right button
// 3004), 3005 (full screen, no buttons).
int TestPageLookup(int viewId, KPageEntry* entry);

// Fixture of the view tests: the test frame with the tests' page table; the pages are destroyed
// and the calls they posted run after each test. `log` records what the pages were told.
class KViewTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    std::vector<std::string> log;
};
