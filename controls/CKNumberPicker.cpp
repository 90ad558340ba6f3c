// CKNumberPicker: the three zones, stepping the value by the buttons, and painting.
#include "controls/CKNumberPicker.h"

#include "controls/KButtonContent.h"
#include "foundation/KText.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableSlot.h"

K_IMPLEMENT_DYNCREATE(CKNumberPicker, CKWindow)

namespace {

constexpr char PICKER_FILE[] = "res/DrawableNP.xml";

// Units of the value's text, with the NUL: room for any int.
constexpr int VALUE_TEXT_CAPACITY = 32;

// The held and inside bits of each zone.
const unsigned int HELD_BITS[KNP_ZONE_COUNT] = {KNPS_UP_HELD, KNPS_TEXT_HELD, KNPS_DOWN_HELD};
const unsigned int INSIDE_BITS[KNP_ZONE_COUNT] = {KNPS_UP_INSIDE, KNPS_TEXT_INSIDE,
                                                  KNPS_DOWN_INSIDE};

int FormatDecimal(int value, wchar_t* buffer, int capacity)
{
    return FormatText(buffer, capacity, L"%d", value);
}

bool Holds(const RECT& rect, int x, int y)
{
    const POINT point = {x, y};
    return PtInRect(&rect, point) != 0;
}

// The height of a button zone: its drawable's, or a third of the client height without one.
int ButtonHeight(CKDrawable* button, const RECT& client)
{
    SIZE size = {client.right - client.left, 0};
    if (button)
        button->CalcSize(size);
    return button && size.cy > 0 ? size.cy : (client.bottom - client.top) / KNP_ZONE_COUNT;
}

} // namespace

CKNumberPicker::~CKNumberPicker()
{
    KDropDrawable(upButton);
    KDropDrawable(downButton);
    KDropDrawable(textDrawable);
}

void CKNumberPicker::Initialize(unsigned int newStyle)
{
    CKWindow::Initialize(newStyle);
    KLoadDrawable(upButton, PICKER_FILE, "DefNumberPickerUpBtn", K_RUNTIME_CLASS(CKDrawable));
    KLoadDrawable(downButton, PICKER_FILE, "DefNumberPickerDownBtn", K_RUNTIME_CLASS(CKDrawable));
    KLoadDrawable(textDrawable, PICKER_FILE, "DefNumberPickerText",
                  K_RUNTIME_CLASS(CKTextDrawable));
    if (!background)
        SetBackground(GetDrawable(PICKER_FILE, "DefNumberPickerBkgnd"));
}

void CKNumberPicker::SetUpButtonDrawable(CKDrawable* drawable)
{
    KHoldDrawable(upButton, drawable, K_RUNTIME_CLASS(CKDrawable));
}

void CKNumberPicker::SetDownButtonDrawable(CKDrawable* drawable)
{
    KHoldDrawable(downButton, drawable, K_RUNTIME_CLASS(CKDrawable));
}

