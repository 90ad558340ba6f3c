// CKToastDialog: placement, the single toast slot and the timed close.
#include "dialogs/CKToastDialog.h"

#include "foundation/KDevMetrics.h"
#include "ui/KTimer.h"

K_IMPLEMENT_CLASS(CKToastDialog, CKDialog)

namespace {

// Distance of a toast from the top or the bottom of the page, in base units.
constexpr int TOAST_DISTANCE_UNITS = 40;

CKToastDialog* g_currentToast;   // the slot: its reference is the toast's `slotted` one

// The timed close: closes the toast (nothing when it is closed already) and lets its reference go.
void CloseToastCall(INT_PTR toast, INT_PTR, INT_PTR)
{
    CKToastDialog* dialog = (CKToastDialog*)toast;
    dialog->Close(0, 0);
    dialog->Release();
}

} // namespace

void CKToastDialog::GetDialogPosition(const SIZE& size, POINT& pos)
{
    RECT view = {0, 0, 0, 0};
    GetClientRect(&view);
    pos.x = view.left + (view.right - view.left - size.cx) / 2;
    const int distance = UnitToPixels(TOAST_DISTANCE_UNITS, 1);
    switch (placement) {
    case KTOAST_CENTRE:
        pos.y = view.top + (view.bottom - view.top - size.cy) / 2;
        break;
    case KTOAST_TOP:
        pos.y = view.top + distance;
        break;
    default:
        pos.y = view.bottom - distance - size.cy;
        break;
    }
}

void CKToastDialog::EndDialog(int code, INT_PTR param)
{
    CKDialog::EndDialog(code, param);
    if (g_currentToast == this)
        g_currentToast = nullptr;
    if (slotted) {
        slotted = false;
        Release();
    }
}

int ShowToast(const wchar_t* text, int duration, int placement)
{
    if (CKToastDialog* old = g_currentToast) {
        g_currentToast = nullptr;
        old->Close(0, 0);
    }
    CKToastDialog* toast = new CKToastDialog();
    if (!toast)
        return 0;
    toast->AddRef();   // becomes the slot's reference once the toast is shown
    if (!toast->InitDialog(nullptr, nullptr, nullptr, nullptr)) {
        toast->Release();
        return 0;
    }
    toast->SetText(text);
    toast->SetPlacement(placement);
    toast->SetCancelOnOutsideTap(true);
    if (!toast->Show()) {
        toast->Release();
        return 0;
    }
    g_currentToast = toast;
    toast->slotted = true;
    toast->AddRef();   // the timed close's
    if (!PostCall((INT_PTR)toast, 0, 0, CloseToastCall, duration))
        toast->Release();
    return 1;
}

CKToastDialog* GetCurrentToast()
{
    return g_currentToast;
}
