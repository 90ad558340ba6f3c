// CKFileTreeCtrl: drive roots from the cache, children synchronised on the first expansion, the
// current folder revealed, the shown folders read again, and items following their entries out of
// the cache.
#include "controls/CKFileTreeCtrl.h"

#include "graphics/CKImgList.h"

K_IMPLEMENT_DYNCREATE(CKFileTreeCtrl, CKTreeCtrl)

namespace {

// Flags of the items: borrowed texts; the drive roots start expanded.
constexpr unsigned int ENTRY_ITEM_FLAGS = KTIF_TEXT_BORROWED;
constexpr unsigned int ROOT_ITEM_FLAGS = KTIF_EXPANDED | KTIF_TEXT_BORROWED;

// What the search for an entry's item walks with.
struct KFindEntry
{
    const KFileEntry* entry;
    KTreeItem* found;
};

} // namespace

CKFileTreeCtrl::~CKFileTreeCtrl()
{
    ReleaseCache();
    if (iconStrip)
        iconStrip->Release();
}

void CKFileTreeCtrl::Initialize(unsigned int newStyle)
{
    CKTreeCtrl::Initialize(newStyle);
    if (!iconStrip)
        SetImgList(GetFileIconStrip());
}

void CKFileTreeCtrl::SetImgList(CKImgList* list)
{
    if (list)
        list->AddRef();
    if (iconStrip)
        iconStrip->Release();
    iconStrip = list;
}

int CKFileTreeCtrl::NotifyParent(int code, INT_PTR param, int notifyId)
{
    KTreeItem* item = (KTreeItem*)param;
    if (code == KNOTIFY_TREE_EXPANDING && cache && item && !(item->flags & KTIF_EXPANDED_ONCE)) {
        if (KFileEntry* entry = GetEntry(item)) {
            cache->ReadChildren(entry);
            SyncChildren(item, entry);
        }
    }
    return CKTreeCtrl::NotifyParent(code, param, notifyId);
}

void CKFileTreeCtrl::SetCache(CKFileCache* newCache)
{
    if (newCache != cache) {
        if (newCache) {
            newCache->AddRef();
            newCache->AddRemoveHook(OnEntryRemoved, this);
        }
        ReleaseCache();
        cache = newCache;
    }
    const bool updating = IsUpdating();
    SetRedraw(false);
    RemoveAllItems();
    if (cache) {
        for (KFileEntry* root = cache->GetFirstRoot(); root; root = cache->GetNext(root)) {
            if (CKFileCache::IsExcluded(root->info.mode, style))
                continue;
            KTreeItem* item = InsertItem(nullptr, ROOT_ITEM_FLAGS);
            if (!item)
                break;
            SetItemText(item, root->displayName, -1);
            SetItemIcon(item, iconStrip, root->icon, root->icon);
            SetItemData(item, (INT_PTR)root);
            SyncChildren(item, root);
        }
    }
    if (updating)
        SetRedraw(true);
}

void CKFileTreeCtrl::ReleaseCache()
{
    if (!cache)
        return;
    cache->RemoveRemoveHook(OnEntryRemoved, this);
    cache->Release();
    cache = nullptr;
}

void CKFileTreeCtrl::SyncChildren(KTreeItem* item, KFileEntry* entry)
{
    KTreeItem* previous = nullptr;    // the last item kept or inserted
    for (KFileEntry* child = cache->GetFirstChild(entry); child; child = cache->GetNext(child)) {
        if (CKFileCache::IsExcluded(child->info.mode, style))
            continue;
        KTreeItem* start = previous ? GetNextSibling(previous) : GetFirstChild(item);
        KTreeItem* kept = start;
        while (kept && GetEntry(kept) != child)
            kept = GetNextSibling(kept);
        if (kept) {
            // The items between the previous kept one and this one have no entry any more here.
            while (start != kept) {
                KTreeItem* next = GetNextSibling(start);
                DeleteItem(start);
                start = next;
            }
            previous = kept;
        } else if (KTreeItem* added = InsertEntry(item, previous, child, ENTRY_ITEM_FLAGS)) {
            previous = added;
        }
    }
    KTreeItem* rest = previous ? GetNextSibling(previous) : GetFirstChild(item);
    while (rest) {
        KTreeItem* next = GetNextSibling(rest);
        DeleteItem(rest);
        rest = next;
    }
    for (KTreeItem* child = GetFirstChild(item); child; child = GetNextSibling(child))
        SyncChildren(child, GetEntry(child));
}

