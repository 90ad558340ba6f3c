// Sliders through real windows and input messages: the geometry with tick bands, paging and
// jumping taps, dragging with its two notifications, keys along the axis and to its ends, tick
// marks in the back buffer, and an empty range that must not divide by zero.
#include <gtest/gtest.h>

#include <vector>

#include "ControlsTestSupport.h"
#include "controls/CKSlider.h"
#include "graphics/CKColorDrawable.h"

namespace {

constexpr int SLIDER_ID = 5009;
// Not a tab stop, so that presses send no focus notifications between the slider's own.
constexpr unsigned int SLIDER_FLAGS = KWF_REPAINT_ON_CHANGE;
constexpr unsigned int WHITE = 0xFFFFFF;
constexpr unsigned int TICK = 0xC8C8C8;

// A horizontal slider of 200 x 30 at (10, 10) with a tick band below: the band is 5 pixels
// (3 base units), the thumb's half 5, the channel 5..195 across 0..25.
CKSlider* MakeSlider(KControlScope& scope, CNoticeHost* host, unsigned int style = KSLS_TICKS_AFTER,
                     RECT rect = RECT{10, 10, 210, 40})
{
    return scope.Add(new CKSlider(), host, style, SLIDER_FLAGS, rect, SLIDER_ID);
}

void ExpectRect(const RECT& rect, int left, int top, int right, int bottom)
{
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

std::vector<KNotice> Notices(int code, const std::vector<int>& values)
{
    std::vector<KNotice> notices;
    for (int value : values)
        notices.push_back(KNotice{SLIDER_ID, code, value});
    return notices;
}

void PressKey(CKWindow* window, WPARAM key)
{
    PostKey(window, WM_KEYDOWN, key);
    PostKey(window, WM_KEYUP, key);
    DeliverPosted();
}

} // namespace

TEST(CKSlider, TheChannelIsInsetByHalfTheThumbBesideItsTickBands)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKSlider* slider = MakeSlider(scope, host);
    ASSERT_TRUE(slider);
    EXPECT_EQ(slider->GetTickBand(), 5);
    EXPECT_EQ(slider->GetThumbHalf(), 5) << "(30 - 5) / 5";
    ExpectRect(slider->GetChannelRect(), 5, 0, 195, 25);
    ExpectRect(slider->GetThumbRect(), 0, 0, 11, 25);
    EXPECT_EQ(slider->GetMinimum(), 0);
    EXPECT_EQ(slider->GetMaximum(), 100);
    EXPECT_EQ(slider->GetPageStep(), 10);
    EXPECT_EQ(slider->GetLineStep(), 1);

    slider->SetPosition(50);
    EXPECT_EQ(slider->GetThumbOffset(), 94) << "50 x 189 / 100";
    ExpectRect(slider->GetThumbRect(), 94, 0, 105, 25);
    slider->SetPosition(150);
    EXPECT_EQ(slider->GetPosition(), 100);
    ExpectRect(slider->GetThumbRect(), 189, 0, 200, 25);
    slider->SetRange(0, 61);
    EXPECT_EQ(slider->GetPosition(), 61) << "the position follows the range";
    slider->SetRange(-20, -10);
    EXPECT_EQ(slider->GetPosition(), -10);
    EXPECT_EQ(slider->ValueFromPoint(5, 0), -20);
    EXPECT_EQ(slider->ValueFromPoint(100, 0), -15);
    EXPECT_EQ(slider->ValueFromPoint(500, 0), -10);

    // Vertical with the band on the left: the minimum at the top.
    CKSlider* vertical =
        MakeSlider(scope, host, KSLS_VERTICAL | KSLS_TICKS_BEFORE, RECT{250, 10, 280, 210});
    ASSERT_TRUE(vertical);
    ExpectRect(vertical->GetChannelRect(), 5, 5, 30, 195);
    vertical->SetPosition(50);
    ExpectRect(vertical->GetThumbRect(), 5, 94, 30, 105);
    EXPECT_EQ(vertical->ValueFromPoint(0, 100), 50);

