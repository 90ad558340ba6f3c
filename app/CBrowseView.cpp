// CBrowseView: the browse page, its title icon and its drawer of folders.
#include "app/CBrowseView.h"

#include "app/LmIds.h"
#include "app/LmPageTable.h"
#include "app/LmStringIds.h"
#include "controls/CKTitle.h"
#include "foundation/KPaths.h"
#include "graphics/CKImage.h"
#include "graphics/KDrawableRegistry.h"
#include "graphics/KImageCache.h"

K_IMPLEMENT_CLASS(CBrowseView, CKView)

namespace {

constexpr char LM_DRAWABLES[] = "LmDrawable.xml";
// The drawer: expand buttons, connecting lines, folders only; repainting on change, a tab stop,
// scrolling vertically, opaque.
constexpr unsigned int TREE_STYLE = KTVS_BUTTONS | KTVS_LINES | KFILE_NO_FILES;
constexpr unsigned int TREE_FLAGS =
    KWF_REPAINT_ON_CHANGE | KWF_TABSTOP | KWF_VSCROLL | KWF_OPAQUE;
// Icons of the tree and of the title's drawer button.
constexpr int TREE_ICON_SIZE = 24;
constexpr int TITLE_ICON_SIZE = 24;
constexpr int TITLE_DRAWER_CELL = 2;
// What the tree has still to catch up with (bits of CBrowseView::treeBehind).
constexpr unsigned int TREE_MARK = 0x1;     // the list shows another folder
constexpr unsigned int TREE_REREAD = 0x2;   // the list read its folder again: so do the tree's

} // namespace

CBrowseView::~CBrowseView()
{
    if (tree)
        tree->Release();
}

int CBrowseView::OnCreate()
{
    if (!CKView::OnCreate())
        return 0;
    CKImgList* icons = GetImgListByCell(TITLE_ICON_SIZE, TITLE_ICON_SIZE, L"TitleImgList.png",
                                        KIMG_TYPE_PNG, KIMG_AUTO);
    if (title && icons)
        title->SetLeftButtonIcon(IDS_BROWSE_FOLDERS, KTITLE_BTN_LEFT, icons, TITLE_DRAWER_CELL);
    return 1;
}

void CBrowseView::CreateViewMenu()
{
    if (!tree) {
        tree = new CKFileTreeCtrl();
        if (!tree)
            return;
        tree->EnableRefCount();
        tree->AddRef();
        tree->SetBackground(GetDrawable(LM_DRAWABLES, "LmFileTreeBkgnd"));
        tree->SetFaceDrawable(GetDrawable(LM_DRAWABLES, "LmFileTreeFace"));
        tree->SetTextDrawable(GetDrawable(LM_DRAWABLES, "LmFileTreeText"));
        tree->SetImgList(GetImgListByCell(TREE_ICON_SIZE, TREE_ICON_SIZE, L"FileWhite.png",
                                          KIMG_TYPE_PNG, KIMG_AUTO));
        tree->Initialize(TREE_STYLE);
    }
    if (!tree->GetHwnd() && !tree->Create(TREE_STYLE, LMID_BROWSE_TREE, this, TREE_FLAGS))
        return;
    tree->SetCache(container.GetCache());
    SetMenuCtrl(tree);
    treeBehind |= TREE_MARK;
}

void CBrowseView::OnViewMenuShow(int shown)
{
    CKView::OnViewMenuShow(shown);
    if (shown)
        CatchUpTree();
}

void CBrowseView::CatchUpTree()
{
    if (!tree || !tree->GetHwnd())
        return;
    if (treeBehind & TREE_REREAD)
        tree->Refresh();
    if (treeBehind)
        tree->ShowEntry(container.GetFileList()->GetCurrentEntry());
    treeBehind = 0;
}

int CBrowseView::OnNotify(int id, int code, INT_PTR param)
{
    if (id == container.GetId()) {
        if (code == LMNOTIFY_BROWSE_FOLDERS_READ)
            treeBehind |= TREE_REREAD;
        else if (code == LMNOTIFY_BROWSE_FOLDER_SHOWN)
            treeBehind |= TREE_MARK;
        else
            return CKView::OnNotify(id, code, param);
        if (GetMenuOffset() != 0)
            CatchUpTree();
        return 1;
    }
    if (id != LMID_BROWSE_TREE || !tree)
        return CKView::OnNotify(id, code, param);
    KTreeItem* item = (KTreeItem*)param;
    if (code == KNOTIFY_TREE_SELECTED && item) {
        // The mark that follows the list selects too: the folder the list shows stays as it is.
        if (tree->GetEntry(item) == container.GetFileList()->GetCurrentEntry())
            return 1;
        wchar_t path[KMAX_PATH];
        if (tree->GetCache() && tree->GetCache()->GetFullPath(tree->GetEntry(item), path))
            container.ShowPath(path);
    } else if (code == KNOTIFY_TREE_TAPPED && item) {
        tree->Expand(item, !tree->IsExpanded(item), true);
    }
    return 1;
}

void CBrowseView::OnActivate(int returning)
{
    CKView::OnActivate(returning);
    if (!returning)
        Prepare();
}

void CBrowseView::Prepare()
{
    container.RefreshFolder();
}
