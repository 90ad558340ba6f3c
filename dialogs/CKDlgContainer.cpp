// CKDlgContainer: the size limit of a dialog's content.
#include "dialogs/CKDlgContainer.h"

#include "foundation/KDevMetrics.h"

K_IMPLEMENT_CLASS(CKDlgContainer, CKContainer)

int CKDlgContainer::CalcSize(SIZE& size)
{
    if (maxWidth >= 1 && maxHeight >= 1) {
        if (size.cx > maxWidth)
            size.cx = maxWidth;
        if (size.cy > maxHeight)
            size.cy = maxHeight;
    }
    return 1;
}

void CKDlgContainer::SetMaxSize(int width, int height)
{
    maxWidth = width;
    maxHeight = height;
}

int CKDlgContainer::LimitMessageWidth(int width)
{
    const int cx = GetDevMetric(CxScreen);
    const int cy = GetDevMetric(CyScreen);
    const int limit = (cx < cy ? cx : cy) * 4 / 5;
    return width < limit ? width : limit;
}

int CKDlgContainer::MeasureHeight(CKWindow* window, int width)
{
    SIZE size = {width > 0 ? width : 0, 0};
    window->CalcSize(size);
    return size.cy;
}

RECT CKDlgContainer::GetInsetRect(int margin) const
{
    RECT rect = {0, 0, 0, 0};
    GetClientRect(&rect);
    InflateRect(&rect, -margin, -margin);
    if (rect.right < rect.left)
        rect.right = rect.left;
    if (rect.bottom < rect.top)
        rect.bottom = rect.top;
    return rect;
}