KTreeItem* CKFileTreeCtrl::InsertEntry(KTreeItem* parent, KTreeItem* previous,
                                        KFileEntry* entry, unsigned int itemFlags)
{
    KTreeItem* item = previous ? InsertAfter(previous, itemFlags) : InsertFirst(parent, itemFlags);
    if (!item)
        return nullptr;
    SetItemText(item, entry->displayName, -1);
    SetItemIcon(item, iconStrip, entry->icon, entry->icon);
    SetItemData(item, (INT_PTR)entry);
    return item;
}

KTreeItem* CKFileTreeCtrl::FindItem(const KFileEntry* entry) const
{
    if (!entry || CKFileCache::IsExcluded(entry->info.mode, style))
        return nullptr;
    KFindEntry find = {entry, nullptr};
    tree.Walk(nullptr, [](KTreeItem* item, void* param) -> int {
        KFindEntry* search = (KFindEntry*)param;
        if ((const KFileEntry*)item->userData != search->entry)
            return 1;
        search->found = item;
        return 0;
    }, &find);
    return find.found;
}

void CKFileTreeCtrl::OnEntryRemoved(KFileEntry* entry, void* context)
{
    CKFileTreeCtrl* self = (CKFileTreeCtrl*)context;
    if (KTreeItem* item = self->FindItem(entry))
        self->DeleteItem(item);
}

KTreeItem* CKFileTreeCtrl::FindChildItem(const KTreeItem* parent, const KFileEntry* entry) const
{
    KTreeItem* item = GetFirstChild(parent);
    while (item && GetEntry(item) != entry)
        item = GetNextSibling(item);
    return item;
}

KTreeItem* CKFileTreeCtrl::RevealEntry(KFileEntry* entry)
{
    KFileEntry* parent = cache->GetParent(entry);
    if (!parent)
        return FindChildItem(nullptr, entry);
    KTreeItem* parentItem = RevealEntry(parent);
    if (!parentItem)
        return nullptr;
    // The cache may have read the folder since its item was last brought in line.
    if (!FindChildItem(parentItem, entry)) {
        cache->ReadChildren(parent);
        SyncChildren(parentItem, parent);
    }
    Expand(parentItem, true, false);
    return FindChildItem(parentItem, entry);
}

KTreeItem* CKFileTreeCtrl::ShowEntry(KFileEntry* entry)
{
    KTreeItem* item = cache && entry ? RevealEntry(entry) : nullptr;
    Select(item);
    if (item)
        ScrollIntoView(item);
    return item;
}

void CKFileTreeCtrl::Refresh()
{
    if (!cache)
        return;
    const bool updating = IsUpdating();
    SetRedraw(false);
    for (KTreeItem* root = GetFirstChild(nullptr); root; root = GetNextSibling(root))
        RefreshItem(root);
    if (updating)
        SetRedraw(true);
}

void CKFileTreeCtrl::RefreshItem(KTreeItem* item)
{
    KFileEntry* entry = GetEntry(item);
    if (!entry || !IsExpanded(item))
        return;
    // A re-read frees the entries of vanished folders, and their items go with them (the
    // removal hook); only this item's subtree changes, so the walk over its children holds.
    cache->ReadFolder(entry);
    SyncChildren(item, entry);
    for (KTreeItem* child = GetFirstChild(item); child; child = GetNextSibling(child)) {
        if (IsExpanded(child)) {
            RefreshItem(child);
        } else {
            cache->ReadFolder(GetEntry(child));
            SyncChildren(child, GetEntry(child));
        }
    }
}