    // Bands on both sides of a horizontal slider.
    CKSlider* both = MakeSlider(scope, host, KSLS_TICKS_BEFORE | KSLS_TICKS_AFTER,
                                RECT{10, 100, 210, 140});
    ASSERT_TRUE(both);
    EXPECT_EQ(both->GetThumbHalf(), 6) << "(40 - 10) / 5";
    ExpectRect(both->GetChannelRect(), 6, 5, 194, 35);
}

TEST(CKSlider, ATapBesideTheThumbPagesToMultiplesOfThePageStep)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKSlider* slider = MakeSlider(scope, host);
    ASSERT_TRUE(slider);
    slider->SetPosition(37);
    Tap(slider, 150, 12);
    EXPECT_EQ(slider->GetPosition(), 40) << "after the thumb";
    slider->SetPosition(37);
    Tap(slider, 20, 12);
    EXPECT_EQ(slider->GetPosition(), 30) << "before the thumb";
    Tap(slider, 150, 12);
    EXPECT_EQ(slider->GetPosition(), 40);
    Tap(slider, 150, 12);
    EXPECT_EQ(slider->GetPosition(), 50);
    slider->SetPosition(40);
    Tap(slider, 20, 12);
    EXPECT_EQ(slider->GetPosition(), 30);
    EXPECT_EQ(host->notices, Notices(KNOTIFY_SLIDER_PAGED, {40, 30, 40, 50, 30}));

    host->notices.clear();
    slider->SetPosition(100);
    Tap(slider, 20, 12);
    Tap(slider, 20, 12);
    slider->SetPosition(0);
    Tap(slider, 150, 12);
    Tap(slider, 195, 12);
    EXPECT_EQ(host->notices, Notices(KNOTIFY_SLIDER_PAGED, {90, 80, 10, 20}));
    // A page beyond the maximum stops at it.
    host->notices.clear();
    slider->SetPosition(95);
    Tap(slider, 192, 12);
    EXPECT_EQ(host->notices, Notices(KNOTIFY_SLIDER_PAGED, {100}));

    // Counted from the minimum: with range 5..105 the pages land on 15, 25, ...
    host->notices.clear();
    slider->SetRange(5, 105);
    slider->SetPosition(5);
    Tap(slider, 150, 12);
    Tap(slider, 150, 12);
    EXPECT_EQ(host->notices, Notices(KNOTIFY_SLIDER_PAGED, {15, 25}));
}

TEST(CKSlider, WithoutAPageStepATapJumpsToTheTappedValue)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKSlider* slider = MakeSlider(scope, host);
    ASSERT_TRUE(slider);
    slider->SetPageStep(0);
    Tap(slider, 100, 12);
    EXPECT_EQ(slider->GetPosition(), 50) << "(100 - 5) x 100 / 189";
    Tap(slider, 180, 12);
    EXPECT_EQ(slider->GetPosition(), 92);
    Tap(slider, 180, 27);   // below the thumb, on the same value
    EXPECT_EQ(host->notices, Notices(KNOTIFY_SLIDER_PAGED, {50, 92}));
}

