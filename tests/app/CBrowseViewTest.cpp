// The browse page over real folders, beside a real player page: the start folder from
// "BrowsePath", taps on rows, the five buttons and their widths, the drawer, and adding the ticked
// files and folders to the player with "打开", and where the player shows they went; the drawer's
// folder tree marking the list's folder and reading new folders.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KFileFixtures.h"
#include "KTestSupport.h"
#include "KViewTestSupport.h"
#include "KTreeTestSupport.h"
#include "PlayListTestSupport.h"
#include "PlayerTestSupport.h"
#include "app/CBrowseView.h"
#include "app/CLmPlayListCtrl.h"
#include "app/CPlayerContainer.h"
#include "app/CPlayerView.h"
#include "app/LmPageTable.h"
#include "app/LmSettings.h"
#include "controls/CKTitle.h"
#include "graphics/CKStateBoxDrawable.h"
#include "ui/CKApplication.h"

namespace {

typedef std::vector<std::wstring> Names;

// Creates the browse page as the application does (handing its files to the player page, when
// there is one), registers and shows it.
CBrowseView* OpenBrowsePage()
{
    CBrowseView* view = new CBrowseView();
    view->GetBrowseContainer()->SetFileReceiver(CPlayerContainer::FromPlayerPage());
    view->EnableRefCount();
    view->Initialize(KVF_DRAWER);
    view->InitView(KVF_DRAWER, IDS_PAGE_BROWSE);
    AddPage(view);
    ShowView(view);
    RunPostedLikeLoop();
    return view;
}

// Takes the browse page off the view stack and out of the registry.
void CloseBrowsePage(CBrowseView* view)
{
    if (!CloseView(view))
        RemoveFromViewStack(view);
    RemovePage(view);
    RunPostedLikeLoop();
}

std::vector<std::wstring> RowTexts(CKFileListCtrl* list)
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < list->GetCount(); i++)
        texts.push_back(list->GetItem(i)->text1);
    return texts;
}

std::vector<bool> Checks(CKFileListCtrl* list)
{
    std::vector<bool> checks;
    for (int i = 0; i < list->GetCount(); i++)
        checks.push_back(list->GetItemCheck(i) != 0);
    return checks;
}

// A tap on a row of the list with real input messages.
void TapRow(CKFileListCtrl* list, int row)
{
    RECT rect;
    ASSERT_TRUE(list->GetItemRect(row, &rect));
    const LPARAM point = MAKELPARAM(rect.left + 60, (rect.top + rect.bottom) / 2);
    PostMessageW(list->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(list->GetHwnd(), WM_LBUTTONUP, 0, point);
    RunPostedLikeLoop();
}

// A click on one of the container's buttons with real input messages.
void ClickButton(CBrowseContainer* container, int id)
{
    HWND button = GetDlgItem(container->GetHwnd(), id);
    ASSERT_NE(button, nullptr);
    RECT rect;
    GetClientRect(button, &rect);
    const LPARAM point = MAKELPARAM(rect.right / 2, rect.bottom / 2);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(button, WM_LBUTTONUP, 0, point);
    RunPostedLikeLoop();
}

std::wstring LabelText(CBrowseContainer* container)
{
    const wchar_t* text = container->GetPathLabel()->GetText();
    return text ? text : L"";
}

} // namespace

TEST(CBrowsePage, FirstOpeningShowsTheDrivesAndTheStoredPathReopensItsFolder)
{
    KPlayerPage player;
    ASSERT_TRUE(player.Open({{L"默认列表", {}}}));
    const std::wstring folder = player.Folder();
    WriteFileBytes(folder + L"tune.mp3", "");

    CBrowseView* view = OpenBrowsePage();
    CBrowseContainer* content = view->GetBrowseContainer();
    CKFileListCtrl* list = content->GetFileList();
    ASSERT_GT(list->GetCount(), 0);
    EXPECT_EQ(RowTexts(list)[0], L"C:");
    EXPECT_EQ(LabelText(content), L"");
    EXPECT_STREQ(content->GetCache()->GetFilter(), LmSettings::DEFAULT_BROWSE_EXT_FILTER);
    // Rows of files and folders carry a check box at the right edge.
    EXPECT_EQ(list->GetItem(0)->flags & (KLI_BOX_MASK | KLI_BOX_RIGHT),
              KBOX_CHECK | KLI_BOX_RIGHT);
    CloseBrowsePage(view);

    LmSettings::SetBrowsePath(folder.c_str());
    view = OpenBrowsePage();
    content = view->GetBrowseContainer();
    EXPECT_EQ(std::wstring(content->GetFileList()->GetPath()), folder);
    EXPECT_EQ(LabelText(content), folder);
    EXPECT_EQ(RowTexts(content->GetFileList()), (Names{L"..", L"tune.mp3"}));
    CloseBrowsePage(view);

    // A stored folder that vanished leaves the list on the drives.
    LmSettings::SetBrowsePath((folder + L"vanished\\").c_str());
    view = OpenBrowsePage();
    content = view->GetBrowseContainer();
    EXPECT_EQ(content->GetFileList()->GetCurrentEntry(), nullptr);
    EXPECT_EQ(RowTexts(content->GetFileList())[0], L"C:");
    EXPECT_EQ(LabelText(content), L"");
    CloseBrowsePage(view);
}

