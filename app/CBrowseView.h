// CBrowseView: the browse page (view 3002, "添加文件"): its content is the CBrowseContainer with the
// file list, its drawer a CKFileTreeCtrl of the same file cache for jumping between folders. The
// title's left button (3003) opens the drawer, its right button (3004) adds the ticked items.
//
// Ownership: the container is a member; the drawer's tree is counted (the drawer slot of the base
// holds a second reference while the tree has its window).
#pragma once
#include "app/CBrowseContainer.h"
#include "controls/CKFileTreeCtrl.h"
#include "ui/CKView.h"

// Window id of the drawer's folder tree.
constexpr int LMID_BROWSE_TREE = 3000;

class CBrowseView : public CKView
{
    K_DECLARE_CLASS(CBrowseView)
public:
    CBrowseView() = default;
    // Releases the tree.
    ~CBrowseView() override;

    // ---- Window and view operations ----
    // After the base: the title's drawer button shows its icon instead of its text.
    int OnCreate() override;
    // The drawer tree: a selected folder is shown in the list; a tapped row expands or collapses.
    int OnNotify(int id, int code, INT_PTR param) override;
    CKContainer* GetContainer() override { return &container; }
    // The folder tree (folders only, with expand buttons and lines) over the container's cache,
    // disabled and hidden, as the drawer.
    void CreateViewMenu() override;

    // Makes the page ready to be shown: the current folder is read again, through the filter setting
    // as it is now.
    void Prepare();

    CBrowseContainer* GetBrowseContainer() { return &container; }
    CKFileTreeCtrl* GetFolderTree() const { return tree; }

private:
    CBrowseContainer container;
    CKFileTreeCtrl* tree = nullptr;   // counted
};
