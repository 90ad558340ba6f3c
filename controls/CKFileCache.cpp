// CKFileCache: the filter, the drive roots, reading folders with stale marks, paths and walks, the
// removal hooks, and the extension map of "res/FileExt.ini".
//
// Index: helpers - construction and filter - roots and reading - paths and walks - hooks -
// extension map.
#include "controls/CKFileCache.h"

#include <cstddef>

#include "foundation/CKIniW.h"
#include "foundation/KMemory.h"
#include "foundation/KPaths.h"
#include "foundation/KText.h"
#include "graphics/CKImage.h"
#include "graphics/KImageCache.h"

K_IMPLEMENT_CLASS(CKFileCache, CKObject)

namespace {

// Nodes per block of the entry tree.
constexpr int ENTRY_NODES_PER_BLOCK = 128;
// Drive list capacity: 26 roots of "X:\" and their NULs, and the final NUL.
constexpr int DRIVE_LIST_CAPACITY = 26 * 4 + 1;
// Longest extension the icon map is searched for.
constexpr int EXTENSION_CAPACITY = 64;
// Section of the extension map.
constexpr wchar_t EXT_MAP_SECTION[] = L"FileExtMap";
constexpr wchar_t EXT_MAP_PATH[] = L"res/FileExt.ini";
// The icon strip and its cell size.
constexpr wchar_t FILE_ICON_STRIP[] = L"res/FileIcon.png";
constexpr int FILE_ICON_SIZE = 32;

// The process-wide extension map: loaded on the first lookup, deleted by KTermFileList.
CKIniW* extensionMap = nullptr;    // owned
bool extensionMapLoaded = false;

// One removal hook.
struct KRemoveHook
{
    KFileRemovedProc proc;
    void* context;
};

// A growing array of entry pointers for the reading of one folder (KAlloc'ed).
struct KEntryVector
{
    KFileEntry** items = nullptr;   // owned
    int count = 0;
    int capacity = 0;

