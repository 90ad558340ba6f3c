// CKFileTreeCtrl on real folders: drive roots, children synchronised on the first expansion,
// folders only with KFILE_NO_FILES, and items leaving with their entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileTestSupport.h"
#include "KTestSupport.h"
#include "TreeTestSupport.h"
#include "controls/CKFileTreeCtrl.h"

namespace {

typedef std::vector<std::wstring> Names;

constexpr int FILE_TREE_ID = 3000;
// The browse page's drawer: expand buttons, lines, folders only.
constexpr unsigned int FOLDER_TREE_STYLE = KTVS_BUTTONS | KTVS_LINES | KFILE_NO_FILES;

CKFileTreeCtrl* MakeFileTree(KControlScope& scope, CTreeHost* host, unsigned int style)
{
    return scope.Add(new CKFileTreeCtrl(), host, style, TREE_FLAGS, RECT{0, 0, 300, 400},
                     FILE_TREE_ID);
}

KTreeItem* ChildItem(const CKTreeCtrl* tree, const KTreeItem* parent, const std::wstring& text)
{
    for (KTreeItem* item = tree->GetFirstChild(parent); item; item = tree->GetNextSibling(item))
        if (TextOf(item) == text)
            return item;
    return nullptr;
}

// Expands the items along an absolute folder path ("C:\a\b\") from the drive's root item and
// returns the item of its last folder; none when a step is missing.
KTreeItem* ExpandAlong(CKFileTreeCtrl* tree, const std::wstring& path)
{
    KTreeItem* item = ChildItem(tree, nullptr, path.substr(0, 2));
    size_t at = 3;
    while (item && at < path.size()) {
        const size_t end = path.find(L'\\', at);
        const std::wstring name = path.substr(at, end == std::wstring::npos ? end : end - at);
        tree->Expand(item, true, false);
        item = ChildItem(tree, item, name);
        at = end == std::wstring::npos ? path.size() : end + 1;
    }
    return item;
}

} // namespace

TEST(CKFileTreeCtrl, DriveRootsStartExpandedAndFilledWithFoldersOnly)
{
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CKFileTreeCtrl* tree = MakeFileTree(scope, host, FOLDER_TREE_STYLE);
    ASSERT_NE(tree, nullptr);
    CKFileCache* cache = MakeCache(nullptr, 0);
    tree->SetCache(cache);
    EXPECT_EQ(tree->GetCache(), cache);

    Names roots;
    for (KTreeItem* item = tree->GetFirstChild(nullptr); item; item = tree->GetNextSibling(item))
        roots.push_back(TextOf(item));
    Names drives;
    for (KFileEntry* entry = cache->GetFirstRoot(); entry; entry = cache->GetNext(entry))
        drives.push_back(entry->displayName);
    EXPECT_EQ(roots, drives);

    KTreeItem* c = ChildItem(tree, nullptr, L"C:");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->flags & (KTIF_EXPANDED | KTIF_TEXT_BORROWED), KTIF_EXPANDED | KTIF_TEXT_BORROWED);
    EXPECT_EQ(c->flags & KTIF_EXPANDED_ONCE, 0u);
    KFileEntry* drive = tree->GetEntry(c);
    ASSERT_NE(drive, nullptr);
    EXPECT_EQ(c->text, drive->displayName);
    EXPECT_EQ(c->iconCell, KFILE_ICON_DRIVE);
    Names folders;
    for (KFileEntry* entry = cache->GetFirstChild(drive); entry; entry = cache->GetNext(entry))
        if (CKFileCache::IsFolder(entry))
            folders.push_back(entry->name);
    EXPECT_EQ(ChildTexts(tree, c), folders);
    EXPECT_FALSE(folders.empty());

    tree->SetCache(nullptr);
    EXPECT_EQ(tree->GetItemCount(), 0);
    cache->Release();
}

