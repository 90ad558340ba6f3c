// Number pickers through their real HWNDs: stepping by the up and down zones within the range,
// nothing at the ends, held zones in the style, clamping and the formatter.
#include <gtest/gtest.h>

#include <vector>

#include "ControlsTestSupport.h"
#include "controls/CKNumberPicker.h"

namespace {

constexpr int PICKER_ID = 640;
// 100 x 120: without drawables the three zones are 40 pixels high each.
const RECT PICKER_RECT = {10, 10, 110, 130};
constexpr int UP_Y = 20;
constexpr int TEXT_Y = 60;
constexpr int DOWN_Y = 100;

std::vector<int> g_formatted;

int RecordingFormatter(int value, wchar_t* buffer, int capacity)
{
    g_formatted.push_back(value);
    return capacity > 1 ? (buffer[0] = L'#', buffer[1] = 0, 1) : 0;
}

} // namespace

TEST(CKNumberPicker, AtItsMaximumThePickerIgnoresTheUpButtonAndSendsNothing)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKNumberPicker* picker = scope.Add(new CKNumberPicker(), host, 0, 0, PICKER_RECT, PICKER_ID);
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->GetMinimum(), 0);
    EXPECT_EQ(picker->GetMaximum(), 10);
    RECT zone;
    ASSERT_TRUE(picker->GetZoneRect(KNP_ZONE_TEXT, &zone));
    EXPECT_EQ(zone.top, 40);
    EXPECT_EQ(zone.bottom, 80);
    EXPECT_FALSE(picker->GetZoneRect(KNP_ZONE_COUNT, &zone));

    picker->SetValue(10);
    Tap(picker, 50, UP_Y);
    EXPECT_EQ(picker->GetValue(), 10);
    EXPECT_TRUE(host->notices.empty());

    Tap(picker, 50, DOWN_Y);
    Tap(picker, 50, DOWN_Y);
    Tap(picker, 50, UP_Y);
    EXPECT_EQ(picker->GetValue(), 9);
    EXPECT_EQ(host->notices, (std::vector<KNotice>{{PICKER_ID, KNOTIFY_VALUE_CHANGED, 9},
                                                   {PICKER_ID, KNOTIFY_VALUE_CHANGED, 8},
                                                   {PICKER_ID, KNOTIFY_VALUE_CHANGED, 9}}));

    // At the minimum the down button does nothing either.
    picker->SetValue(-5);
    EXPECT_EQ(picker->GetValue(), 0) << "clamped";
    host->notices.clear();
    Tap(picker, 50, DOWN_Y);
    Tap(picker, 50, TEXT_Y);
    EXPECT_EQ(picker->GetValue(), 0);
    EXPECT_TRUE(host->notices.empty());
}

TEST(CKNumberPicker, AHeldZoneTracksThePointerAndOnlyAReleaseInsideItSteps)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKNumberPicker* picker = scope.Add(new CKNumberPicker(), host, 0, 0, PICKER_RECT, PICKER_ID);
    ASSERT_TRUE(picker);
    picker->SetValue(5);

    PostMouse(picker, WM_LBUTTONDOWN, 50, UP_Y);
    DeliverPosted();
    EXPECT_EQ(picker->GetStyle() & KNPS_HOLD_MASK, KNPS_UP_HELD | KNPS_UP_INSIDE);
    PostMouse(picker, WM_MOUSEMOVE, 50, TEXT_Y);
    DeliverPosted();
    EXPECT_EQ(picker->GetStyle() & KNPS_HOLD_MASK, KNPS_UP_HELD);
    PostMouse(picker, WM_LBUTTONUP, 50, TEXT_Y);
    DeliverPosted();
    EXPECT_EQ(picker->GetStyle() & KNPS_HOLD_MASK, 0u);
    EXPECT_EQ(picker->GetValue(), 5);

    // Held in the text zone, released over the up button: not a tap on the button.
    PostMouse(picker, WM_LBUTTONDOWN, 50, TEXT_Y);
    DeliverPosted();
    EXPECT_EQ(picker->GetStyle() & KNPS_HOLD_MASK, KNPS_TEXT_HELD | KNPS_TEXT_INSIDE);
    PostMouse(picker, WM_LBUTTONUP, 50, UP_Y);
    DeliverPosted();
    EXPECT_EQ(picker->GetValue(), 5);

    // Back inside before the release: it steps.
    PostMouse(picker, WM_LBUTTONDOWN, 50, DOWN_Y);
    PostMouse(picker, WM_MOUSEMOVE, 50, 200);
    PostMouse(picker, WM_MOUSEMOVE, 50, DOWN_Y);
    PostMouse(picker, WM_LBUTTONUP, 50, DOWN_Y);
    DeliverPosted();
    EXPECT_EQ(picker->GetValue(), 4);

    // Cancel lets go; a disabled picker takes no press.
    picker->OnMouse(KMOUSE_PRESS, 50, UP_Y, 0);
    picker->OnMouse(KMOUSE_CANCEL, 50, UP_Y, 0);
    picker->OnMouse(KMOUSE_RELEASE, 50, UP_Y, 0);
    EXPECT_EQ(picker->GetValue(), 4);
    picker->Enable(false);
    Tap(picker, 50, UP_Y);
    EXPECT_EQ(picker->GetValue(), 4);
    EXPECT_EQ(host->WithCode(KNOTIFY_VALUE_CHANGED).size(), 1u);
}

TEST(CKNumberPicker, RangesClampTheValueAndTheFormatterWritesItsText)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKNumberPicker* picker = scope.Add(new CKNumberPicker(), host, 0, 0, PICKER_RECT, PICKER_ID);
    ASSERT_TRUE(picker);
    picker->SetValue(8);
    picker->SetMaximum(6);
    EXPECT_EQ(picker->GetValue(), 6);
    picker->SetMinimum(7);
    EXPECT_EQ(picker->GetMinimum(), 7);
    EXPECT_EQ(picker->GetValue(), 7);
    picker->SetRange(-3, 3);
    EXPECT_EQ(picker->GetValue(), 3);
    picker->SetValue(-4);
    EXPECT_EQ(picker->GetValue(), -3);
    EXPECT_TRUE(host->notices.empty()) << "only steps are reported";

    g_formatted.clear();
    picker->SetFormatter(RecordingFormatter);
    RepaintNow(picker);
    EXPECT_EQ(g_formatted, (std::vector<int>{-3}));
    picker->SetFormatter(nullptr);
    RepaintNow(picker);
    EXPECT_EQ(g_formatted.size(), 1u);
}
