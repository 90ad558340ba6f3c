// CKListDlgContainer: the content of a list dialog (CKListDialog) and of a pop-up menu: one list
// box in group mode that fills it. When its window is created it tells the dialog's owner that the
// list is ready to be filled (KDLG_LIST_READY) and lets a list dialog fill it (OnInitList); the
// list's notifications are passed on to the dialog.
#pragma once
#include "controls/CKListBox.h"
#include "dialogs/CKDlgContainer.h"

// Window id of the list.
constexpr int KDLG_LIST_ID = 1000;
// To the dialog's owner when the list has its window and is still empty; param = the list box.
constexpr int KDLG_LIST_READY = 2592;

class CKListDlgContainer : public CKDlgContainer
{
    K_DECLARE_CLASS(CKListDlgContainer)
public:
    CKListDlgContainer() = default;

    // After the base: the dialog list looks into the list's empty slots, the list's window (no
    // background, rows 24 units high), then KDLG_LIST_READY to the owner and the list dialog's
    // OnInitList.
    int OnCreate() override;
    // The base clamp when a maximum is set; otherwise the width is limited to four fifths of the
    // screen's smaller side and the height to the sum of the row heights. Returns 1.
    int CalcSize(SIZE& size) override;
    // The list fills the container.
    void OnSize() override;
    // The list's notifications go on to the dialog (its taps close a list dialog).
    int OnNotify(int id, int code, INT_PTR param) override;

    CKListBox* GetList() { return &list; }

private:
    CKListBox list;   // owned (a member)
};
