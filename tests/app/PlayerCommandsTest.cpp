// The playlist commands of the player page, driven the way the user drives them: taps on the open
// drawer's tool bar and rows, names typed into the input boxes, and the dialogs' buttons pressed.
// Each checks the dialogs shown (text, title, buttons) and the exact "PlayList.txt" written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KFileFixtures.h"
#include "KTestSupport.h"
#include "KViewTestSupport.h"
#include "PlayListTestSupport.h"
#include "app/CLmPlayListView.h"
#include "app/CPlayerView.h"
#include "app/LmPageTable.h"
#include "app/LmSettings.h"
#include "controls/CKButton.h"
#include "controls/CKEdit.h"
#include "controls/CKTitle.h"
#include "dialogs/CKAlertDialog.h"
#include "dialogs/CKInputDialog.h"
#include "ui/CKApplication.h"

namespace {

const std::wstring SEP = L"\xFFFD";
// Time a dialog's outcome and the pages' animations are given after a button, in milliseconds.
constexpr int SETTLE_MS = 150;
constexpr int WAIT_MS = 3000;

// A record line of "PlayList.txt".
std::wstring RecordLine(const wchar_t* path, int duration, const wchar_t* title,
                        const wchar_t* album, const wchar_t* artist)
{
    return L"#" + std::wstring(path) + SEP + std::to_wstring(duration) + SEP + title + SEP + album
           + SEP + artist + SEP + L"\n";
}

class PlayerCommandsTest : public PlayListFixture
{
protected:
    void TearDown() override
    {
        // Dialogs still open are cancelled before the pages go.
        for (int i = 0; i < 4 && CurrentDialog(); i++) {
            CurrentDialog()->OnButton(0);
            Settle();
        }
        DestroyPages();
        view = nullptr;
        PlayListFixture::TearDown();
    }

    // The player page over the test's file, shown with its drawer open, and the settings and help
    // pages behind it.
    void StartPlayer()
    {
        SetPageLookup(LookupPageEntry);
        view = new CPlayerView();
        view->EnableRefCount();
        view->SetPlayListPath(file.c_str());
        view->Initialize(KVF_DRAWER);
        view->InitView(KVF_DRAWER, IDS_PAGE_PLAYER);
        AddPage(view);
        for (int id : {IDS_PAGE_SETTINGS, IDS_PAGE_HELP}) {
            CKView* page = new CKView();
            page->EnableRefCount();
            page->Initialize(0);
            page->InitView(0, id);
            AddPage(page);
        }
        ASSERT_EQ(ShowPage(IDS_PAGE_PLAYER), 1);
        ASSERT_EQ(view->OpenMenu(false), 1);
        RunPostedLikeLoop();
        lists = view->GetPlayerContainer()->GetPlayListCtrl();
        ASSERT_TRUE(lists);
        ASSERT_EQ(lists, view->GetPlayListView()->GetPlayListCtrl());
    }

    static CKDialog* CurrentDialog()
    {
        CKView* current = GetCurrentView();
        return current && current->IsKindOf(K_RUNTIME_CLASS(CKDialog)) ? (CKDialog*)current
                                                                       : nullptr;
    }
    // Lets posted outcomes and animations run.
    static void Settle() { PumpLikeLoopUntil([] { return false; }, SETTLE_MS); }