    ~KEntryVector() { KFree(items); }
    bool Push(KFileEntry* entry)
    {
        if (count == capacity) {
            const int grown = capacity ? capacity * 2 : 64;
            void* larger = KRealloc(items, sizeof(KFileEntry*) * (size_t)grown);
            if (!larger)
                return false;
            items = (KFileEntry**)larger;
            capacity = grown;
        }
        items[count++] = entry;
        return true;
    }
};

typedef int (*KEntryCompare)(const KFileEntry* a, const KFileEntry* b);

// The order of a folder's children: folders first, then display names ignoring ASCII case.
int CompareOrder(const KFileEntry* a, const KFileEntry* b)
{
    const bool folderA = CKFileCache::IsFolder(a);
    const bool folderB = CKFileCache::IsFolder(b);
    if (folderA != folderB)
        return folderA ? -1 : 1;
    return KStrICmpW(a->displayName, b->displayName);
}

// Exact names, for finding a stale child by name.
int CompareNames(const KFileEntry* a, const KFileEntry* b)
{
    return KStrCmpW(a->name, b->name);
}

// Stable merge sort of the vector's pointers; false (order unchanged) when memory ran out.
bool SortEntries(KEntryVector& vector, KEntryCompare compare)
{
    const int count = vector.count;
    if (count < 2)
        return true;
    KFileEntry** items = vector.items;
    KFileEntry** scratch = (KFileEntry**)KAlloc(sizeof(KFileEntry*) * (size_t)count);
    if (!scratch)
        return false;
    for (int width = 1; width < count; width *= 2) {
        for (int left = 0; left < count; left += 2 * width) {
            const int middle = left + width < count ? left + width : count;
            const int right = left + 2 * width < count ? left + 2 * width : count;
            int i = left, j = middle, out = left;
            while (i < middle && j < right)
                scratch[out++] = compare(items[j], items[i]) < 0 ? items[j++] : items[i++];
            while (i < middle)
                scratch[out++] = items[i++];
            while (j < right)
                scratch[out++] = items[j++];
        }
        for (int k = 0; k < count; k++)
            items[k] = scratch[k];
    }
    KFree(scratch);
    return true;
}

// The stale child named exactly `name` among `sorted` (ordered by CompareNames), or none.
KFileEntry* FindStale(const KEntryVector& sorted, const wchar_t* name)
{
    int low = 0, high = sorted.count - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = KStrCmpW(sorted.items[middle]->name, name);
        if (order == 0)
            return sorted.items[middle]->stale ? sorted.items[middle] : nullptr;
        if (order < 0)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return nullptr;
}

// The extension of a file name (after its last '.'), or none.
const wchar_t* ExtensionOf(const wchar_t* name)
{
    const int dot = KStrRChrW(name, L'.');
    return dot < 0 ? nullptr : name + dot + 1;
}

// A detached entry with its names inline (display name stored after the name when different);
// none when memory ran out.
KFileEntry* MakeEntry(const wchar_t* name, const wchar_t* displayName, const KFileInfo& info,
                      int icon)
{
    const int nameLength = KStrLenW(name);
    const bool ownDisplay = displayName && displayName != name;
    const int displayLength = ownDisplay ? KStrLenW(displayName) : 0;
    const size_t units = (size_t)nameLength + 1 + (ownDisplay ? (size_t)displayLength + 1 : 0);
    KFileEntry* entry =
        (KFileEntry*)KAlloc(offsetof(KFileEntry, name) + units * sizeof(wchar_t));
    if (!entry)
        return nullptr;
    entry->node = nullptr;
    entry->stale = 0;
    entry->folderCount = KFILE_NOT_READ;
    entry->fileCount = KFILE_NOT_READ;
    entry->icon = icon;
    entry->info = info;
    entry->nameLength = nameLength;
    KStrCpyW(entry->name, name);
    if (ownDisplay) {
        wchar_t* display = entry->name + nameLength + 1;
        KStrCpyW(display, displayName);
        entry->displayName = display;
    } else {
        entry->displayName = entry->name;
    }
    return entry;
}

// What the listing callback of ReadFolder works with.
struct KReadContext
{
    CKFileCache* cache;
    unsigned int options;
    KEntryVector* existing;   // the children before the read, by exact name
    KEntryVector* fresh;      // new entries, detached until the listing ends
};

// The listing callback of ReadFolder: the skip rules, then a kept child's info or a new entry.
int ListedProc(const wchar_t*, const wchar_t* name, const KFileInfo* info, void* param)
{
    KReadContext* read = (KReadContext*)param;
    if (CKFileCache::IsExcluded(info->mode, read->options))
        return 1;
    const bool folder = (info->mode & KFA_DIRECTORY) != 0;
    if (!folder && !read->cache->MatchesFilter(name))
        return 1;
    if (KFileEntry* kept = FindStale(*read->existing, name)) {
        kept->info = *info;
        kept->stale = 0;
        return 1;
    }
    const wchar_t* ext = folder ? nullptr : ExtensionOf(name);
    const int icon = folder ? KFILE_ICON_FOLDER
                            : ext ? CKFileCache::GetFileIcon(ext) : KFILE_ICON_FILE;
    KFileEntry* added = MakeEntry(name, name, *info, icon);
    if (added && !read->fresh->Push(added))
        KFree(added);   // memory failures drop the entry concerned
    return 1;
}

} // namespace

// ---- Construction and filter --------------------------------------------------------------------

CKFileCache::CKFileCache()
    : entries(ENTRY_NODES_PER_BLOCK), hooks(sizeof(KRemoveHook), CKArray::MIN_GROW_BY)
{
}

CKFileCache::~CKFileCache()
{
    entries.RemoveAll(FreeEntryProc, nullptr);
    KFree(extensions);
}

int CKFileCache::SetFilter(const wchar_t* text)
{
    KFree(extensions);
    extensions = nullptr;
    filterText.Empty();
    if (!text || !*text)
        return 1;
    if (filterText.Assign(text) < 0)
        return 0;
    // Each "*.ext" element gives "ext\0"; the first element without "*." ends the list.
    const int length = filterText.GetLength();
    extensions = (wchar_t*)KAlloc(((size_t)length + 2) * sizeof(wchar_t));
    if (!extensions) {
        filterText.Empty();
        return 0;
    }
    int out = 0;
    for (const wchar_t* element = text; element[0] == L'*' && element[1] == L'.';) {
        const wchar_t* ext = element + 2;
        int end = KStrChrW(ext, L';', 0);
        if (end < 0)
            end = KStrLenW(ext);
        // An empty "*." element would end the list early: it adds nothing.
        if (end > 0) {
            for (int i = 0; i < end; i++)
                extensions[out++] = ext[i];
            extensions[out++] = 0;
        }
        if (!ext[end])
            break;
        element = ext + end + 1;
    }
    extensions[out] = 0;
    return 1;
}

