// Pop-up menus: rows made from the menu after the owner updated it, a choice closing the menu with
// its item and reaching the owner as a command 100 ms later, disabled and header rows that are no
// choices, the back key without a command, and a submenu opening as a fresh menu of the same class.
#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "ListDialogTestSupport.h"
#include "dialogs/CKPopMenuDialog.h"
#include "graphics/CKStateBoxDrawable.h"
#include "ui/CKMenu.h"

namespace {

// Records commands and menu updates; checks the item whose command is `checkCommand`.
class CMenuOwner : public CDialogOwner
{
public:
    int OnCommand(int command) override
    {
        commands.push_back(command);
        return 1;
    }
    void OnUpdateMenuItem(CKMenu* menu, int command) override
    {
        updated.push_back(command);
        if (command == checkCommand)
            menu->FindItem((unsigned int)command)->flags |= KMENU_CHECKED;
    }

    std::vector<int> commands;
    std::vector<int> updated;
    int checkCommand = 0;
};

// A pop-up menu class of the tests' own, to see that submenus open with the parent's class.
class CTestPopMenu : public CKPopMenuDialog
{
    K_DECLARE_DYNCREATE(CTestPopMenu)
};
K_IMPLEMENT_DYNCREATE(CTestPopMenu, CKPopMenuDialog)

// Rows of the test menu.
enum
{
    ROW_HEADER,
    ROW_BY_NAME,
    ROW_BY_ARTIST,
    ROW_SHUFFLE,
    ROW_CLEAR,
    ROW_MORE,
    ROW_ABOUT,
    ROW_COUNT
};

// A counted menu with one reference for the caller.
CKMenu* NewMenu()
{
    CKMenu* menu = new CKMenu();
    menu->EnableRefCount();
    menu->AddRef();
    return menu;
}

// The test menu: a header, two radio items, a check item, a disabled item, a submenu, a plain one.
CKMenu* NewTestMenu(CKMenu* submenu)
{
    CKMenu* menu = NewMenu();
    menu->AddItem(0, KMENU_HEADER, L"Sort", nullptr);
    menu->AddItem(201, KMENU_RADIO, L"By name", nullptr);
    menu->AddItem(202, KMENU_RADIO | KMENU_CHECKED, L"By artist", nullptr);
    menu->AddItem(203, KMENU_CHECK, L"Shuffle", nullptr);
    menu->AddItem(204, KMENU_DISABLED, L"Clear", nullptr);
    menu->AddItem(205, KMENU_SUBMENU, L"More", submenu);
    menu->AddItem(206, 0, L"About", nullptr);
    return menu;
}

CKPopMenuDialog* CurrentMenu()
{
    CKView* view = GetCurrentView();
    return view && view->IsKindOf(K_RUNTIME_CLASS(CKPopMenuDialog)) ? (CKPopMenuDialog*)view
                                                                     : nullptr;
}

class PopMenuTest : public DialogTest
{
protected:
    // Opens `menu` (the caller keeps its own reference) for the owner.
    CKPopMenuDialog* Open(CKMenu* menu, const KRuntimeClass* dialogClass = nullptr)
    {
        menu->AddRef();   // OpenPopMenu takes this one
        EXPECT_EQ(OpenPopMenu(&menuOwner, menu, dialogClass), 1);
        return CurrentMenu();
    }
    bool WaitForMenuOutcome(int timeoutMs = 2000)
    {
        return PumpLikeLoopUntil([&] { return menuOwner.Find(KDLG_CANCEL) != nullptr; },
                                 timeoutMs);
    }

    CMenuOwner menuOwner;
};

} // namespace