void CKNumberPicker::SetTextDrawable(CKDrawable* drawable)
{
    KHoldDrawable(textDrawable, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

// ---- Value --------------------------------------------------------------------------------------

int CKNumberPicker::Clamp(int candidate) const
{
    if (candidate > maximum)
        candidate = maximum;
    if (candidate < minimum)
        candidate = minimum;
    return candidate;
}

void CKNumberPicker::SetMinimum(int newMinimum)
{
    minimum = newMinimum;
    SetValue(value);
}

void CKNumberPicker::SetMaximum(int newMaximum)
{
    maximum = newMaximum;
    SetValue(value);
}

void CKNumberPicker::SetRange(int newMinimum, int newMaximum)
{
    minimum = newMinimum;
    maximum = newMaximum;
    SetValue(value);
}

void CKNumberPicker::SetValue(int newValue)
{
    const int clamped = Clamp(newValue);
    if (clamped == value)
        return;
    value = clamped;
    Invalidate();
}

void CKNumberPicker::SetFormatter(KNumberFormatter newFormatter)
{
    formatter = newFormatter;
    Invalidate();
}

void CKNumberPicker::Step(int delta)
{
    value += delta;
    Invalidate();
    NotifyParent(KNOTIFY_VALUE_CHANGED, value, 0);
}

// ---- Zones and input ----------------------------------------------------------------------------

void CKNumberPicker::OnSize()
{
    RECT client;
    if (!GetClientRect(&client))
        return;
    const int upHeight = ButtonHeight(upButton, client);
    const int downHeight = ButtonHeight(downButton, client);
    zones[KNP_ZONE_UP] = client;
    zones[KNP_ZONE_UP].bottom = client.top + upHeight;
    zones[KNP_ZONE_DOWN] = client;
    zones[KNP_ZONE_DOWN].top = client.bottom - downHeight;
    zones[KNP_ZONE_TEXT] = client;
    zones[KNP_ZONE_TEXT].top = zones[KNP_ZONE_UP].bottom;
    zones[KNP_ZONE_TEXT].bottom = zones[KNP_ZONE_DOWN].top;
    Invalidate();
}

int CKNumberPicker::GetZoneRect(int zone, RECT* rect) const
{
    if (zone < 0 || zone >= KNP_ZONE_COUNT)
        return 0;
    *rect = zones[zone];
    return 1;
}

int CKNumberPicker::ZoneAt(int x, int y) const
{
    for (int zone = 0; zone < KNP_ZONE_COUNT; zone++)
        if (Holds(zones[zone], x, y))
            return zone;
    return -1;
}

int CKNumberPicker::HeldZone() const
{
    for (int zone = 0; zone < KNP_ZONE_COUNT; zone++)
        if (style & HELD_BITS[zone])
            return zone;
    return -1;
}

void CKNumberPicker::SetHoldBits(unsigned int bits)
{
    const unsigned int updated = (style & ~KNPS_HOLD_MASK) | bits;
    if (updated == style)
        return;
    style = updated;
    Invalidate();
}

int CKNumberPicker::OnMouse(int code, int x, int y, int extra)
{
    CKWindow::OnMouse(code, x, y, extra);
    if (extra)
        return 0;
    const int held = HeldZone();
    switch (code) {
    case KMOUSE_PRESS: {
        const int zone = ZoneAt(x, y);
        if (!IsEnabled() || zone < 0)
            return 0;
        SetHoldBits(HELD_BITS[zone] | INSIDE_BITS[zone]);
        return 1;
    }
    case KMOUSE_MOVE:
        if (held < 0)
            return 0;
        SetHoldBits(HELD_BITS[held] | (Holds(zones[held], x, y) ? INSIDE_BITS[held] : 0));
        return 1;
    case KMOUSE_RELEASE: {
        if (held < 0)
            return 0;
        const bool inside = Holds(zones[held], x, y);
        SetHoldBits(0);
        if (inside && held == KNP_ZONE_UP && value < maximum)
            Step(1);
        else if (inside && held == KNP_ZONE_DOWN && value > minimum)
            Step(-1);
        return 1;
    }
    case KMOUSE_CANCEL:
        SetHoldBits(0);
        return held >= 0 ? 1 : 0;
    default:
        return 0;
    }
}

// ---- Painting -----------------------------------------------------------------------------------

void CKNumberPicker::OnPaint(CKCanvas* canvas)
{
    RECT client;
    if (!GetClientRect(&client))
        return;
    DrawBackground(canvas, &client, 0);
    unsigned int states[KNP_ZONE_COUNT];
    for (int zone = 0; zone < KNP_ZONE_COUNT; zone++) {
        const unsigned int hold = HELD_BITS[zone] | INSIDE_BITS[zone];
        states[zone] = (style & hold) == hold ? KSTATE_PRESSED : 0;
        if (flags & KWF_DISABLED)
            states[zone] |= KSTATE_DISABLED;
    }
    if (upButton) {
        upButton->SetState(states[KNP_ZONE_UP]);
        upButton->Draw(canvas, zones[KNP_ZONE_UP], nullptr);
    }
    if (downButton) {
        downButton->SetState(states[KNP_ZONE_DOWN]);
        downButton->Draw(canvas, zones[KNP_ZONE_DOWN], nullptr);
    }
    wchar_t valueText[VALUE_TEXT_CAPACITY];
    const int length = (formatter ? formatter : FormatDecimal)(value, valueText,
                                                                 VALUE_TEXT_CAPACITY);
    const KContentBlock block(valueText, length, nullptr, nullptr, states[KNP_ZONE_TEXT],
                              textDrawable, nullptr);
    block.Draw(canvas, zones[KNP_ZONE_TEXT], states[KNP_ZONE_TEXT]);
}
