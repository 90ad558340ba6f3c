// CKListDialog: a list box in a dialog box that closes as soon as a row is tapped and reports the
// row's index to its owner (KDLG_LIST_ITEM, param = the index). The owner fills the list when it
// receives KDLG_LIST_READY (param = the list box); a subclass fills it in OnInitList
// (CKPopMenuDialog). Created, initialised (InitDialog), given an owner and shown by its user; the
// framework owns it once shown (dialogs/CKDialog.h).
#pragma once
#include "dialogs/CKDialog.h"
#include "dialogs/CKListDlgContainer.h"

// Outcome of a list dialog: a row was tapped; param = its index.
constexpr int KDLG_LIST_ITEM = 2593;

class CKListDialog : public CKDialog
{
    K_DECLARE_DYNCREATE(CKListDialog)
public:
    CKListDialog() = default;

    CKContainer* GetContainer() override { return &container; }
    // The list bands ("DefDlgListTop", "DefDlgListMiddle", "DefDlgListBottom") into the empty band
    // slots, then the base.
    int OnCreate() override;
    // After the base: a tap on a row of the list (KNOTIFY_LB_TAP from list KDLG_LIST_ID) becomes
    // OnItemClick.
    int OnNotify(int id, int code, INT_PTR param) override;

    // ---- List dialog slots ----
    // The list has its window and the owner has had KDLG_LIST_READY; the base adds nothing.
    virtual void OnInitList(CKListBox* list);
    // Close(KDLG_LIST_ITEM, index).
    virtual void OnItemClick(int index);

    CKListBox* GetList() { return container.GetList(); }
    CKListDlgContainer* GetListContainer() { return &container; }

private:
    CKListDlgContainer container;   // owned (a member)
};