bool CKFileCache::MatchesFilter(const wchar_t* fileName) const
{
    if (!extensions)
        return true;
    const wchar_t* ext = ExtensionOf(fileName);
    if (!ext)
        return false;
    for (const wchar_t* listed = extensions; *listed; listed += KStrLenW(listed) + 1)
        if (!KStrICmpW(listed, ext))
            return true;
    return false;
}

bool CKFileCache::IsExcluded(DWORD mode, unsigned int optionBits)
{
    if ((mode & KFA_HIDDEN) && !(optionBits & KFILE_HIDDEN))
        return true;
    if (mode & KFA_DIRECTORY)
        return (optionBits & KFILE_NO_FOLDERS) != 0;
    return (optionBits & KFILE_NO_FILES) != 0;
}

// ---- Roots and reading --------------------------------------------------------------------------

int CKFileCache::BuildRoots(unsigned int newOptions)
{
    options = newOptions;
    entries.RemoveAll(FreeEntryProc, this);
    wchar_t drives[DRIVE_LIST_CAPACITY];
    CKFile::GetFixedDrives(drives, DRIVE_LIST_CAPACITY);
    KFileInfo info = {};
    info.mode = KFA_DIRECTORY | KFA_DRIVE;
    int count = 0;
    for (const wchar_t* root = drives; *root; root += KStrLenW(root) + 1) {
        // The display name is the root without its backslash ("C:").
        wchar_t display[DRIVE_LIST_CAPACITY];
        const int length = KStrLenW(root);
        KStrCpyW(display, root);
        if (length > 0 && display[length - 1] == L'\\')
            display[length - 1] = 0;
        if (AddEntry(nullptr, root, display, info, KFILE_ICON_DRIVE))
            count++;
    }
    SortChildren(nullptr);
    for (KFileEntry* root = GetFirstRoot(); root; root = GetNext(root))
        ReadChildren(root);
    return count;
}

int CKFileCache::ReadFolder(KFileEntry* entry)
{
    if (!entry || !IsFolder(entry))
        return 0;
    // 1. Every existing child is stale until the listing finds it again.
    KEntryVector existing, fresh;
    for (KFileEntry* child = GetFirstChild(entry); child; child = GetNext(child)) {
        child->stale = 1;
        existing.Push(child);
    }
    if (!SortEntries(existing, CompareNames))
        existing.count = 0;   // no memory to sort: every child is taken as new

    // 2. The listing: kept children get their info, new ones are gathered detached.
    wchar_t path[KMAX_PATH];
    if (GetFullPath(entry, path)) {
        KReadContext context = {this, options, &existing, &fresh};
        CKFile::EnumFiles(path, ListedProc, &context);
    }

    // 3. Children still stale have vanished.
    for (KFileEntry* child = GetFirstChild(entry); child;) {
        KFileEntry* next = GetNext(child);
        if (child->stale)
            RemoveEntry(child);
        child = next;
    }

    // 4. Sorted. The kept children are in order from the last read, the new ones are sorted here
    // and merged in behind kept ones of equal rank: the order a stable sort of the kept children
    // followed by the new ones gives. A kept entry whose kind changed may still leave the
    // children out of order (as does running out of memory for the merge sort); the full sort
    // then runs.
    SortEntries(fresh, CompareOrder);
    KFileEntry** placed = nullptr;          // the item the next new entry goes after
    KFileEntry** next = entries.GetFirstChild(entry->node);
    for (int i = 0; i < fresh.count; i++) {
        while (next && CompareOrder(*next, fresh.items[i]) <= 0) {
            placed = next;
            next = entries.GetNext(next);
        }
        KFileEntry** item =
            placed ? entries.InsertAfter(placed) : entries.AddFirstChild(entry->node);
        if (!item) {
            KFree(fresh.items[i]);
            continue;
        }
        *item = fresh.items[i];
        fresh.items[i]->node = item;
        placed = item;
    }
    SortChildren(entry);

    // 5. Counts.
    entry->folderCount = 0;
    entry->fileCount = 0;
    for (KFileEntry* child = GetFirstChild(entry); child; child = GetNext(child)) {
        if (IsFolder(child))
            entry->folderCount++;
        else
            entry->fileCount++;
    }
    return 1;
}

