// CLmPlayListCtrl: the playlist tree's groups and command rows, the playlist collection on its
// first group's children, and the painting of group rows and of the selected playlist.
//
// Index: construction and window operations - painting - the collection.
#include "app/CLmPlayListCtrl.h"

#include "app/CLmPlayListFile.h"
#include "app/LmSettings.h"
#include "app/LmStringIds.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KResource.h"
#include "foundation/KText.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKImage.h"
#include "graphics/CKImgList.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableSlot.h"
#include "graphics/KImageCache.h"

K_IMPLEMENT_DYNCREATE(CLmPlayListCtrl, CKTreeCtrl)

namespace {

constexpr char LM_DRAWABLES[] = "LmDrawable.xml";
constexpr wchar_t MENU_ICONS[] = L"MenuImgList.png";
constexpr int MENU_ICON_CELL = 24;   // cell width and height of the menu icons
// Icon cell of every playlist row.
constexpr int PLAYLIST_ICON = 3;
constexpr int NAME_CAPACITY = 128;
// What tells a playlist from others of the same name: " (2)", " (3)"..., as file managers number
// copies; the first number given.
constexpr wchar_t NUMBER_SUFFIX_FORMAT[] = L" (%d)";
constexpr int NUMBER_SUFFIX_CAPACITY = 16;
constexpr int FIRST_NUMBER = 2;
// The accent bar of the selected playlist: width in base units and colour.
constexpr int ACCENT_BAR_UNITS = 2;
constexpr KColor ACCENT_BAR_COLOR = 0xFFCC7223;

// The command rows under the sort and system groups: text, icon cell, command id.
struct KCommandRow
{
    UINT textId;
    int cell;
    int command;
};
constexpr KCommandRow SORT_ROWS[] = {
    {IDS_SORT_NAME_UP, 4, LMCMD_SORT_NAME_UP},
    {IDS_SORT_NAME_DOWN, 5, LMCMD_SORT_NAME_DOWN},
    {IDS_SORT_ARTIST_UP, 4, LMCMD_SORT_ARTIST_UP},
    {IDS_SORT_ARTIST_DOWN, 5, LMCMD_SORT_ARTIST_DOWN},
};
constexpr KCommandRow SYSTEM_ROWS[] = {
    {IDS_CLEAR_LIST, 6, LMCMD_CLEAR_LIST},
    {IDS_SETTINGS, 7, LMCMD_SETTINGS},
    {IDS_ABOUT, 8, LMCMD_ABOUT},
};

// Reader callback: the header line's playlist, appended to the control.
CLmPlayList* AddListFromFile(const wchar_t* name, void* context)
{
    return static_cast<CLmPlayListCtrl*>(context)->AddPlayList(name);
}

} // namespace

// ---- Construction and window operations ---------------------------------------------------------

CLmPlayListCtrl::CLmPlayListCtrl(const wchar_t* playListPath)
{
    if (playListPath) {
        KStrNCpyW(path, playListPath, KMAX_PATH - 1);
        path[KMAX_PATH - 1] = 0;
    } else {
        MakeModulePath(path, PLAYLIST_FILE_NAME);
    }
}

CLmPlayListCtrl::~CLmPlayListCtrl()
{
    // A control whose window never existed (or was never destroyed) still owns its playlists.
    RemoveAllItems();
    KDropDrawable(groupFace);
    KDropDrawable(groupText);
    if (menuIcons)
        menuIcons->Release();
}

void CLmPlayListCtrl::Initialize(unsigned int newStyle)
{
    if (!background)
        SetBackground(GetDrawable(LM_DRAWABLES, "LmMenuListBkgnd"));
    KLoadDrawable(face, LM_DRAWABLES, "LmMenuListFace", K_RUNTIME_CLASS(CKFaceDrawable));
    KLoadDrawable(text, LM_DRAWABLES, "LmMenuListText", K_RUNTIME_CLASS(CKTextDrawable));
    KLoadDrawable(groupFace, LM_DRAWABLES, "LmMenuListGroupFace", K_RUNTIME_CLASS(CKFaceDrawable));
    KLoadDrawable(groupText, LM_DRAWABLES, "LmMenuListGroupText", K_RUNTIME_CLASS(CKTextDrawable));
    if (!menuIcons) {
        menuIcons = GetImgListByCell(MENU_ICON_CELL, MENU_ICON_CELL, MENU_ICONS, KIMG_TYPE_PNG,
                                     KIMG_AUTO);
        if (menuIcons)
            menuIcons->AddRef();
    }
    CKTreeCtrl::Initialize(newStyle);

    SetRedraw(false);
    RemoveAllItems();
    listGroup = AddGroup(IDS_GROUP_PLAYLISTS);
    KTreeItem* sortGroup = AddGroup(IDS_GROUP_SORT);
    for (const KCommandRow& row : SORT_ROWS)
        AddCommand(sortGroup, row.textId, row.cell, row.command);
    KTreeItem* systemGroup = AddGroup(IDS_GROUP_SYSTEM);
    for (const KCommandRow& row : SYSTEM_ROWS)
        AddCommand(systemGroup, row.textId, row.cell, row.command);
    SetRedraw(true);
    LoadPlayLists();
}

