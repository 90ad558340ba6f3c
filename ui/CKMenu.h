// CKMenu: a small tree of command items that a pop-up menu lists; its owner window updates the
// items (OnInitMenu / OnUpdateMenuItem) before the menu shows and receives the chosen command.
#pragma once
#include <windows.h>

#include "foundation/CKArray.h"
#include "foundation/CKObject.h"

class CKMenu;

// Menu item flags.
constexpr unsigned int KMENU_CHECK = 0x1;      // check item
constexpr unsigned int KMENU_RADIO = 0x2;      // radio item
constexpr unsigned int KMENU_SUBMENU = 0x4;    // opens its submenu
constexpr unsigned int KMENU_HEADER = 0x8;     // group header, not selectable
constexpr unsigned int KMENU_CHECKED = 0x10;   // checked
constexpr unsigned int KMENU_DISABLED = 0x20;  // cannot be chosen

// One menu item, held by value in the menu's array.
struct KMenuItem
{
    unsigned int command;   // delivered to the owner when chosen
    unsigned int flags;     // KMENU_* bits
    CKMenu* submenu;        // counted, or none
    wchar_t* text;          // owned copy
};

// The menu owns each item's text and holds one reference on each submenu; both go when the menu
// is deleted.
class CKMenu : public CKObject
{
    K_DECLARE_DYNCREATE(CKMenu)
public:
    CKMenu();
    ~CKMenu() override;

    // Appends an item with a copy of `text` (none: empty) and a reference on `submenu`; returns
    // its index, or -1 when memory ran out (nothing is kept then).
    int AddItem(unsigned int command, unsigned int flags, const wchar_t* text, CKMenu* submenu);
    int GetCount() const { return items.GetCount(); }
    // The item at `index`, or none outside 0..count-1. Pointers are invalidated by AddItem.
    KMenuItem* GetItem(int index) const { return (KMenuItem*)items.GetAt(index); }
    // The first item with `command`, or none: an owner's OnUpdateMenuItem finds the item it
    // updates so. Same validity as GetItem.
    KMenuItem* FindItem(unsigned int command) const;

private:
    static void FreeItem(void* item, void* context);

    CKArray items;   // KMenuItem records
};
