// CKFileCache on real folders: the filter, drive roots, reading and re-reading folders, sorting,
// look-ahead, paths, removal hooks and the extension map.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileTestSupport.h"
#include "KTestSupport.h"
#include "controls/CKFileCache.h"
#include "foundation/KPaths.h"

namespace {

typedef std::vector<std::wstring> Names;

// The cache's view of `folder`; fails the test when the path is not found.
KFileEntry* Find(CKFileCache* cache, const std::wstring& folder)
{
    KFileEntry* entry = cache->FindByPath(folder.c_str());
    EXPECT_NE(entry, nullptr) << std::string(folder.begin(), folder.end());
    return entry;
}

} // namespace

TEST(CKFileCache, FilterKeepsListedExtensionsIgnoringCaseAndStopsAtAnElementWithoutStar)
{
    KTempFolder temp;
    temp.File(L"a.MP3");
    temp.File(L"b.wav");
    temp.File(L"c.txt");
    temp.File(L"d");
    CKFileCache* cache = MakeCache(L"*.mp3;*.wav;", 0);
    KFileEntry* folder = Find(cache, temp.GetPath());
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(ChildNames(cache, folder), (Names{L"a.MP3", L"b.wav"}));
    EXPECT_EQ(folder->fileCount, 2);
    EXPECT_EQ(folder->folderCount, 0);
    EXPECT_STREQ(cache->GetFilter(), L"*.mp3;*.wav;");

    // "mp2" lacks "*.": the list ends there, so ".wav" is not taken either.
    cache->SetFilter(L"*.mp3;mp2;*.wav");
    EXPECT_TRUE(cache->MatchesFilter(L"x.Mp3"));
    EXPECT_FALSE(cache->MatchesFilter(L"x.mp2"));
    EXPECT_FALSE(cache->MatchesFilter(L"x.wav"));
    EXPECT_FALSE(cache->MatchesFilter(L"mp3"));
    cache->ReadFolder(folder);
    EXPECT_EQ(ChildNames(cache, folder), (Names{L"a.MP3"}));

    // No filter: every file, the ones without extension too; an empty "*." element adds nothing.
    cache->SetFilter(nullptr);
    EXPECT_TRUE(cache->MatchesFilter(L"d"));
    cache->ReadFolder(folder);
    EXPECT_EQ(ChildNames(cache, folder), (Names{L"a.MP3", L"b.wav", L"c.txt", L"d"}));
    cache->SetFilter(L"*.;*.txt");
    EXPECT_TRUE(cache->MatchesFilter(L"c.txt"));
    EXPECT_FALSE(cache->MatchesFilter(L"d"));
    cache->Release();
}

TEST(CKFileCache, EntriesTakeTheirIconsFromTheExtensionMap)
{
    EXPECT_EQ(CKFileCache::GetFileIcon(L"mp3"), 5);
    EXPECT_EQ(CKFileCache::GetFileIcon(L"WAV"), 5);
    EXPECT_EQ(CKFileCache::GetFileIcon(L"txt"), 3);
    EXPECT_EQ(CKFileCache::GetFileIcon(L"Jpeg"), 4);
    EXPECT_EQ(CKFileCache::GetFileIcon(L"wma"), 6);
    EXPECT_EQ(CKFileCache::GetFileIcon(L"rmvb"), 7);
    EXPECT_EQ(CKFileCache::GetFileIcon(L"flac"), KFILE_ICON_FILE);
    EXPECT_EQ(CKFileCache::GetFileIcon(L""), KFILE_ICON_FILE);
    EXPECT_EQ(CKFileCache::GetFileIcon(nullptr), KFILE_ICON_FILE);
    EXPECT_EQ(CKFileCache::GetFileIcon(std::wstring(200, L'a').c_str()), KFILE_ICON_FILE);

    KTempFolder temp;
    temp.Folder(L"sub");
    temp.File(L"song.mp3");
    temp.File(L"notes.TXT");
    temp.File(L"raw");
    CKFileCache* cache = MakeCache(nullptr, 0);
    KFileEntry* folder = Find(cache, temp.GetPath());
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(ChildNamed(cache, folder, L"sub")->icon, KFILE_ICON_FOLDER);
    EXPECT_EQ(ChildNamed(cache, folder, L"song.mp3")->icon, 5);
    EXPECT_EQ(ChildNamed(cache, folder, L"notes.TXT")->icon, 3);
    EXPECT_EQ(ChildNamed(cache, folder, L"raw")->icon, KFILE_ICON_FILE);
    cache->Release();
}

