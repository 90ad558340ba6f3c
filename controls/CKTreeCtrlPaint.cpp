// CKTreeCtrl: painting the rows (face, connecting lines and expand buttons, box, icon and text),
// children before their parent so that a pinned header covers the rows scrolling under it.
#include "controls/CKTreeCtrl.h"

#include "controls/CKAniTreeExpand.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKImageDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/CKTextDrawable.h"

void CKTreeCtrl::OnPaint(CKCanvas* canvas)
{
    RECT clip;
    if (!canvas || !canvas->GetClipBox(&clip))
        return;
    int s;
    GetScrollPos(nullptr, &s);
    PaintLevel(canvas, nullptr, clip, s);
    // Below the rows: the background, also where the scroll extent already holds a branch that
    // an opening animation has not revealed yet.
    RECT below = {clip.left, DisplayedBottom() - s, clip.right, clip.bottom};
    if (below.top < clip.top)
        below.top = clip.top;
    if (below.bottom > below.top)
        DrawBackground(canvas, &below, 0);
}

void CKTreeCtrl::PaintLevel(CKCanvas* canvas, KTreeItem* parent, const RECT& clip, int s)
{
    RECT client;
    if (!GetClientRect(&client))
        return;
    for (KTreeItem* item = FirstShownChild(parent); item; item = NextShownSibling(item)) {
        // Rows never rise above their laid-out top, so every later sibling lies lower still.
        if (client.top + item->layoutY - s >= clip.bottom)
            break;
        if (item->flags & KTIF_EXPANDED) {
            const int branchTop = client.top + item->layoutY + item->height - s;
            const int branchBottom = client.top + item->subtreeBottom - s;
            if (branchTop < clip.bottom && branchBottom > clip.top) {
                const CKAniTreeExpand* running = GetExpandAnimation();
                if (!(item->flags & KTIF_ANIMATING))
                    PaintLevel(canvas, item, clip, s);
                else if (running && running->GetItem() == item)
                    running->DrawBranch(canvas, client.left, branchTop);
            }
        }
        const RECT row = {client.left, client.top + item->y - s, client.right,
                          client.top + item->y - s + item->height};
        if (row.top < clip.bottom && row.bottom > clip.top)
            DrawItem(canvas, item, row);
    }
}

void CKTreeCtrl::DrawButtonKind(CKCanvas* canvas, int kind, const RECT& column)
{
    // An image strip shows the kind as its cell; any other face draws the same for every kind.
    if (button->IsKindOf(K_RUNTIME_CLASS(CKImageDrawable))) {
        CKImageDrawable* strip = static_cast<CKImageDrawable*>(button);
        CKImage* image = strip->GetImage();
        if (image && image->IsKindOf(K_RUNTIME_CLASS(CKImgList))) {
            const int cells[KSLOT_COUNT] = {kind, kind, kind, kind};
            strip->SetImageList(static_cast<CKImgList*>(image), cells);
        }
    }
    button->SetState(0);
    button->Draw(canvas, column, nullptr);
}

void CKTreeCtrl::DrawIndent(CKCanvas* canvas, const KTreeItem* item, const RECT& rect, int indent)
{
    // The column just left of the content belongs to the item; each ancestor's is one further left.
    const RECT column = {rect.left + indent - indentWidth, rect.top, rect.left + indent,
                         rect.bottom};
    if (style & KTVS_LINES) {
        DrawButtonKind(canvas, NextShownSibling(item) ? KTREE_LINE_MIDDLE : KTREE_LINE_LAST,
                       column);
        RECT outer = column;
        for (const KTreeItem* ancestor = tree.GetParent(item); ancestor;
             ancestor = tree.GetParent(ancestor)) {
            OffsetRect(&outer, -indentWidth, 0);
            if (outer.left < rect.left)
                break;
            if (NextShownSibling(ancestor))
                DrawButtonKind(canvas, KTREE_LINE_THROUGH, outer);
        }
    }
    if ((style & KTVS_BUTTONS) && IsExpandable(item))
        DrawButtonKind(canvas, IsExpanded(item) ? KTREE_BUTTON_OPEN : KTREE_BUTTON_CLOSED, column);
}

void CKTreeCtrl::DrawItem(CKCanvas* canvas, KTreeItem* item, const RECT& rect)
{
    const unsigned int bits = item->flags & KSTATE_SLOT_MASK;
    DrawBackground(canvas, &rect, 0);
    RECT content = rect;
    if (face) {
        face->SetState(bits);
        face->Draw(canvas, rect, &content);
    }
    const int indent = IndentOf(item);
    if (indent >= 1 && button)
        DrawIndent(canvas, item, rect, indent);
    if (content.left < rect.left + indent)
        content.left = rect.left + indent;

    if ((item->flags & KTIF_BOX_MASK) && box) {
        const unsigned int side = (item->flags & KTIF_BOX_RIGHT) ? KDT_RIGHT : KDT_LEFT;
        box->SetState((item->flags & KTIF_BOX_MASK) | bits | side);
        box->Draw(canvas, content, &content);
    }
    // The shared icon and text drawables point at the item only while it draws.
    const unsigned int state = bits | ((item->flags & KTIF_ICON_RIGHT) ? KDT_RIGHT : KDT_LEFT);
    const int cell = (item->flags & KTIF_EXPANDED) && item->iconCellOpen >= 0 ? item->iconCellOpen
                                                                             : item->iconCell;
    if (icon && item->iconList && cell >= 0) {
        icon->SetIconList(item->iconList, cell);
        icon->SetState(state);
        icon->Draw(canvas, content, &content);
        icon->SetIconList(nullptr, -1);
    }
    if (text && item->text && item->textLength > 0) {
        // A text wider than the row ends in an ellipsis rather than at the window's edge.
        text->SetText(item->text, item->textLength);
        text->SetState(state | KDT_END_ELLIPSIS);
        text->Draw(canvas, content, nullptr);
        text->SetText(nullptr, 0);
    }
}
