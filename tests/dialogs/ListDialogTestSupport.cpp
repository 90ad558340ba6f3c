// Rows of list dialogs for the tests' pointer.
#include "ListDialogTestSupport.h"

#include "KViewTestSupport.h"

POINT RowCentre(CKListDialog* dialog, int index)
{
    RECT rect;
    if (!dialog->GetList()->GetItemRect(index, &rect))
        return POINT{-1, -1};
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    MapWindowPoints(dialog->GetList()->GetHwnd(), dialog->GetHwnd(), &centre, 1);
    return centre;
}

void TapRow(CKListDialog* dialog, int index)
{
    const POINT centre = RowCentre(dialog, index);
    KViewPointer pointer(dialog);
    pointer.Tap(centre.x, centre.y);
}

CKListDialog* CurrentListDialog()
{
    CKView* view = GetCurrentView();
    return view && view->IsKindOf(K_RUNTIME_CLASS(CKListDialog)) ? (CKListDialog*)view : nullptr;
}