TEST(CKSlider, ADragReportsEachNewValueAndTheReleaseButLeavesThePositionToTheParent)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKSlider* slider = MakeSlider(scope, host);
    ASSERT_TRUE(slider);
    slider->SetPosition(50);
    PostMouse(slider, WM_LBUTTONDOWN, 99, 12);
    DeliverPosted();
    EXPECT_TRUE(slider->GetStyle() & KSLS_DRAGGING);
    EXPECT_EQ(slider->GetTrackPosition(), 50);
    for (POINT point : {POINT{120, 12}, POINT{121, 12}, POINT{121, 20}, POINT{400, 12},
                        POINT{401, 5}})
        PostMouse(slider, WM_MOUSEMOVE, point.x, point.y);
    DeliverPosted();
    EXPECT_EQ(slider->GetTrackPosition(), 100);
    // The thumb shows the tracked value.
    ExpectRect(slider->GetThumbRect(), 189, 0, 200, 25);
    EXPECT_EQ(slider->GetPosition(), 50);
    PostMouse(slider, WM_LBUTTONUP, 401, 5);
    DeliverPosted();
    EXPECT_FALSE(slider->GetStyle() & KSLS_DRAGGING);
    std::vector<KNotice> expected = Notices(KNOTIFY_SLIDER_TRACKING, {60, 61, 100});
    expected.push_back(KNotice{SLIDER_ID, KNOTIFY_SLIDER_RELEASED, 100});
    EXPECT_EQ(host->notices, expected);
    EXPECT_EQ(slider->GetPosition(), 50) << "until the parent sets it";
    ExpectRect(slider->GetThumbRect(), 94, 0, 105, 25);

    // A cancelled drag reports nothing, and its release is no longer the slider's.
    host->notices.clear();
    PostMouse(slider, WM_LBUTTONDOWN, 99, 12);
    PostMouse(slider, WM_MOUSEMOVE, 60, 12);
    DeliverPosted();
    slider->OnMouse(KMOUSE_CANCEL, 60, 12, 0);
    EXPECT_FALSE(slider->GetStyle() & KSLS_DRAGGING);
    PostMouse(slider, WM_LBUTTONUP, 60, 12);
    DeliverPosted();
    EXPECT_EQ(host->notices, Notices(KNOTIFY_SLIDER_TRACKING, {29}));
    EXPECT_EQ(slider->GetPosition(), 50);

    // A double press on the thumb grabs it as well; a disabled slider takes nothing.
    PostMouse(slider, WM_LBUTTONDBLCLK, 99, 12);
    DeliverPosted();
    EXPECT_TRUE(slider->GetStyle() & KSLS_DRAGGING);
    slider->OnMouse(KMOUSE_CANCEL, 0, 0, 0);
    slider->Enable(false);
    host->notices.clear();
    Tap(slider, 150, 12);
    PressKey(slider, VK_RIGHT);
    EXPECT_EQ(slider->GetPosition(), 50);
    EXPECT_TRUE(host->notices.empty());
}

TEST(CKSlider, ArrowKeysStepAlongTheAxisHomeAndEndReachTheEndsAndEachChangeIsReported)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKSlider* slider = MakeSlider(scope, host);
    CKSlider* vertical = MakeSlider(scope, host, KSLS_VERTICAL, RECT{250, 10, 280, 210});
    ASSERT_TRUE(slider && vertical);
    // Keys in order and the position after each; a key that changes nothing reports nothing.
    const struct
    {
        CKSlider* slider;
        WPARAM key;
        int position;
    } steps[] = {
        {slider, VK_RIGHT, 51},  {slider, VK_LEFT, 50},   {slider, VK_LEFT, 49},
        {slider, VK_UP, 49},     {slider, VK_DOWN, 49},   {slider, VK_END, 100},
        {slider, VK_RIGHT, 100}, {slider, VK_HOME, 0},    {slider, VK_LEFT, 0},
        {vertical, VK_DOWN, 51}, {vertical, VK_UP, 50},   {vertical, VK_LEFT, 50},
        {vertical, VK_RIGHT, 50}, {vertical, VK_END, 100},
    };
    slider->SetPosition(50);
    vertical->SetPosition(50);
    std::vector<KNotice> expected;
    for (const auto& step : steps) {
        const int before = step.slider->GetPosition();
        PressKey(step.slider, step.key);
        EXPECT_EQ(step.slider->GetPosition(), step.position) << "key " << step.key;
        if (step.position != before)
            expected.push_back(KNotice{SLIDER_ID, KNOTIFY_SLIDER_PAGED, step.position});
    }
    EXPECT_EQ(host->notices, expected);
    // The line step is the arrows' step.
    slider->SetPosition(50);
    slider->SetLineStep(30);
    PressKey(slider, VK_RIGHT);
    EXPECT_EQ(slider->GetPosition(), 80);
}

