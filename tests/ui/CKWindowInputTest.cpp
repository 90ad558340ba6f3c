// Press, move and release through real input messages posted to real windows: the drag-scroll
// threshold, the rubber band and the return animation, double presses, a press's rest that only
// its window gets, presses that end a scroll animation, and keys.
#include <gtest/gtest.h>

#include "KTestSupport.h"
#include "WindowTestSupport.h"
#include "ui/CKAniScroll.h"
#include "ui/CKAnimate.h"
#include "ui/CKView.h"
#include "ui/KViewStack.h"

namespace {

using Events = std::vector<std::string>;

// A 100 x 100 window scrolling vertically over content 200 high (maximum offset 100).
CRecordingWindow* MakeScroller(KWindowScope& scope, unsigned int extraFlags = 0)
{
    CRecordingWindow* window =
        scope.Add(new CRecordingWindow(), nullptr, KWF_OPAQUE | KWF_VSCROLL | extraFlags,
                  RECT{0, 0, 100, 100}, 7);
    if (window)
        window->SetScrollExtent(0, 200);
    return window;
}

// A page that records what its pointer pre-filter sees and takes the events of one code.
class CFilteringView : public CKView
{
public:
    int OnViewMouse(int code, int x, int y) override
    {
        seen.push_back("view " + std::to_string(code) + " " + std::to_string(x) + " "
                       + std::to_string(y));
        return code == takeCode;
    }

    std::vector<std::string> seen;
    int takeCode = 0;
};

int ScrollY(const CKWindow* window)
{
    int y = 0;
    window->GetScrollPos(nullptr, &y);
    return y;
}

} // namespace

TEST(CKWindowDrag, TwoPixelsNeverScrollAndThreeCancelThePressBeforeTheScrollBegins)
{
    KWindowScope scope;
    CRecordingWindow* window = MakeScroller(scope);
    ASSERT_TRUE(window);

    // Two pixels up, then two up and one across: the press stays the window's.
    PostDrag(window, {50, 50}, {{50, 48}, {51, 48}});
    DeliverPosted();
    EXPECT_EQ(window->events,
              (Events{"mouse 33 50 50", "mouse 34 50 48", "mouse 34 51 48", "mouse 35 51 48"}));
    EXPECT_EQ(ScrollY(window), 0);
    EXPECT_EQ(GetCapture(), nullptr) << "the release lets the capture go";

    // Three pixels along the axis: cancel, then the scroll begins at the old position and
    // follows the pointer; later moves and the release no longer reach OnMouse.
    window->events.clear();
    PostMouse(window, WM_LBUTTONDOWN, 50, 50);
    PostMouse(window, WM_MOUSEMOVE, 50, 47);
    DeliverPosted();
    EXPECT_EQ(GetCapture(), window->GetHwnd()) << "the pressed window holds the capture";
    PostMouse(window, WM_MOUSEMOVE, 50, 40);
    PostMouse(window, WM_LBUTTONUP, 50, 40);
    DeliverPosted();
    EXPECT_EQ(window->events, (Events{"mouse 33 50 50", "mouse 37 50 47", "scroll 51 0 0",
                                      "scroll 0 0 3", "scroll 0 0 10", "scroll 52 0 10"}));
    EXPECT_EQ(ScrollY(window), 10);

    // Diagonal (as much across as along) and purely horizontal moves never scroll a window that
    // scrolls only vertically.
    window->events.clear();
    PostDrag(window, {50, 50}, {{47, 47}, {30, 50}});
    DeliverPosted();
    EXPECT_EQ(window->events,
              (Events{"mouse 33 50 50", "mouse 34 47 47", "mouse 34 30 50", "mouse 35 30 50"}));
    EXPECT_EQ(ScrollY(window), 10);
}