TEST(CKFileCache, RootsAreTheFixedDrivesWithDriveModeAndShortDisplayNames)
{
    CKFileCache* cache = MakeCache(nullptr, 0);
    wchar_t drives[128];
    CKFile::GetFixedDrives(drives, 128);
    int expected = 0;
    for (const wchar_t* d = drives; *d; d += wcslen(d) + 1)
        expected++;
    const Names roots = ChildNames(cache, nullptr);
    ASSERT_EQ((int)roots.size(), expected);
    ASSERT_GE(expected, 1);
    for (size_t i = 1; i < roots.size(); i++)
        EXPECT_LT(roots[i - 1], roots[i]);
    KFileEntry* c = ChildNamed(cache, nullptr, L"C:\\");
    ASSERT_NE(c, nullptr);
    EXPECT_STREQ(c->displayName, L"C:");
    EXPECT_EQ(c->info.mode, (DWORD)(KFA_DIRECTORY | KFA_DRIVE));
    EXPECT_EQ(c->icon, KFILE_ICON_DRIVE);
    EXPECT_EQ(cache->GetParent(c), nullptr);
    EXPECT_EQ(FullPath(cache, c), L"C:\\");
    // One level is read below each drive, and the folders there are read too (look-ahead).
    EXPECT_NE(c->folderCount, KFILE_NOT_READ);
    for (KFileEntry* child = cache->GetFirstChild(c); child; child = cache->GetNext(child)) {
        if (CKFileCache::IsFolder(child)) {
            EXPECT_NE(child->folderCount, KFILE_NOT_READ);
        }
    }
    cache->Release();
}

TEST(CKFileCache, ChildrenSortFoldersFirstThenByNameIgnoringCase)
{
    KTempFolder temp;
    temp.File(L"B.mp3");
    temp.Folder(L"d");
    temp.File(L"a.mp3");
    temp.Folder(L"b");
    temp.File(L"c.mp3");
    temp.Folder(L"C");
    CKFileCache* cache = MakeCache(L"*.mp3;", 0);
    KFileEntry* folder = Find(cache, temp.GetPath());
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(ChildNames(cache, folder), (Names{L"b", L"C", L"d", L"a.mp3", L"B.mp3", L"c.mp3"}));
    EXPECT_EQ(folder->folderCount, 3);
    EXPECT_EQ(folder->fileCount, 3);

    // A file added later joins in its place when the folder is read again.
    temp.File(L"AA.mp3");
    temp.Folder(L"a");
    cache->ReadFolder(folder);
    EXPECT_EQ(ChildNames(cache, folder),
              (Names{L"a", L"b", L"C", L"d", L"a.mp3", L"AA.mp3", L"B.mp3", L"c.mp3"}));
    cache->Release();
}

