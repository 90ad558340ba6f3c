// CKListDialog: a list box in a dialog box that closes as soon as a row is tapped and reports the
// row's index to its owner (2593, param = the index). The owner fills the list when it receives
// 2592 (param = the list box); a subclass fills it in OnInitList (CKPopMenuDialog). Created,
// initialised (InitDialog), given an owner and shown by its user; the framework owns it once
// shown (dialogs/CKDialog.h).
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
    // After the base: a tap on a row of the list (1281 from list 1000) becomes OnItemClick.
    int OnNotify(int id, int code, INT_PTR param) override;

    // ---- List dialog slots 40-41 ----
    // The list has its window and the owner has had 2592; the base adds nothing.
    virtual void OnInitList(CKListBox* list);
    // Close(2593, index).
    virtual void OnItemClick(int index);

    CKListBox* GetList() { return container.GetList(); }
    CKListDlgContainer* GetListContainer() { return &container; }

private:
    CKListDlgContainer container;   // owned (a member)
};
