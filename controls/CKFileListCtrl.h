// CKFileListCtrl: a list box showing one folder of a CKFileCache (or the list of drives), each row
// an icon from "res/FileIcon.png" and two lines: the name, then size, attributes and last-write
// time. The browse page walks the drives with it.
//
// Items: each carries its entry as item data (none for the ".." item), the entry's display name
// as its borrowed text (KLI_BORROWED_TEXT) and the entry's icon cell. The list holds one reference
// on the cache and one on the icon strip; its rows are rebuilt whenever the current folder, the
// cache or the folder's content changes, so no row outlives its entry.
#pragma once
#include "controls/CKFileCache.h"
#include "controls/CKListBox.h"

class CKFileListCtrl : public CKListBox
{
    K_DECLARE_DYNCREATE(CKFileListCtrl)
public:
    CKFileListCtrl() = default;
    // Releases the cache and the icon strip.
    ~CKFileListCtrl() override;

    // After the base: the icon strip (GetFileIconStrip).
    void Initialize(unsigned int style) override;
    // Face, icon and box as the list box draws them, then the name and the details line. With
    // KLBS_GRID the list box's own drawing.
    void DrawItem(CKCanvas* canvas, KListItem* item, const RECT& rect) override;

    // Releases the old cache, holds the new one (none: no cache), clears the path and shows the
    // drives.
    void SetCache(CKFileCache* newCache);
    CKFileCache* GetCache() const { return cache; }
    // Item flags of file rows and folder rows (KLI_* bits, for example a check box at the right).
    void SetItemFlags(unsigned int fileFlags, unsigned int folderFlags);
    // Makes a folder current: reads it if it never was, sets the path, refills. 0 for none or a
    // file.
    int Open(KFileEntry* entry);
    // The parent folder becomes current; from a drive's top, the list of drives.
    void GoUp();
    // An empty path (or none) shows the drives; otherwise the folder found by FindByPath becomes
    // current with its full path as the path text. 0 when it is not found or is a file (nothing
    // changes then).
    int SetPath(const wchar_t* path);
    // Re-reads the current folder (and what was read below it) and refills.
    void Refresh();
    // The current folder, none for the list of drives.
    KFileEntry* GetCurrentEntry() const { return current; }
    const wchar_t* GetPath() const { return path; }
    // The entry of a row, none for the ".." row or a bad index.
    KFileEntry* GetEntry(int index) const { return (KFileEntry*)GetItemData(index); }

    // The details texts (capacity: KFILE_DETAIL_CAPACITY units each), exposed for their rules.
    // "%d B" below 1024 bytes, "%.2f KB" below 1,048,576, else "%.2f MB".
    static int FormatSize(ULONGLONG size, wchar_t* buffer);
    // 'd' for a folder, then 'r', 'w', 'x' for KFA_READ, KFA_WRITE, KFA_EXEC; '-' when absent.
    static int FormatAttributes(DWORD mode, wchar_t* buffer);
    // "yyyy/mm/dd hh:mm" as stored; the empty text when the year is 0.
    static int FormatTime(const SYSTEMTIME& time, wchar_t* buffer);

private:
    // Rebuilds the rows from the current folder or the drives.
    void Fill();
    // Sets the current folder and the path text from it.
    void SetCurrent(KFileEntry* entry);

    CKFileCache* cache = nullptr;      // counted
    KFileEntry* current = nullptr;     // borrowed from the cache: the folder shown, none: drives
    KStringW path;                     // the current folder's full path, empty for the drives
    unsigned int fileItemFlags = 0;
    unsigned int folderItemFlags = 0;
    CKImgList* iconStrip = nullptr;    // counted
};

// Capacity of each details text of CKFileListCtrl.
constexpr int KFILE_DETAIL_CAPACITY = 32;
