// The device-metric table, its presets and start-up step, the unit conversions and the length
// and font-level syntax of the look-and-feel files.
#include "foundation/KDevMetrics.h"

#include <climits>

#include "foundation/CKDevMetricsXml.h"
#include "foundation/KText.h"

namespace {

int g_metrics[KDEVMETRIC_COUNT];

// The library's version text, shown in the information alert.
const char KESTREL_VERSION[] = "V1.0.0";

// Font levels are stored as fixed-point integers with four decimals.
constexpr float LEVEL_SCALE = 10000.0f;

// Conversion constants, all 32-bit floats.
constexpr float MM_PER_INCH = 25.4f;
constexpr float MM_PER_POINT = 0.352778f;
constexpr float MM_PER_BASE_UNIT = 0.25f;
constexpr float BASE_UNITS_PER_INCH = 101.6f;

// Dots per inch of one density step; the offset rounds a resolution to its nearest step from 30
// dpi below it (190 dpi is already density 3).
constexpr int DPI_PER_DENSITY = 80;
constexpr int DENSITY_OFFSET = 50;
// The densities "LD" and "HD" lengths are designed for.
constexpr int LD_DENSITY = 2;
constexpr int HD_DENSITY = 4;
// FitDpiToScreen: screen pixels (1.5 x the short side) per density step, and the highest step
// taken as it is; higher ones are rounded down to even steps.
constexpr int FIT_PIXELS_PER_DENSITY = 240;
constexpr int FIT_MAX_ODD_DENSITY = 4;

bool IsIndex(int index)
{
    return index >= 0 && index < KDEVMETRIC_COUNT;
}

int Saturate(long long value)
{
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return (int)value;
}

// (dpi + 50) / 80, integer division.
int DensityOf(int dpi)
{
    return Saturate(((long long)dpi + DENSITY_OFFSET) / DPI_PER_DENSITY);
}

float ToMillimetres(float value, int unit)
{
    switch (unit) {
    case KUNIT_PIXEL:
        return value * MM_PER_INCH / (float)g_metrics[LogPixelsX];
    case KUNIT_INCH:
        return value * MM_PER_INCH;
    case KUNIT_POINT:
        return value * MM_PER_POINT;
    case KUNIT_BASE:
        return value * MM_PER_BASE_UNIT;
    default:
        return value;
    }
}

float FromMillimetres(float millimetres, int unit)
{
    switch (unit) {
    case KUNIT_PIXEL:
        return millimetres * (float)g_metrics[LogPixelsX] / MM_PER_INCH;
    case KUNIT_INCH:
        return millimetres / MM_PER_INCH;
    case KUNIT_POINT:
        return millimetres / MM_PER_POINT;
    case KUNIT_BASE:
        return millimetres / MM_PER_BASE_UNIT;
    default:
        return millimetres;
    }
}

inline int CompareText(const char* a, const char* b)
{
    return KStrCmpA(a, b);
}

inline int CompareText(const wchar_t* a, const wchar_t* b)
{
    return KStrCmpW(a, b);
}

inline float TextToFloat(const char* text)
{
    return KStrToFloatA(text);
}

inline float TextToFloat(const wchar_t* text)
{
    return KStrToFloatW(text);
}

// Both widths of ParseFontSize; the three level names come in the text's width.
template <class Char>
float ParseFontSizeT(const Char* text, const Char* normalName, const Char* smallName,
                     const Char* bigName)
{
    if (!text || CompareText(text, normalName) == 0)
        return GetDevMetricF(FontSize);
    if (CompareText(text, smallName) == 0)
        return GetDevMetricF(FontSizeSmall);
    if (CompareText(text, bigName) == 0)
        return GetDevMetricF(FontSizeBig);
    if (text[0] >= '0' && text[0] <= '9')
        return TextToFloat(text);
    return GetDevMetricF(FontSize);
}

} // namespace

int GetDevMetric(int index)
{
    return IsIndex(index) ? g_metrics[index] : 0;
}

void SetDevMetric(int index, int value)
{
    if (!IsIndex(index))
        return;
    g_metrics[index] = value;
    if (index == LogPixelsX) {
        g_metrics[Density] = DensityOf(value);
    } else if (index == ScreenOrientation) {
        int width = g_metrics[CxScreen];
        int height = g_metrics[CyScreen];
        bool portrait = value == 0 || value == 1;
        if (portrait ? width > height : width < height) {
            g_metrics[CxScreen] = height;
            g_metrics[CyScreen] = width;
        }
    }
}

float GetDevMetricF(int index)
{
    return IsIndex(index) ? (float)g_metrics[index] / LEVEL_SCALE : 0.0f;
}

void SetDevMetricF(int index, float value)
{
    if (IsIndex(index))
        g_metrics[index] = TruncateFloat(value * LEVEL_SCALE);
}

int TruncateFloat(float value)
{
    const float twoTo31 = 2147483648.0f;   // the first float above INT_MAX
    if (value != value)                    // NaN
        return 0;
    if (value >= twoTo31)
        return INT_MAX;
    if (value <= -twoTo31)
        return INT_MIN;
    return (int)value;
}