TEST(CKFileTreeCtrl, FirstExpansionReadsTheFolderAndKeepsItemsThatStillHaveEntries)
{
    KTempFolder temp;
    temp.Folder(L"A");
    temp.Folder(L"A\\A1");
    temp.Folder(L"B");
    temp.File(L"song.mp3");
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CKFileTreeCtrl* tree = MakeFileTree(scope, host, FOLDER_TREE_STYLE);
    ASSERT_NE(tree, nullptr);
    CKFileCache* cache = MakeCache(nullptr, 0);
    tree->SetCache(cache);

    KTreeItem* top = ExpandAlong(tree, temp.GetPath());
    ASSERT_NE(top, nullptr);
    host->notices.clear();
    ASSERT_EQ(tree->Expand(top, true, false), 1);
    EXPECT_EQ(ChildTexts(tree, top), (Names{L"A", L"B"}));
    // The notification still reaches the parent, after the children are in.
    EXPECT_EQ(host->Codes(), (std::vector<int>{KNOTIFY_TREE_EXPANDING, KNOTIFY_TREE_EXPANDED}));
    KTreeItem* a = ChildItem(tree, top, L"A");
    KTreeItem* b = ChildItem(tree, top, L"B");
    // Look-ahead: A's folder was read, so A shows its child and can expand; B has none.
    EXPECT_EQ(ChildTexts(tree, a), (Names{L"A1"}));
    EXPECT_EQ(tree->Expand(b, true, false), 0);
    KTreeItem* a1 = ChildItem(tree, a, L"A1");
    ASSERT_NE(a1, nullptr);

    // New folders on disk, read again: A's first expansion brings its items in line, keeping A1.
    temp.Folder(L"A\\A0");
    temp.Folder(L"A\\A2");
    cache->Refresh(tree->GetEntry(a));
    ASSERT_EQ(tree->Expand(a, true, false), 1);
    EXPECT_EQ(ChildTexts(tree, a), (Names{L"A0", L"A1", L"A2"}));
    EXPECT_EQ(ChildItem(tree, a, L"A1"), a1);
    EXPECT_EQ(ChildItem(tree, a, L"A0")->iconCell, KFILE_ICON_FOLDER);

    // A second expansion does not synchronise again.
    temp.Folder(L"A\\A3");
    tree->Expand(a, false, false);
    tree->Expand(a, true, false);
    EXPECT_EQ(ChildTexts(tree, a), (Names{L"A0", L"A1", L"A2"}));
    cache->Release();
}

TEST(CKFileTreeCtrl, ItemsGoWithTheirEntriesAndFilesShowWithoutTheFoldersOnlyStyle)
{
    KTempFolder temp;
    temp.Folder(L"keep");
    const std::wstring gone = temp.Folder(L"gone");
    temp.Folder(L"gone\\deeper");
    temp.File(L"song.mp3");
    KControlScope scope;
    CTreeHost* host = AddTreeHost(scope);
    CKFileTreeCtrl* tree = MakeFileTree(scope, host, KTVS_BUTTONS);
    ASSERT_NE(tree, nullptr);
    CKFileCache* cache = MakeCache(L"*.mp3;", 0);
    tree->SetCache(cache);
    KTreeItem* top = ExpandAlong(tree, temp.GetPath());
    ASSERT_NE(top, nullptr);
    tree->Expand(top, true, false);
    EXPECT_EQ(ChildTexts(tree, top), (Names{L"gone", L"keep", L"song.mp3"}));
    KTreeItem* song = ChildItem(tree, top, L"song.mp3");
    EXPECT_EQ(song->iconCell, 5);
    tree->Select(ChildItem(tree, ChildItem(tree, top, L"gone"), L"deeper"));

    // The folder vanishes and is read again: its item (and the selection in it) go at once.
    RemoveTree(gone);
    cache->Refresh(tree->GetEntry(top));
    EXPECT_EQ(ChildTexts(tree, top), (Names{L"keep", L"song.mp3"}));
    EXPECT_EQ(tree->GetSelectedItem(), nullptr);
    RepaintNow(tree);

    // Once the tree lets go of the cache, removals no longer reach it.
    tree->SetCache(nullptr);
    temp.File(L"other.mp3");
    cache->Refresh(nullptr);
    EXPECT_EQ(tree->GetItemCount(), 0);
    cache->Release();
}
