// CBrowseContainer: the browse page's children and bands, walking folders by taps and buttons, and
// handing the ticked items to the player page.
#include "app/CBrowseContainer.h"

#include "app/CLmFileReceiver.h"
#include "app/CLmPlayList.h"
#include "app/LmPageTable.h"
#include "app/LmSettings.h"
#include "app/LmStringIds.h"
#include "app/LmToast.h"
#include "foundation/KMemory.h"
#include "foundation/KPaths.h"
#include "foundation/KResource.h"
#include "foundation/KText.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKDrawable.h"
#include "graphics/CKImage.h"
#include "graphics/CKStateBoxDrawable.h"
#include "graphics/KDrawableRegistry.h"
#include "graphics/KImageCache.h"
#include "ui/CKApplication.h"
#include "ui/CKView.h"

K_IMPLEMENT_CLASS(CBrowseContainer, CKContainer)

namespace {

constexpr char LM_DRAWABLES[] = "LmDrawable.xml";
constexpr char CTRL_DRAWABLES[] = "res/DrawableCtrl.xml";

// The buttons in member order (left to right): id, text, icon cell of "BrowseImgList.png".
struct KBrowseButton
{
    int id;
    UINT textId;
    int cell;
};
const KBrowseButton BUTTONS[LMBROWSE_BUTTON_COUNT] = {
    {LMID_BROWSE_REFRESH, IDS_BROWSE_REFRESH, 3},
    {LMID_BROWSE_ALL, IDS_BROWSE_ALL, 0},
    {LMID_BROWSE_INVERT, IDS_BROWSE_INVERT, 1},
    {LMID_BROWSE_NONE, IDS_BROWSE_NONE, 2},
    {LMID_BROWSE_PARENT, IDS_BROWSE_PARENT, 4},
};
// Longest button text taken from the string table, in characters.
constexpr int BUTTON_TEXT_MAX = 63;
constexpr int BUTTON_ICON_SIZE = 32;

// Window flags and styles of the children.
constexpr unsigned int LIST_FLAGS =
    KWF_REPAINT_ON_CHANGE | KWF_TABSTOP | KWF_VSCROLL | KWF_OPAQUE;
constexpr unsigned int BUTTON_FLAGS = KWF_REPAINT_ON_CHANGE | KWF_TABSTOP;
constexpr unsigned int LABEL_FLAGS = KWF_REPAINT_ON_CHANGE;
constexpr unsigned int LIST_STYLE = KFILE_DOTDOT;
constexpr unsigned int BUTTON_STYLE = KARRANGE_ICON_TOP;
constexpr unsigned int LABEL_STYLE = KCONTENT_LEFT | KLS_START_ELLIPSIS;
// Rows of files and folders: a check box at the right edge.
constexpr unsigned int ROW_FLAGS = KBOX_CHECK | KLI_BOX_RIGHT;

// Keeps `drawable` in `slot` with one reference, releasing what was there.
void HoldDrawable(CKDrawable*& slot, CKDrawable* drawable)
{
    if (drawable)
        drawable->AddRef();
    if (slot)
        slot->Release();
    slot = drawable;
}

// Top and bottom margin plus padding of a drawable (0 for none).
int VerticalInsets(const CKDrawable* drawable)
{
    if (!drawable)
        return 0;
    return drawable->GetMargin().top + drawable->GetMargin().bottom + drawable->GetPadding().top
           + drawable->GetPadding().bottom;
}

// `rect` less the drawable's margin and padding.
RECT Inside(const CKDrawable* drawable, const RECT& rect)
{
    if (!drawable)
        return rect;
    const RECT& m = drawable->GetMargin();
    const RECT& p = drawable->GetPadding();
    return RECT{rect.left + m.left + p.left, rect.top + m.top + p.top,
                rect.right - m.right - p.right, rect.bottom - m.bottom - p.bottom};
}

// Appends `name` to a list of names, after the separator when the list has one already.
void AppendName(KStringW& names, const wchar_t* name)
{
    if (names.GetLength()) {
        KStringW separator;
        LoadResString(IDS_NAME_SEPARATOR, separator);
        names.Append(separator);
    }
    names.Append(name);
}

// Appends the string-table text `formatId` with `names` for its "%s", on a line of its own;
// nothing for no names.
void AppendNamesLine(KStringW& text, UINT formatId, const KStringW& names)
{
    KStringW format;
    if (!names.GetLength() || LoadResString(formatId, format) <= 0)
        return;
    KStringW line;
    const int capacity = format.GetLength() + names.GetLength() + 1;
    if (!line.Reserve(capacity))
        return;
    line.SetLength(FormatText(line.GetBuffer(), capacity, format, (const wchar_t*)names));
    if (text.GetLength())
        text.Append(L"\n");
    text.Append(line);
}

} // namespace

