// CKMenu: the item array of a menu, its texts and its submenu references.
#include "ui/CKMenu.h"

#include "foundation/KMemory.h"
#include "foundation/KText.h"

K_IMPLEMENT_DYNCREATE(CKMenu, CKObject)

namespace {

// The item array grows this many items at a time.
constexpr int MENU_GROWTH = 8;

} // namespace

CKMenu::CKMenu() : items(sizeof(KMenuItem), MENU_GROWTH) {}

CKMenu::~CKMenu()
{
    items.RemoveAll(FreeItem, nullptr);
}

void CKMenu::FreeItem(void* record, void*)
{
    KMenuItem* menuItem = (KMenuItem*)record;
    KFree(menuItem->text);
    if (menuItem->submenu)
        menuItem->submenu->Release();
}

int CKMenu::AddItem(unsigned int command, unsigned int flags, const wchar_t* text, CKMenu* submenu)
{
    wchar_t* copy = KStrDupW(text ? text : L"");
    if (!copy)
        return -1;
    KMenuItem* menuItem = (KMenuItem*)items.Add();
    if (!menuItem) {
        KFree(copy);
        return -1;
    }
    menuItem->command = command;
    menuItem->flags = flags;
    menuItem->text = copy;
    menuItem->submenu = submenu;
    if (submenu)
        submenu->AddRef();
    return items.GetCount() - 1;
}

KMenuItem* CKMenu::FindItem(unsigned int command) const
{
    for (int i = 0; i < items.GetCount(); i++) {
        KMenuItem* menuItem = GetItem(i);
        if (menuItem->command == command)
            return menuItem;
    }
    return nullptr;
}