TEST(CKWindowDrag, HorizontalWindowsFollowTheDominantHorizontalMove)
{
    KWindowScope scope;
    CRecordingWindow* window = scope.Add(new CRecordingWindow(), nullptr,
                                         KWF_OPAQUE | KWF_HSCROLL, RECT{0, 0, 100, 100});
    ASSERT_TRUE(window);
    window->SetScrollExtent(300, 0);
    // A vertical move does nothing; a leftward drag of 30 pixels scrolls right by 30.
    PostDrag(window, {50, 50}, {{50, 20}});
    PostDrag(window, {50, 50}, {{48, 51}, {20, 52}});
    DeliverPosted();
    EXPECT_EQ(window->events,
              (Events{"mouse 33 50 50", "mouse 34 50 20", "mouse 35 50 20", "mouse 33 50 50",
                      "mouse 34 48 51", "mouse 37 20 52", "scroll 51 0 0", "scroll 0 30 0",
                      "scroll 52 30 0"}));
    int x = 0;
    window->GetScrollPos(&x, nullptr);
    EXPECT_EQ(x, 30);
}

TEST(CKWindowDrag, PullingPastEitherEndMovesAtHalfSpeedAndReleaseAnimatesBack)
{
    KWindowScope scope;
    CRecordingWindow* window = MakeScroller(scope);
    ASSERT_TRUE(window);

    // 40 pixels past the top: -40 / 2.
    PostMouse(window, WM_LBUTTONDOWN, 50, 10);
    PostMouse(window, WM_MOUSEMOVE, 50, 13);
    PostMouse(window, WM_MOUSEMOVE, 50, 50);
    DeliverPosted();
    EXPECT_EQ(ScrollY(window), -20);
    EXPECT_EQ(window->Events("scroll 0"), (Events{"scroll 0 0 -1", "scroll 0 0 -20"}));

    window->events.clear();
    PostMouse(window, WM_LBUTTONUP, 50, 50);
    DeliverPosted();
    ASSERT_NE(window->GetAnimation(), nullptr) << "out of range: a return animation runs";
    EXPECT_TRUE(window->Events("scroll 52").empty()) << "the end waits for the animation";
    ASSERT_TRUE(PumpUntil([&] { return !window->Events("scroll 52").empty(); }, 3000));
    EXPECT_EQ(window->events.back(), "scroll 52 0 0");
    EXPECT_EQ(ScrollY(window), 0);
    EXPECT_EQ(window->GetAnimation(), nullptr);
    // The animation set the position from -20 up to 0, never backwards.
    const Events steps = window->Events("scroll 50");
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(steps.front(), "scroll 50 0 -20");
    EXPECT_EQ(steps.back(), "scroll 50 0 0");
    int previous = -20;
    for (const std::string& step : steps) {
        const int y = std::stoi(step.substr(step.rfind(' ') + 1));
        EXPECT_GE(y, previous) << step;
        previous = y;
    }

    // 40 pixels past the end (maximum 100): 100 + 40 / 2, back to 100.
    window->events.clear();
    PostDrag(window, {50, 90}, {{50, 87}, {50, -50}});
    DeliverPosted();
    EXPECT_EQ(window->Events("scroll 0").back(), "scroll 0 0 120");
    ASSERT_TRUE(PumpUntil([&] { return !window->Events("scroll 52").empty(); }, 3000));
    EXPECT_EQ(window->events.back(), "scroll 52 0 100");
    EXPECT_EQ(ScrollY(window), 100);
}

TEST(CKWindowDrag, ReleaseWithinRangeEndsAtOnceWithoutAnimation)
{
    KWindowScope scope;
    CRecordingWindow* window = MakeScroller(scope);
    ASSERT_TRUE(window);
    PostDrag(window, {50, 80}, {{50, 70}, {50, 50}});
    DeliverPosted();
    EXPECT_EQ(window->GetAnimation(), nullptr);
    EXPECT_EQ(window->events.back(), "scroll 52 0 30");
    EXPECT_EQ(window->Events("scroll 52").size(), 1u);
    EXPECT_EQ(ScrollY(window), 30);
    // The next press starts from the new position.
    window->events.clear();
    PostDrag(window, {50, 50}, {{50, 60}});
    DeliverPosted();
    EXPECT_EQ(window->events.back(), "scroll 52 0 20");
}

