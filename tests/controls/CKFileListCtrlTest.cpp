// CKFileListCtrl on real folders: the details texts, the ".." row, opening, going up to the drives,
// paths, re-reading, the style's filters and the two-line rows as painted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileTestSupport.h"
#include "ListBoxTestSupport.h"
#include "controls/CKFileListCtrl.h"
#include "graphics/CKStateBoxDrawable.h"
#include "graphics/CKTextDrawable.h"

namespace {

typedef std::vector<std::wstring> Names;

constexpr int FILE_LIST_ID = 5000;
// A check box at the right edge of the row.
constexpr unsigned int CHECK_RIGHT = KBOX_CHECK | KLI_BOX_RIGHT;

CKFileListCtrl* MakeFileList(KControlScope& scope, unsigned int style)
{
    CNoticeHost* host = scope.AddHost();
    return scope.Add(new CKFileListCtrl(), host, style, LIST_FLAGS,
                     RECT{0, 0, LIST_WIDTH, LIST_HEIGHT}, FILE_LIST_ID);
}

std::vector<std::wstring> RowTexts(const CKFileListCtrl* list)
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < list->GetCount(); i++)
        texts.push_back(list->GetItem(i)->text1 ? list->GetItem(i)->text1 : L"(none)");
    return texts;
}

std::wstring Text(const wchar_t* buffer)
{
    return buffer;
}

} // namespace

TEST(CKFileListCtrl, DetailsGiveSizesInBytesKilobytesAndMegabytesAttributesAndTime)
{
    wchar_t text[KFILE_DETAIL_CAPACITY];
    EXPECT_EQ(CKFileListCtrl::FormatSize(0, text), 3);
    EXPECT_EQ(Text(text), L"0 B");
    CKFileListCtrl::FormatSize(1023, text);
    EXPECT_EQ(Text(text), L"1023 B");
    CKFileListCtrl::FormatSize(1024, text);
    EXPECT_EQ(Text(text), L"1.00 KB");
    CKFileListCtrl::FormatSize(1048575, text);
    EXPECT_EQ(Text(text), L"1024.00 KB");
    CKFileListCtrl::FormatSize(1048576, text);
    EXPECT_EQ(Text(text), L"1.00 MB");
    CKFileListCtrl::FormatSize(5ull * 1024 * 1024 * 1024, text);
    EXPECT_EQ(Text(text), L"5120.00 MB");

    EXPECT_EQ(CKFileListCtrl::FormatAttributes(KFA_DIRECTORY | KFA_READ | KFA_WRITE, text), 4);
    EXPECT_EQ(Text(text), L"drw-");
    CKFileListCtrl::FormatAttributes(KFA_READ | KFA_WRITE, text);
    EXPECT_EQ(Text(text), L"-rw-");
    CKFileListCtrl::FormatAttributes(KFA_READ | KFA_EXEC, text);
    EXPECT_EQ(Text(text), L"-r-x");
    CKFileListCtrl::FormatAttributes(KFA_DIRECTORY | KFA_DRIVE, text);
    EXPECT_EQ(Text(text), L"d---");

    SYSTEMTIME time = {};
    EXPECT_EQ(CKFileListCtrl::FormatTime(time, text), 0);
    EXPECT_EQ(Text(text), L"");
    time.wYear = 2024;
    time.wMonth = 3;
    time.wDay = 5;
    time.wHour = 7;
    time.wMinute = 9;
    time.wSecond = 59;
    CKFileListCtrl::FormatTime(time, text);
    EXPECT_EQ(Text(text), L"2024/03/05 07:09");

    // A normal file as listed from disk shows "-rw-", a folder "drw-".
    KTempFolder temp;
    temp.File(L"plain.mp3", 1023);
    temp.Folder(L"dir");
    CKFileCache* cache = MakeCache(nullptr, 0);
    KFileEntry* folder = cache->FindByPath(temp.GetPath().c_str());
    ASSERT_NE(folder, nullptr);
    KFileEntry* plain = ChildNamed(cache, folder, L"plain.mp3");
    ASSERT_NE(plain, nullptr);
    CKFileListCtrl::FormatAttributes(plain->info.mode, text);
    EXPECT_EQ(Text(text), L"-rw-");
    CKFileListCtrl::FormatAttributes(ChildNamed(cache, folder, L"dir")->info.mode, text);
    EXPECT_EQ(Text(text)[0], L'd');
    EXPECT_NE(plain->info.modified.wYear, 0);
    cache->Release();
}