CBrowseContainer::~CBrowseContainer()
{
    if (cache)
        cache->Release();
    HoldDrawable(pathBkgnd, nullptr);
    HoldDrawable(buttonBkgnd, nullptr);
}

// ---- Creation and layout ------------------------------------------------------------------------

void CBrowseContainer::Initialize(unsigned int newStyle)
{
    CKContainer::Initialize(newStyle);
    HoldDrawable(pathBkgnd, GetDrawable(LM_DRAWABLES, "LmFilePathBkgnd"));
    HoldDrawable(buttonBkgnd, GetDrawable(LM_DRAWABLES, "LmFileButtonBkgnd"));
    pathLabel.SetTextDrawable(GetDrawable(LM_DRAWABLES, "LmFilePathText"));
    pathLabel.SetBackground(GetDrawable(CTRL_DRAWABLES, "DefCtrlBorder"));
    pathLabel.Initialize(LABEL_STYLE);
    CKImgList* icons = GetImgListByCell(BUTTON_ICON_SIZE, BUTTON_ICON_SIZE, L"BrowseImgList.png",
                                        KIMG_TYPE_PNG, KIMG_AUTO);
    for (int i = 0; i < LMBROWSE_BUTTON_COUNT; i++) {
        CKButton& button = buttons[i];
        button.SetFaceDrawable(GetDrawable(LM_DRAWABLES, "LmFileButtonFace"));
        button.SetTextDrawable(GetDrawable(LM_DRAWABLES, "LmFileButtonText"));
        button.Initialize(BUTTON_STYLE);
        wchar_t text[BUTTON_TEXT_MAX + 1];
        const int length = LoadResString(BUTTONS[i].textId, text, BUTTON_TEXT_MAX + 1);
        button.SetText(text, length);
        if (icons)
            button.SetIcon(icons, BUTTONS[i].cell);
    }
    if (!cache) {
        cache = new CKFileCache();
        if (cache) {
            cache->EnableRefCount();
            cache->AddRef();
            cache->SetFilter(LmSettings::GetBrowseExtFilter());
            cache->BuildRoots(0);
        }
    }
    fileList.SetBackground(GetDrawable(LM_DRAWABLES, "LmFileListBkgnd"));
    fileList.SetFaceDrawable(GetDrawable(LM_DRAWABLES, "LmFileListFace"));
    fileList.SetText1Drawable(GetDrawable(LM_DRAWABLES, "LmFileListText1"));
    fileList.SetText2Drawable(GetDrawable(LM_DRAWABLES, "LmFileListText2"));
    fileList.Initialize(LIST_STYLE);
}

int CBrowseContainer::OnCreate()
{
    if (!CKContainer::OnCreate())
        return 0;
    fileList.Create(LIST_STYLE, LMID_BROWSE_LIST, this, LIST_FLAGS);
    fileList.SetItemFlags(ROW_FLAGS, ROW_FLAGS);
    fileList.SetCache(cache);
    for (int i = 0; i < LMBROWSE_BUTTON_COUNT; i++)
        buttons[i].Create(BUTTON_STYLE, BUTTONS[i].id, this, BUTTON_FLAGS);
    pathLabel.Create(LABEL_STYLE, LMID_BROWSE_PATH, this, LABEL_FLAGS);
    const wchar_t* stored = LmSettings::GetBrowsePath();
    pathText.Assign(stored ? stored : L"");
    pathLabel.SetText(pathText);
    ShowPath(pathText);
    return 1;
}