TEST(CBrowsePage, TapsOpenFoldersTickFilesAndGoUpToTheDrives)
{
    KPlayerPage player;
    ASSERT_TRUE(player.Open({{L"默认列表", {}}}));
    const std::wstring folder = player.Folder();
    CreateDirectoryW((folder + L"sub").c_str(), nullptr);
    WriteFileBytes(folder + L"sub\\inner.mp3", "");
    WriteFileBytes(folder + L"top.mp3", "");
    LmSettings::SetBrowsePath(folder.c_str());
    CBrowseView* view = OpenBrowsePage();
    CBrowseContainer* content = view->GetBrowseContainer();
    CKFileListCtrl* list = content->GetFileList();
    ASSERT_EQ(RowTexts(list), (Names{L"..", L"sub", L"top.mp3"}));

    TapRow(list, 2);
    EXPECT_EQ(Checks(list), (std::vector<bool>{false, false, true}));
    TapRow(list, 2);
    EXPECT_EQ(Checks(list), (std::vector<bool>{false, false, false}));
    TapRow(list, 1);
    EXPECT_EQ(LabelText(content), folder + L"sub\\");
    EXPECT_EQ(RowTexts(list), (Names{L"..", L"inner.mp3"}));
    TapRow(list, 0);
    EXPECT_EQ(LabelText(content), folder);
    ClickButton(content, LMID_BROWSE_PARENT);
    EXPECT_EQ(LabelText(content), folder.substr(0, folder.rfind(L'\\', folder.size() - 2) + 1));

    // At a drive's top, ".." and "上 级" both lead to the drives.
    ASSERT_EQ(content->ShowPath(L"C:\\"), 1);
    TapRow(list, 0);
    EXPECT_EQ(list->GetCurrentEntry(), nullptr);
    EXPECT_EQ(RowTexts(list)[0], L"C:");
    content->ShowPath(L"C:\\");
    ClickButton(content, LMID_BROWSE_PARENT);
    EXPECT_EQ(list->GetCurrentEntry(), nullptr);
    EXPECT_EQ(LabelText(content), L"");
    CloseBrowsePage(view);
}

TEST(CBrowsePage, SelectAllInvertAndNoneTickFilesAndFoldersAlike)
{
    KPlayerPage player;
    ASSERT_TRUE(player.Open({{L"默认列表", {}}}));
    const std::wstring folder = player.Folder();
    CreateDirectoryW((folder + L"dir").c_str(), nullptr);
    WriteFileBytes(folder + L"f1.mp3", "");
    WriteFileBytes(folder + L"f2.mp3", "");
    LmSettings::SetBrowsePath(folder.c_str());
    CBrowseView* view = OpenBrowsePage();
    CBrowseContainer* content = view->GetBrowseContainer();
    CKFileListCtrl* list = content->GetFileList();
    ASSERT_EQ(RowTexts(list), (Names{L"..", L"dir", L"f1.mp3", L"f2.mp3"}));

    list->SetItemCheck(2, 1);
    ClickButton(content, LMID_BROWSE_INVERT);
    EXPECT_EQ(Checks(list), (std::vector<bool>{false, true, false, true}));
    ClickButton(content, LMID_BROWSE_ALL);
    EXPECT_EQ(Checks(list), (std::vector<bool>{false, true, true, true}));
    ClickButton(content, LMID_BROWSE_NONE);
    EXPECT_EQ(Checks(list), (std::vector<bool>{false, false, false, false}));

    // "刷 新" reads the folder again.
    WriteFileBytes(folder + L"f3.mp3", "");
    ClickButton(content, LMID_BROWSE_REFRESH);
    EXPECT_EQ(RowTexts(list), (Names{L"..", L"dir", L"f1.mp3", L"f2.mp3", L"f3.mp3"}));
    CloseBrowsePage(view);
}

