// CKListDialog: the list bands and the tap that closes the dialog.
#include "dialogs/CKListDialog.h"

#include "graphics/CKFaceDrawable.h"
#include "graphics/KDrawableSlot.h"

K_IMPLEMENT_DYNCREATE(CKListDialog, CKDialog)

namespace {

constexpr char DLG_FILE[] = "res/DrawableDlg.xml";

} // namespace

int CKListDialog::OnCreate()
{
    KLoadDrawable(top, DLG_FILE, "DefDlgListTop", K_RUNTIME_CLASS(CKFaceDrawable));
    KLoadDrawable(middle, DLG_FILE, "DefDlgListMiddle", K_RUNTIME_CLASS(CKFaceDrawable));
    KLoadDrawable(bottom, DLG_FILE, "DefDlgListBottom", K_RUNTIME_CLASS(CKFaceDrawable));
    return CKDialog::OnCreate();
}

int CKListDialog::OnNotify(int notifyId, int code, INT_PTR param)
{
    if (CKDialog::OnNotify(notifyId, code, param))
        return 1;
    if (notifyId != KDLG_LIST_ID || code != KNOTIFY_LB_TAP)
        return 0;
    OnItemClick((int)param);
    return 1;
}

void CKListDialog::OnInitList(CKListBox*) {}

void CKListDialog::OnItemClick(int index)
{
    Close(KDLG_LIST_ITEM, index);
}
