// CKSlider: a horizontal or vertical track with a thumb over an integer range (the player page's
// progress bar). The user drags the thumb, taps the track to page or jump, steps with the arrow
// keys and goes to either end with Home and End; a drag moves a separate tracking value and leaves
// the committed position to the parent, which hears of it through KNOTIFY_SLIDER_TRACKING and
// KNOTIFY_SLIDER_RELEASED.
//
// Drawables: bkgnd, frgnd and thumb are face drawables held under graphics/KDrawableSlot.h's
// rule; Initialize fills the empty ones from "res/DrawableSD.xml".
//
// Empty ranges: a range whose maximum is not above its minimum, or a channel one pixel long,
// maps every value to the start of the channel and every point to the minimum (no division by
// zero); the thumb then rests at the start.
#pragma once
#include "graphics/KColor.h"
#include "ui/CKWindow.h"

class CKFaceDrawable;

// Slider style bits.
constexpr unsigned int KSLS_VERTICAL = 0x1;         // vertical (else horizontal)
constexpr unsigned int KSLS_TICKS_BEFORE = 0x4;     // tick band on the top (horizontal) or left side
constexpr unsigned int KSLS_TICKS_AFTER = 0x8;      // tick band on the bottom or right side
constexpr unsigned int KSLS_DRAGGING = 0x10000000;  // state: the thumb is held

// Colour of the tick marks: opaque light grey.
constexpr KColor KSLIDER_TICK_COLOR = 0xFFC8C8C8;

// Notification codes (OnNotify(slider id, code, value) at the parent).
constexpr int KNOTIFY_SLIDER_PAGED = 2305;      // a tap on the track or a key changed the position
constexpr int KNOTIFY_SLIDER_TRACKING = 2306;   // the thumb was dragged to a new value
constexpr int KNOTIFY_SLIDER_RELEASED = 2307;   // the thumb was released after a drag

class CKSlider : public CKWindow
{
    K_DECLARE_DYNCREATE(CKSlider)
public:
    CKSlider() = default;
    // Releases the three drawables.
    ~CKSlider() override;

    // ---- Virtual operation ----
    // Tick bands, track and thumb into `rect` (the client rectangle).
    virtual void DrawSlider(CKCanvas* canvas, const RECT& rect);

    // ---- Window operations ----
    // Loads the empty drawables of the orientation after the base.
    void Initialize(unsigned int style) override;
    // The base, then the geometry.
    int OnCreate() override;
    void OnSize() override;
    // Arrow keys along the slider's axis step by the line step, Home and End go to the ends of
    // the range; a change is reported as KNOTIFY_SLIDER_PAGED.
    int OnKey(int code, int key, int repeatFlags) override;
    // Keeps the arrows (DLGC_WANTARROWS).
    unsigned int GetDialogCode(int key) override;
    // Thumb dragging (KNOTIFY_SLIDER_TRACKING, KNOTIFY_SLIDER_RELEASED), tap paging or jumping
    // (KNOTIFY_SLIDER_PAGED).
    int OnMouse(int code, int x, int y, int extra) override;
    // The window background, then DrawSlider.
    void OnPaint(CKCanvas* canvas) override;

    // ---- Range and position ----
    // Stores the range, then clamps the position into it; repaints.
    void SetRange(int minimum, int maximum);
    int GetMinimum() const { return minimum; }
    int GetMaximum() const { return maximum; }
    // Clamped into the range; repaints when it changed. No notification.
    void SetPosition(int value);
    int GetPosition() const { return position; }
    // The value under the thumb while dragging.
    int GetTrackPosition() const { return trackPosition; }
    void SetLineStep(int n) { lineStep = n; }
    // Below 1 a tap on the track jumps to the tapped value.
    void SetPageStep(int n) { pageStep = n; }
    // Values between two tick marks; below 1 no ticks are drawn.
    void SetTickFrequency(int n) { tickFrequency = n; }
    int GetTickFrequency() const { return tickFrequency; }
    int GetLineStep() const { return lineStep; }
    int GetPageStep() const { return pageStep; }
    // The value at a client point, clamped into the range.
    int ValueFromPoint(int x, int y) const;

    // ---- Geometry (client coordinates) ----
    const RECT& GetChannelRect() const { return channel; }
    const RECT& GetThumbRect() const { return thumbRect; }
    int GetThumbHalf() const { return thumbHalf; }
    int GetThumbOffset() const { return thumbOffset; }
    int GetTickBand() const { return tickBand; }

    // ---- Drawables ----
    void SetBkgndDrawable(CKDrawable* drawable);
    void SetFrgndDrawable(CKDrawable* drawable);
    void SetThumbDrawable(CKDrawable* drawable);
    CKFaceDrawable* GetBkgndDrawable() const { return bkgnd; }
    CKFaceDrawable* GetFrgndDrawable() const { return frgnd; }
    CKFaceDrawable* GetThumbDrawable() const { return thumb; }

protected:
    // Clamps and stores the position and moves the thumb; 1 when the value changed.
    int ApplyPosition(long long value);
    // Bands, thumb size and channel from the client rectangle, then the thumb.
    void CalcGeometry();
    // The thumb's offset and rectangle for the current value (the tracking value while dragging).
    void CalcThumb();
    // `value` limited to the range.
    int Clamp(long long value) const;
    // Pixels along the channel.
    int ChannelLength() const;
    // One tick band: a one-pixel line across it for every tickFrequency values.
    void DrawTicks(CKCanvas* canvas, const RECT& band);
    // A press off the thumb: a page towards the point, or a jump to it.
    int PageTowards(int x, int y);

    int minimum = 0;
    int maximum = 100;
    int position = 0;
    int trackPosition = 0;
    int lineStep = 1;
    int pageStep = 10;
    int tickFrequency = 10;
    int thumbHalf = 0;      // half the thumb's length along the track; the track's inset
    int tickBand = 0;       // thickness of a tick band
    int thumbOffset = 0;    // pixels from the channel's start to the current value
    RECT channel = {};      // where values are mapped
    RECT thumbRect = {};    // where the thumb is drawn and grabbed
    CKFaceDrawable* bkgnd = nullptr;   // counted
    CKFaceDrawable* frgnd = nullptr;   // counted
    CKFaceDrawable* thumb = nullptr;   // counted
    KColor tickColor = KSLIDER_TICK_COLOR;
};

// The library's slider looks.
extern const char* const KDRAWABLE_FILE_SLIDER;   // "res/DrawableSD.xml"