void CBrowseContainer::GetBands(RECT* pathBand, RECT* buttonBand)
{
    RECT client = {0, 0, 0, 0};
    GetClientRect(&client);
    SIZE label = {client.right - client.left, 0};
    pathLabel.CalcLineSize(label);   // the drives list has no path: the band keeps one line
    SIZE button = {(client.right - client.left) / LMBROWSE_BUTTON_COUNT, 0};
    buttons[0].CalcSize(button);
    *pathBand = client;
    pathBand->bottom = client.top + label.cy + VerticalInsets(pathBkgnd);
    *buttonBand = client;
    buttonBand->top = client.bottom - button.cy - VerticalInsets(buttonBkgnd);
}

void CBrowseContainer::ButtonRects(const RECT& band, RECT rects[LMBROWSE_BUTTON_COUNT])
{
    const int width = band.right - band.left;
    const int middle = width / 5;
    const int outer = (width - 3 * middle) / 2;
    int x = band.left;
    for (int i = 0; i < LMBROWSE_BUTTON_COUNT; i++) {
        const int w = (i == 0 || i == LMBROWSE_BUTTON_COUNT - 1) ? outer : middle;
        rects[i] = RECT{x, band.top, x + w, band.bottom};
        x += w;
    }
}

void CBrowseContainer::OnSize()
{
    CKContainer::OnSize();
    RECT pathBand, buttonBand;
    GetBands(&pathBand, &buttonBand);
    pathLabel.Move(Inside(pathBkgnd, pathBand));
    RECT rects[LMBROWSE_BUTTON_COUNT];
    ButtonRects(Inside(buttonBkgnd, buttonBand), rects);
    for (int i = 0; i < LMBROWSE_BUTTON_COUNT; i++)
        buttons[i].Move(rects[i]);
    fileList.Move(RECT{pathBand.left, pathBand.bottom, pathBand.right, buttonBand.top});
}

void CBrowseContainer::OnPaint(CKCanvas* canvas)
{
    CKContainer::OnPaint(canvas);
    RECT pathBand, buttonBand;
    GetBands(&pathBand, &buttonBand);
    if (pathBkgnd) {
        pathBkgnd->SetState(0);
        pathBkgnd->Draw(canvas, pathBand, nullptr);
    }
    if (buttonBkgnd) {
        buttonBkgnd->SetState(0);
        buttonBkgnd->Draw(canvas, buttonBand, nullptr);
    }
}

// ---- Input --------------------------------------------------------------------------------------

int CBrowseContainer::OnNotify(int id, int code, INT_PTR param)
{
    if (id < LMID_BROWSE_LIST || id > LMID_BROWSE_PARENT)
        return CKContainer::OnNotify(id, code, param);
    if (id == LMID_BROWSE_LIST) {
        if (code != KNOTIFY_LB_TAP)
            return 1;
        const int row = (int)param;
        KFileEntry* entry = fileList.GetEntry(row);
        if (!entry) {
            if (fileList.GetItem(row)) {
                fileList.GoUp();
                TakeListPath();
            }
        } else if (CKFileCache::IsFolder(entry)) {
            fileList.Open(entry);
            TakeListPath();
        } else {
            fileList.SetItemCheck(row, !fileList.GetItemCheck(row));
        }
        return 1;
    }
    if (code != KNOTIFY_CLICK)
        return 1;
    switch (id) {
    case LMID_BROWSE_REFRESH:
        RefreshFolder();
        break;
    case LMID_BROWSE_ALL:
        SetAllChecks(1);
        break;
    case LMID_BROWSE_NONE:
        SetAllChecks(0);
        break;
    case LMID_BROWSE_INVERT:
        SetAllChecks(-1);
        break;
    case LMID_BROWSE_PARENT:
        fileList.GoUp();
        TakeListPath();
        break;
    default:
        break;
    }
    return 1;
}

int CBrowseContainer::OnCommand(int command)
{
    if (command == IDS_BROWSE_FOLDERS) {
        if (view && view->IsMenuOpen())
            view->CloseMenu(true);
        else if (view)
            view->OpenMenu(true);
        return 1;
    }
    if (command == IDS_BROWSE_OPEN) {
        // The player page shows first, so that it shows where the added music went.
        if (view)
            view->Close();
        AddTickedItems();
        return 1;
    }
    return CKContainer::OnCommand(command);
}

// ---- Operations ---------------------------------------------------------------------------------

