// The status bar: its icons and its painting.
#include "ui/KStatusBar.h"

#include "foundation/CKFile.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KPaths.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFont.h"
#include "graphics/CKImgList.h"
#include "graphics/KImageCache.h"

namespace {

constexpr wchar_t TITLE_ICON_FILE[] = L"TitleIcon.png";
constexpr int ICON_COLUMNS = 1;
constexpr int ICON_ROWS = 2;
constexpr int ICON_BATTERY = 0;
constexpr int ICON_SIGNAL = 1;
// Distance of the icons from the ends of the strip, in pixels.
constexpr int ICON_INSET = 4;
constexpr KColor CLOCK_COLOR = 0xFFFFFFFF;
constexpr int MS_PER_SECOND = 1000;
constexpr int MS_PER_MINUTE = 60 * MS_PER_SECOND;

// The strip's face: two vertical gradients, the upper half lighter than the lower one.
const KFace STATUS_BAR_FACE = {
    ((unsigned int)KFILL_G2C4 << KFACE_MODE_SHIFT) | KFACE_VERTICAL,
    0,
    0,
    {0xFF4A4A4A, 0xFF2F2F2F, 0xFF242424, 0xFF000000},
};

CKImgList* g_titleIcons;   // owned

} // namespace

void KLoadTitleIcons()
{
    if (g_titleIcons)
        return;
    wchar_t path[KMAX_PATH];
    MakeModulePath(path, TITLE_ICON_FILE);
    g_titleIcons = CreateImgListByGrid(ICON_COLUMNS, ICON_ROWS,
                                       CKFile::Exists(path) ? path : TITLE_ICON_FILE,
                                       KIMG_TYPE_PNG, KIMG_AUTO);
}

CKImgList* GetTitleIcons()
{
    return g_titleIcons;
}

void KReleaseTitleIcons()
{
    delete g_titleIcons;
    g_titleIcons = nullptr;
}

void KPaintStatusBar(HDC dc, int width)
{
    const RECT strip = {0, 0, width, GetDevMetric(StatusBarHeight)};
    CKCanvas canvas;
    if (!canvas.Bind(dc))
        return;
    canvas.FillFaceNoBorder(strip, STATUS_BAR_FACE, 0);
    RECT clock = strip;
    int cellWidth, cellHeight;
    if (g_titleIcons && g_titleIcons->GetCellSize(&cellWidth, &cellHeight)) {
        const int y = (strip.top + strip.bottom - cellHeight) / 2;
        canvas.DrawImageCell(strip.left + ICON_INSET, y, g_titleIcons, ICON_SIGNAL);
        canvas.DrawImageCell(strip.right - ICON_INSET - cellWidth, y, g_titleIcons, ICON_BATTERY);
        clock.left += ICON_INSET + cellWidth;
        clock.right -= ICON_INSET + cellWidth;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[8];
    wsprintfW(text, L"%02d:%02d", now.wHour, now.wMinute);
    canvas.SelectFont(GetSmallFont());
    canvas.SetTextColor(CLOCK_COLOR);
    canvas.DrawText(text, -1, clock, 0);
    canvas.Unbind();
}

void KRefreshStatusBar(HWND frame)
{
    RECT strip;
    if (!frame || !GetClientRect(frame, &strip))
        return;
    strip.bottom = GetDevMetric(StatusBarHeight);
    InvalidateRect(frame, &strip, FALSE);
}

int KMsToNextMinute(const SYSTEMTIME& now)
{
    return MS_PER_MINUTE - (now.wSecond * MS_PER_SECOND + now.wMilliseconds) % MS_PER_MINUTE;
}

void KScheduleClock(HWND frame)
{
    if (!frame)
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    // A timer that fires a little early paints the old minute once more and is set again for
    // the few milliseconds left.
    SetTimer(frame, KCLOCK_TIMER_ID, (UINT)KMsToNextMinute(now), nullptr);
}