TEST(CKFileCache, ReadingAgainAfterADeletionKeepsTheOtherEntriesWithUpdatedInfo)
{
    KTempFolder temp;
    temp.File(L"a.mp3", 10);
    const std::wstring b = temp.File(L"b.mp3", 20);
    const std::wstring c = temp.File(L"c.mp3", 30);
    CKFileCache* cache = MakeCache(nullptr, 0);
    KFileEntry* folder = Find(cache, temp.GetPath());
    ASSERT_NE(folder, nullptr);
    KFileEntry* a = ChildNamed(cache, folder, L"a.mp3");
    KFileEntry* cEntry = ChildNamed(cache, folder, L"c.mp3");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(cEntry, nullptr);
    EXPECT_EQ(cEntry->info.size, 30u);

    ASSERT_TRUE(DeleteFileW(b.c_str()));
    HANDLE file = CreateFileW(c.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "0123456789012345678901234567890123456789", 40, &written, nullptr);
    CloseHandle(file);

    std::vector<KFileEntry*> removed;
    auto hook = [](KFileEntry* entry, void* context) {
        ((std::vector<KFileEntry*>*)context)->push_back(entry);
    };
    ASSERT_TRUE(cache->AddRemoveHook(hook, &removed));
    KFileEntry* bEntry = ChildNamed(cache, folder, L"b.mp3");
    EXPECT_EQ(cache->ReadFolder(folder), 1);
    EXPECT_EQ(ChildNames(cache, folder), (Names{L"a.mp3", L"c.mp3"}));
    EXPECT_EQ(ChildNamed(cache, folder, L"a.mp3"), a);
    EXPECT_EQ(ChildNamed(cache, folder, L"c.mp3"), cEntry);
    EXPECT_EQ(cEntry->info.size, 40u);
    EXPECT_EQ(cEntry->stale, 0);
    EXPECT_EQ(removed, std::vector<KFileEntry*>{bEntry});
    EXPECT_EQ(folder->fileCount, 2);
    cache->RemoveRemoveHook(hook, &removed);
    cache->Release();
}

TEST(CKFileCache, AVanishedFolderLosesItsChildrenAndHooksSeeParentsFirst)
{
    KTempFolder temp;
    const std::wstring gone = temp.Folder(L"gone");
    temp.Folder(L"gone\\inner");
    temp.File(L"gone\\x.mp3");
    CKFileCache* cache = MakeCache(nullptr, 0);
    KFileEntry* folder = Find(cache, temp.GetPath());
    ASSERT_NE(folder, nullptr);
    KFileEntry* goneEntry = ChildNamed(cache, folder, L"gone");
    ASSERT_NE(goneEntry, nullptr);
    cache->ReadFolder(goneEntry);
    EXPECT_EQ(ChildNames(cache, goneEntry), (Names{L"inner", L"x.mp3"}));
    KFileEntry* inner = ChildNamed(cache, goneEntry, L"inner");

    std::vector<KFileEntry*> removed;
    auto hook = [](KFileEntry* entry, void* context) {
        ((std::vector<KFileEntry*>*)context)->push_back(entry);
    };
    cache->AddRemoveHook(hook, &removed);
    cache->AddRemoveHook(hook, &removed);   // the same pair is kept once
    RemoveTree(gone);
    // The folder itself cannot be listed any more: it ends up without children.
    cache->ReadFolder(goneEntry);
    EXPECT_TRUE(ChildNames(cache, goneEntry).empty());
    EXPECT_EQ(goneEntry->folderCount, 0);
    EXPECT_EQ(goneEntry->fileCount, 0);
    ASSERT_EQ(removed.size(), 2u);
    EXPECT_EQ(removed[0], inner);
    removed.clear();
    cache->ReadFolder(folder);
    EXPECT_EQ(removed, std::vector<KFileEntry*>{goneEntry});
    EXPECT_TRUE(ChildNames(cache, folder).empty());
    cache->RemoveRemoveHook(hook, &removed);
    cache->Release();
}

