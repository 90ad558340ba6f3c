// The phone status bar the frame window paints above the pages: a dark gradient strip with the
// signal bars at the left, the battery at the right and the clock between them. The clock is kept
// right by one frame window timer due at the next minute boundary (set again each time it fires)
// and by a repaint whenever the system time, the time zone or another setting changes. Its icons come
// from "TitleIcon.png" (one column, two rows: cell 0 battery, cell 1 signal), looked up beside the
// executable first so that they can be swapped without a rebuild, else the compiled-in copy.
// Part of the application module's state: loaded with the first frame window, deleted by the
// module's shut-down step.
#pragma once
#include <windows.h>

class CKImgList;

// Loads the icons unless loaded already; later calls keep the first list.
void KLoadTitleIcons();
// The icon list, or none when it could not be loaded.
CKImgList* GetTitleIcons();
// Deletes the icon list.
void KReleaseTitleIcons();

// Paints the strip (width x StatusBarHeight at the top of `dc`): gradient, icons, local time.
void KPaintStatusBar(HDC dc, int width);
// Invalidates the strip of the frame window (nothing for none).
void KRefreshStatusBar(HWND frame);

// Id of the frame window's clock timer (its WM_TIMER carries it).
constexpr UINT_PTR KCLOCK_TIMER_ID = 1;   // the frame window's only timer
// Milliseconds from local time `now` to the start of the next minute: 1 ... 60000.
int KMsToNextMinute(const SYSTEMTIME& now);
// Sets the frame window's clock timer to fire at the next minute boundary, replacing the one set
// before. The frame calls it when it is created, when the timer fires and after a time change.
void KScheduleClock(HWND frame);