TEST(CKFileListCtrl, OpensFoldersUnderADotDotRowAndGoesUpToTheDrives)
{
    KTempFolder temp;
    temp.Folder(L"sub");
    temp.File(L"sub\\inner.mp3");
    temp.File(L"a.mp3");
    temp.File(L"skip.txt");
    KControlScope scope;
    CKFileListCtrl* list = MakeFileList(scope, KFILE_DOTDOT);
    ASSERT_NE(list, nullptr);
    CKFileCache* cache = MakeCache(L"*.mp3;", 0);
    list->SetItemFlags(CHECK_RIGHT, CHECK_RIGHT);
    list->SetCache(cache);

    // Without a folder: the drives, no ".." row.
    const Names drives = RowTexts(list);
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives[0], L"C:");
    EXPECT_EQ(list->GetCurrentEntry(), nullptr);
    EXPECT_STREQ(list->GetPath(), L"");
    EXPECT_EQ(list->GetEntry(0), cache->GetFirstRoot());
    EXPECT_EQ(list->GetItem(0)->iconCell, KFILE_ICON_DRIVE);

    ASSERT_EQ(list->SetPath(temp.GetPath().c_str()), 1);
    EXPECT_EQ(std::wstring(list->GetPath()), temp.GetPath());
    EXPECT_EQ(RowTexts(list), (Names{L"..", L"sub", L"a.mp3"}));
    const KListItem* dotdot = list->GetItem(0);
    EXPECT_EQ(dotdot->userData, 0);
    EXPECT_EQ(dotdot->iconCell, KFILE_ICON_FOLDER);
    EXPECT_EQ(dotdot->flags & KLI_BOX_MASK, 0u);
    EXPECT_EQ(list->GetItem(1)->flags & (KLI_BOX_MASK | KLI_BOX_RIGHT | KLI_BORROWED_TEXT),
              CHECK_RIGHT | KLI_BORROWED_TEXT);
    EXPECT_EQ(list->GetItem(2)->iconCell, 5);
    // The texts are the entries' own names, not copies.
    EXPECT_EQ(list->GetItem(2)->text1, list->GetEntry(2)->displayName);

    ASSERT_EQ(list->Open(list->GetEntry(1)), 1);
    EXPECT_EQ(std::wstring(list->GetPath()), temp.GetPath() + L"sub\\");
    EXPECT_EQ(RowTexts(list), (Names{L"..", L"inner.mp3"}));
    EXPECT_EQ(list->Open(list->GetEntry(1)), 0);   // a file does not open
    list->GoUp();
    EXPECT_EQ(std::wstring(list->GetPath()), temp.GetPath());

    // From a drive's top folder, up is the list of drives.
    ASSERT_EQ(list->SetPath(L"C:\\"), 1);
    EXPECT_STREQ(list->GetPath(), L"C:\\");
    EXPECT_EQ(RowTexts(list)[0], L"..");
    list->GoUp();
    EXPECT_EQ(list->GetCurrentEntry(), nullptr);
    EXPECT_STREQ(list->GetPath(), L"");
    EXPECT_EQ(RowTexts(list), drives);
    list->GoUp();   // nothing above the drives
    EXPECT_EQ(RowTexts(list), drives);

    // A vanished or unknown path changes nothing; an empty one shows the drives.
    ASSERT_EQ(list->SetPath(temp.GetPath().c_str()), 1);
    EXPECT_EQ(list->SetPath((temp.GetPath() + L"gone\\").c_str()), 0);
    EXPECT_EQ(list->SetPath((temp.GetPath() + L"a.mp3").c_str()), 0);
    EXPECT_EQ(std::wstring(list->GetPath()), temp.GetPath());
    EXPECT_EQ(list->GetCount(), 3);
    EXPECT_EQ(list->SetPath(L""), 1);
    EXPECT_EQ(RowTexts(list), drives);
    cache->Release();
}

