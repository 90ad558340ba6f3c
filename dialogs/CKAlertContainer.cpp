// CKAlertContainer: measuring and placing an alert's message.
#include "dialogs/CKAlertContainer.h"

#include "foundation/KDevMetrics.h"
#include "graphics/KDrawableRegistry.h"

K_IMPLEMENT_CLASS(CKAlertContainer, CKDlgContainer)

namespace {

// An alert's margin and the least height of its message, in base units.
constexpr int ALERT_MARGIN_UNITS = 8;
constexpr int ALERT_MIN_HEIGHT_UNITS = 24;
// Window flags of the message label.
constexpr unsigned int LABEL_FLAGS = KWF_REPAINT_ON_CHANGE;

} // namespace

CKAlertContainer::CKAlertContainer() : CKAlertContainer(ALERT_MARGIN_UNITS, ALERT_MIN_HEIGHT_UNITS)
{
}

CKAlertContainer::CKAlertContainer(int marginUnits, int minHeightUnits)
    : marginUnits(marginUnits), minHeightUnits(minHeightUnits)
{
}

int CKAlertContainer::OnCreate()
{
    if (!CKDlgContainer::OnCreate())
        return 0;
    if (!label.GetHwnd()) {
        if (!label.GetTextDrawable())
            label.SetTextDrawable(GetDrawable("res/DrawableDlg.xml", "DefDlgAlertText"));
        label.Create(KDLG_MESSAGE_STYLE, KDLG_MESSAGE_ID, this, LABEL_FLAGS);
    }
    return 1;
}

int CKAlertContainer::CalcSize(SIZE& size)
{
    CKDlgContainer::CalcSize(size);
    const int margin = UnitToPixels(marginUnits, 0);
    const int minHeight = UnitToPixels(minHeightUnits, 0);
    const int width = LimitMessageWidth(size.cx);
    const int height = MeasureHeight(&label, width - 2 * margin);
    size.cx = width;
    size.cy = (height > minHeight ? height : minHeight) + 2 * margin;
    return 1;
}

void CKAlertContainer::OnSize()
{
    CKDlgContainer::OnSize();
    label.Move(GetInsetRect(UnitToPixels(marginUnits, 0)));
}
