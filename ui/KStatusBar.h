// The phone status bar the frame window paints above the pages: a dark gradient strip with the
// signal bars at the left, the battery at the right and the clock between them. Its icons come
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
