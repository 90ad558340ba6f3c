// CLmPlayListView: the drawer panel's children, their layout, and the commands it passes on.
#include "app/CLmPlayListView.h"

#include "controls/CKButton.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KText.h"
#include "graphics/KDrawableRegistry.h"

K_IMPLEMENT_DYNCREATE(CLmPlayListView, CKWindow)

namespace {

constexpr char LM_DRAWABLES[] = "LmDrawable.xml";

// The tool bar: its buttons at the right end; updating on change, a tab stop, opaque.
constexpr unsigned int TOOLBAR_STYLE = KTBS_RIGHT;
constexpr unsigned int TOOLBAR_FLAGS = KWF_REPAINT_ON_CHANGE | KWF_TABSTOP | KWF_OPAQUE;
// A bit of the panel tree's style word that the tree control reads no meaning into.
constexpr unsigned int TREE_STYLE_UNUSED = 0x20;
// The tree: pinned group headers; updating on change, a tab stop, scrolling, opaque.
constexpr unsigned int TREE_STYLE = KTVS_PINNED | TREE_STYLE_UNUSED;
constexpr unsigned int TREE_FLAGS = KWF_REPAINT_ON_CHANGE | KWF_TABSTOP | KWF_VSCROLL | KWF_OPAQUE;

// The tool bar's buttons, left to right: command id and icon cell.
struct KToolButton
{
    int id;
    int cell;
};
constexpr KToolButton TOOL_BUTTONS[] = {
    {LMID_ADD_LIST, 0},
    {LMID_EDIT_LIST, 1},
    {LMID_DELETE_LIST, 2},
};

// Commands the panel's children report with a click that go to the player view unchanged.
bool IsPassedCommand(int id)
{
    return (id >= LMID_ADD_LIST && id <= LMID_DELETE_LIST)
           || (id >= LMCMD_CLEAR_LIST && id <= LMCMD_ABOUT);
}

} // namespace

CLmPlayListView::CLmPlayListView()
{
    path[0] = 0;
}

CLmPlayListView::~CLmPlayListView()
{
    if (listCtrl)
        listCtrl->Release();
}

void CLmPlayListView::SetPlayListPath(const wchar_t* newPath)
{
    path[0] = 0;
    if (newPath) {
        KStrNCpyW(path, newPath, KMAX_PATH - 1);
        path[KMAX_PATH - 1] = 0;
    }
}

void CLmPlayListView::Initialize(unsigned int newStyle)
{
    CKWindow::Initialize(newStyle);
    if (!listCtrl) {
        listCtrl = new CLmPlayListCtrl(path[0] ? path : nullptr);
        if (!listCtrl)
            return;
        listCtrl->EnableRefCount();
        listCtrl->AddRef();
        listCtrl->Initialize(TREE_STYLE);
    }
    toolBar.SetBkgndDrawable(GetDrawable(LM_DRAWABLES, "LmMenuButtonBkgnd"));
    toolBar.SetFaceDrawable(GetDrawable(LM_DRAWABLES, "LmMenuButtonFace"));
    toolBar.Initialize(TOOLBAR_STYLE);
    // The group borrows the tree's icons, which live as long as the panel holds the tree.
    toolBar.RemoveAllItems();
    for (const KToolButton& button : TOOL_BUTTONS) {
        const int index = toolBar.AddItem(0, button.id);
        if (index >= 0)
            toolBar.SetItemIcon(index, listCtrl->GetMenuIcons(), button.cell);
    }
}

int CLmPlayListView::OnCreate()
{
    if (!CKWindow::OnCreate())
        return 0;
    toolBar.Create(TOOLBAR_STYLE, LMID_PANEL_TOOLBAR, this, TOOLBAR_FLAGS);
    if (listCtrl)
        listCtrl->Create(TREE_STYLE, LMID_PLAYLIST_CTRL, this, TREE_FLAGS);
    return 1;
}

void CLmPlayListView::OnSize()
{
    CKWindow::OnSize();
    RECT client;
    if (!GetClientRect(&client))
        return;
    RECT bar = client;
    bar.bottom = client.top + GetDevMetric(TitleBarHeight);
    if (bar.bottom > client.bottom)
        bar.bottom = client.bottom;
    if (toolBar.GetHwnd())
        toolBar.Move(bar);
    if (listCtrl && listCtrl->GetHwnd()) {
        RECT rest = client;
        rest.top = bar.bottom;
        listCtrl->Move(rest);
    }
}

int CLmPlayListView::OnNotify(int notifyId, int code, INT_PTR param)
{
    int handled = CKWindow::OnNotify(notifyId, code, param);
    if (notifyId == LMID_PLAYLIST_CTRL && code == KNOTIFY_TREE_TAPPED && listCtrl) {
        KTreeItem* item = reinterpret_cast<KTreeItem*>(param);
        const INT_PTR data = listCtrl->GetItemData(item);
        // Group rows carry no data and do nothing; command rows carry their command.
        if (!item || data == 0)
            return handled;
        if (data < LMPL_PLAYLIST_DATA_MIN) {
            NotifyParent(KNOTIFY_CLICK, 0, (int)data);
        } else if (item != listCtrl->GetSelectedListItem()) {
            listCtrl->SelectPlayList(item);
            NotifyParent(KNOTIFY_TREE_SELECTED, 0, LMID_PLAYLIST_CTRL);
        }
        return 1;
    }
    if (code == KNOTIFY_CLICK && IsPassedCommand(notifyId)) {
        NotifyParent(KNOTIFY_CLICK, param, notifyId);
        return 1;
    }
    return handled;
}