TEST(CKWindowDrag, StopDragScrollEndsARunningDragScrollOnce)
{
    KWindowScope scope;
    CRecordingWindow* window = MakeScroller(scope);
    ASSERT_TRUE(window);
    PostMouse(window, WM_LBUTTONDOWN, 50, 80);
    PostMouse(window, WM_MOUSEMOVE, 50, 60);
    DeliverPosted();
    window->events.clear();
    window->StopDragScroll();
    EXPECT_EQ(window->events, (Events{"scroll 52 0 20"}));
    // The rest of the drag moves nothing and the release sends neither 35 nor another 52.
    PostMouse(window, WM_MOUSEMOVE, 50, 30);
    PostMouse(window, WM_LBUTTONUP, 50, 30);
    DeliverPosted();
    EXPECT_EQ(window->events, (Events{"scroll 52 0 20"}));
    EXPECT_EQ(ScrollY(window), 20);
    window->StopDragScroll();
    EXPECT_EQ(window->events.size(), 1u) << "nothing was running any more";
}

TEST(CKWindowInput, DoublePressIsASecondPressUnlessTheWindowAsksForDoublePresses)
{
    KWindowScope scope;
    CRecordingWindow* plain = scope.Add(new CRecordingWindow(), nullptr, KWF_OPAQUE,
                                        RECT{0, 0, 100, 100});
    CRecordingWindow* doubles = scope.Add(new CRecordingWindow(), nullptr,
                                          KWF_OPAQUE | KWF_DBLCLK, RECT{100, 0, 200, 100});
    ASSERT_TRUE(plain && doubles);
    for (CRecordingWindow* window : {plain, doubles}) {
        PostMouse(window, WM_LBUTTONDOWN, 5, 6);
        PostMouse(window, WM_LBUTTONUP, 5, 6);
        PostMouse(window, WM_LBUTTONDBLCLK, 5, 6);
        DeliverPosted();
        EXPECT_EQ(GetCapture(), nullptr) << "the double press takes no new capture";
        PostMouse(window, WM_LBUTTONUP, 5, 6);
        DeliverPosted();
    }
    EXPECT_EQ(plain->events,
              (Events{"mouse 33 5 6", "mouse 35 5 6", "mouse 33 5 6", "mouse 35 5 6"}));
    EXPECT_EQ(doubles->events,
              (Events{"mouse 33 5 6", "mouse 35 5 6", "mouse 36 5 6", "mouse 35 5 6"}));
    // A move without the button held is not a move of a press.
    plain->events.clear();
    PostMessageW(plain->GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(9, 9));
    DeliverPosted();
    EXPECT_TRUE(plain->events.empty());
}

TEST(CKWindowInput, TheRestOfAPressReachesOnlyTheWindowThatTookIt)
{
    KWindowScope scope;
    CRecordingWindow* pressed = MakeScroller(scope, KWF_DBLCLK);
    // Shown over it by the double press, the way a toast opens: the pointer's release and moves
    // go to it once the capture is gone.
    CRecordingWindow* cover = scope.Add(new CRecordingWindow(), nullptr, KWF_OPAQUE | KWF_VSCROLL,
                                        RECT{0, 0, 100, 100});
    ASSERT_TRUE(pressed && cover);
    cover->SetScrollExtent(0, 200);
    PostMouse(pressed, WM_LBUTTONDOWN, 50, 50);
    PostMouse(pressed, WM_LBUTTONUP, 50, 50);
    PostMouse(pressed, WM_LBUTTONDBLCLK, 50, 50);
    PostMouse(cover, WM_MOUSEMOVE, 50, 40);
    PostMouse(cover, WM_MOUSEMOVE, 50, 20);
    PostMouse(cover, WM_LBUTTONUP, 50, 20);
    DeliverPosted();
    EXPECT_EQ(pressed->events, (Events{"mouse 33 50 50", "mouse 35 50 50", "mouse 36 50 50"}));
    EXPECT_TRUE(cover->events.empty()) << "no tap, no move, no scroll of a press it never saw";
    EXPECT_EQ(ScrollY(cover), 0);

    // A press of its own is the cover's, drag-scroll included.
    PostDrag(cover, {50, 50}, {{50, 40}});
    DeliverPosted();
    EXPECT_EQ(cover->events, (Events{"mouse 33 50 50", "mouse 37 50 40", "scroll 51 0 0",
                                     "scroll 0 0 10", "scroll 52 0 10"}));
}