TEST(CKFileCache, FindByPathMatchesWholeComponentsOnly)
{
    KTempFolder temp;
    temp.Folder(L"Music");
    temp.Folder(L"Musicals");
    temp.File(L"Music\\m.mp3");
    temp.File(L"Musicals\\show.mp3");
    CKFileCache* cache = MakeCache(nullptr, 0);
    const std::wstring base = temp.GetPath();

    // "Music" sorts first and is a prefix of "Musicals": it must not be taken for it.
    KFileEntry* musicals = cache->FindByPath((base + L"Musicals\\").c_str());
    ASSERT_NE(musicals, nullptr);
    EXPECT_STREQ(musicals->name, L"Musicals");
    EXPECT_EQ(ChildNames(cache, musicals), (Names{L"show.mp3"}));
    EXPECT_EQ(cache->FindByPath((base + L"Musicals").c_str()), musicals);
    KFileEntry* music = cache->FindByPath((base + L"Music").c_str());
    ASSERT_NE(music, nullptr);
    EXPECT_STREQ(music->name, L"Music");
    // Doubled backslashes are skipped; a file is found too; its path has no trailing '\'.
    KFileEntry* song = cache->FindByPath((base + L"Music\\\\m.mp3").c_str());
    ASSERT_NE(song, nullptr);
    EXPECT_EQ(FullPath(cache, song), base + L"Music\\m.mp3");
    EXPECT_EQ(FullPath(cache, music), base + L"Music\\");

    EXPECT_EQ(cache->FindByPath((base + L"Mus").c_str()), nullptr);
    EXPECT_EQ(cache->FindByPath((base + L"Music\\m.mp3\\more").c_str()), nullptr);
    EXPECT_EQ(cache->FindByPath((base + L"Nothing\\").c_str()), nullptr);
    EXPECT_EQ(cache->FindByPath(L"Q:\\Music\\"), nullptr);
    EXPECT_EQ(cache->FindByPath(L"relative\\path"), nullptr);
    EXPECT_EQ(cache->FindByPath(L""), nullptr);
    EXPECT_EQ(cache->FindByPath(nullptr), nullptr);
    cache->Release();
}

TEST(CKFileCache, ReadChildrenLooksOneLevelAheadAndRefreshRereadsOnlyWhatWasRead)
{
    KTempFolder temp;
    temp.Folder(L"A");
    temp.Folder(L"A\\B");
    temp.Folder(L"A\\B\\C");
    CKFileCache* cache = MakeCache(nullptr, 0);
    KFileEntry* top = Find(cache, temp.GetPath());
    ASSERT_NE(top, nullptr);
    KFileEntry* a = ChildNamed(cache, top, L"A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->folderCount, KFILE_NOT_READ);
    cache->ReadChildren(top);
    EXPECT_EQ(a->folderCount, 1);
    cache->ReadChildren(a);
    KFileEntry* b = ChildNamed(cache, a, L"B");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->folderCount, 1);
    KFileEntry* c = ChildNamed(cache, b, L"C");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->folderCount, KFILE_NOT_READ);

    temp.File(L"A\\B\\new.mp3");
    temp.File(L"A\\B\\C\\deep.mp3");
    cache->Refresh(top);
    EXPECT_EQ(ChildNames(cache, b), (Names{L"C", L"new.mp3"}));
    EXPECT_EQ(c->folderCount, KFILE_NOT_READ);   // never read: not read by the refresh
    // Refresh of everything reaches the same folders from the drives.
    temp.File(L"A\\B\\other.mp3");
    cache->Refresh(nullptr);
    EXPECT_EQ(ChildNames(cache, b), (Names{L"C", L"new.mp3", L"other.mp3"}));
    cache->Release();
}