int CBrowseContainer::ShowPath(const wchar_t* path)
{
    const int found = fileList.SetPath(path);
    TakeListPath();
    return found;
}

void CBrowseContainer::RefreshFolder()
{
    // A filter edited on the settings page since the last visit applies now: every folder read so
    // far is read again through it, so files it no longer passes leave the list and the cache.
    if (cache && KStrCmpW(cache->GetFilter(), LmSettings::GetBrowseExtFilter()) != 0) {
        cache->SetFilter(LmSettings::GetBrowseExtFilter());
        cache->Refresh(nullptr);
    }
    fileList.Refresh();
    NotifyParent(LMNOTIFY_BROWSE_FOLDERS_READ, 0, 0);
    TakeListPath();
}

void CBrowseContainer::TakeListPath()
{
    pathText.Assign(fileList.GetPath());
    pathLabel.SetText(pathText);
    NotifyParent(LMNOTIFY_BROWSE_FOLDER_SHOWN, (INT_PTR)fileList.GetCurrentEntry(), 0);
}

void CBrowseContainer::SetAllChecks(int on)
{
    for (int i = 0; i < fileList.GetCount(); i++) {
        KListItem* item = fileList.GetItem(i);
        if (!(item->flags & KBOX_CHECK))
            continue;
        if (on > 0)
            item->flags |= KSTATE_CHECKED;
        else if (on == 0)
            item->flags &= ~KSTATE_CHECKED;
        else
            item->flags ^= KSTATE_CHECKED;
    }
    fileList.Invalidate();
}

int CBrowseContainer::AddTickedItems()
{
    int handed = 0;
    if (receiver && cache) {
        int files = 0;
        CLmPlayList* firstList = nullptr;   // borrowed: the first new playlist
        KStringW newLists, emptyFolders;
        receiver->BeginAddFiles();
        wchar_t path[KMAX_PATH];
        for (int i = 0; i < fileList.GetCount(); i++) {
            KFileEntry* entry = fileList.GetEntry(i);
            if (!entry || !(fileList.GetItem(i)->flags & KSTATE_CHECKED))
                continue;
            handed++;
            if (!CKFileCache::IsFolder(entry)) {
                files++;
                if (cache->GetFullPath(entry, path))
                    receiver->AddFile(path);
                continue;
            }
            // The folder's own files as the cache lists them (filtered; no sub-folders).
            if (entry->folderCount == KFILE_NOT_READ)
                cache->ReadFolder(entry);
            const int count = entry->fileCount > 0 ? entry->fileCount : 0;
            wchar_t* texts = (wchar_t*)KAlloc(sizeof(wchar_t) * KMAX_PATH * (size_t)(count + 1));
            const wchar_t** paths = (const wchar_t**)KAlloc(sizeof(wchar_t*) * (size_t)(count + 1));
            if (texts && paths) {
                int gathered = 0;
                for (KFileEntry* child = cache->GetFirstChild(entry); child && gathered < count;
                     child = cache->GetNext(child)) {
                    wchar_t* text = texts + (size_t)gathered * KMAX_PATH;
                    if (!CKFileCache::IsFolder(child) && cache->GetFullPath(child, text))
                        paths[gathered++] = text;
                }
                if (CLmPlayList* list =
                        receiver->AddDirectoryAsPlayList(entry->displayName, paths, gathered)) {
                    firstList = firstList ? firstList : list;
                    AppendName(newLists, list->GetName());
                } else if (gathered == 0) {
                    AppendName(emptyFolders, entry->displayName);
                }
            }
            KFree(paths);
            KFree(texts);
        }
        receiver->EndAddFiles(1);
        // Where the music went: with only folders ticked the first new playlist is shown;
        // otherwise the list shown took the files and a toast names the new playlists.
        if (firstList && files == 0) {
            receiver->ShowPlayList(firstList);
            newLists.Empty();
        }
        KStringW told;
        AppendNamesLine(told, IDS_ADDED_AS_PLAYLISTS, newLists);
        AppendNamesLine(told, IDS_NO_PLAYABLE_FILES, emptyFolders);
        if (told.GetLength())
            ShowToastText(told);
    }
    LmSettings::SetBrowsePath(pathText);
    LmSettings::SaveSettings();
    return handed;
}
