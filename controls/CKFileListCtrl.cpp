// CKFileListCtrl: the current folder of the cache as rows, walking up and down, and the two-line
// item painting with the name and the details.
#include "controls/CKFileListCtrl.h"

#include "foundation/KPaths.h"
#include "foundation/KText.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKImgList.h"
#include "graphics/CKTextDrawable.h"

K_IMPLEMENT_DYNCREATE(CKFileListCtrl, CKListBox)

namespace {

// The row that leads to the parent folder.
constexpr wchar_t DOTDOT_TEXT[] = L"..";

constexpr ULONGLONG KILOBYTE = 1024;
constexpr ULONGLONG MEGABYTE = 1024 * 1024;

} // namespace

CKFileListCtrl::~CKFileListCtrl()
{
    if (cache)
        cache->Release();
    if (iconStrip)
        iconStrip->Release();
}

void CKFileListCtrl::Initialize(unsigned int newStyle)
{
    CKListBox::Initialize(newStyle);
    if (!iconStrip) {
        iconStrip = GetFileIconStrip();
        if (iconStrip)
            iconStrip->AddRef();
    }
}

// ---- Folder and path ----------------------------------------------------------------------------

void CKFileListCtrl::SetCache(CKFileCache* newCache)
{
    if (newCache)
        newCache->AddRef();
    if (cache)
        cache->Release();
    cache = newCache;
    SetCurrent(nullptr);
    Fill();
}

void CKFileListCtrl::SetItemFlags(unsigned int fileFlags, unsigned int folderFlags)
{
    fileItemFlags = fileFlags;
    folderItemFlags = folderFlags;
}

int CKFileListCtrl::Open(KFileEntry* entry)
{
    if (!cache || !entry || !CKFileCache::IsFolder(entry))
        return 0;
    if (entry->folderCount == KFILE_NOT_READ)
        cache->ReadFolder(entry);
    SetCurrent(entry);
    Fill();
    return 1;
}

void CKFileListCtrl::GoUp()
{
    if (!cache || !current)
        return;
    KFileEntry* parent = cache->GetParent(current);
    if (parent) {
        Open(parent);
        return;
    }
    SetCurrent(nullptr);
    Fill();
}

int CKFileListCtrl::SetPath(const wchar_t* newPath)
{
    if (!newPath || !*newPath) {
        SetCurrent(nullptr);
        Fill();
        return 1;
    }
    if (!cache)
        return 0;
    KFileEntry* found = cache->FindByPath(newPath);
    if (!found || !CKFileCache::IsFolder(found))
        return 0;
    return Open(found);
}

void CKFileListCtrl::Refresh()
{
    if (!cache)
        return;
    // Nothing paints before Fill replaces the rows whose entries the re-read freed.
    if (current)
        cache->Refresh(current);
    Fill();
}

void CKFileListCtrl::SetCurrent(KFileEntry* entry)
{
    current = entry;
    wchar_t full[KMAX_PATH];
    const int length = cache && entry ? cache->GetFullPath(entry, full) : 0;
    path.Assign(full, length);
}

void CKFileListCtrl::Fill()
{
    const bool wasOn = SuspendRedraw();
    RemoveAllItems();
    if (cache) {
        if (current && (style & KFILE_DOTDOT)) {
            const int index = AddItem(KLI_BORROWED_TEXT);
            SetItemText(index, DOTDOT_TEXT, -1, nullptr, 0);
            SetItemIcon(index, iconStrip, KFILE_ICON_FOLDER);
        }
        const int rows = current ? current->folderCount + current->fileCount : 0;
        if (rows > 0)
            items.Reserve(items.GetCount() + rows);
        KFileEntry* entry = current ? cache->GetFirstChild(current) : cache->GetFirstRoot();
        for (; entry; entry = cache->GetNext(entry)) {
            if (CKFileCache::IsExcluded(entry->info.mode, style))
                continue;
            const unsigned int rowFlags =
                CKFileCache::IsFolder(entry) ? folderItemFlags : fileItemFlags;
            const int index = AddItem(rowFlags | KLI_BORROWED_TEXT);
            if (index < 0)
                break;
            SetItemText(index, entry->displayName, -1, nullptr, 0);
            SetItemIcon(index, iconStrip, entry->icon);
            SetItemData(index, (INT_PTR)entry);
        }
    }
    ResumeRedraw(wasOn);
}