void CKFileCache::ReadChildren(KFileEntry* entry)
{
    if (!entry || !IsFolder(entry))
        return;
    if (entry->folderCount == KFILE_NOT_READ)
        ReadFolder(entry);
    for (KFileEntry* child = GetFirstChild(entry); child; child = GetNext(child))
        if (IsFolder(child) && child->folderCount == KFILE_NOT_READ)
            ReadFolder(child);
}

void CKFileCache::Refresh(KFileEntry* entry)
{
    if (!entry) {
        for (KFileEntry* root = GetFirstRoot(); root; root = GetNext(root))
            Refresh(root);
        return;
    }
    if (!IsFolder(entry) || entry->folderCount == KFILE_NOT_READ)
        return;
    ReadFolder(entry);
    for (KFileEntry* child = GetFirstChild(entry); child; child = GetNext(child))
        Refresh(child);
}

void CKFileCache::SortChildren(KFileEntry* parent)
{
    KFileEntry** parentItem = parent ? parent->node : nullptr;
    KFileEntry** item = entries.GetFirstChild(parentItem);
    if (parent && !item)
        return;
    bool sorted = true;
    for (KFileEntry** next = item ? entries.GetNext(item) : nullptr; next;
         item = next, next = entries.GetNext(next))
        if (CompareOrder(*item, *next) > 0) {
            sorted = false;
            break;
        }
    if (!sorted)
        entries.Sort(parentItem, [](KFileEntry* const* a, KFileEntry* const* b, void*) {
            return CompareOrder(*a, *b);
        }, 1, nullptr);
}

KFileEntry* CKFileCache::AddEntry(KFileEntry* parent, const wchar_t* name,
                                  const wchar_t* displayName, const KFileInfo& info, int icon)
{
    KFileEntry* entry = MakeEntry(name, displayName, info, icon);
    if (!entry)
        return nullptr;
    KFileEntry** item = entries.AddChild(parent ? parent->node : nullptr);
    if (!item) {
        KFree(entry);
        return nullptr;
    }
    *item = entry;
    entry->node = item;
    return entry;
}

void CKFileCache::RemoveEntry(KFileEntry* entry)
{
    entries.Remove(entry->node, FreeEntryProc, this);
}

int CKFileCache::FreeEntryProc(KFileEntry** item, void* context)
{
    CKFileCache* cache = (CKFileCache*)context;
    if (cache)
        for (int i = 0; i < cache->hooks.GetCount(); i++) {
            const KRemoveHook* hook = (const KRemoveHook*)cache->hooks.GetAt(i);
            hook->proc(*item, hook->context);
        }
    KFree(*item);
    *item = nullptr;
    return 1;
}

// ---- Paths and walks ----------------------------------------------------------------------------

KFileEntry* CKFileCache::FindByPath(const wchar_t* path)
{
    if (!path)
        return nullptr;
    KFileEntry* found = nullptr;
    for (KFileEntry* root = GetFirstRoot(); root && !found; root = GetNext(root))
        if (!KStrNCmpW(root->name, path, root->nameLength))
            found = root;
    if (!found)
        return nullptr;
    const wchar_t* rest = path + found->nameLength;
    while (*rest == L'\\')
        rest++;
    while (*rest) {
        if (!IsFolder(found))
            return nullptr;
        if (found->folderCount == KFILE_NOT_READ)
            ReadFolder(found);
        KFileEntry* next = nullptr;
        for (KFileEntry* child = GetFirstChild(found); child && !next; child = GetNext(child)) {
            const int length = child->nameLength;
            // A whole component: "Music" is not taken for "Musicals".
            if (!KStrNCmpW(child->name, rest, length) && (!rest[length] || rest[length] == L'\\'))
                next = child;
        }
        if (!next)
            return nullptr;
        found = next;
        rest += found->nameLength;
        while (*rest == L'\\')
            rest++;
    }
    if (IsFolder(found) && found->folderCount == KFILE_NOT_READ)
        ReadFolder(found);
    return found;
}

