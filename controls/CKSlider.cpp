// CKSlider: geometry from the client rectangle, value and pixel mapping, input and painting.
#include "controls/CKSlider.h"

#include "foundation/KDevMetrics.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/KDrawableSlot.h"

K_IMPLEMENT_DYNCREATE(CKSlider, CKWindow)

const char* const KDRAWABLE_FILE_SLIDER = "res/DrawableSD.xml";

namespace {

// Thickness of a tick band in base units.
constexpr int TICK_BAND_UNITS = 3;
// The thumb is as long as two fifths of the slider's thickness without its tick bands.
constexpr int THUMB_HALF_DIVISOR = 5;

// value x numerator / denominator, truncated toward zero; 0 when the denominator is not positive
// (an empty range or a one-pixel channel has no mapping).
long long Scale(long long value, long long numerator, long long denominator)
{
    return denominator > 0 ? value * numerator / denominator : 0;
}

} // namespace

CKSlider::~CKSlider()
{
    KDropDrawable(bkgnd);
    KDropDrawable(frgnd);
    KDropDrawable(thumb);
}

void CKSlider::Initialize(unsigned int newStyle)
{
    CKWindow::Initialize(newStyle);
    const KRuntimeClass* kind = K_RUNTIME_CLASS(CKFaceDrawable);
    const bool vertical = (style & KSLS_VERTICAL) != 0;
    KLoadDrawable(bkgnd, KDRAWABLE_FILE_SLIDER,
                  vertical ? "DefSliderVertBkgnd" : "DefSliderHorzBkgnd", kind);
    KLoadDrawable(frgnd, KDRAWABLE_FILE_SLIDER,
                  vertical ? "DefSliderVertFrgnd" : "DefSliderHorzFrgnd", kind);
    KLoadDrawable(thumb, KDRAWABLE_FILE_SLIDER,
                  vertical ? "DefSliderVertThumb" : "DefSliderHorzThumb", kind);
}