TEST(CBrowsePage, FiveButtonsShareTheBandByTheWidthRule)
{
    RECT rects[LMBROWSE_BUTTON_COUNT];
    CBrowseContainer::ButtonRects(RECT{0, 400, 320, 450}, rects);
    const int widths320[] = {64, 64, 64, 64, 64};
    for (int i = 0; i < LMBROWSE_BUTTON_COUNT; i++) {
        EXPECT_EQ(rects[i].right - rects[i].left, widths320[i]);
        EXPECT_EQ(rects[i].top, 400);
        EXPECT_EQ(rects[i].bottom, 450);
    }
    CBrowseContainer::ButtonRects(RECT{10, 0, 10 + 334, 40}, rects);
    const int widths334[] = {68, 66, 66, 66, 68};
    for (int i = 0; i < LMBROWSE_BUTTON_COUNT; i++)
        EXPECT_EQ(rects[i].right - rects[i].left, widths334[i]);
    EXPECT_EQ(rects[0].left, 10);
    for (int i = 1; i < LMBROWSE_BUTTON_COUNT; i++)
        EXPECT_EQ(rects[i].left, rects[i - 1].right);

    // On the page: the buttons in member order left to right, the list between the two bands.
    KPlayerPage player;
    ASSERT_TRUE(player.Open({{L"默认列表", {}}}));
    CBrowseView* view = OpenBrowsePage();
    CBrowseContainer* content = view->GetBrowseContainer();
    RECT client;
    content->GetClientRect(&client);
    const int w = client.right;
    const int ids[] = {LMID_BROWSE_REFRESH, LMID_BROWSE_ALL, LMID_BROWSE_INVERT, LMID_BROWSE_NONE,
                       LMID_BROWSE_PARENT};
    int x = 0;
    for (int i = 0; i < LMBROWSE_BUTTON_COUNT; i++) {
        RECT r;
        content->GetButton(i)->GetRectInParent(&r);
        EXPECT_EQ(content->GetButton(i)->GetId(), ids[i]);
        const int expected = (i == 0 || i == 4) ? (w - 3 * (w / 5)) / 2 : w / 5;
        EXPECT_EQ(r.right - r.left, expected);
        EXPECT_GE(r.left, x);
        x = r.right;
    }
    RECT label, list, button;
    content->GetPathLabel()->GetRectInParent(&label);
    content->GetFileList()->GetRectInParent(&list);
    content->GetButton(0)->GetRectInParent(&button);
    EXPECT_LE(label.bottom, list.top);
    EXPECT_LE(list.bottom, button.top);
    EXPECT_GT(list.bottom - list.top, client.bottom / 2);
    CloseBrowsePage(view);
}

