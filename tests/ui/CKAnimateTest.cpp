// Animations driven by the message loop's deferred calls: the 10 ms steps in thousandths, the
// end sequence, replacing a running animation, a window destroyed mid-way, and the scroll,
// drawer and window-move subclasses.
#include <gtest/gtest.h>

#include "KTestSupport.h"
#include "WindowTestSupport.h"
#include "ui/CKAniScroll.h"
#include "ui/CKAniViewMenuCtrl.h"
#include "ui/CKAniWndMove.h"
#include "ui/CKView.h"

namespace {

using Events = std::vector<std::string>;

// Records its calls, with the tick count of each step, into a log shared with its window.
class CRecordingAnimation : public CKAnimate
{
public:
    CRecordingAnimation(CKWindow* window, Events* log, bool* deleted)
        : CKAnimate(window), log(log), deleted(deleted) {}
    ~CRecordingAnimation() override { *deleted = true; }

    void OnBegin() override { log->push_back("begin"); }
    void OnStep(int permille) override
    {
        log->push_back("step " + std::to_string(permille));
        stepTicks.push_back(GetTickCount());
    }
    void OnEnd() override { log->push_back("end"); }

    Events* log;                      // borrowed from the test
    bool* deleted;                    // borrowed from the test
    std::vector<DWORD> stepTicks;
};

// Writes the window's animation notifications into the same log.
class CAnimatedWindow : public CRecordingWindow
{
public:
    explicit CAnimatedWindow(std::vector<std::string>* log) : log(log) {}
    void OnAnimateBegin(CKAnimate*) override { log->push_back("window begin"); }
    void OnAnimateEnd(CKAnimate* anim) override
    {
        log->push_back("window end");
        CKWindow::OnAnimateEnd(anim);
    }
    std::vector<std::string>* log;   // borrowed from the test
};

// A view with a drawer whose finished openings and closings are recorded.
class CDrawerView : public CKView
{
public:
    void OnViewMenuShow(int shown) override { shown_.push_back(shown); }
    std::vector<int> shown_;
};

// The y of every "scroll 50" event.
std::vector<int> ScrolledY(const CRecordingWindow* window)
{
    std::vector<int> ys;
    for (const std::string& event : window->Events("scroll 50"))
        ys.push_back(std::stoi(event.substr(event.rfind(' ') + 1)));
    return ys;
}

} // namespace

TEST(CKAnimate, StepsAboutEveryTenMillisecondsEndWithAThousandThenOnEnd)
{
    KWindowScope scope;
    Events log;
    CAnimatedWindow* window = scope.Add(new CAnimatedWindow(&log), nullptr, 0, RECT{0, 0, 9, 9});
    ASSERT_TRUE(window);
    bool deleted = false;
    CRecordingAnimation* anim = new CRecordingAnimation(window, &log, &deleted);
    EXPECT_EQ(anim->GetDuration(), 200);
    window->StartAnimation(anim);
    EXPECT_EQ(window->GetAnimation(), anim);
    EXPECT_EQ(anim->GetRefCount(), 2) << "the window's and the driver's references";
    EXPECT_TRUE(log.empty()) << "the first tick comes from the message loop";

    std::vector<DWORD> ticks;
    ASSERT_TRUE(PumpUntil([&] {
        if (!deleted)
            ticks = anim->stepTicks;
        return deleted;
    }, 3000));
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[0], "window begin");
    EXPECT_EQ(log[1], "begin");
    EXPECT_EQ(log[log.size() - 3], "step 1000");
    EXPECT_EQ(log[log.size() - 2], "end");
    EXPECT_EQ(log[log.size() - 1], "window end");
    EXPECT_EQ(window->GetAnimation(), nullptr);

    // Progress only grows; there are about 200 / 10 steps, spaced about 10 ms apart.
    int previous = 0;
    int steps = 0;
    for (const std::string& entry : log) {
        if (entry.compare(0, 5, "step ") != 0)
            continue;
        const int permille = std::stoi(entry.substr(5));
        EXPECT_GE(permille, previous) << entry;
        EXPECT_LE(permille, 1000);
        previous = permille;
        steps++;
    }
    EXPECT_GE(steps, 10);
    EXPECT_LE(steps, 25);
    ASSERT_GE(ticks.size(), 2u);
    const double meanInterval = (double)(ticks.back() - ticks.front()) / (double)(ticks.size() - 1);
    EXPECT_GE(meanInterval, 8.0);
    EXPECT_LE(meanInterval, 16.0);
}

TEST(CKAnimate, InterpolationIsLinearAndTruncatesTowardZero)
{
    EXPECT_EQ(CKAnimate::Interpolate(-20, 0, 0), -20);
    EXPECT_EQ(CKAnimate::Interpolate(-20, 0, 333), -14);
    EXPECT_EQ(CKAnimate::Interpolate(-20, 0, 1000), 0);
    EXPECT_EQ(CKAnimate::Interpolate(0, -7, 500), -3);
    EXPECT_EQ(CKAnimate::Interpolate(0, 7, 500), 3);
    EXPECT_EQ(CKAnimate::Interpolate(5, 5, 777), 5);
    EXPECT_EQ(CKAnimate::Interpolate(0, 2000000, 999), 1998000) << "no overflow";
}