KTreeItem* CLmPlayListCtrl::AddGroup(int textId)
{
    KTreeItem* group = InsertItem(nullptr, LMPL_GROUP_ITEM);
    if (!group)
        return nullptr;
    KStringW caption;
    LoadResString(textId, caption);
    SetItemText(group, caption, caption.GetLength());
    // A group row is as high as its face around one line of its text.
    if (groupText) {
        SIZE size = {0, 0};
        groupText->SetText(nullptr, 0);
        groupText->SetState(KDT_LEFT);
        groupText->CalcSize(size);
        if (groupFace) {
            const RECT& margin = groupFace->GetMargin();
            const RECT& padding = groupFace->GetPadding();
            size.cy += margin.top + margin.bottom + padding.top + padding.bottom;
        }
        SetItemHeight(group, size.cy);
    }
    return group;
}

void CLmPlayListCtrl::AddCommand(KTreeItem* group, int textId, int cell, int command)
{
    if (!group)
        return;
    KTreeItem* row = InsertItem(group, 0);
    if (!row)
        return;
    KStringW caption;
    LoadResString(textId, caption);
    SetItemText(row, caption, caption.GetLength());
    SetItemIcon(row, menuIcons, cell, cell);
    SetItemData(row, command);
}

void CLmPlayListCtrl::OnDeleteItem(KTreeItem* item)
{
    if (item == listGroup)
        listGroup = nullptr;
    if (item == selectedList)
        selectedList = nullptr;
    if (CLmPlayList* list = ListOf(item)) {
        delete list;
        item->userData = 0;
        listCount--;
    }
}

void CLmPlayListCtrl::OnDestroy()
{
    if (saveNotice.IsFailing())
        Save(true);
    CKTreeCtrl::OnDestroy();
}

// ---- Painting -----------------------------------------------------------------------------------

void CLmPlayListCtrl::DrawItem(CKCanvas* canvas, KTreeItem* item, const RECT& rect)
{
    const unsigned int bits = item->flags & KSTATE_SLOT_MASK;
    if (item->depth == 0) {
        RECT content = rect;
        if (groupFace) {
            groupFace->SetState(bits);
            groupFace->Draw(canvas, rect, &content);
        }
        if (groupText && item->text && item->textLength > 0) {
            groupText->SetText(item->text, item->textLength);
            groupText->SetState(bits | KDT_LEFT | KDT_END_ELLIPSIS);
            groupText->Draw(canvas, content, nullptr);
            groupText->SetText(nullptr, 0);
        }
        return;
    }
    CKTreeCtrl::DrawItem(canvas, item, rect);
    if (item->flags & LMPL_SELECTED_LIST) {
        canvas->SetBrushColor(ACCENT_BAR_COLOR);
        canvas->FillRect(rect.left, rect.top, UnitToPixels(ACCENT_BAR_UNITS, 1),
                         rect.bottom - rect.top);
    }
}

// ---- The collection -----------------------------------------------------------------------------

CLmPlayList* CLmPlayListCtrl::ListOf(const KTreeItem* item)
{
    if (!item || item->userData < LMPL_PLAYLIST_DATA_MIN)
        return nullptr;
    return reinterpret_cast<CLmPlayList*>(item->userData);
}

KTreeItem* CLmPlayListCtrl::FirstListItem() const
{
    return listGroup ? GetFirstChild(listGroup) : nullptr;
}

KTreeItem* CLmPlayListCtrl::ListItemAt(int index) const
{
    if (index < 0 || index >= listCount)
        return nullptr;
    KTreeItem* item = FirstListItem();
    for (int i = 0; item && i < index; i++)
        item = GetNextSibling(item);
    return item;
}

void CLmPlayListCtrl::LoadPlayLists()
{
    SetRedraw(false);
    // No playlist survives a reload: the file is the whole collection.
    while (KTreeItem* child = FirstListItem())
        DeleteItem(child);
    CLmPlayListFile::Read(path, AddListFromFile, this);
    if (listCount == 0) {
        wchar_t name[NAME_CAPACITY];
        LoadResString(IDS_DEFAULT_PLAYLIST, name, NAME_CAPACITY);
        AddPlayList(name);
    }
    SelectPlayListByIndex(LmSettings::GetPlayListSelected());
    SetRedraw(true);
}

