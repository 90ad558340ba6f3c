// CKToastDialog: a short message without title or buttons, shown for a fixed time near the
// bottom, in the middle or near the top of the page; a tap outside closes it early. The library
// keeps at most one toast at a time (ShowToast replaces the visible one at once). A toast has no
// owner; its close code is 0.
//
// References: ShowToast gives the toast two, one for the single toast slot (dropped when the
// toast ends) and one for its timed close (dropped when that runs, even if the toast was closed
// before by a newer one or a tap).
#pragma once
#include "dialogs/CKDialog.h"
#include "dialogs/CKToastContainer.h"

// Placements of a toast.
constexpr int KTOAST_BOTTOM = 0;   // near the bottom (also any unknown value)
constexpr int KTOAST_CENTRE = 1;   // centred
constexpr int KTOAST_TOP = 2;      // near the top

class CKToastDialog : public CKDialog
{
    K_DECLARE_CLASS(CKToastDialog)
public:
    CKToastDialog() = default;

    CKContainer* GetContainer() override { return &container; }
    // Centred across; vertically by the placement, 40 base units from the top or bottom.
    void GetDialogPosition(const SIZE& size, POINT& pos) override;
    // The base, then the slot's reference goes (and the slot is cleared when it still holds this
    // toast).
    void EndDialog(int code, INT_PTR param) override;

    void SetText(const wchar_t* text) { container.GetLabel()->SetText(text); }
    void SetPlacement(int where) { placement = where; }
    int GetPlacement() const { return placement; }
    CKToastContainer* GetToastContainer() { return &container; }

private:
    friend int ShowToast(const wchar_t* text, int duration, int placement);

    CKToastContainer container;   // owned (a member)
    int placement = KTOAST_BOTTOM;
    bool slotted = false;         // holds the toast slot's reference
};

// Closes the visible toast, then shows `text` for `duration` milliseconds at `placement`.
// 1 when it is shown.
int ShowToast(const wchar_t* text, int duration, int placement);
// The visible toast, or none.
CKToastDialog* GetCurrentToast();
