// CKFileTreeCtrl: the folder hierarchy of a CKFileCache as a tree control; the browse page's
// drawer jumps between folders with it. Items are filled from the cache on their first expansion.
//
// Items: each carries its entry as item data and the entry's display name as its borrowed text
// (KTIF_TEXT_BORROWED); its icon is the entry's icon cell, open or closed. The tree holds one
// reference on the cache and one on its icon strip, and a removal hook on the cache, so that an
// item goes with its entry when a re-read frees the entry.
#pragma once
#include "controls/CKFileCache.h"
#include "controls/CKTreeCtrl.h"

class CKImgList;

class CKFileTreeCtrl : public CKTreeCtrl
{
    K_DECLARE_DYNCREATE(CKFileTreeCtrl)
public:
    CKFileTreeCtrl() = default;
    // Lets go of the items, the cache (and its hook) and the icon strip.
    ~CKFileTreeCtrl() override;

    // After the base: the icon strip, "res/FileIcon.png" in cells of 32, unless one was set.
    void Initialize(unsigned int style) override;
    // On KNOTIFY_TREE_EXPANDING for an item never expanded, with a cache: the entry's children are
    // read (with one level of look-ahead) and the item's children brought in line with them. Then
    // the base.
    int NotifyParent(int code, INT_PTR param, int id) override;

    // Releases the old cache, holds the new one (none: no cache), empties the tree and adds an
    // expanded root item per drive, filled from the cache (also when the cache is the same).
    void SetCache(CKFileCache* newCache);
    CKFileCache* GetCache() const { return cache; }
    // The icon strip of the items (one reference; none: no icons). Items made afterwards use it.
    void SetImgList(CKImgList* list);
    // The entry of an item, none for none.
    KFileEntry* GetEntry(const KTreeItem* item) const { return (KFileEntry*)GetItemData(item); }
    // The item of an entry, none when the tree does not show it.
    KTreeItem* FindItem(const KFileEntry* entry) const;

    // Marks folder `entry` as the current one: its ancestors expanded (their children read and
    // brought in on the way), its item selected (sending KNOTIFY_TREE_SELECTED as every selection
    // does) and scrolled into view. None, or a folder the tree leaves out, selects nothing. Returns
    // the item, or none.
    KTreeItem* ShowEntry(KFileEntry* entry);
    // Reads the folders the tree shows again: each expanded item's folder, and below it the
    // folders of its collapsed children (the look-ahead that gives them their expand buttons).
    // Then the items follow: folders made since appear, vanished ones go.
    void Refresh();

private:
    // The item of `entry` among the children of `parent` (none: the root items), or none.
    KTreeItem* FindChildItem(const KTreeItem* parent, const KFileEntry* entry) const;
    // The item of `entry` with every ancestor's item expanded, or none.
    KTreeItem* RevealEntry(KFileEntry* entry);
    // Refresh below one item.
    void RefreshItem(KTreeItem* item);
    // The children of `item` brought in line with the entry's children (those the style does not
    // leave out): kept items stay, missing ones are inserted, others deleted; then the same for
    // every child item.
    void SyncChildren(KTreeItem* item, KFileEntry* entry);
    // A new item for `entry` after `previous` (none: first child of `parent`; parent none: root).
    KTreeItem* InsertEntry(KTreeItem* parent, KTreeItem* previous, KFileEntry* entry,
                            unsigned int itemFlags);
    // The cache's removal hook: the item of the entry goes (with its children).
    static void OnEntryRemoved(KFileEntry* entry, void* context);
    // Drops the hook and the reference on the cache.
    void ReleaseCache();

    CKFileCache* cache = nullptr;      // counted
    CKImgList* iconStrip = nullptr;    // counted
};
