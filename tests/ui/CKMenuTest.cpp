// CKMenu: the item array a pop-up menu is filled from, with its copied texts and counted submenus.
#include <gtest/gtest.h>

#include "ui/CKMenu.h"

TEST(CKMenu, ItemsKeepACopyOfTheirTextAndAReferenceOnTheirSubmenu)
{
    CKMenu* menu = new CKMenu();
    CKMenu* submenu = new CKMenu();
    submenu->EnableRefCount();
    submenu->AddRef();
    wchar_t text[] = L"Sort";
    EXPECT_EQ(menu->AddItem(3001, KMENU_RADIO | KMENU_CHECKED, text, nullptr), 0);
    EXPECT_EQ(menu->AddItem(3002, KMENU_SUBMENU, L"More", submenu), 1);
    EXPECT_EQ(menu->AddItem(3003, KMENU_HEADER, nullptr, nullptr), 2);
    text[0] = L'X';
    EXPECT_EQ(submenu->GetRefCount(), 2);
    ASSERT_EQ(menu->GetCount(), 3);
    const KMenuItem* first = menu->GetItem(0);
    EXPECT_EQ(first->command, 3001u);
    EXPECT_EQ(first->flags, KMENU_RADIO | KMENU_CHECKED);
    EXPECT_STREQ(first->text, L"Sort");
    EXPECT_EQ(first->submenu, nullptr);
    EXPECT_EQ(menu->GetItem(1)->submenu, submenu);
    EXPECT_STREQ(menu->GetItem(2)->text, L"") << "no text is an empty text";
    EXPECT_EQ(menu->GetItem(3), nullptr);
    EXPECT_EQ(menu->GetItem(-1), nullptr);

    // Many items: the array grows and keeps them in order.
    for (int i = 0; i < 20; i++)
        menu->AddItem(4000 + i, 0, L"Item", nullptr);
    EXPECT_EQ(menu->GetCount(), 23);
    EXPECT_EQ(menu->GetItem(22)->command, 4019u);

    delete menu;
    EXPECT_EQ(submenu->GetRefCount(), 1) << "the menu released its submenu";
    submenu->Release();
}

TEST(CKMenu, IsCreatableByItsClassRecord)
{
    CKObject* object = CKObject::CreateObject(K_RUNTIME_CLASS(CKMenu));
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(K_RUNTIME_CLASS(CKMenu)));
    EXPECT_EQ(((CKMenu*)object)->GetCount(), 0);
    delete object;
}

TEST(CKMenu, FindItemGivesTheFirstItemWithTheCommand)
{
    CKMenu menu;
    EXPECT_EQ(menu.FindItem(7), nullptr) << "an empty menu";
    menu.AddItem(7, KMENU_CHECK, L"First", nullptr);
    menu.AddItem(8, 0, L"Other", nullptr);
    menu.AddItem(7, 0, L"Second", nullptr);
    ASSERT_NE(menu.FindItem(7), nullptr);
    EXPECT_STREQ(menu.FindItem(7)->text, L"First");
    EXPECT_EQ(menu.FindItem(8), menu.GetItem(1));
    EXPECT_EQ(menu.FindItem(9), nullptr);
    // The item found is the menu's own: an owner's update shows in the menu.
    menu.FindItem(8)->flags |= KMENU_DISABLED;
    EXPECT_EQ(menu.GetItem(1)->flags, KMENU_DISABLED);
}