TEST(CKWindowInput, APressDuringAScrollAnimationEndsItAtItsTargetFirst)
{
    KWindowScope scope;
    CRecordingWindow* window = MakeScroller(scope, KWF_DBLCLK);
    ASSERT_TRUE(window);
    // A press and a double press each land while a scroll to 80 (then back to 0) is on its way.
    const struct
    {
        UINT message;
        int target;
        const char* reported;
    } cases[] = {{WM_LBUTTONDOWN, 80, "mouse 33 50 50"}, {WM_LBUTTONDBLCLK, 0, "mouse 36 50 50"}};
    for (const auto& c : cases) {
        int from = 0;
        window->GetScrollPos(nullptr, &from);
        CKAniScroll* anim = new CKAniScroll(window);
        anim->SetX(0, 0);
        anim->SetY(from, c.target);
        window->StartAnimation(anim);
        window->events.clear();
        PostMouse(window, c.message, 50, 50);
        DeliverPosted();
        EXPECT_EQ(window->GetAnimation(), nullptr) << c.reported;
        EXPECT_EQ(ScrollY(window), c.target) << c.reported;
        const Events mouse = window->Events("mouse");
        ASSERT_EQ(mouse.size(), 1u) << c.reported;
        EXPECT_EQ(mouse[0], c.reported);
        EXPECT_EQ(window->Events("scroll 52"), (Events{"scroll 52 0 " + std::to_string(c.target)}))
            << "the scroll ended before the press counted";
        EXPECT_EQ(window->events.back(), c.reported);
        PostMouse(window, WM_LBUTTONUP, 50, 50);
        DeliverPosted();
    }
    // A drag that follows starts from where the scroll ended.
    PostDrag(window, {50, 50}, {{50, 40}});
    DeliverPosted();
    EXPECT_EQ(window->Events("scroll 0").back(), "scroll 0 0 10");
}