TEST(CKFileCache, OptionsLeaveOutHiddenEntriesFoldersOrFiles)
{
    KTempFolder temp;
    temp.Folder(L"dir");
    const std::wstring hidden = temp.File(L"secret.mp3");
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    temp.File(L"open.mp3");
    const std::wstring base = temp.GetPath();

    CKFileCache* cache = MakeCache(nullptr, 0);
    KFileEntry* folder = Find(cache, base);
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(ChildNames(cache, folder), (Names{L"dir", L"open.mp3"}));
    cache->Release();

    cache = MakeCache(nullptr, KFILE_HIDDEN);
    folder = Find(cache, base);
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(ChildNames(cache, folder), (Names{L"dir", L"open.mp3", L"secret.mp3"}));
    EXPECT_TRUE(ChildNamed(cache, folder, L"secret.mp3")->info.mode & KFA_HIDDEN);
    cache->Release();

    cache = MakeCache(nullptr, KFILE_NO_FILES);
    folder = Find(cache, base);
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(ChildNames(cache, folder), (Names{L"dir"}));
    cache->Release();

    cache = MakeCache(nullptr, KFILE_NO_FOLDERS);
    KFileEntry* drive = ChildNamed(cache, nullptr, L"C:\\");
    ASSERT_NE(drive, nullptr);
    for (KFileEntry* child = cache->GetFirstChild(drive); child; child = cache->GetNext(child))
        EXPECT_FALSE(CKFileCache::IsFolder(child));
    EXPECT_EQ(drive->folderCount, 0);
    cache->Release();

    EXPECT_TRUE(CKFileCache::IsExcluded(KFA_HIDDEN, 0));
    EXPECT_FALSE(CKFileCache::IsExcluded(KFA_HIDDEN, KFILE_HIDDEN));
    EXPECT_TRUE(CKFileCache::IsExcluded(KFA_DIRECTORY, KFILE_NO_FOLDERS));
    EXPECT_FALSE(CKFileCache::IsExcluded(KFA_DIRECTORY, KFILE_NO_FILES));
    EXPECT_TRUE(CKFileCache::IsExcluded(KFA_READ, KFILE_NO_FILES));
}

TEST(CKFileCache, FullPathsThatDoNotFitGiveNothingAndBadCallsAreHarmless)
{
    KTempFolder temp;
    temp.File(L"f.mp3");
    CKFileCache* cache = MakeCache(nullptr, 0);
    // Folders down to at most 240 characters, then one whose full path passes KMAX_PATH (made
    // through the long-path prefix): it is listed, but it has no path and cannot be read.
    std::wstring relative;
    while (temp.GetPath().size() + relative.size() + 41 <= 240) {
        relative += std::wstring(40, (wchar_t)(L'a' + relative.size() % 26));
        temp.Folder(relative);
        relative += L"\\";
    }
    const std::wstring parentPath = temp.GetPath() + relative;
    const std::wstring longChild = parentPath + std::wstring(70, L'z');
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + longChild).c_str(), nullptr));
    KFileEntry* parent = Find(cache, parentPath);
    ASSERT_NE(parent, nullptr);
    KFileEntry* entry = cache->GetFirstChild(parent);
    ASSERT_NE(entry, nullptr);
    wchar_t buffer[KMAX_PATH];
    buffer[0] = L'?';
    EXPECT_EQ(cache->GetFullPath(entry, buffer), 0);
    EXPECT_STREQ(buffer, L"");
    EXPECT_EQ(cache->ReadFolder(entry), 1);
    EXPECT_EQ(entry->folderCount, 0);
    RemoveDirectoryW((L"\\\\?\\" + longChild).c_str());
    EXPECT_EQ(cache->GetFullPath(nullptr, buffer), 0);
    EXPECT_EQ(cache->ReadFolder(nullptr), 0);
    cache->ReadChildren(nullptr);
    EXPECT_EQ(cache->GetFirstChild(nullptr), nullptr);
    EXPECT_EQ(cache->GetNext(nullptr), nullptr);
    EXPECT_EQ(cache->GetParent(nullptr), nullptr);
    // A file is no folder: reading it does nothing.
    KFileEntry* file = cache->FindByPath((temp.GetPath() + L"f.mp3").c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(cache->ReadFolder(file), 0);
    EXPECT_EQ(file->folderCount, KFILE_NOT_READ);
    // Building the roots again drops every entry.
    const int before = cache->GetEntryCount();
    EXPECT_GE(cache->BuildRoots(0), 1);
    EXPECT_LT(cache->GetEntryCount(), before);
    cache->Release();
}