int UnitToPixels(int value, int horizontal)
{
    int dpi = g_metrics[horizontal ? LogPixelsX : LogPixelsY];
    return TruncateFloat((float)value * (float)dpi / BASE_UNITS_PER_INCH + 0.5f);
}

float ConvertUnits(float value, int from, int to)
{
    return FromMillimetres(ToMillimetres(value, from), to);
}

int DensityToPixels(int value, int hd)
{
    long long scaled = (long long)value * g_metrics[Density];
    return Saturate(scaled / (hd ? HD_DENSITY : LD_DENSITY));
}

float ParseLength(const char* text)
{
    if (!text)
        return 0.0f;
    const char* p = KSkipSpaceA(text);
    float value = KStrToFloatA(p);
    while ((*p >= '0' && *p <= '9') || *p == '.' || *p == '-')
        ++p;
    if (*p == 0 || *p == ',')
        return ConvertUnits(value, KUNIT_BASE, KUNIT_PIXEL);

    const char suffix[3] = {p[0], p[1], 0};   // p[0] is not the NUL, so p[1] can be read
    if (KStrCmpA(suffix, "px") == 0)
        return value;
    if (KStrCmpA(suffix, "in") == 0)
        return ConvertUnits(value, KUNIT_INCH, KUNIT_PIXEL);
    if (KStrCmpA(suffix, "mm") == 0)
        return ConvertUnits(value, KUNIT_MILLIMETRE, KUNIT_PIXEL);
    if (KStrCmpA(suffix, "pt") == 0)
        return ConvertUnits(value, KUNIT_POINT, KUNIT_PIXEL);
    if (KStrICmpA(suffix, "HD") == 0)
        return (float)DensityToPixels(TruncateFloat(value), 1);
    if (KStrICmpA(suffix, "LD") == 0)
        return (float)DensityToPixels(TruncateFloat(value), 0);
    return value;
}

float ParseFontSize(const char* text)
{
    return ParseFontSizeT(text, "normal", "small", "big");
}

float ParseFontSize(const wchar_t* text)
{
    return ParseFontSizeT(text, L"normal", L"small", L"big");
}

void SetDefaultDevMetrics()
{
    // Unused entries, ScreenOrientation (portrait) and TitleBarHeight (none) are 0.
    for (int& metric : g_metrics)
        metric = 0;
    g_metrics[CxScreen] = 320;
    g_metrics[CyScreen] = 480;
    g_metrics[LogPixelsX] = 160;
    g_metrics[LogPixelsY] = 160;
    g_metrics[Density] = DensityOf(g_metrics[LogPixelsX]);
    g_metrics[StatusBarHeight] = DensityToPixels(24, 0);   // "24LD"
    SetDevMetricF(FontSize, 15.0f);
    SetDevMetricF(FontSizeSmall, 10.0f);
    SetDevMetricF(FontSizeBig, 20.0f);
}

void InitDevMetrics()
{
    SetDefaultDevMetrics();
    CKDevMetricsXml reader;
    LoadXml(&reader, L"DevMetrics.xml");
}

void FitDpiToScreen()
{
    int width = g_metrics[CxScreen];
    int height = g_metrics[CyScreen];
    int oldDpi = g_metrics[LogPixelsY];
    int titleBar = g_metrics[TitleBarHeight];

    long long shortSide = width < height ? width : height;
    long long longSide = width < height ? height : width;
    long long fitted = (shortSide / 2) * 3;
    if (fitted > longSide)
        fitted = longSide;
    int steps = Saturate(fitted / FIT_PIXELS_PER_DENSITY);
    if (steps > FIT_MAX_ODD_DENSITY)
        steps -= steps % 2;
    int dpi = Saturate((long long)steps * DPI_PER_DENSITY);
    SetDevMetric(LogPixelsX, dpi);
    SetDevMetric(LogPixelsY, dpi);

    // The title bar was given for the old resolution's density class; a class of 0 (a resolution
    // below 30 dpi) gives no scale to undo, and the height is kept.
    int oldClassDpi = DensityOf(oldDpi) * DPI_PER_DENSITY;
    if (dpi != oldDpi && oldClassDpi != 0)
        SetDevMetric(TitleBarHeight, Saturate((long long)titleBar * dpi / oldClassDpi));
}

int FormatDevMetricsInfo(wchar_t* buffer, int capacity)
{
    return FormatText(buffer, capacity,
                      L"Kestrel Version: %S\n\n"
                      L"Screen Size in Pixel: %d, %d\n\n"
                      L"Log Pixel in DPI: %d, %d\n\n"
                      L"Status & Title Bar: %d, %d\n\n",
                      KESTREL_VERSION, g_metrics[CxScreen], g_metrics[CyScreen],
                      g_metrics[LogPixelsX], g_metrics[LogPixelsY], g_metrics[StatusBarHeight],
                      g_metrics[TitleBarHeight]);
}