TEST(CKFileListCtrl, RefreshAfterADeletionDropsOnlyThatRowAndStyleBitsFilterRows)
{
    KTempFolder temp;
    temp.Folder(L"dir");
    temp.File(L"a.mp3");
    const std::wstring b = temp.File(L"b.mp3");
    temp.File(L"c.mp3");
    KControlScope scope;
    CKFileListCtrl* list = MakeFileList(scope, 0);
    ASSERT_NE(list, nullptr);
    CKFileCache* cache = MakeCache(nullptr, 0);
    list->SetCache(cache);
    ASSERT_EQ(list->SetPath(temp.GetPath().c_str()), 1);
    EXPECT_EQ(RowTexts(list), (Names{L"dir", L"a.mp3", L"b.mp3", L"c.mp3"}));
    KFileEntry* a = list->GetEntry(1);
    KFileEntry* c = list->GetEntry(3);

    ASSERT_TRUE(DeleteFileW(b.c_str()));
    temp.File(L"d.mp3");
    list->Refresh();
    EXPECT_EQ(RowTexts(list), (Names{L"dir", L"a.mp3", L"c.mp3", L"d.mp3"}));
    EXPECT_EQ(list->GetEntry(1), a);
    EXPECT_EQ(list->GetEntry(2), c);

    // The list's own style leaves out what the cache holds.
    list->ModifyStyle(KFILE_NO_FILES, 0);
    list->Refresh();
    EXPECT_EQ(RowTexts(list), (Names{L"dir"}));
    list->ModifyStyle(KFILE_NO_FOLDERS, KFILE_NO_FILES);
    list->Refresh();
    EXPECT_EQ(RowTexts(list), (Names{L"a.mp3", L"c.mp3", L"d.mp3"}));

    // A new cache starts at the drives; without a cache nothing is listed or opened.
    list->SetCache(nullptr);
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(list->SetPath(temp.GetPath().c_str()), 0);
    EXPECT_EQ(list->Open(a), 0);
    list->Refresh();
    list->GoUp();
    EXPECT_EQ(list->GetCount(), 0);
    cache->Release();
}

TEST(CKFileListCtrl, RowsPaintTheNameAndADetailsLineWithSizeOnlyForFiles)
{
    KTempFolder temp;
    temp.Folder(L"dir");
    temp.File(L"big.mp3", 1048576);
    KControlScope scope;
    CKFileListCtrl* list = MakeFileList(scope, KFILE_DOTDOT);
    ASSERT_NE(list, nullptr);
    CKFileCache* cache = MakeCache(nullptr, 0);
    list->SetCache(cache);
    ASSERT_EQ(list->SetPath(temp.GetPath().c_str()), 1);
    ASSERT_EQ(RowTexts(list), (Names{L"..", L"dir", L"big.mp3"}));
    RepaintNow(list);

    // The second line lies below the first, the two centred together in the row.
    SIZE one = {0, 0}, two = {0, 0};
    list->GetText1Drawable()->SetText(nullptr, 0);
    list->GetText1Drawable()->CalcSize(one);
    list->GetText2Drawable()->SetText(nullptr, 0);
    list->GetText2Drawable()->CalcSize(two);
    const int rowHeight = list->GetItem(0)->height;
    const int lineTop = (rowHeight - (one.cy + two.cy)) / 2 + one.cy;
    // Whether anything but the black face shows in [x0, x1) of row `row`'s second line.
    auto inked = [&](int row, int x0, int x1) {
        const int top = row * rowHeight + lineTop;
        for (int y = top; y < top + two.cy; y++)
            for (int x = x0; x < x1; x++)
                if (BackBufferPixel(x, y) != 0)
                    return true;
        return false;
    };
    const int third = LIST_WIDTH / 3;
    // ".." has no details; a folder has attributes and time but no size; a file all three.
    EXPECT_FALSE(inked(0, 45, LIST_WIDTH - 5));
    EXPECT_FALSE(inked(1, 45, third - 5));
    EXPECT_TRUE(inked(1, third + 20, third + 60));
    EXPECT_TRUE(inked(1, LIST_WIDTH - 50, LIST_WIDTH - 5));
    EXPECT_TRUE(inked(2, 45, third - 5));
    EXPECT_TRUE(inked(2, third + 20, third + 60));
    EXPECT_TRUE(inked(2, LIST_WIDTH - 50, LIST_WIDTH - 5));
    cache->Release();
}