TEST(CKSlider, TickMarksLineUpWithTheThumbsPositionsEveryTenValues)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKSlider* slider = MakeSlider(scope, host);
    ASSERT_TRUE(slider);
    const KColor white = 0xFFFFFFFF;
    CKColorDrawable* face = MakeFace(&white, 0);
    slider->SetBackground(face);
    RepaintNow(slider);
    // The band is client x 5..194 and y 25..29; the slider lies at (10, 10) in the back buffer.
    auto pixel = [](int x, int y) { return BackBufferPixel(10 + x, 10 + y); };
    for (int k = 0; k <= 100; k += 10) {
        const int x = 5 + k * 189 / 100;
        EXPECT_EQ(pixel(x, 27), TICK) << "tick for " << k;
        EXPECT_EQ(pixel(x, 25), TICK);
        EXPECT_EQ(pixel(x, 29), TICK);
    }
    EXPECT_EQ(pixel(5 + 17, 27), WHITE);
    EXPECT_EQ(pixel(5 + 19, 27), WHITE);
    EXPECT_EQ(pixel(2, 27), WHITE) << "the band is shortened by the thumb's half";
    EXPECT_EQ(pixel(197, 27), WHITE);

    // A range far wider than the band: every pixel of the band is a tick, drawn in no more
    // steps than the band has pixels.
    slider->SetRange(0, 2000000000);
    RepaintNow(slider);
    for (int x = 5; x < 195; x += 7)
        EXPECT_EQ(pixel(x, 27), TICK);
    slider->SetBackground(nullptr);
    face->Release();
}

TEST(CKSlider, AnEmptyRangeRestsTheThumbAtTheStartWithoutDividingByZero)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKSlider* slider = MakeSlider(scope, host);
    ASSERT_TRUE(slider);
    // A track shorter than a second: range 0 .. 0.
    slider->SetRange(0, 0);
    slider->SetPosition(7);
    EXPECT_EQ(slider->GetPosition(), 0);
    EXPECT_EQ(slider->GetThumbOffset(), 0);
    ExpectRect(slider->GetThumbRect(), 0, 0, 11, 25);
    EXPECT_EQ(slider->ValueFromPoint(150, 12), 0);
    Tap(slider, 150, 12);
    slider->SetPageStep(0);
    Tap(slider, 150, 12);
    PressKey(slider, VK_RIGHT);
    EXPECT_EQ(slider->GetPosition(), 0);
    EXPECT_TRUE(host->notices.empty());
    // The thumb can still be dragged: the value stays, and the release reports it.
    PostMouse(slider, WM_LBUTTONDOWN, 5, 12);
    PostMouse(slider, WM_MOUSEMOVE, 120, 12);
    PostMouse(slider, WM_LBUTTONUP, 120, 12);
    DeliverPosted();
    EXPECT_EQ(host->notices, Notices(KNOTIFY_SLIDER_RELEASED, {0}));
    RepaintNow(slider);

    // A one-pixel channel (11 pixels wide, 5 of thumb half on each side) maps everything to the
    // minimum as well.
    CKSlider* narrow = MakeSlider(scope, host, 0, RECT{10, 100, 21, 125});
    ASSERT_TRUE(narrow);
    ExpectRect(narrow->GetChannelRect(), 5, 0, 6, 25);
    narrow->SetRange(10, 20);
    narrow->SetPosition(15);
    EXPECT_EQ(narrow->GetThumbOffset(), 0);
    EXPECT_EQ(narrow->ValueFromPoint(6, 5), 10);
    RepaintNow(narrow);
}
