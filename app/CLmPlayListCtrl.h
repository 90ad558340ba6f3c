// CLmPlayListCtrl: the tree of the playlist panel. It hosts the user's playlist collection as the
// children of its "播放列表" group (loaded from and saved to "PlayList.txt" by CLmPlayListFile) and
// shows the sort orders and system commands as two more groups.
//
// Item rules:
// - A playlist item carries its CLmPlayList as item data (owned: OnDeleteItem destroys it when the
//   item goes); command items carry their command id, always below LMPL_PLAYLIST_DATA_MIN.
// - At most one playlist item carries KSTATE_CHECKED: the selected playlist (painted with the
//   accent bar). The tree's own selection (KSTATE_SELECTED) is left to the input.
// - The playlists are the first group's children in collection order; the count always equals
//   the number of those children.
// - No two playlists have the same name under CompareNames: AddPlayList numbers a name taken
//   already, also for the lists of a file that holds the same name twice.
#pragma once
#include "app/CLmPlayList.h"
#include "app/CLmSaveNotice.h"
#include "app/LmIds.h"
#include "controls/CKTreeCtrl.h"
#include "foundation/KPaths.h"

class CKFaceDrawable;
class CKTextDrawable;

// Item data at or above this value is a CLmPlayList; smaller values are command ids.
constexpr INT_PTR LMPL_PLAYLIST_DATA_MIN = 0x10000;
// Item flags of a playlist row.
constexpr unsigned int LMPL_PLAYLIST_ITEM = KTIF_TEXT_BORROWED;
// Item flags of a group row: a pinned header, expanded.
constexpr unsigned int LMPL_GROUP_ITEM = KTIF_EXPANDED | KTIF_PINNED;
// Item flag of the selected playlist's row.
constexpr unsigned int LMPL_SELECTED_LIST = KSTATE_CHECKED;

class CLmPlayListCtrl : public CKTreeCtrl
{
    K_DECLARE_DYNCREATE(CLmPlayListCtrl)
public:
    // The collection stored in `playListPath`; none means ModuleDir + "PlayList.txt".
    explicit CLmPlayListCtrl(const wchar_t* playListPath = nullptr);
    // Removes the items still there (destroying their playlists), then releases the group
    // drawables and the icon list.
    ~CLmPlayListCtrl() override;

    // ---- Window operations ----
    // The "Lm" drawables and "MenuImgList.png", the tree's own initialisation, the three groups
    // with their command rows, then LoadPlayLists.
    void Initialize(unsigned int style) override;
    // Group rows with the group drawables; other rows as the tree, plus the accent bar on the
    // selected playlist.
    void DrawItem(CKCanvas* canvas, KTreeItem* item, const RECT& rect) override;
    // Destroys the playlist of a playlist item and forgets the group or selected row removed;
    // so the window's destruction (which removes every item) leaves no playlist behind.
    void OnDeleteItem(KTreeItem* item) override;
    // At exit: when the last save failed, the file is written once more (no toast can be seen
    // now), before the tree's destruction takes the playlists.
    void OnDestroy() override;

    // ---- The collection ----
    // Reads the file, adds "默认列表" when it held no playlist, and selects the saved index.
    void LoadPlayLists();
    // Rewrites the file whole; 1, or 0 when it could not be written (the old file stays whole,
    // and the first failure after a success is told in a toast: app/CLmSaveNotice.h).
    int SavePlayLists();
    // A new playlist appended at the end, named `name` made unique (MakeUniqueName): no two
    // playlists share a name, however they are made (a name typed in is checked before, and
    // refused). No selection change, no file write. None before Initialize (no group holds it
    // yet) or when memory ran out.
    CLmPlayList* AddPlayList(const wchar_t* name);
    // Renames the selected playlist; 0 when nothing is selected or memory ran out.
    int RenamePlayList(const wchar_t* name);
    // Destroys the selected playlist and selects the one after it (the one before, when it was
    // the last); 0 when nothing is selected.
    int DeletePlayList();
    // Makes the playlist of `item` the selected one and stores its index in the settings
    // ("Settings.ini" is written when the index changed). Nothing for an item that is not a
    // playlist.
    void SelectPlayList(KTreeItem* item);
    // Clamps the index to 0..count-1, then as SelectPlayList; nothing when there is no playlist.
    void SelectPlayListByIndex(int index);

    CLmPlayList* GetSelectedPlayList() const;
    int GetPlayListCount() const { return listCount; }
    // Position of the list in the collection, -1 when it is not in it.
    int IndexOfPlayList(const CLmPlayList* list) const;
    // The playlist at index, none out of range.
    CLmPlayList* PlayListAt(int index) const;
    // 1 when a playlist's name equals `name` under CompareNames.
    int NameExists(const wchar_t* name) const;
    // `name` when no playlist has it, else `name` and " (n)" with the first n from 2 that no
    // playlist has ("Rock (2)"). 0 when memory ran out or the name would be too long.
    int MakeUniqueName(const wchar_t* name, KStringW& unique) const;

    // The group holding the playlist items, and the selected playlist's item (none before load).
    KTreeItem* GetListGroup() const { return listGroup; }
    KTreeItem* GetSelectedListItem() const { return selectedList; }
    // "MenuImgList.png" (24 x 24 cells), borrowed; none before Initialize or when it is missing.
    CKImgList* GetMenuIcons() const { return menuIcons; }

private:
    // The playlist carried by `item`, none for groups and command rows.
    static CLmPlayList* ListOf(const KTreeItem* item);
    // The first playlist item, none without playlists (or before the groups exist).
    KTreeItem* FirstListItem() const;
    // The playlist item at `index` among the group's children, none out of range.
    KTreeItem* ListItemAt(int index) const;
    // A group row with the text of string `textId`, appended at the root.
    KTreeItem* AddGroup(int textId);
    // A command row with the text of string `textId`, icon cell `cell` and command `command`.
    void AddCommand(KTreeItem* group, int textId, int cell, int command);
    // SavePlayLists; a failure is told to the user unless `quiet`.
    int Save(bool quiet);

    wchar_t path[KMAX_PATH];
    KTreeItem* listGroup = nullptr;          // borrowed from the tree: "播放列表"
    KTreeItem* selectedList = nullptr;       // borrowed from the tree: the selected playlist's row
    int listCount = 0;
    CLmSaveNotice saveNotice;
    CKImgList* menuIcons = nullptr;          // counted: "MenuImgList.png"
    CKFaceDrawable* groupFace = nullptr;     // counted: "LmMenuListGroupFace"
    CKTextDrawable* groupText = nullptr;     // counted: "LmMenuListGroupText"
};
