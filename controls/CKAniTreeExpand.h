// CKAniTreeExpand: a tree control's branch unfolding under its item or folding back into it. The
// branch is rendered once into a snapshot image and revealed a little more (or less) each step
// while the rows below it slide along; the end leaves the tree exactly as an immediate
// Expand(item, open, false) would (CKTreeCtrl::ApplyExpand).
//
// The item carries KTIF_ANIMATING from OnBegin to OnEnd; meanwhile the tree skips the branch's
// rows in its walks and paints the snapshot instead (DrawBranch). The animation keeps plain
// pointers to the tree's items, so the tree ends it (Finish) before it removes or adds items.
#pragma once
#include "ui/CKAnimate.h"

class CKCanvas;
class CKImage;
class CKTreeCtrl;
struct KTreeItem;

class CKAniTreeExpand : public CKAnimate
{
    K_DECLARE_CLASS(CKAniTreeExpand)
public:
    // `opening`: the branch unfolds (else it folds).
    CKAniTreeExpand(CKTreeCtrl* tree, KTreeItem* item, bool opening);
    // Frees the snapshot and the row list.
    ~CKAniTreeExpand() override;

    // Lays the tree out (opening: with the item expanded, extending the scroll extent), takes
    // the rows below the branch with their starting positions, the scroll target and the
    // snapshot of the branch.
    void OnBegin() override;
    // Reveals branch height x permille / 1000 (opening) or hides as much (folding), slides the
    // rows below along and moves the scroll position toward its target.
    void OnStep(int permille) override;
    // Clears KTIF_ANIMATING, sets the target scroll position and ends as the immediate
    // expansion or collapse does (layout, repaint, KNOTIFY_TREE_EXPANDED after an opening).
    void OnEnd() override;

    // Ends at once in the final state when still running; the window lets go of the stopped
    // animation when it starts its next one or is destroyed.
    void Finish();

    KTreeItem* GetItem() const { return item; }
    bool IsOpening() const { return opening; }
    // The full branch height, and the part of it the tree shows now.
    int GetBranchHeight() const { return branchHeight; }
    int GetRevealed() const { return revealed; }
    // The part of the laid-out branch not shown now.
    int GetHiddenHeight() const { return branchHeight - revealed; }
    // The revealed top of the snapshot, its top-left corner at (left, top) in client coordinates.
    void DrawBranch(CKCanvas* canvas, int left, int top) const;

    CKAniTreeExpand(const CKAniTreeExpand&) = delete;
    CKAniTreeExpand& operator=(const CKAniTreeExpand&) = delete;

private:
    // A row that moves with the revealed height, with its position when nothing was revealed
    // (opening) or all of it (folding).
    struct KMovedRow
    {
        KTreeItem* row;    // borrowed from the tree
        int top;           // its laid-out top
        int bottom;        // the bottom of its subtree
    };

    CKTreeCtrl* Tree() const;
    // The item and its ancestors (whose subtree bottoms follow the branch), then every displayed
    // row below the branch, each shifted by `offset` from where the current layout puts it.
    void CollectRows(int offset);
    // Renders the branch's rows into the snapshot, at most `maxHeight` pixel rows of it.
    void RenderSnapshot(int maxHeight);
    // Shows `now` pixels of the branch: positions of the collected rows, then the pinning pass.
    void MoveRows(int now);
    void FreeRows();

    KTreeItem* item;                // borrowed: the tree's item being expanded or collapsed
    bool opening;
    bool begun = false;             // OnBegin has run
    CKImage* snapshot = nullptr;    // owned: the branch rendered at 24 bits
    KMovedRow* rows = nullptr;      // owned (KAlloc): ancestorCount ancestors, then the rows below
    int ancestorCount = 0;
    int rowCount = 0;               // all entries of `rows`
    int scrollFrom = 0;
    int scrollTo = 0;
    int revealed = 0;               // 0 .. branchHeight
    int branchHeight = 0;
    int startRevealed = 0;          // revealed at the start: 0 opening, branchHeight folding
};
