// CKAniTreeExpand: the snapshot of the branch, the rows sliding below it and the scroll target of
// a tree branch opening or closing.
#include "controls/CKAniTreeExpand.h"

#include "controls/CKTreeCtrl.h"
#include "foundation/KMemory.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKImage.h"

K_IMPLEMENT_CLASS(CKAniTreeExpand, CKAnimate)

namespace {

// The snapshot's pixel depth: opaque rows need no alpha.
constexpr int SNAPSHOT_BITS = 24;

} // namespace

CKAniTreeExpand::CKAniTreeExpand(CKTreeCtrl* tree, KTreeItem* item, bool opening)
    : CKAnimate(tree), item(item), opening(opening)
{
}

CKAniTreeExpand::~CKAniTreeExpand()
{
    FreeRows();
}

CKTreeCtrl* CKAniTreeExpand::Tree() const
{
    return window ? static_cast<CKTreeCtrl*>(window) : nullptr;
}

void CKAniTreeExpand::FreeRows()
{
    delete snapshot;
    snapshot = nullptr;
    KFree(rows);
    rows = nullptr;
    ancestorCount = rowCount = 0;
}

void CKAniTreeExpand::CollectRows(int offset)
{
    const CKTreeCtrl* tree = Tree();
    int ancestors = 0;
    for (const KTreeItem* walk = item; walk; walk = tree->GetParent(walk))
        ancestors++;
    // With KTIF_ANIMATING on the item, the walk from it skips the branch.
    int below = 0;
    for (const KTreeItem* row = tree->NextVisible(item); row; row = tree->NextVisible(row))
        below++;
    rows = (KMovedRow*)KAlloc(sizeof(KMovedRow) * (size_t)(ancestors + below));
    if (!rows)
        return;   // the rows below jump to their places at the end instead of sliding
    int count = 0;
    for (KTreeItem* walk = item; walk; walk = tree->GetParent(walk))
        rows[count++] = {walk, walk->layoutY, walk->subtreeBottom + offset};
    for (KTreeItem* row = tree->NextVisible(item); row; row = tree->NextVisible(row))
        rows[count++] = {row, row->layoutY + offset, row->subtreeBottom + offset};
    ancestorCount = ancestors;
    rowCount = count;
}

void CKAniTreeExpand::RenderSnapshot(int maxHeight)
{
    CKTreeCtrl* tree = Tree();
    RECT client;
    const int height = branchHeight < maxHeight ? branchHeight : maxHeight;
    if (height < 1 || !tree->GetClientRect(&client) || client.right <= client.left)
        return;
    snapshot = new CKImage();
    if (!snapshot)
        return;
    if (!snapshot->Create(client.right - client.left, height, SNAPSHOT_BITS)) {
        delete snapshot;
        snapshot = nullptr;
        return;
    }
    CKCanvas canvas;
    if (!canvas.BindImage(snapshot, 0, 0))
        return;
    const int branchTop = item->layoutY + item->height;
    const KTreeItem* end = tree->NextVisible(item);
    for (KTreeItem* row = tree->FirstShownChild(item); row && row != end;
         row = tree->NextVisible(row)) {
        const RECT rect = {0, row->layoutY - branchTop, client.right - client.left,
                           row->layoutY - branchTop + row->height};
        if (rect.top >= height)
            break;
        tree->DrawItem(&canvas, row, rect);
    }
    canvas.Unbind();
}

void CKAniTreeExpand::OnBegin()
{
    CKTreeCtrl* tree = Tree();
    if (!tree)
        return;
    begun = true;
    item->flags |= KTIF_ANIMATING | KTIF_EXPANDED;
    // Opening: the layout with the branch, as the immediate expansion makes it (its extent
    // holds the branch from now on). Folding: the current layout.
    tree->RecalcItems();
    tree->GetScrollPos(nullptr, &scrollFrom);
    const int itemBottom = item->layoutY + item->height;
    branchHeight = item->subtreeBottom - itemBottom;
    if (opening)
        scrollTo = tree->RevealPosition(item->layoutY, item->subtreeBottom, tree->contentHeight);
    else
        scrollTo = tree->RevealPosition(item->layoutY, itemBottom,
                                        tree->contentHeight - branchHeight);
    startRevealed = opening ? 0 : branchHeight;
    CollectRows(opening ? -branchHeight : 0);

    // Only the part of the snapshot that can come into view is rendered: the client height
    // below the item, plus what scrolling lifts above it.
    RECT client;
    tree->GetClientRect(&client);
    const int lowest = scrollFrom > scrollTo ? scrollFrom : scrollTo;
    const int lifted = lowest - itemBottom > 0 ? lowest - itemBottom : 0;
    RenderSnapshot(client.bottom - client.top + lifted);
    MoveRows(startRevealed);
    tree->Invalidate();
}

void CKAniTreeExpand::MoveRows(int now)
{
    CKTreeCtrl* tree = Tree();
    revealed = now;
    const int delta = now - startRevealed;
    for (int i = 0; i < rowCount; i++) {
        KTreeItem* row = rows[i].row;
        row->subtreeBottom = rows[i].bottom + delta;
        if (i >= ancestorCount)
            row->y = row->layoutY = rows[i].top + delta;
    }
    if (tree->GetStyle() & KTVS_PINNED)
        tree->PinHeaders();
}

void CKAniTreeExpand::OnStep(int permille)
{
    CKTreeCtrl* tree = Tree();
    if (!tree || !begun)
        return;
    const int moved = Interpolate(0, branchHeight, permille);
    MoveRows(opening ? moved : branchHeight - moved);
    if (scrollFrom != scrollTo)
        tree->ScrollTo(0, Interpolate(scrollFrom, scrollTo, permille));
    tree->Invalidate();
}

void CKAniTreeExpand::OnEnd()
{
    CKTreeCtrl* tree = Tree();
    FreeRows();
    if (!tree)
        return;
    item->flags &= ~KTIF_ANIMATING;
    revealed = branchHeight = 0;
    if (begun) {
        int position;
        tree->GetScrollPos(nullptr, &position);
        if (position != scrollTo)
            tree->ScrollTo(0, scrollTo);
    }
    tree->ApplyExpand(item, opening);
}

void CKAniTreeExpand::Finish()
{
    if (!IsRunning())
        return;
    Stop();
    OnEnd();
}

void CKAniTreeExpand::DrawBranch(CKCanvas* canvas, int left, int top) const
{
    CKTreeCtrl* tree = Tree();
    if (!tree || revealed <= 0)
        return;
    const int shown = snapshot && snapshot->GetHeight() < revealed ? snapshot->GetHeight()
                                                                   : revealed;
    if (snapshot)
        canvas->DrawImage(left, top, snapshot->GetWidth(), shown, snapshot, 0, 0);
    // Below the snapshot's rendered part (or without one): the tree's background.
    if (!snapshot || shown < revealed) {
        RECT client;
        tree->GetClientRect(&client);
        const RECT rest = {left, top + (snapshot ? shown : 0), client.right, top + revealed};
        tree->DrawBackground(canvas, &rest, 0);
    }
}