TEST(CBrowsePage, OpenAddsTickedFilesOnceAndTickedFoldersAsPlaylistsAndShowsWhereTheyWent)
{
    KPlayerPage player;
    const std::wstring folder = player.Folder();
    ASSERT_TRUE(player.Open({{L"默认列表", {{folder + L"a.mp3", 0, L"a", L"", L""}}}}));
    WriteFileBytes(folder + L"a.mp3", "");
    player.MakeWav(L"b.wav", 100);
    WriteFileBytes(folder + L"c.txt", "text");
    CreateDirectoryW((folder + L"Album").c_str(), nullptr);
    CreateDirectoryW((folder + L"Album\\Inner").c_str(), nullptr);
    WriteFileBytes(folder + L"Album\\x.mp3", "");
    WriteFileBytes(folder + L"Album\\y.mp3", "");
    WriteFileBytes(folder + L"Album\\notes.txt", "");
    WriteFileBytes(folder + L"Album\\Inner\\z.mp3", "");
    CreateDirectoryW((folder + L"Empty").c_str(), nullptr);
    WriteFileBytes(folder + L"Empty\\notes.txt", "");
    LmSettings::SetBrowsePath(folder.c_str());
    ShowPage(IDS_PAGE_PLAYER);
    CBrowseView* view = OpenBrowsePage();
    CBrowseContainer* content = view->GetBrowseContainer();
    CKFileListCtrl* list = content->GetFileList();
    ASSERT_EQ(RowTexts(list), (Names{L"..", L"Album", L"Empty", L"a.mp3", L"b.wav"}));
    TapRow(list, 3);
    TapRow(list, 4);
    list->SetItemCheck(1, 1);

    EXPECT_EQ(content->OnCommand(IDS_BROWSE_OPEN), 1);
    RunPostedLikeLoop();
    // The page closed; the player's selected playlist has a.mp3 once and b.wav appended.
    EXPECT_NE(GetCurrentView(), (CKView*)view);
    CMediaListBox* rows = player.Container()->GetListBox();
    ASSERT_EQ(rows->GetCount(), 2);
    EXPECT_EQ(std::wstring(rows->GetRecord(0)->GetPath()), folder + L"a.mp3");
    EXPECT_EQ(std::wstring(rows->GetRecord(1)->GetPath()), folder + L"b.wav");
    // The folder became a playlist of its own filtered files, without the sub-folder's, and
    // since the list shown took the files a toast names it.
    CLmPlayListCtrl* lists = player.Container()->GetPlayListCtrl();
    ASSERT_EQ(lists->GetPlayListCount(), 2);
    CLmPlayList* album = lists->PlayListAt(1);
    EXPECT_STREQ(album->GetName(), L"Album");
    ASSERT_EQ(album->GetCount(), 2);
    EXPECT_EQ(std::wstring(album->GetAt(0)->GetPath()), folder + L"Album\\x.mp3");
    EXPECT_EQ(std::wstring(album->GetAt(1)->GetPath()), folder + L"Album\\y.mp3");
    EXPECT_EQ(KPlayerPage::ToastText(), L"已添加为新的播放列表：Album");
    EXPECT_EQ(lists->GetSelectedPlayList(), lists->PlayListAt(0));
    // The folder is remembered in "Settings.ini", and both files were written.
    EXPECT_EQ(std::wstring(LmSettings::GetBrowsePath()), folder);
    const std::string settings = ReadFileBytes(KPlayerPage::SettingsPath());
    EXPECT_NE(settings.find(Utf16Bytes(L"BrowsePath = " + folder)), std::string::npos);
    const std::string playlists = ReadFileBytes(player.PlayListPath());
    EXPECT_NE(playlists.find(Utf16Bytes(L"@Album")), std::string::npos);
    EXPECT_NE(playlists.find(Utf16Bytes(folder + L"b.wav")), std::string::npos);
    KPlayerPage::CloseToast();

    // Only folders: the same one again becomes "Album (2)", which the player then shows; the
    // folder without playable files makes no playlist, and the toast says so.
    ShowView(view);
    content->SetAllChecks(0);
    list->SetItemCheck(1, 1);
    list->SetItemCheck(2, 1);
    content->OnCommand(IDS_BROWSE_OPEN);
    RunPostedLikeLoop();
    ASSERT_EQ(lists->GetPlayListCount(), 3);
    EXPECT_STREQ(lists->PlayListAt(2)->GetName(), L"Album (2)");
    EXPECT_EQ(lists->GetSelectedPlayList(), lists->PlayListAt(2));
    EXPECT_STREQ(player.View()->GetTitle()->GetText(), L"Album (2)");
    EXPECT_EQ(rows->GetCount(), 2);
    EXPECT_EQ(KPlayerPage::ToastText(), L"文件夹中没有可以播放的文件：Empty");
    EXPECT_EQ(ReadFileBytes(player.PlayListPath()).find(Utf16Bytes(L"@Empty")), std::string::npos);
    CloseBrowsePage(view);
}

TEST(CBrowsePage, DrawerCommandTogglesTheTreeAndASelectedFolderShowsInTheList)
{
    KPlayerPage player;
    ASSERT_TRUE(player.Open({{L"默认列表", {}}}));
    CBrowseView* view = OpenBrowsePage();
    CBrowseContainer* content = view->GetBrowseContainer();
    CKFileTreeCtrl* tree = view->GetFolderTree();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->GetCache(), content->GetCache());
    EXPECT_EQ(view->GetMenuCtrl(), (CKWindow*)tree);

    content->OnCommand(IDS_BROWSE_FOLDERS);
    EXPECT_TRUE(view->IsMenuOpen());
    PumpLikeLoopUntil([&] { return view->GetAnimation() == nullptr; }, 3000);
    KTreeItem* drive = tree->GetFirstChild(nullptr);
    ASSERT_NE(drive, nullptr);
    tree->Select(drive);
    EXPECT_EQ(LabelText(content), std::wstring(tree->GetEntry(drive)->name));
    EXPECT_EQ(RowTexts(content->GetFileList())[0], L"..");
    // A tap on a row toggles its expansion (animated).
    KTreeItem* child = tree->GetFirstChild(drive);
    ASSERT_NE(child, nullptr);
    view->OnNotify(LMID_BROWSE_TREE, KNOTIFY_TREE_TAPPED, (INT_PTR)drive);
    PumpLikeLoopUntil([&] { return tree->GetAnimation() == nullptr; }, 3000);
    EXPECT_FALSE(tree->IsExpanded(drive));
    content->OnCommand(IDS_BROWSE_FOLDERS);
    EXPECT_FALSE(view->IsMenuOpen());
    PumpLikeLoopUntil([&] { return view->GetAnimation() == nullptr; }, 3000);
    CloseBrowsePage(view);
}