int CLmPlayListCtrl::SavePlayLists()
{
    return Save(false);
}

int CLmPlayListCtrl::Save(bool quiet)
{
    CLmPlayListFile file;
    int saved = file.Open(path);
    if (saved) {
        KTreeItem* item = FirstListItem();
        for (int i = 0; item && i < listCount; i++, item = GetNextSibling(item)) {
            if (const CLmPlayList* list = ListOf(item))
                file.Write(list);
        }
        saved = file.Commit();
    }
    saveNotice.Report(saved, quiet);
    return saved;
}

CLmPlayList* CLmPlayListCtrl::AddPlayList(const wchar_t* name)
{
    if (!listGroup)
        return nullptr;
    KStringW unique;
    if (!MakeUniqueName(name ? name : L"", unique))
        return nullptr;
    CLmPlayList* list = new CLmPlayList();
    if (!list)
        return nullptr;
    if (list->SetName(unique) < 0) {
        delete list;
        return nullptr;
    }
    const bool updating = IsUpdating();
    SetRedraw(false);
    KTreeItem* item = InsertItem(listGroup, LMPL_PLAYLIST_ITEM);
    if (item) {
        SetItemText(item, list->GetName(), -1);
        SetItemIcon(item, menuIcons, PLAYLIST_ICON, PLAYLIST_ICON);
        SetItemData(item, reinterpret_cast<INT_PTR>(list));
        listCount++;
    } else {
        delete list;
        list = nullptr;
    }
    if (updating)
        SetRedraw(true);
    return list;
}

int CLmPlayListCtrl::RenamePlayList(const wchar_t* name)
{
    CLmPlayList* list = ListOf(selectedList);
    if (!list || list->SetName(name) < 0)
        return 0;
    // The row borrows the name, whose buffer the new name may have moved.
    SetItemText(selectedList, list->GetName(), -1);
    InvalidateItem(selectedList);
    return 1;
}

int CLmPlayListCtrl::DeletePlayList()
{
    if (!selectedList)
        return 0;
    KTreeItem* neighbour = GetNextSibling(selectedList);
    if (!neighbour)
        neighbour = GetPrevSibling(selectedList);
    DeleteItem(selectedList);
    if (neighbour)
        SelectPlayList(neighbour);
    return 1;
}

void CLmPlayListCtrl::SelectPlayList(KTreeItem* item)
{
    if (!ListOf(item) || GetParent(item) != listGroup)
        return;
    for (KTreeItem* child = FirstListItem(); child; child = GetNextSibling(child)) {
        if (child != item)
            ModifyItemFlags(child, 0, LMPL_SELECTED_LIST);
    }
    ModifyItemFlags(item, LMPL_SELECTED_LIST, 0);
    selectedList = item;
    LmSettings::SetPlayListSelected(IndexOfPlayList(ListOf(item)));
    LmSettings::SaveSettings();
}

void CLmPlayListCtrl::SelectPlayListByIndex(int index)
{
    if (listCount == 0)
        return;
    if (index >= listCount)
        index = listCount - 1;
    if (index < 0)
        index = 0;
    SelectPlayList(ListItemAt(index));
}

CLmPlayList* CLmPlayListCtrl::GetSelectedPlayList() const
{
    return ListOf(selectedList);
}

int CLmPlayListCtrl::IndexOfPlayList(const CLmPlayList* list) const
{
    if (!list)
        return -1;
    int index = 0;
    for (KTreeItem* item = FirstListItem(); item; item = GetNextSibling(item), index++) {
        if (ListOf(item) == list)
            return index;
    }
    return -1;
}

CLmPlayList* CLmPlayListCtrl::PlayListAt(int index) const
{
    return ListOf(ListItemAt(index));
}

int CLmPlayListCtrl::MakeUniqueName(const wchar_t* name, KStringW& unique) const
{
    if (unique.Assign(name) < 0)
        return 0;
    // At most one number per playlist is taken, so the search ends.
    for (int number = FIRST_NUMBER; NameExists(unique); number++) {
        wchar_t suffix[NUMBER_SUFFIX_CAPACITY];
        FormatText(suffix, NUMBER_SUFFIX_CAPACITY, NUMBER_SUFFIX_FORMAT, number);
        if (unique.Assign(name) < 0 || unique.Append(suffix) < 0)
            return 0;
    }
    return 1;
}

int CLmPlayListCtrl::NameExists(const wchar_t* name) const
{
    for (KTreeItem* item = FirstListItem(); item; item = GetNextSibling(item)) {
        const CLmPlayList* list = ListOf(item);
        if (list && CompareNames(list->GetName(), name) == 0)
            return 1;
    }
    return 0;
}
