// CKPopMenuDialog: a pop-up menu, the list dialog filled from a CKMenu. Before it fills its list
// the owner updates the items (OnInitMenu); a tap on a row closes it with KDLG_CANCEL and the
// chosen item as param (0 after the back key), and 100 ms later the owner receives the item's
// command as OnCommand - or, for a submenu item, the submenu opens as a fresh pop-up menu of the
// same class.
//
// Ownership: the dialog holds one reference on its menu; the rows borrow the items' texts and keep
// the items as user data, so the menu must not change while the dialog shows. The owner is
// borrowed and must outlive the deferred command.
#pragma once
#include "dialogs/CKListDialog.h"

class CKMenu;
struct KMenuItem;

// Milliseconds between the end of a menu and the owner's command (or the submenu's opening).
constexpr int KMENU_COMMAND_DELAY_MS = 100;

class CKPopMenuDialog : public CKListDialog
{
    K_DECLARE_DYNCREATE(CKPopMenuDialog)
public:
    CKPopMenuDialog() = default;
    // Releases the menu.
    ~CKPopMenuDialog() override;

    // After the base: with an item chosen and an owner, the deferred command or submenu.
    void EndDialog(int code, INT_PTR param) override;
    // The owner's OnInitMenu, then one row per item: the item's text (borrowed) with the box at
    // the right - a header row for a header item, else a check, radio or arrow box by the item's
    // kind - checked and disabled as the item is, the item as user data, as high as its content.
    // When anchored, the container's maximum becomes the widest row by the sum of the heights.
    void OnInitList(CKListBox* list) override;
    // Close(KDLG_CANCEL, the row's item). Header rows and disabled items are not choices: a tap on
    // one (or the confirm key on it) leaves the menu open.
    void OnItemClick(int index) override;

    // Releases the previous menu and keeps a reference on `menu` (none: no menu).
    void SetMenu(CKMenu* menu);
    CKMenu* GetMenu() const { return menu; }

private:
    CKMenu* menu = nullptr;   // counted
};

// Opens `menu` as a pop-up menu of class `dialogClass` (a CKPopMenuDialog or a subclass; none:
// CKPopMenuDialog) for `owner`: no title, no buttons, centred. The caller's reference on `menu` is
// released either way. 1 when the menu shows, 0 otherwise.
int OpenPopMenu(CKWindow* owner, CKMenu* menu, const KRuntimeClass* dialogClass);