TEST(CBrowsePage, TheDrawerMarksTheFolderTheListShowsAndReadsFoldersMadeSinceOnRefresh)
{
    KPlayerPage player;
    ASSERT_TRUE(player.Open({{L"默认列表", {}}}));
    const std::wstring folder = player.Folder();
    CreateDirectoryW((folder + L"A").c_str(), nullptr);
    CreateDirectoryW((folder + L"A\\B").c_str(), nullptr);
    LmSettings::SetBrowsePath((folder + L"A\\B\\").c_str());
    CBrowseView* view = OpenBrowsePage();
    CBrowseContainer* content = view->GetBrowseContainer();
    CKFileListCtrl* list = content->GetFileList();
    CKFileTreeCtrl* tree = view->GetFolderTree();
    ASSERT_NE(tree, nullptr);

    // Once the drawer opens, the folder shown is the tree's selection, its ancestors expanded,
    // its row in view.
    view->OpenMenu(false);
    KTreeItem* marked = tree->GetSelectedItem();
    ASSERT_NE(marked, nullptr);
    EXPECT_EQ(tree->GetEntry(marked), list->GetCurrentEntry());
    EXPECT_EQ(TextOf(marked), L"B");
    RECT client, row;
    tree->GetClientRect(&client);
    ASSERT_TRUE(tree->GetItemRect(marked, &row)) << "displayed: every ancestor expanded";
    EXPECT_GE(row.top, client.top);
    EXPECT_LE(row.bottom, client.bottom);
    // Painted in the accent colour, unlike the other rows (probed left of the connecting lines).
    PaintNow(tree);
    auto rowColour = [&](const KTreeItem* item) {
        RECT r = RowOf(tree, item);
        POINT point = {r.left + 3, (r.top + r.bottom) / 2};
        tree->ClientToRoot(&point);
        return BackBufferRgb(point.x, point.y);
    };
    EXPECT_EQ(rowColour(marked), 0x2372CCu);
    KTreeItem* parent = tree->GetParent(marked);
    tree->ScrollTo(0, 0);
    PaintNow(tree);
    EXPECT_NE(rowColour(parent), 0x2372CCu);

    // While the drawer shows, the mark follows the list.
    TapRow(list, 0);
    EXPECT_EQ(tree->GetSelectedItem(), parent);

    // "刷 新" reads the shown folders again: a folder made in the list's folder and one made in
    // a folder above it both appear.
    CreateDirectoryW((folder + L"A\\New").c_str(), nullptr);
    CreateDirectoryW((folder + L"Sibling").c_str(), nullptr);
    ClickButton(content, LMID_BROWSE_REFRESH);
    EXPECT_EQ(RowTexts(list), (Names{L"..", L"B", L"New"}));
    EXPECT_EQ(ChildTexts(tree, parent), (std::vector<std::wstring>{L"B", L"New"}));
    EXPECT_EQ(ChildTexts(tree, tree->GetParent(parent)),
              (std::vector<std::wstring>{L"A", L"Sibling"}));
    EXPECT_EQ(tree->GetSelectedItem(), parent);
    // With the drawer closed the tree catches up when it opens again.
    view->CloseMenu(false);
    CreateDirectoryW((folder + L"A\\Later").c_str(), nullptr);
    ClickButton(content, LMID_BROWSE_REFRESH);
    TapRow(list, 1);
    view->OpenMenu(false);
    EXPECT_EQ(ChildTexts(tree, parent), (std::vector<std::wstring>{L"B", L"Later", L"New"}));
    EXPECT_EQ(TextOf(tree->GetSelectedItem()), L"B");
    view->CloseMenu(false);
    CloseBrowsePage(view);
}