TEST(CKAnimate, AShortDurationStillEndsAndAZeroDurationNeverSteps)
{
    KWindowScope scope;
    Events log;
    CAnimatedWindow* window = scope.Add(new CAnimatedWindow(&log), nullptr, 0, RECT{0, 0, 9, 9});
    ASSERT_TRUE(window);
    bool deleted = false;
    CRecordingAnimation* anim = new CRecordingAnimation(window, &log, &deleted);
    anim->SetDuration(0);
    window->StartAnimation(anim);
    ASSERT_TRUE(PumpUntil([&] { return deleted; }, 2000));
    EXPECT_EQ(log, (Events{"window begin", "begin", "end", "window end"}));
}

TEST(CKAnimate, ASecondScrollAnimationEndsTheFirstAtItsTargetFirst)
{
    KWindowScope scope;
    CRecordingWindow* window = scope.Add(new CRecordingWindow(), nullptr,
                                         KWF_OPAQUE | KWF_VSCROLL, RECT{0, 0, 100, 100});
    ASSERT_TRUE(window);
    window->SetScrollExtent(0, 1000);
    CKAniScroll* first = new CKAniScroll(window);
    first->SetY(0, 400);
    first->SetDuration(1000);
    window->StartAnimation(first);
    ASSERT_TRUE(PumpUntil([&] { return ScrolledY(window).size() >= 3; }, 2000));
    const std::vector<int> before = ScrolledY(window);
    EXPECT_LT(before.back(), 400) << "still on its way";

    window->events.clear();
    CKAniScroll* second = new CKAniScroll(window);
    second->SetY(200, 100);
    window->StartAnimation(second);
    EXPECT_EQ(window->events, (Events{"scroll 50 0 400", "scroll 52 0 400"}))
        << "the first ends at its target before the second begins";
    EXPECT_EQ(window->GetAnimation(), second);
    ASSERT_TRUE(PumpUntil([&] { return window->GetAnimation() == nullptr; }, 3000));
    const std::vector<int> after = ScrolledY(window);
    ASSERT_GE(after.size(), 4u);
    EXPECT_EQ(after[1], 200) << "the second begins at its start";
    EXPECT_EQ(after.back(), 100);
    EXPECT_EQ(window->events.back(), "scroll 52 0 100");
    EXPECT_EQ(window->Events("scroll 52").size(), 2u) << "the first ended once, the second once";
}

TEST(CKAnimate, DestroyingTheWindowMidwayLeavesTheAnimationToReleaseItself)
{
    EnsureTestFrame();
    Events log;
    bool windowDeleted = false;
    CAnimatedWindow* window = new CAnimatedWindow(&log);
    window->deleted = &windowDeleted;
    window->EnableRefCount();
    ASSERT_TRUE(window->Create(0, 0, nullptr, 0));
    bool deleted = false;
    CRecordingAnimation* anim = new CRecordingAnimation(window, &log, &deleted);
    window->StartAnimation(anim);
    ASSERT_TRUE(PumpUntil([&] { return anim->stepTicks.size() >= 2; }, 2000));

    window->Destroy();
    EXPECT_TRUE(windowDeleted);
    EXPECT_FALSE(deleted) << "the pending tick still holds it";
    EXPECT_EQ(anim->GetWindow(), nullptr);
    EXPECT_FALSE(anim->IsRunning());
    const size_t entries = log.size();
    ASSERT_TRUE(PumpUntil([&] { return deleted; }, 2000));
    EXPECT_EQ(log.size(), entries) << "no step, no end after the window went";
}

TEST(CKAniScroll, ScrollsBackFromMinusTwentyToZeroLinearlyThenEnds)
{
    KWindowScope scope;
    CRecordingWindow* window = scope.Add(new CRecordingWindow(), nullptr,
                                         KWF_OPAQUE | KWF_VSCROLL | KWF_HSCROLL,
                                         RECT{0, 0, 100, 100});
    ASSERT_TRUE(window);
    window->SetScrollExtent(300, 300);
    CKAniScroll* anim = new CKAniScroll(window);
    anim->SetX(10, 10);
    anim->SetY(-20, 0);
    window->StartAnimation(anim);
    ASSERT_TRUE(PumpUntil([&] { return window->GetAnimation() == nullptr; }, 3000));
    const std::vector<int> ys = ScrolledY(window);
    ASSERT_GE(ys.size(), 4u);
    EXPECT_EQ(ys.front(), -20);
    EXPECT_EQ(ys.back(), 0);
    for (size_t i = 1; i < ys.size(); i++)
        EXPECT_GE(ys[i], ys[i - 1]);
    for (const std::string& event : window->Events("scroll 49"))
        EXPECT_EQ(event.substr(0, 12), "scroll 49 10") << "x stays where it was";
    EXPECT_EQ(window->events.back(), "scroll 52 10 0");
}

