// The process-wide device metrics of the phone screen the library draws (size, resolution, bar
// heights, font levels) and the conversions of every length unit to pixels through them.
// Written at start-up (presets, "DevMetrics.xml", FitDpiToScreen) on the UI thread before any
// window exists; read everywhere afterwards without locks.
#pragma once

// Indexes of the metric table (16 entries, 0..15; the unlisted ones are unused).
enum KDevMetricIndex
{
    CxScreen = 1,            // screen width in pixels
    CyScreen = 2,            // screen height in pixels
    LogPixelsX = 3,          // horizontal resolution, dots per inch
    LogPixelsY = 4,          // vertical resolution, dots per inch
    ScreenOrientation = 5,   // 0 or 1 portrait, any other value landscape
    StatusBarHeight = 6,     // status bar height in pixels
    TitleBarHeight = 7,      // title bar height in pixels
    Density = 8,             // (LogPixelsX + 50) / 80: 1 at 80 dpi, 2 at 160, 3 at 240, 4 at 320
    FontSize = 10,           // normal font level in base units, x 10000
    FontSizeSmall = 11,      // small font level in base units, x 10000
    FontSizeBig = 12,        // big font level in base units, x 10000
};

// Number of entries of the metric table.
constexpr int KDEVMETRIC_COUNT = 16;

// Unit codes of ConvertUnits. The base unit is the quarter millimetre (1/101.6 inch).
enum KUnit
{
    KUNIT_PIXEL = 0,        // at LogPixelsX
    KUNIT_INCH = 1,
    KUNIT_POINT = 2,        // 0.352778 mm
    KUNIT_BASE = 3,         // 0.25 mm
    KUNIT_MILLIMETRE = 4,   // also every code not listed
};

// The integer at `index`; 0 outside 0..15.
int GetDevMetric(int index);
// Stores `value` (ignored outside 0..15). LogPixelsX recomputes Density; ScreenOrientation 0 or 1
// swaps CxScreen and CyScreen when the width exceeds the height, any other value when the width
// is below the height.
void SetDevMetric(int index, int value);
// The stored fixed-point level / 10000; 0.0 outside 0..15.
float GetDevMetricF(int index);
// Stores (int)(value x 10000), truncated toward zero; ignored outside 0..15.
void SetDevMetricF(int index, float value);

// Base units to pixels: (int)(value x dpi / 101.6 + 0.5) with LogPixelsX when `horizontal` is
// non-zero, LogPixelsY otherwise (a 32-unit margin is 50 pixels at 160 dpi).
int UnitToPixels(int value, int horizontal);
// Converts between KUnit codes through millimetres; pixels always use LogPixelsX.
float ConvertUnits(float value, int from, int to);
// Lengths designed for density 2 ("LD", hd 0): value x Density / 2; for density 4 ("HD", hd
// non-zero): value x Density / 4. Integer arithmetic, truncating.
int DensityToPixels(int value, int hd);

// `value` truncated toward zero, saturated to the int range (NaN gives 0): how callers turn a
// ParseLength result into whole pixels, so that absurd lengths in a loose file stay defined.
int TruncateFloat(float value);

// A narrow length text to pixels: a number in base units, or followed by "px", "in", "mm", "pt"
// (case-sensitive), "LD" or "HD" (any case). Any other suffix, or a blank before it, reads as
// pixels. Stops at a ',' so that each element of a list can be read in turn. Null reads as 0.
float ParseLength(const char* text);
// A font level: "normal", "small", "big" (exact) give the three levels, text beginning with a
// digit that decimal number, anything else (null too) the normal level.
float ParseFontSize(const char* text);
float ParseFontSize(const wchar_t* text);

// Presets the table: 320 x 480 portrait at 160 dpi, density 2, status bar 24, no title bar, font
// levels 15, 10 and 20.
void SetDefaultDevMetrics();
// Start-up step: the presets, then "DevMetrics.xml" (a loose "AppRes\DevMetrics.xml" first, else
// the compiled-in resource); a missing or unreadable file leaves the presets.
void InitDevMetrics();
// Sets both resolutions to the density class that fits the screen size (80 dpi per 240 pixels of
// 1.5 x the short side, at most the long side; classes above 4 rounded down to even ones) and
// rescales the title bar to the new resolution. Called once by the application object.
void FitDpiToScreen();

// Units FormatDevMetricsInfo may write, with the NUL.
constexpr int KDEVMETRICS_INFO_CAPACITY = 256;
// The text of the library's information alert: version, screen size, resolution and bar heights.
// Writes at most `capacity` units with the NUL; returns the length written.
int FormatDevMetricsInfo(wchar_t* buffer, int capacity);