void CKSlider::SetBkgndDrawable(CKDrawable* drawable)
{
    KHoldDrawable(bkgnd, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}

void CKSlider::SetFrgndDrawable(CKDrawable* drawable)
{
    KHoldDrawable(frgnd, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}

void CKSlider::SetThumbDrawable(CKDrawable* drawable)
{
    KHoldDrawable(thumb, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}

// ---- Geometry and values ------------------------------------------------------------------------

int CKSlider::OnCreate()
{
    const int created = CKWindow::OnCreate();
    CalcGeometry();
    return created;
}

void CKSlider::OnSize()
{
    CKWindow::OnSize();
    CalcGeometry();
}

void CKSlider::CalcGeometry()
{
    RECT client;
    if (!GetClientRect(&client))
        return;
    const bool vertical = (style & KSLS_VERTICAL) != 0;
    // A band across a vertical slider is measured horizontally, and the other way round.
    tickBand = UnitToPixels(TICK_BAND_UNITS, vertical ? 1 : 0);
    const int before = (style & KSLS_TICKS_BEFORE) ? tickBand : 0;
    const int after = (style & KSLS_TICKS_AFTER) ? tickBand : 0;
    const int across = vertical ? client.right - client.left : client.bottom - client.top;
    thumbHalf = (across - before - after) / THUMB_HALF_DIVISOR;
    if (thumbHalf < 0)
        thumbHalf = 0;
    if (vertical)
        channel = RECT{client.left + before, client.top + thumbHalf, client.right - after,
                       client.bottom - thumbHalf};
    else
        channel = RECT{client.left + thumbHalf, client.top + before, client.right - thumbHalf,
                       client.bottom - after};
    CalcThumb();
}

int CKSlider::ChannelLength() const
{
    return (style & KSLS_VERTICAL) ? channel.bottom - channel.top : channel.right - channel.left;
}

void CKSlider::CalcThumb()
{
    const int value = (style & KSLS_DRAGGING) ? trackPosition : position;
    thumbOffset = (int)Scale((long long)value - minimum, ChannelLength() - 1,
                             (long long)maximum - minimum);
    if (style & KSLS_VERTICAL)
        thumbRect = RECT{channel.left, channel.top + thumbOffset - thumbHalf, channel.right,
                         channel.top + thumbOffset + thumbHalf + 1};
    else
        thumbRect = RECT{channel.left + thumbOffset - thumbHalf, channel.top,
                         channel.left + thumbOffset + thumbHalf + 1, channel.bottom};
}

int CKSlider::Clamp(long long value) const
{
    if (value < minimum)
        return minimum;
    if (value > maximum)
        return maximum;
    return (int)value;
}

int CKSlider::ValueFromPoint(int x, int y) const
{
    const int along = (style & KSLS_VERTICAL) ? y - channel.top : x - channel.left;
    return Clamp(Scale(along, (long long)maximum - minimum, ChannelLength() - 1) + minimum);
}

int CKSlider::ApplyPosition(long long value)
{
    const int clamped = Clamp(value);
    const bool changed = clamped != position;
    position = clamped;
    CalcThumb();
    return changed ? 1 : 0;
}

void CKSlider::SetPosition(int value)
{
    if (ApplyPosition(value))
        Invalidate();
}

void CKSlider::SetRange(int newMinimum, int newMaximum)
{
    minimum = newMinimum;
    maximum = newMaximum;
    ApplyPosition(position);
    Invalidate();   // the thumb moves with the range even when the value stays
}

// ---- Input --------------------------------------------------------------------------------------

int CKSlider::OnMouse(int code, int x, int y, int extra)
{
    CKWindow::OnMouse(code, x, y, extra);
    if (extra || !IsEnabled())
        return 0;
    const bool dragging = (style & KSLS_DRAGGING) != 0;
    switch (code) {
    case KMOUSE_PRESS:
    case KMOUSE_DBLPRESS: {
        const POINT point = {x, y};
        if (!PtInRect(&thumbRect, point))
            return PageTowards(x, y);
        style |= KSLS_DRAGGING;
        trackPosition = position;
        CalcThumb();
        Invalidate();
        return 1;
    }
    case KMOUSE_MOVE: {
        if (!dragging)
            return 0;
        const int value = ValueFromPoint(x, y);
        if (value != trackPosition) {
            trackPosition = value;
            CalcThumb();
            Invalidate();
            NotifyParent(KNOTIFY_SLIDER_TRACKING, value, 0);
        }
        return 1;
    }
    case KMOUSE_RELEASE:
    case KMOUSE_CANCEL:
        if (!dragging)
            return 0;
        // The committed position stays: the parent decides what the released value means.
        style &= ~KSLS_DRAGGING;
        CalcThumb();
        Invalidate();
        if (code == KMOUSE_RELEASE)
            NotifyParent(KNOTIFY_SLIDER_RELEASED, trackPosition, 0);
        return 1;
    default:
        return 0;
    }
}

int CKSlider::PageTowards(int x, int y)
{
    long long target;
    if (pageStep < 1) {
        target = ValueFromPoint(x, y);
    } else {
        // Pages snap to multiples of the page step counted from the minimum.
        const bool after = (style & KSLS_VERTICAL) ? y >= channel.top + thumbOffset
                                                   : x >= channel.left + thumbOffset;
        const long long base = after ? (long long)position + pageStep - minimum
                                     : (long long)position - 1 - minimum;
        target = base / pageStep * pageStep + minimum;
    }
    if (!ApplyPosition(target))
        return 1;
    Invalidate();
    NotifyParent(KNOTIFY_SLIDER_PAGED, position, 0);
    return 1;
}

int CKSlider::OnKey(int code, int key, int repeatFlags)
{
    CKWindow::OnKey(code, key, repeatFlags);
    if (code != KKEY_DOWN || !IsEnabled())
        return 0;
    const bool vertical = (style & KSLS_VERTICAL) != 0;
    long long target;
    if (key == (vertical ? KK_UP : KK_LEFT))
        target = (long long)position - lineStep;
    else if (key == (vertical ? KK_DOWN : KK_RIGHT))
        target = (long long)position + lineStep;
    else if (key == KK_HOME)
        target = minimum;
    else if (key == KK_END)
        target = maximum;
    else
        return 0;
    // The parent follows a key as it follows a tap on the track: the player seeks.
    if (ApplyPosition(target)) {
        Invalidate();
        NotifyParent(KNOTIFY_SLIDER_PAGED, position, 0);
    }
    return 1;
}

unsigned int CKSlider::GetDialogCode(int)
{
    return DLGC_WANTARROWS;
}

// ---- Painting -----------------------------------------------------------------------------------

void CKSlider::OnPaint(CKCanvas* canvas)
{
    RECT client;
    if (!GetClientRect(&client))
        return;
    DrawBackground(canvas, &client, 0);
    DrawSlider(canvas, client);
}

void CKSlider::DrawSlider(CKCanvas* canvas, const RECT& rect)
{
    const bool vertical = (style & KSLS_VERTICAL) != 0;
    RECT rest = rect;
    // Each tick band is cut off its side, shortened by the thumb's half at both ends so that its
    // ticks line up with the thumb's positions.
    if (style & KSLS_TICKS_BEFORE) {
        if (vertical) {
            DrawTicks(canvas, RECT{rest.left, rest.top + thumbHalf, rest.left + tickBand,
                                   rest.bottom - thumbHalf});
            rest.left += tickBand;
        } else {
            DrawTicks(canvas, RECT{rest.left + thumbHalf, rest.top, rest.right - thumbHalf,
                                   rest.top + tickBand});
            rest.top += tickBand;
        }
    }
    if (style & KSLS_TICKS_AFTER) {
        if (vertical) {
            DrawTicks(canvas, RECT{rest.right - tickBand, rest.top + thumbHalf, rest.right,
                                   rest.bottom - thumbHalf});
            rest.right -= tickBand;
        } else {
            DrawTicks(canvas, RECT{rest.left + thumbHalf, rest.bottom - tickBand,
                                   rest.right - thumbHalf, rest.bottom});
            rest.bottom -= tickBand;
        }
    }
    RECT done, remaining, knob;
    if (vertical) {
        const int split = channel.top + thumbOffset;
        done = RECT{rest.left + thumbHalf, rest.top, rest.right - thumbHalf, split};
        remaining = RECT{rest.left + thumbHalf, split, rest.right - thumbHalf, rest.bottom};
        knob = RECT{rest.left, thumbRect.top, rest.right, thumbRect.bottom};
    } else {
        const int split = channel.left + thumbOffset;
        done = RECT{rest.left, rest.top + thumbHalf, split, rest.bottom - thumbHalf};
        remaining = RECT{split, rest.top + thumbHalf, rest.right, rest.bottom - thumbHalf};
        knob = RECT{thumbRect.left, rest.top, thumbRect.right, rest.bottom};
    }
    CKFaceDrawable* const parts[3] = {frgnd, bkgnd, thumb};
    const RECT* const places[3] = {&done, &remaining, &knob};
    for (int i = 0; i < 3; i++) {
        if (parts[i]) {
            parts[i]->SetState(0);
            parts[i]->Draw(canvas, *places[i], nullptr);
        }
    }
}

void CKSlider::DrawTicks(CKCanvas* canvas, const RECT& band)
{
    const bool vertical = (style & KSLS_VERTICAL) != 0;
    const long long length = vertical ? band.bottom - band.top : band.right - band.left;
    const long long range = (long long)maximum - minimum;
    if (length < 1 || range < 0 || tickFrequency < 1)
        return;
    canvas->SetBrushColor(tickColor);
    long long k = 0;
    while (k <= range) {
        const int offset = (int)Scale(k, length - 1, range);
        if (vertical)
            canvas->FillRect(band.left, band.top + offset, band.right - band.left, 1);
        else
            canvas->FillRect(band.left + offset, band.top, 1, band.bottom - band.top);
        if (range == 0 || length < 2)
            break;
        // Values closer than a pixel land on the same line: go straight to the first tick value
        // whose line lies further on, so that a wide range costs no more than the band's pixels.
        const long long reach = ((offset + 1) * range + length - 2) / (length - 1);
        long long next = k + tickFrequency;
        if (next < reach)
            next = (reach + tickFrequency - 1) / tickFrequency * tickFrequency;
        k = next;
    }
}