TEST(CKAniViewMenuCtrl, TheDrawerSlidesOpenAndClosedAndTellsTheView)
{
    KWindowScope scope;
    CDrawerView* view = scope.Add(new CDrawerView(), nullptr, KWF_OPAQUE, RECT{0, 0, 320, 456});
    ASSERT_TRUE(view);
    CRecordingWindow* panel = scope.Add(new CRecordingWindow(), view, 0, RECT{0, 0, 213, 456});
    ASSERT_TRUE(panel);
    view->SetViewFlags(KVF_DRAWER | KVF_DRAWER_OPEN);
    view->SetMenuCtrl(panel);
    EXPECT_FALSE(panel->IsEnabled());
    EXPECT_FALSE(panel->GetFlags() & KWF_SHOWN);
    const int width = view->GetMenuWidth();
    EXPECT_EQ(width, 320 * 2 / 3);

    std::vector<int> offsets;
    CKAniViewMenuCtrl* open = new CKAniViewMenuCtrl(view);
    open->SetRange(0, width);
    view->StartAnimation(open);
    ASSERT_TRUE(PumpUntil([&] {
        offsets.push_back(view->GetMenuOffset());
        if (offsets.back() > 0 && offsets.back() < width) {
            EXPECT_TRUE((panel->GetFlags() & KWF_SHOWN) && !panel->IsEnabled());
        }
        return view->GetAnimation() == nullptr;
    }, 3000));
    EXPECT_EQ(view->shown_, (std::vector<int>{1}));
    EXPECT_EQ(view->GetMenuOffset(), width);
    EXPECT_TRUE(panel->IsEnabled());
    EXPECT_TRUE(panel->GetFlags() & KWF_SHOWN);
    for (size_t i = 1; i < offsets.size(); i++)
        EXPECT_GE(offsets[i], offsets[i - 1]);

    view->SetViewFlags(KVF_DRAWER);
    CKAniViewMenuCtrl* close = new CKAniViewMenuCtrl(view);
    close->SetRange(width, 0);
    view->StartAnimation(close);
    ASSERT_TRUE(PumpUntil([&] { return view->GetAnimation() == nullptr; }, 3000));
    EXPECT_EQ(view->shown_, (std::vector<int>{1, 0}));
    EXPECT_EQ(view->GetMenuOffset(), 0);
    EXPECT_FALSE(panel->GetFlags() & KWF_SHOWN);

    // Offsets are clamped to the drawer's side.
    EXPECT_EQ(view->SetMenuOffset(-5), 1);
    EXPECT_EQ(view->GetMenuOffset(), 0);
    view->SetViewFlags(KVF_DRAWER | KVF_DRAWER_RIGHT);
    view->SetMenuOffset(-1000);
    EXPECT_EQ(view->GetMenuOffset(), -width);
    view->SetViewFlags(0);
    EXPECT_EQ(view->SetMenuOffset(10), 0) << "no drawer";
}

TEST(CKAniWndMove, MovesEveryWindowFromItsStartToItsEndRectangle)
{
    KWindowScope scope;
    CRecordingWindow* root = scope.Add(new CRecordingWindow(), nullptr, KWF_OPAQUE,
                                       RECT{0, 0, 300, 300});
    ASSERT_TRUE(root);
    CRecordingWindow* a = scope.Add(new CRecordingWindow(), root, 0, RECT{0, 0, 10, 10});
    CRecordingWindow* b = scope.Add(new CRecordingWindow(), root, 0, RECT{0, 0, 10, 10});
    ASSERT_TRUE(a && b);
    b->Show(false);
    CKAniWndMove* anim = new CKAniWndMove(root);
    EXPECT_EQ(anim->Add(a, RECT{0, 0, 50, 50}, RECT{100, 200, 150, 250}), 1);
    EXPECT_EQ(anim->Add(b, RECT{200, 0, 220, 20}, RECT{0, 0, 100, 100}), 1);
    EXPECT_EQ(anim->Add(nullptr, RECT{}, RECT{}), 0);
    EXPECT_EQ(anim->GetCount(), 2);
    EXPECT_EQ(a->GetRefCount(), 3) << "the tree's, the scope's and the animation's";
    root->StartAnimation(anim);

    std::vector<RECT> seen;
    ASSERT_TRUE(PumpUntil([&] {
        RECT rect;
        if (a->GetRectInParent(&rect))
            seen.push_back(rect);
        return root->GetAnimation() == nullptr;
    }, 3000));
    EXPECT_TRUE(b->GetFlags() & KWF_SHOWN) << "shown when the move began";
    RECT rect;
    a->GetRectInParent(&rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 200);
    EXPECT_EQ(rect.right, 150);
    EXPECT_EQ(rect.bottom, 250);
    b->GetRectInParent(&rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 100);
    bool between = false;
    for (const RECT& r : seen)
        if (r.top > 0 && r.top < 200) {
            between = true;
            EXPECT_EQ(r.bottom - r.top, 50) << "the size stays while it moves";
        }
    EXPECT_TRUE(between);
    EXPECT_EQ(a->GetRefCount(), 2) << "the animation let the window go";
}