TEST_F(PopMenuTest, RowsFollowTheItemsAfterTheOwnerUpdatedThem)
{
    CKMenu* menu = NewTestMenu(nullptr);
    menuOwner.checkCommand = 203;
    CKPopMenuDialog* dialog = Open(menu);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->GetMenu(), menu);
    EXPECT_EQ(menu->GetRefCount(), 2) << "ours and the dialog's: the call's reference went";
    EXPECT_EQ(dialog->GetTitleLabel(), nullptr);
    EXPECT_EQ(dialog->GetButton(1), nullptr);
    EXPECT_EQ(menuOwner.updated, (std::vector<int>{201, 202, 203, 204, 206}))
        << "every item but the header and the submenu";

    CKListBox* list = dialog->GetList();
    ASSERT_EQ(list->GetCount(), ROW_COUNT);
    const unsigned int row = KLI_BORROWED_TEXT | KLI_BOX_RIGHT | KLI_OWN_HEIGHT;
    const unsigned int expected[ROW_COUNT] = {
        row | KLI_HEADER,
        row | KBOX_RADIO,
        row | KBOX_RADIO | KSTATE_CHECKED,
        row | KBOX_CHECK | KSTATE_CHECKED,   // checked by the owner's update
        row | KSTATE_DISABLED,
        row | KBOX_SUBVIEW,
        row,
    };
    int height = 0;
    for (int i = 0; i < ROW_COUNT; i++) {
        const KListItem* item = list->GetItem(i);
        EXPECT_EQ(item->flags, expected[i]) << "row " << i;
        EXPECT_EQ(item->text1, menu->GetItem(i)->text) << "the row borrows the item's text";
        EXPECT_EQ(item->userData, (INT_PTR)menu->GetItem(i));
        SIZE size = {0, 0};
        list->CalcItemSize(i, size);
        EXPECT_EQ(item->height, size.cy) << "row " << i << " is as high as its content";
        height += size.cy;
    }
    // Centred: no maximum; the content is as high as the rows.
    EXPECT_EQ(dialog->GetListContainer()->GetMaxWidth(), 0);
    RECT content;
    ASSERT_TRUE(dialog->GetContainer()->GetClientRect(&content));
    EXPECT_EQ(content.bottom, height);

    // The back key: 2560 with no item, and no command follows.
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitForMenuOutcome());
    EXPECT_EQ(menuOwner.Find(KDLG_CANCEL)->param, 0);
    PumpLikeLoopUntil([] { return false; }, 250);
    EXPECT_TRUE(menuOwner.commands.empty());
    EXPECT_EQ(menu->GetRefCount(), 1) << "the ended dialog let go of the menu";
    menu->Release();
}

TEST_F(PopMenuTest, ChoiceClosesWithTheItemAndTheCommandFollowsLater)
{
    CKMenu* menu = NewTestMenu(nullptr);
    CKPopMenuDialog* dialog = Open(menu);
    ASSERT_TRUE(dialog);
    TapRow(dialog, ROW_ABOUT);
    ASSERT_TRUE(WaitForMenuOutcome());
    const DWORD closed = GetTickCount();
    EXPECT_EQ(menuOwner.Find(KDLG_CANCEL)->param, (INT_PTR)menu->GetItem(ROW_ABOUT));
    EXPECT_TRUE(menuOwner.commands.empty()) << "the command comes after the outcome";
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return !menuOwner.commands.empty(); }, 2000));
    EXPECT_GE((int)(GetTickCount() - closed), 60);
    EXPECT_EQ(menuOwner.commands, std::vector<int>{206});

    // A check item: the tap anywhere on it toggles its box, then it is chosen.
    menuOwner.notices.clear();
    menuOwner.commands.clear();
    dialog = Open(menu);
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(dialog->GetList()->GetItemCheck(ROW_SHUFFLE));
    dialog->AddRef();   // the tap may end the dialog before the check is looked at
    TapRow(dialog, ROW_SHUFFLE);
    EXPECT_TRUE(dialog->GetList()->GetItemCheck(ROW_SHUFFLE));
    ASSERT_TRUE(WaitForMenuOutcome());
    dialog->Release();
    EXPECT_EQ(menuOwner.Find(KDLG_CANCEL)->param, (INT_PTR)menu->GetItem(ROW_SHUFFLE));
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return !menuOwner.commands.empty(); }, 2000));
    EXPECT_EQ(menuOwner.commands, std::vector<int>{203});
    RunPostedLikeLoop();
    EXPECT_EQ(menu->GetRefCount(), 1);
    menu->Release();
}

TEST_F(PopMenuTest, DisabledAndHeaderRowsAreNoChoices)
{
    CKMenu* menu = NewTestMenu(nullptr);
    CKPopMenuDialog* dialog = Open(menu);
    ASSERT_TRUE(dialog);
    TapRow(dialog, ROW_CLEAR);
    TapRow(dialog, ROW_HEADER);
    PumpLikeLoopUntil([] { return false; }, 150);
    EXPECT_EQ(CurrentMenu(), dialog) << "the menu stays open";
    EXPECT_EQ(menuOwner.Find(KDLG_CANCEL), nullptr);
    // Even when a header row is reported as tapped, the menu stays.
    dialog->OnItemClick(ROW_HEADER);
    dialog->OnItemClick(ROW_CLEAR);
    dialog->OnItemClick(ROW_COUNT);   // no such row
    EXPECT_FALSE(dialog->IsClosing());
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitForMenuOutcome());
    EXPECT_EQ(menuOwner.Find(KDLG_CANCEL)->param, 0);
    PumpLikeLoopUntil([] { return false; }, 150);
    EXPECT_TRUE(menuOwner.commands.empty());
    menu->Release();
}