// ---- Painting -----------------------------------------------------------------------------------

int CKFileListCtrl::FormatSize(ULONGLONG size, wchar_t* buffer)
{
    if (size < KILOBYTE)
        return FormatText(buffer, KFILE_DETAIL_CAPACITY, L"%d B", (int)size);
    if (size < MEGABYTE)
        return FormatText(buffer, KFILE_DETAIL_CAPACITY, L"%.2f KB", (double)size / 1024.0);
    return FormatText(buffer, KFILE_DETAIL_CAPACITY, L"%.2f MB", (double)size / 1048576.0);
}

int CKFileListCtrl::FormatAttributes(DWORD mode, wchar_t* buffer)
{
    buffer[0] = (mode & KFA_DIRECTORY) ? L'd' : L'-';
    buffer[1] = (mode & KFA_READ) ? L'r' : L'-';
    buffer[2] = (mode & KFA_WRITE) ? L'w' : L'-';
    buffer[3] = (mode & KFA_EXEC) ? L'x' : L'-';
    buffer[4] = 0;
    return 4;
}

int CKFileListCtrl::FormatTime(const SYSTEMTIME& time, wchar_t* buffer)
{
    buffer[0] = 0;
    if (!time.wYear)
        return 0;
    return FormatText(buffer, KFILE_DETAIL_CAPACITY, L"%04d/%02d/%02d %02d:%02d", time.wYear,
                      time.wMonth, time.wDay, time.wHour, time.wMinute);
}

void CKFileListCtrl::DrawItem(CKCanvas* canvas, KListItem* item, const RECT& rect)
{
    if ((style & KLBS_GRID) || item->height <= 0) {
        CKListBox::DrawItem(canvas, item, rect);
        return;
    }
    const RECT row = DrawItemFrame(canvas, item, rect);
    RECT content = DrawItemFace(canvas, item, row, 0);
    DrawItemIconAndBox(canvas, item, content, 0);
    const unsigned int bits = item->flags & KSTATE_SLOT_MASK;
    const int h1 = text1 ? MeasureText(text1, nullptr, 0, bits).cy : 0;
    const int h2 = text2 ? MeasureText(text2, nullptr, 0, bits).cy : 0;
    const int top = (content.top + content.bottom - (h1 + h2)) / 2;
    if (text1 && item->text1)
        DrawTextLine(canvas, text1, item->text1, item->text1Length,
                     RECT{content.left, top, content.right, top + h1},
                     bits | KDT_LEFT | KDT_END_ELLIPSIS);
    const KFileEntry* entry = (const KFileEntry*)item->userData;
    if (!text2 || !entry)
        return;
    const RECT line = {content.left, top + h1, content.right, top + h1 + h2};
    wchar_t detail[KFILE_DETAIL_CAPACITY];
    if (!CKFileCache::IsFolder(entry)) {
        const int length = FormatSize(entry->info.size, detail);
        DrawTextLine(canvas, text2, detail, length, line, bits | KDT_LEFT);
    }
    const int length = FormatAttributes(entry->info.mode, detail);
    const RECT attributes = {line.left + (line.right - line.left) / 3, line.top, line.right,
                             line.bottom};
    DrawTextLine(canvas, text2, detail, length, attributes, bits | KDT_LEFT);
    if (entry->info.modified.wYear) {
        const int timeLength = FormatTime(entry->info.modified, detail);
        DrawTextLine(canvas, text2, detail, timeLength, line, bits | KDT_RIGHT);
    }
}
