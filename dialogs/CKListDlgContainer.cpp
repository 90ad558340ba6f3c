// CKListDlgContainer: creating, measuring and placing a list dialog's list.
#include "dialogs/CKListDlgContainer.h"

#include "dialogs/CKListDialog.h"
#include "foundation/KDevMetrics.h"
#include "graphics/KDrawableRegistry.h"

K_IMPLEMENT_CLASS(CKListDlgContainer, CKDlgContainer)

namespace {

constexpr char DLG_FILE[] = "res/DrawableDlg.xml";
// Group rows; a tap anywhere on a row with a box toggles the box (check items of a menu).
constexpr unsigned int LIST_STYLE = KLBS_GROUP | KLBS_TAP_TOGGLES;
// Ready to repaint, a tab stop, scrolling vertically; not opaque: the content band shows beside it.
constexpr unsigned int LIST_FLAGS = KWF_REPAINT_ON_CHANGE | KWF_TABSTOP | KWF_VSCROLL;
// Default row height in base units (horizontal resolution).
constexpr int ROW_HEIGHT_UNITS = 24;

} // namespace

int CKListDlgContainer::OnCreate()
{
    if (!CKDlgContainer::OnCreate())
        return 0;
    if (list.GetHwnd())
        return 1;
    if (!list.GetFaceDrawable())
        list.SetFaceDrawable(GetDrawable(DLG_FILE, "DefDlgListFace"));
    if (!list.GetText1Drawable())
        list.SetText1Drawable(GetDrawable(DLG_FILE, "DefDlgListText"));
    if (!list.GetGroupItemFaceDrawable())
        list.SetGroupItemFaceDrawable(GetDrawable(DLG_FILE, "DefDlgListGroupItemFace"));
    if (!list.GetGroupItemTextDrawable())
        list.SetGroupItemTextDrawable(GetDrawable(DLG_FILE, "DefDlgListGroupItemText"));
    list.SetDefaultItemHeight(UnitToPixels(ROW_HEIGHT_UNITS, 1));
    if (!list.Create(LIST_STYLE, KDLG_LIST_ID, this, LIST_FLAGS))
        return 0;
    list.SetBackground(nullptr);
    if (view && view->IsKindOf(K_RUNTIME_CLASS(CKDialog))) {
        CKDialog* dialog = (CKDialog*)view;
        if (CKWindow* owner = dialog->GetOwner())
            owner->OnNotify(dialog->GetDialogId(), KDLG_LIST_READY, (INT_PTR)&list);
        if (dialog->IsKindOf(K_RUNTIME_CLASS(CKListDialog)))
            ((CKListDialog*)dialog)->OnInitList(&list);
    }
    return 1;
}

int CKListDlgContainer::CalcSize(SIZE& size)
{
    if (maxWidth >= 1 && maxHeight >= 1)
        return CKDlgContainer::CalcSize(size);
    int rows = 0;
    for (int i = 0; i < list.GetCount(); i++)
        rows += list.GetItem(i)->height;
    size.cx = LimitMessageWidth(size.cx);
    if (size.cy > rows)
        size.cy = rows;
    return 1;
}

void CKListDlgContainer::OnSize()
{
    CKDlgContainer::OnSize();
    list.Move(GetInsetRect(0));
}

int CKListDlgContainer::OnNotify(int notifyId, int code, INT_PTR param)
{
    if (notifyId == KDLG_LIST_ID && view)
        return view->OnNotify(notifyId, code, param);
    return CKDlgContainer::OnNotify(notifyId, code, param);
}
