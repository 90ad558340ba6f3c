// CKFileCache: a lazily filled in-memory tree of the machine's fixed drives, their folders and the
// files that pass a name filter, shared by reference count between the file list and the folder
// tree so that a folder is read from disk once and both controls agree. Also the process-wide
// extension-to-icon map of "res/FileExt.ini" and its shut-down step.
//
// Entry rules:
// - Every KFileEntry is one allocation owned by the cache; the cache tree's item is a pointer to
//   it and the entry knows that item (`node`). Entries live until a re-read no longer finds them,
//   BuildRoots drops them all, or the cache is deleted.
// - Before an entry is freed, every removal hook (AddRemoveHook) is called with it, parents before
//   their descendants, so that a control holding entries (item data, borrowed names) lets them go.
// - Children of a read folder are kept sorted: folders first, then by display name ignoring ASCII
//   case (stable).
#pragma once
#include <windows.h>

#include "foundation/CKArray.h"
#include "foundation/CKFile.h"
#include "foundation/CKTree.h"
#include "foundation/KString.h"

class CKImgList;

// Option bits of the cache; the file list's and the file tree's styles use the same bits.
constexpr unsigned int KFILE_NO_FOLDERS = 0x10000;   // leave folders out
constexpr unsigned int KFILE_NO_FILES = 0x20000;     // leave files out
constexpr unsigned int KFILE_HIDDEN = 0x40000;       // include hidden and system entries
constexpr unsigned int KFILE_DOTDOT = 0x80000;       // (file list only) a ".." item on top

// Mode bit of drive entries, beside KFA_DIRECTORY (foundation/CKFile.h).
constexpr DWORD KFA_DRIVE = 0x40000;

// Cells of "res/FileIcon.png" the cache assigns itself; the map gives the others.
constexpr int KFILE_ICON_DRIVE = 0;
constexpr int KFILE_ICON_FOLDER = 1;
constexpr int KFILE_ICON_FILE = 2;    // a file whose type the map does not know

// Folder and file counts of a folder that was never read.
constexpr int KFILE_NOT_READ = -1;

// One drive, folder or file; a single allocation carrying its names inline.
struct KFileEntry
{
    KFileEntry** node;           // borrowed: the cache tree item that holds this entry
    int stale;                   // set while its folder is re-read; cleared when found again
    int folderCount;             // child folders after the last read; KFILE_NOT_READ: never read
    int fileCount;               // child files after the last read; KFILE_NOT_READ: never read
    int icon;                    // cell of "res/FileIcon.png"
    KFileInfo info;              // mode bits, times, size
    int nameLength;              // units of `name`, without the NUL
    const wchar_t* displayName;  // borrowed: `name` itself, or the text stored after it (drives)
    wchar_t name[1];             // the path component ("C:\", "Music", "a.mp3") and its NUL
};

// Called for an entry about to be freed.
typedef void (*KFileRemovedProc)(KFileEntry* entry, void* context);

class CKFileCache : public CKObject
{
    K_DECLARE_CLASS(CKFileCache)
public:
    CKFileCache();
    // Frees every entry (hooks are not called: whoever registered one holds a reference, so none
    // is left by then).
    ~CKFileCache() override;

    // Stores the text and rebuilds the extension list; none (or an empty text) clears the filter.
    // 0 when memory ran out (the filter is then cleared).
    int SetFilter(const wchar_t* text);
    const wchar_t* GetFilter() const { return filterText; }
    // Whether a file name passes the filter (always, without a filter).
    bool MatchesFilter(const wchar_t* fileName) const;

    // Stores the options, drops every entry, adds one entry per fixed drive, sorts the drives and
    // reads one level below each (ReadChildren). Returns the number of drives.
    int BuildRoots(unsigned int options);
    unsigned int GetOptions() const { return options; }

    // Reads the folder from disk: kept children are the same entries with their info updated,
    // vanished ones are removed, new ones added; then sorted and counted. A folder that cannot be
    // listed ends up without children. 0 for none or a file.
    int ReadFolder(KFileEntry* entry);
    // A folder never read is read, then every child folder never read (one level of look-ahead).
    void ReadChildren(KFileEntry* entry);
    // Re-reads `entry` (none: every drive) and every folder below it that has been read before.
    void Refresh(KFileEntry* entry);
    // The entry of an absolute path ("C:\Music\", "C:\Music\a.mp3"), reading folders on the way;
    // each component must match a whole name (up to a backslash or the end of the path). The
    // folder found is read if it never was. None when a component is missing.
    KFileEntry* FindByPath(const wchar_t* path);
    // The names from the drive down into `buffer` (KMAX_PATH units); a folder's path ends with
    // '\'. Returns the length; 0 (empty text) for none or a path that would not fit.
    int GetFullPath(const KFileEntry* entry, wchar_t* buffer) const;

    // Walking the cache; none at the ends.
    KFileEntry* GetFirstRoot() const;
    KFileEntry* GetFirstChild(const KFileEntry* entry) const;
    KFileEntry* GetNext(const KFileEntry* entry) const;
    KFileEntry* GetParent(const KFileEntry* entry) const;
    int GetEntryCount() const { return entries.GetCount(); }

    // Removal hooks: `proc` is called with `context` for every entry before it is freed. Adding a
    // pair twice keeps one. 0 when memory ran out.
    int AddRemoveHook(KFileRemovedProc proc, void* context);
    void RemoveRemoveHook(KFileRemovedProc proc, void* context);

    // The cell of "res/FileIcon.png" for an extension (without the dot), looked up in lower case in
    // the map "res/FileExt.ini", loaded on the first call; KFILE_ICON_FILE when it is not there.
    static int GetFileIcon(const wchar_t* extension);
    // Whether an entry is a folder (drives included).
    static bool IsFolder(const KFileEntry* entry)
    {
        return (entry->info.mode & KFA_DIRECTORY) != 0;
    }
    // Whether an entry of mode `mode` (KFA_* bits) is left out under the option (or style) bits:
    // hidden ones without KFILE_HIDDEN, folders with KFILE_NO_FOLDERS, files with KFILE_NO_FILES.
    static bool IsExcluded(DWORD mode, unsigned int optionBits);

private:
    // A new entry under `parent` (none: a root) with the names inline, appended as its last child;
    // none when memory ran out.
    KFileEntry* AddEntry(KFileEntry* parent, const wchar_t* name, const wchar_t* displayName,
                         const KFileInfo& info, int icon);
    // Calls the hooks for the entry and its descendants, frees them all and removes the subtree.
    void RemoveEntry(KFileEntry* entry);
    // Orders the children of `parent` (none: the drives) when they are not in order already.
    void SortChildren(KFileEntry* parent);
    // Removal function of the tree: the hooks (context: the cache, or none to skip them), then
    // the entry's memory.
    static int FreeEntryProc(KFileEntry** item, void* context);

    unsigned int options = 0;       // KFILE_* bits given to BuildRoots
    KStringW filterText;            // the filter as set
    wchar_t* extensions = nullptr;  // owned: "mp3\0wav\0\0"; none without a filter
    CKTreeT<KFileEntry*> entries;   // items point to entries the cache owns
    CKArray hooks;                  // of KRemoveHook records
};

// The icon strip of files, folders and drives: "res/FileIcon.png" in cells of 32 by 32, borrowed
// from the image cache (none when it cannot be loaded).
CKImgList* GetFileIconStrip();

// Module step of the "file list" slot at shut-down: deletes the extension map.
void KTermFileList();