TEST(CKWindowInput, KeysArriveAsLibraryKeyCodesWithTheirRepeatWord)
{
    KWindowScope scope;
    CRecordingWindow* window = scope.Add(new CRecordingWindow(), nullptr, KWF_OPAQUE,
                                         RECT{0, 0, 50, 50});
    ASSERT_TRUE(window);
    PostMessageW(window->GetHwnd(), WM_KEYDOWN, VK_LEFT, MAKELPARAM(1, 0x4B));
    PostMessageW(window->GetHwnd(), WM_KEYUP, VK_ESCAPE, MAKELPARAM(1, 0xC001));
    PostMessageW(window->GetHwnd(), WM_CHAR, 0x4E2D, MAKELPARAM(1, 0));
    PostMessageW(window->GetHwnd(), WM_KEYDOWN, VK_CAPITAL, 0);
    DeliverPosted();
    EXPECT_EQ(window->events, (Events{"key 18 17 75", "key 17 14 49153", "key 19 20013 0",
                                      "key 18 0 0"}));

    // The whole map: ranges that keep their codes, the named keys, both sides of modifiers.
    EXPECT_EQ(KMapVirtualKey('0'), '0');
    EXPECT_EQ(KMapVirtualKey('Z'), 'Z');
    EXPECT_EQ(KMapVirtualKey(VK_NUMPAD0), VK_NUMPAD0);
    EXPECT_EQ(KMapVirtualKey(VK_F1), VK_F1);
    EXPECT_EQ(KMapVirtualKey(VK_F24), VK_F24);
    EXPECT_EQ(KMapVirtualKey(VK_F24 + 1), 0);
    EXPECT_EQ(KMapVirtualKey('0' - 1), 0);
    EXPECT_EQ(KMapVirtualKey(VK_BACK), 8);
    EXPECT_EQ(KMapVirtualKey(VK_TAB), 9);
    EXPECT_EQ(KMapVirtualKey(VK_RETURN), 13);
    EXPECT_EQ(KMapVirtualKey(VK_SPACE), 32);
    for (UINT shift : {16u, 160u, 161u})
        EXPECT_EQ(KMapVirtualKey(shift), 10);
    for (UINT control : {17u, 162u, 163u})
        EXPECT_EQ(KMapVirtualKey(control), 11);
    for (UINT alt : {18u, 164u, 165u})
        EXPECT_EQ(KMapVirtualKey(alt), 12);
    const int navigation[][2] = {{27, 14}, {33, 25}, {34, 26}, {35, 24}, {36, 23}, {37, 17},
                                 {38, 18}, {39, 19}, {40, 20}, {45, 21}, {46, 22}};
    for (const auto& pair : navigation)
        EXPECT_EQ(KMapVirtualKey(pair[0]), pair[1]) << pair[0];
    const int oem[][2] = {{186, 39}, {187, 35}, {188, 41}, {189, 34}, {190, 42}, {191, 43},
                          {192, 33}, {219, 36}, {220, 38}, {221, 37}, {222, 40}};
    for (const auto& pair : oem)
        EXPECT_EQ(KMapVirtualKey(pair[0]), pair[1]) << pair[0];
    EXPECT_EQ(KMapVirtualKey(VK_CAPITAL), 0);
    EXPECT_EQ(KMapVirtualKey(VK_LWIN), 0);
}

