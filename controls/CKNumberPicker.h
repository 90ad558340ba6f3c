// CKNumberPicker: a value between a minimum and a maximum shown as text between an up button and a
// down button; a tap on a button steps the value by one and reports the new value
// (KNOTIFY_VALUE_CHANGED).
//
// The control is three zones stacked top to bottom: the up button, the text and the down button.
// Its drawables come from "res/DrawableNP.xml" (the window background and three more slots under
// the rule of graphics/KDrawableSlot.h); the library ships no such file, so without one supplied
// in "AppRes" a picker paints only what its owner gives it.
#pragma once
#include "ui/CKWindow.h"

class CKTextDrawable;

// Writes `value` as text into `buffer` (at most `capacity` units with the NUL); returns the
// length written.
typedef int (*KNumberFormatter)(int value, wchar_t* buffer, int capacity);

// Style bits while a zone is held by the pointer: held, and the pointer inside it.
constexpr unsigned int KNPS_UP_HELD = 0x10000;
constexpr unsigned int KNPS_UP_INSIDE = 0x20000;
constexpr unsigned int KNPS_TEXT_HELD = 0x100000;
constexpr unsigned int KNPS_TEXT_INSIDE = 0x200000;
constexpr unsigned int KNPS_DOWN_HELD = 0x1000000;
constexpr unsigned int KNPS_DOWN_INSIDE = 0x2000000;
constexpr unsigned int KNPS_HOLD_MASK = 0x3330000;

// Zones (GetZoneRect).
constexpr int KNP_ZONE_UP = 0;
constexpr int KNP_ZONE_TEXT = 1;
constexpr int KNP_ZONE_DOWN = 2;
constexpr int KNP_ZONE_COUNT = 3;

// Notification code: the value changed by one step; param = the new value.
constexpr int KNOTIFY_VALUE_CHANGED = 2816;

class CKNumberPicker : public CKWindow
{
    K_DECLARE_DYNCREATE(CKNumberPicker)
public:
    CKNumberPicker() = default;
    // Releases the three drawables.
    ~CKNumberPicker() override;

    // After the base: the default drawables into empty slots (and the background).
    void Initialize(unsigned int style) override;
    // Zones: the buttons as high as their drawables (a third of the height without one), the
    // text between them.
    void OnSize() override;
    // Press holds a zone, moves track whether the pointer is inside it, release over the held
    // up or down button steps the value, cancel lets go. Disabled pickers ignore presses.
    int OnMouse(int code, int x, int y, int extra) override;
    // Background, the two buttons (pressed while held with the pointer inside), the value.
    void OnPaint(CKCanvas* canvas) override;

    // Either end alone, or both; the value is kept inside the range (without notification).
    void SetMinimum(int minimum);
    void SetMaximum(int maximum);
    void SetRange(int minimum, int maximum);
    // Clamped to the range; repaints on a change (without notification).
    void SetValue(int value);
    // None restores the default ("%d").
    void SetFormatter(KNumberFormatter formatter);
    int GetMinimum() const { return minimum; }
    int GetMaximum() const { return maximum; }
    int GetValue() const { return value; }
    // The zone's rectangle in client coordinates; 0 for an unknown zone.
    int GetZoneRect(int zone, RECT* rect) const;

    void SetUpButtonDrawable(CKDrawable* drawable);
    void SetDownButtonDrawable(CKDrawable* drawable);
    void SetTextDrawable(CKDrawable* drawable);

private:
    // The zone holding the point, or -1.
    int ZoneAt(int x, int y) const;
    // The held zone, or -1.
    int HeldZone() const;
    // Replaces the zone bits of the style; repaints when they changed.
    void SetHoldBits(unsigned int bits);
    // The value moves by `delta`, the picker repaints and the parent hears of it.
    void Step(int delta);
    // The value limited to the range.
    int Clamp(int candidate) const;

    int minimum = 0;
    int maximum = 10;
    int value = 0;
    KNumberFormatter formatter = nullptr;     // none: "%d"
    RECT zones[KNP_ZONE_COUNT] = {};
    CKDrawable* upButton = nullptr;           // counted
    CKDrawable* downButton = nullptr;         // counted
    CKTextDrawable* textDrawable = nullptr;   // counted
};
