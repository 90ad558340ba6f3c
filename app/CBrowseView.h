// CBrowseView: the browse page (IDS_PAGE_BROWSE, "添加文件"): its content is the CBrowseContainer with
// the file list, its drawer a CKFileTreeCtrl of the same file cache for jumping between folders,
// which marks the folder the list shows and reads its folders again when the list does. The tree
// catches up only while it can be seen (or when the drawer has opened): expanding it to a folder
// reads the folders beside each one on the way, which a walk through the list alone should not pay
// for. The title's left button (IDS_BROWSE_FOLDERS) opens the drawer, its right button
// (IDS_BROWSE_OPEN) adds the ticked items.
//
// Ownership: the container is a member; the drawer's tree is counted (the drawer slot of the base
// holds a second reference while the tree has its window).
#pragma once
#include "app/CBrowseContainer.h"
#include "controls/CKFileTreeCtrl.h"
#include "ui/CKView.h"

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
    // The content: the folder the list shows is to be marked in the tree, and when the list reads
    // its folder again the tree is to read the folders it shows; at once while the drawer shows.
    int OnNotify(int id, int code, INT_PTR param) override;
    CKContainer* GetContainer() override { return &container; }
    // The folder tree (folders only, with expand buttons and lines) over the container's cache,
    // disabled and hidden, as the drawer; it marks the folder the list shows once it opens.
    void CreateViewMenu() override;
    // The drawer has opened: the tree catches up with the list.
    void OnViewMenuShow(int shown) override;

    // Shown afresh (not returned to from a page or dialog above it): Prepare, after the base.
    void OnActivate(int returning) override;
    // Makes the page ready to be shown: the current folder is read again (files may have come and
    // gone since the last visit), through the filter setting as it is now.
    void Prepare();

    CBrowseContainer* GetBrowseContainer() { return &container; }
    CKFileTreeCtrl* GetFolderTree() const { return tree; }

private:
    // The tree reads again and marks what it has missed; nothing when it has no window.
    void CatchUpTree();

    CBrowseContainer container;
    CKFileTreeCtrl* tree = nullptr;   // counted
    unsigned int treeBehind = 0;      // TREE_* bits: what the tree has still to catch up with
};