TEST_F(PopMenuTest, SubmenuOpensLaterAsAFreshCentredMenuOfTheSameClass)
{
    CKMenu* submenu = NewMenu();
    submenu->AddItem(301, 0, L"Equaliser", nullptr);
    submenu->AddItem(302, 0, L"Balance", nullptr);
    CKMenu* menu = NewTestMenu(submenu);
    EXPECT_EQ(submenu->GetRefCount(), 2);

    // An anchored menu of the tests' class: as wide as its widest row, as high as its rows.
    CTestPopMenu* dialog = new CTestPopMenu();
    dialog->AddRef();
    dialog->SetMenu(menu);
    ASSERT_EQ(dialog->InitDialog(nullptr, nullptr, nullptr, nullptr), 1);
    dialog->SetOwner(&menuOwner);
    dialog->SetAnchor(KDLG_TOPLEFT, POINT{10, 60});
    ASSERT_EQ(dialog->Show(), 1);
    dialog->Release();
    CKListBox* list = dialog->GetList();
    int widest = 0, height = 0;
    for (int i = 0; i < list->GetCount(); i++) {
        SIZE size = {0, 0};
        list->CalcItemSize(i, size);
        widest = size.cx > widest ? size.cx : widest;
        height += size.cy;
    }
    EXPECT_EQ(dialog->GetListContainer()->GetMaxWidth(), widest);
    EXPECT_EQ(dialog->GetListContainer()->GetMaxHeight(), height);
    RECT content;
    ASSERT_TRUE(dialog->GetContainer()->GetClientRect(&content));
    EXPECT_EQ(content.right, widest);
    EXPECT_EQ(content.bottom, height);

    TapRow(dialog, ROW_MORE);
    ASSERT_TRUE(WaitForMenuOutcome());
    EXPECT_EQ(menuOwner.Find(KDLG_CANCEL)->param, (INT_PTR)menu->GetItem(ROW_MORE));
    ASSERT_TRUE(PumpLikeLoopUntil([] { return CurrentMenu() != nullptr; }, 2000));
    CKPopMenuDialog* sub = CurrentMenu();
    EXPECT_TRUE(sub->IsKindOf(K_RUNTIME_CLASS(CTestPopMenu)));
    EXPECT_EQ(sub->GetMenu(), submenu);
    EXPECT_EQ(sub->GetOwner(), &menuOwner);
    EXPECT_EQ(submenu->GetRefCount(), 3) << "ours, the menu's item's and the new dialog's";
    ASSERT_EQ(sub->GetList()->GetCount(), 2);
    EXPECT_EQ(sub->GetListContainer()->GetMaxWidth(), 0) << "not anchored";
    RECT view;
    ASSERT_TRUE(sub->GetClientRect(&view));
    const RECT box = sub->GetFrame()->rect;
    EXPECT_EQ(box.left, (view.right - (box.right - box.left)) / 2) << "centred";
    EXPECT_TRUE(menuOwner.commands.empty()) << "a submenu item sends no command";

    menuOwner.notices.clear();
    TapRow(sub, 1);
    ASSERT_TRUE(WaitForMenuOutcome());
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return !menuOwner.commands.empty(); }, 2000));
    EXPECT_EQ(menuOwner.commands, std::vector<int>{302});
    RunPostedLikeLoop();
    EXPECT_EQ(submenu->GetRefCount(), 2);
    menu->Release();
    EXPECT_EQ(submenu->GetRefCount(), 1);
    submenu->Release();
}

TEST_F(PopMenuTest, OpeningWithAClassThatIsNoPopUpMenuFailsAndStillReleasesTheMenu)
{
    CKMenu* menu = NewTestMenu(nullptr);
    menu->AddRef();
    EXPECT_EQ(OpenPopMenu(&menuOwner, menu, K_RUNTIME_CLASS(CKListDialog)), 0);
    menu->AddRef();
    EXPECT_EQ(OpenPopMenu(&menuOwner, menu, K_RUNTIME_CLASS(CKDialog)), 0) << "no factory";
    EXPECT_EQ(menu->GetRefCount(), 1);
    EXPECT_EQ(CurrentMenu(), nullptr);

    // SetMenu swaps the references.
    CKPopMenuDialog* dialog = new CKPopMenuDialog();
    CKMenu* other = NewMenu();
    dialog->SetMenu(menu);
    EXPECT_EQ(menu->GetRefCount(), 2);
    dialog->SetMenu(other);
    EXPECT_EQ(menu->GetRefCount(), 1);
    EXPECT_EQ(other->GetRefCount(), 2);
    other->Release();   // the dialog's reference is the only one left ...
    dialog->SetMenu(other);
    EXPECT_EQ(other->GetRefCount(), 1) << "... and setting the same menu again keeps it";
    other->AddRef();
    dialog->AddRef();
    dialog->Release();   // never shown: the last reference deletes it
    EXPECT_EQ(other->GetRefCount(), 1);
    other->Release();
    menu->Release();
}
