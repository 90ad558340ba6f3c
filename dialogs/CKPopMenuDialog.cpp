// CKPopMenuDialog: filling the list from the menu, the choice, and the deferred command or submenu.
#include "dialogs/CKPopMenuDialog.h"

#include "graphics/CKStateBoxDrawable.h"
#include "ui/CKMenu.h"
#include "ui/KTimer.h"

K_IMPLEMENT_DYNCREATE(CKPopMenuDialog, CKListDialog)

namespace {

// Every row borrows its item's text and has its box at the right.
constexpr unsigned int ROW_FLAGS = KLI_BORROWED_TEXT | KLI_BOX_RIGHT;

// The row flags of a menu item.
unsigned int RowFlags(const KMenuItem* menuItem)
{
    unsigned int rowFlags = ROW_FLAGS;
    if (menuItem->flags & KMENU_HEADER)
        rowFlags |= KLI_HEADER;
    else if (menuItem->flags & KMENU_CHECK)
        rowFlags |= KBOX_CHECK;
    else if (menuItem->flags & KMENU_RADIO)
        rowFlags |= KBOX_RADIO;
    else if (menuItem->flags & KMENU_SUBMENU)
        rowFlags |= KBOX_SUBVIEW;   // the arrow towards the submenu
    if (menuItem->flags & KMENU_CHECKED)
        rowFlags |= KSTATE_CHECKED;
    if (menuItem->flags & KMENU_DISABLED)
        rowFlags |= KSTATE_DISABLED;
    return rowFlags;
}

// Deferred: the owner's command.
void SendCommand(INT_PTR owner, INT_PTR command, INT_PTR)
{
    ((CKWindow*)owner)->OnCommand((int)command);
}

// Deferred: the submenu opens; OpenPopMenu takes over the reference the menu's end took.
void OpenSubmenu(INT_PTR owner, INT_PTR submenu, INT_PTR dialogClass)
{
    OpenPopMenu((CKWindow*)owner, (CKMenu*)submenu, (const KRuntimeClass*)dialogClass);
}

} // namespace

CKPopMenuDialog::~CKPopMenuDialog()
{
    SetMenu(nullptr);
}

void CKPopMenuDialog::SetMenu(CKMenu* newMenu)
{
    // The new reference first: setting the same menu again must not free it.
    if (newMenu)
        newMenu->AddRef();
    if (menu)
        menu->Release();
    menu = newMenu;
}

void CKPopMenuDialog::OnInitList(CKListBox* list)
{
    if (!menu)
        return;
    if (CKWindow* owner = GetOwner())
        owner->OnInitMenu(menu);
    list->SetRedraw(0);
    list->RemoveAllItems();
    int widest = 0;
    int height = 0;
    for (int i = 0; i < menu->GetCount(); i++) {
        KMenuItem* menuItem = menu->GetItem(i);
        const int row = list->AddItem(RowFlags(menuItem));
        if (row < 0)
            break;
        list->SetItemText(row, menuItem->text, -1, nullptr, 0);
        list->SetItemData(row, (INT_PTR)menuItem);
        SIZE size = {0, 0};
        list->CalcItemSize(row, size);
        list->SetItemHeight(row, size.cy);
        if (size.cx > widest)
            widest = size.cx;
        height += list->GetItem(row)->height;
    }
    if (anchorMode != KDLG_CENTRED)
        GetListContainer()->SetMaxSize(widest, height);
    list->SetRedraw(1);
}

void CKPopMenuDialog::OnItemClick(int index)
{
    const KMenuItem* menuItem = (const KMenuItem*)GetList()->GetItemData(index);
    if (!menuItem || (menuItem->flags & (KMENU_HEADER | KMENU_DISABLED)))
        return;
    Close(KDLG_CANCEL, (INT_PTR)menuItem);
}

void CKPopMenuDialog::EndDialog(int code, INT_PTR param)
{
    CKListDialog::EndDialog(code, param);
    CKWindow* owner = GetOwner();
    const KMenuItem* menuItem = (const KMenuItem*)param;
    if (!menuItem || !owner)
        return;
    if ((menuItem->flags & KMENU_SUBMENU) && menuItem->submenu) {
        CKMenu* submenu = menuItem->submenu;
        submenu->AddRef();
        if (!PostCall((INT_PTR)owner, (INT_PTR)submenu, (INT_PTR)GetRuntimeClass(), OpenSubmenu,
                      KMENU_COMMAND_DELAY_MS))
            submenu->Release();
        return;
    }
    PostCall((INT_PTR)owner, (INT_PTR)menuItem->command, 0, SendCommand, KMENU_COMMAND_DELAY_MS);
}

int OpenPopMenu(CKWindow* owner, CKMenu* menu, const KRuntimeClass* dialogClass)
{
    const KRuntimeClass* record = dialogClass ? dialogClass : K_RUNTIME_CLASS(CKPopMenuDialog);
    CKObject* object = CKObject::CreateObject(record);
    int shown = 0;
    if (object && object->IsKindOf(K_RUNTIME_CLASS(CKPopMenuDialog))) {
        CKPopMenuDialog* dialog = (CKPopMenuDialog*)object;
        dialog->AddRef();   // ours until the window tree holds it
        dialog->SetMenu(menu);
        if (dialog->InitDialog(nullptr, nullptr, nullptr, nullptr)) {
            dialog->SetOwner(owner);
            shown = dialog->Show();
        }
        dialog->Release();
    } else {
        delete object;
    }
    if (menu)
        menu->Release();
    return shown;
}