    // Taps the middle of `rect`, given in the client coordinates of `window`, on the view.
    void TapOn(CKWindow* window, RECT rect)
    {
        MapWindowPoints(window->GetHwnd(), view->GetHwnd(), (POINT*)&rect, 2);
        KViewPointer pointer(view);
        pointer.Tap((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    // Taps tool bar button 0 (add), 1 (edit) or 2 (delete).
    void TapToolButton(int index)
    {
        CKWindow* bar = view->GetPlayListView()->GetFirstChild();
        while (bar && bar->GetId() != LMID_PANEL_TOOLBAR)
            bar = bar->GetNextSibling();
        ASSERT_TRUE(bar);
        const KButtonItem* item = static_cast<CKToolBar*>(bar)->CKButtonGroup::GetItem(index);
        ASSERT_TRUE(item);
        TapOn(bar, RECT{item->x, item->y, item->x + item->width, item->y + item->height});
        Settle();
    }
    // Taps the row of the tree item.
    void TapRow(const KTreeItem* item)
    {
        TapOn(lists, RowOf(lists, item));
        Settle();
    }
    // The row carrying the command.
    KTreeItem* CommandRow(INT_PTR command) const
    {
        for (KTreeItem* group = lists->GetFirstChild(nullptr); group;
             group = lists->GetNextSibling(group))
            for (KTreeItem* row = lists->GetFirstChild(group); row;
                 row = lists->GetNextSibling(row))
                if (row->userData == command)
                    return row;
        return nullptr;
    }

    // Waits for a shown dialog with that id.
    static CKDialog* WaitForDialog(int dialogId)
    {
        PumpLikeLoopUntil(
            [&] {
                CKDialog* dialog = CurrentDialog();
                return dialog && dialog->GetDialogId() == dialogId && !dialog->GetAnimation();
            },
            WAIT_MS);
        CKDialog* dialog = CurrentDialog();
        return dialog && dialog->GetDialogId() == dialogId ? dialog : nullptr;
    }
    // The message of the current alert; empty when the current view is no alert.
    static std::wstring AlertText()
    {
        CKDialog* dialog = CurrentDialog();
        if (!dialog || !dialog->IsKindOf(K_RUNTIME_CLASS(CKAlertDialog)))
            return std::wstring();
        return static_cast<CKAlertDialog*>(dialog)->GetAlertContainer()->GetLabel()->GetText();
    }
    // The texts of the current dialog's buttons.
    static std::vector<std::wstring> ButtonTexts()
    {
        std::vector<std::wstring> texts;
        CKDialog* dialog = CurrentDialog();
        for (int i = 1; dialog && i <= 3 && dialog->GetButton(i); i++)
            texts.push_back(dialog->GetButton(i)->GetText());
        return texts;
    }
    // The current input box's field.
    static std::wstring FieldText()
    {
        CKDialog* dialog = CurrentDialog();
        if (!dialog || !dialog->IsKindOf(K_RUNTIME_CLASS(CKInputDialog)))
            return L"<no input box>";
        KStringW text;
        static_cast<CKInputDialog*>(dialog)->GetInputContainer()->GetEdit()->GetText(text);
        return (const wchar_t*)text;
    }
    static std::wstring DialogTitle()
    {
        CKDialog* dialog = CurrentDialog();
        return dialog && dialog->GetTitleLabel() ? dialog->GetTitleLabel()->GetText() : L"";
    }
    // Replaces the field's text by typing.
    static void Type(const wchar_t* text)
    {
        CKDialog* dialog = CurrentDialog();
        ASSERT_TRUE(dialog && dialog->IsKindOf(K_RUNTIME_CLASS(CKInputDialog)));
        CKEdit* edit = static_cast<CKInputDialog*>(dialog)->GetInputContainer()->GetEdit();
        SendMessageW(edit->GetHwnd(), EM_SETSEL, 0, -1);
        SendMessageW(edit->GetHwnd(), WM_CLEAR, 0, 0);
        TypeText(text);
    }
    // Presses button 1-3 of the current dialog with the pointer and lets the outcome arrive.
    void Press(int button)
    {
        CKDialog* dialog = CurrentDialog();
        ASSERT_TRUE(dialog);
        CKButton* target = dialog->GetButton(button);
        ASSERT_TRUE(target);
        RECT rect;
        GetWindowRect(target->GetHwnd(), &rect);
        MapWindowPoints(nullptr, dialog->GetHwnd(), (POINT*)&rect, 2);
        const int dialogId = dialog->GetDialogId();
        KViewPointer pointer(dialog);
        pointer.Tap((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        PumpLikeLoopUntil(
            [&] { return !CurrentDialog() || CurrentDialog()->GetDialogId() != dialogId; },
            WAIT_MS);
        Settle();
    }

    // The delete button, then "删除" in its confirmation.
    void DeleteSelectedPlayList()
    {
        TapToolButton(2);
        ASSERT_TRUE(WaitForDialog(LMID_DELETE_LIST));
        Press(1);
    }

    std::wstring Title() const { return view->GetTitle()->GetText(); }

    CPlayerView* view = nullptr;       // counted by the page registry
    CLmPlayListCtrl* lists = nullptr;  // borrowed from the panel
};

} // namespace

TEST_F(PlayerCommandsTest, AddingANameThatExistsInOtherCapitalsAlertsAndRetryReopensTheEmptyBox)
{
    WritePlayLists(L"\n@rock\n\n");
    StartPlayer();
    const std::string before = ReadFileBytes(file);

    TapToolButton(0);
    ASSERT_TRUE(WaitForDialog(LMID_ADD_LIST));
    EXPECT_EQ(DialogTitle(), L"添加播放列表");
    EXPECT_EQ(ButtonTexts(), (std::vector<std::wstring>{L"添加", L"取消"}));
    EXPECT_STREQ(static_cast<CKInputDialog*>(CurrentDialog())->GetInputContainer()->GetPrompt()->GetText(),
                 L"请输入列表名称：");
    EXPECT_EQ(FieldText(), L"");
    Type(L"Rock");
    Press(1);
    ASSERT_TRUE(WaitForDialog(5055));
    EXPECT_EQ(AlertText(), L"列表名称已经存在！添加失败！");
    EXPECT_EQ(ButtonTexts(), (std::vector<std::wstring>{L"重试", L"取消"}));
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_EQ(lists->GetPlayListCount(), 1);

    Press(1);   // "重试"
    ASSERT_TRUE(WaitForDialog(LMID_ADD_LIST));
    EXPECT_EQ(DialogTitle(), L"添加播放列表");
    EXPECT_EQ(FieldText(), L"") << "the retry box starts empty";
    Press(1);   // nothing typed
    ASSERT_TRUE(WaitForDialog(5055));
    EXPECT_EQ(AlertText(), L"列表名称不能为空！添加失败！");
    Press(2);   // "取消"
    EXPECT_EQ(CurrentDialog(), nullptr);
    EXPECT_EQ(ReadFileBytes(file), before);

    TapToolButton(0);
    ASSERT_TRUE(WaitForDialog(LMID_ADD_LIST));
    Type(L"Jazz 爵士");
    Press(1);
    EXPECT_EQ(CurrentDialog(), nullptr);
    EXPECT_EQ(PlayListText(), L"\xFEFF\n@rock\n\n@Jazz 爵士\n\n");
    EXPECT_EQ(lists->GetSelectedPlayList(), lists->PlayListAt(1)) << "the new list is selected";
    EXPECT_EQ(LmSettings::GetPlayListSelected(), 1);
    EXPECT_EQ(Title(), L"Jazz 爵士");
    EXPECT_EQ(view->GetPlayerContainer()->GetListBox()->GetCount(), 0);
}

TEST_F(PlayerCommandsTest, RenamingToTheSameNameInOtherCapitalsDoesNothingAndClashesAlert)
{
    WritePlayLists(L"\n@A\n\n@B\n\n");
    StartPlayer();
    const std::string before = ReadFileBytes(file);
    const ULONGLONG written = GetLastWriteTime(file);

    TapToolButton(1);
    ASSERT_TRUE(WaitForDialog(LMID_EDIT_LIST));
    EXPECT_EQ(DialogTitle(), L"编辑播放列表");
    EXPECT_EQ(ButtonTexts(), (std::vector<std::wstring>{L"确定", L"取消"}));
    EXPECT_EQ(FieldText(), L"A");
    Type(L"a");
    Press(1);
    EXPECT_EQ(CurrentDialog(), nullptr) << "no alert";
    EXPECT_STREQ(lists->PlayListAt(0)->GetName(), L"A");
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_EQ(GetLastWriteTime(file), written) << "the file was not written";

    TapToolButton(1);
    ASSERT_TRUE(WaitForDialog(LMID_EDIT_LIST));
    Type(L"b");
    Press(1);
    ASSERT_TRUE(WaitForDialog(5056));
    EXPECT_EQ(AlertText(), L"列表名称已经存在！修改失败！");
    EXPECT_EQ(ButtonTexts(), (std::vector<std::wstring>{L"重试", L"取消"}));
    Press(1);   // "重试": the edit box again, with the current name
    ASSERT_TRUE(WaitForDialog(LMID_EDIT_LIST));
    EXPECT_EQ(FieldText(), L"A");
    Type(L"");
    Press(1);
    ASSERT_TRUE(WaitForDialog(5056));
    EXPECT_EQ(AlertText(), L"列表名称不能为空！修改失败！");
    Press(1);
    ASSERT_TRUE(WaitForDialog(LMID_EDIT_LIST));
    Type(L"流行 Pop");
    Press(1);
    EXPECT_EQ(CurrentDialog(), nullptr);
    EXPECT_EQ(PlayListText(), L"\xFEFF\n@流行 Pop\n\n@B\n\n");
    EXPECT_EQ(Title(), L"流行 Pop");
    EXPECT_EQ(TextOf(lists->GetSelectedListItem()), L"流行 Pop");
}

TEST_F(PlayerCommandsTest, NameBoxesCutANameToWhatTheFileKeepsAndEnterConfirmsThem)
{
    WritePlayLists(L"\n@rock\n\n");
    StartPlayer();
    // Add, then rename the added list: 1,028 characters typed, the first 255 kept and written.
    const struct
    {
        int button;
        int dialogId;
        wchar_t letter;
    } boxes[] = {{0, LMID_ADD_LIST, L'x'}, {1, LMID_EDIT_LIST, L'y'}};
    for (const auto& box : boxes) {
        TapToolButton(box.button);
        ASSERT_TRUE(WaitForDialog(box.dialogId));
        Type(std::wstring(1028, box.letter).c_str());
        EXPECT_EQ(FieldText(), std::wstring(255, box.letter));
        PressKey(VK_RETURN);
        PumpLikeLoopUntil([] { return CurrentDialog() == nullptr; }, WAIT_MS);
        Settle();
        EXPECT_EQ(CurrentDialog(), nullptr);
        EXPECT_EQ(PlayListText(), L"\xFEFF\n@rock\n\n@" + std::wstring(255, box.letter) + L"\n\n");
    }
    // The file gives the same two lists back.
    DestroyPages();
    view = nullptr;
    StartPlayer();
    ASSERT_EQ(lists->GetPlayListCount(), 2);
    EXPECT_EQ(std::wstring(lists->PlayListAt(1)->GetName()), std::wstring(255, L'y'));
}

TEST_F(PlayerCommandsTest, DeletingTheLastPlaylistOnlyAlertsAndAnotherIsConfirmedFirst)
{
    WritePlayLists(L"\n@only\n" + RecordLine(L"C:\\a.mp3", 1000, L"a", L"", L"") + L"\n");
    StartPlayer();
    const std::string before = ReadFileBytes(file);
    TapToolButton(2);
    CKDialog* alert = WaitForDialog(0);
    ASSERT_TRUE(alert);
    EXPECT_EQ(AlertText(), L"就剩最后一个列表了，别再删啦！");
    EXPECT_EQ(ButtonTexts(), std::vector<std::wstring>{L"确定"});
    EXPECT_EQ(alert->GetOwner(), nullptr);
    Press(1);
    EXPECT_EQ(CurrentDialog(), nullptr);
    EXPECT_EQ(lists->GetPlayListCount(), 1);
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_EQ(view->GetPlayerContainer()->GetListBox()->GetCount(), 1);

    // Two lists: a confirmation; cancelling keeps both, deleting selects the neighbour.
    TapToolButton(0);
    ASSERT_TRUE(WaitForDialog(LMID_ADD_LIST));
    Type(L"second");
    Press(1);
    TapRow(lists->GetFirstChild(lists->GetListGroup()));
    EXPECT_EQ(Title(), L"only");
    TapToolButton(2);
    ASSERT_TRUE(WaitForDialog(LMID_DELETE_LIST));
    EXPECT_EQ(AlertText(), L"你确认要删除当前播放列表吗？");
    EXPECT_EQ(ButtonTexts(), (std::vector<std::wstring>{L"删除", L"取消"}));
    Press(2);
    EXPECT_EQ(lists->GetPlayListCount(), 2);
    ASSERT_NO_FATAL_FAILURE(DeleteSelectedPlayList());
    EXPECT_EQ(CurrentDialog(), nullptr);
    EXPECT_EQ(PlayListText(), L"\xFEFF\n@second\n\n");
    EXPECT_STREQ(lists->GetSelectedPlayList()->GetName(), L"second");
    EXPECT_EQ(Title(), L"second");
    EXPECT_EQ(view->GetPlayerContainer()->GetListBox()->GetCount(), 0);
}

TEST_F(PlayerCommandsTest, DeletingPlaylistsKeepsTheStoredPlayingListOnTheSameList)
{
    WritePlayLists(L"\n@A\n\n@B\n\n@C\n\n");
    LmSettings::SetPlayingList(2);   // C played in the last run
    StartPlayer();
    CPlayerContainer* container = view->GetPlayerContainer();
    CLmPlayList* c = container->GetPlayingList();
    ASSERT_TRUE(c);
    ASSERT_STREQ(c->GetName(), L"C");

    // Deleting A, before C, moves C to position 1; the stored position follows.
    ASSERT_STREQ(lists->GetSelectedPlayList()->GetName(), L"A");
    ASSERT_NO_FATAL_FAILURE(DeleteSelectedPlayList());
    EXPECT_EQ(lists->GetPlayListCount(), 2);
    EXPECT_EQ(container->GetPlayingList(), c);
    EXPECT_EQ(LmSettings::GetPlayingList(), 1);
    EXPECT_NE(SettingsBytes().find(Utf16Bytes(L"\nPlayingList = 1\n")), std::string::npos);

    // Deleting C itself forgets it: no later list can be taken for it.
    TapRow(lists->GetNextSibling(lists->GetFirstChild(lists->GetListGroup())));
    ASSERT_STREQ(lists->GetSelectedPlayList()->GetName(), L"C");
    ASSERT_NO_FATAL_FAILURE(DeleteSelectedPlayList());
    EXPECT_EQ(lists->GetPlayListCount(), 1);
    EXPECT_EQ(container->GetPlayingList(), nullptr);
    EXPECT_EQ(container->GetPlayingIndex(), -1);
    EXPECT_EQ(LmSettings::GetPlayingList(), -1);
}

TEST_F(PlayerCommandsTest, ClearingAsksOnlyWhenTheListHasRows)
{
    WritePlayLists(L"\n@empty\n\n@full\n" + RecordLine(L"C:\\a.mp3", 1000, L"a", L"", L"")
                   + RecordLine(L"C:\\b.mp3", 2000, L"b", L"", L"") + L"\n");
    LmSettings::SetPlayingList(1);   // "b" of "full" played in the last run
    LmSettings::SetPlayingFile(1);
    StartPlayer();
    KTreeItem* clear = CommandRow(LMCMD_CLEAR_LIST);
    ASSERT_TRUE(clear);
    TapRow(clear);
    EXPECT_EQ(CurrentDialog(), nullptr) << "an empty list gives no dialog";

    TapRow(lists->GetNextSibling(lists->GetSelectedListItem()));
    ASSERT_EQ(view->GetPlayerContainer()->GetListBox()->GetCount(), 2);
    const std::string before = ReadFileBytes(file);
    TapRow(clear);
    ASSERT_TRUE(WaitForDialog(LMCMD_CLEAR_LIST));
    EXPECT_EQ(AlertText(), L"你确认要清空当前播放列表吗？");
    EXPECT_EQ(ButtonTexts(), (std::vector<std::wstring>{L"清空", L"取消"}));
    Press(2);
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_EQ(lists->GetSelectedPlayList()->GetCount(), 2);
    EXPECT_EQ(view->GetPlayerContainer()->GetPlayingIndex(), 1);
    TapRow(clear);
    ASSERT_TRUE(WaitForDialog(LMCMD_CLEAR_LIST));
    Press(1);
    EXPECT_EQ(lists->GetSelectedPlayList()->GetCount(), 0);
    EXPECT_EQ(view->GetPlayerContainer()->GetListBox()->GetCount(), 0);
    EXPECT_EQ(PlayListText(), L"\xFEFF\n@empty\n\n@full\n\n");
    // The playing row went with the list: files added later play from the first.
    EXPECT_EQ(view->GetPlayerContainer()->GetPlayingIndex(), -1);
    EXPECT_EQ(LmSettings::GetPlayingFile(), -1);
    EXPECT_NE(SettingsBytes().find(Utf16Bytes(L"\nPlayingFile = -1\n")), std::string::npos);
}

TEST_F(PlayerCommandsTest, TappingAnotherPlaylistReloadsTheListAndTitleButTheSelectedOneNothing)
{
    WritePlayLists(L"\n@one\n" + RecordLine(L"C:\\a.mp3", 1000, L"a", L"", L"") + L"\n@two\n"
                   + RecordLine(L"C:\\b.mp3", 1000, L"b", L"", L"")
                   + RecordLine(L"C:\\c.mp3", 1000, L"c", L"", L"") + L"\n");
    StartPlayer();
    CMediaListBox* rows = view->GetPlayerContainer()->GetListBox();
    EXPECT_EQ(Title(), L"one");
    EXPECT_EQ(rows->GetCount(), 1);
    TapRow(lists->GetNextSibling(lists->GetSelectedListItem()));
    EXPECT_EQ(Title(), L"two");
    EXPECT_EQ(rows->GetCount(), 2);

    // A record the list does not show yet would appear with a reload.
    lists->GetSelectedPlayList()->AddFile(L"C:\\d.mp3");
    LmSettings::SetLoopType(1);   // unsaved: a settings save would write the file
    const std::string settingsBefore = SettingsBytes();
    TapRow(lists->GetSelectedListItem());
    EXPECT_EQ(rows->GetCount(), 2) << "the list was reloaded";
    EXPECT_EQ(SettingsBytes(), settingsBefore) << "Settings.ini was written";
}

TEST_F(PlayerCommandsTest, SortRowsReorderTheSelectedPlaylistAndRewriteTheFile)
{
    const std::wstring b = RecordLine(L"C:\\b.mp3", 1000, L"b", L"Y", L"Zed");
    const std::wstring a = RecordLine(L"C:\\a.mp3", 2000, L"a", L"X", L"");
    const std::wstring c = RecordLine(L"C:\\c.mp3", 3000, L"C", L"", L"Abe");
    WritePlayLists(L"\n@L\n" + b + a + c + L"\n");
    StartPlayer();
    const struct
    {
        INT_PTR command;
        std::wstring order;
    } sorts[] = {
        {LMCMD_SORT_NAME_UP, a + b + c},
        {LMCMD_SORT_NAME_DOWN, c + b + a},
        {LMCMD_SORT_ARTIST_UP, a + c + b},
        {LMCMD_SORT_ARTIST_DOWN, b + c + a},
    };
    for (const auto& sort : sorts) {
        KTreeItem* row = CommandRow(sort.command);
        ASSERT_TRUE(row);
        TapRow(row);
        EXPECT_EQ(CurrentDialog(), nullptr);
        EXPECT_EQ(PlayListText(), L"\xFEFF\n@L\n" + sort.order + L"\n") << sort.command;
    }
}

TEST_F(PlayerCommandsTest, SettingsAndAboutRowsShowTheirPages)
{
    StartPlayer();
    TapRow(CommandRow(LMCMD_SETTINGS));
    ASSERT_TRUE(GetCurrentView());
    EXPECT_EQ(GetCurrentView()->GetViewId(), IDS_PAGE_SETTINGS);
    ASSERT_EQ(ShowPage(IDS_PAGE_PLAYER), 1);
    Settle();
    ASSERT_TRUE(view->IsMenuOpen()) << "the drawer stays open after a command";
    TapRow(CommandRow(LMCMD_ABOUT));
    ASSERT_TRUE(GetCurrentView());
    EXPECT_EQ(GetCurrentView()->GetViewId(), IDS_PAGE_HELP);
    ASSERT_EQ(ShowPage(IDS_PAGE_PLAYER), 1);
    Settle();
}