TEST(CKWindowInput, APressGivesAnEnabledTabStopTheFocusAndTheParentHearsIt)
{
    KWindowScope scope;
    CRecordingWindow* parent = scope.Add(new CRecordingWindow(), nullptr, KWF_OPAQUE,
                                         RECT{0, 0, 200, 200});
    ASSERT_TRUE(parent);
    CRecordingWindow* first =
        scope.Add(new CRecordingWindow(), parent, KWF_TABSTOP, RECT{0, 0, 50, 50}, 11);
    CRecordingWindow* second =
        scope.Add(new CRecordingWindow(), parent, KWF_TABSTOP, RECT{60, 0, 110, 50}, 12);
    CRecordingWindow* plain = scope.Add(new CRecordingWindow(), parent, 0, RECT{0, 60, 50, 110}, 13);
    ASSERT_TRUE(first && second && plain);
    EXPECT_TRUE(GetWindowLongW(first->GetHwnd(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongW(plain->GetHwnd(), GWL_STYLE) & WS_TABSTOP);

    PostDrag(first, {5, 5}, {});
    DeliverPosted();
    EXPECT_TRUE(first->GetFlags() & KWF_FOCUSED);
    EXPECT_EQ(GetFocus(), first->GetHwnd());
    PostDrag(second, {5, 5}, {});
    DeliverPosted();
    EXPECT_FALSE(first->GetFlags() & KWF_FOCUSED);
    EXPECT_TRUE(second->GetFlags() & KWF_FOCUSED);
    // A window without tab stop keeps the focus where it was.
    PostDrag(plain, {5, 5}, {});
    DeliverPosted();
    EXPECT_TRUE(second->GetFlags() & KWF_FOCUSED);
    EXPECT_EQ(parent->Events("notify"),
              (Events{"notify 11 1 0", "notify 11 2 0", "notify 12 1 0"}));
    // A disabled tab stop does not take it either.
    first->Enable(false);
    parent->events.clear();
    PostDrag(first, {5, 5}, {});
    DeliverPosted();
    EXPECT_TRUE(second->GetFlags() & KWF_FOCUSED);
    EXPECT_TRUE(parent->Events("notify").empty());
}

TEST(CKWindowInput, TheCurrentViewSeesThePointerFirstAndWhatItTakesIsCancelled)
{
    KWindowScope scope;
    CFilteringView* view = new CFilteringView();
    view->EnableRefCount();
    view->AddRef();
    view->SetViewFlags(KVF_NOTITLE | KVF_MOUSEFILTER);
    ASSERT_TRUE(ShowView(view));
    ASSERT_EQ(GetCurrentView(), view);
    CRecordingWindow* list = scope.Add(new CRecordingWindow(), view, KWF_VSCROLL,
                                       RECT{10, 20, 110, 120});
    ASSERT_TRUE(list);
    list->SetScrollExtent(0, 200);

    // Nothing taken: the view sees every event first, in its own client coordinates.
    PostDrag(list, {5, 5}, {{5, 6}});
    DeliverPosted();
    EXPECT_EQ(view->seen, (Events{"view 33 15 25", "view 34 15 26", "view 35 15 26"}));
    EXPECT_EQ(list->events, (Events{"mouse 33 5 5", "mouse 34 5 6", "mouse 35 5 6"}));

    // The view takes the moves: the press is cancelled once, and neither a move nor the release
    // reaches the window any more.
    view->seen.clear();
    list->events.clear();
    view->takeCode = KMOUSE_MOVE;
    PostDrag(list, {5, 5}, {{5, 6}, {5, 7}});
    DeliverPosted();
    EXPECT_EQ(list->events, (Events{"mouse 33 5 5", "mouse 37 5 6"}));
    EXPECT_EQ(view->seen.back(), "view 35 15 27") << "the release is shown to the view";

    // Taken in the middle of a drag-scroll: the scroll ends there.
    list->events.clear();
    view->takeCode = 0;
    PostMouse(list, WM_LBUTTONDOWN, 5, 50);
    PostMouse(list, WM_MOUSEMOVE, 5, 40);
    DeliverPosted();
    view->takeCode = KMOUSE_MOVE;
    PostMouse(list, WM_MOUSEMOVE, 5, 30);
    PostMouse(list, WM_LBUTTONUP, 5, 30);
    DeliverPosted();
    EXPECT_EQ(list->events, (Events{"mouse 33 5 50", "mouse 37 5 40", "scroll 51 0 0",
                                    "scroll 0 0 10", "scroll 52 0 10"}));

    // The view takes the press: the window sees nothing of it and gets no capture.
    list->events.clear();
    view->takeCode = KMOUSE_PRESS;
    PostMouse(list, WM_LBUTTONDOWN, 5, 50);
    DeliverPosted();
    EXPECT_EQ(GetCapture(), nullptr);
    PostMouse(list, WM_MOUSEMOVE, 5, 20);
    PostMouse(list, WM_LBUTTONUP, 5, 20);
    DeliverPosted();
    EXPECT_TRUE(list->events.empty());
    int y = 0;
    list->GetScrollPos(nullptr, &y);
    EXPECT_EQ(y, 10);

    // A view without the filter bit sees nothing.
    view->seen.clear();
    view->SetViewFlags(KVF_NOTITLE);
    PostDrag(list, {5, 5}, {});
    DeliverPosted();
    EXPECT_TRUE(view->seen.empty());
    EXPECT_EQ(list->events, (Events{"mouse 33 5 5", "mouse 35 5 5"}));

    HideView(view);
    view->Destroy();
    view->Release();
}
