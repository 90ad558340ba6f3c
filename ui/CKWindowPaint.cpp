// CKWindow's painting: every window paints into the one shared back buffer in the coordinates of
// its chain's root window (after what lies beneath it, unless it is opaque) and only its own area
// is copied to the screen; scrollable windows add background bands and scroll indicators, framed
// windows a frame drawn from "res/CtrlBorder.png" in their non-client area.
//
// Index: frame image - layers - WM_PAINT - background and indicators - frame.
#include "ui/CKWindow.h"

#include "graphics/CKCanvas.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/KGraphics.h"
#include "graphics/KImageCache.h"
#include "graphics/KNinePatch.h"

// ---- Frame image --------------------------------------------------------------------------------

namespace {

// The control-border strip: one column of four cells (normal, focused, and two others).
constexpr wchar_t FRAME_IMAGE[] = L"res/CtrlBorder.png";
constexpr int FRAME_COLUMNS = 1;
constexpr int FRAME_ROWS = 4;
constexpr int FRAME_CELL_NORMAL = 0;
constexpr int FRAME_CELL_FOCUSED = 1;

// Scroll indicators: 4 pixels thick, at least 12 long, light grey at alpha 150, rounded 4 x 4.
constexpr int INDICATOR_THICKNESS = 4;
constexpr int INDICATOR_MIN_LENGTH = 12;
constexpr KColor INDICATOR_COLOR = 0x96C8C8C8;
constexpr int INDICATOR_ROUND = 4;

CKImgList* g_frameImage;    // owned; loaded on first use
bool g_frameImageTried;     // a failed load is not retried on every frame message

CKImgList* FrameImage()
{
    if (!g_frameImageTried) {
        g_frameImageTried = true;
        g_frameImage = CreateImgListByGrid(FRAME_COLUMNS, FRAME_ROWS, FRAME_IMAGE,
                                           KIMG_TYPE_PNG, KIMG_AUTO);
    }
    return g_frameImage;
}

// The frame insets: a quarter of the cell on each side; false without the image.
bool FrameInsets(int* x, int* y)
{
    int cellWidth, cellHeight;
    CKImgList* image = FrameImage();
    if (!image || !image->GetCellSize(&cellWidth, &cellHeight))
        return false;
    *x = cellWidth / 4;
    *y = cellHeight / 4;
    return true;
}

// Clips the DC to `rect` (device coordinates) with the viewport origin at `origin`.
void ClipTo(HDC dc, const RECT& rect, POINT origin)
{
    HRGN region = CreateRectRgnIndirect(&rect);
    SelectClipRgn(dc, region);
    if (region)
        DeleteObject(region);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}

int Longer(int a, int b)
{
    return a > b ? a : b;
}

void Unclip(HDC dc)
{
    SelectClipRgn(dc, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
}

} // namespace

void CKWindow::ReleaseFrameImage()
{
    delete g_frameImage;
    g_frameImage = nullptr;
    g_frameImageTried = false;
}

// ---- Layers -------------------------------------------------------------------------------------

bool CKWindow::PaintLayer(CKCanvas* canvas, const RECT& area)
{
    RECT client;
    if (!GetClientRect(&client))
        return false;
    POINT offset = {0, 0};
    ClientToRoot(&offset);
    OffsetRect(&client, offset.x, offset.y);
    RECT clip;
    if (!IntersectRect(&clip, &client, &area))
        return false;
    ClipTo(canvas->GetDC(), clip, offset);
    if (flags & KWF_SCROLLS)
        DrawBackground(canvas, nullptr, 0);
    OnPaint(canvas);
    return item != nullptr;
}

void CKWindow::PaintChildren(CKCanvas* canvas, const RECT& area, const CKWindow* skip)
{
    // Children are clipped to this window; the last child lies lowest, so it is painted first.
    RECT inside;
    GetClientRect(&inside);
    ClientToRoot(&inside);
    if (!IntersectRect(&inside, &inside, &area))
        return;
    HWND root = GetRootItem()->hwnd;
    CKTreeT<KWndItem>* tree = GetWindowTree();
    for (KWndItem* child = tree->GetLastChild(item); child && item; child = tree->GetPrev(child)) {
        RECT rect;
        if (child->window && child->window != skip && IsWindowVisible(child->hwnd)
            && GetWindowRect(child->hwnd, &rect)) {
            MapWindowPoints(nullptr, root, (POINT*)&rect, 2);
            if (IntersectRect(&rect, &rect, &inside))
                child->window->PaintWithChildren(canvas, inside);
        }
    }
}

void CKWindow::PaintWithChildren(CKCanvas* canvas, const RECT& area)
{
    if (PaintLayer(canvas, area))
        PaintChildren(canvas, area, nullptr);
}

void CKWindow::PaintBeneath(CKCanvas* canvas, const RECT& area)
{
    CKWindow* parent = GetParent();
    if (!parent)
        return;
    if (!(parent->flags & KWF_OPAQUE))
        parent->PaintBeneath(canvas, area);
    if (parent->PaintLayer(canvas, area))
        parent->PaintChildren(canvas, area, this);
}

// ---- WM_PAINT -----------------------------------------------------------------------------------

void CKWindow::Paint(HDC printDc)
{
    if (!item)
        return;
    HWND hwnd = item->hwnd;
    PAINTSTRUCT ps;
    HDC dc = printDc ? printDc : BeginPaint(hwnd, &ps);
    HDC back = GetBackBufferDC();
    RECT area;
    ::GetClientRect(hwnd, &area);
    ClientToRoot(&area);
    if (dc && back) {
        CKCanvas canvas;
        canvas.Bind(back);
        if (!(flags & KWF_OPAQUE))
            PaintBeneath(&canvas, area);
        if (PaintLayer(&canvas, area))
            DrawScrollIndicators(&canvas);
        canvas.Unbind();
        Unclip(back);
        BitBlt(dc, 0, 0, area.right - area.left, area.bottom - area.top, back, area.left,
               area.top, SRCCOPY);
    }
    if (!printDc)
        EndPaint(hwnd, &ps);
}

// ---- Background and indicators ------------------------------------------------------------------

void CKWindow::DrawBackground(CKCanvas* canvas, const RECT* rect, unsigned int)
{
    if (!background || !canvas)
        return;
    background->SetState(0);
    if (rect) {
        background->Draw(canvas, *rect, nullptr);
        return;
    }
    RECT clip;
    if (!item || !(flags & KWF_SCROLLS) || !canvas->GetClipBox(&clip))
        return;
    // The content covers [-pos, extent - pos) of each scrolling axis with an extent; the bands of
    // the clip box outside it get the background.
    RECT bands[4];
    int count = 0;
    if (flags & KWF_VSCROLL) {
        if (item->yExtent > 0) {
            bands[count++] = {clip.left, clip.top, clip.right, -item->yPos};
            bands[count++] = {clip.left, item->yExtent - item->yPos, clip.right, clip.bottom};
        } else {
            bands[count++] = clip;
        }
    }
    if (flags & KWF_HSCROLL) {
        if (item->xExtent > 0) {
            bands[count++] = {clip.left, clip.top, -item->xPos, clip.bottom};
            bands[count++] = {item->xExtent - item->xPos, clip.top, clip.right, clip.bottom};
        } else {
            bands[count++] = clip;
        }
    }
    for (int i = 0; i < count; i++) {
        RECT band;
        if (IntersectRect(&band, &bands[i], &clip))
            background->Draw(canvas, band, nullptr);
    }
}

void CKWindow::DrawScrollIndicators(CKCanvas* canvas)
{
    RECT client;
    if (!GetClientRect(&client))
        return;
    const int w = client.right;
    const int h = client.bottom;
    RECT thumbs[2];
    int count = 0;
    if ((flags & KWF_VSCROLL) && item->yExtent > h) {
        const int length = Longer(h * h / item->yExtent, INDICATOR_MIN_LENGTH);
        const int top = (int)((long long)(h - length) * item->yPos / (item->yExtent - h));
        const int left = (flags & KWF_VINDICATOR_LEFT) ? 0 : w - INDICATOR_THICKNESS;
        thumbs[count++] = {left, top, left + INDICATOR_THICKNESS, top + length};
    }
    if ((flags & KWF_HSCROLL) && item->xExtent > w) {
        const int length = Longer(w * w / item->xExtent, INDICATOR_MIN_LENGTH);
        const int left = (int)((long long)(w - length) * item->xPos / (item->xExtent - w));
        const int top = (flags & KWF_HINDICATOR_TOP) ? 0 : h - INDICATOR_THICKNESS;
        thumbs[count++] = {left, top, left + length, top + INDICATOR_THICKNESS};
    }
    if (!count)
        return;
    canvas->SetBrushColor(INDICATOR_COLOR);
    for (int i = 0; i < count; i++) {
        RECT thumb;
        if (IntersectRect(&thumb, &thumbs[i], &client))
            canvas->FillRoundRect(thumb, INDICATOR_ROUND, INDICATOR_ROUND, KCORNER_ALL);
    }
}

// ---- Frame --------------------------------------------------------------------------------------

void CKWindow::CalcFrame(RECT* rect) const
{
    int insetX, insetY;
    if (!FrameInsets(&insetX, &insetY))
        return;
    rect->left += insetX;
    rect->right -= insetX;
    rect->top += insetY;
    rect->bottom -= insetY;
}

void CKWindow::PaintFrame()
{
    HDC back = GetBackBufferDC();
    CKImgList* image = FrameImage();
    RECT outer, inner, cell;
    if (!item || !back || !image || !GetWindowRect(item->hwnd, &outer)
        || !image->GetCellRect((flags & KWF_FOCUSED) ? FRAME_CELL_FOCUSED : FRAME_CELL_NORMAL,
                               &cell))
        return;
    HWND hwnd = item->hwnd;
    MapWindowPoints(nullptr, GetRootItem()->hwnd, (POINT*)&outer, 2);
    ::GetClientRect(hwnd, &inner);
    ClientToRoot(&inner);

    CKCanvas canvas;
    canvas.Bind(back);
    PaintBeneath(&canvas, outer);
    const POINT origin = {0, 0};
    ClipTo(back, outer, origin);
    int insetX = 0, insetY = 0;
    FrameInsets(&insetX, &insetY);
    const int insets[KPATCH_VALUES] = {insetX, insetY, insetX, insetY, 0, 0};
    DrawNinePatch(&canvas, outer, image, cell, insets, 0, KPATCH_CENTRED, KPATCH_CENTRED);
    canvas.Unbind();
    Unclip(back);

    // The four strips between the window rect and the client rect, in window-DC coordinates.
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int left = inner.left - outer.left;
    const int top = inner.top - outer.top;
    const int right = inner.right - outer.left;
    const int bottom = inner.bottom - outer.top;
    const RECT strips[4] = {
        {0, 0, width, top}, {0, top, left, bottom}, {right, top, width, bottom},
        {0, bottom, width, height}};
    HDC dc = GetWindowDC(hwnd);
    if (!dc)
        return;
    for (const RECT& strip : strips)
        if (strip.right > strip.left && strip.bottom > strip.top)
            BitBlt(dc, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top,
                   back, outer.left + strip.left, outer.top + strip.top, SRCCOPY);
    ReleaseDC(hwnd, dc);
}