int CKFileCache::GetFullPath(const KFileEntry* entry, wchar_t* buffer) const
{
    if (!buffer)
        return 0;
    buffer[0] = 0;
    if (!entry)
        return 0;
    // Lengths first, from the entry up: each level adds its name and, below a drive, a '\'.
    int length = 0;
    for (const KFileEntry* level = entry; level; level = GetParent(level)) {
        const bool separator = IsFolder(level) && !(level->info.mode & KFA_DRIVE);
        length += level->nameLength + (separator ? 1 : 0);
        if (length >= KMAX_PATH)
            return 0;
    }
    buffer[length] = 0;
    int end = length;
    for (const KFileEntry* level = entry; level; level = GetParent(level)) {
        if (IsFolder(level) && !(level->info.mode & KFA_DRIVE))
            buffer[--end] = L'\\';
        end -= level->nameLength;
        for (int i = 0; i < level->nameLength; i++)
            buffer[end + i] = level->name[i];
    }
    return length;
}

KFileEntry* CKFileCache::GetFirstRoot() const
{
    KFileEntry** item = entries.GetRoot();
    return item ? *item : nullptr;
}

KFileEntry* CKFileCache::GetFirstChild(const KFileEntry* entry) const
{
    if (!entry)
        return nullptr;
    KFileEntry** item = entries.GetFirstChild(entry->node);
    return item ? *item : nullptr;
}

KFileEntry* CKFileCache::GetNext(const KFileEntry* entry) const
{
    if (!entry)
        return nullptr;
    KFileEntry** item = entries.GetNext(entry->node);
    return item ? *item : nullptr;
}

KFileEntry* CKFileCache::GetParent(const KFileEntry* entry) const
{
    if (!entry)
        return nullptr;
    KFileEntry** item = entries.GetParent(entry->node);
    return item ? *item : nullptr;
}

// ---- Hooks --------------------------------------------------------------------------------------

int CKFileCache::AddRemoveHook(KFileRemovedProc proc, void* context)
{
    if (!proc)
        return 0;
    for (int i = 0; i < hooks.GetCount(); i++) {
        const KRemoveHook* hook = (const KRemoveHook*)hooks.GetAt(i);
        if (hook->proc == proc && hook->context == context)
            return 1;
    }
    KRemoveHook* hook = (KRemoveHook*)hooks.Add();
    if (!hook)
        return 0;
    hook->proc = proc;
    hook->context = context;
    return 1;
}

void CKFileCache::RemoveRemoveHook(KFileRemovedProc proc, void* context)
{
    for (int i = 0; i < hooks.GetCount(); i++) {
        const KRemoveHook* hook = (const KRemoveHook*)hooks.GetAt(i);
        if (hook->proc == proc && hook->context == context) {
            hooks.RemoveAt(i, nullptr, nullptr);
            return;
        }
    }
}

// ---- Extension map ------------------------------------------------------------------------------

int CKFileCache::GetFileIcon(const wchar_t* extension)
{
    if (!extension)
        return KFILE_ICON_FILE;
    const int length = KStrLenW(extension);
    if (length == 0 || length >= EXTENSION_CAPACITY)
        return KFILE_ICON_FILE;
    if (!extensionMapLoaded) {
        extensionMapLoaded = true;
        extensionMap = new CKIniW();
        if (extensionMap)
            extensionMap->Load(EXT_MAP_PATH);
    }
    if (!extensionMap)
        return KFILE_ICON_FILE;
    wchar_t lower[EXTENSION_CAPACITY];
    KStrCpyW(lower, extension);
    KStrLwrW(lower);
    return extensionMap->GetInt(EXT_MAP_SECTION, lower, KFILE_ICON_FILE);
}

CKImgList* GetFileIconStrip()
{
    return GetImgListByCell(FILE_ICON_SIZE, FILE_ICON_SIZE, FILE_ICON_STRIP, KIMG_TYPE_PNG,
                            KIMG_AUTO);
}

void KTermFileList()
{
    delete extensionMap;
    extensionMap = nullptr;
    extensionMapLoaded = false;
}
